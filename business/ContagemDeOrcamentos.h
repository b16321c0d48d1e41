#pragma once
// Exact quotes per situation without counting them: ContagemDeOrcamentos holds, per
// situation, counters spread over slots (Fatias), which triggers on Orcamentos keep
// in the same transaction as every insert, delete and change of situation, whoever
// writes (the forms' saves, the import, a restore, another program). The list reads
// its total for "Todas as situações", "Ativos" and "Inativos" from them: a sum over a
// few rows, whatever the number of quotes. Two workstations saving at once touch
// different slots (the slot is the quote's number modulo Fatias) and so do not wait
// for each other on one counter row.

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace ContagemDeOrcamentos {

constexpr int Fatias = 16;

// The statements of the schema version that brings the counters: the table, its
// triggers and its first filling from a recount.
QStringList CriarContagem();

// The SQL (with its parameters) that answers the number of quotes in a situation;
// situation 0: every quote.
struct Consulta {
    QString Sql;
    QVariantList Parametros;
};
Consulta Total(qint32 situacao);

// Counts the quotes again and rewrites the counters; inside the caller's transaction.
// A bulk load that dropped the triggers calls it at its end.
void Recontar();

// Counts the quotes and compares, per situation, with the counters, in one statement
// (one snapshot): one line for each difference ("Situação 1: 10 orçamentos, contagem
// 9"), none when they agree.
QStringList Divergencias();

} // namespace ContagemDeOrcamentos
