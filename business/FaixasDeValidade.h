#pragma once
// The quotes' numbers in ranges of Tamanho, each with a date no later than the validity
// of any quote it holds (ValidadeDasFaixas). The list's filter "Vencidos" reads its
// first page newest first by number; without a bound it would walk every quote still
// valid (the days of quotes made since the newest expired one: 146,000 at ten million
// quotes). The newest range whose date is before today bounds that walk: no quote above
// it can be expired. The date is only ever lowered (by an insert, or a change of validity
// to an earlier day, in the writing transaction), so a quote removed or renewed leaves it
// lower than needed: a longer walk, never a quote missed.

#include "business/Dialeto.h"

#include <QString>
#include <QStringList>

namespace FaixasDeValidade {

constexpr int Tamanho = 1024;

// The schema version that brings the ranges: the table, its triggers, its first filling.
void CriarEsquema(const Dialeto& dialeto);

// The ranges rewritten from the quotes (after a bulk load that ran without the
// triggers); inside the caller's transaction.
void Recontar();

// The ranges whose date is after a quote's validity, or missing for a quote: one line
// each ("Faixa 3 (orçamentos 3072 a 4095): validade 2026-11-01, faixa 2026-11-05").
QStringList Divergencias();

// A scalar subquery: the highest number a quote valid until before a day (its one
// parameter, "yyyy-MM-dd") may have; NULL when no quote is.
QString MaiorNumeroComValidadeAntesDe();

} // namespace FaixasDeValidade
