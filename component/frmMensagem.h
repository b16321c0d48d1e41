#pragma once
// The small waiting form ("Aguarde, ..."): the caller creates it, sets the label's
// caption, calls MontarExibirFormulario (which keeps it on screen at least one
// second), does its work and then unloads it.

#include <QWidget>

class Label;
class Shape;

class frmMensagem : public QWidget {
    Q_OBJECT
public:
    explicit frmMensagem(QWidget* parent = nullptr);

    Label* lblMensagem;

    // Always False.
    Q_INVOKABLE bool MontarExibirFormulario();
    Q_INVOKABLE void Form_Unload();

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Form_Load();
    void Form_Resize();
    void ArredondarCantosDoObjeto();

    // Alternates on every resize: only every other one lays the label out again.
    bool mbooRedimensionado = false;
};
