// The lazy SQL recordset: ADO's paging rules and errors, typed values and Null, and
// that a large selection holds only the page being read.

#include "tests/business/TesteDeNegocio.h"
#include "tests/contracts/RegrasDoAdo.h"

#include "business/RecordsetSql.h"

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

    // The list's selection of the active quotes, six to a page; morcamentos pages it.
    std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> morcamentos;
    qint16 tamanho = 6;
    RecordsetPtr Selecionar() {
        morcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        if (VB::CBool(morcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0))) return {};
        return morcamentos->ResultadoDaSelecaoEmRecordSet();
    }
    void Encerrar() override { morcamentos.reset(); }

private slots:
    void regras_de_paginas_do_ado() {
        EscreverOrcamentos(13);
        RecordsetSql treze(ConsultaDosOrcamentos());
        RecordsetSql vazio({ConsultaDosOrcamentos().Campos,
                            u"FROM Orcamentos WHERE Situacao = ?"_s,
                            {2},
                            u"NumeroDoOrcamento"_s});
        ConferirRegrasDoAdo(treze, vazio, u"NumeroDoOrcamento"_s);
        treze.SetAbsolutePage(3);
        QCOMPARE(treze.AbsolutePosition0(), 12);
        QCOMPARE(treze.FieldsCount(), 5);
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
        RecordsetPtr resultado = Selecionar();
        auto* sql = dynamic_cast<RecordsetSql*>(resultado.get());
        QVERIFY(sql);
        // Counted from the counters in the read of the first page, which then shows
        // with no other read.
        QCOMPARE(Paginas(*resultado), u"3000|500|1"_s);
        QCOMPARE(sql->LinhasEmMemoria(), 6);
        QCOMPARE(sql->LeiturasFeitas(), 1);
        RecordsetPtr pagina;
        morcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, pagina);
        QCOMPARE(pagina->Fields(u"NumeroDoOrcamento"_s).Value.toDouble(), 3000.0);
        QCOMPARE(sql->LeiturasFeitas(), 1);

        resultado->SetAbsolutePage(400);
        morcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, pagina);
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
        RecordsetPtr resultado = Selecionar();
        QVERIFY(resultado);
        // Another workstation deletes two quotes before the second page is read.
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento <= 2"_s);
        resultado->SetAbsolutePage(2);
        RecordsetPtr pagina;
        morcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, pagina);
        QCOMPARE(pagina->RecordCount(), 0);
        QCOMPARE(resultado->AbsolutePage(), 2);
        QCOMPARE(NumeroDoErro([&] { resultado->Fields(u"NumeroDoOrcamento"_s); }), 3021L);
    }
};

QTEST_GUILESS_MAIN(TesteDoRecordset)
#include "tst_negocio_recordset.moc"
