#pragma once
// XRDTPicker: the suite's date picker, a date box with a calendar that drops down.
// Its Value is text "DD/MM/YYYY", as the forms write and read it.
//
// Event rules: none. Setting Value raises nothing, and neither does the person
// changing the date (the forms read Value when they need it).
// Errors: a Value that is not a date is run-time error 13 (as VB's conversion).

#include "platform/controls/Controle.h"

class QDateEdit;

class XRDTPicker : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Value READ Value WRITE setValue)

public:
    explicit XRDTPicker(QWidget* pai = nullptr, const QString& nome = QString());

    QString Value() const;
    void setValue(const QString& texto);

    QDateEdit* Caixa() const { return mobjCaixa; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    QDateEdit* mobjCaixa;
    QWidget* mobjIndicador;
};
