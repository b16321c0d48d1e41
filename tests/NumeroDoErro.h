#pragma once
// The VB run-time error number a call raises (0 when it raises none).

#include "contracts/VB.h"

#include <functional>

inline long NumeroDoErro(const std::function<void()>& chamada) {
    try {
        chamada();
    } catch (const VB::ErroDeExecucao& erro) {
        return erro.Numero();
    }
    return 0;
}
