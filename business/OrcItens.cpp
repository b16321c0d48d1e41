// ZELT_N_Orcamentos.clsOrcItens: the items of one quote.
//
// Selecionar(1 or 2, page size, 0, quote number): the quote's items in item
// order; 1 carries the record form's fields and the sheet's, 2 only the sheet's.
// An unknown quote (or 0, a quote not stored yet) gives an empty selection. A page
// size of 0 or less becomes 10 and is handed back.
//
// Excluir(quote, item): removes one stored item at once. It is a change of the stored
// quote like its save: refused (3, with the message in the error properties too) when
// the quote is gone or changed since the form read it (DataEHoraDaAlteracaoLida,
// OrcamentoGravado.h); otherwise the quote gets a new alteration stamp, handed back in
// DataEHoraDaAlteracaoLida for the form's later save, and the totals of the items it
// still holds, computed in the same transaction. ValorTotalDoOrcamento and
// ValorLiquidoDoOrcamento, the form's totals without the item, are not stored: they
// also count rows the form has not stored yet. Item 0 is an item the form has not
// stored: nothing to remove. Refused with an error: the item is gone, the quote is
// inactive, or the item is the quote's last one (a stored quote keeps at least one
// item). Without DadosDoUsuario the removal is error 91, as any write.

#include "business/AprovacaoDoOrcamento.h"
#include "business/Banco.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/OrcamentoGravado.h"
#include "contracts/HistoricoDeOrcamentos.h"

namespace Objetos {
namespace {

// vbObjectError + 514: a business rule refused the call.
constexpr long NumeroDeRegraDeNegocio = -2147221504L + 514;

[[noreturn]] void RecusarComErro(const QString& descricao) {
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

// An item only some cases need (a package's "se necessário"): 1, else 0.
const CampoDaConsulta SeNecessario{
    QStringLiteral("SeNecessario"),
    QStringLiteral("CASE WHEN EXISTS (SELECT 1 FROM ItensSeNecessario m WHERE m.NumeroDoOrcamento = "
                   "i.NumeroDoOrcamento AND m.NumeroDoItemDoOrcamento = i.NumeroDoItemDoOrcamento) THEN 1 "
                   "ELSE 0 END"),
    TipoDoCampo::Long};

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
        SeNecessario,
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
        } catch (const Recusa& recusa) {
            DescricaoDaFalha = recusa.Descricao;
            // A question to ask (an approved quote's change), not a failure to record.
            if (recusa.Codigo == Resultado::Rejeitado) return Resultado::Rejeitado;
            RegistrarErro(NumeroDeRegraDeNegocio, recusa.Descricao, "Excluir");
            return Resultado::Recusado;
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
        if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        const QString usuario = DadosDoUsuario->property("NomeDoUsuario").toString();
        const auto item = CodigoDoDouble(numeroDoItem);
        if (!item) RecusarComErro(QStringLiteral("O item %1 não existe.").arg(VB::CStr(numeroDoItem)));

        Banco::UnidadeDeTrabalho unidade;
        const GravacaoDeOrcamentos::OrcamentoGravado gravado = GravacaoDeOrcamentos::LerParaAtualizar(
            numeroDoOrcamento, DataEHoraDaAlteracaoLida, QStringLiteral("O item não foi removido"));
        if (gravado.Situacao != GravacaoDeOrcamentos::SituacaoAtivo)
            RecusarComErro(QStringLiteral("O orçamento %1 está inativo e não pode mais ser alterado.")
                               .arg(gravado.Numero));
        const qint64 itens =
            Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
                         {gravado.Numero})
                .toLongLong();
        const QVariant existe =
            Banco::Valor(QStringLiteral("SELECT 1 FROM ItensDeOrcamento WHERE NumeroDoOrcamento "
                                        "= ? AND NumeroDoItemDoOrcamento = ?"),
                         {gravado.Numero, *item});
        if (!existe.isValid())
            RecusarComErro(QStringLiteral("O item %1 do orçamento %2 não existe mais.")
                               .arg(QString::number(*item), QString::number(gravado.Numero)));
        if (itens <= 1)
            RecusarComErro(QStringLiteral(
                "Há apenas um item neste orçamento. Caso precise removê-lo, faça a exclusão do "
                "orçamento."));
        const QDateTime carimbo = GravacaoDeOrcamentos::CarimboSeguinte(gravado);
        // Removing an item of an approved quote undoes its approval, once the person said so.
        if (AprovacaoDoOrcamento::EstaAprovado(gravado.Etapa)) {
            if (!DesfazerAprovacao)
                Rejeitar(QStringLiteral("Aprovacao"),
                         AprovacaoDoOrcamento::AvisoAntesDeAlterar(gravado.Numero));
            AprovacaoDoOrcamento::DesfazerNaAlteracao(gravado, usuario, carimbo);
        }
        Banco::Executar(
            QStringLiteral(
                "DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? AND NumeroDoItemDoOrcamento = ?"),
            {gravado.Numero, *item});
        const GravacaoDeOrcamentos::Totais totais = GravacaoDeOrcamentos::TotaisGravados(gravado.Numero);
        Banco::Executar(
            QStringLiteral("UPDATE Orcamentos SET ValorTotal = ?, DescontoEmValor = ?, DescontoEmPercentual "
                           "= ?, ValorLiquido = ?, DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = ? WHERE "
                           "NumeroDoOrcamento = ?"),
            {Banco::Moeda(totais.ValorTotal), Banco::Moeda(totais.DescontoEmValor),
             Banco::Moeda(totais.DescontoEmPercentual), Banco::Moeda(totais.ValorLiquido),
             Banco::DataEHoraIso(carimbo), usuario, gravado.Numero});
        Historico::Registrar(gravado.Numero, ZELT_N_Orcamentos::OperacaoDoHistorico::ItemRemovido, usuario);
        unidade.Confirmar();
        DataEHoraDaAlteracaoLida = GravacaoDeOrcamentos::TextoDaDataEHora(carimbo);
    }
};

} // namespace

std::unique_ptr<QObject> NovoOrcItens() {
    return std::make_unique<clsOrcItensNoBanco>();
}

} // namespace Objetos
