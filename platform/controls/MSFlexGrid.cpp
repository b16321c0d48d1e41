#include "platform/controls/MSFlexGrid.h"

#include "contracts/VB.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/CoresVB.h"
#include "platform/controls/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int LarguraPadraoEmTwips = 960;
constexpr int MargemDoTexto = 3;    // pixels between a cell's edge and its text
constexpr int LarguraDaBarra = 12;  // pixels of a scroll bar
constexpr int AlinhamentoGeral = 9; // ColAlignment: numbers right, text left

[[noreturn]] void ErroDeLinha() {
    throw VB::ErroDeExecucao(VB::ValorDeLinhaInvalido);
}
[[noreturn]] void ErroDeColuna() {
    throw VB::ErroDeExecucao(VB::ValorDeColunaInvalido);
}
[[noreturn]] void ErroDeIndice() {
    throw VB::ErroDeExecucao(VB::IndiceDePropriedadeInvalido);
}
[[noreturn]] void ErroDeValor() {
    throw VB::ErroDeExecucao(VB::ValorDePropriedadeInvalido);
}

QColor Cor(int lonCorVB) {
    return CoresVB::ParaQColor(lonCorVB);
}

// A text the "general" alignment puts on the right: a number as the grids show them
// ("1.234,50", "-3", "12,5").
bool PareceNumero(const QString& texto) {
    bool algarismo = false;
    for (const QChar ch : texto.trimmed()) {
        if (ch.isDigit())
            algarismo = true;
        else if (ch != QLatin1Char('.') && ch != QLatin1Char(',') && ch != QLatin1Char('-') &&
                 ch != QLatin1Char('+'))
            return false;
    }
    return algarismo;
}

// VB alignment 0..8: column = value / 3 (left, centre, right), line = value % 3 (top,
// centre, bottom).
Qt::Alignment AlinhamentoQt(int alinhamento, const QString& texto) {
    if (alinhamento < 0 || alinhamento > 8)
        return (PareceNumero(texto) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    static const Qt::Alignment horizontais[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment verticais[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontais[alinhamento / 3] | verticais[alinhamento % 3];
}

int BotoesVB(Qt::MouseButtons botoes) {
    int valor = 0;
    if (botoes & Qt::LeftButton) valor |= 1;
    if (botoes & Qt::RightButton) valor |= 2;
    if (botoes & Qt::MiddleButton) valor |= 4;
    return valor;
}

int ShiftVB(Qt::KeyboardModifiers modificadores) {
    int valor = 0;
    if (modificadores & Qt::ShiftModifier) valor |= 1;
    if (modificadores & Qt::ControlModifier) valor |= 2;
    if (modificadores & Qt::AltModifier) valor |= 4;
    return valor;
}

const QString& EstiloDasBarras() {
    static const QString estilo =
        QStringLiteral("QScrollBar { background: #F4F5F6; border: none; margin: 0px; }"
                       " QScrollBar:vertical { width: 12px; } QScrollBar:horizontal { height: 12px; }"
                       " QScrollBar::handle { background: #C9CED6; border-radius: 4px; margin: 2px; }"
                       " QScrollBar::handle:hover { background: #A9B1BB; }"
                       " QScrollBar::handle:vertical { min-height: 24px; } QScrollBar::handle:horizontal { "
                       "min-width: 24px; }"
                       " QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; }"
                       " QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
    return estilo;
}

} // namespace

MSFlexGrid::MSFlexGrid(QWidget* pai, const QString& nome)
    : Controle(pai, nome), mlonBackColor(CoresVB::vbWindowBackground), mlonForeColor(CoresVB::vbWindowText),
      mlonBackColorBkg(CoresVB::vbApplicationWorkspace), mlonBackColorFixed(CoresVB::vbButtonFace),
      mlonForeColorFixed(CoresVB::vbButtonText), mlonBackColorSel(CoresVB::vbHighlight),
      mlonForeColorSel(CoresVB::vbHighlightText) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    mobjBarraVertical = new QScrollBar(Qt::Vertical, this);
    mobjBarraHorizontal = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* barra : {mobjBarraVertical, mobjBarraHorizontal}) {
        barra->setFocusPolicy(Qt::NoFocus);
        barra->setStyleSheet(EstiloDasBarras());
        barra->hide();
    }
    connect(mobjBarraVertical, &QScrollBar::valueChanged, this, [this](int valor) { setTopRow(valor); });
    connect(mobjBarraHorizontal, &QScrollBar::valueChanged, this, [this](int valor) { setLeftCol(valor); });
    mintAlturaPadraoEmTwips = Twips::DePixels(fontMetrics().height() + 6);

    // VB's new grid: 2 x 2 with one fixed row and one fixed column.
    setCols(2);
    setRows(2);
    setFixedRows(1);
    setFixedCols(1);
    DefinirSelecao(1, 1, 1, 1);
    resize(320, 160);
}

MSFlexGrid::~MSFlexGrid() = default;

// ---------------------------------------------------------------- structure

void MSFlexGrid::setRows(int valor) {
    if (valor < 0) ErroDeLinha();
    if (valor == mintRows) return;
    mvetCelulas.resize(static_cast<size_t>(valor) * mintCols);
    mvetAlturas.resize(valor, -1);
    mintRows = valor;
    mintFixedRows = std::min(mintFixedRows, std::max(0, valor - 1));
    mintTopRow = std::clamp(mintTopRow, mintFixedRows, std::max(mintFixedRows, valor - 1));
    EstruturaMudou();
    const int ultima = std::max(0, valor - 1);
    DefinirSelecao(std::min(mintRow, ultima), mintCol, std::min(mintRowSel, ultima), mintColSel);
}

void MSFlexGrid::setCols(int valor) {
    if (valor < 0) ErroDeColuna();
    if (valor == mintCols) return;
    std::vector<Celula> novas(static_cast<size_t>(mintRows) * valor);
    const int comuns = std::min(valor, mintCols);
    for (int r = 0; r < mintRows; ++r)
        for (int c = 0; c < comuns; ++c)
            novas[static_cast<size_t>(r) * valor + c] = std::move(CelulaEm(r, c));
    mvetCelulas.swap(novas);
    mvetLarguras.resize(valor, -1);
    mvetAlinhamentos.resize(valor, AlinhamentoGeral);
    mvetAlinhamentosFixos.resize(valor, -1);
    mvetDadosDasColunas.resize(valor, 0);
    mintCols = valor;
    mintFixedCols = std::min(mintFixedCols, std::max(0, valor - 1));
    mintLeftCol = std::clamp(mintLeftCol, mintFixedCols, std::max(mintFixedCols, valor - 1));
    EstruturaMudou();
    const int ultima = std::max(0, valor - 1);
    DefinirSelecao(mintRow, std::min(mintCol, ultima), mintRowSel, std::min(mintColSel, ultima));
}

void MSFlexGrid::setFixedRows(int valor) {
    if (valor < 0 || (valor > 0 && valor >= mintRows)) ErroDeLinha();
    mintFixedRows = valor;
    mintTopRow = std::clamp(mintTopRow, mintFixedRows, std::max(mintFixedRows, mintRows - 1));
    EstruturaMudou();
}

void MSFlexGrid::setFixedCols(int valor) {
    if (valor < 0 || (valor > 0 && valor >= mintCols)) ErroDeColuna();
    mintFixedCols = valor;
    mintLeftCol = std::clamp(mintLeftCol, mintFixedCols, std::max(mintFixedCols, mintCols - 1));
    EstruturaMudou();
}

void MSFlexGrid::Clear() {
    std::fill(mvetCelulas.begin(), mvetCelulas.end(), Celula{});
    mvetImagens.clear();
    mmapImagens.clear();
    Redesenhar();
}

void MSFlexGrid::AddItem(const QString& Item, int Index) {
    const int posicao = Index == -1 ? mintRows : Index;
    if (posicao < 0 || posicao > mintRows) ErroDeLinha();
    std::vector<Celula> linha(mintCols);
    const QStringList textos = Item.split(QLatin1Char('\t'));
    for (int c = 0; c < std::min<int>(textos.size(), mintCols); ++c)
        linha[c].mstrTexto = textos[c];
    mvetCelulas.insert(mvetCelulas.begin() + static_cast<ptrdiff_t>(posicao) * mintCols,
                       std::make_move_iterator(linha.begin()), std::make_move_iterator(linha.end()));
    mvetAlturas.insert(mvetAlturas.begin() + posicao, -1);
    ++mintRows;
    EstruturaMudou();
}

void MSFlexGrid::RemoveItem(int Index) {
    if (Index < mintFixedRows || Index >= mintRows) ErroDeLinha();
    if (mintRows - mintFixedRows <= 1) throw VB::ErroDeExecucao(VB::UltimaLinhaNaoFixa);
    const auto inicio = mvetCelulas.begin() + static_cast<ptrdiff_t>(Index) * mintCols;
    mvetCelulas.erase(inicio, inicio + mintCols);
    mvetAlturas.erase(mvetAlturas.begin() + Index);
    --mintRows;
    mintTopRow = std::clamp(mintTopRow, mintFixedRows, std::max(mintFixedRows, mintRows - 1));
    EstruturaMudou();
    const int ultima = mintRows - 1;
    DefinirSelecao(std::min(mintRow, ultima), mintCol, std::min(mintRowSel, ultima), mintColSel);
}

// ---------------------------------------------------------------- cells by index

void MSFlexGrid::VerificarLinha(int row) const {
    if (row < 0 || row >= mintRows) ErroDeLinha();
}

void MSFlexGrid::VerificarColuna(int col) const {
    if (col < 0 || col >= mintCols) ErroDeColuna();
}

void MSFlexGrid::VerificarIndice(int indice, int limite) const {
    if (indice < 0 || indice >= limite) ErroDeIndice();
}

QString MSFlexGrid::TextMatrix(int lintRow, int lintCol) const {
    VerificarIndice(lintRow, mintRows);
    VerificarIndice(lintCol, mintCols);
    return CelulaEm(lintRow, lintCol).mstrTexto;
}

void MSFlexGrid::setTextMatrix(int lintRow, int lintCol, const QString& texto) {
    VerificarIndice(lintRow, mintRows);
    VerificarIndice(lintCol, mintCols);
    CelulaEm(lintRow, lintCol).mstrTexto = texto;
    Redesenhar();
}

int MSFlexGrid::ColWidth(int lintCol) const {
    VerificarIndice(lintCol, mintCols);
    return mvetLarguras[lintCol] < 0 ? LarguraPadraoEmTwips : mvetLarguras[lintCol];
}

void MSFlexGrid::setColWidth(int lintCol, int twips) {
    if (twips < -1) ErroDeValor();
    if (lintCol == -1)
        std::fill(mvetLarguras.begin(), mvetLarguras.end(), twips);
    else {
        VerificarIndice(lintCol, mintCols);
        mvetLarguras[lintCol] = twips;
    }
    EstruturaMudou();
}

int MSFlexGrid::RowHeight(int lintRow) const {
    VerificarIndice(lintRow, mintRows);
    return mvetAlturas[lintRow] < 0 ? AlturaPadraoEmTwips() : mvetAlturas[lintRow];
}

void MSFlexGrid::setRowHeight(int lintRow, int twips) {
    if (twips < -1) ErroDeValor();
    if (lintRow == -1)
        std::fill(mvetAlturas.begin(), mvetAlturas.end(), twips);
    else {
        VerificarIndice(lintRow, mintRows);
        mvetAlturas[lintRow] = twips;
    }
    EstruturaMudou();
}

int MSFlexGrid::ColAlignment(int lintCol) const {
    VerificarIndice(lintCol, mintCols);
    return mvetAlinhamentos[lintCol];
}

void MSFlexGrid::setColAlignment(int lintCol, int valor) {
    if (valor < 0 || valor > AlinhamentoGeral) ErroDeValor();
    if (lintCol == -1)
        std::fill(mvetAlinhamentos.begin(), mvetAlinhamentos.end(), static_cast<qint8>(valor));
    else {
        VerificarIndice(lintCol, mintCols);
        mvetAlinhamentos[lintCol] = static_cast<qint8>(valor);
    }
    Redesenhar();
}

int MSFlexGrid::FixedAlignment(int lintCol) const {
    VerificarIndice(lintCol, mintCols);
    return mvetAlinhamentosFixos[lintCol];
}

void MSFlexGrid::setFixedAlignment(int lintCol, int valor) {
    if (valor < -1 || valor > AlinhamentoGeral) ErroDeValor();
    VerificarIndice(lintCol, mintCols);
    mvetAlinhamentosFixos[lintCol] = static_cast<qint8>(valor);
    Redesenhar();
}

int MSFlexGrid::ColData(int lintCol) const {
    VerificarIndice(lintCol, mintCols);
    return mvetDadosDasColunas[lintCol];
}

void MSFlexGrid::setColData(int lintCol, int valor) {
    VerificarIndice(lintCol, mintCols);
    mvetDadosDasColunas[lintCol] = valor;
}

// ---------------------------------------------------------------- current cell and selection

void MSFlexGrid::DefinirSelecao(int row, int col, int rowSel, int colSel) {
    const bool mudouACelula = row != mintRow || col != mintCol;
    const bool mudou = mudouACelula || rowSel != mintRowSel || colSel != mintColSel;
    mintRow = row;
    mintCol = col;
    mintRowSel = rowSel;
    mintColSel = colSel;
    if (!mudou) return;
    Redesenhar();
    if (mudouACelula) emit RowColChange();
    emit SelChange();
}

void MSFlexGrid::setRow(int valor) {
    VerificarLinha(valor);
    DefinirSelecao(valor, mintCol, valor, mintCol);
}

void MSFlexGrid::setCol(int valor) {
    VerificarColuna(valor);
    DefinirSelecao(mintRow, valor, mintRow, valor);
}

void MSFlexGrid::setRowSel(int valor) {
    VerificarLinha(valor);
    DefinirSelecao(mintRow, mintCol, valor, mintColSel);
}

void MSFlexGrid::setColSel(int valor) {
    VerificarColuna(valor);
    DefinirSelecao(mintRow, mintCol, mintRowSel, valor);
}

void MSFlexGrid::setTopRow(int valor) {
    VerificarLinha(valor);
    const int maior = std::max(mintFixedRows, MaiorTopRow(AreaDasCelulas().height()));
    const int novo = std::clamp(valor, mintFixedRows, maior);
    if (novo == mintTopRow) return;
    mintTopRow = novo;
    const QSignalBlocker bloqueio(mobjBarraVertical);
    mobjBarraVertical->setValue(novo);
    Redesenhar();
}

void MSFlexGrid::setLeftCol(int valor) {
    VerificarColuna(valor);
    const int maior = std::max(mintFixedCols, MaiorLeftCol(AreaDasCelulas().width()));
    const int novo = std::clamp(valor, mintFixedCols, maior);
    if (novo == mintLeftCol) return;
    mintLeftCol = novo;
    const QSignalBlocker bloqueio(mobjBarraHorizontal);
    mobjBarraHorizontal->setValue(novo);
    Redesenhar();
}

// The person's selection: non-fixed cells only, stretched by SelectionMode; a fixed
// cell selects its column or row when AllowBigSelection.
void MSFlexGrid::SelecionarPelaPessoa(int row, int col, bool estender) {
    const bool haLinhas = mintRows > mintFixedRows;
    const bool haColunas = mintCols > mintFixedCols;
    if (!haLinhas || !haColunas) return;
    if (row < mintFixedRows || col < mintFixedCols) {
        if (!mbooAllowBigSelection || estender) return;
        if (row < mintFixedRows && col >= mintFixedCols)
            DefinirSelecao(mintFixedRows, col, mintRows - 1, col);
        else if (col < mintFixedCols && row >= mintFixedRows)
            DefinirSelecao(row, mintFixedCols, row, mintCols - 1);
        else
            DefinirSelecao(mintFixedRows, mintFixedCols, mintRows - 1, mintCols - 1);
        return;
    }
    int linha = estender ? mintRow : row;
    int coluna = estender ? mintCol : col;
    int linhaSel = row;
    int colunaSel = col;
    if (mintSelectionMode == 1) {
        coluna = estender ? coluna : mintFixedCols;
        colunaSel = mintCols - 1;
    } else if (mintSelectionMode == 2) {
        linha = estender ? linha : mintFixedRows;
        linhaSel = mintRows - 1;
    }
    DefinirSelecao(linha, coluna, linhaSel, colunaSel);
}

const MSFlexGrid::Celula* MSFlexGrid::CelulaAtual() const {
    if (mintRow >= mintRows || mintCol >= mintCols) return nullptr;
    return &CelulaEm(mintRow, mintCol);
}

template <typename F> void MSFlexGrid::AlterarCelulas(F alteracao) {
    if (mintRow >= mintRows || mintCol >= mintCols) return;
    if (mintFillStyle == 1) {
        const auto [r0, r1] = std::minmax(mintRow, mintRowSel);
        const auto [c0, c1] = std::minmax(mintCol, mintColSel);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                alteracao(CelulaEm(r, c));
    } else {
        alteracao(CelulaEm(mintRow, mintCol));
    }
    Redesenhar();
}

QString MSFlexGrid::Text() const {
    const Celula* celula = CelulaAtual();
    return celula ? celula->mstrTexto : QString();
}

void MSFlexGrid::setText(const QString& texto) {
    AlterarCelulas([&texto](Celula& c) { c.mstrTexto = texto; });
}

int MSFlexGrid::CellBackColor() const {
    const Celula* celula = CelulaAtual();
    return celula ? celula->mlonCorDeFundo : 0;
}

void MSFlexGrid::setCellBackColor(int cor) {
    AlterarCelulas([cor](Celula& c) { c.mlonCorDeFundo = cor; });
}

int MSFlexGrid::CellForeColor() const {
    const Celula* celula = CelulaAtual();
    return celula ? celula->mlonCorDoTexto : 0;
}

void MSFlexGrid::setCellForeColor(int cor) {
    AlterarCelulas([cor](Celula& c) { c.mlonCorDoTexto = cor; });
}

bool MSFlexGrid::CellFontBold() const {
    const Celula* celula = CelulaAtual();
    return celula && celula->mbooNegrito;
}

void MSFlexGrid::setCellFontBold(bool valor) {
    AlterarCelulas([valor](Celula& c) { c.mbooNegrito = valor; });
}

bool MSFlexGrid::CellFontItalic() const {
    const Celula* celula = CelulaAtual();
    return celula && celula->mbooItalico;
}

void MSFlexGrid::setCellFontItalic(bool valor) {
    AlterarCelulas([valor](Celula& c) { c.mbooItalico = valor; });
}

int MSFlexGrid::CellAlignment() const {
    const Celula* celula = CelulaAtual();
    if (!celula) return AlinhamentoGeral;
    return celula->mintAlinhamento >= 0 ? celula->mintAlinhamento : mvetAlinhamentos[mintCol];
}

void MSFlexGrid::setCellAlignment(int valor) {
    if (valor < 0 || valor > AlinhamentoGeral) ErroDeValor();
    AlterarCelulas([valor](Celula& c) { c.mintAlinhamento = static_cast<qint8>(valor); });
}

int MSFlexGrid::IndiceDaImagem(const QPixmap& imagem) {
    const auto it = mmapImagens.constFind(imagem.cacheKey());
    if (it != mmapImagens.constEnd()) return it.value();
    mvetImagens.push_back(imagem);
    const int indice = static_cast<int>(mvetImagens.size()) - 1;
    mmapImagens.insert(imagem.cacheKey(), indice);
    return indice;
}

QPixmap MSFlexGrid::CellPicture() const {
    const Celula* celula = CelulaAtual();
    return (celula && celula->mintImagem >= 0) ? mvetImagens[celula->mintImagem] : QPixmap();
}

void MSFlexGrid::setCellPicture(const QPixmap& imagem) {
    const int indice = imagem.isNull() ? -1 : IndiceDaImagem(imagem);
    AlterarCelulas([indice](Celula& c) { c.mintImagem = indice; });
}

int MSFlexGrid::CellPictureAlignment() const {
    const Celula* celula = CelulaAtual();
    return celula ? celula->mintAlinhamentoDaImagem : 1;
}

void MSFlexGrid::setCellPictureAlignment(int valor) {
    if (valor < 0 || valor > 10) ErroDeValor();
    AlterarCelulas([valor](Celula& c) { c.mintAlinhamentoDaImagem = static_cast<qint8>(valor); });
}

int MSFlexGrid::CellLeft() const {
    return mintCol < mintCols ? Twips::DePixels(Borda() + PosicaoDaColuna(mintCol)) : 0;
}

int MSFlexGrid::CellTop() const {
    return mintRow < mintRows ? Twips::DePixels(Borda() + PosicaoDaLinha(mintRow)) : 0;
}

int MSFlexGrid::CellWidth() const {
    return mintCol < mintCols ? Twips::DePixels(LarguraEmPixels(mintCol)) : 0;
}

int MSFlexGrid::CellHeight() const {
    return mintRow < mintRows ? Twips::DePixels(AlturaEmPixels(mintRow)) : 0;
}

// ---------------------------------------------------------------- look

void MSFlexGrid::setBackColor(int cor) {
    mlonBackColor = cor;
    Redesenhar();
}

void MSFlexGrid::setForeColor(int cor) {
    mlonForeColor = cor;
    Redesenhar();
}

void MSFlexGrid::setBackColorBkg(int cor) {
    mlonBackColorBkg = cor;
    Redesenhar();
}

void MSFlexGrid::setBackColorFixed(int cor) {
    mlonBackColorFixed = cor;
    Redesenhar();
}

void MSFlexGrid::setForeColorFixed(int cor) {
    mlonForeColorFixed = cor;
    Redesenhar();
}

void MSFlexGrid::setBackColorSel(int cor) {
    mlonBackColorSel = cor;
    Redesenhar();
}

void MSFlexGrid::setForeColorSel(int cor) {
    mlonForeColorSel = cor;
    Redesenhar();
}

void MSFlexGrid::setGridColor(int cor) {
    mlonGridColor = cor;
    Redesenhar();
}

void MSFlexGrid::setGridColorFixed(int cor) {
    mlonGridColorFixed = cor;
    Redesenhar();
}

namespace {
int ValorNaFaixa(int valor, int minimo, int maximo) {
    if (valor < minimo || valor > maximo) ErroDeValor();
    return valor;
}
} // namespace

void MSFlexGrid::setGridLines(int valor) {
    mintGridLines = ValorNaFaixa(valor, 0, 3);
    Redesenhar();
}

void MSFlexGrid::setGridLinesFixed(int valor) {
    mintGridLinesFixed = ValorNaFaixa(valor, 0, 3);
    Redesenhar();
}

void MSFlexGrid::setHighLight(int valor) {
    mintHighLight = ValorNaFaixa(valor, 0, 2);
    Redesenhar();
}

void MSFlexGrid::setFocusRect(int valor) {
    mintFocusRect = ValorNaFaixa(valor, 0, 2);
    Redesenhar();
}

void MSFlexGrid::setScrollBars(int valor) {
    mintScrollBars = ValorNaFaixa(valor, 0, 3);
    EstruturaMudou();
}

void MSFlexGrid::setWordWrap(bool valor) {
    mbooWordWrap = valor;
    Redesenhar();
}

void MSFlexGrid::setAppearance(int valor) {
    mintAppearance = ValorNaFaixa(valor, 0, 1);
    EstruturaMudou();
}

void MSFlexGrid::setBorderStyle(int valor) {
    mintBorderStyle = ValorNaFaixa(valor, 0, 1);
    EstruturaMudou();
}

void MSFlexGrid::setFillStyle(int valor) {
    mintFillStyle = ValorNaFaixa(valor, 0, 1);
}

void MSFlexGrid::setSelectionMode(int valor) {
    mintSelectionMode = ValorNaFaixa(valor, 0, 2);
}

void MSFlexGrid::setRedraw(bool valor) {
    mbooRedraw = valor;
    if (!valor) return;
    if (mbooEstruturaSuja) AtualizarBarrasDeRolagem();
    if (mbooSujo) update();
}

void MSFlexGrid::Redesenhar() {
    mbooSujo = true;
    if (mbooRedraw) update();
}

void MSFlexGrid::EstruturaMudou() {
    mbooEstruturaSuja = true;
    if (mbooRedraw) AtualizarBarrasDeRolagem();
    Redesenhar();
}

bool MSFlexGrid::BarraDeRolagemVisivel(int qual) const {
    const QScrollBar* barra = qual == 1 ? mobjBarraHorizontal : mobjBarraVertical;
    return barra->isVisibleTo(this);
}

QRect MSFlexGrid::RetanguloDaCelula(int row, int col) const {
    const QRect area = AreaDasCelulas();
    for (const Faixa& linha : LinhasVisiveis(area)) {
        if (linha.mintIndice != row) continue;
        for (const Faixa& coluna : ColunasVisiveis(area))
            if (coluna.mintIndice == col)
                return QRect(coluna.mintInicio, linha.mintInicio, coluna.mintTamanho, linha.mintTamanho)
                    .intersected(area);
    }
    return {};
}

// ---------------------------------------------------------------- geometry (pixels)

int MSFlexGrid::Borda() const {
    return mintBorderStyle == 0 ? 0 : (mintAppearance == 1 ? 2 : 1);
}

QRect MSFlexGrid::AreaDasCelulas() const {
    const int borda = Borda();
    QRect area = rect().adjusted(borda, borda, -borda, -borda);
    if (mobjBarraVertical->isVisibleTo(this)) area.setRight(area.right() - LarguraDaBarra);
    if (mobjBarraHorizontal->isVisibleTo(this)) area.setBottom(area.bottom() - LarguraDaBarra);
    return area;
}

int MSFlexGrid::AlturaEmPixels(int row) const {
    const int twips = mvetAlturas[row];
    return Twips::ParaPixels(twips < 0 ? mintAlturaPadraoEmTwips : twips);
}

int MSFlexGrid::LarguraEmPixels(int col) const {
    const int twips = mvetLarguras[col];
    return Twips::ParaPixels(twips < 0 ? LarguraPadraoEmTwips : twips);
}

std::vector<MSFlexGrid::Faixa> MSFlexGrid::LinhasVisiveis(const QRect& area) const {
    std::vector<Faixa> linhas;
    int y = area.top();
    auto incluir = [&](int r) {
        const int altura = AlturaEmPixels(r);
        if (altura > 0) linhas.push_back({r, y, altura});
        y += altura;
    };
    for (int r = 0; r < mintFixedRows && y <= area.bottom(); ++r)
        incluir(r);
    for (int r = mintTopRow; r < mintRows && y <= area.bottom(); ++r)
        incluir(r);
    return linhas;
}

std::vector<MSFlexGrid::Faixa> MSFlexGrid::ColunasVisiveis(const QRect& area) const {
    std::vector<Faixa> colunas;
    int x = area.left();
    auto incluir = [&](int c) {
        const int largura = LarguraEmPixels(c);
        if (largura > 0) colunas.push_back({c, x, largura});
        x += largura;
    };
    for (int c = 0; c < mintFixedCols && x <= area.right(); ++c)
        incluir(c);
    for (int c = mintLeftCol; c < mintCols && x <= area.right(); ++c)
        incluir(c);
    return colunas;
}

int MSFlexGrid::PosicaoDaLinha(int row) const {
    int y = 0;
    const int fixas = std::min(row, mintFixedRows);
    for (int r = 0; r < fixas; ++r)
        y += AlturaEmPixels(r);
    if (row < mintFixedRows) return y;
    if (row >= mintTopRow)
        for (int r = mintTopRow; r < row; ++r)
            y += AlturaEmPixels(r);
    else
        for (int r = row; r < mintTopRow; ++r)
            y -= AlturaEmPixels(r);
    return y;
}

int MSFlexGrid::PosicaoDaColuna(int col) const {
    int x = 0;
    const int fixas = std::min(col, mintFixedCols);
    for (int c = 0; c < fixas; ++c)
        x += LarguraEmPixels(c);
    if (col < mintFixedCols) return x;
    if (col >= mintLeftCol)
        for (int c = mintLeftCol; c < col; ++c)
            x += LarguraEmPixels(c);
    else
        for (int c = col; c < mintLeftCol; ++c)
            x -= LarguraEmPixels(c);
    return x;
}

bool MSFlexGrid::CelulaNoPonto(const QPoint& ponto, int& row, int& col) const {
    const QRect area = AreaDasCelulas();
    if (!area.contains(ponto)) return false;
    row = col = -1;
    for (const Faixa& linha : LinhasVisiveis(area))
        if (ponto.y() >= linha.mintInicio && ponto.y() < linha.mintInicio + linha.mintTamanho)
            row = linha.mintIndice;
    for (const Faixa& coluna : ColunasVisiveis(area))
        if (ponto.x() >= coluna.mintInicio && ponto.x() < coluna.mintInicio + coluna.mintTamanho)
            col = coluna.mintIndice;
    return row >= 0 && col >= 0;
}

// The largest TopRow that still fills the height: the first row of the last screenful.
// It is FixedRows when every row fits. Walks back from the end, so it costs one
// screenful, however many rows the grid has.
int MSFlexGrid::MaiorTopRow(int altura) const {
    int disponivel = altura;
    for (int r = 0; r < mintFixedRows; ++r)
        disponivel -= AlturaEmPixels(r);
    int soma = 0;
    for (int r = mintRows - 1; r >= mintFixedRows; --r) {
        soma += AlturaEmPixels(r);
        if (soma > disponivel) return std::min(r + 1, mintRows - 1);
    }
    return mintFixedRows;
}

int MSFlexGrid::MaiorLeftCol(int largura) const {
    int disponivel = largura;
    for (int c = 0; c < mintFixedCols; ++c)
        disponivel -= LarguraEmPixels(c);
    int soma = 0;
    for (int c = mintCols - 1; c >= mintFixedCols; --c) {
        soma += LarguraEmPixels(c);
        if (soma > disponivel) return std::min(c + 1, mintCols - 1);
    }
    return mintFixedCols;
}

void MSFlexGrid::AtualizarBarrasDeRolagem() {
    mbooEstruturaSuja = false;
    const int borda = Borda();
    const QRect interno = rect().adjusted(borda, borda, -borda, -borda);
    bool vertical = false;
    bool horizontal = false;
    int altura = interno.height();
    int largura = interno.width();
    for (int volta = 0; volta < 2; ++volta) { // a bar takes room that the other may then need
        altura = interno.height() - (horizontal ? LarguraDaBarra : 0);
        largura = interno.width() - (vertical ? LarguraDaBarra : 0);
        vertical = (mintScrollBars & 2) && MaiorTopRow(altura) > mintFixedRows;
        horizontal = (mintScrollBars & 1) && MaiorLeftCol(largura) > mintFixedCols;
    }
    altura = interno.height() - (horizontal ? LarguraDaBarra : 0);
    largura = interno.width() - (vertical ? LarguraDaBarra : 0);

    const int maiorTopRow = MaiorTopRow(altura);
    const int maiorLeftCol = MaiorLeftCol(largura);
    mintTopRow = std::clamp(mintTopRow, mintFixedRows, std::max(mintFixedRows, maiorTopRow));
    mintLeftCol = std::clamp(mintLeftCol, mintFixedCols, std::max(mintFixedCols, maiorLeftCol));
    {
        const QSignalBlocker bloqueio(mobjBarraVertical);
        mobjBarraVertical->setGeometry(interno.right() - LarguraDaBarra + 1, interno.top(), LarguraDaBarra,
                                       altura);
        mobjBarraVertical->setRange(mintFixedRows, std::max(mintFixedRows, maiorTopRow));
        mobjBarraVertical->setPageStep(
            std::max(1, altura / std::max(1, Twips::ParaPixels(mintAlturaPadraoEmTwips))));
        mobjBarraVertical->setValue(mintTopRow);
        mobjBarraVertical->setVisible(vertical);
    }
    {
        const QSignalBlocker bloqueio(mobjBarraHorizontal);
        mobjBarraHorizontal->setGeometry(interno.left(), interno.bottom() - LarguraDaBarra + 1, largura,
                                         LarguraDaBarra);
        mobjBarraHorizontal->setRange(mintFixedCols, std::max(mintFixedCols, maiorLeftCol));
        mobjBarraHorizontal->setPageStep(1);
        mobjBarraHorizontal->setValue(mintLeftCol);
        mobjBarraHorizontal->setVisible(horizontal);
    }
    mbooSujo = true;
}

void MSFlexGrid::MostrarCelula(int row, int col) {
    const QRect area = AreaDasCelulas();
    if (row >= mintFixedRows) {
        if (row < mintTopRow)
            setTopRow(row);
        else
            while (mintTopRow < row &&
                   area.top() + PosicaoDaLinha(row) + AlturaEmPixels(row) > area.bottom() + 1)
                setTopRow(mintTopRow + 1);
    }
    if (col >= mintFixedCols) {
        if (col < mintLeftCol)
            setLeftCol(col);
        else
            while (mintLeftCol < col &&
                   area.left() + PosicaoDaColuna(col) + LarguraEmPixels(col) > area.right() + 1)
                setLeftCol(mintLeftCol + 1);
    }
}

bool MSFlexGrid::Destacar() const {
    return mintHighLight == 1 || (mintHighLight == 2 && hasFocus());
}

// A cell painted in the selection colours: inside the selected range; the current cell
// itself only when no focus rectangle marks it (as VB draws it).
bool MSFlexGrid::Selecionada(int row, int col) const {
    if (!Destacar()) return false;
    const auto [r0, r1] = std::minmax(mintRow, mintRowSel);
    const auto [c0, c1] = std::minmax(mintCol, mintColSel);
    if (row < r0 || row > r1 || col < c0 || col > c1) return false;
    return mintFocusRect == 0 || row != mintRow || col != mintCol;
}

// ---------------------------------------------------------------- painting

void MSFlexGrid::paintEvent(QPaintEvent*) {
    if (mbooRedraw && (mbooSujo || mpixQuadro.deviceIndependentSize().toSize() != size())) Renderizar();
    QPainter p(this);
    if (mpixQuadro.isNull())
        p.fillRect(rect(), Cor(mlonBackColorBkg));
    else
        p.drawPixmap(0, 0, mpixQuadro);
}

void MSFlexGrid::Renderizar() {
    const qreal escala = devicePixelRatioF();
    QPixmap quadro(size() * escala);
    quadro.setDevicePixelRatio(escala);
    QPainter p(&quadro);
    p.fillRect(rect(), Cor(mlonBackColorBkg));
    const QRect area = AreaDasCelulas();
    p.setClipRect(area);
    const std::vector<Faixa> linhas = LinhasVisiveis(area);
    const std::vector<Faixa> colunas = ColunasVisiveis(area);
    for (const Faixa& linha : linhas)
        for (const Faixa& coluna : colunas)
            PintarCelula(p, linha.mintIndice, coluna.mintIndice,
                         QRect(coluna.mintInicio, linha.mintInicio, coluna.mintTamanho, linha.mintTamanho));

    const bool atualFixa = mintRow < mintFixedRows || mintCol < mintFixedCols;
    if (mintFocusRect != 0 && hasFocus() && !atualFixa && mintRow < mintRows && mintCol < mintCols) {
        const QRect celula(area.left() + PosicaoDaColuna(mintCol), area.top() + PosicaoDaLinha(mintRow),
                           LarguraEmPixels(mintCol), AlturaEmPixels(mintRow));
        QPen pen(Aparencia::CorDeDestaque(), mintFocusRect == 2 ? 2 : 1,
                 mintFocusRect == 2 ? Qt::SolidLine : Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(celula.adjusted(1, 1, -2, -2));
    }
    p.setClipping(false);
    PintarBorda(p);
    p.end();
    mpixQuadro = quadro;
    mbooSujo = false;
    ++mlonPinturas;
}

void MSFlexGrid::PintarCelula(QPainter& p, int row, int col, const QRect& area) const {
    const Celula& celula = CelulaEm(row, col);
    const bool fixa = row < mintFixedRows || col < mintFixedCols;
    QColor fundo;
    QColor texto;
    if (!fixa && Selecionada(row, col)) {
        fundo = Cor(mlonBackColorSel);
        texto = Cor(mlonForeColorSel);
    } else {
        fundo =
            Cor(celula.mlonCorDeFundo ? celula.mlonCorDeFundo : (fixa ? mlonBackColorFixed : mlonBackColor));
        texto =
            Cor(celula.mlonCorDoTexto ? celula.mlonCorDoTexto : (fixa ? mlonForeColorFixed : mlonForeColor));
    }
    p.fillRect(area, fundo);
    PintarLinhasDaGrade(p, row, col, area);
    const QRect interno = area.adjusted(0, 0, -1, -1);

    if (celula.mintImagem >= 0) {
        const QPixmap& imagem = mvetImagens[celula.mintImagem];
        const int alinhamento = celula.mintAlinhamentoDaImagem;
        if (alinhamento == 9)
            p.drawPixmap(interno, imagem);
        else if (alinhamento == 10)
            p.drawTiledPixmap(interno, imagem);
        else {
            const QSize tamanho = imagem.deviceIndependentSize().toSize();
            const int coluna = alinhamento / 3;
            const int linha = alinhamento % 3;
            const int x = interno.left() + (coluna == 0   ? 1
                                            : coluna == 1 ? (interno.width() - tamanho.width()) / 2
                                                          : interno.width() - tamanho.width() - 1);
            const int y = interno.top() + (linha == 0   ? 1
                                           : linha == 1 ? (interno.height() - tamanho.height()) / 2
                                                        : interno.height() - tamanho.height() - 1);
            p.drawPixmap(x, y, imagem);
        }
    }

    if (celula.mstrTexto.isEmpty()) return;
    int alinhamento = celula.mintAlinhamento;
    if (alinhamento < 0)
        alinhamento =
            (fixa && mvetAlinhamentosFixos[col] >= 0) ? mvetAlinhamentosFixos[col] : mvetAlinhamentos[col];
    QFont fonte = font();
    fonte.setBold(celula.mbooNegrito);
    fonte.setItalic(celula.mbooItalico);
    p.setFont(fonte);
    p.setPen(texto);
    const QRect espaco = interno.adjusted(MargemDoTexto, 1, -MargemDoTexto, -1);
    const int flags = AlinhamentoQt(alinhamento, celula.mstrTexto);
    // A text that does not fit its cell, wrapped or not, shows as one line ending in
    // "…": never as lines cut in half or letters cut at the cell's edge.
    const QFontMetrics medidas(fonte);
    const bool cabe =
        mbooWordWrap ? medidas.boundingRect(espaco, flags | Qt::TextWordWrap, celula.mstrTexto).height() <=
                           espaco.height()
                     : medidas.horizontalAdvance(celula.mstrTexto) <= espaco.width();
    if (cabe)
        p.drawText(espaco, flags | (mbooWordWrap ? Qt::TextWordWrap : 0), celula.mstrTexto);
    else
        p.drawText(espaco, flags, medidas.elidedText(celula.mstrTexto, Qt::ElideRight, espaco.width()));
}

void MSFlexGrid::PintarLinhasDaGrade(QPainter& p, int row, int col, const QRect& area) const {
    const bool fixa = row < mintFixedRows || col < mintFixedCols;
    const int modo = fixa ? mintGridLinesFixed : mintGridLines;
    if (modo == 0) return;
    const QColor cor = Cor(fixa ? mlonGridColorFixed : mlonGridColor);
    const QColor claro = Qt::white;
    const QColor escuroDireita = modo == 3 ? cor : (modo == 2 ? claro : cor);
    const QColor escuroEsquerda = modo == 3 ? claro : cor;
    p.setPen(escuroDireita);
    p.drawLine(area.right(), area.top(), area.right(), area.bottom());
    p.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    if (modo >= 2) {
        p.setPen(escuroEsquerda);
        p.drawLine(area.left(), area.top(), area.right() - 1, area.top());
        p.drawLine(area.left(), area.top(), area.left(), area.bottom() - 1);
    }
}

void MSFlexGrid::PintarBorda(QPainter& p) const {
    if (mintBorderStyle == 0) return;
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (mintAppearance == 0) {
        p.setPen(Aparencia::CorDaBordaSobre());
        p.drawRect(r);
        return;
    }
    p.setPen(QColor(160, 160, 160));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(QColor(105, 105, 105));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
}

// ---------------------------------------------------------------- the person

void MSFlexGrid::EmitirMouse(void (MSFlexGrid::*sinal)(int, int, float, float), QMouseEvent* evento,
                             int botoes) {
    const QPointF ponto = evento->position();
    (this->*sinal)(botoes, ShiftVB(evento->modifiers()), Twips::DePixels(ponto.x()),
                   Twips::DePixels(ponto.y()));
}

void MSFlexGrid::mousePressEvent(QMouseEvent* evento) {
    int row = -1;
    int col = -1;
    const bool naCelula = CelulaNoPonto(evento->position().toPoint(), row, col);
    mintMouseRow = naCelula ? row : -1;
    mintMouseCol = naCelula ? col : -1;
    EmitirMouse(&MSFlexGrid::MouseDown, evento, BotoesVB(evento->button()));
    if (evento->button() != Qt::LeftButton) return;
    mbooPressionado = true;
    if (naCelula) {
        SelecionarPelaPessoa(row, col, evento->modifiers() & Qt::ShiftModifier);
        mbooArrastando = row >= mintFixedRows && col >= mintFixedCols;
    }
}

void MSFlexGrid::mouseMoveEvent(QMouseEvent* evento) {
    int row = -1;
    int col = -1;
    const bool naCelula = CelulaNoPonto(evento->position().toPoint(), row, col);
    mintMouseRow = naCelula ? row : -1;
    mintMouseCol = naCelula ? col : -1;
    if (mbooArrastando && (evento->buttons() & Qt::LeftButton) && naCelula)
        SelecionarPelaPessoa(std::max(row, mintFixedRows), std::max(col, mintFixedCols), true);
    EmitirMouse(&MSFlexGrid::MouseMove, evento, BotoesVB(evento->buttons()));
}

void MSFlexGrid::mouseReleaseEvent(QMouseEvent* evento) {
    EmitirMouse(&MSFlexGrid::MouseUp, evento, BotoesVB(evento->button()));
    if (evento->button() != Qt::LeftButton || !mbooPressionado) return;
    mbooPressionado = false;
    mbooArrastando = false;
    if (rect().contains(evento->position().toPoint())) emit Click();
}

void MSFlexGrid::mouseDoubleClickEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) emit DblClick();
}

void MSFlexGrid::wheelEvent(QWheelEvent* evento) {
    if (!mobjBarraVertical->isVisibleTo(this) || mintRows == 0) {
        evento->ignore();
        return;
    }
    const int passos = evento->angleDelta().y() / 120 * 3;
    setTopRow(std::clamp(mintTopRow - passos, mintFixedRows, mintRows - 1));
    evento->accept();
}

void MSFlexGrid::keyPressEvent(QKeyEvent* evento) {
    if (mintRows <= mintFixedRows || mintCols <= mintFixedCols) {
        Controle::keyPressEvent(evento);
        return;
    }
    const bool estender = evento->modifiers() & Qt::ShiftModifier;
    int row = estender ? mintRowSel : mintRow;
    int col = estender ? mintColSel : mintCol;
    const int pagina =
        std::max(1, AreaDasCelulas().height() / std::max(1, Twips::ParaPixels(mintAlturaPadraoEmTwips)));
    int passoDeColuna = 0;
    switch (evento->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_PageUp:
        row -= pagina;
        break;
    case Qt::Key_PageDown:
        row += pagina;
        break;
    case Qt::Key_Left:
        passoDeColuna = -1;
        break;
    case Qt::Key_Right:
        passoDeColuna = 1;
        break;
    case Qt::Key_Home:
        col = mintFixedCols - 1;
        passoDeColuna = 1;
        if (evento->modifiers() & Qt::ControlModifier) row = mintFixedRows;
        break;
    case Qt::Key_End:
        col = mintCols;
        passoDeColuna = -1;
        if (evento->modifiers() & Qt::ControlModifier) row = mintRows - 1;
        break;
    default:
        Controle::keyPressEvent(evento);
        return;
    }
    // Columns move over the hidden ones (width 0) to the next one that shows.
    if (passoDeColuna != 0) {
        int destino = col + passoDeColuna;
        while (destino >= mintFixedCols && destino < mintCols && LarguraEmPixels(destino) == 0)
            destino += passoDeColuna;
        if (destino >= mintFixedCols && destino < mintCols) col = destino;
    }
    row = std::clamp(row, mintFixedRows, mintRows - 1);
    col = std::clamp(col, mintFixedCols, mintCols - 1);
    SelecionarPelaPessoa(row, col, estender);
    MostrarCelula(row, col);
}

void MSFlexGrid::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange) {
        mintAlturaPadraoEmTwips = Twips::DePixels(fontMetrics().height() + 6);
        EstruturaMudou();
    } else if (evento->type() == QEvent::EnabledChange) {
        Redesenhar();
    }
    Controle::changeEvent(evento);
}

void MSFlexGrid::resizeEvent(QResizeEvent* evento) {
    Controle::resizeEvent(evento);
    EstruturaMudou();
}

void MSFlexGrid::focusInEvent(QFocusEvent* evento) {
    Controle::focusInEvent(evento);
    Redesenhar();
}

void MSFlexGrid::focusOutEvent(QFocusEvent* evento) {
    Controle::focusOutEvent(evento);
    Redesenhar();
}
