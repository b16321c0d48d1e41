// Round trips to a PostgreSQL server, counted on the wire by a relay between the program
// and the server: each operation of the list and the record form makes at most the
// number written in docs/negocio.md ("A server far away"), so that a change that adds
// one is caught. A number, not a time: a branch pays each round trip with tens of
// milliseconds of the internet.

#include "bench/wan/ProxyDeAtraso.h"
#include "tests/Linha.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Negocio.h"
#include "component/modPrincipal.h"

#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TesteDasIdasEVoltas : public TesteDaFicha {
    Q_OBJECT

    // A relay to this test's server, without delay.
    ProxyDeAtraso Relay() const {
        const QUrl url(msessao->UrlPostgreSQL());
        return ProxyDeAtraso(url.host(), static_cast<quint16>(url.port()), 0);
    }
    // The business layer's start on this test's database, through the relay.
    Negocio::Configuracao PeloRelay(const ProxyDeAtraso& proxy) const {
        QUrl url(msessao->UrlPostgreSQL());
        url.setPort(proxy.Porta());
        Negocio::Configuracao configuracao;
        configuracao.UrlPostgreSQL = url.toString();
        configuracao.CriarDadosDeDemonstracao = false;
        return configuracao;
    }

private slots:
    void cada_operacao_em_poucas_idas_e_voltas_data() {
        Colunas<QString, int>("operacao", "maximo");
        QTest::newRow("abrir um banco novo (criar as tabelas)") << u"banco_novo"_s << 48;
        QTest::newRow("abrir o banco") << u"inicio"_s << 9;
        QTest::newRow("abrir a lista") << u"lista"_s << 1;
        QTest::newRow("próxima página") << u"proxima"_s << 1;
        QTest::newRow("pesquisa por nome") << u"pesquisa"_s << 2;
        QTest::newRow("abrir um orçamento de 100 itens") << u"abrir"_s << 4;
        // Opened again: the company and the service types kept by the connection.
        QTest::newRow("abrir de novo o orçamento") << u"reabrir"_s << 2;
        QTest::newRow("gravar um orçamento de 100 itens") << u"gravar"_s << 6;
        QTest::newRow("incluir um orçamento de 100 itens") << u"incluir"_s << 5;
    }

    void cada_operacao_em_poucas_idas_e_voltas() {
        if (msessao->UrlPostgreSQL().isEmpty()) QSKIP("a SQLite file is read in the program: no round trips");
        QFETCH(QString, operacao);
        QFETCH(int, maximo);
        for (int i = 0; i < 14; ++i)
            QVERIFY(GravarOrcamento(1) > 0);
        const double numero = GravarOrcamento(100); // the newest: on the list's first page

        // The same database, reached through the relay (no delay: only counted).
        ProxyDeAtraso proxy = Relay();
        QVERIFY(proxy.Porta() > 0);
        const Negocio::Configuracao configuracao = PeloRelay(proxy);

        qint64 contadas = -1;
        const auto Passo = [&](const QString& nome, const std::function<void()>& passo) {
            proxy.ZerarContagem();
            passo();
            if (nome == operacao) contadas = proxy.IdasEVoltas();
        };
        if (operacao == u"banco_novo"_s) {
            Negocio::Encerrar();
            QString erro;
            QVERIFY2(BancoDeTeste::ExecutarEm(msessao->UrlPostgreSQL(),
                                              u"DROP SCHEMA public CASCADE; CREATE SCHEMA public"_s, erro),
                     qPrintable(erro));
        }
        Passo(operacao == u"banco_novo"_s ? operacao : u"inicio"_s, [&] { Negocio::Iniciar(configuracao); });
        if (operacao == u"banco_novo"_s) {
            qInfo().noquote() << operacao << "idas e voltas:" << contadas;
            QVERIFY2(contadas <= maximo, qPrintable(u"%1 idas e voltas, no máximo %2"_s.arg(
                                             QString::number(contadas), QString::number(maximo))));
            return;
        }
        Passo(u"lista"_s, [&] {
            mmenu = new MenuDeTeste({1400, 760}, {0, 0, 1400, 300}); // a short grid: several pages
            mlista = mmenu->AbrirLista();
        });
        modPrincipal::FomularioDoMenu_hWnd = Plataforma::Handle(mmenu);
        modPrincipal::FormularioDeLista = mlista.data();
        QVERIFY(mlista);
        Passo(u"proxima"_s, [&] {
            QToolButton* proximo = mlista->findChild<QToolButton*>(u"cmdProximo"_s);
            QVERIFY(proximo && proximo->isEnabled());
            QTest::mouseClick(proximo, Qt::LeftButton);
        });
        Passo(u"pesquisa"_s, [&] {
            auto* editor =
                mlista->findChild<XRFind*>(u"xrfndPesquisar"_s)->findChild<QLineEdit*>(u"txtTexto"_s);
            editor->setText(u"João"_s);
            QTest::keyClick(editor, Qt::Key_Return);
        });
        Passo(u"abrir"_s, [&] { AbrirDaLista(frmFicha::Alteracao, numero); });
        QVERIFY(mficha && mficha->isVisible());
        QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows(), 101);
        Passo(u"gravar"_s,
              [&] { emit ControleDaFicha<XRCommandButton>("xrcmdSalvarFecharConfirmar")->Click(); });
        QVERIFY2(!mficha->isVisible(), qPrintable(Mensagens().join(u'\n')));
        QVERIFY(Erros().isEmpty());
        if (operacao == u"reabrir"_s) {
            Passo(operacao, [&] { AbrirDaLista(frmFicha::Alteracao, numero); });
            QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows(), 101);
        }
        // A new quote of 100 items typed in the form: only its save is counted.
        if (operacao == u"incluir"_s) {
            AbrirDaLista(frmFicha::Inclusao);
            Ativar();
            Compor(QStringList(100, u"servico 1"_s));
            QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows(), 101);
            Passo(operacao, [&] { Clicar("xrcmdSalvarFecharConfirmar"); });
            QVERIFY2(mficha->OperacaoConcluida(), qPrintable(Mensagens().join(u'\n')));
            QCOMPARE(BancoDeTeste::Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = "
                                          "(SELECT MAX(NumeroDoOrcamento) FROM Orcamentos)"),
                     100);
        }

        qInfo().noquote() << operacao << "idas e voltas:" << contadas;
        QVERIFY(contadas > 0);
        QVERIFY2(contadas <= maximo, qPrintable(u"%1 idas e voltas, no máximo %2"_s.arg(
                                         QString::number(contadas), QString::number(maximo))));
    }

    // The link drops while a new quote is typed: the save fails with the lost connection's
    // message and stores nothing, the form's recovery copy keeps the quote, and once the
    // link is back the next save reopens the connection by itself and stores it.
    void ligacao_que_cai_e_volta() {
        if (msessao->UrlPostgreSQL().isEmpty())
            QSKIP("a SQLite file is read in the program: no link to lose");
        ProxyDeAtraso proxy = Relay();
        QVERIFY(proxy.Porta() > 0);
        Negocio::Iniciar(PeloRelay(proxy));
        AbrirDaLista(frmFicha::Inclusao);
        Ativar();
        Compor({u"servico 1"_s, u"servico 2"_s});
        QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows() - 1, 2);
        const QString totais = Propriedades("Text", Totais);

        proxy.Cortar();
        Clicar("xrcmdSalvarFecharConfirmar");
        QCOMPARE(Erros().size(), 1);
        QCOMPARE(ErrosExibidos().constFirst().Descricao,
                 u"A conexão com o banco de dados foi perdida. Tente novamente."_s);
        QVERIFY(!mficha->OperacaoConcluida());
        QFile arquivo(mficha->ArquivoDaCopiaDeRecuperacao());
        QVERIFY(arquivo.open(QIODevice::ReadOnly));
        const QJsonObject copia = QJsonDocument::fromJson(arquivo.readAll()).object();
        arquivo.close();
        QCOMPARE(copia.value(u"cliente"_s).toObject().value(u"nome"_s).toString(),
                 u"Maria Antônia Gonçalves"_s);
        QCOMPARE(copia.value(u"itens"_s).toArray().size(), 2);

        // The link is back: the next form reopens the connection by itself, offers the
        // quote typed, and saves it.
        proxy.Restaurar();
        ErrosExibidos().clear();
        mficha.reset();
        mmensagens.clear();
        mrespostas << Plataforma::vbYes;
        AbrirDaLista(frmFicha::Inclusao);
        Ativar();
        QCOMPARE(mmensagens.size(), 1);
        QVERIFY2(mmensagens.constFirst().Texto.startsWith(u"Há um orçamento não gravado de "_s),
                 qPrintable(mmensagens.constFirst().Texto));
        QCOMPARE(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento")->Rows() - 1, 2);
        QCOMPARE(Propriedades("Text", Totais), totais);
        Clicar("xrcmdSalvarFecharConfirmar");
        QVERIFY2(mficha->OperacaoConcluida(), qPrintable(Erros().join(u'\n') + Mensagens().join(u'\n')));
        QVERIFY(Erros().isEmpty());
        QVERIFY(!arquivo.exists());
        // Read through the business layer's own connection: it reopened by itself.
        QCOMPARE(Banco::Valor(u"SELECT COUNT(*) FROM ItensDeOrcamento"_s).toInt(), 2);
        QCOMPARE(Banco::Valor(u"SELECT COUNT(*) FROM Orcamentos"_s).toInt(), 1);
        // The header is the sum of its items: net value and discount.
        QCOMPARE(
            Banco::Valor(u"SELECT COUNT(*) FROM Orcamentos o WHERE CodigoDoCliente = 2 AND ValorLiquido = "
                         "(SELECT SUM(ValorTotal) FROM ItensDeOrcamento) AND DescontoEmValor = "
                         "(SELECT SUM(DescontoEmValor) FROM ItensDeOrcamento)"_s)
                .toInt(),
            1);
    }
};

QTEST_MAIN(TesteDasIdasEVoltas)
#include "tst_idas_e_voltas.moc"
