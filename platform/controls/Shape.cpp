#include "platform/controls/Shape.h"

#include "contracts/VB.h"
#include "platform/controls/CoresVB.h"

#include <QPainter>

Shape::Shape(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

namespace {
void ValidarFaixa(int valor, int minimo, int maximo) {
    if (valor < minimo || valor > maximo) throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
}
} // namespace

void Shape::setShape(int valor) {
    ValidarFaixa(valor, 0, 5);
    mintShape = valor;
    update();
}

void Shape::setBorderColor(int cor) {
    mlonBorderColor = cor;
    update();
}

void Shape::setBorderWidth(int valor) {
    ValidarFaixa(valor, 1, 8192);
    mintBorderWidth = valor;
    update();
}

void Shape::setBorderStyle(int valor) {
    ValidarFaixa(valor, 0, 6);
    mintBorderStyle = valor;
    update();
}

void Shape::setFillColor(int cor) {
    mlonFillColor = cor;
    update();
}

void Shape::setFillStyle(int valor) {
    ValidarFaixa(valor, 0, 7);
    mintFillStyle = valor;
    update();
}

void Shape::setBackColor(int cor) {
    mlonBackColor = cor;
    update();
}

void Shape::setBackStyle(int valor) {
    ValidarFaixa(valor, 0, 1);
    mintBackStyle = valor;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, mintShape >= 2);
    const qreal meia = mintBorderStyle == 0 ? 0 : mintBorderWidth / 2.0;
    QRectF area = QRectF(rect()).adjusted(meia, meia, -meia, -meia);
    if (mintShape == 1 || mintShape == 3 || mintShape == 5) { // square figures: centred, the smaller side
        const qreal lado = qMin(area.width(), area.height());
        area = QRectF(area.center().x() - lado / 2, area.center().y() - lado / 2, lado, lado);
    }
    static const Qt::PenStyle tracos[] = {Qt::NoPen,       Qt::SolidLine,      Qt::DashLine, Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine};
    static const Qt::BrushStyle padroes[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                             Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                             Qt::CrossPattern, Qt::DiagCrossPattern};
    const qreal raio = qMin(area.width(), area.height()) / 6;
    auto desenhar = [&](QPainter& pintor) {
        if (mintShape == 2 || mintShape == 3)
            pintor.drawEllipse(area);
        else if (mintShape == 4 || mintShape == 5)
            pintor.drawRoundedRect(area, raio, raio);
        else
            pintor.drawRect(area);
    };
    p.setPen(Qt::NoPen);
    if (mintBackStyle == 1) {
        p.setBrush(CoresVB::ParaQColor(mlonBackColor));
        desenhar(p);
    }
    p.setBrush(QBrush(CoresVB::ParaQColor(mlonFillColor), padroes[mintFillStyle]));
    p.setPen(QPen(CoresVB::ParaQColor(mlonBorderColor), mintBorderWidth, tracos[mintBorderStyle]));
    desenhar(p);
}
