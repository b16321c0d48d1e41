// The quotes' history on a database made by bench_gerar_dados:
//
//   preparar            once per database: its size without history; the migration that
//                       records every quote it holds as a first entry (timed); --entradas
//                       versions in all for every quote (the later ones made as a counter
//                       makes them: the quote changed, then its entry written, timed);
//                       its size with history, and the ratio; then --excluidos quotes (the
//                       oldest) deleted through the history's own deletion entry (timed).
//   gravar_100_itens    clsOrcamentos.Adicionar of a 100-item quote, with its entry; and,
//                       measured in turns with it, the entry alone (the copy read back and
//                       written, Historico::Registrar, in a transaction undone): the save
//                       without history is the difference.
//   abrir_excluidos     the window of deleted quotes opened (selection, count, first page);
//   pagina_seguinte, ultima_pagina, pesquisa_por_nome: its commands.
//   historico           the history window of one quote (selection and rows).
//
//   bench_historico (--banco ARQUIVO.sqlite | --url postgresql://...) [--excluidos N]
//                   [--entradas N] [--execucoes N]
//
// It changes the database it measures (the history migrated again, quotes deleted): give
// it one of its own (bench_gerar_dados --escala 0.11 makes 110,000 quotes), never the one
// scripts/bench.sh shares between the benchmarks.

#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"

#include "andamento/frmHistoricoDoOrcamento.h"
#include "andamento/frmOrcamentosExcluidos.h"
#include "business/Banco.h"
#include "business/Historico.h"
#include "business/Negocio.h"
#include "business/Relogio.h"
#include "contracts/DadosDoUsuario.h"
#include "contracts/HistoricoDeOrcamentos.h"
#include "entry/clsAndamento.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"

#include <QApplication>
#include <QFileInfo>
#include <QToolButton>
#include <cstdio>

namespace {

const char* const Uso = "Uso: bench_historico (--banco ARQUIVO.sqlite | --url postgresql://...) "
                        "[--excluidos N] [--entradas N] [--execucoes N]";

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

// One version more of every quote, block by block: the stamp of a change (and, from the
// third version on, one more unit of its first item when that has no discount, with the
// quote's totals), then their entries, a block to a statement (each copy compacted as a
// save compacts it). The copies differ from the first version as a counter's changes
// make them differ.
void AcrescentarVersao(int versao) {
    constexpr int QuotesPorBloco = 2000;
    qint64 ultimo = 0;
    for (;;) {
        QList<qint64> numeros;
        QSqlQuery q =
            Banco::Executar(QStringLiteral("SELECT NumeroDoOrcamento FROM Orcamentos WHERE "
                                           "NumeroDoOrcamento > ? ORDER BY NumeroDoOrcamento LIMIT %1")
                                .arg(QuotesPorBloco),
                            {ultimo});
        while (q.next())
            numeros << q.value(0).toLongLong();
        if (numeros.isEmpty()) return;
        ultimo = numeros.constLast();
        const QVariantList faixa{numeros.constFirst(), ultimo};
        const QString quando = Banco::DataEHoraIso(Relogio::Agora());
        Banco::UnidadeDeTrabalho unidade;
        if (versao >= 3) {
            const QString primeiroItem =
                QStringLiteral("SELECT ValorUnitario FROM ItensDeOrcamento i WHERE i.NumeroDoOrcamento = "
                               "Orcamentos.NumeroDoOrcamento AND i.NumeroDoItemDoOrcamento = 1 AND "
                               "i.DescontoEmPercentual = 0 AND i.DescontoEmValor = 0");
            Banco::Executar(
                QStringLiteral("UPDATE Orcamentos SET ValorTotal = ValorTotal + COALESCE((%1), 0), "
                               "ValorLiquido = ValorLiquido + COALESCE((%1), 0) WHERE "
                               "NumeroDoOrcamento BETWEEN ? AND ?")
                    .arg(primeiroItem),
                faixa);
            Banco::Executar(
                QStringLiteral("UPDATE ItensDeOrcamento SET Quantidade = Quantidade + 1000, "
                               "ValorTotal = ValorTotal + ValorUnitario, DataEHoraDaAlteracao = ?, "
                               "UsuarioDaAlteracao = 'BENCH' WHERE NumeroDoOrcamento BETWEEN ? AND ? "
                               "AND NumeroDoItemDoOrcamento = 1 AND DescontoEmPercentual = 0 AND "
                               "DescontoEmValor = 0"),
                QVariantList{quando} + faixa);
        }
        Banco::Executar(QStringLiteral("UPDATE Orcamentos SET DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = "
                                       "'BENCH' WHERE NumeroDoOrcamento BETWEEN ? AND ?"),
                        QVariantList{quando} + faixa);
        Historico::RegistrarBloco(faixa.at(0).toLongLong(), ultimo,
                                  ZELT_N_Orcamentos::OperacaoDoHistorico::Alterado);
        unidade.Confirmar();
    }
}

// The space a database settles at: SQLite's file rewritten, PostgreSQL's tables
// rewritten without the rows the migration and the versions left behind (which a
// clinic's server reuses for the next rows rather than giving back).
void Compactar(const Medicao::Opcoes& opcoes) {
    Banco::Executar(opcoes.EhPostgreSQL() ? QStringLiteral("VACUUM FULL ANALYZE") : QStringLiteral("VACUUM"));
}

// The database as the version before the history: the migration then runs as it does
// on a clinic's database at its first start with this build.
void Preparar(const Medicao::Opcoes& opcoes, qint64 excluidos, int entradas) {
    if (Contar(QStringLiteral("SELECT COUNT(*) FROM HistoricoDeOrcamentos")) == 0) {
        for (const char* sql : {"DROP TABLE OrcamentosExcluidos", "DROP TABLE HistoricoDeOrcamentos",
                                "UPDATE VersaoDoEsquema SET Versao = 3"})
            Banco::Executar(QString::fromLatin1(sql));
        if (!opcoes.EhPostgreSQL()) Banco::Executar(QStringLiteral("DROP TABLE OrcamentosExcluidosPesquisa"));
        Compactar(opcoes);
        const double sem = TamanhoMb(opcoes);
        const double ms = Medicao::Cronometrar([&] { Medicao::AbrirBanco(opcoes); });
        const double versoes = Medicao::Cronometrar([&] {
            for (int versao = 2; versao <= entradas; ++versao)
                AcrescentarVersao(versao);
        });
        Compactar(opcoes);
        const double com = TamanhoMb(opcoes);
        const qint64 orcamentos = Contar(QStringLiteral("SELECT COUNT(*) FROM Orcamentos"));
        std::printf(
            "TAMANHO\t%s\torcamentos=%lld\tentradas=%lld\tsem_historico_mb=%.1f\tcom_historico_mb=%.1f\t"
            "razao=%.2f\tmigracao_s=%.1f\tversoes_s=%.1f\n",
            qPrintable(opcoes.NomeDoBanco()), static_cast<long long>(orcamentos),
            static_cast<long long>(Contar(QStringLiteral("SELECT COUNT(*) FROM HistoricoDeOrcamentos"))), sem,
            com, com / sem, ms / 1000, versoes / 1000);
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
    Medicao::Resultado r(QStringLiteral("historico"), QStringLiteral("gravar_100_itens"));
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
        Medicao::Resultado r(QStringLiteral("historico"), QString::fromLatin1(caso));
        r.Tempos = std::move(tempos);
        r.Linhas = linhas;
        r.Nota = QStringLiteral("%1 orçamentos excluídos").arg(excluidos);
        Medicao::Publicar(opcoes, r);
    };
    // The windows are measured as they fill, not while a person looks at them.
    Plataforma::SubstituirExibicaoModal([](QWidget*) {});
    clsAndamento andamento;
    andamento.DadosDoUsuario(&usuario);
    andamento.NomeDaAplicacao(QStringLiteral("bench"));
    const auto linhas = [](const QWidget& janela) {
        return Controle<MSFlexGrid>(janela, "msfgGrade")->Rows() - 1;
    };
    const auto pagina = [](const QWidget& janela, int botao) {
        Controle<XRNavigationBar>(janela, "xrnbBarraDeNavegacao")->Botao(botao)->click();
    };
    std::unique_ptr<frmOrcamentosExcluidos> janela;
    std::vector<double> abrir, seguinte, ultima, pesquisa;
    Medicao::Intercalar(
        opcoes.Execucoes,
        {{[&] {
              janela = std::make_unique<frmOrcamentosExcluidos>();
              janela->MontarExibirFormulario();
          },
          {},
          &abrir},
         {[&] { pagina(*janela, 3); }, {}, &seguinte},
         {[&] { pagina(*janela, 4); }, {}, &ultima},
         {[&] { Controle<XRFind>(*janela, "xrfndPesquisar")->Pesquisar(); },
          [&] { Controle<XRFind>(*janela, "xrfndPesquisar")->setText(QStringLiteral("silva")); },
          &pesquisa}});
    const qint64 achados = linhas(*janela);
    publicar("abrir_excluidos", abrir, frmOrcamentosExcluidos::TamanhoDaPagina);
    publicar("pagina_seguinte", seguinte, frmOrcamentosExcluidos::TamanhoDaPagina);
    publicar("ultima_pagina", ultima, frmOrcamentosExcluidos::TamanhoDaPagina);
    publicar("pesquisa_por_nome", pesquisa, achados);

    // A quote with a few versions: the one with most entries.
    const qint64 numero =
        Contar(QStringLiteral("SELECT NumeroDoOrcamento FROM HistoricoDeOrcamentos GROUP BY "
                              "NumeroDoOrcamento ORDER BY COUNT(*) DESC LIMIT 1"));
    std::vector<double> historico;
    qint64 versoes = 0;
    Medicao::Intercalar(opcoes.Execucoes, {{[&] {
                                                frmHistoricoDoOrcamento h;
                                                h.MontarExibirFormulario(static_cast<double>(numero));
                                                versoes = linhas(h);
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
    const auto opcao = [&](const char* nome, qint64 padrao) {
        const qsizetype i = argumentos.indexOf(QString::fromLatin1(nome));
        if (i < 0 || i + 1 >= argumentos.size()) return padrao;
        const qint64 valor = argumentos.at(i + 1).toLongLong();
        argumentos.remove(i, 2);
        return valor;
    };
    const qint64 excluidos = opcao("--excluidos", 100000);
    const int entradas = static_cast<int>(opcao("--entradas", 1));
    const Medicao::Opcoes opcoes = Medicao::LerOpcoes(argumentos, Uso);
    Medicao::AbrirBanco(opcoes);
    // Every message box would stop a benchmark: it fails instead.
    Plataforma::SubstituirMsgBox([](const QString& texto, int, const QString&) -> int {
        Medicao::Falhar(QStringLiteral("Mensagem exibida: ") + texto);
    });
    Preparar(opcoes, excluidos, entradas);
    GravarCemItens(opcoes);
    Janelas(opcoes);
    Negocio::Encerrar();
    return 0;
}
