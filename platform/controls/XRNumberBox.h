#pragma once
// XRNumberBox: the suite's number box. It holds its value as text with a comma as
// decimal separator ("0,00", "1.234,50"), exactly as the forms write it; the forms
// read it back with the conversions of contracts/VB.h and format it themselves, so
// the box never rewrites its text. A locked box is read-only (it still takes the
// focus, so its text can be selected and copied).
//
// Members: Text, Locked, Alignment (0 left, 1 right, 2 centre), FormatType (kept
// for the design: 0 general, 1 money, 2 quantity; the box does not format),
// MaxLength (0 no limit), BackColor and ForeColor (VB colours), SelStart, SelLength,
// SelText. MaxLength limits what the person types or pastes: an edit that would pass
// it is refused whole, never cut. A text set from code is kept whole, however long, as
// a Windows edit box keeps it; the forms refuse a value that does not fit themselves.
//
// Event rules:
// - KeyDown(KeyCode, Shift): every key, first; KeyCode = 0 discards the key.
// - KeyPress(KeyAscii): every key that types a character (and Backspace 8, Enter
//   13, Escape 27), before the box acts on it; a handler may replace the character
//   (the box then types the replacement) or set it to 0 (the key is discarded).
// - GotFocus / LostFocus / Validate(Cancel): as every control; a Validate handler
//   that sets Cancel keeps the focus in the box.
// - Setting any property from code raises nothing (there is no Change event).

#include "platform/controls/Controle.h"

class EditorDeTexto;

class XRNumberBox : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int FormatType READ FormatType WRITE setFormatType)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText)

public:
    explicit XRNumberBox(QWidget* pai = nullptr, const QString& nome = QString());

    QString Text() const;
    void setText(const QString& texto);
    bool Locked() const;
    void setLocked(bool valor);
    int Alignment() const { return mintAlignment; }
    void setAlignment(int valor);
    int FormatType() const { return mintFormatType; }
    void setFormatType(int valor) { mintFormatType = valor; }
    int MaxLength() const { return mintMaxLength; }
    void setMaxLength(int valor);
    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor);
    int ForeColor() const { return mlonForeColor; }
    void setForeColor(int cor);

    // VB's selection: SelStart is the cursor (start of the selection); setting it
    // drops the selection; SelLength selects that many characters from SelStart.
    int SelStart() const;
    void setSelStart(int valor);
    int SelLength() const;
    void setSelLength(int valor);
    QString SelText() const;
    void setSelText(const QString& texto);

    EditorDeTexto* Editor() const { return mobjEditor; }
    QSize sizeHint() const override;

signals:
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    EditorDeTexto* mobjEditor;
    int mintAlignment = 1;
    int mintFormatType = 0;
    int mintMaxLength = 0;
    int mlonBackColor = 0xFFFFFF;
    int mlonForeColor = 4802889;
};
