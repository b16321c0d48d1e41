#pragma once
// The pick list of clients the record form opens when a client search finds several:
// one free text matched against nickname, trade name, name, corporate name or code;
// inactive, blocked and deleted clients are refused.

#include "search/frmPesquisa.h"

class frmPesquisaDeClientes : public frmPesquisa {
    Q_OBJECT
public:
    explicit frmPesquisaDeClientes(QWidget* parent = nullptr);

    // The grid's columns; the record form reads the picked row by these numbers.
    // Columns 0, 4 and 6 to 19 are hidden.
    enum Coluna : int {
        ColunaEmBranco = 0,
        ColunaCodigo = 1,
        ColunaApelidoOuNomeFantasia = 2,
        ColunaNomeOuRazaoSocial = 3,
        ColunaSituacao = 4,
        ColunaEndereco = 5,
        ColunaTiposECanaisDeComunicacao = 6,
        ColunaCredito = 7,
        ColunaDescontoUnico = 8,
        ColunaPercentualUnicoDeDescontos = 9,
        ColunaPercentualDeDescontoEmClinicos = 10,
        ColunaPercentualDeDescontoEmCirurgiaSimples = 11,
        ColunaPercentualDeDescontoEmCirurgiaMedia = 12,
        ColunaPercentualDeDescontoEmCirurgiaComplexa = 13,
        ColunaPercentualDeDescontoEmBanhosTosasEEsteticas = 14,
        ColunaPercentualDeDescontoEmHospedagens = 15,
        ColunaPercentualDeDescontoEmAdestramentos = 16,
        ColunaPercentualDeDescontoEmOutros = 17,
        ColunaVIP = 18,
        ColunaCategoriaDaCurvaABC = 19,
        QuantidadeDeColunas = 20,
    };

protected:
    XRFind* CaixaDePesquisa() const override { return xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo; }
    bool Pesquisar() override { return PesquisarCliente(); }
    qint16 ValidarCampos() override;

private:
    bool PesquisarCliente();
    void xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click();

    Label* lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo;
    XRFind* xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo;
};
