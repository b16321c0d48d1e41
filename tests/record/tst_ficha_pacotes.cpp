// A procedure package added to the record form through its controls: each item to the
// cent as typed by hand for a client with standing discounts during a promotion, the
// inactive one named and left out, the mark after the specified columns, the estimate
// under the totals, and what the save stores; a weight no band holds adds nothing.

#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "record/frmPacoteDaFicha.h"
#include "tests/Controles.h"

#include <QComboBox>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace GradeDeItens;

class TesteDaFichaComPacotes : public TesteDaFicha {
    Q_OBJECT

    // "Castração" for any species, one band up to 10 kg: consultation (type 1),
    // cat castration (type 2), two bags of food "se necessário", the inactive consultation.
    void Preparar() override {
        BancoDeTeste::PromocaoEDescontosDaMaria();
        auto pacotes = BancoDeTeste::Objeto<ZELT_N_Orcamentos::clsPacotesDeProcedimentos>(
            ProgId::PacotesDeProcedimentos, musuario.get());
        pacotes->Pacote = {0, u"Castração"_s, {}, {{VB::Currency(), VB::Currency::DeInteiro(10), {}}}};
        auto& itens = pacotes->Pacote.Faixas[0].Itens;
        itens.append({LancamentoDeServico, 1, VB::Currency::DeInteiro(1), false, {}});
        itens.append({LancamentoDeServico, 3, VB::Currency::DeInteiro(1), false, {}});
        itens.append({LancamentoDeProduto, 100, VB::Currency::DeInteiro(2), true, {}});
        itens.append({LancamentoDeServico, 5, VB::Currency::DeInteiro(1), false, {}});
        QCOMPARE(pacotes->Gravar(), Resultado::Sucesso);
        // Answers the package's window with the first package and that weight.
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            auto* dialogo = qobject_cast<frmPacoteDaFicha*>(janela);
            if (!dialogo) return;
            mstrPesoOferecido = dialogo->findChild<XRNumberBox*>(u"xrnumPeso"_s)->Text();
            dialogo->findChild<XRComboBox*>(u"xrcmbPacote"_s)->setListIndex(0);
            dialogo->findChild<XRNumberBox*>(u"xrnumPeso"_s)->setText(mstrPeso);
            emit dialogo->findChild<XRCommandButton*>(u"xrcmdConfirmar"_s)->Click();
        });
    }

    // Cells 1 to 15 and the mark of a grid row.
    QString Linha(int r) {
        return LinhaDaGrade(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento"), r,
                            TipoDeServicoOuCodigoDeBarras, CodigoDaSituacao);
    }
    QString Marca(int r) {
        return ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->TextMatrix(r, ColunaSeNecessario);
    }
    QString mstrPeso = u"3,8"_s;
    QString mstrPesoOferecido;

private slots:
    void pacote_igual_aos_itens_digitados() {
        AbrirDaLista(frmFicha::Inclusao);
        Compor({u"servico 1"_s});
        auto* tipos =
            ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos")->findChild<QComboBox*>(u"cmbLista"_s);
        tipos->setCurrentIndex(2);
        emit tipos->activated(2);
        Pesquisar("xrfCodigoDoServico", u"3"_s);
        Clicar("xrcmdAdicionar");
        ControleDaFicha<OptionButton>("optProduto")->setValue(true);
        Pesquisar("xrfCodigoInternoDoProduto", u"100"_s);
        ControleDaFicha<XRNumberBox>("xrnumQuantidade")->setText(u"2,000"_s);
        Clicar("xrcmdAdicionar");
        QCOMPARE(Mensagens(), QStringList());
        Clicar("xrcmdAdicionarPacote");
        QCOMPARE(mstrPesoOferecido, QString()); // Luna was never weighed
        QCOMPARE(Mensagens(), QStringList{u"Estes itens do pacote não estão ativos no cadastro e não foram "
                                          "adicionados:\r\nServiço 5 (Consulta antiga)"_s});
        QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows(), 7);
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(Linha(r + 3), Linha(r));
            QCOMPARE(Marca(r) + u'|' + Marca(r + 3), r == 3 ? u"|Sim"_s : u"|"_s);
        }
        QCOMPARE(Linha(4), u"1|1|Consulta clínica|12|Luna|1|120,00|12,00|14,40|105,60|48,00|0|1|1|1"_s);
        QCOMPARE(Linha(5).section(u'|', 6, 9), u"350,00|10,00|35,00|315,00"_s);
        QCOMPARE(Propriedades("Text", Totais), u"1.819,60|5,43|98,80|1.720,80"_s);
        QCOMPARE(Propriedades("Caption", u"lblEstimativa"_s), u"Estimativa: de R$ 1.281,00 a R$ 1.720,80"_s);
        QCOMPARE(Propriedades("Visible", u"lblEstimativa"_s), u"true"_s);
        auto* grade = ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
        QCOMPARE(grade->ColWidth(ColunaSeNecessario), 1500);
        QCOMPARE(grade->ScrollBars(), 3); // six items, and the column beyond the grid's width

        Clicar("xrcmdSalvarFecharConfirmar");
        QCOMPARE(BancoDeTeste::Textos(u"SELECT ValorLiquido || '|' || (SELECT SUM(ValorTotal) FROM "
                                      "ItensDeOrcamento) FROM Orcamentos"_s),
                 QStringList{u"17208000|17208000"_s});
        QCOMPARE(BancoDeTeste::Textos(u"SELECT NumeroDoItemDoOrcamento FROM ItensSeNecessario"_s),
                 QStringList{u"6"_s});
        QCOMPARE(BancoDeTeste::Textos(u"SELECT CodigoDoAnimal || '|' || Peso FROM PesosDosOrcamentos"_s),
                 QStringList{u"12|38000"_s});
        auto pacotes =
            Zelt::CriarObjeto<ZELT_N_Orcamentos::clsPacotesDeProcedimentos>(ProgId::PacotesDeProcedimentos);
        QCOMPARE(pacotes->LerEstimativa(1), Resultado::Sucesso);
        QCOMPARE(VB::Format(QVariant::fromValue(pacotes->ValorMinimo), u"#,##0.00"_s), u"1.281,00"_s);
    }

    // The animal's last weight offered; one no band holds: the message, nothing added.
    void peso_fora_das_faixas() {
        Banco::Executar(
            u"INSERT INTO PesosDosOrcamentos (NumeroDoOrcamento, CodigoDoAnimal, Peso) VALUES (?, "
            "12, 42500)"_s,
            {static_cast<qint64>(GravarOrcamento())});
        AbrirDaLista(frmFicha::Inclusao);
        Compor({});
        mstrPeso = u"12"_s;
        Clicar("xrcmdAdicionarPacote");
        QCOMPARE(mstrPesoOferecido, u"4,25"_s);
        QCOMPARE(Mensagens(),
                 QStringList{u"Nenhuma faixa do pacote Castração serve para 12 kg (até 10 kg). Nada "
                             "foi adicionado."_s});
        QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows(), 1);
        QCOMPARE(Propriedades("Visible", u"lblEstimativa"_s), u"false"_s);
    }

    // The marked item taken back with "Alterar" and added again keeps its mark (the one
    // not marked stays so); the form stops unsaved, and its copy brings back the marks and
    // the weight, which the save stores.
    void marca_e_peso_no_alterar_e_na_copia_de_recuperacao() {
        mstrPeso = u"3,8"_s;
        AbrirDaLista(frmFicha::Inclusao);
        Compor({});
        Clicar("xrcmdAdicionarPacote");
        auto* grade = ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
        QCOMPARE(grade->Rows(), 4);
        const QString estimativa = Propriedades("Caption", u"lblEstimativa"_s);
        QVERIFY(estimativa.startsWith(u"Estimativa: de "_s));
        for (const int r : {3, 1}) {
            grade->setRow(r);
            Clicar("xrcmdAlterar");
            Clicar("xrcmdAdicionar");
        }
        QStringList linhas, marcas;
        for (int r = 1; r < grade->Rows(); ++r)
            linhas << Linha(r), marcas << Marca(r);
        QCOMPARE(marcas, (QStringList{u""_s, u"Sim"_s, u""_s}));
        QCOMPARE(Linha(2).section(u'|', 2, 2), u"Ração Cães 15 kg"_s);
        QCOMPARE(Propriedades("Caption", u"lblEstimativa"_s), estimativa);

        mficha.reset();
        mmensagens.clear();
        mrespostas << Plataforma::vbYes;
        AbrirDaLista(frmFicha::Inclusao);
        grade = ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
        QStringList recuperadas, marcasRecuperadas;
        for (int r = 1; r < grade->Rows(); ++r)
            recuperadas << Linha(r), marcasRecuperadas << Marca(r);
        QCOMPARE(recuperadas, linhas);
        QCOMPARE(marcasRecuperadas, marcas);
        QCOMPARE(Propriedades("Caption", u"lblEstimativa"_s), estimativa);
        Clicar("xrcmdSalvarFecharConfirmar");
        QVERIFY(mficha->OperacaoConcluida());
        QCOMPARE(BancoDeTeste::Textos(u"SELECT NumeroDoItemDoOrcamento FROM ItensSeNecessario"_s),
                 QStringList{u"2"_s});
        QCOMPARE(BancoDeTeste::Textos(u"SELECT CodigoDoAnimal || '|' || Peso FROM PesosDosOrcamentos"_s),
                 QStringList{u"12|38000"_s});
    }
};

QTEST_MAIN(TesteDaFichaComPacotes)
#include "tst_ficha_pacotes.moc"
