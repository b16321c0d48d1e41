#pragma once
// The VB functions the forms use: the conversions and formats of contracts/VB.h,
// and the pause.

#include "contracts/VB.h"

#include <QVariant>

using namespace VB;

// Waits Duracao seconds while window events go on being processed.
void Pausar(const QVariant& Duracao);
