#include "platform/controls/Label.h"

#include "contracts/VB.h"
#include "platform/controls/CoresVB.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

Label::Label(QWidget* pai, const QString& nome) : Controle(pai, nome) {}

void Label::setCaption(const QString& texto) {
    mstrCaption = texto;
    AjustarTamanho();
    update();
}

void Label::setForeColor(int cor) {
    mlonForeColor = cor;
    update();
}

void Label::setBackColor(int cor) {
    mlonBackColor = cor;
    update();
}

void Label::setBackStyle(int valor) {
    mintBackStyle = valor;
    update();
}

void Label::setAlignment(int valor) {
    if (valor < 0 || valor > 2) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
    mintAlignment = valor;
    update();
}

void Label::setAutoSize(bool valor) {
    mbooAutoSize = valor;
    AjustarTamanho();
}

void Label::setWordWrap(bool valor) {
    mbooWordWrap = valor;
    AjustarTamanho();
    update();
}

QSize Label::sizeHint() const {
    if (mbooWordWrap)
        return fontMetrics()
            .boundingRect(QRect(0, 0, qMax(1, width()), 10000), Qt::TextWordWrap, mstrCaption)
            .size();
    return fontMetrics().size(0, mstrCaption);
}

void Label::AjustarTamanho() {
    if (mbooAutoSize) resize(sizeHint());
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (mintBackStyle == 1) p.fillRect(rect(), CoresVB::ParaQColor(mlonBackColor));
    static const Qt::Alignment alinhamentos[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    QColor cor = CoresVB::ParaQColor(mlonForeColor);
    if (!isEnabled()) cor.setAlpha(110);
    p.setPen(cor);
    p.setFont(font());
    p.drawText(rect(), alinhamentos[mintAlignment] | Qt::AlignTop | (mbooWordWrap ? Qt::TextWordWrap : 0),
               mstrCaption);
}

void Label::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) && isEnabled())
        emit Click();
    Controle::mouseReleaseEvent(evento);
}

void Label::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) AjustarTamanho();
    Controle::changeEvent(evento);
}
