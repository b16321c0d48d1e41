// The quotes' history on a database made by bench_gerar_dados:
//
//   preparar            once per database: its size without history; the migration that
//                       records every quote it holds as a first entry (timed); its size
//                       with history, and the ratio; then --excluidos quotes (the oldest)
//                       deleted through the history's own deletion entry (timed).
//   gravar_100_itens    clsOrcamentos.Adicionar of a 100-item quote, with its entry; and,
//                       measured in turns with it, the entry alone (the copy read back and
//                       written, Historico::Registrar, in a transaction undone): the save
//                       without history is the difference.
//   abrir_excluidos     the window of deleted quotes opened (selection, count, first page);
//   pagina_seguinte, ultima_pagina, pesquisa_por_nome: its commands.
//   historico           the history window of one quote (selection and rows).
//
//   bench_historico (--banco ARQUIVO.sqlite | --url postgresql://...) [--excluidos N]
//                   [--execucoes N]
//
// It changes the database it measures (the history migrated again, quotes deleted): give
// it one of its own (bench_gerar_dados --escala 0.11 makes 110,000 quotes), never the one
// scripts/bench.sh shares between the benchmarks.

#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"

#include "business/Banco.h"
#include "business/Historico.h"
#include "business/Negocio.h"
#include "contracts/DadosDoUsuario.h"
#include "contracts/HistoricoDeOrcamentos.h"
#include "host/JanelasDoHistorico.h"
#include "platform/Plataforma.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cstdio>

namespace {

using Medicao::Resultado;

const char* const Uso = "Uso: bench_historico (--banco ARQUIVO.sqlite | --url postgresql://...) "
                        "[--excluidos N] [--execucoes N]";

qint64 Contar(const QString& sql) {
    return Banco::Valor(sql).toLongLong();
}

// The database's size on disk: SQLite's pages in use, PostgreSQL's database.
double TamanhoMb(const Medicao::Opcoes& opcoes) {
    if (opcoes.EhPostgreSQL())
        return Contar(QStringLiteral("SELECT pg_database_size(current_database())")) / 1048576.0;
    Banco::Executar(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return (Contar(QStringLiteral("PRAGMA page_count")) - Contar(QStringLiteral("PRAGMA freelist_count"))) *
           Contar(QStringLiteral("PRAGMA page_size")) / 1048576.0;
}

void Informar(const QString& texto) {
    std::fprintf(stderr, "%s\n", qPrintable(texto));
}

// The database as the version before the history: the migration then runs as it does
// on a clinic's database at its first start with this build.
void Preparar(const Medicao::Opcoes& opcoes, qint64 excluidos) {
    if (Contar(QStringLiteral("SELECT COUNT(*) FROM HistoricoDeOrcamentos")) == 0) {
        for (const char* sql : {"DROP TABLE OrcamentosExcluidos", "DROP TABLE HistoricoDeOrcamentos",
                                "UPDATE VersaoDoEsquema SET Versao = 3"})
            Banco::Executar(QString::fromLatin1(sql));
        if (!opcoes.EhPostgreSQL()) {
            Banco::Executar(QStringLiteral("DROP TABLE OrcamentosExcluidosPesquisa"));
            Banco::Executar(QStringLiteral("VACUUM"));
        } else {
            Banco::Executar(QStringLiteral("VACUUM ANALYZE"));
        }
        const double sem = TamanhoMb(opcoes);
        const double ms = Medicao::Cronometrar([&] { Medicao::AbrirBanco(opcoes); });
        if (!opcoes.EhPostgreSQL()) Banco::Executar(QStringLiteral("VACUUM"));
        const double com = TamanhoMb(opcoes);
        const qint64 orcamentos = Contar(QStringLiteral("SELECT COUNT(*) FROM Orcamentos"));
        std::printf("TAMANHO\t%s\torcamentos=%lld\tsem_historico_mb=%.1f\tcom_historico_mb=%.1f\trazao=%.2f\t"
                    "migracao_s=%.1f\n",
                    qPrintable(opcoes.NomeDoBanco()), static_cast<long long>(orcamentos), sem, com, com / sem,
                    ms / 1000);
        std::fflush(stdout);
    }
    qint64 faltam = excluidos - Contar(QStringLiteral("SELECT COUNT(*) FROM OrcamentosExcluidos"));
    if (faltam <= 0) return;
    const double ms = Medicao::Cronometrar([&] {
        while (faltam > 0) {
            QList<qint64> numeros;
            QSqlQuery q = Banco::Executar(QStringLiteral("SELECT NumeroDoOrcamento FROM Orcamentos ORDER BY "
                                                         "NumeroDoOrcamento LIMIT %1")
                                              .arg(std::min<qint64>(faltam, 2000)));
            while (q.next())
                numeros << q.value(0).toLongLong();
            if (numeros.isEmpty()) Medicao::Falhar(QStringLiteral("Não há orçamentos para excluir."));
            Banco::UnidadeDeTrabalho unidade;
            for (const qint64 numero : numeros) {
                Historico::RegistrarExclusao(numero, QStringLiteral("BENCH"));
                Banco::Executar(QStringLiteral("DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
                                {numero});
                Banco::Executar(QStringLiteral("DELETE FROM Orcamentos WHERE NumeroDoOrcamento = ?"),
                                {numero});
            }
            unidade.Confirmar();
            faltam -= numeros.size();
        }
    });
    Informar(QStringLiteral("%1 orçamentos excluídos em %2 s").arg(excluidos).arg(ms / 1000, 0, 'f', 1));
}

void GravarCemItens(const Medicao::Opcoes& opcoes) {
    const Amostra::Orcamento orcamento = Amostra::Montar(60, 40);
    QList<qint64> gravados;
    qint64 ultimo = 0;
    Resultado r(QStringLiteral("historico"), QStringLiteral("gravar_100_itens"));
    std::vector<double> entrada;
    Medicao::Intercalar(opcoes.Execucoes,
                        {{[&] { gravados << (ultimo = Amostra::Gravar(orcamento)); }, {}, &r.Tempos},
                         {[&] {
                              Banco::UnidadeDeTrabalho desfeita; // never confirmed
                              Historico::Registrar(ultimo, QStringLiteral("alterado"),
                                                   QStringLiteral("BENCH"));
                          },
                          {},
                          &entrada}});
    Amostra::Remover(gravados);
    r.Piso = entrada;
    r.Linhas = 100;
    r.Nota = QStringLiteral("piso = só a entrada do histórico (%1 ms); sem histórico ≈ %2 ms")
                 .arg(Medicao::Mediana(entrada), 0, 'f', 2)
                 .arg(Medicao::Mediana(r.Tempos) - Medicao::Mediana(entrada), 0, 'f', 2);
    Medicao::Publicar(opcoes, r);
}

template <class T> T* Controle(const QWidget& janela, const char* nome) {
    return janela.findChild<T*>(QString::fromLatin1(nome));
}

void Janelas(const Medicao::Opcoes& opcoes) {
    clsDadosDoUsuario usuario;
    usuario.NomeDoUsuario = QStringLiteral("BENCH");
    usuario.Administrador = true;
    const qint64 excluidos = Contar(QStringLiteral("SELECT COUNT(*) FROM OrcamentosExcluidos"));
    const auto publicar = [&](const char* caso, std::vector<double> tempos, qint64 linhas) {
        Resultado r(QStringLiteral("historico"), QString::fromLatin1(caso));
        r.Tempos = std::move(tempos);
        r.Linhas = linhas;
        r.Nota = QStringLiteral("%1 orçamentos excluídos").arg(excluidos);
        Medicao::Publicar(opcoes, r);
    };
    std::unique_ptr<JanelaDosExcluidos> janela;
    std::vector<double> abrir, seguinte, ultima, pesquisa;
    Medicao::Intercalar(
        opcoes.Execucoes,
        {{[&] { janela = std::make_unique<JanelaDosExcluidos>(&usuario, QStringLiteral("bench")); },
          {},
          &abrir},
         {[&] { Controle<QPushButton>(*janela, "cmdProximaPagina")->click(); }, {}, &seguinte},
         {[&] { Controle<QPushButton>(*janela, "cmdUltimaPagina")->click(); }, {}, &ultima},
         {[&] { Controle<QPushButton>(*janela, "cmdPesquisar")->click(); },
          [&] { Controle<QLineEdit>(*janela, "txtPesquisa")->setText(QStringLiteral("silva")); },
          &pesquisa}});
    const qint64 achados = Controle<QTableWidget>(*janela, "grdExcluidos")->rowCount();
    publicar("abrir_excluidos", abrir, JanelaDosExcluidos::TamanhoDaPagina);
    publicar("pagina_seguinte", seguinte, JanelaDosExcluidos::TamanhoDaPagina);
    publicar("ultima_pagina", ultima, JanelaDosExcluidos::TamanhoDaPagina);
    publicar("pesquisa_por_nome", pesquisa, achados);

    // A quote with a few versions: the one with most entries.
    const qint64 numero =
        Contar(QStringLiteral("SELECT NumeroDoOrcamento FROM HistoricoDeOrcamentos GROUP BY "
                              "NumeroDoOrcamento ORDER BY COUNT(*) DESC LIMIT 1"));
    std::vector<double> historico;
    qint64 versoes = 0;
    Medicao::Intercalar(opcoes.Execucoes, {{[&] {
                                                JanelaDoHistorico h(&usuario, QStringLiteral("bench"),
                                                                    static_cast<double>(numero));
                                                versoes =
                                                    Controle<QTableWidget>(h, "grdHistorico")->rowCount();
                                            },
                                            {},
                                            &historico}});
    publicar("historico", historico, versoes);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    QStringList argumentos = aplicacao.arguments();
    qint64 excluidos = 100000;
    if (const qsizetype i = argumentos.indexOf(QStringLiteral("--excluidos"));
        i >= 0 && i + 1 < argumentos.size()) {
        excluidos = argumentos.at(i + 1).toLongLong();
        argumentos.remove(i, 2);
    }
    const Medicao::Opcoes opcoes = Medicao::LerOpcoes(argumentos, Uso);
    Medicao::AbrirBanco(opcoes);
    // Every message box would stop a benchmark: it fails instead.
    Plataforma::SubstituirMsgBox([](const QString& texto, int, const QString&) -> int {
        Medicao::Falhar(QStringLiteral("Mensagem exibida: ") + texto);
    });
    Preparar(opcoes, excluidos);
    GravarCemItens(opcoes);
    Janelas(opcoes);
    Negocio::Encerrar();
    return 0;
}
