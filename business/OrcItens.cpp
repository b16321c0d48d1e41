// ZELT_N_Orcamentos.clsOrcItens: the items of one quote.
//
// Selecionar(1 or 2, page size, 0, quote number): the quote's items in item
// order; 1 carries the record form's fields and the sheet's, 2 only the sheet's.
// An unknown quote (or 0, a quote not stored yet) gives an empty selection. A page
// size of 0 or less becomes 10 and is handed back.
//
// Excluir(quote, item): removes one stored item at once and gives the quote the
// totals set first (ValorTotalDoOrcamento, ValorLiquidoDoOrcamento; the discount
// is their difference). The totals are taken as given: the record form's totals
// also count items it has not stored yet, and the quote's own save sets the final
// ones. Item 0 is an item the form has not stored: nothing to remove. Refused
// with an error: the quote or the item is gone, the quote is inactive, or the
// item is the quote's last one (a stored quote keeps at least one item).

#include "business/Banco.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Objetos.h"

namespace Objetos {
namespace {

// vbObjectError + 514: a business rule refused the call.
constexpr long NumeroDeRegraDeNegocio = -2147221504L + 514;

[[noreturn]] void Recusar(const QString& descricao) {
    throw VB::ErroDeExecucao(NumeroDeRegraDeNegocio, descricao);
}

const CampoDaConsulta NumeroDoOrcamento{QStringLiteral("NumeroDoOrcamento"),
                                        QStringLiteral("i.NumeroDoOrcamento"), TipoDoCampo::Double};
const CampoDaConsulta NomeDoServicoOuNomeDoProduto{QStringLiteral("NomeDoServicoOuNomeDoProduto"),
                                                   QStringLiteral("i.NomeDoServicoOuProduto"),
                                                   TipoDoCampo::Texto};
const CampoDaConsulta NomeDoAnimal{QStringLiteral("NomeDoAnimal"), QStringLiteral("COALESCE(a.Nome, '')"),
                                   TipoDoCampo::Texto};
const CampoDaConsulta Quantidade{QStringLiteral("Quantidade"), QStringLiteral("i.Quantidade"),
                                 TipoDoCampo::Moeda};
const CampoDaConsulta ValorUnitario{QStringLiteral("ValorUnitario"), QStringLiteral("i.ValorUnitario"),
                                    TipoDoCampo::Moeda};
const CampoDaConsulta DescontoEmValor{QStringLiteral("DescontoEmValor"), QStringLiteral("i.DescontoEmValor"),
                                      TipoDoCampo::Moeda};
// An item's net value is its total: quantity × unit value − discount.
const CampoDaConsulta ValorLiquido{QStringLiteral("ValorLiquido"), QStringLiteral("i.ValorTotal"),
                                   TipoDoCampo::Moeda};

const CampoDaConsulta TipoDeLancamento{QStringLiteral("TipoDeLancamento"),
                                       QStringLiteral("i.TipoDeLancamento"), TipoDoCampo::Long};

// The quote's validity, on every item's row like its number: the message of a quote
// sent to a client tells it.
const CampoDaConsulta DataDeValidadeDoOrcamento{QStringLiteral("DataDeValidadeDoOrcamento"),
                                                QStringLiteral("o.DataDeValidadeDoOrcamento"),
                                                TipoDoCampo::DataEmTexto};

// TipoDeLancamento too: the sheet writes a service's quantity as a whole number and a
// product's with three decimals.
QList<CampoDaConsulta> CamposDaFicha() {
    return {NumeroDoOrcamento,
            NomeDoServicoOuNomeDoProduto,
            NomeDoAnimal,
            Quantidade,
            ValorUnitario,
            DescontoEmValor,
            ValorLiquido,
            TipoDeLancamento,
            DataDeValidadeDoOrcamento};
}

QList<CampoDaConsulta> CamposDoFormulario() {
    QList<CampoDaConsulta> campos{
        {QStringLiteral("NumeroDoItemDoOrcamento"), QStringLiteral("i.NumeroDoItemDoOrcamento"),
         TipoDoCampo::Long},
        TipoDeLancamento,
        {QStringLiteral("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto"),
         QStringLiteral("CASE i.TipoDeLancamento WHEN 1 THEN CAST(i.NumeroDoTipoDeServico AS TEXT) ELSE "
                        "i.CodigoDeBarrasDoProduto END"),
         TipoDoCampo::Texto},
        {QStringLiteral("CodigoDoServicoOuCodigoInternoDoProduto"),
         QStringLiteral("COALESCE(i.CodigoDoServico, i.CodigoInternoDoProduto)"), TipoDoCampo::Long},
        // Only the one of the two names that fits the launch type is filled; the other is Null.
        {QStringLiteral("NomeDoServico"),
         QStringLiteral("CASE i.TipoDeLancamento WHEN 1 THEN i.NomeDoServicoOuProduto END"),
         TipoDoCampo::Texto},
        {QStringLiteral("NomeDoProduto"),
         QStringLiteral("CASE i.TipoDeLancamento WHEN 2 THEN i.NomeDoServicoOuProduto END"),
         TipoDoCampo::Texto},
        {QStringLiteral("CodigoDoAnimal"), QStringLiteral("i.CodigoDoAnimal"), TipoDoCampo::Long},
        NomeDoAnimal,
        Quantidade,
        ValorUnitario,
        {QStringLiteral("DescontoEmPercentual"), QStringLiteral("i.DescontoEmPercentual"),
         TipoDoCampo::Moeda},
        DescontoEmValor,
        {QStringLiteral("ValorTotal"), QStringLiteral("i.ValorTotal"), TipoDoCampo::Moeda},
        {QStringLiteral("Custo"), QStringLiteral("i.Custo"), TipoDoCampo::Moeda},
        {QStringLiteral("TipoDeVenda"), QStringLiteral("i.TipoDeVenda"), TipoDoCampo::Long},
        {QStringLiteral("Situacao"), QStringLiteral("i.Situacao"), TipoDoCampo::Long},
        {QStringLiteral("DataEHoraDaInclusao"), QStringLiteral("i.DataEHoraDaInclusao"),
         TipoDoCampo::DataEHora},
        {QStringLiteral("UsuarioDaInclusao"), QStringLiteral("i.UsuarioDaInclusao"), TipoDoCampo::Texto},
        {QStringLiteral("DataEHoraDaAlteracao"), QStringLiteral("i.DataEHoraDaAlteracao"),
         TipoDoCampo::DataEHora},
        {QStringLiteral("UsuarioDaAlteracao"), QStringLiteral("i.UsuarioDaAlteracao"), TipoDoCampo::Texto},
        NumeroDoOrcamento,
        NomeDoServicoOuNomeDoProduto,
        ValorLiquido,
        DataDeValidadeDoOrcamento,
    };
    return campos;
}

class clsOrcItensNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsOrcItens> {
public:
    clsOrcItensNoBanco() : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsOrcItens")) {}

    QVariant Selecionar(qint32 lintTipo, qint16& lintTamanhoDaPagina, qint32,
                        double& ldouNumeroDoOrcamento) override {
        ObservacaoDoErro.clear();
        return Selecao("Selecionar", [&] {
            if (lintTipo != 1 && lintTipo != 2)
                ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            if (lintTamanhoDaPagina <= 0) lintTamanhoDaPagina = 10;
            const auto numero = CodigoDoDouble(ldouNumeroDoOrcamento);
            return Consultar(
                {lintTipo == 1 ? CamposDoFormulario() : CamposDaFicha(),
                 QStringLiteral("FROM ItensDeOrcamento i JOIN Orcamentos o ON o.NumeroDoOrcamento "
                                "= i.NumeroDoOrcamento LEFT JOIN Animais a ON a.Codigo = "
                                "i.CodigoDoAnimal WHERE i.NumeroDoOrcamento = ?"),
                 {numero ? *numero : qint64(-1)},
                 QStringLiteral("i.NumeroDoItemDoOrcamento")},
                lintTamanhoDaPagina);
        });
    }

    QVariant Excluir(double& ldouNumeroDoOrcamento, double& ldouNumeroDoItem) override {
        ObservacaoDoErro.clear();
        LimparResultado();
        try {
            Banco::ComNovasTentativas([&] { Remover(ldouNumeroDoOrcamento, ldouNumeroDoItem); });
            return false;
        } catch (const VB::ErroDeExecucao& erro) {
            RegistrarErro(erro.Numero(), erro.Descricao(), "Excluir");
        }
        return true;
    }

protected:
    void RegistrarErro(long numero, const QString& descricao, const char* procedimento) override {
        Implementacao::RegistrarErro(numero, descricao, procedimento);
        ObservacaoDoErro = descricao;
    }

private:
    void Remover(double numeroDoOrcamento, double numeroDoItem) {
        if (numeroDoItem == 0) return;
        const auto orcamento = CodigoDoDouble(numeroDoOrcamento);
        const auto item = CodigoDoDouble(numeroDoItem);
        if (!orcamento)
            Recusar(QStringLiteral("O orçamento %1 não existe.").arg(VB::CStr(numeroDoOrcamento)));
        if (!item) Recusar(QStringLiteral("O item %1 não existe.").arg(VB::CStr(numeroDoItem)));
        const VB::Currency zero;
        if (ValorTotalDoOrcamento < zero || ValorLiquidoDoOrcamento < zero ||
            ValorLiquidoDoOrcamento > ValorTotalDoOrcamento)
            Recusar(QStringLiteral(
                        "Os totais informados para o orçamento %1 não são válidos: valor total %2, valor "
                        "líquido %3.")
                        .arg(QString::number(*orcamento),
                             VB::CStr(QVariant::fromValue(ValorTotalDoOrcamento)),
                             VB::CStr(QVariant::fromValue(ValorLiquidoDoOrcamento))));

        Banco::UnidadeDeTrabalho unidade;
        QSqlQuery q =
            Banco::Executar(QStringLiteral("SELECT Situacao FROM Orcamentos WHERE NumeroDoOrcamento = ?") +
                                Banco::DialetoAtual().ParaAtualizacao(),
                            {*orcamento});
        if (!q.next()) Recusar(QStringLiteral("O orçamento %1 não existe mais.").arg(*orcamento));
        if (Banco::Coluna(q, "Situacao").toInt() != GravacaoDeOrcamentos::SituacaoAtivo)
            Recusar(
                QStringLiteral("O orçamento %1 está inativo e não pode mais ser alterado.").arg(*orcamento));
        const qint64 itens =
            Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
                         {*orcamento})
                .toLongLong();
        const QVariant existe =
            Banco::Valor(QStringLiteral("SELECT 1 FROM ItensDeOrcamento WHERE NumeroDoOrcamento "
                                        "= ? AND NumeroDoItemDoOrcamento = ?"),
                         {*orcamento, *item});
        if (!existe.isValid())
            Recusar(QStringLiteral("O item %1 do orçamento %2 não existe mais.").arg(*item).arg(*orcamento));
        if (itens <= 1)
            Recusar(QStringLiteral(
                "Há apenas um item neste orçamento. Caso precise removê-lo, faça a exclusão do "
                "orçamento."));
        Banco::Executar(
            QStringLiteral(
                "DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? AND NumeroDoItemDoOrcamento = ?"),
            {*orcamento, *item});
        const VB::Currency desconto = ValorTotalDoOrcamento - ValorLiquidoDoOrcamento;
        // Two decimals, as the record form computes and shows the quote's percentage.
        const VB::Currency percentual =
            ValorTotalDoOrcamento == zero
                ? zero
                : VB::CCur(VB::Format((desconto * 100) / ValorTotalDoOrcamento, QStringLiteral("#,##0.00")));
        Banco::Executar(
            QStringLiteral("UPDATE Orcamentos SET ValorTotal = ?, DescontoEmValor = ?, DescontoEmPercentual "
                           "= ?, ValorLiquido = ? WHERE NumeroDoOrcamento = ?"),
            {Banco::Moeda(ValorTotalDoOrcamento), Banco::Moeda(desconto), Banco::Moeda(percentual),
             Banco::Moeda(ValorLiquidoDoOrcamento), *orcamento});
        unidade.Confirmar();
    }
};

} // namespace

std::unique_ptr<QObject> NovoOrcItens() {
    return std::make_unique<clsOrcItensNoBanco>();
}

} // namespace Objetos
