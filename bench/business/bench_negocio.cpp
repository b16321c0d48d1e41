// The business layer's lookups and writes on a generated database, each timed as the
// record form uses them, next to its floor (the same SQL run straight on the same
// connection) and, for the text lookups, a plain LIKE '%...%' scan of the same data.
//
//   bench_negocio (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases: clientes_apelido, produtos_codigo_de_barras, produtos_nome, servicos_tipo_nome,
// gravar_orcamento_20_itens, excluir_item, caminhada_todas (all of them when --caso is
// not given). caminhada_todas walks "Todas as situações" as the printed list walks it
// (every field of every row, forward): its first tenth, then, after a jump, its last
// tenth; the note gives both rates, which differ when a block's cost depends on its
// position.
// The writes leave the database as they found it: every quote they add is removed
// at the end.

#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"
#include "bench/business/Rastro.h"
#include "bench/business/Referencia.h"

#include "business/Banco.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_negocio (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: clientes_apelido, produtos_codigo_de_barras, produtos_nome, servicos_tipo_nome,\n"
    "       gravar_orcamento_20_itens, excluir_item, caminhada_todas";

QVariant Valor(const QString& sql) {
    const QVariant valor = Banco::Valor(sql);
    if (!valor.isValid())
        Falhar(QStringLiteral("O banco de dados não tem o que o benchmark procura: ") + sql);
    return valor;
}

// Reads what the record form reads of a lookup: the count, then every field of the
// first page of rows.
qint64 LerPrimeiraPagina(ObjetoDeNegocio& objeto, const QVariant& resposta) {
    if (resposta.toBool())
        Falhar(QStringLiteral("A seleção falhou: %1 (%2)").arg(objeto.DescricaoDoErro, objeto.LocalDoErro));
    const RecordsetPtr resultado = objeto.ResultadoDaSelecaoEmRecordSet();
    const qint64 total = resultado->RecordCount();
    resultado->MoveFirst();
    for (int linha = 0; linha < 10 && !resultado->Eof(); ++linha, resultado->MoveNext())
        for (qint32 campo = 0; campo < resultado->FieldsCount(); ++campo)
            resultado->Fields(campo);
    return total;
}

// A lookup case: the business call, its floor and, for a text, the plain LIKE scan.
Medicao::Resultado MedirConsulta(const Medicao::Opcoes& o, const QString& caso,
                                 const std::function<qint64()>& consulta, const QList<Medicao::Comando>& piso,
                                 const QList<Medicao::Comando>& like = {}) {
    Medicao::Resultado r{QStringLiteral("negocio"), caso};
    Rastro::MedirComPiso(
        r, o.Execucoes, [&] { r.Linhas = consulta(); }, {}, piso, like);
    return r;
}

// ---- Lookups ---------------------------------------------------------------------------------

// A fragment of a nickname, as typed at the counter: the middle of the nickname of a
// client in the middle of the registry, accents kept ("atheus Olivei").
Medicao::Resultado ClientesPorApelido(const Medicao::Opcoes& o) {
    const qint64 clientes = Valor(QStringLiteral("SELECT MAX(CodigoDoCliente) FROM Clientes")).toLongLong();
    const QString apelido =
        Valor(QStringLiteral("SELECT ApelidoOuNomeFantasia FROM Clientes WHERE CodigoDoCliente = %1")
                  .arg(clientes * 37 / 100))
            .toString();
    const QString texto = apelido.mid(1, apelido.size() - 3);
    std::fprintf(stderr, "clientes_apelido: \"%s\"\n", qPrintable(texto));
    return MedirConsulta(
        o, QStringLiteral("clientes_apelido"),
        [&] {
            auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
            double codigo = 0;
            return LerPrimeiraPagina(*clientes,
                                     clientes->Selecionar(2, 0, 0, QString(), texto, codigo, QString(),
                                                          QString(), QString(), 0, QString()));
        },
        Referencia::ClientesPorApelidoOuNome(texto), Referencia::ClientesComLikeSimples(texto));
}

QVariant SelecionarProduto(ZELT_N_Produtos::clsProdutos& produtos, QString nome, QString codigoDeBarras) {
    double codigoInterno = 0;
    return produtos.Selecionar(2, 0, 1, QString(), nome, codigoDeBarras, codigoInterno);
}

Medicao::Resultado ProdutosPorCodigoDeBarras(const Medicao::Opcoes& o) {
    const QString codigo =
        Valor(QStringLiteral(
                  "SELECT CodigoDeBarras FROM Produtos WHERE Situacao = 1 AND CodigoDeBarras IS NOT NULL "
                  "AND CodigoInterno >= (SELECT MAX(CodigoInterno) / 2 FROM Produtos) ORDER BY "
                  "CodigoInterno LIMIT 1"))
            .toString();
    return MedirConsulta(
        o, QStringLiteral("produtos_codigo_de_barras"),
        [&] {
            auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
            return LerPrimeiraPagina(*produtos, SelecionarProduto(*produtos, QString(), codigo));
        },
        Referencia::ProdutosPorCodigoDeBarras(codigo));
}

// The brand and the start of the kind of a product ("Quatree Gato").
Medicao::Resultado ProdutosPorNome(const Medicao::Opcoes& o) {
    const QStringList palavras =
        Valor(QStringLiteral(
                  "SELECT Nome FROM Produtos WHERE CodigoInterno = (SELECT MAX(CodigoInterno) / 3 FROM "
                  "Produtos)"))
            .toString()
            .split(u' ');
    const QString texto = palavras.value(1) + u' ' + palavras.value(2).left(4);
    std::fprintf(stderr, "produtos_nome: \"%s\"\n", qPrintable(texto));
    return MedirConsulta(
        o, QStringLiteral("produtos_nome"),
        [&] {
            auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
            return LerPrimeiraPagina(*produtos, SelecionarProduto(*produtos, texto, QString()));
        },
        Referencia::ProdutosPorNome(texto), Referencia::ProdutosComLikeSimples(texto));
}

Medicao::Resultado ServicosPorTipoENome(const Medicao::Opcoes& o) {
    const qint32 tipo = 5;
    const QString texto = QStringLiteral("banho médio");
    return MedirConsulta(
        o, QStringLiteral("servicos_tipo_nome"),
        [&] {
            auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
            qint16 tipoDoServico = tipo;
            QString nome = texto;
            double codigo = 0;
            return LerPrimeiraPagina(*servicos,
                                     servicos->Selecionar(2, 0, 1, QString(), tipoDoServico, nome, codigo));
        },
        Referencia::ServicosPorTipoENome(tipo, texto), Referencia::ServicosComLikeSimples(tipo, texto));
}

// ---- Writes ----------------------------------------------------------------------------------

// A quote of 20 items: 10 services and 10 products.
Amostra::Orcamento MontarOrcamento() {
    return Amostra::Montar(10, 10);
}

Medicao::Resultado GravarOrcamento(const Medicao::Opcoes& o) {
    const Amostra::Orcamento q = MontarOrcamento();
    QList<qint64> criados;
    Medicao::Resultado r{QStringLiteral("negocio"), QStringLiteral("gravar_orcamento_20_itens")};
    const QList<Medicao::Comando> piso = Referencia::GravarOrcamento(q.Gravado);
    r.Nota = Rastro::ConferirPiso([&] { criados << Amostra::Gravar(q); }, piso, Rastro::Conferencia::Texto);
    Medicao::Intercalar(o.Execucoes,
                        {{[&] { criados << Amostra::Gravar(q); }, {}, &r.Tempos},
                         {[&] { criados << Medicao::ExecutarDireto(piso).UltimaChave; }, {}, &r.Piso}});
    r.Linhas = q.Gravado.Itens.size();
    Amostra::Remover(criados);
    return r;
}

Medicao::Resultado ExcluirItem(const Medicao::Opcoes& o) {
    const Amostra::Orcamento q = MontarOrcamento();
    QList<qint64> criados;
    qint64 atual = 0;
    const auto novoPeloNegocio = [&] { criados << (atual = Amostra::Gravar(q)); };
    const auto excluir = [&] {
        auto itens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
        itens->ValorTotalDoOrcamento = VB::Currency::DeDecimosDeMilesimos(q.TotalSemOUltimo);
        itens->ValorLiquidoDoOrcamento = VB::Currency::DeDecimosDeMilesimos(q.LiquidoSemOUltimo);
        itens->DadosDoUsuario = Amostra::Usuario();
        double numero = double(atual);
        double item = 20;
        if (itens->Excluir(numero, item).toBool())
            Falhar(QStringLiteral("Excluir falhou: %1").arg(itens->DescricaoDoErro));
    };
    const qint64 desconto = q.TotalSemOUltimo - q.LiquidoSemOUltimo;
    const auto pisoDe = [&](qint64 numero) {
        return Referencia::ExcluirItem(numero, 20, q.TotalSemOUltimo, desconto,
                                       (desconto * 1000000 / q.TotalSemOUltimo + 50) / 100 * 100,
                                       q.LiquidoSemOUltimo, QStringLiteral("BENCH"));
    };
    Medicao::Resultado r{QStringLiteral("negocio"), QStringLiteral("excluir_item")};
    novoPeloNegocio();
    r.Nota = Rastro::ConferirPiso(excluir, pisoDe(atual), Rastro::Conferencia::Texto);
    const QList<Medicao::Comando> gravacaoDoPiso = Referencia::GravarOrcamento(q.Gravado);
    Medicao::Intercalar(
        o.Execucoes,
        {{excluir, novoPeloNegocio, &r.Tempos},
         {[&] { Medicao::ExecutarDireto(pisoDe(atual)); },
          [&] { criados << (atual = Medicao::ExecutarDireto(gravacaoDoPiso).UltimaChave); }, &r.Piso}});
    Amostra::Remover(criados);
    return r;
}

// Walks quantas rows forward from the current one reading every field: the clock's
// and the processor's milliseconds (on a shared machine the first can be several times
// the second; the processor time leaves out the PostgreSQL server's).
struct Tempo {
    double Relogio, Processador;
};
Tempo Caminhar(Recordset& rs, qint32 quantas) {
    QElapsedTimer relogio;
    relogio.start();
    const std::clock_t cpu = std::clock();
    for (qint32 i = 0; i < quantas && !rs.Eof(); ++i, rs.MoveNext())
        for (qint32 campo = 0; campo < rs.FieldsCount(); ++campo)
            rs.Fields(campo);
    return {relogio.nsecsElapsed() / 1e6, (std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC};
}

Medicao::Resultado CaminhadaTodas(const Medicao::Opcoes& o) {
    Medicao::Resultado r{QStringLiteral("negocio"), QStringLiteral("caminhada_todas")};
    std::vector<double> inicio, fim, cpuInicio, cpuFim;
    qint32 decimo = 0;
    for (int execucao = 0; execucao <= o.Execucoes; ++execucao) {
        auto lista = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 13; // the list's page: blocks of 195 rows, as the printed list reads them
        if (lista->Selecionar(1, tamanho, 0, QString(), 0, 0).toBool())
            Falhar(QStringLiteral("A seleção falhou: %1").arg(lista->DescricaoDoErro));
        const RecordsetPtr todas = lista->ResultadoDaSelecaoEmRecordSet();
        decimo = todas->RecordCount() / 10;
        todas->MoveFirst();
        const Tempo primeiro = Caminhar(*todas, decimo);
        todas->MoverPara(todas->RecordCount() - decimo);
        const Tempo ultimo = Caminhar(*todas, decimo);
        if (execucao == 0) continue; // warm-up
        inicio.push_back(primeiro.Relogio);
        fim.push_back(ultimo.Relogio);
        cpuInicio.push_back(primeiro.Processador);
        cpuFim.push_back(ultimo.Processador);
        r.Tempos.push_back(primeiro.Relogio + ultimo.Relogio);
    }
    r.Linhas = 2 * qint64(decimo);
    const auto taxa = [&](const std::vector<double>& ms) { return decimo / (Medicao::Mediana(ms) / 1000.0); };
    r.Nota =
        QStringLiteral("primeiro décimo (%1 linhas) %2 ms, %3 linhas/s (%4 por segundo de processador); "
                       "último décimo %5 ms, %6 linhas/s (%7 por segundo de processador); fim/início %8 %")
            .arg(decimo)
            .arg(Medicao::Mediana(inicio), 0, 'f', 1)
            .arg(taxa(inicio), 0, 'f', 0)
            .arg(taxa(cpuInicio), 0, 'f', 0)
            .arg(Medicao::Mediana(fim), 0, 'f', 1)
            .arg(taxa(fim), 0, 'f', 0)
            .arg(taxa(cpuFim), 0, 'f', 0)
            .arg(100.0 * taxa(fim) / taxa(inicio), 0, 'f', 0);
    if (taxa(fim) < 0.9 * taxa(inicio)) r.Nota += QStringLiteral(" (meta de 90 % NÃO ATINGIDA)");
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    return Medicao::Executar({.Uso = Uso,
                              .Casos = {
                                  {QStringLiteral("clientes_apelido"), ClientesPorApelido},
                                  {QStringLiteral("produtos_codigo_de_barras"), ProdutosPorCodigoDeBarras},
                                  {QStringLiteral("produtos_nome"), ProdutosPorNome},
                                  {QStringLiteral("servicos_tipo_nome"), ServicosPorTipoENome},
                                  {QStringLiteral("gravar_orcamento_20_itens"), GravarOrcamento},
                                  {QStringLiteral("excluir_item"), ExcluirItem},
                                  {QStringLiteral("caminhada_todas"), CaminhadaTodas},
                              }});
}
