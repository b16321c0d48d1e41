#include "component/modFuncoes.h"

#include "platform/Plataforma.h"

void Pausar(const QVariant& Duracao) {
    Plataforma::Pausar(VB::CDbl(Duracao));
}
