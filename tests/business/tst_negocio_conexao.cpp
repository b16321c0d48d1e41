// The connection to a database server: what a failed statement means (busy, lost,
// anything else), and the server stopped and started again between the operations of
// a workstation. Stopping the server needs the private server of scripts/test.sh
// (ZELT_PG_PASTA, ZELT_PG_BIN); this executable runs alone, since the other tests use
// that same server.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/Negocio.h"
#include "contracts/CriarObjeto.h"

#include <QSqlError>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsOrcamentos;
using Natureza = Dialeto::Natureza;

namespace {

// Whatever happens in the test, the other tests find the server running.
struct ServidorDeVolta {
    bool Parado = false;
    ~ServidorDeVolta() {
        QString saida;
        if (Parado && !IniciarServidorPostgreSQL(saida)) qWarning() << saida;
    }
};

} // namespace

class TesteDaConexao : public TesteDeNegocio {
    Q_OBJECT

public:
    TesteDaConexao() : TesteDeNegocio(Preparo::Nada) {}

private:
    // Stores a valid quote; answers the object, holding the outcome.
    std::unique_ptr<clsOrcamentos> Adicionar(GradeEmMemoria& grade, qint16& resultado) {
        auto orcamento = OrcamentoValido(grade, musuario.get());
        resultado = orcamento->Adicionar();
        return orcamento;
    }

    void VerificarConexaoPerdida(long numero, const QString& descricao, const QString& local,
                                 const QString& procedimento) {
        QCOMPARE(numero, Banco::NumeroDoErroDeBanco);
        QCOMPARE(descricao, u"A conexão com o banco de dados foi perdida. Tente novamente."_s);
        QCOMPARE(local, u"ZELT_N_Orcamentos, clsOrcamentos, "_s + procedimento);
    }

private slots:
    void naturezas_das_falhas() {
        if (!BancoEhSQLite()) QSKIP("touches no database: runs once");
        struct Caso {
            bool SQLite;
            QSqlError::ErrorType Tipo;
            const char* Codigo;
            Natureza Esperada;
        };
        const auto comando = QSqlError::StatementError;
        const Caso casos[] = {
            {true, comando, "5", Natureza::Ocupado},             // SQLITE_BUSY
            {true, comando, "6", Natureza::Ocupado},             // SQLITE_LOCKED
            {true, comando, "517", Natureza::Ocupado},           // SQLITE_BUSY_SNAPSHOT
            {true, comando, "8", Natureza::SomenteLeitura},      // SQLITE_READONLY
            {true, comando, "14", Natureza::SomenteLeitura},     // SQLITE_CANTOPEN (no journal)
            {true, comando, "19", Natureza::Comum},              // SQLITE_CONSTRAINT
            {true, comando, "1", Natureza::Comum},               // SQLITE_ERROR
            {false, comando, "40001", Natureza::Ocupado},        // serialization failure
            {false, comando, "40P01", Natureza::Ocupado},        // deadlock
            {false, comando, "55P03", Natureza::Ocupado},        // lock timeout
            {false, comando, "57P01", Natureza::ConexaoPerdida}, // admin shutdown
            {false, comando, "57P03", Natureza::ConexaoPerdida}, // cannot connect now
            {false, comando, "08006", Natureza::ConexaoPerdida}, // connection failure
            {false, comando, "", Natureza::ConexaoPerdida},      // raised by libpq itself
            {false, QSqlError::ConnectionError, "", Natureza::ConexaoPerdida},
            {false, comando, "25006", Natureza::SomenteLeitura}, // read-only transaction
            {false, comando, "42501", Natureza::SomenteLeitura}, // insufficient privilege
            {false, comando, "23505", Natureza::Comum},          // unique violation
            {false, comando, "P0001", Natureza::Comum},          // raised by a function
            {false, comando, "57014", Natureza::Comum},          // query canceled
        };
        for (const Caso& caso : casos) {
            const Dialeto dialeto(caso.SQLite ? Dialeto::Tipo::SQLite : Dialeto::Tipo::PostgreSQL);
            const QSqlError erro(u"driver"_s, u"database"_s, caso.Tipo, QString::fromLatin1(caso.Codigo));
            QVERIFY2(dialeto.NaturezaDaFalha(erro) == caso.Esperada, caso.Codigo);
        }
    }

    void servidor_parado_e_reiniciado_entre_duas_operacoes() {
        if (BancoEhSQLite()) QSKIP("a SQLite file has no server to stop");
        if (qEnvironmentVariable("ZELT_PG_PASTA").isEmpty() || qEnvironmentVariable("ZELT_PG_BIN").isEmpty())
            QSKIP("stopping the server needs the private server of scripts/test.sh (ZELT_PG_PASTA, "
                  "ZELT_PG_BIN)");
        Sessao sessao;
        if (QTest::currentTestFailed()) return;
        EscreverCadastroDeTeste();
        ServidorDeVolta servidor;
        QString saida;

        // 1. Works; the list is open on one quote.
        QVERIFY(NovoOrcamento() > 0);
        qint16 resultado = -1;
        auto lista = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 10;
        QCOMPARE(lista->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        RecordsetPtr aberta = lista->ResultadoDaSelecaoEmRecordSet();

        // 2. The server stops: the save and the list's next selection answer with the
        // error the forms show, in Portuguese, and nothing is stored.
        servidor.Parado = true;
        QVERIFY2(PararServidorPostgreSQL(saida), qPrintable(saida));
        GradeEmMemoria grade2;
        auto segundo = Adicionar(grade2, resultado);
        QCOMPARE(resultado, qint16(1));
        VerificarConexaoPerdida(segundo->NumeroDoErro, segundo->DescricaoDoErro, segundo->LocalDoErro,
                                u"Adicionar"_s);
        QCOMPARE(lista->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(true));
        VerificarConexaoPerdida(lista->NumeroDoErro, lista->DescricaoDoErro, lista->LocalDoErro,
                                u"Selecionar"_s);
        // A page of the open list read now fails the same way, through the form's trap.
        const auto erro = ErroDe([&] {
            aberta->MoveFirst();
            aberta->Fields(u"NumeroDoOrcamento"_s);
        });
        QCOMPARE(erro.Numero(), Banco::NumeroDoErroDeBanco);
        QCOMPARE(erro.Descricao(), Banco::DescricaoDeConexaoPerdida);

        // 3. The server is back: the next operation reconnects and works.
        QVERIFY2(IniciarServidorPostgreSQL(saida), qPrintable(saida));
        servidor.Parado = false;
        QCOMPARE(segundo->Adicionar(), qint16(0));
        QCOMPARE(segundo->CodigoGerado, 2.0);
        QCOMPARE(lista->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        QCOMPARE(lista->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 2);
        QCOMPARE(Banco::Valor(u"SELECT COUNT(*) FROM ItensDeOrcamento"_s).toLongLong(), qint64(2));

        // 4. Stopped and started again while the workstation was idle: its connection
        // is gone, but nothing of the next operation had reached the server, so it is
        // run once more on a new connection and the user sees no error.
        servidor.Parado = true;
        QVERIFY2(PararServidorPostgreSQL(saida), qPrintable(saida));
        QVERIFY2(IniciarServidorPostgreSQL(saida), qPrintable(saida));
        servidor.Parado = false;
        GradeEmMemoria grade3;
        auto terceiro = Adicionar(grade3, resultado);
        QVERIFY2(resultado == 0, qPrintable(terceiro->DescricaoDoErro));
        QCOMPARE(terceiro->CodigoGerado, 3.0);
    }
};

QTEST_GUILESS_MAIN(TesteDaConexao)
#include "tst_negocio_conexao.moc"
