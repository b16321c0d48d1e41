#pragma once
// XRTheme: the header band at the top of a form: a title on the left and, on the
// right, the inclusion line and the alteration line (either may be empty), over a
// thin line in the accent colour.
//
// Event rules: none; setting the three texts only redraws the band.

#include "platform/controls/Controle.h"

class XRTheme : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString DataOfInclusion READ DataOfInclusion WRITE setDataOfInclusion)
    Q_PROPERTY(QString DataOfAlteration READ DataOfAlteration WRITE setDataOfAlteration)

public:
    explicit XRTheme(QWidget* pai = nullptr, const QString& nome = QString());

    QString Caption() const { return mstrCaption; }
    void setCaption(const QString& texto);
    QString DataOfInclusion() const { return mstrDataOfInclusion; }
    void setDataOfInclusion(const QString& texto);
    QString DataOfAlteration() const { return mstrDataOfAlteration; }
    void setDataOfAlteration(const QString& texto);

    QSize sizeHint() const override { return QSize(600, 64); }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QString mstrCaption;
    QString mstrDataOfInclusion;
    QString mstrDataOfAlteration;
};
