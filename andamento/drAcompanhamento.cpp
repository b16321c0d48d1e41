#include "andamento/drAcompanhamento.h"

#include "list/EstiloDosRelatorios.h"
#include "platform/controls/MSFlexGrid.h"

namespace {

using namespace EstiloDosRelatorios;

constexpr int Esquerda = RptControleDeTexto::rptJustifyLeft;
constexpr int Direita = RptControleDeTexto::rptJustifyRight;

// The columns of a quote's row, in the order of the window's grid columns 1 to 8; a
// section's caption takes the first field alone, across the page.
constexpr std::array<Coluna, 8> ColunasDaLinha{{
    {u"txtNumero", u"Numero", u"Número", 60, 640, Direita, u""},
    {u"txtCliente", u"Cliente", u"Cliente", 800, 2560, Esquerda, u""},
    {u"txtAnimal", u"Animal", u"Animal", 3420, 1240, Esquerda, u""},
    {u"txtValorLiquido", u"ValorLiquido", u"Valor líquido", 4700, 1000, Direita, u""},
    {u"txtValidade", u"Validade", u"Validade", 5800, 900, Esquerda, u""},
    {u"txtEtapa", u"Etapa", u"Etapa", 6760, 1300, Esquerda, u""},
    {u"txtUltimoEnvio", u"UltimoEnvio", u"Último envio", 8120, 1260, Esquerda, u""},
    {u"txtDias", u"Dias", u"Dias", 9440, 640, Direita, u""},
}};

constexpr int TopoDosNumeros = 1200;
constexpr int AlturaDaLinhaDeNumeros = 230;
constexpr int TopoDaFaixa = TopoDosNumeros + drAcompanhamento::LinhasDeNumeros * AlturaDaLinhaDeNumeros + 120;
constexpr int AlturaDaFaixa = 300;

} // namespace

drAcompanhamento::drAcompanhamento(QObject* pai) : DataReport(pai) {
    Papel(*this, rptOrientPortrait, QStringLiteral("Acompanhamento de orçamentos"));
    Section* cabecalho = AdicionarSecao(QStringLiteral("CabecalhoDaPagina"), Section::Tipo::CabecalhoDePagina,
                                        TopoDaFaixa + AlturaDaFaixa + 70);
    Cabecalho(cabecalho, QString());
    for (int k = 0; k < LinhasDeNumeros; ++k)
        Rotulo(cabecalho, QStringLiteral("lblNumeros%1").arg(k + 1), QString(), 0,
               TopoDosNumeros + k * AlturaDaLinhaDeNumeros, 5900, 8);
    cabecalho->Adicionar<RptImage>(QStringLiteral("imgGrafico"), 6000, TopoDosNumeros, Largura - 6000,
                                   LinhasDeNumeros * AlturaDaLinhaDeNumeros);
    Faixa(cabecalho, QStringLiteral("shpTitulosDasColunas"), TopoDaFaixa, AlturaDaFaixa);

    Section* detalhes = AdicionarSecao(QStringLiteral("Detalhes"), Section::Tipo::Detalhes, 300);
    EstiloDosRelatorios::Colunas(cabecalho, TopoDaFaixa + 60, detalhes, 60, ColunasDaLinha, 7.5);
    Caixa(detalhes, QStringLiteral("txtSecao"), QStringLiteral("Secao"), 60, 60, Largura - 120, 8.5)
        ->setFontBold(true);
    Rodape(AdicionarSecao(QStringLiteral("RodapeDaPagina"), Section::Tipo::RodapeDePagina, AlturaDoRodape));
}

void drAcompanhamento::Preencher(const QString& lstrNomeFantasia, const QString& lstrNomeDaAplicacao,
                                 const std::array<QString, LinhasDeNumeros>& numeros, const QImage& grafico,
                                 const std::array<QString, Secoes>& legendas,
                                 const std::array<const MSFlexGrid*, Secoes>& grades) {
    Section* cabecalho = Sections(QStringLiteral("CabecalhoDaPagina"));
    cabecalho->Controls(QStringLiteral("lblNomeFantasiaDaEmpresa"))->setCaption(lstrNomeFantasia);
    cabecalho->Controls(QStringLiteral("lblTitulo"))
        ->setCaption(QStringLiteral("Acompanhamento de orçamentos"));
    for (int k = 0; k < LinhasDeNumeros; ++k)
        cabecalho->Controls(QStringLiteral("lblNumeros%1").arg(k + 1))->setCaption(numeros[k]);
    qobject_cast<RptImage*>(cabecalho->Controls(QStringLiteral("imgGrafico")))->setPicture(grafico);
    Sections(QStringLiteral("RodapeDaPagina"))
        ->Controls(QStringLiteral("lblTituloDoAplicativo"))
        ->setCaption(lstrNomeDaAplicacao);

    QStringList campos{QStringLiteral("Secao")};
    for (const Coluna& c : ColunasDaLinha)
        campos << QString::fromUtf16(c.Campo);
    auto linhas = std::make_shared<RecordsetEmMemoria>(campos);
    for (int s = 0; s < Secoes; ++s) {
        QList<QVariant> titulo{legendas[s]};
        for (qsizetype c = 0; c < ColunasDaLinha.size(); ++c)
            titulo << QString();
        linhas->AdicionarLinha(titulo);
        for (int r = 1; r < grades[s]->Rows(); ++r) {
            QList<QVariant> linha{QString()};
            for (int c = 1; c <= static_cast<int>(ColunasDaLinha.size()); ++c)
                linha << grades[s]->TextMatrix(r, c);
            linhas->AdicionarLinha(linha);
        }
    }
    setDataSource(linhas);
    setDataMember(QString());
}
