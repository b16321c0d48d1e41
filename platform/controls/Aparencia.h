#pragma once
// The look shared by every control: one font family (Arial, served by Liberation
// Sans), the colours of text, borders, focus and locked boxes, and the style of the
// inner editors. A control never picks its own colours outside this file.

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class QRectF;
class QWidget;

namespace Aparencia {

// Arial at the given size in points (bold when asked).
QFont Fonte(qreal pontos = 10, bool negrito = false);

inline constexpr int CorDoTextoVB = 4802889;      // RGB(73, 73, 73): labels and captions
inline constexpr int CorDeBloqueadoVB = 0xF9F9F9; // background of a locked number box

QColor CorDoTexto();        // RGB(73, 73, 73)
QColor CorDoTextoSuave();   // secondary lines, placeholders
QColor CorDoTextoInativo(); // text of a disabled control
QColor CorDaBorda();        // frame of boxes and buttons at rest
QColor CorDaBordaSobre();   // frame under the mouse
QColor CorDeDestaque();     // the accent: focus ring, theme line, primary hover
QColor CorDeFundoInativo(); // background of a disabled control
QColor CorDeFundoSobre();   // button background under the mouse

inline constexpr qreal RaioDosCantos = 4.0;

// The frame of a box or button: rounded, 1 pixel at rest, 2 pixels in the accent
// colour while the control holds the focus (so that the focus is always visible).
void DesenharMoldura(QPainter& p, const QRectF& area, const QColor& fundo, bool comFoco, bool sobre,
                     bool habilitado);

// Style sheet of an inner line editor: no frame of its own (the control draws it),
// transparent background, the given text colour and alignment.
QString EstiloDoEditor(const QColor& texto);

// Style sheet of an inner combo box or date editor, drawn with its own frame.
QString EstiloDaCaixaDeSelecao(const QColor& fundo);

// The sign at the right end of a combo box or date editor (an icon of Icones), laid
// over the editor's drop-down button; clicks go through it to the button. The owner
// places it with PosicionarIndicador when it is resized.
QWidget* CriarIndicador(QWidget* pai, const QString& icone);
void PosicionarIndicador(QWidget* indicador);

} // namespace Aparencia
