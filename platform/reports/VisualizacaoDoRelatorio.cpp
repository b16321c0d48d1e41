#include "platform/reports/VisualizacaoDoRelatorio.h"

#include "platform/Plataforma.h"
#include "platform/controls/Icones.h"
#include "platform/reports/DataReport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Zoom choices: a factor of the paper's real size, or one of the two fits.
constexpr double PaginaInteira = -1;
constexpr double LarguraDaPagina = -2;
// Grey space around the page, in pixels.
constexpr int Moldura = 16;

void MostrarErro(const VB::ErroDeExecucao& erro, const QString& titulo) {
    Plataforma::MsgBox(erro.Descricao(), Plataforma::vbCritical, titulo);
}

// Where a PDF is proposed: the documents folder's "Orçamentos", made for the user
// alone when missing.
QString PastaDosPdfs() {
    const QString pasta =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Orçamentos");
    if (!QFileInfo::exists(pasta) && QDir().mkpath(pasta))
        QFile::setPermissions(pasta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return pasta;
}

// A name that says what the document is: the one the printing code gave the report
// ("Orçamento 421 - Maria Gonçalves"), else its caption; without the characters a
// file name cannot hold on this or another system (a client "A/B Ltda").
QString NomeProposto(const DataReport& relatorio) {
    QString nome = relatorio.property("NomeDoArquivo").toString();
    if (nome.isEmpty()) nome = relatorio.Caption();
    static const QRegularExpression proibidos(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    return nome.replace(proibidos, QStringLiteral("-")).trimmed() + QStringLiteral(".pdf");
}

} // namespace

// The page as it is on paper, drawn at the chosen zoom.
class VisualizacaoDoRelatorio::Folha : public QWidget {
public:
    explicit Folha(VisualizacaoDoRelatorio* janela) : mjanela(janela) {
        setObjectName(QStringLiteral("picPagina"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        PintorDoRelatorio::Escalar(p, mjanela->mrelatorio.TamanhoDoPapel(), size());
        mjanela->mpintor->PintarPagina(p, mjanela->mpagina);
    }

private:
    VisualizacaoDoRelatorio* mjanela;
};

VisualizacaoDoRelatorio::VisualizacaoDoRelatorio(const DataReport& relatorio, LeitorDePaginas leitor,
                                                 QWidget* pai)
    : QWidget(pai, Qt::Window), mrelatorio(relatorio), mleitor(std::move(leitor)), mpagina(mleitor.Ler(1)) {
    mpintor.emplace(relatorio, mleitor.Caixas());
    setObjectName(QStringLiteral("VisualizacaoDoRelatorio"));
    setWindowTitle(relatorio.Caption());
    CriarControles();
    AtualizarNavegacao();
    HabilitarComandos();
    if (const QScreen* tela = screen()) resize(tela->availableSize() * 4 / 5);
    if (relatorio.WindowState() == DataReport::vbMaximized)
        setWindowState(Qt::WindowMaximized);
    else if (relatorio.WindowState() == DataReport::vbMinimized)
        setWindowState(Qt::WindowMinimized);
}

VisualizacaoDoRelatorio::~VisualizacaoDoRelatorio() = default;

QToolButton* VisualizacaoDoRelatorio::CriarBotao(const QString& nome, const QString& icone,
                                                 const QString& texto, const QString& dica) {
    auto* botao = new QToolButton(this);
    botao->setObjectName(nome);
    botao->setText(texto);
    botao->setToolTip(dica);
    botao->setAutoRaise(true);
    if (!icone.isEmpty()) {
        botao->setIcon(Icones::Icone(icone, 32));
        botao->setIconSize(QSize(16, 16));
    }
    if (texto.isEmpty())
        botao->setToolButtonStyle(Qt::ToolButtonIconOnly);
    else
        botao->setToolButtonStyle(icone.isEmpty() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
    return botao;
}

void VisualizacaoDoRelatorio::CriarControles() {
    cmdImprimir = CriarBotao(QStringLiteral("cmdImprimir"), QStringLiteral("Imprimir"),
                             QStringLiteral("Imprimir"), QStringLiteral("Imprimir o relatório"));
    cmdExportarParaPdf =
        CriarBotao(QStringLiteral("cmdExportarParaPdf"), QString(), QStringLiteral("Exportar para PDF"),
                   QStringLiteral("Gravar o relatório em um arquivo PDF"));
    cmdPrimeiraPagina = CriarBotao(QStringLiteral("cmdPrimeiraPagina"), QStringLiteral("Primeiro"), QString(),
                                   QStringLiteral("Primeira página"));
    cmdPaginaAnterior = CriarBotao(QStringLiteral("cmdPaginaAnterior"), QStringLiteral("Anterior"), QString(),
                                   QStringLiteral("Página anterior"));
    cmdProximaPagina = CriarBotao(QStringLiteral("cmdProximaPagina"), QStringLiteral("Proximo"), QString(),
                                  QStringLiteral("Próxima página"));
    cmdUltimaPagina = CriarBotao(QStringLiteral("cmdUltimaPagina"), QStringLiteral("Ultimo"), QString(),
                                 QStringLiteral("Última página"));
    cmdFechar = CriarBotao(QStringLiteral("cmdFechar"), QStringLiteral("Fechar"), QStringLiteral("Fechar"),
                           QStringLiteral("Fechar a visualização"));

    txtPagina = new QSpinBox(this);
    txtPagina->setObjectName(QStringLiteral("txtPagina"));
    txtPagina->setRange(1, QuantidadeDePaginas());
    txtPagina->setToolTip(QStringLiteral("Número da página exibida"));
    txtPagina->setKeyboardTracking(false);
    txtPagina->setMinimumWidth(
        txtPagina->fontMetrics().horizontalAdvance(QString::number(QuantidadeDePaginas())) + 48);
    lblTotalDePaginas = new QLabel(QStringLiteral("de %1").arg(QuantidadeDePaginas()), this);
    lblTotalDePaginas->setObjectName(QStringLiteral("lblTotalDePaginas"));

    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setToolTip(QStringLiteral("Zoom"));
    cmbZoom->addItem(QStringLiteral("Página inteira"), PaginaInteira);
    cmbZoom->addItem(QStringLiteral("Largura da página"), LarguraDaPagina);
    for (int percentual : {50, 75, 100, 125, 150, 200})
        cmbZoom->addItem(QStringLiteral("%1%").arg(percentual), percentual / 100.0);
    // The paper's own size first: a whole upright page is too small to read on most
    // screens, and its full width too large to see.
    cmbZoom->setCurrentIndex(cmbZoom->findData(1.0));

    auto* barra = new QHBoxLayout;
    barra->setContentsMargins(8, 4, 8, 4);
    barra->addWidget(cmdImprimir);
    barra->addWidget(cmdExportarParaPdf);
    // The report's own commands (the sheet's sends, approval, payment, consent form) go
    // in a row of their own under the navigation: on one row they pushed "Fechar" and
    // the zoom past the edge of a window of 4/5 of a 1366-pixel screen.
    auto* linhaDosComandos = new QHBoxLayout;
    linhaDosComandos->setContentsMargins(8, 0, 8, 4);
    for (const ComandoDaPrevia& comando : mrelatorio.ComandosDaPrevia()) {
        QString dica = comando.Dica;
        if (!comando.Atalho.isEmpty())
            dica += QStringLiteral(" (") + comando.Atalho.toString(QKeySequence::NativeText) + u')';
        QToolButton* botao = CriarBotao(comando.Nome, comando.Icone, comando.Texto, dica);
        botao->setShortcut(comando.Atalho);
        connect(botao, &QToolButton::clicked, this, [this, acao = comando.Acao] {
            acao(*this);
            HabilitarComandos();
        });
        mcomandos.append({botao, comando.Habilitado});
        linhaDosComandos->addWidget(botao);
    }
    linhaDosComandos->addStretch();
    barra->addSpacing(16);
    barra->addWidget(cmdPrimeiraPagina);
    barra->addWidget(cmdPaginaAnterior);
    auto* rotuloDaPagina = new QLabel(QStringLiteral("Página"), this);
    barra->addWidget(rotuloDaPagina);
    barra->addWidget(txtPagina);
    barra->addWidget(lblTotalDePaginas);
    barra->addWidget(cmdProximaPagina);
    barra->addWidget(cmdUltimaPagina);
    barra->addSpacing(16);
    barra->addWidget(cmbZoom);
    barra->addStretch();
    barra->addWidget(cmdFechar);

    picPagina = new Folha(this);
    mscrPagina = new QScrollArea(this);
    mscrPagina->setObjectName(QStringLiteral("scrPagina"));
    mscrPagina->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mscrPagina->setBackgroundRole(QPalette::Dark);
    mscrPagina->setFrameShape(QFrame::NoFrame);
    // The page sits on a grey ground a frame wider than itself, centred by the scroll area.
    auto* fundo = new QWidget;
    picPagina->setParent(fundo);
    picPagina->move(Moldura, Moldura);
    mscrPagina->setWidget(fundo);

    lblAvisoDaPrevia = new QLabel(this);
    lblAvisoDaPrevia->setObjectName(QStringLiteral("lblAvisoDaPrevia"));
    lblAvisoDaPrevia->setContentsMargins(12, 0, 12, 4);
    MostrarAviso(mrelatorio.AvisoDaPrevia());

    auto* tudo = new QVBoxLayout(this);
    tudo->setContentsMargins(0, 0, 0, 0);
    tudo->setSpacing(0);
    tudo->addLayout(barra);
    if (mcomandos.isEmpty())
        delete linhaDosComandos;
    else
        tudo->addLayout(linhaDosComandos);
    tudo->addWidget(lblAvisoDaPrevia);
    tudo->addWidget(mscrPagina, 1);

    connect(cmdImprimir, &QToolButton::clicked, this, &VisualizacaoDoRelatorio::Imprimir);
    connect(cmdExportarParaPdf, &QToolButton::clicked, this, &VisualizacaoDoRelatorio::ExportarParaPdf);
    connect(cmdPrimeiraPagina, &QToolButton::clicked, this, [this] { IrParaPagina(1); });
    connect(cmdPaginaAnterior, &QToolButton::clicked, this, [this] { IrParaPagina(PaginaAtual() - 1); });
    connect(cmdProximaPagina, &QToolButton::clicked, this, [this] { IrParaPagina(PaginaAtual() + 1); });
    connect(cmdUltimaPagina, &QToolButton::clicked, this, [this] { IrParaPagina(QuantidadeDePaginas()); });
    connect(txtPagina, &QSpinBox::valueChanged, this, &VisualizacaoDoRelatorio::IrParaPagina);
    connect(cmbZoom, &QComboBox::currentIndexChanged, this, &VisualizacaoDoRelatorio::AplicarZoom);
    connect(cmdFechar, &QToolButton::clicked, this, &QWidget::close);

    const auto atalho = [this](QKeySequence tecla, auto acao) {
        connect(new QShortcut(tecla, this), &QShortcut::activated, this, acao);
    };
    atalho(QKeySequence(Qt::Key_PageDown), [this] { IrParaPagina(PaginaAtual() + 1); });
    atalho(QKeySequence(Qt::Key_PageUp), [this] { IrParaPagina(PaginaAtual() - 1); });
    atalho(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { IrParaPagina(1); });
    atalho(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { IrParaPagina(QuantidadeDePaginas()); });
    atalho(QKeySequence(Qt::Key_Escape), [this] { close(); });
    atalho(QKeySequence::Print, [this] { Imprimir(); });
}

void VisualizacaoDoRelatorio::MostrarAviso(const QString& texto) {
    lblAvisoDaPrevia->setText(texto);
    lblAvisoDaPrevia->setVisible(!texto.isEmpty());
}

void VisualizacaoDoRelatorio::Reler() {
    // The reader first: a failure leaves the preview as it was.
    LeitorDePaginas leitor = mrelatorio.PrepararLeitura();
    const qint32 total = leitor.Paginacao().QuantidadeDePaginas();
    PaginaDoRelatorio pagina = leitor.Ler(std::clamp(PaginaAtual(), 1, total));
    mleitor = std::move(leitor);
    mpagina = std::move(pagina);
    mpintor.emplace(mrelatorio, mleitor.Caixas());
    {
        const QSignalBlocker bloqueio(txtPagina);
        txtPagina->setRange(1, total);
    }
    lblTotalDePaginas->setText(QStringLiteral("de %1").arg(total));
    AtualizarNavegacao();
    picPagina->update();
}

void VisualizacaoDoRelatorio::HabilitarComandos() {
    for (const auto& [botao, habilitado] : std::as_const(mcomandos))
        botao->setEnabled(!habilitado || habilitado());
}

void VisualizacaoDoRelatorio::IrParaPagina(int pagina) {
    pagina = std::clamp(pagina, 1, QuantidadeDePaginas());
    if (pagina != PaginaAtual()) {
        try {
            mpagina = mleitor.Ler(pagina);
        } catch (const VB::ErroDeExecucao& erro) {
            MostrarErro(erro, windowTitle());
        }
    }
    AtualizarNavegacao();
    picPagina->update();
    mscrPagina->verticalScrollBar()->setValue(0);
}

void VisualizacaoDoRelatorio::AtualizarNavegacao() {
    const QSignalBlocker bloqueio(txtPagina);
    txtPagina->setValue(PaginaAtual());
    cmdPrimeiraPagina->setEnabled(PaginaAtual() > 1);
    cmdPaginaAnterior->setEnabled(PaginaAtual() > 1);
    cmdProximaPagina->setEnabled(PaginaAtual() < QuantidadeDePaginas());
    cmdUltimaPagina->setEnabled(PaginaAtual() < QuantidadeDePaginas());
}

void VisualizacaoDoRelatorio::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    AplicarZoom();
}

void VisualizacaoDoRelatorio::AplicarZoom() {
    // At 100% the page has its real size: 15 twips to a pixel of a 96-dpi screen.
    const QSizeF papel = QSizeF(mrelatorio.TamanhoDoPapel()) / 15.0;
    const QSize espaco = mscrPagina->viewport()->size() - QSize(2 * Moldura, 2 * Moldura);
    double fator = cmbZoom->currentData().toDouble();
    if (fator == LarguraDaPagina)
        fator = espaco.width() / papel.width();
    else if (fator == PaginaInteira)
        fator = std::min(espaco.width() / papel.width(), espaco.height() / papel.height());
    fator = std::max(fator, 0.1);
    picPagina->setFixedSize((papel * fator).toSize());
    mscrPagina->widget()->resize(picPagina->size() + QSize(2 * Moldura, 2 * Moldura));
}

bool VisualizacaoDoRelatorio::ComProgresso(
    const QString& texto, qint32 de, qint32 ate,
    const std::function<bool(const std::function<bool(qint32)>&)>& trabalho) {
    QProgressDialog progresso(texto, QStringLiteral("Cancelar"), de - 1, ate, this);
    progresso.setWindowTitle(windowTitle());
    progresso.setWindowModality(Qt::WindowModal);
    progresso.setMinimumDuration(1000);
    try {
        return trabalho([&progresso](qint32 pagina) {
            progresso.setValue(pagina);
            return !progresso.wasCanceled();
        });
    } catch (const VB::ErroDeExecucao& erro) {
        progresso.cancel();
        MostrarErro(erro, windowTitle());
        return false;
    }
}

bool VisualizacaoDoRelatorio::Imprimir() {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageLayout(LayoutDaPagina(mrelatorio));
    impressora.setFullPage(true);
    impressora.setDocName(windowTitle());
    QPrintDialog dialogo(&impressora, this);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    dialogo.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                       QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialogo.setMinMax(1, QuantidadeDePaginas());
    Plataforma::ExibirModal(&dialogo);
    return dialogo.result() == QDialog::Accepted && ImprimirEm(impressora);
}

bool VisualizacaoDoRelatorio::ImprimirEm(QPrinter& impressora) {
    qint32 de = 1;
    qint32 ate = QuantidadeDePaginas();
    if (impressora.printRange() == QPrinter::CurrentPage) {
        de = ate = PaginaAtual();
    } else if (impressora.printRange() == QPrinter::PageRange && impressora.fromPage() > 0) {
        de = std::clamp(impressora.fromPage(), 1, ate);
        ate = std::clamp(impressora.toPage() > 0 ? impressora.toPage() : ate, de, ate);
    }
    QPainter p;
    if (!p.begin(&impressora)) {
        Plataforma::MsgBox(QStringLiteral("Não foi possível iniciar a impressão."), Plataforma::vbCritical,
                           windowTitle());
        return false;
    }
    const bool completo = ComProgresso(QStringLiteral("Imprimindo..."), de, ate, [&](const auto& avancar) {
        return GerarPaginas(p, impressora, mrelatorio, mleitor, de, ate, avancar);
    });
    if (!completo) impressora.abort();
    return completo;
}

bool VisualizacaoDoRelatorio::ExportarParaPdf() {
    QFileDialog dialogo(this, QStringLiteral("Exportar para PDF"), PastaDosPdfs(),
                        QStringLiteral("Documentos PDF (*.pdf)"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(QStringLiteral("pdf"));
    dialogo.selectFile(NomeProposto(mrelatorio));
    Plataforma::ExibirModal(&dialogo);
    if (dialogo.result() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return false;
    return GravarPdfComProgresso(dialogo.selectedFiles().constFirst());
}

bool VisualizacaoDoRelatorio::GravarPdfComProgresso(const QString& arquivo) {
    const bool existia = QFileInfo::exists(arquivo);
    bool falhou = false;
    const bool completo =
        ComProgresso(QStringLiteral("Gravando o PDF..."), 1, QuantidadeDePaginas(), [&](const auto& avancar) {
            falhou = true; // until the writer answers: an error it raises was already shown
            const bool gravado = GravarPdf(mrelatorio, mleitor, arquivo, 1, QuantidadeDePaginas(), avancar);
            falhou = false;
            return gravado;
        });
    if (!completo && !falhou)
        Plataforma::MsgBox(
            QStringLiteral("A gravação do PDF foi cancelada. ") +
                (existia ? QStringLiteral("O arquivo \"") + arquivo + QStringLiteral("\" não foi alterado.")
                         : QStringLiteral("Nenhum arquivo foi gravado.")),
            Plataforma::vbInformation, windowTitle());
    return completo;
}
