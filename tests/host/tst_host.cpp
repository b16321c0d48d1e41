// The host program as a person starts it without a display: it opens the quotes
// list docked in the menu window's work area and writes the window to a PNG.

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TesteDoHost : public QObject {
    Q_OBJECT
private slots:
    void capturaMostraAListaDocada();
    void usuarioDesconhecidoEhRecusado();

private:
    int Executar(const QStringList& argumentos, QByteArray* saida = nullptr);
    QTemporaryDir mpasta;
};

int TesteDoHost::Executar(const QStringList& argumentos, QByteArray* saida) {
    QProcess host;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"ZELT_LOG"_s, mpasta.filePath(u"erros.log"_s));
    ambiente.remove(u"ZELT_BANCO_URL"_s);
    host.setProcessEnvironment(ambiente);
    host.start(QStringLiteral(ZELT_HOST), argumentos);
    if (!host.waitForFinished(120000)) return -1;
    if (saida) *saida = host.readAllStandardOutput() + host.readAllStandardError();
    return host.exitCode();
}

void TesteDoHost::capturaMostraAListaDocada() {
    const QString png = mpasta.filePath(u"lista.png"_s);
    QByteArray saida;
    QCOMPARE(Executar({u"--banco"_s, mpasta.filePath(u"clinica.sqlite"_s), u"--captura"_s, png}, &saida), 0);
    QVERIFY2(!QFile::exists(mpasta.filePath(u"erros.log"_s)), "the list opened without an error");
    QImage imagem(png);
    QVERIFY2(!imagem.isNull(), saida.constData());
    QCOMPARE(imagem.size(), QSize(1366, 768));
    // The work area is grey; the docked list paints it white from its top-left
    // corner to its bottom-right corner.
    QCOMPARE(imagem.pixelColor(imagem.width() - 5, imagem.height() - 5), QColor(Qt::white));
    QCOMPARE(imagem.pixelColor(8, 120), QColor(Qt::white));
}

void TesteDoHost::usuarioDesconhecidoEhRecusado() {
    QByteArray saida;
    QCOMPARE(Executar({u"--usuario"_s, u"gerente"_s, u"--captura"_s, mpasta.filePath(u"x.png"_s)}, &saida),
             2);
    QVERIFY2(QString::fromUtf8(saida).contains(u"Usuário desconhecido: \"gerente\""_s), saida.constData());
    QVERIFY(!QFile::exists(mpasta.filePath(u"x.png"_s)));
}

QTEST_GUILESS_MAIN(TesteDoHost)
#include "tst_host.moc"
