// The public class, the working context, the error trap and its location, the
// suite's components and the platform seam.

#include "tests/Linha.h"
#include "tests/component/DublesDoComponente.h"

#include "component/frmMensagem.h"
#include "component/modArredondarCantosDoObjeto.h"
#include "component/modFuncoes.h"
#include "component/modFundoEscuro.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "entry/clsOrcamentos.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

class TesteDoComponente : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("ZELT_LOG", mpasta.filePath(QStringLiteral("erros.log")).toUtf8());
        Suite::RegistrarComponentesDaSuite();
        RegistrarMensagemGravadora();
    }

    void init() {
        ErrosExibidos().clear();
        RegistrarOrcamentosRoteirizados();
        Plataforma::SubstituirMsgBox({});
        Plataforma::SubstituirExibicaoModal({});
    }

    void exibirRecebeONomeDaAplicacaoComoQuartoArgumento() {
        // Never set: an empty text, not Empty.
        ExibirMensagemDeErro(13, QStringLiteral("Tipos incompatíveis"), QStringLiteral("aqui"));
        QCOMPARE(ErrosExibidos().size(), 1);
        QCOMPARE(ErrosExibidos()[0].NomeDaAplicacao.typeId(), QMetaType::QString);
        QCOMPARE(ErrosExibidos()[0].NomeDaAplicacao.toString(), QString());

        clsOrcamentos componente;
        componente.NomeDaAplicacao(QStringLiteral("Clínica Bicho Feliz"));
        ExibirMensagemDeErro(6, QStringLiteral("Estouro"), QStringLiteral("ali"));
        QCOMPARE(Erros().value(1) + u'|' + ErrosExibidos().value(1).NomeDaAplicacao.toString(),
                 QStringLiteral("6|Estouro|ali|Clínica Bicho Feliz"));
        QCOMPARE(Erros().size(), 2);

        QCOMPARE(LocalDoErro(u"frmLista", u"GerarLista", 3),
                 QStringLiteral("ZELT_A_Orcamentos, frmLista, GerarLista, Ponto: 3"));
    }

    void membrosNaOrdemDaInterfaceEAlcancaveisPeloNome() {
        std::unique_ptr<QObject> componente(ZELT_A_Orcamentos_CriarObjeto("ZELT_A_Orcamentos.clsOrcamentos"));
        QVERIFY(componente);
        QCOMPARE(ZELT_A_Orcamentos_CriarObjeto("ZELT_A_Orcamentos.clsOutraCoisa"), nullptr);

        const QMetaObject* meta = componente->metaObject();
        QStringList nomes;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            nomes << QString::fromLatin1(meta->method(i).name());
        QCOMPARE(nomes,
                 (QStringList{u"AbrirLista"_s, u"AbrirFicha"_s, u"DadosDoUsuario"_s, u"NomeDaAplicacao"_s,
                              u"CodigoDoCliente"_s, u"ApelidoOuNomeFantasiaDoCliente"_s,
                              u"NomeOuRazaoSocialDoCliente"_s, u"CodigoDoAnimal"_s, u"NomeDoAnimal"_s}));

        QObject usuario;
        QVERIFY(QMetaObject::invokeMethod(componente.get(), "DadosDoUsuario", Q_ARG(QObject*, &usuario)));
        QVERIFY(QMetaObject::invokeMethod(componente.get(), "CodigoDoCliente", Q_ARG(qint32, 1234)));
        QVERIFY(QMetaObject::invokeMethod(componente.get(), "ApelidoOuNomeFantasiaDoCliente",
                                          Q_ARG(QString, u"Zeca"_s)));
        QVERIFY(QMetaObject::invokeMethod(componente.get(), "NomeOuRazaoSocialDoCliente",
                                          Q_ARG(QString, u"José da Silva"_s)));
        QVERIFY(QMetaObject::invokeMethod(componente.get(), "CodigoDoAnimal", Q_ARG(qint32, 77)));
        QVERIFY(QMetaObject::invokeMethod(componente.get(), "NomeDoAnimal", Q_ARG(QString, u"Rex"_s)));
        QCOMPARE(modPrincipal::DadosDoUsuario.data(), &usuario);
        QCOMPARE((QStringList{QString::number(modPrincipal::CodigoDoCliente),
                              modPrincipal::ApelidoOuNomeFantasiaDoCliente,
                              modPrincipal::NomeOuRazaoSocialDoCliente,
                              QString::number(modPrincipal::CodigoDoAnimal), modPrincipal::NomeDoAnimal}),
                 (QStringList{u"1234"_s, u"Zeca"_s, u"José da Silva"_s, u"77"_s, u"Rex"_s}));

        // A second instance writes the same, component-wide values.
        clsOrcamentos outro;
        outro.CodigoDoAnimal(78);
        QCOMPARE(modPrincipal::CodigoDoAnimal, 78);
    }

    void abrirListaDocaNaAreaAcompanhaOTamanhoETrocaAReferencia() {
        MenuDeTeste* menu = NovaJanelaDoMenu();
        clsOrcamentos componente;
        QVariant resultado;
        QVERIFY(QMetaObject::invokeMethod(&componente, "AbrirLista", Q_RETURN_ARG(QVariant, resultado),
                                          Q_ARG(HWnd, Plataforma::Handle(menu)),
                                          Q_ARG(HWnd, Plataforma::Handle(menu->Area))));
        QVERIFY(!resultado.isValid());
        QCOMPARE(modPrincipal::FomularioDoMenu_hWnd, Plataforma::Handle(menu));
        QWidget* lista = modPrincipal::FormularioDeLista;
        QVERIFY(lista);
        QCOMPARE(lista->parentWidget(), menu->Area);
        QVERIFY(lista->isVisible());
        QVERIFY(!lista->isWindow());
        QCOMPARE(lista->geometry(), menu->Area->rect());
        menu->Area->resize(900, 500);
        QCOMPARE(lista->size(), QSize(900, 500));
        QVERIFY(ErrosExibidos().isEmpty());

        // A context value set after the list opened is what the next operation reads.
        componente.NomeDaAplicacao(QStringLiteral("Pet Shop Amigo"));
        ExibirMensagemDeErro(5, QStringLiteral("x"), QStringLiteral("y"));
        QCOMPARE(ErrosExibidos().last().NomeDaAplicacao.toString(), QStringLiteral("Pet Shop Amigo"));

        // Opened again: the new list is the context's one; the first stays until closed.
        QPointer<QWidget> primeira = lista;
        componente.AbrirLista(Plataforma::Handle(menu), Plataforma::Handle(menu->Area));
        QPointer<QWidget> segunda = modPrincipal::FormularioDeLista.data();
        QVERIFY(segunda && primeira != segunda);
        QVERIFY(primeira->isVisible());
        QCOMPARE(primeira->parentWidget(), menu->Area);
        primeira->close();
        QTRY_VERIFY(primeira.isNull());
        QCOMPARE(modPrincipal::FormularioDeLista.data(), segunda.data());
    }

    void erroNoMetodoEhMostradoComLocalERetornaVazio() {
        // A work area handle that names no window: the docking fails inside the list's
        // assembly, which shows the error; AbrirLista still answers Empty and keeps the
        // menu handle it stored.
        MenuDeTeste* menu = NovaJanelaDoMenu();
        clsOrcamentos componente;
        const QVariant resultado = componente.AbrirLista(Plataforma::Handle(menu), HWnd(12345));
        QVERIFY(!resultado.isValid());
        QCOMPARE(modPrincipal::FomularioDoMenu_hWnd, Plataforma::Handle(menu));
        QCOMPARE(ErrosExibidos().size(), 1);
        QCOMPARE(ErrosExibidos()[0].Numero.toInt(), 5);
        QCOMPARE(ErrosExibidos()[0].Local.toString(),
                 QStringLiteral("ZELT_A_Orcamentos, frmLista, MontarExibirFormulario, Ponto: 1"));
        // The list that could not be docked is gone, not left behind without an owner.
        QVERIFY(modPrincipal::FormularioDeLista.isNull());
    }

    void progIdDesconhecidoEhErro429NoTratadorDoChamador() {
        Zelt::RemoverProgId(ProgId::Orcamentos);
        MenuDeTeste* menu = NovaJanelaDoMenu();
        clsOrcamentos componente;
        componente.AbrirLista(Plataforma::Handle(menu), Plataforma::Handle(menu->Area));
        QCOMPARE(Erros().size(), 1);
        QVERIFY2(
            Erros()[0].startsWith(QStringLiteral("429|O componente ActiveX não pode criar o objeto|ZELT_A_"
                                                 "Orcamentos, frmLista, MontarExibirFormulario, Ponto: ")),
            qPrintable(Erros()[0]));
    }

    void exibicaoDeErroDaSuiteMostraEGravaNoLog() {
        Suite::RegistrarComponentesDaSuite(); // the real error display, not the recorder
        QStringList mensagens;
        AnotarMensagens(mensagens);
        modPrincipal::NomeDaAplicacao = QStringLiteral("Clínica Bicho Feliz");
        const bool terminou = ComTratamentoDeErro(u"frmLista", u"GerarLista", [](qint16& Ponto) {
            Ponto = 1;
            Ponto = 2;
            Ponto = 3;
            throw VB::ErroDeExecucao(13);
        });
        RegistrarMensagemGravadora();
        QVERIFY(!terminou);
        QCOMPARE(mensagens.size(), 1);
        const QString texto = mensagens[0];
        QVERIFY2(texto.endsWith(u"|%1|Clínica Bicho Feliz"_s.arg(int(Plataforma::vbCritical))) &&
                     texto.contains(QStringLiteral("13")) &&
                     texto.contains(QStringLiteral("Tipos incompatíveis")) &&
                     texto.contains(QStringLiteral("ZELT_A_Orcamentos, frmLista, GerarLista, Ponto: 3")),
                 qPrintable(texto));

        QFile log(Suite::CaminhoDoLogDeErros());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString linha = QString::fromUtf8(log.readAll()).trimmed().split(QLatin1Char('\n')).last();
        QVERIFY2(QRegularExpression(
                     QStringLiteral(
                         "^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d \\| Clínica Bicho Feliz \\| 13 \\| "
                         "Tipos incompatíveis \\| ZELT_A_Orcamentos, frmLista, GerarLista, Ponto: 3$"))
                     .match(linha)
                     .hasMatch(),
                 qPrintable(linha));
    }

    void fundoEscuroFicaAteRemover() {
        MenuDeTeste* menu = NovaJanelaDoMenu();
        const HWnd hWnd = Plataforma::Handle(menu);
        qint16 Opcao = 0;
        AplicarFundoEscuro(hWnd, Opcao);
        AplicarFundoEscuro(hWnd, Opcao); // twice: still one cover
        const auto coberturas = menu->findChildren<QWidget*>(QStringLiteral("FundoEscuro"));
        QCOMPARE(coberturas.size(), 1);
        QCOMPARE(coberturas[0]->geometry(), menu->rect());
        QVERIFY(coberturas[0]->isVisible());
        const QImage imagem = menu->grab().toImage();
        QVERIFY(qGray(imagem.pixel(600, 350)) < 200); // the window shows darkened
        menu->resize(1000, 600);
        QCOMPARE(coberturas[0]->geometry(), menu->rect());
        RemoverFundoEscuro(hWnd);
        QVERIFY(menu->findChildren<QWidget*>(QStringLiteral("FundoEscuro")).isEmpty());
    }

    void pausarDuraUmSegundoEProcessaEventos() {
        bool disparou = false;
        QElapsedTimer relogio;
        relogio.start();
        QTimer::singleShot(200, [&] { disparou = true; });
        Pausar(1);
        QVERIFY2(relogio.elapsed() >= 1000, qPrintable(QString::number(relogio.elapsed())));
        QVERIFY(disparou);
    }

    void shiftHomeSelecionaOTextoDigitado() {
        QLineEdit campo;
        campo.show();
        campo.activateWindow();
        campo.setFocus();
        QTRY_VERIFY(campo.hasFocus());
        campo.setText(QStringLiteral("Bicho"));
        campo.setCursorPosition(5);
        Plataforma::SendKeys(QStringLiteral("+({HOME})"));
        QCOMPARE(campo.selectedText(), QStringLiteral("Bicho"));
        QVERIFY_THROWS_EXCEPTION(VB::ErroDeExecucao, Plataforma::SendKeys(QStringLiteral("{ENTER}")));
    }

    void cantosArredondadosSalvoNoWindows8_data() {
        Colunas<QString, bool>("sistema", "arredonda");
        QTest::newRow("Windows 8") << u"Windows 8"_s << false;
        QTest::newRow("outra caixa") << u"wInDoWs 8"_s << false;
        QTest::newRow("Windows 8.1") << u"Windows 8.1"_s << true;
        QTest::newRow("Debian") << u"Debian GNU/Linux 12 (bookworm)"_s << true;
    }

    void cantosArredondadosSalvoNoWindows8() {
        QFETCH(QString, sistema);
        QFETCH(bool, arredonda);
        qputenv("ZELT_NOME_DO_SO", sistema.toUtf8());
        QWidget painel;
        painel.resize(200, 80);
        HWnd hWnd = Plataforma::Handle(&painel);
        quint8 Raio = 30;
        ArredondarCantosDoObjeto(hWnd, Raio);
        QCOMPARE(Plataforma::TemRegiao(hWnd), arredonda);
        if (arredonda) {
            QVERIFY(!painel.mask().contains(QPoint(0, 0)));   // the corner is cut away
            QVERIFY(painel.mask().contains(QPoint(100, 40))); // the middle shows
            QVERIFY(painel.mask().contains(QPoint(100, 0)));  // and so does the top edge
        }

        auto* mensagem = new frmMensagem;
        Shape* moldura = mensagem->findChild<Shape*>(u"lshpObj"_s);
        QCOMPARE(moldura != nullptr, !arredonda);
        QCOMPARE(Plataforma::TemRegiao(Plataforma::Handle(mensagem)), arredonda);
        if (moldura) {
            QVERIFY(moldura->Visible());
            QCOMPARE(moldura->geometry(), mensagem->rect());
        }
        delete mensagem;
        qunsetenv("ZELT_NOME_DO_SO");
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void formularioDeMensagemFicaUmSegundoComARotuloCentralizado() {
        QPointer<frmMensagem> mensagem = new frmMensagem;
        QCOMPARE(mensagem->lblMensagem->Caption(), u"Aguarde, acessando o sistema"_s);
        mensagem->lblMensagem->setCaption(u"Aguarde, reorganizando dados."_s);
        const int larguraDoRotulo = mensagem->lblMensagem->Width();
        QElapsedTimer relogio;
        relogio.start();
        QCOMPARE(mensagem->MontarExibirFormulario(), false);
        QVERIFY(relogio.elapsed() >= 1000);
        QVERIFY(mensagem->isVisible());
        QCOMPARE(Twips::DePixels(mensagem->width()), larguraDoRotulo + 780);
        // The label spans the whole form, so that its centred text is centred in it.
        QCOMPARE(mensagem->lblMensagem->Left(), 0);
        QCOMPARE(mensagem->lblMensagem->Width(), Twips::DePixels(mensagem->width()));
        mensagem->Form_Unload();
        QTRY_VERIFY(mensagem.isNull());
    }

private:
    MenuDeTeste* NovaJanelaDoMenu() {
        return mjanelas.emplace_back(new MenuDeTeste({1200, 700}, {0, 40, 1200, 660}));
    }
    QTemporaryDir mpasta;
    QList<MenuDeTeste*> mjanelas;
};

QTEST_MAIN(TesteDoComponente)
#include "tst_componente.moc"
