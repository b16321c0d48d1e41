// The quotes' stages on a generated database (bench_gerar_dados): the schema version
// that marks the sent quotes, and each filter by stage as the list opens it (its count
// and its first page of 10, then its last page), median of N runs. Prints numbers; asserts nothing.
//
//   bench_etapas (--banco ARQUIVO.sqlite | --url postgresql://...) [--execucoes N]
//
// It gives a third of the quotes a send and a share of them an answer, set-based,
// and takes them all away at the end. It runs the schema versions from the stages' on
// again (11 to the newest, then the follow-up's counters alone), which rebuild their
// tables. A database that already holds stages (bench_acompanhamento --manter) has only
// its filters measured, and keeps its stages.

#include "bench/business/Respostas.h"
#include "business/Banco.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/Migracoes.h"
#include "business/Negocio.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace {

namespace F = ZELT_N_Orcamentos::FiltroDaLista;

double Milissegundos(const QElapsedTimer& relogio) {
    return relogio.nsecsElapsed() / 1e6;
}

// The sends of every third quote and, of those, answers: a ninth approved, a
// twenty-seventh refused, and every 21st quote approved and concluded.
// The schema versions from `desde` on run again over the sends just made, their tables
// dropped first (the follow-up's counters' triggers with them).
double MedirMigracao(int desde) {
    {
        QStringList remover = ContagemDeOrcamentos::RemoverGatilhosDoAcompanhamento();
        remover << QStringLiteral("DROP TABLE IF EXISTS ContagemDoAcompanhamento")
                << QStringLiteral("DROP TABLE IF EXISTS RespostasDoAcompanhamento");
        if (desde <= 13)
            remover << QStringLiteral("DROP TABLE IF EXISTS PagamentosDoOrcamento")
                    << QStringLiteral("DROP TABLE IF EXISTS AprovacoesDoOrcamento");
        if (desde <= 12) remover << QStringLiteral("DROP TABLE IF EXISTS ConfiguracoesDoOrcamento");
        if (desde <= 11)
            remover << QStringLiteral("DROP TABLE IF EXISTS EtapasDoOrcamento")
                    << QStringLiteral("DROP TABLE IF EXISTS ContagemDeEtapas")
                    << QStringLiteral("DROP INDEX IF EXISTS Orcamentos_Validade");
        remover << QStringLiteral("UPDATE VersaoDoEsquema SET Versao = %1").arg(desde - 1);
        Banco::UnidadeDeTrabalho unidade;
        Banco::ExecutarTodos(remover);
        unidade.Confirmar();
    }
    QElapsedTimer relogio;
    relogio.start();
    Migracoes::Migrar();
    return Milissegundos(relogio);
}

// The list opening a filter: the count and every field of the first page; then its
// last page (the list's End key), each a median of the runs.
std::pair<double, double> MedirFiltro(qint32 codigo, int execucoes, qint64& total) {
    QList<double> tempos, ultimas;
    const auto lerPagina = [](const RecordsetPtr& resultado) {
        for (int linha = 0; linha < 10 && !resultado->Eof(); ++linha, resultado->MoveNext())
            for (qint32 campo = 0; campo < resultado->FieldsCount(); ++campo)
                resultado->Fields(campo);
    };
    for (int i = 0; i < execucoes; ++i) {
        auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 10;
        QElapsedTimer relogio;
        relogio.start();
        if (orcamentos->Selecionar(1, tamanho, codigo, QString(), 0, 0).toBool()) {
            std::fprintf(stderr, "falhou: %s\n", qPrintable(orcamentos->DescricaoDoErro));
            return {-1, -1};
        }
        const RecordsetPtr resultado = orcamentos->ResultadoDaSelecaoEmRecordSet();
        total = resultado->RecordCount();
        lerPagina(resultado);
        tempos << Milissegundos(relogio);
        relogio.restart();
        if (resultado->PageCount() > 1) resultado->SetAbsolutePage(resultado->PageCount());
        lerPagina(resultado);
        ultimas << Milissegundos(relogio);
    }
    std::sort(tempos.begin(), tempos.end());
    std::sort(ultimas.begin(), ultimas.end());
    return {tempos.at(tempos.size() / 2), ultimas.at(ultimas.size() / 2)};
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
        {QStringLiteral("execucoes"), QStringLiteral("Runs."), QStringLiteral("n"), QStringLiteral("5")});
    parametros.process(aplicacao);
    Negocio::Configuracao configuracao;
    configuracao.ArquivoSQLite = parametros.value(QStringLiteral("banco"));
    configuracao.UrlPostgreSQL = parametros.value(QStringLiteral("url"));
    configuracao.CriarDadosDeDemonstracao = false;
    try {
        Negocio::Iniciar(configuracao);
        // A database whose stages are already there (bench_acompanhamento --manter) has
        // its filters measured as it is, and keeps its stages.
        const bool comEtapas =
            Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM EtapasDoOrcamento")).toLongLong() > 0;
        const qint64 quotes = Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM Orcamentos")).toLongLong();
        std::printf("orçamentos: %lld\n", quotes);
        if (!comEtapas) {
            Respostas::Enviar();
            std::printf("migração das versões 11 a %d: %.1f ms\n", Migracoes::VersaoMaisRecente(),
                        MedirMigracao(11));
            Respostas::Responder();
            std::printf("migração da versão 14 (contadores do acompanhamento) com as respostas: %.1f ms\n",
                        MedirMigracao(14));
        }
        const int execucoes = parametros.value(QStringLiteral("execucoes")).toInt();
        const struct {
            qint32 codigo;
            const char* nome;
        } filtros[] = {{F::AguardandoResposta, "Aguardando resposta"},
                       {F::VencemEmAte7Dias, "Vencem em até 7 dias"},
                       {F::Vencidos, "Vencidos"},
                       {F::Aprovados, "Aprovados"},
                       {F::Recusados, "Recusados"},
                       {F::Concluidos, "Concluídos"}};
        for (const auto& filtro : filtros) {
            qint64 total = 0;
            const auto [ms, ultima] = MedirFiltro(filtro.codigo, execucoes, total);
            std::printf("%-22s %10lld orçamentos  %8.2f ms (contagem e primeira página, mediana), "
                        "última página %8.2f ms\n",
                        filtro.nome, total, ms, ultima);
        }
        if (!comEtapas) Respostas::Limpar();
    } catch (const std::exception& erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    Negocio::Encerrar();
    return 0;
}
