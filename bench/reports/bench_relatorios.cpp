// The quote reports measured without a database: the sheet of a 100-item quote written to
// PDF; a list of 28,000 quotes written to PDF (rows per second); and the preview of a list
// of 1,000,000 quotes up to its first page painted, with the peak memory it adds to the
// same preview of an empty list. The lists come from a recordset that makes each row
// when it is read, as a lazy selection reads a page when it is visited. Each case prints
// the result line of bench/business/Medicao.h (no database: "-").
//
//   bench_relatorios [--caso NOME] [--execucoes N]
//
// Cases: previa, ficha, ficha_pix (the same sheet with the deposit block: its QR code and
// "copia e cola"), pix (the PIX payload and its QR code image alone), termo (the consent
// form's two copies with the longest consent text the settings take), lista (all of them, in that order, when
// --caso is not given: the preview first, on a process that has not yet written any PDF). The list to PDF
// runs a third as many times (at least 3). Runs the offscreen platform unless told otherwise.

#include "bench/business/Medicao.h"

#include "andamento/drTermoDeConsentimento.h"
#include "contracts/Pix.h"
#include "list/RodapeDaFicha.h"
#include "list/drFicha.h"
#include "list/drLista.h"
#include "platform/Plataforma.h"
#include "platform/QrCode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

const char* const Uso = "Uso: bench_relatorios [--caso NOME] [--execucoes N]\n"
                        "Casos: previa, ficha, ficha_pix, pix, termo, lista";

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
    auto rs = std::make_shared<RecordsetEmMemoria>(
        QStringList{QStringLiteral("NumeroDoOrcamento"), QStringLiteral("NomeDoServicoOuNomeDoProduto"),
                    QStringLiteral("NomeDoAnimal"), QStringLiteral("Quantidade"),
                    QStringLiteral("ValorUnitario"), QStringLiteral("DescontoEmValor"),
                    QStringLiteral("ValorLiquido"), QStringLiteral("TipoDeLancamento")});
    for (int i = 1; i <= quantidade; ++i)
        rs->AdicionarLinha({123.0, QStringLiteral("Serviço ou produto número %1 da ficha").arg(i),
                            QStringLiteral("Rex"), QVariant::fromValue(VB::Currency::DeInteiro(i % 3 + 1)),
                            QVariant::fromValue(VB::Currency::DeInteiro(45)),
                            QVariant::fromValue(VB::Currency::DeInteiro(0)),
                            QVariant::fromValue(VB::Currency::DeInteiro(45 * (i % 3 + 1))), 1 + i % 2});
    return rs;
}

double Milissegundos(const QElapsedTimer& relogio) {
    return relogio.nsecsElapsed() / 1e6;
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

// The preview of a million quotes, after two of an empty list (fonts and platform warmed
// up); the peak memory it adds to theirs goes in the note.
Medicao::Resultado Previa(const Medicao::Opcoes& o) {
    PreviaAtePrimeiraPagina(0);
    PreviaAtePrimeiraPagina(0);
    const double vazia = Medicao::PicoDeMemoriaMb();
    const bool picoReiniciado = ReiniciarPico();
    Medicao::Resultado r{QStringLiteral("relatorios"), QStringLiteral("previa")};
    for (int i = 0; i < o.Execucoes; ++i)
        r.Tempos.push_back(PreviaAtePrimeiraPagina(1000000));
    const double acrescimo = Medicao::PicoDeMemoriaMb() - vazia;
    r.Linhas = 1000000;
    r.Nota = QStringLiteral("pico de memória %1 MB com a prévia de uma lista vazia, +%2 MB com a do milhão; "
                            "meta +100 MB %3%4")
                 .arg(vazia, 0, 'f', 1)
                 .arg(acrescimo, 0, 'f', 1)
                 .arg(acrescimo <= 100 ? u"atingida" : u"NÃO ATINGIDA")
                 .arg(picoReiniciado ? u"" : u" (o pico não pôde ser reiniciado)");
    return r;
}

// The sheet of a 100-item quote.
Medicao::Resultado Ficha(const Medicao::Opcoes& o) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("ficha.pdf"));
    Medicao::Resultado r{QStringLiteral("relatorios"), QStringLiteral("ficha")};
    for (int i = 0; i < o.Execucoes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        drFicha ficha;
        PreencherCabecalho(ficha, QStringLiteral("Orçamento"), QStringLiteral("Orçamento no.: 123"));
        ficha.setDataSource(ItensDaFicha(100));
        ficha.ExportarParaPdf(arquivo);
        r.Tempos.push_back(Milissegundos(relogio));
    }
    r.Linhas = 100;
    r.Nota = QStringLiteral("PDF de %1 bytes").arg(QFileInfo(arquivo).size());
    return r;
}

Pix::Cobranca CobrancaDeExemplo(int i) {
    return {QStringLiteral("123e4567-e12b-12d1-a456-426655440000"),
            QStringLiteral("Clínica Veterinária São Francisco"), QStringLiteral("São José dos Campos"),
            VB::Currency::DeInteiro(100 + i), Pix::IdentificadorDoOrcamento(123 + i)};
}

// The sheet of a 100-item quote approved with a deposit: the report footer with its QR
// code and "copia e cola" (goal as the sheet's, 200 ms).
Medicao::Resultado FichaComPix(const Medicao::Opcoes& o) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("ficha.pdf"));
    Medicao::Resultado r{QStringLiteral("relatorios"), QStringLiteral("ficha_pix")};
    for (int i = 0; i < o.Execucoes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        drFicha ficha;
        PreencherCabecalho(ficha, QStringLiteral("Orçamento"), QStringLiteral("Orçamento no.: 123"));
        ficha.setDataSource(ItensDaFicha(100));
        RodapeDaFicha::Dados d;
        d.DataDeValidade = QStringLiteral("15/12/2026");
        d.CondicoesDePagamento = QStringLiteral("À vista no Pix ou em até 6x no cartão");
        d.Empresa = QStringLiteral("Clínica Veterinária São Francisco Ltda. - CNPJ 11.444.777/0001-61");
        d.LinhaDoSinal = QStringLiteral("Sinal para confirmar: R$ 3.375,00 (50 % do valor aprovado)");
        d.CopiaECola = Pix::CopiaECola(CobrancaDeExemplo(i));
        RodapeDaFicha::Preencher(ficha, d);
        ficha.ExportarParaPdf(arquivo);
        r.Tempos.push_back(Milissegundos(relogio));
    }
    r.Linhas = 100;
    r.Nota = QStringLiteral("PDF de %1 bytes").arg(QFileInfo(arquivo).size());
    return r;
}

// The payload of a deposit and its QR code image, as the sheet draws it (eight pixels a
// module); goal 2 ms.
Medicao::Resultado PixEQrCode(const Medicao::Opcoes& o) {
    Medicao::Resultado r{QStringLiteral("relatorios"), QStringLiteral("pix")};
    qint64 bytes = 0;
    int lado = 0;
    for (int i = 0; i < o.Execucoes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        const QImage imagem = QrCode::Imagem(Pix::CopiaECola(CobrancaDeExemplo(i)), 8);
        r.Tempos.push_back(Milissegundos(relogio));
        bytes = imagem.sizeInBytes();
        lado = imagem.width();
    }
    r.Linhas = 1;
    r.Nota = QStringLiteral("imagem de %1 x %1 pixels, %2 bytes; meta 2 ms %3")
                 .arg(QString::number(lado), QString::number(bytes),
                      Medicao::Mediana(r.Tempos) <= 2 ? QStringLiteral("atingida")
                                                      : QStringLiteral("NÃO ATINGIDA"));
    return r;
}

// What the consent form's window hands its report, without a database.
class TermoDeExemplo final : public ZELT_N_Orcamentos::clsTermoDeConsentimento {
public:
    TermoDeExemplo() {
        NomeFantasia = QStringLiteral("Clínica Veterinária São Francisco");
        RazaoSocial = QStringLiteral("Clínica Veterinária São Francisco Ltda.");
        CNPJ = QStringLiteral("11.444.777/0001-61");
        EnderecoDaEmpresa =
            QStringLiteral("Av. São João, 1500 - Centro - São José dos Campos/SP - CEP 12242-000");
        Local = QStringLiteral("São José dos Campos/SP");
        VeterinarioResponsavel = QStringLiteral("Dra. Ana Souza");
        CRMV = QStringLiteral("12345");
        UFDoCRMV = QStringLiteral("SP");
        NomeDoTutor = QStringLiteral("Maria Antônia Gonçalves");
        CPFDoTutor = QStringLiteral("529.982.247-25");
        EnderecoDoTutor =
            QStringLiteral("Rua das Flores, 120 - Apto 3 - Centro - Campinas/SP - CEP 13010-000");
        NomeDoAnimal = QStringLiteral("Mia");
        Especie = QStringLiteral("Gato");
        Raca = QStringLiteral("SRD");
        Sexo = QStringLiteral("Fêmea");
        Idade = QStringLiteral("2 anos e 3 meses");
        PesoDoAnimal = QStringLiteral("3,8 kg");
        for (int i = 1; i <= 6; ++i)
            Procedimentos.append({QStringLiteral("Procedimento cirúrgico número %1").arg(i),
                                  QStringLiteral("1"), NomeDoAnimal, i > 4});
        ValorMinimo = VB::Currency::DeInteiro(850);
        ValorMaximo = VB::Currency::DeInteiro(1200);
        // The longest text the settings take.
        while (TextoDeConsentimento.size() < 4000)
            TextoDeConsentimento +=
                QStringLiteral("Declaro que fui informado(a) dos riscos do procedimento. ");
        TextoDeConsentimento.truncate(4000);
        Hoje = QDate(2026, 12, 6);
    }
    qint16 Verificar(double) override { return 0; }
    qint16 Ler(double) override { return 0; }
    qint16 RegistrarImpressao(double, const QString&, const QString&, const QString&) override { return 0; }
};

// The consent form's two copies to PDF (goal 200 ms).
Medicao::Resultado Termo(const Medicao::Opcoes& o) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("termo.pdf"));
    Medicao::Resultado r{QStringLiteral("relatorios"), QStringLiteral("termo")};
    const TermoDeExemplo termo;
    qint32 paginas = 0;
    for (int i = 0; i < o.Execucoes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        drTermoDeConsentimento relatorio;
        relatorio.Preencher(termo, 123, QStringLiteral("ZELT Veterinária"));
        relatorio.ExportarParaPdf(arquivo);
        r.Tempos.push_back(Milissegundos(relogio));
        paginas = relatorio.PrepararLeitura().Paginacao().QuantidadeDePaginas();
    }
    r.Linhas = paginas;
    r.Nota = QStringLiteral("%1 páginas; PDF de %2 bytes")
                 .arg(QString::number(paginas), QString::number(QFileInfo(arquivo).size()));
    return r;
}

// A list of 28,000 quotes; beside it, the data side alone: every page's rows read and
// turned into text, nothing painted.
Medicao::Resultado Lista(const Medicao::Opcoes& o) {
    constexpr qint32 Quantidade = 28000;
    const int execucoes = std::max(3, o.Execucoes / 3);
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("lista.pdf"));
    Medicao::Resultado r{QStringLiteral("relatorios"), QStringLiteral("lista")};
    qint32 paginas = 0;
    for (int i = 0; i < execucoes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        drLista lista;
        PreencherCabecalho(lista, QStringLiteral("Orçamentos"), QStringLiteral("Lista completa"));
        lista.setDataSource(std::make_shared<ListaSintetica>(Quantidade));
        paginas = lista.PrepararLeitura().Paginacao().QuantidadeDePaginas();
        lista.ExportarParaPdf(arquivo);
        r.Tempos.push_back(Milissegundos(relogio));
    }
    std::vector<double> leituras;
    for (int i = 0; i < execucoes; ++i) {
        QElapsedTimer relogio;
        relogio.start();
        drLista lista;
        lista.setDataSource(std::make_shared<ListaSintetica>(Quantidade));
        const LeitorDePaginas leitor = lista.PrepararLeitura();
        for (qint32 pagina = 1; pagina <= leitor.Paginacao().QuantidadeDePaginas(); ++pagina)
            leitor.Ler(pagina);
        leituras.push_back(Milissegundos(relogio));
    }
    r.Linhas = Quantidade;
    r.Nota =
        QStringLiteral("%1 páginas; %2 linhas por segundo; leitura das linhas em textos de página %3 ms; "
                       "PDF de %4 bytes")
            .arg(paginas)
            .arg(Quantidade / (Medicao::Mediana(r.Tempos) / 1000), 0, 'f', 0)
            .arg(Medicao::Mediana(leituras), 0, 'f', 0)
            .arg(QFileInfo(arquivo).size());
    return r;
}

} // namespace

int main(int argc, char** argv) {
    // The reports carry their own fonts: the application keeps Qt's default one (not the
    // forms' font), as this benchmark has always been measured.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    return Medicao::Executar({.Uso = Uso,
                              .Casos = {{QStringLiteral("previa"), Previa},
                                        {QStringLiteral("ficha"), Ficha},
                                        {QStringLiteral("ficha_pix"), FichaComPix},
                                        {QStringLiteral("pix"), PixEQrCode},
                                        {QStringLiteral("termo"), Termo},
                                        {QStringLiteral("lista"), Lista}},
                              .SemBanco = true});
}
