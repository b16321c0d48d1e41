// The quote reports measured without a database: the sheet of a 100-item quote written to
// PDF; a list of 28,000 quotes written to PDF (rows per second); and the preview of a list
// of 1,000,000 quotes up to its first page painted, with the peak memory it adds to the
// same preview of an empty list. The lists come from a recordset that makes each row
// when it is read, as a lazy selection reads a page when it is visited.
// Usage: bench_relatorios [runs] [previa|ficha|lista]  (every case when none is named; runs
// the offscreen platform unless told otherwise).

#include "list/drFicha.h"
#include "list/drLista.h"
#include "platform/Plataforma.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QStringList CamposDaLista{QStringLiteral("NumeroDoOrcamento"),
                                QStringLiteral("DataDoOrcamento"),
                                QStringLiteral("CodigoDoCliente"),
                                QStringLiteral("ApelidoOuNomeFantasiaDoCliente"),
                                QStringLiteral("NomeOuRazaoSocialDoCliente"),
                                QStringLiteral("ValorTotal"),
                                QStringLiteral("DescontoEmValor"),
                                QStringLiteral("ValorLiquido"),
                                QStringLiteral("NomeDaSituacao"),
                                QStringLiteral("DataEHoraDaInclusao"),
                                QStringLiteral("UsuarioDaInclusao"),
                                QStringLiteral("DataEHoraDaAlteracao"),
                                QStringLiteral("UsuarioDaAlteracao")};

// A list of quotes as long as asked, each row made from its position when read.
class ListaSintetica : public Recordset {
public:
    explicit ListaSintetica(qint32 total) : mlonTotal(total) {}
    qint32 RecordCount() const override { return mlonTotal; }
    qint32 FieldsCount() const override { return static_cast<qint32>(CamposDaLista.size()); }
    QString FieldName(qint32 indice) const override { return CamposDaLista.at(indice); }
    Field Fields(const QString& nome) const override {
        if (Eof()) throw VB::ErroDeExecucao(3021);
        const qint32 i = mlonPosicao;
        // Made in UTC: local times would measure the C library's time-zone lookups, not the report.
        const QDateTime inclusao = QDateTime(QDate(2020, 1, 1), QTime(8, 0), Qt::UTC).addSecs(137LL * i);
        switch (CamposDaLista.indexOf(nome)) {
        case 0:
            return {nome, double(i + 1)};
        case 1:
            return {nome, inclusao.date()};
        case 2:
            return {nome, double(1 + i % 100000)};
        case 3:
            return {nome, QStringLiteral("Cliente %1").arg(1 + i % 100000)};
        case 4:
            return {nome, QStringLiteral("Razão Social do Cliente Número %1 Ltda.").arg(1 + i % 100000)};
        case 5:
            return {nome, QVariant::fromValue(VB::Currency::DeInteiro(100 + i % 5000))};
        case 6:
            return {nome, QVariant::fromValue(VB::Currency::DeInteiro(i % 50))};
        case 7:
            return {nome, QVariant::fromValue(VB::Currency::DeInteiro(100 + i % 5000 - i % 50))};
        case 8:
            return {nome, i % 10 ? QStringLiteral("Ativo") : QStringLiteral("Inativo")};
        case 9:
            return {nome, inclusao};
        case 10:
            return {nome, QStringLiteral("ANA")};
        case 11:
            return {nome, i % 3 ? QVariant(inclusao.addDays(2)) : VB::Null()};
        case 12:
            return {nome, i % 3 ? QStringLiteral("JOÃO") : QString()};
        }
        throw VB::ErroDeExecucao(3265);
    }
    void MoveFirst() override { mlonPosicao = 0; }
    void MoveNext() override { ++mlonPosicao; }
    bool Eof() const override { return mlonPosicao >= mlonTotal; }
    qint32 AbsolutePosition0() const override { return mlonPosicao; }
    void MoverPara(qint32 posicao0) override { mlonPosicao = std::clamp(posicao0, 0, mlonTotal); }

private:
    qint32 mlonTotal;
    qint32 mlonPosicao = 0;
};

void PreencherCabecalho(DataReport& relatorio, const QString& titulo, const QString& subtitulo) {
    Section* cabecalho = relatorio.Sections(QStringLiteral("CabecalhoDaPagina"));
    cabecalho->Controls(QStringLiteral("lblNomeFantasiaDaEmpresa"))
        ->setCaption(QStringLiteral("Clínica Veterinária São Francisco"));
    cabecalho->Controls(QStringLiteral("lblTitulo"))->setCaption(titulo);
    cabecalho->Controls(QStringLiteral("lblSubtitulo"))->setCaption(subtitulo);
    relatorio.Sections(QStringLiteral("RodapeDaPagina"))
        ->Controls(QStringLiteral("lblTituloDoAplicativo"))
        ->setCaption(QStringLiteral("ZELT Veterinária"));
}

RecordsetPtr ItensDaFicha(int quantidade) {
    auto rs = std::make_shared<RecordsetEmMemoria>(QStringList{
        QStringLiteral("NumeroDoOrcamento"), QStringLiteral("NomeDoServicoOuNomeDoProduto"),
        QStringLiteral("NomeDoAnimal"), QStringLiteral("Quantidade"), QStringLiteral("ValorUnitario"),
        QStringLiteral("DescontoEmValor"), QStringLiteral("ValorLiquido")});
    for (int i = 1; i <= quantidade; ++i)
        rs->AdicionarLinha({123.0, QStringLiteral("Serviço ou produto número %1 da ficha").arg(i),
                            QStringLiteral("Rex"), QVariant::fromValue(VB::Currency::DeInteiro(i % 3 + 1)),
                            QVariant::fromValue(VB::Currency::DeInteiro(45)),
                            QVariant::fromValue(VB::Currency::DeInteiro(0)),
                            QVariant::fromValue(VB::Currency::DeInteiro(45 * (i % 3 + 1)))});
    return rs;
}

double Milissegundos(const QElapsedTimer& relogio) {
    return relogio.nsecsElapsed() / 1e6;
}

double Mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    return valores[valores.size() / 2];
}

// VmHWM or VmRSS of this process, in MB.
double MemoriaEmMB(const char* campo) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& linha : status.readAll().split('\n'))
        if (linha.startsWith(campo))
            return linha.mid(qstrlen(campo) + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
}

// Starts the peak (VmHWM) afresh from the current resident size.
bool ReiniciarPico() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

// Show of a list of that many quotes, until its first page is painted; milliseconds.
double PreviaAtePrimeiraPagina(qint32 quantidade) {
    drLista lista;
    PreencherCabecalho(lista, QStringLiteral("Orçamentos"), QStringLiteral("Lista completa"));
    lista.setDataSource(std::make_shared<ListaSintetica>(quantidade));
    lista.setWindowState(DataReport::vbMaximized);
    double tempo = 0;
    QElapsedTimer relogio;
    Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
        QCoreApplication::processEvents();
        janela->repaint();
        tempo = Milissegundos(relogio);
        janela->close();
    });
    relogio.start();
    lista.Show();
    Plataforma::SubstituirExibicaoModal({});
    return tempo;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int execucoes = argc > 1 ? std::max(3, atoi(argv[1])) : 9;
    const QString caso = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QTemporaryDir pasta;
    std::printf("bench_relatorios: %d runs per case\n", execucoes);

    // ---- The preview first, on a process that has not yet written any PDF.
    if (caso.isEmpty() || caso == u"previa") {
        PreviaAtePrimeiraPagina(0); // fonts and platform warmed up
        PreviaAtePrimeiraPagina(0);
        const double vazia = MemoriaEmMB("VmHWM:");
        const bool picoReiniciado = ReiniciarPico();
        std::vector<double> previas;
        for (int i = 0; i < execucoes; ++i)
            previas.push_back(PreviaAtePrimeiraPagina(1000000));
        const double milhao = MemoriaEmMB("VmHWM:");
        std::printf(
            "  preview of 1,000,000 quotes to its first page painted: median %.1f ms  min %.1f  max %.1f"
            "  (goal <= 1000 ms)\n",
            Mediana(previas), *std::min_element(previas.begin(), previas.end()),
            *std::max_element(previas.begin(), previas.end()));
        std::printf("  peak RSS: %.1f MB with an empty list's preview, %.1f MB with the million's: +%.1f MB"
                    "  (goal <= +100 MB)%s\n",
                    vazia, milhao, milhao - vazia, picoReiniciado ? "" : "  [peak could not be reset]");
    }

    // ---- The sheet of a 100-item quote.
    if (caso.isEmpty() || caso == u"ficha") {
        std::vector<double> fichas;
        const QString arquivoDaFicha = pasta.filePath(QStringLiteral("ficha.pdf"));
        for (int i = 0; i < execucoes; ++i) {
            QElapsedTimer relogio;
            relogio.start();
            drFicha ficha;
            PreencherCabecalho(ficha, QStringLiteral("Orçamento"), QStringLiteral("Orçamento no.: 123"));
            ficha.setDataSource(ItensDaFicha(100));
            ficha.ExportarParaPdf(arquivoDaFicha);
            fichas.push_back(Milissegundos(relogio));
        }
        std::printf(
            "  sheet of a 100-item quote to PDF: median %.1f ms  min %.1f  max %.1f  (%lld bytes; goal "
            "<= 200 ms)\n",
            Mediana(fichas), *std::min_element(fichas.begin(), fichas.end()),
            *std::max_element(fichas.begin(), fichas.end()),
            static_cast<long long>(QFileInfo(arquivoDaFicha).size()));
    }

    // ---- A list of 28,000 quotes.
    if (caso.isEmpty() || caso == u"lista") {
        constexpr qint32 Quantidade = 28000;
        std::vector<double> listas;
        const QString arquivoDaLista = pasta.filePath(QStringLiteral("lista.pdf"));
        qint32 paginas = 0;
        for (int i = 0; i < std::max(3, execucoes / 3); ++i) {
            QElapsedTimer relogio;
            relogio.start();
            drLista lista;
            PreencherCabecalho(lista, QStringLiteral("Orçamentos"), QStringLiteral("Lista completa"));
            lista.setDataSource(std::make_shared<ListaSintetica>(Quantidade));
            paginas = lista.PrepararLeitura().Paginacao().QuantidadeDePaginas();
            lista.ExportarParaPdf(arquivoDaLista);
            listas.push_back(Milissegundos(relogio));
        }
        // The data side alone: every page's rows read and turned into text, nothing painted.
        std::vector<double> leituras;
        for (int i = 0; i < std::max(3, execucoes / 3); ++i) {
            QElapsedTimer relogio;
            relogio.start();
            drLista lista;
            lista.setDataSource(std::make_shared<ListaSintetica>(Quantidade));
            const LeitorDePaginas leitor = lista.PrepararLeitura();
            for (qint32 pagina = 1; pagina <= leitor.Paginacao().QuantidadeDePaginas(); ++pagina)
                leitor.Ler(pagina);
            leituras.push_back(Milissegundos(relogio));
        }
        const double mediana = Mediana(listas);
        std::printf(
            "  list of %d quotes to PDF (%d pages): median %.0f ms = %.0f rows/s  min %.0f ms  max %.0f ms"
            "  (%lld bytes; goal >= 2000 rows/s)\n",
            Quantidade, paginas, mediana, Quantidade / (mediana / 1000),
            *std::min_element(listas.begin(), listas.end()), *std::max_element(listas.begin(), listas.end()),
            static_cast<long long>(QFileInfo(arquivoDaLista).size()));
        std::printf("    of which reading the rows into page texts: median %.0f ms\n", Mediana(leituras));
    }
    return 0;
}
