#pragma once
// The business layer's own QtSql driver for PostgreSQL, over libpq. Qt's QPSQL driver
// sends every statement with parameters as three messages, each waiting for its answer
// (PREPARE, EXECUTE, DEALLOCATE); a branch that reaches its server over the internet
// pays that on every lookup, page and save. This driver sends a statement with its
// parameters as one message (PQexecParams: one round trip), and a statement without
// parameters, which may be several separated by semicolons, through PQexec (one round
// trip for all of them). Values come back as QPSQL gives them (integers as int or
// qlonglong, texts as QString, bytea as QByteArray, NUMERIC as double, NULL as a null
// QVariant), so the layer above reads them unchanged.

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariantList>

namespace DriverPostgreSQL {

// The name the driver is registered under (QSqlDatabase::addDatabase(Nome, ...)).
inline const QString Nome = QStringLiteral("ZELT_PSQL");

// Registers the driver with QtSql once per process.
void Registrar();

// Holds back a statement (a BEGIN, a write whose answer nobody reads) and sends it with
// the next statement of that connection, in the same round trip (libpq's pipeline
// mode); a failure of the held statement is that next statement's. False, and nothing
// held, when the connection is not one of this driver's.
bool EnviarComOProximo(const QSqlDatabase& db, const QString& sql, const QVariantList& parametros = {});
// Forgets the statements held back (a unit of work undone: they were its own).
void DescartarRetidos(const QSqlDatabase& db);

// A read that starts with this comment reads only registry tables whose changes the
// server announces on the channel CanalDosCadastros (a trigger of each such table, made
// by the schema's migrations: Empresa and TiposDeServicos). The connection keeps its
// answer and gives it again, without a round trip, until an announcement arrives: a
// branch 30 ms from its server opens a quote without reading the company and the
// service types again each time. Only outside a transaction, with nothing held back:
// a transaction's own writes are announced at its COMMIT only.
inline const QString MarcaDeCadastro = QStringLiteral("/* cadastro */ ");
inline const QString CanalDosCadastros = QStringLiteral("zelt_cadastros");

// "? ... ?" as "$1 ... $n", leaving texts in quotes, quoted names and comments alone.
QString ParametrosNumerados(const QString& sql);

} // namespace DriverPostgreSQL
