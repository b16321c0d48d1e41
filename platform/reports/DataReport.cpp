#include "platform/reports/DataReport.h"

#include "platform/Plataforma.h"
#include "platform/reports/PintorDoRelatorio.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QPdfWriter>

namespace {

// A4: 210 x 297 mm.
constexpr int LarguraDoA4 = 11906;
constexpr int AlturaDoA4 = 16838;

int Margem(int twips) {
    if (twips < 0) throw VB::ErroDeExecucao(380);
    return twips;
}

} // namespace

DataReport::DataReport(QObject* pai) : QObject(pai) {}

DataReport::~DataReport() = default;

void DataReport::setDataMember(const QString& membro) {
    if (!membro.isEmpty())
        throw VB::ErroDeExecucao(
            380,
            QStringLiteral("A fonte de dados do relatório não tem o membro de dados \"%1\".").arg(membro));
}

void DataReport::setOrientation(int valor) {
    if (valor != rptOrientPortrait && valor != rptOrientLandscape) throw VB::ErroDeExecucao(380);
    mintOrientation = valor;
}

void DataReport::setReportWidth(int twips) {
    if (twips <= 0) throw VB::ErroDeExecucao(380);
    mlonReportWidth = twips;
}

void DataReport::setLeftMargin(int twips) {
    mlonLeftMargin = Margem(twips);
}

void DataReport::setRightMargin(int twips) {
    mlonRightMargin = Margem(twips);
}

void DataReport::setTopMargin(int twips) {
    mlonTopMargin = Margem(twips);
}

void DataReport::setBottomMargin(int twips) {
    mlonBottomMargin = Margem(twips);
}

void DataReport::setWindowState(int valor) {
    if (valor < vbNormal || valor > vbMaximized) throw VB::ErroDeExecucao(380);
    mintWindowState = valor;
}

Section* DataReport::Sections(const QString& nome) const {
    for (Section* secao : msecoes)
        if (secao->objectName().compare(nome, Qt::CaseInsensitive) == 0) return secao;
    throw VB::ErroDeExecucao(9, QStringLiteral("O relatório não tem a seção \"%1\".").arg(nome));
}

Section* DataReport::AdicionarSecao(const QString& nome, Section::Tipo tipo, int altura) {
    auto* secao = new Section(this, nome, tipo, altura);
    msecoes.append(secao);
    return secao;
}

QSize DataReport::TamanhoDoPapel() const {
    return mintOrientation == rptOrientLandscape ? QSize(AlturaDoA4, LarguraDoA4)
                                                 : QSize(LarguraDoA4, AlturaDoA4);
}

int DataReport::AlturaDaSecao(Section::Tipo tipo) const {
    int altura = 0;
    for (const Section* secao : msecoes)
        if (secao->TipoDaSecao() == tipo) altura += secao->AlturaImpressa();
    return altura;
}

QList<const RptTextBox*> DataReport::CaixasVinculadas() const {
    QList<const RptTextBox*> caixas;
    for (const Section* secao : msecoes)
        for (const RptControl* controle : secao->ListaDeControles())
            if (auto* caixa = qobject_cast<const RptTextBox*>(controle);
                caixa && !caixa->DataField().isEmpty())
                caixas.append(caixa);
    return caixas;
}

void DataReport::VerificarDesenho() const {
    if (!mrsDataSource)
        throw VB::ErroDeExecucao(91, QStringLiteral("O relatório não tem fonte de dados (DataSource)."));
    if (mlonLeftMargin + mlonReportWidth + mlonRightMargin > TamanhoDoPapel().width())
        throw VB::ErroDeExecucao(
            380, QStringLiteral("A largura do relatório com as margens é maior que a largura do papel."));
    // Field names are compared as the recordset compares them (letter case ignored).
    QStringList campos;
    for (qint32 i = 0; i < mrsDataSource->FieldsCount(); ++i)
        campos.append(mrsDataSource->FieldName(i));
    for (const RptTextBox* caixa : CaixasVinculadas())
        for (const QString& campo : {caixa->DataField(), caixa->CampoDoFormato()})
            if (!campo.isEmpty() && !campos.contains(campo, Qt::CaseInsensitive))
                throw VB::ErroDeExecucao(
                    3265, QStringLiteral("A fonte de dados não tem o campo \"%1\" da caixa de texto \"%2\".")
                              .arg(campo, caixa->objectName()));
}

LeitorDePaginas DataReport::PrepararLeitura() const {
    VerificarDesenho();
    const PaginacaoDoRelatorio paginacao(TamanhoDoPapel().height() - mlonTopMargin - mlonBottomMargin,
                                         AlturaDaSecao(Section::Tipo::CabecalhoDePagina),
                                         AlturaDaSecao(Section::Tipo::RodapeDePagina),
                                         AlturaDaSecao(Section::Tipo::Detalhes), mrsDataSource->RecordCount(),
                                         AlturaDaSecao(Section::Tipo::RodapeDoRelatorio));
    const QDate emissao = mdatEmissao.isValid() ? mdatEmissao : QDate::currentDate();
    return LeitorDePaginas(mrsDataSource, CaixasVinculadas(), paginacao, emissao);
}

void DataReport::Show() {
    VisualizacaoDoRelatorio janela(*this, PrepararLeitura());
    Plataforma::ExibirModal(&janela);
}

void DataReport::ExportarParaPdf(const QString& caminho) {
    const LeitorDePaginas leitor = PrepararLeitura();
    GravarPdf(*this, leitor, caminho, 1, leitor.Paginacao().QuantidadeDePaginas());
}
