#pragma once
// DataReport: the data-report runtime's report, as VB's DataReport offered it. A
// design (a class derived from this one) adds its sections and their controls; the
// code that prints reaches them by name (Sections("Detalhes").Controls("txtValor")),
// binds a recordset as DataSource (DataMember empty), sets the paper orientation, the
// report's width and margins in twips, the window's caption and state, and calls
// Show: a print preview, shown modally, from which the person prints (page range
// honoured) or exports a PDF.
//
// The paper is A4. The report is ReportWidth twips wide from the left margin; its
// page header is drawn below the top margin, its page footer ends at the bottom
// margin, and detail rows fill the space between, one fixed-height row per record.
// Only the pages shown or written are read from the data source, one at a time.
//
// Errors are VB run-time errors with a Portuguese description, raised by Show and
// ExportarParaPdf before anything is shown or written: no data source (91), a
// DataField the data source does not have (3265), a report wider than the paper or
// sections taller than the page (380).

#include "contracts/Recordset.h"
#include "platform/reports/ControlesDoRelatorio.h"
#include "platform/reports/PaginacaoDoRelatorio.h"

#include <QDate>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

class VisualizacaoDoRelatorio;

// A command a report's code adds to its preview's toolbar, after the export to PDF: a
// tool button named Nome with its text, icon (a name of the controls' icon set), tool
// tip (the shortcut added to it) and keyboard shortcut, whose click runs Acao with the
// preview. Habilitado, when given, says whether the button is enabled: asked when the
// preview opens and again after any of the report's commands ran.
struct ComandoDaPrevia {
    QString Nome;
    QString Texto;
    QString Icone;
    QString Dica;
    QKeySequence Atalho;
    std::function<void(VisualizacaoDoRelatorio&)> Acao;
    std::function<bool()> Habilitado;
};

class DataReport : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(RecordsetPtr DataSource READ DataSource WRITE setDataSource)
    Q_PROPERTY(QString DataMember READ DataMember WRITE setDataMember)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(int ReportWidth READ ReportWidth WRITE setReportWidth)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE setLeftMargin)
    Q_PROPERTY(int RightMargin READ RightMargin WRITE setRightMargin)
    Q_PROPERTY(int TopMargin READ TopMargin WRITE setTopMargin)
    Q_PROPERTY(int BottomMargin READ BottomMargin WRITE setBottomMargin)
    Q_PROPERTY(int WindowState READ WindowState WRITE setWindowState)
    Q_PROPERTY(QDate DataDeEmissao READ DataDeEmissao WRITE setDataDeEmissao)

public:
    enum : int { rptOrientPortrait = 1, rptOrientLandscape = 2 };
    enum : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

    explicit DataReport(QObject* pai = nullptr);
    ~DataReport() override;

    QString Caption() const { return mstrCaption; }
    void setCaption(const QString& texto) { mstrCaption = texto; }
    RecordsetPtr DataSource() const { return mrsDataSource; }
    void setDataSource(RecordsetPtr fonte) { mrsDataSource = std::move(fonte); }
    // A recordset has no members: only the empty name is accepted (else error 380).
    QString DataMember() const { return QString(); }
    void setDataMember(const QString& membro);
    int Orientation() const { return mintOrientation; }
    void setOrientation(int valor);
    int ReportWidth() const { return mlonReportWidth; }
    void setReportWidth(int twips);
    int LeftMargin() const { return mlonLeftMargin; }
    void setLeftMargin(int twips);
    int RightMargin() const { return mlonRightMargin; }
    void setRightMargin(int twips);
    int TopMargin() const { return mlonTopMargin; }
    void setTopMargin(int twips);
    int BottomMargin() const { return mlonBottomMargin; }
    void setBottomMargin(int twips);
    int WindowState() const { return mintWindowState; }
    void setWindowState(int valor);
    // The date "%d" prints; when none is set, the day the report is shown or written.
    QDate DataDeEmissao() const { return mdatEmissao; }
    void setDataDeEmissao(const QDate& data) { mdatEmissao = data; }

    // Commands of the preview beyond printing and exporting, in the order added.
    void AdicionarComandoDaPrevia(ComandoDaPrevia comando) { mcomandos.append(std::move(comando)); }
    const QList<ComandoDaPrevia>& ComandosDaPrevia() const { return mcomandos; }
    // A line the preview shows under its toolbar (none when empty).
    QString AvisoDaPrevia() const { return mstrAvisoDaPrevia; }
    void setAvisoDaPrevia(const QString& texto) { mstrAvisoDaPrevia = texto; }

    // The section of that name (letter case ignored); error 9 when there is none.
    Q_INVOKABLE Section* Sections(const QString& nome) const;
    const QList<Section*>& ListaDeSecoes() const { return msecoes; }

    // The print preview, shown modally through the platform; returns when it closes.
    Q_INVOKABLE void Show();
    // Writes every page to a PDF file at caminho, without any dialog; error 75 when
    // the file cannot be written.
    Q_INVOKABLE void ExportarParaPdf(const QString& caminho);

    // ---- For the runtime's preview, painter and writers
    // The paper in twips: A4, upright or lying by Orientation.
    QSize TamanhoDoPapel() const;
    // The height a kind of section takes on each page (0 when the design has none).
    int AlturaDaSecao(Section::Tipo tipo) const;
    // The text boxes bound to a field, in the order their texts come in a page's rows.
    QList<const RptTextBox*> CaixasVinculadas() const;
    // Checks the design against the paper and the data source and makes the reader of
    // its pages; the errors listed at the top of this file.
    LeitorDePaginas PrepararLeitura() const;

protected:
    Section* AdicionarSecao(const QString& nome, Section::Tipo tipo, int altura);

private:
    void VerificarDesenho() const;

    QString mstrCaption;
    RecordsetPtr mrsDataSource;
    int mintOrientation = rptOrientPortrait;
    int mlonReportWidth = 9000;
    int mlonLeftMargin = 1440;
    int mlonRightMargin = 1440;
    int mlonTopMargin = 1440;
    int mlonBottomMargin = 1440;
    int mintWindowState = vbNormal;
    QDate mdatEmissao;
    QList<Section*> msecoes;
    QList<ComandoDaPrevia> mcomandos;
    QString mstrAvisoDaPrevia;
};
