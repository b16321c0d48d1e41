#include "list/frmLista.h"

#include "component/modAjuda.h"
#include "component/modArredondarCantosDoObjeto.h"
#include "component/modConstantes.h"
#include "component/modFuncoes.h"
#include "component/modGrade.h"
#include "component/modMensagemDeErro.h"
#include "component/modPainelDeEspera.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Icones.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"
#include "record/frmFicha.h"

#include <array>

namespace {

// Column 3 starts at 8040 twips and then absorbs the spare width of the form. The field
// each column shows is IFormularioDeLista::CampoDaColuna.
const std::array<modGrade::ColunaDaGrade, frmLista::QuantidadeDeColunas> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Número do Orçamento", 1570, 4, 0},
    {u"Apelido ou nome fantasia do cliente", 5150, 1, 1},
    {u"Nome ou razão social do cliente", 8040, 1, 1},
    {u"Data do Orçamento", 1500, 4, 1},
    {u"Código do cliente", 0, 1, 0},
    {u"Valor total", 0, 1, 0},
    {u"(%) de desconto", 0, 1, 0},
    {u"Valor do desconto", 0, 1, 0},
    {u"Valor líquido", 0, 1, 0},
    {u"Data de validade do orçamento", 0, 1, 0},
    {u"Código da situação", 0, 4, 2},
    {u"Situação", 1400, 4, 2}, // a picture by the situation
    {u"Data e hora da inclusão", 0, 1, 2},
    {u"Usuário da inclusão", 0, 1, 1},
    {u"Data e hora da alteração", 0, 1, 2},
    {u"Usuário da alteração", 0, 1, 1},
}};

} // namespace

frmLista::frmLista(QWidget* parent) : IFormularioDeLista(parent) {
    setObjectName(QStringLiteral("frmLista"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    setPalette(paleta);
    setFont(Aparencia::Fonte(10));
    resize(Twips::ParaPixels(18000), Twips::ParaPixels(9000));
    CriarControles();
    // F1 anywhere in the list: the user's guide at the list's section.
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDaLista);
}

frmLista::~frmLista() = default;

// The controls as the form is designed; Form_Resize places them.
void frmLista::CriarControles() {
    lblTitulo = new Label(this, QStringLiteral("lblTitulo"));
    lblTitulo->setCaption(QStringLiteral("Orçamentos"));
    lblTitulo->setFont(Aparencia::Fonte(20));
    lblTitulo->Move(300, 350, 4000, 600);

    xrcmdAdicionar = new XRCommandButton(this, QStringLiteral("xrcmdAdicionar"));
    xrcmdAdicionar->setCaption(QStringLiteral("    Adicionar"));
    xrcmdAdicionar->setIcone(QStringLiteral("Adicionar"));
    xrcmdAdicionar->Move(300, 1200, 1800, 450);

    xrfndPesquisar = new XRFind(this, QStringLiteral("xrfndPesquisar"));
    xrfndPesquisar->setCaption(QStringLiteral("Orçamento"));
    xrfndPesquisar->setHint(QStringLiteral(
        "Número do orçamento, Código, Apelido, Nome fantasia, Nome ou Razão social do cliente."));
    xrfndPesquisar->Move(2200, 1200, 7800, 450);

    xrcmbSituacao = new XRComboBox(this, QStringLiteral("xrcmbSituacao"));
    xrcmbSituacao->Move(10100, 1200, 2800, 450);

    xrcmdImprimirLista = new XRCommandButton(this, QStringLiteral("xrcmdImprimirLista"));
    xrcmdImprimirLista->setIcone(QStringLiteral("Imprimir"));
    xrcmdImprimirLista->Move(13000, 1200, 450, 450);

    xrnbBarraDeNavegacao = new XRNavigationBar(this, QStringLiteral("xrnbBarraDeNavegacao"));
    xrnbBarraDeNavegacao->Move(14000, 1065, 3800, 720);

    lblMensagemDeResultado = new Label(this, QStringLiteral("lblMensagemDeResultado"));
    lblMensagemDeResultado->setCaption(QStringLiteral("Mensagem de resultado"));
    lblMensagemDeResultado->setFont(Aparencia::Fonte(12));
    lblMensagemDeResultado->Move(300, 1800, 9000, 400);
    lblMensagemDeResultado->setVisible(false);

    msfgGrade = new MSFlexGrid(this, QStringLiteral("msfgGrade"));
    msfgGrade->Move(300, 1750, 17400, 6000);

    xrcmdAlterar = new XRCommandButton(this, QStringLiteral("xrcmdAlterar"));
    xrcmdAlterar->setIcone(QStringLiteral("Alterar"));
    xrcmdExcluir = new XRCommandButton(this, QStringLiteral("xrcmdExcluir"));
    xrcmdExcluir->setIcone(QStringLiteral("Excluir"));
    xrcmdImprimirFicha = new XRCommandButton(this, QStringLiteral("xrcmdImprimirFicha"));
    xrcmdImprimirFicha->setIcone(QStringLiteral("Imprimir"));
    for (XRCommandButton* comando : {xrcmdAlterar, xrcmdExcluir, xrcmdImprimirFicha}) {
        comando->Move(0, 0, 570, 570);
        comando->setVisible(false);
    }

    picMensagem = new PictureBox(this, QStringLiteral("picMensagem"));
    picMensagem->Move(2200, 2500, 6000, 1200);
    picMensagem->setPicture(
        ImagemDoPainelDeEspera(6000, 1200, QStringLiteral("Aguarde, pesquisando orçamentos...")));
    picMensagem->setVisible(false);

    imgEtiqueta_Situacao_Ativo = new Image(this, QStringLiteral("imgEtiqueta_Situacao_Ativo"));
    imgEtiqueta_Situacao_Ativo->setPicture(Icones::Icone(QStringLiteral("EtiquetaAtivo"), 22));
    imgEtiqueta_Situacao_Ativo->setVisible(false);
    imgEtiqueta_Situacao_Inativo = new Image(this, QStringLiteral("imgEtiqueta_Situacao_Inativo"));
    imgEtiqueta_Situacao_Inativo->setPicture(Icones::Icone(QStringLiteral("EtiquetaInativo"), 22));
    imgEtiqueta_Situacao_Inativo->setVisible(false);

    connect(xrcmbSituacao, &XRComboBox::Click, this, &frmLista::xrcmbSituacao_Click);
    connect(xrfndPesquisar, &XRFind::Click, this, &frmLista::xrfndPesquisar_Click);
    connect(xrnbBarraDeNavegacao, &XRNavigationBar::Click, this, &frmLista::xrnbBarraDeNavegacao_Click);
    connect(msfgGrade, &MSFlexGrid::MouseMove, this, &frmLista::msfgGrade_MouseMove);
    connect(msfgGrade, &MSFlexGrid::SelChange, this, &frmLista::msfgGrade_SelChange);
    connect(xrcmdAdicionar, &XRCommandButton::Click, this, &frmLista::xrcmdAdicionar_Click);
    connect(xrcmdAlterar, &XRCommandButton::Click, this, &frmLista::xrcmdAlterar_Click);
    connect(xrcmdExcluir, &XRCommandButton::Click, this, &frmLista::xrcmdExcluir_Click);
    connect(xrcmdImprimirLista, &XRCommandButton::Click, this, &frmLista::xrcmdImprimirLista_Click);
    connect(xrcmdImprimirFicha, &XRCommandButton::Click, this, &frmLista::xrcmdImprimirFicha_Click);
    CriarMenuDaLinha();
}

// The business object of the list; error 91 when it could not be created, so that a
// list whose start failed answers every action with a message instead of a crash.
ZELT_N_Orcamentos::clsOrcamentos& frmLista::Orcamentos() const {
    if (!mobjOrcamentos) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return *mobjOrcamentos;
}

qint16 frmLista::MontarExibirFormulario(HWnd AreaDeTrabalho_hWnd) {
    qint16 MontarExibirFormulario = 1;
    ComTratamentoDeErro(u"frmLista", u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        Plataforma::SetParent(this, AreaDeTrabalho_hWnd);
        Ponto = 2;
        PreencherComboBoxDeSituacao();
        Ponto = 3;
        mbooIgnorarClique = true;
        Ponto = 4;
        xrcmbSituacao->setListIndex(3);
        Ponto = 5;
        const std::array<std::pair<XRCommandButton*, const char16_t*>, 4> dicas{{
            {xrcmdImprimirLista, u"Imprimir lista"},
            {xrcmdAlterar, u"Alterar"},
            {xrcmdExcluir, u"Excluir"},
            {xrcmdImprimirFicha, u"Imprimir ficha"},
        }};
        for (const auto& [comando, dica] : dicas) {
            comando->setToolTipType(0);
            comando->setToolTipText(QString::fromUtf16(dica));
        }
        Ponto = 6;
        ConfigurarGrade();
        Ponto = 7;
        show();
        Ponto = 8;
        mobjOrcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        Ponto = 9;
        if (GerarLista() == 0) {
            Ponto = 10;
            mlonPaginaAtual = 1;
            Ponto = 11;
            AtualizarObjetos(modConstantes::PrimeiraPagina);
            MontarExibirFormulario = 0;
        }
    });
    // Without its business object the list has nothing to search, filter, page or
    // print: those controls stay closed, and adding a quote stays possible.
    if (!mobjOrcamentos)
        for (Controle* controle : std::initializer_list<Controle*>{xrfndPesquisar, xrcmbSituacao,
                                                                   xrcmdImprimirLista, xrnbBarraDeNavegacao})
            controle->setEnabled(false);
    return MontarExibirFormulario;
}

void frmLista::PreencherComboBoxDeSituacao() {
    // The four situations first, in their places; then the stages, which the business
    // layer selects by the same codes, with the same search, paging and counts.
    namespace F = ZELT_N_Orcamentos::FiltroDaLista;
    const std::array<std::pair<const char16_t*, int>, 10> itens{{
        {u"Todas as situações", F::Todos},
        {u"Ativos", F::Ativos},
        {u"Inativos", F::Inativos},
        {u"Recentes", F::Recentes},
        {u"Aguardando resposta", F::AguardandoResposta},
        {u"Vencem em até 7 dias", F::VencemEmAte7Dias},
        {u"Vencidos", F::Vencidos},
        {u"Aprovados", F::Aprovados},
        {u"Recusados", F::Recusados},
        {u"Concluídos", F::Concluidos},
    }};
    ComTratamentoDeErro(u"frmLista", u"PreencherComboBoxDeSituacao", [&](qint16& Ponto) {
        for (const auto& [texto, codigo] : itens) {
            Ponto = 1;
            xrcmbSituacao->AddItem(QString::fromUtf16(texto));
            Ponto = 2;
            xrcmbSituacao->setItemData(xrcmbSituacao->NewIndex(), codigo);
        }
    });
}

void frmLista::PosicionarpicMensagem() {
    picMensagem->raise();
    picMensagem->setTop(msfgGrade->Top() + msfgGrade->RowHeight(0));
}

void frmLista::ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem) {
    if (lbooExibirOcultarpicMensagem) {
        msfgGrade->setVisible(false);
        ExibirPainelDeEspera(this, picMensagem, [this] { PosicionarpicMensagem(); });
    } else {
        OcultarPainelDeEspera(this, picMensagem);
        msfgGrade->setVisible(true);
    }
}

void frmLista::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    Form_Resize();
}

void frmLista::Form_Resize() {
    ComTratamentoDeErro(u"frmLista", u"Form_Resize", [&](qint16& Ponto) {
        const int ScaleLeft = 0;
        const int ScaleWidth = Twips::DePixels(width());
        const int ScaleHeight = Twips::DePixels(height());
        Ponto = 1;
        lblTitulo->Move(ScaleLeft + 300, 350);
        Ponto = 2;
        xrcmdAdicionar->Move(lblTitulo->Left(), lblTitulo->Top() + 850);
        Ponto = 3;
        xrfndPesquisar->Move(xrcmdAdicionar->Left() + xrcmdAdicionar->Width() + 100, xrcmdAdicionar->Top());
        Ponto = 4;
        xrcmbSituacao->Move(xrfndPesquisar->Left() + xrfndPesquisar->Width() + 100, xrfndPesquisar->Top());
        Ponto = 5;
        xrcmdImprimirLista->Move(xrcmbSituacao->Left() + xrcmbSituacao->Width() + 100, xrfndPesquisar->Top());
        Ponto = 6;
        xrnbBarraDeNavegacao->Move(ScaleWidth - xrnbBarraDeNavegacao->Width() - 120,
                                   xrcmdAdicionar->Top() - 135);
        Ponto = 7;
        lblMensagemDeResultado->Move(xrcmdAdicionar->Left(), xrcmdAdicionar->Top() + 600);
        Ponto = 8;
        picMensagem->setLeft(xrfndPesquisar->Left());
        Ponto = 9;
        msfgGrade->setRedraw(false);
        msfgGrade->Move(xrcmdAdicionar->Left(), xrcmdAdicionar->Top() + 550, ScaleWidth - 600,
                        ScaleHeight - 800);
        msfgGrade->setRedraw(true);
        Ponto = 10;
        msfgGrade->setColWidth(ColunaNomeOuRazaoSocialDoCliente,
                               static_cast<int>(VB::ArredondarParaPar(ScaleWidth - 10200.0)));
        Ponto = 11;
        mintTamanhoDaPagina = static_cast<qint16>((msfgGrade->Height() - 700) / 650);
    });
}

qint16 frmLista::ConfigurarGrade() {
    qint16 ConfigurarGrade = 1;
    ComTratamentoDeErro(u"frmLista", u"ConfigurarGrade", [&](qint16& Ponto) {
        Ponto = 1;
        modGrade::AplicarAparencia(msfgGrade, 0xF5F5F6, 0);
        Ponto = 2;
        modGrade::DefinirColunas(msfgGrade, Colunas, 0xFFFFFF);
        Ponto = 3;
        msfgGrade->setRedraw(true);
        ConfigurarGrade = 0;
    });
    return ConfigurarGrade;
}

qint16 frmLista::GerarLista() {
    qint16 GerarLista = 1;
    ComTratamentoDeErro(u"frmLista", u"GerarLista", [&](qint16& Ponto) {
        Ponto = 1;
        const qint32 llonSituacao = xrcmbSituacao->ItemData(xrcmbSituacao->ListIndex());
        Ponto = 2;
        const QString lstrTexto = xrfndPesquisar->Text();
        Ponto = 3;
        const QVariant lvarResultado =
            Orcamentos().Selecionar(1, mintTamanhoDaPagina, llonSituacao, lstrTexto, 0, 0);
        Ponto = 4;
        if (VB::CLng(lvarResultado) == 0) {
            Ponto = 5;
            mbooFiltrado = llonSituacao != 0 || xrfndPesquisar->Status() == XRFind::StatusPesquisar;
            GerarLista = 0;
        } else {
            Ponto = 6;
            ExibirErroDoNegocio(Orcamentos());
        }
    });
    return GerarLista;
}

void frmLista::PreencherGrade() {
    ComTratamentoDeErro(u"frmLista", u"PreencherGrade", [&](qint16& Ponto) {
        Ponto = 1;
        const RecordsetPtr lrstResultado = Orcamentos().ResultadoDaSelecaoEmRecordSet();
        if (lrstResultado->RecordCount() == 0) return;
        Ponto = 2;
        // Pages are counted in the page size the grid has now (a resize changes it), and a
        // page remembered from an earlier selection may lie beyond this one's end: the
        // current page becomes the page really shown, which the navigation bar describes.
        if (mintTamanhoDaPagina > 0) lrstResultado->SetPageSize(mintTamanhoDaPagina);
        mlonPaginaAtual = std::clamp(mlonPaginaAtual, 1, lrstResultado->PageCount());
        lrstResultado->SetAbsolutePage(mlonPaginaAtual);
        Ponto = 3;
        RecordsetPtr lrstPagina;
        Orcamentos().PaginarResultadoDaSelecaoEmRecordset(mintTamanhoDaPagina, lrstPagina);
        Ponto = 4;
        msfgGrade->setRedraw(false);
        msfgGrade->setRows(lrstPagina->RecordCount() + 1);
        if (msfgGrade->Rows() >= 2) msfgGrade->setFixedRows(1);
        msfgGrade->setRowHeight(0, 700);
        Ponto = 5;
        lrstPagina->MoveFirst();
        for (int r = 1; !lrstPagina->Eof(); ++r, lrstPagina->MoveNext()) {
            Ponto = 6;
            msfgGrade->setRowHeight(r, 570);
            modGrade::EstilizarLinha(msfgGrade, r);
            Ponto = 7;
            for (int c = ColunaNumeroDoOrcamento; c < QuantidadeDeColunas; ++c) {
                if (c == ColunaSituacao) continue;
                const QVariant valor = lrstPagina->Fields(QString::fromUtf16(CampoDaColuna(c))).Value;
                const bool podeFaltar = c == ColunaDataEHoraDaAlteracao || c == ColunaUsuarioDaAlteracao;
                msfgGrade->setTextMatrix(r, c, podeFaltar && VB::IsNull(valor) ? QString() : VB::CStr(valor));
            }
            Ponto = 8;
            msfgGrade->setCol(ColunaSituacao);
            const bool ativo = VB::CLng(lrstPagina->Fields(QStringLiteral("Situacao")).Value) == 1;
            msfgGrade->setCellPicture(
                (ativo ? imgEtiqueta_Situacao_Ativo : imgEtiqueta_Situacao_Inativo)->Picture());
            msfgGrade->setCellPictureAlignment(4);
        }
        Ponto = 9;
        msfgGrade->setRedraw(true);
    });
}

qint16 frmLista::AtualizarObjetos(qint16 lintComandoDeNavegacao) {
    qint16 AtualizarObjetos = 1;
    ComTratamentoDeErro(u"frmLista", u"AtualizarObjetos", [&](qint16& Ponto) {
        Ponto = 1;
        PreencherGrade();
        // Other quotes may now lie under the row commands: hidden, they wait for the
        // mouse to name their row again, and never act on a row they are not over.
        for (XRCommandButton* comando : {xrcmdAlterar, xrcmdExcluir, xrcmdImprimirFicha})
            comando->setVisible(false);
        mintLinhaSobOMouse = NenhumaLinha;
        Ponto = 2;
        if (picMensagem->Visible()) ExibirOcultarpicMensagem(false);
        Ponto = 3;
        const RecordsetPtr lrstResultado = Orcamentos().ResultadoDaSelecaoEmRecordSet();
        const int T = lrstResultado->RecordCount();
        if (T > 0) {
            for (Controle* controle :
                 std::initializer_list<Controle*>{xrcmdAdicionar, xrfndPesquisar, xrcmbSituacao,
                                                  xrcmdImprimirLista, xrnbBarraDeNavegacao, msfgGrade})
                controle->setVisible(true);
            lblMensagemDeResultado->setVisible(false);
        } else {
            xrcmdAdicionar->setVisible(true);
            // Nothing registered at all: nothing to search or filter either.
            // Nothing at all is registered only when no text narrowed the selection either: a
            // text typed without asking for its search (then a print or a filter selected again
            // with it) must leave the find box on screen, or the person could never clear it.
            const bool nadaRegistrado = xrfndPesquisar->Status() != XRFind::StatusPesquisar &&
                                        xrcmbSituacao->ListIndex() <= 0 &&
                                        xrfndPesquisar->Text().trimmed().isEmpty();
            xrfndPesquisar->setVisible(!nadaRegistrado);
            xrcmbSituacao->setVisible(!nadaRegistrado);
            xrcmdImprimirLista->setVisible(!nadaRegistrado);
            xrnbBarraDeNavegacao->setVisible(false);
            msfgGrade->setVisible(false);
            lblMensagemDeResultado->setCaption(QStringLiteral("Nenhum orçamento encontrado."));
            lblMensagemDeResultado->setVisible(true);
        }
        Ponto = 4;
        // The bar describes the rows the grid shows: the page really shown (PreencherGrade
        // keeps it in the current-page field) whatever command led there.
        Q_UNUSED(lintComandoDeNavegacao);
        const int n = msfgGrade->Rows() - 1;
        const int P = mintTamanhoDaPagina;
        const int primeiro = T > 0 ? (mlonPaginaAtual - 1) * P + 1 : 0;
        const int ultimo = T > 0 ? primeiro + n - 1 : 0;
        xrnbBarraDeNavegacao->setPrimeiroRegistro(primeiro);
        xrnbBarraDeNavegacao->setUltimoRegistro(ultimo);
        xrnbBarraDeNavegacao->setTotalDeRegistros(T);
        xrnbBarraDeNavegacao->setRegistrosPorPagina(P);
        xrnbBarraDeNavegacao->Atualizar();
        Ponto = 5;
        if (msfgGrade->Visible()) {
            msfgGrade->SetFocus();
            msfgGrade->setCol(0);
            msfgGrade->setRow(msfgGrade->RowSel());
        }
        AtualizarObjetos = 0;
    });
    return AtualizarObjetos;
}

void frmLista::xrnbBarraDeNavegacao_Click(int Botao) {
    ComTratamentoDeErro(u"frmLista", u"xrnbBarraDeNavegacao_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (Botao < modConstantes::PrimeiraPagina || Botao > modConstantes::UltimaPagina) return;
        const RecordsetPtr lrstResultado = Orcamentos().ResultadoDaSelecaoEmRecordSet();
        Ponto = 2;
        switch (Botao) {
        case modConstantes::PrimeiraPagina:
            mlonPaginaAtual = 1;
            break;
        case modConstantes::PaginaAnterior:
            mlonPaginaAtual = lrstResultado->AbsolutePage() - 1;
            break;
        case modConstantes::ProximaPagina:
            mlonPaginaAtual = lrstResultado->AbsolutePage() + 1;
            break;
        case modConstantes::UltimaPagina:
            mlonPaginaAtual = lrstResultado->PageCount();
            break;
        }
        Ponto = 3;
        AtualizarObjetos(static_cast<qint16>(Botao));
    });
}

bool frmLista::CliqueIgnorado() {
    if (!mbooIgnorarClique) return false;
    mbooIgnorarClique = false;
    return true;
}

void frmLista::ReselecionarEExibir() {
    GerarLista();
    if (mbooFiltrado) {
        // A new filter or search starts on its first page.
        mlonPaginaAtual = 1;
        AtualizarObjetos(modConstantes::PrimeiraPagina);
    } else {
        // Back to the whole list: the page it showed before the filter.
        if (mlonPaginaSalva < 1) mlonPaginaSalva = 1;
        mlonPaginaAtual = mlonPaginaSalva;
        AtualizarObjetos(modConstantes::PaginaAtual);
    }
}

void frmLista::xrcmbSituacao_Click() {
    ComTratamentoDeErro(u"frmLista", u"xrcmbSituacao_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (CliqueIgnorado()) return;
        Ponto = 2;
        ExibirOcultarpicMensagem(true);
        Ponto = 3;
        if (!mbooFiltrado && xrcmbSituacao->ItemData(xrcmbSituacao->ListIndex()) != 0)
            mlonPaginaSalva = Orcamentos().ResultadoDaSelecaoEmRecordSet()->AbsolutePage();
        Ponto = 4;
        ReselecionarEExibir();
    });
    // A failure after the waiting panel showed must not leave the list closed under it.
    if (picMensagem->Visible()) ExibirOcultarpicMensagem(false);
}

void frmLista::xrfndPesquisar_Click() {
    ComTratamentoDeErro(u"frmLista", u"xrfndPesquisar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (CliqueIgnorado()) return;
        Ponto = 2;
        ExibirOcultarpicMensagem(true);
        Ponto = 3;
        if (xrfndPesquisar->Status() == XRFind::StatusPesquisar && !mbooFiltrado)
            mlonPaginaSalva = Orcamentos().ResultadoDaSelecaoEmRecordSet()->AbsolutePage();
        Ponto = 4;
        if (xrfndPesquisar->Status() == XRFind::StatusPesquisar && xrcmbSituacao->ListIndex() == 3) {
            // A text search runs over every situation.
            mbooIgnorarClique = true;
            xrcmbSituacao->setListIndex(0);
        } else if (xrfndPesquisar->Status() == XRFind::StatusLimpar && xrcmbSituacao->ListIndex() == 0) {
            // Clearing the search goes back to the recent quotes.
            mbooIgnorarClique = true;
            xrcmbSituacao->setListIndex(3);
        }
        Ponto = 5;
        ReselecionarEExibir();
    });
    // A failure after the waiting panel showed must not leave the list closed under it.
    if (picMensagem->Visible()) ExibirOcultarpicMensagem(false);
}

void frmLista::msfgGrade_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float Y) {
    ComTratamentoDeErro(u"frmLista", u"msfgGrade_MouseMove", [&](qint16& Ponto) {
        Ponto = 1;
        const int lintLinha =
            static_cast<int>(VB::ArredondarParaPar((Y + 150.0) / msfgGrade->RowHeight(1))) - 1;
        Ponto = 2;
        if (lintLinha == mintLinhaSobOMouse) return;
        mintLinhaSobOMouse = lintLinha;
        Ponto = 3;
        if (lintLinha > 0 && lintLinha <= msfgGrade->Rows() - 1) {
            msfgGrade->setCol(ColunaApelidoOuNomeFantasiaDoCliente);
            msfgGrade->setRow(lintLinha);
            Ponto = 4;
            const int topo = msfgGrade->Top() + msfgGrade->CellTop();
            const int direita = msfgGrade->Left() + msfgGrade->CellLeft() + msfgGrade->CellWidth();
            xrcmdAlterar->Move(direita - 1710, topo);
            xrcmdExcluir->Move(direita - 1140, topo);
            xrcmdImprimirFicha->Move(direita - 570, topo);
            for (XRCommandButton* comando : {xrcmdAlterar, xrcmdExcluir, xrcmdImprimirFicha}) {
                comando->setVisible(true);
                comando->raise();
            }
            Ponto = 5;
            msfgGrade->setHighLight(1);
            msfgGrade->setCol(0);
            msfgGrade->setRow(lintLinha);
            msfgGrade->setColSel(msfgGrade->Cols() - 1);
        } else {
            Ponto = 6;
            for (XRCommandButton* comando : {xrcmdAlterar, xrcmdExcluir, xrcmdImprimirFicha})
                comando->setVisible(false);
            msfgGrade->setHighLight(0);
            msfgGrade->setCol(0);
            msfgGrade->setRow(1);
        }
    });
}

void frmLista::msfgGrade_SelChange() {
    ComTratamentoDeErro(u"frmLista", u"msfgGrade_SelChange", [&](qint16& Ponto) {
        Ponto = 1;
        if (msfgGrade->RowSel() != msfgGrade->Row()) {
            Ponto = 2;
            msfgGrade->setRow(msfgGrade->RowSel());
            Ponto = 3;
            msfgGrade->setColSel(msfgGrade->Cols() - 1);
        }
    });
}

// ---------------------------------------------------------------------------------------------
// The record commands: the record form in the mode of the command; the list selects again
// when the form reports a completed operation, and stays on its page.

void frmLista::xrcmdAdicionar_Click() {
    ExecutarComandoDaFicha(frmFicha::Inclusao, u"xrcmdAdicionar_Click");
}

void frmLista::xrcmdAlterar_Click() {
    ExecutarComandoDaFicha(frmFicha::Alteracao, u"xrcmdAlterar_Click");
}

void frmLista::xrcmdExcluir_Click() {
    ExecutarComandoDaFicha(frmFicha::Exclusao, u"xrcmdExcluir_Click");
}

void frmLista::ExecutarComandoDaFicha(qint16 lintTipoDeOperacao, QStringView procedimento) {
    ComTratamentoDeErro(u"frmLista", procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        frmFicha& lfrmFicha = frmFicha::InstanciaDaLista();
        lfrmFicha.MontarExibirFormulario(lintTipoDeOperacao);
        Ponto = 2;
        if (lfrmFicha.OperacaoConcluida()) {
            GerarLista();
            AtualizarObjetos(modConstantes::NovaSelecao);
        }
    });
    // Unloaded also after an error: the next command starts with a fresh form.
    frmFicha::DescarregarInstanciaDaLista();
}
