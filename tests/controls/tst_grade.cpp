#include "tests/controls/tst_controles.h"

#include "component/modGrade.h"
#include "tests/Controles.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A grid of rows x 4 columns, 100 x 30 pixels each (1500 x 450 twips), no border, no
// scroll bars, one fixed row: cell (r, c) lies at x = 100c, y = 30r.
void Montar(MSFlexGrid& g, int rows) {
    g.setRedraw(false);
    g.setBorderStyle(0);
    g.setScrollBars(0);
    g.setCols(4);
    g.setFixedCols(0);
    g.setRows(rows);
    g.setFixedRows(1);
    g.setColWidth(-1, 1500);
    g.setRowHeight(-1, 450);
    g.setRedraw(true);
}

// The list's layout: no border, no scroll bars, cols columns, no fixed column, a header
// row of 700 twips (47 px) and rows of 570 (38 px).
void ComoALista(MSFlexGrid& g, int rows, int cols = 3) {
    g.setBorderStyle(0);
    g.setScrollBars(0);
    g.setCols(cols);
    g.setFixedCols(0);
    g.setRows(rows);
    g.setRowHeight(-1, 570);
    g.setRowHeight(0, 700);
}

// A window holding such a grid at its top left, of that size in pixels.
struct JanelaComGrade : QWidget {
    MSFlexGrid g{this, u"msfgGrade"_s};
    explicit JanelaComGrade(int rows, QSize tamanho = QSize(400, 200)) {
        resize(tamanho + QSize(20, 20));
        g.setGeometry(QRect(QPoint(), tamanho));
        Montar(g, rows);
    }
    bool Mostrar() {
        show();
        return QTest::qWaitForWindowExposed(this);
    }
};

QPoint Centro(int row, int col) {
    return QPoint(100 * col + 50, 30 * row + 15);
}

QPoint NaJanela(QWidget* w, QPoint ponto) {
    return w->mapTo(w->window(), ponto);
}

struct Selecao {
    int Row, Col, RowSel, ColSel;
    bool operator==(const Selecao&) const = default;
};

Selecao SelecaoDe(const MSFlexGrid& g) {
    return {g.Row(), g.Col(), g.RowSel(), g.ColSel()};
}

QColor CorEm(const QImage& imagem, QPoint ponto) {
    return QColor(imagem.pixel(ponto));
}

} // namespace

namespace QTest {
template <> char* toString(const Selecao& s) {
    const QByteArray texto = QByteArray("Row ") + QByteArray::number(s.Row) + " Col " +
                             QByteArray::number(s.Col) + " RowSel " + QByteArray::number(s.RowSel) +
                             " ColSel " + QByteArray::number(s.ColSel);
    return qstrdup(texto.constData());
}
} // namespace QTest

class TesteDaGrade : public QObject {
    Q_OBJECT

private slots:
    void gradeEstruturaERemoveItem() {
        MSFlexGrid g(nullptr, u"msfgGrade"_s);
        // VB's new grid.
        QCOMPARE((QList<int>{g.Rows(), g.Cols(), g.FixedRows(), g.FixedCols()}), (QList<int>{2, 2, 1, 1}));
        QCOMPARE(SelecaoDe(g), (Selecao{1, 1, 1, 1}));

        // The forms' ConfigurarGrade: one row only, so no fixed row; a fixed row can only
        // come back once there are rows below it.
        g.setRows(1);
        QCOMPARE(NumeroDoErro([&] { g.setFixedRows(1); }), 30009L);
        QCOMPARE((QList<int>{g.FixedRows(), g.Row()}), (QList<int>{0, 0}));
        g.setFixedCols(0);
        g.setCols(17);
        g.setTextMatrix(0, 1, u"Número do Orçamento"_s);
        g.setRows(4);
        g.setFixedRows(1);
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.TextMatrix(0, 1) + u'|' + g.TextMatrix(3, 16), u"Número do Orçamento|"_s);

        // Fewer columns keep the texts of those that stay.
        g.setTextMatrix(2, 16, u"fica de fora"_s);
        g.setTextMatrix(2, 2, u"Totó"_s);
        g.setCols(3);
        QCOMPARE(g.TextMatrix(2, 2), u"Totó"_s);
        QCOMPARE(NumeroDoErro([&] { g.TextMatrix(2, 16); }), 381L);
        g.setCols(17);
        QCOMPARE(g.TextMatrix(2, 16), QString()); // dropped, not hidden

        // AddItem: tab-separated texts from column 0, appended or inserted.
        g.AddItem(u"\t1234\tTotó\tJoão da Silva"_s);
        QCOMPARE(g.Rows(), 5);
        QCOMPARE((QStringList{g.TextMatrix(4, 0), g.TextMatrix(4, 1), g.TextMatrix(4, 3)}),
                 (QStringList{QString(), u"1234"_s, u"João da Silva"_s}));
        g.AddItem(u"a\tb"_s, 1);
        QCOMPARE(g.Rows(), 6);
        // The old row 2 moved down.
        QCOMPARE(g.TextMatrix(1, 1) + u'|' + g.TextMatrix(3, 2), u"b|Totó"_s);
        g.setRows(2);
        QCOMPARE(g.TextMatrix(1, 0), u"a"_s);

        // Out of range.
        QCOMPARE(NumeroDoErro([&] { g.setRows(-1); }), 30009L);
        QCOMPARE(NumeroDoErro([&] { g.setCols(-1); }), 30010L);
        QCOMPARE(NumeroDoErro([&] { g.setRow(2); }), 30009L);
        QCOMPARE(NumeroDoErro([&] { g.setCol(17); }), 30010L);
        QCOMPARE(NumeroDoErro([&] { g.setTextMatrix(2, 0, u"x"_s); }), 381L);
        QCOMPARE(NumeroDoErro([&] { g.ColWidth(17); }), 381L);
        QCOMPARE(NumeroDoErro([&] { g.setColAlignment(0, 10); }), 380L);
        QCOMPARE(NumeroDoErro([&] { g.AddItem(u"x"_s, 5); }), 30009L);
        QCOMPARE(g.Rows(), 2);

        // Clear empties texts and formatting, and keeps the layout.
        g.setColWidth(1, 1570);
        g.setColAlignment(1, 4);
        g.setRow(1);
        g.setCol(1);
        g.setCellBackColor(0xF2F2F2);
        g.setCellFontBold(true);
        g.Clear();
        QCOMPARE(g.TextMatrix(0, 1), QString());
        QCOMPARE(g.CellFontBold(), false);
        QCOMPARE((QList<int>{g.CellBackColor(), g.ColWidth(1), g.ColAlignment(1), g.Rows(), g.Cols()}),
                 (QList<int>{0, 1570, 4, 2, 17}));
        // The per-column Long the forms set is kept as given.
        g.setColData(11, 2);
        QCOMPARE((QList<int>{g.ColData(11), g.ColData(12)}), (QList<int>{2, 0}));

        // RemoveItem.
        MSFlexGrid itens(nullptr, u"msfgGradeDeItensDoOrcamento"_s);
        itens.setCols(3);
        itens.setRows(4);
        for (int r = 1; r < 4; ++r)
            itens.setTextMatrix(r, 0, QString::number(r));
        QSignalSpy mudancas(&itens, &MSFlexGrid::SelChange);
        itens.setRow(3);
        mudancas.clear();
        itens.RemoveItem(3); // the current row goes: the current cell moves back inside
        QCOMPARE((QList<int>{itens.Rows(), itens.Row(), int(mudancas.count())}), (QList<int>{3, 2, 1}));
        itens.RemoveItem(1); // row 2 becomes the last row, 1: the current cell follows the grid's end
        QCOMPARE(itens.TextMatrix(1, 0), u"2"_s);
        QCOMPARE((QList<int>{itens.Row(), int(mudancas.count())}), (QList<int>{1, 2}));

        // The last non-fixed row cannot be removed; the grid is left as it was.
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(1); }), 30015L);
        QCOMPARE(itens.Rows(), 2);
        QCOMPARE(itens.TextMatrix(1, 0), u"2"_s);
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(0); }), 30009L); // a fixed row
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(2); }), 30009L);
        // Without fixed rows, a one-row grid has its only row as last non-fixed row.
        itens.setRows(1);
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(0); }), 30015L);
    }

    void gradeCelulaAtualESelChange() {
        MSFlexGrid g;
        ComoALista(g, 5, 4);
        QStringList eventos;
        connect(&g, &MSFlexGrid::SelChange, this, [&] { eventos << u"SelChange"_s; });
        connect(&g, &MSFlexGrid::RowColChange, this, [&] { eventos << u"RowColChange"_s; });

        g.setRow(2);
        QCOMPARE(SelecaoDe(g), (Selecao{2, 1, 2, 1}));
        QCOMPARE(eventos, (QStringList{u"RowColChange"_s, u"SelChange"_s}));
        eventos.clear();
        g.setRow(2); // the value it has: nothing
        QCOMPARE(eventos, QStringList());
        g.setColSel(3); // only the selection's corner: no RowColChange
        g.setRowSel(4);
        QCOMPARE(SelecaoDe(g), (Selecao{2, 1, 4, 3}));
        QCOMPARE(eventos, (QStringList{u"SelChange"_s, u"SelChange"_s}));
        eventos.clear();
        g.setCol(0); // the current cell moves: the selection collapses onto it
        QCOMPARE(SelecaoDe(g), (Selecao{2, 0, 2, 0}));
        QCOMPARE(eventos, (QStringList{u"RowColChange"_s, u"SelChange"_s}));
        QVERIFY(g.setProperty("Row", 0)); // code may name a fixed row (the forms format the header)
        QCOMPARE(g.Row(), 0);

        // The list's SelChange handler changes the selection inside the event; each change
        // raises its own SelChange synchronously, and the nested one finds nothing to do.
        int chamadas = 0;
        auto conexao = connect(&g, &MSFlexGrid::SelChange, this, [&] {
            ++chamadas;
            if (g.RowSel() != g.Row()) {
                g.setRow(g.RowSel());
                g.setColSel(g.Cols() - 1);
            }
        });
        g.setRow(1);
        chamadas = 0;
        g.setRowSel(3);
        QCOMPARE(SelecaoDe(g), (Selecao{3, 0, 3, 3}));
        QCOMPARE(chamadas, 3); // RowSel, then Row and ColSel from inside the handler
        disconnect(conexao);

        // Fewer rows pull the current cell back inside, with its event.
        eventos.clear();
        g.setRows(2);
        QCOMPARE(SelecaoDe(g), (Selecao{1, 0, 1, 3}));
        QVERIFY(eventos.contains(u"SelChange"_s));
    }

    void gradeCellAplicaNaCelulaAtual() {
        MSFlexGrid g;
        ComoALista(g, 3);
        g.setRow(1);
        g.setCol(2);
        g.setCellBackColor(0xF2F2F2);
        g.setCellForeColor(0x808080);
        g.setCellFontBold(true);
        g.setText(u"12,50"_s);
        QCOMPARE(g.TextMatrix(1, 2), u"12,50"_s);
        // An untouched cell has the grid's colours.
        const auto Celula = [&](int coluna) {
            g.setCol(coluna);
            return u"%1|%2|%3|%4"_s.arg(g.CellBackColor(), 0, 16)
                .arg(g.CellForeColor(), 0, 16)
                .arg(int(g.CellFontBold()))
                .arg(g.Text());
        };
        QCOMPARE(Celula(1), u"0|0|0|"_s);
        QCOMPARE(Celula(2), u"f2f2f2|808080|1|12,50"_s);

        // FillStyle 0 writes the current cell only, even with a range selected; 1 the range.
        g.setRow(2);
        g.setCol(0);
        g.setColSel(2);
        g.setCellBackColor(0xD9D9D9);
        QCOMPARE(g.TextMatrix(2, 0), QString());
        g.setCol(1);
        QCOMPARE(g.CellBackColor(), 0);
        g.setFillStyle(1);
        g.setCol(0);
        g.setColSel(2);
        g.setCellBackColor(0xD9D9D9);
        g.setText(u"x"_s);
        for (int c = 0; c < 3; ++c) {
            g.setCol(c);
            QCOMPARE(g.CellBackColor(), 0xD9D9D9);
            QCOMPARE(g.TextMatrix(2, c), u"x"_s);
        }
        g.setFillStyle(0);

        // Pictures, as the list puts its situation labels into the grid.
        QPixmap etiqueta(40, 16);
        etiqueta.fill(Qt::green);
        g.setRow(1);
        g.setCol(1);
        g.setCellPicture(etiqueta);
        g.setCellPictureAlignment(4);
        QCOMPARE(g.CellPicture().cacheKey(), etiqueta.cacheKey());
        QCOMPARE(g.CellPictureAlignment(), 4);
        g.setCol(0);
        QVERIFY(g.CellPicture().isNull());
        g.setCol(1);
        g.setCellPicture(QPixmap());
        QVERIFY(g.CellPicture().isNull());

        // CellAlignment follows the column until a cell has its own.
        g.setColAlignment(1, 7);
        QCOMPARE(g.CellAlignment(), 7);
        g.setCellAlignment(4);
        QCOMPARE(g.CellAlignment(), 4);
        QCOMPARE(NumeroDoErro([&] { g.setCellAlignment(10); }), 380L);
    }

    void gradeCliquesArrastoESelectionMode() {
        JanelaComGrade janela(6);
        MSFlexGrid& g = janela.g;
        QSignalSpy mudancas(&g, &MSFlexGrid::SelChange);
        int cliques = 0;
        int linhaNoClique = -1;
        connect(&g, &MSFlexGrid::Click, this, [&] {
            ++cliques;
            linhaNoClique = g.RowSel();
        });
        QVERIFY(janela.Mostrar());

        // SelChange and Click counted, the row Click saw.
        const auto Eventos = [&] { return QList<int>{int(mudancas.count()), cliques, linhaNoClique}; };
        Clicar(&g, Centro(2, 2));
        QCOMPARE(SelecaoDe(g), (Selecao{2, 2, 2, 2}));
        QCOMPARE(Eventos(), (QList<int>{1, 1, 2})); // Click comes after the selection moved
        Clicar(&g, Centro(2, 2));                   // the same cell: Click, no SelChange
        QCOMPARE(Eventos(), (QList<int>{1, 2, 2}));

        // Dragging keeps the pressed cell current and moves the other corner.
        QWindow* w = janela.windowHandle();
        QTest::mousePress(w, Qt::LeftButton, {}, NaJanela(&g, Centro(1, 1)));
        QCOMPARE(SelecaoDe(g), (Selecao{1, 1, 1, 1}));
        QTest::mouseMove(w, NaJanela(&g, Centro(3, 2)));
        QCOMPARE(SelecaoDe(g), (Selecao{1, 1, 3, 2}));
        QTest::mouseMove(w, NaJanela(&g, Centro(4, 3)));
        QTest::mouseRelease(w, Qt::LeftButton, {}, NaJanela(&g, Centro(4, 3)));
        QCOMPARE(SelecaoDe(g), (Selecao{1, 1, 4, 3}));
        QCOMPARE(Eventos(), (QList<int>{4, 3, 4}));

        // Shift+click extends from the current cell.
        Clicar(&g, Centro(5, 0), Qt::ShiftModifier);
        QCOMPARE(SelecaoDe(g), (Selecao{1, 1, 5, 0}));

        // Below the last row: Click without any change; the right button changes nothing.
        Clicar(&g, QPoint(50, 190));
        Clicar(&g, Centro(3, 3), {}, Qt::RightButton);
        QCOMPARE(SelecaoDe(g), (Selecao{1, 1, 5, 0}));
        QCOMPARE(cliques, 5);

        Clicar(&g, Centro(0, 2)); // a header cell selects its column's data rows
        QCOMPARE(SelecaoDe(g), (Selecao{1, 2, 5, 2}));
        g.setAllowBigSelection(false);
        g.setRow(3);
        Clicar(&g, Centro(0, 1));
        QCOMPARE(SelecaoDe(g), (Selecao{3, 2, 3, 2}));

        g.setSelectionMode(1); // by row: every selection spans whole rows
        Clicar(&g, Centro(4, 2));
        QCOMPARE(SelecaoDe(g), (Selecao{4, 0, 4, 3}));
        QTest::mousePress(w, Qt::LeftButton, {}, NaJanela(&g, Centro(2, 1)));
        QTest::mouseMove(w, NaJanela(&g, Centro(3, 1)));
        QTest::mouseRelease(w, Qt::LeftButton, {}, NaJanela(&g, Centro(3, 1)));
        QCOMPARE(SelecaoDe(g), (Selecao{2, 0, 3, 3}));
        g.setSelectionMode(2);
        Clicar(&g, Centro(4, 2));
        QCOMPARE(SelecaoDe(g), (Selecao{1, 2, 5, 2}));
    }

    void gradeColunasOcultas() {
        JanelaComGrade janela(4);
        MSFlexGrid& g = janela.g;
        g.setColWidth(0, 0);
        g.setColWidth(2, 0);
        g.setBackColor(0xFFFFFF);
        g.setGridLines(0);
        g.setHighLight(0);
        // A hidden column's colour must never reach the screen.
        for (int r = 1; r < 4; ++r)
            for (int c : {0, 2}) {
                g.setRow(r);
                g.setCol(c);
                g.setCellBackColor(255);
                g.setText(u"OCULTO"_s);
            }
        QVERIFY(janela.Mostrar());

        const QImage imagem = g.grab().toImage();
        for (int y = 30; y < 120; ++y)
            for (int x = 0; x < 400; ++x)
                QVERIFY2(CorEm(imagem, QPoint(x, y)) != QColor(255, 0, 0), "hidden column painted");
        // Column 1 shows first, column 3 right after it.
        Clicar(&g, QPoint(50, 45));
        QCOMPARE(g.Col(), 1);
        Clicar(&g, QPoint(150, 45));
        QCOMPARE((QList<int>{g.Col(), g.CellLeft(), g.CellWidth()}), (QList<int>{3, 1500, 1500}));
        g.setCol(2);
        QCOMPARE(g.CellWidth(), 0);
        // The keyboard steps over hidden columns.
        g.setCol(1);
        g.SetFocus();
        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(g.Col(), 3);
        QTest::keyClick(&g, Qt::Key_Home);
        QCOMPARE(g.Col(), 1);
    }

    void gradePosicaoDaCelula() {
        // The list's columns: 0 hidden, 1570 and 5150.
        MSFlexGrid g;
        g.resize(800, 47 + 2 * 38); // header and two rows show
        ComoALista(g, 6);
        g.setColWidth(0, 0);
        g.setColWidth(1, 1570);
        g.setColWidth(2, 5150);
        QCOMPARE(g.RowHeight(0), 700); // as given
        g.setRow(2);
        g.setCol(2);
        // Rows and columns are whole pixels: 700 -> 47 px, 570 -> 38 px, 1570 -> 105 px.
        QCOMPARE((QList<int>{g.CellTop(), g.CellLeft(), g.CellWidth(), g.CellHeight()}),
                 (QList<int>{Twips::DePixels(47 + 38), Twips::DePixels(105), Twips::DePixels(343), 570}));
        // The list places its row commands at the right end of cell (row, 2).
        QCOMPARE(g.CellLeft() + g.CellWidth() - 1710, 1575 + 5145 - 1710);

        // Scrolled, the cell moves up; a border moves everything by its width.
        g.setTopRow(2);
        QCOMPARE(g.CellTop(), Twips::DePixels(47));
        g.setRow(1);
        QCOMPARE(g.CellTop(), Twips::DePixels(47 - 38));
        g.setTopRow(1);
        g.setBorderStyle(1);
        g.setAppearance(0);
        QCOMPARE(g.CellTop(), Twips::DePixels(1 + 47));
        g.setAppearance(1);
        QCOMPARE(g.CellLeft(), Twips::DePixels(2 + 105));
    }

    void gradeCoresAlternadasEDestaque() {
        Janela janela(420, 220);
        MSFlexGrid g(&janela, u"msfgGrade"_s);
        g.setGeometry(0, 0, 400, 200);
        // The forms' shared look and row shading.
        modGrade::AplicarAparencia(&g, 0xF5F5F6, 0);
        g.setRows(1);
        g.setCols(3);
        g.setColWidth(-1, 1500);
        g.setTextMatrix(0, 1, u"Número"_s);
        g.setRows(5);
        g.setFixedRows(1);
        g.setRowHeight(-1, 450);
        g.setBackColorFixed(0xFFFFFF);
        for (int r = 1; r < 5; ++r) {
            modGrade::EstilizarLinha(&g, r);
            for (int c = 0; c < 3; ++c)
                g.setTextMatrix(r, c, c == 1 ? u"888888"_s : u"Totó"_s);
        }
        g.setVisible(true);
        g.setHighLight(0);
        g.setRedraw(true);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));

        QImage imagem = g.grab().toImage();
        const QPoint semTexto(95, 0); // the right end of column 0 carries no text
        for (int r = 0; r < 5; ++r)   // the header white, then grey and white rows
            QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 15 + 30 * r)),
                     r % 2 ? QColor(0xF2, 0xF2, 0xF2) : Qt::white);
        QCOMPARE(CorEm(imagem, QPoint(50, 180)), QColor(255, 255, 255)); // BackColorBkg below the rows

        // The grey text of column 1: its darkest pixel is the grey itself, never darker.
        auto maisEscuro = [&](const QRect& area) {
            int menor = 255;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    menor = std::min(menor, qGray(imagem.pixel(x, y)));
            return menor;
        };
        QCOMPARE(maisEscuro(QRect(100, 30, 100, 30)), 0x80);
        QCOMPARE(maisEscuro(QRect(0, 30, 100, 30)), 0);

        // The hover highlight of the list: whole row 3 in the selection colour.
        g.setHighLight(1);
        g.setCol(0);
        g.setRow(3);
        g.setColSel(2);
        imagem = g.grab().toImage();
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 105)), QColor(0xD9, 0xD9, 0xD9));
        QCOMPARE(CorEm(imagem, QPoint(295, 105)), QColor(0xD9, 0xD9, 0xD9));
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 45)), QColor(0xF2, 0xF2, 0xF2));
        // Highlight only while the grid holds the focus.
        XRNumberBox outra(&janela, u"xrnumValorTotal"_s);
        outra.setGeometry(0, 200, 100, 20);
        outra.show();
        g.setHighLight(2);
        outra.SetFocus();
        imagem = g.grab().toImage();
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 105)), QColor(0xF2, 0xF2, 0xF2));
        g.SetFocus();
        imagem = g.grab().toImage();
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 105)), QColor(0xD9, 0xD9, 0xD9));
    }

    void gradeRedrawSuspendeAPintura() {
        JanelaComGrade janela(6);
        MSFlexGrid& g = janela.g;
        QVERIFY(janela.Mostrar());
        QTRY_VERIFY(g.QuantidadeDePinturas() > 0);
        g.repaint();
        const QImage antes = g.grab().toImage();
        const qint64 pinturas = g.QuantidadeDePinturas();

        g.setRedraw(false);
        for (int r = 1; r < 6; ++r)
            for (int c = 0; c < 4; ++c) {
                g.setRow(r);
                g.setCol(c);
                g.setCellBackColor(0x0000FF);
                g.setText(u"novo"_s);
            }
        g.setRows(40);
        g.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(g.QuantidadeDePinturas(), pinturas);
        QCOMPARE(g.grab().toImage(), antes); // still what it showed

        g.setRedraw(true);
        g.repaint();
        QCOMPARE(g.QuantidadeDePinturas(), pinturas + 1);
        QCOMPARE(CorEm(g.grab().toImage(), QPoint(95, 45)), QColor(255, 0, 0));
    }

    void gradeMouseMoveEmTwips() {
        JanelaComGrade janela(8, QSize(800, 400));
        MSFlexGrid& g = janela.g;
        ComoALista(g, 8);
        struct Movimento {
            int Button, Shift;
            float X, Y;
        };
        QList<Movimento> movimentos;
        connect(&g, &MSFlexGrid::MouseMove, this, [&](int Button, int Shift, float X, float Y) {
            movimentos << Movimento{Button, Shift, X, Y};
        });
        QVERIFY(janela.Mostrar());
        QWindow* w = janela.windowHandle();

        // The last MouseMove's "Button|Shift|X|Y".
        const auto Ultimo = [&] {
            const Movimento& m = movimentos.constLast();
            return u"%1|%2|%3|%4"_s.arg(m.Button).arg(m.Shift).arg(m.X).arg(m.Y);
        };
        QTest::mouseMove(w, NaJanela(&g, QPoint(20, 40)));
        QCOMPARE(movimentos.size(), 1);
        QCOMPARE(Ultimo(), u"0|0|300|600"_s);
        QTest::mouseEvent(QTest::MouseMove, w, Qt::NoButton, Qt::ShiftModifier, NaJanela(&g, QPoint(21, 40)));
        QCOMPARE(Ultimo(), u"0|1|315|600"_s);
        QTest::mousePress(w, Qt::LeftButton, {}, NaJanela(&g, QPoint(21, 40)));
        QTest::mouseMove(w, NaJanela(&g, QPoint(22, 41)));
        QCOMPARE(Ultimo(), u"1|0|330|615"_s);
        QTest::mouseRelease(w, Qt::LeftButton, {}, NaJanela(&g, QPoint(22, 41)));

        // Fractions of a pixel are kept.
        QMouseEvent fino(QEvent::MouseMove, QPointF(10.5, 3.25), g.mapToGlobal(QPointF(10.5, 3.25)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&g, &fino);
        QCOMPARE(Ultimo(), u"0|0|157.5|48.75"_s);

        // The list finds the row under the mouse from Y with ((Y + 150) / RowHeight(1)) - 1,
        // rounded half to even: at the middle of every data row it finds that row, and
        // the grid's own MouseRow agrees.
        for (int r = 1; r < 8; ++r) {
            const int meio = 47 + 38 * (r - 1) + 19;
            QTest::mouseMove(w, NaJanela(&g, QPoint(30, meio)));
            const float Y = movimentos.constLast().Y;
            const int linha = static_cast<int>(VB::ArredondarParaPar((Y + 150) / g.RowHeight(1))) - 1;
            QCOMPARE(linha, r);
            QCOMPARE(g.MouseRow(), r);
        }
    }

    void gradeBarraDeRolagem() {
        // The items grid: room for exactly four rows.
        MSFlexGrid g;
        g.resize(600, 47 + 4 * 38);
        ComoALista(g, 5);
        g.setScrollBars(2);
        QVERIFY(!g.BarraDeRolagemVisivel(2));
        g.AddItem(QString());
        g.setRowHeight(5, 570);
        QVERIFY(g.BarraDeRolagemVisivel(2));
        QVERIFY(!g.BarraDeRolagemVisivel(1));
        g.setScrollBars(0); // no bar at all, even when the rows do not fit
        QVERIFY(!g.BarraDeRolagemVisivel(2));
        g.setScrollBars(2);
        QVERIFY(g.BarraDeRolagemVisivel(2));
        g.RemoveItem(5);
        QVERIFY(!g.BarraDeRolagemVisivel(2));

        // Drawing suspended: the bar waits for Redraw.
        g.setRedraw(false);
        g.AddItem(QString());
        g.setRowHeight(5, 570);
        QVERIFY(!g.BarraDeRolagemVisivel(2));
        g.setRedraw(true);
        QVERIFY(g.BarraDeRolagemVisivel(2));

        // The wheel and TopRow scroll no further than the last screenful.
        g.setTopRow(5);
        QCOMPARE(g.TopRow(), 2);
        QWheelEvent roda(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&g, &roda);
        QCOMPARE(g.TopRow(), 1);
    }

    void gradeTeclado() {
        JanelaComGrade janela(10, QSize(400, 120)); // header and three rows show
        MSFlexGrid& g = janela.g;
        QSignalSpy mudancas(&g, &MSFlexGrid::SelChange);
        QVERIFY(Ativar(janela));
        g.SetFocus();
        g.setRow(1);
        g.setCol(0);
        mudancas.clear();
        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(SelecaoDe(g), (Selecao{2, 0, 2, 0}));
        QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&g, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(SelecaoDe(g), (Selecao{2, 0, 3, 1}));
        QCOMPARE(mudancas.count(), 3);
        QTest::keyClick(&g, Qt::Key_Up); // fixed rows are out of reach
        QTest::keyClick(&g, Qt::Key_Up);
        QTest::keyClick(&g, Qt::Key_Up);
        QCOMPARE(g.Row(), 1);
        // Moving past the last visible row scrolls it into view.
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(g.Row(), 6);
        QCOMPARE(g.TopRow(), 4);
        QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(SelecaoDe(g), (Selecao{9, 3, 9, 3}));
    }

    void gradeLidaComoGradeDeItens() {
        MSFlexGrid g(nullptr, u"msfgGradeDeItensDoOrcamento"_s);
        g.setRows(1);
        g.setFixedCols(0);
        g.setCols(GradeDeItens::QuantidadeDeColunas);
        g.AddItem(u"\t1\t15\tConsulta\t101\tRex\t1\t80,00\t10,00\t8,00\t72,00\t30,00\t0\t1\t1\t1"_s);
        g.setFixedRows(1);
        const IGradeDeItens& itens = g;
        QCOMPARE((QList<int>{itens.Rows(), itens.Cols()}),
                 (QList<int>{2, GradeDeItens::QuantidadeDeColunas}));
        QCOMPARE((QStringList{itens.TextMatrix(1, GradeDeItens::NomeDoServicoOuProduto),
                              itens.TextMatrix(1, GradeDeItens::TipoDeLancamento),
                              itens.TextMatrix(1, GradeDeItens::UsuarioDaAlteracao)}),
                 (QStringList{u"Consulta"_s, u"1"_s, QString()}));
        QCOMPARE(NumeroDoErro([&] { itens.TextMatrix(2, 0); }), 381L);
        // By name too, as a late-bound reader would.
        QString texto;
        QVERIFY(QMetaObject::invokeMethod(&g, "TextMatrix", Q_RETURN_ARG(QString, texto), Q_ARG(int, 1),
                                          Q_ARG(int, GradeDeItens::ValorTotal)));
        QCOMPARE(texto, u"72,00"_s);
        QCOMPARE(g.property("Rows").toInt(), 2);
    }

    // A header too narrow for its caption (a dialog's 2,000-twip column in a 300-twip row,
    // bold Arial 11): one line ending in "…", the same picture as that text written so,
    // never two wrapped lines cut by the row.
    void gradeTextoQueNaoCabeTerminaEmReticencias() {
        const auto Desenhar = [](const QString& texto) {
            MSFlexGrid grade;
            grade.resize(200, 60);
            grade.setFont(QFont(QStringLiteral("Arial"), 11));
            grade.setWordWrap(true);
            grade.setScrollBars(0);
            grade.setRows(2);
            grade.setCols(1);
            grade.setFixedRows(1);
            grade.setColWidth(0, 2000);
            grade.setRowHeight(0, 300);
            grade.setRow(0);
            grade.setCol(0);
            grade.setCellFontBold(true);
            grade.setTextMatrix(0, 0, texto);
            return grade.grab().toImage();
        };
        const QString legenda = QStringLiteral("Apelido/Nome fantasia");
        QFont negrito(QStringLiteral("Arial"), 11);
        negrito.setBold(true);
        const QFontMetrics medidas(negrito);
        const int largura = Twips::ParaPixels(2000) - 2 * 3; // the cell less its text margins
        QVERIFY(medidas.horizontalAdvance(legenda) > largura);
        const QString cortada = medidas.elidedText(legenda, Qt::ElideRight, largura);
        QVERIFY(cortada.endsWith(QChar(0x2026)));
        QCOMPARE(Desenhar(legenda), Desenhar(cortada));
        // A caption that fits is drawn whole.
        QVERIFY(Desenhar(QStringLiteral("Código")) != Desenhar(QStringLiteral("Códig…")));
    }
};

QTEST_MAIN(TesteDaGrade)
#include "tst_grade.moc"
