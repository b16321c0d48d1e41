#include "contracts/Programa.h"

#include "contracts/SistemaOperacional.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Programa {
namespace {
bool mbooTraducoesCarregadas = false;
} // namespace

void Preparar(QCoreApplication& aplicacao) {
    SistemaOperacional::RestringirArquivosNovosAoDono();
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELT_VERSAO));
    // Always Brazilian Portuguese, whatever the desktop's language: every text of the
    // program is, and the standard dialogs read with it.
    auto* tradutor = new QTranslator(&aplicacao);
    mbooTraducoesCarregadas =
        tradutor->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(tradutor);
}

bool TraducoesDoQtCarregadas() {
    return mbooTraducoesCarregadas;
}

} // namespace Programa
