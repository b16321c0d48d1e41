// "Renovar validade…" and "Copiar orçamento" as the list opens them
// (JanelasDoOrcamento), driven through their controls by name on both databases: the
// renewal window's grid of the items whose price changes and its new total, then each
// way out (renew, keep the prices, cancel, Escape, a date in the past refused); the
// copy's record form filled with the same client, animal and items at today's prices,
// the item no longer in the registry named and left out, and the new quote saved.

#include "tests/Linha.h"
#include "tests/andamento/ControlesDeTeste.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "andamento/RegistroDasJanelas.h"
#include "business/Banco.h"
#include "component/JanelasDoOrcamento.h"

using namespace Qt::StringLiterals;
using JanelasDoOrcamento::Janela;

namespace {

QString Data(const QDate& data) {
    return data.toString(u"dd/MM/yyyy"_s);
}

// The grid's rows below its header, their cells from column 1 on joined by "|".
QStringList Linhas(const QWidget& janela, const char* grade, int ultimaColuna) {
    auto* g = janela.findChild<MSFlexGrid*>(QString::fromLatin1(grade));
    return g ? LinhasDaGrade(g, 1, ultimaColuna) : QStringList();
}

// A renewal object that breaks, as a broken business layer would.
class RenovacaoQueFalha final : public ZELT_N_Orcamentos::clsRenovacaoDeValidade {
public:
    QVariant SelecionarItensAPrecosDeHoje(double) override {
        throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    }
    qint16 RenovarValidade(double, const QString&, bool) override {
        throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    }
};

} // namespace

class TesteDeRenovarECopiar : public TesteDaFicha {
    Q_OBJECT

    void Preparar() override { andamento::RegistrarJanelas(); }

    double OrcamentoDaMaria() { return BancoDeTeste::OrcamentoDaMaria(musuario.get(), false); }

    // The consultation costs 130,00 today and the feed 199,90.
    static void PrecosDeHoje() {
        Banco::Executar(u"UPDATE Servicos SET ValorDeVenda = 1300000 WHERE Codigo = 1"_s);
        Banco::Executar(u"UPDATE Produtos SET ValorDeVenda = 1999000 WHERE CodigoInterno = 100"_s);
    }

    static QString Gravado(double numero) {
        return BancoDeTeste::Consulta(
            "SELECT ValorLiquido || '|' || DataDeValidadeDoOrcamento FROM Orcamentos "
            "WHERE NumeroDoOrcamento = ?",
            {numero});
    }

private slots:
    void renovar_validade_data() {
        // gravado: net value and validity: the default one or as before
        Colunas<QString, bool, QString, QStringList>("acao", "renovado", "gravado", "mensagens");
        const QString antes = u"8758000|antes"_s;
        QTest::newRow("renovar") << u"renovar"_s << true << u"8453000|padrão"_s << QStringList{};
        QTest::newRow("manter preços") << u"manter preços"_s << true << u"8758000|padrão"_s << QStringList{};
        QTest::newRow("cancelar") << u"cancelar"_s << false << antes << QStringList{};
        QTest::newRow("escape") << u"escape"_s << false << antes << QStringList{};
        QTest::newRow("data passada")
            << u"data passada"_s << false << antes
            << QStringList{u"(?) A nova data de validade (%3) não pode ser anterior a hoje (%4)."_s};
    }
    void renovar_validade() {
        QFETCH(QString, acao);
        QFETCH(bool, renovado);
        QFETCH(QString, gravado);
        QFETCH(QStringList, mensagens);
        const double numero = OrcamentoDaMaria();
        QVERIFY(numero > 0);
        PrecosDeHoje();
        const QDate hoje = QDate::currentDate();
        // Valid three more days: the renewal's default is the company's ten.
        Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ?"_s,
                        {hoje.addDays(3).toString(Qt::ISODate)});
        const QString padrao = Data(hoje.addDays(10));
        QStringList linhas;
        QString total, validade, orcamento;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            QCOMPARE(RotulosCortados(*janela), QStringList());
            linhas = Linhas(*janela, "msfgGrade", 6);
            total = Filho<Label>(*janela, "lblNovoTotal")->Caption();
            orcamento = Filho<Label>(*janela, "lblOrcamento")->Caption();
            validade = Filho<XRDTPicker>(*janela, "xrdtpNovaValidade")->Value();
            if (acao == u"renovar") emit Filho<XRCommandButton>(*janela, "xrcmdRenovar")->Click();
            if (acao == u"manter preços") emit Filho<XRCommandButton>(*janela, "xrcmdManterPrecos")->Click();
            if (acao == u"cancelar") emit Filho<XRCommandButton>(*janela, "xrcmdCancelar")->Click();
            if (acao == u"escape") QTest::keyClick(janela, Qt::Key_Escape);
            if (acao == u"data passada") {
                Filho<XRDTPicker>(*janela, "xrdtpNovaValidade")->setValue(Data(hoje.addDays(-1)));
                emit Filho<XRCommandButton>(*janela, "xrcmdRenovar")->Click();
            }
        });
        QCOMPARE(JanelasDoOrcamento::Abrir(Janela::RenovarValidade, nullptr, numero), renovado);
        QCOMPARE(linhas, (QStringList{u"Consulta clínica|120,00|130,00|114,00|123,50|9,50"_s,
                                      u"Ração Cães 15 kg|219,90|199,90|439,80|399,80|-40,00"_s}));
        QCOMPARE(total, u"Total atual: 875,80    Novo total: 845,30    Diferença: -30,50"_s);
        QCOMPARE(orcamento, u"Orçamento %1, válido até %2"_s.arg(QString::number(qint64(numero)),
                                                                 Data(hoje.addDays(3))));
        QCOMPARE(validade, padrao);
        QCOMPARE(Gravado(numero), gravado.replace(u"padrão"_s, hoje.addDays(10).toString(Qt::ISODate))
                                      .replace(u"antes"_s, hoje.addDays(3).toString(Qt::ISODate)));
        for (QString& m : mensagens)
            m = m.arg(Data(hoje.addDays(-1)), Data(hoje));
        QCOMPARE(Mensagens(), mensagens);
        QCOMPARE(Erros(), QStringList());
    }

    void f1_abre_o_guia_na_renovacao() {
        const double numero = OrcamentoDaMaria();
        QString secao;
        Plataforma::SubstituirExibicaoModal(
            [&](QWidget* janela) { secao = SecaoDoF1(Filho<MSFlexGrid>(*janela, "msfgGrade")); });
        QVERIFY(!JanelasDoOrcamento::Abrir(Janela::RenovarValidade, nullptr, numero));
        QCOMPARE(secao, u"renovacao"_s);
    }

    // An error inside the window is trapped and shown with its place; nothing opens.
    void erro_na_janela_e_mostrado() {
        Zelt::RegistrarProgId(ProgId::RenovacaoDeValidade,
                              [] { return std::make_unique<RenovacaoQueFalha>(); });
        bool exibida = false;
        Plataforma::SubstituirExibicaoModal([&](QWidget*) { exibida = true; });
        QVERIFY(!JanelasDoOrcamento::Abrir(Janela::RenovarValidade, nullptr, 1));
        QVERIFY(!exibida);
        QCOMPARE(Erros(), QStringList{u"91|Variável de objeto ou variável do bloco With não definida|"
                                      "ZELT_A_Orcamentos, frmRenovarValidade, LerOrcamento, Ponto: 1"_s});
    }

    void copiar_com_os_precos_de_hoje() {
        const double numero = OrcamentoDaMaria();
        QVERIFY(numero > 0);
        PrecosDeHoje();
        Banco::Executar(u"UPDATE Servicos SET Situacao = 2 WHERE Codigo = 3"_s);
        QString cliente, animal, totais;
        QStringList linhas;
        Plataforma::SubstituirExibicaoModal([&](QWidget* ficha) {
            cliente = Filho<XRFind>(*ficha, "xrfCodigoDoCliente")->Text();
            animal = Filho<XRComboBox>(*ficha, "xrcmbAnimal")->Text();
            linhas = Linhas(*ficha, "msfgGradeDeItensDoOrcamento", 12);
            totais = Propriedades("Text", Totais, ficha);
            emit Filho<XRCommandButton>(*ficha, "xrcmdSalvarFecharConfirmar")->Click();
        });
        QVERIFY(JanelasDoOrcamento::Abrir(Janela::CopiarOrcamento, nullptr, numero));
        QCOMPARE(cliente, u"2"_s);
        QCOMPARE(animal, u"Luna"_s);
        QCOMPARE(linhas,
                 (QStringList{u"1|1|Consulta clínica|12|Luna|1|130,00|5,00|6,50|123,50|48,00|0"_s,
                              u"7891234567895|100|Ração Cães 15 kg|12|Luna|2,000|199,90|0,00|0,00|399,80|"
                              "145,00|0"_s}));
        QCOMPARE(totais, u"529,80|1,23|6,50|523,30"_s);
        QCOMPARE(
            Mensagens().value(0),
            u"Estes itens do orçamento %1 não estão mais cadastrados ou estão inativos, e ficaram fora da "
            "cópia:\r\nCastração de gato"_s.arg(qint64(numero)));
        // The new quote is stored, the old one as it was.
        const qint64 nova = BancoDeTeste::Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos");
        QVERIFY(nova > qint64(numero));
        QCOMPARE(
            BancoDeTeste::Consulta("SELECT CodigoDoCliente || '|' || CodigoDoAnimal || '|' || ValorLiquido "
                                   "FROM Orcamentos WHERE NumeroDoOrcamento = ?",
                                   {nova}),
            u"2|12|5233000"_s);
        QCOMPARE(Gravado(numero).section(u'|', 0, 0), u"8758000"_s);
        QCOMPARE(Erros(), QStringList());
    }
};

QTEST_MAIN(TesteDeRenovarECopiar)
#include "tst_renovar_e_copiar.moc"
