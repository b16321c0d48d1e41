#pragma once
// What the record form's tests share: a real business layer on the known registry (one
// row per configured database), the error display, the message boxes and the dark
// background recorded, and the form opened as the host or the list opens it. The modal
// display is scripted to show the form and return, so that MontarExibirFormulario ends
// with the form still on screen, ready to be driven through its controls by name; what
// hides the form (Save, Cancel) is what would end a real modal display.

#include "tests/business/BancoDeTeste.h"

#include "contracts/ComponentesDaSuite.h"
#include "record/frmFicha.h"

#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

class frmLista;
struct MenuDeTeste;

struct MensagemExibida {
    QString Texto;
    int BotoesEIcone;
    QString Titulo;
};

// Dark background calls, in order: ("Aplicar" | "Remover", hWnd).
QList<QPair<QString, HWnd>>& ChamadasDoFundoEscuro();

// A test class derives from it; every test function runs once per database, on a new
// database with the known registry, with what Preparar adds; Encerrar runs first when it
// ends.
class TesteDaFicha : public QObject {
    Q_OBJECT

protected:
    virtual void Preparar() {}
    virtual void Encerrar() {}
    // A new start inside one test function: what cleanup and init do between two.
    void Reiniciar() {
        cleanup();
        init();
    }

    // The record form of a new quote as the host opens it, for that client and animal
    // of the registry (AbrirFicha's steps around the form's own).
    frmFicha* AbrirDoHost(qint32 llonCliente = 1, qint32 llonAnimal = 10);
    // The list docked in a menu window with every quote, that quote selected in its
    // grid (0: none), then the record form in the mode, as the list's command opens it.
    frmFicha* AbrirDaLista(qint16 lintModo, double ldouNumeroDoOrcamento = 0);
    // Stores a quote of client 1 and animal 10 through the business layer, with that
    // many service items (consultation, 120,00 with 10 % discount each); its number.
    double GravarOrcamento(int lintItens = 1);
    // The record form on screen and active, as its modal display shows it.
    void Ativar();
    // A command button of the form clicked; a lookup box given a text and searched.
    void Clicar(const char* comando);
    void Pesquisar(const char* campo, const QString& texto);
    // Client 2 (Maria Antônia, her animal Luna) looked up, then each item ("servico N",
    // of the type "Clínicos", or "produto N") looked up and added.
    void Compor(const QStringList& itens, bool comCliente = true);

    template <class Tipo> Tipo* ControleDaFicha(const char* nome) const {
        return mficha ? mficha->findChild<Tipo*>(QString::fromLatin1(nome)) : nullptr;
    }
    // A property of the named controls ("a|b") of that form (the record form when none),
    // "|"-separated (true and false as "true" and "false").
    QString Propriedades(const char* propriedade, const QString& nomes, const QWidget* ficha = nullptr) const;
    static const QString Totais; // the four totals' boxes, for Propriedades

    // The message boxes' texts, "(?) " before one that is not an information titled with
    // the application.
    QStringList Mensagens() const;

    // The message boxes shown, in order; the answers to give next (vbOK when none).
    QList<MensagemExibida> mmensagens;
    QList<int> mrespostas;

    std::unique_ptr<BancoDeTeste::Sessao> msessao;
    std::unique_ptr<QObject> musuario;
    MenuDeTeste* mmenu = nullptr;
    QPointer<frmLista> mlista;
    std::unique_ptr<frmFicha> mficha;

private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void cleanup();
};
