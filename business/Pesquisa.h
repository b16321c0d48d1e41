#pragma once
// The "contains" searches of the business layer: the tables searched, their texts,
// and the subquery that finds the rows one of whose texts contains what the user
// typed, served by the trigram indexes Dialeto describes (created by version 3 of
// the schema).

#include "business/Dialeto.h"

#include <optional>

namespace Pesquisa {

// Clients: the code (as text), the nickname or trade name and the name or corporate
// name, normalised.
extern const Dialeto::TabelaPesquisavel Clientes;
// Products and services: the name, normalised.
extern const Dialeto::TabelaPesquisavel Produtos;
extern const Dialeto::TabelaPesquisavel Servicos;
// Quotes: the number (as text).
extern const Dialeto::TabelaPesquisavel Orcamentos;
QList<Dialeto::TabelaPesquisavel> Todas();

// "SELECT <key> FROM ...": the keys of the rows one of whose texts named in colunas
// contains texto, ignoring case and accents and taking every character literally.
Dialeto::Subconsulta ChavesQueContem(const Dialeto::TabelaPesquisavel& tabela, const QStringList& colunas,
                                     const QString& texto);

// The same as a condition on the table's own rows, named by prefixo ("p." or empty):
// what a lookup over that one table uses.
Dialeto::Subconsulta CondicaoQueContem(const Dialeto::TabelaPesquisavel& tabela, const QString& prefixo,
                                       const QStringList& colunas, const QString& texto);

// The keys a search found, read once: the statements that follow name them instead of
// searching again. More than maximo stay the search itself, which costs less than
// carrying that many keys around.
struct ChavesAchadas {
    Dialeto::Subconsulta Busca;
    QString Leitura; // the statement that read them: the search with a LIMIT, or summed
    std::optional<QList<qint64>> Chaves;
    // Where the search read it, the quotes of the keys found (see ClientesQueContem).
    std::optional<qint64> Quantidade;
    // "coluna names one of them": their list, or the search as a subquery (written as
    // Dialeto::ChaveEntre when conjuntoPrimeiro).
    Dialeto::Subconsulta Em(const QString& coluna, bool conjuntoPrimeiro = false) const;
};
ChavesAchadas LerChaves(const Dialeto::Subconsulta& busca, qsizetype maximo);

// The quote list's search: the most clients whose keys it carries to its statements,
// and up to how many quotes found are read through the clients' index and sorted (a
// few milliseconds); beyond that the newest quotes are walked instead.
constexpr qsizetype MaximoDeClientesLidos = 50000;
constexpr qint32 MaximoDeOrcamentosOrdenados = 10000;

// Whether the text, normalised, holds digits only: only such a text can be part of
// a number written in decimal.
bool SoDigitos(const QString& texto);

} // namespace Pesquisa
