// The items grid: the working copy of the quote's items, loaded from the items object
// when a stored quote is opened, edited by the item commands, summed for the totals
// and handed whole to the business layer on saving.

#include "record/frmFicha.h"

#include "component/modConstantes.h"
#include "component/modFuncoes.h"
#include "component/modGrade.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRNumberBox.h"

#include <array>

namespace {

using namespace GradeDeItens;

// Column 3 starts at 4305 twips and then takes the form's spare width; column 10
// narrows when the scroll bar shows. Column 3 shows the service's or the product's
// name by the launch type; column 16 stays empty.
// After them, the mark of a package's item "se necessário", shown only while one is
// marked (RedimensionarGrade).
const std::array<modGrade::ColunaDaGrade, QuantidadeDeColunasComAMarca> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Tipo de serviço ou código de barras do produto", 0, 4, 1,
     u"NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto"},
    {u"Código do serviço ou produto", 0, 1, 0, u"CodigoDoServicoOuCodigoInternoDoProduto"},
    {u"Serviço ou Produto", 4305, 1, 1},
    {u"Código do animal", 0, 1, 0, u"CodigoDoAnimal"},
    {u"Animal", 3350, 1, 1, u"NomeDoAnimal"},
    {u"Qtde.", 1200, 7, 0, u"Quantidade"},
    {u"Val. Unit.", 1300, 7, 0, u"ValorUnitario"},
    {u"(%) Desc.", 1350, 7, 0, u"DescontoEmPercentual"},
    {u"Val. Desc.", 1270, 7, 0, u"DescontoEmValor"},
    {u"Valor Total", 2500, 7, 0, u"ValorTotal"},
    {u"Custo", 0, 1, 0, u"Custo"},
    {u"Numero do item do orçamento", 0, 1, 0, u"NumeroDoItemDoOrcamento"},
    {u"Tipo de Venda", 0, 1, 0, u"TipoDeVenda"},
    {u"Tipo de lançamento", 0, 1, 0, u"TipoDeLancamento"},
    {u"Código da situação", 0, 4, 0, u"Situacao"},
    {u"Situação", 0, 4, 1},
    {u"Data e hora da inclusão", 0, 4, 2, u"DataEHoraDaInclusao"},
    {u"Usuário da inclusão", 0, 4, 1, u"UsuarioDaInclusao"},
    {u"Data e hora da alteração", 0, 4, 2, u"DataEHoraDaAlteracao"},
    {u"Usuário da alteração", 0, 4, 1, u"UsuarioDaAlteracao"},
    {u"Se necessário", 0, 4, 1, u"SeNecessario"},
}};

constexpr int AlturaDoCabecalho = 700;
constexpr int AlturaDaLinha = 570;

} // namespace

qint16 frmFicha::ConfigurarGrade() {
    qint16 ConfigurarGrade = 1;
    ComTratamentoDeErro(u"frmFicha", u"ConfigurarGrade", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGradeDeItensDoOrcamento->setVisible(false);
        msfgGradeDeItensDoOrcamento->setRedraw(false);
        msfgGradeDeItensDoOrcamento->Clear();
        Ponto = 2;
        modGrade::AplicarAparencia(msfgGradeDeItensDoOrcamento, 0xF5F5F6, 2);
        // The grid's further setting: a click selects the whole row.
        msfgGradeDeItensDoOrcamento->setSelectionMode(1);
        Ponto = 3;
        modGrade::DefinirColunas(msfgGradeDeItensDoOrcamento, Colunas, 0xFFFFFF);
        Ponto = 4;
        msfgGradeDeItensDoOrcamento->setRedraw(true);
        ConfigurarGrade = 0;
    });
    return ConfigurarGrade;
}

qint16 frmFicha::GerarLista() {
    qint16 GerarLista = 1;
    ComTratamentoDeErro(u"frmFicha", u"GerarLista", [&](qint16& Ponto) {
        Ponto = 1;
        mintQuantidadeDeLinhasPorPagina =
            static_cast<qint16>((msfgGradeDeItensDoOrcamento->Height() - AlturaDoCabecalho) / 550);
        Ponto = 2;
        if (mintTipoDeOperacao == Inclusao) {
            mdouNumeroDoOrcamento = 0;
        } else {
            MSFlexGrid* lmsfgLista =
                modPrincipal::FormularioDeLista ? modPrincipal::FormularioDeLista->Grade() : nullptr;
            if (!lmsfgLista) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
            mdouNumeroDoOrcamento = VB::CDbl(
                lmsfgLista->TextMatrix(lmsfgLista->RowSel(), IFormularioDeLista::ColunaNumeroDoOrcamento));
        }
        Ponto = 3;
        if (VB::CBool(
                mobjZELT_N_Itens->Selecionar(1, mintQuantidadeDeLinhasPorPagina, 0, mdouNumeroDoOrcamento))) {
            ExibirMensagemDeErro(static_cast<qint32>(mobjZELT_N_Itens->NumeroDoErro),
                                 mobjZELT_N_Itens->ObservacaoDoErro, mobjZELT_N_Itens->LocalDoErro);
            return;
        }
        GerarLista = 0;
    });
    return GerarLista;
}

qint16 frmFicha::AtualizarObjetos(qint16 lintComandoDeNavegacao) {
    qint16 AtualizarObjetos = 1;
    ComTratamentoDeErro(u"frmFicha", u"AtualizarObjetos", [&](qint16& Ponto) {
        // The grid always shows the page mintPaginaAtual: the navigation commands are
        // accepted and change nothing in this form.
        Q_UNUSED(lintComandoDeNavegacao);
        Ponto = 1;
        bool lbooHaItens = false;
        if (mintTipoDeOperacao == Alteracao || mintTipoDeOperacao == Exclusao) {
            PreencherGrade();
            lbooHaItens =
                mobjZELT_N_Itens && mobjZELT_N_Itens->ResultadoDaSelecaoEmRecordSet()->RecordCount() > 0;
        } else {
            Ponto = 2;
            lbooHaItens = msfgGradeDeItensDoOrcamento->Rows() > 1;
        }
        Ponto = 3;
        xrcmdAdicionar->setVisible(true);
        msfgGradeDeItensDoOrcamento->setVisible(lbooHaItens);
        if (!lbooHaItens)
            lblMensagemDeResultado->setCaption(QStringLiteral("Nenhum item de orçamento encontrado."));
        lblMensagemDeResultado->setVisible(!lbooHaItens);
        Ponto = 4;
        // Only a grid really on screen can take the focus: before the modal display the
        // form is still hidden.
        if (msfgGradeDeItensDoOrcamento->isVisible()) {
            msfgGradeDeItensDoOrcamento->SetFocus();
            msfgGradeDeItensDoOrcamento->setCol(0);
            msfgGradeDeItensDoOrcamento->setRow(msfgGradeDeItensDoOrcamento->RowSel());
        }
        AtualizarObjetos = 0;
    });
    return AtualizarObjetos;
}

qint16 frmFicha::PreencherGrade() {
    qint16 PreencherGrade = 1;
    ComTratamentoDeErro(u"frmFicha", u"PreencherGrade", [&](qint16& Ponto) {
        Ponto = 1;
        const RecordsetPtr lrstItens = mobjZELT_N_Itens->ResultadoDaSelecaoEmRecordSet();
        if (lrstItens->RecordCount() > 0) lrstItens->SetAbsolutePage(mintPaginaAtual);
        Ponto = 2;
        msfgGradeDeItensDoOrcamento->setRedraw(false);
        msfgGradeDeItensDoOrcamento->setRows(lrstItens->RecordCount() + 1);
        if (msfgGradeDeItensDoOrcamento->Rows() >= 2) msfgGradeDeItensDoOrcamento->setFixedRows(1);
        msfgGradeDeItensDoOrcamento->setRowHeight(0, AlturaDoCabecalho);
        // An items object that does not answer the mark (the suite's own) marks nothing.
        bool lbooComMarca = false;
        for (qint32 i = 0; i < lrstItens->FieldsCount(); ++i)
            lbooComMarca = lbooComMarca || lrstItens->FieldName(i) == QStringLiteral("SeNecessario");
        lrstItens->MoveFirst();
        int r = 1;
        for (; !lrstItens->Eof(); ++r, lrstItens->MoveNext()) {
            Ponto = 3;
            msfgGradeDeItensDoOrcamento->setRowHeight(r, AlturaDaLinha);
            modGrade::EstilizarLinha(msfgGradeDeItensDoOrcamento, r);
            Ponto = 4;
            const bool lbooServico =
                VB::CLng(lrstItens->Fields(QStringLiteral("TipoDeLancamento")).Value) == LancamentoDeServico;
            for (int c = TipoDeServicoOuCodigoDeBarras; c < QuantidadeDeColunas; ++c) {
                if (c == Situacao) continue;
                const QString lstrCampo =
                    c == NomeDoServicoOuProduto
                        ? (lbooServico ? QStringLiteral("NomeDoServico") : QStringLiteral("NomeDoProduto"))
                        : QString::fromUtf16(Colunas[c].Campo);
                const QVariant lvarValor = lrstItens->Fields(lstrCampo).Value;
                const bool lbooPodeFaltar = c == DataEHoraDaAlteracao || c == UsuarioDaAlteracao;
                msfgGradeDeItensDoOrcamento->setTextMatrix(
                    r, c, lbooPodeFaltar && VB::IsNull(lvarValor) ? QString() : VB::CStr(lvarValor));
            }
            const bool lbooMarcado =
                lbooComMarca && VB::CLng(lrstItens->Fields(QStringLiteral("SeNecessario")).Value) == 1;
            msfgGradeDeItensDoOrcamento->setTextMatrix(r, ColunaSeNecessario,
                                                       lbooMarcado ? MarcaSeNecessario : QString());
        }
        Ponto = 5;
        if (RedimensionarGrade(r - 1) != 1) msfgGradeDeItensDoOrcamento->setRedraw(true);
        PreencherGrade = 0;
    });
    return PreencherGrade;
}

qint16 frmFicha::RedefinirGrade() {
    qint16 RedefinirGrade = 1;
    ComTratamentoDeErro(u"frmFicha", u"RedefinirGrade", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGradeDeItensDoOrcamento->setRedraw(false);
        msfgGradeDeItensDoOrcamento->setRows(msfgGradeDeItensDoOrcamento->Rows() + 1);
        if (msfgGradeDeItensDoOrcamento->Rows() >= 2) msfgGradeDeItensDoOrcamento->setFixedRows(1);
        msfgGradeDeItensDoOrcamento->setRowHeight(0, AlturaDoCabecalho);
        Ponto = 2;
        for (int r = 1; r < msfgGradeDeItensDoOrcamento->Rows() - 1; ++r)
            EstilizarLinha(r);
        Ponto = 3;
        msfgGradeDeItensDoOrcamento->setRedraw(true);
        RedefinirGrade = 0;
    });
    return RedefinirGrade;
}

// Restyled with a spare row at the end, which goes again once the new row is selected
// across every column.
void frmFicha::SelecionarLinhaIncluida() {
    RedefinirGrade();
    if (msfgGradeDeItensDoOrcamento->RowSel() == 0) msfgGradeDeItensDoOrcamento->setFixedRows(1);
    msfgGradeDeItensDoOrcamento->setRow(mintUltimaLinhaDaGrade);
    msfgGradeDeItensDoOrcamento->setCol(0);
    msfgGradeDeItensDoOrcamento->setRowSel(mintUltimaLinhaDaGrade);
    msfgGradeDeItensDoOrcamento->setColSel(msfgGradeDeItensDoOrcamento->Cols() - 1);
    msfgGradeDeItensDoOrcamento->RemoveItem(msfgGradeDeItensDoOrcamento->Rows() - 1);
    AtualizarObjetos(modConstantes::NovaSelecao);
}

void frmFicha::EstilizarLinha(int lintLinha) {
    msfgGradeDeItensDoOrcamento->setRowHeight(lintLinha, AlturaDaLinha);
    modGrade::EstilizarLinha(msfgGradeDeItensDoOrcamento, lintLinha);
}

qint16 frmFicha::RedimensionarGrade(int lintQuantidadeDeLinhas) {
    qint16 RedimensionarGrade = 1;
    ComTratamentoDeErro(u"frmFicha", u"RedimensionarGrade", [&](qint16& Ponto) {
        Ponto = 1;
        const bool lbooRolagem = lintQuantidadeDeLinhas > 4;
        // The mark's column lies beyond the grid's width: while it shows, so does the
        // horizontal scroll bar that reaches it.
        const bool lbooMarcas = TemItensSeNecessario();
        msfgGradeDeItensDoOrcamento->setScrollBars((lbooRolagem ? 2 : 0) | (lbooMarcas ? 1 : 0));
        Ponto = 2;
        msfgGradeDeItensDoOrcamento->setColWidth(ValorTotal, lbooRolagem ? 2245 : 2505);
        msfgGradeDeItensDoOrcamento->setColWidth(ColunaSeNecessario, lbooMarcas ? LarguraDaMarca : 0);
        RedimensionarGrade = 0;
    });
    return RedimensionarGrade;
}

void frmFicha::LimparCamposDeQuantidadeEValoresDoItemDoOrcamento() {
    xrnumQuantidade->setText(QStringLiteral("1,000"));
    for (XRNumberBox* caixa :
         {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
        caixa->setText(QStringLiteral("0,00"));
}
