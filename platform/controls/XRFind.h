#pragma once
// XRFind: the suite's search field, a text box with a clear button and a search
// button. The person asks for a search (search button or Enter) or asks to clear it
// (clear button or Escape); the field tells which through Status, set before Click.
//
// Members: Caption (a short grey prefix inside the box, left of the text), Hint
// (the grey text shown while the box is empty), Text, Status, Style, SearchedText,
// and PrepararNovaPesquisa, the follow-up the search dialogs call after a search
// that found nothing.
//
// Event rules:
// - Click: raised by the person's request only, never by a setter. Before it:
//   search: Status = StatusPesquisar and SearchedText = Text; clear: Text = "" and
//   Status = StatusLimpar.
//   A disabled field raises nothing.
// - KeyDown(KeyCode, Shift): every key pressed in the box, before the box acts on
//   it (Enter and Escape included). Setting KeyCode to 0 discards the key, so a
//   KeyDown handler can stop Enter from searching.
// - GotFocus, LostFocus, Validate: as every control (the inner editor holds the
//   focus; QApplication::focusWidget() is that editor).
// - Setting Text, Status, Style, SearchedText or Caption raises nothing.
//
// Style: 1 free text, 2 code. A code field takes digits only from the person: typed
// letters are ignored and a pasted text keeps its digits; a text the forms set is kept
// as they set it. The forms read the style to decide on their minimum length for
// free-text searches.
// SearchedText: the text of the last search the person asked for; the forms empty
// it, the box only keeps it.

#include "platform/controls/Controle.h"

class EditorDeTexto;
class QToolButton;
class QValidator;

class XRFind : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int Status READ Status WRITE setStatus)
    Q_PROPERTY(int Style READ Style WRITE setStyle)
    Q_PROPERTY(QString SearchedText READ SearchedText WRITE setSearchedText)

public:
    // The values of Status: nothing asked yet (or reset by a form), a search, a clear.
    static constexpr int StatusNenhum = 0;
    static constexpr int StatusPesquisar = 1;
    static constexpr int StatusLimpar = 2;

    explicit XRFind(QWidget* pai = nullptr, const QString& nome = QString());

    QString Caption() const { return mstrCaption; }
    void setCaption(const QString& texto);
    QString Hint() const;
    void setHint(const QString& texto);
    QString Text() const;
    void setText(const QString& texto);
    int Status() const { return mlonStatus; }
    void setStatus(int valor) { mlonStatus = valor; }
    // The values of Style.
    static constexpr int EstiloTextoLivre = 1;
    static constexpr int EstiloCodigo = 2;
    int Style() const { return mintStyle; }
    void setStyle(int valor);
    QString SearchedText() const { return mstrSearchedText; }
    void setSearchedText(const QString& texto) { mstrSearchedText = texto; }

    // The person's two requests, as the buttons and keys make them (also for scripts).
    Q_INVOKABLE void Pesquisar();
    Q_INVOKABLE void Limpar();
    // After a search that found nothing: the focus back in the box with the typed
    // text selected, ready to be typed over.
    Q_INVOKABLE void PrepararNovaPesquisa();

    EditorDeTexto* Editor() const { return mobjEditor; }
    QSize sizeHint() const override;

signals:
    void Click();
    void KeyDown(int& KeyCode, int& Shift);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void Posicionar();
    bool AcaoDaTecla(int KeyAscii);

    EditorDeTexto* mobjEditor;
    QToolButton* mobjLimpar;
    QToolButton* mobjPesquisar;
    QValidator* mobjSoDigitos;
    QString mstrCaption;
    QString mstrSearchedText;
    int mlonStatus = StatusNenhum;
    int mintStyle = EstiloTextoLivre;
};
