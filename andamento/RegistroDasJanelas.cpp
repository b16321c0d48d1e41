#include "andamento/RegistroDasJanelas.h"

#include "andamento/CopiaDoOrcamento.h"
#include "andamento/frmAcompanhamento.h"
#include "andamento/frmAprovarOrcamento.h"
#include "andamento/frmHistoricoDoOrcamento.h"
#include "andamento/frmRegistrarPagamento.h"
#include "andamento/frmRegistroDaEtapa.h"
#include "andamento/frmRenovarValidade.h"
#include "andamento/frmTermoDeConsentimento.h"
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
    JanelasDoOrcamento::Registrar(Janela::RenovarValidade, [](QWidget* pai, double numero) {
        frmRenovarValidade lfrmRenovar(pai);
        return lfrmRenovar.MontarExibirFormulario(numero);
    });
    // The new quote, saved, is the one the list shows next (as after "Adicionar").
    JanelasDoOrcamento::Registrar(Janela::CopiarOrcamento, andamento::CopiarOrcamento);
    JanelasDoOrcamento::Registrar(Janela::AprovarOrcamento, [](QWidget* pai, double numero) {
        frmAprovarOrcamento lfrmAprovacao(pai);
        return lfrmAprovacao.MontarExibirFormulario(numero);
    });
    JanelasDoOrcamento::Registrar(Janela::RegistrarPagamento, [](QWidget* pai, double numero) {
        frmRegistrarPagamento lfrmPagamento(pai);
        return lfrmPagamento.MontarExibirFormulario(numero);
    });
    // The follow-up of open quotes is no quote's window: numero is 0. Whatever it changed,
    // the rows the caller shows are read again.
    JanelasDoOrcamento::Registrar(Janela::Acompanhamento, [](QWidget* pai, double) {
        frmAcompanhamento lfrmAcompanhamento(pai);
        lfrmAcompanhamento.MontarExibirFormulario();
        return true;
    });
    // A client's answer: a stage change when confirmed.
    JanelasDoOrcamento::Registrar(Janela::RegistrarAprovacao, [](QWidget* pai, double numero) {
        return frmRegistrarAprovacao(pai).MontarExibirFormulario(numero);
    });
    JanelasDoOrcamento::Registrar(Janela::RegistrarRecusa, [](QWidget* pai, double numero) {
        return frmRegistrarRecusa(pai).MontarExibirFormulario(numero);
    });
    JanelasDoOrcamento::Registrar(Janela::TermoDeConsentimento, [](QWidget* pai, double numero) {
        return frmTermoDeConsentimento(pai).MontarExibirFormulario(numero);
    });
}

} // namespace andamento
