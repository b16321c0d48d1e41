// The quote's client, found by code, nickname or name, and the client's animals.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/XRComboBox.h"

qint16 frmFicha::PreencherComboboxAnimal(double ldouCodigoDoCliente) {
    qint16 PreencherComboboxAnimal = 1;
    ComTratamentoDeErro(u"frmFicha", u"PreencherComboboxAnimal", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        auto lobjAnimais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        Ponto = 2;
        if (VB::CBool(lobjAnimais->SelecionarParaComboBoxFiltradoPorCliente(ldouCodigoDoCliente, 3))) {
            ExibirOcultarpicMensagem(false);
            ExibirMensagemDeErro(static_cast<qint32>(lobjAnimais->NumeroDoErro), lobjAnimais->DescricaoDoErro,
                                 lobjAnimais->LocalDoErro);
            return;
        }
        Ponto = 3;
        const RecordsetPtr lrstAnimais = lobjAnimais->ResultadoDaSelecaoEmRecordSet();
        lobjAnimais.reset();
        if (lrstAnimais->RecordCount() == 0) {
            xrcmbAnimal->Clear();
            ExibirOcultarpicMensagem(false);
            Plataforma::MsgBox(
                QStringLiteral("Nenhum animal cadastrado.\r\nÉ necessário ter ao menos um animal "
                               "cadastrado com as especificações informadas para incluir ou "
                               "alterar uma ficha clínica."),
                Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return;
        }
        Ponto = 4;
        xrcmbAnimal->Clear();
        for (lrstAnimais->MoveFirst(); !lrstAnimais->Eof(); lrstAnimais->MoveNext()) {
            xrcmbAnimal->AddItem(VB::CStr(lrstAnimais->Fields(QStringLiteral("Nome")).Value));
            xrcmbAnimal->setItemData(xrcmbAnimal->NewIndex(),
                                     VB::CLng(lrstAnimais->Fields(QStringLiteral("Codigo")).Value));
        }
        Ponto = 5;
        ExibirOcultarpicMensagem(false);
        PreencherComboboxAnimal = 0;
    });
    return PreencherComboboxAnimal;
}

bool frmFicha::PesquisarCliente(const QString& /*lstrApelidoOuNomeFantasia*/,
                                const QString& /*lstrNomeOuRazaoSocial*/, double /*ldouCodigoDoCliente*/) {
    return false; // the client lookup comes with the client search
}

void frmFicha::RecuperaDescontoDoCliente() {}

void frmFicha::xrfCodigoDoCliente_Click() {}

void frmFicha::xrfApelidoOuNomeFantasiaDoCliente_Click() {}

void frmFicha::xrfNomeOuRazaoSocialDoCliente_Click() {}

void frmFicha::xrfCodigoDoCliente_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}

void frmFicha::xrfApelidoOuNomeFantasiaDoCliente_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}

void frmFicha::xrfNomeOuRazaoSocialDoCliente_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) mbooIgnorarProximoEvento = false;
}
