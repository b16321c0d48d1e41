#include "business/GravacaoDeOrcamentos.h"

#include "business/Banco.h"

namespace GravacaoDeOrcamentos {

const QStringList ColunasDoOrcamento{QStringLiteral("DataDoOrcamento"),
                                     QStringLiteral("CodigoDoCliente"),
                                     QStringLiteral("CodigoDoAnimal"),
                                     QStringLiteral("ValorTotal"),
                                     QStringLiteral("DescontoEmPercentual"),
                                     QStringLiteral("DescontoEmValor"),
                                     QStringLiteral("ValorLiquido"),
                                     QStringLiteral("DataDeValidadeDoOrcamento"),
                                     QStringLiteral("Situacao"),
                                     QStringLiteral("UltimoNumeroDeItem"),
                                     QStringLiteral("DataEHoraDaInclusao"),
                                     QStringLiteral("UsuarioDaInclusao"),
                                     QStringLiteral("DataEHoraDaAlteracao"),
                                     QStringLiteral("UsuarioDaAlteracao")};

const QStringList ColunasDoItem{QStringLiteral("NumeroDoItemDoOrcamento"),
                                QStringLiteral("TipoDeLancamento"),
                                QStringLiteral("NumeroDoTipoDeServico"),
                                QStringLiteral("CodigoDoServico"),
                                QStringLiteral("CodigoInternoDoProduto"),
                                QStringLiteral("CodigoDeBarrasDoProduto"),
                                QStringLiteral("NomeDoServicoOuProduto"),
                                QStringLiteral("CodigoDoAnimal"),
                                QStringLiteral("Quantidade"),
                                QStringLiteral("ValorUnitario"),
                                QStringLiteral("DescontoEmPercentual"),
                                QStringLiteral("DescontoEmValor"),
                                QStringLiteral("ValorTotal"),
                                QStringLiteral("Custo"),
                                QStringLiteral("TipoDeVenda"),
                                QStringLiteral("Situacao"),
                                QStringLiteral("DataEHoraDaInclusao"),
                                QStringLiteral("UsuarioDaInclusao"),
                                QStringLiteral("DataEHoraDaAlteracao"),
                                QStringLiteral("UsuarioDaAlteracao")};

QString Insercao(const QString& tabela, const QStringList& colunas, qsizetype linhas) {
    const QString linha =
        u'(' + QStringList(colunas.size(), QStringLiteral("?")).join(QStringLiteral(", ")) + u')';
    return QStringLiteral("INSERT INTO ") + tabela + QStringLiteral(" (") +
           colunas.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ") +
           QStringList(linhas, linha).join(QStringLiteral(", "));
}

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

namespace {

const QStringList ColunasDoItemInserido = QStringList{QStringLiteral("NumeroDoOrcamento")} + ColunasDoItem;

// An item's row in the order of ColunasDoItemInserido; a new item was never changed.
QVariantList LinhaDoItem(qint64 numeroDoOrcamento, qint64 numeroDoItem, const Item& item,
                         const QVariant& inclusao, const QString& usuario) {
    const bool servico = item.TipoDeLancamento == GradeDeItens::LancamentoDeServico;
    return {numeroDoOrcamento,
            numeroDoItem,
            item.TipoDeLancamento,
            servico ? QVariant(item.NumeroDoTipoDeServico) : Banco::Nulo(),
            servico ? QVariant(item.Codigo) : Banco::Nulo(),
            servico ? Banco::Nulo() : QVariant(item.Codigo),
            servico ? QString() : item.CodigoDeBarrasDoProduto,
            item.Nome,
            item.CodigoDoAnimal > 0 ? QVariant(item.CodigoDoAnimal) : Banco::Nulo(),
            Banco::Moeda(item.Quantidade),
            Banco::Moeda(item.ValorUnitario),
            Banco::Moeda(item.DescontoEmPercentual),
            Banco::Moeda(item.DescontoEmValor),
            Banco::Moeda(item.ValorTotal),
            Banco::Moeda(item.Custo),
            item.TipoDeVenda,
            item.Situacao,
            inclusao,
            usuario,
            Banco::Nulo(),
            Banco::Nulo()};
}

} // namespace

qint64 InserirOrcamento(const Cabecalho& c, const QList<Item>& itens) {
    // In the order of ColunasDoOrcamento.
    const QVariantList valores{
        Banco::DataIso(c.DataDoOrcamento),
        c.CodigoDoCliente,
        c.CodigoDoAnimal > 0 ? QVariant(c.CodigoDoAnimal) : Banco::Nulo(),
        Banco::Moeda(c.ValorTotal),
        Banco::Moeda(c.DescontoEmPercentual),
        Banco::Moeda(c.DescontoEmValor),
        Banco::Moeda(c.ValorLiquido),
        Banco::DataIso(c.DataDeValidadeDoOrcamento),
        c.Situacao,
        static_cast<qint64>(itens.size()),
        Banco::DataEHoraIso(c.DataEHoraDaInclusao),
        c.UsuarioDaInclusao,
        c.DataEHoraDaAlteracao.isValid() ? QVariant(Banco::DataEHoraIso(c.DataEHoraDaAlteracao))
                                         : Banco::Nulo(),
        c.DataEHoraDaAlteracao.isValid() ? QVariant(c.UsuarioDaAlteracao) : Banco::Nulo()};
    Q_ASSERT(valores.size() == ColunasDoOrcamento.size());
    const qint64 numero = Banco::InserirComChave(Insercao(QStringLiteral("Orcamentos"), ColunasDoOrcamento),
                                                 valores, QStringLiteral("NumeroDoOrcamento"));
    InserirItens(numero, 1, itens, c.DataEHoraDaInclusao, c.UsuarioDaInclusao);
    return numero;
}

QString InsercaoDeItens(qsizetype n) {
    return Insercao(QStringLiteral("ItensDeOrcamento"), ColunasDoItemInserido, n);
}

void InserirItens(qint64 numeroDoOrcamento, qint64 primeiroNumero, const QList<Item>& itens,
                  const QDateTime& inclusao, const QString& usuario) {
    const QVariant textoDaInclusao = Banco::DataEHoraIso(inclusao);
    const qsizetype porInsercao =
        Banco::DialetoAtual().EhSQLite() ? ItensPorInsercao : ItensPorInsercaoNoServidor;
    for (qsizetype inicio = 0; inicio < itens.size(); inicio += porInsercao) {
        const qsizetype n = std::min(porInsercao, itens.size() - inicio);
        QVariantList parametros;
        parametros.reserve(n * ColunasDoItemInserido.size());
        for (qsizetype i = inicio; i < inicio + n; ++i)
            parametros << LinhaDoItem(numeroDoOrcamento, primeiroNumero + i, itens.at(i), textoDaInclusao,
                                      usuario);
        Q_ASSERT(parametros.size() == n * ColunasDoItemInserido.size());
        Banco::ExecutarComOProximo(InsercaoDeItens(n), parametros);
    }
}

} // namespace GravacaoDeOrcamentos
