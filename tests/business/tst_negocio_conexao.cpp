// The connection to a database server: what a failed statement means (busy, lost,
// anything else), and the server stopped and started again between the operations of
// a workstation. Stopping the server needs the private server of scripts/test.sh
// (ZELT_PG_PASTA, ZELT_PG_BIN); this executable runs alone, since the other tests use
// that same server.

#include "tests/business/TesteDeNegocio.h"

#include <QSqlError>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Runs openssl with those arguments in that folder; false (and a warning) when it fails.
bool Openssl(const QString& pasta, const QStringList& argumentos) {
    QProcess processo;
    processo.setWorkingDirectory(pasta);
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start(u"openssl"_s, argumentos);
    const bool ok = processo.waitForFinished(60000) && processo.exitStatus() == QProcess::NormalExit &&
                    processo.exitCode() == 0;
    if (!ok) qWarning() << argumentos << processo.readAll();
    return ok;
}

// A certificate authority (autoridade.crt), another one the server does not know
// (outra.crt), and the server's key and certificate for the name "localhost" only,
// signed by the first, in pasta; the key readable by the server's owner alone.
bool CriarCertificados(const QString& pasta) {
    const QStringList autoridade{u"req"_s,    u"-x509"_s, u"-newkey"_s, u"rsa:2048"_s,
                                 u"-nodes"_s, u"-days"_s, u"2"_s};
    QFile extensoes(pasta + u"/extensoes.cnf"_s);
    if (!extensoes.open(QIODevice::WriteOnly) || extensoes.write("subjectAltName=DNS:localhost\n") < 0)
        return false;
    extensoes.close();
    if (!Openssl(pasta, autoridade + QStringList{u"-subj"_s, u"/CN=Autoridade da clinica"_s, u"-keyout"_s,
                                                 u"autoridade.key"_s, u"-out"_s, u"autoridade.crt"_s}) ||
        !Openssl(pasta, autoridade + QStringList{u"-subj"_s, u"/CN=Outra autoridade"_s, u"-keyout"_s,
                                                 u"outra.key"_s, u"-out"_s, u"outra.crt"_s}) ||
        !Openssl(pasta, {u"req"_s, u"-newkey"_s, u"rsa:2048"_s, u"-nodes"_s, u"-subj"_s, u"/CN=localhost"_s,
                         u"-keyout"_s, u"servidor.key"_s, u"-out"_s, u"servidor.csr"_s}) ||
        !Openssl(pasta, {u"x509"_s, u"-req"_s, u"-in"_s, u"servidor.csr"_s, u"-CA"_s, u"autoridade.crt"_s,
                         u"-CAkey"_s, u"autoridade.key"_s, u"-CAcreateserial"_s, u"-days"_s, u"2"_s,
                         u"-extfile"_s, u"extensoes.cnf"_s, u"-out"_s, u"servidor.crt"_s}))
        return false;
    const QByteArray chave = QFile::encodeName(pasta + u"/servidor.key"_s);
    if (geteuid() == 0) {
        const passwd* dono = getpwnam("postgres");
        if (!dono || chown(chave.constData(), dono->pw_uid, dono->pw_gid) != 0) return false;
    }
    return chmod(chave.constData(), 0600) == 0 && chmod(QFile::encodeName(pasta).constData(), 0755) == 0;
}

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

    // A server reached over the internet with an encrypted connection: verify-full takes
    // the server whose certificate the clinic's authority signed for the name in the URL;
    // another authority's root certificate, or another name for the same server, is
    // refused with a message in Portuguese that never shows the password.
    void conexao_criptografada_confere_o_certificado_do_servidor() {
        if (BancoEhSQLite()) QSKIP("a SQLite file has no connection to encrypt");
        if (qEnvironmentVariable("ZELT_PG_PASTA").isEmpty() || qEnvironmentVariable("ZELT_PG_BIN").isEmpty())
            QSKIP(
                "restarting the server with TLS needs the private server of scripts/test.sh (ZELT_PG_PASTA, "
                "ZELT_PG_BIN)");
        QString urlSemTls;
        {
            Sessao sessao; // the executable's database, made over a plain connection
            if (QTest::currentTestFailed()) return;
            urlSemTls = sessao.UrlPostgreSQL();
        }
        Negocio::Encerrar();
        QTemporaryDir temporaria(QDir::tempPath() + u"/zelt-tls-XXXXXX"_s);
        const QString pasta = temporaria.path();
        QVERIFY(CriarCertificados(pasta));

        // The same server, started again with TLS; started plain again at the end.
        struct ServidorComTls {
            bool Ativo = false;
            ~ServidorComTls() {
                QString saida;
                if (Ativo && !(PararServidorPostgreSQL(saida) && IniciarServidorPostgreSQL(saida)))
                    qWarning() << saida;
            }
        } servidor;
        QString saida;
        QVERIFY2(PararServidorPostgreSQL(saida), qPrintable(saida));
        servidor.Ativo = true;
        QVERIFY2(IniciarServidorPostgreSQL(saida, u"-c ssl=on -c ssl_cert_file=%1/servidor.crt "
                                                  "-c ssl_key_file=%1/servidor.key"_s.arg(pasta)),
                 qPrintable(saida));

        const QUrl base(urlSemTls);
        const auto Url = [&](const QString& servidorDaUrl, const QString& modo, const QString& raiz) {
            QUrl url(base);
            url.setHost(servidorDaUrl);
            url.setPassword(u"segredo"_s);
            url.setQuery(u"sslmode="_s + modo + u"&sslrootcert="_s + pasta + u'/' + raiz);
            return url.toString();
        };
        const auto Abrir = [](const QString& url) {
            Negocio::Configuracao configuracao;
            configuracao.UrlPostgreSQL = url;
            configuracao.CriarDadosDeDemonstracao = false;
            return ErroDe([&] { Negocio::Iniciar(configuracao); });
        };

        VB::ErroDeExecucao erro = Abrir(Url(u"localhost"_s, u"verify-full"_s, u"autoridade.crt"_s));
        QVERIFY2(erro.Numero() == 0, qPrintable(erro.Descricao()));
        QCOMPARE(Banco::Valor(u"SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()"_s).toBool(), true);
        QCOMPARE(Lista(0)->RecordCount(), 0); // the database is ours and answers
        Negocio::Encerrar();

        const QString porta = QString::number(base.port());
        const QString nome = u"postgresql://postgres@"_s + base.host() + u':' + porta + base.path();
        const QString nomeLocal = u"postgresql://postgres@localhost:"_s + porta + base.path();
        const struct {
            QString Url, Descricao;
        } recusadas[] = {
            {Url(u"localhost"_s, u"verify-full"_s, u"outra.crt"_s),
             u"Não foi possível abrir o banco de dados "_s + nomeLocal +
                 u": o certificado do servidor não foi reconhecido: ele não foi emitido pela autoridade do "
                 "certificado raiz indicado (sslrootcert), ou venceu."_s},
            {Url(base.host(), u"verify-full"_s, u"autoridade.crt"_s),
             u"Não foi possível abrir o banco de dados "_s + nome +
                 u": o certificado do servidor foi emitido para outro nome de servidor, não para o da URL "
                 "(com sslmode=verify-full, o servidor da URL deve ser um dos nomes do certificado)."_s},
            {Url(u"localhost"_s, u"verify-full"_s, u"nao-existe.crt"_s),
             u"Não foi possível abrir o banco de dados "_s + nomeLocal +
                 u": o arquivo do certificado raiz (sslrootcert) não foi encontrado ou não pode ser lido."_s}};
        for (const auto& recusada : recusadas) {
            erro = Abrir(recusada.Url);
            QCOMPARE(erro.Descricao(), recusada.Descricao);
            QVERIFY(!erro.Descricao().contains(u"segredo"_s));
        }
        // verify-ca checks the authority only: the same server by its address is taken.
        erro = Abrir(Url(base.host(), u"verify-ca"_s, u"autoridade.crt"_s));
        QVERIFY2(erro.Numero() == 0, qPrintable(erro.Descricao()));
        Negocio::Encerrar();
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

        // 1. Works; the list is open on two quotes, a page of one (its first page came
        // with its count).
        QVERIFY(NovoOrcamento() > 0);
        QVERIFY(NovoOrcamento() > 0);
        qint16 resultado = -1;
        auto lista = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
        qint16 umPorPagina = 1;
        QCOMPARE(lista->Selecionar(1, umPorPagina, 0, QString(), 0, 0), QVariant(false));
        RecordsetPtr aberta = lista->ResultadoDaSelecaoEmRecordSet();
        qint16 tamanho = 10;

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
        // The open list's second page, read now, fails the same way, through the form's trap.
        const auto erro = ErroDe([&] {
            aberta->SetAbsolutePage(2);
            aberta->Fields(u"NumeroDoOrcamento"_s);
        });
        QCOMPARE(erro.Numero(), Banco::NumeroDoErroDeBanco);
        QCOMPARE(erro.Descricao(), Banco::DescricaoDeConexaoPerdida);

        // 3. The server is back: the next operation reconnects and works.
        QVERIFY2(IniciarServidorPostgreSQL(saida), qPrintable(saida));
        servidor.Parado = false;
        QCOMPARE(segundo->Adicionar(), qint16(0));
        QCOMPARE(segundo->CodigoGerado, 3.0);
        QCOMPARE(lista->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        QCOMPARE(lista->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 3);
        QCOMPARE(Banco::Valor(u"SELECT COUNT(*) FROM ItensDeOrcamento"_s).toLongLong(), qint64(3));

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
        QCOMPARE(terceiro->CodigoGerado, 4.0);
    }
};

QTEST_GUILESS_MAIN(TesteDaConexao)
#include "tst_negocio_conexao.moc"
