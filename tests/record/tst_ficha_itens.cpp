// The item commands driven through the form: the row an item becomes, cell by cell,
// and the next item prepared; a row taken back into the fields; rows removed (a stored
// quote's at once, never its last one); the form cleared for another client; the
// animal locked by the first item; the quote's totals after each.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFichaComItens.h"

#include "business/Banco.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList Consulta{u"2"_s, u"120,00"_s, u"10,00"_s, u"24,00"_s};
// 1,5 × 219,90 = 329,85, 5 % = 16,4925 shown as 16,49.
const QStringList Racao{u"1,5"_s, u"219,90"_s, u"5,00"_s, u"16,49"_s};
const QStringList LinhaDaConsulta{
    u"1"_s,     u"1"_s,     u"Consulta clínica"_s, u"10"_s,    u"Rex"_s, u"2"_s, u"120,00"_s,
    u"10,00"_s, u"24,00"_s, u"216,00"_s,           u"48,00"_s, u"0"_s,   u"1"_s, u"1"_s,
    u"1"_s};
const QStringList LinhaDaRacao{u"7891234567895"_s,
                               u"100"_s,
                               u"Ração Cães 15 kg"_s,
                               u"10"_s,
                               u"Rex"_s,
                               u"1,500"_s,
                               u"219,90"_s,
                               u"5,00"_s,
                               u"16,49"_s,
                               u"313,36"_s,
                               u"145,00"_s,
                               u"0"_s,
                               u"1"_s,
                               u"2"_s,
                               u"1"_s};
const QStringList TotaisDaRacao{u"329,85"_s, u"5,00"_s, u"16,49"_s, u"313,36"_s};
const QStringList TotaisDeAmbos{u"569,85"_s, u"7,11"_s, u"40,49"_s, u"529,36"_s};
const QStringList TotaisZerados(4, u"0,00"_s);

} // namespace

class TesteDosComandosDeItens : public TesteDaFichaComItens {
    Q_OBJECT

private slots:
    void initTestCase_data() { BancoDeTeste::LinhasDosBancos(); }
    void initTestCase() { IniciarTestes(); }
    void init() { IniciarCaso(); }
    void cleanup() { EncerrarCaso(); }

    void adicionarEscreveALinhaEPreparaOProximo();
    void alterarDevolveALinhaAosCampos();
    void removerAteAGradeVazia();
    void removerNaAlteracaoExcluiNoBancoMenosOUltimo();
    void animalTravadoELimparCampos();
};

void TesteDosComandosDeItens::adicionarEscreveALinhaEPreparaOProximo() {
    AbrirDoHost();
    Ativar();
    AdicionarConsulta(Consulta);
    QCOMPARE(Grade()->Rows(), 2);
    QCOMPARE(Linha(1), LinhaDaConsulta);
    QVERIFY(Grade()->Visible());
    QVERIFY(!ControleDaFicha<Label>("lblMensagemDeResultado")->Visible());
    QCOMPARE(Totais(), (QStringList{u"240,00"_s, u"10,00"_s, u"24,00"_s, u"216,00"_s}));
    // The next service: no type, zero values, the boxes closed until a service is found.
    QCOMPARE(ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos")->ListIndex(), -1);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0"_s);
    for (const char* caixa :
         {"xrnumValorUnitario", "xrnumPercentualDeDescontoPorItem", "xrnumValorDeDescontoPorItem"}) {
        QCOMPARE(Caixa(caixa)->Text(), u"0,00"_s);
        QVERIFY(Caixa(caixa)->Locked());
    }
    QCOMPARE(Foco(), u"xrcmbTiposDeServicos"_s);
    QVERIFY(!ControleDaFicha<XRComboBox>("xrcmbAnimal")->Enabled());

    AdicionarRacao(Racao);
    QCOMPARE(Grade()->Rows(), 3);
    QCOMPARE(Linha(2), LinhaDaRacao);
    // The new row selected, rows shaded alternately, no spare row left.
    QCOMPARE(Grade()->RowSel(), 2);
    Grade()->setRow(1);
    QCOMPARE(Grade()->CellBackColor(), 0xF2F2F2);
    Grade()->setRow(2);
    QCOMPARE(Grade()->CellBackColor(), 0xFFFFFF);
    QCOMPARE(Grade()->RowHeight(2), 570);
    // The weighted discount: 40,49 of 569,85.
    QCOMPARE(Totais(), TotaisDeAmbos);
    // The next product: its fields cleared and the internal code ready.
    for (const char* campo :
         {"xrfCodigoDeBarrasDoProduto", "xrfCodigoInternoDoProduto", "xrfNomeDoProduto"}) {
        QCOMPARE(ControleDaFicha<XRFind>(campo)->Text(), QString());
        QCOMPARE(ControleDaFicha<XRFind>(campo)->Status(), 2);
    }
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0,000"_s);
    QCOMPARE(Foco(), u"xrfCodigoInternoDoProduto"_s);
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDosComandosDeItens::alterarDevolveALinhaAosCampos() {
    AbrirDoHost();
    Ativar();
    AdicionarConsulta(Consulta);
    AdicionarRacao(Racao);
    Grade()->setRow(1);
    Clicar("xrcmdAlterar");
    QVERIFY(ControleDaFicha<OptionButton>("optServico")->Value());
    auto* tipos = ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos");
    QCOMPARE(tipos->ItemData(tipos->ListIndex()), 1);
    QCOMPARE(ControleDaFicha<XRFind>("xrfCodigoDoServico")->Text(), u"1"_s);
    QCOMPARE(ControleDaFicha<XRFind>("xrfNomeDoServico")->Text(), u"Consulta clínica"_s);
    QCOMPARE(ControleDaFicha<XRFind>("xrfNomeDoServico")->Tag(), u"48,00"_s);
    const QStringList caixas{u"xrnumQuantidade"_s, u"xrnumValorUnitario"_s,
                             u"xrnumPercentualDeDescontoPorItem"_s, u"xrnumValorDeDescontoPorItem"_s};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Caixa(qPrintable(caixas[i]))->Text(), LinhaDaConsulta[5 + i]);
        QVERIFY(!Caixa(qPrintable(caixas[i]))->Locked()); // an administrator may change them all
    }
    // Out of the grid and of the totals until it is added again, at the end, unstored.
    QCOMPARE(Grade()->Rows(), 2);
    QCOMPARE(Linha(1), LinhaDaRacao);
    QCOMPARE(Totais(), TotaisDaRacao);
    Clicar("xrcmdAdicionar");
    QCOMPARE(Linha(2), LinhaDaConsulta);
    QCOMPARE(Totais(), TotaisDeAmbos);

    Grade()->setRow(1);
    Clicar("xrcmdAlterar");
    QVERIFY(ControleDaFicha<OptionButton>("optProduto")->Value());
    QCOMPARE(ControleDaFicha<XRFind>("xrfCodigoDeBarrasDoProduto")->Text(), u"7891234567895"_s);
    QCOMPARE(ControleDaFicha<XRFind>("xrfCodigoInternoDoProduto")->Text(), u"100"_s);
    QCOMPARE(ControleDaFicha<XRFind>("xrfNomeDoProduto")->Tag(), u"145,00"_s);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"1,500"_s);
    Clicar("xrcmdAdicionar");
    QCOMPARE(Linha(2), LinhaDaRacao);
    QVERIFY(mmensagens.isEmpty());
}

void TesteDosComandosDeItens::removerAteAGradeVazia() {
    AbrirDoHost();
    Ativar();
    AdicionarConsulta(Consulta);
    AdicionarRacao(Racao);
    Grade()->setRow(1);
    Clicar("xrcmdRemover");
    QCOMPARE(Grade()->Rows(), 2);
    QCOMPARE(Linha(1), LinhaDaRacao);
    QCOMPARE(Totais(), TotaisDaRacao);
    // In add mode the last item goes too: the grid is configured again, empty and hidden.
    Clicar("xrcmdRemover");
    QCOMPARE(Grade()->Rows(), 1);
    QCOMPARE(Grade()->TextMatrix(0, GradeDeItens::Quantidade), u"Qtde."_s);
    QVERIFY(!Grade()->Visible());
    QCOMPARE(Totais(), TotaisZerados);
    QVERIFY(mmensagens.isEmpty());
    Clicar("xrcmdRemover");
    Clicar("xrcmdAlterar");
    QCOMPARE(mmensagens.size(), 2);
    QCOMPARE(mmensagens[0].Texto, u"Nenhum item para ser removido da grade."_s);
    QCOMPARE(mmensagens[1].Texto, u"Nenhum item para ser alterado da grade."_s);
    QCOMPARE(mmensagens[1].Titulo, u"Clínica Escola"_s);
}

void TesteDosComandosDeItens::removerNaAlteracaoExcluiNoBancoMenosOUltimo() {
    const double numero = GravarOrcamento(2);
    const double inativo = GravarOrcamento(2);
    const auto Itens = [](double n) {
        return BancoDeTeste::Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?", {n});
    };
    AbrirDaLista(frmFicha::Alteracao, numero);
    Grade()->setRow(1);
    Clicar("xrcmdRemover");
    // Removed from the stored quote at once, with the totals without it.
    QCOMPARE(Itens(numero), 1);
    QCOMPARE(BancoDeTeste::Numero("SELECT ValorTotal FROM Orcamentos WHERE NumeroDoOrcamento = ?", {numero}),
             1200000);
    QCOMPARE(
        BancoDeTeste::Numero("SELECT ValorLiquido FROM Orcamentos WHERE NumeroDoOrcamento = ?", {numero}),
        1080000);
    QCOMPARE(Totais(), (QStringList{u"120,00"_s, u"10,00"_s, u"12,00"_s, u"108,00"_s}));
    // The last one stays: a stored quote keeps at least one item.
    Clicar("xrcmdRemover");
    QCOMPARE(mmensagens.size(), 1);
    QCOMPARE(
        mmensagens[0].Texto,
        u"Há apenas um item neste orçamento.\r\n\r\nCaso precise removê-lo, faça a exclusão do orçamento."_s);
    QCOMPARE(Grade()->Rows(), 2);
    QCOMPARE(Itens(numero), 1);

    // The items object refuses (the quote was closed meanwhile): told, and the row still goes.
    AbrirDaLista(frmFicha::Alteracao, inativo);
    Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento = ?"_s, {inativo});
    Grade()->setRow(2);
    Clicar("xrcmdRemover");
    QCOMPARE(ErrosExibidos().size(), 1);
    QVERIFY(ErrosExibidos()[0].Descricao.toString().contains(u"inativo"_s));
    QVERIFY(ErrosExibidos()[0].Local.toString().startsWith(u"ZELT_N_Orcamentos, clsOrcItens, Excluir"_s));
    QCOMPARE(Grade()->Rows(), 2);
    QCOMPARE(Itens(inativo), 2);
}

void TesteDosComandosDeItens::animalTravadoELimparCampos() {
    AbrirDaLista(frmFicha::Inclusao);
    Ativar();
    EscolherCliente();
    auto* animal = ControleDaFicha<XRComboBox>("xrcmbAnimal");
    AdicionarConsulta(Consulta);
    QVERIFY(!animal->Enabled());
    QMetaObject::invokeMethod(mficha.get(), "HabilitarDesabilitarCampos", Q_ARG(bool, true));
    QVERIFY(!animal->Enabled());
    for (const char* campo :
         {"xrfCodigoDoCliente", "xrfApelidoOuNomeFantasiaDoCliente", "xrfNomeOuRazaoSocialDoCliente"})
        QVERIFY(!ControleDaFicha<XRFind>(campo)->Enabled());

    ControleDaFicha<Label>("lblQuantidade")->setForeColor(255);
    Clicar("xrcmdLimparCampos");
    for (const char* campo :
         {"xrfCodigoDoCliente", "xrfApelidoOuNomeFantasiaDoCliente", "xrfNomeOuRazaoSocialDoCliente"}) {
        QVERIFY(ControleDaFicha<XRFind>(campo)->Enabled());
        QCOMPARE(ControleDaFicha<XRFind>(campo)->Status(), 2);
        QCOMPARE(ControleDaFicha<XRFind>(campo)->Text(), QString());
    }
    QCOMPARE(animal->ListCount(), 0);
    QCOMPARE(Grade()->Rows(), 1);
    QVERIFY(!Grade()->Visible());
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0"_s);
    QCOMPARE(Caixa("xrnumValorDeDescontoPorItem")->Text(), u"0,00"_s);
    QCOMPARE(ControleDaFicha<Label>("lblQuantidade")->ForeColor(), 4802889);
    QVERIFY(ControleDaFicha<OptionButton>("optServico")->Value());
    QVERIFY(!ControleDaFicha<OptionButton>("optProduto")->Enabled());
    QCOMPARE(Foco(), u"xrfApelidoOuNomeFantasiaDoCliente"_s);
    // The next client's animals do not unlock the combo.
    animal->AddItem(u"Luna"_s);
    animal->AddItem(u"Velho"_s);
    QMetaObject::invokeMethod(mficha.get(), "HabilitarDesabilitarCampos", Q_ARG(bool, true));
    QVERIFY(!animal->Enabled());
    QVERIFY(ErrosExibidos().isEmpty());
}

QTEST_MAIN(TesteDosComandosDeItens)
#include "tst_ficha_itens.moc"
