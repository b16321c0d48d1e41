#include "platform/controls/PictureBox.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/CoresVB.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* pai, const QString& nome) : Controle(pai, nome) {}

void PictureBox::setPicture(const QPixmap& imagem) {
    mpixPicture = imagem;
    update();
}

void PictureBox::setBackColor(int cor) {
    mlonBackColor = cor;
    update();
}

void PictureBox::setBorderStyle(int valor) {
    mintBorderStyle = valor;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), CoresVB::ParaQColor(mlonBackColor));
    if (!mpixPicture.isNull()) p.drawPixmap(0, 0, mpixPicture);
    if (mintBorderStyle == 1) {
        p.setPen(Aparencia::CorDaBorda());
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) && isEnabled())
        emit Click();
    Controle::mouseReleaseEvent(evento);
}
