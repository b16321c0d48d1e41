// The list at clinic-chain scale: the totals of "Todas as situações", "Ativos" and
// "Inativos" come from counters the database keeps exact in every writing
// transaction, and a forward walk through a selection (a printed list, the preview's
// next pages) reads each block after the last key of the block before.

#include "tests/business/TesteDeNegocio.h"

#include "business/ContagemDeOrcamentos.h"
#include "business/RecordsetSql.h"

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsOrcamentos;

namespace {

// The quote numbers a forward walk from the current row reads, up to the end or to
// the first row deleted after the count.
QList<qint64> Caminhar(Recordset& rs) {
    QList<qint64> numeros;
    try {
        for (; !rs.Eof(); rs.MoveNext())
            numeros << static_cast<qint64>(rs.Fields(u"NumeroDoOrcamento"_s).Value.toDouble());
    } catch (const VB::ErroDeExecucao& erro) {
        if (erro.Numero() != VB::SemRegistroAtual) throw;
    }
    return numeros;
}

// de, de - 1, ..., ate: the newest-first numbers.
QList<qint64> Decrescentes(qint64 de, qint64 ate) {
    QList<qint64> numeros;
    for (qint64 n = de; n >= ate; --n)
        numeros << n;
    return numeros;
}

} // namespace

class TesteDeEscala : public TesteDeNegocio {
    Q_OBJECT

    // The totals the list shows for "Todas as situações", "Ativos" and "Inativos".
    static QList<qint32> TotaisDaLista() {
        QList<qint32> totais;
        for (qint32 situacao : {0, 1, 2})
            totais << Lista(situacao, QString(), 13)->RecordCount();
        return totais;
    }

    qint16 Excluir(double numero) {
        auto orcamento = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
        orcamento->NumeroDoOrcamento = numero;
        orcamento->DataEHoraDaAlteracaoLida = QString();
        orcamento->DadosDoUsuario = musuario.get();
        return orcamento->Excluir();
    }

    int Verificar(const QString& opcao, QByteArray* saida = nullptr) {
        QProcess comando;
        comando.start(QStringLiteral(ZELT_IMPORTAR), QStringList{opcao} + msessao->ArgumentosDoBanco());
        if (!comando.waitForFinished(60000)) return -1;
        if (saida) *saida = comando.readAllStandardOutput() + comando.readAllStandardError();
        return comando.exitCode();
    }

private slots:
    void totais_seguem_inclusoes_situacoes_e_exclusoes() {
        QCOMPARE(TotaisDaLista(), (QList<qint32>{0, 0, 0}));
        for (int i = 0; i < 5; ++i)
            QVERIFY(NovoOrcamento() > 0);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{5, 5, 0}));
        // The clinic closes two quotes; one is opened again.
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento IN (2, 4)"_s);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{5, 3, 2}));
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 1 WHERE NumeroDoOrcamento = 4"_s);
        // A change that leaves the situation as it was counts nothing.
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = Situacao, ValorTotal = ValorTotal + 1"_s);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{5, 4, 1}));
        QCOMPARE(Excluir(3), qint16(0));
        QCOMPARE(Excluir(2), qint16(2)); // inactive: refused, nothing counted
        QCOMPARE(TotaisDaLista(), (QList<qint32>{4, 3, 1}));
        // A transaction undone takes its counting with it.
        {
            Banco::UnidadeDeTrabalho desfeita;
            InserirOrcamentos(3);
            Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento = 1"_s);
        }
        QCOMPARE(TotaisDaLista(), (QList<qint32>{4, 3, 1}));
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList{});
        // The counters are spread: consecutive quotes land in different slots.
        QVERIFY(Numero("SELECT COUNT(*) FROM ContagemDeOrcamentos WHERE Quantidade > 0") >= 4);
        // A search still counts its own rows.
        QCOMPARE(Lista(0, u"5"_s)->RecordCount(), 1);
    }

    // "Recentes" and a search by name take their totals from the counters per day and
    // per client; "Recentes" with a text, and a text of digits, count their rows.
    void recentes_e_pesquisa_por_nome_seguem_os_contadores() {
        for (int i = 0; i < 3; ++i)
            QVERIFY(NovoOrcamento(1, 10) > 0); // João, today: 1 to 3
        for (int i = 0; i < 2; ++i)
            QVERIFY(NovoOrcamento(2, 12) > 0); // Maria, today: 4 and 5
        EscreverOrcamentos(4);                 // João, 10/01/2026: 6 to 9, 6 and 8 inactive
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento IN (6, 8)"_s);
        const auto totais = [](const QString& texto) {
            QList<qint32> t;
            for (qint32 situacao : {0, 1, 2, 3})
                t << Lista(situacao, texto, 13)->RecordCount();
            return t;
        };
        QCOMPARE(totais(QString()), (QList<qint32>{9, 7, 2, 5}));
        QCOMPARE(totais(u"joão"_s), (QList<qint32>{7, 5, 2, 3}));
        // Words of a name: found as typed, not with others between them.
        QCOMPARE(totais(u"JOAO DA"_s), (QList<qint32>{7, 5, 2, 3}));
        QCOMPARE(totais(u"joão silva"_s), (QList<qint32>{0, 0, 0, 0}));
        QCOMPARE(totais(u"MARIA"_s), (QList<qint32>{2, 2, 0, 2}));
        QCOMPARE(totais(u"ninguém"_s), (QList<qint32>{0, 0, 0, 0}));
        // A quote moved to an old date and one moved to Maria.
        Banco::Executar(
            u"UPDATE Orcamentos SET DataDoOrcamento = '2026-01-10' WHERE NumeroDoOrcamento = 1"_s);
        Banco::Executar(u"UPDATE Orcamentos SET CodigoDoCliente = 2 WHERE NumeroDoOrcamento IN (2, 8)"_s);
        QCOMPARE(totais(QString()), (QList<qint32>{9, 7, 2, 4}));
        QCOMPARE(totais(u"joão"_s), (QList<qint32>{5, 4, 1, 1}));
        QCOMPARE(totais(u"maria"_s), (QList<qint32>{4, 3, 1, 3}));
        QCOMPARE(Excluir(4), qint16(0));
        QCOMPARE(totais(u"maria"_s), (QList<qint32>{3, 2, 1, 2}));
        QCOMPARE(totais(QString()), (QList<qint32>{8, 6, 2, 3}));
        // The pages agree with the totals: Maria's quotes, newest first.
        RecordsetPtr daMaria = Lista(0, u"maria"_s, 2);
        QCOMPARE(Caminhar(*daMaria), (QList<qint64>{8, 5, 2}));
        // A client renamed is found by the new name with its quotes; one added is found
        // with none, and is gone from the counters once deleted.
        Banco::Executar(u"UPDATE Clientes SET NomeOuRazaoSocial = 'Maria Borges', NomeNormalizado = "
                        "'maria borges' WHERE CodigoDoCliente = 2"_s);
        Banco::Executar(u"INSERT INTO Clientes (CodigoDoCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, "
                        "ApelidoNormalizado, NomeNormalizado) VALUES (90, 'Zé', 'José Borges', 'ze', "
                        "'jose borges')"_s);
        QCOMPARE(totais(u"borges"_s), (QList<qint32>{3, 2, 1, 2}));
        QCOMPARE(totais(u"gonçalves"_s), (QList<qint32>{0, 0, 0, 0}));
        QCOMPARE(totais(u"josé"_s), (QList<qint32>{0, 0, 0, 0}));
        Banco::Executar(u"DELETE FROM Clientes WHERE CodigoDoCliente = 90"_s);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ContagemPorCliente WHERE CodigoDoCliente = 90"), qint64(0));
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList{});
    }

    // A name that finds more than ten thousand quotes: the newest quotes are walked
    // instead of sorting them all; the rows are the same.
    void pesquisa_ampla_percorre_os_mais_novos() {
        EscreverOrcamentos(10005, 5); // João's; every fifth inactive
        RecordsetPtr todas = Lista(0, u"silva"_s, 15);
        QCOMPARE(todas->RecordCount(), 10005);
        todas->MoveFirst();
        QCOMPARE(Caminhar(*todas), Decrescentes(10005, 1));
        RecordsetPtr ativos = Lista(1, u"silva"_s, 15);
        QCOMPARE(ativos->RecordCount(), 8004);
        ativos->SetAbsolutePage(ativos->PageCount());
        QCOMPARE(Caminhar(*ativos), (QList<qint64>{11, 9, 8, 7, 6, 4, 3, 2, 1}));
        RecordsetPtr inativos = Lista(2, u"silva"_s, 15); // 2,001: sorted
        QCOMPARE(inativos->RecordCount(), 2001);
        const QList<qint64> lidos = Caminhar(*inativos);
        QCOMPARE(lidos.size(), 2001);
        QCOMPARE(lidos.first(), 10005);
        QCOMPARE(lidos.last(), 5);
    }

    void verificacao_acusa_e_recontagem_corrige() {
        EscreverOrcamentos(40, 4);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{40, 30, 10}));
        QByteArray saida;
        QCOMPARE(Verificar(u"--verificar"_s, &saida), 0);
        QVERIFY2(saida.contains("As contagens de orçamentos conferem."), saida.constData());

        // A load that went around the triggers: the list shows the counters, the check
        // names the difference, the recount mends it.
        for (const QString& comando : ContagemDeOrcamentos::RemoverGatilhos())
            Banco::Executar(comando);
        EscreverOrcamentos(7);
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento = 4"_s);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{40, 30, 10}));
        QCOMPARE(ContagemDeOrcamentos::Divergencias(),
                 (QStringList{u"Situação 1: 37 orçamentos, contagem 30"_s,
                              u"Situação 2: 9 orçamentos, contagem 10"_s,
                              u"Dia 2026-01-10: 46 orçamentos, contagem 40"_s,
                              u"Cliente 1, situação 1: 37 orçamentos, contagem 30"_s,
                              u"Cliente 1, situação 2: 9 orçamentos, contagem 10"_s}));
        QCOMPARE(Verificar(u"--verificar"_s, &saida), 1);
        QVERIFY2(saida.contains("Situação 1: 37 orçamentos, contagem 30"), saida.constData());
        QCOMPARE(Verificar(u"--recontar"_s), 0);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{46, 37, 9}));
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList{});
    }

    void caminhada_para_frente_le_cada_linha_uma_vez() {
        EscreverOrcamentos(1000, 3);
        RecordsetPtr todas = Lista(0, QString(), 15);
        auto* sql = dynamic_cast<RecordsetSql*>(todas.get());
        QVERIFY(sql);
        todas->MoveFirst();
        QCOMPARE(Caminhar(*todas), Decrescentes(1000, 1));
        QVERIFY2(sql->LeiturasPorChave() >= 4, qPrintable(QString::number(sql->LeiturasPorChave())));

        // After a jump to a page (the preview's "go to page N"), the walk goes on from there.
        todas->SetAbsolutePage(40); // rows 585 to 599
        QCOMPARE(Caminhar(*todas), Decrescentes(1000 - 585, 1));

        // Under a filter: the inactive quotes, every third number.
        RecordsetPtr inativos = Lista(2, QString(), 15);
        QCOMPARE(inativos->RecordCount(), 333);
        QList<qint64> esperados;
        for (qint64 n = 999; n >= 3; n -= 3)
            esperados << n;
        QCOMPARE(Caminhar(*inativos), esperados);
    }

    void caminhada_nao_pula_linhas_quando_outra_estacao_exclui() {
        EscreverOrcamentos(600);
        RecordsetPtr todas = Lista(0, QString(), 15);
        QList<qint64> lidos;
        todas->MoveFirst();
        for (int i = 0; i < 10; ++i, todas->MoveNext())
            lidos << static_cast<qint64>(todas->Fields(u"NumeroDoOrcamento"_s).Value.toDouble());
        // Another workstation deletes a quote already printed and one not printed yet.
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento IN (598, 300)"_s);
        lidos += Caminhar(*todas);
        QList<qint64> esperados = Decrescentes(600, 1);
        esperados.removeOne(300);
        QCOMPARE(lidos, esperados);
    }

    void salto_para_o_fim_e_volta() {
        // Far enough for the last page to be read backwards.
        EscreverOrcamentos(5400);
        RecordsetPtr todas = Lista(0, QString(), 100);
        todas->SetAbsolutePage(todas->PageCount());
        QCOMPARE(Caminhar(*todas), Decrescentes(100, 1));
        todas->SetAbsolutePage(todas->PageCount() - 1);
        QCOMPARE(Caminhar(*todas), Decrescentes(200, 1));
        todas->SetAbsolutePage(2);
        const QList<qint64> doInicio = Caminhar(*todas);
        QCOMPARE(doInicio.size(), 5300);
        QCOMPARE(doInicio.first(), 5300);
        QCOMPARE(doInicio.last(), 1);
    }
};

QTEST_GUILESS_MAIN(TesteDeEscala)
#include "tst_negocio_escala.moc"
