#pragma once
// The history of the quotes: every inclusion, change, item removal, deletion and
// restoration of a quote writes one entry, in the transaction of the operation
// itself, with a whole copy of the quote as it stood after the operation (before it,
// for a deletion). A refused or failed operation is undone with its entry.
//
// The copy is one compact JSON text per entry, stored compacted (business/Compactacao.h):
// the stored columns of the quote and of each item, as arrays in the order of
// GravacaoDeOrcamentos::ColunasDoOrcamento and ColunasDoItem, with the values as the
// database holds them (integers, ISO texts, null):
//   {"o":[DataDoOrcamento, CodigoDoCliente, ...],"i":[[NumeroDoItemDoOrcamento, ...], ...]}
// A version after the first is stored as its difference from the quote's last whole
// copy (RegistroDaBase), a few dozen bytes where the version changed little.
// The entry also keeps, apart, the net value and the item count the history window
// lists, so that listing a history never parses a copy.
//
// A deleted quote has a row in OrcamentosExcluidos (who deleted it, when, and the
// entry with its last copy), which the window of deleted quotes pages through and
// Restaurar takes it back from. The deletion's copy alone also keeps, under "v", the
// rows the deletion removes by cascade (the stage, the sends, the approvals with their
// signatures in base64), each table's first array its column names:
//   {"o":[...],"i":[[...]],"v":{"EnviosDeOrcamentos":[["NumeroDoEnvio", ...],[1, ...]], ...}}
// and is never the base of a later difference.

#include "business/Dialeto.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace Historico {

// The deleted quotes' numbers, searched as text (the trigram index of Pesquisa).
extern const Dialeto::TabelaPesquisavel Excluidos;

// The user written for a caller that gave none (a deletion or an item removal made
// without DadosDoUsuario, as the layer has always accepted them).
inline const QString UsuarioNaoInformado = QStringLiteral("(usuário não informado)");

// The entry of what just happened to a quote still stored, with its copy as stored
// now. Inside the caller's unit of work.
void Registrar(qint64 numeroDoOrcamento, const QString& operacao, const QString& usuario);
// The entries of the quotes numbered primeiro to ultimo as they stand, each dated with
// the quote's own last stamp and user, many to a statement: the first entries of a
// database that begins keeping history, and loads of many quotes at once. Inside the
// caller's unit of work.
void RegistrarBloco(qint64 primeiro, qint64 ultimo, const QString& operacao);
// Before a quote is deleted: its entry "excluído" with the copy as it stands, and its
// place among the deleted quotes.
void RegistrarExclusao(qint64 numeroDoOrcamento, const QString& usuario);
// Puts a deleted quote back with its own number, date, items and values, active, with
// the stage, sends and approvals its deletion kept (none from an entry written before
// deletions kept them: "Em aberto", no sends), and writes its entry "restaurado".
// Refused (Objetos::Recusar) when it is not among the deleted quotes (another
// workstation restored it first). Opens its own unit of work.
void Restaurar(qint64 numeroDoOrcamento, const QString& usuario);

// The copy an entry keeps, {"o": [...], "i": [[...], ...]}. Fails (Banco::Falhar) on an
// entry that is missing or whose copy is damaged.
QJsonObject CopiaDaEntrada(qint64 numeroDoRegistro);

// The schema version that starts the history: its tables, and a first entry ("já
// existente") for every quote the database holds. indiceDePesquisa: whether the
// trigram index may be created (PostgreSQL without pg_trgm searches unindexed).
void CriarEsquema(const Dialeto& dialeto, bool indiceDePesquisa);

// The schema version that compacts the copies: the columns CopiaCompactada and
// RegistroDaBase (which the history's tables have from the start on a database that
// begins keeping history with this version), and every copy kept as text until then
// compacted whole.
void CompactarCopias(const Dialeto& dialeto);

} // namespace Historico
