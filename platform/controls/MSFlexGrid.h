#pragma once
// MSFlexGrid: the flex grid of VB, custom-painted over plain vectors of cells so that
// forms can fill thousands of cells one by one. Sizes are in twips; colours are VB
// colours (0x00BBGGRR or system colours 0x800000nn). It is also the items grid the
// business layer reads when a quote is saved (IGradeDeItens: Rows, Cols, TextMatrix).
//
// The current cell and the selection (VB's semantics):
// - Row and Col are the current cell; RowSel and ColSel the other corner of the
//   selected range. Setting Row or Col from code collapses the selection onto the
//   new current cell (RowSel = Row, ColSel = Col); setting RowSel or ColSel moves only
//   that corner. Row and Col may name fixed cells (the forms format the header cells
//   that way); the person can only select non-fixed cells.
// - The Cell* properties (CellBackColor, CellForeColor, CellFontBold, CellFontItalic,
//   CellAlignment, CellPicture, CellPictureAlignment) read the current cell and, with
//   FillStyle 0, write the current cell only; with FillStyle 1 they write every cell
//   of the selected range. Text is the current cell's text (same rule).
//   CellBackColor and CellForeColor 0 mean "the grid's colour", as in VB (a cell
//   that should be black uses 1).
// - CellLeft, CellTop, CellWidth and CellHeight give the current cell's place in
//   twips from the grid's top-left corner (border included), as the grid scrolls.
// - Clicking a non-fixed cell makes it the current cell and the whole selection;
//   dragging with the button held moves RowSel/ColSel; Shift+click extends the
//   selection. SelectionMode 1 stretches every selection over whole rows, 2 over
//   whole columns. With AllowBigSelection, clicking a fixed-row cell selects the
//   column's non-fixed cells and a fixed-column cell the row's.
//
// Structure:
// - Rows and Cols may shrink (cells beyond are dropped) or grow (empty cells).
//   FixedRows is at most Rows - 1 (FixedCols at most Cols - 1): setting Rows to 1
//   also makes FixedRows 0, and setting FixedRows to 1 while Rows is 1 is run-time
//   error 30009 (30010 for columns). So a one-row grid has no fixed row until rows
//   are added and FixedRows is set again. Changing FixedRows leaves Row unchanged.
// - AddItem("a\tb\tc", [index]) appends (or inserts) a row whose cells take the
//   tab-separated texts from column 0. RemoveItem(index) removes a row; removing the
//   only non-fixed row is run-time error 30015 ("Não é possível remover a última
//   linha não fixa"), so a form empties a one-item grid by configuring it again.
//   The current cell keeps its indices unless they fall outside the grid.
// - Clear empties every cell's text, picture and formatting; sizes, widths, heights
//   and the selection stay.
// - ColWidth 0 hides a column (not painted, not hit by the mouse); ColWidth(-1, w)
//   sets every column. ColAlignment: 0 left-top, 1 left-centre, 2 left-bottom,
//   3 centre-top, 4 centre-centre, 5 centre-bottom, 6 right-top, 7 right-centre,
//   8 right-bottom, 9 general (numbers right, text left). FixedAlignment is the
//   alignment of a column's fixed cells (-1: as ColAlignment).
// - ColData is a Long per column kept for the form (the grid does not read it).
// - Indices outside the grid: Row and row arguments 30009, Col and column
//   arguments 30010, TextMatrix and the by-index sizes 381.
//
// Look: HighLight 0 never, 1 always, 2 only while the grid has the focus;
// FocusRect 0 none, 1 light, 2 heavy (around the current cell while focused);
// GridLines / GridLinesFixed 0 none, 1 flat, 2 inset, 3 raised; ScrollBars 0 none,
// 1 horizontal, 2 vertical, 3 both (shown only when the cells do not fit);
// Appearance 0 flat, 1 3D; BorderStyle 0 none, 1 single; WordWrap wraps cell text.
//
// Painting: Redraw False stops all painting (the grid keeps showing what it showed);
// setting it True again paints once with everything that changed meanwhile.
// QuantidadeDePinturas counts the times the cells were actually painted.
//
// Event rules (synchronous, raised before the setter returns):
// - SelChange: whenever Row, Col, RowSel or ColSel changes value, by the person
//   (click, drag, keys) or by code (their setters, and Rows, Cols or RemoveItem
//   pulling the current cell back inside the grid). Setting a value it already has
//   raises nothing.
// - RowColChange: whenever Row or Col changes value (raised before SelChange).
// - Click: the person presses and releases the left button on the grid (also on a
//   fixed cell or below the last row). Never raised by code.
// - MouseMove(Button, Shift, X, Y): every move of the mouse over the grid, X and Y in
//   twips from the grid's top-left corner; Button 1 left, 2 right, 4 middle (held
//   buttons); Shift 1 Shift, 2 Ctrl, 4 Alt. MouseDown and MouseUp likewise.
// - DblClick: a double click of the left button.

#include "contracts/IGradeDeItens.h"
#include "platform/controls/Controle.h"

#include <QHash>
#include <QPixmap>
#include <vector>

class QScrollBar;

class MSFlexGrid : public Controle, public IGradeDeItens {
    Q_OBJECT
    Q_PROPERTY(int Rows READ Rows WRITE setRows)
    Q_PROPERTY(int Cols READ Cols WRITE setCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Col READ Col WRITE setCol)
    Q_PROPERTY(int RowSel READ RowSel WRITE setRowSel)
    Q_PROPERTY(int ColSel READ ColSel WRITE setColSel)
    Q_PROPERTY(int TopRow READ TopRow WRITE setTopRow)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE setLeftCol)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int MouseRow READ MouseRow)
    Q_PROPERTY(int MouseCol READ MouseCol)
    Q_PROPERTY(int CellBackColor READ CellBackColor WRITE setCellBackColor)
    Q_PROPERTY(int CellForeColor READ CellForeColor WRITE setCellForeColor)
    Q_PROPERTY(bool CellFontBold READ CellFontBold WRITE setCellFontBold)
    Q_PROPERTY(bool CellFontItalic READ CellFontItalic WRITE setCellFontItalic)
    Q_PROPERTY(int CellAlignment READ CellAlignment WRITE setCellAlignment)
    Q_PROPERTY(QPixmap CellPicture READ CellPicture WRITE setCellPicture)
    Q_PROPERTY(int CellPictureAlignment READ CellPictureAlignment WRITE setCellPictureAlignment)
    Q_PROPERTY(int CellLeft READ CellLeft)
    Q_PROPERTY(int CellTop READ CellTop)
    Q_PROPERTY(int CellWidth READ CellWidth)
    Q_PROPERTY(int CellHeight READ CellHeight)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int BackColorBkg READ BackColorBkg WRITE setBackColorBkg)
    Q_PROPERTY(int BackColorFixed READ BackColorFixed WRITE setBackColorFixed)
    Q_PROPERTY(int ForeColorFixed READ ForeColorFixed WRITE setForeColorFixed)
    Q_PROPERTY(int BackColorSel READ BackColorSel WRITE setBackColorSel)
    Q_PROPERTY(int ForeColorSel READ ForeColorSel WRITE setForeColorSel)
    Q_PROPERTY(int GridColor READ GridColor WRITE setGridColor)
    Q_PROPERTY(int GridColorFixed READ GridColorFixed WRITE setGridColorFixed)
    Q_PROPERTY(int GridLines READ GridLines WRITE setGridLines)
    Q_PROPERTY(int GridLinesFixed READ GridLinesFixed WRITE setGridLinesFixed)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw)
    Q_PROPERTY(int HighLight READ HighLight WRITE setHighLight)
    Q_PROPERTY(int FocusRect READ FocusRect WRITE setFocusRect)
    Q_PROPERTY(int ScrollBars READ ScrollBars WRITE setScrollBars)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int FillStyle READ FillStyle WRITE setFillStyle)
    Q_PROPERTY(int SelectionMode READ SelectionMode WRITE setSelectionMode)
    Q_PROPERTY(bool AllowBigSelection READ AllowBigSelection WRITE setAllowBigSelection)
    Q_PROPERTY(qint64 QuantidadeDePinturas READ QuantidadeDePinturas)

public:
    explicit MSFlexGrid(QWidget* pai = nullptr, const QString& nome = QString());
    ~MSFlexGrid() override;

    // Structure
    int Rows() const override { return mintRows; }
    void setRows(int valor);
    int Cols() const override { return mintCols; }
    void setCols(int valor);
    int FixedRows() const { return mintFixedRows; }
    void setFixedRows(int valor);
    int FixedCols() const { return mintFixedCols; }
    void setFixedCols(int valor);
    Q_INVOKABLE void Clear();
    Q_INVOKABLE void AddItem(const QString& Item, int Index = -1);
    Q_INVOKABLE void RemoveItem(int Index);

    // Cells by index
    Q_INVOKABLE QString TextMatrix(int Row, int Col) const override;
    Q_INVOKABLE void setTextMatrix(int Row, int Col, const QString& texto);
    Q_INVOKABLE int ColWidth(int Col) const;
    Q_INVOKABLE void setColWidth(int Col, int twips);
    Q_INVOKABLE int RowHeight(int Row) const;
    Q_INVOKABLE void setRowHeight(int Row, int twips);
    Q_INVOKABLE int ColAlignment(int Col) const;
    Q_INVOKABLE void setColAlignment(int Col, int valor);
    Q_INVOKABLE int FixedAlignment(int Col) const;
    Q_INVOKABLE void setFixedAlignment(int Col, int valor);
    Q_INVOKABLE int ColData(int Col) const;
    Q_INVOKABLE void setColData(int Col, int valor);

    // Current cell and selection
    int Row() const { return mintRow; }
    void setRow(int valor);
    int Col() const { return mintCol; }
    void setCol(int valor);
    int RowSel() const { return mintRowSel; }
    void setRowSel(int valor);
    int ColSel() const { return mintColSel; }
    void setColSel(int valor);
    int TopRow() const { return mintTopRow; }
    void setTopRow(int valor);
    int LeftCol() const { return mintLeftCol; }
    void setLeftCol(int valor);
    int MouseRow() const { return mintMouseRow; }
    int MouseCol() const { return mintMouseCol; }

    QString Text() const;
    void setText(const QString& texto);
    int CellBackColor() const;
    void setCellBackColor(int cor);
    int CellForeColor() const;
    void setCellForeColor(int cor);
    bool CellFontBold() const;
    void setCellFontBold(bool valor);
    bool CellFontItalic() const;
    void setCellFontItalic(bool valor);
    int CellAlignment() const;
    void setCellAlignment(int valor);
    QPixmap CellPicture() const;
    void setCellPicture(const QPixmap& imagem);
    int CellPictureAlignment() const;
    void setCellPictureAlignment(int valor);
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;

    // Look
    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor);
    int ForeColor() const { return mlonForeColor; }
    void setForeColor(int cor);
    int BackColorBkg() const { return mlonBackColorBkg; }
    void setBackColorBkg(int cor);
    int BackColorFixed() const { return mlonBackColorFixed; }
    void setBackColorFixed(int cor);
    int ForeColorFixed() const { return mlonForeColorFixed; }
    void setForeColorFixed(int cor);
    int BackColorSel() const { return mlonBackColorSel; }
    void setBackColorSel(int cor);
    int ForeColorSel() const { return mlonForeColorSel; }
    void setForeColorSel(int cor);
    int GridColor() const { return mlonGridColor; }
    void setGridColor(int cor);
    int GridColorFixed() const { return mlonGridColorFixed; }
    void setGridColorFixed(int cor);
    int GridLines() const { return mintGridLines; }
    void setGridLines(int valor);
    int GridLinesFixed() const { return mintGridLinesFixed; }
    void setGridLinesFixed(int valor);
    bool Redraw() const { return mbooRedraw; }
    void setRedraw(bool valor);
    int HighLight() const { return mintHighLight; }
    void setHighLight(int valor);
    int FocusRect() const { return mintFocusRect; }
    void setFocusRect(int valor);
    int ScrollBars() const { return mintScrollBars; }
    void setScrollBars(int valor);
    bool WordWrap() const { return mbooWordWrap; }
    void setWordWrap(bool valor);
    int Appearance() const { return mintAppearance; }
    void setAppearance(int valor);
    int BorderStyle() const { return mintBorderStyle; }
    void setBorderStyle(int valor);
    int FillStyle() const { return mintFillStyle; }
    void setFillStyle(int valor);
    int SelectionMode() const { return mintSelectionMode; }
    void setSelectionMode(int valor);
    bool AllowBigSelection() const { return mbooAllowBigSelection; }
    void setAllowBigSelection(bool valor) { mbooAllowBigSelection = valor; }

    qint64 QuantidadeDePinturas() const { return mlonPinturas; }
    // True while a scroll bar is shown (1 horizontal, 2 vertical).
    bool BarraDeRolagemVisivel(int qual) const;
    // Where a cell is painted, in pixels within the grid; empty when the cell is hidden
    // or scrolled out of view. For a driver that clicks cells on the screen.
    QRect RetanguloDaCelula(int row, int col) const;

signals:
    void Click();
    void DblClick();
    void SelChange();
    void RowColChange();
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;

private:
    struct Celula {
        QString mstrTexto;
        int mlonCorDeFundo = 0; // 0: the grid's colour
        int mlonCorDoTexto = 0;
        int mintImagem = -1;        // index into mvetImagens
        qint8 mintAlinhamento = -1; // -1: the column's
        qint8 mintAlinhamentoDaImagem = 1;
        bool mbooNegrito = false;
        bool mbooItalico = false;
    };
    struct Faixa { // a row or column on screen, in pixels
        int mintIndice;
        int mintInicio;
        int mintTamanho;
    };

    Celula& CelulaEm(int row, int col) { return mvetCelulas[static_cast<size_t>(row) * mintCols + col]; }
    const Celula& CelulaEm(int row, int col) const {
        return mvetCelulas[static_cast<size_t>(row) * mintCols + col];
    }
    const Celula* CelulaAtual() const;
    template <typename F> void AlterarCelulas(F alteracao);

    void VerificarLinha(int row) const;
    void VerificarColuna(int col) const;
    void VerificarIndice(int indice, int limite) const;
    void DefinirSelecao(int row, int col, int rowSel, int colSel);
    void SelecionarPelaPessoa(int row, int col, bool estender);
    void Redesenhar();
    void EstruturaMudou();
    int IndiceDaImagem(const QPixmap& imagem);

    int Borda() const;
    QRect AreaDasCelulas() const;
    int AlturaEmPixels(int row) const;
    int LarguraEmPixels(int col) const;
    int AlturaPadraoEmTwips() const { return mintAlturaPadraoEmTwips; }
    std::vector<Faixa> LinhasVisiveis(const QRect& area) const;
    std::vector<Faixa> ColunasVisiveis(const QRect& area) const;
    int PosicaoDaLinha(int row) const;  // pixels from the top of the cell area
    int PosicaoDaColuna(int col) const; // pixels from the left of the cell area
    bool CelulaNoPonto(const QPoint& ponto, int& row, int& col) const;
    int MaiorTopRow(int altura) const;
    int MaiorLeftCol(int largura) const;
    void AtualizarBarrasDeRolagem();
    void MostrarCelula(int row, int col);
    bool Destacar() const;
    bool Selecionada(int row, int col) const;

    void Renderizar();
    void PintarCelula(QPainter& p, int row, int col, const QRect& area) const;
    void PintarLinhasDaGrade(QPainter& p, int row, int col, const QRect& area) const;
    void PintarBorda(QPainter& p) const;

    void EmitirMouse(void (MSFlexGrid::*sinal)(int, int, float, float), QMouseEvent* evento, int botoes);

    int mintRows = 0;
    int mintCols = 0;
    int mintFixedRows = 0;
    int mintFixedCols = 0;
    std::vector<Celula> mvetCelulas;
    std::vector<int> mvetAlturas;  // twips; -1 the font's height
    std::vector<int> mvetLarguras; // twips; -1 the default width
    std::vector<qint8> mvetAlinhamentos;
    std::vector<qint8> mvetAlinhamentosFixos;
    std::vector<int> mvetDadosDasColunas;
    std::vector<QPixmap> mvetImagens;
    QHash<qint64, int> mmapImagens; // cacheKey -> index, so each picture is kept once

    int mintRow = 0;
    int mintCol = 0;
    int mintRowSel = 0;
    int mintColSel = 0;
    int mintTopRow = 0;
    int mintLeftCol = 0;
    int mintMouseRow = -1;
    int mintMouseCol = -1;

    int mlonBackColor;
    int mlonForeColor;
    int mlonBackColorBkg;
    int mlonBackColorFixed;
    int mlonForeColorFixed;
    int mlonBackColorSel;
    int mlonForeColorSel;
    int mlonGridColor = 0xC0C0C0;
    int mlonGridColorFixed = 0x808080;
    int mintGridLines = 1;
    int mintGridLinesFixed = 2;
    int mintHighLight = 1;
    int mintFocusRect = 1;
    int mintScrollBars = 3;
    int mintAppearance = 1;
    int mintBorderStyle = 1;
    int mintFillStyle = 0;
    int mintSelectionMode = 0;
    bool mbooWordWrap = false;
    bool mbooAllowBigSelection = true;

    bool mbooRedraw = true;
    bool mbooSujo = true;
    bool mbooEstruturaSuja = true;
    QPixmap mpixQuadro; // what the grid shows; repainted only while Redraw is True
    qint64 mlonPinturas = 0;

    int mintAlturaPadraoEmTwips = 255; // a row of the grid's font, until the font says otherwise
    bool mbooPressionado = false;
    bool mbooArrastando = false;
    QScrollBar* mobjBarraVertical;
    QScrollBar* mobjBarraHorizontal;
};
