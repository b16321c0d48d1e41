#include "platform/controls/Image.h"

#include <QMouseEvent>
#include <QPainter>

Image::Image(QWidget* pai, const QString& nome) : Controle(pai, nome) {}

void Image::setPicture(const QPixmap& imagem) {
    mpixPicture = imagem;
    if (!mbooStretch && !imagem.isNull()) resize(imagem.deviceIndependentSize().toSize());
    update();
}

void Image::setStretch(bool valor) {
    mbooStretch = valor;
    update();
}

void Image::paintEvent(QPaintEvent*) {
    if (mpixPicture.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (mbooStretch)
        p.drawPixmap(rect(), mpixPicture);
    else
        p.drawPixmap(0, 0, mpixPicture);
}

void Image::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) && isEnabled())
        emit Click();
    Controle::mouseReleaseEvent(evento);
}
