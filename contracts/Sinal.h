#pragma once
// The deposit ("sinal") a clinic asks before it books an approved quote: its value and
// the texts the sheet and the sends print about it, one place for both.

#include "contracts/VB.h"

#include <QString>

namespace Sinal {

// percentual % of valorAprovado, rounded half to even to the cent (as VB's Round).
VB::Currency Valor(VB::Currency valorAprovado, VB::Currency percentual);

// "Sinal para confirmar: R$ 1.234,50 (50 % do valor aprovado)"; the percentage without
// trailing zeros ("12,5 %"). When the approval is a range (items "se necessário") the
// deposit is a percentage of its low end: "(50 % do valor mínimo aprovado)".
QString Linha(VB::Currency valor, VB::Currency percentual, bool faixa = false);

// What happens to the deposit when the procedure is not done.
QString TextoDoReembolso(bool reembolsavel);

} // namespace Sinal
