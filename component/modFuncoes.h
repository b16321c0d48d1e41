#pragma once
// The VB functions the forms use: the conversions and formats of contracts/VB.h (as VB::),
// and the pause.

#include "contracts/VB.h"

#include <QVariant>

// Waits Duracao seconds while window events go on being processed.
void Pausar(const QVariant& Duracao);
