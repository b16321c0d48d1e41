// The service item of the record form, driven through its fields as a person does: the
// type list, the code and name searches within a type, the pick list that offers the
// form's own types, and a registry without service types.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "search/frmPesquisaDeServicos.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Titulo = u"Clínica Escola"_s;

// The service types' selection failing, as a broken business layer answers.
class TiposDeServFalhando final : public ZELT_N_TipoDeServ::clsTiposDeServ {
public:
    QVariant SelecionarParaComboBox(double&) override {
        NumeroDoErro = 3704;
        DescricaoDoErro = u"Tipos indisponíveis"_s;
        LocalDoErro = u"ZELT_N_TipoDeServ, clsTiposDeServ, SelecionarParaComboBox"_s;
        return true;
    }
};

void GravarServico(qint64 codigo, qint32 tipo, const char* nome, double venda) {
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::Servico s;
    s.Codigo = codigo;
    s.NumeroDoTipoDeServico = tipo;
    s.Nome = QString::fromUtf8(nome);
    s.Custo = VB::Currency::DeDouble(venda * 0.4);
    s.ValorDeVenda = VB::Currency::DeDouble(venda);
    Cadastros::GravarServico(s);
    unidade.Confirmar();
}

} // namespace

class TesteDaFichaServico : public TesteDaFicha {
    Q_OBJECT

private slots:
    void initTestCase_data() { BancoDeTeste::LinhasDosBancos(); }
    void initTestCase() { IniciarTestes(); }
    void init() { IniciarCaso(); }
    void cleanup() { EncerrarCaso(); }

    void listaDeTiposECamposFechadosAteEscolherUmTipo();
    void outroTipoEsvaziaCodigoNomeQuantidadeEValores();
    void pesquisaPorNomeSemTipo();
    void pesquisaPorCodigoENomeDentroDoTipo();
    void variosServicosNaListaDeEscolha();
    void nenhumTipoDeServicoCadastradoOuFalhaAoLer();

private:
    void Abrir();
    XRFind* Campo(const char* nome) const { return ControleDaFicha<XRFind>(nome); }
    XRNumberBox* Caixa(const char* nome) const { return ControleDaFicha<XRNumberBox>(nome); }
    XRComboBox* Tipos() const { return ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos"); }
    void Pesquisar(const char* campo, const QString& texto);
    // The type number selected (-1 none).
    int TipoSelecionado() const;
    // Code, name, cost (the name's tag), quantity, unit value, discount percentage.
    QStringList Servico() const;
    QStringList Mensagens() const;
};

void TesteDaFichaServico::Abrir() {
    AbrirDoHost(1, 10);
    QVERIFY(QTest::qWaitForWindowActive(mficha.get()));
}

void TesteDaFichaServico::Pesquisar(const char* campo, const QString& texto) {
    Campo(campo)->setText(texto);
    Campo(campo)->Pesquisar();
}

int TesteDaFichaServico::TipoSelecionado() const {
    return Tipos()->ListIndex() == -1 ? -1 : Tipos()->ItemData(Tipos()->ListIndex());
}

QStringList TesteDaFichaServico::Servico() const {
    return {Campo("xrfCodigoDoServico")->Text(), Campo("xrfNomeDoServico")->Text(),
            Campo("xrfNomeDoServico")->Tag(),    Caixa("xrnumQuantidade")->Text(),
            Caixa("xrnumValorUnitario")->Text(), Caixa("xrnumPercentualDeDescontoPorItem")->Text()};
}

QStringList TesteDaFichaServico::Mensagens() const {
    QStringList textos;
    for (const MensagemExibida& m : mmensagens) {
        if (m.Titulo != Titulo) textos << u"(título errado) "_s + m.Titulo;
        if (m.BotoesEIcone != Plataforma::vbInformation) textos << u"(ícone errado)"_s;
        textos << m.Texto;
    }
    return textos;
}

void TesteDaFichaServico::listaDeTiposECamposFechadosAteEscolherUmTipo() {
    Abrir();
    QStringList entradas;
    for (int i = 0; i < Tipos()->ListCount(); ++i)
        entradas << Tipos()->List(i) + u'=' + QString::number(Tipos()->ItemData(i));
    QCOMPARE(entradas,
             (QStringList{u"(Todos)=0"_s, u"Clínicos=1"_s, u"Cirurgia simples=2"_s, u"Cirurgia média=3"_s,
                          u"Cirurgia complexa=4"_s, u"Banhos, tosas e estéticas=5"_s, u"Hospedagens=6"_s,
                          u"Adestramentos=7"_s, u"Outros=99"_s}));
    QCOMPARE(Tipos()->ListIndex(), -1);
    QVERIFY(Tipos()->isVisible() && Tipos()->Enabled());
    QVERIFY(!Campo("xrfNomeDoServico")->Enabled() && !Campo("xrfCodigoDoServico")->Enabled());
    QVERIFY(!Campo("xrfCodigoDeBarrasDoProduto")->isVisible());
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0"_s);
    // Choosing a type opens the code and the name.
    Tipos()->setListIndex(1);
    QVERIFY(Campo("xrfNomeDoServico")->Enabled() && Campo("xrfCodigoDoServico")->Enabled());
}

void TesteDaFichaServico::outroTipoEsvaziaCodigoNomeQuantidadeEValores() {
    Abrir();
    Tipos()->setListIndex(1);
    Pesquisar("xrfCodigoDoServico", u"1"_s);
    QCOMPARE(Servico(),
             (QStringList{u"1"_s, u"Consulta clínica"_s, u"48"_s, u"1"_s, u"120,00"_s, u"0,00"_s}));
    Caixa("xrnumPercentualDeDescontoPorItem")->setText(u"5,00"_s);
    Caixa("xrnumValorDeDescontoPorItem")->setText(u"6,00"_s);
    Tipos()->setListIndex(5);
    QCOMPARE(Servico().mid(0, 2), (QStringList{QString(), QString()}));
    QCOMPARE(Campo("xrfCodigoDoServico")->Status(), XRFind::StatusLimpar);
    QCOMPARE(Campo("xrfNomeDoServico")->Status(), XRFind::StatusLimpar);
    for (const char* nome :
         {"xrnumValorUnitario", "xrnumPercentualDeDescontoPorItem", "xrnumValorDeDescontoPorItem"})
        QCOMPARE(Caixa(nome)->Text(), u"0,00"_s);
    QCOMPARE(Caixa("xrnumQuantidade")->Text(), u"0"_s);
    QVERIFY(Campo("xrfNomeDoServico")->Enabled() && Campo("xrfCodigoDoServico")->Enabled());
    QVERIFY(mmensagens.isEmpty());
}

void TesteDaFichaServico::pesquisaPorNomeSemTipo() {
    Abrir();
    // With a type chosen, the person clicks "Serviço" again: the type goes, the fields stay open.
    Tipos()->setListIndex(1);
    QTest::mouseClick(ControleDaFicha<OptionButton>("optServico"), Qt::LeftButton);
    QCOMPARE(Tipos()->ListIndex(), -1);
    QVERIFY(Campo("xrfNomeDoServico")->Enabled());
    Campo("xrfCodigoDoServico")->setText(u"1"_s);
    Pesquisar("xrfNomeDoServico", u"Consulta"_s);
    QCOMPARE(Mensagens(), QStringList{u"Selecione o tipo de serviço."_s});
    QVERIFY(Tipos()->TemOFoco());
    // No search: the code is still there, nothing filled.
    QCOMPARE(Servico(), (QStringList{u"1"_s, u"Consulta"_s, QString(), u"0"_s, u"0,00"_s, u"0,00"_s}));

    // Two letters are refused before the type is even looked at.
    mmensagens.clear();
    Pesquisar("xrfNomeDoServico", u"Co"_s);
    QCOMPARE(Mensagens(), QStringList{u"Informe 3 caracteres ou mais para iniciar a pesquisa."_s});
}

void TesteDaFichaServico::pesquisaPorCodigoENomeDentroDoTipo() {
    Abrir();
    // "(Todos)" searches every type: service 3 is a simple surgery, and its type is selected.
    Tipos()->setListIndex(0);
    Pesquisar("xrfCodigoDoServico", u"3"_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Servico(),
             (QStringList{u"3"_s, u"Castração de gato"_s, u"140"_s, u"1"_s, u"350,00"_s, u"0,00"_s}));
    QCOMPARE(TipoSelecionado(), 2);
    QCOMPARE(Campo("xrfCodigoDoServico")->Status(), XRFind::StatusNenhum);
    QCOMPARE(Campo("xrfNomeDoServico")->Status(), XRFind::StatusNenhum);
    QVERIFY(!Caixa("xrnumQuantidade")->Locked());
    QVERIFY(Caixa("xrnumQuantidade")->TemOFoco());

    // Within "Clínicos" service 3 is not found; the message names the code and the type.
    Tipos()->setListIndex(1);
    Pesquisar("xrfCodigoDoServico", u" 3 "_s);
    QCOMPARE(
        Mensagens(),
        QStringList{
            u"Nenhum serviço encontrado com o código '3' informado e com o tipo de serviço 'Clínicos'."_s});
    QCOMPARE(Campo("xrfCodigoDoServico")->Status(), XRFind::StatusNenhum);
    QCOMPARE(Campo("xrfNomeDoServico")->Status(), XRFind::StatusLimpar);
    QVERIFY(Caixa("xrnumQuantidade")->Locked());
    QVERIFY(Campo("xrfCodigoDoServico")->TemOFoco());

    // By name within the type, accents and case aside; the inactive service is not offered.
    mmensagens.clear();
    Pesquisar("xrfNomeDoServico", u"  VACINA "_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Servico(), (QStringList{u"2"_s, u"Vacina V10"_s, u"36"_s, u"1"_s, u"90,00"_s, u"0,00"_s}));
    QCOMPARE(TipoSelecionado(), 1);
    QVERIFY(Caixa("xrnumQuantidade")->TemOFoco());
    // The pick guards the next key in the name field; the one after it starts a new search.
    Campo("xrfCodigoDoServico")->setSearchedText(u"2"_s);
    int tecla = Qt::Key_A, shift = 0;
    emit Campo("xrfNomeDoServico")->KeyDown(tecla, shift);
    QCOMPARE(Campo("xrfCodigoDoServico")->SearchedText(), u"2"_s);
    emit Campo("xrfNomeDoServico")->KeyDown(tecla, shift);
    QCOMPARE(Campo("xrfCodigoDoServico")->SearchedText(), QString());

    Pesquisar("xrfNomeDoServico", u"antiga"_s);
    QCOMPARE(Mensagens(),
             QStringList{u"Nenhum serviço encontrado com o nome 'antiga' informado e com o tipo de "
                         "serviço 'Clínicos'."_s});
    QCOMPARE(Servico(), (QStringList{QString(), u"antiga"_s, u"36"_s, u"1,000"_s, u"0,00"_s, u"0,00"_s}));
    QCOMPARE(Campo("xrfCodigoDoServico")->Status(), XRFind::StatusLimpar);
    QVERIFY(Campo("xrfNomeDoServico")->TemOFoco());

    // Clearing the code clears the name and the values.
    Pesquisar("xrfCodigoDoServico", u"1"_s);
    Campo("xrfCodigoDoServico")->Limpar();
    QCOMPARE(Servico().mid(0, 2), (QStringList{QString(), QString()}));
    QVERIFY(Caixa("xrnumValorUnitario")->Locked());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaFichaServico::variosServicosNaListaDeEscolha() {
    GravarServico(6, 3, "Castração de cão", 420);
    Abrir();
    QStringList tiposDoDialogo, codigos;
    int selecaoDoDialogo = -2, selecaoDaFicha = -2;
    bool escolher = false;
    Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
        auto* dialogo = qobject_cast<frmPesquisaDeServicos*>(janela);
        QVERIFY(dialogo);
        XRComboBox* tipos = dialogo->TiposDeServicos();
        tiposDoDialogo.clear();
        for (int i = 0; i < tipos->ListCount(); ++i)
            tiposDoDialogo << tipos->List(i) + u'=' + QString::number(tipos->ItemData(i));
        selecaoDoDialogo = tipos->ListIndex();
        selecaoDaFicha = Tipos()->ListIndex();
        MSFlexGrid* grade = dialogo->Grade();
        codigos.clear();
        for (int r = 1; r < grade->Rows(); ++r)
            codigos << grade->TextMatrix(r, frmPesquisaDeServicos::ColunaCodigo);
        if (escolher) {
            grade->setRow(codigos.indexOf(u"3"_s) + 1);
            emit grade->Click();
        } else {
            emit dialogo->findChild<XRCommandButton*>(u"xrcmdFechar"_s)->Click();
        }
    });
    // This form's list with one type removed: the dialog must show this copy, not its own.
    Tipos()->RemoveItem(8);
    Tipos()->setListIndex(0);
    Campo("xrfCodigoDoServico")->setText(u"9"_s);
    Pesquisar("xrfNomeDoServico", u"castracao"_s);
    QCOMPARE(codigos, (QStringList{u"6"_s, u"3"_s}));
    QCOMPARE(tiposDoDialogo.size(), 8);
    QCOMPARE(tiposDoDialogo.first(), u"(Todos)=0"_s);
    QCOMPARE(tiposDoDialogo.last(), u"Adestramentos=7"_s);
    QCOMPARE(selecaoDoDialogo, 0);
    QCOMPARE(selecaoDaFicha, 0);
    // Closed without a pick: as a failed search, without a message; the type stays.
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Servico(),
             (QStringList{QString(), u"castracao"_s, QString(), u"1,000"_s, u"0,00"_s, u"0,00"_s}));
    QCOMPARE(TipoSelecionado(), 0);
    QVERIFY(Caixa("xrnumValorUnitario")->Locked());

    escolher = true;
    Pesquisar("xrfNomeDoServico", u"castracao"_s);
    QCOMPARE(Mensagens(), QStringList());
    QCOMPARE(Servico(),
             (QStringList{u"3"_s, u"Castração de gato"_s, u"140"_s, u"1"_s, u"350,00"_s, u"0,00"_s}));
    // The form's type follows the chosen service, without emptying what was filled.
    QCOMPARE(TipoSelecionado(), 2);
    QVERIFY(!Caixa("xrnumValorUnitario")->Locked());
    QTRY_VERIFY(Caixa("xrnumQuantidade")->TemOFoco());
    QVERIFY(!modPrincipal::IgnorarCliqueDoComboTiposDeServicos);
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaFichaServico::nenhumTipoDeServicoCadastradoOuFalhaAoLer() {
    Banco::Executar(u"DELETE FROM Servicos"_s);
    Banco::Executar(u"DELETE FROM TiposDeServicos"_s);
    AbrirDaLista(frmFicha::Inclusao);
    QCOMPARE(Mensagens(),
             (QStringList{u"Nenhum tipo de serviço cadastrado.\r\nÉ necessário ter no mínimo um tipo "
                          "de serviço cadastrado para incluir um item de orçamento."_s,
                          u"Erro no localização dos tipos de serviço."_s}));
    QVERIFY(!mficha->isVisible());
    QVERIFY(ChamadasDoFundoEscuro().contains(qMakePair(u"Remover"_s, modPrincipal::FomularioDoMenu_hWnd)));
    QVERIFY(ErrosExibidos().isEmpty());

    // The selection fails: the component's error, then the same message; from the host
    // the dark background is not touched.
    mmensagens.clear();
    ChamadasDoFundoEscuro().clear();
    Zelt::RegistrarProgId(ProgId::TiposDeServ, [] { return std::make_unique<TiposDeServFalhando>(); });
    AbrirDoHost(1, 10);
    QCOMPARE(ErrosExibidos().size(), 1);
    QCOMPARE(ErrosExibidos()[0].Numero.toLongLong(), 3704);
    QCOMPARE(ErrosExibidos()[0].Descricao.toString(), u"Tipos indisponíveis"_s);
    QCOMPARE(ErrosExibidos()[0].Local.toString(),
             u"ZELT_N_TipoDeServ, clsTiposDeServ, SelecionarParaComboBox"_s);
    QCOMPARE(Mensagens(), QStringList{u"Erro no localização dos tipos de serviço."_s});
    QVERIFY(ChamadasDoFundoEscuro().isEmpty());
    QVERIFY(!mficha->isVisible());
}

QTEST_MAIN(TesteDaFichaServico)
#include "tst_ficha_servico.moc"
