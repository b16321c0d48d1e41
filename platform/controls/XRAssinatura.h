#pragma once
// XRAssinatura: a pad a person signs on, with the mouse, a finger on a touch screen or a
// pen on a tablet (its pressure widens the line where the device gives it). The
// signature is kept as strokes (points with their width), drawn again at any size, and
// handed over as a PNG: black lines on white, small enough to store (Png).
//
// Event rules: Change after each stroke ends and after Limpar (not while a line is
// being drawn).

#include "platform/controls/Controle.h"

#include <QList>
#include <QPointF>

class QTabletEvent;
class QTouchEvent;

class XRAssinatura : public Controle {
    Q_OBJECT
    Q_PROPERTY(bool Vazia READ Vazia)

public:
    explicit XRAssinatura(QWidget* pai = nullptr, const QString& nome = QString());

    struct Ponto {
        QPointF Posicao; // in the pad's own coordinates, 0..1 both ways
        qreal Largura;   // the line's width there, in points of a 1000-wide pad
    };
    using Traco = QList<Ponto>;

    bool Vazia() const { return mtracos.isEmpty(); }
    const QList<Traco>& Tracos() const { return mtracos; }
    Q_INVOKABLE void Limpar();
    // A stroke as a person draws it, for a program that signs in a person's place (a test).
    void AdicionarTraco(const Traco& traco);
    // The signature as a PNG of at most maximo bytes: drawn at 600 × (600 × height ÷
    // width) pixels, in two colours, smaller if it would not fit; empty when Vazia.
    QByteArray Png(qsizetype maximo) const;

signals:
    void Change();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void tabletEvent(QTabletEvent* evento) override;
    bool event(QEvent* evento) override;

private:
    void Comecar(const QPointF& ponto, qreal pressao);
    void Continuar(const QPointF& ponto, qreal pressao);
    void Terminar();
    Ponto Normalizado(const QPointF& ponto, qreal pressao) const;

    QList<Traco> mtracos;
    bool mbooDesenhando = false;
};
