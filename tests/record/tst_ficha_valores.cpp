// The item's values as a person types them: the keys each box takes, the two discounts
// following each other and the quantity, the discounts refused before quantity and unit
// value, and the item's checks before it goes into the grid, each with its message,
// its red label and the focus where it is corrected.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFichaComItens.h"

#include "platform/Plataforma.h"
#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

class TesteDosValoresDoItem : public TesteDaFichaComItens {
    Q_OBJECT

private slots:
    void initTestCase_data() { BancoDeTeste::LinhasDosBancos(); }
    void initTestCase() { IniciarTestes(); }
    void init() { IniciarCaso(); }
    void cleanup() { EncerrarCaso(); }

    void teclasDasQuantidadesEDosDescontos();
    void descontosSeguemUmAOutroEAQuantidade();
    void descontoRecusadoSemQuantidadeOuValorUnitario();
    void validacaoDoItemNaOrdem();
};

void TesteDosValoresDoItem::teclasDasQuantidadesEDosDescontos() {
    AbrirDoHost();
    Ativar();
    PreencherServico(1, 1, u"Consulta clínica"_s, u"48"_s, {u"1"_s, u"120,00"_s, u"0,00"_s, u"0,00"_s});
    // Entering a box selects its text, which the first key replaces.
    Caixa("xrnumQuantidade")->SetFocus();
    QCOMPARE(Caixa("xrnumQuantidade")->SelLength(), 1);
    QTest::keyClicks(Caixa("xrnumQuantidade")->Editor(), u"1.,5a"_s);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"15"_s); // a service counts whole units
    Sair();
    PreencherProduto(u"7891234567895"_s, 100, u"Ração Cães 15 kg"_s, u"145"_s,
                     {u"1,000"_s, u"219,90"_s, u"0,00"_s, u"0,00"_s});
    Digitar("xrnumQuantidade", u"2.5,3x"_s);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"2,53"_s);
    Digitar("xrnumPercentualDeDescontoPorItem", u"1.5.5"_s);
    QCOMPARE(Caixa("xrnumPercentualDeDescontoPorItem")->Text(), u"1,55"_s);
    Digitar("xrnumValorDeDescontoPorItem", u"8,6,2"_s);
    QCOMPARE(Caixa("xrnumValorDeDescontoPorItem")->Text(), u"8,62"_s);
    Sair();
    // Left as money: the product's quantity with two decimals.
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"2,53"_s);
    QCOMPARE(Caixa("xrnumPercentualDeDescontoPorItem")->Text(), u"1,55"_s);
    QVERIFY(mmensagens.isEmpty());
}

void TesteDosValoresDoItem::descontosSeguemUmAOutroEAQuantidade() {
    AbrirDoHost();
    Ativar();
    PreencherServico(1, 1, u"Consulta clínica"_s, u"48"_s, {u"1"_s, u"120,00"_s, u"10,00"_s, u"12,00"_s});
    const auto Descontos = [&] {
        return QStringList{Caixa("xrnumPercentualDeDescontoPorItem")->Text(),
                           Caixa("xrnumValorDeDescontoPorItem")->Text()};
    };
    // A new quantity: the percentage stays, the value follows.
    Digitar("xrnumQuantidade", u"3"_s);
    Sair();
    QCOMPARE(Descontos(), (QStringList{u"10,00"_s, u"36,00"_s}));
    // A value of 0 keeps the percentage's text; leaving the quantity brings the value back.
    Digitar("xrnumValorDeDescontoPorItem", u"0"_s);
    Sair();
    QCOMPARE(Descontos(), (QStringList{u"10,00"_s, u"0,00"_s}));
    Digitar("xrnumQuantidade", u"3"_s);
    Sair();
    QCOMPARE(Descontos(), (QStringList{u"10,00"_s, u"36,00"_s}));
    // A value gives its percentage of 3 × 120,00; a percentage gives its value.
    Digitar("xrnumValorDeDescontoPorItem", u"30"_s);
    Sair();
    QCOMPARE(Descontos(), (QStringList{u"8,33"_s, u"30,00"_s}));
    Digitar("xrnumPercentualDeDescontoPorItem", u"12,5"_s);
    Sair();
    QCOMPARE(Descontos(), (QStringList{u"12,50"_s, u"45,00"_s}));
    // A box holds one comma: typed over a selected text with a comma, it is refused.
    Digitar("xrnumPercentualDeDescontoPorItem", u","_s);
    QCOMPARE(Caixa("xrnumPercentualDeDescontoPorItem")->Text(), u"12,50"_s);
    // A lone comma leaves as zero.
    Caixa("xrnumPercentualDeDescontoPorItem")->setText(u","_s);
    Sair();
    QCOMPARE(Descontos(), (QStringList{u"0,00"_s, u"0,00"_s}));
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDosValoresDoItem::descontoRecusadoSemQuantidadeOuValorUnitario() {
    AbrirDoHost();
    Ativar();
    PreencherServico(1, 1, u"Consulta clínica"_s, u"48"_s, {u"0"_s, u"120,00"_s, u"0,00"_s, u"0,00"_s});
    Digitar("xrnumPercentualDeDescontoPorItem", u"10"_s);
    Sair();
    Caixa("xrnumQuantidade")->setText(u"2"_s);
    Caixa("xrnumValorUnitario")->setText(u"0,00"_s);
    Digitar("xrnumValorDeDescontoPorItem", u"5"_s);
    Caixa("xrnumQuantidade")->SetFocus();
    QCOMPARE(mmensagens.size(), 2);
    QCOMPARE(mmensagens[0].Texto, u"Informe a quantidade antes do desconto."_s);
    QCOMPARE(mmensagens[1].Texto, u"Informe o valor unitário antes do desconto."_s);
    QCOMPARE(mmensagens[1].BotoesEIcone, int(Plataforma::vbInformation));
    QCOMPARE(mmensagens[1].Titulo, u"Clínica Escola"_s);
    // Refused: back to zero and the focus kept in the box.
    QCOMPARE(Caixa("xrnumPercentualDeDescontoPorItem")->Text(), u"0,00"_s);
    QCOMPARE(Caixa("xrnumValorDeDescontoPorItem")->Text(), u"0,00"_s);
    QCOMPARE(Foco(), u"xrnumValorDeDescontoPorItem"_s);
    // A quantity that is no number is refused the same way.
    Caixa("xrnumQuantidade")->setText(u","_s);
    Caixa("xrnumQuantidade")->SetFocus();
    Sair();
    QCOMPARE(mmensagens.last().Texto, u"Informe um valor numérico para a quantidade."_s);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0"_s);
    QCOMPARE(Foco(), u"xrnumQuantidade"_s);
}

void TesteDosValoresDoItem::validacaoDoItemNaOrdem() {
    struct Caso {
        const char* Nome;
        std::function<void()> Preparar;
        QString Mensagem;
        QStringList Vermelhos;
        QString Foco;
        const char* Caixa = nullptr; // a box read as its zero text when empty
        QString Texto;
    };
    const QStringList valores{u"1"_s, u"120,00"_s, u"0,00"_s, u"0,00"_s};
    const auto Servico = [&](const QStringList& v) {
        PreencherServico(1, 1, u"Consulta clínica"_s, u"48"_s, v);
    };
    const auto Produto = [&](int codigo, const QString& nome, const QStringList& v) {
        PreencherProduto(QString(), codigo, nome, u"145"_s, v);
    };
    const QString naoFinalizada = u"A pesquisa de produto não foi finalizada. \r\nClique no botão pesquisar "
                                  u"(Lupa) do campo '%1'."_s;
    const QList<Caso> casos{
        {"sem cliente",
         [] {},
         u"Selecione o cliente."_s,
         {u"lblApelidoOuNomeFantasiaDoCliente"_s},
         u"xrfCodigoDoCliente"_s},
        {"sem animal",
         [&] { ControleDaFicha<XRComboBox>("xrcmbAnimal")->setListIndex(-1); },
         u"Selecione o animal."_s,
         {u"lblNomeDoAnimal"_s},
         u"xrnumValorUnitario"_s},
        {"sem tipo",
         [&] { ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos")->setEnabled(false); },
         u"Selecione o tipo de serviço."_s,
         {u"lblTipoDeServicoOuCodigoDeBarrasDoProduto"_s},
         u"xrcmbTiposDeServicos"_s},
        {"sem serviço",
         [&] {
             Servico(valores);
             ControleDaFicha<XRFind>("xrfCodigoDoServico")->setText(u" "_s);
             ControleDaFicha<XRFind>("xrfNomeDoServico")->setText(QString());
         },
         u"Selecione o serviço."_s,
         {u"lblNomeDoServicoOuNomeDoProduto"_s},
         u"xrfNomeDoServico"_s},
        {"sem produto",
         [&] { Produto(0, QString(), valores); },
         u"Selecione o produto."_s,
         {u"lblNomeDoServicoOuNomeDoProduto"_s},
         u"xrfNomeDoProduto"_s},
        {"produto só com nome",
         [&] { Produto(0, u"Ração"_s, valores); },
         naoFinalizada.arg(u"Nome do produto"_s),
         {},
         u"xrfNomeDoProduto"_s},
        {"produto só com código",
         [&] { Produto(100, QString(), valores); },
         naoFinalizada.arg(u"Código interno do produto"_s),
         {},
         u"xrfCodigoInternoDoProduto"_s},
        {"sem quantidade",
         [&] {
             Produto(100, u"Ração"_s, {QString(), u"219,90"_s});
         },
         u"Informe a quantidade."_s,
         {u"lblQuantidade"_s},
         u"xrnumQuantidade"_s,
         "xrnumQuantidade",
         u"0,000"_s},
        {"sem valor unitário",
         [&] { Servico({u"1"_s}); },
         u"Informe um valor unitário maior que 0,00 (zero)."_s,
         {u"lblValorUnitario"_s},
         u"xrnumValorUnitario"_s,
         "xrnumValorUnitario",
         u"0,00"_s},
        {"desconto maior que o item",
         [&] {
             Servico({u"2"_s, u"10,00"_s, u"0,00"_s, u"20,01"_s});
         },
         u"Valor de desconto não pode ser maior que o valor total do item."_s,
         {u"lblValorDeDescontoPorItem"_s},
         u"xrnumValorDeDescontoPorItem"_s},
        {"mais de 100%",
         [&] {
             Servico({u"1"_s, u"10,00"_s, u"100,01"_s, u"0,00"_s});
             // The labels of an earlier refusal turn grey again; the client's title keeps its colour.
             ControleDaFicha<Label>("lblQuantidade")->setForeColor(255);
             ControleDaFicha<Label>("lblCliente")->setForeColor(255);
         },
         u"Percentual de desconto do item não pode ser maior que 100%."_s,
         {u"lblCliente"_s},
         u"xrnumPercentualDeDescontoPorItem"_s},
    };
    for (const Caso& caso : casos) {
        mmensagens.clear();
        // Without a client only from the list: the host always gives one.
        if (&caso == &casos[0])
            AbrirDaLista(frmFicha::Inclusao);
        else
            AbrirDoHost();
        Ativar();
        caso.Preparar();
        Caixa("xrnumValorUnitario")->SetFocus();
        Clicar("xrcmdAdicionar");
        QCOMPARE(mmensagens.size(), 1);
        QCOMPARE(mmensagens[0].Texto, caso.Mensagem);
        QCOMPARE(mmensagens[0].BotoesEIcone, int(Plataforma::vbInformation));
        QVERIFY2(RotulosVermelhos() == caso.Vermelhos, caso.Nome);
        QVERIFY2(Foco() == caso.Foco, qPrintable(Foco() + u" ← "_s + QString::fromUtf8(caso.Nome)));
        QCOMPARE(Grade()->Rows(), 1);
        if (caso.Caixa) QCOMPARE(Caixa(caso.Caixa)->Text(), caso.Texto);
    }
    // A discount of exactly 100 %, equal to the item's total, is accepted.
    mmensagens.clear();
    Produto(100, u"Ração"_s, {u"3"_s, u"0,70"_s, u"100,00"_s, u"2,10"_s});
    Clicar("xrcmdAdicionar");
    QVERIFY(mmensagens.isEmpty());
    QCOMPARE(Grade()->TextMatrix(1, GradeDeItens::ValorTotal), u"0,00"_s);
    QVERIFY(ErrosExibidos().isEmpty());
}

QTEST_MAIN(TesteDosValoresDoItem)
#include "tst_ficha_valores.moc"
