// The list at clinic-chain scale: the totals of "Todas as situações", "Ativos" and
// "Inativos" come from counters the database keeps exact in every writing
// transaction, and a forward walk through a selection (a printed list, the preview's
// next pages) reads each block after the last key of the block before.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/RecordsetSql.h"
#include "contracts/CriarObjeto.h"

#include <QProcess>
#include <QtTest>

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

    void verificacao_acusa_e_recontagem_corrige() {
        EscreverOrcamentos(40, 4);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{40, 30, 10}));
        QByteArray saida;
        QCOMPARE(Verificar(u"--verificar"_s, &saida), 0);
        QVERIFY2(saida.contains("As contagens de orçamentos conferem."), saida.constData());

        // A load that went around the triggers: the list shows the counters, the check
        // names the difference, the recount mends it.
        for (const QString& comando : Banco::DialetoAtual().RemoverGatilhosDeContagem())
            Banco::Executar(comando);
        EscreverOrcamentos(7);
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento = 4"_s);
        QCOMPARE(TotaisDaLista(), (QList<qint32>{40, 30, 10}));
        QCOMPARE(ContagemDeOrcamentos::Divergencias(),
                 (QStringList{u"Situação 1: 37 orçamentos, contagem 30"_s,
                              u"Situação 2: 9 orçamentos, contagem 10"_s}));
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
