#include "contracts/SistemaOperacional.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace SistemaOperacional {

void RestringirArquivosNovosAoDono() {
#ifdef Q_OS_UNIX
    ::umask(077);
#endif
}

} // namespace SistemaOperacional
