// The lazy SQL recordset: ADO's paging rules and errors, typed values and Null, and
// that a large selection holds only the page being read.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/RecordsetSql.h"
#include "contracts/CriarObjeto.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using VB::Currency;

namespace {

ConsultaPaginavel ConsultaDosOrcamentos() {
    return {{{u"NumeroDoOrcamento"_s, u"NumeroDoOrcamento"_s, TipoDoCampo::Double},
             {u"DataDoOrcamento"_s, u"DataDoOrcamento"_s, TipoDoCampo::Data},
             {u"ValorTotal"_s, u"ValorTotal"_s, TipoDoCampo::Moeda},
             {u"DataEHoraDaAlteracao"_s, u"DataEHoraDaAlteracao"_s, TipoDoCampo::DataEHora},
             {u"Situacao"_s, u"Situacao"_s, TipoDoCampo::Long}},
            u"FROM Orcamentos WHERE Situacao = ?"_s,
            {1},
            u"NumeroDoOrcamento"_s};
}

} // namespace

class TesteDoRecordset : public TesteDeNegocio {
    Q_OBJECT

private slots:
    void regras_de_paginas_do_ado() {
        EscreverOrcamentos(13);
        RecordsetSql rs(ConsultaDosOrcamentos(), 6);
        QCOMPARE(rs.RecordCount(), 13);
        QCOMPARE(rs.PageCount(), 3);
        QCOMPARE(rs.AbsolutePage(), 1);
        QCOMPARE(rs.FieldsCount(), 5);
        QCOMPARE(rs.FieldName(0), u"NumeroDoOrcamento"_s);
        rs.SetAbsolutePage(3);
        QCOMPARE(rs.AbsolutePosition0(), 12);
        QCOMPARE(rs.Fields(u"NumeroDoOrcamento"_s).Value.toDouble(), 13.0);
        rs.MoveNext();
        QVERIFY(rs.Eof());
        QCOMPARE(rs.AbsolutePage(), -3);
        QCOMPARE(NumeroDoErro([&] { rs.Fields(u"NumeroDoOrcamento"_s); }), 3021L);
        QCOMPARE(NumeroDoErro([&] { rs.MoveNext(); }), 3021L);
        QCOMPARE(NumeroDoErro([&] { rs.SetAbsolutePage(4); }), 3001L);
        QCOMPARE(NumeroDoErro([&] { rs.SetAbsolutePage(0); }), 3001L);
        rs.MoveFirst();
        QCOMPARE(NumeroDoErro([&] { rs.Fields(u"NaoExiste"_s); }), 3265L);
        QCOMPARE(NumeroDoErro([&] { rs.FieldName(5); }), 3265L);
        // Field names are found whatever their letter case, as ADO finds them.
        QCOMPARE(rs.Fields(u"numerodoorcamento"_s).Name, u"NumeroDoOrcamento"_s);
        QCOMPARE(NumeroDoErro([&] { rs.SetPageSize(0); }), 3001L);

        RecordsetSql vazio({ConsultaDosOrcamentos().Campos,
                            u"FROM Orcamentos WHERE Situacao = ?"_s,
                            {2},
                            u"NumeroDoOrcamento"_s});
        QCOMPARE(vazio.RecordCount(), 0);
        QCOMPARE(vazio.PageSize(), 10);
        QCOMPARE(vazio.PageCount(), 0);
        QCOMPARE(vazio.AbsolutePage(), -1);
        QVERIFY(vazio.Eof());
        QCOMPARE(NumeroDoErro([&] { vazio.Fields(u"NumeroDoOrcamento"_s); }), 3021L);
    }

    void valores_tipados_e_nulos() {
        EscreverOrcamentos(1);
        Banco::Executar(u"UPDATE Orcamentos SET ValorTotal = 1234567"_s);
        RecordsetSql rs(ConsultaDosOrcamentos());
        QCOMPARE(rs.Fields(u"NumeroDoOrcamento"_s).Value.typeId(), QMetaType::Double);
        QCOMPARE(rs.Fields(u"DataDoOrcamento"_s).Value, QVariant(QDate(2026, 1, 10)));
        QCOMPARE(rs.Fields(u"ValorTotal"_s).Value.value<Currency>(), Currency::DeDecimosDeMilesimos(1234567));
        QCOMPARE(VB::CStr(rs.Fields(u"ValorTotal"_s).Value), u"123,4567"_s);
        QCOMPARE(rs.Fields(u"Situacao"_s).Value, QVariant(qint32(1)));
        const QVariant nulo = rs.Fields(u"DataEHoraDaAlteracao"_s).Value;
        QVERIFY(VB::IsNull(nulo));
        QCOMPARE(NumeroDoErro([&] { VB::CStr(nulo); }), 94L);
    }

    void le_so_a_pagina_pedida() {
        EscreverOrcamentos(3000);
        auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 6;
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        RecordsetPtr resultado = orcamentos->ResultadoDaSelecaoEmRecordSet();
        auto* sql = dynamic_cast<RecordsetSql*>(resultado.get());
        QVERIFY(sql);
        // Counted from the counters in the read of the first page, which then shows
        // with no other read.
        QCOMPARE(resultado->RecordCount(), 3000);
        QCOMPARE(resultado->PageCount(), 500);
        QCOMPARE(sql->LinhasEmMemoria(), 6);
        QCOMPARE(sql->LeiturasFeitas(), 1);
        RecordsetPtr pagina;
        orcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, pagina);
        QCOMPARE(pagina->Fields(u"NumeroDoOrcamento"_s).Value.toDouble(), 3000.0);
        QCOMPARE(sql->LeiturasFeitas(), 1);

        resultado->SetAbsolutePage(400);
        orcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, pagina);
        QCOMPARE(pagina->RecordCount(), 6);
        pagina->MoveFirst();
        // Newest first: page 400 starts at the 2395th newest.
        QCOMPARE(pagina->Fields(u"NumeroDoOrcamento"_s).Value.toDouble(), 3000.0 - 2394);
        QCOMPARE(sql->LinhasEmMemoria(), 6);
        QCOMPARE(sql->LeiturasFeitas(), 2);

        // Walking the whole selection (a printed list) holds one block at a time.
        int linhas = 0;
        int maximo = 0;
        for (resultado->MoveFirst(); !resultado->Eof(); resultado->MoveNext()) {
            resultado->Fields(u"ValorTotal"_s);
            maximo = std::max(maximo, sql->LinhasEmMemoria());
            ++linhas;
        }
        QCOMPARE(linhas, 3000);
        QVERIFY2(maximo <= 204, qPrintable(QString::number(maximo)));
        QVERIFY2(sql->LeiturasFeitas() < 30, qPrintable(QString::number(sql->LeiturasFeitas())));
    }

    void linhas_apagadas_depois_da_contagem() {
        EscreverOrcamentos(8);
        auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 6;
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        RecordsetPtr resultado = orcamentos->ResultadoDaSelecaoEmRecordSet();
        // Another workstation deletes two quotes before the second page is read.
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento <= 2"_s);
        resultado->SetAbsolutePage(2);
        RecordsetPtr pagina;
        orcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, pagina);
        QCOMPARE(pagina->RecordCount(), 0);
        QCOMPARE(resultado->AbsolutePage(), 2);
        QCOMPARE(NumeroDoErro([&] { resultado->Fields(u"NumeroDoOrcamento"_s); }), 3021L);
    }
};

QTEST_GUILESS_MAIN(TesteDoRecordset)
#include "tst_negocio_recordset.moc"
