#pragma once
// Exact quotes without counting them. Triggers on Orcamentos keep three sets of
// counters in the same transaction as every insert, delete and change of situation,
// date or client, whoever writes (the forms' saves, the import, a restore, another
// program):
//   ContagemDeOrcamentos  per situation, spread over slots (Fatias): "Todas as
//                         situações", "Ativos", "Inativos";
//   ContagemPorDia        per date of the quote, spread over slots: "Recentes";
//   ContagemPorCliente    per client and situation: a search by the clients' names,
//                         a sum over the clients found. On PostgreSQL a view of
//                         ClientesDaPesquisa, which holds them beside each client's
//                         searched texts (kept by triggers on Clientes), so that the
//                         search reads the clients and their quotes at once.
// The list reads its totals from them: a sum over a few rows (a few per client found),
// whatever the number of quotes. Two workstations saving at once touch different slots
// (the slot is the quote's number modulo Fatias) and so do not wait for each other on
// one counter row; only two quotes of the same client saved at the same moment wait
// for each other's COMMIT. Every trigger touches the three tables in the same order,
// so two saves cannot wait for each other in a cycle.

#include "business/Dialeto.h"
#include "business/Pesquisa.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace ContagemDeOrcamentos {

constexpr int Fatias = 16;

// The statements of the schema version that brings the counters: the tables, their
// triggers and their first filling from a recount. Safe to run again: the tables are
// kept, the triggers made anew, the counters recounted.
QStringList CriarContagem();

// The triggers alone, and the statements that remove them: a bulk load drops them,
// then recounts (Recontar) and creates them again at its end.
QStringList CriarGatilhos();
QStringList RemoverGatilhos();

// The SQL (with its parameters) that answers a number of quotes from the counters.
struct Consulta {
    QString Sql;
    QVariantList Parametros;
};
// In a situation; situation 0: every quote.
Consulta Total(qint32 situacao);
// Dated on dataIso ("yyyy-MM-dd") or later, in any situation.
Consulta DesdeODia(const QString& dataIso);
// Of the clients the condition names (on a column CodigoDoCliente), in a situation
// (0: any).
Consulta DosClientes(qint32 situacao, const Dialeto::Subconsulta& condicaoDosClientes);

// The quotes in a situation (0: any) of the clients found: their sum read with them,
// or their counters summed.
qint64 QuantidadeDosClientes(qint32 situacao, const Pesquisa::ChavesAchadas& clientes);

// The column of a client's counters that holds its quotes in a situation (0: any):
// "Ativos", "Inativos", "Ativos + Inativos".
QString QuantidadeNaSituacao(qint32 situacao);

// Counts the quotes again and rewrites the counters, the follow-up's too (below), and the
// numbers' ranges (business/FaixasDeValidade.h); inside the caller's transaction.
void Recontar();

// Counts the quotes and compares with every counter, in one statement (one snapshot):
// one line for each difference ("Situação 1: 10 orçamentos, contagem 9", "Dia
// 2026-11-06: ...", "Cliente 5, situação 1: ..."), none when they agree; then the
// follow-up's counters against their recount, in a second statement ("Acompanhamento,
// dia 2026-11-06, ANA, etapa \"Enviado\", ...: 3 orçamentos (...), contagem 2 (...)"),
// then the numbers' ranges against their quotes' validity.
QStringList Divergencias();

// The follow-up window's figures without reading the quotes (schema version 14), kept by
// triggers on the four tables they read, whoever writes, in the writing transaction:
//   ContagemDoAcompanhamento   per day made, user, stored stage ("" for "Em aberto"),
//                              refusal reason and, for a quote not answered, validity
//                              date: how many, their net value and, for the approved
//                              stages, the value approved;
//   RespostasDoAcompanhamento  per day made, user and days to the answer: the median's
//                              histogram, of the quotes "Aprovado", "Aprovado em parte" or
//                              "Recusado".
// A change of any row of a quote (its header, its stage, an approval, a send) takes the
// quote's part out of the counters as it stood before and puts it back as it stands
// after: one formula (the quote's state, in the .cpp) for the triggers, the recount and
// the check. Recontar and Divergencias cover them too.
QStringList CriarContagemDoAcompanhamento();
QStringList CriarGatilhosDoAcompanhamento();
QStringList RemoverGatilhosDoAcompanhamento();
// Only the follow-up's counters, rewritten from their quotes; inside the caller's transaction.
void RecontarAcompanhamento();

} // namespace ContagemDeOrcamentos
