#pragma once
// ADO's paging rules and errors, which every recordset keeps (the paging itself is the
// base class's, the moves and fields each recordset's own): checked on one of 13 rows
// whose field campo numbers them 1 to 13, read six to a page, and on an empty one.

#include "tests/NumeroDoErro.h"

#include "contracts/Recordset.h"

#include <QtTest>

inline void ConferirRegrasDoAdo(Recordset& treze, Recordset& vazio, const QString& campo) {
    QCOMPARE((QList<qint32>{vazio.RecordCount(), vazio.PageSize(), vazio.PageCount(), vazio.AbsolutePage()}),
             (QList<qint32>{0, 10, 0, -1}));
    QVERIFY(vazio.Eof());
    QCOMPARE(NumeroDoErro([&] { vazio.Fields(campo); }), 3021L);

    treze.SetPageSize(6);
    QCOMPARE((QList<qint32>{treze.RecordCount(), treze.PageCount(), treze.AbsolutePage()}),
             (QList<qint32>{13, 3, 1}));
    QCOMPARE(treze.FieldName(0), campo);
    treze.SetAbsolutePage(3);
    QCOMPARE(treze.Fields(campo).Value.toInt(), 13);
    QCOMPARE(treze.AbsolutePage(), 3);
    treze.SetAbsolutePage(2);
    // Field names are found whatever their letter case, as ADO finds them.
    QCOMPARE(treze.Fields(campo.toLower()).Value.toInt(), 7);
    QCOMPARE(treze.Fields(campo.toUpper()).Name, campo);
    QCOMPARE(NumeroDoErro([&] { treze.Fields(QStringLiteral("NaoExiste")); }), 3265L);
    QCOMPARE(NumeroDoErro([&] { treze.FieldName(treze.FieldsCount()); }), 3265L);
    for (int i = 0; i < 6; ++i)
        treze.MoveNext();
    QCOMPARE(treze.AbsolutePage(), 3);
    treze.MoveNext();
    QVERIFY(treze.Eof());
    QCOMPARE(treze.AbsolutePage(), -3);
    QCOMPARE(NumeroDoErro([&] { treze.Fields(campo); }), 3021L);
    QCOMPARE(NumeroDoErro([&] { treze.MoveNext(); }), 3021L);
    QCOMPARE(NumeroDoErro([&] { treze.SetAbsolutePage(4); }), 3001L);
    QCOMPARE(NumeroDoErro([&] { treze.SetAbsolutePage(0); }), 3001L);
    QCOMPARE(NumeroDoErro([&] { treze.SetPageSize(0); }), 3001L);
}
