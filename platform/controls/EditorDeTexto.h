#pragma once
// The line editor inside the find box and the number box. It gives each key to the
// control as VB does, before the editor acts on it: first KeyDown for every key (key
// code and Shift mask; a key code set to 0 discards the key), then KeyPress for keys that
// type a character (the code may be replaced by another character or set to 0 to
// discard it), and last the control's own action for Enter and Escape.

#include <QLineEdit>
#include <functional>

class EditorDeTexto : public QLineEdit {
    Q_OBJECT

public:
    explicit EditorDeTexto(QWidget* pai);

    // The control's action for Enter (13) and Escape (27), run after KeyPress; it
    // returns True when it handled the key (the key then goes no further).
    std::function<bool(int KeyAscii)> AcaoDaTecla;

signals:
    void TeclaPressionada(int& KeyCode, int& Shift);
    void CaractereDigitado(int& KeyAscii);

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;

private:
    // A GotFocus handler that selected the text keeps its selection when the focus
    // came with a mouse press (the press would otherwise move the cursor).
    bool mbooManterSelecaoDoFoco = false;
};
