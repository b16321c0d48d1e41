#include "andamento/frmRegistroDaEtapa.h"

#include "andamento/CamposDeTexto.h"
#include "andamento/frmAndamento.h"

#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int Largura = 7800;
constexpr int Altura = 4700;

void Informar(const QString& texto, int icone) {
    Plataforma::MsgBox(texto, icone, modPrincipal::NomeDaAplicacao);
}

} // namespace

frmRegistroDaEtapa::frmRegistroDaEtapa(const QString& lstrNome, const QString& lstrTitulo, QWidget* pai)
    : QDialog(pai), mstrNome(lstrNome) {
    frmAndamento::PrepararJanela(*this, lstrNome, lstrTitulo, Largura, Altura);
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDaLista);

    lblTitulo = new Label(this, QStringLiteral("lblTitulo"));
    lblTitulo->setCaption(lstrTitulo);
    lblTitulo->setFont(Aparencia::Fonte(20));
    lblTitulo->Move(Margem, 350, Largura - 2 * Margem, 600);

    lblOrcamento = new Label(this, QStringLiteral("lblOrcamento"));
    lblOrcamento->setFont(Aparencia::Fonte(12));
    lblOrcamento->Move(Margem, 1000, Largura - 2 * Margem, 400);

    xrcmdCancelar = new XRCommandButton(this, QStringLiteral("xrcmdCancelar"));
    xrcmdCancelar->setCaption(QStringLiteral("    Cancelar"));
    xrcmdCancelar->setIcone(QStringLiteral("Fechar"));
    xrcmdCancelar->Move(Largura - Margem - 1800, Altura - 750, 1800, 450);
    xrcmdOK = new XRCommandButton(this, QStringLiteral("xrcmdOK"));
    xrcmdOK->setCaption(QStringLiteral("OK"));
    xrcmdOK->Move(xrcmdCancelar->Left() - 100 - 1500, Altura - 750, 1500, 450);

    connect(xrcmdOK, &XRCommandButton::Click, this, &frmRegistroDaEtapa::xrcmdOK_Click);
    connect(xrcmdCancelar, &XRCommandButton::Click, this, &frmRegistroDaEtapa::xrcmdCancelar_Click);
}

frmRegistroDaEtapa::~frmRegistroDaEtapa() = default;

QLineEdit* frmRegistroDaEtapa::CriarCaixaDeTexto(const QString& nome, int left, int top, int width) {
    return CamposDeTexto::CriarCaixaDeTexto(this, nome, left, top, width);
}

Label* frmRegistroDaEtapa::CriarRotulo(const QString& nome, const QString& texto, int left, int top) {
    return CamposDeTexto::CriarRotulo(this, nome, texto, left, top);
}

bool frmRegistroDaEtapa::MontarExibirFormulario(double ldouNumeroDoOrcamento) {
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        mdouNumeroDoOrcamento = ldouNumeroDoOrcamento;
        mobjEtapas = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
        mobjEtapas->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 2;
        const qint16 lintResultado = mobjEtapas->Ler(ldouNumeroDoOrcamento);
        if (lintResultado == Resultado::Erro) return ExibirErroDoNegocio(*mobjEtapas);
        if (lintResultado != Resultado::Sucesso)
            return Informar(mobjEtapas->DescricaoDaFalha, Plataforma::vbCritical);
        Ponto = 3;
        lblOrcamento->setCaption(QStringLiteral("Orçamento %1 - %2")
                                     .arg(VB::CStr(ldouNumeroDoOrcamento), mobjEtapas->NomeDoCliente));
        Preencher();
        Ponto = 4;
        Plataforma::ExibirModal(this);
    });
    return mbooConcluida;
}

void frmRegistroDaEtapa::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        xrcmdOK_Click();
        return;
    case Qt::Key_Escape:
        xrcmdCancelar_Click();
        return;
    default:
        QDialog::keyPressEvent(evento);
    }
}

void frmRegistroDaEtapa::xrcmdOK_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdOK_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const qint16 lintResultado = Registrar();
        Ponto = 2;
        switch (lintResultado) {
        case Resultado::Sucesso:
            mbooConcluida = true;
            accept();
            break;
        case Resultado::Rejeitado:
            // Told already by the form's own check, or here the business layer's: the
            // person completes the window.
            if (!mobjEtapas->DescricaoDaFalha.isEmpty())
                Informar(mobjEtapas->DescricaoDaFalha, Plataforma::vbInformation);
            break;
        case Resultado::Recusado:
            Informar(mobjEtapas->DescricaoDaFalha, Plataforma::vbCritical);
            reject();
            break;
        default:
            ExibirErroDoNegocio(*mobjEtapas);
            break;
        }
    });
}

void frmRegistroDaEtapa::xrcmdCancelar_Click() {
    reject();
}

// ---------------------------------------------------------------------------------------------

frmRegistrarAprovacao::frmRegistrarAprovacao(QWidget* pai)
    : frmRegistroDaEtapa(QStringLiteral("frmRegistrarAprovacao"), QStringLiteral("Registrar aprovação"),
                         pai) {
    CriarRotulo(QStringLiteral("lblQuem"), QStringLiteral("Quem aprovou"), Margem, TopoDosCampos);
    txtQuem = CriarCaixaDeTexto(QStringLiteral("txtQuem"), Margem, TopoDosCampos + 300, 4400);
    txtQuem->setMaxLength(200);
    CriarRotulo(QStringLiteral("lblComo"), QStringLiteral("Como"), Margem + 4600, TopoDosCampos);
    xrcmbComo = new XRComboBox(this, QStringLiteral("xrcmbComo"));
    xrcmbComo->Move(Margem + 4600, TopoDosCampos + 300, 2600, 450);
    for (const QString& meio : ZELT_N_Orcamentos::MeiosDeAprovacao)
        xrcmbComo->AddItem(meio);
    setTabOrder(txtQuem, xrcmbComo);
}

void frmRegistrarAprovacao::Preencher() {
    txtQuem->setText(mobjEtapas->NomeDoCliente);
    txtQuem->selectAll();
    // Most answers are given at the counter; the person changes it for the others.
    xrcmbComo->setListIndex(0);
    txtQuem->setFocus();
}

qint16 frmRegistrarAprovacao::Registrar() {
    // The whole quote: an approval in part marks its items in "Aprovar orçamento…".
    return mobjEtapas->RegistrarAprovacao(mdouNumeroDoOrcamento, txtQuem->text(), xrcmbComo->Text(), false);
}

// ---------------------------------------------------------------------------------------------

frmRegistrarRecusa::frmRegistrarRecusa(QWidget* pai)
    : frmRegistroDaEtapa(QStringLiteral("frmRegistrarRecusa"), QStringLiteral("Registrar recusa"), pai) {
    CriarRotulo(QStringLiteral("lblMotivo"), QStringLiteral("Motivo"), Margem, TopoDosCampos);
    xrcmbMotivo = new XRComboBox(this, QStringLiteral("xrcmbMotivo"));
    xrcmbMotivo->Move(Margem, TopoDosCampos + 300, 3600, 450);
    for (const QString& motivo : ZELT_N_Orcamentos::MotivosDaRecusa)
        xrcmbMotivo->AddItem(motivo);
    CriarRotulo(QStringLiteral("lblNota"), QStringLiteral("Observação (opcional)"), Margem,
                TopoDosCampos + 900);
    txtNota =
        CriarCaixaDeTexto(QStringLiteral("txtNota"), Margem, TopoDosCampos + 1200, Largura - 2 * Margem);
    txtNota->setMaxLength(500);
    setTabOrder(xrcmbMotivo, txtNota);
}

void frmRegistrarRecusa::Preencher() {
    // No reason chosen for the person: the figures of refusals by reason must be hers.
    xrcmbMotivo->setListIndex(-1);
    txtNota->clear();
    xrcmbMotivo->SetFocus();
}

qint16 frmRegistrarRecusa::Registrar() {
    if (xrcmbMotivo->ListIndex() < 0) {
        mobjEtapas->DescricaoDaFalha.clear();
        Informar(QStringLiteral("Informe o motivo da recusa."), Plataforma::vbInformation);
        xrcmbMotivo->SetFocus();
        return Resultado::Rejeitado;
    }
    return mobjEtapas->RegistrarRecusa(mdouNumeroDoOrcamento, xrcmbMotivo->Text(), txtNota->text());
}
