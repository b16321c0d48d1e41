// The three search dialogs driven as the record form and a person drive them: the find
// box, the grid, the type list and "Fechar", with the message boxes answered and the
// business layer scripted (and real, on the known registry, where real data can tell).

#include "tests/business/TesteDeNegocio.h"
#include "tests/search/DublesDaPesquisa.h"

#include "business/Objetos.h"

#include "component/modFundoEscuro.h"
#include "component/modPrincipal.h"
#include "platform/suite/ComponentesDaSuite.h"
#include "search/frmPesquisaDeClientes.h"
#include "search/frmPesquisaDeProdutos.h"
#include "search/frmPesquisaDeServicos.h"

using namespace Qt::StringLiterals;

namespace {

const QString Aplicacao = u"ZELT - Clínicas"_s;

// Records in memory: fields named in one text, one list of values per row.
RecordsetPtr Linhas(const QString& campos, const QList<QList<QVariant>>& linhas) {
    auto recordset = std::make_shared<RecordsetEmMemoria>(campos.split(u' '));
    for (const auto& linha : linhas)
        recordset->AdicionarLinha(linha);
    return recordset;
}

// Clients 1, 2, ... in these situations, with a value of each kind in every field.
RecordsetPtr Clientes(const QList<int>& situacoes) {
    QList<QList<QVariant>> linhas;
    for (int i = 1; i <= situacoes.size(); ++i) {
        linhas << QList<QVariant>{double(i), u"Apelido %1"_s.arg(i), u"Nome %1"_s.arg(i), situacoes[i - 1]};
        linhas.last() << u"Rua %1, 10 - Centro"_s.arg(i) << u"Telefone: (19) 3232-1010"_s
                      << QVariant::fromValue(VB::Currency::DeDecimosDeMilesimos(15005000)) << u"Não"_s;
        for (int p = 1; p <= 9; ++p)
            linhas.last() << QVariant::fromValue(VB::Currency::DeInteiro(p));
        linhas.last() << u"Sim"_s << u"A"_s;
    }
    return Linhas(
        u"CodigoDoCliente ApelidoOuNomeFantasia NomeOuRazaoSocial Situacao EnderecoCompleto "
        u"TiposECanaisDeComunicacao Credito DescontoUnico PercentualUnicoDeDescontos "
        u"PercentualDeDescontoEmClinicos PercentualDeDescontoEmCirurgiaSimples "
        u"PercentualDeDescontoEmCirurgiaMedia PercentualDeDescontoEmCirurgiaComplexa "
        u"PercentualDeDescontoEmBanhosTosasEEsteticas PercentualDeDescontoEmHospedagens "
        u"PercentualDeDescontoEmAdestramentos PercentualDeDescontoEmOutros VIP CategoriaDaCurvaABC"_s,
        linhas);
}

RecordsetPtr Produtos(int quantidade) {
    QList<QList<QVariant>> linhas;
    for (int i = 1; i <= quantidade; ++i)
        linhas << QList<QVariant>{i, u"789000000001%1"_s.arg(i), u"Produto %1"_s.arg(i), u"Rações"_s,
                                  u"Cães"_s} +
                      QList<QVariant>{12.3, u"SC"_s, u"UN"_s, 24.9, 3};
    return Linhas(
        u"CodigoInterno CodigoDeBarras Nome NomeDoGrupo NomeDoSubgrupo ValorDeCusto UnidadeDeCompra "
        u"UnidadeDeVenda ValorDeVenda PercentualDeComissao"_s,
        linhas);
}

RecordsetPtr Servicos(int quantidade) {
    QList<QList<QVariant>> linhas;
    for (int i = 1; i <= quantidade; ++i)
        linhas << QList<QVariant>{i, u"Serviço %1"_s.arg(i), u"Descrição %1"_s.arg(i), 1, 48, 120};
    return Linhas(u"Codigo Nome Descricao NumeroDoTipoDeServico Custo ValorDeVenda"_s, linhas);
}

} // namespace

class TesteDaPesquisa : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        ErrosExibidos().clear();
        mmensagens.clear();
        RegistrarMensagemGravadora();
        RegistrarNegocioRoteirizado();
    }

    void Encerrar() override {
        mdialogo.reset();
        Plataforma::SubstituirExibicaoModal({});
        QVERIFY2(mmensagens.isEmpty(), qPrintable(mmensagens.join(u'\n')));
        QVERIFY(ErrosExibidos().isEmpty());
    }

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        AnotarMensagens(mmensagens);
        modPrincipal::DadosDoUsuario = musuario.get();
        modPrincipal::NomeDaAplicacao = Aplicacao;
    }

    void clienteUnicoAtivoEscolhidoSemCliqueNaExibicaoModal() {
        frmPesquisaDeClientes dialogo;
        QCOMPARE(dialogo.ConfigurarGrade(), qint16(0));
        QCOMPARE(dialogo.PreencherGrade(Clientes({1, 1})), qint16(0));
        Respostas().Resultado = Clientes({1});
        auto* caixa = dialogo.findChild<XRFind*>(u"xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"_s);
        auto* painel = dialogo.findChild<PictureBox*>(u"picMensagem"_s);
        bool selecionadoAntes = true, focoNaCaixa = false, painelNoMeio = false, desabilitado = false;
        Plataforma::DefinirFatorDaPausa(0.05);
        Plataforma::SubstituirExibicaoModal([&](QWidget*) {
            selecionadoAntes = dialogo.RegistroSelecionado();
            focoNaCaixa = caixa->TemOFoco();
            QTimer::singleShot(10, [&] {
                painelNoMeio = painel->isVisible() && Plataforma::TemRegiao(Plataforma::Handle(painel)) &&
                               qAbs(painel->geometry().center().x() - dialogo.width() / 2) <= 1 &&
                               qAbs(painel->geometry().center().y() - dialogo.height() / 2) <= 1;
                desabilitado = !dialogo.isEnabled();
            });
            caixa->setText(u" joão "_s);
            caixa->Pesquisar();
        });
        Plataforma::ExibirModal(&dialogo);
        Plataforma::DefinirFatorDaPausa(0);
        QVERIFY(!selecionadoAntes && focoNaCaixa && painelNoMeio && desabilitado);
        // Picked without a click: hidden, the pick in the grid's selected row.
        QVERIFY(dialogo.RegistroSelecionado() && !dialogo.isVisible() && dialogo.isEnabled() &&
                !painel->isVisible());
        QCOMPARE(dialogo.Grade()->RowSel(), 1);
        // The text as typed, the other criteria empty, the user's data handed over.
        QCOMPARE(Respostas().Argumentos, QStringList{u"2|0|0| joão ||0||||0||ANA"_s});
    }

    void clientesInativoBloqueadoEExcluidoRecusados() {
        const QStringList motivos{u"bloqueado"_s, u"inativo"_s, u"bloqueado"_s, u"excluído"_s};
        Abrir<frmPesquisaDeClientes>();
        // One blocked client found: refused, the dialog stays with its row and the grid focused.
        Respostas().Resultado = Clientes({3});
        Pesquisar(u"bloq"_s);
        QVERIFY(mdialogo->isVisible() && !mdialogo->RegistroSelecionado());
        QVERIFY(mdialogo->Grade()->Rows() == 2 && mdialogo->Grade()->TemOFoco());
        // Clicking the rows of clients in each refused situation, then an active one.
        Respostas().Resultado = Clientes({2, 3, 4, 1});
        Pesquisar(u"x"_s); // swallowed: only empties the grid
        Pesquisar(u"x"_s);
        for (int linha = 1; linha <= 3; ++linha)
            ClicarNaLinha(linha);
        for (const QString& motivo : motivos)
            VerificarMensagem(
                u"Cliente %1. Para mais informações, entre em contato com o departamento financeiro."_s.arg(
                    motivo));
        QVERIFY(mdialogo->isVisible() && !mdialogo->RegistroSelecionado());
        // The active one picked from the keyboard: down to its row, Enter.
        QTest::keyClick(mdialogo->Grade(), Qt::Key_Down);
        QTest::keyClick(mdialogo->Grade(), Qt::Key_Return);
        QVERIFY(!mdialogo->isVisible() && mdialogo->RegistroSelecionado());
        QCOMPARE(mdialogo->Grade()->RowSel(), 4);
    }

    void caixaDePesquisaGuardaNadaEncontradoEFalhas() {
        Abrir<frmPesquisaDeClientes>();
        Respostas().Resultado = Clientes({1, 1});
        Pesquisar(u"Apelido"_s);
        QCOMPARE(mdialogo->Grade()->Rows(), 3);
        QVERIFY(Caixa()->TemOFoco());
        Pesquisar(u"Apelido"_s); // swallowed: the grid emptied, nothing asked
        QCOMPARE(mdialogo->Grade()->Rows(), 1);
        QCOMPARE(Respostas().Argumentos.size(), 1);
        Caixa()->Limpar(); // any click searches, also the clear button: an empty text as it is
        QCOMPARE(Respostas().Argumentos.size(), 2);
        QCOMPARE(Respostas().Argumentos.last(), u"2|0|0|||0||||0||ANA"_s);
        QCOMPARE(mdialogo->Grade()->Rows(), 3);
        // A resize clears the guard: the next click searches.
        mdialogo->resize(mdialogo->width() + 40, mdialogo->height() + 30);
        QTRY_COMPARE(mdialogo->Grade()->Width(), Twips::DePixels(mdialogo->width()) - 780);
        Pesquisar(u"Apelido"_s);
        QCOMPARE(Respostas().Argumentos.size(), 3);

        // Nothing found: the message quoting the text, the text selected for a new search.
        Respostas().Resultado = Clientes({});
        Pesquisar(u"Ninguém"_s); // swallowed
        Pesquisar(u"Ninguém"_s);
        VerificarMensagem(u"Nenhum cliente encontrado  como o valor 'Ninguém' informado."_s);
        QCOMPARE(Caixa()->Editor()->selectedText(), u"Ninguém"_s);
        QCOMPARE(mdialogo->Grade()->Rows(), 1);
        QVERIFY(mdialogo->isVisible() && !mdialogo->RegistroSelecionado());

        // The business object's failure: its own triple, an empty grid, a usable dialog.
        Respostas().Resposta = true;
        Pesquisar(u"x"_s);
        Pesquisar(u"x"_s);
        VerificarErro(3704, u"ZELT_N_Teste, clsTeste, Selecionar, Ponto: 2"_s);
        QVERIFY(mdialogo->Grade()->Rows() == 1 && mdialogo->isEnabled());
        // A run-time error inside the call: reported where it happened; the panel goes away.
        Respostas().AoSelecionar = [] { throw VB::ErroDeExecucao(VB::ComponenteNaoCriaObjeto); };
        Pesquisar(u"x"_s);
        Pesquisar(u"x"_s);
        VerificarErro(429, u"ZELT_A_Orcamentos, frmPesquisaDeClientes, PesquisarCliente, Ponto: 3"_s);
        QVERIFY(mdialogo->isEnabled() && !mdialogo->findChild<PictureBox*>(u"picMensagem"_s)->isVisible());

        // "Fechar": no pick, the dialog hidden.
        QTest::mouseClick(mdialogo->findChild<XRCommandButton*>(u"xrcmdFechar"_s), Qt::LeftButton);
        QVERIFY(!mdialogo->isVisible() && !mdialogo->RegistroSelecionado());
    }

    void gradeDeClientesDesenhadaESombreada() {
        Abrir<frmPesquisaDeClientes>();
        MSFlexGrid* grade = mdialogo->Grade();
        QCOMPARE(mdialogo->PreencherGrade(Clientes({1, 2, 1})), qint16(0));
        QCOMPARE(grade->Rows(), 4);
        QCOMPARE(grade->RowHeight(0), 300);
        QCOMPARE(Linha(2),
                 u"|2|Apelido 2|Nome 2|2|Rua 2, 10 - Centro|Telefone: (19) 3232-1010|1500,5|Não|1|2|3|4|5|"
                 u"6|7|8|9|Sim|A"_s);
        const QList<int> larguras{0, 1100, 2000, 4020, 0, 6300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int c = 0; c < 20; ++c) {
            QCOMPARE(grade->ColWidth(c), larguras[c]);
            QCOMPARE(grade->ColAlignment(c), 1);
            QCOMPARE(grade->ColData(c), (QList<int>{2, 3, 5, 6, 18, 19}.contains(c) ? 1 : 0));
            for (int r = 0; r < 4; ++r) {
                grade->setRow(r);
                grade->setCol(c);
                QCOMPARE(grade->CellForeColor(), c == 1 ? 0x808080 : 0);
                QCOMPARE(r == 0 ? grade->CellFontBold() : grade->CellBackColor(), r == 0   ? 1
                                                                                  : r == 2 ? 0xF2F2F2
                                                                                           : 0xD9D9D9);
            }
        }
        for (int r = 1; r < 4; ++r)
            QCOMPARE(grade->RowHeight(r), 570);
        QCOMPARE(grade->TextMatrix(0, 14), u"Percentual de desconto banhos, tosas e estéticas"_s);
        QCOMPARE(grade->BackColorFixed(), 0xF2F2F2);

        // A value that cannot be written (Null) stops the filling where it is, reported.
        auto clientes = std::static_pointer_cast<RecordsetEmMemoria>(Clientes({1, 1}));
        clientes->AdicionarLinha(QList<QVariant>(4, 3) << VB::Null() << QList<QVariant>(14, 3));
        QCOMPARE(mdialogo->PreencherGrade(clientes), qint16(1));
        VerificarErro(94, u"ZELT_A_Orcamentos, frmPesquisaDeClientes, PreencherGrade, Ponto: 4"_s);
        QCOMPARE(grade->TextMatrix(2, 2), u"Apelido 2"_s);
        QVERIFY(grade->Redraw());
    }

    void produtosEscolhaImediataSalvoConsultaDePreco() {
        auto* produtos = Abrir<frmPesquisaDeProdutos>();
        produtos->FormularioDeConsultaDePreco(true); // a price query: the one product stays listed
        Respostas().Resultado = Produtos(1);
        Pesquisar(u" 7890 "_s);
        QVERIFY(produtos->isVisible() && !produtos->RegistroSelecionado() && produtos->Grade()->Rows() == 2);
        QCOMPARE(Respostas().Argumentos, QStringList{u"2|0|1| 7890 |||0"_s});
        produtos->FormularioDeConsultaDePreco(false);
        Pesquisar(u"x"_s); // swallowed
        Respostas().Resultado = Produtos(0);
        Pesquisar(u"Coleira"_s);
        VerificarMensagem(u"Nenhum produto encontrado  como o valor 'Coleira' informado."_s);
        QCOMPARE(Caixa()->Editor()->selectedText(), u"Coleira"_s);
        Respostas().Resultado = Produtos(1);
        Pesquisar(u"Produto"_s); // swallowed, as after any search
        QVERIFY(produtos->isVisible());
        Pesquisar(u"Produto"_s);
        QVERIFY(!produtos->isVisible() && produtos->RegistroSelecionado());
        produtos->show();
        QVERIFY(!produtos->RegistroSelecionado()); // showing the dialog again resets the pick
        QTest::mouseClick(produtos->findChild<XRCommandButton*>(u"xrcmdFechar"_s), Qt::LeftButton);
        QVERIFY(!produtos->isVisible() && !produtos->RegistroSelecionado());
    }

    void servicosTodosOsTiposETrocaDeTipo() {
        Respostas().TiposDeServico =
            Linhas(u"Numero Nome"_s, {{1, u"Clínicos"_s}, {5, u"Banhos, tosas e estéticas"_s}});
        auto* servicos = Abrir<frmPesquisaDeServicos>(true);
        XRComboBox* tipos = servicos->TiposDeServicos();
        QCOMPARE(Respostas().Argumentos, QStringList{u"0"_s}); // every type asked for
        QCOMPARE(tipos->ListCount(), 3);
        QCOMPARE(tipos->List(0), u"(Todos)"_s);
        QCOMPARE(QList<int>({tipos->ItemData(0), tipos->ItemData(1), tipos->ItemData(2)}),
                 QList<int>({0, 1, 5}));
        QVERIFY(tipos->ListIndex() == 0 && !modPrincipal::IgnorarCliqueDoComboTiposDeServicos);
        Respostas().Resultado = Servicos(3);
        Pesquisar(u"Serviço"_s);
        QCOMPARE(Respostas().Argumentos.last(), u"2|0|1|Serviço|0||0"_s); // every type: 0
        QCOMPARE(servicos->Grade()->Rows(), 4);
        // Another type: the grid and the find box emptied, the focus in the find box.
        tipos->setListIndex(2);
        QCOMPARE(servicos->Grade()->Rows(), 1);
        QVERIFY(Caixa()->Text().isEmpty() && Caixa()->Status() == 2 && Caixa()->TemOFoco());
        Respostas().Resultado = Servicos(0);
        Pesquisar(u"  banho "_s); // the guard was cleared by the type change
        QCOMPARE(Respostas().Argumentos.last(), u"2|0|1|  banho |5||0"_s);
        VerificarMensagem(u"Nenhum serviço encontrado  como o valor '  banho ' informado e com o tipo de "
                          u"serviço 'Banhos, tosas e estéticas'."_s);
        // A type chosen from code with the context flag set: only the flag is cleared.
        Respostas().Resultado = Servicos(2);
        Pesquisar(u"Serviço"_s); // swallowed
        Pesquisar(u"Serviço"_s);
        modPrincipal::IgnorarCliqueDoComboTiposDeServicos = true;
        tipos->setListIndex(1);
        QVERIFY(!modPrincipal::IgnorarCliqueDoComboTiposDeServicos);
        QCOMPARE(servicos->Grade()->Rows(), 3);
    }

    void semTiposDeServicoNemPesquisaSemTipo() {
        QWidget menu;
        menu.resize(400, 300);
        menu.show();
        modPrincipal::FomularioDoMenu_hWnd = Plataforma::Handle(&menu);
        for (bool falha : {true, false}) {
            qint16 opcao = 0;
            AplicarFundoEscuro(modPrincipal::FomularioDoMenu_hWnd, opcao);
            Respostas().RespostaDosTipos = falha;
            auto* servicos = Abrir<frmPesquisaDeServicos>(true);
            QVERIFY(menu.findChildren<QWidget*>(u"FundoEscuro"_s).isEmpty());
            QCOMPARE(servicos->TiposDeServicos()->ListCount(), 0);
            QVERIFY(servicos->findChild<XRCommandButton*>(u"xrcmdFechar"_s)->ToolTipText().isEmpty());
        }
        modPrincipal::FomularioDoMenu_hWnd = 0;
        VerificarErro(3704,
                      u"ZELT_N_Teste, clsTeste, Selecionar, Ponto: 2"_s); // the failing list's own triple
        VerificarMensagem(u"Nenhum tipo de serviço cadastrado.\r\nÉ necessário ter no mínimo um tipo de "
                          u"serviço cadastrado para incluir um agendamento."_s);
        // No type chosen: no search, the grid emptied, the type list focused.
        mdialogo->PreencherGrade(Servicos(2));
        Pesquisar(u"Consulta"_s);
        VerificarMensagem(u"Selecione o tipo de serviço."_s);
        QCOMPARE(Respostas().Argumentos.size(), 2); // the two type lists only
        QCOMPARE(mdialogo->Grade()->Rows(), 1);
        QVERIFY(mdialogo->findChild<XRComboBox*>(u"xrcmbTiposDeServicos"_s)->TemOFoco());
    }

    // On the real business layer with the known registry: the rows as the record form reads them.
    void tresDialogosNoBancoReal() {
        Zelt::RegistrarProgId(ProgId::Clientes, Objetos::NovoClientes);
        Abrir<frmPesquisaDeClientes>();
        Pesquisar(u"cliente"_s); // inactive, blocked, deleted and "SELECT * FROM Clientes...", by nickname
        QCOMPARE(mdialogo->Grade()->Rows(), 5);
        QCOMPARE(mdialogo->Grade()->TextMatrix(1, 2), u"Bloqueado"_s);
        Pesquisar(u"x"_s); // swallowed
        Pesquisar(u"JOAO"_s);
        QVERIFY(mdialogo->RegistroSelecionado());
        QCOMPARE(Linha(1),
                 u"|1|João|João da Silva|1|Rua das Flores, 120 - Apto 3 - Centro - Campinas/SP - CEP "
                 u"13010-000|"_s +
                     mdialogo->Grade()->TextMatrix(1, 6) + u"|1500,5|Sim|10|0|0|0|0|0|0|0|0|Sim|A"_s);
        QVERIFY(mdialogo->Grade()->TextMatrix(1, 6).contains(u"joao@exemplo.com.br"_s));
        Zelt::RegistrarProgId(ProgId::Produtos, Objetos::NovoProdutos);
        auto* produtos = Abrir<frmPesquisaDeProdutos>();
        Pesquisar(u"ração"_s);
        ClicarNaLinha(2);
        QVERIFY(produtos->RegistroSelecionado());
        QCOMPARE(Linha(2), u"|100|7891234567895|Ração Cães 15 kg|Rações|Cães|145|UN|219,9|3"_s);
        Zelt::RegistrarProgId(ProgId::Servicos, Objetos::NovoServicos);
        Zelt::RegistrarProgId(ProgId::TiposDeServ, Objetos::NovoTiposDeServ);
        auto* servicos = Abrir<frmPesquisaDeServicos>(true);
        QCOMPARE(servicos->TiposDeServicos()->ItemData(8), 99); // "(Todos)", then the eight types
        servicos->TiposDeServicos()->setListIndex(1);           // "Clínicos": the two active ones
        Pesquisar(QString());
        QCOMPARE(servicos->Grade()->Rows(), 3);
        QCOMPARE(Linha(1), u"|1|Consulta clínica|Descrição de Consulta clínica|120|48|1"_s);
        servicos->TiposDeServicos()->setListIndex(0); // clears the guard too
        Pesquisar(u"castracao"_s);                    // every type: the one found is picked at once
        QVERIFY(servicos->RegistroSelecionado());
        QCOMPARE(servicos->Grade()->TextMatrix(1, frmPesquisaDeServicos::ColunaNumeroDoTipoDeServico),
                 u"2"_s);
    }

    // Each dialog as a person sees it, written beside the build for a look.
    void desenhoDosTresDialogos() {
        Respostas().TiposDeServico = Linhas(u"Numero Nome"_s, {{1, u"Clínicos"_s}});
        // Caption, header, labels, button and its tip.
        const QStringList textos{
            u"Pesquisa de clientes|Apelido, nome fantasia, nome, razão social ou código*"_s,
            u"Pesquisa de produtos|Código interno ou nome*"_s,
            u"Pesquisa de serviços|Tipo de serviço*|Código ou nome*"_s};
        for (int i = 0; i < 3; ++i) {
            if (i == 0) Abrir<frmPesquisaDeClientes>()->PreencherGrade(Clientes({1, 1, 2, 1}));
            if (i == 1) {
                qputenv("ZELT_NOME_DO_SO", "windows 8"); // the suite's square panels: a frame instead
                Abrir<frmPesquisaDeProdutos>()->PreencherGrade(Produtos(4));
                qunsetenv("ZELT_NOME_DO_SO");
                QCOMPARE(mdialogo->findChild<QWidget*>(u"lshpObj"_s)->geometry(), mdialogo->rect());
            }
            if (i == 2) Abrir<frmPesquisaDeServicos>(true)->PreencherGrade(Servicos(12));
            QCOMPARE(mdialogo->findChild<XRTheme*>(u"xrTheme"_s)->Caption(), mdialogo->windowTitle());
            QStringList vistos{mdialogo->windowTitle()};
            for (Label* rotulo : mdialogo->findChildren<Label*>())
                vistos << rotulo->Caption();
            auto* fechar = mdialogo->findChild<XRCommandButton*>(u"xrcmdFechar"_s);
            vistos << fechar->Caption() << fechar->ToolTipText();
            QCOMPARE(vistos.join(u'|'), textos[i] + u"|Fechar|Cancelar a pesquisa e fechar"_s);
            // Every shown control inside the dialog, in Arial, clear of the others (the
            // frame drawn round the client area aside).
            QList<QWidget*> controles;
            for (QWidget* controle : mdialogo->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (controle->isVisible() && controle->objectName() != u"lshpObj"_s) controles << controle;
            for (QWidget* a : controles) {
                QVERIFY2(mdialogo->rect().contains(a->geometry()), qPrintable(a->objectName()));
                QCOMPARE(a->fontInfo().family(), u"Liberation Sans"_s);
                for (QWidget* b : controles)
                    QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + b->objectName()));
            }
            const QImage imagem = mdialogo->grab().toImage();
            QVERIFY(imagem.save(
                QDir(QString::fromUtf8(ZELT_PASTA_DE_BUILD)).filePath(mdialogo->objectName() + u".png"_s)));
            // Row 1 shaded, row 2 lighter, left of the first visible column's text.
            const QPoint grade = mdialogo->Grade()->geometry().topLeft();
            QCOMPARE(QColor(imagem.pixel(grade + QPoint(2, 20 + 19))), QColor(0xD9, 0xD9, 0xD9));
            QCOMPARE(QColor(imagem.pixel(grade + QPoint(2, 20 + 38 + 19))), QColor(0xF2, 0xF2, 0xF2));
        }
    }

private:
    // The dialog as the record form leaves it before a person uses it: configured, shown.
    template <class T> T* Abrir(bool pesquisarTipos = false) {
        auto* dialogo = new T;
        mdialogo.reset(dialogo);
        if constexpr (std::is_same_v<T, frmPesquisaDeServicos>)
            dialogo->EfetuarOPreenchimentoDaComboboxTiposDeServicos(pesquisarTipos);
        dialogo->ConfigurarGrade();
        dialogo->show();
        dialogo->activateWindow();
        if (!QTest::qWaitForWindowActive(dialogo)) qWarning("A janela não ficou ativa.");
        return dialogo;
    }

    XRFind* Caixa() const { return mdialogo->findChild<XRFind*>(); }
    void Pesquisar(const QString& texto) {
        Caixa()->setText(texto);
        Caixa()->Pesquisar();
    }

    void ClicarNaLinha(int linha) {
        const int y = Twips::ParaPixels(300 + (linha - 1) * 570 + 285);
        QTest::mouseClick(mdialogo->Grade(), Qt::LeftButton, {}, QPoint(Twips::ParaPixels(1600), y));
    }

    // The row's cells joined by "|".
    QString Linha(int linha) const { return LinhaDaGrade(mdialogo->Grade(), linha); }

    // The next information message box shown, titled with the application's name, and the
    // next error shown; cleanup() fails on any left unchecked.
    void VerificarMensagem(const QString& texto) {
        QCOMPARE(mmensagens.isEmpty() ? QString() : mmensagens.takeFirst(), texto + u"|64|"_s + Aplicacao);
    }

    void VerificarErro(int numero, const QString& local) {
        const ErroExibido erro = ErrosExibidos().isEmpty() ? ErroExibido() : ErrosExibidos().takeFirst();
        QCOMPARE(erro.Numero.toString() + u'|' + erro.Local.toString(),
                 QString::number(numero) + u'|' + local);
    }

    std::unique_ptr<frmPesquisa> mdialogo;
    QStringList mmensagens; // text|buttons and icon|title
};

QTEST_MAIN(TesteDaPesquisa)
#include "tst_pesquisa.moc"
