// The service lookup: the service types, the service found by type and code or name,
// its price and the client's discount for its type.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modFundoEscuro.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

qint16 frmFicha::PreencherComboboxTiposDeServicos() {
    qint16 PreencherComboboxTiposDeServicos = 1;
    ComTratamentoDeErro(u"frmFicha", u"PreencherComboboxTiposDeServicos", [&](qint16& Ponto) {
        Ponto = 1;
        auto lobjTiposDeServ = Zelt::CriarObjeto<ZELT_N_TipoDeServ::clsTiposDeServ>(ProgId::TiposDeServ);
        double ldouReservado = 0;
        Ponto = 2;
        if (VB::CBool(lobjTiposDeServ->SelecionarParaComboBox(ldouReservado))) {
            ExibirMensagemDeErro(static_cast<qint32>(lobjTiposDeServ->NumeroDoErro),
                                 lobjTiposDeServ->DescricaoDoErro, lobjTiposDeServ->LocalDoErro);
            lobjTiposDeServ.reset();
            if (!modPrincipal::FichaAbertaDiretamente) RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
            return;
        }
        Ponto = 3;
        const RecordsetPtr lrstTipos = lobjTiposDeServ->ResultadoDaSelecaoEmRecordSet();
        lobjTiposDeServ.reset();
        if (lrstTipos->RecordCount() == 0) {
            Plataforma::MsgBox(
                QStringLiteral("Nenhum tipo de serviço cadastrado.\r\nÉ necessário ter no mínimo um "
                               "tipo de serviço cadastrado para incluir um item de orçamento."),
                Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            if (!modPrincipal::FichaAbertaDiretamente) RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
            return;
        }
        Ponto = 4;
        xrcmbTiposDeServicos->Clear();
        xrcmbTiposDeServicos->AddItem(QStringLiteral("(Todos)"));
        xrcmbTiposDeServicos->setItemData(xrcmbTiposDeServicos->NewIndex(), 0);
        Ponto = 5;
        for (lrstTipos->MoveFirst(); !lrstTipos->Eof(); lrstTipos->MoveNext()) {
            xrcmbTiposDeServicos->AddItem(VB::CStr(lrstTipos->Fields(QStringLiteral("Nome")).Value));
            xrcmbTiposDeServicos->setItemData(xrcmbTiposDeServicos->NewIndex(),
                                              VB::CLng(lrstTipos->Fields(QStringLiteral("Numero")).Value));
        }
        PreencherComboboxTiposDeServicos = 0;
    });
    return PreencherComboboxTiposDeServicos;
}

void frmFicha::optServico_Click() {
    ComTratamentoDeErro(u"frmFicha", u"optServico_Click", [&](qint16& Ponto) {
        Ponto = 1;
        for (XRFind* campo : {xrfCodigoDeBarrasDoProduto, xrfNomeDoProduto, xrfCodigoInternoDoProduto}) {
            campo->setVisible(false);
            campo->setStatus(2);
            campo->setSearchedText(QString());
        }
        lblCodigoInternoDoProduto->setVisible(false);
        Ponto = 2;
        lblTipoDeServicoOuCodigoDeBarrasDoProduto->setCaption(QStringLiteral("Tipo de serviço"));
        lblNomeDoServicoOuNomeDoProduto->setCaption(QStringLiteral("Nome do serviço"));
        xrcmbAnimal->setWidth(xrfCodigoInternoDoProduto->Width());
        lblNomeDoAnimal->setLeft(lblTipoDeServicoOuCodigoDeBarrasDoProduto->Left());
        xrcmbAnimal->setLeft(lblTipoDeServicoOuCodigoDeBarrasDoProduto->Left());
        Ponto = 3;
        for (Controle* controle : std::initializer_list<Controle*>{
                 xrcmbTiposDeServicos, xrfNomeDoServico, lblCodigoDoServico, xrfCodigoDoServico, xrcmbAnimal})
            controle->setVisible(true);
        Ponto = 4;
        xrcmbTiposDeServicos->setEnabled(true);
        xrfNomeDoServico->setEnabled(false);
        xrfCodigoDoServico->setEnabled(false);
        Ponto = 5;
        xrcmbTiposDeServicos->setListIndex(-1);
        Ponto = 6;
        for (XRFind* campo : {xrfCodigoDeBarrasDoProduto, xrfNomeDoProduto, xrfCodigoInternoDoProduto}) {
            campo->setVisible(false);
            campo->setEnabled(false);
            campo->setText(QString());
        }
        Ponto = 7;
        xrnumQuantidade->setText(QStringLiteral("0"));
        for (XRNumberBox* caixa :
             {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
            caixa->setText(QStringLiteral("0,00"));
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
    });
}

bool frmFicha::PesquisarServico(qint16& /*lintTipoDeServico*/, const QString& /*lstrNome*/,
                                double /*ldouCodigo*/) {
    return false; // the service lookup comes with the service search
}

void frmFicha::xrcmbTiposDeServicos_Click() {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}

void frmFicha::xrfCodigoDoServico_Click() {}

void frmFicha::xrfNomeDoServico_Click() {}

void frmFicha::xrfNomeDoServico_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}
