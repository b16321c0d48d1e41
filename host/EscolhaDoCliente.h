#pragma once
// The menu's chooser of the client and the animal of a new quote, made for the
// keyboard: type part of a code, nickname or name and press Enter; a single client
// found is taken at once, several are listed (arrows and Enter pick one); then the
// client's animals are listed (arrows and Enter open the quote). Escape cancels.
// Inactive, blocked and deleted clients, and clients without an active animal, are
// refused with a line under the lists. It reads the registry through the business
// layer's components, created by ProgID as every program of the suite does.

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// What the menu hands to the quotes component for a new quote.
struct ClienteEAnimal {
    qint32 CodigoDoCliente = 0;
    QString ApelidoOuNomeFantasiaDoCliente;
    QString NomeOuRazaoSocialDoCliente;
    qint32 CodigoDoAnimal = 0;
    QString NomeDoAnimal;
};

class EscolhaDoCliente : public QDialog {
    Q_OBJECT
public:
    EscolhaDoCliente(QObject* dadosDoUsuario, QWidget* parent = nullptr);

    // Shows the chooser modally (the platform's modal display); the choice, or nothing
    // when it was cancelled.
    static std::optional<ClienteEAnimal> Escolher(QObject* dadosDoUsuario, QWidget* pai);

    // The chosen client and animal; complete once the dialog is accepted.
    const ClienteEAnimal& Escolha() const { return mEscolha; }

    // The most clients listed at once: a broader text lists these and asks for more.
    static constexpr int MaximoDeClientesListados = 200;

private:
    void Pesquisar();
    void EscolherCliente(int linha);
    void EscolherAnimal();
    void Avisar(const QString& texto);
    void EsvaziarAnimais();

    QObject* mobjDadosDoUsuario;
    QLineEdit* mtxtPesquisa;
    QTableWidget* mtabClientes;
    QListWidget* mlstAnimais;
    QLabel* mlblAviso;
    QPushButton* mcmdAbrir;
    ClienteEAnimal mEscolha;
};
