#pragma once
// What the two tests of the control library share: tst_controles (the extender in twips,
// the events each setter and each action of the person raises, the keyboard and focus
// rules) and tst_grade (the flex grid's current cell, structure and painting).

#include "tests/NumeroDoErro.h"

#include <QtTest>
#include <functional>

// A window that is shown and active, so that focus and mouse behave as for a person.
inline bool Ativar(QWidget& janela) {
    janela.show();
    janela.activateWindow();
    return QTest::qWaitForWindowActive(&janela);
}

// A window of that size in pixels, to place controls in.
struct Janela : QWidget {
    Janela(int largura, int altura) { resize(largura, altura); }
};

// A click through the window, as a person's (at the widget's centre when no point is given).
inline void Clicar(QWidget* widget, QPoint ponto = QPoint(), Qt::KeyboardModifiers teclas = {},
                   Qt::MouseButton botao = Qt::LeftButton) {
    if (ponto.isNull()) ponto = widget->rect().center();
    QTest::mouseClick(widget->window()->windowHandle(), botao, teclas,
                      widget->mapTo(widget->window(), ponto));
}
