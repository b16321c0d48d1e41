#pragma once
// The printed sheet of one quote: the company's name, the title and the quote's
// number; the client (code, nickname or trade name, name or company name) and the
// quote's values (total, discount as a percentage and as a value, net value); then
// its items, one to a row (service or product, animal, quantity, unit value,
// discount, net total; the quantity as a whole number for a service and with three
// decimals for a product, by the row's TipoDeLancamento), repeated under the same heading on every page, with
// the application's name and the page number at the foot. The list fills the labels, the heading "Item" or
// "Itens" and the data source.
//
// After the last item, once, the section RodapeDoOrcamento says what a quote must state
// to its client: "Válido até dd/mm/aaaa", the payment conditions (three lines), the
// clinic (name and CNPJ, address, phone) and, for an approved quote with a deposit, the
// deposit's line, whether it is refundable, the PIX QR code (3.2 cm) and its "copia e
// cola" text (three lines). RodapeDaFicha fills it; without a deposit that block is
// hidden and the section ends above it (AlturaSemSinal).
//
// Under the items, for a quote whose items "se necessário" make it a range, the section
// EstimativaDoOrcamento: "Estimativa: de R$ A a R$ B" and the names of those items.
//
// Between the items and that section, for an approved quote only, the section
// AprovacaoDoOrcamento: the items the client declined (out of the approved total), the
// approved total, who approved and how (a CPF masked), the signature and the deposit
// received. RodapeDaFicha shows the lines that apply, stacks them and sets the
// section's height; a quote not approved leaves the section hidden.

#include "platform/reports/DataReport.h"

#include <QStringList>

class drFicha : public DataReport {
    Q_OBJECT
public:
    explicit drFicha(QObject* pai = nullptr);

    static constexpr int AlturaSemSinal = 2350;
    static constexpr int AlturaComSinal = 5200;
    // The deposit block's controls, shown only with a deposit.
    static const QStringList ControlesDoSinal;
    // Characters a line of the payment conditions and of the "copia e cola" holds.
    static constexpr int CaracteresPorLinhaDasCondicoes = 100;
    static constexpr int CaracteresPorLinhaDoPix = 80;

    // The approval section's controls, in the order they stack (each shown only when it
    // applies); the signature is at most this high, and as wide as its aspect makes it.
    static const QStringList ControlesDaAprovacao;
    static constexpr int AlturaDaAssinatura = 900;
    static constexpr int LarguraMaximaDaAssinatura = 4000;
    static constexpr int CaracteresPorLinhaDosRecusados = 110;

private:
    void EstimativaDoOrcamento(Section* secao);
    void AprovacaoDoOrcamento(Section* secao);
    void RodapeDoOrcamento(Section* secao);
};
