// A procedure package added in one step: the package and the animal's weight asked
// (frmPacoteDaFicha), the band's items priced by the business layer as the add command
// would price them typed now, written as ordinary items of the chosen animal; and the
// estimate from–to under the totals while some item is needed only in some cases.

#include "record/frmFicha.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/frmPacoteDaFicha.h"
#include "record/modFicha.h"

namespace {

using modFicha::FormatoDeValor;
using namespace GradeDeItens;

void Informar(const QString& lstrMensagem) {
    Plataforma::MsgBox(lstrMensagem, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

QString EmReais(VB::Currency lcurValor) {
    return QStringLiteral("R$ ") + VB::Format(QVariant::fromValue(lcurValor), FormatoDeValor);
}

} // namespace

void frmFicha::xrcmdAdicionarPacote_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdAdicionarPacote_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const double ldouCliente = modFicha::ValorNumerico(xrfCodigoDoCliente->Text());
        if (ldouCliente <= 0 || xrcmbAnimal->ListIndex() < 0) {
            Informar(QStringLiteral("Selecione o cliente e o animal antes de adicionar um pacote."));
            return;
        }
        const qint32 llonAnimal = xrcmbAnimal->ItemData(xrcmbAnimal->ListIndex());
        Ponto = 2;
        auto lobjPacotes =
            Zelt::CriarObjeto<ZELT_N_Orcamentos::clsPacotesDeProcedimentos>(ProgId::PacotesDeProcedimentos);
        if (VB::CBool(lobjPacotes->Selecionar())) {
            ExibirMensagemDeErro(static_cast<qint32>(lobjPacotes->NumeroDoErro), lobjPacotes->DescricaoDoErro,
                                 lobjPacotes->LocalDoErro);
            return;
        }
        const RecordsetPtr lrstPacotes = lobjPacotes->ResultadoDaSelecaoEmRecordSet();
        QList<QPair<qint64, QString>> lpacotes;
        for (lrstPacotes->MoveFirst(); !lrstPacotes->Eof(); lrstPacotes->MoveNext()) {
            const QString lstrEspecie = VB::CStr(lrstPacotes->Fields(QStringLiteral("Especie")).Value);
            const QString lstrNome = VB::CStr(lrstPacotes->Fields(QStringLiteral("Nome")).Value);
            lpacotes.append(
                {VB::CLng(lrstPacotes->Fields(QStringLiteral("Codigo")).Value),
                 lstrEspecie.isEmpty() ? lstrNome : QStringLiteral("%1 (%2)").arg(lstrNome, lstrEspecie)});
        }
        if (lpacotes.isEmpty()) {
            Informar(QStringLiteral("Nenhum pacote de procedimentos cadastrado."));
            return;
        }
        Ponto = 3;
        // The weight typed for an earlier package of this quote, else the animal's last one.
        QString lstrPeso = mstrPesoDoAnimal;
        if (lstrPeso.isEmpty() && lobjPacotes->LerUltimoPeso(llonAnimal) == Resultado::Sucesso)
            lstrPeso = lobjPacotes->UltimoPeso;
        frmPacoteDaFicha lfrmPacote(this);
        if (!lfrmPacote.Escolher(lpacotes, lstrPeso)) return;
        Ponto = 4;
        const qint16 lintResultado = lobjPacotes->ItensParaOPeso(lfrmPacote.CodigoDoPacote(),
                                                                 lfrmPacote.Peso(), ldouCliente, llonAnimal);
        if (lintResultado == Resultado::Erro) {
            ExibirMensagemDeErro(static_cast<qint32>(lobjPacotes->NumeroDoErro), lobjPacotes->DescricaoDoErro,
                                 lobjPacotes->LocalDoErro);
            return;
        }
        if (lintResultado != Resultado::Sucesso) {
            Informar(lobjPacotes->DescricaoDaFalha);
            return;
        }
        Ponto = 5;
        if (!lobjPacotes->ForaDoCadastro.isEmpty())
            Informar(QStringLiteral(
                         "Estes itens do pacote não estão ativos no cadastro e não foram adicionados:\r\n") +
                     lobjPacotes->ForaDoCadastro.split(u'\n').join(QStringLiteral("\r\n")));
        const RecordsetPtr lrstItens = lobjPacotes->ResultadoDaSelecaoEmRecordSet();
        if (lrstItens->RecordCount() == 0) return;
        mstrPesoDoAnimal = lfrmPacote.Peso();
        Ponto = 6;
        AdicionarItensDoPacote(*lrstItens);
    });
}

void frmFicha::AdicionarItensDoPacote(Recordset& lrstItens) {
    const QString lstrAnimal = QString::number(xrcmbAnimal->ItemData(xrcmbAnimal->ListIndex()));
    const auto Campo = [&](const char* lstrNome) {
        return lrstItens.Fields(QString::fromLatin1(lstrNome)).Value;
    };
    const auto Valor = [&](const char* lstrNome) { return VB::Format(Campo(lstrNome), FormatoDeValor); };
    msfgGradeDeItensDoOrcamento->setRedraw(false);
    for (lrstItens.MoveFirst(); !lrstItens.Eof(); lrstItens.MoveNext()) {
        const bool lbooServico = VB::CLng(Campo("TipoDeLancamento")) == LancamentoDeServico;
        msfgGradeDeItensDoOrcamento->setRows(msfgGradeDeItensDoOrcamento->Rows() + 1);
        const int r = msfgGradeDeItensDoOrcamento->Rows() - 1;
        // The cells the add command writes, in its formats (frmFichaItens.cpp).
        const QStringList lstrCelulas{
            VB::CStr(Campo("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto")),
            VB::CStr(Campo("CodigoDoServicoOuCodigoInternoDoProduto")),
            VB::CStr(Campo("NomeDoServicoOuNomeDoProduto")),
            lstrAnimal,
            xrcmbAnimal->Text(),
            VB::Format(Campo("Quantidade"), lbooServico ? QStringLiteral("0") : QStringLiteral("#,##0.000")),
            Valor("ValorUnitario"),
            Valor("DescontoEmPercentual"),
            Valor("DescontoEmValor"),
            Valor("ValorTotal"),
            Valor("Custo"),
            QStringLiteral("0"),
            QStringLiteral("1"),
            QString::number(lbooServico ? LancamentoDeServico : LancamentoDeProduto),
            QStringLiteral("1")};
        for (int c = TipoDeServicoOuCodigoDeBarras; c <= CodigoDaSituacao; ++c)
            msfgGradeDeItensDoOrcamento->setTextMatrix(r, c,
                                                       lstrCelulas.at(c - TipoDeServicoOuCodigoDeBarras));
        msfgGradeDeItensDoOrcamento->setTextMatrix(
            r, ColunaSeNecessario, VB::CBool(Campo("SeNecessario")) ? MarcaSeNecessario : QString());
    }
    // The last one selected, as after the add command; then its next steps.
    mintUltimaLinhaDaGrade = static_cast<qint16>(msfgGradeDeItensDoOrcamento->Rows() - 1);
    SelecionarLinhaIncluida();
    CalcularValoresDosItensDaGrade();
    PrepararProximoItem(optServico->Value());
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
    RedimensionarGrade(msfgGradeDeItensDoOrcamento->Rows() - 1);
    mbooAnimalBloqueado = true;
    xrcmbAnimal->setEnabled(false);
    GravarCopiaDeRecuperacao();
}

bool frmFicha::TemItensSeNecessario() const {
    if (msfgGradeDeItensDoOrcamento->Cols() <= ColunaSeNecessario) return false;
    for (int r = 1; r < msfgGradeDeItensDoOrcamento->Rows(); ++r)
        if (msfgGradeDeItensDoOrcamento->TextMatrix(r, ColunaSeNecessario) == MarcaSeNecessario) return true;
    return false;
}

// The high total is the net value shown (every item, as stored); the low one leaves out
// the items marked, each with its own discount.
void frmFicha::AtualizarEstimativa() {
    VB::Currency lcurSeNecessario;
    bool lbooMarcado = false;
    for (int r = 1;
         r < msfgGradeDeItensDoOrcamento->Rows() && msfgGradeDeItensDoOrcamento->Cols() > ColunaSeNecessario;
         ++r)
        if (msfgGradeDeItensDoOrcamento->TextMatrix(r, ColunaSeNecessario) == MarcaSeNecessario) {
            lbooMarcado = true;
            lcurSeNecessario += VB::CCur(msfgGradeDeItensDoOrcamento->TextMatrix(r, ValorTotal));
        }
    // The mark's column, and the horizontal scroll bar that reaches it, only while an item
    // is marked (a removal may have taken the last one).
    msfgGradeDeItensDoOrcamento->setColWidth(ColunaSeNecessario, lbooMarcado ? LarguraDaMarca : 0);
    msfgGradeDeItensDoOrcamento->setScrollBars((msfgGradeDeItensDoOrcamento->ScrollBars() & 2) |
                                               (lbooMarcado ? 1 : 0));
    lblEstimativa->setVisible(lbooMarcado);
    if (!lbooMarcado) return lblEstimativa->setCaption(QString());
    const VB::Currency lcurMaximo = VB::CCur(xrnumValorLiquido->Text());
    lblEstimativa->setCaption(QStringLiteral("Estimativa: de %1 a %2")
                                  .arg(EmReais(lcurMaximo - lcurSeNecessario), EmReais(lcurMaximo)));
}
