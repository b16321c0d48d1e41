#pragma once
// The pick list of services the record form opens when a service search finds
// several: a service type ("(Todos)" for every type) and one text matched against
// code or name; every listed service may be picked.

#include "search/frmPesquisa.h"

class XRComboBox;

class frmPesquisaDeServicos : public frmPesquisa {
    Q_OBJECT
public:
    explicit frmPesquisaDeServicos(QWidget* parent = nullptr);

    // The grid's columns; the record form reads the picked row by these numbers.
    // Columns 0, 5 and 6 are hidden.
    enum Coluna : int {
        ColunaEmBranco = 0,
        ColunaCodigo = 1,
        ColunaNome = 2,
        ColunaDescricao = 3,
        ColunaValorDeVenda = 4,
        ColunaCusto = 5,
        ColunaNumeroDoTipoDeServico = 6,
        QuantidadeDeColunas = 7,
    };

    // Write-only. True: Form_Load fills the type list from the business layer.
    Q_INVOKABLE void EfetuarOPreenchimentoDaComboboxTiposDeServicos(bool lbooEfetuar) {
        mbooEfetuarOPreenchimentoDaComboboxTiposDeServicos = lbooEfetuar;
    }
    // Write-only. While False (the default) a search that finds one service picks it.
    Q_INVOKABLE void FormularioDeConsultaDePreco(bool lbooFormularioDeConsultaDePreco) {
        mbooFormularioDeConsultaDePreco = lbooFormularioDeConsultaDePreco;
    }
    // The type list xrcmbTiposDeServicos ("(Todos)" with item data 0, then each type
    // with its number), which the record form may replace with a copy of its own.
    XRComboBox* TiposDeServicos() const;

protected:
    XRFind* CaixaDePesquisa() const override { return xrfndCodigoOuNome; }
    bool Pesquisar() override { return PesquisarServico(); }
    bool PodePesquisar() override;
    void Form_Load() override;
    void ConcluirRedimensionamento() override;

private:
    qint16 PreencherComboboxTiposDeServicos();
    bool PesquisarServico();
    void xrcmbTiposDeServicos_Click();
    void xrfndCodigoOuNome_Click();

    Label* lblTipoDeServico;
    XRComboBox* xrcmbTiposDeServicos;
    Label* lblCodigoOuNome;
    XRFind* xrfndCodigoOuNome;

    bool mbooEfetuarOPreenchimentoDaComboboxTiposDeServicos = false;
};
