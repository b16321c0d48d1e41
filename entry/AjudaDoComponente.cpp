#include "entry/AjudaDoComponente.h"

#include "component/modAjuda.h"

void ExibirAjudaDoComponente(const QString& lstrSecao) {
    modAjuda::ExibirAjuda(lstrSecao);
}
