#pragma once
// The print preview a report's Show opens: one page at a time, read from the data
// source only when the person asks for it (a list of a million quotes opens as fast as
// one of ten), with first, previous, next and last page, the page number, zoom,
// printing (the print dialog's page range honoured) and export to PDF.
//
// Its controls carry names, so that a test drives it as a person would:
// cmdImprimir, cmdExportarParaPdf, cmdPrimeiraPagina, cmdPaginaAnterior, txtPagina,
// lblTotalDePaginas, cmdProximaPagina, cmdUltimaPagina, cmbZoom, cmdFechar, the
// report's own commands (DataReport::ComandosDaPrevia) after the export, the line under
// the toolbar, lblAvisoDaPrevia, and the page itself, picPagina. The print and file dialogs are shown through
// the platform's modal display, so a test can answer them.

#include "platform/reports/PaginacaoDoRelatorio.h"
#include "platform/reports/PintorDoRelatorio.h"

#include <QWidget>
#include <functional>
#include <optional>

class DataReport;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

class VisualizacaoDoRelatorio : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int PaginaAtual READ PaginaAtual)
    Q_PROPERTY(int QuantidadeDePaginas READ QuantidadeDePaginas)

public:
    // Reads the first page now: its errors reach the caller before anything is shown.
    VisualizacaoDoRelatorio(const DataReport& relatorio, LeitorDePaginas leitor, QWidget* pai = nullptr);
    ~VisualizacaoDoRelatorio() override;

    int PaginaAtual() const { return mpagina.Numero; }
    int QuantidadeDePaginas() const { return mleitor.Paginacao().QuantidadeDePaginas(); }
    const PaginaDoRelatorio& PaginaExibida() const { return mpagina; }

    // Shows that page (clamped to the report's pages). A failed read is shown to the
    // person and the page shown before stays.
    Q_INVOKABLE void IrParaPagina(int pagina);
    // The print dialog, then the pages it chose. Each answers true when the pages were
    // all printed or written (false when the person cancelled or it failed, already told),
    // for a caller that records what left the program.
    Q_INVOKABLE bool Imprimir();
    // Prints on a printer already set up: all pages, its page range or the page shown.
    bool ImprimirEm(QPrinter& impressora);
    // The save dialog, then the whole report as a PDF at the chosen path.
    Q_INVOKABLE bool ExportarParaPdf();
    // The whole report written to arquivo (GravarPdf) under a progress dialog the person
    // may cancel; false when cancelled (the person is told) or failed (the error shown).
    // A file that was there is kept as it was in both cases.
    bool GravarPdfComProgresso(const QString& arquivo);
    // The line under the toolbar; hidden when empty.
    void MostrarAviso(const QString& texto);
    // The report read again after its code changed what it shows (captions, sections shown
    // and their heights): its pages counted again, the page shown (or the last one) read
    // and painted anew.
    void Reler();
    // Each of the report's commands enabled as its Habilitado answers now.
    void HabilitarComandos();

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    class Folha;

    QToolButton* CriarBotao(const QString& nome, const QString& icone, const QString& texto,
                            const QString& dica);
    void CriarControles();
    void AtualizarNavegacao();
    void AplicarZoom();
    // Runs a long write page by page under a progress dialog the person may cancel;
    // false when cancelled or failed (a failure already shown).
    bool ComProgresso(const QString& texto, qint32 de, qint32 ate,
                      const std::function<bool(const std::function<bool(qint32)>&)>& trabalho);

    const DataReport& mrelatorio;
    LeitorDePaginas mleitor;
    PaginaDoRelatorio mpagina;
    std::optional<PintorDoRelatorio> mpintor; // made again by Reler
    QList<std::pair<QToolButton*, std::function<bool()>>> mcomandos;

    QToolButton* cmdImprimir = nullptr;
    QToolButton* cmdExportarParaPdf = nullptr;
    QToolButton* cmdPrimeiraPagina = nullptr;
    QToolButton* cmdPaginaAnterior = nullptr;
    QSpinBox* txtPagina = nullptr;
    QLabel* lblTotalDePaginas = nullptr;
    QToolButton* cmdProximaPagina = nullptr;
    QToolButton* cmdUltimaPagina = nullptr;
    QComboBox* cmbZoom = nullptr;
    QToolButton* cmdFechar = nullptr;
    QLabel* lblAvisoDaPrevia = nullptr;
    QScrollArea* mscrPagina = nullptr;
    Folha* picPagina = nullptr;
};
