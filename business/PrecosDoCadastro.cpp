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

QHash<qint64, Preco> Precos(const QList<GravacaoDeOrcamentos::Item>& itens, qint32 lancamento) {
    QVariantList codigos;
    for (const GravacaoDeOrcamentos::Item& item : itens)
        if (item.TipoDeLancamento == lancamento && !codigos.contains(item.Codigo)) codigos << item.Codigo;
    QHash<qint64, Preco> precos;
    if (codigos.isEmpty()) return precos;
    const QString lista = QStringList(codigos.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    QSqlQuery q = Banco::Executar(
        lancamento == LancamentoDeServico
            ? QStringLiteral(
                  "SELECT Codigo, ValorDeVenda, Custo, Situacao FROM Servicos WHERE Codigo IN (%1)")
                  .arg(lista)
            : QStringLiteral("SELECT CodigoInterno, ValorDeVenda, ValorDeCusto, Situacao FROM Produtos WHERE "
                             "CodigoInterno IN (%1)")
                  .arg(lista),
        codigos);
    while (q.next())
        precos.insert(q.value(0).toLongLong(),
                      {Banco::MoedaDe(q.value(1)), Banco::MoedaDe(q.value(2)), q.value(3).toInt() == 1});
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
    Descontos descontos;
    QSqlQuery c = Banco::Executar(
        QStringLiteral("SELECT DescontoUnico, PercentualUnicoDeDescontos, PercentualDeDescontoEmClinicos, "
                       "PercentualDeDescontoEmCirurgiaSimples, PercentualDeDescontoEmCirurgiaMedia, "
                       "PercentualDeDescontoEmCirurgiaComplexa, PercentualDeDescontoEmBanhosTosasEEsteticas, "
                       "PercentualDeDescontoEmHospedagens, PercentualDeDescontoEmAdestramentos, "
                       "PercentualDeDescontoEmOutros FROM Clientes WHERE CodigoDoCliente = ?"),
        {codigoDoCliente});
    if (c.next()) {
        descontos.Unico = c.value(0).toInt() == 1;
        descontos.PercentualUnico = Banco::MoedaDe(c.value(1));
        // The service types the form knows a client's percentage for, in the columns' order.
        const qint32 tipos[] = {1, 2, 3, 4, 5, 6, 7, 99};
        for (int i = 0; i < 8; ++i)
            descontos.PorTipo.insert(tipos[i], Banco::MoedaDe(c.value(2 + i)));
    }
    QSqlQuery e = Banco::Executar(QStringLiteral(
        "SELECT DataInicialDaPromocao, DataFinalDaPromocao, PercPromocaoDeDescontoNaVendaDeServico, "
        "PercPromocaoDeDescontoNaVendaDeProduto FROM Empresa"));
    if (e.next()) {
        const QDate inicio = Banco::DataDeIso(e.value(0).toString());
        const QDate fim = Banco::DataDeIso(e.value(1).toString());
        const QDate hoje = Relogio::Hoje();
        if (inicio.isValid() && fim.isValid() && inicio <= hoje && hoje <= fim) {
            descontos.PromocaoDeServico = Banco::MoedaDe(e.value(2));
            descontos.PromocaoDeProduto = Banco::MoedaDe(e.value(3));
        }
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
