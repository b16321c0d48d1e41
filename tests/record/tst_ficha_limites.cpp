// The record form's limits, driven as a person drives it: a value too large for its box is
// refused with a message, never cut; quantity × unit value and the quote's totals stay
// within the money range, the grid and the totals agreeing; the code fields take digits
// only, and a code no search can take is one no record has.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "component/modImpressao.h"
#include "platform/controls/EditorDeTexto.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Totais = u"xrnumValorTotal|xrnumDescontoEmPercentual|xrnumDescontoEmValor|xrnumValorLiquido"_s;

QString NaoCabe(const QString& oQue, const QString& campo) {
    return u"Informe %1 menor. O valor informado não cabe no campo '%2'."_s.arg(oQue, campo);
}

// The stored items' column (or expression) of the latest quote.
qint64 DoUltimoOrcamento(const QString& expressao) {
    return BancoDeTeste::Numero(u"SELECT %1 FROM ItensDeOrcamento WHERE NumeroDoOrcamento = "
                                u"(SELECT MAX(NumeroDoOrcamento) FROM Orcamentos)"_s.arg(expressao));
}

} // namespace

class TesteDosLimitesDaFicha : public TesteDaFicha {
    Q_OBJECT

private slots:
    void valorQueNaoCabeNaCaixaRecusadoSemCortar();
    void dinheiroDentroDoIntervaloDaMoeda();
    void camposDeCodigoSoComDigitos();

private:
    template <class T = Controle> T* No(const QString& nome) const {
        return ControleDaFicha<T>(nome.toLatin1().constData());
    }
    QLineEdit* Editor(const QString& nome) const {
        if (auto* caixa = No<XRNumberBox>(nome)) return caixa->Editor();
        return No<XRFind>(nome)->Editor();
    }
    void Ativar() {
        mficha->show();
        mficha->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
    }
    // Into the control, its text selected, typed over key by key.
    void Digitar(const QString& nome, const QString& texto) {
        No(nome)->SetFocus();
        Editor(nome)->selectAll();
        for (const QChar letra : texto)
            QTest::sendKeyEvent(QTest::Click, Editor(nome), Qt::Key_unknown, QString(letra), Qt::NoModifier);
    }
    void Colar(const QString& nome, const QString& texto) {
        QGuiApplication::clipboard()->setText(texto);
        No(nome)->SetFocus();
        Editor(nome)->selectAll();
        QTest::keyClick(Editor(nome), Qt::Key_V, Qt::ControlModifier);
    }
    void Pesquisar(const QString& campo, const QString& texto) {
        Digitar(campo, texto);
        No<XRFind>(campo)->Pesquisar();
    }
    // The service type picked in the list as a person picks it.
    void EscolherTipo(int lintTipo) {
        auto* tipos = No<XRComboBox>(u"xrcmbTiposDeServicos"_s);
        for (int i = 0; i < tipos->ListCount(); ++i) {
            if (tipos->ItemData(i) != lintTipo) continue;
            tipos->Caixa()->setCurrentIndex(i);
            emit tipos->Caixa()->activated(i);
        }
    }
    void Clicar(const QString& comando) { emit No<XRCommandButton>(comando)->Click(); }
    // The named controls' Text, "|"-separated.
    QString Textos(const QString& nomes) const {
        QStringList textos;
        for (const QString& nome : nomes.split(u'|'))
            textos << No(nome)->property("Text").toString();
        return textos.join(u'|');
    }
    // The messages shown so far, "|"-separated, then forgotten.
    QString TomarMensagens() {
        QStringList textos;
        for (const MensagemExibida& mensagem : std::as_const(mmensagens))
            textos << mensagem.Texto;
        mmensagens.clear();
        return textos.join(u'|');
    }
    QString Foco() const {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (w->parentWidget() == mficha.get()) return w->objectName();
        return QString();
    }
    MSFlexGrid* Grade() const { return No<MSFlexGrid>(u"msfgGradeDeItensDoOrcamento"_s); }
};

void TesteDosLimitesDaFicha::valorQueNaoCabeNaCaixaRecusadoSemCortar() {
    AbrirDoHost();
    Ativar();
    No<OptionButton>(u"optProduto"_s)->setValue(true);
    Pesquisar(u"xrfCodigoInternoDoProduto"_s, u"100"_s);
    QCOMPARE(Textos(u"xrnumQuantidade|xrnumValorUnitario"_s) + TomarMensagens(), u"1,000|219,90"_s);
    // Each value whose text, as its box shows it, would pass the box: refused on leaving
    // with the box's name, the typed text kept and the focus in the box; then a value that fits.
    const QList<QStringList> casos{
        {u"xrnumQuantidade"_s, u"1000000000"_s, NaoCabe(u"uma quantidade"_s, u"Qtde."_s), u"1000000"_s},
        {u"xrnumValorUnitario"_s, u"99999999999999"_s, NaoCabe(u"um valor unitário"_s, u"Val. Unit."_s),
         u"219,90"_s},
        {u"xrnumValorDeDescontoPorItem"_s, u"999999999999"_s,
         NaoCabe(u"um valor de desconto"_s, u"Val. Desc."_s), u"0"_s},
        {u"xrnumPercentualDeDescontoPorItem"_s, u"999999999999"_s,
         NaoCabe(u"um percentual de desconto"_s, u"(%) Desc."_s), u"0"_s},
    };
    for (const QStringList& caso : casos) {
        const QString outra =
            caso[0] == u"xrnumQuantidade"_s ? u"xrnumValorUnitario"_s : u"xrnumQuantidade"_s;
        Digitar(caso[0], caso[1]);
        No(outra)->SetFocus();
        QCOMPARE(TomarMensagens() + u'|' + Textos(caso[0]) + u'|' + Foco(),
                 caso[2] + u'|' + caso[1] + u'|' + caso[0]);
        Digitar(caso[0], caso[3]);
        No(outra)->SetFocus();
        QCOMPARE(TomarMensagens(), QString());
    }
    QCOMPARE(Textos(u"xrnumQuantidade|xrnumValorUnitario|xrnumPercentualDeDescontoPorItem|"
                    u"xrnumValorDeDescontoPorItem"_s),
             u"1.000.000,00|219,90|0,00|0,00"_s);
    // The million goes into the grid, the totals and the stored quote whole.
    Clicar(u"xrcmdAdicionar"_s);
    QCOMPARE(Grade()->TextMatrix(1, GradeDeItens::Quantidade) + u'|' + Textos(Totais),
             u"1.000.000,000|219.900.000,00|0,00|0,00|219.900.000,00"_s);
    modImpressao::ImprimirFicha = [](double, VB::Currency, VB::Currency, VB::Currency, VB::Currency) {};
    Clicar(u"xrcmdSalvarFecharConfirmar"_s);
    modImpressao::ImprimirFicha = nullptr;
    QCOMPARE(DoUltimoOrcamento(u"Quantidade"_s), 1000000LL * 10000);
    QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
}

void TesteDosLimitesDaFicha::dinheiroDentroDoIntervaloDaMoeda() {
    const QString itemAcima =
        u"Valor total do item ultrapassa o limite permitido. Informe uma quantidade ou um "
        u"valor unitário menor."_s;
    const QString orcamentoAcima =
        u"Valor total do orçamento ultrapassa o limite permitido. Este item não pode ser adicionado."_s;
    AbrirDoHost();
    Ativar();
    // The consultation found, without the client's discount, at 900 million a unit.
    const auto Consulta = [&](const QString& quantidade) {
        EscolherTipo(1);
        Pesquisar(u"xrfCodigoDoServico"_s, u"1"_s);
        Digitar(u"xrnumPercentualDeDescontoPorItem"_s, u"0"_s);
        Digitar(u"xrnumValorUnitario"_s, u"900000000"_s);
        Digitar(u"xrnumQuantidade"_s, quantidade);
        No(u"xrnumValorUnitario"_s)->SetFocus();
    };
    // 1.100.000 × 900.000.000 passes the money range: refused as it is typed.
    Consulta(u"1100000"_s);
    QCOMPARE(TomarMensagens() + u'|' + Foco(), itemAcima + u"|xrnumQuantidade"_s);
    Digitar(u"xrnumQuantidade"_s, u"600000"_s);
    No(u"xrnumValorUnitario"_s)->SetFocus();
    Clicar(u"xrcmdAdicionar"_s);
    const QString umItem = u"540.000.000.000.000,00|0,00|0,00|540.000.000.000.000,00"_s;
    QCOMPARE(QString::number(Grade()->Rows()) + u'|' + Textos(Totais), u"2|"_s + umItem);
    // A second one would pass it in the quote's total: refused before the grid takes it.
    Consulta(u"600000"_s);
    Clicar(u"xrcmdAdicionar"_s);
    QCOMPARE(TomarMensagens() + u'|' + Foco(), orcamentoAcima + u"|xrnumQuantidade"_s);
    QCOMPARE(QString::number(Grade()->Rows()) + u'|' + Textos(Totais), u"2|"_s + umItem);
    QVERIFY(ErrosExibidos().isEmpty());
    // Stored whole: the header is the sum of its items (without discount, their totals).
    Digitar(u"xrnumQuantidade"_s, u"1"_s);
    No(u"xrnumValorUnitario"_s)->SetFocus();
    Clicar(u"xrcmdAdicionar"_s);
    modImpressao::ImprimirFicha = [](double, VB::Currency, VB::Currency, VB::Currency, VB::Currency) {};
    Clicar(u"xrcmdSalvarFecharConfirmar"_s);
    modImpressao::ImprimirFicha = nullptr;
    QCOMPARE(DoUltimoOrcamento(u"SUM(ValorTotal)"_s), 540000900000000LL * 10000);
    QCOMPARE(BancoDeTeste::Numero("SELECT ValorTotal FROM Orcamentos ORDER BY NumeroDoOrcamento DESC"),
             540000900000000LL * 10000);
    QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
}

void TesteDosLimitesDaFicha::camposDeCodigoSoComDigitos() {
    AbrirDaLista(frmFicha::Inclusao);
    Ativar();
    const QString codigoDoCliente = u"xrfCodigoDoCliente"_s;
    const QString cliente =
        u"xrfCodigoDoCliente|xrfApelidoOuNomeFantasiaDoCliente|xrfNomeOuRazaoSocialDoCliente"_s;
    // A pasted text keeps its digits.
    Colar(codigoDoCliente, u"Cód. 1"_s);
    No<XRFind>(codigoDoCliente)->Pesquisar();
    QCOMPARE(Textos(cliente) + TomarMensagens(), u"1|João|João da Silva"_s);
    // Digits no number holds: no client has them, the code quoted as typed.
    Pesquisar(codigoDoCliente, u"12345678901234567890"_s);
    QCOMPARE(TomarMensagens(), u"Nenhum cliente encontrado com o código '12345678901234567890' informado."_s);
    // The nickname is no code field: it takes letters and finds by them.
    Pesquisar(u"xrfApelidoOuNomeFantasiaDoCliente"_s, u"João"_s);
    QCOMPARE(Textos(cliente) + TomarMensagens(), u"1|João|João da Silva"_s);

    EscolherTipo(1);
    Pesquisar(u"xrfCodigoDoServico"_s, u"x1"_s);
    QCOMPARE(Textos(u"xrfCodigoDoServico|xrfNomeDoServico"_s) + TomarMensagens(), u"1|Consulta clínica"_s);
    Pesquisar(u"xrfCodigoDoServico"_s, u"9999999999999999"_s);
    QCOMPARE(TomarMensagens(), u"Nenhum serviço encontrado com o código '9999999999999999' informado e com o "
                               u"tipo de serviço 'Clínicos'."_s);

    No<OptionButton>(u"optProduto"_s)->setValue(true);
    Pesquisar(u"xrfCodigoInternoDoProduto"_s, u"10o0"_s);
    QCOMPARE(Textos(u"xrfCodigoInternoDoProduto|xrfNomeDoProduto"_s) + TomarMensagens(),
             u"100|Ração Cães 15 kg"_s);
    const QString milDigitos = QString(999, u'9');
    Pesquisar(u"xrfCodigoInternoDoProduto"_s, milDigitos);
    QCOMPARE(TomarMensagens(),
             u"Nenhum produto encontrado com o código interno '%1' informado."_s.arg(milDigitos));
    Pesquisar(u"xrfCodigoDeBarrasDoProduto"_s, u"789-1234567895"_s);
    QCOMPARE(Textos(u"xrfCodigoDeBarrasDoProduto|xrfNomeDoProduto"_s) + TomarMensagens(),
             u"7891234567895|Ração Cães 15 kg"_s);
    QVERIFY(ErrosExibidos().isEmpty());
}

QTEST_MAIN(TesteDosLimitesDaFicha)
#include "tst_ficha_limites.moc"
