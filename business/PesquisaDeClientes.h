#pragma once
// The quote list's search of clients: the clients whose code, nickname or name holds
// the text typed, read once for a selection. On PostgreSQL it reads ClientesDaPesquisa,
// where each client's searched texts sit beside its quote counters (ContagemDeOrcamentos),
// so that the clients and the number of their quotes come in one row; on SQLite it reads
// the clients' keys (Pesquisa).

#include "business/Dialeto.h"
#include "business/Pesquisa.h"

#include <QString>

namespace PesquisaDeClientes {

// The search of the quote list: the clients whose code (a text of digits only),
// nickname or name contains texto, read once; where the counters sit beside the
// clients' texts, with their quotes in the situation summed (ChavesAchadas::Quantidade).
// Summed, the keys are read only where the list's pages name them (not when it walks
// the newest quotes).
Pesquisa::ChavesAchadas ClientesQueContem(qint32 situacao, const QString& texto);

// For a walk through the newest quotes: "the quote's client (named by coluna) is one
// of those found", checked quote by quote as the walk meets them.
Dialeto::Subconsulta ClienteAchado(const Pesquisa::ChavesAchadas& clientes, const QString& texto,
                                   const QString& coluna);

} // namespace PesquisaDeClientes
