#pragma once
// The controls the forms are built of, for the tests that drive forms through them.

#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRAssinatura.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"
#include "platform/controls/XRNumberBox.h"
#include "platform/controls/XRTheme.h"

#include <QStringList>

// A grid row's cells de to ate (to the last column when ate is -1), joined by "|".
inline QString LinhaDaGrade(const MSFlexGrid* grade, int linha, int de = 0, int ate = -1) {
    QStringList celulas;
    for (int c = de; c <= (ate < 0 ? grade->Cols() - 1 : ate); ++c)
        celulas << grade->TextMatrix(linha, c);
    return celulas.join(u'|');
}

// Those cells of every row below the header (one column: de = ate).
inline QStringList LinhasDaGrade(const MSFlexGrid* grade, int de = 0, int ate = -1) {
    QStringList linhas;
    for (int r = 1; r < grade->Rows(); ++r)
        linhas << LinhaDaGrade(grade, r, de, ate);
    return linhas;
}
