// "Aprovar orçamento" driven by its controls on SQLite and PostgreSQL: the items marked
// and unmarked by click and by Space with the approved total following, the pad asked for
// in person, a signature drawn with the mouse and stored as an image, the stage and the
// items declined stored; a quote already approved is told and not opened.

#include "tests/business/TesteDeNegocio.h"

#include "andamento/frmAprovarOrcamento.h"
#include "business/Relogio.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/DadosDoUsuario.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRAssinatura.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"

#include <QImage>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;

class TesteDaJanelaDeAprovacao : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        mmensagens.clear();
        Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString&) {
            mmensagens << texto;
            return int(botoes & Plataforma::vbYesNo ? Plataforma::vbYes : Plataforma::vbOK);
        });
        Plataforma::SubstituirExibicaoModal([](QWidget*) {});
        musuarioDaJanela.NomeDoUsuario = u"ANA"_s;
        musuarioDaJanela.Administrador = true;
        modPrincipal::DadosDoUsuario = &musuarioDaJanela;
    }

    template <class T> T* Controle(QWidget& janela, const char* nome) {
        T* controle = janela.findChild<T*>(QString::fromLatin1(nome));
        if (!controle) qWarning() << "sem controle" << nome;
        return controle;
    }

    QStringList Marcas(QWidget& janela) {
        auto* grade = Controle<MSFlexGrid>(janela, "msfgGrade");
        QStringList marcas;
        for (int linha = 1; linha < grade->Rows(); ++linha)
            marcas << grade->TextMatrix(linha, 1);
        return marcas;
    }

    QStringList mmensagens;
    clsDadosDoUsuario musuarioDaJanela;

private slots:
    void aprovar_em_parte_com_assinatura() {
        const double numero = NovoOrcamentoDeDoisServicos();
        QVERIFY(numero > 0);
        frmAprovarOrcamento janela;
        QVERIFY(!janela.MontarExibirFormulario(numero)); // shown (modal display ends at once)
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        auto* grade = Controle<MSFlexGrid>(janela, "msfgGrade");
        auto* total = Controle<Label>(janela, "lblTotalAprovado");
        QCOMPARE(Marcas(janela), (QStringList{u"Sim"_s, u"Sim"_s}));
        QCOMPARE(grade->TextMatrix(2, 5), u"120,00"_s);
        QCOMPARE(total->Caption(), u"Total aprovado: R$ 228,00"_s);
        QCOMPARE(Controle<QLineEdit>(janela, "txtQuem")->text(),
                 Consulta("SELECT NomeOuRazaoSocial FROM "
                          "Clientes WHERE CodigoDoCliente = 1"));
        // Space on the second row declines it; a click on its mark takes it back.
        grade->setFocus();
        grade->setRow(2);
        QTest::keyClick(grade, Qt::Key_Space);
        QCOMPARE(Marcas(janela), (QStringList{u"Sim"_s, u"Não"_s}));
        QCOMPARE(total->Caption(), u"Total aprovado: R$ 108,00 de R$ 228,00"_s);
        const QRect marca = grade->RetanguloDaCelula(2, 1);
        QTest::mouseClick(grade, Qt::LeftButton, {}, marca.center());
        QCOMPARE(Marcas(janela), (QStringList{u"Sim"_s, u"Sim"_s}));
        QTest::keyClick(grade, Qt::Key_Space);

        // In person (the counter's case, first): the pad shows, and an empty one is asked for.
        auto* como = Controle<XRComboBox>(janela, "xrcmbComo");
        auto* pad = Controle<XRAssinatura>(janela, "assAssinatura");
        QCOMPARE(como->Text(), u"Presencial"_s);
        QVERIFY(pad->isVisible());
        como->setListIndex(ZELT_N_Orcamentos::MeiosDeAprovacao.indexOf(u"Telefone"_s));
        QVERIFY(!pad->isVisible());
        como->setListIndex(ZELT_N_Orcamentos::MeiosDeAprovacao.indexOf(u"Presencial"_s));
        QVERIFY(pad->isVisible());
        QTest::mouseClick(Controle<XRCommandButton>(janela, "xrcmdAprovar"), Qt::LeftButton);
        QCOMPARE(mmensagens,
                 QStringList{u"Na aprovação presencial, peça ao cliente que assine no quadro."_s});
        QCOMPARE(Numero("SELECT COUNT(*) FROM AprovacoesDoOrcamento"), 0);

        // A signature drawn with the mouse, then approved.
        QTest::mousePress(pad, Qt::LeftButton, {}, QPoint(20, 30));
        for (int x = 30; x <= 200; x += 10)
            QTest::mouseMove(pad, QPoint(x, 30 + (x % 40)));
        QTest::mouseRelease(pad, Qt::LeftButton, {}, QPoint(200, 40));
        QVERIFY(!pad->Vazia());
        QTest::mouseClick(Controle<XRCommandButton>(janela, "xrcmdAprovar"), Qt::LeftButton);
        QCOMPARE(janela.result(), int(QDialog::Accepted));
        QCOMPARE(Consulta("SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?", {numero}),
                 u"Aprovado em parte"_s);
        QCOMPARE(Consulta("SELECT ItensRecusados || ' ' || ValorAprovado || ' ' || Meio FROM "
                          "AprovacoesDoOrcamento WHERE NumeroDoOrcamento = ?",
                          {numero}),
                 u"2 1080000 Presencial"_s);
        QSqlQuery q = Banco::Executar(u"SELECT Assinatura FROM AprovacoesDoOrcamento"_s);
        QVERIFY(q.next());
        const QImage assinatura = QImage::fromData(q.value(0).toByteArray(), "PNG");
        QVERIFY(!assinatura.isNull());
        QCOMPARE(assinatura.width(), 600);
        QVERIFY(q.value(0).toByteArray().size() <= ZELT_N_Orcamentos::TamanhoMaximoDaAssinatura);

        // Opened again: already approved, told, not shown.
        mmensagens.clear();
        frmAprovarOrcamento outra;
        QVERIFY(!outra.MontarExibirFormulario(numero));
        QCOMPARE(mmensagens,
                 QStringList{u"O orçamento %1 já foi aprovado por %2 em %3."_s.arg(
                     QString::number(qint64(numero)), Controle<QLineEdit>(janela, "txtQuem")->text(),
                     Relogio::Hoje().toString(u"dd/MM/yyyy"_s))});
    }
};

QTEST_MAIN(TesteDaJanelaDeAprovacao)
#include "tst_aprovar_orcamento.moc"
