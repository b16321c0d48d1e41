#pragma once
// The user's data folder of this component, the one every part that keeps a file of its
// own writes to (the database, the error log, the recovery copy of a new quote, the PDFs
// when the documents folder cannot be written): ~/.local/share/ZELT/ZELT_A_Orcamentos on
// Linux. Named here, the lowest folder all of them see, so that it is computed once; it
// does not depend on the name the running program gave itself (the host, the importer
// and the tests share it).

#include <QString>

namespace Zelt {

QString PastaDeDados();

} // namespace Zelt
