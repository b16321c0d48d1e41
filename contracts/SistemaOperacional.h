#pragma once
// The operating system's own calls that the lowest layer needs, behind one seam: the
// rest of contracts/ (and the programs' start, Programa::Preparar) name no POSIX header,
// so that they would build unchanged on Windows.
//
// Why here and not in platform/: both programs of the package call Programa::Preparar
// first, and one of them (zelt_importar) lives in business/, which may include only
// business/ and contracts/ (scripts/dependencias.sh, verificar_camadas). platform/ holds
// the seams of the desktop (windows, message boxes, desktop programs); this one holds
// only what a program without a window needs before it touches a file.

namespace SistemaOperacional {

// Every file and folder the process creates from now on is its user's alone (POSIX:
// umask 077, files 0600, folders 0700). On Windows the new files inherit the ACL of the
// user's profile folder, which is already the user's alone: nothing to do there.
void RestringirArquivosNovosAoDono();

} // namespace SistemaOperacional
