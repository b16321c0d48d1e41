// The record form opened from the quotes list on a generated database, as a person
// does it: the quote found by its number in the list's find box, then the list's
// "Alterar" command, from its click until the record form has been shown with the
// quote's items and closed by its Cancel button (the modal display is scripted: the
// form is cancelled as soon as it is shown) and unloaded, and the list is painted
// again. The figure is set next to its floor: the selections the form makes (the
// company's settings, the service types, the quote's items, the client's animals)
// run straight on the business layer's connection. The one-second wait of the
// waiting message is not measured: the pause is shortened to nothing through the
// platform seam.
//
//   bench_ficha (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases: abrir_ficha_alteracao_100_itens (all of them when --caso is not given). The
// quote a case stores is removed at its end.

#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"
#include "bench/business/Rastro.h"
#include "bench/business/Referencia.h"
#include "bench/list/Host.h"

#include "business/Banco.h"
#include "component/IFormularioDeLista.h"
#include "contracts/VB.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRCommandButton.h"

#include <cstdio>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_ficha (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: abrir_ficha_alteracao_100_itens";

int Contar(const QString& sql, const QVariantList& parametros = {}) {
    return Banco::Valor(sql, parametros).toInt();
}

// What the record form showed the last time it was on screen.
struct FichaExibida {
    int Linhas = 0;        // of its items grid, the header row included
    int AlturaDaGrade = 0; // twips
};

// The record form's modal display: the form is looked at and cancelled at once. Any
// other window shown modally (an error, a lookup) is a fault of the measurement.
void CancelarAoExibir(FichaExibida& exibida) {
    Plataforma::SubstituirExibicaoModal([&exibida](QWidget* formulario) {
        auto* cancelar = formulario->findChild<XRCommandButton*>(QStringLiteral("xrcmdCancelarAlterar"));
        auto* grade = formulario->findChild<MSFlexGrid*>(QStringLiteral("msfgGradeDeItensDoOrcamento"));
        if (formulario->objectName() != QLatin1String("frmFicha") || !cancelar || !grade)
            Falhar(QStringLiteral("Uma janela inesperada foi exibida: %1").arg(formulario->objectName()));
        exibida = {grade->Rows(), grade->Height()};
        emit cancelar->Click();
    });
}

// A stored quote of 100 items (50 services, 50 products) opened in change mode.
Medicao::Resultado AbrirFichaDeAlteracao(const Medicao::Opcoes& o, Host& h) {
    const Amostra::Orcamento amostra = Amostra::Montar(50, 50);
    const qint64 numero = Amostra::Gravar(amostra);
    std::fprintf(stderr, "abrir_ficha_alteracao_100_itens: orçamento %lld\n", numero);
    // A failed measurement leaves the database as it found it, too.
    const auto falhar = [numero](const QString& mensagem) {
        Amostra::Remover({numero});
        Falhar(mensagem);
    };

    h.AbrirLista();
    h.Pesquisar(QString::number(numero));
    const MSFlexGrid* lista = h.Lista().Grade();
    if (h.Total() != 1 ||
        VB::CDbl(lista->TextMatrix(lista->RowSel(), IFormularioDeLista::ColunaNumeroDoOrcamento)) != numero)
        falhar(QStringLiteral("A lista não selecionou o orçamento %1.").arg(numero));

    FichaExibida exibida;
    CancelarAoExibir(exibida);
    const auto alterar = [&] { h.Clicar("xrcmdAlterar"); };
    alterar();
    const int itens = int(amostra.Gravado.Itens.size());
    if (exibida.Linhas != itens + 1)
        falhar(QStringLiteral("A ficha mostrou %1 linhas de itens em vez de %2.")
                   .arg(exibida.Linhas - 1)
                   .arg(itens));

    Referencia::FichaDeAlteracao ficha;
    ficha.Orcamento = numero;
    ficha.Cliente = amostra.Gravado.CodigoDoCliente;
    ficha.Empresas = Contar(QStringLiteral("SELECT COUNT(*) FROM Empresa"));
    ficha.TiposDeServico = Contar(QStringLiteral("SELECT COUNT(*) FROM TiposDeServicos"));
    ficha.Itens = itens;
    ficha.Animais =
        Contar(QStringLiteral("SELECT COUNT(*) FROM Animais WHERE CodigoDoCliente = ? AND Situacao = 1"),
               {ficha.Cliente});
    // The rows of a page of the form's grid: its height less the header's 700 twips, in
    // rows of 550.
    ficha.ItensPorPagina = (exibida.AlturaDaGrade - 700) / 550;
    const QList<Medicao::Comando> piso = Referencia::AbrirFichaDeAlteracao(ficha);
    std::fprintf(stderr, "%d itens por página da grade da ficha; o piso tem %lld comandos\n",
                 ficha.ItensPorPagina, qlonglong(piso.size()));

    Medicao::Resultado r{QStringLiteral("ficha"), QStringLiteral("abrir_ficha_alteracao_100_itens")};
    Rastro::MedirComPiso(r, o.Execucoes, alterar, {}, piso);
    r.Linhas = exibida.Linhas - 1;
    Plataforma::SubstituirExibicaoModal({});
    Amostra::Remover({numero});
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    return Formularios::Executar(
        {.Uso = Uso,
         .Casos = {Host::Caso(QStringLiteral("abrir_ficha_alteracao_100_itens"), AbrirFichaDeAlteracao)},
         .Preparar = Formularios::RecusarMensagens});
}
