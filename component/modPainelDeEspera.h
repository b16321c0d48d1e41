#pragma once
// The picture of the waiting panels (picMensagem) of the list, the record form and the
// search dialogs: an hourglass and the waiting text on white.

#include <QPixmap>
#include <QString>

QPixmap ImagemDoPainelDeEspera(int larguraEmTwips, int alturaEmTwips, const QString& texto);
