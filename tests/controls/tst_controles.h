#pragma once
// Tests of the control library: the extender in twips, the events each setter and
// each action of the person raises, the keyboard and focus rules, the flex grid's
// current cell, structure and painting.

#include "tests/NumeroDoErro.h"

#include <QObject>
#include <functional>

class TesteDosControles : public QObject {
    Q_OBJECT

private slots:
    // tst_controles.cpp
    void twipsEPixels();
    void coresVB();
    void extensorPorNome();
    void setFocusRecusado();
    void comboBoxCliquesDosSetters();
    void comboBoxListaEErros();
    void numberBoxKeyPress();
    void numberBoxValidateMantemOFoco();
    void numberBoxGotFocusESelecao();
    void findStatusPorAcao();
    void findTecladoEFoco();
    void optionButtonGrupoECliques();
    void commandButtonCliqueEDicas();
    void navigationBarTextoEBotoes();
    void datePickerValor();
    void icones();
    void fonteArial();

    // tst_grade.cpp
    void gradeEstrutura();
    void gradeRemoveItem();
    void gradeCelulaAtualESelChange();
    void gradeCellAplicaNaCelulaAtual();
    void gradeCliquesEArrasto();
    void gradeCliqueNoCabecalhoESelectionMode();
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
