#include "andamento/frmDeUmOrcamento.h"

#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"

frmDeUmOrcamento::frmDeUmOrcamento(const QString& lstrNome, const QString& lstrTitulo, int llonLargura,
                                   int llonAltura, std::span<const modGrade::ColunaDaGrade> colunas,
                                   int llonLarguraDoNome, QWidget* pai)
    : frmAndamento(lstrNome, lstrTitulo, llonLargura, llonAltura, pai), mcolunas(colunas) {
    lblOrcamento = new Label(this, QStringLiteral("lblOrcamento"));
    lblOrcamento->setFont(Aparencia::Fonte(12));
    lblOrcamento->Move(Margem, TopoDosComandos + 50, llonLarguraDoNome, 400);
}

frmDeUmOrcamento::~frmDeUmOrcamento() = default;

bool frmDeUmOrcamento::MontarExibirFormulario(double ldouNumeroDoOrcamento) {
    bool lido = false;
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        mdouNumeroDoOrcamento = ldouNumeroDoOrcamento;
        ConfigurarGrade(mcolunas);
        Ponto = 2;
        lido = LerOrcamento();
    });
    if (!lido) return false;
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 3;
        AntesDeExibir();
        Plataforma::ExibirModal(this);
    });
    return mbooAlterado;
}

void frmDeUmOrcamento::NomearOrcamento(const QString& lstrCliente) {
    lblOrcamento->setCaption(
        QStringLiteral("Orçamento %1 · %2").arg(VB::CStr(mdouNumeroDoOrcamento), lstrCliente));
}
