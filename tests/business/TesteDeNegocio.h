#pragma once
// The base of the tests that run on the real business layer. Every test function
// runs once per configured database (the rows of BancoDeTeste::LinhasDosBancos);
// init() gives it a new database, prepared as the class asks, and cleanup() closes
// it and gives back the clock and the waits a test may have changed. A class's own
// initTestCase() may register what it needs; init and cleanup are the base's.

#include "tests/business/BancoDeTeste.h"

#include <QDateTime>
#include <QObject>
#include <memory>

class TesteDeNegocio : public QObject {
    Q_OBJECT

public:
    // What init() prepares before every test function.
    enum class Preparo {
        Nada,       // the test function opens what it needs
        BancoVazio, // a new database, migrated, without a registry
        Cadastro,   // a new database with the known registry (EscreverCadastroDeTeste)
    };

protected:
    explicit TesteDeNegocio(Preparo preparo = Preparo::Cadastro) : mpreparo(preparo) {}
    // Runs at the end of init(), once the database is ready; Encerrar at the start of cleanup().
    virtual void Preparar() {}
    virtual void Encerrar() {}

    // The current row runs on SQLite (else on PostgreSQL).
    bool BancoEhSQLite() const;
    // The clock the business layer reads, fixed until the end of the test function.
    static void FixarRelogio(const QDateTime& quando);
    // Stores a valid quote (one consultation, BancoDeTeste::OrcamentoValido) of that
    // client and animal; answers its number, 0 when it was not stored.
    double NovoOrcamento(double cliente = 1, qint32 animal = 10);
    // The same with two units of product 100 as well (BancoDeTeste::OrcamentoComProduto).
    double NovoOrcamentoComProduto();
    // That quote, stored, changed as its record form does with one more consultation
    // (120,00), the stamp read handed back: the answer of Alterar.
    qint16 AlterarComMaisUmItem(double numero, const QString& alteracaoLida = QString());

    std::unique_ptr<BancoDeTeste::Sessao> msessao;
    const std::unique_ptr<QObject> musuario = BancoDeTeste::Usuario(QStringLiteral("ANA"));

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

private:
    Preparo mpreparo;
};
