#include "contracts/PastaDeDados.h"

#include <QStandardPaths>

namespace Zelt {

QString PastaDeDados() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ZELT/ZELT_A_Orcamentos");
}

} // namespace Zelt
