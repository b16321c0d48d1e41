#pragma once
// Small pieces the record form's item, value and saving sources share.

#include "contracts/VB.h"
#include "platform/controls/Controle.h"

#include <QString>

namespace modFicha {

// Money and percentages as the boxes and the grid show them, and their zero.
inline const QString FormatoDeValor = QStringLiteral("#,##0.00");
inline const QString ZeroDeValor = QStringLiteral("0,00");

// The colour of the label of a field that was refused (red).
inline constexpr int CorDoRotuloRecusado = 255;

// The number a text holds, 0 when it holds none (an empty or unfinished box, a code
// not searched yet): what the form hands on as a code or a quantity never stops it
// with a run-time error.
inline double ValorNumerico(const QString& lstrTexto) {
    return VB::IsNumeric(lstrTexto) ? VB::CDbl(lstrTexto) : 0;
}

// Puts the focus on a field that can take it. A refused field may be one the mode
// keeps closed (the host's client, a stored quote's client); the person is then told
// why by the message alone instead of by a run-time error.
inline void FocarSePossivel(Controle* lobjControle) {
    if (lobjControle->isVisible() && lobjControle->isEnabled()) lobjControle->SetFocus();
}

} // namespace modFicha
