#include "entry/clsAndamento.h"

#include "andamento/RegistroDasJanelas.h"
#include "andamento/frmAcompanhamento.h"
#include "andamento/frmConfiguracoesDoOrcamento.h"
#include "andamento/frmHistoricoDoOrcamento.h"
#include "andamento/frmOrcamentosExcluidos.h"
#include "andamento/frmPacotesDeProcedimentos.h"
#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"

namespace {

// The number in the open list's selected row; 0 when no list is open or no row chosen.
double OrcamentoSelecionadoNaLista() {
    IFormularioDeLista* lista = modPrincipal::FormularioDeLista;
    MSFlexGrid* grade = lista ? lista->Grade() : nullptr;
    if (!grade || grade->isHidden() || grade->RowSel() < 1 || grade->RowSel() >= grade->Rows()) return 0;
    return grade->TextMatrix(grade->RowSel(), IFormularioDeLista::ColunaNumeroDoOrcamento)
        .trimmed()
        .toDouble();
}

} // namespace

clsAndamento::clsAndamento(QObject* parent) : QObject(parent) {
    qRegisterMetaType<HWnd>("HWnd");
    andamento::RegistrarJanelas();
}

QVariant clsAndamento::AbrirOrcamentosExcluidos(HWnd FomularioDoMenu_hWnd) {
    ComTratamentoDeErro(u"clsAndamento", u"AbrirOrcamentosExcluidos", [&](qint16& Ponto) {
        Ponto = 1;
        frmOrcamentosExcluidos lfrmExcluidos(Plataforma::JanelaDoHandle(FomularioDoMenu_hWnd));
        Ponto = 2;
        lfrmExcluidos.MontarExibirFormulario();
    });
    return QVariant();
}

QVariant clsAndamento::AbrirHistorico(HWnd FomularioDoMenu_hWnd, double NumeroDoOrcamento) {
    ComTratamentoDeErro(u"clsAndamento", u"AbrirHistorico", [&](qint16& Ponto) {
        Ponto = 1;
        const double ldouNumero = NumeroDoOrcamento > 0 ? NumeroDoOrcamento : OrcamentoSelecionadoNaLista();
        Ponto = 2;
        frmHistoricoDoOrcamento lfrmHistorico(Plataforma::JanelaDoHandle(FomularioDoMenu_hWnd));
        Ponto = 3;
        lfrmHistorico.MontarExibirFormulario(ldouNumero);
    });
    return QVariant();
}

QVariant clsAndamento::AbrirConfiguracoes(HWnd FomularioDoMenu_hWnd) {
    ComTratamentoDeErro(u"clsAndamento", u"AbrirConfiguracoes", [&](qint16& Ponto) {
        Ponto = 1;
        frmConfiguracoesDoOrcamento lfrmConfiguracoes(Plataforma::JanelaDoHandle(FomularioDoMenu_hWnd));
        Ponto = 2;
        lfrmConfiguracoes.MontarExibirFormulario();
    });
    return QVariant();
}

QVariant clsAndamento::AbrirPacotes(HWnd FomularioDoMenu_hWnd) {
    ComTratamentoDeErro(u"clsAndamento", u"AbrirPacotes", [&](qint16& Ponto) {
        Ponto = 1;
        frmPacotesDeProcedimentos lfrmPacotes(Plataforma::JanelaDoHandle(FomularioDoMenu_hWnd));
        Ponto = 2;
        lfrmPacotes.MontarExibirFormulario();
    });
    return QVariant();
}

QVariant clsAndamento::AbrirAcompanhamento(HWnd FomularioDoMenu_hWnd) {
    ComTratamentoDeErro(u"clsAndamento", u"AbrirAcompanhamento", [&](qint16& Ponto) {
        Ponto = 1;
        // The record form its "Abrir" opens darkens the menu window, as when the list
        // opens it: the same window the list records.
        modPrincipal::FomularioDoMenu_hWnd = FomularioDoMenu_hWnd;
        frmAcompanhamento lfrmAcompanhamento(Plataforma::JanelaDoHandle(FomularioDoMenu_hWnd));
        Ponto = 2;
        lfrmAcompanhamento.MontarExibirFormulario();
    });
    return QVariant();
}

void clsAndamento::AbrirAjuda(const QString& Secao) {
    modAjuda::ExibirAjuda(Secao);
}

void clsAndamento::DadosDoUsuario(QObject* lobjDadosDoUsuario) {
    modPrincipal::DadosDoUsuario = lobjDadosDoUsuario;
}

void clsAndamento::NomeDaAplicacao(const QString& lstrNomeDaAplicacao) {
    modPrincipal::NomeDaAplicacao = lstrNomeDaAplicacao;
}
