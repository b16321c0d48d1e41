#pragma once
// The VB run-time error a call raises: number 0 and no description when it raises none.

#include "contracts/VB.h"

#include <functional>

inline VB::ErroDeExecucao ErroDe(const std::function<void()>& chamada) {
    try {
        chamada();
    } catch (const VB::ErroDeExecucao& erro) {
        return erro;
    }
    return VB::ErroDeExecucao(0, QString());
}

inline long NumeroDoErro(const std::function<void()>& chamada) {
    return ErroDe(chamada).Numero();
}
