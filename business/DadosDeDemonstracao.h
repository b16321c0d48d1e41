#pragma once
// The demonstration clinic written into a new database: a company with a running
// promotion, about 200 clients (every situation, VIP or not, categories A, B and C,
// single and per-type discounts; with no animal, one or several), products (some
// sold by weighing-scale labels), several services of every service type and some
// hundreds of quotes over the last six months, some changed, some inactive.
// The same seed and the same day give the same data; dates are counted back from
// the day of creation.

#include <QtGlobal>

namespace DadosDeDemonstracao {

constexpr quint32 SementePadrao = 20240517;

// Writes everything in one unit of work into the open, migrated database.
void Criar(quint32 semente = SementePadrao);

} // namespace DadosDeDemonstracao
