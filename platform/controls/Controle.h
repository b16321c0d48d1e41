#pragma once
// Controle: what every control of the forms has from its container (VB's extender):
// Left, Top, Width and Height in twips, Visible, Enabled, Tag, ToolTipText,
// CausesValidation, Font (and FontName, FontSize, FontBold), SetFocus, ZOrder, Move,
// Refresh; and the focus events GotFocus, LostFocus and Validate. Every member is reachable by name through
// the meta-object system (Q_PROPERTY / Q_INVOKABLE), and a control's name in the design is its objectName.
//
// Positions are absolute within the parent (the forms place controls by twips, there
// are no layouts). A value written in twips reads back unchanged as long as nothing
// else moved the widget; otherwise the pixel geometry, converted, is the answer.
//
// Event rules (all synchronous, all raised before the call that caused them returns):
// - GotFocus: the focus enters the control from another control. A window that is
//   activated again hands the focus back without a second GotFocus.
// - LostFocus: the focus leaves the control for another control of the same window.
//   Switching to another window (a message box, a dialog) raises nothing, and neither
//   does disabling the window (a form waiting under its panel).
// - Validate(Cancel): before the focus leaves the control for a control whose
//   CausesValidation is True, by mouse, by Tab or by SetFocus; Cancel = True keeps
//   the focus where it is and then neither LostFocus nor GotFocus is raised.
// - Setting Left, Top, Width, Height, Visible, Enabled, Tag or ToolTipText raises
//   nothing.
// - SetFocus on a control that is hidden or disabled (itself or its container) is
//   run-time error 5, as in VB.
// Mouse presses are checked at their window, where a person's clicks arrive, before Qt
// moves the focus; a test that wants Validate to run on a click sends it through the
// window (QTest with QTEST_QPA_MOUSE_HANDLING), not straight to a widget.

#include <QString>
#include <QWidget>
#include <climits>

class Controle : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(bool CausesValidation READ CausesValidation WRITE setCausesValidation)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)
    Q_PROPERTY(qreal FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)

public:
    explicit Controle(QWidget* pai = nullptr, const QString& nome = QString());
    ~Controle() override;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);

    // The control's own flags, as VB reads them: a control inside a hidden or
    // disabled container still answers what was set on it.
    bool Visible() const;
    bool Enabled() const;

    QString Tag() const { return mstrTag; }
    void setTag(const QString& texto) { mstrTag = texto; }
    QString ToolTipText() const { return mstrToolTipText; }
    void setToolTipText(const QString& texto);
    // VB's shortcuts into Font (name, size in points, bold).
    QString FontName() const { return font().family(); }
    void setFontName(const QString& nome);
    qreal FontSize() const { return font().pointSizeF(); }
    void setFontSize(qreal pontos);
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool valor);
    bool CausesValidation() const { return mbooCausesValidation; }
    void setCausesValidation(bool valor) { mbooCausesValidation = valor; }

    Q_INVOKABLE void SetFocus();
    // 0 brings the control to the front of its siblings, 1 sends it to the back.
    Q_INVOKABLE void ZOrder(int Posicao = 0);
    // VB's Move: the arguments left out keep their values.
    Q_INVOKABLE void Move(int Left, int Top = INT_MIN, int Width = INT_MIN, int Height = INT_MIN);
    Q_INVOKABLE void Refresh();

    // Raises Validate and tells whether the focus may leave (Cancel left False).
    bool ValidarSaida();
    // The control a widget belongs to: the widget itself or its nearest ancestor.
    static Controle* DonoDe(QWidget* widget);
    // True while the control holds the focus of its window (between GotFocus and LostFocus).
    bool TemOFoco() const { return mbooTemFoco; }

signals:
    void GotFocus();
    void LostFocus();
    void Validate(bool& Cancel);

protected:
    // The inner widget that takes the focus for the control (an editor); its focus
    // changes become the control's GotFocus and LostFocus.
    void DefinirAlvoDoFoco(QWidget* alvo);
    // The text shown as the tool tip; a control with a richer tool tip overrides it.
    virtual QString TextoDaDica() const { return mstrToolTipText; }
    void AtualizarDica();

    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;

private:
    void RegistrarEntradaDoFoco(Qt::FocusReason motivo);
    void RegistrarSaidaDoFoco(Qt::FocusReason motivo);

    int mlonLeft = 0;
    int mlonTop = 0;
    int mlonWidth = 0;
    int mlonHeight = 0;
    QString mstrTag;
    QString mstrToolTipText;
    bool mbooCausesValidation = true;
    bool mbooTemFoco = false;
};
