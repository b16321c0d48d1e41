#pragma once
// The record form of one quote: add (1), change (3) or delete (4), shown modally.

#include <QDialog>

class frmFicha : public QDialog {
    Q_OBJECT
public:
    explicit frmFicha(QWidget* parent = nullptr);

    // Shows the form modally in the given operation mode; returns when it closes.
    Q_INVOKABLE qint16 MontarExibirFormulario(qint16 lintTipoDeOperacao);

    qint16 TipoDeOperacao() const { return mintTipoDeOperacao; }

private:
    qint16 mintTipoDeOperacao = 0;
};
