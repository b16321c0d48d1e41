#pragma once
// The printed sheet of one quote: the company's name, the title and the quote's
// number; the client (code, nickname or trade name, name or company name) and the
// quote's values (total, discount as a percentage and as a value, net value); then
// its items, one to a row (service or product, animal, quantity, unit value,
// discount, net total; the quantity as a whole number for a service and with three
// decimals for a product, by the row's TipoDeLancamento), repeated under the same heading on every page, with
// the application's name and the page number at the foot. The list fills the labels, the heading "Item" or
// "Itens" and the data source.

#include "platform/reports/DataReport.h"

class drFicha : public DataReport {
    Q_OBJECT
public:
    explicit drFicha(QObject* pai = nullptr);
};
