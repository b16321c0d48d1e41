#pragma once
// The rows of a quote as they are stored, and the two inserts that store them. The
// quotes object and the demonstration data both write through here.

#include "contracts/IGradeDeItens.h"
#include "contracts/VB.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace GravacaoDeOrcamentos {

// Quote situations: 1 active (may be changed and deleted), 2 inactive (closed:
// kept for the record, no longer changed nor deleted).
constexpr qint32 SituacaoAtivo = 1;
constexpr qint32 SituacaoInativo = 2;
QString NomeDaSituacao(qint32 situacao); // "Ativo", "Inativo"

// The stored columns of a quote (Orcamentos) and of an item (ItensDeOrcamento) after
// their leading NumeroDoOrcamento, in the tables' order: named once, here, for the
// inserts below, the history's copies and restorations (Historico) and the benchmark's
// generator. A column added to a table is added here, or the tests that compare these
// lists with the tables fail.
extern const QStringList ColunasDoOrcamento;
extern const QStringList ColunasDoItem;

// "INSERT INTO tabela (colunas) VALUES (?, ...)", with linhas rows of parameters.
QString Insercao(const QString& tabela, const QStringList& colunas, qsizetype linhas = 1);

struct Item {
    // GradeDeItens::LancamentoDeServico or GradeDeItens::LancamentoDeProduto
    qint32 TipoDeLancamento = GradeDeItens::LancamentoDeServico;
    qint64 Codigo = 0;                // service code or product internal code
    qint32 NumeroDoTipoDeServico = 0; // services only
    QString CodigoDeBarrasDoProduto;  // products only: the code the item was found by
    QString Nome;                     // the service's or product's name when stored
    qint64 CodigoDoAnimal = 0;
    VB::Currency Quantidade, ValorUnitario, DescontoEmPercentual, DescontoEmValor, ValorTotal, Custo;
    qint32 TipoDeVenda = 1;
    qint32 Situacao = 1;
};

struct Cabecalho {
    QDate DataDoOrcamento;
    qint64 CodigoDoCliente = 0;
    qint64 CodigoDoAnimal = 0;
    VB::Currency ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido;
    QDate DataDeValidadeDoOrcamento;
    qint32 Situacao = SituacaoAtivo;
    QDateTime DataEHoraDaInclusao;
    QString UsuarioDaInclusao;
    QDateTime DataEHoraDaAlteracao; // invalid: never changed
    QString UsuarioDaAlteracao;
};

// A quote's header totals are always the sums of its stored items: net value Σ item
// totals, discount Σ item discounts, total their sum (each item's total plus its
// discount, its quantity × unit value as stored to the cent), percentage discount × 100
// ÷ total, to two decimals, as the record form shows it. Whatever writes a quote stores
// these, never totals handed in: the sheet's lines add up to its header exactly.
struct Totais {
    VB::Currency ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido;
};
Totais TotaisDosItens(const QList<Item>& itens);
// The totals of the items the quote holds now, read inside the caller's unit of work.
Totais TotaisGravados(qint64 numeroDoOrcamento);

// Inserts the quote and its items (numbered 1, 2, ...) and answers its number.
// Runs inside the caller's unit of work.
qint64 InserirOrcamento(const Cabecalho& cabecalho, const QList<Item>& itens);
// Inserts items numbered from primeiroNumero on, with the given inclusion stamp, in as
// few statements as the database takes: a quote's items travel together instead of one
// round trip each.
// Inside a unit of work, on PostgreSQL, the INSERTs travel with the unit's next statement
// (Banco::ExecutarComOProximo).
void InserirItens(qint64 numeroDoOrcamento, qint64 primeiroNumero, const QList<Item>& itens,
                  const QDateTime& inclusao, const QString& usuario);
// Rows one INSERT of items carries. Measured on a 100-item quote: PostgreSQL's save
// falls from 57 to about 27 ms with 100 rows a statement; SQLite's binding grows faster
// than the rows beyond a few dozen (100 rows: 25 ms, one row: 13 ms), and 25 rows give
// both their best (SQLite 10 ms).
inline constexpr qsizetype ItensPorInsercao = 25;
// PostgreSQL's: a server far away pays a round trip a statement, so a quote's items go
// in one (1000 rows of 21 values stay far below its 65535 parameters).
inline constexpr qsizetype ItensPorInsercaoNoServidor = 1000;
// The INSERT of n items.
QString InsercaoDeItens(qsizetype n);

} // namespace GravacaoDeOrcamentos
