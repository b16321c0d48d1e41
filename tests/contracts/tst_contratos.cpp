// The contracts' own pieces: the in-memory recordset (ADO's paging rules, which the
// page recordsets and the scripted business layers rely on), the ProgID registry, the
// e-mail check and the file errors' texts; and one rule over the program's source: no
// chained QString::arg.

#include "tests/contracts/RegrasDoAdo.h"

#include "contracts/CriarObjeto.h"
#include "contracts/Recordset.h"
#include "contracts/Textos.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

RecordsetEmMemoria Numeros(int quantidade) {
    RecordsetEmMemoria numeros({u"Numero"_s, u"Nome"_s});
    for (int i = 1; i <= quantidade; ++i)
        numeros.AdicionarLinha({i, u"n%1"_s.arg(i)});
    return numeros;
}

// Where text holds a chain: a call .arg(...) whose closing parenthesis is followed, past
// blanks only, by another .arg( (string and character literals skipped). Answers the
// lines of the chains' first .arg.
QList<int> CadeiasDeArg(const QString& texto) {
    QList<int> linhas;
    for (qsizetype inicio = texto.indexOf(u".arg("_s); inicio >= 0;
         inicio = texto.indexOf(u".arg("_s, inicio + 5)) {
        qsizetype i = inicio + 5;
        for (int profundidade = 1; i < texto.size() && profundidade > 0; ++i) {
            const QChar c = texto.at(i);
            if (c == u'"' || c == u'\'') {
                for (++i; i < texto.size() && texto.at(i) != c; ++i)
                    if (texto.at(i) == u'\\') ++i;
            } else if (c == u'(') {
                ++profundidade;
            } else if (c == u')') {
                --profundidade;
            }
        }
        while (i < texto.size() && texto.at(i).isSpace())
            ++i;
        if (QStringView(texto).mid(i).startsWith(u".arg("_s))
            linhas << int(QStringView(texto).left(inicio).count(u'\n')) + 1;
    }
    return linhas;
}

} // namespace

class TesteDosContratos : public QObject {
    Q_OBJECT
private slots:
    void paginasEErrosComoOAdo() {
        RecordsetEmMemoria vazio = Numeros(0), treze = Numeros(13);
        ConferirRegrasDoAdo(treze, vazio, u"Numero"_s);
        treze.SetAbsolutePage(2);
        QCOMPARE(QString::number(treze.FieldsCount()) + treze.Fields(1).Value.toString(), u"2n7"_s);
    }

    void registroDeProgIds() {
        QCOMPARE(NumeroDoErro([] { Zelt::CriarObjetoPorProgId(u"ZELT_N_Nada.clsNada"_s); }), 429L);
        int criados = 0;
        Zelt::RegistrarProgId(u"ZELT_N_Teste.clsTeste"_s, [&] {
            ++criados;
            return std::make_unique<QObject>();
        });
        auto a = Zelt::CriarObjetoPorProgId(u"ZELT_N_Teste.clsTeste"_s);
        auto b = Zelt::CriarObjetoPorProgId(u"ZELT_N_Teste.clsTeste"_s);
        QVERIFY(a && b && a != b); // a new object each time, owned by the caller
        QCOMPARE(criados, 2);
        // Seen through a contract it does not fulfil: type mismatch.
        QCOMPARE(NumeroDoErro([] { Zelt::CriarObjeto<QTimer>(u"ZELT_N_Teste.clsTeste"_s); }), 13L);
        // A later registration replaces the earlier one.
        Zelt::RegistrarProgId(u"ZELT_N_Teste.clsTeste"_s, [] { return std::make_unique<QTimer>(); });
        QVERIFY(Zelt::CriarObjeto<QTimer>(u"ZELT_N_Teste.clsTeste"_s));
        Zelt::RemoverProgId(u"ZELT_N_Teste.clsTeste"_s);
        QVERIFY(!Zelt::ProgIdRegistrado(u"ZELT_N_Teste.clsTeste"_s));
    }

    void enderecosDeEmail_data() {
        QTest::addColumn<QString>("endereco");
        QTest::addColumn<bool>("valido");
        for (const QString& bom : {u"joao@exemplo.com.br"_s, u"ana@clínica.com.br"_s,
                                   u"Ana.Paula_2+orc@Exemplo.COM"_s, u"o-rei@a-b.c1.org"_s})
            QTest::newRow(qPrintable(bom)) << bom << true;
        // The hostile ones of the send and the import, and every other shape, "|" apart.
        QStringList ruins =
            u"mailto:evil@x.com?attach=/etc/passwd&bcc=spy@evil.com|--help|-ana@x.com|"
            "x',attachment='/x/orcamentos.sqlite',cc='a@b.c|ana@x.com,bia@y.com|ana silva@x.com|"
            "\"ana\"@x.com|<ana@x.com>|ana@x.com?cc=b@y.com|ana&bia@x.com|ana%40x@y.com|ana@x|"
            "@x.com|ana@|ana..b@x.com|.ana@x.com|ana@-x.com|ana@x..com|ana@x.com\n|ana@b@x.com|"_s.split(
                u'|');
        ruins << u"a@"_s + QString(250, u'x') + u".com"_s;
        for (const QString& ruim : ruins)
            QTest::newRow(qPrintable(ruim.left(40))) << ruim << false;
    }

    void enderecosDeEmail() {
        QFETCH(QString, endereco);
        QFETCH(bool, valido);
        QCOMPARE(Textos::EmailValido(endereco), valido);
    }

    // Money in the messages, the windows and the sheet: thousands, cents, negatives.
    void valoresEmReais() {
        for (const auto& [valor, texto] : {std::pair{u"1234,5"_s, u"R$ 1.234,50"_s},
                                           {u"0"_s, u"R$ 0,00"_s},
                                           {u"-91,2"_s, u"R$ -91,20"_s},
                                           {u"12,3456"_s, u"R$ 12,35"_s},
                                           {u"1000000,999"_s, u"R$ 1.000.001,00"_s}})
            QCOMPARE(Textos::EmReais(VB::CCur(valor)), texto);
    }

    void falhasDeArquivoEmPortugues() {
        QTemporaryDir pasta;
        QFile longo(pasta.filePath(QString(300, u'x') + u".pdf"_s));
        QVERIFY(!longo.open(QIODevice::WriteOnly));
        QCOMPARE(Textos::MotivoDaFalha(longo), u"nome de arquivo longo demais"_s);
        QFile semPasta(pasta.filePath(u"nao/existe.pdf"_s));
        QVERIFY(!semPasta.open(QIODevice::WriteOnly));
        QCOMPARE(Textos::MotivoDaFalha(semPasta), u"o arquivo ou a pasta não existe"_s);
        QCOMPARE(Textos::MotivoDoSistema(ENOSPC), u"não há espaço livre no disco"_s);
    }

    // A value holding "%1" that a chained arg() reads as a place for the next value
    // ("Loja %1 e %3 Ltda"): every message takes all its values in one call. The rule
    // holds for the program's own folders; tests and benchmarks print only their own
    // values.
    void nenhumArgEncadeadoNoPrograma() {
        QCOMPARE(CadeiasDeArg(u"a = u\"%1 %2\"_s.arg(f(x, \")\"))\n   .arg(n);\nb = s.arg(c) + t.arg(d);"_s),
                 QList<int>{1});
        const QDir raiz(qEnvironmentVariable("ZELT_TEST_SOURCE_DIR"));
        QVERIFY2(raiz.exists(u"contracts/Textos.h"_s), "ZELT_TEST_SOURCE_DIR não é a pasta do código");
        QStringList encontradas;
        for (QDirIterator it(raiz.path(), {u"*.cpp"_s, u"*.h"_s}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString caminho = raiz.relativeFilePath(it.next());
            const QString pasta = caminho.section(u'/', 0, 0);
            if (pasta == u"tests"_s || pasta == u"bench"_s || pasta.startsWith(u"build"_s) ||
                pasta.startsWith(u'.'))
                continue;
            QFile arquivo(it.filePath());
            QVERIFY(arquivo.open(QIODevice::ReadOnly));
            for (int linha : CadeiasDeArg(QString::fromUtf8(arquivo.readAll())))
                encontradas << caminho + u':' + QString::number(linha);
        }
        QVERIFY2(encontradas.isEmpty(), qPrintable(u"arg() encadeado em "_s + encontradas.join(u", "_s)));
    }
};

QTEST_GUILESS_MAIN(TesteDosContratos)
#include "tst_contratos.moc"
