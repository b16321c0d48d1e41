#include "component/JanelasDoOrcamento.h"

#include <map>

namespace JanelasDoOrcamento {
namespace {

// One table per process: the windows are the same for every thread that uses the
// component, and it is filled once, before any window opens.
std::map<Janela, Abridor>& Tabela() {
    static std::map<Janela, Abridor> tabela;
    return tabela;
}

} // namespace

void Registrar(Janela janela, Abridor abridor) {
    Tabela()[janela] = std::move(abridor);
}

bool Registrada(Janela janela) {
    const auto it = Tabela().find(janela);
    return it != Tabela().end() && it->second;
}

bool Abrir(Janela janela, QWidget* pai, double numero) {
    if (!Registrada(janela)) return false;
    return Tabela().at(janela)(pai, numero);
}

} // namespace JanelasDoOrcamento
