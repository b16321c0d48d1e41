// Renewing the validity of a 100-item quote on a generated database (bench_gerar_dados),
// through ZELT_N_Orcamentos.clsRenovacaoDeValidade:
//
//   previa_100_itens   the renewal window's reading: every item at today's prices
//                      (SelecionarItensAPrecosDeHoje), with the new totals;
//   renovar_100_itens  the renewal with every item re-priced: before each run (untimed)
//                      the registry's price of each of its services and products moves by
//                      1,00 and the window's reading takes the quote's stamp;
//   manter_precos      the renewal of the date alone.
//
// The sample quote (Amostra: 30 services, 70 products) is stored first and removed at
// the end, and the registry's prices are written back as they were.
//
//   bench_renovacao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]

#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"

#include "business/Banco.h"
#include "business/Relogio.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"

#include <QCoreApplication>
#include <QSqlQuery>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_renovacao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: previa_100_itens, renovar_100_itens, manter_precos";

qint64 mnumero = 0;

std::unique_ptr<ZELT_N_Orcamentos::clsRenovacaoDeValidade> Renovacao() {
    auto renovacao =
        Zelt::CriarObjeto<ZELT_N_Orcamentos::clsRenovacaoDeValidade>(ProgId::RenovacaoDeValidade);
    renovacao->DadosDoUsuario = Amostra::Usuario();
    return renovacao;
}

// The window's reading; fails the benchmark when it fails.
void Ler(ZELT_N_Orcamentos::clsRenovacaoDeValidade& renovacao) {
    if (VB::CBool(renovacao.SelecionarItensAPrecosDeHoje(static_cast<double>(mnumero))) ||
        renovacao.ResultadoDaSelecaoEmRecordSet()->RecordCount() != 100)
        Falhar(QStringLiteral("A leitura dos itens falhou: ") + renovacao.DescricaoDoErro);
}

// The registry's price of every service and product of the quote moved by one real, up
// on one run and down on the next.
void MoverPrecos() {
    static bool subir = true;
    const qint64 passo = subir ? 10000 : -10000;
    subir = !subir;
    Banco::UnidadeDeTrabalho unidade;
    Banco::Executar(
        QStringLiteral("UPDATE Servicos SET ValorDeVenda = ValorDeVenda + ? WHERE Codigo IN "
                       "(SELECT CodigoDoServico FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?)"),
        {passo, mnumero});
    Banco::Executar(
        QStringLiteral("UPDATE Produtos SET ValorDeVenda = ValorDeVenda + ? WHERE CodigoInterno IN "
                       "(SELECT CodigoInternoDoProduto FROM ItensDeOrcamento WHERE "
                       "NumeroDoOrcamento = ?)"),
        {passo, mnumero});
    unidade.Confirmar();
}

Medicao::Resultado Renovar(const Medicao::Opcoes& opcoes, const QString& caso, bool reprecificar) {
    auto renovacao = Renovacao();
    const QString validade = Relogio::Hoje().addDays(30).toString(QStringLiteral("dd/MM/yyyy"));
    Medicao::Resultado r(QStringLiteral("renovacao"), caso);
    r.Tempos = Medicao::Repetir(
        opcoes.Execucoes,
        [&] {
            if (renovacao->RenovarValidade(static_cast<double>(mnumero), validade, reprecificar) != 0)
                Falhar(QStringLiteral("A renovação falhou: ") + renovacao->DescricaoDaFalha +
                       renovacao->DescricaoDoErro);
        },
        [&] {
            if (reprecificar) MoverPrecos();
            Ler(*renovacao);
        });
    r.Linhas = 100;
    r.Nota = reprecificar ? QStringLiteral("100 itens, todos com preço novo") : QStringLiteral("só a data");
    return r;
}

Medicao::Resultado Previa(const Medicao::Opcoes& opcoes) {
    auto renovacao = Renovacao();
    Medicao::Resultado r(QStringLiteral("renovacao"), QStringLiteral("previa_100_itens"));
    r.Tempos = Medicao::Repetir(opcoes.Execucoes, [&] { Ler(*renovacao); });
    r.Linhas = 100;
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication aplicacao(argc, argv);
    Medicao::Programa programa;
    programa.Uso = Uso;
    programa.Casos = {
        {QStringLiteral("previa_100_itens"), Previa},
        {QStringLiteral("renovar_100_itens"),
         [](const Medicao::Opcoes& o) { return Renovar(o, QStringLiteral("renovar_100_itens"), true); }},
        {QStringLiteral("manter_precos"),
         [](const Medicao::Opcoes& o) { return Renovar(o, QStringLiteral("manter_precos"), false); }},
    };
    QHash<QString, qint64> precos; // "S<code>" or "P<code>": the registry's price before
    programa.Preparar = [&] {
        mnumero = Amostra::Gravar(Amostra::Montar(30, 70));
        QSqlQuery q = Banco::Executar(
            QStringLiteral(
                "SELECT 'S' || Codigo, ValorDeVenda FROM Servicos WHERE Codigo IN (SELECT "
                "CodigoDoServico FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?) UNION ALL SELECT "
                "'P' || CodigoInterno, ValorDeVenda FROM Produtos WHERE CodigoInterno IN (SELECT "
                "CodigoInternoDoProduto FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?)"),
            {mnumero, mnumero});
        while (q.next())
            precos.insert(q.value(0).toString(), q.value(1).toLongLong());
    };
    const int resultado = Medicao::Executar(programa);
    // The database as it was found: the sample quote gone, the prices back.
    if (mnumero > 0) {
        Amostra::Remover({mnumero});
        Banco::UnidadeDeTrabalho unidade;
        for (auto i = precos.cbegin(); i != precos.cend(); ++i)
            Banco::Executar(
                i.key().startsWith(u'S')
                    ? QStringLiteral("UPDATE Servicos SET ValorDeVenda = ? WHERE Codigo = ?")
                    : QStringLiteral("UPDATE Produtos SET ValorDeVenda = ? WHERE CodigoInterno = ?"),
                {i.value(), i.key().mid(1).toLongLong()});
        unidade.Confirmar();
    }
    return resultado;
}
