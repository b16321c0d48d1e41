// The host program as a person starts it: without a display it opens the quotes list
// docked in the menu window's work area and writes the window to a PNG; its command
// line speaks Portuguese, as the importer's does; a database it cannot open is told in
// a message box on a display (a start from the desktop's menu has no terminal), on the
// terminal and in the error log; a PostgreSQL password shows nowhere.

#include "tests/Linha.h"
#include "tests/cenario/HostNaTela.h"

#include <QImage>
#include <QTcpServer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString NomeDaAplicacao = u"ZELT - Clínicas Veterinárias e Pet Shops"_s;
const QString Senha = u"S3nh4-Secreta"_s;
const QString Host = QStringLiteral(ZELT_HOST);

// A loopback port nothing listens on.
int PortaFechada() {
    QTcpServer servidor;
    servidor.listen(QHostAddress::LocalHost);
    return servidor.serverPort();
}

// What the start says of a file that is no SQLite database: it names the file and
// leaves it alone.
QString MotivoDoArquivoCorrompido(const QString& arquivo) {
    return u"Não foi possível abrir o banco de dados "_s + arquivo +
           u": o arquivo não é um banco de dados SQLite. Nada foi alterado nele."_s;
}

} // namespace

class TesteDoHost : public QObject {
    Q_OBJECT
private slots:
    void capturaMostraAListaDocada() {
        const QString png = mpasta.filePath(u"lista.png"_s);
        QByteArray saida;
        QCOMPARE(
            Executar(Host, {u"--banco"_s, mpasta.filePath(u"clinica.sqlite"_s), u"--captura"_s, png}, &saida),
            0);
        QVERIFY2(!QFile::exists(mpasta.filePath(u"erros.log"_s)), "the list opened without an error");
        QImage imagem(png);
        QVERIFY2(!imagem.isNull(), saida.constData());
        QCOMPARE(imagem.size(), QSize(1366, 768));
        // The work area is grey; the docked list paints it white from its top-left
        // corner to its bottom-right corner.
        QCOMPARE(imagem.pixelColor(imagem.width() - 5, imagem.height() - 5), QColor(Qt::white));
        QCOMPARE(imagem.pixelColor(8, 120), QColor(Qt::white));
    }

    void usuarioDesconhecidoEhRecusado() {
        QByteArray saida;
        QCOMPARE(Executar(Host, {u"--usuario"_s, u"gerente"_s, u"--captura"_s, mpasta.filePath(u"x.png"_s)},
                          &saida),
                 2);
        QVERIFY2(QString::fromUtf8(saida).contains(u"Usuário desconhecido: \"gerente\""_s),
                 saida.constData());
        QVERIFY(!QFile::exists(mpasta.filePath(u"x.png"_s)));
    }

    // Qt's own texts of the command line come from its Portuguese translations.
    void linhaDeComandoEmPortugues_data() {
        Colunas<QString, QString, QString>("programa", "nome", "descricao");
        QTest::newRow("zelt_host") << Host << u"ZELT_A_Orcamentos"_s
                                   << u"Orçamentos de clínicas veterinárias e pet shops"_s;
        QTest::newRow("zelt_importar")
            << QStringLiteral(ZELT_IMPORTAR) << u"zelt_importar"_s << u"Importa empresa, clientes, animais"_s;
    }

    void linhaDeComandoEmPortugues() {
        QFETCH(QString, programa);
        QFETCH(QString, nome);
        QFETCH(QString, descricao);
        QByteArray saida;
        QCOMPARE(Executar(programa, {u"--help"_s}, &saida), 0);
        const QString ajuda = QString::fromUtf8(saida);
        for (const QString& trecho : {u"Uso: "_s, u"Opções:"_s, u"Mostra a ajuda"_s, descricao})
            QVERIFY2(ajuda.contains(trecho), qPrintable(trecho + u" missing from:\n"_s + ajuda));
        QVERIFY2(!ajuda.contains(u"Usage:"_s) && !ajuda.contains(u"Displays"_s), qPrintable(ajuda));

        QCOMPARE(Executar(programa, {u"--version"_s}, &saida), 0);
        QCOMPARE(QString::fromUtf8(saida).trimmed(), nome + u" 2.0.0.19"_s);

        QCOMPARE(Executar(programa, {u"--nada"_s}, &saida), 1);
        QVERIFY2(QString::fromUtf8(saida).contains(u"Opção desconhecida 'nada'."_s), saida.constData());
        QVERIFY(!QFile::exists(mpasta.filePath(u"erros.log"_s)));
    }

    // On a display the reason is in a message box titled with the application's name,
    // with where it was logged; the terminal gets its one line, the log the same error.
    void bancoCorrompidoMostradoNaTelaENoRegistro() {
        const QString arquivo = ArquivoCorrompido();
        HostNaTela host(mpasta.filePath(u"na-tela"_s));
        QVERIFY2(host.Lancar(Host, {u"--banco"_s, arquivo}), qPrintable(host.Falha()));
        const QJsonObject caixa = CaixaDeMensagem(host);
        QVERIFY2(!caixa.isEmpty(), qPrintable(host.Falha() + host.Saida()));
        QCOMPARE(caixa[u"titulo"_s].toString(), NomeDaAplicacao);
        QCOMPARE(caixa[u"botoes"_s].toArray(), QJsonArray{u"OK"_s});
        QCOMPARE(caixa[u"propriedades"_s][u"icon"_s].toString(), u"Critical"_s);
        const QString texto = caixa[u"propriedades"_s][u"text"_s].toString();
        host.Encerrar();

        const QStringList registro = host.ErrosRegistrados().split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(registro.size() == 1, qPrintable(host.ErrosRegistrados()));
        const QStringList campos = registro.first().split(u" | "_s);
        QCOMPARE(campos.size(), 5);
        QCOMPARE(campos.at(1), NomeDaAplicacao);
        QCOMPARE(campos.at(4), u"zelt_host, Iniciar"_s);
        const QString descricao = campos.at(3);
        QCOMPARE(descricao, MotivoDoArquivoCorrompido(arquivo));
        QCOMPARE(texto, u"O programa não pôde ser iniciado.\n\n"_s + descricao +
                            u"\n\nO erro foi registrado em "_s + host.ArquivoDeErros() + u"."_s);
        // Its one line comes first (the offscreen platform may add a warning of its own).
        QVERIFY2(host.Saida().startsWith(descricao + u'\n') && host.Saida().count(descricao) == 1,
                 qPrintable(host.Saida()));
    }

    // A capture has no display: no box, the same line on the terminal and in the log,
    // exit code 1 and no picture.
    void bancoCorrompidoSemTelaNoTerminalENoRegistro() {
        const QString arquivo = ArquivoCorrompido();
        const QString png = mpasta.filePath(u"nada.png"_s);
        QFile::remove(mpasta.filePath(u"erros.log"_s));
        QByteArray saida;
        QCOMPARE(Executar(Host, {u"--banco"_s, arquivo, u"--captura"_s, png}, &saida), 1);
        QVERIFY(!QFile::exists(png));
        QFile log(mpasta.filePath(u"erros.log"_s));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList campos = QString::fromUtf8(log.readAll()).trimmed().split(u" | "_s);
        QCOMPARE(campos.size(), 5);
        QCOMPARE(campos.at(3), MotivoDoArquivoCorrompido(arquivo));
        QCOMPARE(QString::fromUtf8(saida), campos.at(3) + u'\n');
    }

    // A password in the URL, or among its options, never reaches a message, the log, the
    // terminal or a window's title; the URL is shown without it.
    void senhaDoPostgreSQLNuncaAparece_data() {
        // mostrada: what the message shows of the URL; empty: no message
        Colunas<QString, QString>("url", "mostrada");
        const int porta = PortaFechada();
        const QString servidor = u"127.0.0.1:%1"_s.arg(porta);
        QTest::newRow("servidor fora do ar") << u"postgresql://zelt:%1@%2/clinica"_s.arg(Senha, servidor)
                                             << u"postgresql://zelt@%1/clinica"_s.arg(servidor);
        QTest::newRow("senha nas opções")
            << u"postgresql://zelt@%2/clinica?password=%1&sslmode=disable"_s.arg(Senha, servidor)
            << u"postgresql://zelt@%1/clinica"_s.arg(servidor);
        QTest::newRow("url inválida")
            << u"postgresql://zelt:%1@127.0.0.1:porta/clinica"_s.arg(Senha) << u"(URL inválida)"_s;
        if (!qEnvironmentVariableIsEmpty("ZELT_TESTE_PG_URL")) {
            QUrl url(qEnvironmentVariable("ZELT_TESTE_PG_URL"));
            url.setPassword(Senha); // the test server trusts loopback: the password is only carried
            QTest::newRow("servidor aceita") << url.toString() << QString();
        } else if (qEnvironmentVariable("ZELT_EXIGIR_PG") == u"1"_s) {
            QTest::newRow("servidor aceita") << QString() << QString();
        }
    }

    void senhaDoPostgreSQLNuncaAparece() {
        QFETCH(QString, url);
        QFETCH(QString, mostrada);
        if (url.isEmpty()) QFAIL("ZELT_TESTE_PG_URL is not set");
        HostNaTela host(mpasta.filePath(u"senha-"_s + QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY2(host.Lancar(Host, {u"--banco-url"_s, url}), qPrintable(host.Falha()));
        if (mostrada.isEmpty()) {
            QVERIFY2(host.Esperar([&] { return host.Existe(u"frmLista/msfgGrade"_s); }, u"a lista aberta"_s,
                                  60000),
                     qPrintable(host.Falha()));
        } else {
            const QJsonObject caixa = CaixaDeMensagem(host);
            QVERIFY2(!caixa.isEmpty(), qPrintable(host.Falha() + host.Saida()));
            QVERIFY2(caixa[u"propriedades"_s][u"text"_s].toString().contains(mostrada),
                     qPrintable(caixa[u"propriedades"_s][u"text"_s].toString()));
        }
        const QJsonObject janelas = host.Janelas();
        host.Encerrar();
        const QString tela = QString::fromUtf8(QJsonDocument(janelas).toJson());
        QVERIFY2(tela.contains(NomeDaAplicacao), qPrintable(tela)); // the titles were read
        for (const QString& onde : {tela, host.ErrosRegistrados(), host.Saida()})
            QVERIFY2(!onde.contains(Senha), qPrintable(onde));
    }

private:
    int Executar(const QString& programa, const QStringList& argumentos, QByteArray* saida = nullptr) {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"ZELT_LOG"_s, mpasta.filePath(u"erros.log"_s));
        ambiente.remove(u"ZELT_BANCO_URL"_s);
        // A desktop session's runtime folder, so that Qt has nothing to warn about.
        ambiente.insert(u"XDG_RUNTIME_DIR"_s, mpasta.path());
        processo.setProcessEnvironment(ambiente);
        processo.start(programa, argumentos);
        if (!processo.waitForFinished(120000)) return -1;
        if (saida) *saida = processo.readAllStandardOutput() + processo.readAllStandardError();
        return processo.exitCode();
    }

    QString ArquivoCorrompido() {
        const QString arquivo = mpasta.filePath(u"corrompido.sqlite"_s);
        QFile banco(arquivo);
        // The user's alone, as the program makes it: nothing to narrow.
        if (!banco.open(QIODevice::WriteOnly, QFile::ReadOwner | QFile::WriteOwner)) return {};
        for (int i = 0; i < 400; ++i)
            banco.write("isto era um banco de dados antes de um disco com defeito\n");
        return arquivo;
    }

    // The message box the host shows, waited for; empty when none came.
    QJsonObject CaixaDeMensagem(HostNaTela& host) {
        QJsonObject caixa;
        host.Esperar([&] { return !(caixa = host.JanelaDaClasse(u"QMessageBox"_s)).isEmpty(); },
                     u"uma caixa de mensagem"_s);
        return caixa;
    }
    QTemporaryDir mpasta;
};

QTEST_MAIN(TesteDoHost)
#include "tst_host.moc"
