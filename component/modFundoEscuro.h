#pragma once
// The dark background laid over the host's menu window while a modal form is open.
// No trap: a failure reaches the caller's.

#include "contracts/ComponentesDaSuite.h"

void AplicarFundoEscuro(HWnd hWnd, qint16& Opcao);
void RemoverFundoEscuro(HWnd hWnd);
