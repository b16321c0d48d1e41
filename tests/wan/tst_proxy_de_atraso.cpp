// The delay relay as a command: what a client sends reaches the server and its answer
// comes back, each exchange counted as one round trip, the counts printed when the
// command is told to end; a wrong command line is refused with the usage.

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

class TesteDoProxyDeAtraso : public QObject {
    Q_OBJECT

private slots:
    void encaminha_e_conta_as_idas_e_voltas() {
        // A server that answers each message with the same bytes.
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        connect(&servidor, &QTcpServer::newConnection, this, [&servidor] {
            QTcpSocket* conexao = servidor.nextPendingConnection();
            connect(conexao, &QTcpSocket::readyRead, conexao,
                    [conexao] { conexao->write(conexao->readAll()); });
        });

        QProcess proxy;
        proxy.start(QStringLiteral(ZELT_PROXY_DE_ATRASO),
                    {u"--servidor"_s, u"127.0.0.1"_s, u"--porta"_s, QString::number(servidor.serverPort()),
                     u"--atraso"_s, u"5"_s});
        QVERIFY(proxy.waitForStarted());
        QTRY_VERIFY(proxy.canReadLine());
        const QByteArray linha = proxy.readLine().trimmed();
        QVERIFY2(linha.startsWith("porta "), linha.constData());
        const quint16 porta = linha.mid(6).toUShort();
        QVERIFY(porta > 0 && porta != servidor.serverPort());

        QTcpSocket cliente;
        cliente.connectToHost(QHostAddress::LocalHost, porta);
        QVERIFY(cliente.waitForConnected());
        for (const QByteArray pergunta : {"primeira"_ba, "segunda"_ba, "terceira"_ba}) {
            cliente.write(pergunta);
            QByteArray resposta;
            QTRY_VERIFY((resposta += cliente.readAll()).size() >= pergunta.size());
            QCOMPARE(resposta, pergunta);
        }

        proxy.terminate(); // SIGTERM: the counts, then the end
        QVERIFY(proxy.waitForFinished());
        QCOMPARE(proxy.exitStatus(), QProcess::NormalExit);
        QCOMPARE(proxy.exitCode(), 0);
        QCOMPARE(proxy.readAllStandardOutput(),
                 "idas e voltas 3\nmensagens do cliente 3\nmensagens do servidor 3\n"_ba);
    }

    void recusa_linha_de_comando_errada_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::newRow("sem argumentos") << QStringList{};
        QTest::newRow("sem o atraso") << QStringList{u"--servidor"_s, u"h"_s, u"--porta"_s, u"5432"_s};
        QTest::newRow("porta que não é número")
            << QStringList{u"--servidor"_s, u"h"_s, u"--porta"_s, u"x"_s, u"--atraso"_s, u"15"_s};
        QTest::newRow("atraso negativo")
            << QStringList{u"--servidor"_s, u"h"_s, u"--porta"_s, u"5432"_s, u"--atraso"_s, u"-1"_s};
        QTest::newRow("opção desconhecida") << QStringList{u"--servidor"_s, u"h"_s,  u"--porta"_s, u"5432"_s,
                                                           u"--atraso"_s,   u"15"_s, u"--outra"_s, u"1"_s};
        QTest::newRow("opção sem valor")
            << QStringList{u"--servidor"_s, u"h"_s, u"--porta"_s, u"5432"_s, u"--atraso"_s};
    }

    void recusa_linha_de_comando_errada() {
        QFETCH(QStringList, argumentos);
        QProcess proxy;
        proxy.start(QStringLiteral(ZELT_PROXY_DE_ATRASO), argumentos);
        QVERIFY(proxy.waitForFinished());
        QCOMPARE(proxy.exitCode(), 2);
        QVERIFY(proxy.readAllStandardOutput().isEmpty());
        QVERIFY(proxy.readAllStandardError().startsWith(
            "Uso: zelt_proxy_de_atraso --servidor HOST --porta N --atraso MS [--escuta PORTA]\n"));
    }
};

QTEST_GUILESS_MAIN(TesteDoProxyDeAtraso)
#include "tst_proxy_de_atraso.moc"
