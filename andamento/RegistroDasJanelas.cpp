#include "andamento/RegistroDasJanelas.h"

#include "andamento/frmHistoricoDoOrcamento.h"
#include "andamento/frmRegistroDaEtapa.h"
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
    // A client's answer: a stage change when confirmed.
    JanelasDoOrcamento::Registrar(Janela::RegistrarAprovacao, [](QWidget* pai, double numero) {
        return frmRegistrarAprovacao(pai).MontarExibirFormulario(numero);
    });
    JanelasDoOrcamento::Registrar(Janela::RegistrarRecusa, [](QWidget* pai, double numero) {
        return frmRegistrarRecusa(pai).MontarExibirFormulario(numero);
    });
}

} // namespace andamento
