#include "business/PrecosDoCadastro.h"

#include "business/Banco.h"
#include "business/Relogio.h"

#include <QSqlQuery>
#include <QVariantList>

namespace PrecosDoCadastro {
namespace {

using GradeDeItens::LancamentoDeServico;

const QString DuasCasas = QStringLiteral("#,##0.00");

// A value as the record form writes it in a grid cell ("#,##0.00") and reads it back.
VB::Currency EmCentavos(const QVariant& valor) {
    return VB::CCur(VB::Format(valor, DuasCasas));
}

} // namespace

std::optional<Preco> Precos::De(const GravacaoDeOrcamentos::Item& item) const {
    const QHash<qint64, Preco>& doTipo = item.TipoDeLancamento == LancamentoDeServico ? Servicos : Produtos;
    const auto preco = doTipo.constFind(item.Codigo);
    return preco == doTipo.cend() ? std::nullopt : std::optional(*preco);
}

std::optional<QSqlQuery> LerPorCodigos(const QString& colunasDoServico, const QVariantList& servicos,
                                       const QString& colunasDoProduto, const QVariantList& produtos) {
    const auto lista = [](const QVariantList& codigos) {
        return QStringList(codigos.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    };
    QStringList partes;
    if (!servicos.isEmpty())
        partes << QStringLiteral("SELECT 1, Codigo, %1 FROM Servicos WHERE Codigo IN (%2)")
                      .arg(colunasDoServico, lista(servicos));
    if (!produtos.isEmpty())
        partes << QStringLiteral("SELECT 2, CodigoInterno, %1 FROM Produtos WHERE CodigoInterno IN (%2)")
                      .arg(colunasDoProduto, lista(produtos));
    if (partes.isEmpty()) return std::nullopt;
    return Banco::Executar(partes.join(QStringLiteral(" UNION ALL ")), servicos + produtos);
}

Precos LerPrecos(const QList<GravacaoDeOrcamentos::Item>& itens) {
    QVariantList servicos, produtos;
    for (const GravacaoDeOrcamentos::Item& item : itens) {
        QVariantList& codigos = item.TipoDeLancamento == LancamentoDeServico ? servicos : produtos;
        if (!codigos.contains(item.Codigo)) codigos << item.Codigo;
    }
    Precos precos;
    std::optional<QSqlQuery> q =
        LerPorCodigos(QStringLiteral("ValorDeVenda, Custo, Situacao"), servicos,
                      QStringLiteral("ValorDeVenda, ValorDeCusto, Situacao"), produtos);
    while (q && q->next())
        (q->value(0).toInt() == LancamentoDeServico ? precos.Servicos : precos.Produtos)
            .insert(q->value(1).toLongLong(),
                    {Banco::MoedaDe(q->value(2)), Banco::MoedaDe(q->value(3)), q->value(4).toInt() == 1});
    return precos;
}

VB::Currency Descontos::Permitido(const GravacaoDeOrcamentos::Item& item) const {
    if (item.TipoDeLancamento != LancamentoDeServico) return PromocaoDeProduto;
    const VB::Currency doCliente = Unico ? PercentualUnico : PorTipo.value(item.NumeroDoTipoDeServico);
    return std::max(doCliente, PromocaoDeServico);
}

VB::Currency Descontos::Digitado(const GravacaoDeOrcamentos::Item& item) const {
    if (item.TipoDeLancamento != LancamentoDeServico) return {};
    const VB::Currency doCliente = Unico ? PercentualUnico : PorTipo.value(item.NumeroDoTipoDeServico);
    return std::max(VB::Currency::DeInteiro(VB::CLng(QVariant::fromValue(doCliente))), PromocaoDeServico);
}

Descontos LerDescontos(qint64 codigoDoCliente) {
    // The client and the company side by side: a missing one reads as no discount.
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT c.DescontoUnico, c.PercentualUnicoDeDescontos, c.PercentualDeDescontoEmClinicos, "
            "c.PercentualDeDescontoEmCirurgiaSimples, c.PercentualDeDescontoEmCirurgiaMedia, "
            "c.PercentualDeDescontoEmCirurgiaComplexa, c.PercentualDeDescontoEmBanhosTosasEEsteticas, "
            "c.PercentualDeDescontoEmHospedagens, c.PercentualDeDescontoEmAdestramentos, "
            "c.PercentualDeDescontoEmOutros, e.DataInicialDaPromocao, e.DataFinalDaPromocao, "
            "e.PercPromocaoDeDescontoNaVendaDeServico, e.PercPromocaoDeDescontoNaVendaDeProduto "
            "FROM (SELECT 1 AS Um) x LEFT JOIN Clientes c ON c.CodigoDoCliente = ? LEFT JOIN "
            "(SELECT * FROM Empresa ORDER BY Codigo LIMIT 1) e ON TRUE"),
        {codigoDoCliente});
    Descontos descontos;
    if (!q.next()) return descontos;
    descontos.Unico = q.value(0).toInt() == 1;
    descontos.PercentualUnico = Banco::MoedaDe(q.value(1));
    // The service types the form knows a client's percentage for, in the columns' order.
    const qint32 tipos[] = {1, 2, 3, 4, 5, 6, 7, 99};
    for (int i = 0; i < 8; ++i)
        descontos.PorTipo.insert(tipos[i], Banco::MoedaDe(q.value(2 + i)));
    const QDate inicio = Banco::DataDeIso(q.value(10).toString());
    const QDate fim = Banco::DataDeIso(q.value(11).toString());
    const QDate hoje = Relogio::Hoje();
    if (inicio.isValid() && fim.isValid() && inicio <= hoje && hoje <= fim) {
        descontos.PromocaoDeServico = Banco::MoedaDe(q.value(12));
        descontos.PromocaoDeProduto = Banco::MoedaDe(q.value(13));
    }
    return descontos;
}

GravacaoDeOrcamentos::Item ComoDigitadoHoje(const GravacaoDeOrcamentos::Item& gravado, const Preco& preco,
                                            const Descontos& descontos) {
    GravacaoDeOrcamentos::Item item = gravado;
    item.ValorUnitario = preco.ValorDeVenda;
    item.Custo = preco.Custo;
    item.DescontoEmPercentual = descontos.Digitado(item);
    // As the form's discount box follows its percentage box, and its add command writes
    // the item's total: each written to the cent.
    const VB::Currency bruto = item.Quantidade * item.ValorUnitario;
    item.DescontoEmValor = EmCentavos(item.DescontoEmPercentual.ParaDouble() / 100 * bruto.ParaDouble());
    item.ValorTotal = EmCentavos(QVariant::fromValue(VB::Currency::DeDouble(
        item.Quantidade.ParaDouble() * item.ValorUnitario.ParaDouble() - item.DescontoEmValor.ParaDouble())));
    return item;
}

} // namespace PrecosDoCadastro
