#include "entry/clsOrcamentos.h"

#include "andamento/RegistroDasJanelas.h"
#include "entry/clsAndamento.h"

#include "component/modConstantes.h"
#include "component/modImpressao.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "list/frmLista.h"
#include "record/frmFicha.h"

#include <memory>

clsOrcamentos::clsOrcamentos(QObject* parent) : QObject(parent) {
    // Window handles travel by name through late-bound calls.
    qRegisterMetaType<HWnd>("HWnd");
    andamento::RegistrarJanelas();
    // The sheet the record form prints after a quote added from the host is saved: the
    // list's, through a hidden list of its own.
    modImpressao::ImprimirFicha = [](double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                                     VB::Currency lcurDescontoEmPercentual, VB::Currency lcurDescontoEmValor,
                                     VB::Currency lcurValorLiquido) {
        frmLista::ImprimirFichaEmListaOculta(ldouNumeroDoOrcamento, lcurValorTotal, lcurDescontoEmPercentual,
                                             lcurDescontoEmValor, lcurValorLiquido);
    };
}

QVariant clsOrcamentos::AbrirLista(HWnd FomularioDoMenu_hWnd, HWnd AreaDeTrabalho_hWnd) {
    ComTratamentoDeErro(u"clsOrcamentos", u"AbrirLista", [&](qint16& Ponto) {
        Ponto = 1;
        modPrincipal::FomularioDoMenu_hWnd = FomularioDoMenu_hWnd;
        Ponto = 2;
        // An earlier list stays open and docked until it is closed; only the
        // reference moves to the new one.
        auto lfrmLista = std::make_unique<frmLista>();
        modPrincipal::FormularioDeLista = lfrmLista.get();
        Ponto = 3;
        lfrmLista->MontarExibirFormulario(AreaDeTrabalho_hWnd);
        // Docked, the list belongs to the work area; a list that could not be docked
        // ends with this call instead of lingering unseen.
        if (lfrmLista->parentWidget()) lfrmLista.release();
    });
    return QVariant();
}

QVariant clsOrcamentos::AbrirFicha() {
    ComTratamentoDeErro(u"clsOrcamentos", u"AbrirFicha", [&](qint16& Ponto) {
        Ponto = 1;
        auto lfrmFicha = std::make_unique<frmFicha>();
        Ponto = 2;
        modPrincipal::FichaAbertaDiretamente = true;
        Ponto = 3;
        lfrmFicha->MontarExibirFormulario(1);
    });
    // Cleared on the error path too: a record form opened later from the list must
    // not believe it runs without one.
    modPrincipal::FichaAbertaDiretamente = false;
    return QVariant();
}

void clsOrcamentos::DadosDoUsuario(QObject* lobjDadosDoUsuario) {
    modPrincipal::DadosDoUsuario = lobjDadosDoUsuario;
}

void clsOrcamentos::NomeDaAplicacao(const QString& lstrNomeDaAplicacao) {
    modPrincipal::NomeDaAplicacao = lstrNomeDaAplicacao;
}

void clsOrcamentos::CodigoDoCliente(qint32 llonCodigoDoCliente) {
    modPrincipal::CodigoDoCliente = llonCodigoDoCliente;
}

void clsOrcamentos::ApelidoOuNomeFantasiaDoCliente(const QString& lstrApelidoOuNomeFantasiaDoCliente) {
    modPrincipal::ApelidoOuNomeFantasiaDoCliente = lstrApelidoOuNomeFantasiaDoCliente;
}

void clsOrcamentos::NomeOuRazaoSocialDoCliente(const QString& lstrNomeOuRazaoSocialDoCliente) {
    modPrincipal::NomeOuRazaoSocialDoCliente = lstrNomeOuRazaoSocialDoCliente;
}

void clsOrcamentos::CodigoDoAnimal(qint32 llonCodigoDoAnimal) {
    modPrincipal::CodigoDoAnimal = llonCodigoDoAnimal;
}

void clsOrcamentos::NomeDoAnimal(const QString& lstrNomeDoAnimal) {
    modPrincipal::NomeDoAnimal = lstrNomeDoAnimal;
}

QObject* ZELT_A_Orcamentos_CriarObjeto(const char* progId) {
    if (!progId) return nullptr;
    const QString nome = QString::fromUtf8(progId);
    if (nome == modConstantes::ProgIdDoComponente) return new clsOrcamentos;
    if (nome == modConstantes::ProgIdDoAndamento) return new clsAndamento;
    return nullptr;
}
