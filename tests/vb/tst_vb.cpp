// VB6 arithmetic and texts under the Brazilian settings: conversions, Currency, Format, CStr,
// and the run-time errors they raise.
#include "tests/Linha.h"
#include "tests/NumeroDoErro.h"

#include <QtTest>
#include <limits>

using VB::Currency;

namespace {

QVariant Cur(qint64 bruto) {
    return QVariant::fromValue(Currency::DeDecimosDeMilesimos(bruto));
}
QVariant Texto(const char* texto) {
    return QVariant(QString::fromUtf8(texto));
}
// What QtSql hands over for a NULL column: a valid, typed variant that is null.
QVariant NuloDoBanco() {
    return QVariant(QMetaType::fromType<QString>());
}

constexpr qint64 MaximoBruto = std::numeric_limits<qint64>::max();
constexpr qint64 MinimoBruto = std::numeric_limits<qint64>::min();

} // namespace

// Checks that `expressao` raises run-time error `numeroEsperado` (0: none) with VB's description
// (whose texts descricoesDosErros pins).
#define VERIFICAR_ERRO(expressao, numeroEsperado)                                                            \
    do {                                                                                                     \
        const VB::ErroDeExecucao lerro = ErroDe([&] { (void)(expressao); });                                 \
        QCOMPARE(lerro.Numero(), static_cast<long>(numeroEsperado));                                         \
        if (numeroEsperado != 0) QCOMPARE(lerro.Descricao(), VB::DescricaoDoErro(numeroEsperado));           \
    } while (0)

class TesteDoVB : public QObject {
    Q_OBJECT

private slots:
    void descricoesDosErros_data() {
        Colunas<long, QString>("numero", "descricao");
        auto linha = [](long numero, const char* descricao) {
            QTest::addRow("%ld", numero) << numero << QString::fromUtf8(descricao);
        };
        linha(5, "Chamada de procedimento ou argumento inválido");
        linha(6, "Estouro");
        linha(9, "Subscrito fora do intervalo");
        linha(11, "Divisão por zero");
        linha(13, "Tipos incompatíveis");
        linha(91, "Variável de objeto ou variável do bloco With não definida");
        linha(94, "Uso inválido de Null");
        linha(380, "Valor de propriedade inválido");
        linha(429, "O componente ActiveX não pode criar o objeto");
        linha(438, "O objeto não aceita esta propriedade ou método");
        linha(3001,
              "Os argumentos são do tipo errado, estão fora do intervalo aceitável ou estão em conflito.");
        linha(3021,
              "O BOF ou o EOF é verdadeiro ou o registro atual foi excluído. A operação solicitada requer "
              "um registro atual.");
        linha(3265,
              "O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal solicitado.");
        linha(1, "Erro definido pelo aplicativo ou pelo objeto");
        linha(12345, "Erro definido pelo aplicativo ou pelo objeto");
    }

    void descricoesDosErros() {
        QFETCH(long, numero);
        QFETCH(QString, descricao);
        QCOMPARE(VB::DescricaoDoErro(numero), descricao);
        const VB::ErroDeExecucao erro(numero);
        QCOMPARE(erro.Numero(), numero);
        QCOMPARE(erro.Descricao(), descricao);
    }

    void textoDoErroEmUtf8() {
        QCOMPARE(QByteArray(VB::ErroDeExecucao(13).what()), QByteArray("13: Tipos incompat\xc3\xadveis"));
        const VB::ErroDeExecucao dado(50001, QString::fromUtf8("Código inválido"));
        QCOMPARE(dado.Numero(), 50001L);
        QCOMPARE(dado.Descricao(), QString::fromUtf8("Código inválido"));
        QCOMPARE(QByteArray(dado.what()), QString::fromUtf8("50001: Código inválido").toUtf8());
    }

    void nullEEmpty() {
        QVERIFY(VB::IsNull(VB::Null()));
        QVERIFY(!VB::IsEmpty(VB::Null()));
        QVERIFY(VB::IsNull(NuloDoBanco()));
        QVERIFY(VB::IsEmpty(QVariant()));
        QVERIFY(!VB::IsNull(QVariant()));
        // An empty text is a value, neither Null nor Empty.
        QVERIFY(!VB::IsNull(QVariant(QString())));
        QVERIFY(!VB::IsEmpty(QVariant(QString())));
        QVERIFY(!VB::IsNull(QVariant(0)));
    }

    // CLng, CInt, CCur, CDbl, CBool, CDate, ArredondarParaPar and IsNumeric: the value each gives,
    // or the run-time error it raises.
    void conversoes_data() {
        Colunas<QString, QVariant, QVariant, int>("funcao", "valor", "esperado", "erro");
        // The rows of a conversion to a whole number (CCur's in ten-thousandths).
        const auto inteiro = [](const char* funcao) {
            return [funcao](const char* nome, const QVariant& v, qint64 esperado, int erro = 0) {
                QTest::addRow("%s %s", funcao, nome)
                    << QString::fromLatin1(funcao) << v << QVariant(esperado) << erro;
            };
        };
        const auto clng = inteiro("CLng"), cint = inteiro("CInt"), ccur = inteiro("CCur");
        // halves go to the even neighbour (Format "0" takes the same halves away from zero)
        clng("0,5", QVariant(0.5), 0);
        clng("1,5", QVariant(1.5), 2);
        clng("2,5", QVariant(2.5), 2);
        clng("-2,5", QVariant(-2.5), -2);
        clng("-0,5", QVariant(-0.5), 0);
        clng("texto 4,5", Texto("4,5"), 4);
        clng("Currency 6,5", Cur(65000), 6);
        clng("3,5", QVariant(3.5), 4);
        clng("-3,5", QVariant(-3.5), -4);
        clng("2,5000001", QVariant(2.5000001), 3);
        clng("2,4999999", QVariant(2.4999999), 2);
        clng("texto 2,5", Texto("2,5"), 2);
        clng("texto 3,5", Texto("3,5"), 4);
        clng("Currency 2,5", Cur(25000), 2);
        clng("Currency -3,5", Cur(-35000), -4);
        cint("2,5", QVariant(2.5), 2);
        cint("3,5", QVariant(3.5), 4);
        cint("-2,5", QVariant(-2.5), -2);
        cint("texto -0,5", Texto("-0,5"), 0);
        // texts as VB reads them
        clng("brancos", Texto("  12  "), 12);
        clng("milhares", Texto("1.234.567"), 1234567);
        clng("ponto como milhares", Texto("1.5"), 15);
        clng("moeda", Texto("R$ 1.234"), 1234);
        clng("moeda colada", Texto("R$1.234"), 1234);
        clng("parenteses", Texto("(12)"), -12);
        clng("sinal atras", Texto("12-"), -12);
        clng("mais", Texto("+12"), 12);
        clng("expoente", Texto("1,5E3"), 1500);
        // other types
        clng("True", QVariant(true), -1);
        clng("False", QVariant(false), 0);
        clng("Empty", QVariant(), 0);
        clng("Integer", QVariant::fromValue(qint16(-300)), -300);
        cint("True", QVariant(true), -1);
        // limits
        clng("maximo", QVariant(2147483647.0), 2147483647);
        clng("maximo + 0,4", QVariant(2147483647.4), 2147483647);
        clng("maximo + 0,5", QVariant(2147483647.5), 0, 6);
        clng("minimo - 0,5", QVariant(-2147483648.5), -2147483648LL);
        clng("minimo - 0,6", QVariant(-2147483648.6), 0, 6);
        clng("texto grande", Texto("3.000.000.000"), 0, 6);
        clng("Long longo", QVariant(qint64(1) << 40), 0, 6);
        clng("Double enorme", QVariant(1e300), 0, 6);
        clng("Currency grande", Cur(MaximoBruto), 0, 6);
        cint("maximo", QVariant(32767), 32767);
        cint("maximo + 0,5", QVariant(32767.5), 0, 6);
        cint("minimo - 0,5", QVariant(-32768.5), -32768);
        cint("40000", QVariant(40000), 0, 6);
        cint("texto 40.000", Texto("40.000"), 0, 6);
        // not numbers
        clng("vazio", Texto(""), 0, 13);
        clng("virgula", Texto(","), 0, 13);
        clng("menos", Texto("-"), 0, 13);
        clng("abc", Texto("abc"), 0, 13);
        clng("12,5x", Texto("12,5x"), 0, 13);
        clng("data", QVariant(QDate(2026, 12, 5)), 0, 13);
        cint("abc", Texto("abc"), 0, 13);
        // Null
        clng("Null", VB::Null(), 0, 94);
        clng("NULL do banco", NuloDoBanco(), 0, 94);
        cint("Null", VB::Null(), 0, 94);
        // half to even at the fourth decimal, decided on the number as written
        ccur("2,00005", QVariant(2.00005), 20000);
        ccur("2,00015", QVariant(2.00015), 20002);
        ccur("2,00025", QVariant(2.00025), 20002);
        ccur("-2,00005", QVariant(-2.00005), -20000);
        ccur("-2,00015", QVariant(-2.00015), -20002);
        ccur("0,00005", QVariant(0.00005), 0);
        ccur("0,00015", QVariant(0.00015), 2);
        ccur("2,000051", QVariant(2.000051), 20001);
        ccur("0,1", QVariant(0.1), 1000);
        ccur("texto 2,00005", Texto("2,00005"), 20000);
        ccur("texto 2,00015", Texto("2,00015"), 20002);
        ccur("texto 2,0000500001", Texto("2,0000500001"), 20001);
        // texts
        ccur("milhares", Texto("1.234,5"), 12345000);
        ccur("moeda", Texto("R$ 1.234,56"), 12345600);
        ccur("moeda colada", Texto("R$1.234,56"), 12345600);
        ccur("parenteses", Texto("(12,5)"), -125000);
        ccur("sinal atras", Texto("12,5-"), -125000);
        ccur("brancos", Texto(" 12,5 "), 125000);
        ccur(",5", Texto(",5"), 5000);
        ccur("12,", Texto("12,"), 120000);
        ccur("expoente", Texto("1,5E3"), 15000000);
        // other types
        ccur("Currency", Cur(-1), -1);
        ccur("Long", QVariant(qint32(-7)), -70000);
        ccur("True", QVariant(true), -10000);
        ccur("Empty", QVariant(), 0);
        // limits
        ccur("maximo", Texto("922.337.203.685.477,5807"), MaximoBruto);
        ccur("minimo", Texto("-922337203685477,5808"), MinimoBruto);
        ccur("acima do maximo", Texto("922337203685477,5808"), 0, 6);
        ccur("abaixo do minimo", Texto("-922337203685477,5809"), 0, 6);
        ccur("Double 1E15", QVariant(1e15), 0, 6);
        ccur("Double -1E15", QVariant(-1e15), 0, 6);
        ccur("texto enorme", Texto("1E400"), 0, 6);
        ccur("Double infinito", QVariant(std::numeric_limits<double>::infinity()), 0, 6);
        // not numbers, Null
        ccur("abc", Texto("abc"), 0, 13);
        ccur("vazio", Texto(""), 0, 13);
        ccur("ponto depois da virgula", Texto("1.234,5.6"), 0, 13);
        ccur("Null", VB::Null(), 0, 94);
        ccur("NULL do banco", NuloDoBanco(), 0, 94);
        const auto linha = [](const char* funcao, const char* nome, const QVariant& v,
                              const QVariant& esperado, int erro = 0) {
            QTest::addRow("%s %s", funcao, nome) << QString::fromLatin1(funcao) << v << esperado << erro;
        };
        linha("CDbl", "expoente", Texto("1,5E3"), QVariant(1500.0));
        linha("CDbl", "expoente negativo", Texto("-1,5e-2"), QVariant(-0.015));
        linha("CDbl", "milhares", Texto("1.234,5"), QVariant(1234.5));
        linha("CDbl", "parenteses", Texto("(2)"), QVariant(-2.0));
        linha("CDbl", "moeda", Texto("R$ 0,1"), QVariant(0.1));
        linha("CDbl", "dezessete digitos", Texto("0,30000000000000004"), QVariant(0.30000000000000004));
        linha("CDbl", "Currency 0,1", Cur(1000), QVariant(0.1));
        linha("CDbl", "Integer", QVariant::fromValue(qint16(-3)), QVariant(-3.0));
        linha("CDbl", "Double", QVariant(0.1 + 0.2), QVariant(0.1 + 0.2));
        linha("CDbl", "True", QVariant(true), QVariant(-1.0));
        linha("CDbl", "Empty", QVariant(), QVariant(0.0));
        linha("CDbl", "grande demais", Texto("1E400"), {}, 6);
        linha("CDbl", "abc", Texto("abc"), {}, 13);
        linha("CDbl", "menos", Texto("-"), {}, 13);
        linha("CDbl", "Null", VB::Null(), {}, 94);
        linha("CBool", "True", QVariant(true), QVariant(true));
        linha("CBool", "Long 0", QVariant(0), QVariant(false));
        linha("CBool", "Long 2", QVariant(2), QVariant(true));
        linha("CBool", "Double 0,1", QVariant(0.1), QVariant(true));
        linha("CBool", "Currency 0", Cur(0), QVariant(false));
        linha("CBool", "Verdadeiro", Texto("Verdadeiro"), QVariant(true));
        linha("CBool", "FALSO", Texto("FALSO"), QVariant(false));
        linha("CBool", "true", Texto(" true "), QVariant(true));
        linha("CBool", "False", Texto("False"), QVariant(false));
        linha("CBool", "texto 0", Texto("0"), QVariant(false));
        linha("CBool", "texto -1", Texto("-1"), QVariant(true));
        linha("CBool", "texto 0,0", Texto("0,0"), QVariant(false));
        linha("CBool", "Empty", QVariant(), QVariant(false));
        linha("CBool", "Sim", Texto("Sim"), {}, 13);
        linha("CBool", "vazio", Texto(""), {}, 13);
        linha("CBool", "Null", VB::Null(), {}, 94);
        linha("CDate", "DD/MM/YYYY", Texto("05/12/2026"), QVariant(QDate(2026, 12, 5)));
        linha("CDate", "D/M/YYYY", Texto("5/1/2026"), QVariant(QDate(2026, 1, 5)));
        linha("CDate", "brancos", Texto(" 05/12/2026 "), QVariant(QDate(2026, 12, 5)));
        linha("CDate", "com hora", Texto("05/12/2026 14:30:00"), QVariant(QDate(2026, 12, 5)));
        linha("CDate", "29/02 bissexto", Texto("29/02/2024"), QVariant(QDate(2024, 2, 29)));
        linha("CDate", "QDate", QVariant(QDate(2026, 12, 5)), QVariant(QDate(2026, 12, 5)));
        linha("CDate", "QDateTime", QVariant(QDateTime(QDate(2026, 12, 5), QTime(14, 30))),
              QVariant(QDate(2026, 12, 5)));
        linha("CDate", "31/02", Texto("31/02/2026"), {}, 13);
        linha("CDate", "29/02 nao bissexto", Texto("29/02/2025"), {}, 13);
        linha("CDate", "dia 32", Texto("32/01/2026"), {}, 13);
        linha("CDate", "mes 13", Texto("05/13/2026"), {}, 13);
        linha("CDate", "dia 0", Texto("00/12/2026"), {}, 13);
        linha("CDate", "hora invalida", Texto("05/12/2026 25:00"), {}, 13);
        linha("CDate", "ISO", Texto("2026-12-05"), {}, 13);
        linha("CDate", "abc", Texto("abc"), {}, 13);
        linha("CDate", "vazio", Texto(""), {}, 13);
        linha("CDate", "numero", QVariant(46361), {}, 13);
        linha("CDate", "Null", VB::Null(), {}, 94);
        // ArredondarParaPar: halves to the even neighbour, the rest to the nearest
        const auto par = [&](const char* nome, double v, double esperado) {
            linha("ArredondarParaPar", nome, QVariant(v), QVariant(esperado));
        };
        par("0,5", 0.5, 0.0);
        par("1,5", 1.5, 2.0);
        par("2,5", 2.5, 2.0);
        par("-2,5", -2.5, -2.0);
        par("-3,5", -3.5, -4.0);
        par("2,51", 2.51, 3.0);
        par("-0,4", -0.4, 0.0);
        par("9,5", 9.5, 10.0);
        par("1E20", 1e20, 1e20);
        par("4503599627370495,5", 4503599627370495.5, 4503599627370496.0);
        // IsNumeric
        const auto isNumeric = [&](const char* nome, const QVariant& v, bool esperado) {
            linha("IsNumeric", nome, v, QVariant(esperado));
        };
        // numbers keep being numbers
        isNumeric("Long", QVariant(qint32(-5)), true);
        isNumeric("Integer", QVariant::fromValue(qint16(7)), true);
        isNumeric("Double", QVariant(12.5), true);
        isNumeric("Currency", Cur(125000), true);
        isNumeric("Boolean", QVariant(true), true);
        isNumeric("Empty", QVariant(), true);
        isNumeric("Null", VB::Null(), false);
        isNumeric("NULL do banco", NuloDoBanco(), false);
        isNumeric("data", QVariant(QDate(2026, 12, 5)), false);
        // texts
        isNumeric("inteiro", Texto("12"), true);
        isNumeric("decimal", Texto("12,5"), true);
        isNumeric("milhares", Texto("1.234,5"), true);
        isNumeric("milhares fora do lugar", Texto("1.2.3,5"), true);
        isNumeric("brancos em volta", Texto("  12,5 "), true);
        isNumeric("sinal na frente", Texto("-12,5"), true);
        isNumeric("mais na frente", Texto("+12,5"), true);
        isNumeric("sinal atras", Texto("12,5-"), true);
        isNumeric("parenteses", Texto("(12,5)"), true);
        isNumeric("moeda com branco", Texto("R$ 1.234,56"), true);
        isNumeric("moeda sem branco", Texto("R$1.234,56"), true);
        isNumeric("moeda negativa", Texto("-R$ 12"), true);
        isNumeric("expoente", Texto("1,5E3"), true);
        isNumeric("expoente negativo", Texto("1,5e-3"), true);
        isNumeric("so decimais", Texto(",5"), true);
        isNumeric("virgula no fim", Texto("12,"), true);
        isNumeric("vazio", Texto(""), false);
        isNumeric("so brancos", Texto("   "), false);
        isNumeric("virgula sozinha", Texto(","), false);
        isNumeric("menos sozinho", Texto("-"), false);
        isNumeric("moeda sozinha", Texto("R$"), false);
        isNumeric("letras", Texto("abc"), false);
        isNumeric("letra no fim", Texto("12,5x"), false);
        isNumeric("ponto depois da virgula", Texto("1,234.5"), false);
        isNumeric("duas virgulas", Texto("1,2,3"), false);
        isNumeric("dois sinais", Texto("-12-"), false);
        isNumeric("sinal e parenteses", Texto("(-12)"), false);
        isNumeric("parentese aberto", Texto("(12"), false);
        isNumeric("expoente sem digitos", Texto("1E"), false);
        isNumeric("branco no meio", Texto("1 234"), false);
        isNumeric("grande demais para Double", Texto("1E400"), false);
    }

    void conversoes() {
        QFETCH(QString, funcao);
        QFETCH(QVariant, valor);
        QFETCH(QVariant, esperado);
        QFETCH(int, erro);
        QVariant obtido;
        if (funcao == QStringLiteral("CLng"))
            VERIFICAR_ERRO(obtido = qint64(VB::CLng(valor)), erro);
        else if (funcao == QStringLiteral("CInt"))
            VERIFICAR_ERRO(obtido = qint64(VB::CInt(valor)), erro);
        else if (funcao == QStringLiteral("CCur"))
            VERIFICAR_ERRO(obtido = VB::CCur(valor).DecimosDeMilesimos(), erro);
        else if (funcao == QStringLiteral("CDbl"))
            VERIFICAR_ERRO(obtido = VB::CDbl(valor), erro); // texts read to the nearest double
        else if (funcao == QStringLiteral("CBool"))
            VERIFICAR_ERRO(obtido = VB::CBool(valor), erro);
        else if (funcao == QStringLiteral("ArredondarParaPar"))
            obtido = VB::ArredondarParaPar(valor.toDouble());
        else if (funcao == QStringLiteral("IsNumeric"))
            obtido = VB::IsNumeric(valor);
        else
            VERIFICAR_ERRO(obtido = VB::CDate(valor), erro);
        if (erro == 0) QCOMPARE(obtido, esperado);
        // A Double goes into Currency the same way by either door.
        if (funcao == QStringLiteral("CCur") && valor.typeId() == QMetaType::Double) {
            VERIFICAR_ERRO(obtido = Currency::DeDouble(valor.toDouble()).DecimosDeMilesimos(), erro);
            if (erro == 0) QCOMPARE(obtido, esperado);
        }
    }

    void aritmeticaDeCurrency_data() {
        Colunas<QString, qint64, qint64, qint64, int>("operacao", "a", "b", "esperado", "erro");
        auto linha = [](const char* nome, const char* op, qint64 a, qint64 b, qint64 esperado, int erro = 0) {
            QTest::newRow(nome) << QString::fromLatin1(op) << a << b << esperado << erro;
        };
        linha("soma", "+", 12345, 1, 12346);
        linha("soma negativa", "+", -5000, 2000, -3000);
        linha("soma no maximo", "+", MaximoBruto - 1, 1, MaximoBruto);
        linha("soma estoura", "+", MaximoBruto, 1, 0, 6);
        linha("soma estoura para baixo", "+", MinimoBruto, -1, 0, 6);
        linha("subtracao", "-", 3000, 10000, -7000);
        linha("subtracao estoura", "-", MinimoBruto, 1, 0, 6);
        linha("oposto", "neg", 125000, 0, -125000);
        linha("oposto do minimo estoura", "neg", MinimoBruto, 0, 0, 6);
        // products of Currency round half to even to four places
        linha("produto exato", "*", 25000, 40000, 100000);           // 2,5 * 4 = 10
        linha("produto empate para baixo", "*", 5, 5000, 2);         // 0,0005 * 0,5 = 0,00025
        linha("produto empate para cima", "*", 15, 5000, 8);         // 0,0015 * 0,5 = 0,00075
        linha("produto empate negativo", "*", -5, 5000, -2);         // -0,00025
        linha("produto empate impar", "*", 12345, 11000, 13580);     // 1,2345 * 1,1 = 1,35795
        linha("produto acima da metade", "*", 12346, 11000, 13581);  // 1,35806
        linha("produto abaixo da metade", "*", 10001, 10001, 10002); // 1,00020001
        linha("produto no limite", "*", 90000000000000LL * 10000, 100000,
              900000000000000LL * 10000);                                       // 9E13 * 10
        linha("produto estoura", "*", 100000000000000LL * 10000, 100000, 0, 6); // 1E14 * 10
        linha("produto de minimo por -1", "*", MinimoBruto, -10000, 0, 6);
        linha("por inteiro", "*n", 125000, 3, 375000);
        linha("por inteiro negativo", "*n", 125000, -2, -250000);
        linha("por inteiro estoura", "*n", MaximoBruto / 2 + 1, 2, 0, 6);
        linha("de inteiro", "int", 922337203685477LL, 0, 922337203685477LL * 10000);
        linha("de inteiro negativo", "int", -922337203685477LL, 0, -922337203685477LL * 10000);
        linha("de inteiro estoura", "int", 922337203685478LL, 0, 0, 6);
        linha("de inteiro estoura para baixo", "int", -922337203685478LL, 0, 0, 6);
    }

    void aritmeticaDeCurrency() {
        QFETCH(QString, operacao);
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(qint64, esperado);
        QFETCH(int, erro);
        const Currency x = Currency::DeDecimosDeMilesimos(a);
        const Currency y = Currency::DeDecimosDeMilesimos(b);
        Currency obtido;
        if (operacao == QStringLiteral("+"))
            VERIFICAR_ERRO(obtido = x + y, erro);
        else if (operacao == QStringLiteral("-"))
            VERIFICAR_ERRO(obtido = x - y, erro);
        else if (operacao == QStringLiteral("neg"))
            VERIFICAR_ERRO(obtido = -x, erro);
        else if (operacao == QStringLiteral("*"))
            VERIFICAR_ERRO(obtido = x * y, erro);
        else if (operacao == QStringLiteral("*n"))
            VERIFICAR_ERRO(obtido = x * b, erro);
        else
            VERIFICAR_ERRO(obtido = Currency::DeInteiro(a), erro);
        if (erro == 0) QCOMPARE(obtido.DecimosDeMilesimos(), esperado);
    }

    void somaExataDeCurrency() {
        // 0,1 + 0,2 is 0,3 exactly, however the operands arrived.
        QCOMPARE(VB::CCur(Texto("0,1")) + VB::CCur(Texto("0,2")), VB::CCur(Texto("0,3")));
        QCOMPARE((Currency::DeDouble(0.1) + Currency::DeDouble(0.2)).DecimosDeMilesimos(), qint64(3000));
        QCOMPARE(VB::CStr(QVariant::fromValue(Currency::DeDouble(0.1) + Currency::DeDouble(0.2))),
                 QStringLiteral("0,3"));
        // A thousand additions of 0,01 make exactly 10.
        Currency total;
        for (int i = 0; i < 1000; ++i)
            total += VB::CCur(Texto("0,01"));
        QCOMPARE(total, Currency::DeInteiro(10));
        total -= VB::CCur(Texto("9,99"));
        QCOMPARE(total.DecimosDeMilesimos(), qint64(100));
        QVERIFY(VB::CCur(Texto("0,3")) > VB::CCur(Texto("0,2999")));
    }

    void divisaoDeCurrency() {
        QCOMPARE(Cur(3000).value<Currency>() / Cur(1000).value<Currency>(), 3.0);
        QCOMPARE(Cur(10000).value<Currency>() / Cur(40000).value<Currency>(), 0.25);
        QCOMPARE(Cur(-10000).value<Currency>() / Cur(30000).value<Currency>(), -1.0 / 3.0);
        VERIFICAR_ERRO(Cur(10000).value<Currency>() / Currency(), 11);
        VERIFICAR_ERRO(Currency() / Currency(), 11);
    }

    void intervaloDeCurrencyAntesDaConta() {
        const Currency maximo = Currency::DeDecimosDeMilesimos(MaximoBruto);
        const Currency minimo = Currency::DeDecimosDeMilesimos(MinimoBruto);
        const Currency um = Currency::DeInteiro(1);
        // What fits is the operators' own result; what would pass the range is nothing, no error.
        QVERIFY(VB::SomaNoIntervalo(maximo - um, um) == maximo);
        QVERIFY(VB::SomaNoIntervalo(maximo, Currency::DeDecimosDeMilesimos(1)) == std::nullopt);
        QVERIFY(VB::DiferencaNoIntervalo(minimo + um, um) == minimo);
        QVERIFY(VB::DiferencaNoIntervalo(minimo, Currency::DeDecimosDeMilesimos(1)) == std::nullopt);
        QVERIFY(VB::ProdutoNoIntervalo(Currency::DeDecimosDeMilesimos(12345),
                                       Currency::DeDecimosDeMilesimos(11000)) ==
                Currency::DeDecimosDeMilesimos(13580)); // 1,35795 half to even
        // 600.000 × 900.000.000 fits; 1.100.000 × 900.000.000 does not.
        QVERIFY(VB::ProdutoNoIntervalo(Currency::DeInteiro(600000), Currency::DeInteiro(900000000)) ==
                Currency::DeInteiro(540000000000000));
        QVERIFY(VB::ProdutoNoIntervalo(Currency::DeInteiro(1100000), Currency::DeInteiro(900000000)) ==
                std::nullopt);
        QVERIFY(VB::ProdutoNoIntervalo(minimo, Currency::DeInteiro(-1)) == std::nullopt);
        // CCur without its errors.
        QVERIFY(VB::CCurNoIntervalo(Texto("922.337.203.685.477,5807")) == maximo);
        QVERIFY(VB::CCurNoIntervalo(Texto("922.337.203.685.477,5808")) == std::nullopt);
        QVERIFY(VB::CCurNoIntervalo(Texto("12a")) == std::nullopt);
        QVERIFY(VB::CCurNoIntervalo(VB::Null()) == std::nullopt);
        QVERIFY(VB::CCurNoIntervalo(QVariant()) == Currency());
    }

    void codigoNumerico() {
        QVERIFY(VB::CodigoNumerico(QStringLiteral(" 00123 ")) == 123.0);
        QVERIFY(VB::CodigoNumerico(QStringLiteral("999999999999999")) == 999999999999999.0);
        QCOMPARE(VB::CStr(*VB::CodigoNumerico(QStringLiteral("999999999999999"))),
                 QStringLiteral("999999999999999"));
        // Sixteen digits and more, signs, separators, letters and nothing at all name no code.
        for (const char* texto :
             {"1000000000000000", "12345678901234567890", "-1", "1,5", "1.000", "12a", "", " "})
            QVERIFY2(!VB::CodigoNumerico(QString::fromUtf8(texto)), texto);
    }

    // Format with a pattern, CStr without one: the text each gives, or the run-time error it raises.
    void textos_data() {
        Colunas<QVariant, QString, QString, int>("valor", "formato", "esperado", "erro");
        const QString dois = QStringLiteral("#,##0.00");
        const QString tres = QStringLiteral("#,##0.000");
        const QString zero = QStringLiteral("0");
        auto linha = [](const char* nome, const QVariant& v, const QString& f, const char* esperado,
                        int erro = 0) {
            QTest::newRow(nome) << v << f << QString::fromUtf8(esperado) << erro;
        };
        // "#,##0.00"
        linha("2 casas simples", QVariant(12.5), dois, "12,50");
        linha("2 casas zero", QVariant(0.0), dois, "0,00");
        linha("2 casas metade", QVariant(2.345), dois, "2,35");
        linha("2 casas metade 1,005", QVariant(1.005), dois, "1,01");
        linha("2 casas metade negativa", QVariant(-0.005), dois, "-0,01");
        linha("2 casas negativo que zera", QVariant(-0.001), dois, "0,00");
        linha("2 casas milhar", QVariant(1234.5), dois, "1.234,50");
        linha("2 casas milhoes", QVariant(1234567.891), dois, "1.234.567,89");
        linha("2 casas trilhoes", QVariant(1234567890123.45), dois, "1.234.567.890.123,45");
        linha("2 casas negativo bilhoes", QVariant(-9876543210.5), dois, "-9.876.543.210,50");
        linha("2 casas vai um para novo grupo", QVariant(999999.995), dois, "1.000.000,00");
        linha("2 casas 1E20", QVariant(1e20), dois, "100.000.000.000.000.000.000,00");
        linha("2 casas Long negativo", QVariant(qint32(-1234)), dois, "-1.234,00");
        linha("2 casas Currency metade", Cur(23450), dois, "2,35");
        linha("2 casas Currency maximo", Cur(MaximoBruto), dois, "922.337.203.685.477,58");
        linha("2 casas Currency minimo", Cur(MinimoBruto), dois, "-922.337.203.685.477,58");
        linha("2 casas texto numerico", Texto("1.234,5"), dois, "1.234,50");
        linha("2 casas texto com moeda", Texto("R$ 2,345"), dois, "2,35");
        linha("2 casas texto nao numerico", Texto("abc"), dois, "abc");
        linha("2 casas texto vazio", Texto(""), dois, "");
        // "#,##0.000"
        linha("3 casas", QVariant(1234.5675), tres, "1.234,568");
        linha("3 casas metade", QVariant(1.0005), tres, "1,001");
        linha("3 casas vai um", QVariant(999.9995), tres, "1.000,000");
        linha("3 casas Currency", Cur(10000000), tres, "1.000,000");
        linha("3 casas Currency metade negativa", Cur(-12345675), tres, "-1.234,568");
        linha("3 casas negativo milhoes", QVariant(-1234567.25), tres, "-1.234.567,250");
        // "0": halves away from zero (CLng takes the same halves to the even neighbour)
        linha("0 metade 0,5", QVariant(0.5), zero, "1");
        linha("0 metade 1,5", QVariant(1.5), zero, "2");
        linha("0 metade -0,5", QVariant(-0.5), zero, "-1");
        linha("0 metade em texto", Texto("4,5"), zero, "5");
        linha("0 metade Currency", Cur(65000), zero, "7");
        linha("0 inteiro", QVariant(1234567), zero, "1234567");
        linha("0 metade", QVariant(2.5), zero, "3");
        linha("0 metade negativa", QVariant(-2.5), zero, "-3");
        linha("0 abaixo da metade", QVariant(2.4999), zero, "2");
        linha("0 negativo que zera", QVariant(-0.4), zero, "0");
        linha("0 grande sem grupos", QVariant(-9876543210.0), zero, "-9876543210");
        linha("0 True", QVariant(true), zero, "-1");
        // other patterns of the same family
        linha("0.0", QVariant(0.25), QStringLiteral("0.0"), "0,3");
        linha("#,##0", QVariant(1234567.5), QStringLiteral("#,##0"), "1.234.568");
        linha("#,##0.0000", Cur(12345), QStringLiteral("#,##0.0000"), "1,2345");
        linha("0.##", QVariant(1.5), QStringLiteral("0.##"), "1,5");
        // dates
        linha("data", QVariant(QDate(2026, 12, 5)), QStringLiteral("DD/MM/YYYY"), "05/12/2026");
        linha("data minusculas", QVariant(QDate(2026, 12, 5)), QStringLiteral("dd/mm/yyyy"), "05/12/2026");
        linha("data e hora", QVariant(QDateTime(QDate(2026, 1, 2), QTime(8, 0))),
              QStringLiteral("DD/MM/YYYY"), "02/01/2026");
        linha("data em texto", Texto("5/12/2026"), QStringLiteral("DD/MM/YYYY"), "05/12/2026");
        linha("texto que nao e data", Texto("abc"), QStringLiteral("DD/MM/YYYY"), "abc");
        linha("numero com padrao de data", QVariant(5), QStringLiteral("DD/MM/YYYY"), "", 13);
        // Empty, Null, patterns outside the family
        linha("Empty", QVariant(), dois, "");
        linha("Null", VB::Null(), dois, "", 94);
        linha("NULL do banco", NuloDoBanco(), zero, "", 94);
        linha("Null data", VB::Null(), QStringLiteral("DD/MM/YYYY"), "", 94);
        linha("data com padrao numerico", QVariant(QDate(2026, 12, 5)), dois, "", 13);
        linha("padrao desconhecido", QVariant(1), QStringLiteral("Standard"), "", 5);
        // CStr: no pattern
        auto cstr = [](const char* nome, const QVariant& v, const char* esperado, int erro = 0) {
            QTest::addRow("CStr %s", nome) << v << QString() << QString::fromUtf8(esperado) << erro;
        };
        cstr("Long", QVariant(qint32(-1234567)), "-1234567");
        cstr("Integer", QVariant::fromValue(qint16(32767)), "32767");
        cstr("Double 12,5", QVariant(12.5), "12,5");
        cstr("Double -12,5", QVariant(-12.5), "-12,5");
        cstr("Double inteiro", QVariant(3.0), "3");
        cstr("Double zero", QVariant(0.0), "0");
        cstr("Double 0,1 + 0,2", QVariant(0.1 + 0.2), "0,3");
        cstr("Double 1/3", QVariant(1.0 / 3.0), "0,333333333333333");
        cstr("Double 2/3", QVariant(2.0 / 3.0), "0,666666666666667");
        cstr("Double sem milhares", QVariant(1234567.5), "1234567,5");
        cstr("Double 15 digitos", QVariant(123456789012345.0), "123456789012345");
        cstr("Double 1E15", QVariant(1e15), "1E+15");
        cstr("Double 1E20", QVariant(1e20), "1E+20");
        cstr("Double -2,5E20", QVariant(-2.5e20), "-2,5E+20");
        cstr("Double 1,5E-07", QVariant(1.5e-7), "1,5E-07");
        cstr("Double 0,0001", QVariant(0.0001), "0,0001");
        cstr("Double 1E-05", QVariant(0.00001), "1E-05");
        cstr("Double maior", QVariant(std::numeric_limits<double>::max()), "1,79769313486232E+308");
        cstr("Currency 12,5", Cur(125000), "12,5");
        cstr("Currency 3", Cur(30000), "3");
        cstr("Currency -12,5", Cur(-125000), "-12,5");
        cstr("Currency 0,0001", Cur(1), "0,0001");
        cstr("Currency -0,05", Cur(-500), "-0,05");
        cstr("Currency milhar", Cur(12345678900), "1234567,89");
        cstr("Currency minimo", Cur(MinimoBruto), "-922337203685477,5808");
        cstr("True", QVariant(true), "Verdadeiro");
        cstr("False", QVariant(false), "Falso");
        cstr("data", QVariant(QDate(2026, 12, 5)), "05/12/2026");
        cstr("data e hora", QVariant(QDateTime(QDate(2026, 12, 5), QTime(14, 30))), "05/12/2026 14:30:00");
        cstr("data a meia-noite", QVariant(QDateTime(QDate(2026, 12, 5), QTime(0, 0))), "05/12/2026");
        cstr("texto", Texto("  abc 1,5 "), "  abc 1,5 ");
        cstr("Empty", QVariant(), "");
        cstr("Null", VB::Null(), "", 94);
        cstr("NULL do banco", NuloDoBanco(), "", 94);
    }

    void textos() {
        QFETCH(QVariant, valor);
        QFETCH(QString, formato);
        QFETCH(QString, esperado);
        QFETCH(int, erro);
        QString obtido;
        VERIFICAR_ERRO(obtido = formato.isNull() ? VB::CStr(valor) : VB::Format(valor, formato), erro);
        if (erro == 0) QCOMPARE(obtido, esperado);
    }
};

QTEST_GUILESS_MAIN(TesteDoVB)
#include "tst_vb.moc"
