#pragma once
// The two windows the menu "Orçamentos" opens over the quotes' history:
//
// JanelaDosExcluidos ("Orçamentos excluídos"): the deleted quotes, newest deletion
// first (number, client, net value, deleted when and by whom), a page at a time, with
// a find box (number, client code or name; accents and case ignored) and the command
// "Restaurar", which puts the chosen quote back. Only an administrator restores: for
// anyone else the command stays disabled and its tool tip says why.
//
// JanelaDoHistorico ("Histórico do orçamento"): the versions of one quote, newest
// first (when, who, what, net value, item count); "Ver ficha" (or a double click)
// shows the chosen version's sheet in the report preview, titled with its date.
//
// Both read the business layer through ZELT_N_Orcamentos.clsHistorico (by ProgID),
// show their messages through the platform's message box and are driven by their
// controls' names: txtPesquisa, cmdPesquisar, grdExcluidos, cmdPrimeiraPagina,
// cmdPaginaAnterior, lblPagina, cmdProximaPagina, cmdUltimaPagina, cmdRestaurar,
// cmdFechar; txtNumeroDoOrcamento, cmdMostrar, lblOrcamento, grdHistorico,
// cmdVerFicha, cmdFechar.

#include "contracts/HistoricoDeOrcamentos.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class JanelaDosExcluidos : public QDialog {
    Q_OBJECT
public:
    JanelaDosExcluidos(QObject* dadosDoUsuario, const QString& nomeDaAplicacao, QWidget* pai = nullptr);
    ~JanelaDosExcluidos() override;

    static constexpr qint16 TamanhoDaPagina = 20;
    static const QString DicaDeSomenteAdministrador;

signals:
    // A quote was put back: the list of quotes shows it again.
    void OrcamentoRestaurado(double numero);

private:
    void Selecionar();
    void MostrarPagina(qint32 pagina);
    void AtualizarComandos();
    double NumeroSelecionado() const;

    void cmdPesquisar_Click();
    void cmdPrimeiraPagina_Click() { MostrarPagina(1); }
    void cmdPaginaAnterior_Click() { MostrarPagina(mlonPagina - 1); }
    void cmdProximaPagina_Click() { MostrarPagina(mlonPagina + 1); }
    void cmdUltimaPagina_Click();
    void cmdRestaurar_Click();

    QObject* mobjDadosDoUsuario;
    QString mstrNomeDaAplicacao;
    bool mbooAdministrador;
    std::unique_ptr<ZELT_N_Orcamentos::clsHistorico> mobjHistorico;
    qint32 mlonPagina = 1;

    QLineEdit* txtPesquisa;
    QPushButton* cmdPesquisar;
    QTableWidget* grdExcluidos;
    QPushButton* cmdPrimeiraPagina;
    QPushButton* cmdPaginaAnterior;
    QLabel* lblPagina;
    QPushButton* cmdProximaPagina;
    QPushButton* cmdUltimaPagina;
    QPushButton* cmdRestaurar;
    QPushButton* cmdFechar;
};

class JanelaDoHistorico : public QDialog {
    Q_OBJECT
public:
    // ldouNumeroDoOrcamento: the quote to show at once (0: the person types one).
    JanelaDoHistorico(QObject* dadosDoUsuario, const QString& nomeDaAplicacao, double ldouNumeroDoOrcamento,
                      QWidget* pai = nullptr);
    ~JanelaDoHistorico() override;

private:
    void cmdMostrar_Click();
    void cmdVerFicha_Click();

    QString mstrNomeDaAplicacao;
    std::unique_ptr<ZELT_N_Orcamentos::clsHistorico> mobjHistorico;

    QLineEdit* txtNumeroDoOrcamento;
    QPushButton* cmdMostrar;
    QLabel* lblOrcamento;
    QTableWidget* grdHistorico;
    QPushButton* cmdVerFicha;
    QPushButton* cmdFechar;
};
