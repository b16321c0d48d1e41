#include "andamento/GraficoDeSemanas.h"

#include "platform/controls/Aparencia.h"

#include <QPainter>
#include <algorithm>

namespace {

const QColor CorDoOferecido(190, 190, 190);
const QColor CorDoAprovado(46, 125, 50);
const QColor CorDoTexto(40, 40, 40);

} // namespace

GraficoDeSemanas::GraficoDeSemanas(QWidget* pai, const QString& nome) : QWidget(pai) {
    setObjectName(nome);
}

void GraficoDeSemanas::DefinirSemanas(const QList<ZELT_N_Orcamentos::SemanaDoAcompanhamento>& semanas) {
    msemanas = semanas;
    update();
}

QImage GraficoDeSemanas::Imagem(const QSize& tamanho) const {
    QImage imagem(tamanho, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    Pintar(p, QRectF(QPointF(0, 0), QSizeF(tamanho)));
    return imagem;
}

void GraficoDeSemanas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    Pintar(p, QRectF(rect()));
}

void GraficoDeSemanas::Pintar(QPainter& p, const QRectF& area) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont fonte = Aparencia::Fonte(8);
    fonte.setPixelSize(std::max(9, qRound(area.height() / 16)));
    p.setFont(fonte);
    const qreal linha = p.fontMetrics().height();
    // The legend on top, the weeks' first days under the bars.
    p.setPen(CorDoTexto);
    const qreal quadrado = linha * 0.7;
    p.fillRect(QRectF(area.left(), area.top() + 2, quadrado, quadrado), CorDoOferecido);
    p.drawText(QPointF(area.left() + quadrado + 4, area.top() + linha * 0.8), QStringLiteral("Oferecido"));
    const qreal segunda =
        area.left() + quadrado + 8 + p.fontMetrics().horizontalAdvance(QStringLiteral("Oferecido")) + 12;
    p.fillRect(QRectF(segunda, area.top() + 2, quadrado, quadrado), CorDoAprovado);
    p.drawText(QPointF(segunda + quadrado + 4, area.top() + linha * 0.8), QStringLiteral("Aprovado"));
    const QRectF barras(area.left(), area.top() + linha * 1.4, area.width(), area.height() - linha * 2.6);
    if (msemanas.isEmpty() || barras.height() <= 0) return;
    double maximo = 0;
    for (const auto& s : msemanas)
        maximo = std::max(maximo, s.Oferecido.ParaDouble());
    const qreal largura = barras.width() / msemanas.size();
    p.setPen(QColor(210, 210, 210));
    p.drawLine(barras.bottomLeft(), barras.bottomRight());
    for (int k = 0; k < msemanas.size(); ++k) {
        const auto& s = msemanas.at(k);
        const qreal x = barras.left() + k * largura;
        const auto barra = [&](double valor, qreal esquerda, const QColor& cor) {
            const qreal altura = maximo > 0 ? barras.height() * valor / maximo : 0;
            p.fillRect(QRectF(esquerda, barras.bottom() - altura, largura * 0.36, altura), cor);
        };
        barra(s.Oferecido.ParaDouble(), x + largura * 0.12, CorDoOferecido);
        barra(s.Aprovado.ParaDouble(), x + largura * 0.5, CorDoAprovado);
        p.setPen(CorDoTexto);
        p.drawText(QRectF(x, barras.bottom() + 2, largura, linha), Qt::AlignHCenter | Qt::AlignTop,
                   s.Inicio.toString(QStringLiteral("dd/MM")));
    }
}
