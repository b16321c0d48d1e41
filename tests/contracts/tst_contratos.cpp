// The contracts' own pieces: the in-memory recordset (ADO's paging rules, which the
// page recordsets and the scripted business layers rely on) and the ProgID registry.

#include "tests/NumeroDoErro.h"

#include "contracts/CriarObjeto.h"
#include "contracts/Recordset.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

RecordsetEmMemoria Numeros(int quantidade) {
    RecordsetEmMemoria numeros({u"Numero"_s, u"Nome"_s});
    for (int i = 1; i <= quantidade; ++i)
        numeros.AdicionarLinha({i, u"n%1"_s.arg(i)});
    return numeros;
}

} // namespace

class TesteDosContratos : public QObject {
    Q_OBJECT
private slots:
    void paginasEErrosComoOAdo() {
        RecordsetEmMemoria vazio = Numeros(0);
        QCOMPARE(vazio.PageSize(), 10);
        QCOMPARE(vazio.PageCount(), 0);
        QCOMPARE(vazio.AbsolutePage(), -1);
        QVERIFY(vazio.Eof());

        RecordsetEmMemoria treze = Numeros(13);
        treze.SetPageSize(6);
        QCOMPARE(treze.PageCount(), 3);
        QCOMPARE(treze.AbsolutePage(), 1);
        treze.SetAbsolutePage(3);
        QCOMPARE(treze.Fields(u"Numero"_s).Value.toInt(), 13);
        QCOMPARE(treze.AbsolutePage(), 3);
        treze.SetAbsolutePage(2);
        QCOMPARE(treze.Fields(u"numero"_s).Value.toInt(), 7); // names without regard to case
        QCOMPARE(treze.Fields(u"NUMERO"_s).Name, u"Numero"_s);
        QCOMPARE(treze.FieldsCount(), 2);
        QCOMPARE(treze.Fields(1).Value.toString(), u"n7"_s);
        QCOMPARE(NumeroDoErro([&] { treze.Fields(u"Valor"_s); }), 3265L);
        for (int i = 0; i < 6; ++i)
            treze.MoveNext();
        QCOMPARE(treze.AbsolutePage(), 3);
        treze.MoveNext();
        QVERIFY(treze.Eof());
        QCOMPARE(treze.AbsolutePage(), -3);

        // ADO's errors (their texts are the VB tests').
        QCOMPARE(NumeroDoErro([&] { treze.Fields(u"Numero"_s); }), 3021L);
        QCOMPARE(NumeroDoErro([&] { treze.MoveNext(); }), 3021L);
        QCOMPARE(NumeroDoErro([&] { treze.SetAbsolutePage(4); }), 3001L);
        QCOMPARE(NumeroDoErro([&] { treze.SetAbsolutePage(0); }), 3001L);
        QCOMPARE(NumeroDoErro([&] { treze.SetPageSize(0); }), 3001L);
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
};

QTEST_GUILESS_MAIN(TesteDosContratos)
#include "tst_contratos.moc"
