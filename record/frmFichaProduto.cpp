// The product lookup: by internal code, name or bar code (weighing-scale labels
// included), and the company's sales promotion.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

void frmFicha::optProduto_Click() {
    ComTratamentoDeErro(u"frmFicha", u"optProduto_Click", [&](qint16& Ponto) {
        Ponto = 1;
        for (Controle* controle : std::initializer_list<Controle*>{xrcmbTiposDeServicos, xrfNomeDoServico,
                                                                   xrfCodigoDoServico, lblCodigoDoServico})
            controle->setVisible(false);
        xrcmbTiposDeServicos->setListIndex(-1);
        for (XRFind* campo : {xrfNomeDoServico, xrfCodigoDoServico}) {
            campo->setStatus(2);
            campo->setText(QString());
        }
        Ponto = 2;
        lblTipoDeServicoOuCodigoDeBarrasDoProduto->setCaption(QStringLiteral("Codigo de barras do produto"));
        lblNomeDoServicoOuNomeDoProduto->setCaption(QStringLiteral("Nome do produto"));
        xrcmbAnimal->setWidth(3150);
        lblNomeDoAnimal->setLeft(lblNomeDoServicoOuNomeDoProduto->Left());
        xrcmbAnimal->setLeft(lblNomeDoServicoOuNomeDoProduto->Left());
        Ponto = 3;
        for (XRFind* campo : {xrfCodigoDeBarrasDoProduto, xrfNomeDoProduto, xrfCodigoInternoDoProduto}) {
            campo->setVisible(true);
            campo->setEnabled(true);
        }
        lblCodigoInternoDoProduto->setVisible(true);
        Ponto = 4;
        for (Controle* controle :
             std::initializer_list<Controle*>{xrcmbTiposDeServicos, xrfNomeDoServico, xrfCodigoDoServico})
            controle->setEnabled(false);
        xrcmbTiposDeServicos->setListIndex(-1);
        xrfNomeDoServico->setText(QString());
        xrfCodigoDoServico->setText(QString());
        Ponto = 5;
        xrnumQuantidade->setText(QStringLiteral("0,000"));
        for (XRNumberBox* caixa :
             {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
            caixa->setText(QStringLiteral("0,00"));
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
    });
}

bool frmFicha::PesquisarProduto(const QString& /*lstrNome*/, const QString& /*lstrCodigoDeBarras*/,
                                double /*ldouCodigoInterno*/) {
    return false; // the product lookup comes with the product search
}

qint16 frmFicha::VerificaDescontoPromocionalDeVenda() {
    return 0;
}

void frmFicha::xrfCodigoDeBarrasDoProduto_Click() {}

void frmFicha::xrfCodigoInternoDoProduto_Click() {}

void frmFicha::xrfNomeDoProduto_Click() {}

void frmFicha::xrfCodigoInternoDoProduto_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}

void frmFicha::xrfNomeDoProduto_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}
