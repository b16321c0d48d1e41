#include "record/frmPacoteDaFicha.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRNumberBox.h"

#include <QKeyEvent>

namespace {

Label* Rotulo(QWidget* pai, const QString& nome, const QString& legenda, int left, int top, int width) {
    auto* rotulo = new Label(pai, nome);
    rotulo->setCaption(legenda);
    rotulo->setFont(Aparencia::Fonte(10));
    rotulo->Move(left, top, width, 250);
    return rotulo;
}

XRCommandButton* Comando(QWidget* pai, const QString& nome, const QString& legenda, int left, int width) {
    auto* comando = new XRCommandButton(pai, nome);
    comando->setCaption(legenda);
    comando->Move(left, 1500, width, 450);
    return comando;
}

void Informar(const QString& lstrMensagem) {
    Plataforma::MsgBox(lstrMensagem, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

} // namespace

frmPacoteDaFicha::frmPacoteDaFicha(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("frmPacoteDaFicha"));
    setWindowTitle(QStringLiteral("Adicionar pacote"));
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    setPalette(paleta);
    resize(Twips::ParaPixels(7800), Twips::ParaPixels(2300));
    lblPacote =
        Rotulo(this, QStringLiteral("lblPacote"), QStringLiteral("Pacote de procedimentos"), 300, 250, 5200);
    xrcmbPacote = new XRComboBox(this, QStringLiteral("xrcmbPacote"));
    xrcmbPacote->Move(300, 500, 5200, 450);
    lblPeso = Rotulo(this, QStringLiteral("lblPeso"), QStringLiteral("Peso do animal (kg)"), 5700, 250, 1800);
    xrnumPeso = new XRNumberBox(this, QStringLiteral("xrnumPeso"));
    xrnumPeso->setAlignment(1);
    xrnumPeso->setMaxLength(9);
    xrnumPeso->Move(5700, 500, 1800, 450);
    xrcmdConfirmar = Comando(this, QStringLiteral("xrcmdConfirmar"), QStringLiteral("Adicionar"), 3500, 2000);
    xrcmdCancelar = Comando(this, QStringLiteral("xrcmdCancelar"), QStringLiteral("Cancelar"), 5700, 1800);
    connect(xrcmdConfirmar, &XRCommandButton::Click, this, &frmPacoteDaFicha::xrcmdConfirmar_Click);
    connect(xrcmdCancelar, &XRCommandButton::Click, this, &frmPacoteDaFicha::xrcmdCancelar_Click);
}

bool frmPacoteDaFicha::Escolher(const QList<QPair<qint64, QString>>& lpacotes, const QString& lstrPeso) {
    xrcmbPacote->Clear();
    for (const auto& [codigo, texto] : lpacotes) {
        xrcmbPacote->AddItem(texto);
        xrcmbPacote->setItemData(xrcmbPacote->NewIndex(), static_cast<int>(codigo));
    }
    xrcmbPacote->setListIndex(lpacotes.size() == 1 ? 0 : -1);
    xrnumPeso->setText(lstrPeso);
    mbooEscolhido = false;
    Plataforma::ExibirModal(this);
    return mbooEscolhido;
}

void frmPacoteDaFicha::xrcmdConfirmar_Click() {
    ComTratamentoDeErro(u"frmPacoteDaFicha", u"xrcmdConfirmar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (xrcmbPacote->ListIndex() < 0) {
            Informar(QStringLiteral("Selecione o pacote de procedimentos."));
            if (xrcmbPacote->isVisible()) xrcmbPacote->SetFocus();
            return;
        }
        Ponto = 2;
        if (xrnumPeso->Text().trimmed().isEmpty()) {
            Informar(QStringLiteral("Informe o peso do animal em kg."));
            if (xrnumPeso->isVisible()) xrnumPeso->SetFocus();
            return;
        }
        Ponto = 3;
        mlonCodigoDoPacote = xrcmbPacote->ItemData(xrcmbPacote->ListIndex());
        mstrPeso = xrnumPeso->Text().trimmed();
        mbooEscolhido = true;
        hide();
    });
}

void frmPacoteDaFicha::xrcmdCancelar_Click() {
    mbooEscolhido = false;
    hide();
}

// Escape cancels; Enter belongs to the focused control (the buttons take it as a click).
void frmPacoteDaFicha::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) return xrcmdCancelar_Click();
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(evento);
}
