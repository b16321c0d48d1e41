#include "tests/controls/tst_controles.h"

#include "platform/controls/Aparencia.h"
#include "platform/controls/CoresVB.h"
#include "platform/controls/Icones.h"
#include "platform/controls/Image.h"
#include "tests/Controles.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QToolButton>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Types a text key by key, accented letters included (each with its own key code).
void Digitar(QWidget* widget, const QString& texto) {
    for (const QChar ch : texto) {
        if (ch.unicode() < 128) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        const auto tecla = static_cast<Qt::Key>(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, tecla, QString(ch), Qt::NoModifier);
    }
}

// A control of that kind and name placed in the window, at that geometry in pixels.
template <class C> C& Colocar(QWidget& janela, const QString& nome, QRect geometria) {
    auto* controle = new C(&janela, nome);
    controle->setGeometry(geometria);
    return *controle;
}

} // namespace

class TesteDosControles : public QObject {
    Q_OBJECT

private slots:
    void twipsECoresDoVB() {
        // 4600 twips are 306.67 pixels.
        QCOMPARE((QList<int>{Twips::ParaPixels(15), Twips::ParaPixels(4600), Twips::ParaPixels(7),
                             Twips::ParaPixels(8), Twips::ParaPixels(-8), Twips::DePixels(307)}),
                 (QList<int>{1, 307, 0, 1, -1, 4605}));
        QCOMPARE(Twips::DePixels(2.5), 37.5f);

        // A control keeps the twips it was given, and its pixels follow them.
        QWidget form;
        Label lbl(&form, u"lblTitulo"_s);
        lbl.setLeft(300);
        lbl.setTop(350);
        lbl.setWidth(4600);
        lbl.setHeight(700);
        // "Left|Top|Width|Height" in twips.
        const auto EmTwips = [&] {
            return u"%1|%2|%3|%4"_s.arg(lbl.Left()).arg(lbl.Top()).arg(lbl.Width()).arg(lbl.Height());
        };
        QCOMPARE(lbl.geometry(), QRect(20, 23, 307, 47));
        QCOMPARE(EmTwips(), u"300|350|4600|700"_s);
        // Moved by other means, the pixels tell.
        lbl.move(10, 23);
        QCOMPARE(EmTwips(), u"150|350|4600|700"_s);
        // VB's Move: what is left out stays.
        lbl.Move(600);
        QCOMPARE(EmTwips(), u"600|350|4600|700"_s);
        lbl.Move(600, 900, 1500, 300);
        QCOMPARE(lbl.geometry(), QRect(40, 60, 100, 20));
        QCOMPARE(NumeroDoErro([&] { lbl.setWidth(-1); }), 380L);
        QCOMPARE(lbl.Width(), 1500);

        // VB's colours: 0x00BBGGRR, and the system colours from the palette.
        QCOMPARE((QList<QColor>{CoresVB::ParaQColor(4802889), CoresVB::ParaQColor(255),
                                CoresVB::ParaQColor(0xF5F5F6), CoresVB::ParaQColor(0x808080)}),
                 (QList<QColor>{QColor(73, 73, 73), QColor(255, 0, 0), QColor(0xF6, 0xF5, 0xF5),
                                QColor(128, 128, 128)}));
        QCOMPARE(CoresVB::ParaQColor(static_cast<int>(0x80000012u)),
                 QGuiApplication::palette().color(QPalette::Active, QPalette::ButtonText));
        QCOMPARE(CoresVB::ParaQColor(CoresVB::vbHighlight),
                 QGuiApplication::palette().color(QPalette::Highlight));
        QCOMPARE((QList<int>{CoresVB::DeQColor(QColor(73, 73, 73)),
                             CoresVB::DeQColor(QColor(0xF6, 0xF5, 0xF5)), CoresVB::RGB(255, 0, 0)}),
                 (QList<int>{4802889, 0xF5F5F6, 255}));
    }

    void extensorPorNome() {
        QWidget form;
        const QList<Controle*> controles = {new XRCommandButton(&form, u"xrcmdAdicionar"_s),
                                            new XRFind(&form, u"xrfCodigoDoCliente"_s),
                                            new XRComboBox(&form, u"xrcmbSituacao"_s),
                                            new XRNumberBox(&form, u"xrnumQuantidade"_s),
                                            new XRDTPicker(&form, u"xrdtpDataDeValidadeDoOrcamento"_s),
                                            new XRTheme(&form, u"xrTheme"_s),
                                            new XRNavigationBar(&form, u"xrnbBarraDeNavegacao"_s),
                                            new MSFlexGrid(&form, u"msfgGrade"_s),
                                            new Label(&form, u"lblCliente"_s),
                                            new PictureBox(&form, u"picMensagem"_s),
                                            new Image(&form, u"imgEtiqueta_Situacao_Ativo"_s),
                                            new OptionButton(&form, u"optServico"_s),
                                            new Shape(&form, u"lshpObj"_s)};
        for (Controle* controle : controles) {
            const QString nome = controle->objectName();
            QCOMPARE(form.findChild<Controle*>(nome), controle);
            QCOMPARE(controle->property("Name").toString(), nome);
            for (const auto& [propriedade, valor] :
                 {std::pair{"Left", 1500}, {"Top", 750}, {"Width", 3000}, {"Height", 450}})
                QVERIFY2(controle->setProperty(propriedade, valor), qPrintable(nome));
            QCOMPARE(controle->geometry(), QRect(100, 50, 200, 30));
            QCOMPARE(controle->property("Width").toInt(), 3000);
            QVERIFY(controle->setProperty("Tag", u"12,50"_s));
            QCOMPARE(controle->property("Tag").toString(), u"12,50"_s);
            QVERIFY(controle->setProperty("ToolTipText", u"Alterar"_s));
            QCOMPARE(controle->toolTip(), u"Alterar"_s);
            QVERIFY(QMetaObject::invokeMethod(controle, "ZOrder", Q_ARG(int, 0)));
            QCOMPARE(form.children().constLast(), static_cast<QObject*>(controle));
            QCOMPARE(controle->font().family(), u"Arial"_s);
            QCOMPARE(QFontInfo(controle->font()).family(), u"Liberation Sans"_s);
        }
        // The inner editors follow the control's font, also when set by VB's shortcuts.
        XRNumberBox grande(&form);
        grande.setFont(QFont(u"Arial"_s, 14));
        QCOMPARE(grande.Editor()->font().pointSize(), 14);
        QVERIFY(grande.setProperty("FontSize", 9));
        QVERIFY(grande.setProperty("FontBold", true));
        QCOMPARE(grande.Editor()->font().pointSize(), 9);
        QVERIFY(grande.Editor()->font().bold());
        Label narrow(&form, u"lblMensagemDeResultado"_s);
        narrow.setFontName(u"Arial Narrow"_s);
        QCOMPARE(QFontInfo(narrow.font()).family(), u"Liberation Sans Narrow"_s);
        QCOMPARE(NumeroDoErro([&] { narrow.setFontSize(0); }), 380L);
        QCOMPARE(Label(&form).ForeColor(), 4802889);

        // Visible and Enabled answer the control's own flags, also inside a hidden or
        // disabled container (the record form disables itself under its waiting panel).
        PictureBox pic(&form, u"picMensagem"_s);
        XRNumberBox num(&pic, u"xrnumValorTotal"_s);
        form.show();
        pic.setVisible(false);
        QVERIFY(!num.isVisible());
        QCOMPARE(num.property("Visible").toBool(), true);
        QVERIFY(num.setProperty("Visible", false));
        QCOMPARE(num.Visible(), false);
        pic.setEnabled(false);
        QVERIFY(!num.isEnabled());
        QCOMPARE(num.property("Enabled").toBool(), true);
        num.setEnabled(false);
        pic.setEnabled(true);
        QCOMPARE(num.Enabled(), false);
        QVERIFY(!num.isEnabled());
    }

    void setFocusRecusado() {
        Janela janela(400, 300);
        PictureBox pic(&janela, u"picMensagem"_s);
        pic.setGeometry(0, 0, 400, 300);
        XRNumberBox num(&pic, u"xrnumQuantidade"_s);
        auto& find = Colocar<XRFind>(janela, u"xrfCodigoDoCliente"_s, {0, 100, 200, 28});
        QVERIFY(Ativar(janela));

        num.setVisible(false);
        QCOMPARE(NumeroDoErro([&] { num.SetFocus(); }), 5L);
        num.setVisible(true);
        num.setEnabled(false);
        QCOMPARE(NumeroDoErro([&] { num.SetFocus(); }), 5L);
        num.setEnabled(true);
        pic.setEnabled(false); // the container's state counts too
        QCOMPARE(NumeroDoErro([&] { num.SetFocus(); }), 5L);
        pic.setEnabled(true);
        QCOMPARE(NumeroDoErro([&] { num.SetFocus(); }), 0L);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(num.Editor()));
        // By name, as a script reaches it.
        QVERIFY(QMetaObject::invokeMethod(&find, "SetFocus"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(find.Editor()));
    }

    void comboBoxCliquesDosSetters() {
        XRComboBox cmb(nullptr, u"xrcmbSituacao"_s);
        int cliques = 0;
        int indiceNoClique = -2;
        connect(&cmb, &XRComboBox::Click, this, [&] {
            ++cliques;
            indiceNoClique = cmb.ListIndex();
        });
        const QStringList situacoes = {u"Todas as situações"_s, u"Ativos"_s, u"Inativos"_s, u"Recentes"_s};
        for (int i = 0; i < situacoes.size(); ++i) {
            cmb.AddItem(situacoes[i]);
            QCOMPARE(cmb.NewIndex(), i);
            cmb.setItemData(cmb.NewIndex(), i);
        }
        QCOMPARE(cliques, 0);
        QCOMPARE(QString::number(cmb.ListIndex()) + cmb.Text(), u"-1"_s); // adding never selects

        cmb.setListIndex(3);
        QCOMPARE(cliques, 1);
        QCOMPARE(indiceNoClique, 3); // the handler already sees the new selection
        QCOMPARE(cmb.Text(), u"Recentes"_s);
        QCOMPARE(cmb.ItemData(cmb.ListIndex()), 3);
        // The same entry again raises Click again, as in VB; then the selection goes away; then
        // nothing was selected: nothing to raise.
        QList<int> contagens;
        for (int indice : {3, -1, -1}) {
            cmb.setListIndex(indice);
            contagens << cliques;
        }
        QCOMPARE(contagens, (QList<int>{2, 3, 3}));
        QCOMPARE(indiceNoClique, -1);

        // The list's one-shot guard: the Click raised by the setter is swallowed before it returns.
        bool mbooSupressaoDeClique = true;
        int selecoes = 0;
        connect(&cmb, &XRComboBox::Click, this, [&] {
            if (mbooSupressaoDeClique) {
                mbooSupressaoDeClique = false;
                return;
            }
            ++selecoes;
        });
        QVERIFY(cmb.setProperty("ListIndex", 3));
        QVERIFY(!mbooSupressaoDeClique);
        QCOMPARE(selecoes, 0);
        cmb.setListIndex(0);
        QCOMPARE(selecoes, 1);

        // The person's picks: by keyboard, and the entry already selected picked again.
        const int antes = cliques;
        QTest::keyClick(cmb.Caixa(), Qt::Key_Down);
        QCOMPARE(cmb.ListIndex(), 1);
        QCOMPARE(cliques, antes + 1);
        emit cmb.Caixa()->activated(1);
        QCOMPARE(cliques, antes + 2);

        // Clear and RemoveItem raise nothing.
        cmb.RemoveItem(1); // the selected entry: no selection is left
        QCOMPARE(cmb.ListIndex(), -1);
        cmb.Clear();
        QCOMPARE((QList<int>{cliques, cmb.ListCount(), cmb.NewIndex()}), (QList<int>{antes + 2, 0, -1}));

        // During Click the control tells the person's pick from a setter's.
        cmb.AddItem(u"Ativos"_s);
        QList<bool> daPessoa;
        connect(&cmb, &XRComboBox::Click, this, [&] { daPessoa << cmb.CliqueDaPessoa(); });
        cmb.setListIndex(0);
        emit cmb.Caixa()->activated(0);
        QCOMPARE(daPessoa, (QList<bool>{false, true}));
        QVERIFY(!cmb.CliqueDaPessoa());
    }

    void comboBoxListaEErros() {
        XRComboBox cmb(nullptr, u"xrcmbAnimal"_s);
        cmb.AddItem(u"Rex"_s);
        cmb.setItemData(cmb.NewIndex(), 101);
        cmb.AddItem(u"Mimi"_s);
        cmb.setItemData(cmb.NewIndex(), 102);
        cmb.setListIndex(1);
        cmb.AddItem(u"Bidu"_s, 0); // inserted before the selection: the selection follows its entry
        QCOMPARE(
            (QList<int>{cmb.NewIndex(), cmb.ListIndex(), cmb.ItemData(2), cmb.ItemData(0), cmb.ListCount()}),
            (QList<int>{0, 2, 102, 0, 3}));
        QCOMPARE(cmb.Text() + u'|' + cmb.List(1), u"Mimi|Rex"_s);

        QCOMPARE(NumeroDoErro([&] { cmb.setListIndex(3); }), 380L);
        QCOMPARE(NumeroDoErro([&] { cmb.setListIndex(-2); }), 380L);
        QCOMPARE(NumeroDoErro([&] { cmb.ItemData(-2); }), 381L);
        QCOMPARE(NumeroDoErro([&] { cmb.setItemData(-1, 5); }), 381L);
        QCOMPARE(NumeroDoErro([&] { cmb.ItemData(3); }), 381L);
        QCOMPARE(NumeroDoErro([&] { cmb.RemoveItem(5); }), 381L);
        QCOMPARE(cmb.ListIndex(), 2); // a refused value changes nothing
        cmb.RemoveItem(0);
        QCOMPARE(QString::number(cmb.ListIndex()) + cmb.Text(), u"1Mimi"_s);
        cmb.setListIndex(-1);
        QCOMPARE(cmb.ItemData(cmb.ListIndex()), 0); // no selection reads as data 0
    }

    void numberBoxKeyPress() {
        XRNumberBox num(nullptr, u"xrnumQuantidade"_s);
        num.setText(QString());
        QList<int> codigos;
        // The record form's filter for a product quantity: digits, Backspace and "," pass,
        // "." becomes ",", a second "," and anything else are discarded.
        connect(&num, &XRNumberBox::KeyPress, this, [&](int& KeyAscii) {
            codigos << KeyAscii;
            if (KeyAscii == '.') KeyAscii = ',';
            const bool digito = KeyAscii >= '0' && KeyAscii <= '9';
            if (KeyAscii == ',' && num.Text().contains(u','))
                KeyAscii = 0;
            else if (!digito && KeyAscii != 8 && KeyAscii != ',')
                KeyAscii = 0;
        });
        QTest::keyClicks(num.Editor(), u"12.5a,3"_s);
        QCOMPARE(num.Text(), u"12,53"_s);
        QCOMPARE(codigos, (QList<int>{'1', '2', '.', '5', 'a', ',', '3'}));
        QTest::keyClick(num.Editor(), Qt::Key_Backspace);
        QCOMPARE(codigos.constLast(), 8);
        QCOMPARE(num.Text(), u"12,5"_s);
        QTest::keyClick(num.Editor(), Qt::Key_Left); // moves the cursor: types nothing, no KeyPress
        QCOMPARE(codigos.size(), 8);

        // KeyDown comes first and may discard the key before KeyPress sees it.
        QList<int> teclas;
        connect(&num, &XRNumberBox::KeyDown, this, [&](int& KeyCode, int& Shift) {
            teclas << KeyCode << Shift;
            if (KeyCode == 46) // vbKeyDelete
                KeyCode = 0;
        });
        num.Editor()->setCursorPosition(0);
        QTest::keyClick(num.Editor(), Qt::Key_Delete);
        QCOMPARE(num.Text(), u"12,5"_s);
        QCOMPARE(teclas, (QList<int>{46, 0}));
        teclas.clear();
        QTest::keyClick(num.Editor(), Qt::Key_7,
                        Qt::ShiftModifier); // Shift goes down first, with its own KeyDown
        QCOMPARE(teclas, (QList<int>{16, 1, 55, 1}));

        // A replacement by Backspace erases instead of typing.
        XRNumberBox outra(nullptr, u"xrnumValorUnitario"_s);
        outra.setText(u"45"_s);
        outra.Editor()->end(false);
        connect(&outra, &XRNumberBox::KeyPress, this, [](int& KeyAscii) {
            if (KeyAscii == '-') KeyAscii = 8;
        });
        QTest::keyClick(outra.Editor(), Qt::Key_Minus, Qt::NoModifier);
        QCOMPARE(outra.Text(), u"4"_s);
        // A locked box types nothing, whatever KeyPress answers.
        outra.setLocked(true);
        QTest::keyClicks(outra.Editor(), u"9"_s);
        QCOMPARE(outra.Text(), u"4"_s);
    }

    void numberBoxValidateMantemOFoco() {
        Janela janela(500, 200);
        auto& a = Colocar<XRNumberBox>(janela, u"xrnumQuantidade"_s, {10, 10, 120, 28});
        auto& b = Colocar<XRNumberBox>(janela, u"xrnumValorUnitario"_s, {150, 10, 120, 28});
        auto& cmd = Colocar<XRCommandButton>(janela, u"xrcmdAdicionar"_s, {300, 10, 120, 28});
        QStringList eventos;
        bool recusar = false;
        auto anotar = [&](Controle* c, const char* nome) {
            const QString prefixo = QString::fromLatin1(nome);
            connect(c, &Controle::GotFocus, this,
                    [&eventos, prefixo] { eventos << prefixo + u".GotFocus"_s; });
            connect(c, &Controle::LostFocus, this,
                    [&eventos, prefixo] { eventos << prefixo + u".LostFocus"_s; });
            connect(c, &Controle::Validate, this, [&eventos, &recusar, prefixo](bool& Cancel) {
                eventos << prefixo + u".Validate"_s;
                Cancel = recusar;
            });
        };
        anotar(&a, "a");
        anotar(&b, "b");
        QSignalSpy cliques(&cmd, &XRCommandButton::Click);
        QVERIFY(Ativar(janela));

        a.SetFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        QCOMPARE(eventos, QStringList{u"a.GotFocus"_s});

        // Cancel keeps the focus, whichever way the person or the code tries to leave.
        recusar = true;
        eventos.clear();
        b.SetFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        QTest::keyClick(a.Editor(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        Clicar(b.Editor());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        Clicar(&cmd); // the press is cancelled with the focus change: no Click either
        QCOMPARE(cliques.count(), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        QCOMPARE(eventos, QStringList(4, u"a.Validate"_s));

        // Accepted: Validate, then LostFocus, then GotFocus of the next control.
        recusar = false;
        eventos.clear();
        Clicar(b.Editor());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(b.Editor()));
        QCOMPARE(eventos, (QStringList{u"a.Validate"_s, u"a.LostFocus"_s, u"b.GotFocus"_s}));

        // Toward a control that does not cause validation, Validate is not raised.
        a.setCausesValidation(false);
        eventos.clear();
        a.SetFocus();
        QCOMPARE(eventos, (QStringList{u"b.LostFocus"_s, u"a.GotFocus"_s}));

        // The window disabled while it waits, then enabled with the focus given back: no
        // event at all (a quantity box is not normalised by a wait).
        eventos.clear();
        janela.setEnabled(false);
        janela.setEnabled(true);
        a.Editor()->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        QCOMPARE(eventos, QStringList());

        // Another window (a message box) takes and gives back the focus: no event at all.
        QWidget mensagem;
        eventos.clear();
        QVERIFY(Ativar(mensagem));
        QVERIFY(Ativar(janela));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.Editor()));
        QCOMPARE(eventos, QStringList());
    }

    void numberBoxGotFocusSelecaoEMaxLength() {
        Janela janela(400, 100);
        auto& a = Colocar<XRNumberBox>(janela, u"xrnumPercentualDeDescontoPorItem"_s, {10, 10, 120, 28});
        auto& b = Colocar<XRNumberBox>(janela, u"xrnumValorDeDescontoPorItem"_s, {150, 10, 120, 28});
        a.setText(u"10,00"_s);
        // The record form's GotFocus: select the whole text.
        connect(&a, &Controle::GotFocus, this, [&] {
            a.setSelStart(0);
            a.setSelLength(a.Text().length());
        });
        QVERIFY(Ativar(janela));
        b.SetFocus();
        Clicar(a.Editor(), QPoint(5, 5)); // a click would move the cursor: the selection stays
        // The focus is visible: the focused box's frame is drawn in the accent colour.
        const QImage imagem = janela.grab().toImage();
        const auto borda = [&](const XRNumberBox& caixa) {
            return QColor(imagem.pixel(caixa.geometry().topLeft() + QPoint(0, caixa.height() / 2)));
        };
        QCOMPARE(borda(a), Aparencia::CorDeDestaque());
        QVERIFY(borda(b) != Aparencia::CorDeDestaque());
        QCOMPARE(u"%1|%2|%3"_s.arg(a.SelStart()).arg(a.SelLength()).arg(a.SelText()), u"0|5|10,00"_s);
        // VB's selection members.
        a.setSelStart(3);
        QCOMPARE(a.SelLength(), 0);
        a.setSelLength(2);
        QCOMPARE(a.SelText(), u"00"_s);
        a.setSelText(u"5"_s);
        QCOMPARE(a.Text(), u"10,5"_s);
        a.setSelStart(99);
        QCOMPARE(a.SelStart(), 4);
        QCOMPARE(NumeroDoErro([&] { a.setSelLength(-1); }), 380L);
        a.setMaxLength(4);
        a.setSelStart(0);
        QTest::keyClicks(a.Editor(), u"9"_s);
        QCOMPARE(a.Text(), u"10,5"_s); // full
        a.setMaxLength(0);
        QTest::keyClicks(a.Editor(), u"9"_s);
        QCOMPARE(a.Text(), u"910,5"_s);

        // MaxLength limits the person's edits only: a text set from code is kept whole, however
        // long (the form decides what to do with it); a paste that would pass it is refused whole.
        b.setMaxLength(12);
        b.SetFocus();
        b.setText(u"1.000.000.000,00"_s);
        QCOMPARE(b.Text(), u"1.000.000.000,00"_s);
        b.setText(u"1.234,5"_s);
        b.setSelStart(7);
        const auto Colar = [&](const QString& texto) {
            QGuiApplication::clipboard()->setText(texto);
            QTest::keyClick(b.Editor(), Qt::Key_V, Qt::ControlModifier);
            return b.Text();
        };
        QCOMPARE(Colar(u"678901"_s), u"1.234,5"_s);
        QCOMPARE(Colar(u"67890"_s), u"1.234,567890"_s);
    }

    void findStatusPorAcao() {
        Janela janela(400, 100);
        auto& find = Colocar<XRFind>(janela, u"xrfApelidoOuNomeFantasiaDoCliente"_s, {10, 10, 300, 30});
        QList<int> status;
        QStringList textos;
        connect(&find, &XRFind::Click, this, [&] {
            status << find.Status();
            textos << find.Text();
        });
        QVERIFY(Ativar(janela));
        find.SetFocus();

        QTest::keyClicks(find.Editor(), u"Tot"_s);
        QTest::keyClick(find.Editor(), Qt::Key_Return); // Enter asks for a search
        QCOMPARE(status, QList<int>{XRFind::StatusPesquisar});
        QCOMPARE(find.property("Status"), QVariant(1)); // the number scripts and forms compare with
        QCOMPARE(find.SearchedText(), u"Tot"_s);
        QTest::keyClick(find.Editor(), Qt::Key_Escape); // Escape asks to clear
        QCOMPARE(status, (QList<int>{XRFind::StatusPesquisar, XRFind::StatusLimpar}));
        QCOMPARE(find.property("Status"), QVariant(2));
        QCOMPARE(textos.constLast(), QString()); // emptied before Click
        find.setText(u"Rex"_s);
        Clicar(find.findChild<QToolButton*>(u"cmdPesquisar"_s)); // the search button
        Clicar(find.findChild<QToolButton*>(u"cmdLimpar"_s));    // the clear button
        QCOMPARE(status, (QList<int>{XRFind::StatusPesquisar, XRFind::StatusLimpar, XRFind::StatusPesquisar,
                                     XRFind::StatusLimpar}));
        QCOMPARE(textos, (QStringList{u"Tot"_s, QString(), u"Rex"_s, QString()}));
        QCOMPARE(find.SearchedText(), u"Rex"_s); // kept until the form empties it

        // Setters raise nothing; the form's own values stay as written.
        status.clear();
        find.setStatus(XRFind::StatusNenhum);
        find.setText(u"Totó"_s);
        QVERIFY(find.setProperty("Status", XRFind::StatusLimpar));
        QCOMPARE(status, QList<int>());
        QCOMPARE(find.Status(), XRFind::StatusLimpar);
        // A script sets Text and Status and raises Click by name.
        QVERIFY(find.setProperty("Status", XRFind::StatusPesquisar));
        QVERIFY(QMetaObject::invokeMethod(&find, "Click"));
        QCOMPARE(status, QList<int>{XRFind::StatusPesquisar});
        // A disabled field asks nothing.
        find.setEnabled(false);
        find.Pesquisar();
        find.Limpar();
        QCOMPARE(status, QList<int>{XRFind::StatusPesquisar});
        QCOMPARE(find.Text(), u"Totó"_s);
    }

    void findTecladoFocoECodigo() {
        Janela janela(400, 100);
        auto& find = Colocar<XRFind>(janela, u"xrfNomeDoProduto"_s, {10, 10, 300, 30});
        auto& outro = Colocar<XRFind>(janela, u"xrfCodigoInternoDoProduto"_s, {10, 50, 300, 30});
        QList<int> teclas;
        QSignalSpy cliques(&find, &XRFind::Click);
        bool bloquearEnter = true;
        connect(&find, &XRFind::KeyDown, this, [&](int& KeyCode, int&) {
            teclas << KeyCode;
            if (KeyCode == 13 && bloquearEnter) KeyCode = 0;
        });
        QVERIFY(Ativar(janela));
        find.SetFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(find.Editor()));

        Digitar(find.Editor(), u"ração"_s);
        QCOMPARE(find.Text(), u"ração"_s);
        QCOMPARE(teclas, (QList<int>{'R', 'A', 186, 0xC3, 'O'})); // one KeyDown per key, Ç on its own key
        QTest::keyClick(find.Editor(), Qt::Key_Return);
        QCOMPARE(cliques.count(), 0); // KeyDown discarded the Enter
        bloquearEnter = false;
        QTest::keyClick(find.Editor(), Qt::Key_Return);
        QCOMPARE(cliques.count(), 1);
        QCOMPARE(find.Status(), XRFind::StatusPesquisar);

        // Setting Text from code raises no KeyDown.
        teclas.clear();
        find.setText(u"ração canina"_s);
        QCOMPARE(teclas, QList<int>());

        // The keystroke the platform sends after a search that found nothing selects the
        // typed text in the focused field.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(find.Editor()->selectedText(), u"ração canina"_s);
        QCOMPARE(teclas, (QList<int>{16, 36}));

        // The dialogs' follow-up: the focus back in the box, the text ready to be typed over.
        outro.SetFocus();
        find.PrepararNovaPesquisa();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(find.Editor()));
        QCOMPARE(find.Editor()->selectedText(), u"ração canina"_s);
        QCOMPARE(find.Text(), u"ração canina"_s);

        // A code field: typed letters are ignored, a pasted text keeps its digits where it lands.
        outro.setStyle(XRFind::EstiloCodigo);
        outro.SetFocus();
        Digitar(outro.Editor(), u"1a2 b"_s);
        QCOMPARE(outro.Text(), u"12"_s);
        outro.Editor()->setCursorPosition(1);
        QGuiApplication::clipboard()->setText(u"Cód. 3-4"_s);
        QTest::keyClick(outro.Editor(), Qt::Key_V, Qt::ControlModifier);
        Digitar(outro.Editor(), u"x5"_s);
        QCOMPARE(outro.Text(), u"13452"_s);
        // What a form writes is shown as it is; a free-text field takes every character.
        outro.setText(u"ABC-1"_s);
        QCOMPARE(outro.Text(), u"ABC-1"_s);
        find.setText(QString());
        find.SetFocus();
        Digitar(find.Editor(), u"Zé 2"_s);
        QCOMPARE(find.Text(), u"Zé 2"_s);
    }

    void optionButtonGrupoECliques() {
        Janela janela(300, 100);
        auto& servico = Colocar<OptionButton>(janela, u"optServico"_s, {10, 10, 120, 24});
        servico.setCaption(u"Serviço"_s);
        auto& produto = Colocar<OptionButton>(janela, u"optProduto"_s, {140, 10, 120, 24});
        produto.setCaption(u"Produto"_s);
        QStringList cliques;
        connect(&servico, &OptionButton::Click, this, [&] { cliques << u"optServico"_s; });
        connect(&produto, &OptionButton::Click, this, [&] { cliques << u"optProduto"_s; });

        servico.setValue(true);
        QCOMPARE(cliques, QStringList{u"optServico"_s});
        servico.setValue(true); // already selected: nothing
        QCOMPARE(cliques.size(), 1);
        QVERIFY(produto.setProperty("Value", true));
        QCOMPARE(cliques, (QStringList{u"optServico"_s, u"optProduto"_s}));
        QVERIFY(!servico.Value()); // the group keeps one selected
        produto.setValue(false);
        QCOMPARE(cliques.size(), 2);
        QVERIFY(!produto.Value());

        QVERIFY(Ativar(janela));
        Clicar(&servico);
        Clicar(&servico); // the person's click raises Click also on the selected button
        QCOMPARE(cliques.size(), 4);
        QVERIFY(servico.Value());
        servico.SetFocus(); // taking the focus changes nothing
        produto.SetFocus();
        QVERIFY(servico.Value());
        QVERIFY(!produto.Value());
        QCOMPARE(cliques.size(), 4);
        produto.setEnabled(false);
        Clicar(&produto);
        QCOMPARE(cliques.size(), 4);
    }

    void commandButtonCliqueEDicas() {
        Janela janela(300, 100);
        auto& cmd = Colocar<XRCommandButton>(janela, u"xrcmdImprimirLista"_s, {10, 10, 160, 32});
        cmd.setCaption(u"    Adicionar"_s);
        cmd.setIcone(u"Adicionar"_s);
        QSignalSpy cliques(&cmd, &XRCommandButton::Click);
        QVERIFY(Ativar(janela));
        Clicar(&cmd);
        QCOMPARE(cliques.count(), 1);
        cmd.SetFocus();
        QTest::keyClick(&cmd, Qt::Key_Space);
        QCOMPARE(cliques.count(), 2);
        cmd.setEnabled(false);
        Clicar(&cmd);
        QCOMPARE(cliques.count(), 2);
        QCOMPARE(cmd.Caption(), u"    Adicionar"_s); // the blanks are kept

        // Plain tool tip (kind 0) is ToolTipText; a balloon shows the button's own title and text.
        cmd.setToolTipTitle(QString());
        cmd.setToolTipDescription(QString());
        cmd.setToolTipType(0);
        cmd.setToolTipText(u"Imprimir lista"_s);
        QCOMPARE(cmd.toolTip(), u"Imprimir lista"_s);
        cmd.setToolTipType(1);
        cmd.setToolTipTitle(u"Salvar"_s);
        cmd.setToolTipDescription(u"Salvar inclusão e fechar"_s);
        QVERIFY(cmd.toolTip().contains(u"<b>Salvar</b>"_s));
        QVERIFY(cmd.toolTip().contains(u"Salvar inclusão e fechar"_s));
        cmd.setToolTipType(0);
        QCOMPARE(cmd.toolTip(), u"Imprimir lista"_s);
    }

    void navigationBarTextoEBotoes() {
        QWidget janela;
        auto& barra = Colocar<XRNavigationBar>(janela, u"xrnbBarraDeNavegacao"_s, {10, 10, 300, 32});
        QList<int> botoes;
        connect(&barra, &XRNavigationBar::Click, this, [&](int Botao) { botoes << Botao; });
        QVERIFY(Ativar(janela));
        // "text|the four buttons enabled", then the same after showing rows primeiro to ultimo.
        const auto Estado = [&] {
            QString estado = barra.TextoExibido() + u'|';
            for (int i = 1; i <= 4; ++i)
                estado += barra.Botao(i)->isEnabled() ? u'1' : u'0';
            return estado;
        };
        const auto Mostrar = [&](int primeiro, int ultimo, int total) {
            barra.setPrimeiroRegistro(primeiro);
            barra.setUltimoRegistro(ultimo);
            barra.setTotalDeRegistros(total);
            barra.Atualizar();
            return Estado();
        };

        barra.setPrimeiroRegistro(1);
        barra.setUltimoRegistro(6);
        barra.setTotalDeRegistros(13);
        barra.setRegistrosPorPagina(6);
        QCOMPARE(barra.TextoExibido(), u"0 de 0"_s); // nothing shown before Atualizar
        QCOMPARE(Mostrar(1, 6, 13), u"1 - 6 de 13|0011"_s);
        Clicar(barra.Botao(1)); // disabled: nothing
        Clicar(barra.Botao(3));
        Clicar(barra.Botao(4));
        QCOMPARE(botoes, (QList<int>{3, 4}));

        QVERIFY(barra.setProperty("PrimeiroRegistro", 13));
        QVERIFY(barra.setProperty("UltimoRegistro", 13));
        QVERIFY(QMetaObject::invokeMethod(&barra, "Atualizar"));
        QCOMPARE(Estado(), u"13 - 13 de 13|1100"_s);
        Clicar(barra.Botao(2));
        Clicar(barra.Botao(1));
        QCOMPARE(botoes, (QList<int>{3, 4, 2, 1}));
        QCOMPARE(Mostrar(7, 12, 13), u"7 - 12 de 13|1111"_s);
        QCOMPARE(Mostrar(1, 4, 4), u"1 - 4 de 4|0000"_s);
    }

    void datePickerValor() {
        XRDTPicker dtp(nullptr, u"xrdtpDataDeValidadeDoOrcamento"_s);
        dtp.setValue(u"05/12/2026"_s);
        const QString dada = dtp.Value();
        QVERIFY(dtp.setProperty("Value", u"29/02/2028"_s));
        QCOMPARE(NumeroDoErro([&] { dtp.setValue(u"31/02/2027"_s); }), 13L);
        QCOMPARE(dada + u'|' + dtp.property("Value").toString(), u"05/12/2026|29/02/2028"_s);
    }

    void icones() {
        const QStringList nomes = Icones::Nomes();
        for (const char* nome :
             {"Adicionar", "Alterar", "Excluir", "Imprimir", "Pesquisar", "Limpar", "Primeiro", "Anterior",
              "Proximo", "Ultimo", "EtiquetaAtivo", "EtiquetaInativo"})
            QVERIFY2(nomes.contains(QString::fromLatin1(nome)), nome);
        for (const QString& nome : nomes) {
            const QImage imagem = Icones::Icone(nome, 20, QColor(255, 0, 0)).toImage();
            QVERIFY2(!imagem.isNull(), qPrintable(nome));
            QCOMPARE(imagem.height(), 20);
            int tintos = 0;
            for (int y = 0; y < imagem.height(); ++y)
                for (int x = 0; x < imagem.width(); ++x)
                    tintos += qAlpha(imagem.pixel(x, y)) > 128 ? 1 : 0;
            QVERIFY2(tintos > 10, qPrintable(nome)); // something is drawn
        }
        // Icons take the colour asked for; the labels keep their own.
        const QImage mais = Icones::Icone(u"Adicionar"_s, 16, QColor(255, 0, 0)).toImage();
        QCOMPARE(QColor::fromRgba(qUnpremultiply(mais.pixel(8, 8))).rgb(), QColor(255, 0, 0).rgb());
        QVERIFY(Icones::Icone(u"Inexistente"_s).isNull());
        QVERIFY(Icones::Icone(u"EtiquetaInativo"_s, 22).width() >
                Icones::Icone(u"EtiquetaAtivo"_s, 22).width());
    }
};

QTEST_MAIN(TesteDosControles)
#include "tst_controles.moc"
