#pragma once
// The picture of the waiting panels (picMensagem) of the list, the record form and the
// search dialogs: an hourglass and the waiting text on white.

#include <QPixmap>
#include <QString>

QPixmap ImagemDoPainelDeEspera(int larguraEmTwips, int alturaEmTwips, const QString& texto);

class QWidget;

// The form under a waiting panel is disabled while it waits; Qt takes the focus away
// from a disabled form, so the control that held it is kept and gets it back when the
// form is enabled again (Shift+Home then selects what the person typed there).
void DesabilitarDuranteAEspera(QWidget* formulario);
void HabilitarDepoisDaEspera(QWidget* formulario);
