// The follow-up window's data on a generated database (bench_gerar_dados): everything the
// window reads when it opens (its four sections, each its count and rows, and the
// figures of the last 30 days with the chart's twelve weeks), then the figures of 90
// days and of a month alone, median of N runs. Prints numbers; asserts nothing.
//
//   bench_acompanhamento (--banco ARQUIVO.sqlite | --url postgresql://...) [--execucoes N] [--manter]
//
// A generated database has no stages: it gives a third of the quotes a send (at their
// inclusion) and a share of those an answer, set-based, as bench_etapas does, and takes
// them all away at the end. A database that already holds stages is measured as it is.

#include "bench/business/Respostas.h"
#include "business/Banco.h"
#include "business/Negocio.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

namespace S = ZELT_N_Orcamentos::SecaoDoAcompanhamento;

// The median of N runs: wall-clock ms, and the process's own CPU ms (on SQLite all of the
// work; it does not wait for a core when the machine is shared, the wall clock does).
struct Tempo {
    double Ms, CpuMs;
};

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

Tempo Mediana(int execucoes, const std::function<void()>& medido) {
    QList<double> tempos, cpu;
    for (int i = 0; i < execucoes; ++i) {
        QElapsedTimer relogio;
        const double antes = CpuMs();
        relogio.start();
        medido();
        tempos << relogio.nsecsElapsed() / 1e6;
        cpu << CpuMs() - antes;
    }
    std::sort(tempos.begin(), tempos.end());
    std::sort(cpu.begin(), cpu.end());
    return {tempos.at(tempos.size() / 2), cpu.at(cpu.size() / 2)};
}

// A section as the window reads it: its count and every field of its rows.
void LerSecao(ZELT_N_Orcamentos::clsAcompanhamento& a, qint32 secao, qint32& total) {
    if (VB::CBool(a.SelecionarSecao(secao))) throw std::runtime_error(a.DescricaoDoErro.toStdString());
    total = a.TotalDaSecao;
    const RecordsetPtr rs = a.ResultadoDaSelecaoEmRecordSet();
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        for (qint32 c = 0; c < rs->FieldsCount(); ++c)
            rs->Fields(c);
}

void Numeros(ZELT_N_Orcamentos::clsAcompanhamento& a, qint32 dias, const QDate& mes) {
    if (a.CalcularNumeros(dias, mes, QString()) != 0)
        throw std::runtime_error(QString(a.DescricaoDoErro + a.DescricaoDaFalha).toStdString());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line as it is measured
    QCommandLineParser parametros;
    parametros.addOption(
        {QStringLiteral("banco"), QStringLiteral("SQLite file."), QStringLiteral("arquivo")});
    parametros.addOption({QStringLiteral("url"), QStringLiteral("PostgreSQL URL."), QStringLiteral("url")});
    parametros.addOption(
        {QStringLiteral("execucoes"), QStringLiteral("Runs."), QStringLiteral("n"), QStringLiteral("7")});
    parametros.addOption({QStringLiteral("manter"), QStringLiteral("Keeps the sends and answers it made.")});
    parametros.process(aplicacao);
    Negocio::Configuracao configuracao;
    configuracao.ArquivoSQLite = parametros.value(QStringLiteral("banco"));
    configuracao.UrlPostgreSQL = parametros.value(QStringLiteral("url"));
    configuracao.CriarDadosDeDemonstracao = false;
    try {
        QElapsedTimer inicio;
        inicio.start();
        Negocio::Iniciar(configuracao);
        std::printf("início (com a migração do esquema, quando há): %.1f ms\n", inicio.nsecsElapsed() / 1e6);
        const bool marcar =
            Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM EtapasDoOrcamento")).toLongLong() == 0;
        if (marcar) {
            Respostas::Enviar();
            Respostas::MarcarEnviados();
            std::printf("recontagem dos contadores do acompanhamento: %.1f ms\n", Respostas::Responder());
        }
        const int execucoes = parametros.value(QStringLiteral("execucoes")).toInt();
        std::printf("orçamentos: %lld\n",
                    Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM Orcamentos")).toLongLong());
        auto a = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsAcompanhamento>(ProgId::Acompanhamento);
        std::array<qint32, 4> totais{};
        Numeros(*a, 30, QDate()); // warm-up
        const Tempo abrir = Mediana(execucoes, [&] {
            for (qint32 s = S::VencemEmAte7Dias; s <= S::AprovadosNaoConcluidos; ++s)
                LerSecao(*a, s, totais[s - 1]);
            Numeros(*a, 30, QDate());
        });
        std::printf("janela aberta (4 seções + números de 30 dias): %8.2f ms, CPU %.2f ms (mediana de %d)\n",
                    abrir.Ms, abrir.CpuMs, execucoes);
        const char* nomes[] = {"vencem em até 7 dias", "enviados sem resposta 3+ dias",
                               "vencidos nos últimos 30", "aprovados não concluídos"};
        for (qint32 s = S::VencemEmAte7Dias; s <= S::AprovadosNaoConcluidos; ++s) {
            qint32 total = 0;
            const Tempo ms = Mediana(execucoes, [&] { LerSecao(*a, s, total); });
            std::printf("  seção %-30s %9d orçamentos %8.2f ms, CPU %.2f ms\n", nomes[s - 1], total, ms.Ms,
                        ms.CpuMs);
        }
        const QDate mesPassado = a->Numeros.Hoje.addMonths(-1);
        const struct {
            const char* nome;
            qint32 dias;
            QDate mes;
        } periodos[] = {{"30 dias", 30, {}}, {"90 dias", 90, {}}, {"do mês passado", 0, mesPassado}};
        for (const auto& p : periodos) {
            const Tempo ms = Mediana(execucoes, [&] { Numeros(*a, p.dias, p.mes); });
            std::printf("  números de %-16s %8.2f ms, CPU %.2f ms (feitos: %d)\n", p.nome, ms.Ms, ms.CpuMs,
                        a->Numeros.Feitos);
        }
        if (marcar && !parametros.isSet(QStringLiteral("manter"))) Respostas::Limpar();
    } catch (const std::exception& erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    Negocio::Encerrar();
    return 0;
}
