#pragma once
// The painting side of a report: draws one page, from the texts its reader gave, with
// QPainter onto any paint device (the preview's page, a printer, a PDF writer), and
// writes ranges of pages onto paged devices. It never reads the data source itself.
//
// Text is measured in twips with unhinted font metrics, so a long text is cut with "…"
// at the same place on the screen, on paper and in a PDF.

#include "platform/reports/PaginacaoDoRelatorio.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QRawFont>
#include <QSize>
#include <functional>

class DataReport;
class QGlyphRun;
class QPagedPaintDevice;
class QPainter;
class QPageLayout;
class RptControl;
class Section;

class PintorDoRelatorio {
public:
    // caixas: the bound text boxes in the order of a page's texts (the reader's).
    PintorDoRelatorio(const DataReport& relatorio, const QList<const RptTextBox*>& caixas);

    // Draws the page with the painter's unit being one twip of the paper and its origin
    // at the paper's top left corner (see Escalar).
    void PintarPagina(QPainter& p, const PaginaDoRelatorio& pagina) const;

    // Scales p so that the paper (twips) fills a device page of the given size in
    // device units, keeping its proportions.
    static void Escalar(QPainter& p, QSize papel, QSizeF pagina);

    // A label's caption with "%d" (issue date), "%p" (page) and "%P" (pages) replaced.
    static QString TextoDoRotulo(const QString& caption, const PaginaDoRelatorio& pagina);

private:
    // What a control needs for painting, worked out once per document.
    struct ControlePreparado {
        const RptControl* Controle;
        QFont Fonte;
        QFontMetricsF Medidas;
        QRawFont Bruta;
        quint32 GlifoDoEspaco;
        quint32 GlifoDasReticencias;
        qreal LarguraDasReticencias;
        QColor Cor;
        int IndiceDoTexto; // a bound text box's place in a row's texts; -1 otherwise
    };
    struct SecaoPreparada {
        const Section* Secao;
        QList<ControlePreparado> Controles;
    };

    static ControlePreparado Preparar(const RptControl* controle, int indiceDoTexto);
    void PintarSecao(QPainter& p, const SecaoPreparada& secao, qreal topo, const QStringList& linha,
                     const PaginaDoRelatorio& pagina) const;
    void PintarTexto(QPainter& p, const ControlePreparado& c, QPointF origem, QString texto) const;
    // The text's glyphs placed from the font's advances, cut with "…" to the width, and
    // the width they take; false when the font lacks one of its characters.
    static bool PosicionarGlifos(const ControlePreparado& c, const QString& texto, qreal largura,
                                 QGlyphRun& corrida, qreal& avanco);

    const DataReport& mrelatorio;
    QList<SecaoPreparada> mcabecalhos;
    QList<SecaoPreparada> mdetalhes;
    QList<SecaoPreparada> mrodapes;
    QList<SecaoPreparada> mrodapesDoRelatorio;
};

// The page layout of the report's paper (A4, by orientation) without margins of the
// device: the report draws its own margins.
QPageLayout LayoutDaPagina(const DataReport& relatorio);

// Writes pages de..ate (1-based, inclusive) on the device the painter is open on, one
// device page each. progresso, when given, is told each page written and may answer
// false to stop; the answer is false when it did. The reader's errors reach the caller.
bool GerarPaginas(QPainter& p, QPagedPaintDevice& dispositivo, const DataReport& relatorio,
                  const LeitorDePaginas& leitor, qint32 de, qint32 ate,
                  const std::function<bool(qint32 pagina)>& progresso = {});

// Writes pages de..ate to a PDF file: the one place a report's PDF is written (the
// preview's export, ExportarParaPdf, a quote sent to a client). The file at caminho is
// replaced only by a complete document: when progresso stops the writing (the answer
// is then false) or anything fails, a file that was there is left byte for byte as it
// was and no other file is left behind. A failure to write is error 75, its
// description naming the file, the reason and, when one existed, that it was kept.
// The reader's errors reach the caller as they are.
bool GravarPdf(const DataReport& relatorio, const LeitorDePaginas& leitor, const QString& caminho, qint32 de,
               qint32 ate, const std::function<bool(qint32 pagina)>& progresso = {});
