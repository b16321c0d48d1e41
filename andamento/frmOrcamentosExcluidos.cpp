#include "andamento/frmOrcamentosExcluidos.h"

#include "component/modAjuda.h"
#include "component/modConstantes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "list/frmLista.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"

#include <algorithm>
#include <array>

namespace {

enum Coluna : int {
    ColunaNumeroDoOrcamento = 1,
    ColunaCodigoDoCliente,
    ColunaApelidoOuNomeFantasiaDoCliente,
    ColunaNomeOuRazaoSocialDoCliente,
    ColunaValorLiquido,
    ColunaDataEHoraDaExclusao,
    ColunaUsuarioDaExclusao,
};

// Column 4 absorbs the spare width of the window (LarguraDasOutrasColunas is the rest).
const std::array<modGrade::ColunaDaGrade, 8> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Número do Orçamento", 1570, 4, 0, u"NumeroDoOrcamento"},
    {u"Código do cliente", 1400, 4, 0, u"CodigoDoCliente"},
    {u"Apelido ou nome fantasia do cliente", 3000, 1, 1, u"ApelidoOuNomeFantasiaDoCliente"},
    {u"Nome ou razão social do cliente", 4000, 1, 1, u"NomeOuRazaoSocialDoCliente"},
    {u"Valor líquido", 1500, 7, 0, u"ValorLiquido"},
    {u"Excluído em", 2500, 4, 1, u"DataEHoraDaExclusao"},
    {u"Excluído por", 1700, 1, 1, u"UsuarioDaExclusao"},
}};
constexpr int LarguraDasOutrasColunas = 1570 + 1400 + 3000 + 1500 + 2500 + 1700 + 300;

} // namespace

const QString frmOrcamentosExcluidos::DicaDeSomenteAdministrador =
    QStringLiteral("Somente um administrador pode restaurar um orçamento excluído.");

frmOrcamentosExcluidos::frmOrcamentosExcluidos(QWidget* pai)
    : frmAndamento(QStringLiteral("frmOrcamentosExcluidos"), QStringLiteral("Orçamentos excluídos"), 16500,
                   9100, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDosExcluidos);
    xrfndPesquisar = new XRFind(this, QStringLiteral("xrfndPesquisar"));
    xrfndPesquisar->setCaption(QStringLiteral("Orçamento"));
    xrfndPesquisar->setHint(QStringLiteral(
        "Número do orçamento, Código, Apelido, Nome fantasia, Nome ou Razão social do cliente."));
    xrfndPesquisar->Move(Margem, TopoDosComandos, 7800, 450);

    xrcmdRestaurar = new XRCommandButton(this, QStringLiteral("xrcmdRestaurar"));
    xrcmdRestaurar->setCaption(QStringLiteral("    Restaurar"));
    xrcmdRestaurar->setIcone(QStringLiteral("Adicionar"));
    xrcmdRestaurar->setToolTipType(0);
    xrcmdRestaurar->Move(8200, TopoDosComandos, 1800, 450);

    xrnbBarraDeNavegacao = new XRNavigationBar(this, QStringLiteral("xrnbBarraDeNavegacao"));
    xrnbBarraDeNavegacao->Move(12400, TopoDosComandos - 135, 3800, 720);

    connect(xrfndPesquisar, &XRFind::Click, this, &frmOrcamentosExcluidos::xrfndPesquisar_Click);
    connect(xrnbBarraDeNavegacao, &XRNavigationBar::Click, this,
            &frmOrcamentosExcluidos::xrnbBarraDeNavegacao_Click);
    connect(msfgGrade, &MSFlexGrid::SelChange, this, &frmOrcamentosExcluidos::msfgGrade_SelChange);
    connect(xrcmdRestaurar, &XRCommandButton::Click, this, &frmOrcamentosExcluidos::xrcmdRestaurar_Click);
}

frmOrcamentosExcluidos::~frmOrcamentosExcluidos() = default;

// Error 91 when the business object could not be created: every command then answers
// with a message instead of a crash.
ZELT_N_Orcamentos::clsHistorico& frmOrcamentosExcluidos::Historico() const {
    if (!mobjHistorico) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return *mobjHistorico;
}

void frmOrcamentosExcluidos::MontarExibirFormulario() {
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        mbooAdministrador =
            modPrincipal::DadosDoUsuario && modPrincipal::DadosDoUsuario->property("Administrador").toBool();
        xrcmdRestaurar->setToolTipText(mbooAdministrador
                                           ? QStringLiteral("Restaura o orçamento selecionado, "
                                                            "com seus itens e valores, como ativo.")
                                           : DicaDeSomenteAdministrador);
        Ponto = 2;
        ConfigurarGrade(Colunas);
        // Closed until a row is shown (and for good when the selection fails).
        AtualizarComandos();
        Ponto = 3;
        mobjHistorico = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsHistorico>(ProgId::Historico);
        mobjHistorico->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 4;
        Selecionar(1);
    });
    // Shown even when the first selection failed (the person has been told): the find
    // box stays there to try again, and "Fechar" to leave.
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 5;
        Plataforma::ExibirModal(this);
    });
}

qint16 frmOrcamentosExcluidos::Selecionar(qint32 llonPagina) {
    qint16 Selecionar = 1;
    ComTratamentoDeErro(mstrNome, u"Selecionar", [&](qint16& Ponto) {
        Ponto = 1;
        qint16 lintTamanhoDaPagina = TamanhoDaPagina;
        if (VB::CBool(Historico().SelecionarExcluidos(lintTamanhoDaPagina, xrfndPesquisar->Text()))) {
            Ponto = 2;
            ExibirErroDoNegocio(Historico());
            return;
        }
        Ponto = 3;
        mlonPaginaAtual = llonPagina;
        PreencherGrade();
        Selecionar = 0;
    });
    return Selecionar;
}

// Reads only that page's rows (the selection is read lazily, a page at a time) and
// tells the navigation bar which rows they are.
void frmOrcamentosExcluidos::PreencherGrade() {
    ComTratamentoDeErro(mstrNome, u"PreencherGrade", [&](qint16& Ponto) {
        Ponto = 1;
        const RecordsetPtr lrstExcluidos = Historico().ResultadoDaSelecaoEmRecordSet();
        const int T = lrstExcluidos->RecordCount();
        mlonPaginaAtual = std::clamp(mlonPaginaAtual, 1, std::max(lrstExcluidos->PageCount(), 1));
        QList<QStringList> linhas;
        Ponto = 2;
        if (T > 0) {
            try {
                lrstExcluidos->SetAbsolutePage(mlonPaginaAtual);
                for (int i = 0; i < lrstExcluidos->PageSize() && !lrstExcluidos->Eof();
                     ++i, lrstExcluidos->MoveNext()) {
                    const Recordset& r = *lrstExcluidos;
                    QStringList celulas;
                    for (int c = ColunaNumeroDoOrcamento; c <= ColunaUsuarioDaExclusao; ++c)
                        celulas << (c == ColunaValorLiquido ? DinheiroDoCampo(r, Colunas[c].Campo)
                                                            : TextoDoCampo(r, Colunas[c].Campo));
                    linhas << celulas;
                }
            } catch (const VB::ErroDeExecucao& erro) {
                // Rows restored elsewhere after the count: the page shows what is left.
                if (erro.Numero() != VB::SemRegistroAtual) throw;
            }
        }
        Ponto = 3;
        PrepararLinhas(static_cast<int>(linhas.size()));
        for (int r = 1; r <= linhas.size(); ++r)
            for (int c = ColunaNumeroDoOrcamento; c <= ColunaUsuarioDaExclusao; ++c)
                msfgGrade->setTextMatrix(r, c, linhas[r - 1].value(c - ColunaNumeroDoOrcamento));
        msfgGrade->setRedraw(true);
        Ponto = 4;
        // Nothing deleted at all, or nothing deleted that the search finds: the list's words.
        ExibirMensagemDeResultado(linhas.isEmpty() ? (xrfndPesquisar->Text().trimmed().isEmpty()
                                                          ? QStringLiteral("Nenhum orçamento excluído.")
                                                          : QStringLiteral("Nenhum orçamento encontrado."))
                                                   : QString());
        Ponto = 5;
        const int P = TamanhoDaPagina;
        const int primeiro = linhas.isEmpty() ? 0 : (mlonPaginaAtual - 1) * P + 1;
        xrnbBarraDeNavegacao->setPrimeiroRegistro(primeiro);
        xrnbBarraDeNavegacao->setUltimoRegistro(
            linhas.isEmpty() ? 0 : primeiro + static_cast<int>(linhas.size()) - 1);
        xrnbBarraDeNavegacao->setTotalDeRegistros(T);
        xrnbBarraDeNavegacao->setRegistrosPorPagina(P);
        xrnbBarraDeNavegacao->Atualizar();
        Ponto = 6;
        if (!linhas.isEmpty()) {
            msfgGrade->setCol(0);
            msfgGrade->setRow(1);
            msfgGrade->setColSel(msfgGrade->Cols() - 1);
        }
        AtualizarComandos();
    });
}

void frmOrcamentosExcluidos::AtualizarComandos() {
    xrcmdRestaurar->setEnabled(mbooAdministrador && NumeroSelecionado() > 0);
}

double frmOrcamentosExcluidos::NumeroSelecionado() const {
    const int linha = LinhaSelecionada();
    return linha > 0 ? msfgGrade->TextMatrix(linha, ColunaNumeroDoOrcamento).toDouble() : 0;
}

void frmOrcamentosExcluidos::xrfndPesquisar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrfndPesquisar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        // A search, or its clearing: a new selection from its first page.
        Selecionar(1);
    });
}

void frmOrcamentosExcluidos::xrnbBarraDeNavegacao_Click(int Botao) {
    ComTratamentoDeErro(mstrNome, u"xrnbBarraDeNavegacao_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const RecordsetPtr lrstExcluidos = Historico().ResultadoDaSelecaoEmRecordSet();
        Ponto = 2;
        switch (Botao) {
        case modConstantes::PrimeiraPagina:
            mlonPaginaAtual = 1;
            break;
        case modConstantes::PaginaAnterior:
            mlonPaginaAtual -= 1;
            break;
        case modConstantes::ProximaPagina:
            mlonPaginaAtual += 1;
            break;
        case modConstantes::UltimaPagina:
            mlonPaginaAtual = lrstExcluidos->PageCount();
            break;
        default:
            return;
        }
        Ponto = 3;
        PreencherGrade();
    });
}

void frmOrcamentosExcluidos::msfgGrade_SelChange() {
    ComTratamentoDeErro(mstrNome, u"msfgGrade_SelChange", [&](qint16& Ponto) {
        Ponto = 1;
        AtualizarComandos();
    });
}

void frmOrcamentosExcluidos::xrcmdRestaurar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdRestaurar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const double ldouNumero = NumeroSelecionado();
        if (ldouNumero <= 0 || !mbooAdministrador) return;
        Ponto = 2;
        if (Plataforma::MsgBox(QStringLiteral("Restaurar o orçamento %1?").arg(VB::CStr(ldouNumero)),
                               Plataforma::vbYesNo | Plataforma::vbQuestion,
                               modPrincipal::NomeDaAplicacao) != Plataforma::vbYes)
            return;
        Ponto = 3;
        switch (Historico().Restaurar(ldouNumero)) {
        case Resultado::Sucesso:
            Ponto = 4;
            Plataforma::MsgBox(QStringLiteral("O orçamento %1 foi restaurado.").arg(VB::CStr(ldouNumero)),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            // The open list shows it again, as after the list's own commands.
            if (auto* lfrmLista = qobject_cast<frmLista*>(modPrincipal::FormularioDeLista.data())) {
                lfrmLista->GerarLista();
                lfrmLista->AtualizarObjetos(modConstantes::NovaSelecao);
            }
            break;
        case Resultado::Recusado:
            Ponto = 5;
            Plataforma::MsgBox(Historico().DescricaoDaFalha, Plataforma::vbCritical,
                               modPrincipal::NomeDaAplicacao);
            break;
        default:
            Ponto = 6;
            ExibirErroDoNegocio(Historico());
            return;
        }
        Ponto = 7;
        // Restored here or elsewhere: it leaves the list, which stays on its page.
        Selecionar(mlonPaginaAtual);
    });
}

void frmOrcamentosExcluidos::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        const int ScaleWidth = Twips::DePixels(width());
        Ponto = 5;
        xrnbBarraDeNavegacao->Move(ScaleWidth - xrnbBarraDeNavegacao->Width() - 120, TopoDosComandos - 135);
        Ponto = 6;
        if (msfgGrade->Cols() == static_cast<int>(Colunas.size()))
            msfgGrade->setColWidth(ColunaNomeOuRazaoSocialDoCliente,
                                   std::max(msfgGrade->Width() - LarguraDasOutrasColunas, 1500));
    });
}
