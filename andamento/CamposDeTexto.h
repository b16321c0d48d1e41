#pragma once
// The free text boxes and their labels of the windows of a quote's life. The platform has
// no plain text box of the suite's: these are Qt's own, drawn in the suite's colours and
// font, placed in twips like every other control.

#include <QString>

class Label;
class QLineEdit;
class QWidget;

namespace CamposDeTexto {

QLineEdit* CriarCaixaDeTexto(QWidget* pai, const QString& nome, int left, int top, int width);
Label* CriarRotulo(QWidget* pai, const QString& nome, const QString& texto, int left, int top);

} // namespace CamposDeTexto
