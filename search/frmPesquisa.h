#pragma once
// What the three search dialogs share, built once: the header band, the grid with its
// look, its filling and its row shading, the close button, the rounded waiting panel,
// the layout, the one-shot guard of the find box, the pick and the hand-back.
//
// The caller (the record form) creates a dialog, sets its properties, calls
// ConfigurarGrade and PreencherGrade while it is hidden, shows it with
// Plataforma::ExibirModal (hiding the dialog ends the display), reads
// RegistroSelecionado and, when True, the picked row through
// Grade()->TextMatrix(Grade()->RowSel(), column), and then destroys it.
//
// As a VB form is loaded at the first access to one of its controls, Form_Load runs
// once, when the dialog is first used: at the first public member that touches a
// control, or when it is first shown, whichever comes first.
//
// Every error location names the dialog itself ("frmPesquisaDeClientes") and the
// procedure.

#include "component/modGrade.h"
#include "contracts/Negocio.h"

#include <QDialog>
#include <memory>
#include <span>

class Label;
class MSFlexGrid;
class PictureBox;
class XRCommandButton;
class XRFind;
class XRTheme;

class frmPesquisa : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool RegistroSelecionado READ RegistroSelecionado)

public:
    // One column of a dialog's grid, as the dialog designs it (its field: the selection's).
    using ColunaDaGrade = modGrade::ColunaDaGrade;

    ~frmPesquisa() override;

    // Empties the grid and sets it up with its header row only. 0 done, 1 failed
    // (the error was shown).
    Q_INVOKABLE qint16 ConfigurarGrade();
    // One shaded row per record of the selection, in its order. 0 done, 1 failed (the
    // rows written before the failure stay).
    Q_INVOKABLE qint16 PreencherGrade(const RecordsetPtr& lrstResultado);
    // True once the person picked a row the dialog accepts; False when it was closed.
    bool RegistroSelecionado() const { return mbooRegistroSelecionado; }
    // The grid msfgGrade, whose selected row (RowSel) is the pick.
    MSFlexGrid* Grade() const;

    // The waiting panel; both act only while the dialog is shown. True disables the
    // dialog, shows the panel in its middle and waits one second.
    Q_INVOKABLE void ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem);
    Q_INVOKABLE void CentralizarpicMensagem();

    void setVisible(bool visible) override;
    // The window's close button and Escape: closed without a pick.
    void reject() override;

protected:
    // nome: the dialog's name (objectName and error locations); titulo: caption and
    // header text; textoDeEspera: what the waiting panel says.
    frmPesquisa(const QString& nome, const QString& titulo, const QString& textoDeEspera,
                std::span<const ColunaDaGrade> colunas, QWidget* parent);

    // The dialog's find box (created by the dialog under its own name).
    virtual XRFind* CaixaDePesquisa() const = 0;
    // The dialog's own search (PesquisarCliente, ...): True when rows were shown.
    virtual bool Pesquisar() = 0;
    // Whether a search may start (the service dialog needs a type first).
    virtual bool PodePesquisar() { return true; }
    // 0 the selected row may be picked, 1 refused (the dialog said why).
    virtual qint16 ValidarCampos() { return 0; }
    virtual void Form_Load();
    // What the dialog adds to the layout's end, before the find box takes the focus.
    virtual void ConcluirRedimensionamento() {}

    // Runs Form_Load the first time the dialog is used.
    void Carregar();
    // The two steps of Form_Load every dialog has.
    void AdicionarMolduraNoWindows8();
    void DefinirDicaDoFechar();

    // The find box's Click of every dialog, under that dialog's handler name: the grid
    // is emptied; a click right after a search is swallowed; then the search.
    void CliqueDaCaixaDePesquisa(QStringView procedimento);
    // The end of every search, under its own trap (Ponto from 4 on): a failure of the
    // business object is reported; no row gives the message and selects the typed
    // text; one row is picked at once (unless this is a price query); rows fill the
    // grid. True when rows were shown.
    bool ConcluirPesquisa(std::unique_ptr<ObjetoDeNegocio> lobjNegocio, const QVariant& lvarResposta,
                          const QString& lstrNadaEncontrado, qint16& Ponto);

    QString Nome() const { return objectName(); }

    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    // Enter on the grid picks its row, as a click does: the dialog works from the keyboard.
    void keyPressEvent(QKeyEvent* evento) override;

    XRTheme* xrTheme;
    MSFlexGrid* msfgGrade;
    XRCommandButton* xrcmdFechar;
    PictureBox* picMensagem;

    bool mbooRegistroSelecionado = false;
    // One-shot guard: set by a search; the next click of the find box only clears it.
    bool mbooIgnorarProximoEvento = false;
    // While False a search that finds one row picks it at once (always so for clients).
    bool mbooFormularioDeConsultaDePreco = false;

private:
    void Form_Resize();
    void Form_Activate();
    void Form_Unload();
    void msfgGrade_Click();
    void xrcmdFechar_Click();

    std::span<const ColunaDaGrade> mcolunas;
    bool mbooCarregado = false;
};
