#pragma once
// The printing of a quote's sheet that the record form asks for after a quote added
// from the host is saved. The sheet belongs to the list (its ImprimirFicha), which the
// record form cannot see: whoever can (the component's start-up, the list) registers
// the routine here once. Until then the record form's call prints nothing.

#include "contracts/VB.h"

#include <functional>

namespace modImpressao {

// Quote number, total, discount percentage, discount value, net value.
using ImpressaoDaFicha = std::function<void(double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                                            VB::Currency lcurDescontoEmPercentual,
                                            VB::Currency lcurDescontoEmValor, VB::Currency lcurValorLiquido)>;

// Registered at start-up; empty: nothing is printed.
inline ImpressaoDaFicha ImprimirFicha;

} // namespace modImpressao
