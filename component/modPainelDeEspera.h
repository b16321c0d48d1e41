#pragma once
// The picture of the rounded waiting panels (picMensagem) the forms show over their
// grids while a selection runs: an hourglass and a short "Aguarde, ..." text on white.

#include <QPixmap>
#include <QString>

// largura and altura in pixels.
QPixmap ImagemDoPainelDeEspera(int largura, int altura, const QString& texto);
