#include "component/frmMensagem.h"

#include "component/modArredondarCantosDoObjeto.h"
#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>

frmMensagem::frmMensagem(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmMensagem"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    setPalette(paleta);
    resize(Twips::ParaPixels(5280), Twips::ParaPixels(900));

    // The label is as wide as the form less the 780 twips that MontarExibirFormulario
    // adds back, so showing the form does not change its width.
    lblMensagem = new Label(this, QStringLiteral("lblMensagem"));
    lblMensagem->setFont(Aparencia::Fonte(11));
    lblMensagem->setAlignment(2);
    lblMensagem->setCaption(QStringLiteral("Aguarde, acessando o sistema"));
    lblMensagem->Move(390, 300, 4500, 300);
    Form_Load();
}

void frmMensagem::Form_Load() {
    ComTratamentoDeErro(u"frmMensagem", u"Form_Load", [&](qint16& Ponto) {
        Ponto = 1;
        if (!SistemaEhWindows8()) {
            Ponto = 2;
            ArredondarCantosDoObjeto();
        } else {
            Ponto = 3;
            auto* lshpObj = new Shape(this, QStringLiteral("lshpObj"));
            Ponto = 4;
            lshpObj->setVisible(true);
            Ponto = 5;
            lshpObj->Move(0, 0, Twips::DePixels(width()), Twips::DePixels(height()));
        }
    });
}

void frmMensagem::ArredondarCantosDoObjeto() {
    ComTratamentoDeErro(u"frmMensagem", u"ArredondarCantosDoObjeto", [&](qint16& Ponto) {
        Ponto = 1;
        Plataforma::DefinirRegiaoArredondada(Plataforma::Handle(this), 5);
    });
}

bool frmMensagem::MontarExibirFormulario() {
    ComTratamentoDeErro(u"frmMensagem", u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        resize(Twips::ParaPixels(lblMensagem->Width() + 780), height());
        Ponto = 2;
        if (QScreen* tela = QGuiApplication::primaryScreen())
            move(tela->availableGeometry().center() - rect().center());
        show();
        Ponto = 3;
        Pausar(1);
    });
    return false;
}

void frmMensagem::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    Form_Resize();
}

void frmMensagem::Form_Resize() {
    if (!mbooRedimensionado) {
        lblMensagem->setWidth(Twips::DePixels(width()));
        lblMensagem->setLeft(0);
        mbooRedimensionado = true;
    } else {
        mbooRedimensionado = false;
    }
}

void frmMensagem::Form_Unload() {
    close();
}
