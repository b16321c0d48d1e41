// The consent form of a quote on a generated database (bench_gerar_dados), through the
// window the receptionist uses ("Termo de consentimento", frmTermoDeConsentimento):
//
//   abrir            the window made and read: the registry, the company's settings,
//                    the quote's procedures, its estimate and the animal;
//   exportar_pdf     from the click that opens it to the PDF on disk: the window read as
//                    above, the boxes the registry left empty and the CPF typed (a
//                    text set: nothing of a person's typing is measured), "Exportar PDF" with the
//                    save dialog answered at once, both copies written and the history
//                    entry (with its copy of the quote) stored.
//
// The sample quote (Amostra: 10 services, 20 products) is stored first and removed at the
// end with its history; the company's settings name every service type as one that
// needs consent while it runs (the 10 services are the form's procedures), and are put
// back as they were found.
//
//   bench_termo (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME]
//               [--execucoes N] [--atraso MS]

#include "andamento/frmTermoDeConsentimento.h"
#include "bench/business/Amostra.h"
#include "bench/business/Medicao.h"
#include "bench/comum/Formularios.h"
#include "business/Banco.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRCommandButton.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

using Medicao::Falhar;

const char* const Uso = "Uso: bench_termo (--banco ARQUIVO.sqlite | --url postgresql://...) [--caso NOME] "
                        "[--execucoes N] [--atraso MS]\nCasos: abrir, exportar_pdf";

constexpr int Procedimentos = 10;
qint64 mnumero = 0;
QString mstrPdf;

// The settings' consent types as found (a row of the first company's, or none).
struct Configuracao {
    bool Existia = false;
    QString Tipos;
} mconfiguracao;

const QString PrimeiraEmpresa = QStringLiteral("(SELECT MIN(Codigo) FROM Empresa)");

// Every service type needs consent while the benchmark runs.
void ExigirConsentimento() {
    const QVariant tipos = Banco::Valor(
        QStringLiteral(
            "SELECT TiposDeServicosComConsentimento FROM ConfiguracoesDoOrcamento WHERE CodigoDaEmpresa = ") +
        PrimeiraEmpresa);
    mconfiguracao = {tipos.isValid(), tipos.toString()};
    QStringList todos;
    QSqlQuery q = Banco::Executar(QStringLiteral("SELECT Numero FROM TiposDeServicos ORDER BY Numero"));
    while (q.next())
        todos << q.value(0).toString();
    if (mconfiguracao.Existia)
        Banco::Executar(
            QStringLiteral("UPDATE ConfiguracoesDoOrcamento SET TiposDeServicosComConsentimento = ? "
                           "WHERE CodigoDaEmpresa = ") +
                PrimeiraEmpresa,
            {todos.join(u';')});
    else
        Banco::Executar(
            QStringLiteral("INSERT INTO ConfiguracoesDoOrcamento (CodigoDaEmpresa, TextoDeConsentimento, "
                           "TiposDeServicosComConsentimento) SELECT MIN(Codigo), ?, ? FROM Empresa"),
            {QStringLiteral("Autorizo a realização dos procedimentos e da anestesia."), todos.join(u';')});
}

void RestaurarConfiguracao() {
    if (mconfiguracao.Existia)
        Banco::Executar(
            QStringLiteral("UPDATE ConfiguracoesDoOrcamento SET TiposDeServicosComConsentimento = ? "
                           "WHERE CodigoDaEmpresa = ") +
                PrimeiraEmpresa,
            {mconfiguracao.Tipos});
    else
        Banco::Executar(QStringLiteral("DELETE FROM ConfiguracoesDoOrcamento WHERE CodigoDaEmpresa = ") +
                        PrimeiraEmpresa);
}

// The window on the sample quote, read (its modal display is turned into nothing).
std::unique_ptr<frmTermoDeConsentimento> Abrir() {
    auto janela = std::make_unique<frmTermoDeConsentimento>();
    janela->MontarExibirFormulario(static_cast<double>(mnumero));
    if (Formularios::Controle<MSFlexGrid>(*janela, "msfgGrade").Rows() != Procedimentos + 1)
        Falhar(QStringLiteral("O termo não mostrou os %1 procedimentos.").arg(Procedimentos));
    return janela;
}

// What the registry left empty typed, and a CPF of right digits (the generated clients'
// are random); the click; the PDF must be there.
void Exportar(const frmTermoDeConsentimento& janela) {
    for (QLineEdit* caixa : janela.findChildren<QLineEdit*>()) {
        const QString nome = caixa->objectName();
        if (nome == QStringLiteral("txtCPF"))
            caixa->setText(QStringLiteral("529.982.247-25"));
        else if (caixa->text().trimmed().isEmpty())
            caixa->setText(nome == QStringLiteral("txtUFDoCRMV") ? QStringLiteral("SP")
                                                                 : QStringLiteral("Informado no balcão"));
    }
    QFile::remove(mstrPdf);
    emit Formularios::Controle<XRCommandButton>(janela, "xrcmdExportarPdf").Click();
    if (QFileInfo(mstrPdf).size() == 0) Falhar(QStringLiteral("O termo não foi exportado em PDF."));
}

Medicao::Resultado AbrirJanela(const Medicao::Opcoes& opcoes) {
    std::unique_ptr<frmTermoDeConsentimento> janela;
    Medicao::Resultado r(QStringLiteral("termo"), QStringLiteral("abrir"));
    r.Tempos = Medicao::Repetir(
        opcoes.Execucoes, [&] { janela = Abrir(); }, [&] { janela.reset(); });
    r.Linhas = Procedimentos;
    return r;
}

Medicao::Resultado ExportarPdf(const Medicao::Opcoes& opcoes) {
    std::unique_ptr<frmTermoDeConsentimento> janela;
    Medicao::Resultado r(QStringLiteral("termo"), QStringLiteral("exportar_pdf"));
    r.Tempos = Medicao::Repetir(
        opcoes.Execucoes,
        [&] {
            janela = Abrir();
            Exportar(*janela);
        },
        [&] { janela.reset(); });
    r.Linhas = Procedimentos;
    r.Nota = QStringLiteral("duas vias, PDF de %1 bytes, com a entrada no histórico")
                 .arg(QFileInfo(mstrPdf).size());
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    Formularios::Aplicacao aplicacao(argc, argv);
    QTemporaryDir pasta;
    mstrPdf = pasta.filePath(QStringLiteral("termo.pdf"));
    Medicao::Programa programa;
    programa.Uso = Uso;
    programa.Casos = {{QStringLiteral("abrir"), AbrirJanela}, {QStringLiteral("exportar_pdf"), ExportarPdf}};
    programa.Preparar = [] {
        Formularios::Entrar(Formularios::Usuario::Comum);
        Formularios::RecusarMensagens();
        Formularios::RecusarErros();
        // The window shows nothing; the save dialog answers with the benchmark's file.
        Plataforma::SubstituirExibicaoModal([](QWidget* janela) {
            if (auto* salvar = qobject_cast<QFileDialog*>(janela)) {
                salvar->selectFile(mstrPdf);
                QMetaObject::invokeMethod(salvar, "accept");
            }
        });
        ExigirConsentimento();
        mnumero = Amostra::Gravar(Amostra::Montar(Procedimentos, 20));
    };
    const int resultado = Formularios::Executar(programa);
    // The database as it was found.
    if (mnumero > 0) Amostra::Remover({mnumero});
    RestaurarConfiguracao();
    return resultado;
}
