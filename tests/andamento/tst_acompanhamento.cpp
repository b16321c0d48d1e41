// "Acompanhamento de orçamentos" opened from the host's menu and driven by its controls
// on SQLite and PostgreSQL: the sections' captions and cells, the figures of a period
// and a month, a reminder by WhatsApp (the desktop's xdg-open standing in) recorded as a
// send, a row command opening a registered window and the sections read again after
// it (the approval with a signature drawn on its pad), Enter opening the chosen quote, and
// the printed follow-up read back from its PDF.

#include "tests/andamento/TesteDeJanela.h"
#include "tests/reports/TextoDoPdf.h"

#include "andamento/GraficoDeSemanas.h"
#include "andamento/frmAcompanhamento.h"
#include "andamento/frmAprovarOrcamento.h"
#include "component/JanelasDoOrcamento.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QFileDialog>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using JanelasDoOrcamento::Janela;

namespace {

// Monday, 9 o'clock.
const QDate Hoje(2026, 12, 7);

QString Legenda(const QWidget& janela, const QString& nome) {
    return Filho<Label>(janela, nome)->Caption();
}

// A grid row's cells 1 to 8, "|"-joined.
QString Linha(const QWidget& janela, const QString& grade, int linha) {
    return LinhaDaGrade(Filho<MSFlexGrid>(janela, grade), linha, 1, 8);
}

void Clicar(const QWidget& janela, const QString& nome) {
    QTest::mouseClick(Filho<XRCommandButton>(janela, nome), Qt::LeftButton);
}

// Chooses a grid's row as a click does.
void Escolher(const QWidget& janela, const QString& grade, int linha) {
    auto* g = Filho<MSFlexGrid>(janela, grade);
    g->setFocus();
    g->setRow(linha);
    g->setColSel(g->Cols() - 1);
    emit g->Click();
}

} // namespace

class TesteDoAcompanhamento : public TesteDeJanela {
    Q_OBJECT

    QTemporaryDir mprogramas;
    QTemporaryDir mchamadas;
    QStringList mabertas; // "window|number" for each registered window opened
    QString mpdf;
    QString mtextoDoPdf;
    std::function<void(QWidget&)> mcenario;
    bool mbooSalvarFicha = false; // the record form saved as it is, else closed

    // A quote of that client and animal made on that day at 8, valid until validade.
    double Feito(QDate dia, QDate validade, double cliente, qint32 animal) {
        FixarRelogio(QDateTime(dia, QTime(8, 0)));
        const double numero = NovoOrcamento(cliente, animal);
        Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento = ?"_s,
                        {Banco::DataIso(validade), numero});
        return numero;
    }

    void Preparar() override {
        PrepararJanelas();
        mabertas.clear();
        // The follow-up window is driven while it is shown; its preview exports a PDF.
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            if (qobject_cast<frmAcompanhamento*>(janela)) {
                QCOMPARE(RotulosCortados(*janela), QStringList());
                mcenario(*janela);
            } else if (janela->objectName() == u"frmFicha") {
                // The record form: which quote it shows in change, then closed unchanged.
                mabertas << janela->findChild<XRTheme*>(u"xrTheme"_s)->Caption() + u'|' +
                                janela->findChild<XRTheme*>(u"xrTheme"_s)->DataOfInclusion();
                if (mbooSalvarFicha) Clicar(*janela, u"xrcmdSalvarFecharConfirmar"_s);
            } else if (qobject_cast<frmAprovarOrcamento*>(janela)) {
                // The quote it shows, then the client signs at the counter and it is approved.
                mabertas << Filho<Label>(*janela, u"lblOrcamento"_s)->Caption();
                QVERIFY(QTest::qWaitForWindowExposed(janela));
                QCOMPARE(RotulosCortados(*janela), QStringList());
                auto* pad = Filho<QWidget>(*janela, u"assAssinatura"_s);
                QTest::mousePress(pad, Qt::LeftButton, {}, QPoint(20, 30));
                QTest::mouseMove(pad, QPoint(120, 60));
                QTest::mouseRelease(pad, Qt::LeftButton, {}, QPoint(200, 40));
                Clicar(*janela, u"xrcmdAprovar"_s);
            } else if (auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela)) {
                QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdExportarParaPdf"_s), Qt::LeftButton);
                mtextoDoPdf = TextoDoPdf(mpdf);
                previa->close();
            } else if (auto* dialogo = qobject_cast<QFileDialog*>(janela)) {
                dialogo->selectFile(mpdf);
                QMetaObject::invokeMethod(dialogo, "accept");
            }
        });
        mpdf = msessao->Pasta().filePath(u"acompanhamento.pdf"_s);
        QDir(mchamadas.path()).removeRecursively();
        QDir().mkpath(mchamadas.path());
    }

    // The window as the host's menu opens it, driven by cenario while it is shown.
    void AbrirPeloMenu(std::function<void(QWidget&)> cenario) {
        mcenario = std::move(cenario);
        TesteDeJanela::AbrirPeloMenu("AcaoAcompanhamento", madministrador);
    }

private slots:
    void initTestCase() {
        QVERIFY(EscreverSubstitutos(mprogramas.path()));
        qputenv("PATH", mprogramas.path().toUtf8() + ':' + qgetenv("PATH"));
        qputenv("ZELT_TESTE_CHAMADAS", mchamadas.path().toUtf8());
    }

    void secoes_numeros_comandos_e_impressao() {
        Banco::Executar(u"UPDATE Clientes SET Celular = '(19) 99876-5432' WHERE CodigoDoCliente = 2"_s);
        Banco::Executar(u"UPDATE Clientes SET Celular = '(19) 98765-1234' WHERE CodigoDoCliente = 1"_s);
        // X: Maria's Luna, sent four days ago, valid three days more; Y: expired last
        // Tuesday, never sent; Z: approved on Saturday.
        const double x = Feito(QDate(2026, 12, 2), QDate(2026, 12, 10), 2, 12);
        const double y = Feito(QDate(2026, 11, 20), QDate(2026, 12, 1), 1, 10);
        const double z = Feito(QDate(2026, 12, 4), QDate(2026, 12, 14), 1, 10);
        FixarRelogio(QDateTime(QDate(2026, 12, 3), QTime(10, 0)));
        QCOMPARE(Envio()->RegistrarEnvio(x, ZELT_N_Orcamentos::CanalWhatsApp, u"5519998765432"_s), qint16(0));
        FixarRelogio(QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
        auto etapas = Etapas();
        etapas->Ler(z);
        QCOMPARE(etapas->RegistrarAprovacao(z, u"João"_s, u"Presencial"_s, false), qint16(0));
        FixarRelogio(QDateTime(Hoje, QTime(9, 0)));

        const QString nx = VB::CStr(x), ny = VB::CStr(y), nz = VB::CStr(z);
        bool percorrida = false;
        AbrirPeloMenu([&](QWidget& janela) {
            QCOMPARE(janela.windowTitle(), u"Acompanhamento de orçamentos"_s);
            QCOMPARE(Legenda(janela, u"lblSecaoVencem"_s), u"Vencem em até 7 dias (1)"_s);
            QCOMPARE(Legenda(janela, u"lblSecaoSemResposta"_s),
                     u"Enviados sem resposta há 3 dias ou mais (1)"_s);
            QCOMPARE(Legenda(janela, u"lblSecaoVencidos"_s), u"Vencidos nos últimos 30 dias (1)"_s);
            QCOMPARE(Legenda(janela, u"lblSecaoAprovados"_s), u"Aprovados ainda não concluídos (1)"_s);
            const QString linhaDeX =
                nx + u"|Maria Antônia Gonçalves|Luna|108,00|10/12/2026|Enviado|03/12/2026 10:00|4"_s;
            QCOMPARE(Linha(janela, u"msfgSecaoVencem"_s, 1), linhaDeX);
            QCOMPARE(Linha(janela, u"msfgSecaoSemResposta"_s, 1), linhaDeX);
            QCOMPARE(Linha(janela, u"msfgSecaoVencidos"_s, 1),
                     ny + u"|João da Silva|Rex|108,00|01/12/2026|Vencido||17"_s);
            QCOMPARE(Linha(janela, u"msfgSecaoAprovados"_s, 1),
                     nz + u"|João da Silva|Rex|108,00|14/12/2026|Aprovado||"_s);
            // The last 30 days: the three quotes, one approved.
            QCOMPARE(Legenda(janela, u"lblFeitos"_s),
                     u"Orçamentos feitos: 3 (08/11/2026 a 07/12/2026), valor oferecido 324,00"_s);
            QCOMPARE(Legenda(janela, u"lblEnviados"_s), u"Enviados: 2"_s);
            QCOMPARE(Legenda(janela, u"lblAprovados"_s), u"Aprovados: 1, valor 108,00"_s);
            QCOMPARE(Legenda(janela, u"lblRecusados"_s), u"Recusados: 0"_s);
            QCOMPARE(Legenda(janela, u"lblVencidos"_s), u"Vencidos: 1"_s);
            QCOMPARE(Legenda(janela, u"lblTaxaDeAprovacao"_s),
                     u"Taxa de aprovação: 33,3% dos orçamentos, 33,3% do valor"_s);
            QCOMPARE(Legenda(janela, u"lblMediana"_s), u"Mediana de dias até a resposta: 1,0"_s);
            const auto& semanas = Filho<GraficoDeSemanas>(janela, u"picGrafico"_s)->Semanas();
            QCOMPARE(semanas.size(), 12);
            QCOMPARE(semanas.last().Oferecido, VB::Currency::DeInteiro(216));
            QCOMPARE(semanas.last().Aprovado, VB::Currency::DeInteiro(108));
            // A month: December has X and Z; the users who made quotes lately.
            auto* periodo = Filho<XRComboBox>(janela, u"cboPeriodo"_s);
            QCOMPARE(periodo->List(2), u"Dezembro de 2026"_s);
            QCOMPARE(periodo->List(13), u"Janeiro de 2026"_s);
            periodo->setListIndex(2);
            QCOMPARE(Legenda(janela, u"lblFeitos"_s),
                     u"Orçamentos feitos: 2 (01/12/2026 a 31/12/2026), valor oferecido 216,00"_s);
            auto* usuario = Filho<XRComboBox>(janela, u"cboUsuario"_s);
            QCOMPARE(usuario->ListCount(), 2);
            QCOMPARE(usuario->List(1), u"ANA"_s);
            periodo->setListIndex(0);

            // F1 shows the guide at the window's section.
            QCOMPARE(SecaoDoF1(Filho<MSFlexGrid>(janela, u"msfgSecaoVencidos"_s)), u"acompanhamento"_s);

            // The windows the component registers are offered.
            QVERIFY(Filho<XRCommandButton>(janela, u"xrcmdRenovar"_s)->isVisibleTo(&janela));

            // The reminder of X by WhatsApp: the text, the send recorded, X out of the
            // section of those without an answer for three days.
            Escolher(janela, u"msfgSecaoSemResposta"_s, 1);
            Clicar(janela, u"xrcmdLembrar"_s);
            const QList<QStringList> chamadas = ChamadasDosSubstitutos(mchamadas.path());
            QCOMPARE(chamadas.size(), 1);
            QCOMPARE(chamadas[0].value(0), u"xdg-open"_s);
            const QUrl endereco(chamadas[0].value(1));
            QCOMPARE(endereco.host() + endereco.path(), u"wa.me/5519998765432"_s);
            QCOMPARE(QUrlQuery(endereco).queryItemValue(u"text"_s, QUrl::FullyDecoded),
                     u"Olá Maria, o orçamento %1 para Luna vale até 10/12/2026. Podemos agendar? Qualquer "
                     "dúvida, é só responder esta mensagem.\n\nClínica Escola"_s.arg(nx));
            QCOMPARE(Numero("SELECT COUNT(*) FROM EnviosDeOrcamentos WHERE NumeroDoOrcamento = ? AND "
                            "UsuarioDoEnvio = 'ADMINISTRADOR' AND Canal = 'WhatsApp'",
                            {x}),
                     1);
            QCOMPARE(Legenda(janela, u"lblSecaoSemResposta"_s),
                     u"Enviados sem resposta há 3 dias ou mais (0)"_s);

            // An expired quote's reminder offers to renew it; an approved one has none.
            Escolher(janela, u"msfgSecaoVencidos"_s, 1);
            Clicar(janela, u"xrcmdLembrar"_s);
            const QUrl vencido(ChamadasDosSubstitutos(mchamadas.path()).value(1).value(1));
            QCOMPARE(vencido.host() + vencido.path(), u"wa.me/5519987651234"_s);
            QCOMPARE(
                QUrlQuery(vencido).queryItemValue(u"text"_s, QUrl::FullyDecoded),
                u"Olá João, o orçamento %1 para Rex venceu em 01/12/2026. Se ainda tiver interesse, podemos "
                "renová-lo com os preços de hoje. Qualquer dúvida, é só responder esta mensagem.\n\nClínica "
                "Escola"_s.arg(ny));
            Escolher(janela, u"msfgSecaoAprovados"_s, 1);
            QVERIFY(!Filho<XRCommandButton>(janela, u"xrcmdLembrar"_s)->isEnabled());

            // Approved with a signature through the approval window the row command opens
            // (the client's at the counter): read again, X moves to the approved.
            auto* aprovacao = Filho<XRCommandButton>(janela, u"xrcmdAprovacao"_s);
            QCOMPARE(aprovacao->Caption(), u"    Aprovar orçamento…"_s);
            QVERIFY(!aprovacao->isEnabled()); // the approved row is still the chosen one
            Escolher(janela, u"msfgSecaoVencem"_s, 1);
            Clicar(janela, u"xrcmdAprovacao"_s);
            QCOMPARE(mabertas, QStringList{u"Orçamento %1 · Maria Antônia Gonçalves"_s.arg(nx)});
            QCOMPARE(
                Consulta("SELECT Meio || '|' || Usuario FROM AprovacoesDoOrcamento WHERE NumeroDoOrcamento "
                         "= ? AND Assinatura IS NOT NULL",
                         {x}),
                u"Presencial|ADMINISTRADOR"_s);
            QCOMPARE(Legenda(janela, u"lblSecaoVencem"_s), u"Vencem em até 7 dias (0)"_s);
            QCOMPARE(Legenda(janela, u"lblSecaoAprovados"_s), u"Aprovados ainda não concluídos (2)"_s);
            QCOMPARE(Legenda(janela, u"lblAprovados"_s), u"Aprovados: 2, valor 216,00"_s);

            // Enter opens the chosen quote in the record form, as the list's "Alterar" does.
            Escolher(janela, u"msfgSecaoVencidos"_s, 1);
            QTest::keyClick(Filho<MSFlexGrid>(janela, u"msfgSecaoVencidos"_s), Qt::Key_Return);
            QCOMPARE(mabertas.value(1), u"Alterar orçamento|Código %1 | Incluído em 20/11/2026"_s.arg(ny));

            // A quote changed since (approved: a new stamp) saved from the record form: the
            // stamp the form read from the row is the stored one, so the save is not refused.
            const auto versoes = [&] {
                return Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?", {x});
            };
            const qint64 antes = versoes();
            mbooSalvarFicha = true;
            Escolher(janela, u"msfgSecaoAprovados"_s, 2);
            QCOMPARE(Filho<MSFlexGrid>(janela, u"msfgSecaoAprovados"_s)->TextMatrix(2, 1), nx);
            Clicar(janela, u"xrcmdAbrir"_s);
            mbooSalvarFicha = false;
            QCOMPARE(mabertas.value(2).section(u'|', 0, 1), u"Alterar orçamento|Código "_s + nx + u' ');
            // The form asked first (the quote is approved: saving undoes the approval).
            QCOMPARE(mmensagens.size(), 1);
            QVERIFY2(mmensagens.constFirst().startsWith(u"O orçamento %1 foi aprovado por "_s.arg(nx)),
                     qPrintable(mmensagens.constFirst()));
            QCOMPARE(versoes(), antes + 2); // "aprovação desfeita", then "alterado"
            mmensagens.clear();

            // The printed follow-up, exported to PDF from its preview.
            Clicar(janela, u"xrcmdImprimir"_s);
            for (const QString& esperado :
                 {u"Acompanhamento de orçamentos"_s, u"Clínica Escola"_s,
                  u"Orçamentos feitos: 3 (08/11/2026 a 07/12/2026), valor oferecido 324,00"_s,
                  // X's approval was undone by its save: it waits again.
                  u"Vencem em até 7 dias (1)"_s, u"Vencidos nos últimos 30 dias (1)"_s,
                  u"Aprovados ainda não concluídos (1)"_s, u"Maria Antônia Gonçalves"_s, u"Luna"_s,
                  u"01/12/2026"_s, u"Vencido"_s, u"Página: 1 de 1"_s})
                QVERIFY2(mtextoDoPdf.contains(esperado), qPrintable(esperado + u"\n"_s + mtextoDoPdf));
            percorrida = true;
        });
        QVERIFY(percorrida);
        QVERIFY(mmensagens.isEmpty());
        QVERIFY(ErrosExibidos().isEmpty());
    }
};

QTEST_MAIN(TesteDoAcompanhamento)
#include "tst_acompanhamento.moc"
