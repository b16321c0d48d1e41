#pragma once
// The ProgID registry: what COM's CreateObject gave the Windows design. Every
// business object and every suite component is created by its ProgID; a later
// registration under the same ProgID replaces the earlier one (that is how a test
// stands a scripted business layer in for the real one).

#include "contracts/VB.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace Zelt {

using FabricaDeObjeto = std::function<std::unique_ptr<QObject>()>;

void RegistrarProgId(const QString& progId, FabricaDeObjeto fabrica);
void RemoverProgId(const QString& progId);
bool ProgIdRegistrado(const QString& progId);

// A new object owned by the caller; an unknown ProgID is run-time error 429.
std::unique_ptr<QObject> CriarObjetoPorProgId(const QString& progId);

// The same, seen through the contract T; an object that is not a T is error 13.
template <class T> std::unique_ptr<T> CriarObjeto(const QString& progId) {
    std::unique_ptr<QObject> objeto = CriarObjetoPorProgId(progId);
    T* tipado = dynamic_cast<T*>(objeto.get());
    if (!tipado) throw VB::ErroDeExecucao(VB::TiposIncompativeis);
    objeto.release();
    return std::unique_ptr<T>(tipado);
}

} // namespace Zelt
