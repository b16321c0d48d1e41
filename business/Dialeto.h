#pragma once
// Everything that differs between SQLite and PostgreSQL, in one place. The rest of
// the business layer writes one SQL text for both: unquoted identifiers, "?"
// placeholders, CAST(... AS TEXT), LIMIT/OFFSET and ON CONFLICT, which both speak,
// and asks this class for the rest.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

class Dialeto {
public:
    enum class Tipo { SQLite, PostgreSQL };

    explicit Dialeto(Tipo tipo = Tipo::SQLite) : mtipo(tipo) {}
    static Dialeto DaConexao(const QSqlDatabase& db);

    Tipo TipoDoBanco() const { return mtipo; }
    bool EhSQLite() const { return mtipo == Tipo::SQLite; }

    // Settings applied to every freshly opened connection (WAL, foreign keys...), with
    // how long a statement waits for a lock another workstation holds before failing.
    void ConfigurarConexao(QSqlDatabase& db, int esperaPorBloqueioEmMs) const;

    // What a failed statement means:
    //   Ocupado         another workstation held what this one needed (SQLite busy or
    //                   locked; PostgreSQL serialization failure, deadlock, lock
    //                   timeout): the whole transaction may run again;
    //   ConexaoPerdida  the server went away (PostgreSQL connection errors, the
    //                   server shutting down, or an error libpq raised by itself,
    //                   which carries no SQLSTATE): the connection must be reopened;
    //   Comum           anything else (a constraint, a bad statement...).
    enum class Natureza { Comum, Ocupado, ConexaoPerdida };
    Natureza NaturezaDaFalha(const QSqlError& erro) const;

    // DDL: the tokens {CHAVE} (an automatic integer primary key), {INTEIRO} (a 64-bit
    // integer) are replaced by this database's spelling.
    QString Ddl(QString sql) const;

    // The statement that opens a write transaction. SQLite takes the write lock at
    // once (BEGIN IMMEDIATE), so two workstations saving at the same moment wait for
    // each other (busy timeout) instead of failing halfway.
    QString InicioDeEscrita() const;
    // Appended to a SELECT that reads a row the transaction will change.
    QString ParaAtualizacao() const;
    // The first statement of a migration's transaction: serialises schema migrations
    // between processes, also the creation of the version table itself (PostgreSQL's
    // CREATE TABLE IF NOT EXISTS is not safe against a concurrent one).
    QString BloqueioDeMigracao() const;

    // "coluna LIKE ? ESCAPE '\'": the parameter comes from PadraoContem. Both sides
    // are normalised search texts (lower case, no accents), so LIKE's own case rules
    // never matter.
    QString Contem(const QString& coluna) const;
    // The index that serves Contem on a column, and what it needs first: on PostgreSQL
    // a trigram GIN index (extension pg_trgm), which LIKE '%...%' uses with the escape
    // kept. SQLite has none: an FTS5 trigram table ignores its index under ESCAPE
    // (and without ESCAPE a "%" or "_" typed by the user would be a wildcard), and a
    // workstation's own file is scanned fast enough. Empty: none.
    QStringList ExtensaoDePesquisa() const;
    QString IndiceDePesquisa(const QString& tabela, const QString& coluna) const;

    // INSERT ... that answers the new automatic key: on PostgreSQL by RETURNING, on
    // SQLite by the driver's last insert id.
    QString RetornandoChave(const QString& coluna) const;
    bool ChaveVemDoResultado() const { return mtipo == Tipo::PostgreSQL; }

    // INSERT INTO t (c...) VALUES (?...) ON CONFLICT (chave) DO UPDATE SET ...
    QString InsercaoOuAtualizacao(const QString& tabela, const QStringList& colunas,
                                  const QString& chave) const;

    // After rows were inserted with explicit keys into a table with an automatic key,
    // the next automatic key must follow them (a PostgreSQL sequence does not notice).
    QString SincronizarChaveAutomatica(const QString& tabela, const QString& coluna) const;

private:
    Tipo mtipo;
};
