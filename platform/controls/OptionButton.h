#pragma once
// OptionButton: VB's option button. The option buttons with the same parent form
// one group: selecting one clears the others.
//
// Event rules (synchronous):
// - Setting Value to True from code raises Click when the button was not selected;
//   the other buttons of the group become False without any event.
// - Setting Value to True on a selected button, or to False, raises nothing.
// - The person clicking the button (or pressing Space on it) selects it and raises
//   Click, also when it was already selected. A disabled button raises nothing.
// - Taking the focus (SetFocus, Tab) does not change Value.

#include "platform/controls/Controle.h"

class OptionButton : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE setForeColor)

public:
    explicit OptionButton(QWidget* pai = nullptr, const QString& nome = QString());

    QString Caption() const { return mstrCaption; }
    void setCaption(const QString& texto);
    bool Value() const { return mbooValue; }
    void setValue(bool valor);
    int ForeColor() const { return mlonForeColor; }
    void setForeColor(int cor);

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void Selecionar();

    QString mstrCaption;
    bool mbooValue = false;
    int mlonForeColor = 4802889;
};
