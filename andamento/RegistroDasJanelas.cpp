#include "andamento/RegistroDasJanelas.h"

#include "andamento/frmAcompanhamento.h"
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
    // The follow-up of open quotes is no quote's window: numero is 0. Whatever it changed,
    // the rows the caller shows are read again.
    JanelasDoOrcamento::Registrar(Janela::Acompanhamento, [](QWidget* pai, double) {
        frmAcompanhamento lfrmAcompanhamento(pai);
        lfrmAcompanhamento.MontarExibirFormulario();
        return true;
    });
}

} // namespace andamento
