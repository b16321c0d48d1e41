#include "platform/controls/EditorDeTexto.h"

#include "platform/controls/Teclado.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

EditorDeTexto::EditorDeTexto(QWidget* pai) : QLineEdit(pai) {
    setFrame(false);
    setAttribute(Qt::WA_MacShowFocusRect, false);
}

void EditorDeTexto::keyPressEvent(QKeyEvent* evento) {
    // Every key raises KeyDown (the forms' guarded handlers count on "any key").
    const int codigo = Teclado::CodigoDaTecla(evento->key(), evento->modifiers());
    int KeyCode = codigo;
    int Shift = Teclado::EstadoDoShift(evento->modifiers());
    emit TeclaPressionada(KeyCode, Shift);
    if (codigo != 0 && KeyCode == 0) {
        evento->accept();
        return;
    }
    int KeyAscii = Teclado::CodigoDoCaractere(*evento);
    if (KeyAscii == 0) {
        QLineEdit::keyPressEvent(evento);
        return;
    }
    const int original = KeyAscii;
    emit CaractereDigitado(KeyAscii);
    if (KeyAscii == 0) {
        evento->accept();
        return;
    }
    if ((KeyAscii == Teclado::vbKeyReturn || KeyAscii == Teclado::vbKeyEscape) && AcaoDaTecla &&
        AcaoDaTecla(KeyAscii)) {
        evento->accept();
        return;
    }
    if (KeyAscii == original) {
        QLineEdit::keyPressEvent(evento);
        return;
    }
    // The handler replaced the character: the editor types the new one instead.
    const int tecla = Teclado::TeclaDoCaractere(KeyAscii);
    const QString texto = tecla == Qt::Key_unknown ? QString(QChar(KeyAscii)) : QString();
    QKeyEvent substituto(QEvent::KeyPress, tecla, evento->modifiers() & Qt::ShiftModifier, texto);
    QLineEdit::keyPressEvent(&substituto);
    evento->setAccepted(substituto.isAccepted());
}

void EditorDeTexto::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    // The control's GotFocus runs in its event filter, before this point.
    mbooManterSelecaoDoFoco = evento->reason() == Qt::MouseFocusReason && hasSelectedText();
}

void EditorDeTexto::mousePressEvent(QMouseEvent* evento) {
    if (mbooManterSelecaoDoFoco) {
        mbooManterSelecaoDoFoco = false;
        evento->accept();
        return;
    }
    QLineEdit::mousePressEvent(evento);
}
