// The menu's "Novo orçamento" without a client given: the person chooses the client and
// the animal with the keyboard, and the record form opens for them; with --cliente and
// --animal the chooser is skipped. The menu's help.

#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"

#include "contracts/DadosDoUsuario.h"
#include "host/EscolhaDoCliente.h"
#include "host/JanelaDoMenu.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {

// The keys a person presses, each to the widget that has the focus.
void Teclar(const QString& texto) {
    for (const QChar letra : texto)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(letra),
                            Qt::NoModifier);
}
void Teclar(Qt::Key tecla) {
    QTest::keyClick(QApplication::focusWidget(), tecla);
}

QString Nome(const QWidget* widget) {
    return widget ? widget->objectName() : u"(nenhum)"_s;
}

} // namespace

class TesteDaEscolhaDoCliente : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        Plataforma::SubstituirExibicaoModal({}); // the last test's, which pointed into it
        ErrosExibidos().clear();
        RegistrarMensagemGravadora();
        Plataforma::SubstituirMsgBox(
            [](const QString&, int, const QString&) { return int(Plataforma::vbOK); });
    }

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
    }

    void variosClientesPelasSetasComRecusas() {
        Plataforma::SubstituirExibicaoModal([](QWidget* dialogo) {
            QWidget& janela = *dialogo;
            QApplication::setActiveWindow(dialogo);
            QVERIFY(QTest::qWaitForWindowActive(dialogo));
            QCOMPARE(Nome(QApplication::focusWidget()), u"txtPesquisa"_s);
            auto* clientes = Controle<QTableWidget>(janela, "tabClientes");
            auto* animais = Controle<QListWidget>(janela, "lstAnimais");
            auto* aviso = Controle<QLabel>(janela, "lblAviso");
            auto* pesquisa = Controle<QLineEdit>(janela, "txtPesquisa");
            // Nothing found: said, and the text selected to be typed over.
            Teclar(u"xyz"_s);
            Teclar(Qt::Key_Return);
            QCOMPARE(aviso->text(), u"Nenhum cliente encontrado com 'xyz'."_s);
            QCOMPARE(pesquisa->selectedText(), u"xyz"_s);
            // A blocked client found alone is refused.
            Teclar(u"bloq"_s);
            Teclar(Qt::Key_Return);
            QCOMPARE(aviso->text(),
                     u"Cliente bloqueado. Para mais informações, entre em contato com o departamento "
                     u"financeiro."_s);
            QCOMPARE(animais->count(), 0);
            QVERIFY(!Controle<QPushButton>(janela, "cmdAbrir")->isEnabled());
            // Two found ("João", "José Sem Animal"): the list takes the focus on the first.
            pesquisa->setFocus();
            pesquisa->selectAll();
            Teclar(u"jo"_s);
            Teclar(Qt::Key_Return);
            QCOMPARE(clientes->rowCount(), 2);
            QCOMPARE(Nome(QApplication::focusWidget()), u"tabClientes"_s);
            QCOMPARE(clientes->item(1, 1)->text(), u"Zé"_s);
            Teclar(Qt::Key_Down);
            Teclar(Qt::Key_Return);
            QCOMPARE(aviso->text(), u"Zé não tem animal ativo cadastrado: escolha outro cliente."_s);
            QCOMPARE(Nome(QApplication::focusWidget()), u"tabClientes"_s);
            Teclar(Qt::Key_Up);
            Teclar(Qt::Key_Return);
            QCOMPARE(aviso->text(), QString());
            QCOMPARE(animais->count(), 2);
            QCOMPARE(animais->item(0)->text(), u"Mel"_s);
            Teclar(Qt::Key_Down);
            Teclar(Qt::Key_Return);
        });
        const std::optional<ClienteEAnimal> escolha = EscolhaDoCliente::Escolher(musuario.get(), nullptr);
        QVERIFY(escolha);
        QCOMPARE(escolha->CodigoDoCliente, 1);
        QCOMPARE(escolha->ApelidoOuNomeFantasiaDoCliente, u"João"_s);
        QCOMPARE(escolha->CodigoDoAnimal, 10);
        QCOMPARE(escolha->NomeDoAnimal, u"Rex"_s);
    }

    void novoOrcamentoAbreAFichaParaOEscolhido() {
        // Each modal display in turn: the chooser (the person picks Maria and Luna, or
        // cancels), then the record form, whose client and animal are read and which is
        // cancelled.
        QStringList exibidos;
        QStringList cliente;
        bool cancelarAEscolha = false;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            exibidos << janela->objectName();
            if (qobject_cast<EscolhaDoCliente*>(janela)) {
                QApplication::setActiveWindow(janela);
                QVERIFY(QTest::qWaitForWindowActive(janela));
                if (cancelarAEscolha) return Teclar(Qt::Key_Escape);
                // One client found is taken at once; Enter takes its one active animal.
                Teclar(u"maria"_s);
                Teclar(Qt::Key_Return);
                QCOMPARE(Nome(QApplication::focusWidget()), u"lstAnimais"_s);
                Teclar(Qt::Key_Return);
                return;
            }
            for (const char* campo :
                 {"xrfCodigoDoCliente", "xrfApelidoOuNomeFantasiaDoCliente", "xrfNomeOuRazaoSocialDoCliente"})
                cliente << Controle<XRFind>(*janela, campo)->Text();
            auto* animal = Controle<XRComboBox>(*janela, "xrcmbAnimal");
            cliente << animal->Text() << QString::number(animal->ItemData(0));
            Controle<XRCommandButton>(*janela, "xrcmdCancelarAlterar")->Click();
        });
        {
            JanelaDoMenu menu(musuario.get(), u"Clínica Escola"_s, 0, 0);
            menu.NovoOrcamento();
            QCOMPARE(exibidos, (QStringList{u"EscolhaDoCliente"_s, u"frmFicha"_s}));
            QCOMPARE(cliente, (QStringList{u"2"_s, u"Maria Antônia"_s, u"Maria Antônia Gonçalves"_s,
                                           u"Luna"_s, u"12"_s}));
            // Cancelled: no record form.
            exibidos.clear();
            cancelarAEscolha = true;
            menu.NovoOrcamento();
            QCOMPARE(exibidos, QStringList{u"EscolhaDoCliente"_s});
        }
        // The client and animal given on the command line skip the chooser.
        exibidos.clear();
        cliente.clear();
        JanelaDoMenu menu(musuario.get(), u"Clínica Escola"_s, 1, 10);
        menu.NovoOrcamento();
        QCOMPARE(exibidos, QStringList{u"frmFicha"_s});
        QCOMPARE(cliente, (QStringList{u"1"_s, u"João"_s, u"João da Silva"_s, u"Rex"_s, u"10"_s}));
        QVERIFY(ErrosExibidos().isEmpty());
    }

    // The menu's "Ajuda" opens the guide from its start, and so does F1 with the focus in
    // the menu window; with the focus in the docked list, F1 opens the list's section
    // instead (the list claims the key ahead of the menu).
    void ajudaDoMenuEF1DaListaAcoplada() {
        qputenv("ZELT_GUIA", qgetenv("ZELT_TEST_SOURCE_DIR") + "/docs/guia/index.html");
        JanelaDoMenu menu(musuario.get(), u"Clínica Escola"_s, 0, 0);
        menu.show();
        QApplication::setActiveWindow(&menu);
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        menu.findChild<QAction*>(u"AcaoAjuda"_s)->trigger();
        QCOMPARE(SecaoDoGuiaExibida(), u"(início)"_s);
        FecharAjuda();

        menu.AbrirOrcamentos();
        auto* pesquisa = menu.findChild<XRFind*>(u"xrfndPesquisar"_s);
        pesquisa->SetFocus();
        QApplication::setActiveWindow(&menu);
        QVERIFY(pesquisa->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(SecaoDoF1(QApplication::focusWidget()), u"lista"_s);

        QApplication::setActiveWindow(&menu);
        menu.setFocus();
        QCOMPARE(QApplication::focusWidget(), &menu);
        QCOMPARE(SecaoDoF1(&menu), u"(início)"_s);
        QVERIFY(ErrosExibidos().isEmpty());
    }

private:
    template <class T> static T* Controle(const QWidget& janela, const char* nome) {
        return janela.findChild<T*>(QString::fromLatin1(nome));
    }
};

QTEST_MAIN(TesteDaEscolhaDoCliente)
#include "tst_escolha_do_cliente.moc"
