#pragma once
// The floors: the statements the business layer runs for each measured operation,
// written out here so that they can be run straight on its connection with nothing
// of ours around them. They follow business/ text for text; on SQLite every
// benchmark checks that (Rastro::ConferirPiso) before it measures, so a change in
// the business layer that is not carried here shows up as "PISO DIFERE" in the
// results instead of a silently wrong ratio.
//
// Also the plain LIKE reference of the text searches: a contains-search written as
// LIKE '%...%' over the same columns, compared row by row (on PostgreSQL with its
// trigram indexes set aside).

#include "bench/business/Medicao.h"

#include <QDate>
#include <QDateTime>

namespace Referencia {

using Medicao::Comando;

// The quotes list: the count and the first page (a selection shown), or one page.
QList<Comando> ContagemEPaginaDaLista(qint32 situacao, const QString& texto, int tamanhoDaPagina);
// total: the selection's count (a page far from the start and nearer the end is read
// backwards).
Comando PaginaDaLista(qint32 situacao, const QString& texto, int tamanhoDaPagina, int pagina, int total);
// The same search as a plain LIKE '%...%' over the quote number, the client code and
// the client's two normalised names: count and first page.
QList<Comando> ListaComLikeSimples(qint32 situacao, const QString& texto, int tamanhoDaPagina);

// Lookups: count and the first page of 10 rows.
QList<Comando> ClientesPorApelidoOuNome(const QString& texto);
QList<Comando> ClientesComLikeSimples(const QString& texto);
QList<Comando> ProdutosPorCodigoDeBarras(const QString& codigoDeBarras);
QList<Comando> ProdutosPorNome(const QString& nome);
QList<Comando> ProdutosComLikeSimples(const QString& nome);
QList<Comando> ServicosPorTipoENome(qint32 tipo, const QString& nome);
QList<Comando> ServicosComLikeSimples(qint32 tipo, const QString& nome);

// Saving a new quote: what clsOrcamentos.Adicionar runs, checks and writes alike.
struct ItemGravado {
    bool Servico = true;
    qint64 Codigo = 0;
    qint32 TipoDeServico = 0; // services
    QString CodigoDeBarras;   // products
    QString Nome;
    qint64 CodigoDoAnimal = 0;
    qint64 Quantidade = 0, ValorUnitario = 0, DescontoEmPercentual = 0, DescontoEmValor = 0, ValorTotal = 0,
           Custo = 0; // ten-thousandths
};
struct OrcamentoGravado {
    qint64 CodigoDoCliente = 0, CodigoDoAnimal = 0;
    qint64 ValorTotal = 0, DescontoEmPercentual = 0, DescontoEmValor = 0, ValorLiquido = 0;
    QDate Data, Validade;
    QDateTime Inclusao;
    QString Usuario;
    QList<ItemGravado> Itens;
};
QList<Comando> GravarOrcamento(const OrcamentoGravado& orcamento);

// Removing one item: what clsOrcItens.Excluir runs (the quote read for the change, the
// totals of the items left, the new stamp).
QList<Comando> ExcluirItem(qint64 orcamento, qint64 item, qint64 valorTotal, qint64 descontoEmValor,
                           qint64 descontoEmPercentual, qint64 valorLiquido, const QString& usuario);

// Opening a stored quote in the record form's change mode: the company's settings, the
// service types, the quote's items as the form's grid is filled (its first page, then
// the rest read ahead), the client's active animals. The counts tell which pages the
// recordsets read.
struct FichaDeAlteracao {
    qint64 Orcamento = 0, Cliente = 0;
    int Empresas = 1, TiposDeServico = 0, Itens = 0, Animais = 0;
    int ItensPorPagina = 0; // the rows of one page of the form's grid
};
QList<Comando> AbrirFichaDeAlteracao(const FichaDeAlteracao& ficha);

} // namespace Referencia
