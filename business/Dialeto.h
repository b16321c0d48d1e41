#pragma once
// Everything that differs between SQLite and PostgreSQL, in one place. The rest of
// the business layer writes one SQL text for both: unquoted identifiers, "?"
// placeholders, CAST(... AS TEXT), LIMIT/OFFSET and ON CONFLICT, which both speak,
// and asks this class for the rest.

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariantList>

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
    //   SomenteLeitura  the database takes no writes: a SQLite file that cannot be
    //                   written (read-only, or its folder cannot hold the journal:
    //                   SQLITE_READONLY, SQLITE_CANTOPEN), a PostgreSQL user without
    //                   the right (42501) or a read-only transaction or server (25006);
    //   Comum           anything else (a constraint, a bad statement...).
    enum class Natureza { Comum, Ocupado, ConexaoPerdida, SomenteLeitura };
    Natureza NaturezaDaFalha(const QSqlError& erro) const;

    // The names of the tables and views the database holds outside the system's own (on
    // PostgreSQL in every schema of the database, not only the one this program uses).
    QString ConsultaDasTabelas() const;

    // DDL: the tokens {CHAVE} (an automatic integer primary key), {INTEIRO} (a 64-bit
    // integer), {BINARIO} (bytes) are replaced by this database's spelling; {SEM_ROWID}
    // after a CREATE TABLE's closing parenthesis makes SQLite keep the rows in their
    // primary key's b-tree (one lookup instead of two; PostgreSQL has no such choice).
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
    // kept (schema version 2). Empty: none.
    QStringList ExtensaoDePesquisa() const;
    QString IndiceDePesquisa(const QString& tabela, const QString& coluna) const;

    // Contains-searches served by trigram indexes on both databases (schema version 3).
    // A searchable table names its key and the texts looked for in it: normalised
    // search texts, or a number written as its decimal text. Its index answers the
    // keys of the rows one of whose texts contains a (normalised) text:
    //   SQLite      a contentless FTS5 table with the trigram tokenizer, named
    //               <Tabela>Pesquisa, one column per text, kept by triggers on the
    //               table; asked with MATCH and the text as one quoted phrase, which the
    //               trigram tokenizer matches as a substring with every character taken
    //               literally (no LIKE, so no escape to lose);
    //   PostgreSQL  a pg_trgm GIN index on each text, which serves Contem's LIKE.
    // A text shorter than three characters has no trigram to look up; both databases
    // then compare it with Contem's LIKE row by row, as without an index.
    struct TextoPesquisavel {
        QString Coluna;
        bool NumeroComoTexto = false; // a number, searched as its decimal text
    };
    struct TabelaPesquisavel {
        QString Tabela;
        QString Chave; // an integer key
        QList<TextoPesquisavel> Textos;
        // The texts over the row named by prefixo ("", "new.", "c."), numbers as text,
        // joined by separador; and their columns, joined by commas.
        QString Expressoes(const QString& prefixo, const QString& separador) const;
        QString Colunas() const;
    };
    struct Subconsulta {
        QString Sql; // "SELECT <key> FROM ..."
        QVariantList Parametros;
    };
    // The statements that create a table's index (those not there yet) and fill it
    // with the rows the table holds. PostgreSQL's need ExtensaoDePesquisa first.
    QStringList CriarIndiceDePesquisa(const TabelaPesquisavel& tabela) const;
    // After many rows were written at once: SQLite's FTS5 index then holds many
    // segments, each read by every search (a name over a million clients took three
    // times as long); "optimize" merges them into one. Empty on PostgreSQL, whose
    // indexes a bulk load leaves whole.
    QString OtimizarIndiceDePesquisa(const TabelaPesquisavel& tabela) const;
    // The keys of the rows one of whose texts named in colunas contains texto (already
    // normalised); padraoLike is the same text as Contem's pattern (Banco::PadraoContem).
    Subconsulta ChavesQueContem(const TabelaPesquisavel& tabela, const QStringList& colunas,
                                const QString& texto, const QString& padraoLike) const;
    // The same search as a condition on the table's own rows (prefixo: its alias and a
    // dot, or empty): on SQLite its key among those the index answers; on PostgreSQL
    // Contem's LIKEs themselves, which its planner reads through the trigram indexes
    // with no join to make. In Subconsulta::Sql.
    Subconsulta CondicaoQueContem(const TabelaPesquisavel& tabela, const QString& prefixo,
                                  const QStringList& colunas, const QString& texto,
                                  const QString& padraoLike) const;

    // "coluna IN (subconsulta)", written so that the database builds the set of keys
    // first and then reads the rows it names. PostgreSQL's planner cannot estimate a
    // set found through a trigram index (it guessed hundreds of quote numbers where one
    // matched) and then walks the whole primary key in order instead; = ANY (ARRAY(...))
    // runs the subquery once, before the outer query, which then looks each key up.
    QString ChaveEntre(const QString& coluna, const QString& subconsulta) const;

    // "coluna is one of the keys given", with the keys in one parameter: on SQLite a
    // JSON array read by json_each, on PostgreSQL an array (= ANY), whose planner then
    // knows their number and tests them through a hash: a set found once and read again
    // by several statements. In Subconsulta::Sql.
    Subconsulta ChaveNaLista(const QString& coluna, const QList<qint64>& chaves) const;

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
    // Whether the search goes through the SQLite FTS5 table (a text of three
    // characters or more) rather than through Contem's LIKE.
    bool IndiceServe(const QString& texto) const;

    Tipo mtipo;
};
