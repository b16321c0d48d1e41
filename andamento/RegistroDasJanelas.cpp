#include "andamento/RegistroDasJanelas.h"

#include "andamento/frmAprovarOrcamento.h"
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
    JanelasDoOrcamento::Registrar(Janela::AprovarOrcamento, [](QWidget* pai, double numero) {
        frmAprovarOrcamento lfrmAprovacao(pai);
        return lfrmAprovacao.MontarExibirFormulario(numero);
    });
}

} // namespace andamento
