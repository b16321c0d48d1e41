#pragma once
// The follow-up window's chart: the last twelve weeks, each a pair of bars, the value
// offered (the net values of the quotes made that week) and the part of it approved,
// painted with QPainter on the window and, as a picture, on the printed follow-up.

#include "contracts/Negocio.h"

#include <QImage>
#include <QList>
#include <QWidget>

class GraficoDeSemanas : public QWidget {
    Q_OBJECT
public:
    explicit GraficoDeSemanas(QWidget* pai, const QString& nome);

    void DefinirSemanas(const QList<ZELT_N_Orcamentos::SemanaDoAcompanhamento>& semanas);
    const QList<ZELT_N_Orcamentos::SemanaDoAcompanhamento>& Semanas() const { return msemanas; }
    // The chart as a picture of that size in pixels, white behind it.
    QImage Imagem(const QSize& tamanho) const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void Pintar(QPainter& p, const QRectF& area) const;

    QList<ZELT_N_Orcamentos::SemanaDoAcompanhamento> msemanas;
};
