// The item's values while it is entered (quantity, unit value, discount as a
// percentage and as a value, kept consistent), the item's validation and the quote's
// totals from the grid.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRNumberBox.h"

namespace {

const QString FormatoDeValor = QStringLiteral("#,##0.00");

// A grid cell as currency; an empty cell counts as 0.
VB::Currency ValorDaCelula(const MSFlexGrid* grade, int linha, int coluna) {
    const QString texto = grade->TextMatrix(linha, coluna);
    return VB::CCur(texto.trimmed().isEmpty() ? QStringLiteral("0") : texto);
}

} // namespace

void frmFicha::CalcularValoresDosItensDaGrade() {
    ComTratamentoDeErro(u"frmFicha", u"CalcularValoresDosItensDaGrade", [&](qint16& Ponto) {
        Ponto = 1;
        VB::Currency lcurValorTotal;
        VB::Currency lcurDesconto;
        for (int r = 1; r < msfgGradeDeItensDoOrcamento->Rows(); ++r) {
            lcurValorTotal += ValorDaCelula(msfgGradeDeItensDoOrcamento, r, GradeDeItens::Quantidade) *
                              ValorDaCelula(msfgGradeDeItensDoOrcamento, r, GradeDeItens::ValorUnitario);
            lcurDesconto += ValorDaCelula(msfgGradeDeItensDoOrcamento, r, GradeDeItens::ValorDeDesconto);
        }
        Ponto = 2;
        xrnumValorTotal->setText(VB::Format(QVariant::fromValue(lcurValorTotal), FormatoDeValor));
        Ponto = 3;
        if (lcurValorTotal == VB::Currency{}) {
            xrnumDescontoEmPercentual->setText(QStringLiteral("0,00"));
        } else {
            // The quote's percentage is the weighted discount of its items.
            const double ldouPercentual =
                (lcurDesconto * VB::Currency::DeInteiro(100)) / VB::CCur(xrnumValorTotal->Text());
            xrnumDescontoEmPercentual->setText(VB::Format(ldouPercentual, FormatoDeValor));
        }
        Ponto = 4;
        xrnumDescontoEmValor->setText(VB::Format(QVariant::fromValue(lcurDesconto), FormatoDeValor));
        Ponto = 5;
        xrnumValorLiquido->setText(
            VB::Format(QVariant::fromValue(lcurValorTotal - lcurDesconto), FormatoDeValor));
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
    return 1; // the item's validation comes with the item commands
}

void frmFicha::xrnumQuantidade_GotFocus() {}
void frmFicha::xrnumQuantidade_KeyPress(int& /*KeyAscii*/) {}
void frmFicha::xrnumQuantidade_LostFocus() {}
void frmFicha::xrnumQuantidade_Validate(bool& /*Cancel*/) {}
void frmFicha::xrnumPercentualDeDescontoPorItem_GotFocus() {}
void frmFicha::xrnumPercentualDeDescontoPorItem_KeyPress(int& /*KeyAscii*/) {}
void frmFicha::xrnumPercentualDeDescontoPorItem_LostFocus() {}
void frmFicha::xrnumPercentualDeDescontoPorItem_Validate(bool& /*Cancel*/) {}
void frmFicha::xrnumValorDeDescontoPorItem_GotFocus() {}
void frmFicha::xrnumValorDeDescontoPorItem_KeyPress(int& /*KeyAscii*/) {}
void frmFicha::xrnumValorDeDescontoPorItem_LostFocus() {}
void frmFicha::xrnumValorDeDescontoPorItem_Validate(bool& /*Cancel*/) {}
