#pragma once
// The schema of the business layer, in numbered versions. A database records the
// version it has reached in VersaoDoEsquema; opening it applies, in order and each
// in its own transaction, every version it has not reached yet. A version, once
// released, is never edited: a change of schema is a new version at the end.

#include <QStringList>

namespace Migracoes {

// The version this build brings a database to.
int VersaoMaisRecente();

// Brings the open database to VersaoMaisRecente(); answers the version it had
// before (0 for a database that had no schema yet). A database made by a newer
// build is refused with a run-time error.
int Migrar();

// The tables of the open database when it belongs to another program: empty for an
// empty database and for one that already has this program's schema (its
// VersaoDoEsquema), the only two this program creates its schema in. Reads only.
QStringList TabelasDeOutroPrograma();

// Runs, in a transaction it then undoes, the kinds of writes this program makes to a
// quote (the schema's version row rewritten; quotes and items inserted, changed and
// deleted where no row matches): a database whose file, folder, user or server takes
// no writes fails here (Dialeto::Natureza::SomenteLeitura) instead of at the first save.
void ExperimentarGravacao();

} // namespace Migracoes
