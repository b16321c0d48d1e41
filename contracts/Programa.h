#pragma once
// What both programs of the package, zelt_host and zelt_importar, set up first, right
// after their application object exists and before they read the command line or
// touch a file. Here because it is the lowest folder both programs see.

class QCoreApplication;

namespace Programa {

// - Every file and folder the process creates is the user's alone (files 0600, folders
//   0700, through SistemaOperacional): the database and its folder, the error log and the PDFs hold
//   the clinic's clients and prices.
// - Qt's own texts (the buttons of the standard dialogs and message boxes, the print
//   dialog, the command line's help and errors) in Brazilian Portuguese, from Qt's
//   translations folder (Debian's qt6-translations-l10n). Without that package Qt's
//   English texts stay: the program still works.
// - The version that --version prints: the package's.
void Preparar(QCoreApplication& aplicacao);

// Whether Qt's Portuguese texts were found and are in use.
bool TraducoesDoQtCarregadas();

} // namespace Programa
