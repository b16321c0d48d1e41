// The Debian package as a clinic installs it: built by cpack from this build,
// unpacked with dpkg-deb into a scratch folder, it declares the Qt runtime it needs,
// carries a desktop entry with its icon, and its programs start from where they
// landed, finding the component's libraries beside them and not in the build.

#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TesteDoPacote : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void declaraORuntimeDoQt();
    void entradaDaAreaDeTrabalhoComIcone();
    void bibliotecasVemDoProprioPacote();
    void hostAbreAListaDeOndeFoiDesempacotado();
    void importadorEstaNoCaminho();

private:
    // Runs a program to its end; its exit code (-1 when it did not finish), with
    // standard output and error in saida.
    int Executar(const QString& programa, const QStringList& argumentos, QByteArray* saida = nullptr,
                 const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment());
    QString Campo(const QString& nome);

    QTemporaryDir mpasta;
    QString mpacote;
    QString mraiz;
};

int TesteDoPacote::Executar(const QString& programa, const QStringList& argumentos, QByteArray* saida,
                            const QProcessEnvironment& ambiente) {
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start(programa, argumentos);
    const bool terminou = processo.waitForFinished(300000);
    if (saida) *saida = processo.readAll();
    return terminou && processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
}

QString TesteDoPacote::Campo(const QString& nome) {
    QByteArray valor;
    if (Executar(u"dpkg-deb"_s, {u"-f"_s, mpacote, nome}, &valor) != 0) return {};
    return QString::fromUtf8(valor).trimmed();
}

void TesteDoPacote::initTestCase() {
    QVERIFY(mpasta.isValid());
    QByteArray saida;
    QCOMPARE(Executar(u"cpack"_s,
                      {u"-G"_s, u"DEB"_s, u"--config"_s, QStringLiteral(ZELT_CPACK_CONFIG), u"-B"_s,
                       mpasta.filePath(u"saida"_s)},
                      &saida),
             0);
    const QStringList pacotes = QDir(mpasta.filePath(u"saida"_s)).entryList({u"*.deb"_s}, QDir::Files);
    QVERIFY2(pacotes.size() == 1, saida.constData());
    mpacote = mpasta.filePath(u"saida/"_s + pacotes.first());
    mraiz = mpasta.filePath(u"raiz"_s);
    QCOMPARE(Executar(u"dpkg-deb"_s, {u"-x"_s, mpacote, mraiz}, &saida), 0);
}

void TesteDoPacote::declaraORuntimeDoQt() {
    QCOMPARE(Campo(u"Package"_s), u"zelt-orcamentos"_s);
    QCOMPARE(Campo(u"Version"_s), u"2.0.0.19"_s);
    const QStringList dependencias = Campo(u"Depends"_s).split(u", "_s);
    QStringList nomes;
    for (const QString& dependencia : dependencias)
        nomes << dependencia.section(u' ', 0, 0);
    // What the programs link (found by dpkg-shlibdeps) and what Qt loads at run time.
    for (const QString& pacote : {u"libqt6core6"_s, u"libqt6gui6"_s, u"libqt6widgets6"_s, u"libqt6sql6"_s,
                                  u"libqt6printsupport6"_s, u"libqt6sql6-sqlite"_s, u"fonts-liberation"_s})
        QVERIFY2(nomes.contains(pacote),
                 qPrintable(pacote + u" missing from Depends: "_s + nomes.join(u", "_s)));
    QCOMPARE(Campo(u"Recommends"_s), u"libqt6sql6-psql"_s);
}

void TesteDoPacote::entradaDaAreaDeTrabalhoComIcone() {
    const QString arquivo = mraiz + u"/usr/share/applications/zelt-orcamentos.desktop"_s;
    QVERIFY(QFile::exists(arquivo));
    QSettings entrada(arquivo, QSettings::IniFormat);
    entrada.beginGroup(u"Desktop Entry"_s);
    QCOMPARE(entrada.value(u"Type"_s).toString(), u"Application"_s);
    QCOMPARE(entrada.value(u"Name"_s).toString(), u"Orçamentos"_s);
    QCOMPARE(entrada.value(u"Name[pt_BR]"_s).toString(), u"Orçamentos"_s);
    QCOMPARE(entrada.value(u"Exec"_s).toString(), u"zelt_host"_s);
    QVERIFY(QFileInfo(mraiz + u"/usr/bin/zelt_host"_s).isExecutable());
    const QString icone = entrada.value(u"Icon"_s).toString();
    QVERIFY(!icone.isEmpty());
    QFile svg(mraiz + u"/usr/share/icons/hicolor/scalable/apps/"_s + icone + u".svg"_s);
    QVERIFY2(svg.open(QIODevice::ReadOnly), qPrintable(svg.fileName()));
    QVERIFY(svg.readAll().contains("<svg"));
}

void TesteDoPacote::bibliotecasVemDoProprioPacote() {
    for (const QString& programa : {u"zelt_host"_s, u"zelt_importar"_s}) {
        QByteArray saida;
        QCOMPARE(Executar(u"ldd"_s, {mraiz + u"/usr/bin/"_s + programa}, &saida), 0);
        const QStringList linhas = QString::fromUtf8(saida).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(!saida.contains("not found"), saida.constData());
        int daComponente = 0;
        for (const QString& linha : linhas) {
            if (!linha.contains(u"libzelt_"_s) && !linha.contains(u"libZELT_"_s)) continue;
            ++daComponente;
            const QString caminho = linha.section(u"=> "_s, 1).section(u" ("_s, 0, 0);
            QVERIFY2(QFileInfo(caminho).canonicalPath() ==
                         QFileInfo(mraiz + u"/usr/lib/zelt-orcamentos"_s).canonicalFilePath(),
                     qPrintable(linha));
        }
        QVERIFY2(daComponente >= 2, saida.constData());
    }
}

void TesteDoPacote::hostAbreAListaDeOndeFoiDesempacotado() {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(u"LD_LIBRARY_PATH"_s);
    ambiente.remove(u"ZELT_BANCO_URL"_s);
    ambiente.insert(u"ZELT_LOG"_s, mpasta.filePath(u"erros.log"_s));
    const QString png = mpasta.filePath(u"lista.png"_s);
    QByteArray saida;
    QCOMPARE(Executar(mraiz + u"/usr/bin/zelt_host"_s,
                      {u"--banco"_s, mpasta.filePath(u"clinica.sqlite"_s), u"--captura"_s, png}, &saida,
                      ambiente),
             0);
    QVERIFY2(!QFile::exists(mpasta.filePath(u"erros.log"_s)), saida.constData());
    QImage imagem(png);
    QCOMPARE(imagem.size(), QSize(1366, 768));
    // The docked list paints the grey work area white to its bottom-right corner.
    QCOMPARE(imagem.pixelColor(imagem.width() - 5, imagem.height() - 5), QColor(Qt::white));
}

void TesteDoPacote::importadorEstaNoCaminho() {
    QVERIFY(QFileInfo(mraiz + u"/usr/bin/zelt_importar"_s).isExecutable());
    QByteArray saida;
    QCOMPARE(Executar(mraiz + u"/usr/bin/zelt_importar"_s, {u"--help"_s}, &saida), 0);
    QVERIFY2(saida.contains("Importa empresa, clientes"), saida.constData());
}

QTEST_GUILESS_MAIN(TesteDoPacote)
#include "tst_pacote.moc"
