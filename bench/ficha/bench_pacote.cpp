// A procedure package of 15 items (10 services, 5 products) added to a new quote in the
// record form, as a person does it: from the click of "Adicionar pacote" (the package and
// the weight answered at once by the scripted modal display) until the items are in the
// grid and the totals and the estimate shown, which the click's handler does before it
// returns. Before each run the grid is emptied, untimed. The package is written before
// the measurement and removed at its end; the client is the first active one with an
// active animal. Goal: 100 ms.
//
//   bench_pacote (--banco ARQUIVO.sqlite | --url postgresql://...) [--execucoes N]

#include "bench/business/Medicao.h"
#include "bench/list/Host.h"

#include "business/Banco.h"
#include "business/PacotesDeProcedimentos.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

#include <QSqlQuery>
#include <cstdio>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_pacote (--banco ARQUIVO.sqlite | --url postgresql://...) [--execucoes N]\n"
    "Casos: adicionar_pacote_15_itens";

QVariantList Codigos(const QString& sql) {
    QVariantList codigos;
    QSqlQuery q = Banco::Executar(sql);
    while (q.next())
        codigos << q.value(0);
    return codigos;
}

qint64 GravarPacote() {
    const QVariantList servicos =
        Codigos(QStringLiteral("SELECT Codigo FROM Servicos WHERE Situacao = 1 ORDER BY Codigo LIMIT 10"));
    const QVariantList produtos = Codigos(QStringLiteral(
        "SELECT CodigoInterno FROM Produtos WHERE Situacao = 1 ORDER BY CodigoInterno LIMIT 5"));
    if (servicos.size() < 10 || produtos.size() < 5)
        Falhar(QStringLiteral("O cadastro tem poucos itens ativos."));
    ZELT_N_Orcamentos::PacoteDeProcedimentos pacote{0, QStringLiteral("Pacote de medida (15 itens)"), {}, {}};
    ZELT_N_Orcamentos::FaixaDePeso faixa{VB::Currency(), VB::Currency::DeInteiro(80), {}};
    for (qsizetype i = 0; i < 15; ++i) {
        const bool servico = i < 10;
        faixa.Itens.append({servico ? GradeDeItens::LancamentoDeServico : GradeDeItens::LancamentoDeProduto,
                            (servico ? servicos.at(i) : produtos.at(i - 10)).toLongLong(),
                            VB::Currency::DeInteiro(1),
                            i % 5 == 4,
                            {}});
    }
    pacote.Faixas.append(faixa);
    Banco::UnidadeDeTrabalho unidade;
    const qint64 codigo = PacotesDeProcedimentos::Gravar(pacote);
    unidade.Confirmar();
    return codigo;
}

Medicao::Resultado AdicionarPacote(const Medicao::Opcoes& o, Host& h) {
    const qint64 pacote = GravarPacote();
    const QVariant cliente = Banco::Valor(
        QStringLiteral("SELECT c.CodigoDoCliente FROM Clientes c JOIN Animais a ON a.CodigoDoCliente = "
                       "c.CodigoDoCliente WHERE c.Situacao = 1 AND a.Situacao = 1 ORDER BY c.CodigoDoCliente "
                       "LIMIT 1"));
    Medicao::Resultado r{QStringLiteral("ficha"), QStringLiteral("adicionar_pacote_15_itens")};
    int linhas = 0;
    h.AbrirLista();
    Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
        if (janela->objectName() == QLatin1String("frmPacoteDaFicha")) {
            auto* lista = janela->findChild<XRComboBox*>(QStringLiteral("xrcmbPacote"));
            for (int i = 0; i < lista->ListCount(); ++i)
                if (lista->ItemData(i) == pacote) lista->setListIndex(i);
            janela->findChild<XRNumberBox*>(QStringLiteral("xrnumPeso"))->setText(QStringLiteral("12,5"));
            emit janela->findChild<XRCommandButton*>(QStringLiteral("xrcmdConfirmar"))->Click();
            return;
        }
        if (janela->objectName() != QLatin1String("frmFicha"))
            Falhar(QStringLiteral("Uma janela inesperada foi exibida: %1").arg(janela->objectName()));
        auto* codigo = janela->findChild<XRFind*>(QStringLiteral("xrfCodigoDoCliente"));
        codigo->setText(cliente.toString());
        codigo->Pesquisar();
        auto* animal = janela->findChild<XRComboBox*>(QStringLiteral("xrcmbAnimal"));
        if (animal->ListIndex() < 0) animal->setListIndex(0);
        auto* grade = janela->findChild<MSFlexGrid*>(QStringLiteral("msfgGradeDeItensDoOrcamento"));
        auto* comando = janela->findChild<XRCommandButton*>(QStringLiteral("xrcmdAdicionarPacote"));
        qint16 resultado = 0;
        r.Tempos = Medicao::Repetir(
            o.Execucoes, [&] { emit comando->Click(); },
            [&] { QMetaObject::invokeMethod(janela, "ConfigurarGrade", Q_RETURN_ARG(qint16, resultado)); });
        linhas = grade->Rows() - 1;
        emit janela->findChild<XRCommandButton*>(QStringLiteral("xrcmdCancelarAlterar"))->Click();
    });
    h.Clicar("xrcmdAdicionar");
    Plataforma::SubstituirExibicaoModal({});
    Banco::Executar(QStringLiteral("DELETE FROM PacotesDeProcedimentos WHERE Codigo = ?"), {pacote});
    if (linhas != 15) Falhar(QStringLiteral("A grade mostrou %1 itens em vez de 15.").arg(linhas));
    r.Linhas = linhas;
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    return Formularios::Executar(
        {.Uso = Uso,
         .Casos = {Host::Caso(QStringLiteral("adicionar_pacote_15_itens"), AdicionarPacote)},
         .Preparar = Formularios::RecusarMensagens});
}
