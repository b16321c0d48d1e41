#pragma once
// The picture of the waiting panels (picMensagem) of the list, the record form and the
// search dialogs: an hourglass and the waiting text on white.

#include <QPixmap>
#include <QString>
#include <functional>

QPixmap ImagemDoPainelDeEspera(int larguraEmTwips, int alturaEmTwips, const QString& texto);

class PictureBox;
class QWidget;

// The waiting panel over a form: the form disabled (Qt takes the focus from a disabled
// form, so the control that held it gets it back afterwards, raising nothing), the
// panel's corners rounded (radius 30), the panel placed by posicionar and shown, and the
// one-second pause during which window events go on.
void ExibirPainelDeEspera(QWidget* formulario, PictureBox* picMensagem,
                          const std::function<void()>& posicionar);
// The form enabled again with its focus back, the panel hidden.
void OcultarPainelDeEspera(QWidget* formulario, PictureBox* picMensagem);
// Brings the panel to the front, in the middle of the form.
void CentralizarPainel(QWidget* formulario, PictureBox* picMensagem);
