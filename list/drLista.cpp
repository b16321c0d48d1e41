#include "list/drLista.h"

#include "contracts/CamposDoOrcamento.h"

#include "list/EstiloDosRelatorios.h"

#include <array>

namespace {

using namespace EstiloDosRelatorios;

constexpr int Esquerda = RptControleDeTexto::rptJustifyLeft;
constexpr int Direita = RptControleDeTexto::rptJustifyRight;

// The first line of a row: the quote, its client and its values.
constexpr std::array<Coluna, 9> PrimeiraLinha{{
    {u"txtNumeroDoOrcamento", CamposDoOrcamento::NumeroDoOrcamento, u"Número", 60, 600, Direita, u""},
    {u"txtDataDoOrcamento", CamposDoOrcamento::DataDoOrcamento, u"Data", 780, 760, Esquerda, u""},
    {u"txtCodigoDoCliente", CamposDoOrcamento::CodigoDoCliente, u"Código", 1660, 560, Direita, u""},
    {u"txtApelidoOuNomeFantasiaDoCliente", CamposDoOrcamento::ApelidoOuNomeFantasiaDoCliente,
     u"Apelido/Nome fantasia", 2340, 1700, Esquerda, u""},
    {u"txtNomeOuRazaoSocialDoCliente", CamposDoOrcamento::NomeOuRazaoSocialDoCliente, u"Nome/Razão Social",
     4160, 2565, Esquerda, u""},
    {u"txtValorTotal", CamposDoOrcamento::ValorTotal, u"Valor total", 6845, 780, Direita, u"#,##0.00"},
    {u"txtDescontoEmValor", CamposDoOrcamento::DescontoEmValor, u"Desc.", 7745, 680, Direita, u"#,##0.00"},
    {u"txtValorLiquido", CamposDoOrcamento::ValorLiquido, u"Val.liquido", 8545, 780, Direita, u"#,##0.00"},
    {u"txtSituacao", CamposDoOrcamento::NomeDaSituacao, u"Situação", 9445, 640, Esquerda, u""},
}};

// The second line, smaller and lighter, under the client: who included and altered the
// quote, and when.
constexpr std::array<Coluna, 4> SegundaLinha{{
    {u"txtDataEHoraDaInclusao", CamposDoOrcamento::DataEHoraDaInclusao, u"Data/Hora da inclusão", 2340, 1560,
     Esquerda, u""},
    {u"txtUsuarioDaInclusao", CamposDoOrcamento::UsuarioDaInclusao, u"Usuário da inclusão", 4020, 1420,
     Esquerda, u""},
    {u"txtDataEHoraDaAlteracao", CamposDoOrcamento::DataEHoraDaAlteracao, u"Data/Hora da alteração", 5560,
     1560, Esquerda, u""},
    {u"txtUsuarioDaAlteracao", CamposDoOrcamento::UsuarioDaAlteracao, u"Usuário da alteração", 7240, 1420,
     Esquerda, u""},
}};

constexpr int TopoDaFaixa = 1230;
constexpr int AlturaDaFaixa = 480;

} // namespace

drLista::drLista(QObject* pai) : DataReport(pai) {
    Papel(*this, rptOrientLandscape, QStringLiteral("Imprimir orcamentos"));

    Section* cabecalho = AdicionarSecao(QStringLiteral("CabecalhoDaPagina"), Section::Tipo::CabecalhoDePagina,
                                        TopoDaFaixa + AlturaDaFaixa + 70);
    Cabecalho(cabecalho, QStringLiteral("Subtítulo"));
    Faixa(cabecalho, QStringLiteral("shpTitulosDasColunas"), TopoDaFaixa, AlturaDaFaixa);

    Section* detalhes = AdicionarSecao(QStringLiteral("Detalhes"), Section::Tipo::Detalhes, 420);
    Colunas(cabecalho, TopoDaFaixa + 40, detalhes, 30, PrimeiraLinha, 7.5);
    Colunas(cabecalho, TopoDaFaixa + 260, detalhes, 225, SegundaLinha, 7, CorSecundaria);
    Fio(detalhes, QStringLiteral("linDivisoria"), 410, CorDasDivisorias);

    Rodape(AdicionarSecao(QStringLiteral("RodapeDaPagina"), Section::Tipo::RodapeDePagina, AlturaDoRodape));
}
