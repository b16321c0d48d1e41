// The quotes list driven as a person drives it: the filter, the find box, the
// navigation bar and the mouse over the grid, on a real SQLite business layer (and
// a scripted one where real data cannot give the answer).

#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"

#include "business/Objetos.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TesteDaLista : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        ErrosExibidos().clear();
        RegistrarMensagemGravadora();
        mmenu = new MenuDeTeste({1400, 700}, {0, 0, 1400, 600});
    }

    void Encerrar() override {
        delete mmenu;
        mmenu = nullptr;
        mlista = nullptr;
        // A test takes the errors it expects: any other shown is a fault.
        QCOMPARE(ErrosExibidos().size(), 0);
    }

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
    }

    void abrirFazUmaSoSelecaoEmRecentes() {
        RegistrarOrcamentosRoteirizados();
        AbrirLista();
        QCOMPARE(Respostas().Argumentos, QStringList{u"3|"_s}); // "Recentes", no text
        QCOMPARE(Situacao()->ListIndex(), 3);
        QCOMPARE(Situacao()->Text(), u"Recentes"_s);
        QStringList itens; // each entry with the situation code it carries
        for (int i = 0; i < Situacao()->ListCount(); ++i)
            itens << Situacao()->List(i) + u'=' + QString::number(Situacao()->ItemData(i));
        QCOMPARE(itens,
                 (QStringList{u"Todas as situações=0"_s, u"Ativos=1"_s, u"Inativos=2"_s, u"Recentes=3"_s,
                              u"Aguardando resposta=4"_s, u"Vencem em até 7 dias=5"_s, u"Vencidos=6"_s,
                              u"Aprovados=7"_s, u"Recusados=8"_s, u"Concluídos=9"_s}));
        // The longest item fits the box beside its arrow (padding, border and the 20-pixel arrow).
        auto* caixa = Situacao()->findChild<QComboBox*>(u"cmbLista"_s);
        int maior = 0;
        for (int i = 0; i < Situacao()->ListCount(); ++i)
            maior = std::max(maior, QFontMetrics(caixa->font()).horizontalAdvance(Situacao()->List(i)));
        QVERIFY2(maior + 2 * 6 + 2 * 2 + 20 <= caixa->width(), qPrintable(QString::number(maior)));
        QCOMPARE(mlista->findChild<XRCommandButton*>(u"xrcmdAdicionar"_s)->Caption(), u"    Adicionar"_s);
        QStringList dicas;
        for (const char* nome : {"xrcmdImprimirLista", "xrcmdAlterar", "xrcmdExcluir", "xrcmdImprimirFicha"})
            dicas << mlista->findChild<XRCommandButton*>(QString::fromLatin1(nome))->ToolTipText();
        QCOMPARE(dicas, (QStringList{u"Imprimir lista"_s, u"Alterar"_s, u"Excluir"_s, u"Imprimir ficha"_s}));
        QCOMPARE(mlista->findChild<Label*>(u"lblTitulo"_s)->Caption(), u"Orçamentos"_s);
    }

    void erroDaSelecaoMostraOTrioDoNegocioEEscondeAGrade() {
        RegistrarOrcamentosRoteirizados();
        Respostas().Resposta = true;
        AbrirLista();
        QCOMPARE(mlista->MontarExibirFormulario(Plataforma::Handle(mmenu->Area)), qint16(1));
        QCOMPARE(Erros().size(), 2);
        QCOMPARE(Erros().value(0),
                 u"3704|Falha ao selecionar|ZELT_N_Teste, clsTeste, Selecionar, Ponto: 2"_s);
        QVERIFY(mlista->isVisible());
        QVERIFY(!mlista->Grade()->Visible());
        ErrosExibidos().clear();
    }

    void erroNoTerceiroPassoDeGerarListaTemSeuLocal() {
        RegistrarOrcamentosRoteirizados();
        Respostas().AoSelecionar = [] { throw VB::ErroDeExecucao(13); };
        AbrirLista();
        QCOMPARE(Erros(),
                 QStringList{u"13|Tipos incompatíveis|ZELT_A_Orcamentos, frmLista, GerarLista, Ponto: 3"_s});
        ErrosExibidos().clear();
    }

    void gradeConfiguradaComoDesenhada() {
        AbrirLista();
        MSFlexGrid* grade = mlista->Grade();
        QCOMPARE(grade->Cols(), 17);
        // The columns a person sees, with their captions; the others carry data only.
        QStringList visiveis;
        for (int c = 0; c < grade->Cols(); ++c)
            if (grade->ColWidth(c) > 0) visiveis << grade->TextMatrix(0, c);
        QCOMPARE(visiveis,
                 (QStringList{u"Número do Orçamento"_s, u"Apelido ou nome fantasia do cliente"_s,
                              u"Nome ou razão social do cliente"_s, u"Data do Orçamento"_s, u"Situação"_s}));
        // The client's name takes the spare width, at any width of the form.
        QCOMPARE(grade->ColWidth(frmLista::ColunaNomeOuRazaoSocialDoCliente),
                 Twips::DePixels(mlista->width()) - 10200);
        mmenu->Area->resize(1100, 600);
        QCOMPARE(grade->ColWidth(frmLista::ColunaNomeOuRazaoSocialDoCliente), Twips::DePixels(1100) - 10200);
        // The header row bold, the number's caption grey.
        grade->setRow(0);
        for (int c = 0; c < grade->Cols(); ++c) {
            grade->setCol(c);
            QVERIFY(grade->CellFontBold());
            QCOMPARE(grade->CellForeColor(), c == frmLista::ColunaNumeroDoOrcamento ? 0x808080 : 0);
        }
        QCOMPARE(grade->BackColorFixed(), 0xFFFFFF);
        QCOMPARE(grade->ScrollBars(), 0);
        QCOMPARE(grade->font().family(), u"Arial"_s);
        mmenu->Area->resize(1400, 600);

        // Layout offsets in twips.
        auto* adicionar = mlista->findChild<Controle*>(u"xrcmdAdicionar"_s);
        auto* pesquisar = mlista->findChild<Controle*>(u"xrfndPesquisar"_s);
        auto* barra = mlista->findChild<Controle*>(u"xrnbBarraDeNavegacao"_s);
        QCOMPARE((QList<int>{mlista->findChild<Controle*>(u"lblTitulo"_s)->Top(), adicionar->Top(),
                             adicionar->Left(), pesquisar->Left(), Situacao()->Left(), barra->Top(),
                             barra->Left() + barra->Width(), grade->Top(), grade->Width(), grade->Height()}),
                 (QList<int>{350, 1200, 300, adicionar->Left() + adicionar->Width() + 100,
                             pesquisar->Left() + pesquisar->Width() + 100, 1200 - 135, 21000 - 120, 1750,
                             21000 - 600, 9000 - 800}));
    }

    void celulasDaPaginaEmSeuTextoPadrao() {
        Relogio::DefinirParaTestes([] { return QDateTime(QDate(2026, 12, 3), QTime(9, 30, 15)); });
        CriarOrcamentos(2);
        AbrirLista();
        MSFlexGrid* grade = mlista->Grade();
        QCOMPARE((QList<int>{grade->Rows(), grade->FixedRows(), grade->RowHeight(0), grade->RowHeight(1)}),
                 (QList<int>{3, 1, 700, 570}));
        // Newest first; every value in its default text form.
        QCOMPARE(grade->TextMatrix(1, 1) + grade->TextMatrix(2, 1), u"21"_s);
        const QStringList esperado =
            u"|2|João|João da Silva|03/12/2026|1|120|10|12|108|13/12/2026|1||03/12/2026 09:30:15|ANA||"_s
                .split(u'|');
        for (int c = 0; c < 17; ++c)
            QCOMPARE(grade->TextMatrix(1, c), esperado[c]);
        // Alternate shading, grey quote numbers, the situation label in column 12.
        for (int r = 1; r <= 2; ++r)
            for (int c = 0; c < 17; ++c) {
                grade->setRow(r);
                grade->setCol(c);
                QCOMPARE(grade->CellBackColor(), r % 2 ? 0xF2F2F2 : 0xFFFFFF);
                QCOMPARE(grade->CellForeColor(), c == 1 ? 0x808080 : 0);
            }
        grade->setRow(1);
        grade->setCol(12);
        QVERIFY(!grade->CellPicture().isNull());
        QCOMPARE(grade->CellPictureAlignment(), 4);
    }

    void alturaDaGradeFazPaginasDeSeisSeisEUm() {
        CriarOrcamentos(13);
        // 5,400 twips of form: a grid 4,600 twips high, room for 6 rows of a page.
        AbrirLista(Twips::ParaPixels(5400));
        QCOMPARE(mlista->Grade()->Height(), 4600);
        QCOMPARE(mlista->TamanhoDaPagina(), qint16(6));
        QCOMPARE(Coluna(1), (QStringList{u"13"_s, u"12"_s, u"11"_s, u"10"_s, u"9"_s, u"8"_s}));
        QCOMPARE(TextoDaBarra(), u"1 - 6 de 13"_s);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdProximo");
        QCOMPARE(Coluna(1), (QStringList{u"7"_s, u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s}));
        QCOMPARE(TextoDaBarra(), u"7 - 12 de 13"_s);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdProximo");
        QCOMPARE(Coluna(1), QStringList{u"1"_s});
        QCOMPARE(TextoDaBarra(), u"13 - 13 de 13"_s);
        QVERIFY(!mlista->findChild<QToolButton*>(u"cmdProximo"_s)->isEnabled());
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdAnterior");
        QCOMPARE(TextoDaBarra(), u"7 - 12 de 13"_s);
        QCOMPARE(Coluna(1).size(), 6);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdUltimo");
        QCOMPARE(TextoDaBarra(), u"13 - 13 de 13"_s);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdPrimeiro");
        QCOMPARE(TextoDaBarra(), u"1 - 6 de 13"_s);
        QVERIFY(!mlista->findChild<QToolButton*>(u"cmdAnterior"_s)->isEnabled());
        // A grid shorter than 700 twips leaves no room at all.
        mlista->resize(mlista->width(), Twips::ParaPixels(1400));
        QVERIFY(mlista->TamanhoDaPagina() <= 0);
    }

    void filtroGuardaAPaginaETamanhoNovoAjustaABarra() {
        CriarOrcamentos(15);
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento <= 5"_s);
        AbrirLista(Twips::ParaPixels(5400));
        Situacao()->setListIndex(0);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdUltimo");
        QCOMPARE(mlista->PaginaAtual(), 3);
        QCOMPARE(TextoDaBarra(), u"13 - 15 de 15"_s);

        Situacao()->setListIndex(1); // "Ativos": the first page of the active quotes
        QCOMPARE(TextoDaBarra(), u"1 - 6 de 10"_s);
        QCOMPARE(Coluna(11), QStringList(6, u"1"_s));
        Situacao()->setListIndex(2); // "Inativos"
        QCOMPARE(TextoDaBarra(), u"1 - 5 de 5"_s);
        QCOMPARE(Coluna(11), QStringList(5, u"2"_s));

        Situacao()->setListIndex(0); // back to the whole list, on the page it showed
        QCOMPARE(mlista->PaginaAtual(), 3);
        QCOMPARE(TextoDaBarra(), u"13 - 15 de 15"_s);
        QCOMPARE(Coluna(1), (QStringList{u"3"_s, u"2"_s, u"1"_s}));

        // With a larger page, the bar's numbers stay the positions of the rows the grid shows,
        // newest first.
        auto* barra = mlista->findChild<XRNavigationBar*>(u"xrnbBarraDeNavegacao"_s);
        const auto Confere = [&] {
            const QStringList numeros = Coluna(frmLista::ColunaNumeroDoOrcamento);
            QCOMPARE(barra->UltimoRegistro() - barra->PrimeiroRegistro() + 1, numeros.size());
            QVERIFY(barra->UltimoRegistro() <= barra->TotalDeRegistros());
            QCOMPARE(numeros.first().toInt(), 16 - barra->PrimeiroRegistro());
            QCOMPARE(mlista->PaginaAtual(), (barra->PrimeiroRegistro() - 1) / mlista->TamanhoDaPagina() + 1);
        };
        QWidget* area = mmenu->Area;
        Situacao()->setListIndex(1);
        area->resize(area->width(), Twips::ParaPixels(9000));
        QCOMPARE(mlista->TamanhoDaPagina(), qint16(11));
        Situacao()->setListIndex(0); // the remembered page 3 no longer exists: the last one shows
        Confere();
        QCOMPARE(TextoDaBarra(), u"12 - 15 de 15"_s);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdAnterior");
        Confere();
        QCOMPARE(TextoDaBarra(), u"1 - 11 de 15"_s);
        area->resize(area->width(), Twips::ParaPixels(5400));
        Pesquisar(u"Silva"_s);
        Confere();
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdProximo");
        Confere();
    }

    void pesquisaDeTextoPassaParaTodasAsSituacoesSemSegundaSelecao() {
        RegistrarOrcamentosRoteirizados();
        AbrirLista();
        Pesquisar(u"Maria"_s);
        QCOMPARE(Situacao()->ListIndex(), 0);
        QCOMPARE(Respostas().Argumentos, (QStringList{u"3|"_s, u"0|Maria"_s}));

        Clicar(mlista, "xrfndPesquisar", "cmdLimpar");
        QCOMPARE(Situacao()->ListIndex(), 3);
        QCOMPARE(Respostas().Argumentos, (QStringList{u"3|"_s, u"0|Maria"_s, u"3|"_s}));
    }

    void pesquisaPorNomeSemAcento() {
        CriarOrcamentos(3, 1, 10);
        CriarOrcamentos(2, 2, 12);
        AbrirLista();
        QCOMPARE(TextoDaBarra(), u"1 - 5 de 5"_s);
        Pesquisar(u"antonia"_s);
        QCOMPARE(Coluna(2), QStringList(2, u"Maria Antônia"_s));
        QCOMPARE(TextoDaBarra(), u"1 - 2 de 2"_s);
        Pesquisar(u"4"_s);
        QCOMPARE(Coluna(1), QStringList{u"4"_s});
    }

    void nadaRegistradoENadaEncontrado() {
        AbrirLista();
        // Those of the named controls that show.
        const auto visiveis = [&](const QString& nomes) {
            QStringList vistos;
            for (const QString& nome : nomes.split(u' '))
                if (mlista->findChild<Controle*>(nome)->Visible()) vistos << nome;
            return vistos.join(u' ');
        };
        // No recent quote: older ones may exist, so the filter stays to widen the list.
        QCOMPARE(visiveis(u"xrcmbSituacao lblMensagemDeResultado msfgGrade"_s),
                 u"xrcmbSituacao lblMensagemDeResultado"_s);
        // Nothing registered in any situation: only the add command and the message.
        Situacao()->setListIndex(0);
        QCOMPARE(visiveis(u"xrcmdAdicionar xrfndPesquisar xrcmbSituacao xrnbBarraDeNavegacao msfgGrade "
                          u"lblMensagemDeResultado"_s),
                 u"xrcmdAdicionar lblMensagemDeResultado"_s);
        QCOMPARE(mlista->findChild<Label*>(u"lblMensagemDeResultado"_s)->Caption(),
                 u"Nenhum orçamento encontrado."_s);
        mlista->close();

        // Quotes registered, none matching: the find box and the filter stay.
        CriarOrcamentos(2);
        AbrirLista();
        QCOMPARE(visiveis(u"msfgGrade lblMensagemDeResultado"_s), u"msfgGrade"_s);
        Pesquisar(u"Ninguem com esse nome"_s);
        QCOMPARE(
            visiveis(u"xrfndPesquisar xrcmbSituacao msfgGrade xrnbBarraDeNavegacao lblMensagemDeResultado"_s),
            u"xrfndPesquisar xrcmbSituacao lblMensagemDeResultado"_s);
    }

    void mouseSobreAGradeComandosDaLinhaEArrasto() {
        CriarOrcamentos(3);
        AbrirLista();
        MSFlexGrid* grade = mlista->Grade();
        auto* alterar = mlista->findChild<XRCommandButton*>(u"xrcmdAlterar"_s);
        auto* excluir = mlista->findChild<XRCommandButton*>(u"xrcmdExcluir"_s);
        auto* ficha = mlista->findChild<XRCommandButton*>(u"xrcmdImprimirFicha"_s);
        QVERIFY(!alterar->Visible());

        // Over row 2: header 700 + 570 + half a row, in twips.
        const int y2 = Twips::ParaPixels(700 + 570 + 285);
        QTest::mouseMove(grade, QPoint(300, y2));
        QVERIFY(alterar->Visible() && excluir->Visible() && ficha->Visible());
        const int fimDaColuna2 = grade->Left() + 1570 + 5150; // column 0 is hidden
        QCOMPARE((QList<int>{alterar->Left(), excluir->Left(), ficha->Left()}),
                 (QList<int>{fimDaColuna2 - 1710, fimDaColuna2 - 1140, fimDaColuna2 - 570}));
        // Rows are laid out in whole pixels: the top is exact to one pixel (15 twips).
        QVERIFY(qAbs(alterar->Top() - (grade->Top() + 700 + 570)) <= Twips::PorPixel);
        QCOMPARE((QList<int>{grade->Row(), grade->Col(), grade->ColSel(), grade->HighLight()}),
                 (QList<int>{2, 0, 16, 1}));

        // Along the same row nothing moves; the next row moves them.
        alterar->setLeft(0);
        QTest::mouseMove(grade, QPoint(500, y2 + 3));
        QCOMPARE(alterar->Left(), 0);
        QTest::mouseMove(grade, QPoint(500, Twips::ParaPixels(700 + 2 * 570 + 285)));
        QCOMPARE(alterar->Left(), fimDaColuna2 - 1710);
        QVERIFY(qAbs(alterar->Top() - (grade->Top() + 700 + 2 * 570)) <= Twips::PorPixel);
        QCOMPARE(grade->Row(), 3);

        // Onto the header: hidden, no highlight.
        QTest::mouseMove(grade, QPoint(300, 5));
        QVERIFY(!alterar->Visible() && !excluir->Visible() && !ficha->Visible());
        QCOMPARE(grade->HighLight(), 0);
        QCOMPARE(grade->Row(), 1);

        // A new selection (another filter here; a saved quote does the same) puts other
        // quotes under the row commands: they hide until the mouse moves, even within the
        // row it rests on, and then act on that row.
        const QPoint linha1(300, Twips::ParaPixels(700 + 285));
        QTest::mouseMove(grade, linha1);
        QVERIFY(ficha->Visible());
        Situacao()->setListIndex(0);
        QVERIFY(!ficha->Visible());
        QCOMPARE(grade->RowSel(), 3);
        QTest::mouseMove(grade, linha1 + QPoint(4, 0));
        QVERIFY(ficha->Visible());
        QCOMPARE(grade->Row(), 1);
        QCOMPARE(grade->RowSel(), 1);

        // Dragging selects whole rows.
        const int x = Twips::ParaPixels(1570 + 1000);
        auto linha = [](int r) { return Twips::ParaPixels(700 + (r - 1) * 570 + 285); };
        QTest::mousePress(grade, Qt::LeftButton, {}, QPoint(x, linha(1)));
        QMouseEvent arrasto(QEvent::MouseMove, QPointF(x, linha(3)), grade->mapToGlobal(QPointF(x, linha(3))),
                            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grade, &arrasto);
        QTest::mouseRelease(grade, Qt::LeftButton, {}, QPoint(x, linha(3)));
        QCOMPARE(grade->Row(), 3);
        QCOMPARE(grade->RowSel(), 3);
        QCOMPARE(grade->ColSel(), 16);
    }

    void painelDeEsperaDuranteANovaSelecao() {
        CriarOrcamentos(3);
        AbrirLista();
        auto* painel = mlista->findChild<Controle*>(u"picMensagem"_s);
        MSFlexGrid* grade = mlista->Grade();
        QVERIFY(!painel->Visible());
        // What a person sees while the filter waits its second.
        bool painelVisivel = false, gradeVisivel = true, formularioHabilitado = true, arredondado = false;
        int topoDoPainel = 0;
        Plataforma::DefinirFatorDaPausa(0.05);
        QTimer::singleShot(10, [&] {
            painelVisivel = painel->Visible();
            gradeVisivel = grade->Visible();
            formularioHabilitado = mlista->isEnabled();
            arredondado = Plataforma::TemRegiao(Plataforma::Handle(painel));
            topoDoPainel = painel->Top();
        });
        Situacao()->setListIndex(1);
        Plataforma::DefinirFatorDaPausa(0);
        QCOMPARE((QList<bool>{painelVisivel, gradeVisivel, formularioHabilitado, arredondado}),
                 (QList<bool>{true, false, false, true}));
        QCOMPARE(topoDoPainel, grade->Top() + 700); // just under the header row
        // Afterwards: the panel gone, the grid back, the form usable.
        QVERIFY(!painel->Visible());
        QVERIFY(grade->Visible());
        QVERIFY(mlista->isEnabled());
    }

    void ultimaDeMaisDe32767Paginas() {
        // 200,000 quotes in pages of 6: 33,334 pages, more than a 16-bit page number holds.
        RegistrarOrcamentosRoteirizados();
        auto resultado = std::make_shared<RecordsetEmMemoria>(
            QStringList{u"NumeroDoOrcamento"_s, u"ApelidoOuNomeFantasiaDoCliente"_s,
                        u"NomeOuRazaoSocialDoCliente"_s, u"DataDoOrcamento"_s, u"CodigoDoCliente"_s,
                        u"ValorTotal"_s, u"DescontoEmPercentual"_s, u"DescontoEmValor"_s, u"ValorLiquido"_s,
                        u"DataDeValidadeDoOrcamento"_s, u"Situacao"_s, u"DataEHoraDaInclusao"_s,
                        u"UsuarioDaInclusao"_s, u"DataEHoraDaAlteracao"_s, u"UsuarioDaAlteracao"_s});
        const QDate dia(2026, 12, 1);
        const QVariant dez = QVariant::fromValue(VB::Currency::DeInteiro(10));
        const QVariant zero = QVariant::fromValue(VB::Currency());
        for (int numero = 200000; numero >= 1; --numero)
            resultado->AdicionarLinha({double(numero), u"Zé"_s, u"José"_s, dia, 1.0, dez, zero, zero, dez,
                                       dia, 1, QDateTime(dia, QTime(8, 0)), u"ANA"_s, VB::Null(),
                                       VB::Null()});
        Respostas().Resultado = resultado;
        AbrirLista(Twips::ParaPixels(5400));
        QCOMPARE(TextoDaBarra(), u"1 - 6 de 200000"_s);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdUltimo");
        QCOMPARE(mlista->PaginaAtual(), 33334);
        QCOMPARE(Coluna(1), (QStringList{u"2"_s, u"1"_s}));
        QCOMPARE(TextoDaBarra(), u"199999 - 200000 de 200000"_s);
        Clicar(mlista, "xrnbBarraDeNavegacao", "cmdAnterior");
        QCOMPARE(TextoDaBarra(), u"199993 - 199998 de 200000"_s);
        QCOMPARE(Coluna(1).first(), u"8"_s);
    }

    void inicioFalhoRespondeComMensagemEmCadaAcao() {
        Zelt::RemoverProgId(ProgId::Orcamentos);
        AbrirLista();
        QCOMPARE(ErrosExibidos().size(), 1);
        QCOMPARE(ErrosExibidos()[0].Numero.toInt(), 429);
        // Nothing to search, filter, page or print; adding stays open.
        for (const char* nome :
             {"xrfndPesquisar", "xrcmbSituacao", "xrcmdImprimirLista", "xrnbBarraDeNavegacao"})
            QVERIFY2(!mlista->findChild<Controle*>(QString::fromLatin1(nome))->isEnabled(), nome);
        QVERIFY(mlista->findChild<Controle*>(u"xrcmdAdicionar"_s)->isEnabled());
        // What code still raises is answered through the error routine, and the list stays usable.
        ErrosExibidos().clear();
        Situacao()->setListIndex(1);
        emit mlista->findChild<XRNavigationBar*>(u"xrnbBarraDeNavegacao"_s)->Click(3);
        QCOMPARE(ErrosExibidos().size(), 2);
        QStringList locais;
        for (const ErroExibido& erro : ErrosExibidos()) {
            QCOMPARE(erro.Numero.toInt(), 91);
            locais << erro.Local.toString().section(u", "_s, 1, 2);
        }
        QCOMPARE(locais, (QStringList{u"frmLista, xrcmbSituacao_Click"_s,
                                      u"frmLista, xrnbBarraDeNavegacao_Click"_s}));
        QVERIFY(mlista->isEnabled());
        QVERIFY(!mlista->findChild<Controle*>(u"picMensagem"_s)->isVisible());
        Objetos::RegistrarProgIds();
        ErrosExibidos().clear();
    }

private:
    // The list docked in the menu's work area, that many pixels high.
    frmLista* AbrirLista(int alturaDaAreaEmPixels = 600) {
        mmenu->Area->resize(mmenu->Area->width(), alturaDaAreaEmPixels);
        return mlista = mmenu->AbrirLista();
    }
    void CriarOrcamentos(int quantidade, int cliente = 1, int animal = 10) {
        for (int i = 0; i < quantidade; ++i)
            QVERIFY(NovoOrcamento(cliente, animal) > 0);
    }
    void Clicar(QWidget* pai, const char* nomeDoControle, const char* nomeDoBotao) {
        auto* controle = pai->findChild<QWidget*>(QString::fromLatin1(nomeDoControle));
        QVERIFY(controle);
        auto* botao = controle->findChild<QToolButton*>(QString::fromLatin1(nomeDoBotao));
        QVERIFY(botao);
        QVERIFY2(botao->isEnabled(), nomeDoBotao);
        QTest::mouseClick(botao, Qt::LeftButton);
    }

    void Pesquisar(const QString& texto) {
        auto* editor = mlista->findChild<XRFind*>(u"xrfndPesquisar"_s)->findChild<QLineEdit*>(u"txtTexto"_s);
        editor->setFocus();
        editor->clear();
        QTest::keyClicks(editor, texto);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    QString TextoDaBarra() const { return mmenu->TextoDaBarra(); }
    XRComboBox* Situacao() const { return mlista->findChild<XRComboBox*>(u"xrcmbSituacao"_s); }
    QStringList Coluna(int coluna) const { return mmenu->Coluna(coluna); }

    MenuDeTeste* mmenu = nullptr;
    frmLista* mlista = nullptr;
};

QTEST_MAIN(TesteDaLista)
#include "tst_lista.moc"
