#include "contracts/CriarObjeto.h"

#include <QHash>

namespace Zelt {
namespace {
// The registry lives in this one shared library so that every library of the
// process sees the same registrations. Everything runs on the UI thread.
QHash<QString, FabricaDeObjeto>& Registro() {
    static QHash<QString, FabricaDeObjeto> registro;
    return registro;
}
} // namespace

void RegistrarProgId(const QString& progId, FabricaDeObjeto fabrica) {
    Registro().insert(progId, std::move(fabrica));
}

void RemoverProgId(const QString& progId) {
    Registro().remove(progId);
}

bool ProgIdRegistrado(const QString& progId) {
    return Registro().contains(progId);
}

std::unique_ptr<QObject> CriarObjetoPorProgId(const QString& progId) {
    const auto fabrica = Registro().constFind(progId);
    if (fabrica == Registro().constEnd() || !*fabrica) throw VB::ErroDeExecucao(VB::ComponenteNaoCriaObjeto);
    std::unique_ptr<QObject> objeto = (*fabrica)();
    if (!objeto) throw VB::ErroDeExecucao(VB::ComponenteNaoCriaObjeto);
    return objeto;
}

} // namespace Zelt
