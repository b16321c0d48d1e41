#include "platform/controls/Teclado.h"

#include <QKeyEvent>

namespace Teclado {

int CodigoDaTecla(int qtTecla, Qt::KeyboardModifiers modificadores) {
    if (qtTecla >= Qt::Key_0 && qtTecla <= Qt::Key_9)
        return (modificadores & Qt::KeypadModifier) ? 96 + (qtTecla - Qt::Key_0) : qtTecla;
    if (qtTecla >= Qt::Key_A && qtTecla <= Qt::Key_Z) return qtTecla;
    if (qtTecla >= Qt::Key_F1 && qtTecla <= Qt::Key_F24) return 112 + (qtTecla - Qt::Key_F1);
    switch (qtTecla) {
    case Qt::Key_Backspace:
        return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return (modificadores & Qt::KeypadModifier) ? 107 : 187;
    case Qt::Key_Minus:
        return (modificadores & Qt::KeypadModifier) ? 109 : 189;
    case Qt::Key_Comma:
        return (modificadores & Qt::KeypadModifier) ? 110 : 188;
    case Qt::Key_Period:
        return (modificadores & Qt::KeypadModifier) ? 110 : 190;
    case Qt::Key_Slash:
        return (modificadores & Qt::KeypadModifier) ? 111 : 193;
    case Qt::Key_Equal:
        return 187;
    case Qt::Key_Semicolon:
        return 191;
    case Qt::Key_Ccedilla:
        return 186; // the Brazilian keyboard's key
    default:
        // Other keys of Latin-1 letters (accented capitals) keep their code, so that
        // every key has one; keys beyond Latin-1 have none.
        return (qtTecla > 0 && qtTecla <= 0xFF) ? qtTecla : 0;
    }
}

int EstadoDoShift(Qt::KeyboardModifiers modificadores) {
    int estado = 0;
    if (modificadores & Qt::ShiftModifier) estado |= 1;
    if (modificadores & Qt::ControlModifier) estado |= 2;
    if (modificadores & Qt::AltModifier) estado |= 4;
    return estado;
}

int CodigoDoCaractere(const QKeyEvent& evento) {
    switch (evento.key()) {
    case Qt::Key_Backspace:
        return vbKeyBack;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Escape:
        return vbKeyEscape;
    default:
        break;
    }
    // Ctrl and Alt combinations are shortcuts (copy, paste...), not typed characters.
    if (evento.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    const QString texto = evento.text();
    if (texto.isEmpty() || !texto.at(0).isPrint()) return 0;
    return texto.at(0).unicode();
}

int TeclaDoCaractere(int KeyAscii) {
    switch (KeyAscii) {
    case vbKeyBack:
        return Qt::Key_Backspace;
    case vbKeyReturn:
        return Qt::Key_Return;
    case vbKeyEscape:
        return Qt::Key_Escape;
    default:
        return Qt::Key_unknown;
    }
}

} // namespace Teclado
