#pragma once
// Tests of the control library: the extender in twips, the events each setter and
// each action of the person raises, the keyboard and focus rules, the flex grid's
// current cell, structure and painting.

#include "tests/NumeroDoErro.h"

#include <QObject>
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

class TesteDosControles : public QObject {
    Q_OBJECT

private slots:
    // tst_controles.cpp
    void twipsECoresDoVB();
    void extensorPorNome();
    void setFocusRecusado();
    void comboBoxCliquesDosSetters();
    void comboBoxListaEErros();
    void numberBoxKeyPress();
    void numberBoxValidateMantemOFoco();
    void numberBoxGotFocusSelecaoEMaxLength();
    void findStatusPorAcao();
    void findTecladoFocoECodigo();
    void optionButtonGrupoECliques();
    void commandButtonCliqueEDicas();
    void navigationBarTextoEBotoes();
    void datePickerValor();
    void icones();

    // tst_grade.cpp
    void gradeEstruturaERemoveItem();
    void gradeCelulaAtualESelChange();
    void gradeCellAplicaNaCelulaAtual();
    void gradeCliquesArrastoESelectionMode();
    void gradeColunasOcultas();
    void gradePosicaoDaCelula();
    void gradeCoresAlternadasEDestaque();
    void gradeRedrawSuspendeAPintura();
    void gradeMouseMoveEmTwips();
    void gradeBarraDeRolagem();
    void gradeTeclado();
    void gradeLidaComoGradeDeItens();
    void gradeTextoQueNaoCabeTerminaEmReticencias();
};
