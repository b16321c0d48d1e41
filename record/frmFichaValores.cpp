// The item's values while it is entered (quantity, unit value, discount as a
// percentage and as a value, kept consistent), the item's validation and the quote's
// totals from the grid.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/modFicha.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

using modFicha::FormatoDeValor;
using modFicha::ZeroDeValor;

constexpr int TeclaBackspace = 8;
constexpr int TeclaVirgula = 44;
constexpr int TeclaPonto = 46;

// A grid cell as currency; an empty cell counts as 0.
VB::Currency ValorDaCelula(const MSFlexGrid* grade, int linha, int coluna) {
    const QString texto = grade->TextMatrix(linha, coluna);
    return VB::CCur(texto.trimmed().isEmpty() ? QStringLiteral("0") : texto);
}

// What a box holds, as a double or as currency; a text that is not a number counts
// as 0, so that half-typed values never stop the form with a run-time error.
double NumeroDaCaixa(const XRNumberBox* caixa) {
    return modFicha::ValorNumerico(caixa->Text());
}

// As currency: nothing when the number falls outside Currency's range.
std::optional<VB::Currency> MoedaDaCaixa(const XRNumberBox* caixa) {
    return VB::IsNumeric(caixa->Text()) ? VB::CCurNoIntervalo(caixa->Text()) : VB::Currency{};
}

// The item's gross value, quantity × unit value as currency; nothing when it would pass
// Currency's range, which is checked before the product is made.
std::optional<VB::Currency> BrutoDoItem(const XRNumberBox* quantidade, const XRNumberBox* unitario) {
    const auto lcurQuantidade = MoedaDaCaixa(quantidade);
    const auto lcurUnitario = MoedaDaCaixa(unitario);
    if (!lcurQuantidade || !lcurUnitario) return std::nullopt;
    return VB::ProdutoNoIntervalo(*lcurQuantidade, *lcurUnitario);
}

// The grid's gross total and discount total, with an item about to come in. Nothing when
// either would pass Currency's range, or the discount's hundredfold that the quote's
// percentage is computed from: the grid takes no item whose totals cannot be shown.
struct TotaisDaGrade {
    VB::Currency Bruto;
    VB::Currency Desconto;
};

std::optional<TotaisDaGrade> SomarGrade(const MSFlexGrid* grade, VB::Currency lcurBrutoNovo,
                                        VB::Currency lcurDescontoNovo) {
    std::optional<VB::Currency> lcurBruto = lcurBrutoNovo;
    std::optional<VB::Currency> lcurDesconto = lcurDescontoNovo;
    for (int r = 1; r < grade->Rows() && lcurBruto && lcurDesconto; ++r) {
        const auto lcurItem = VB::ProdutoNoIntervalo(ValorDaCelula(grade, r, GradeDeItens::Quantidade),
                                                     ValorDaCelula(grade, r, GradeDeItens::ValorUnitario));
        lcurBruto = lcurItem ? VB::SomaNoIntervalo(*lcurBruto, *lcurItem) : std::nullopt;
        lcurDesconto =
            VB::SomaNoIntervalo(*lcurDesconto, ValorDaCelula(grade, r, GradeDeItens::ValorDeDesconto));
    }
    if (!lcurBruto || !lcurDesconto || !VB::ProdutoNoIntervalo(*lcurDesconto, VB::Currency::DeInteiro(100)))
        return std::nullopt;
    return TotaisDaGrade{*lcurBruto, *lcurDesconto};
}

bool EhDigito(int KeyAscii) {
    return KeyAscii >= '0' && KeyAscii <= '9';
}

// The keys of a box with decimals: digits, backspace and the comma; "." types a comma.
void FiltrarTeclaDecimal(int& KeyAscii) {
    if (KeyAscii == TeclaPonto)
        KeyAscii = TeclaVirgula;
    else if (!EhDigito(KeyAscii) && KeyAscii != TeclaBackspace && KeyAscii != TeclaVirgula)
        KeyAscii = 0;
}

// A box holds one decimal comma at most.
void RecusarSegundaVirgula(int& KeyAscii, const XRNumberBox* caixa) {
    if (KeyAscii == TeclaVirgula && caixa->Text().contains(u',')) KeyAscii = 0;
}

void SelecionarTexto(XRNumberBox* caixa) {
    caixa->setSelStart(0);
    caixa->setSelLength(static_cast<int>(caixa->Text().size()));
}

// A discount box on leaving: not a number, empty or a lone comma becomes "0,00";
// anything else is written as money.
void NormalizarCaixaDeDesconto(XRNumberBox* caixa) {
    if (!VB::IsNumeric(caixa->Text())) caixa->setText(ZeroDeValor);
    const QString lstrTexto = caixa->Text().trimmed();
    caixa->setText(lstrTexto.isEmpty() || lstrTexto == QStringLiteral(",")
                       ? ZeroDeValor
                       : VB::Format(caixa->Text(), FormatoDeValor));
}

// The discount value that follows the percentage: percentage ÷ 100 × the item's
// gross value (quantity × unit value, as currency). Nothing for an item beyond the
// range, which its Validate and the item's validation refuse.
std::optional<QString> ValorDoDescontoPeloPercentual(const XRNumberBox* quantidade,
                                                     const XRNumberBox* unitario,
                                                     const XRNumberBox* percentual) {
    const auto lcurBruto = BrutoDoItem(quantidade, unitario);
    if (!lcurBruto) return std::nullopt;
    return VB::Format(NumeroDaCaixa(percentual) / 100 * lcurBruto->ParaDouble(), FormatoDeValor);
}

void SeguirOPercentual(XRNumberBox* valor, const XRNumberBox* quantidade, const XRNumberBox* unitario,
                       const XRNumberBox* percentual) {
    if (const auto lstrValor = ValorDoDescontoPeloPercentual(quantidade, unitario, percentual))
        valor->setText(*lstrValor);
}

// A discount is taken only once the quantity and the unit value are set; otherwise
// the person is told which is missing and the box goes back to "0,00".
bool DescontoRecusado(XRNumberBox* desconto, const XRNumberBox* quantidade, const XRNumberBox* unitario) {
    if (!VB::IsNumeric(desconto->Text())) desconto->setText(ZeroDeValor);
    if (NumeroDaCaixa(desconto) == 0) return false;
    QString lstrMensagem;
    if (NumeroDaCaixa(quantidade) == 0)
        lstrMensagem = QStringLiteral("Informe a quantidade antes do desconto.");
    else if (NumeroDaCaixa(unitario) == 0)
        lstrMensagem = QStringLiteral("Informe o valor unitário antes do desconto.");
    else
        return false;
    Plataforma::MsgBox(lstrMensagem, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
    desconto->setText(ZeroDeValor);
    return true;
}

// An empty box is read as its zero text.
void PreencherSeVazia(XRNumberBox* caixa, const QString& lstrZero) {
    if (caixa->Text().trimmed().isEmpty()) caixa->setText(lstrZero);
}

} // namespace

void frmFicha::CalcularValoresDosItensDaGrade() {
    ComTratamentoDeErro(u"frmFicha", u"CalcularValoresDosItensDaGrade", [&](qint16& Ponto) {
        Ponto = 1;
        // The grid only takes items whose totals fit (ValidarCamposDaGrade).
        const std::optional<TotaisDaGrade> ltotais = SomarGrade(msfgGradeDeItensDoOrcamento, {}, {});
        if (!ltotais) throw VB::ErroDeExecucao(VB::Estouro);
        const VB::Currency lcurValorTotal = ltotais->Bruto;
        const VB::Currency lcurDesconto = ltotais->Desconto;
        Ponto = 2;
        xrnumValorTotal->setText(VB::Format(QVariant::fromValue(lcurValorTotal), FormatoDeValor));
        Ponto = 3;
        if (lcurValorTotal == VB::Currency{}) {
            xrnumDescontoEmPercentual->setText(ZeroDeValor);
        } else {
            // The quote's percentage is the weighted discount of its items, of the total shown.
            const double ldouPercentual =
                (lcurDesconto * VB::Currency::DeInteiro(100)) / VB::CCur(xrnumValorTotal->Text());
            xrnumDescontoEmPercentual->setText(VB::Format(ldouPercentual, FormatoDeValor));
        }
        Ponto = 4;
        xrnumDescontoEmValor->setText(VB::Format(QVariant::fromValue(lcurDesconto), FormatoDeValor));
        Ponto = 5;
        xrnumValorLiquido->setText(
            VB::Format(QVariant::fromValue(lcurValorTotal - lcurDesconto), FormatoDeValor));
        Ponto = 6;
        AtualizarEstimativa();
    });
}

void frmFicha::HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(bool lbooHabilita) {
    ComTratamentoDeErro(
        u"frmFicha", u"HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento", [&](qint16& Ponto) {
            const auto caixas = {xrnumQuantidade, xrnumValorUnitario, xrnumPercentualDeDescontoPorItem,
                                 xrnumValorDeDescontoPorItem};
            Ponto = 1;
            for (XRNumberBox* caixa : caixas)
                caixa->setLocked(!lbooHabilita);
            Ponto = 2;
            if (lbooHabilita) PermissaoDoUsuario();
            Ponto = 3;
            for (XRNumberBox* caixa : caixas)
                caixa->setBackColor(lbooHabilita ? 0xFFFFFF : Aparencia::CorDeBloqueadoVB);
        });
}

qint16 frmFicha::ValidarCamposDaGrade() {
    qint16 ValidarCamposDaGrade = 1;
    ComTratamentoDeErro(u"frmFicha", u"ValidarCamposDaGrade", [&](qint16& Ponto) {
        // The first check that fails: its label red (when it names one), its message,
        // the focus where the person corrects it.
        const auto Recusar = [](Label* rotulo, const QString& lstrMensagem, Controle* foco) {
            if (rotulo) rotulo->setForeColor(modFicha::CorDoRotuloRecusado);
            Plataforma::MsgBox(lstrMensagem, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            modFicha::FocarSePossivel(foco);
        };
        const QString lstrPesquisaNaoFinalizada = QStringLiteral(
            "A pesquisa de produto não foi finalizada. \r\nClique no botão pesquisar (Lupa) do "
            "campo '%1'.");
        Ponto = 1;
        PintarRotulos({lblObservacaoDeCamposObrigatorios, lblCliente, lblItensDoOrcamento});
        Ponto = 2;
        if (!optServico->Enabled() && !optProduto->Enabled())
            return Recusar(lblApelidoOuNomeFantasiaDoCliente, QStringLiteral("Selecione o cliente."),
                           xrfCodigoDoCliente);
        Ponto = 3;
        if (xrcmbAnimal->Text().isEmpty())
            return Recusar(lblNomeDoAnimal, QStringLiteral("Selecione o animal."), xrcmbAnimal);
        Ponto = 4;
        const bool lbooServico = optServico->Value();
        if (lbooServico) {
            if (xrcmbTiposDeServicos->Text().isEmpty()) {
                xrcmbTiposDeServicos->setEnabled(true);
                return Recusar(lblTipoDeServicoOuCodigoDeBarrasDoProduto,
                               QStringLiteral("Selecione o tipo de serviço."), xrcmbTiposDeServicos);
            }
            if (xrfNomeDoServico->Text().trimmed().isEmpty() &&
                xrfCodigoDoServico->Text().trimmed().isEmpty())
                return Recusar(lblNomeDoServicoOuNomeDoProduto, QStringLiteral("Selecione o serviço."),
                               xrfNomeDoServico);
        } else {
            Ponto = 5;
            const bool lbooSemNome = xrfNomeDoProduto->Text().trimmed().isEmpty();
            const bool lbooSemCodigo = xrfCodigoInternoDoProduto->Text().trimmed().isEmpty();
            if (lbooSemNome && lbooSemCodigo)
                return Recusar(lblNomeDoServicoOuNomeDoProduto, QStringLiteral("Selecione o produto."),
                               xrfNomeDoProduto);
            if (lbooSemCodigo)
                return Recusar(nullptr, lstrPesquisaNaoFinalizada.arg(QStringLiteral("Nome do produto")),
                               xrfNomeDoProduto);
            if (lbooSemNome)
                return Recusar(nullptr,
                               lstrPesquisaNaoFinalizada.arg(QStringLiteral("Código interno do produto")),
                               xrfCodigoInternoDoProduto);
        }
        Ponto = 6;
        PreencherSeVazia(xrnumQuantidade, lbooServico ? ZeroDeValor : QStringLiteral("0,000"));
        if (NumeroDaCaixa(xrnumQuantidade) == 0)
            return Recusar(lblQuantidade, QStringLiteral("Informe a quantidade."), xrnumQuantidade);
        if (NumeroDaCaixa(xrnumQuantidade) < 0)
            return Recusar(lblQuantidade, modFicha::Mensagens::QuantidadeNegativa, xrnumQuantidade);
        if (ValorNaoCabe(xrnumQuantidade)) return;
        Ponto = 7;
        PreencherSeVazia(xrnumValorUnitario, ZeroDeValor);
        if (NumeroDaCaixa(xrnumValorUnitario) <= 0)
            return Recusar(lblValorUnitario,
                           QStringLiteral("Informe um valor unitário maior que 0,00 (zero)."),
                           xrnumValorUnitario);
        if (ValorNaoCabe(xrnumValorUnitario) || ItemAcimaDoLimite()) return;
        const VB::Currency lcurBruto = *BrutoDoItem(xrnumQuantidade, xrnumValorUnitario);
        Ponto = 8;
        PreencherSeVazia(xrnumValorDeDescontoPorItem, ZeroDeValor);
        if (ValorNaoCabe(xrnumValorDeDescontoPorItem)) return;
        // Compared as currency: a discount equal to the item's total is accepted, which
        // the products of doubles (3 × 0,70 is a hair under 2,10) would not always allow.
        const VB::Currency lcurDesconto = MoedaDaCaixa(xrnumValorDeDescontoPorItem).value_or(VB::Currency{});
        if (lcurBruto < lcurDesconto)
            return Recusar(lblValorDeDescontoPorItem,
                           QStringLiteral("Valor de desconto não pode ser maior que o valor total do item."),
                           xrnumValorDeDescontoPorItem);
        Ponto = 9;
        PreencherSeVazia(xrnumPercentualDeDescontoPorItem, ZeroDeValor);
        if (ValorNaoCabe(xrnumPercentualDeDescontoPorItem)) return;
        if (NumeroDaCaixa(xrnumPercentualDeDescontoPorItem) > 100)
            return Recusar(nullptr,
                           QStringLiteral("Percentual de desconto do item não pode ser maior que 100%."),
                           xrnumPercentualDeDescontoPorItem);
        Ponto = 10;
        // The quote's totals with this item, checked before it goes into the grid: the
        // grid and the totals never disagree.
        if (!SomarGrade(msfgGradeDeItensDoOrcamento, lcurBruto, lcurDesconto))
            return Recusar(nullptr, modFicha::Mensagens::OrcamentoAcimaDoLimite, xrnumQuantidade);
        ValidarCamposDaGrade = 0;
    });
    return ValidarCamposDaGrade;
}

// ---------------------------------------------------------------------------------------------
// The quantity: whole for a service, with decimals for a product.

void frmFicha::xrnumQuantidade_GotFocus() {
    SelecionarTexto(xrnumQuantidade);
}

void frmFicha::xrnumQuantidade_KeyPress(int& KeyAscii) {
    if (optServico->Value()) {
        if (!EhDigito(KeyAscii) && KeyAscii != TeclaBackspace) KeyAscii = 0;
    } else {
        FiltrarTeclaDecimal(KeyAscii);
    }
    RecusarSegundaVirgula(KeyAscii, xrnumQuantidade);
}

void frmFicha::xrnumQuantidade_LostFocus() {
    ComTratamentoDeErro(u"frmFicha", u"xrnumQuantidade_LostFocus", [&](qint16& Ponto) {
        const bool lbooServico = optServico->Value();
        Ponto = 1;
        if (!VB::IsNumeric(xrnumQuantidade->Text()))
            xrnumQuantidade->setText(lbooServico ? QStringLiteral("0") : QStringLiteral("0,000"));
        Ponto = 2;
        const QString lstrTexto = xrnumQuantidade->Text().trimmed();
        if (lstrTexto.isEmpty() || lstrTexto == QStringLiteral(","))
            xrnumQuantidade->setText(lbooServico ? QStringLiteral("0") : ZeroDeValor);
        else
            xrnumQuantidade->setText(
                VB::Format(xrnumQuantidade->Text(), lbooServico ? QStringLiteral("0") : FormatoDeValor));
        Ponto = 3;
        // The percentage stays; the value follows the new quantity.
        SeguirOPercentual(xrnumValorDeDescontoPorItem, xrnumQuantidade, xrnumValorUnitario,
                          xrnumPercentualDeDescontoPorItem);
    });
}

void frmFicha::xrnumQuantidade_Validate(bool& Cancel) {
    ComTratamentoDeErro(u"frmFicha", u"xrnumQuantidade_Validate", [&](qint16& Ponto) {
        Ponto = 1;
        if (VB::IsNumeric(xrnumQuantidade->Text())) {
            Ponto = 3;
            Cancel = ValorNaoCabe(xrnumQuantidade) || ItemAcimaDoLimite();
            return;
        }
        Plataforma::MsgBox(QStringLiteral("Informe um valor numérico para a quantidade."),
                           Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        Ponto = 2;
        xrnumQuantidade->setText(optServico->Value() ? QStringLiteral("0") : QStringLiteral("0,000"));
        Cancel = true;
    });
}

// ---------------------------------------------------------------------------------------------
// The discount as a percentage and as a value, each following the other.

void frmFicha::xrnumPercentualDeDescontoPorItem_GotFocus() {
    SelecionarTexto(xrnumPercentualDeDescontoPorItem);
}

void frmFicha::xrnumPercentualDeDescontoPorItem_KeyPress(int& KeyAscii) {
    FiltrarTeclaDecimal(KeyAscii);
    RecusarSegundaVirgula(KeyAscii, xrnumPercentualDeDescontoPorItem);
}

void frmFicha::xrnumPercentualDeDescontoPorItem_LostFocus() {
    ComTratamentoDeErro(u"frmFicha", u"xrnumPercentualDeDescontoPorItem_LostFocus", [&](qint16& Ponto) {
        Ponto = 1;
        NormalizarCaixaDeDesconto(xrnumPercentualDeDescontoPorItem);
        Ponto = 2;
        SeguirOPercentual(xrnumValorDeDescontoPorItem, xrnumQuantidade, xrnumValorUnitario,
                          xrnumPercentualDeDescontoPorItem);
    });
}

void frmFicha::xrnumPercentualDeDescontoPorItem_Validate(bool& Cancel) {
    ComTratamentoDeErro(u"frmFicha", u"xrnumPercentualDeDescontoPorItem_Validate", [&](qint16& Ponto) {
        Ponto = 1;
        Cancel = DescontoRecusado(xrnumPercentualDeDescontoPorItem, xrnumQuantidade, xrnumValorUnitario) ||
                 ValorNaoCabe(xrnumPercentualDeDescontoPorItem);
    });
}

void frmFicha::xrnumValorDeDescontoPorItem_GotFocus() {
    SelecionarTexto(xrnumValorDeDescontoPorItem);
}

void frmFicha::xrnumValorDeDescontoPorItem_KeyPress(int& KeyAscii) {
    FiltrarTeclaDecimal(KeyAscii);
    RecusarSegundaVirgula(KeyAscii, xrnumValorDeDescontoPorItem);
}

void frmFicha::xrnumValorDeDescontoPorItem_LostFocus() {
    ComTratamentoDeErro(u"frmFicha", u"xrnumValorDeDescontoPorItem_LostFocus", [&](qint16& Ponto) {
        Ponto = 1;
        NormalizarCaixaDeDesconto(xrnumValorDeDescontoPorItem);
        Ponto = 2;
        const double ldouQuantidade = NumeroDaCaixa(xrnumQuantidade);
        const double ldouUnitario = NumeroDaCaixa(xrnumValorUnitario);
        const double ldouDesconto = NumeroDaCaixa(xrnumValorDeDescontoPorItem);
        // Without quantity, unit value or discount the percentage keeps its text.
        if (ldouQuantidade == 0 || ldouUnitario == 0 || ldouDesconto == 0) return;
        Ponto = 3;
        xrnumPercentualDeDescontoPorItem->setText(
            VB::Format(((ldouDesconto * 100) / ldouQuantidade) / ldouUnitario, FormatoDeValor));
    });
}

void frmFicha::xrnumValorDeDescontoPorItem_Validate(bool& Cancel) {
    ComTratamentoDeErro(u"frmFicha", u"xrnumValorDeDescontoPorItem_Validate", [&](qint16& Ponto) {
        Ponto = 1;
        Cancel = DescontoRecusado(xrnumValorDeDescontoPorItem, xrnumQuantidade, xrnumValorUnitario) ||
                 ValorNaoCabe(xrnumValorDeDescontoPorItem);
    });
}

// ---------------------------------------------------------------------------------------------
// Values the boxes cannot take. The unit value has no handlers of its own beyond this:
// a price too large is refused as it is typed, as the other boxes refuse theirs.

void frmFicha::xrnumValorUnitario_Validate(bool& Cancel) {
    ComTratamentoDeErro(u"frmFicha", u"xrnumValorUnitario_Validate", [&](qint16& Ponto) {
        Ponto = 1;
        Cancel = ValorNaoCabe(xrnumValorUnitario) || ItemAcimaDoLimite();
    });
}

bool frmFicha::ValorNaoCabe(XRNumberBox* lxrnumCaixa) {
    struct Caixa {
        XRNumberBox* Numero;
        const char16_t* OQueInformar;
        Label* Rotulo;
    };
    const std::array<Caixa, 4> lcaixas{{
        {xrnumQuantidade, u"uma quantidade", lblQuantidade},
        {xrnumValorUnitario, u"um valor unitário", lblValorUnitario},
        {xrnumPercentualDeDescontoPorItem, u"um percentual de desconto", lblPercentualDeDescontoPorItem},
        {xrnumValorDeDescontoPorItem, u"um valor de desconto", lblValorDeDescontoPorItem},
    }};
    // The text the box shows the value with once it is left: a service's quantity is
    // whole, every other value has two decimals.
    const QString lstrFormato =
        lxrnumCaixa == xrnumQuantidade && optServico->Value() ? QStringLiteral("0") : FormatoDeValor;
    const QString lstrTexto = lxrnumCaixa->Text();
    if (lxrnumCaixa->MaxLength() == 0 || !VB::IsNumeric(lstrTexto) ||
        VB::Format(lstrTexto, lstrFormato).size() <= lxrnumCaixa->MaxLength())
        return false;
    const auto lcaixa =
        std::find_if(lcaixas.begin(), lcaixas.end(), [&](const Caixa& c) { return c.Numero == lxrnumCaixa; });
    lcaixa->Rotulo->setForeColor(modFicha::CorDoRotuloRecusado);
    Plataforma::MsgBox(modFicha::Mensagens::ValorNaoCabe.arg(QString::fromUtf16(lcaixa->OQueInformar),
                                                             lcaixa->Rotulo->Caption()),
                       Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
    modFicha::FocarSePossivel(lxrnumCaixa);
    SelecionarTexto(lxrnumCaixa);
    return true;
}

bool frmFicha::ItemAcimaDoLimite() {
    if (BrutoDoItem(xrnumQuantidade, xrnumValorUnitario)) return false;
    Plataforma::MsgBox(modFicha::Mensagens::ItemAcimaDoLimite, Plataforma::vbInformation,
                       modPrincipal::NomeDaAplicacao);
    // The box being left keeps the focus (its Validate is cancelled); from the add command
    // the quantity takes it.
    XRNumberBox* lxrnumCaixa =
        xrnumValorUnitario->Editor()->hasFocus() ? xrnumValorUnitario : xrnumQuantidade;
    modFicha::FocarSePossivel(lxrnumCaixa);
    SelecionarTexto(lxrnumCaixa);
    return true;
}
