// The control library: the extender in twips, the events each setter and each action of
// the person raises, the keyboard and focus rules, and the flex grid's current cell,
// structure and painting.

#include "tests/Linha.h"
#include "tests/NumeroDoErro.h"

#include "component/modGrade.h"
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

// A window that is shown and active, so that focus and mouse behave as for a person.
bool Ativar(QWidget& janela) {
    janela.show();
    janela.activateWindow();
    return QTest::qWaitForWindowActive(&janela);
}

// A window of that size in pixels, to place controls in.
struct Janela : QWidget {
    Janela(int largura, int altura) { resize(largura, altura); }
};

// A click through the window, as a person's (at the widget's centre when no point is given).
void Clicar(QWidget* widget, QPoint ponto = QPoint(), Qt::KeyboardModifiers teclas = {},
            Qt::MouseButton botao = Qt::LeftButton) {
    if (ponto.isNull()) ponto = widget->rect().center();
    QTest::mouseClick(widget->window()->windowHandle(), botao, teclas,
                      widget->mapTo(widget->window(), ponto));
}

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

// A grid of rows x 4 columns, 100 x 30 pixels each (1500 x 450 twips), no border, no
// scroll bars, one fixed row: cell (r, c) lies at x = 100c, y = 30r.
void Montar(MSFlexGrid& g, int rows) {
    g.setRedraw(false);
    g.setBorderStyle(0);
    g.setScrollBars(0);
    g.setCols(4);
    g.setFixedCols(0);
    g.setRows(rows);
    g.setFixedRows(1);
    g.setColWidth(-1, 1500);
    g.setRowHeight(-1, 450);
    g.setRedraw(true);
}

// The list's layout: no border, no scroll bars, cols columns, no fixed column, a header
// row of 700 twips (47 px) and rows of 570 (38 px).
void ComoALista(MSFlexGrid& g, int rows, int cols = 3) {
    g.setBorderStyle(0);
    g.setScrollBars(0);
    g.setCols(cols);
    g.setFixedCols(0);
    g.setRows(rows);
    g.setRowHeight(-1, 570);
    g.setRowHeight(0, 700);
}

// A window holding such a grid at its top left, of that size in pixels.
struct JanelaComGrade : QWidget {
    MSFlexGrid g{this, u"msfgGrade"_s};
    explicit JanelaComGrade(int rows, QSize tamanho = QSize(400, 200)) {
        resize(tamanho + QSize(20, 20));
        g.setGeometry(QRect(QPoint(), tamanho));
        Montar(g, rows);
    }
    bool Mostrar() {
        show();
        return QTest::qWaitForWindowExposed(this);
    }
};

QPoint Centro(int row, int col) {
    return QPoint(100 * col + 50, 30 * row + 15);
}

QPoint NaJanela(QWidget* w, QPoint ponto) {
    return w->mapTo(w->window(), ponto);
}

// The current cell and the selection's other corner: "Row|Col|RowSel|ColSel".
QString SelecaoDe(const MSFlexGrid& g) {
    return Juntos(g.Row(), g.Col(), g.RowSel(), g.ColSel());
}

QColor CorEm(const QImage& imagem, QPoint ponto) {
    return QColor(imagem.pixel(ponto));
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
        const auto EmTwips = [&] { return Juntos(lbl.Left(), lbl.Top(), lbl.Width(), lbl.Height()); };
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
        QCOMPARE(Juntos(a.SelStart(), a.SelLength(), a.SelText()), u"0|5|10,00"_s);
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

    void gradeEstruturaERemoveItem() {
        MSFlexGrid g(nullptr, u"msfgGrade"_s);
        // VB's new grid.
        QCOMPARE((QList<int>{g.Rows(), g.Cols(), g.FixedRows(), g.FixedCols()}), (QList<int>{2, 2, 1, 1}));
        QCOMPARE(SelecaoDe(g), u"1|1|1|1"_s);

        // The forms' ConfigurarGrade: one row only, so no fixed row; a fixed row can only
        // come back once there are rows below it.
        g.setRows(1);
        QCOMPARE(NumeroDoErro([&] { g.setFixedRows(1); }), 30009L);
        QCOMPARE((QList<int>{g.FixedRows(), g.Row()}), (QList<int>{0, 0}));
        g.setFixedCols(0);
        g.setCols(17);
        g.setTextMatrix(0, 1, u"Número do Orçamento"_s);
        g.setRows(4);
        g.setFixedRows(1);
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.TextMatrix(0, 1) + u'|' + g.TextMatrix(3, 16), u"Número do Orçamento|"_s);

        // Fewer columns keep the texts of those that stay.
        g.setTextMatrix(2, 16, u"fica de fora"_s);
        g.setTextMatrix(2, 2, u"Totó"_s);
        g.setCols(3);
        QCOMPARE(g.TextMatrix(2, 2), u"Totó"_s);
        QCOMPARE(NumeroDoErro([&] { g.TextMatrix(2, 16); }), 381L);
        g.setCols(17);
        QCOMPARE(g.TextMatrix(2, 16), QString()); // dropped, not hidden

        // AddItem: tab-separated texts from column 0, appended or inserted.
        g.AddItem(u"\t1234\tTotó\tJoão da Silva"_s);
        QCOMPARE(g.Rows(), 5);
        QCOMPARE((QStringList{g.TextMatrix(4, 0), g.TextMatrix(4, 1), g.TextMatrix(4, 3)}),
                 (QStringList{QString(), u"1234"_s, u"João da Silva"_s}));
        g.AddItem(u"a\tb"_s, 1);
        QCOMPARE(g.Rows(), 6);
        // The old row 2 moved down.
        QCOMPARE(g.TextMatrix(1, 1) + u'|' + g.TextMatrix(3, 2), u"b|Totó"_s);
        g.setRows(2);
        QCOMPARE(g.TextMatrix(1, 0), u"a"_s);

        // Out of range.
        QCOMPARE(NumeroDoErro([&] { g.setRows(-1); }), 30009L);
        QCOMPARE(NumeroDoErro([&] { g.setCols(-1); }), 30010L);
        QCOMPARE(NumeroDoErro([&] { g.setRow(2); }), 30009L);
        QCOMPARE(NumeroDoErro([&] { g.setCol(17); }), 30010L);
        QCOMPARE(NumeroDoErro([&] { g.setTextMatrix(2, 0, u"x"_s); }), 381L);
        QCOMPARE(NumeroDoErro([&] { g.ColWidth(17); }), 381L);
        QCOMPARE(NumeroDoErro([&] { g.setColAlignment(0, 10); }), 380L);
        QCOMPARE(NumeroDoErro([&] { g.AddItem(u"x"_s, 5); }), 30009L);
        QCOMPARE(g.Rows(), 2);

        // Clear empties texts and formatting, and keeps the layout.
        g.setColWidth(1, 1570);
        g.setColAlignment(1, 4);
        g.setRow(1);
        g.setCol(1);
        g.setCellBackColor(0xF2F2F2);
        g.setCellFontBold(true);
        g.Clear();
        QCOMPARE(g.TextMatrix(0, 1), QString());
        QCOMPARE(g.CellFontBold(), false);
        QCOMPARE((QList<int>{g.CellBackColor(), g.ColWidth(1), g.ColAlignment(1), g.Rows(), g.Cols()}),
                 (QList<int>{0, 1570, 4, 2, 17}));
        // The per-column Long the forms set is kept as given.
        g.setColData(11, 2);
        QCOMPARE((QList<int>{g.ColData(11), g.ColData(12)}), (QList<int>{2, 0}));

        // RemoveItem.
        MSFlexGrid itens(nullptr, u"msfgGradeDeItensDoOrcamento"_s);
        itens.setCols(3);
        itens.setRows(4);
        for (int r = 1; r < 4; ++r)
            itens.setTextMatrix(r, 0, QString::number(r));
        QSignalSpy mudancas(&itens, &MSFlexGrid::SelChange);
        itens.setRow(3);
        mudancas.clear();
        itens.RemoveItem(3); // the current row goes: the current cell moves back inside
        QCOMPARE((QList<int>{itens.Rows(), itens.Row(), int(mudancas.count())}), (QList<int>{3, 2, 1}));
        itens.RemoveItem(1); // row 2 becomes the last row, 1: the current cell follows the grid's end
        QCOMPARE(itens.TextMatrix(1, 0), u"2"_s);
        QCOMPARE((QList<int>{itens.Row(), int(mudancas.count())}), (QList<int>{1, 2}));

        // The last non-fixed row cannot be removed; the grid is left as it was.
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(1); }), 30015L);
        QCOMPARE(itens.Rows(), 2);
        QCOMPARE(itens.TextMatrix(1, 0), u"2"_s);
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(0); }), 30009L); // a fixed row
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(2); }), 30009L);
        // Without fixed rows, a one-row grid has its only row as last non-fixed row.
        itens.setRows(1);
        QCOMPARE(NumeroDoErro([&] { itens.RemoveItem(0); }), 30015L);
    }

    void gradeCelulaAtualESelChange() {
        MSFlexGrid g;
        ComoALista(g, 5, 4);
        QStringList eventos;
        connect(&g, &MSFlexGrid::SelChange, this, [&] { eventos << u"SelChange"_s; });
        connect(&g, &MSFlexGrid::RowColChange, this, [&] { eventos << u"RowColChange"_s; });

        g.setRow(2);
        QCOMPARE(SelecaoDe(g), u"2|1|2|1"_s);
        QCOMPARE(eventos, (QStringList{u"RowColChange"_s, u"SelChange"_s}));
        eventos.clear();
        g.setRow(2); // the value it has: nothing
        QCOMPARE(eventos, QStringList());
        g.setColSel(3); // only the selection's corner: no RowColChange
        g.setRowSel(4);
        QCOMPARE(SelecaoDe(g), u"2|1|4|3"_s);
        QCOMPARE(eventos, (QStringList{u"SelChange"_s, u"SelChange"_s}));
        eventos.clear();
        g.setCol(0); // the current cell moves: the selection collapses onto it
        QCOMPARE(SelecaoDe(g), u"2|0|2|0"_s);
        QCOMPARE(eventos, (QStringList{u"RowColChange"_s, u"SelChange"_s}));
        QVERIFY(g.setProperty("Row", 0)); // code may name a fixed row (the forms format the header)
        QCOMPARE(g.Row(), 0);

        // The list's SelChange handler changes the selection inside the event; each change
        // raises its own SelChange synchronously, and the nested one finds nothing to do.
        int chamadas = 0;
        auto conexao = connect(&g, &MSFlexGrid::SelChange, this, [&] {
            ++chamadas;
            if (g.RowSel() != g.Row()) {
                g.setRow(g.RowSel());
                g.setColSel(g.Cols() - 1);
            }
        });
        g.setRow(1);
        chamadas = 0;
        g.setRowSel(3);
        QCOMPARE(SelecaoDe(g), u"3|0|3|3"_s);
        QCOMPARE(chamadas, 3); // RowSel, then Row and ColSel from inside the handler
        disconnect(conexao);

        // Fewer rows pull the current cell back inside, with its event.
        eventos.clear();
        g.setRows(2);
        QCOMPARE(SelecaoDe(g), u"1|0|1|3"_s);
        QVERIFY(eventos.contains(u"SelChange"_s));
    }

    void gradeCellAplicaNaCelulaAtual() {
        MSFlexGrid g;
        ComoALista(g, 3);
        g.setRow(1);
        g.setCol(2);
        g.setCellBackColor(0xF2F2F2);
        g.setCellForeColor(0x808080);
        g.setCellFontBold(true);
        g.setText(u"12,50"_s);
        QCOMPARE(g.TextMatrix(1, 2), u"12,50"_s);
        // An untouched cell has the grid's colours.
        const auto Celula = [&](int coluna) {
            g.setCol(coluna);
            return u"%1|%2|%3|%4"_s.arg(QString::number(g.CellBackColor(), 16),
                                        QString::number(g.CellForeColor(), 16),
                                        QString::number(int(g.CellFontBold())), g.Text());
        };
        QCOMPARE(Celula(1), u"0|0|0|"_s);
        QCOMPARE(Celula(2), u"f2f2f2|808080|1|12,50"_s);

        // FillStyle 0 writes the current cell only, even with a range selected; 1 the range.
        g.setRow(2);
        g.setCol(0);
        g.setColSel(2);
        g.setCellBackColor(0xD9D9D9);
        QCOMPARE(g.TextMatrix(2, 0), QString());
        g.setCol(1);
        QCOMPARE(g.CellBackColor(), 0);
        g.setFillStyle(1);
        g.setCol(0);
        g.setColSel(2);
        g.setCellBackColor(0xD9D9D9);
        g.setText(u"x"_s);
        for (int c = 0; c < 3; ++c) {
            g.setCol(c);
            QCOMPARE(g.CellBackColor(), 0xD9D9D9);
            QCOMPARE(g.TextMatrix(2, c), u"x"_s);
        }
        g.setFillStyle(0);

        // Pictures, as the list puts its situation labels into the grid.
        QPixmap etiqueta(40, 16);
        etiqueta.fill(Qt::green);
        g.setRow(1);
        g.setCol(1);
        g.setCellPicture(etiqueta);
        g.setCellPictureAlignment(4);
        QCOMPARE(g.CellPicture().cacheKey(), etiqueta.cacheKey());
        QCOMPARE(g.CellPictureAlignment(), 4);
        g.setCol(0);
        QVERIFY(g.CellPicture().isNull());
        g.setCol(1);
        g.setCellPicture(QPixmap());
        QVERIFY(g.CellPicture().isNull());

        // CellAlignment follows the column until a cell has its own.
        g.setColAlignment(1, 7);
        QCOMPARE(g.CellAlignment(), 7);
        g.setCellAlignment(4);
        QCOMPARE(g.CellAlignment(), 4);
        QCOMPARE(NumeroDoErro([&] { g.setCellAlignment(10); }), 380L);
    }

    void gradeCliquesArrastoESelectionMode() {
        JanelaComGrade janela(6);
        MSFlexGrid& g = janela.g;
        QSignalSpy mudancas(&g, &MSFlexGrid::SelChange);
        int cliques = 0;
        int linhaNoClique = -1;
        connect(&g, &MSFlexGrid::Click, this, [&] {
            ++cliques;
            linhaNoClique = g.RowSel();
        });
        QVERIFY(janela.Mostrar());

        // SelChange and Click counted, the row Click saw.
        const auto Eventos = [&] { return QList<int>{int(mudancas.count()), cliques, linhaNoClique}; };
        Clicar(&g, Centro(2, 2));
        QCOMPARE(SelecaoDe(g), u"2|2|2|2"_s);
        QCOMPARE(Eventos(), (QList<int>{1, 1, 2})); // Click comes after the selection moved
        Clicar(&g, Centro(2, 2));                   // the same cell: Click, no SelChange
        QCOMPARE(Eventos(), (QList<int>{1, 2, 2}));

        // Dragging keeps the pressed cell current and moves the other corner.
        QWindow* w = janela.windowHandle();
        QTest::mousePress(w, Qt::LeftButton, {}, NaJanela(&g, Centro(1, 1)));
        QCOMPARE(SelecaoDe(g), u"1|1|1|1"_s);
        QTest::mouseMove(w, NaJanela(&g, Centro(3, 2)));
        QCOMPARE(SelecaoDe(g), u"1|1|3|2"_s);
        QTest::mouseMove(w, NaJanela(&g, Centro(4, 3)));
        QTest::mouseRelease(w, Qt::LeftButton, {}, NaJanela(&g, Centro(4, 3)));
        QCOMPARE(SelecaoDe(g), u"1|1|4|3"_s);
        QCOMPARE(Eventos(), (QList<int>{4, 3, 4}));

        // Shift+click extends from the current cell.
        Clicar(&g, Centro(5, 0), Qt::ShiftModifier);
        QCOMPARE(SelecaoDe(g), u"1|1|5|0"_s);

        // Below the last row: Click without any change; the right button changes nothing.
        Clicar(&g, QPoint(50, 190));
        Clicar(&g, Centro(3, 3), {}, Qt::RightButton);
        QCOMPARE(SelecaoDe(g), u"1|1|5|0"_s);
        QCOMPARE(cliques, 5);

        Clicar(&g, Centro(0, 2)); // a header cell selects its column's data rows
        QCOMPARE(SelecaoDe(g), u"1|2|5|2"_s);
        g.setAllowBigSelection(false);
        g.setRow(3);
        Clicar(&g, Centro(0, 1));
        QCOMPARE(SelecaoDe(g), u"3|2|3|2"_s);

        g.setSelectionMode(1); // by row: every selection spans whole rows
        Clicar(&g, Centro(4, 2));
        QCOMPARE(SelecaoDe(g), u"4|0|4|3"_s);
        QTest::mousePress(w, Qt::LeftButton, {}, NaJanela(&g, Centro(2, 1)));
        QTest::mouseMove(w, NaJanela(&g, Centro(3, 1)));
        QTest::mouseRelease(w, Qt::LeftButton, {}, NaJanela(&g, Centro(3, 1)));
        QCOMPARE(SelecaoDe(g), u"2|0|3|3"_s);
        g.setSelectionMode(2);
        Clicar(&g, Centro(4, 2));
        QCOMPARE(SelecaoDe(g), u"1|2|5|2"_s);
    }

    void gradeColunasOcultas() {
        JanelaComGrade janela(4);
        MSFlexGrid& g = janela.g;
        g.setColWidth(0, 0);
        g.setColWidth(2, 0);
        g.setBackColor(0xFFFFFF);
        g.setGridLines(0);
        g.setHighLight(0);
        // A hidden column's colour must never reach the screen.
        for (int r = 1; r < 4; ++r)
            for (int c : {0, 2}) {
                g.setRow(r);
                g.setCol(c);
                g.setCellBackColor(255);
                g.setText(u"OCULTO"_s);
            }
        QVERIFY(janela.Mostrar());

        const QImage imagem = g.grab().toImage();
        for (int y = 30; y < 120; ++y)
            for (int x = 0; x < 400; ++x)
                QVERIFY2(CorEm(imagem, QPoint(x, y)) != QColor(255, 0, 0), "hidden column painted");
        // Column 1 shows first, column 3 right after it.
        Clicar(&g, QPoint(50, 45));
        QCOMPARE(g.Col(), 1);
        Clicar(&g, QPoint(150, 45));
        QCOMPARE((QList<int>{g.Col(), g.CellLeft(), g.CellWidth()}), (QList<int>{3, 1500, 1500}));
        g.setCol(2);
        QCOMPARE(g.CellWidth(), 0);
        // The keyboard steps over hidden columns.
        g.setCol(1);
        g.SetFocus();
        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(g.Col(), 3);
        QTest::keyClick(&g, Qt::Key_Home);
        QCOMPARE(g.Col(), 1);
    }

    void gradePosicaoDaCelula() {
        // The list's columns: 0 hidden, 1570 and 5150.
        MSFlexGrid g;
        g.resize(800, 47 + 2 * 38); // header and two rows show
        ComoALista(g, 6);
        g.setColWidth(0, 0);
        g.setColWidth(1, 1570);
        g.setColWidth(2, 5150);
        QCOMPARE(g.RowHeight(0), 700); // as given
        g.setRow(2);
        g.setCol(2);
        // Rows and columns are whole pixels: 700 -> 47 px, 570 -> 38 px, 1570 -> 105 px.
        QCOMPARE((QList<int>{g.CellTop(), g.CellLeft(), g.CellWidth(), g.CellHeight()}),
                 (QList<int>{Twips::DePixels(47 + 38), Twips::DePixels(105), Twips::DePixels(343), 570}));
        // The list places its row commands at the right end of cell (row, 2).
        QCOMPARE(g.CellLeft() + g.CellWidth() - 1710, 1575 + 5145 - 1710);

        // Scrolled, the cell moves up; a border moves everything by its width.
        g.setTopRow(2);
        QCOMPARE(g.CellTop(), Twips::DePixels(47));
        g.setRow(1);
        QCOMPARE(g.CellTop(), Twips::DePixels(47 - 38));
        g.setTopRow(1);
        g.setBorderStyle(1);
        g.setAppearance(0);
        QCOMPARE(g.CellTop(), Twips::DePixels(1 + 47));
        g.setAppearance(1);
        QCOMPARE(g.CellLeft(), Twips::DePixels(2 + 105));
    }

    void gradeCoresAlternadasEDestaque() {
        Janela janela(420, 220);
        MSFlexGrid g(&janela, u"msfgGrade"_s);
        g.setGeometry(0, 0, 400, 200);
        // The forms' shared look and row shading.
        modGrade::AplicarAparencia(&g, 0xF5F5F6, 0);
        g.setRows(1);
        g.setCols(3);
        g.setColWidth(-1, 1500);
        g.setTextMatrix(0, 1, u"Número"_s);
        g.setRows(5);
        g.setFixedRows(1);
        g.setRowHeight(-1, 450);
        g.setBackColorFixed(0xFFFFFF);
        for (int r = 1; r < 5; ++r) {
            modGrade::EstilizarLinha(&g, r);
            for (int c = 0; c < 3; ++c)
                g.setTextMatrix(r, c, c == 1 ? u"888888"_s : u"Totó"_s);
        }
        g.setVisible(true);
        g.setHighLight(0);
        g.setRedraw(true);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));

        QImage imagem = g.grab().toImage();
        const QPoint semTexto(95, 0); // the right end of column 0 carries no text
        for (int r = 0; r < 5; ++r)   // the header white, then grey and white rows
            QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 15 + 30 * r)),
                     r % 2 ? QColor(0xF2, 0xF2, 0xF2) : Qt::white);
        QCOMPARE(CorEm(imagem, QPoint(50, 180)), QColor(255, 255, 255)); // BackColorBkg below the rows

        // The grey text of column 1: its darkest pixel is the grey itself, never darker.
        auto maisEscuro = [&](const QRect& area) {
            int menor = 255;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    menor = std::min(menor, qGray(imagem.pixel(x, y)));
            return menor;
        };
        QCOMPARE(maisEscuro(QRect(100, 30, 100, 30)), 0x80);
        QCOMPARE(maisEscuro(QRect(0, 30, 100, 30)), 0);

        // The hover highlight of the list: whole row 3 in the selection colour.
        g.setHighLight(1);
        g.setCol(0);
        g.setRow(3);
        g.setColSel(2);
        imagem = g.grab().toImage();
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 105)), QColor(0xD9, 0xD9, 0xD9));
        QCOMPARE(CorEm(imagem, QPoint(295, 105)), QColor(0xD9, 0xD9, 0xD9));
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 45)), QColor(0xF2, 0xF2, 0xF2));
        // Highlight only while the grid holds the focus.
        XRNumberBox outra(&janela, u"xrnumValorTotal"_s);
        outra.setGeometry(0, 200, 100, 20);
        outra.show();
        g.setHighLight(2);
        outra.SetFocus();
        imagem = g.grab().toImage();
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 105)), QColor(0xF2, 0xF2, 0xF2));
        g.SetFocus();
        imagem = g.grab().toImage();
        QCOMPARE(CorEm(imagem, semTexto + QPoint(0, 105)), QColor(0xD9, 0xD9, 0xD9));
    }

    void gradeRedrawSuspendeAPintura() {
        JanelaComGrade janela(6);
        MSFlexGrid& g = janela.g;
        QVERIFY(janela.Mostrar());
        QTRY_VERIFY(g.QuantidadeDePinturas() > 0);
        g.repaint();
        const QImage antes = g.grab().toImage();
        const qint64 pinturas = g.QuantidadeDePinturas();

        g.setRedraw(false);
        for (int r = 1; r < 6; ++r)
            for (int c = 0; c < 4; ++c) {
                g.setRow(r);
                g.setCol(c);
                g.setCellBackColor(0x0000FF);
                g.setText(u"novo"_s);
            }
        g.setRows(40);
        g.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(g.QuantidadeDePinturas(), pinturas);
        QCOMPARE(g.grab().toImage(), antes); // still what it showed

        g.setRedraw(true);
        g.repaint();
        QCOMPARE(g.QuantidadeDePinturas(), pinturas + 1);
        QCOMPARE(CorEm(g.grab().toImage(), QPoint(95, 45)), QColor(255, 0, 0));
    }

    void gradeMouseMoveEmTwips() {
        JanelaComGrade janela(8, QSize(800, 400));
        MSFlexGrid& g = janela.g;
        ComoALista(g, 8);
        struct Movimento {
            int Button, Shift;
            float X, Y;
        };
        QList<Movimento> movimentos;
        connect(&g, &MSFlexGrid::MouseMove, this, [&](int Button, int Shift, float X, float Y) {
            movimentos << Movimento{Button, Shift, X, Y};
        });
        QVERIFY(janela.Mostrar());
        QWindow* w = janela.windowHandle();

        // The last MouseMove's "Button|Shift|X|Y".
        const auto Ultimo = [&] {
            const Movimento& m = movimentos.constLast();
            return Juntos(m.Button, m.Shift, m.X, m.Y);
        };
        QTest::mouseMove(w, NaJanela(&g, QPoint(20, 40)));
        QCOMPARE(movimentos.size(), 1);
        QCOMPARE(Ultimo(), u"0|0|300|600"_s);
        QTest::mouseEvent(QTest::MouseMove, w, Qt::NoButton, Qt::ShiftModifier, NaJanela(&g, QPoint(21, 40)));
        QCOMPARE(Ultimo(), u"0|1|315|600"_s);
        QTest::mousePress(w, Qt::LeftButton, {}, NaJanela(&g, QPoint(21, 40)));
        QTest::mouseMove(w, NaJanela(&g, QPoint(22, 41)));
        QCOMPARE(Ultimo(), u"1|0|330|615"_s);
        QTest::mouseRelease(w, Qt::LeftButton, {}, NaJanela(&g, QPoint(22, 41)));

        // Fractions of a pixel are kept.
        QMouseEvent fino(QEvent::MouseMove, QPointF(10.5, 3.25), g.mapToGlobal(QPointF(10.5, 3.25)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&g, &fino);
        QCOMPARE(Ultimo(), u"0|0|157.5|48.75"_s);

        // The list finds the row under the mouse from Y with ((Y + 150) / RowHeight(1)) - 1,
        // rounded half to even: at the middle of every data row it finds that row, and
        // the grid's own MouseRow agrees.
        for (int r = 1; r < 8; ++r) {
            const int meio = 47 + 38 * (r - 1) + 19;
            QTest::mouseMove(w, NaJanela(&g, QPoint(30, meio)));
            const float Y = movimentos.constLast().Y;
            const int linha = static_cast<int>(VB::ArredondarParaPar((Y + 150) / g.RowHeight(1))) - 1;
            QCOMPARE(linha, r);
            QCOMPARE(g.MouseRow(), r);
        }
    }

    void gradeBarraDeRolagem() {
        // The items grid: room for exactly four rows.
        MSFlexGrid g;
        g.resize(600, 47 + 4 * 38);
        ComoALista(g, 5);
        g.setScrollBars(2);
        QVERIFY(!g.BarraDeRolagemVisivel(2));
        g.AddItem(QString());
        g.setRowHeight(5, 570);
        QVERIFY(g.BarraDeRolagemVisivel(2));
        QVERIFY(!g.BarraDeRolagemVisivel(1));
        g.setScrollBars(0); // no bar at all, even when the rows do not fit
        QVERIFY(!g.BarraDeRolagemVisivel(2));
        g.setScrollBars(2);
        QVERIFY(g.BarraDeRolagemVisivel(2));
        g.RemoveItem(5);
        QVERIFY(!g.BarraDeRolagemVisivel(2));

        // Drawing suspended: the bar waits for Redraw.
        g.setRedraw(false);
        g.AddItem(QString());
        g.setRowHeight(5, 570);
        QVERIFY(!g.BarraDeRolagemVisivel(2));
        g.setRedraw(true);
        QVERIFY(g.BarraDeRolagemVisivel(2));

        // The wheel and TopRow scroll no further than the last screenful.
        g.setTopRow(5);
        QCOMPARE(g.TopRow(), 2);
        QWheelEvent roda(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&g, &roda);
        QCOMPARE(g.TopRow(), 1);
    }

    void gradeTeclado() {
        JanelaComGrade janela(10, QSize(400, 120)); // header and three rows show
        MSFlexGrid& g = janela.g;
        QSignalSpy mudancas(&g, &MSFlexGrid::SelChange);
        QVERIFY(Ativar(janela));
        g.SetFocus();
        g.setRow(1);
        g.setCol(0);
        mudancas.clear();
        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(SelecaoDe(g), u"2|0|2|0"_s);
        QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&g, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(SelecaoDe(g), u"2|0|3|1"_s);
        QCOMPARE(mudancas.count(), 3);
        QTest::keyClick(&g, Qt::Key_Up); // fixed rows are out of reach
        QTest::keyClick(&g, Qt::Key_Up);
        QTest::keyClick(&g, Qt::Key_Up);
        QCOMPARE(g.Row(), 1);
        // Moving past the last visible row scrolls it into view.
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(g.Row(), 6);
        QCOMPARE(g.TopRow(), 4);
        QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(SelecaoDe(g), u"9|3|9|3"_s);
    }

    void gradeLidaComoGradeDeItens() {
        MSFlexGrid g(nullptr, u"msfgGradeDeItensDoOrcamento"_s);
        g.setRows(1);
        g.setFixedCols(0);
        g.setCols(GradeDeItens::QuantidadeDeColunas);
        g.AddItem(u"\t1\t15\tConsulta\t101\tRex\t1\t80,00\t10,00\t8,00\t72,00\t30,00\t0\t1\t1\t1"_s);
        g.setFixedRows(1);
        const IGradeDeItens& itens = g;
        QCOMPARE((QList<int>{itens.Rows(), itens.Cols()}),
                 (QList<int>{2, GradeDeItens::QuantidadeDeColunas}));
        QCOMPARE((QStringList{itens.TextMatrix(1, GradeDeItens::NomeDoServicoOuProduto),
                              itens.TextMatrix(1, GradeDeItens::TipoDeLancamento),
                              itens.TextMatrix(1, GradeDeItens::UsuarioDaAlteracao)}),
                 (QStringList{u"Consulta"_s, u"1"_s, QString()}));
        QCOMPARE(NumeroDoErro([&] { itens.TextMatrix(2, 0); }), 381L);
        // By name too, as a late-bound reader would.
        QString texto;
        QVERIFY(QMetaObject::invokeMethod(&g, "TextMatrix", Q_RETURN_ARG(QString, texto), Q_ARG(int, 1),
                                          Q_ARG(int, GradeDeItens::ValorTotal)));
        QCOMPARE(texto, u"72,00"_s);
        QCOMPARE(g.property("Rows").toInt(), 2);
    }

    // A header too narrow for its caption (a dialog's 2,000-twip column in a 300-twip row,
    // bold Arial 11): one line ending in "…", the same picture as that text written so,
    // never two wrapped lines cut by the row.
    void gradeTextoQueNaoCabeTerminaEmReticencias() {
        const auto Desenhar = [](const QString& texto) {
            MSFlexGrid grade;
            grade.resize(200, 60);
            grade.setFont(QFont(QStringLiteral("Arial"), 11));
            grade.setWordWrap(true);
            grade.setScrollBars(0);
            grade.setRows(2);
            grade.setCols(1);
            grade.setFixedRows(1);
            grade.setColWidth(0, 2000);
            grade.setRowHeight(0, 300);
            grade.setRow(0);
            grade.setCol(0);
            grade.setCellFontBold(true);
            grade.setTextMatrix(0, 0, texto);
            return grade.grab().toImage();
        };
        const QString legenda = QStringLiteral("Apelido/Nome fantasia");
        QFont negrito(QStringLiteral("Arial"), 11);
        negrito.setBold(true);
        const QFontMetrics medidas(negrito);
        const int largura = Twips::ParaPixels(2000) - 2 * 3; // the cell less its text margins
        QVERIFY(medidas.horizontalAdvance(legenda) > largura);
        const QString cortada = medidas.elidedText(legenda, Qt::ElideRight, largura);
        QVERIFY(cortada.endsWith(QChar(0x2026)));
        QCOMPARE(Desenhar(legenda), Desenhar(cortada));
        // A caption that fits is drawn whole.
        QVERIFY(Desenhar(QStringLiteral("Código")) != Desenhar(QStringLiteral("Códig…")));
    }
};

QTEST_MAIN(TesteDosControles)
#include "tst_controles.moc"
