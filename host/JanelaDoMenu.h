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
    // "Orçamentos excluídos…" (menu "Orçamentos"): the component's window of the deleted
    // quotes; a quote restored there shows again in the docked list.
    void AbrirOrcamentosExcluidos();
    // "Histórico do orçamento…": the component's history of the quote selected in the
    // docked list (none selected: the person types a number).
    void AbrirHistoricoDoOrcamento();
    // "Configurações do orçamento…": the company's quote settings (administrators).
    void AbrirConfiguracoesDoOrcamento();
    void AbrirPacotesDeProcedimentos();
    void AbrirAcompanhamento();
    // "Ajuda" (F1): the user's guide from its start.
    void AbrirAjuda();

private:
    // The menu's component objects (the list and record form's; the windows beyond
    // them), each created on first use.
    QObject* Componente();
    QObject* Andamento();

    // The client and animal given to the menu, with their names as the registry holds them.
    ClienteEAnimal ClienteEAnimalDoMenu();
    void EntregarClienteEAnimal(QObject* componente, const ClienteEAnimal& escolha);
    QObject* mobjDadosDoUsuario;
    qint32 mlonCodigoDoCliente;
    qint32 mlonCodigoDoAnimal;
    QString mstrNomeDaAplicacao;
    QWidget* mAreaDeTrabalho;
    QObject* mobjComponente = nullptr;
    QObject* mobjAndamento = nullptr;
};
