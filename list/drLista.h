#pragma once
// The printed list of quotes: the selection the list shows, every page of it, one
// quote to a two-line row (the quote with its client and values, and below it who
// included and altered it and when), under the company's name, the title, the
// subtitle and the column headings, with the application's name and the page number
// at the foot of each page. The list fills the names, the titles and the data source.

#include "platform/reports/DataReport.h"

class drLista : public DataReport {
    Q_OBJECT
public:
    explicit drLista(QObject* pai = nullptr);
};
