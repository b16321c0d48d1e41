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
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/modFicha.h"
#include "search/frmPesquisaDeServicos.h"

qint16 frmFicha::PreencherComboboxTiposDeServicos() {
    qint16 PreencherComboboxTiposDeServicos = 1;
    ComTratamentoDeErro(u"frmFicha", u"PreencherComboboxTiposDeServicos", [&](qint16& Ponto) {
        Ponto = 1;
        auto lobjTiposDeServ = Zelt::CriarObjeto<ZELT_N_TipoDeServ::clsTiposDeServ>(ProgId::TiposDeServ);
        double ldouReservado = 0;
        Ponto = 2;
        if (VB::CBool(lobjTiposDeServ->SelecionarParaComboBox(ldouReservado))) {
            ExibirErroDoNegocio(*lobjTiposDeServ);
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

bool frmFicha::PesquisarServico(qint16& lintTipoDeServico, const QString& lstrNome, double ldouCodigo) {
    bool PesquisarServico = false;
    const bool lbooConcluido = ComTratamentoDeErro(u"frmFicha", u"PesquisarServico", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        auto lobjServicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
        Ponto = 2;
        QString lstrNomeDaPesquisa = lstrNome;
        double ldouCodigoDaPesquisa = ldouCodigo;
        const QVariant lvarResposta = lobjServicos->Selecionar(2, 0, 1, QString(), lintTipoDeServico,
                                                               lstrNomeDaPesquisa, ldouCodigoDaPesquisa);
        Ponto = 3;
        ExibirOcultarpicMensagem(false);
        if (VB::CBool(lvarResposta)) {
            ExibirErroDoNegocio(*lobjServicos);
            return;
        }
        Ponto = 4;
        const RecordsetPtr lrstServicos = lobjServicos->ResultadoDaSelecaoEmRecordSet();
        lobjServicos.reset();
        if (lrstServicos->RecordCount() == 0) {
            Ponto = 5;
            // A code search is named the way a name search is: "com o código '...'".
            if (!lstrNome.isEmpty())
                ServicoNaoEncontrado(QStringLiteral("nome"), lstrNome);
            else
                ServicoNaoEncontrado(QStringLiteral("código"), VB::CStr(ldouCodigo));
            Plataforma::SendKeys(QStringLiteral("+({HOME})"));
            return;
        }
        if (lrstServicos->RecordCount() == 1) {
            Ponto = 6;
            const auto Campo = [&](const char16_t* nome) {
                return lrstServicos->Fields(QString::fromUtf16(nome)).Value;
            };
            PreencherServico(Campo(u"Codigo"), Campo(u"Nome"), Campo(u"Custo"), Campo(u"ValorDeVenda"),
                             Campo(u"NumeroDoTipoDeServico"));
            PesquisarServico = true;
            return;
        }
        Ponto = 7;
        frmPesquisaDeServicos lfrmPesquisaDeServicos;
        lfrmPesquisaDeServicos.EfetuarOPreenchimentoDaComboboxTiposDeServicos(true);
        lfrmPesquisaDeServicos.FormularioDeConsultaDePreco(false);
        lfrmPesquisaDeServicos.ConfigurarGrade();
        lfrmPesquisaDeServicos.PreencherGrade(lrstServicos);
        Ponto = 8;
        // The dialog offers this form's own type list, on the type chosen here. Each
        // entry is read by selecting it, its click swallowed by the guard.
        XRComboBox* lxrcmbTiposDoDialogo = lfrmPesquisaDeServicos.TiposDeServicos();
        lxrcmbTiposDoDialogo->Clear();
        const int lintIndice = xrcmbTiposDeServicos->ListIndex();
        for (int i = 0; i < xrcmbTiposDeServicos->ListCount(); ++i) {
            mbooIgnorarProximoEvento = true;
            xrcmbTiposDeServicos->setListIndex(i);
            lxrcmbTiposDoDialogo->AddItem(xrcmbTiposDeServicos->Text());
            lxrcmbTiposDoDialogo->setItemData(lxrcmbTiposDoDialogo->NewIndex(),
                                              xrcmbTiposDeServicos->ItemData(i));
        }
        Ponto = 9;
        modPrincipal::IgnorarCliqueDoComboTiposDeServicos = true;
        lxrcmbTiposDoDialogo->setListIndex(lintIndice);
        mbooIgnorarProximoEvento = true;
        xrcmbTiposDeServicos->setListIndex(lintIndice);
        Ponto = 10;
        Plataforma::ExibirModal(&lfrmPesquisaDeServicos);
        Ponto = 11;
        if (!lfrmPesquisaDeServicos.RegistroSelecionado()) return;
        Ponto = 12;
        const MSFlexGrid* lmsfgGrade = lfrmPesquisaDeServicos.Grade();
        const auto Celula = [&](int coluna) { return lmsfgGrade->TextMatrix(lmsfgGrade->RowSel(), coluna); };
        PreencherServico(
            VB::CDbl(Celula(frmPesquisaDeServicos::ColunaCodigo)), Celula(frmPesquisaDeServicos::ColunaNome),
            Celula(frmPesquisaDeServicos::ColunaCusto), Celula(frmPesquisaDeServicos::ColunaValorDeVenda),
            Celula(frmPesquisaDeServicos::ColunaNumeroDoTipoDeServico));
        PesquisarServico = true;
    });
    // An error while the panel was up must not leave the form disabled under it.
    if (!lbooConcluido && picMensagem->Visible()) ExibirOcultarpicMensagem(false);
    return PesquisarServico;
}

void frmFicha::PreencherServico(const QVariant& lvarCodigo, const QVariant& lvarNome,
                                const QVariant& lvarCusto, const QVariant& lvarValorDeVenda,
                                const QVariant& lvarNumeroDoTipoDeServico) {
    mbooIgnorarProximoEvento = true;
    xrfCodigoDoServico->setStatus(XRFind::StatusNenhum);
    xrfNomeDoServico->setStatus(XRFind::StatusNenhum);
    xrfCodigoDoServico->setText(VB::CStr(VB::CDbl(lvarCodigo)));
    xrfNomeDoServico->setText(VB::CStr(lvarNome));
    xrfNomeDoServico->setTag(VB::CStr(lvarCusto));
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(true);
    xrnumQuantidade->setText(QStringLiteral("1"));
    // The price as every money box shows it ("120,00", not the bare "120").
    xrnumValorUnitario->setText(VB::Format(lvarValorDeVenda, QStringLiteral("#,##0.00")));
    // The service's type becomes the selection; its click is swallowed by the guard,
    // so the fields just filled stay.
    const double ldouTipo = VB::CDbl(lvarNumeroDoTipoDeServico);
    for (int i = 0; i < xrcmbTiposDeServicos->ListCount(); ++i) {
        if (xrcmbTiposDeServicos->ItemData(i) == ldouTipo) {
            xrcmbTiposDeServicos->setListIndex(i);
            break;
        }
    }
    RecuperaDescontoDoCliente();
    if (xrcmbAnimal->Enabled())
        xrcmbAnimal->SetFocus();
    else
        xrnumQuantidade->SetFocus();
}

void frmFicha::ServicoNaoEncontrado(const QString& lstrCriterio, const QString& lstrValor) {
    Plataforma::MsgBox(QStringLiteral("Nenhum serviço encontrado com o ") + lstrCriterio +
                           QStringLiteral(" '") + lstrValor +
                           QStringLiteral("' informado e com o tipo de serviço '") +
                           xrcmbTiposDeServicos->Text() + QStringLiteral("'."),
                       Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

void frmFicha::SemServico(XRFind* lxrfOutro) {
    lxrfOutro->setStatus(XRFind::StatusLimpar);
    lxrfOutro->setText(QString());
    LimparCamposDeQuantidadeEValoresDoItemDoOrcamento();
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
    lxrfOutro->setEnabled(true);
}

void frmFicha::xrcmbTiposDeServicos_Click() {
    // The one-shot guard stands for a selection made by code; a guard still set when the
    // person picks a type (the client's search leaves one behind) is spent, and the
    // person's pick goes on: what a person chooses is never swallowed.
    if (mbooIgnorarProximoEvento) {
        mbooIgnorarProximoEvento = false;
        if (!xrcmbTiposDeServicos->CliqueDaPessoa()) return;
    }
    ComTratamentoDeErro(u"frmFicha", u"xrcmbTiposDeServicos_Click", [&](qint16& Ponto) {
        Ponto = 1;
        xrnumQuantidade->setText(QStringLiteral("0"));
        for (XRNumberBox* caixa :
             {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
            caixa->setText(QStringLiteral("0,00"));
        Ponto = 2;
        for (XRFind* campo : {xrfCodigoDoServico, xrfNomeDoServico}) {
            campo->setStatus(XRFind::StatusLimpar);
            campo->setText(QString());
        }
        Ponto = 3;
        HabilitarDesabilitarCampos(true);
    });
}

void frmFicha::xrfNomeDoServico_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrfNomeDoServico_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (xrfNomeDoServico->Status() == XRFind::StatusLimpar) {
            SemServico(xrfCodigoDoServico);
            xrfNomeDoServico->SetFocus();
            return;
        }
        if (xrfNomeDoServico->Status() != XRFind::StatusPesquisar) return;
        Ponto = 2;
        if (xrfNomeDoServico->Style() == 1 && xrfNomeDoServico->Text().length() < 3) {
            xrfNomeDoServico->setEnabled(true);
            Plataforma::MsgBox(QStringLiteral("Informe 3 caracteres ou mais para iniciar a pesquisa."),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return;
        }
        Ponto = 3;
        if (xrcmbTiposDeServicos->ListIndex() == -1) {
            Plataforma::MsgBox(QStringLiteral("Selecione o tipo de serviço."), Plataforma::vbInformation,
                               modPrincipal::NomeDaAplicacao);
            xrcmbTiposDeServicos->SetFocus();
            return;
        }
        Ponto = 4;
        xrfCodigoDoServico->setText(QString());
        qint16 lintTipoDeServico =
            VB::CInt(xrcmbTiposDeServicos->ItemData(xrcmbTiposDeServicos->ListIndex()));
        // The code was just emptied: only the name takes part.
        if (PesquisarServico(lintTipoDeServico, xrfNomeDoServico->Text().trimmed(), 0)) {
            Ponto = 5;
            if (!mbooAnimalBloqueado && xrcmbAnimal->ListCount() > 1)
                xrcmbAnimal->SetFocus();
            else
                xrnumQuantidade->SetFocus();
            mbooIgnorarProximoEvento = true;
            return;
        }
        Ponto = 6;
        SemServico(xrfCodigoDoServico);
        xrfNomeDoServico->setEnabled(true);
        xrfNomeDoServico->SetFocus();
    });
}

void frmFicha::xrfCodigoDoServico_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrfCodigoDoServico_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (xrfCodigoDoServico->Status() == XRFind::StatusLimpar) {
            SemServico(xrfNomeDoServico);
            xrfCodigoDoServico->SetFocus();
            return;
        }
        if (xrfCodigoDoServico->Status() != XRFind::StatusPesquisar) return;
        Ponto = 2;
        if (xrfCodigoDoServico->Style() == 1 && xrfCodigoDoServico->Text().length() < 3) {
            xrfCodigoDoServico->setEnabled(true);
            Plataforma::MsgBox(QStringLiteral("Informe 3 caracteres ou mais para iniciar a pesquisa."),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return;
        }
        Ponto = 3;
        xrfNomeDoServico->setText(QString());
        // No check for a missing type here: no selection searches as "(Todos)" (item data 0).
        qint16 lintTipoDeServico =
            VB::CInt(xrcmbTiposDeServicos->ItemData(xrcmbTiposDeServicos->ListIndex()));
        const QString lstrCodigo = xrfCodigoDoServico->Text().trimmed();
        const std::optional<double> ldouCodigo = modFicha::CodigoDoCampo(lstrCodigo);
        // A code no search can take is one no service has.
        if (!ldouCodigo) {
            ServicoNaoEncontrado(QStringLiteral("código"), lstrCodigo);
            Plataforma::SendKeys(QStringLiteral("+({HOME})"));
        }
        if (ldouCodigo &&
            PesquisarServico(lintTipoDeServico, xrfNomeDoServico->Text().trimmed(), *ldouCodigo))
            return;
        Ponto = 4;
        SemServico(xrfNomeDoServico);
        xrfCodigoDoServico->setStatus(XRFind::StatusNenhum);
        xrfCodigoDoServico->setEnabled(true);
        xrfCodigoDoServico->SetFocus();
    });
}

void frmFicha::xrfNomeDoServico_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) {
        mbooIgnorarProximoEvento = false;
        return;
    }
    xrfCodigoDoServico->setSearchedText(QString());
}
