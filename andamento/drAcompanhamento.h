#pragma once
// The printed follow-up of open quotes: under the company's name and the title, on
// every page, the figures of the period and the chart of the last twelve weeks as a
// picture; then each section's caption with its count, followed by its rows as the
// window shows them (number, client, animal, net value, validity, stage, last send,
// days without an answer). Exported to PDF from the preview as every report is.

#include "platform/reports/DataReport.h"

#include <QImage>
#include <array>

class MSFlexGrid;

class drAcompanhamento : public DataReport {
    Q_OBJECT
public:
    explicit drAcompanhamento(QObject* pai = nullptr);

    static constexpr int LinhasDeNumeros = 7;
    static constexpr int Secoes = 4;
    // The texts and the rows the window shows: its figures' lines, the chart's picture,
    // each section's caption and grid (rows from 1, the window's columns).
    void Preencher(const QString& lstrNomeFantasia, const QString& lstrNomeDaAplicacao,
                   const std::array<QString, LinhasDeNumeros>& numeros, const QImage& grafico,
                   const std::array<QString, Secoes>& legendas,
                   const std::array<const MSFlexGrid*, Secoes>& grades);
};
