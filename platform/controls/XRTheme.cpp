#include "platform/controls/XRTheme.h"

#include "platform/controls/Aparencia.h"

#include <QPainter>

XRTheme::XRTheme(QWidget* pai, const QString& nome) : Controle(pai, nome) {
    resize(sizeHint());
}

void XRTheme::setCaption(const QString& texto) {
    mstrCaption = texto;
    update();
}

void XRTheme::setDataOfInclusion(const QString& texto) {
    mstrDataOfInclusion = texto;
    update();
}

void XRTheme::setDataOfAlteration(const QString& texto) {
    mstrDataOfAlteration = texto;
    update();
}

void XRTheme::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    constexpr int Linha = 3;
    p.fillRect(QRect(0, height() - Linha, width(), Linha), Aparencia::CorDeDestaque());

    const QRect area = rect().adjusted(20, 0, -20, -Linha);
    QFont titulo = Aparencia::Fonte(16, true);
    titulo.setFamily(font().family());
    p.setFont(titulo);
    p.setPen(Aparencia::CorDoTexto());
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, mstrCaption);

    QFont linhas = font();
    linhas.setPointSizeF(qMax<qreal>(8, font().pointSizeF() - 1));
    p.setFont(linhas);
    p.setPen(Aparencia::CorDoTextoSuave());
    const int alturaDaLinha = QFontMetrics(linhas).height();
    const QStringList textos = {mstrDataOfInclusion, mstrDataOfAlteration};
    int quantas = 0;
    for (const QString& texto : textos)
        quantas += texto.isEmpty() ? 0 : 1;
    int y = area.center().y() - quantas * alturaDaLinha / 2;
    for (const QString& texto : textos) {
        if (texto.isEmpty()) continue;
        p.drawText(QRect(area.left(), y, area.width(), alturaDaLinha), Qt::AlignRight | Qt::AlignVCenter,
                   texto);
        y += alturaDaLinha;
    }
}
