// Fills a 1,000 x 21 flex grid cell by cell with Redraw off, as the record form fills its
// items grid (row height, then per cell: Row, Col, background, text colour, text), and
// prints the median and spread of several runs; then the one paint that follows Redraw
// True. Usage: bench_grade [runs]  (runs the offscreen platform unless told otherwise).

#include "contracts/IGradeDeItens.h"
#include "platform/controls/MSFlexGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Linhas = 1000;
constexpr int Colunas = GradeDeItens::QuantidadeDeColunas;

double Preencher(MSFlexGrid& grade) {
    QElapsedTimer relogio;
    relogio.start();
    grade.setRedraw(false);
    grade.setRows(1);
    grade.setCols(Colunas);
    grade.setRows(Linhas + 1);
    grade.setFixedRows(1);
    grade.setRowHeight(0, 700);
    for (int r = 1; r <= Linhas; ++r) {
        grade.setRowHeight(r, 570);
        for (int c = 0; c < Colunas; ++c) {
            grade.setRow(r);
            grade.setCol(c);
            grade.setCellBackColor(r % 2 == 1 ? 0xF2F2F2 : 0xFFFFFF);
            grade.setCellForeColor(c == GradeDeItens::TipoDeServicoOuCodigoDeBarras ? 0x808080 : 0);
            grade.setTextMatrix(r, c, QString::number(r * 100 + c) + QStringLiteral(",00"));
        }
    }
    return relogio.nsecsElapsed() / 1e6;
}

double Percentil(std::vector<double> valores, double p) {
    std::sort(valores.begin(), valores.end());
    const double posicao = p * (valores.size() - 1);
    const auto baixo = static_cast<size_t>(posicao);
    const size_t alto = std::min(baixo + 1, valores.size() - 1);
    return valores[baixo] + (valores[alto] - valores[baixo]) * (posicao - baixo);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int execucoes = argc > 1 ? std::max(3, atoi(argv[1])) : 15;

    std::vector<double> tempos;
    std::vector<double> pinturas;
    for (int i = 0; i < execucoes; ++i) {
        MSFlexGrid grade(nullptr, QStringLiteral("msfgGradeDeItensDoOrcamento"));
        grade.resize(1000, 400);
        grade.show();
        QCoreApplication::processEvents();
        tempos.push_back(Preencher(grade));
        QElapsedTimer relogio;
        relogio.start();
        grade.setRedraw(true);
        grade.repaint();
        pinturas.push_back(relogio.nsecsElapsed() / 1e6);
    }
    std::printf("bench_grade: %d x %d cells filled cell by cell with Redraw off, %d runs\n", Linhas, Colunas,
                execucoes);
    std::printf("  fill:  median %.2f ms  min %.2f  p25 %.2f  p75 %.2f  max %.2f\n", Percentil(tempos, 0.5),
                Percentil(tempos, 0), Percentil(tempos, 0.25), Percentil(tempos, 0.75), Percentil(tempos, 1));
    std::printf("  paint after Redraw True:  median %.2f ms  min %.2f  max %.2f\n", Percentil(pinturas, 0.5),
                Percentil(pinturas, 0), Percentil(pinturas, 1));
    return 0;
}
