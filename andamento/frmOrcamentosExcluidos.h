#pragma once
// "Orçamentos excluídos": the deleted quotes, newest deletion first (number, client,
// net value, deleted when and by whom), a page at a time, with the list's find box
// (number, client code or name; accents and case ignored) and the command
// "Restaurar", which puts the chosen quote back, and the open list with it. Only an
// administrator restores: for anyone else the command stays disabled and its tool tip
// says why. It reads the business layer through ZELT_N_Orcamentos.clsHistorico.

#include "andamento/frmAndamento.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <memory>

class XRFind;
class XRNavigationBar;

class frmOrcamentosExcluidos : public frmAndamento {
    Q_OBJECT
public:
    explicit frmOrcamentosExcluidos(QWidget* pai = nullptr);
    ~frmOrcamentosExcluidos() override;

    // Selects the first page and shows the window, modal, until it is closed.
    Q_INVOKABLE void MontarExibirFormulario();

    // A page holds as many quotes as the window's grid shows without scrolling: the
    // deleted quotes are browsed, not worked through, and a page that does not change
    // with the window's size keeps the page numbers a person was told.
    static constexpr qint16 TamanhoDaPagina = 10;
    static const QString DicaDeSomenteAdministrador;

protected:
    void Form_Resize() override;

private:
    // A new selection with the find box's text, shown from llonPagina on.
    qint16 Selecionar(qint32 llonPagina);
    void PreencherGrade();
    void AtualizarComandos();
    double NumeroSelecionado() const;
    ZELT_N_Orcamentos::clsHistorico& Historico() const;

    void xrfndPesquisar_Click();
    void xrnbBarraDeNavegacao_Click(int Botao);
    void msfgGrade_SelChange();
    void xrcmdRestaurar_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsHistorico> mobjHistorico;
    bool mbooAdministrador = false;
    qint32 mlonPaginaAtual = 1;

    XRFind* xrfndPesquisar;
    XRCommandButton* xrcmdRestaurar;
    XRNavigationBar* xrnbBarraDeNavegacao;
};
