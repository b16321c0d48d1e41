#pragma once
// What the registry says an item costs a client today: the sale price and cost of a
// service or product, the client's standing discounts and the company's promotion.
// Read here once for the checks of a save (ValidacaoDoOrcamento: what a user without
// the counter's permissions may give) and for a quote re-priced at today's prices (a
// renewal, a copy), so that both follow the record form's own rules.

#include "business/GravacaoDeOrcamentos.h"

#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QVariantList>
#include <optional>

namespace PrecosDoCadastro {

// A service's or product's row in the registry.
struct Preco {
    VB::Currency ValorDeVenda, Custo;
    bool Ativo = false;
};

// The registry's rows of every service and product the items name.
struct Precos {
    QHash<qint64, Preco> Servicos, Produtos;
    // The item's row; nothing when the registry has none.
    std::optional<Preco> De(const GravacaoDeOrcamentos::Item& item) const;
};
// Read with one statement, whatever the number of items.
Precos LerPrecos(const QList<GravacaoDeOrcamentos::Item>& itens);

// One statement over the services and the products of these codes, a row each: 1 for a
// service or 2 for a product, its code, then the columns named for its table; nothing
// when both lists are empty.
std::optional<QSqlQuery> LerPorCodigos(const QString& colunasDoServico, const QVariantList& servicos,
                                       const QString& colunasDoProduto, const QVariantList& produtos);

// The discounts the registry grants a client, and the company's promotion while it runs
// (the business clock's today).
struct Descontos {
    bool Unico = false;
    VB::Currency PercentualUnico;
    QHash<qint32, VB::Currency> PorTipo; // by service type: 1 to 7 and 99
    VB::Currency PromocaoDeServico, PromocaoDeProduto;

    // The largest percentage a user without the discount permission may give on the
    // item: for a service the client's (single or for the service's type) or the
    // promotion's, the larger; for a product the promotion's.
    VB::Currency Permitido(const GravacaoDeOrcamentos::Item& item) const;
    // The percentage the record form puts in an item typed now: for a service the
    // client's percentage as the form holds it (a whole number, rounded half to even,
    // frmFicha's client fields), raised to the promotion's while it runs; for a product
    // none (the form applies the client's discounts and the promotion to services only).
    VB::Currency Digitado(const GravacaoDeOrcamentos::Item& item) const;
};
// The client's and the company's, read with one statement.
Descontos LerDescontos(qint64 codigoDoCliente);

// The item as the record form would add it now, quantity and animal kept: the registry's
// price and cost, the percentage typed (Digitado), the discount value following it
// (percentage ÷ 100 × quantity × unit value, to the cent) and the item's total
// (quantity × unit value − discount, to the cent), as the add command writes its cells.
GravacaoDeOrcamentos::Item ComoDigitadoHoje(const GravacaoDeOrcamentos::Item& item, const Preco& preco,
                                            const Descontos& descontos);

} // namespace PrecosDoCadastro
