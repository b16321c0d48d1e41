#pragma once
// What the record form asks before it adds a procedure package: which package and the
// animal's weight (the last one recorded for it offered). Shown modally through the
// platform's seam; the form then asks the business layer for the band's items.

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class Label;
class XRComboBox;
class XRCommandButton;
class XRNumberBox;

class frmPacoteDaFicha : public QDialog {
    Q_OBJECT
public:
    explicit frmPacoteDaFicha(QWidget* pai = nullptr);

    // Offers the packages (code, text) with the weight filled; true when the person
    // chose one and gave a weight (CodigoDoPacote, Peso), false when cancelled.
    bool Escolher(const QList<QPair<qint64, QString>>& lpacotes, const QString& lstrPeso);
    qint64 CodigoDoPacote() const { return mlonCodigoDoPacote; }
    QString Peso() const { return mstrPeso; }

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void xrcmdConfirmar_Click();
    void xrcmdCancelar_Click();

    Label* lblPacote;
    XRComboBox* xrcmbPacote;
    Label* lblPeso;
    XRNumberBox* xrnumPeso;
    XRCommandButton* xrcmdConfirmar;
    XRCommandButton* xrcmdCancelar;

    qint64 mlonCodigoDoPacote = 0;
    QString mstrPeso;
    bool mbooEscolhido = false;
};
