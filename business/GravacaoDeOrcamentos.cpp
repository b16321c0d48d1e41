#include "business/GravacaoDeOrcamentos.h"

#include "business/Banco.h"

namespace GravacaoDeOrcamentos {

QString NomeDaSituacao(qint32 situacao) {
    return situacao == SituacaoAtivo ? QStringLiteral("Ativo") : QStringLiteral("Inativo");
}

Totais TotaisDosItens(const QList<Item>& itens) {
    const QString duasCasas = QStringLiteral("#,##0.00");
    Totais totais;
    for (const Item& item : itens) {
        totais.ValorLiquido += item.ValorTotal;
        totais.DescontoEmValor += item.DescontoEmValor;
    }
    totais.ValorTotal = totais.ValorLiquido + totais.DescontoEmValor;
    const VB::Currency totalMostrado =
        VB::CCur(VB::Format(QVariant::fromValue(totais.ValorTotal), duasCasas));
    if (totalMostrado != VB::Currency{})
        totais.DescontoEmPercentual =
            VB::CCur(VB::Format((totais.DescontoEmValor * 100) / totalMostrado, duasCasas));
    return totais;
}

Totais TotaisGravados(qint64 numeroDoOrcamento) {
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT ValorTotal, DescontoEmValor FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
        {numeroDoOrcamento});
    QList<Item> itens;
    while (q.next()) {
        Item item;
        item.ValorTotal = Banco::MoedaDe(Banco::Coluna(q, "ValorTotal"));
        item.DescontoEmValor = Banco::MoedaDe(Banco::Coluna(q, "DescontoEmValor"));
        itens << item;
    }
    return TotaisDosItens(itens);
}

qint64 InserirOrcamento(const Cabecalho& c, const QList<Item>& itens) {
    const qint64 numero = Banco::InserirComChave(
        QStringLiteral(
            "INSERT INTO Orcamentos (DataDoOrcamento, CodigoDoCliente, CodigoDoAnimal, ValorTotal, "
            "DescontoEmPercentual, DescontoEmValor, ValorLiquido, DataDeValidadeDoOrcamento, Situacao, "
            "UltimoNumeroDeItem, DataEHoraDaInclusao, UsuarioDaInclusao, DataEHoraDaAlteracao, "
            "UsuarioDaAlteracao) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {Banco::DataIso(c.DataDoOrcamento), c.CodigoDoCliente,
         c.CodigoDoAnimal > 0 ? QVariant(c.CodigoDoAnimal) : Banco::Nulo(), Banco::Moeda(c.ValorTotal),
         Banco::Moeda(c.DescontoEmPercentual), Banco::Moeda(c.DescontoEmValor), Banco::Moeda(c.ValorLiquido),
         Banco::DataIso(c.DataDeValidadeDoOrcamento), c.Situacao, static_cast<qint64>(itens.size()),
         Banco::DataEHoraIso(c.DataEHoraDaInclusao), c.UsuarioDaInclusao,
         c.DataEHoraDaAlteracao.isValid() ? QVariant(Banco::DataEHoraIso(c.DataEHoraDaAlteracao))
                                          : Banco::Nulo(),
         c.DataEHoraDaAlteracao.isValid() ? QVariant(c.UsuarioDaAlteracao) : Banco::Nulo()},
        QStringLiteral("NumeroDoOrcamento"));
    InserirItens(numero, 1, itens, c.DataEHoraDaInclusao, c.UsuarioDaInclusao);
    return numero;
}

QString InsercaoDeItens(qsizetype n) {
    QStringList linhas;
    for (qsizetype i = 0; i < n; ++i)
        linhas << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    return QStringLiteral(
               "INSERT INTO ItensDeOrcamento (NumeroDoOrcamento, NumeroDoItemDoOrcamento, "
               "TipoDeLancamento, NumeroDoTipoDeServico, CodigoDoServico, CodigoInternoDoProduto, "
               "CodigoDeBarrasDoProduto, NomeDoServicoOuProduto, CodigoDoAnimal, Quantidade, "
               "ValorUnitario, DescontoEmPercentual, DescontoEmValor, ValorTotal, Custo, TipoDeVenda, "
               "Situacao, DataEHoraDaInclusao, UsuarioDaInclusao) VALUES ") +
           linhas.join(QStringLiteral(", "));
}

void InserirItens(qint64 numeroDoOrcamento, qint64 primeiroNumero, const QList<Item>& itens,
                  const QDateTime& inclusao, const QString& usuario) {
    for (qsizetype inicio = 0; inicio < itens.size(); inicio += ItensPorInsercao) {
        const qsizetype n = std::min(ItensPorInsercao, itens.size() - inicio);
        QVariantList parametros;
        parametros.reserve(n * 19);
        for (qsizetype i = inicio; i < inicio + n; ++i) {
            const Item& item = itens.at(i);
            const bool servico = item.TipoDeLancamento == GradeDeItens::LancamentoDeServico;
            parametros << numeroDoOrcamento << primeiroNumero + i << item.TipoDeLancamento
                       << (servico ? QVariant(item.NumeroDoTipoDeServico) : Banco::Nulo())
                       << (servico ? QVariant(item.Codigo) : Banco::Nulo())
                       << (servico ? Banco::Nulo() : QVariant(item.Codigo))
                       << (servico ? QString() : item.CodigoDeBarrasDoProduto) << item.Nome
                       << (item.CodigoDoAnimal > 0 ? QVariant(item.CodigoDoAnimal) : Banco::Nulo())
                       << Banco::Moeda(item.Quantidade) << Banco::Moeda(item.ValorUnitario)
                       << Banco::Moeda(item.DescontoEmPercentual) << Banco::Moeda(item.DescontoEmValor)
                       << Banco::Moeda(item.ValorTotal) << Banco::Moeda(item.Custo) << item.TipoDeVenda
                       << item.Situacao << Banco::DataEHoraIso(inclusao) << usuario;
        }
        Banco::Executar(InsercaoDeItens(n), parametros);
    }
}

} // namespace GravacaoDeOrcamentos
