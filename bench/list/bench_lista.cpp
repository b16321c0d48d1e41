// The quotes list on a generated database, driven as a person drives it on the
// offscreen platform: opening it (AbrirLista, until its first page is in the grid and
// painted), choosing "Todas as situações", paging, and the find box. Each figure is
// set next to its floor (the count and the page the list needs, run straight on the
// business layer's connection) and, for the searches, next to a plain LIKE '%...%'
// scan of the same data. The one-second waits of the waiting panel are not measured:
// the pause is shortened to nothing through the platform seam.
//
//   bench_lista (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases: abrir_recentes, todas_as_situacoes, proxima_pagina, ultima_pagina,
// primeira_pagina, pesquisa_nome, pesquisa_numero, pesquisa_ampla (all of them when
// --caso is not given), and inicio_ate_a_lista: the host's start as a person waits for
// it, the business layer started on a closed database and the list opened (last, as it
// closes and opens the database; scripts/bench.sh, which names its cases, leaves it out).

#include "bench/business/Medicao.h"
#include "bench/business/Rastro.h"
#include "bench/business/Referencia.h"
#include "bench/list/Host.h"

#include "business/Banco.h"
#include "business/Negocio.h"

#include <cstdio>

namespace {

const char* const Uso =
    "Uso: bench_lista (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: abrir_recentes, todas_as_situacoes, proxima_pagina, ultima_pagina, primeira_pagina,\n"
    "       pesquisa_nome, pesquisa_numero, pesquisa_ampla, inicio_ate_a_lista";

constexpr qint32 Todas = 0;
constexpr qint32 Recentes = 3;

Medicao::Resultado Medir(const Medicao::Opcoes& o, const QString& caso, const std::function<void()>& antes,
                         const std::function<void()>& trabalho, const QList<Medicao::Comando>& piso,
                         const QList<Medicao::Comando>& like = {}) {
    Medicao::Resultado r{QStringLiteral("lista"), caso};
    antes();
    Rastro::MedirComPiso(r, o.Execucoes, trabalho, antes, piso, like);
    return r;
}

Medicao::Resultado AbrirRecentes(const Medicao::Opcoes& o, Host& h) {
    h.AbrirLista();
    const int tamanho = h.TamanhoDaPagina();
    Medicao::Resultado r = Medir(
        o, QStringLiteral("abrir_recentes"), [&] { h.FecharLista(); }, [&] { h.AbrirLista(); },
        Referencia::ContagemEPaginaDaLista(Recentes, QString(), tamanho));
    r.Linhas = h.Total();
    return r;
}

Medicao::Resultado TodasAsSituacoes(const Medicao::Opcoes& o, Host& h) {
    h.AbrirLista();
    Medicao::Resultado r = Medir(
        o, QStringLiteral("todas_as_situacoes"), [&] { h.EscolherSituacao(3); },
        [&] { h.EscolherSituacao(0); },
        Referencia::ContagemEPaginaDaLista(Todas, QString(), h.TamanhoDaPagina()));
    r.Linhas = h.Total();
    return r;
}

// From the business layer closed to the list's first page painted: what the host does
// at its start. No floor: the start's statements (the schema's version, the settings)
// are the business layer's own.
Medicao::Resultado InicioAteALista(const Medicao::Opcoes& o, Host& h) {
    Medicao::Resultado r{QStringLiteral("lista"), QStringLiteral("inicio_ate_a_lista")};
    r.Tempos = Medicao::Repetir(
        o.Execucoes,
        [&] {
            Medicao::AbrirBanco(o);
            h.AbrirLista();
        },
        [&] {
            h.FecharLista();
            Negocio::Encerrar();
        });
    r.Linhas = h.Total();
    return r;
}

// Paging through "Todas as situações": the page the list reads, no count. The floor
// reads the page the list really shows; when that is not the page the button asks
// for, the note says so.
Medicao::Resultado Paginar(const Medicao::Opcoes& o, Host& h, const QString& caso, int partida, int botao) {
    h.AbrirLista();
    h.EscolherSituacao(0);
    const int tamanho = h.TamanhoDaPagina();
    const int total = h.Total();
    const int ultima = std::max(1, (total + tamanho - 1) / tamanho);
    const int pedida = botao == 1 ? 1 : botao == 3 ? 2 : ultima;
    h.Navegar(partida);
    h.Navegar(botao);
    const int mostrada = h.Lista().PaginaAtual();
    Medicao::Resultado r = Medir(
        o, caso, [&] { h.Navegar(partida); }, [&] { h.Navegar(botao); },
        {Referencia::PaginaDaLista(Todas, QString(), tamanho, mostrada, total)});
    if (mostrada != pedida)
        r.Nota += QStringLiteral("; A LISTA MOSTROU A PÁGINA %1 EM VEZ DA %2").arg(mostrada).arg(pedida);
    r.Linhas = total;
    return r;
}

// A search typed while the list shows "Recentes": it runs over every situation.
Medicao::Resultado Pesquisar(const Medicao::Opcoes& o, Host& h, const QString& caso, const QString& texto) {
    std::fprintf(stderr, "%s: \"%s\"\n", qPrintable(caso), qPrintable(texto));
    h.AbrirLista();
    const int tamanho = h.TamanhoDaPagina();
    Medicao::Resultado r = Medir(
        o, caso, [&] { h.Pesquisar(QString()); }, [&] { h.Pesquisar(texto); },
        Referencia::ContagemEPaginaDaLista(Todas, texto, tamanho),
        Referencia::ListaComLikeSimples(Todas, texto, tamanho));
    h.Pesquisar(texto);
    r.Linhas = h.Total();
    return r;
}

// The last two names of a client's full name, typed without accents ("goncalves
// falcao"): a handful of clients, a few dozen quotes.
QString FragmentoDeNome() {
    const QString nome =
        Banco::Valor(
            QStringLiteral("SELECT NomeOuRazaoSocial FROM Clientes WHERE CodigoDoCliente >= (SELECT "
                           "MAX(CodigoDoCliente) * 61 / 100 FROM Clientes) AND NomeOuRazaoSocial NOT LIKE "
                           "'%Ltda.' ORDER BY CodigoDoCliente LIMIT 1"))
            .toString();
    return Banco::TextoDePesquisa(nome.section(u' ', -2));
}

QString NumeroDeOrcamento() {
    return Banco::Valor(QStringLiteral("SELECT MAX(NumeroDoOrcamento) * 654 / 1000 FROM Orcamentos"))
        .toString();
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    return Formularios::Executar(
        {.Uso = Uso,
         .Casos = {
             Host::Caso(QStringLiteral("abrir_recentes"), AbrirRecentes),
             Host::Caso(QStringLiteral("todas_as_situacoes"), TodasAsSituacoes),
             Host::Caso(QStringLiteral("proxima_pagina"),
                        [](const Medicao::Opcoes& o, Host& h) {
                            return Paginar(o, h, QStringLiteral("proxima_pagina"), 1, 3);
                        }),
             Host::Caso(QStringLiteral("ultima_pagina"),
                        [](const Medicao::Opcoes& o, Host& h) {
                            return Paginar(o, h, QStringLiteral("ultima_pagina"), 1, 4);
                        }),
             Host::Caso(QStringLiteral("primeira_pagina"),
                        [](const Medicao::Opcoes& o, Host& h) {
                            return Paginar(o, h, QStringLiteral("primeira_pagina"), 4, 1);
                        }),
             Host::Caso(QStringLiteral("pesquisa_nome"),
                        [](const Medicao::Opcoes& o, Host& h) {
                            return Pesquisar(o, h, QStringLiteral("pesquisa_nome"), FragmentoDeNome());
                        }),
             Host::Caso(QStringLiteral("pesquisa_numero"),
                        [](const Medicao::Opcoes& o, Host& h) {
                            return Pesquisar(o, h, QStringLiteral("pesquisa_numero"), NumeroDeOrcamento());
                        }),
             Host::Caso(QStringLiteral("pesquisa_ampla"),
                        [](const Medicao::Opcoes& o, Host& h) {
                            return Pesquisar(o, h, QStringLiteral("pesquisa_ampla"), QStringLiteral("silva"));
                        }),
             Host::Caso(QStringLiteral("inicio_ate_a_lista"), InicioAteALista),
         }});
}
