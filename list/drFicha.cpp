#include "list/drFicha.h"

#include "list/EstiloDosRelatorios.h"

#include <array>

namespace {

using namespace EstiloDosRelatorios;

constexpr int Esquerda = RptControleDeTexto::rptJustifyLeft;
constexpr int Direita = RptControleDeTexto::rptJustifyRight;

constexpr std::array<Coluna, 6> ColunasDosItens{{
    {u"txtNomeDoServicoOuProduto", u"NomeDoServicoOuNomeDoProduto", u"Serviço / Produto", 60, 3750, Esquerda,
     u""},
    {u"txtNomeDoAnimal", u"NomeDoAnimal", u"Animal", 3880, 1750, Esquerda, u""},
    {u"txtQuantidade", u"Quantidade", u"Qtde.", 5700, 800, Direita, u"#,##0.000"},
    {u"txtValorUnitario", u"ValorUnitario", u"Valor unitário", 6570, 1200, Direita, u"#,##0.00"},
    {u"txtDescontoEmValor", u"DescontoEmValor", u"Desc.", 7840, 1000, Direita, u"#,##0.00"},
    {u"txtTotalLiquido", u"ValorLiquido", u"Total liquido", 8910, 1175, Direita, u"#,##0.00"},
}};

// A framed panel with captions over the values the list fills in (named after the
// caption without "_Titulo").
struct Campo {
    const char16_t* Nome;
    const char16_t* Titulo;
    int Left;
    int Width;
    bool Negrito;
};

void Painel(Section* secao, const QString& nome, int topo, int altura) {
    auto* moldura = secao->Adicionar<RptShape>(nome, 0, topo, Largura, altura);
    moldura->setShape(RptShape::rptShpRoundedRectangle);
    moldura->setBorderColor(CorDasDivisorias);
}

void Campos(Section* secao, int topo, std::span<const Campo> campos, qreal pontos) {
    for (const Campo& campo : campos) {
        const QString nome = QString::fromUtf16(campo.Nome);
        Rotulo(secao, nome + QStringLiteral("_Titulo"), QString::fromUtf16(campo.Titulo), campo.Left, topo,
               campo.Width, 7, true, Esquerda, CorSecundaria);
        Rotulo(secao, nome, QString(), campo.Left, topo + 200, campo.Width, pontos, campo.Negrito);
    }
}

constexpr std::array<Campo, 3> CamposDoCliente{{
    {u"lblCodigo", u"Código:", 150, 1300, false},
    {u"lblApelidoOuNomeFantasia", u"Apelido/Nome fantasia", 1600, 3500, true},
    {u"lblNomeOuRazaoSocial", u"Nome/Razão Social", 5250, 4745, false},
}};

constexpr std::array<Campo, 4> CamposDosValores{{
    {u"lblValorTotal", u"Valor total:", 150, 2300, false},
    {u"lblDescontoEmPercentual", u"Desconto em percentual:", 2600, 2350, false},
    {u"lblDescontoEmValor", u"Desconto em valor:", 5100, 2300, false},
    {u"lblValorLiquido", u"Valor líquido:", 7550, 2445, true},
}};

constexpr int TopoDaFaixa = 3450;
constexpr int AlturaDaFaixa = 300;

} // namespace

drFicha::drFicha(QObject* pai) : DataReport(pai) {
    Papel(*this, rptOrientPortrait, QStringLiteral("Imprimir orçamento"));

    Section* cabecalho = AdicionarSecao(QStringLiteral("CabecalhoDaPagina"), Section::Tipo::CabecalhoDePagina,
                                        TopoDaFaixa + AlturaDaFaixa + 60);
    Cabecalho(cabecalho, QString());

    Painel(cabecalho, QStringLiteral("shpCliente"), 1250, 700);
    Campos(cabecalho, 1330, CamposDoCliente, 9);

    Painel(cabecalho, QStringLiteral("shpValores"), 2050, 900);
    Rotulo(cabecalho, QStringLiteral("lblValores_Titulo"), QStringLiteral("Valores"), 150, 2110, 3000, 8,
           true);
    Campos(cabecalho, 2380, CamposDosValores, 10);

    Rotulo(cabecalho, QStringLiteral("lblItens_Titulo"), QStringLiteral("Itens"), 0, 3080, 3000, 11, true);
    Faixa(cabecalho, QStringLiteral("shpTitulosDasColunas"), TopoDaFaixa, AlturaDaFaixa);

    Section* subGrupos = AdicionarSecao(QStringLiteral("SubGrupos"), Section::Tipo::Detalhes, 300);
    Colunas(cabecalho, TopoDaFaixa + 50, subGrupos, 50, ColunasDosItens, 8);
    Fio(subGrupos, QStringLiteral("linDivisoria"), 290, CorDasDivisorias);
    // A product's quantity keeps its three decimals (1,240 kg); a service's is a whole number.
    static_cast<RptTextBox*>(subGrupos->Controls(QStringLiteral("txtQuantidade")))
        ->setFormatoConforme(QStringLiteral("TipoDeLancamento"),
                             {{QStringLiteral("1"), QStringLiteral("0")}});

    Rodape(AdicionarSecao(QStringLiteral("RodapeDaPagina"), Section::Tipo::RodapeDePagina, AlturaDoRodape));
    EstimativaDoOrcamento(
        AdicionarSecao(QStringLiteral("EstimativaDoOrcamento"), Section::Tipo::RodapeDoRelatorio, 900));
    AprovacaoDoOrcamento(
        AdicionarSecao(QStringLiteral("AprovacaoDoOrcamento"), Section::Tipo::RodapeDoRelatorio, 0));
    RodapeDoOrcamento(AdicionarSecao(QStringLiteral("RodapeDoOrcamento"), Section::Tipo::RodapeDoRelatorio,
                                     AlturaSemSinal));
}

const QStringList drFicha::ControlesDoSinal{QStringLiteral("shpSinal"),
                                            QStringLiteral("lblSinal"),
                                            QStringLiteral("lblReembolso"),
                                            QStringLiteral("imgQrCodePix"),
                                            QStringLiteral("lblCopiaECola_Titulo"),
                                            QStringLiteral("lblCopiaECola1"),
                                            QStringLiteral("lblCopiaECola2"),
                                            QStringLiteral("lblCopiaECola3")};

const QStringList drFicha::ControlesDaAprovacao{
    QStringLiteral("lblItensRecusados1"), QStringLiteral("lblItensRecusados2"),
    QStringLiteral("lblTotalAprovado"),   QStringLiteral("lblAprovacao"),
    QStringLiteral("imgAssinatura"),      QStringLiteral("lblSinalRecebido")};

// The items' rows are the specified ones, so an item "se necessário" is not marked in its
// row (its name is a bound field the sheet prints as stored, and no column may be added
// or moved): the section under the items gives the range and names those items, shown by
// RodapeDaFicha only for a quote that has them.
void drFicha::EstimativaDoOrcamento(Section* secao) {
    Fio(secao, QStringLiteral("linEstimativaDoOrcamento"), 80, CorDasDivisorias);
    Rotulo(secao, QStringLiteral("lblEstimativa"), QString(), Recuo, 180, Largura - 2 * Recuo, 10, true);
    for (int i = 1; i <= 2; ++i)
        Rotulo(secao, QStringLiteral("lblItensSeNecessario") + QString::number(i), QString(), Recuo,
               260 + 200 * i, Largura - 2 * Recuo, 8);
    secao->setVisible(false);
}

// Placed at the left margin, one under the other by RodapeDaFicha; the tops here are
// replaced there.
void drFicha::AprovacaoDoOrcamento(Section* secao) {
    Fio(secao, QStringLiteral("linAprovacaoDoOrcamento"), 80, CorDasDivisorias);
    for (const char* nome : {"lblItensRecusados1", "lblItensRecusados2"})
        Rotulo(secao, QString::fromLatin1(nome), QString(), Recuo, 0, Largura - 2 * Recuo, 8);
    Rotulo(secao, QStringLiteral("lblTotalAprovado"), QString(), Recuo, 0, Largura - 2 * Recuo, 10, true);
    Rotulo(secao, QStringLiteral("lblAprovacao"), QString(), Recuo, 0, Largura - 2 * Recuo, 9);
    secao->Adicionar<RptImage>(QStringLiteral("imgAssinatura"), Recuo, 0, LarguraMaximaDaAssinatura,
                               AlturaDaAssinatura);
    Rotulo(secao, QStringLiteral("lblSinalRecebido"), QString(), Recuo, 0, Largura - 2 * Recuo, 9, true);
    secao->setVisible(false);
}

void drFicha::RodapeDoOrcamento(Section* secao) {
    Fio(secao, QStringLiteral("linRodapeDoOrcamento"), 80, CorDasDivisorias);
    Rotulo(secao, QStringLiteral("lblValidade"), QString(), Recuo, 180, 5000, 9, true);
    // Shown by RodapeDaFicha when the company has payment conditions.
    Rotulo(secao, QStringLiteral("lblCondicoesDePagamento_Titulo"), QStringLiteral("Condições de pagamento"),
           Recuo, 480, 5000, 7, true, Esquerda, CorSecundaria)
        ->setVisible(false);
    for (int i = 1; i <= 3; ++i)
        Rotulo(secao, QStringLiteral("lblCondicoesDePagamento") + QString::number(i), QString(), Recuo,
               480 + 200 * i, Largura - 2 * Recuo, 8);
    Rotulo(secao, QStringLiteral("lblEmpresa"), QString(), Recuo, 1400, Largura - 2 * Recuo, 8, true);
    Rotulo(secao, QStringLiteral("lblEnderecoDaEmpresa"), QString(), Recuo, 1640, Largura - 2 * Recuo, 8);
    Rotulo(secao, QStringLiteral("lblTelefoneDaEmpresa"), QString(), Recuo, 1880, Largura - 2 * Recuo, 8);

    Painel(secao, QStringLiteral("shpSinal"), AlturaSemSinal, AlturaComSinal - AlturaSemSinal - 60);
    Rotulo(secao, QStringLiteral("lblSinal"), QString(), 150, AlturaSemSinal + 100, Largura - 300, 10, true);
    Rotulo(secao, QStringLiteral("lblReembolso"), QString(), 150, AlturaSemSinal + 400, Largura - 300, 8);
    // 1800 twips: 3.2 cm, as a phone's camera reads it from a printed page.
    secao->Adicionar<RptImage>(QStringLiteral("imgQrCodePix"), 150, AlturaSemSinal + 700, 1800, 1800);
    Rotulo(secao, QStringLiteral("lblCopiaECola_Titulo"), QStringLiteral("Pix copia e cola"), 2200,
           AlturaSemSinal + 800, 4000, 7, true, Esquerda, CorSecundaria);
    for (int i = 1; i <= 3; ++i) {
        auto* linha = Rotulo(secao, QStringLiteral("lblCopiaECola") + QString::number(i), QString(), 2200,
                             AlturaSemSinal + 850 + 220 * i, Largura - 2300, 8);
        // Fixed width, so that a line holds its 80 characters whatever they are.
        linha->setFontName(QStringLiteral("Liberation Mono"));
    }
    // Shown by RodapeDaFicha, with the section's height, for a quote with a deposit.
    for (const QString& controle : ControlesDoSinal)
        secao->Controls(controle)->setVisible(false);
}
