#pragma once
// Rounded corners for the message panels, except on "Windows 8", where the suite
// draws its panels square.

#include "contracts/ComponentesDaSuite.h"

// True when the system query names "Windows 8", in any letter case.
bool SistemaEhWindows8();

void ArredondarCantosDoObjeto(HWnd& hWnd, quint8& Raio);
