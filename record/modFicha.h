#pragma once
// Small pieces the record form's item, value and saving sources share.

#include "contracts/VB.h"
#include "platform/controls/Controle.h"

#include <QString>
#include <optional>

namespace modFicha {

// Money and percentages as the boxes and the grid show them, and their zero.
inline const QString FormatoDeValor = QStringLiteral("#,##0.00");
inline const QString ZeroDeValor = QStringLiteral("0,00");

// The form's messages for values it cannot take, where no older message says it.
namespace Mensagens {
inline const QString QuantidadeNegativa = QStringLiteral("Informe uma quantidade maior que 0 (zero).");
// %1 what to inform ("uma quantidade"), %2 the box's caption ("Qtde.").
inline const QString ValorNaoCabe =
    QStringLiteral("Informe %1 menor. O valor informado não cabe no campo '%2'.");
inline const QString ItemAcimaDoLimite = QStringLiteral(
    "Valor total do item ultrapassa o limite permitido. Informe uma quantidade ou um valor unitário menor.");
inline const QString OrcamentoAcimaDoLimite = QStringLiteral(
    "Valor total do orçamento ultrapassa o limite permitido. Este item não pode ser adicionado.");
} // namespace Mensagens

// The colour of the label of a field that was refused (red).
inline constexpr int CorDoRotuloRecusado = 255;

// The number a text holds, 0 when it holds none (an empty or unfinished box, a code
// not searched yet): what the form hands on as a code or a quantity never stops it
// with a run-time error.
inline double ValorNumerico(const QString& lstrTexto) {
    return VB::IsNumeric(lstrTexto) ? VB::CDbl(lstrTexto) : 0;
}

// The code of a code field as the searches take it: 0 when the field is empty, nothing
// when its digits make no number a search can take (the lookup then says that no record
// has that code).
inline std::optional<double> CodigoDoCampo(const QString& lstrTexto) {
    return lstrTexto.trimmed().isEmpty() ? std::optional<double>(0) : VB::CodigoNumerico(lstrTexto);
}

// Puts the focus on a field that can take it. A refused field may be one the mode
// keeps closed (the host's client, a stored quote's client); the person is then told
// why by the message alone instead of by a run-time error.
inline void FocarSePossivel(Controle* lobjControle) {
    if (lobjControle->isVisible() && lobjControle->isEnabled()) lobjControle->SetFocus();
}

} // namespace modFicha
