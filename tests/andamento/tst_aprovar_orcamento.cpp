// "Aprovar orçamento" driven by its controls on SQLite and PostgreSQL: the items marked
// and unmarked by click and by Space with the approved total following, the pad asked for
// in person, a signature drawn with the mouse and stored as an image, the stage and the
// items declined stored; a quote already approved is told and not opened. "Registrar
// pagamento" likewise: the deposit offered, its F1 and Escape, a Pix without its id and a payment past the
// approved value refused with the business layer's words, an administrator's reversal, a
// clerk without that command, a quote not approved not opened.

#include "tests/Controles.h"
#include "tests/andamento/ControlesDeTeste.h"
#include "tests/business/TesteDeNegocio.h"
#include "tests/list/ImpressaoDeTeste.h"

#include "andamento/RegistroDasJanelas.h"
#include "andamento/frmAprovarOrcamento.h"
#include "andamento/frmRegistrarPagamento.h"
#include "contracts/DadosDoUsuario.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QImage>
#include <QLineEdit>

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

    QStringList Marcas(QWidget& janela) {
        return LinhasDaGrade(Filho<MSFlexGrid>(janela, "msfgGrade"), 1, 1);
    }

    QStringList Textos(QWidget& janela, std::initializer_list<const char*> rotulos) {
        QStringList textos;
        for (const char* nome : rotulos)
            textos << Filho<Label>(janela, nome)->Caption();
        return textos;
    }

    // The new payment typed in the window and "Registrar" clicked.
    void Registrar(QWidget& janela, const QString& valor, const QString& forma, const QString& id = {}) {
        Filho<XRNumberBox>(janela, "xrnbValor")->setText(valor);
        Filho<XRComboBox>(janela, "xrcmbForma")
            ->setListIndex(ZELT_N_Orcamentos::FormasDePagamento.indexOf(forma));
        Filho<QLineEdit>(janela, "txtIdDaTransacao")->setText(id);
        QTest::mouseClick(Filho<XRCommandButton>(janela, "xrcmdRegistrar"), Qt::LeftButton);
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
        QCOMPARE(RotulosCortados(janela), QStringList());
        auto* grade = Filho<MSFlexGrid>(janela, "msfgGrade");
        auto* total = Filho<Label>(janela, "lblTotalAprovado");
        QCOMPARE(Marcas(janela), (QStringList{u"Sim"_s, u"Sim"_s}));
        QCOMPARE(grade->TextMatrix(2, 5), u"120,00"_s);
        QCOMPARE(total->Caption(), u"Total aprovado: R$ 228,00"_s);
        QCOMPARE(Filho<QLineEdit>(janela, "txtQuem")->text(), Consulta("SELECT NomeOuRazaoSocial FROM "
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
        auto* como = Filho<XRComboBox>(janela, "xrcmbComo");
        auto* pad = Filho<XRAssinatura>(janela, "assAssinatura");
        QCOMPARE(como->Text(), u"Presencial"_s);
        QVERIFY(pad->isVisible());
        como->setListIndex(ZELT_N_Orcamentos::MeiosDeAprovacao.indexOf(u"Telefone"_s));
        QVERIFY(!pad->isVisible());
        como->setListIndex(ZELT_N_Orcamentos::MeiosDeAprovacao.indexOf(u"Presencial"_s));
        QVERIFY(pad->isVisible());
        QTest::mouseClick(Filho<XRCommandButton>(janela, "xrcmdAprovar"), Qt::LeftButton);
        QCOMPARE(mmensagens,
                 QStringList{u"Na aprovação presencial, peça ao cliente que assine no quadro."_s});
        QCOMPARE(Numero("SELECT COUNT(*) FROM AprovacoesDoOrcamento"), 0);

        // A signature drawn with the mouse, then approved.
        QTest::mousePress(pad, Qt::LeftButton, {}, QPoint(20, 30));
        for (int x = 30; x <= 200; x += 10)
            QTest::mouseMove(pad, QPoint(x, 30 + (x % 40)));
        QTest::mouseRelease(pad, Qt::LeftButton, {}, QPoint(200, 40));
        QVERIFY(!pad->Vazia());
        QTest::mouseClick(Filho<XRCommandButton>(janela, "xrcmdAprovar"), Qt::LeftButton);
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
        QCOMPARE(mmensagens, QStringList{u"O orçamento %1 já foi aprovado por %2 em %3."_s.arg(
                                 QString::number(qint64(numero)), Filho<QLineEdit>(janela, "txtQuem")->text(),
                                 Relogio::Hoje().toString(u"dd/MM/yyyy"_s))});
    }

    // The second item (120,00) "se necessário": the approved range as the marks change, then
    // stored, and the deposit offered from its low end (40 % of 108,00).
    void faixa_aprovada_e_sinal_do_minimo() {
        const double numero = NovoOrcamentoDeDoisServicos();
        Banco::Executar(u"INSERT INTO ItensSeNecessario VALUES (?, 2)"_s, {numero});
        ConfigurarSinal(musuario.get(), 40, false, u""_s);
        frmAprovarOrcamento janela;
        janela.MontarExibirFormulario(numero);
        auto* grade = Filho<MSFlexGrid>(janela, "msfgGrade");
        auto* total = Filho<Label>(janela, "lblTotalAprovado");
        QVERIFY(grade->TextMatrix(2, 2).endsWith(u" (se necessário)"_s));
        QCOMPARE(total->Caption(), u"Total aprovado: de R$ 108,00 a R$ 228,00"_s);
        grade->setRow(1);
        QTest::keyClick(grade, Qt::Key_Space);
        QCOMPARE(total->Caption(), u"Total aprovado: de R$ 0,00 a R$ 120,00, do orçamento de R$ 228,00"_s);
        QTest::keyClick(grade, Qt::Key_Space);
        Filho<XRComboBox>(janela, "xrcmbComo")->setListIndex(1); // WhatsApp: no pad
        QTest::mouseClick(Filho<XRCommandButton>(janela, "xrcmdAprovar"), Qt::LeftButton);
        QCOMPARE(Consulta("SELECT ValorAprovadoMinimo || ' ' || ValorAprovado FROM AprovacoesDoOrcamento"),
                 u"1080000 2280000"_s);
        frmRegistrarPagamento pagamento;
        pagamento.MontarExibirFormulario(numero);
        QCOMPARE(Filho<XRNumberBox>(pagamento, "xrnbValor")->Text(), u"43,20"_s);
    }

    // An administrator at a clinic asking a 40 % deposit of a quote approved at 228,00.
    void registrar_e_estornar_pagamentos() {
        const double numero = NovoOrcamentoDeDoisServicos();
        ConfigurarSinal(musuario.get(), 40, false, u""_s);
        Aprovar(numero, musuario.get());
        frmRegistrarPagamento janela;
        QVERIFY(!janela.MontarExibirFormulario(numero));
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QCOMPARE(RotulosCortados(janela), QStringList());
        const auto totais = [&] {
            return Textos(janela, {"lblValorAprovado", "lblValorPago", "lblFaltaPagar"});
        };
        QCOMPARE(totais(), (QStringList{u"Valor aprovado: R$ 228,00"_s, u"Pago: R$ 0,00"_s,
                                        u"Falta pagar: R$ 228,00"_s}));
        QCOMPARE(Filho<XRNumberBox>(janela, "xrnbValor")->Text(), u"91,20"_s); // the deposit
        QCOMPARE(Filho<XRComboBox>(janela, "xrcmbForma")->Text(), u"Pix"_s);
        QVERIFY(Filho<QLineEdit>(janela, "txtIdDaTransacao")->isVisible());

        // Refused, nothing stored: a Pix without its id, then more than is left.
        Registrar(janela, u"91,20"_s, u"Pix"_s);
        Registrar(janela, u"300,00"_s, u"Dinheiro"_s);
        QVERIFY(!Filho<QLineEdit>(janela, "txtIdDaTransacao")->isVisible());
        QCOMPARE(mmensagens,
                 (QStringList{u"Informe o identificador da transação Pix (até 35 letras e dígitos, "
                              "como aparece no comprovante)."_s,
                              u"O pagamento de R$ 300,00 passa do valor aprovado: foram aprovados R$ "
                              "228,00 e já foram pagos R$ 0,00; falta pagar R$ 228,00."_s}));
        QCOMPARE(Numero("SELECT COUNT(*) FROM PagamentosDoOrcamento"), 0);

        Registrar(janela, u"91,20"_s, u"Pix"_s, u"E2026ABC"_s);
        QCOMPARE(totais(), (QStringList{u"Valor aprovado: R$ 228,00"_s, u"Pago: R$ 91,20"_s,
                                        u"Falta pagar: R$ 136,80"_s}));
        QCOMPARE(Filho<XRNumberBox>(janela, "xrnbValor")->Text(), u"136,80"_s); // what is left
        auto* grade = Filho<MSFlexGrid>(janela, "msfgGrade");
        const QString primeiro =
            QString::number(Numero("SELECT MIN(NumeroDoPagamento) FROM PagamentosDoOrcamento"));
        QCOMPARE(grade->Rows(), 2);
        QCOMPARE(grade->TextMatrix(1, 1), primeiro);
        QCOMPARE(LinhaDaGrade(grade, 1, 3, 7), u"ANA|91,20|Pix|E2026ABC|"_s);

        // Reversed by the administrator, with a reason: a negative row naming the first.
        mmensagens.clear();
        grade->setRow(1);
        QTest::mouseClick(Filho<XRCommandButton>(janela, "xrcmdEstornar"), Qt::LeftButton);
        Filho<QLineEdit>(janela, "txtMotivo")->setText(u"pago em duplicidade"_s);
        grade->setRow(1);
        QTest::mouseClick(Filho<XRCommandButton>(janela, "xrcmdEstornar"), Qt::LeftButton);
        QCOMPARE(mmensagens, (QStringList{u"Estornar o pagamento %1 de R$ 91,20 (Pix)?"_s.arg(primeiro),
                                          u"Informe o motivo do estorno."_s,
                                          u"Estornar o pagamento %1 de R$ 91,20 (Pix)?"_s.arg(primeiro)}));
        QCOMPARE(grade->Rows(), 3);
        for (const auto& [coluna, texto] :
             {std::pair{4, u"-91,20"_s}, {7, primeiro}, {8, u"pago em duplicidade"_s}})
            QCOMPARE(grade->TextMatrix(2, coluna), texto);
        QCOMPARE(totais()[1], u"Pago: R$ 0,00"_s);
        QCOMPARE(Numero("SELECT SUM(Valor) FROM PagamentosDoOrcamento"), 0);
    }

    // A clerk is not offered the reversal; a quote not approved takes no payment.
    void balconista_e_orcamento_sem_aprovacao() {
        musuarioDaJanela.Administrador = false;
        const double numero = NovoOrcamentoDeDoisServicos();
        frmRegistrarPagamento semAprovacao;
        QVERIFY(!semAprovacao.MontarExibirFormulario(numero));
        QCOMPARE(mmensagens, QStringList{u"O orçamento %1 não está aprovado: registre a aprovação antes do "
                                         "pagamento."_s.arg(QString::number(qint64(numero)))});
        Aprovar(numero, musuario.get());
        frmRegistrarPagamento janela;
        janela.MontarExibirFormulario(numero);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QCOMPARE(Filho<XRNumberBox>(janela, "xrnbValor")->Text(), u"228,00"_s); // no deposit asked
        for (const char* nome : {"xrcmdEstornar", "txtMotivo"})
            QVERIFY(!Filho<QWidget>(janela, nome)->isVisible());
        Registrar(janela, u"228,00"_s, u"Cartão de crédito"_s);
        QCOMPARE(Consulta("SELECT Usuario || ' ' || Forma || ' ' || Valor FROM PagamentosDoOrcamento"),
                 u"ANA Cartão de crédito 2280000"_s);
        // F1 shows the guide at the window's section; Escape closes the window.
        QCOMPARE(SecaoDoF1(Filho<XRNumberBox>(janela, "xrnbValor")), u"pagamento"_s);
        QTest::keyClick(&janela, Qt::Key_Escape);
        QVERIFY(!janela.isVisible());
    }

    // The sheet's preview from the list's row: "Aprovar orçamento…" while the quote waits,
    // then the preview shows the approved sheet, the approval off and "Registrar
    // pagamento…" on; a payment there shows the deposit received. The list's own report has
    // neither command.
    void aprovar_e_pagar_pela_previa_da_ficha() {
        Suite::RegistrarComponentesDaSuite();
        andamento::RegistrarJanelas();
        PrepararContexto(&musuarioDaJanela);
        ConfigurarSinal(musuario.get(), 40, false, u""_s);
        const double numero = NovoOrcamentoDeDoisServicos();
        QStringList estados;
        QList<QByteArray> paginas;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            if (qobject_cast<frmAprovarOrcamento*>(janela)) {
                Filho<XRComboBox>(*janela, "xrcmbComo")
                    ->setListIndex(ZELT_N_Orcamentos::MeiosDeAprovacao.indexOf(u"Telefone"_s));
                QTest::mouseClick(Filho<XRCommandButton>(*janela, "xrcmdAprovar"), Qt::LeftButton);
                return;
            }
            if (qobject_cast<frmRegistrarPagamento*>(janela)) {
                QCOMPARE(Filho<XRNumberBox>(*janela, "xrnbValor")->Text(), u"91,20"_s);
                Registrar(*janela, u"91,20"_s, u"Dinheiro"_s);
                janela->close();
                return;
            }
            auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela);
            QVERIFY(previa);
            auto* aprovar = previa->findChild<QToolButton*>(u"cmdAprovarOrcamento"_s);
            auto* pagar = previa->findChild<QToolButton*>(u"cmdRegistrarPagamento"_s);
            // With all the sheet's commands it still fits 4/5 of a 1366-pixel screen.
            QVERIFY2(previa->minimumSizeHint().width() <= 1366 * 4 / 5,
                     qPrintable(QString::number(previa->minimumSizeHint().width())));
            // Which commands are on and what the page shows, after each step.
            const auto visto = [&] {
                estados << u"%1 %2"_s.arg(QString::number(aprovar ? int(aprovar->isEnabled()) : -1),
                                          QString::number(pagar ? int(pagar->isEnabled()) : -1));
                const QImage pagina = previa->findChild<QWidget*>(u"picPagina"_s)->grab().toImage();
                paginas << QCryptographicHash::hash(QByteArrayView(pagina.constBits(), pagina.sizeInBytes()),
                                                    QCryptographicHash::Md5);
            };
            previa->show();
            visto();
            if (aprovar && pagar) {
                QTest::mouseClick(aprovar, Qt::LeftButton);
                visto();
                QTest::mouseClick(pagar, Qt::LeftButton);
                visto();
            }
            previa->close();
        });
        Cenario cenario;
        cenario.ImprimirFichaDaLinha(1);
        cenario.ImprimirLista();
        QCOMPARE(estados, (QStringList{u"1 0"_s, u"0 1"_s, u"0 1"_s, u"-1 -1"_s}));
        // The page painted again after each change: the approval block, the deposit received.
        QVERIFY(paginas[0] != paginas[1]);
        QVERIFY(paginas[1] != paginas[2]);
        QCOMPARE(Consulta("SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?", {numero}),
                 u"Aprovado"_s);
        QCOMPARE(Consulta("SELECT Valor FROM PagamentosDoOrcamento WHERE NumeroDoOrcamento = ?", {numero}),
                 u"912000"_s);
        QVERIFY(ErrosExibidos().isEmpty());
    }
};

QTEST_MAIN(TesteDaJanelaDeAprovacao)
#include "tst_aprovar_orcamento.moc"
