#include "andamento/RegistroDasJanelas.h"

#include "andamento/frmHistoricoDoOrcamento.h"
#include "component/JanelasDoOrcamento.h"

namespace andamento {

void RegistrarJanelas() {
    using JanelasDoOrcamento::Janela;
    JanelasDoOrcamento::Registrar(Janela::Historico, [](QWidget* pai, double numero) {
        frmHistoricoDoOrcamento lfrmHistorico(pai);
        lfrmHistorico.MontarExibirFormulario(numero);
        // A version restored from the history changes the quote.
        return true;
    });
}

} // namespace andamento
