#pragma once
// The suite's menu window: a command bar over a work area into which the quotes
// list docks.

#include "contracts/ComponentesDaSuite.h"
#include "host/EscolhaDoCliente.h"

#include <QMainWindow>
#include <QPointer>

class QWidget;

class JanelaDoMenu : public QMainWindow {
    Q_OBJECT
public:
    // lonCodigoDoCliente and lonCodigoDoAnimal: the client and animal given to the menu
    // for "Novo orçamento" (0: none; then the person chooses them).
    JanelaDoMenu(QObject* dadosDoUsuario, const QString& nomeDaAplicacao, qint32 lonCodigoDoCliente,
                 qint32 lonCodigoDoAnimal);

    HWnd FomularioDoMenu_hWnd();
    HWnd AreaDeTrabalho_hWnd();

    // "Orçamentos": the list, docked in the work area.
    void AbrirOrcamentos();
    // "Novo orçamento": the record form of a new quote for the client and animal given
    // to the menu or, when none was given, chosen by the person (EscolhaDoCliente).
    void NovoOrcamento();
    // "Orçamentos excluídos…" (menu "Orçamentos"): the deleted quotes; a quote restored
    // there shows again in the docked list.
    void AbrirOrcamentosExcluidos();
    // "Histórico do orçamento…": the history of the quote selected in the docked list
    // (none selected: the person types a number).
    void AbrirHistoricoDoOrcamento();
    // "Ajuda" (F1): the user's guide from its start.
    void AbrirAjuda();

private:
    // The menu's one component object, created on first use.
    QObject* Componente();

    // The client and animal given to the menu, with their names as the registry holds them.
    ClienteEAnimal ClienteEAnimalDoMenu();
    void EntregarClienteEAnimal(QObject* componente, const ClienteEAnimal& escolha);
    // The docked list, its selected quote's number (0: none) and its refresh.
    QWidget* ListaAberta() const;
    double OrcamentoSelecionadoNaLista() const;
    void AtualizarLista();

    QObject* mobjDadosDoUsuario;
    qint32 mlonCodigoDoCliente;
    qint32 mlonCodigoDoAnimal;
    QString mstrNomeDaAplicacao;
    QWidget* mAreaDeTrabalho;
    QObject* mobjComponente = nullptr;
};
