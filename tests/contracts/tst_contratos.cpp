// The contracts' own pieces: the in-memory recordset (ADO's paging rules, which the
// page recordsets and the scripted business layers rely on), the ProgID registry, the
// e-mail check and the file errors' texts; one rule over the program's source: no
// chained QString::arg; and the PIX "copia e cola" (the central bank's BR Code) byte for
// byte, its CRC, the checks of a key (the CPF and CNPJ check digits among them), the
// deposit, and its QR code read back by a QR reader (zbarimg, of zbar-tools) as a phone's
// bank app would read it.

#include "tests/Linha.h"
#include "tests/contracts/RegrasDoAdo.h"
#include "tests/reports/TextoDoPdf.h"

#include "contracts/CriarObjeto.h"
#include "contracts/Pix.h"
#include "contracts/Sinal.h"
#include "contracts/Textos.h"
#include "platform/QrCode.h"

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
        Colunas<QString, bool>("endereco", "valido");
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
        // Each "value=text".
        for (const QString& caso : {u"1234,5=R$ 1.234,50"_s, u"0=R$ 0,00"_s, u"-91,2=R$ -91,20"_s,
                                    u"12,3456=R$ 12,35"_s, u"1000000,999=R$ 1.000.001,00"_s})
            QCOMPARE(Textos::EmReais(VB::CCur(caso.section(u'=', 0, 0))), caso.section(u'=', 1));
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

    void crc() {
        QCOMPARE(Pix::Crc16("123456789"), u"29B1"_s);
        QCOMPARE(Pix::Crc16(""), u"FFFF"_s);
    }

    void copiaECola_data() {
        // valor: ten-thousandths; -1 none
        Colunas<QString, QString, QString, qint64, QString, QString>("chave", "nome", "cidade", "valor",
                                                                     "identificador", "esperado");
        // The central bank's own example.
        Linha("exemplo do Banco Central", u"123e4567-e12b-12d1-a456-426655440000"_s, u"Fulano de Tal"_s,
              u"BRASILIA"_s, qint64(-1), u"***"_s,
              u"00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-"
              u"4266554400005204000053039865802BR5913"
              "Fulano de Tal6008BRASILIA62070503***63041D3D"_s);
        // A value of zero is no value: field 54 left out.
        Linha(
            "valor zero", u"123e4567-e12b-12d1-a456-426655440000"_s, u"Fulano de Tal"_s, u"BRASILIA"_s,
            qint64(0), QString(),
            u"00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-4266554400005204000053039865802BR5913Fulano de Tal6008BRASILIA62070503***63041D3D"_s);
        const QString semCrc150 =
            u"00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-42665544000052040000"
            "5303986540615"
            "0.005802BR5913Fulano de Tal6008BRASILIA62100506ORC421"
            "6304"_s;
        Linha("valor 150,00 e orçamento 421", u"123e4567-e12b-12d1-a456-426655440000"_s, u"Fulano de Tal"_s,
              u"BRASILIA"_s, qint64(1500000), Pix::IdentificadorDoOrcamento(421),
              semCrc150 + Pix::Crc16(semCrc150.toLatin1()));
        // A name of 40 characters cut to 25, the city's accents stripped and cut to 15, a
        // value rounded half to even to the cent, an id with other signs kept to letters
        // and digits.
        const QString semCrcLongo = u"00020126330014br.gov.bcb.pix01111234567890952040000530398654040.02"
                                    "5802BR5925Clinica Veterinaria Sao F6015Sao Jose dos Ca"
                                    "62100506ORC0076304"_s;
        Linha("nome longo, cidade com acentos, valor arredondado", u"12345678909"_s,
              u"Clínica Veterinária São Francisco de Ass"_s, u"São José dos Campos"_s, qint64(250),
              u"ORC-007"_s, semCrcLongo + Pix::Crc16(semCrcLongo.toLatin1()));
    }
    void copiaECola() {
        QFETCH(QString, chave);
        QFETCH(QString, nome);
        QFETCH(QString, cidade);
        QFETCH(qint64, valor);
        QFETCH(QString, identificador);
        QFETCH(QString, esperado);
        Pix::Cobranca c{chave, nome, cidade, std::nullopt, identificador};
        if (valor >= 0) c.Valor = VB::Currency::DeDecimosDeMilesimos(valor);
        QCOMPARE(Pix::CopiaECola(c), esperado);
    }

    // One table of keys: the kind each looks like, the key as stored, and the reason of
    // a refusal (empty when accepted).
    void chaves_data() {
        Colunas<QString, int, QString, QString>("texto", "tipo", "chave", "motivo");
        using T = Pix::TipoDeChave;
        Linha("CPF", u"123.456.789-09"_s, int(T::Cpf), u"12345678909"_s, QString());
        Linha("CPF errado", u"123.456.789-00"_s, int(T::Cpf), QString(),
              u"A chave Pix \"123.456.789-00\" parece um CPF, mas os dígitos verificadores não conferem."_s);
        Linha("CPF repetido", u"111.111.111-11"_s, int(T::Cpf), QString(),
              u"A chave Pix \"111.111.111-11\" parece um CPF, mas os dígitos verificadores não conferem."_s);
        Linha("CNPJ", u"11.222.333/0001-81"_s, int(T::Cnpj), u"11222333000181"_s, QString());
        Linha("CNPJ errado", u"11222333000180"_s, int(T::Cnpj), QString(),
              u"A chave Pix \"11222333000180\" parece um CNPJ, mas os dígitos verificadores não conferem."_s);
        Linha("dígitos a menos", u"1234567890"_s, int(T::Cpf), QString(),
              u"A chave Pix \"1234567890\" parece um CPF ou CNPJ, mas tem 10 "
              "dígitos (um CPF tem 11 e um CNPJ, 14)."_s);
        Linha("celular", u"+55 (11) 91234-5678"_s, int(T::Telefone), u"+5511912345678"_s, QString());
        Linha("fixo", u"+551132345678"_s, int(T::Telefone), u"+551132345678"_s, QString());
        const QString telefoneErrado =
            u"parece um telefone, mas um telefone deve ser +55 seguido do DDD e do "
            "número (10 ou 11 dígitos), como +5511912345678."_s;
        Linha("telefone curto", u"+55119123"_s, int(T::Telefone), QString(),
              u"A chave Pix \"+55119123\" "_s + telefoneErrado);
        Linha("outro país", u"+14155550100"_s, int(T::Telefone), QString(),
              u"A chave Pix \"+14155550100\" "_s + telefoneErrado);
        Linha("e-mail", u"pix@clinica.com.br"_s, int(T::Email), u"pix@clinica.com.br"_s, QString());
        Linha("e-mail maiúsculo", u"Pix@Clinica.com.br"_s, int(T::Email), QString(),
              u"A chave Pix \"Pix@Clinica.com.br\" parece um e-mail, mas deve "
              "ser escrita em letras minúsculas."_s);
        Linha("e-mail sem domínio", u"pix@clinica"_s, int(T::Email), QString(),
              u"A chave Pix \"pix@clinica\" parece um e-mail, mas não é um "
              "endereço de e-mail válido (sem acentos nem espaços)."_s);
        Linha("aleatória", u" 123e4567-e12b-12d1-a456-426655440000 "_s, int(T::Aleatoria),
              u"123e4567-e12b-12d1-a456-426655440000"_s, QString());
        Linha("aleatória maiúscula", u"123E4567-E12B-12D1-A456-426655440000"_s, int(T::Aleatoria), QString(),
              u"A chave Pix \"123E4567-E12B-12D1-A456-426655440000\" parece uma chave aleatória, mas uma "
              "chave aleatória tem 32 dígitos hexadecimais em letras minúsculas, no formato 8-4-4-4-12."_s);
        Linha("nada conhecido", u"minha chave"_s, int(T::Nenhum), QString(),
              u"A chave Pix \"minha chave\" não é um CPF, um CNPJ, um telefone (+55...), um e-mail nem uma "
              "chave aleatória."_s);
        Linha("vazia", u"  "_s, int(T::Nenhum), QString(), u"Informe a chave Pix."_s);
    }
    void chaves() {
        QFETCH(QString, texto);
        QFETCH(int, tipo);
        QFETCH(QString, chave);
        QFETCH(QString, motivo);
        const Pix::ChaveVerificada v = Pix::VerificarChave(texto);
        QCOMPARE(v.Motivo, motivo);
        QCOMPARE(int(v.Tipo), tipo);
        QCOMPARE(v.Chave, chave);
    }

    // The deposit: to the cent, half to even, and its line on the sheet.
    void sinal_data() {
        // valor: ten-thousandths
        // faixa: approved as a range: the low end's percentage
        Colunas<qint64, qint64, QString, bool>("valor", "percentual", "linha", "faixa");
        Linha("metade", qint64(12345000), qint64(500000),
              u"Sinal para confirmar: R$ 617,25 (50 % do valor aprovado)"_s, false);
        Linha("percentual com decimal", qint64(3333300), qint64(125000),
              u"Sinal para confirmar: R$ 41,67 (12,5 % do valor aprovado)"_s, false);
        Linha("meio centavo para o par de baixo", qint64(100), qint64(500000),
              u"Sinal para confirmar: R$ 0,00 (50 % do valor aprovado)"_s, false);
        Linha("meio centavo para o par de cima", qint64(300), qint64(500000),
              u"Sinal para confirmar: R$ 0,02 (50 % do valor aprovado)"_s, false);
        Linha("milhares", qint64(250000000), qint64(1000000),
              u"Sinal para confirmar: R$ 25.000,00 (100 % do valor aprovado)"_s, false);
        Linha("faixa aprovada: do valor mínimo", qint64(1080000), qint64(500000),
              u"Sinal para confirmar: R$ 54,00 (50 % do valor mínimo aprovado)"_s, true);
    }
    void sinal() {
        QFETCH(qint64, valor);
        QFETCH(qint64, percentual);
        QFETCH(QString, linha);
        QFETCH(bool, faixa);
        const auto p = VB::Currency::DeDecimosDeMilesimos(percentual);
        QCOMPARE(Sinal::Linha(Sinal::Valor(VB::Currency::DeDecimosDeMilesimos(valor), p), p, faixa), linha);
    }

    // The code drawn as an image, saved and read back by a QR reader: the same text.
    void qrCodeLidoDeVolta() {
        const QString texto =
            Pix::CopiaECola({u"123e4567-e12b-12d1-a456-426655440000"_s, u"Clínica Veterinária Bicho Feliz"_s,
                             u"São Paulo"_s, VB::Currency::DeDecimosDeMilesimos(1234500), u"ORC421"_s});
        const QImage imagem = QrCode::Imagem(texto, 4);
        QVERIFY(!imagem.isNull());
        QCOMPARE(imagem.width(), imagem.height());
        // The quiet zone: four modules of white on every side.
        for (int i = 0; i < 4 * QrCode::ZonaDeSilencio; ++i)
            for (int j = 0; j < imagem.width(); ++j) {
                QCOMPARE(qGray(imagem.pixel(j, i)), 255);
                QCOMPARE(qGray(imagem.pixel(i, j)), 255);
            }
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(u"qr.png"_s);
        QVERIFY(imagem.save(arquivo));
        QCOMPARE(LerQrCode(arquivo), texto);
    }

    void textoLongoDemaisNaoTemQrCode() { QVERIFY(QrCode::Imagem(QString(8000, u'x')).isNull()); }
};

QTEST_GUILESS_MAIN(TesteDosContratos)
#include "tst_contratos.moc"
