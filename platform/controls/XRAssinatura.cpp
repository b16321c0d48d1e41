#include "platform/controls/XRAssinatura.h"

#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabletEvent>
#include <QTouchEvent>

namespace {

// A line drawn with no pressure (the mouse, a finger) and the range a pen's pressure
// spans, in points of a pad 1000 wide.
constexpr qreal LarguraSemPressao = 4.0;
constexpr qreal LarguraMinima = 1.5;
constexpr qreal LarguraMaxima = 8.0;
constexpr int LarguraDaImagem = 600;

qreal LarguraDaPressao(qreal pressao) {
    return pressao < 0 ? LarguraSemPressao : LarguraMinima + (LarguraMaxima - LarguraMinima) * pressao;
}

// The strokes over a white rectangle of that size: each segment a round-capped line of
// its end's width.
void Desenhar(QPainter& pintor, const QList<XRAssinatura::Traco>& tracos, const QSizeF& tamanho) {
    pintor.setRenderHint(QPainter::Antialiasing);
    const qreal escala = tamanho.width() / 1000.0;
    for (const XRAssinatura::Traco& traco : tracos) {
        for (qsizetype i = 0; i < traco.size(); ++i) {
            const XRAssinatura::Ponto& fim = traco.at(i);
            const XRAssinatura::Ponto& inicio = traco.at(i > 0 ? i - 1 : 0);
            pintor.setPen(QPen(Qt::black, std::max<qreal>(1.0, fim.Largura * escala), Qt::SolidLine,
                               Qt::RoundCap, Qt::RoundJoin));
            pintor.drawLine(
                QPointF(inicio.Posicao.x() * tamanho.width(), inicio.Posicao.y() * tamanho.height()),
                QPointF(fim.Posicao.x() * tamanho.width(), fim.Posicao.y() * tamanho.height()));
        }
    }
}

} // namespace

XRAssinatura::XRAssinatura(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    setAttribute(Qt::WA_AcceptTouchEvents);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::NoFocus);
}

void XRAssinatura::Limpar() {
    mtracos.clear();
    mbooDesenhando = false;
    update();
    emit Change();
}

void XRAssinatura::AdicionarTraco(const Traco& traco) {
    if (traco.isEmpty()) return;
    mtracos << traco;
    update();
    emit Change();
}

QByteArray XRAssinatura::Png(qsizetype maximo) const {
    if (Vazia()) return {};
    const qreal proporcao = width() > 0 ? qreal(height()) / width() : 1.0 / 3.0;
    for (int largura = LarguraDaImagem; largura >= 100; largura -= 100) {
        QImage imagem(largura, std::max(1, qRound(largura * proporcao)), QImage::Format_RGB32);
        imagem.fill(Qt::white);
        QPainter pintor(&imagem);
        Desenhar(pintor, mtracos, imagem.size());
        pintor.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // Two colours: a signature needs no more, and it keeps the file small.
        imagem.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(&buffer, "PNG");
        if (bytes.size() <= maximo) return bytes;
    }
    return {};
}

void XRAssinatura::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    pintor.fillRect(rect(), Qt::white);
    // The line to sign on, as on paper.
    pintor.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
    pintor.drawRect(rect().adjusted(0, 0, -1, -1));
    const int linha = height() * 3 / 4;
    pintor.drawLine(width() / 10, linha, width() * 9 / 10, linha);
    Desenhar(pintor, mtracos, size());
}

XRAssinatura::Ponto XRAssinatura::Normalizado(const QPointF& ponto, qreal pressao) const {
    const qreal x = width() > 0 ? std::clamp(ponto.x() / width(), 0.0, 1.0) : 0;
    const qreal y = height() > 0 ? std::clamp(ponto.y() / height(), 0.0, 1.0) : 0;
    return {QPointF(x, y), LarguraDaPressao(pressao)};
}

void XRAssinatura::Comecar(const QPointF& ponto, qreal pressao) {
    if (!isEnabled()) return;
    mbooDesenhando = true;
    mtracos << Traco{Normalizado(ponto, pressao)};
    update();
}

void XRAssinatura::Continuar(const QPointF& ponto, qreal pressao) {
    if (!mbooDesenhando || mtracos.isEmpty()) return;
    mtracos.last() << Normalizado(ponto, pressao);
    update();
}

void XRAssinatura::Terminar() {
    if (!mbooDesenhando) return;
    mbooDesenhando = false;
    emit Change();
}

void XRAssinatura::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) Comecar(evento->position(), -1);
}

void XRAssinatura::mouseMoveEvent(QMouseEvent* evento) {
    Continuar(evento->position(), -1);
}

void XRAssinatura::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) Terminar();
}

// A pen: its pressure, where the device has one (QInputDevice's capability).
void XRAssinatura::tabletEvent(QTabletEvent* evento) {
    const bool temPressao = evento->pointingDevice() && evento->pointingDevice()->capabilities().testFlag(
                                                            QInputDevice::Capability::Pressure);
    const qreal pressao = temPressao ? evento->pressure() : -1;
    switch (evento->type()) {
    case QEvent::TabletPress:
        Comecar(evento->position(), pressao);
        break;
    case QEvent::TabletMove:
        Continuar(evento->position(), pressao);
        break;
    case QEvent::TabletRelease:
        Terminar();
        break;
    default:
        break;
    }
    evento->accept();
}

// A finger: the first touch point draws, like the mouse.
bool XRAssinatura::event(QEvent* evento) {
    switch (evento->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto* toque = static_cast<QTouchEvent*>(evento);
        if (!toque->points().isEmpty()) {
            const QPointF ponto = toque->points().constFirst().position();
            if (evento->type() == QEvent::TouchBegin)
                Comecar(ponto, -1);
            else if (evento->type() == QEvent::TouchUpdate)
                Continuar(ponto, -1);
            else
                Terminar();
        }
        evento->accept();
        return true;
    }
    default:
        return Controle::event(evento);
    }
}
