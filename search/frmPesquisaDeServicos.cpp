#include "search/frmPesquisaDeServicos.h"

#include "component/modFundoEscuro.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"

#include <array>

namespace {

const std::array<frmPesquisa::ColunaDaGrade, frmPesquisaDeServicos::QuantidadeDeColunas> Colunas{{
    {u"Coluna em branco", 0, 1, 0, u""},
    {u"Código", 1100, 1, 0, u"Codigo"},
    {u"Nome", 3150, 1, 1, u"Nome"},
    {u"Descrição", 7070, 1, 1, u"Descricao"},
    {u"Valor", 2100, 4, 0, u"ValorDeVenda"},
    {u"Custo", 0, 1, 0, u"Custo"},
    {u"Número do tipo de serviço", 0, 7, 1, u"NumeroDoTipoDeServico"},
}};

} // namespace

frmPesquisaDeServicos::frmPesquisaDeServicos(QWidget* parent)
    : frmPesquisa(QStringLiteral("frmPesquisaDeServicos"), QStringLiteral("Pesquisa de serviços"),
                  QStringLiteral("Aguarde, pesquisando serviços..."), Colunas, parent) {
    lblTipoDeServico = new Label(this, QStringLiteral("lblTipoDeServico"));
    lblTipoDeServico->setCaption(QStringLiteral("Tipo de serviço*"));
    lblTipoDeServico->Move(390, 990, 3600, 255);

    xrcmbTiposDeServicos = new XRComboBox(this, QStringLiteral("xrcmbTiposDeServicos"));
    xrcmbTiposDeServicos->Move(390, 1245, 3600, 420);

    lblCodigoOuNome = new Label(this, QStringLiteral("lblCodigoOuNome"));
    lblCodigoOuNome->setCaption(QStringLiteral("Código ou nome*"));
    lblCodigoOuNome->Move(4140, 990, 6000, 255);

    // Enabled from the start: the type list's click enables it anyway, also at the
    // first layout, so a disabled design would never be seen.
    xrfndCodigoOuNome = new XRFind(this, QStringLiteral("xrfndCodigoOuNome"));
    xrfndCodigoOuNome->Move(4140, 1245, 6000, 420);

    connect(xrcmbTiposDeServicos, &XRComboBox::Click, this,
            &frmPesquisaDeServicos::xrcmbTiposDeServicos_Click);
    connect(xrfndCodigoOuNome, &XRFind::Click, this, &frmPesquisaDeServicos::xrfndCodigoOuNome_Click);
}

XRComboBox* frmPesquisaDeServicos::TiposDeServicos() const {
    Grade(); // reaching a control loads the dialog
    return xrcmbTiposDeServicos;
}

// When the type list cannot be loaded (its message or the component's error was
// shown), Form_Load leaves without a second report: there is no run-time error to
// show, only a number 0 and an empty description.
void frmPesquisaDeServicos::Form_Load() {
    ComTratamentoDeErro(u"frmPesquisaDeServicos", u"Form_Load", [&](qint16& Ponto) {
        Ponto = 1;
        AdicionarMolduraNoWindows8();
        Ponto = 2;
        if (mbooEfetuarOPreenchimentoDaComboboxTiposDeServicos) {
            if (PreencherComboboxTiposDeServicos() == 1) return;
            Ponto = 3;
            modPrincipal::IgnorarCliqueDoComboTiposDeServicos = true;
            xrcmbTiposDeServicos->setListIndex(0);
        }
        Ponto = 4;
        DefinirDicaDoFechar();
    });
}

qint16 frmPesquisaDeServicos::PreencherComboboxTiposDeServicos() {
    qint16 PreencherComboboxTiposDeServicos = 1;
    ComTratamentoDeErro(u"frmPesquisaDeServicos", u"PreencherComboboxTiposDeServicos", [&](qint16& Ponto) {
        Ponto = 1;
        auto lobjTiposDeServ = Zelt::CriarObjeto<ZELT_N_TipoDeServ::clsTiposDeServ>(ProgId::TiposDeServ);
        Ponto = 2;
        modPrincipal::NumeroDoTipoDeServicoParaComboBox = 0;
        const QVariant lvarResposta =
            lobjTiposDeServ->SelecionarParaComboBox(modPrincipal::NumeroDoTipoDeServicoParaComboBox);
        Ponto = 3;
        if (VB::CLng(lvarResposta) != 0) {
            ExibirErroDoNegocio(*lobjTiposDeServ);
            lobjTiposDeServ.reset();
            RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
            return;
        }
        Ponto = 4;
        RecordsetPtr lrstTipos = lobjTiposDeServ->ResultadoDaSelecaoEmRecordSet();
        if (lrstTipos->RecordCount() == 0) {
            Ponto = 5;
            lobjTiposDeServ.reset();
            Plataforma::MsgBox(
                QStringLiteral("Nenhum tipo de serviço cadastrado.\r\nÉ necessário ter no mínimo "
                               "um tipo de serviço cadastrado para incluir um agendamento."),
                Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            Ponto = 6;
            RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
            return;
        }
        Ponto = 7;
        lobjTiposDeServ.reset();
        xrcmbTiposDeServicos->Clear();
        xrcmbTiposDeServicos->AddItem(QStringLiteral("(Todos)"));
        xrcmbTiposDeServicos->setItemData(xrcmbTiposDeServicos->NewIndex(), 0);
        Ponto = 8;
        lrstTipos->MoveFirst();
        while (!lrstTipos->Eof()) {
            Ponto = 9;
            xrcmbTiposDeServicos->AddItem(VB::CStr(lrstTipos->Fields(QStringLiteral("Nome")).Value));
            xrcmbTiposDeServicos->setItemData(xrcmbTiposDeServicos->NewIndex(),
                                              VB::CLng(lrstTipos->Fields(QStringLiteral("Numero")).Value));
            Ponto = 10;
            lrstTipos->MoveNext();
        }
        PreencherComboboxTiposDeServicos = 0;
    });
    return PreencherComboboxTiposDeServicos;
}

void frmPesquisaDeServicos::xrcmbTiposDeServicos_Click() {
    ComTratamentoDeErro(u"frmPesquisaDeServicos", u"xrcmbTiposDeServicos_Click", [&](qint16& Ponto) {
        Ponto = 1;
        xrfndCodigoOuNome->setEnabled(true);
        Ponto = 2;
        if (modPrincipal::IgnorarCliqueDoComboTiposDeServicos) {
            modPrincipal::IgnorarCliqueDoComboTiposDeServicos = false;
            return;
        }
        Ponto = 3;
        ConfigurarGrade();
        Ponto = 4;
        mbooIgnorarProximoEvento = false;
        Ponto = 5;
        xrfndCodigoOuNome->setStatus(2);
        xrfndCodigoOuNome->setText(QString());
        Ponto = 6;
        xrfndCodigoOuNome->SetFocus();
    });
}

// The layout keeps the grid and the search text; only the find box is enabled again.
void frmPesquisaDeServicos::ConcluirRedimensionamento() {
    modPrincipal::IgnorarCliqueDoComboTiposDeServicos = true;
    xrcmbTiposDeServicos_Click();
}

void frmPesquisaDeServicos::xrfndCodigoOuNome_Click() {
    CliqueDaCaixaDePesquisa(u"xrfndCodigoOuNome_Click");
}

bool frmPesquisaDeServicos::PodePesquisar() {
    if (xrcmbTiposDeServicos->ListIndex() != -1) return true;
    Plataforma::MsgBox(QStringLiteral("Selecione o tipo de serviço."), Plataforma::vbInformation,
                       modPrincipal::NomeDaAplicacao);
    xrcmbTiposDeServicos->SetFocus();
    return false;
}

bool frmPesquisaDeServicos::PesquisarServico() {
    bool PesquisarServico = false;
    ComTratamentoDeErro(u"frmPesquisaDeServicos", u"PesquisarServico", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        Ponto = 2;
        auto lobjServicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
        mbooIgnorarProximoEvento = true;
        Ponto = 3;
        // The text as typed (not trimmed) and the type's number, 0 for "(Todos)".
        const QString lstrTexto = xrfndCodigoOuNome->Text();
        const QVariant lvarResposta = lobjServicos->Selecionar(
            2, 0, 1, lstrTexto, xrcmbTiposDeServicos->ItemData(xrcmbTiposDeServicos->ListIndex()));
        PesquisarServico =
            ConcluirPesquisa(std::move(lobjServicos), lvarResposta,
                             QStringLiteral("Nenhum serviço encontrado  como o valor '") + lstrTexto +
                                 QStringLiteral("' informado e com o tipo de serviço '") +
                                 xrcmbTiposDeServicos->Text() + QStringLiteral("'."),
                             Ponto);
    });
    return PesquisarServico;
}
