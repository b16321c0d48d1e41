#include "search/frmPesquisaDeProdutos.h"

#include "component/modMensagemDeErro.h"
#include "contracts/CriarObjeto.h"
#include "platform/controls/Label.h"
#include "platform/controls/XRFind.h"

#include <array>

namespace {

const std::array<frmPesquisa::ColunaDaGrade, frmPesquisaDeProdutos::QuantidadeDeColunas> Colunas{{
    {u"Coluna em branco", 0, 1, 0, u""},
    {u"Código", 1100, 1, 0, u"CodigoInterno"},
    {u"Código de barras", 2000, 1, 1, u"CodigoDeBarras"},
    {u"Nome", 4020, 1, 1, u"Nome"},
    {u"Grupo", 2100, 1, 1, u"NomeDoGrupo"},
    {u"Subgrupo", 2100, 1, 1, u"NomeDoSubgrupo"},
    {u"Valor de custo", 0, 1, 1, u"ValorDeCusto"},
    {u"Unidade", 0, 1, 1, u"UnidadeDeCompra"},
    {u"Valor de venda", 2100, 4, 1, u"ValorDeVenda"},
    {u"Percentual de comissão", 0, 1, 1, u"PercentualDeComissao"},
}};

} // namespace

frmPesquisaDeProdutos::frmPesquisaDeProdutos(QWidget* parent)
    : frmPesquisa(QStringLiteral("frmPesquisaDeProdutos"), QStringLiteral("Pesquisa de produtos"),
                  QStringLiteral("Aguarde, pesquisando produtos..."), Colunas, parent) {
    lblCodigoInternoOuNome = new Label(this, QStringLiteral("lblCodigoInternoOuNome"));
    lblCodigoInternoOuNome->setCaption(QStringLiteral("Código interno ou nome*"));
    lblCodigoInternoOuNome->Move(390, 990, 6000, 255);

    xrfndCodigoInternoOuNome = new XRFind(this, QStringLiteral("xrfndCodigoInternoOuNome"));
    xrfndCodigoInternoOuNome->Move(390, 1245, 6000, 420);

    connect(xrfndCodigoInternoOuNome, &XRFind::Click, this,
            &frmPesquisaDeProdutos::xrfndCodigoInternoOuNome_Click);
}

void frmPesquisaDeProdutos::xrfndCodigoInternoOuNome_Click() {
    CliqueDaCaixaDePesquisa(u"xrfndCodigoInternoOuNome_Click");
}

bool frmPesquisaDeProdutos::PesquisarProduto() {
    bool PesquisarProduto = false;
    ComTratamentoDeErro(u"frmPesquisaDeProdutos", u"PesquisarProduto", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        Ponto = 2;
        auto lobjProdutos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        mbooIgnorarProximoEvento = true;
        Ponto = 3;
        const QString lstrTexto = xrfndCodigoInternoOuNome->Text();
        const QVariant lvarResposta = lobjProdutos->Selecionar(2, 0, 1, lstrTexto);
        PesquisarProduto = ConcluirPesquisa(std::move(lobjProdutos), lvarResposta,
                                            QStringLiteral("Nenhum produto encontrado  como o valor '") +
                                                lstrTexto + QStringLiteral("' informado."),
                                            Ponto);
    });
    return PesquisarProduto;
}
