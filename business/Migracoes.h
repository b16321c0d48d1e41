#pragma once
// The schema of the business layer, in numbered versions. A database records the
// version it has reached in VersaoDoEsquema; opening it applies, in order and each
// in its own transaction, every version it has not reached yet. A version, once
// released, is never edited: a change of schema is a new version at the end.

namespace Migracoes {

// The version this build brings a database to.
int VersaoMaisRecente();

// Brings the open database to VersaoMaisRecente(); answers the version it had
// before (0 for a database that had no schema yet). A database made by a newer
// build is refused with a run-time error.
int Migrar();

} // namespace Migracoes
