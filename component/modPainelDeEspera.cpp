#include "component/modPainelDeEspera.h"

#include "component/modArredondarCantosDoObjeto.h"
#include "component/modFuncoes.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Icones.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Twips.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QWidget>

QPixmap ImagemDoPainelDeEspera(int larguraEmTwips, int alturaEmTwips, const QString& texto) {
    const int largura = Twips::ParaPixels(larguraEmTwips);
    const int altura = Twips::ParaPixels(alturaEmTwips);
    QPixmap imagem(largura, altura);
    imagem.fill(Qt::white);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.drawPixmap(24, (altura - 24) / 2,
                      Icones::Icone(QStringLiteral("Aguarde"), 24, Aparencia::CorDeDestaque()));
    pintor.setFont(Aparencia::Fonte(12));
    pintor.setPen(Aparencia::CorDoTexto());
    pintor.drawText(QRect(60, 0, largura - 60, altura), Qt::AlignVCenter | Qt::AlignLeft, texto);
    return imagem;
}

namespace {

thread_local QHash<const QWidget*, QPointer<QWidget>> gFocoAntesDaEspera;

} // namespace

void ExibirPainelDeEspera(QWidget* formulario, PictureBox* picMensagem,
                          const std::function<void()>& posicionar) {
    QWidget* foco = QApplication::focusWidget();
    if (foco && formulario->isAncestorOf(foco)) gFocoAntesDaEspera.insert(formulario, foco);
    formulario->setEnabled(false);
    HWnd lhWnd = Plataforma::Handle(picMensagem);
    quint8 lbytRaio = 30;
    ArredondarCantosDoObjeto(lhWnd, lbytRaio);
    posicionar();
    picMensagem->setVisible(true);
    Pausar(1);
}

void OcultarPainelDeEspera(QWidget* formulario, PictureBox* picMensagem) {
    formulario->setEnabled(true);
    picMensagem->setVisible(false);
    const QPointer<QWidget> foco = gFocoAntesDaEspera.take(formulario);
    if (foco && !foco->hasFocus() && foco->isEnabled() && foco->isVisible())
        foco->setFocus(Qt::OtherFocusReason);
}

void CentralizarPainel(QWidget* formulario, PictureBox* picMensagem) {
    picMensagem->raise();
    picMensagem->setTop(Twips::DePixels(formulario->height()) / 2 - picMensagem->Height() / 2);
    picMensagem->setLeft(Twips::DePixels(formulario->width()) / 2 - picMensagem->Width() / 2);
}
