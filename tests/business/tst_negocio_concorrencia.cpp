// Several workstations on one database: processes storing quotes at the same time, a
// process killed while it saves, two workstations changing the same quote, and a
// database held by another workstation. Every workstation but the test itself is a
// zelt_teste_gravador process.

#include "tests/business/TesteDeNegocio.h"

#include "business/ContagemDeOrcamentos.h"

#include <QSqlQuery>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsOrcamentos;

namespace {

// What a workstation reported for one stored quote.
struct Gravado {
    qint64 Itens = 0;
    qint64 Total = 0, Liquido = 0; // ten-thousandths
};

// The "gravado <number> <items> <total> <net>" lines a workstation printed; a last
// line cut by a kill is not a report.
QHash<qint64, Gravado> Relatados(const QByteArray& saida) {
    QHash<qint64, Gravado> relatados;
    for (const QByteArray& linha : saida.split('\n')) {
        const QList<QByteArray> partes = linha.split(' ');
        if (partes.size() != 5 || partes.at(0) != "gravado") continue;
        relatados.insert(partes.at(1).toLongLong(),
                         {partes.at(2).toLongLong(), partes.at(3).toLongLong(), partes.at(4).toLongLong()});
    }
    return relatados;
}

// Waits until the process printed a line starting with that text.
bool EsperarLinha(QProcess& processo, QByteArray& saida, const QByteArray& inicio, int ms = 60000) {
    QElapsedTimer relogio;
    relogio.start();
    while (relogio.elapsed() < ms) {
        for (const QByteArray& linha : saida.split('\n'))
            if (linha.startsWith(inicio)) return true;
        if (processo.state() == QProcess::NotRunning) return false;
        processo.waitForReadyRead(100);
        saida += processo.readAllStandardOutput();
    }
    return false;
}

} // namespace

class TesteDaConcorrencia : public TesteDeNegocio {
    Q_OBJECT

private slots:
    void quatro_processos_gravam_1000_orcamentos_ao_mesmo_tempo() {
        const QString inicio = msessao->Pasta().filePath(u"inicio"_s);
        std::vector<std::unique_ptr<QProcess>> estacoes;
        for (int n = 1; n <= 4; ++n)
            estacoes.push_back(
                msessao->Estacao({u"--usuario"_s, u"ESTACAO%1"_s.arg(n), u"--semente"_s, QString::number(n),
                                  u"--inicio"_s, inicio, u"adicionar"_s, u"250"_s}));
        for (auto& estacao : estacoes)
            QVERIFY(estacao->waitForStarted());
        QFile(inicio).open(QIODevice::WriteOnly);

        QHash<qint64, Gravado> relatados;
        qint64 linhas = 0;
        for (auto& estacao : estacoes) {
            QVERIFY(estacao->waitForFinished(300000));
            const QByteArray erros = estacao->readAllStandardError();
            QVERIFY2(estacao->exitCode() == 0 && erros.isEmpty(), erros.constData());
            const QHash<qint64, Gravado> desta = Relatados(estacao->readAllStandardOutput());
            QCOMPARE(desta.size(), 250);
            linhas += desta.size();
            relatados.insert(desta);
        }
        // Unique numbers: no two workstations were handed the same one.
        QCOMPARE(linhas, qint64(1000));
        QCOMPARE(relatados.size(), 1000);
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos"), qint64(1000));
        QCOMPARE(Numero("SELECT COUNT(DISTINCT NumeroDoOrcamento) FROM Orcamentos"), qint64(1000));

        const QHash<qint64, qint64> inteiros = OrcamentosInteiros();
        QCOMPARE(inteiros.size(), 1000);
        qint64 itens = 0;
        for (auto r = relatados.cbegin(); r != relatados.cend(); ++r) {
            QVERIFY(inteiros.contains(r.key()));
            QCOMPARE(inteiros.value(r.key()), r.value().Itens);
            QVERIFY(r.value().Itens >= 1 && r.value().Itens <= 20);
            itens += r.value().Itens;
            QCOMPARE(Numero("SELECT ValorTotal FROM Orcamentos WHERE NumeroDoOrcamento = ?", {r.key()}),
                     r.value().Total);
            QCOMPARE(Numero("SELECT ValorLiquido FROM Orcamentos WHERE NumeroDoOrcamento = ?", {r.key()}),
                     r.value().Liquido);
        }
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), itens);
        // Each workstation's quotes carry its own user.
        QCOMPARE(Numero("SELECT COUNT(DISTINCT UsuarioDaInclusao) FROM Orcamentos"), qint64(4));
        // The counters the list reads were kept by every workstation's transaction.
        QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList{});
    }

    void processo_morto_enquanto_grava_nao_deixa_orcamento_pela_metade() {
        const quint32 semente = QRandomGenerator::global()->generate();
        QRandomGenerator sorte(semente);
        QHash<qint64, Gravado> relatados;
        for (int rodada = 1; rodada <= 20; ++rodada) {
            const QString contexto =
                u"seed %1, round %2"_s.arg(QString::number(semente), QString::number(rodada));
            auto estacao = msessao->Estacao(
                {u"--semente"_s, QString::number(semente + rodada), u"adicionar"_s, u"100000"_s});
            QVERIFY2(estacao->waitForStarted(), qPrintable(contexto));
            // Once it is saving: between two quotes or (most of the time, a save being
            // most of what it does) in the middle of one.
            QByteArray saida;
            QVERIFY2(EsperarLinha(*estacao, saida, "gravado"),
                     qPrintable(contexto + u' ' + QString::fromUtf8(estacao->readAllStandardError())));
            QThread::msleep(sorte.bounded(5, 300));
            estacao->kill(); // SIGKILL
            QVERIFY(estacao->waitForFinished(10000));
            QCOMPARE(estacao->exitStatus(), QProcess::CrashExit);
            saida += estacao->readAllStandardOutput();
            relatados.insert(Relatados(saida));

            const QHash<qint64, qint64> inteiros = OrcamentosInteiros();
            QVERIFY2(!inteiros.isEmpty(), qPrintable(contexto));
            // Every quote reported as stored is there whole; at most one per kill was
            // stored without being reported (killed between its commit and its report).
            for (auto r = relatados.cbegin(); r != relatados.cend(); ++r)
                QVERIFY2(inteiros.value(r.key()) == r.value().Itens, qPrintable(contexto));
            QVERIFY2(inteiros.size() >= relatados.size() && inteiros.size() <= relatados.size() + rodada,
                     qPrintable(contexto));
            // A save killed halfway took its counting with it.
            QCOMPARE(ContagemDeOrcamentos::Divergencias(), QStringList{});
        }
        // The next start needs no repair: a workstation stores and ends normally.
        auto estacao = msessao->Estacao({u"adicionar"_s, u"3"_s});
        QVERIFY(estacao->waitForFinished(60000));
        QCOMPARE(estacao->exitCode(), 0);
        QCOMPARE(Relatados(estacao->readAllStandardOutput()).size(), 3);
        QVERIFY(!OrcamentosInteiros().isEmpty());
        // Numbers taken by quotes that were never stored leave gaps; never a repetition.
        const qint64 maior = Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos");
        const qint64 quantos = Numero("SELECT COUNT(*) FROM Orcamentos");
        qInfo("%lld quotes stored in 20 killed runs; %lld numbers skipped", quantos, maior - quantos);
    }

    void duas_estacoes_alteram_o_mesmo_orcamento() {
        // This workstation opens quote 1 in its record form...
        const double numero = NovoOrcamento();
        QCOMPARE(numero, 1.0);
        GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
        QCOMPARE(grade.Rows(), 2);
        grade.AdicionarServico(1, 2, 10, u"1"_s, u"90,00"_s, u"0,00"_s, u"0,00"_s, u"90,00"_s);
        // ...and another saves its change first.
        auto outra = msessao->Estacao({u"--usuario"_s, u"BETO"_s, u"alterar"_s, u"1"_s});
        QVERIFY(outra->waitForFinished(60000));
        const QByteArray saida = outra->readAllStandardOutput();
        QVERIFY2(saida.contains("resultado 0\n"), saida.constData());
        const QString carimbo =
            VB::CStr(Banco::DataEHoraDeIso(Consulta("SELECT DataEHoraDaAlteracao FROM Orcamentos")));
        const qint64 itensDaOutra = Numero("SELECT COUNT(*) FROM ItensDeOrcamento");
        QVERIFY(itensDaOutra >= 2);
        const qint64 liquidoDaOutra = Numero("SELECT ValorLiquido FROM Orcamentos");

        auto orcamento = Orcamento(grade, musuario.get(), u"210,00|5,71|12,00|198,00"_s, numero);
        orcamento->DataEHoraDaAlteracaoLida = QString(); // never changed when this form read it
        QCOMPARE(orcamento->Alterar(), qint16(3));
        QCOMPARE(
            orcamento->DescricaoDaFalha,
            u"O orçamento 1 foi alterado por BETO em %1, depois que este formulário o leu. As "
            "alterações não foram gravadas: feche o formulário e abra o orçamento novamente."_s.arg(carimbo));
        QCOMPARE(orcamento->NumeroDoErro, 0L);
        // Nothing of the refused change was stored.
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), itensDaOutra);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE UsuarioDaInclusao = 'ANA'"), qint64(1));
        QCOMPARE(Numero("SELECT ValorLiquido FROM Orcamentos"), liquidoDaOutra);
        QCOMPARE(Consulta("SELECT UsuarioDaAlteracao FROM Orcamentos"), u"BETO"_s);
        QVERIFY(!OrcamentosInteiros().isEmpty());
    }

    void duas_estacoes_salvam_a_mesma_alteracao_no_mesmo_instante() {
        // Both read the quote, then both save at once: one wins, the other is refused
        // and nothing of it is stored, whoever comes first.
        for (int rodada = 1; rodada <= 4; ++rodada) {
            const double numero = NovoOrcamento();
            QVERIFY(numero > 0);
            const QString inicio = msessao->Pasta().filePath(u"inicio%1"_s.arg(rodada));
            std::unique_ptr<QProcess> estacoes[2];
            QByteArray saidas[2];
            const QString usuarios[2] = {u"CAIO"_s, u"DORA"_s};
            for (int e = 0; e < 2; ++e)
                estacoes[e] = msessao->Estacao({u"--usuario"_s, usuarios[e], u"--semente"_s,
                                                QString::number(10 * rodada + e), u"--inicio"_s, inicio,
                                                u"alterar"_s, QString::number(numero)});
            for (int e = 0; e < 2; ++e)
                QVERIFY2(EsperarLinha(*estacoes[e], saidas[e], "lido"),
                         estacoes[e]->readAllStandardError().constData());
            QFile(inicio).open(QIODevice::WriteOnly);
            int vencedora = -1;
            for (int e = 0; e < 2; ++e) {
                QVERIFY(estacoes[e]->waitForFinished(60000));
                QCOMPARE(estacoes[e]->exitCode(), 0);
                saidas[e] += estacoes[e]->readAllStandardOutput();
                if (saidas[e].contains("resultado 0\n")) vencedora = e;
            }
            QVERIFY2(vencedora >= 0, QByteArray(saidas[0] + saidas[1]).constData());
            const int perdedora = 1 - vencedora;
            QVERIFY2(saidas[perdedora].contains("resultado 3\n"), saidas[perdedora].constData());
            QVERIFY(
                saidas[perdedora].contains(QByteArray("foi alterado por " + usuarios[vencedora].toUtf8())));
            QCOMPARE(Banco::Valor(u"SELECT UsuarioDaAlteracao FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s,
                                  {numero}),
                     QVariant(usuarios[vencedora]));
            const char* itensDe = "SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? AND "
                                  "UsuarioDaInclusao = ?";
            QCOMPARE(Numero(itensDe, {numero, usuarios[perdedora]}), qint64(0));
            QVERIFY(Numero(itensDe, {numero, usuarios[vencedora]}) >= 1);
        }
        QVERIFY(!OrcamentosInteiros().isEmpty());
    }

    void banco_ocupado_por_outra_estacao_espera_e_tenta_de_novo() {
        // Short waits, so that the busy database is met within the test's time.
        Banco::DefinirPrazos({100, 5000});
        // Another workstation holds the write lock for a while, then lets go.
        std::atomic<int> estado = 0; // 1 holding, 2 released
        auto segurar = [this, &estado](int ms) {
            return std::thread([this, &estado, ms] {
                const QString nome = u"outra_estacao"_s;
                {
                    QSqlDatabase db = msessao->AbrirOutraConexao(nome);
                    QSqlQuery q(db);
                    if (msessao->EhSQLite()) {
                        q.exec(u"BEGIN IMMEDIATE"_s);
                    } else {
                        q.exec(u"BEGIN"_s);
                        q.exec(u"LOCK TABLE Orcamentos IN EXCLUSIVE MODE"_s);
                    }
                    q.exec(u"UPDATE Empresa SET NomeFantasia = 'Outra estação'"_s);
                    estado = 1;
                    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                    estado = 2;
                    q.exec(u"COMMIT"_s);
                }
                Sessao::FecharConexao(nome);
            });
        };
        auto esperarTrava = [&estado] {
            while (estado == 0)
                std::this_thread::yield();
        };

        // Held longer than one wait: the save fails busy a few times, is run again,
        // and is stored whole once the other workstation lets go.
        std::thread outra = segurar(800);
        esperarTrava();
        const double numero = NovoOrcamento();
        const bool soltouAntes = estado == 2;
        outra.join();
        QCOMPARE(numero, 1.0);
        QVERIFY(soltouAntes);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(1));
        QCOMPARE(Consulta("SELECT NomeFantasia FROM Empresa"), u"Outra estação"_s);

        // Held longer than the retries last: a clear message, not the driver's, and
        // nothing stored; the list can still be read meanwhile.
        Banco::DefinirPrazos({100, 600});
        estado = 0;
        outra = segurar(4000);
        esperarTrava();
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        const qint16 resultado = orcamento->Adicionar();
        const bool aindaSegurava = estado == 1;
        auto lista = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 10;
        const QVariant selecao = lista->Selecionar(1, tamanho, 0, QString(), 0, 0);
        outra.join();
        QCOMPARE(resultado, qint16(1));
        QVERIFY(aindaSegurava);
        QCOMPARE(orcamento->NumeroDoErro, Banco::NumeroDoErroDeBanco);
        QCOMPARE(orcamento->DescricaoDoErro,
                 u"O banco de dados está ocupado por outra estação de trabalho. Aguarde alguns "
                 "instantes e tente novamente."_s);
        QCOMPARE(orcamento->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcamentos, Adicionar"_s);
        QCOMPARE(selecao, QVariant(false));
        QCOMPARE(lista->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 1);
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos"), qint64(1));
        // Once the other workstation let go, the same save goes through.
        QCOMPARE(orcamento->Adicionar(), qint16(0));
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos"), qint64(2));
    }
};

QTEST_GUILESS_MAIN(TesteDaConcorrencia)
#include "tst_negocio_concorrencia.moc"
