#pragma once
// The two small windows that record a client's answer to a quote: "Registrar aprovação"
// (who approved and how, the whole quote) and "Registrar recusa" (the reason and an
// optional note). Both are white modal windows of the list's look: the title where the
// list has its own, the quote and its client under it, the fields, and "OK" and
// "Cancelar" at the bottom right; Enter confirms and Escape cancels. OK calls the
// business operation (clsEtapasDoOrcamento) with the stamp read when the window opened;
// a rejection (a field missing) is told and the window stays, a refusal (the quote moved
// at another workstation, or its stage does not allow it) is told and the window closes.
//
// The free texts are the text boxes of andamento/CamposDeTexto.

#include "contracts/Negocio.h"

#include <QDialog>
#include <memory>

class Label;
class QLineEdit;
class XRComboBox;
class XRCommandButton;

class frmRegistroDaEtapa : public QDialog {
    Q_OBJECT
public:
    ~frmRegistroDaEtapa() override;

    // Reads the quote, shows the window modally; true when the quote's stage changed.
    bool MontarExibirFormulario(double ldouNumeroDoOrcamento);

protected:
    frmRegistroDaEtapa(const QString& lstrNome, const QString& lstrTitulo, QWidget* pai);

    // The form's own fields, once the quote was read.
    virtual void Preencher() = 0;
    // The business operation; a status code (Resultado). A check of the form's own that
    // fails tells the person and answers Resultado::Rejeitado.
    virtual qint16 Registrar() = 0;

    // A free text box in the suite's look, at a place in twips.
    QLineEdit* CriarCaixaDeTexto(const QString& nome, int left, int top, int width);
    // A label over a field, at a place in twips.
    Label* CriarRotulo(const QString& nome, const QString& texto, int left, int top);

    void keyPressEvent(QKeyEvent* evento) override;

    static constexpr int Margem = 300;
    static constexpr int TopoDosCampos = 1600;

    const QString mstrNome;
    double mdouNumeroDoOrcamento = 0;
    std::unique_ptr<ZELT_N_Orcamentos::clsEtapasDoOrcamento> mobjEtapas;
    Label* lblTitulo;
    Label* lblOrcamento;
    XRCommandButton* xrcmdOK;
    XRCommandButton* xrcmdCancelar;

private:
    void xrcmdOK_Click();
    void xrcmdCancelar_Click();
    bool mbooConcluida = false;
};

class frmRegistrarAprovacao : public frmRegistroDaEtapa {
    Q_OBJECT
public:
    explicit frmRegistrarAprovacao(QWidget* pai = nullptr);

protected:
    void Preencher() override;
    qint16 Registrar() override;

private:
    QLineEdit* txtQuem;
    XRComboBox* xrcmbComo;
};

class frmRegistrarRecusa : public frmRegistroDaEtapa {
    Q_OBJECT
public:
    explicit frmRegistrarRecusa(QWidget* pai = nullptr);

protected:
    void Preencher() override;
    qint16 Registrar() override;

private:
    XRComboBox* xrcmbMotivo;
    QLineEdit* txtNota;
};
