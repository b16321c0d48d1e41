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

// A window of the component shown modal over the menu window, inside the class's trap.
template <class Janela> QVariant Abrir(QStringView procedimento, HWnd FomularioDoMenu_hWnd) {
    ComTratamentoDeErro(u"clsAndamento", procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        Janela lfrmJanela(Plataforma::JanelaDoHandle(FomularioDoMenu_hWnd));
        Ponto = 2;
        lfrmJanela.MontarExibirFormulario();
    });
    return QVariant();
}

} // namespace

clsAndamento::clsAndamento(QObject* parent) : QObject(parent) {
    qRegisterMetaType<HWnd>("HWnd");
    andamento::RegistrarJanelas();
}

QVariant clsAndamento::AbrirOrcamentosExcluidos(HWnd FomularioDoMenu_hWnd) {
    return Abrir<frmOrcamentosExcluidos>(u"AbrirOrcamentosExcluidos", FomularioDoMenu_hWnd);
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
    return Abrir<frmConfiguracoesDoOrcamento>(u"AbrirConfiguracoes", FomularioDoMenu_hWnd);
}

QVariant clsAndamento::AbrirPacotes(HWnd FomularioDoMenu_hWnd) {
    return Abrir<frmPacotesDeProcedimentos>(u"AbrirPacotes", FomularioDoMenu_hWnd);
}

QVariant clsAndamento::AbrirAcompanhamento(HWnd FomularioDoMenu_hWnd) {
    // The record form its "Abrir" opens darkens the menu window, as when the list opens
    // it: the same window the list records.
    modPrincipal::FomularioDoMenu_hWnd = FomularioDoMenu_hWnd;
    return Abrir<frmAcompanhamento>(u"AbrirAcompanhamento", FomularioDoMenu_hWnd);
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
