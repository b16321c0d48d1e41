#include "component/modPainelDeEspera.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/Icones.h"
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

void DesabilitarDuranteAEspera(QWidget* formulario) {
    QWidget* foco = QApplication::focusWidget();
    if (foco && formulario->isAncestorOf(foco)) gFocoAntesDaEspera.insert(formulario, foco);
    formulario->setEnabled(false);
}

void HabilitarDepoisDaEspera(QWidget* formulario) {
    formulario->setEnabled(true);
    const QPointer<QWidget> foco = gFocoAntesDaEspera.take(formulario);
    if (foco && !foco->hasFocus() && foco->isEnabled() && foco->isVisible())
        foco->setFocus(Qt::OtherFocusReason);
}
