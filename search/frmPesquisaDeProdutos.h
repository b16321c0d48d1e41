#pragma once
// The pick list of products the record form opens when a product search finds
// several: one text matched against internal code or name; every listed product may
// be picked.

#include "search/frmPesquisa.h"

class frmPesquisaDeProdutos : public frmPesquisa {
    Q_OBJECT
public:
    explicit frmPesquisaDeProdutos(QWidget* parent = nullptr);

    // The grid's columns; the record form reads the picked row by these numbers.
    // Columns 0, 6, 7 and 9 are hidden.
    enum Coluna : int {
        ColunaEmBranco = 0,
        ColunaCodigoInterno = 1,
        ColunaCodigoDeBarras = 2,
        ColunaNome = 3,
        ColunaNomeDoGrupo = 4,
        ColunaNomeDoSubgrupo = 5,
        ColunaValorDeCusto = 6,
        ColunaUnidadeDeCompra = 7,
        ColunaValorDeVenda = 8,
        ColunaPercentualDeComissao = 9,
        QuantidadeDeColunas = 10,
    };

    // Write-only. While False (the default) a search that finds one product picks it.
    Q_INVOKABLE void FormularioDeConsultaDePreco(bool lbooFormularioDeConsultaDePreco) {
        mbooFormularioDeConsultaDePreco = lbooFormularioDeConsultaDePreco;
    }

protected:
    XRFind* CaixaDePesquisa() const override { return xrfndCodigoInternoOuNome; }
    bool Pesquisar() override { return PesquisarProduto(); }

private:
    bool PesquisarProduto();
    void xrfndCodigoInternoOuNome_Click();

    Label* lblCodigoInternoOuNome;
    XRFind* xrfndCodigoInternoOuNome;
};
