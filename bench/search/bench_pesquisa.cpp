// The client search dialog on a generated database, driven as a person drives it on
// the offscreen platform: a name fragment typed in the find box and Enter, timed from
// the search request until the dialog's grid holds every client found and is painted.
// The figure is set next to its floor (the count and the page the dialog reads, run
// straight on the business layer's connection) and next to a plain LIKE '%...%' scan
// of the same data. The one-second wait of the waiting panel is not measured: the
// pause is shortened to nothing through the platform seam.
//
//   bench_pesquisa (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases: clientes_nome (the only one). Goal: at most 30 ms at 100,000 clients.

#include "bench/business/Medicao.h"
#include "bench/business/Rastro.h"
#include "bench/business/Referencia.h"
#include "bench/comum/Formularios.h"

#include "business/Banco.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRFind.h"
#include "search/frmPesquisaDeClientes.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_pesquisa (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: clientes_nome";

constexpr double MetaMs = 30;

// How many clients the business layer finds for the dialog's free text.
qint32 ClientesEncontrados(const QString& texto) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    double codigo = 0;
    if (clientes->Selecionar(2, 0, 0, texto, QString(), codigo, QString(), QString(), QString(), 0, QString())
            .toBool())
        Falhar(QStringLiteral("A seleção falhou: ") + clientes->DescricaoDoErro);
    return clientes->ResultadoDaSelecaoEmRecordSet()->RecordCount();
}

// The last two names of a client's full name, typed without accents ("goncalves
// falcao"), taken from clients spread over the registry until one finds several
// clients that fit one page of the dialog's reads (2 to 10).
QString FragmentoDeNome() {
    for (int centesimo = 61; centesimo < 161; centesimo += 7) {
        const QString nome =
            Banco::Valor(
                QStringLiteral("SELECT NomeOuRazaoSocial FROM Clientes WHERE CodigoDoCliente >= (SELECT "
                               "MAX(CodigoDoCliente) * %1 / 100 FROM Clientes) AND NomeOuRazaoSocial NOT "
                               "LIKE '%Ltda.' ORDER BY CodigoDoCliente LIMIT 1")
                    .arg(centesimo % 100))
                .toString();
        const QString texto = Banco::TextoDePesquisa(nome.section(u' ', -2));
        const qint32 encontrados = ClientesEncontrados(texto);
        if (encontrados >= 2 && encontrados <= 10) return texto;
    }
    Falhar(QStringLiteral("Nenhum fragmento de nome encontra de 2 a 10 clientes."));
}

// The dialog as the record form shows it, and a person's search in it.
Medicao::Resultado ClientesPorNome(const Medicao::Opcoes& o) {
    const qint64 total = Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM Clientes")).toLongLong();
    const QString texto = FragmentoDeNome();
    std::fprintf(stderr, "clientes_nome: \"%s\" entre %lld clientes\n", qPrintable(texto), total);

    frmPesquisaDeClientes dialogo;
    dialogo.ConfigurarGrade();
    dialogo.show();
    QCoreApplication::processEvents();
    auto& caixa =
        Formularios::Controle<XRFind>(dialogo, "xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo");
    // The click after a search only empties the grid and clears the guard: untimed.
    const auto limpar = [&] {
        caixa.Pesquisar();
        QCoreApplication::processEvents();
    };
    const auto pesquisar = [&] {
        caixa.setText(texto);
        caixa.Pesquisar();
        QCoreApplication::processEvents();
    };

    Medicao::Resultado r{QStringLiteral("pesquisa"), QStringLiteral("clientes_nome")};
    // The dialog was just shown: its first click searches.
    Rastro::MedirComPiso(r, o.Execucoes, pesquisar, limpar, Referencia::ClientesPorApelidoOuNome(texto),
                         Referencia::ClientesComLikeSimples(texto));
    r.Linhas = dialogo.Grade()->Rows() - 1;
    if (r.Linhas != ClientesEncontrados(texto) || dialogo.RegistroSelecionado())
        Falhar(QStringLiteral("A grade não mostra os clientes encontrados."));
    const double mediana = Medicao::Mediana(r.Tempos);
    r.Nota +=
        QStringLiteral("; meta %1 ms %2").arg(MetaMs).arg(mediana <= MetaMs ? u"atingida" : u"NÃO ATINGIDA");
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    return Formularios::Executar({.Uso = Uso,
                                  .Casos = {{QStringLiteral("clientes_nome"), ClientesPorNome}},
                                  .Preparar = [] { Formularios::Entrar(Formularios::Usuario::Comum); }});
}
