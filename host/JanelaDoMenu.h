#pragma once
// The suite's menu window: a command bar over a work area into which the quotes
// list docks.

#include "contracts/ComponentesDaSuite.h"

#include <QMainWindow>
#include <QPointer>

class QWidget;

class JanelaDoMenu : public QMainWindow {
    Q_OBJECT
public:
    // lonCodigoDoCliente and lonCodigoDoAnimal: the client and animal the menu has
    // chosen for "Novo orçamento" (0: none).
    JanelaDoMenu(QObject* dadosDoUsuario, const QString& nomeDaAplicacao, qint32 lonCodigoDoCliente,
                 qint32 lonCodigoDoAnimal);

    HWnd FomularioDoMenu_hWnd();
    HWnd AreaDeTrabalho_hWnd();

    // "Orçamentos": the list, docked in the work area.
    void AbrirOrcamentos();
    // "Novo orçamento": the record form of a new quote for the client and animal
    // chosen in the menu window.
    void NovoOrcamento();

private:
    // The menu's one component object, created on first use.
    QObject* Componente();

    void EntregarClienteEAnimal(QObject* componente);

    QObject* mobjDadosDoUsuario;
    qint32 mlonCodigoDoCliente;
    qint32 mlonCodigoDoAnimal;
    QString mstrNomeDaAplicacao;
    QWidget* mAreaDeTrabalho;
    QObject* mobjComponente = nullptr;
};
