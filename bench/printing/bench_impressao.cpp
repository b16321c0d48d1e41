// The list's printing on a generated database, driven as a person drives it on the
// offscreen platform: the list docked by the component (AbrirLista), the print command
// clicked, and in the preview that opens the export to PDF (the save dialog answered at
// once) or only a look at the first page. The one-second waits of the waiting panel are
// not measured: the pause is shortened to nothing through the platform seam.
//
//   bench_impressao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]
//
// Cases:
//   ficha_100_itens     the sheet of the newest quote, given 100 items for the measurement
//                       inside a transaction that is undone at the end (the database is
//                       left as it was): the row command's click up to the list shown
//                       again, the PDF written in between;
//   lista_recentes_pdf  the list of "Recentes" (about 28,000 quotes at the default scale)
//                       written to PDF: the click up to the list shown again, and rows
//                       per second;
//   previa_todas        "Todas as situações" printed: the click up to the preview's first
//                       page painted. On an empty database the click only answers that
//                       there is nothing to print: its peak memory is the reference of
//                       the list's own;
//   lista_todas_pdf     "Todas as situações" written to PDF whole, once (a million rows
//                       take minutes): rows per second of the whole export, of its first
//                       tenth and of its last, from the pages the export's progress shows;
//   envio_whatsapp_100_itens  the sheet of the newest quote, given 100 items as above, sent
//                       by WhatsApp from its preview: the click on "Enviar por WhatsApp" up
//                       to a stand-in xdg-open (first on PATH) started, the PDF written in
//                       the documents folder of a home of its own in between.
// Every case prints the result line of bench/business/Medicao.h; the note holds the
// phases (preview opened, PDF written).

#include "bench/business/Medicao.h"
#include "bench/comum/Formularios.h"
#include "bench/list/Host.h"

#include "business/Banco.h"
#include "component/IFormularioDeLista.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <ctime>

namespace {

using Medicao::Falhar;

const char* const Uso =
    "Uso: bench_impressao (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] [--execucoes N]\n"
    "Casos: ficha_100_itens, lista_recentes_pdf, lista_todas_pdf, previa_todas, envio_whatsapp_100_itens";

double Ms(qint64 nanossegundos) {
    return nanossegundos / 1e6;
}

// The list docked in the host, its print commands clicked, the previews they open
// answered as the case asks.
class Impressao {
public:
    enum class NaPrevia { ExportarPdf, VerPrimeiraPagina };

    Impressao() {
        // A message (nothing to print) is answered at once.
        Plataforma::SubstituirMsgBox(
            [](const QString&, int, const QString&) { return int(Plataforma::vbOK); });
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) { Exibir(janela); });
        mhost.AbrirLista();
    }

    frmLista& Lista() { return mhost.Lista(); }
    int Total() { return mhost.Total(); }
    void EscolherSituacao(int indice) { mhost.EscolherSituacao(indice); }
    // The mouse over the grid's first row, which places the row commands over it.
    void ApontarPrimeiraLinha() {
        QTest::mouseMove(Lista().Grade(), QPoint(300, 5));
        QTest::mouseMove(Lista().Grade(), QPoint(300, Twips::ParaPixels(700 + 285)));
    }

    // One click of a print command, timed up to its return (the list shown again); the
    // phases are kept in the fields below.
    double Clicar(const char* comando, NaPrevia naPrevia) {
        mnaPrevia = naPrevia;
        mdouPreviaAberta = mdouDialogoRespondido = mdouPdfGravado = mdouPrimeiraPagina = -1;
        const std::clock_t cpu = std::clock();
        mrelogio.start();
        QTest::mouseClick(&mhost.Controle<XRCommandButton>(comando), Qt::LeftButton);
        QCoreApplication::processEvents();
        const double total = Ms(mrelogio.nsecsElapsed());
        mdouCpu = (std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC;
        return total;
    }

    // Milliseconds from the click: the preview shown (its first page read), the save
    // dialog answered, the PDF written, the first page painted.
    double mdouPreviaAberta = -1, mdouDialogoRespondido = -1, mdouPdfGravado = -1, mdouPrimeiraPagina = -1;
    // The processor time the process spent on the whole click: on a machine shared with
    // other work the clock time can be several times longer.
    double mdouCpu = 0;
    qint64 mlonBytesDoPdf = 0;
    // When set, what is done in every preview instead of the case's export or look.
    std::function<void(VisualizacaoDoRelatorio*)> NaPreviaDaFicha;

private:
    void Exibir(QWidget* janela) {
        if (auto* dialogo = qobject_cast<QFileDialog*>(janela)) {
            dialogo->selectFile(mpasta.filePath(QStringLiteral("relatorio.pdf")));
            QMetaObject::invokeMethod(dialogo, "accept");
            mdouDialogoRespondido = Ms(mrelogio.nsecsElapsed());
            return;
        }
        auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela);
        if (!previa) Falhar(QStringLiteral("Janela inesperada: ") + janela->objectName());
        mdouPreviaAberta = Ms(mrelogio.nsecsElapsed());
        if (NaPreviaDaFicha) {
            NaPreviaDaFicha(previa);
        } else if (mnaPrevia == NaPrevia::ExportarPdf) {
            QFile::remove(mpasta.filePath(QStringLiteral("relatorio.pdf")));
            QTest::mouseClick(previa->findChild<QToolButton*>(QStringLiteral("cmdExportarParaPdf")),
                              Qt::LeftButton);
            mdouPdfGravado = Ms(mrelogio.nsecsElapsed());
            mlonBytesDoPdf = QFileInfo(mpasta.filePath(QStringLiteral("relatorio.pdf"))).size();
            if (mlonBytesDoPdf == 0) Falhar(QStringLiteral("O PDF não foi gravado."));
        } else {
            // Shown as the modal display shows it, until the page has been painted once (the
            // pass of the event loop that paints it has ended).
            QWidget* pagina = previa->findChild<QWidget*>(QStringLiteral("picPagina"));
            FiltroDePintura filtro;
            pagina->installEventFilter(&filtro);
            previa->show();
            QElapsedTimer limite;
            limite.start();
            while (!filtro.Pintada && limite.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            pagina->removeEventFilter(&filtro);
            const bool pintada = filtro.Pintada;
            if (!pintada) Falhar(QStringLiteral("A primeira página da prévia não foi pintada."));
            mdouPrimeiraPagina = Ms(mrelogio.nsecsElapsed());
        }
        previa->close();
    }

    // Notes that the page received a paint event.
    struct FiltroDePintura : QObject {
        bool Pintada = false;
        bool eventFilter(QObject*, QEvent* evento) override {
            if (evento->type() == QEvent::Paint) Pintada = true;
            return false;
        }
    };

    Host mhost;
    QTemporaryDir mpasta;
    NaPrevia mnaPrevia = NaPrevia::ExportarPdf;
    QElapsedTimer mrelogio;
};

// The times of the timed runs, whole and by phase; their medians go into the note.
struct Fases {
    std::vector<double> Total, Cpu, PreviaAberta, Dialogo, PdfGravado, PrimeiraPagina;
    void Anotar(const Impressao& h, double total) {
        Total.push_back(total);
        Cpu.push_back(h.mdouCpu);
        if (h.mdouPreviaAberta >= 0) PreviaAberta.push_back(h.mdouPreviaAberta);
        if (h.mdouPdfGravado >= 0) {
            Dialogo.push_back(h.mdouDialogoRespondido - h.mdouPreviaAberta);
            PdfGravado.push_back(h.mdouPdfGravado - h.mdouDialogoRespondido);
        }
        if (h.mdouPrimeiraPagina >= 0) PrimeiraPagina.push_back(h.mdouPrimeiraPagina);
    }
    // The phases' medians, then the case's own remarks.
    QString Nota(const QStringList& mais) const {
        QStringList partes;
        const auto parte = [&](const std::vector<double>& v, const char* nome) {
            if (!v.empty())
                partes << QStringLiteral("%1 %2 ms")
                              .arg(QString::fromUtf8(nome))
                              .arg(Medicao::Mediana(v), 0, 'f', 1);
        };
        parte(PreviaAberta, "prévia aberta em");
        parte(Dialogo, "diálogo de gravação aberto e respondido em");
        parte(PdfGravado, "PDF gravado em");
        parte(PrimeiraPagina, "primeira página pintada em");
        parte(Cpu, "tempo de processador do clique inteiro");
        return (partes + mais).join(QStringLiteral("; "));
    }
};

// A warm-up run, then the timed ones.
Fases Repetir(int execucoes, const Impressao& h, const std::function<double()>& clique) {
    Fases fases;
    clique();
    for (int i = 0; i < execucoes; ++i)
        fases.Anotar(h, clique());
    return fases;
}

// The newest quote (the first row of "Recentes") given 100 items copied from other
// quotes, inside the open transaction.
qint64 OrcamentoDeCemItens() {
    const qint64 numero =
        Banco::Valor(QStringLiteral("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos")).toLongLong();
    const QString colunas = QStringLiteral(
        "TipoDeLancamento, NumeroDoTipoDeServico, CodigoDoServico, CodigoInternoDoProduto, "
        "CodigoDeBarrasDoProduto, NomeDoServicoOuProduto, CodigoDoAnimal, Quantidade, ValorUnitario, "
        "DescontoEmPercentual, DescontoEmValor, ValorTotal, Custo, TipoDeVenda, Situacao, "
        "DataEHoraDaInclusao, "
        "UsuarioDaInclusao");
    Banco::Executar(QStringLiteral("DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"), {numero});
    QSqlQuery origem =
        Banco::Executar(QStringLiteral("SELECT ") + colunas +
                            QStringLiteral(" FROM ItensDeOrcamento WHERE NumeroDoOrcamento < ? "
                                           "ORDER BY NumeroDoOrcamento DESC, NumeroDoItemDoOrcamento "
                                           "LIMIT 100"),
                        {numero});
    QList<QVariantList> itens;
    while (origem.next()) {
        QVariantList valores{numero, qint64(itens.size() + 1)};
        for (int c = 0; c < 17; ++c)
            valores << origem.value(c);
        itens << valores;
    }
    for (const QVariantList& valores : itens)
        Banco::Executar(
            QStringLiteral("INSERT INTO ItensDeOrcamento (NumeroDoOrcamento, NumeroDoItemDoOrcamento, ") +
                colunas + QStringLiteral(") VALUES (?, ?") + QStringLiteral(", ?").repeated(17) + u')',
            valores);
    if (itens.size() != 100) Falhar(QStringLiteral("Não há 100 itens para copiar."));
    return numero;
}

Medicao::Resultado Ficha(const Medicao::Opcoes& o) {
    Banco::UnidadeDeTrabalho desfeitaAoFim;
    const qint64 numero = OrcamentoDeCemItens();
    Impressao h;
    if (h.Lista().Grade()->TextMatrix(1, IFormularioDeLista::ColunaNumeroDoOrcamento) !=
        QString::number(numero))
        Falhar(QStringLiteral("O orçamento de 100 itens não é a primeira linha da lista."));
    Medicao::Resultado r{QStringLiteral("impressao"), QStringLiteral("ficha_100_itens")};
    const Fases fases = Repetir(o.Execucoes, h, [&] {
        h.ApontarPrimeiraLinha();
        return h.Clicar("xrcmdImprimirFicha", Impressao::NaPrevia::ExportarPdf);
    });
    r.Tempos = fases.Total;
    r.Linhas = 100;
    r.Nota = fases.Nota({QStringLiteral("PDF de %1 KB").arg(h.mlonBytesDoPdf / 1024)});
    return r;
}

// A home of its own with a stand-in xdg-open first on PATH, which writes the time it
// started (nanoseconds of the real-time clock) to a file and ends.
struct DesktopSubstituto {
    QTemporaryDir casa;
    QString Inicio = casa.filePath(QStringLiteral("inicio"));
    DesktopSubstituto() {
        QDir(casa.path()).mkpath(QStringLiteral("bin"));
        QFile script(casa.filePath(QStringLiteral("bin/xdg-open")));
        if (!script.open(QIODevice::WriteOnly))
            Falhar(QStringLiteral("Não foi possível criar o xdg-open substituto."));
        script.write("#!/bin/sh\n[ -s \"$ZELT_BENCH_INICIO\" ] || date +%s%N > \"$ZELT_BENCH_INICIO\"\n");
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        qputenv("PATH", casa.filePath(QStringLiteral("bin")).toUtf8() + ':' + qgetenv("PATH"));
        qputenv("HOME", casa.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", casa.filePath(QStringLiteral(".config")).toUtf8());
        qputenv("ZELT_BENCH_INICIO", Inicio.toUtf8());
    }
    // Milliseconds from desde (real-time clock, nanoseconds) to the stand-in's start.
    double MsAteOInicio(qint64 desde) {
        QFile inicio(Inicio);
        if (!inicio.open(QIODevice::ReadOnly))
            Falhar(QStringLiteral("O xdg-open substituto não foi iniciado."));
        const double ms = Ms(inicio.readAll().trimmed().toLongLong() - desde);
        inicio.remove();
        return ms;
    }
};

qint64 NanossegundosDoRelogio() {
    timespec agora{};
    clock_gettime(CLOCK_REALTIME, &agora);
    return qint64(agora.tv_sec) * 1000000000 + agora.tv_nsec;
}

Medicao::Resultado EnvioPorWhatsApp(const Medicao::Opcoes& o) {
    DesktopSubstituto desktop;
    Banco::UnidadeDeTrabalho desfeitaAoFim;
    const qint64 numero = OrcamentoDeCemItens();
    Banco::Executar(QStringLiteral("UPDATE Clientes SET Celular = '(19) 99876-5432' WHERE CodigoDoCliente = "
                                   "(SELECT CodigoDoCliente FROM Orcamentos WHERE NumeroDoOrcamento = ?)"),
                    {numero});
    Impressao h;
    std::vector<double> ateOSubstituto;
    h.NaPreviaDaFicha = [&](VisualizacaoDoRelatorio* previa) {
        auto* comando = previa->findChild<QToolButton*>(QStringLiteral("cmdEnviarPorWhatsApp"));
        if (!comando) Falhar(QStringLiteral("A prévia da ficha não tem o comando Enviar por WhatsApp."));
        const qint64 clique = NanossegundosDoRelogio();
        QTest::mouseClick(comando, Qt::LeftButton);
        ateOSubstituto.push_back(desktop.MsAteOInicio(clique));
    };
    Medicao::Resultado r{QStringLiteral("impressao"), QStringLiteral("envio_whatsapp_100_itens")};
    const Fases fases = Repetir(o.Execucoes, h, [&] {
        h.ApontarPrimeiraLinha();
        return h.Clicar("xrcmdImprimirFicha", Impressao::NaPrevia::ExportarPdf);
    });
    ateOSubstituto.erase(ateOSubstituto.begin()); // the warm-up run
    r.Tempos = ateOSubstituto;
    r.Linhas = 100;
    r.Nota = QStringLiteral("do clique em Enviar por WhatsApp ao xdg-open substituto iniciado; impressão "
                            "inteira (clique em imprimir até a lista de volta) %1 ms")
                 .arg(Medicao::Mediana(fases.Total), 0, 'f', 1);
    return r;
}

Medicao::Resultado ListaRecentes(const Medicao::Opcoes& o) {
    Impressao h;
    Medicao::Resultado r{QStringLiteral("impressao"), QStringLiteral("lista_recentes_pdf")};
    const Fases fases = Repetir(
        o.Execucoes, h, [&] { return h.Clicar("xrcmdImprimirLista", Impressao::NaPrevia::ExportarPdf); });
    r.Tempos = fases.Total;
    r.Linhas = h.Total();
    const double porSegundo = r.Linhas / (Medicao::Mediana(fases.Total) / 1000.0);
    const double porSegundoDeProcessador = r.Linhas / (Medicao::Mediana(fases.Cpu) / 1000.0);
    r.Nota = fases.Nota({QStringLiteral("%1 linhas por segundo (%2 por segundo de processador)")
                             .arg(porSegundo, 0, 'f', 0)
                             .arg(porSegundoDeProcessador, 0, 'f', 0),
                         QStringLiteral("PDF de %1 KB").arg(h.mlonBytesDoPdf / 1024)});
    return r;
}

// When the export's progress (pages written, 0 to the last) passed each tenth: sampled
// every 20 ms while the PDF is written (a modal progress dialog runs the event loop).
class Decimos {
public:
    Decimos() {
        QObject::connect(&mamostrador, &QTimer::timeout, [this] { Amostrar(); });
        mamostrador.start(20);
        mrelogio.start();
    }
    // Rows per second between two of the samples: [de, ate) in tenths of the pages.
    double Taxa(int de, int ate, qint64 linhas) const {
        const auto amostra = [&](int decimo) {
            for (const auto& [ms, pagina] : mamostras)
                if (pagina * 10 >= decimo * mlonPaginas) return std::pair{ms, pagina};
            return mamostras.back();
        };
        const auto [ms0, p0] = amostra(de);
        const auto [ms1, p1] = amostra(ate);
        if (p1 <= p0 || ms1 <= ms0) return 0;
        return (p1 - p0) * (double(linhas) / mlonPaginas) / ((ms1 - ms0) / 1000.0);
    }
    bool Amostrado() const { return mamostras.size() >= 3; }

private:
    void Amostrar() {
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* progresso = qobject_cast<QProgressDialog*>(janela);
                progresso && progresso->maximum() > 0) {
                mlonPaginas = progresso->maximum();
                if (mamostras.empty() || mamostras.back().second != progresso->value())
                    mamostras.push_back({mrelogio.elapsed(), progresso->value()});
            }
    }
    QTimer mamostrador;
    QElapsedTimer mrelogio;
    std::vector<std::pair<qint64, qint64>> mamostras;
    qint64 mlonPaginas = 1;
};

Medicao::Resultado ListaTodas(const Medicao::Opcoes&) {
    Impressao h;
    h.EscolherSituacao(0);
    Medicao::Resultado r{QStringLiteral("impressao"), QStringLiteral("lista_todas_pdf")};
    Decimos decimos;
    Fases fases;
    fases.Anotar(h, h.Clicar("xrcmdImprimirLista", Impressao::NaPrevia::ExportarPdf));
    r.Tempos = fases.Total;
    r.Linhas = h.Total();
    if (r.Linhas == 0) return r; // nothing to print: the click's answer alone
    if (!decimos.Amostrado()) Falhar(QStringLiteral("O progresso da gravação do PDF não foi visto."));
    const double primeiro = decimos.Taxa(0, 1, r.Linhas), ultimo = decimos.Taxa(9, 10, r.Linhas);
    r.Nota = fases.Nota({QStringLiteral("%1 linhas por segundo (%2 por segundo de processador)")
                             .arg(r.Linhas / (fases.Total.front() / 1000.0), 0, 'f', 0)
                             .arg(r.Linhas / (fases.Cpu.front() / 1000.0), 0, 'f', 0),
                         QStringLiteral("primeiro décimo %1 linhas/s, último %2 linhas/s (%3 %)")
                             .arg(primeiro, 0, 'f', 0)
                             .arg(ultimo, 0, 'f', 0)
                             .arg(100 * ultimo / primeiro, 0, 'f', 0),
                         QStringLiteral("PDF de %1 MB").arg(h.mlonBytesDoPdf / 1048576)});
    if (ultimo < 0.9 * primeiro) r.Nota += QStringLiteral(" (meta de 90 % NÃO ATINGIDA)");
    return r;
}

Medicao::Resultado PreviaTodas(const Medicao::Opcoes& o) {
    Impressao h;
    h.EscolherSituacao(0);
    Medicao::Resultado r{QStringLiteral("impressao"), QStringLiteral("previa_todas")};
    const Fases fases = Repetir(o.Execucoes, h, [&] {
        return h.Clicar("xrcmdImprimirLista", Impressao::NaPrevia::VerPrimeiraPagina);
    });
    // Up to the first page painted; with nothing to print, the click itself.
    r.Tempos = fases.PrimeiraPagina.empty() ? fases.Total : fases.PrimeiraPagina;
    r.Linhas = h.Total();
    r.Nota =
        fases.Nota({QStringLiteral("clique inteiro %1 ms").arg(Medicao::Mediana(fases.Total), 0, 'f', 1)});
    return r;
}

} // namespace

int main(int argc, char** argv) {
    Formularios::Aplicacao aplicacao(argc, argv);
    return Formularios::Executar({.Uso = Uso,
                                  .Casos = {{QStringLiteral("ficha_100_itens"), Ficha},
                                            {QStringLiteral("lista_recentes_pdf"), ListaRecentes},
                                            {QStringLiteral("lista_todas_pdf"), ListaTodas},
                                            {QStringLiteral("previa_todas"), PreviaTodas},
                                            {QStringLiteral("envio_whatsapp_100_itens"), EnvioPorWhatsApp}}});
}
