#include "component/modGrade.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/MSFlexGrid.h"

namespace modGrade {

void AplicarAparencia(MSFlexGrid* grade, int corFixa, int barrasDeRolagem, int corDaSelecao) {
    grade->setVisible(false);
    grade->setRedraw(false);
    grade->setAppearance(0);
    grade->setBorderStyle(0);
    grade->setFixedCols(0);
    grade->setFont(Aparencia::Fonte(11));
    grade->setBackColorFixed(corFixa);
    grade->setBackColorSel(corDaSelecao);
    grade->setForeColorSel(static_cast<int>(0x80000012u));
    grade->setBackColorBkg(0xFFFFFF);
    grade->setBackColor(0xFFFFFF);
    grade->setForeColor(0);
    grade->setGridColor(0xEFEFEF);
    grade->setGridColorFixed(0xEFEFEF);
    grade->setGridLines(0);
    grade->setGridLinesFixed(0);
    grade->setWordWrap(true);
    grade->setFocusRect(0);
    grade->setScrollBars(barrasDeRolagem);
}

void DefinirColunas(MSFlexGrid* grade, std::span<const ColunaDaGrade> colunas, int corDoCabecalho) {
    const int quantidade = static_cast<int>(colunas.size());
    grade->setRows(1);
    grade->setCols(quantidade);
    if (grade->Rows() > 1) grade->setFixedRows(1);
    for (int c = 0; c < quantidade; ++c) {
        grade->setTextMatrix(0, c, QString::fromUtf16(colunas[c].Titulo));
        grade->setColWidth(c, colunas[c].Largura);
        grade->setColAlignment(c, colunas[c].Alinhamento);
        grade->setColData(c, colunas[c].Atributo);
    }
    grade->setRow(0);
    for (int c = 0; c < quantidade; ++c) {
        grade->setCol(c);
        grade->setCellFontBold(true);
        grade->setCellForeColor(c == 1 ? CorDoCodigo : 0);
        grade->setBackColorFixed(corDoCabecalho);
    }
}

void EstilizarLinha(MSFlexGrid* grade, int linha, int corImpar, int corPar) {
    grade->setRow(linha);
    for (int c = 0; c < grade->Cols(); ++c) {
        grade->setCol(c);
        grade->setCellBackColor(linha % 2 == 1 ? corImpar : corPar);
        grade->setCellForeColor(c == 1 ? CorDoCodigo : 0);
    }
}

} // namespace modGrade
