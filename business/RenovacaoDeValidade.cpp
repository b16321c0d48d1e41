// ZELT_N_Orcamentos.clsRenovacaoDeValidade: a quote's validity renewed, its items re-priced
// as if typed today (PrecosDoCadastro: the record form's rules), and those prices read
// for the renewal window and for a copy of the quote.
//
// Decisions:
// - An item whose service or product is no longer active in the registry keeps its
//   price in a renewal: the clinic renews what it offered, and the window names the item
//   so the person may change the quote instead (a copy leaves such an item out).
// - A renewal is a change of the quote like a save: checked against the stamp read, the
//   quote active, its stage still waiting for an answer (EtapasDoOrcamento's machine),
//   the new date not before today; the header is written as the sums of its items.
// - Its statements: the quote read locked, its header with stage and company's days, its
//   items with their animals, the registry's prices, the client's discounts with the
//   company's promotion; the writes travel with the history's reading
//   (Banco::ExecutarComOProximo), whatever the number of items.

#include "business/Banco.h"
#include "business/EtapasDoOrcamento.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/OrcamentoGravado.h"
#include "business/PrecosDoCadastro.h"
#include "business/Relogio.h"
#include "business/ValidacaoDoOrcamento.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QSqlQuery>

namespace Objetos {
namespace {

using GradeDeItens::LancamentoDeServico;
using GravacaoDeOrcamentos::Item;

struct ItemDoOrcamento {
    qint64 Numero = 0;
    Item Gravado;
    QString NomeDoAnimal;
    bool NoCadastro = false;
    Item Hoje; // as typed today; the stored values when not in the registry
};

struct OrcamentoLido {
    qint64 Cliente = 0, Animal = 0;
    QDate Validade;
    VB::Currency ValorLiquido;
    QDateTime Alteracao;
    QString EtapaGravada;
    qint32 DiasDeValidade = 10;
};

// The quote's header, its stage and the company's days of validity, in one statement.
std::optional<OrcamentoLido> LerOrcamento(qint64 numero) {
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT o.CodigoDoCliente, o.CodigoDoAnimal, o.DataDeValidadeDoOrcamento, o.ValorLiquido, "
            "o.DataEHoraDaAlteracao, e.Etapa, (SELECT QuantidadeDeDiasParaAValidadeDoOrcamento FROM Empresa "
            "ORDER BY Codigo LIMIT 1) FROM Orcamentos o LEFT JOIN EtapasDoOrcamento e ON "
            "e.NumeroDoOrcamento = o.NumeroDoOrcamento WHERE o.NumeroDoOrcamento = ?"),
        {numero});
    if (!q.next()) return std::nullopt;
    OrcamentoLido lido;
    lido.Cliente = q.value(0).toLongLong();
    lido.Animal = q.value(1).toLongLong();
    lido.Validade = Banco::DataDeIso(q.value(2).toString());
    lido.ValorLiquido = Banco::MoedaDe(q.value(3));
    if (!q.isNull(4)) lido.Alteracao = Banco::DataEHoraDeIso(q.value(4).toString());
    lido.EtapaGravada = q.isNull(5) ? ZELT_N_Orcamentos::Etapa::EmAberto : q.value(5).toString();
    // A database without a company renews for the registry's default.
    if (!q.isNull(6)) lido.DiasDeValidade = q.value(6).toInt();
    return lido;
}

// The quote's items in item order, each with its animal's name and its price today.
QList<ItemDoOrcamento> LerItens(qint64 numero, qint64 cliente) {
    QSqlQuery q = Banco::Executar(
        QStringLiteral("SELECT i.NumeroDoItemDoOrcamento, i.TipoDeLancamento, i.NumeroDoTipoDeServico, "
                       "i.CodigoDoServico, i.CodigoInternoDoProduto, i.CodigoDeBarrasDoProduto, "
                       "i.NomeDoServicoOuProduto, i.CodigoDoAnimal, a.Nome, i.Quantidade, i.ValorUnitario, "
                       "i.DescontoEmPercentual, i.DescontoEmValor, i.ValorTotal, i.Custo, i.TipoDeVenda, "
                       "i.Situacao FROM ItensDeOrcamento i LEFT JOIN Animais a ON a.Codigo = "
                       "i.CodigoDoAnimal WHERE i.NumeroDoOrcamento = ? ORDER BY i.NumeroDoItemDoOrcamento"),
        {numero});
    QList<ItemDoOrcamento> itens;
    QList<Item> gravados;
    while (q.next()) {
        ItemDoOrcamento lido;
        lido.Numero = q.value(0).toLongLong();
        Item& i = lido.Gravado;
        i.TipoDeLancamento = q.value(1).toInt();
        const bool servico = i.TipoDeLancamento == LancamentoDeServico;
        i.NumeroDoTipoDeServico = q.value(2).toInt();
        i.Codigo = q.value(servico ? 3 : 4).toLongLong();
        i.CodigoDeBarrasDoProduto = q.value(5).toString();
        i.Nome = q.value(6).toString();
        i.CodigoDoAnimal = q.value(7).toLongLong();
        lido.NomeDoAnimal = q.value(8).toString();
        i.Quantidade = Banco::MoedaDe(q.value(9));
        i.ValorUnitario = Banco::MoedaDe(q.value(10));
        i.DescontoEmPercentual = Banco::MoedaDe(q.value(11));
        i.DescontoEmValor = Banco::MoedaDe(q.value(12));
        i.ValorTotal = Banco::MoedaDe(q.value(13));
        i.Custo = Banco::MoedaDe(q.value(14));
        i.TipoDeVenda = q.value(15).toInt();
        i.Situacao = q.value(16).toInt();
        itens << lido;
        gravados << i;
    }
    if (itens.isEmpty()) return itens;
    const PrecosDoCadastro::Precos precos = PrecosDoCadastro::LerPrecos(gravados);
    const PrecosDoCadastro::Descontos descontos = PrecosDoCadastro::LerDescontos(cliente);
    for (ItemDoOrcamento& item : itens) {
        const std::optional<PrecosDoCadastro::Preco> preco = precos.De(item.Gravado);
        item.NoCadastro = preco && preco->Ativo;
        item.Hoje = item.NoCadastro ? PrecosDoCadastro::ComoDigitadoHoje(item.Gravado, *preco, descontos)
                                    : item.Gravado;
    }
    return itens;
}

bool MudouDePreco(const ItemDoOrcamento& item) {
    const Item &a = item.Gravado, &b = item.Hoje;
    return a.ValorUnitario != b.ValorUnitario || a.DescontoEmPercentual != b.DescontoEmPercentual ||
           a.DescontoEmValor != b.DescontoEmValor || a.ValorTotal != b.ValorTotal || a.Custo != b.Custo;
}

GravacaoDeOrcamentos::Totais TotaisDeHoje(const QList<ItemDoOrcamento>& itens) {
    QList<Item> hoje;
    for (const ItemDoOrcamento& item : itens)
        hoje << item.Hoje;
    return GravacaoDeOrcamentos::TotaisDosItens(hoje);
}

QVariant Dinheiro(VB::Currency valor) {
    return QVariant::fromValue(valor);
}

QString DataDoFormulario(const QDate& data) {
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

class clsRenovacaoDeValidadeNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsRenovacaoDeValidade> {
public:
    clsRenovacaoDeValidadeNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsRenovacaoDeValidade")) {}

    QVariant SelecionarItensAPrecosDeHoje(double numero) override {
        return Selecao("SelecionarItensAPrecosDeHoje", [&]() -> RecordsetPtr {
            auto recordset = std::make_shared<RecordsetEmMemoria>(Campos());
            const auto codigo = CodigoDoDouble(numero);
            const auto orcamento = codigo ? LerOrcamento(*codigo) : std::nullopt;
            DescreverOrcamento(orcamento);
            if (!orcamento) return recordset; // an unknown quote: an empty selection
            const QList<ItemDoOrcamento> itens = LerItens(*codigo, orcamento->Cliente);
            for (const ItemDoOrcamento& item : itens)
                recordset->AdicionarLinha(Linha(item));
            const GravacaoDeOrcamentos::Totais hoje = TotaisDeHoje(itens);
            ValorTotalDeHoje = hoje.ValorTotal;
            DescontoEmPercentualDeHoje = hoje.DescontoEmPercentual;
            DescontoEmValorDeHoje = hoje.DescontoEmValor;
            ValorLiquidoDeHoje = hoje.ValorLiquido;
            return recordset;
        });
    }

    qint16 RenovarValidade(double numero, const QString& novaValidade, bool reprecificar) override {
        return Estado("RenovarValidade", [&] { Renovar(numero, novaValidade, reprecificar); });
    }

private:
    static QStringList Campos() {
        return {QStringLiteral("NumeroDoItemDoOrcamento"),
                QStringLiteral("TipoDeLancamento"),
                QStringLiteral("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto"),
                QStringLiteral("CodigoDoServicoOuCodigoInternoDoProduto"),
                QStringLiteral("NomeDoServicoOuNomeDoProduto"),
                QStringLiteral("CodigoDoAnimal"),
                QStringLiteral("NomeDoAnimal"),
                QStringLiteral("Quantidade"),
                QStringLiteral("ValorUnitario"),
                QStringLiteral("DescontoEmPercentual"),
                QStringLiteral("DescontoEmValor"),
                QStringLiteral("ValorTotal"),
                QStringLiteral("Custo"),
                QStringLiteral("NoCadastro"),
                QStringLiteral("NovoValorUnitario"),
                QStringLiteral("NovoDescontoEmPercentual"),
                QStringLiteral("NovoDescontoEmValor"),
                QStringLiteral("NovoValorTotal"),
                QStringLiteral("NovoCusto")};
    }

    static QVariantList Linha(const ItemDoOrcamento& item) {
        const Item &a = item.Gravado, &b = item.Hoje;
        const bool servico = a.TipoDeLancamento == LancamentoDeServico;
        return {static_cast<double>(item.Numero),
                a.TipoDeLancamento,
                servico ? QString::number(a.NumeroDoTipoDeServico) : a.CodigoDeBarrasDoProduto,
                static_cast<double>(a.Codigo),
                a.Nome,
                static_cast<qint32>(a.CodigoDoAnimal),
                item.NomeDoAnimal,
                Dinheiro(a.Quantidade),
                Dinheiro(a.ValorUnitario),
                Dinheiro(a.DescontoEmPercentual),
                Dinheiro(a.DescontoEmValor),
                Dinheiro(a.ValorTotal),
                Dinheiro(a.Custo),
                item.NoCadastro,
                Dinheiro(b.ValorUnitario),
                Dinheiro(b.DescontoEmPercentual),
                Dinheiro(b.DescontoEmValor),
                Dinheiro(b.ValorTotal),
                Dinheiro(b.Custo)};
    }

    // The properties that describe the quote after a selection (all cleared for none).
    void DescreverOrcamento(const std::optional<OrcamentoLido>& orcamento) {
        CodigoDoCliente = orcamento ? static_cast<double>(orcamento->Cliente) : 0;
        CodigoDoAnimal = orcamento ? static_cast<qint32>(orcamento->Animal) : 0;
        DataDeValidadeDoOrcamento = orcamento ? DataDoFormulario(orcamento->Validade) : QString();
        DataDeValidadePadrao =
            orcamento ? DataDoFormulario(Relogio::Hoje().addDays(orcamento->DiasDeValidade)) : QString();
        DataEHoraDaAlteracaoLida =
            orcamento ? GravacaoDeOrcamentos::TextoDaDataEHora(orcamento->Alteracao) : QString();
        ValorLiquido = orcamento ? orcamento->ValorLiquido : VB::Currency();
        ValorTotalDeHoje = DescontoEmPercentualDeHoje = DescontoEmValorDeHoje = ValorLiquidoDeHoje = {};
    }

    void Renovar(double numero, const QString& novaValidade, bool reprecificar) {
        if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        const QString usuario = DadosDoUsuario->property("NomeDoUsuario").toString();
        const QDate hoje = Relogio::Hoje();
        const QDate validade = ValidacaoDoOrcamento::DataDeValidade(novaValidade);
        if (validade < hoje)
            Rejeitar(ValidacaoDoOrcamento::CampoValidade,
                     QStringLiteral("A nova data de validade (%1) não pode ser anterior a hoje (%2).")
                         .arg(DataDoFormulario(validade), DataDoFormulario(hoje)));
        Banco::UnidadeDeTrabalho unidade;
        const GravacaoDeOrcamentos::OrcamentoGravado gravado = GravacaoDeOrcamentos::LerParaAtualizar(
            numero, DataEHoraDaAlteracaoLida, QStringLiteral("A validade do orçamento não foi renovada"));
        if (gravado.Situacao != GravacaoDeOrcamentos::SituacaoAtivo)
            Rejeitar(ValidacaoDoOrcamento::CampoSituacao,
                     QStringLiteral("O orçamento %1 está inativo e não pode mais ser renovado.")
                         .arg(gravado.Numero));
        const OrcamentoLido orcamento = *LerOrcamento(gravado.Numero);
        const QString mostrada =
            EtapasDoOrcamento::EtapaMostrada(orcamento.EtapaGravada, orcamento.Validade, hoje);
        if (!EtapasDoOrcamento::Destino(EtapasDoOrcamento::Operacao::Renovacao, mostrada))
            Recusar(EtapasDoOrcamento::MensagemDeRecusa(gravado.Numero,
                                                        EtapasDoOrcamento::Operacao::Renovacao, mostrada));
        const QDateTime carimbo = GravacaoDeOrcamentos::CarimboSeguinte(gravado);
        QString totais;
        QVariantList parametros;
        if (reprecificar) {
            const QList<ItemDoOrcamento> itens = LerItens(gravado.Numero, orcamento.Cliente);
            for (const ItemDoOrcamento& item : itens)
                if (MudouDePreco(item)) AtualizarItem(gravado.Numero, item, carimbo, usuario);
            const GravacaoDeOrcamentos::Totais t = TotaisDeHoje(itens);
            totais = QStringLiteral("ValorTotal = ?, DescontoEmPercentual = ?, DescontoEmValor = ?, "
                                    "ValorLiquido = ?, ");
            parametros = {Banco::Moeda(t.ValorTotal), Banco::Moeda(t.DescontoEmPercentual),
                          Banco::Moeda(t.DescontoEmValor), Banco::Moeda(t.ValorLiquido)};
        }
        Banco::ExecutarComOProximo(
            QStringLiteral("UPDATE Orcamentos SET ") + totais +
                QStringLiteral("DataDeValidadeDoOrcamento = ?, DataEHoraDaAlteracao = ?, "
                               "UsuarioDaAlteracao = ? WHERE NumeroDoOrcamento = ?"),
            parametros + QVariantList{Banco::DataIso(validade), Banco::DataEHoraIso(carimbo), usuario,
                                      gravado.Numero});
        Historico::Registrar(gravado.Numero, ZELT_N_Orcamentos::OperacaoDoHistorico::Renovado, usuario);
        unidade.Confirmar();
        DataEHoraDaAlteracaoLida = GravacaoDeOrcamentos::TextoDaDataEHora(carimbo);
    }

    static void AtualizarItem(qint64 numero, const ItemDoOrcamento& item, const QDateTime& carimbo,
                              const QString& usuario) {
        const Item& i = item.Hoje;
        Banco::ExecutarComOProximo(
            QStringLiteral(
                "UPDATE ItensDeOrcamento SET ValorUnitario = ?, DescontoEmPercentual = ?, "
                "DescontoEmValor = ?, ValorTotal = ?, Custo = ?, DataEHoraDaAlteracao = ?, "
                "UsuarioDaAlteracao = ? WHERE NumeroDoOrcamento = ? AND NumeroDoItemDoOrcamento = ?"),
            {Banco::Moeda(i.ValorUnitario), Banco::Moeda(i.DescontoEmPercentual),
             Banco::Moeda(i.DescontoEmValor), Banco::Moeda(i.ValorTotal), Banco::Moeda(i.Custo),
             Banco::DataEHoraIso(carimbo), usuario, numero, item.Numero});
    }
};

} // namespace

std::unique_ptr<QObject> NovoRenovacaoDeValidade() {
    return std::make_unique<clsRenovacaoDeValidadeNoBanco>();
}

} // namespace Objetos
