// The product item of the record form, driven through its fields as a person does: bar
// codes ordinary and printed by counter scales, the internal code and the name, the
// pick list, and the company's sales promotion.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "search/frmPesquisaDeProdutos.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Titulo = u"Clínica Escola"_s;
const QString TresCaracteres = u"Informe 3 caracteres ou mais para iniciar a pesquisa."_s;

// The company's answer to the scale-format selection, scripted after the form opened.
class EmpresaRoteirizada final : public ZELT_N_Empresa::clsEmpresa {
public:
    static inline qint16 Resultado = 0;
    QVariant SelecionarNova(qint32, qint16, qint32, const QString&) override { return true; }
    qint16 Selecionar(qint16, qint16) override {
        NumeroDoErro = 3704;
        DescricaoDoErro = u"Empresa indisponível"_s;
        LocalDoErro = u"ZELT_N_Empresa, clsEmpresa, Selecionar"_s;
        DescricaoDaFalha = u"Cadastro da empresa em revisão."_s;
        return Resultado;
    }
};

void GravarProdutoDeBalanca(qint64 codigo, const char* nome, double venda) {
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::Produto p;
    p.CodigoInterno = codigo;
    p.Nome = QString::fromUtf8(nome);
    p.NomeDoGrupo = u"Petiscos"_s;
    p.NomeDoSubgrupo = u"A granel"_s;
    p.ValorDeCusto = VB::Currency::DeDouble(venda / 2);
    p.ValorDeVenda = VB::Currency::DeDouble(venda);
    p.UnidadeDeVenda = u"KG"_s;
    p.VendidoPorEtiquetaDeBalanca = true;
    Cadastros::GravarProduto(p);
    unidade.Confirmar();
}

void DefinirEmpresa(qint32 formatoDaBalanca, QDate inicio = {}, QDate fim = {}) {
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::Empresa empresa;
    empresa.NomeFantasia = u"Clínica Escola"_s;
    empresa.FormatoDeCodigoDeBarrasParaBalanca = formatoDaBalanca;
    empresa.DataInicialDaPromocao = inicio;
    empresa.DataFinalDaPromocao = fim;
    empresa.PercPromocaoDeDescontoNaVendaDeServico = VB::Currency::DeInteiro(15);
    empresa.PercPromocaoDeDescontoNaVendaDeProduto = VB::Currency::DeInteiro(12);
    Cadastros::GravarEmpresa(empresa);
    unidade.Confirmar();
}

} // namespace

class TesteDaFichaProduto : public TesteDaFicha {
    Q_OBJECT

private slots:
    void initTestCase_data() { BancoDeTeste::LinhasDosBancos(); }
    void initTestCase() { IniciarTestes(); }
    void init();
    void cleanup() { EncerrarCaso(); }

    void modoProdutoComCamposAbertosEValoresTravados();
    void codigoDeBarrasComumAchadoOuNao();
    void codigoDeBarrasForaDe13Ou14DigitosNaoPesquisa();
    void etiquetaDeBalanca_data();
    void etiquetaDeBalanca();
    void etiquetaDePrecoComValorUnitarioZeroVaiAoRelatorioDeErros();
    void etiquetaSemEmpresaOuComRecusaDaEmpresa();
    void codigoInternoENome();
    void variosProdutosNaListaDeEscolha();
    void promocaoDeVenda_data();
    void promocaoDeVenda();

private:
    XRFind* Campo(const char* nome) const { return ControleDaFicha<XRFind>(nome); }
    XRNumberBox* Caixa(const char* nome) const { return ControleDaFicha<XRNumberBox>(nome); }
    void Pesquisar(const char* campo, const QString& texto);
    // Name, bar code, internal code, cost (the name's tag), quantity, unit value.
    QStringList Produto() const;
    QStringList Mensagens() const;
    qint16 VerificarPromocao();
};

void TesteDaFichaProduto::init() {
    IniciarCaso();
    AbrirDoHost(1, 10);
    QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
    ControleDaFicha<OptionButton>("optProduto")->setValue(true);
}

void TesteDaFichaProduto::Pesquisar(const char* campo, const QString& texto) {
    Campo(campo)->setText(texto);
    Campo(campo)->Pesquisar();
}

QStringList TesteDaFichaProduto::Produto() const {
    return {Campo("xrfNomeDoProduto")->Text(),          Campo("xrfCodigoDeBarrasDoProduto")->Text(),
            Campo("xrfCodigoInternoDoProduto")->Text(), Campo("xrfNomeDoProduto")->Tag(),
            Caixa("xrnumQuantidade")->Text(),           Caixa("xrnumValorUnitario")->Text()};
}

QStringList TesteDaFichaProduto::Mensagens() const {
    QStringList textos;
    for (const MensagemExibida& m : mmensagens) {
        if (m.Titulo != Titulo) textos << u"(título errado) "_s + m.Titulo;
        textos << m.Texto;
    }
    return textos;
}

qint16 TesteDaFichaProduto::VerificarPromocao() {
    qint16 resultado = -1;
    QMetaObject::invokeMethod(mficha.get(), "VerificaDescontoPromocionalDeVenda",
                              Q_RETURN_ARG(qint16, resultado));
    return resultado;
}

void TesteDaFichaProduto::modoProdutoComCamposAbertosEValoresTravados() {
    for (const char* nome : {"xrfCodigoDeBarrasDoProduto", "xrfNomeDoProduto", "xrfCodigoInternoDoProduto"})
        QVERIFY2(Campo(nome)->isVisible() && Campo(nome)->Enabled(), nome);
    for (const char* nome : {"xrcmbTiposDeServicos", "xrfNomeDoServico", "xrfCodigoDoServico"})
        QVERIFY2(!ControleDaFicha<QWidget>(nome)->isVisible(), nome);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0,000"_s);
    for (const char* nome : {"xrnumQuantidade", "xrnumValorUnitario", "xrnumPercentualDeDescontoPorItem",
                             "xrnumValorDeDescontoPorItem"}) {
        QVERIFY2(Caixa(nome)->Locked(), nome);
        QCOMPARE(Caixa(nome)->BackColor(), 0xF9F9F9);
    }
}

void TesteDaFichaProduto::codigoDeBarrasComumAchadoOuNao() {
    // A person types an EAN-13 beginning with 7: the product of that bar code.
    Pesquisar("xrfCodigoDeBarrasDoProduto", u" 7891234567895 "_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Produto(), (QStringList{u"Ração Cães 15 kg"_s, u"7891234567895"_s, u"100"_s, u"145"_s,
                                     u"1,000"_s, u"219,90"_s}));
    for (const char* nome : {"xrfNomeDoProduto", "xrfCodigoDeBarrasDoProduto", "xrfCodigoInternoDoProduto"})
        QCOMPARE(Campo(nome)->Status(), XRFind::StatusNenhum);
    QVERIFY(!Caixa("xrnumQuantidade")->Locked());
    QCOMPARE(Caixa("xrnumQuantidade")->BackColor(), 0xFFFFFF);
    QVERIFY(Caixa("xrnumQuantidade")->TemOFoco());
    QVERIFY(ControleDaFicha<OptionButton>("optServico")->Enabled());
    // The pick guards the next key in the name field; the one after it starts a new search.
    Campo("xrfCodigoInternoDoProduto")->setSearchedText(u"100"_s);
    int tecla = Qt::Key_A, shift = 0;
    emit Campo("xrfNomeDoProduto")->KeyDown(tecla, shift);
    QCOMPARE(Campo("xrfCodigoInternoDoProduto")->SearchedText(), u"100"_s);
    emit Campo("xrfNomeDoProduto")->KeyDown(tecla, shift);
    QCOMPARE(Campo("xrfCodigoInternoDoProduto")->SearchedText(), QString());

    // An unknown code and the code of an inactive product: not found, the code kept for a new try.
    for (const QString& codigo : {u"7890000000000"_s, u"7890000000024"_s}) {
        mmensagens.clear();
        Pesquisar("xrfCodigoDeBarrasDoProduto", codigo);
        QCOMPARE(Mensagens(),
                 QStringList{u"Nenhum produto encontrado com o código de barras '"_s + codigo + u"'."_s});
        QCOMPARE(Produto(), (QStringList{QString(), codigo, QString(), u"145"_s, u"1,000"_s, u"0,00"_s}));
        QCOMPARE(Campo("xrfCodigoDeBarrasDoProduto")->Status(), XRFind::StatusNenhum);
        QCOMPARE(Campo("xrfNomeDoProduto")->Status(), XRFind::StatusLimpar);
        QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Status(), XRFind::StatusLimpar);
        QVERIFY(Caixa("xrnumValorUnitario")->Locked());
        QVERIFY(Campo("xrfCodigoDeBarrasDoProduto")->TemOFoco());
    }
    // Clearing the bar code clears the product.
    Campo("xrfCodigoDeBarrasDoProduto")->Limpar();
    QCOMPARE(Produto().mid(0, 3), (QStringList{QString(), QString(), QString()}));
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaFichaProduto::codigoDeBarrasForaDe13Ou14DigitosNaoPesquisa() {
    Campo("xrfNomeDoProduto")->setText(u"Ração"_s);
    for (const QString& codigo : {u"789123456789"_s, u"789123456789512"_s}) {
        mmensagens.clear();
        Pesquisar("xrfCodigoDeBarrasDoProduto", codigo);
        QCOMPARE(Mensagens(), QStringList{u"Informe um código de barras de 13 ou 14 dígitos."_s});
        // Nothing searched, nothing emptied; the code field keeps the focus.
        QCOMPARE(Campo("xrfNomeDoProduto")->Text(), u"Ração"_s);
        QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0,000"_s);
        QVERIFY(Campo("xrfCodigoDeBarrasDoProduto")->TemOFoco());
    }
}

void TesteDaFichaProduto::etiquetaDeBalanca_data() {
    QTest::addColumn<int>("formato");
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<QStringList>("produto");
    // Product 123 sells at 16,90 a kilo; 456 at 10,00.
    QTest::newRow("peso: 1,250 kg")
        << 2 << u"2000123012506"_s
        << QStringList{u"Ração a granel (kg)"_s, QString(), u"123"_s, u"9,2"_s, u"1,250"_s, u"16,90"_s};
    QTest::newRow("peso: 14 dígitos")
        << 2 << u"20001230125060"_s
        << QStringList{u"Ração a granel (kg)"_s, QString(), u"123"_s, u"9,2"_s, u"1,250"_s, u"16,90"_s};
    QTest::newRow("preço: 12,50 a 10,00")
        << 1 << u"2000456012501"_s
        << QStringList{u"Petisco a granel (kg)"_s, QString(), u"456"_s, u"5"_s, u"1,250"_s, u"10,00"_s};
    // A counter scale weighed 0,735 kg at 16,90 and printed the price, 12,42.
    QTest::newRow("preço: 12,42 a 16,90")
        << 1 << u"2000123012421"_s
        << QStringList{u"Ração a granel (kg)"_s, QString(), u"123"_s, u"9,2"_s, u"0,735"_s, u"16,90"_s};
    QTest::newRow("preço: 33,80 a 16,90")
        << 1 << u"2000123033808"_s
        << QStringList{u"Ração a granel (kg)"_s, QString(), u"123"_s, u"9,2"_s, u"2,000"_s, u"16,90"_s};
    QTest::newRow("outro formato")
        << 3 << u"2000123012506"_s
        << QStringList{u"Ração a granel (kg)"_s, QString(), u"123"_s, u"9,2"_s, u"1,000"_s, u"16,90"_s};
}

void TesteDaFichaProduto::etiquetaDeBalanca() {
    QFETCH(int, formato);
    QFETCH(QString, etiqueta);
    QFETCH(QStringList, produto);
    DefinirEmpresa(formato);
    GravarProdutoDeBalanca(456, "Petisco a granel (kg)", 10);
    Pesquisar("xrfCodigoDeBarrasDoProduto", etiqueta);
    QCOMPARE(Mensagens(), QStringList());
    QVERIFY(ErrosExibidos().isEmpty());
    QCOMPARE(Produto(), produto);
    QVERIFY(!Caixa("xrnumQuantidade")->Locked());
    QVERIFY(Caixa("xrnumQuantidade")->TemOFoco());

    // A label of a product that is not registered: the bar code named, the code emptied.
    Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000999005008"_s);
    QCOMPARE(Mensagens(),
             QStringList{u"Nenhum produto encontrado com o código de barras '2000999005008'."_s});
    QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Text(), QString());
    QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Status(), XRFind::StatusLimpar);
    QCOMPARE(Campo("xrfCodigoDeBarrasDoProduto")->Status(), XRFind::StatusNenhum);
    QVERIFY(Campo("xrfCodigoDeBarrasDoProduto")->TemOFoco());
}

void TesteDaFichaProduto::etiquetaDePrecoComValorUnitarioZeroVaiAoRelatorioDeErros() {
    DefinirEmpresa(1);
    GravarProdutoDeBalanca(789, "Brinde a granel", 0);
    Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000789012506"_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(ErrosExibidos().size(), 1);
    QCOMPARE(ErrosExibidos()[0].Numero.toLongLong(), 11);
    QCOMPARE(ErrosExibidos()[0].Descricao.toString(), u"Divisão por zero"_s);
    QCOMPARE(ErrosExibidos()[0].Local.toString(),
             u"ZELT_A_Orcamentos, frmFicha, xrfCodigoDeBarrasDoProduto_Click, Ponto: 9"_s);
    // The product stays as the lookup filled it; the form goes on.
    QCOMPARE(Produto(),
             (QStringList{u"Brinde a granel"_s, QString(), u"789"_s, u"0"_s, u"1,000"_s, u"0,00"_s}));
    QVERIFY(mficha->isVisible() && mficha->isEnabled());
}

void TesteDaFichaProduto::etiquetaSemEmpresaOuComRecusaDaEmpresa() {
    // No company registered: the message after the product was filled in.
    Banco::Executar(u"DELETE FROM Empresa"_s);
    Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000123012506"_s);
    QCOMPARE(Mensagens(),
             QStringList{u"Não foi possível recuperar dados porque empresa não esta cadastrada.\r\n"
                         "Efetue o cadastro e tente novamente"_s});
    QCOMPARE(Produto(),
             (QStringList{u"Ração a granel (kg)"_s, QString(), u"123"_s, u"9,2"_s, u"1,000"_s, u"16,90"_s}));

    // The company's own answers: error, rejection (information), refusal (critical).
    Zelt::RegistrarProgId(ProgId::Empresa, [] { return std::make_unique<EmpresaRoteirizada>(); });
    for (qint16 resultado : {1, 2, 3}) {
        mmensagens.clear();
        ErrosExibidos().clear();
        EmpresaRoteirizada::Resultado = resultado;
        Pesquisar("xrfCodigoDeBarrasDoProduto", u"2000123012506"_s);
        QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"1,000"_s);
        if (resultado == 1) {
            QCOMPARE(mmensagens.size(), 0);
            QCOMPARE(ErrosExibidos().size(), 1);
            QCOMPARE(ErrosExibidos()[0].Numero.toLongLong(), 3704);
            QCOMPARE(ErrosExibidos()[0].Descricao.toString(), u"Empresa indisponível"_s);
            QCOMPARE(ErrosExibidos()[0].Local.toString(), u"ZELT_N_Empresa, clsEmpresa, Selecionar"_s);
        } else {
            QCOMPARE(mmensagens.size(), 1);
            QCOMPARE(mmensagens[0].Texto, u"Cadastro da empresa em revisão."_s);
            QCOMPARE(mmensagens[0].BotoesEIcone,
                     int(resultado == 2 ? Plataforma::vbInformation : Plataforma::vbCritical));
            QVERIFY(ErrosExibidos().isEmpty());
        }
    }
}

void TesteDaFichaProduto::codigoInternoENome() {
    // Two letters in the name: no search.
    Campo("xrfCodigoInternoDoProduto")->setText(u"100"_s);
    Pesquisar("xrfNomeDoProduto", u"Ra"_s);
    QCOMPARE(Mensagens(), QStringList{TresCaracteres});
    QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Text(), u"100"_s);

    // A two-digit code is a search (code field); leading zeros vanish from the pick.
    mmensagens.clear();
    Pesquisar("xrfCodigoInternoDoProduto", u"0200"_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Produto(), (QStringList{u"Shampoo 50% neutro"_s, u"7890000000017"_s, u"200"_s, u"12,3"_s,
                                     u"1,000"_s, u"24,90"_s}));
    QVERIFY(Caixa("xrnumQuantidade")->TemOFoco());

    // Not found by code, then by name: each message names what was searched; the other
    // product fields are emptied and the values locked.
    Pesquisar("xrfCodigoInternoDoProduto", u"99"_s);
    Pesquisar("xrfNomeDoProduto", u" gato "_s);
    QCOMPARE(Mensagens(), (QStringList{u"Nenhum produto encontrado com o código interno '99' informado."_s,
                                       u"Nenhum produto encontrado com o nome 'gato'."_s}));
    QCOMPARE(Produto(), (QStringList{u" gato "_s, QString(), QString(), u"12,3"_s, u"1,000"_s, u"0,00"_s}));
    QCOMPARE(Campo("xrfNomeDoProduto")->Status(), XRFind::StatusNenhum);
    QCOMPARE(Campo("xrfCodigoInternoDoProduto")->Status(), XRFind::StatusLimpar);
    QVERIFY(Caixa("xrnumValorUnitario")->Locked());
    QVERIFY(Campo("xrfNomeDoProduto")->TemOFoco());

    // A name fragment, found regardless of accents and case.
    mmensagens.clear();
    Pesquisar("xrfNomeDoProduto", u"SHAMPOO"_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Produto().at(2), u"200"_s);
}

void TesteDaFichaProduto::variosProdutosNaListaDeEscolha() {
    // "ração" matches products 100 and 123: the pick list, in name order.
    QStringList colunaDoNome;
    bool escolher = false;
    Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
        auto* dialogo = qobject_cast<frmPesquisaDeProdutos*>(janela);
        QVERIFY(dialogo);
        MSFlexGrid* grade = dialogo->Grade();
        colunaDoNome.clear();
        for (int r = 1; r < grade->Rows(); ++r)
            colunaDoNome << grade->TextMatrix(r, frmPesquisaDeProdutos::ColunaNome);
        if (escolher) {
            grade->setRow(2);
            emit grade->Click();
        } else {
            emit dialogo->findChild<XRCommandButton*>(u"xrcmdFechar"_s)->Click();
        }
    });
    Campo("xrfCodigoDeBarrasDoProduto")->setText(u"7891234567895"_s);
    Pesquisar("xrfNomeDoProduto", u"racao"_s);
    QCOMPARE(colunaDoNome, (QStringList{u"Ração a granel (kg)"_s, u"Ração Cães 15 kg"_s}));
    // Closed without a pick: as a failed search, without a message.
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Produto(), (QStringList{u"racao"_s, QString(), QString(), QString(), u"1,000"_s, u"0,00"_s}));
    QCOMPARE(Campo("xrfCodigoDeBarrasDoProduto")->Status(), XRFind::StatusLimpar);
    QVERIFY(Caixa("xrnumQuantidade")->Locked());

    escolher = true;
    Pesquisar("xrfNomeDoProduto", u"racao"_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Produto(), (QStringList{u"Ração Cães 15 kg"_s, u"7891234567895"_s, u"100"_s, u"145"_s,
                                     u"1,000"_s, u"219,90"_s}));
    QVERIFY(!Caixa("xrnumQuantidade")->Locked());
    // The focus arrives once the form is active again after the pick list.
    QTRY_VERIFY(Caixa("xrnumQuantidade")->TemOFoco());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaFichaProduto::promocaoDeVenda_data() {
    const QDate hoje = QDate::currentDate();
    QTest::addColumn<QDate>("inicio");
    QTest::addColumn<QDate>("fim");
    QTest::addColumn<QString>("fimComoTexto"); // stored over the end date when not empty
    QTest::addColumn<bool>("servico");
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("depois");
    QTest::addColumn<int>("resultado");
    const QDate ontem = hoje.addDays(-1), amanha = hoje.addDays(1);
    QTest::newRow("serviço, cliente abaixo")
        << ontem << amanha << QString() << true << u"10"_s << u"15,00"_s << 0;
    QTest::newRow("serviço, cliente acima")
        << ontem << amanha << QString() << true << u"20"_s << u"20"_s << 0;
    QTest::newRow("serviço, cliente igual")
        << ontem << amanha << QString() << true << u"15"_s << u"15"_s << 0;
    QTest::newRow("produto") << ontem << amanha << QString() << false << u"0,00"_s << u"12,00"_s << 0;
    QTest::newRow("um dia só, hoje") << hoje << hoje << QString() << true << u"10"_s << u"15,00"_s << 0;
    QTest::newRow("encerrada ontem") << hoje.addDays(-9) << ontem << QString() << true << u"10"_s << u"10"_s
                                     << 0;
    QTest::newRow("começa amanhã") << amanha << hoje.addDays(9) << QString() << true << u"10"_s << u"10"_s
                                   << 0;
    QTest::newRow("sem data inicial") << QDate() << amanha << QString() << true << u"10"_s << u"10"_s << 0;
    QTest::newRow("data final que não é data")
        << ontem << amanha << u"amanhã"_s << true << u"10"_s << u"10"_s << 1;
}

void TesteDaFichaProduto::promocaoDeVenda() {
    QFETCH(QDate, inicio);
    QFETCH(QDate, fim);
    QFETCH(QString, fimComoTexto);
    QFETCH(bool, servico);
    QFETCH(QString, antes);
    QFETCH(QString, depois);
    QFETCH(int, resultado);
    DefinirEmpresa(2, inicio, fim);
    if (!fimComoTexto.isEmpty())
        Banco::Executar(u"UPDATE Empresa SET DataFinalDaPromocao = ?"_s, {fimComoTexto});
    if (servico) ControleDaFicha<OptionButton>("optServico")->setValue(true);
    Caixa("xrnumPercentualDeDescontoPorItem")->setText(antes);
    QCOMPARE(VerificarPromocao(), qint16(resultado));
    QCOMPARE(Caixa("xrnumPercentualDeDescontoPorItem")->Text(), depois);
    QVERIFY(ErrosExibidos().isEmpty());
    QVERIFY(mmensagens.isEmpty());

    // Without a company record there is no promotion: the percentage is dropped.
    Banco::Executar(u"DELETE FROM Empresa"_s);
    QCOMPARE(VerificarPromocao(), qint16(0));
    QCOMPARE(Caixa("xrnumPercentualDeDescontoPorItem")->Text(), u"0,00"_s);
}

QTEST_MAIN(TesteDaFichaProduto)
#include "tst_ficha_produto.moc"
