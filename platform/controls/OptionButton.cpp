#include "platform/controls/OptionButton.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/CoresVB.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Diametro = 16;
}

OptionButton::OptionButton(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void OptionButton::setCaption(const QString& texto) {
    mstrCaption = texto;
    update();
}

void OptionButton::setForeColor(int cor) {
    mlonForeColor = cor;
    update();
}

void OptionButton::Selecionar() {
    if (parentWidget()) {
        const auto irmaos =
            parentWidget()->findChildren<OptionButton*>(QString(), Qt::FindDirectChildrenOnly);
        for (OptionButton* irmao : irmaos)
            if (irmao != this && irmao->mbooValue) {
                irmao->mbooValue = false;
                irmao->update();
            }
    }
    mbooValue = true;
    update();
}

void OptionButton::setValue(bool valor) {
    if (!valor) {
        mbooValue = false;
        update();
        return;
    }
    const bool jaSelecionado = mbooValue;
    Selecionar();
    if (!jaSelecionado) emit Click();
}

QSize OptionButton::sizeHint() const {
    return QSize(Diametro + 8 + fontMetrics().horizontalAdvance(mstrCaption) + 4,
                 qMax(Diametro + 4, fontMetrics().height() + 4));
}

void OptionButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF circulo(1.5, (height() - Diametro) / 2.0 + 0.5, Diametro - 1, Diametro - 1);
    const QColor destaque = isEnabled() ? Aparencia::CorDeDestaque() : Aparencia::CorDoTextoInativo();
    if (hasFocus()) {
        QColor halo = Aparencia::CorDeDestaque();
        halo.setAlpha(70);
        p.setPen(QPen(halo, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(circulo.adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    p.setPen(QPen(mbooValue ? destaque : Aparencia::CorDaBordaSobre(), 1.2));
    p.setBrush(isEnabled() ? QColor(Qt::white) : Aparencia::CorDeFundoInativo());
    p.drawEllipse(circulo);
    if (mbooValue) {
        p.setPen(Qt::NoPen);
        p.setBrush(destaque);
        p.drawEllipse(circulo.center(), 4, 4);
    }
    QColor cor = CoresVB::ParaQColor(mlonForeColor);
    if (!isEnabled()) cor = Aparencia::CorDoTextoInativo();
    p.setPen(cor);
    p.setFont(font());
    p.drawText(QRect(Diametro + 8, 0, width() - Diametro - 8, height()), Qt::AlignVCenter | Qt::AlignLeft,
               mstrCaption);
}

void OptionButton::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) && isEnabled()) {
        Selecionar();
        emit Click();
        return;
    }
    Controle::mouseReleaseEvent(evento);
}

void OptionButton::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Space && !evento->isAutoRepeat()) {
        Selecionar();
        emit Click();
        return;
    }
    Controle::keyPressEvent(evento);
}

void OptionButton::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::EnabledChange) update();
    Controle::changeEvent(evento);
}
