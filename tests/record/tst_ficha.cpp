// The record form opened in each mode, from the host and from the list: what it shows,
// what it lets the person touch, the validity date, the dark background, the items of a
// stored quote, the list's commands around it, and the user's guide on F1.

#include "tests/Linha.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "component/modPrincipal.h"
#include "contracts/DadosDoUsuario.h"

using namespace Qt::StringLiterals;

namespace {

const QString Cliente =
    u"xrfCodigoDoCliente|xrfApelidoOuNomeFantasiaDoCliente|xrfNomeOuRazaoSocialDoCliente"_s;

// An items object whose selection answers what the test sets, and remembers the page
// size and the quote number it was asked for.
struct RoteiroDeItens {
    qint16 TamanhoDaPagina = -1;
    double NumeroDoOrcamento = -1;
    QVariant Resposta = false;
    RecordsetPtr Resultado;
};

RoteiroDeItens& Itens() {
    static RoteiroDeItens roteiro;
    return roteiro;
}

class OrcItensRoteirizados final : public ZELT_N_Orcamentos::clsOrcItens {
public:
    QVariant Selecionar(qint32, qint16& lintTamanhoDaPagina, qint32, double& ldouNumeroDoOrcamento) override {
        Itens().TamanhoDaPagina = lintTamanhoDaPagina;
        Itens().NumeroDoOrcamento = ldouNumeroDoOrcamento;
        mrstResultado = Itens().Resultado;
        NumeroDoErro = 3704;
        ObservacaoDoErro = u"Itens indisponíveis"_s;
        LocalDoErro = u"ZELT_N_Orcamentos, clsOrcItens, Selecionar, Ponto: 2"_s;
        return Itens().Resposta;
    }
    QVariant Excluir(double&, double&) override { return false; }
};

// The items recordset as the business layer delivers it, with n service items.
RecordsetPtr ItensDeServico(int n) {
    auto itens = std::make_shared<RecordsetEmMemoria>(
        u"NumeroDoItemDoOrcamento|TipoDeLancamento|NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto|"
        u"CodigoDoServicoOuCodigoInternoDoProduto|NomeDoServico|NomeDoProduto|CodigoDoAnimal|NomeDoAnimal|"
        u"Quantidade|ValorUnitario|DescontoEmPercentual|DescontoEmValor|ValorTotal|Custo|TipoDeVenda|"
        u"Situacao|DataEHoraDaInclusao|UsuarioDaInclusao|DataEHoraDaAlteracao|UsuarioDaAlteracao"_s.split(
            u'|'));
    const auto moeda = [](double valor) { return QVariant::fromValue(VB::Currency::DeDouble(valor)); };
    const QDateTime inclusao(QDate(2026, 11, 30), QTime(9, 15));
    for (int i = 1; i <= n; ++i)
        itens->AdicionarLinha(
            {i,        1,        u"1"_s,       1,         u"Consulta"_s, VB::Null(),    10,
             u"Rex"_s, moeda(1), moeda(120.5), moeda(10), moeda(12.05),  moeda(108.45), moeda(48),
             1,        1,        inclusao,     u"ANA"_s,  VB::Null(),    VB::Null()});
    return itens;
}

} // namespace

class TesteDaFichaNosModos : public TesteDaFicha {
    Q_OBJECT

private slots:
    void doHostComOClienteDoHostESemFundoEscuro() {
        AbrirDoHost(1, 10);
        QVERIFY(mficha->isVisible());
        QVERIFY(ErrosExibidos().isEmpty() && mmensagens.isEmpty() && ChamadasDoFundoEscuro().isEmpty());
        QCOMPARE(mficha->windowTitle(), u"Orçamento"_s);
        QCOMPARE(Propriedades("Caption", u"xrTheme|xrcmdSalvarFecharConfirmar|xrcmdCancelarAlterar"_s),
                 u"Adicionar item|Salvar e Imprimir|Cancelar"_s);
        QCOMPARE(Propriedades("ToolTipText", u"xrcmdSalvarFecharConfirmar|xrcmdCancelarAlterar"_s),
                 u"Salvar inclusão, Imprmir e fechar|Cancelar inclusão e fechar"_s);

        // The host's client, shown and locked; its animal, the only one, chosen and locked.
        QCOMPARE(Propriedades("Text", Cliente), u"1|João|João da Silva"_s);
        QCOMPARE(Propriedades("Enabled", Cliente), u"false|false|false"_s);
        QCOMPARE(Propriedades("Status", Cliente), u"0|0|0"_s);
        auto* animal = ControleDaFicha<XRComboBox>("xrcmbAnimal");
        QCOMPARE(animal->ListCount(), 1);
        QCOMPARE(animal->Text(), u"Rex"_s);
        QCOMPARE(animal->ItemData(0), 10);
        QVERIFY(!animal->Enabled());

        // Services first: the type list open, with "(Todos)" and the registry's types.
        QVERIFY(ControleDaFicha<OptionButton>("optServico")->Value());
        QCOMPARE(Propriedades("Enabled", u"optServico|optProduto|xrcmbTiposDeServicos|xrfCodigoDoServico|"
                                         "xrfNomeDoServico"_s),
                 u"true|true|true|false|false"_s);
        auto* tipos = ControleDaFicha<XRComboBox>("xrcmbTiposDeServicos");
        QCOMPARE(tipos->ListIndex(), -1);
        QCOMPARE(tipos->List(0), u"(Todos)"_s);
        QCOMPARE(tipos->ItemData(0), 0);
        QVERIFY(tipos->ListCount() > 1);
        QCOMPARE(Propriedades("Caption",
                              u"lblTipoDeServicoOuCodigoDeBarrasDoProduto|lblNomeDoServicoOuNomeDoProduto"_s),
                 u"Tipo de serviço|Nome do serviço"_s);
        auto* quantidade = ControleDaFicha<XRNumberBox>("xrnumQuantidade");
        QVERIFY(quantidade->Locked());
        QCOMPARE(quantidade->BackColor(), 0xF9F9F9);
        QCOMPARE(Propriedades("Text", u"xrnumQuantidade|xrnumValorTotal"_s), u"0|0,00"_s);

        // No item yet: the message under the add command instead of the grid.
        QCOMPARE(Propriedades("Visible",
                              u"msfgGradeDeItensDoOrcamento|lblMensagemDeResultado|xrcmdLimparCampos|"
                              "xrfCodigoDeBarrasDoProduto"_s),
                 u"false|true|false|false"_s);
        auto* mensagem = ControleDaFicha<Label>("lblMensagemDeResultado");
        QCOMPARE(mensagem->Caption(), u"Nenhum item de orçamento encontrado."_s);
        QCOMPARE(mensagem->Top(), ControleDaFicha<XRCommandButton>("xrcmdAdicionar")->Top() + 590);

        // Cancel hides the form (ending its display) without a completed operation.
        ControleDaFicha<XRCommandButton>("xrcmdCancelarAlterar")->Click();
        QVERIFY(!mficha->isVisible() && !mficha->OperacaoConcluida());
        QVERIFY(ChamadasDoFundoEscuro().isEmpty());
    }

    void daListaNaInclusaoComFundoEscuroUmaVez() {
        AbrirDaLista(frmFicha::Inclusao);
        QVERIFY(ErrosExibidos().isEmpty());
        const HWnd menu = Plataforma::Handle(mmenu);
        // Applied once before the display, removed once after it.
        QCOMPARE(ChamadasDoFundoEscuro(),
                 (QList<QPair<QString, HWnd>>{{u"Aplicar"_s, menu}, {u"Remover"_s, menu}}));
        QCOMPARE(Propriedades("Caption", u"xrcmdSalvarFecharConfirmar"_s) + u'|' +
                     Propriedades("ToolTipText", u"xrcmdSalvarFecharConfirmar"_s),
                 u"Salvar|Salvar inclusão e fechar"_s);
        QCOMPARE(Propriedades("Enabled", Cliente), u"true|true|true"_s);
        QCOMPARE(Propriedades("Status", Cliente), u"2|2|2"_s);
        QCOMPARE(Propriedades("Text", Cliente), u"||"_s);
        // Nothing to choose before a client: the item type, the type list and the animal closed.
        QCOMPARE(Propriedades("Enabled", u"optServico|optProduto|xrcmbTiposDeServicos|xrcmbAnimal"_s),
                 u"false|false|false|false"_s);
        QVERIFY(ControleDaFicha<XRCommandButton>("xrcmdLimparCampos")->Visible());
        QCOMPARE(ControleDaFicha<XRTheme>("xrTheme")->DataOfInclusion(), QString());
    }

    void validadeSegundoAEmpresa_data() {
        Colunas<int, int, bool, int, bool>("empresas", "dias", "permite", "esperados",
                                           "datapickerHabilitado");
        QTest::newRow("uma empresa que permite") << 1 << 15 << true << 15 << true;
        QTest::newRow("uma empresa que não permite") << 1 << 7 << false << 7 << false;
        QTest::newRow("nenhuma empresa") << 0 << 15 << true << 10 << false;
        QTest::newRow("duas empresas") << 2 << 15 << true << 10 << false;
    }

    void validadeSegundoAEmpresa() {
        QFETCH(int, empresas);
        QFETCH(int, dias);
        QFETCH(bool, permite);
        QFETCH(int, esperados);
        QFETCH(bool, datapickerHabilitado);
        Banco::Executar(u"DELETE FROM Empresa"_s);
        for (int codigo = 1; codigo <= empresas; ++codigo) {
            Cadastros::Empresa empresa;
            empresa.Codigo = codigo;
            empresa.NomeFantasia = u"Clínica %1"_s.arg(codigo);
            empresa.QuantidadeDeDiasParaAValidadeDoOrcamento = dias;
            empresa.PermissaoParaAlterarADataDeValidadeDoOrcamento = permite;
            Cadastros::GravarEmpresa(empresa);
        }
        AbrirDoHost();
        const QString esperada = QDate::currentDate().addDays(esperados).toString(u"dd/MM/yyyy"_s);
        auto* validade = ControleDaFicha<XRDTPicker>("xrdtpDataDeValidadeDoOrcamento");
        QCOMPARE(validade->Value(), esperada);
        QCOMPARE(validade->Tag(), esperada);
        QCOMPARE(validade->Enabled(), datapickerHabilitado);
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void alteracaoComTotaisEValidadeExclusaoSemNadaEditavel() {
        const double numero = GravarOrcamento(2), deUmItem = GravarOrcamento(1);
        AbrirDaLista(frmFicha::Alteracao, numero);
        QVERIFY(ErrosExibidos().isEmpty() && mmensagens.isEmpty());
        QVERIFY(mficha->isVisible());
        auto* tema = ControleDaFicha<XRTheme>("xrTheme");
        QCOMPARE(tema->Caption(), u"Alterar orçamento"_s);
        QCOMPARE(tema->DataOfInclusion(),
                 u"Código %1 | Incluído em %2"_s.arg(QString::number(numero),
                                                     QDate::currentDate().toString(u"dd/MM/yyyy"_s)));
        QCOMPARE(tema->DataOfAlteration(), QString());
        QCOMPARE(Propriedades("Caption", u"xrcmdSalvarFecharConfirmar"_s), u"Salvar"_s);
        QCOMPARE(Propriedades("ToolTipText", u"xrcmdSalvarFecharConfirmar|xrcmdCancelarAlterar"_s),
                 u"Salvar alteração e fechar|Cancelar alteração e fechar"_s);
        QCOMPARE(Propriedades("Text", u"xrfCodigoDoCliente|xrfApelidoOuNomeFantasiaDoCliente|xrcmbAnimal"_s),
                 u"1|João|Rex"_s);
        QCOMPARE(ControleDaFicha<XRDTPicker>("xrdtpDataDeValidadeDoOrcamento")->Value(),
                 QDate::currentDate().addDays(10).toString(u"dd/MM/yyyy"_s));
        QCOMPARE(mficha->DataEHoraDaAlteracaoLida(), QString());

        // Only the total and net boxes and the validity date stay enabled.
        QStringList habilitados;
        for (Controle* controle : mficha->findChildren<Controle*>())
            if (controle->Enabled() && controle->Visible() &&
                (qobject_cast<XRFind*>(controle) || qobject_cast<XRComboBox*>(controle) ||
                 qobject_cast<OptionButton*>(controle) || qobject_cast<XRNumberBox*>(controle) ||
                 qobject_cast<XRDTPicker*>(controle)))
                habilitados << controle->objectName();
        habilitados.sort();
        QCOMPARE(habilitados, (QStringList{u"xrdtpDataDeValidadeDoOrcamento"_s, u"xrnumValorLiquido"_s,
                                           u"xrnumValorTotal"_s}));
        QVERIFY(!ControleDaFicha<XRCommandButton>("xrcmdAdicionar")->Enabled());
        QCOMPARE(Propriedades("Visible", u"xrcmdAlterar|xrcmdRemover|xrcmdLimparCampos"_s),
                 u"false|true|false"_s);

        // The totals of the stored items.
        QCOMPARE(Propriedades("Text", Totais), u"240,00|10,00|24,00|216,00"_s);
        // The quote's stored items, as delivered.
        auto* grade = ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
        QCOMPARE(grade->Rows(), 3);
        QVERIFY(grade->Visible());
        QCOMPARE(grade->TextMatrix(1, GradeDeItens::NomeDoServicoOuProduto), u"Consulta clínica"_s);
        QCOMPARE(grade->TextMatrix(2, GradeDeItens::NumeroDoItem), u"2"_s);

        // Deletion: nothing editable.
        AbrirDaLista(frmFicha::Exclusao, deUmItem);
        QVERIFY(ErrosExibidos().isEmpty());
        QCOMPARE(Propriedades("Caption", u"xrTheme|xrcmdSalvarFecharConfirmar"_s),
                 u"Excluir orçamento|Confirmar"_s);
        QCOMPARE(Propriedades("ToolTipText", u"xrcmdSalvarFecharConfirmar|xrcmdCancelarAlterar"_s),
                 u"Confirmar exclusão e e fechar|Cancelar exclusão e fechar"_s);
        for (Controle* controle : mficha->findChildren<Controle*>())
            if (qobject_cast<XRFind*>(controle) || qobject_cast<XRComboBox*>(controle) ||
                qobject_cast<OptionButton*>(controle) || qobject_cast<XRNumberBox*>(controle) ||
                qobject_cast<XRDTPicker*>(controle) || qobject_cast<MSFlexGrid*>(controle))
                QVERIFY2(!controle->Enabled(), qPrintable(controle->objectName()));
        QCOMPARE(Propriedades("Visible", u"xrcmdAlterar|xrcmdRemover|xrcmdLimparCampos"_s),
                 u"false|false|false"_s);
        QCOMPARE(ControleDaFicha<XRNumberBox>("xrnumValorLiquido")->Text(), u"108,00"_s);
    }

    void orcamentoSemItensRecusadoEFalhaAoLerOsItensNaoExibe() {
        const double numero = GravarOrcamento(1);
        RoteirizarItens(ItensDeServico(0));
        for (qint16 modo : {qint16(frmFicha::Alteracao), qint16(frmFicha::Exclusao)}) {
            mmensagens.clear();
            ChamadasDoFundoEscuro().clear();
            AbrirDaLista(modo, numero);
            // An information box.
            QCOMPARE(Mensagens(), QStringList{u"Nenhum item localizado para este orçamento."_s});
            QVERIFY(!mficha->isVisible() && !mficha->OperacaoConcluida());
            QCOMPARE(ChamadasDoFundoEscuro().size(), 2);
            QCOMPARE(ChamadasDoFundoEscuro().last().first, u"Remover"_s);
            QCOMPARE(Itens().NumeroDoOrcamento, numero);
        }
        // The items' selection fails: the error shown, the form not.
        RoteirizarItens(ItensDeServico(1));
        Itens().Resposta = true;
        QCOMPARE(AbrirDaLista(frmFicha::Alteracao, numero)->isVisible(), false);
        QCOMPARE(
            Erros(),
            QStringList{u"3704|Itens indisponíveis|ZELT_N_Orcamentos, clsOrcItens, Selecionar, Ponto: 2"_s});
    }

    void gradeDoOrcamentoComoEntregueERolagemDeCincoItens() {
        const double numero = GravarOrcamento(1);
        for (int itens : {4, 5}) {
            RoteirizarItens(ItensDeServico(itens));
            AbrirDaLista(frmFicha::Alteracao, numero);
            auto* grade = ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
            QCOMPARE(grade->Rows(), itens + 1);
            // The page holds what fits the grid: (3450 - 700) / 550 rows.
            QCOMPARE(grade->Height(), 3450);
            QCOMPARE(Itens().TamanhoDaPagina, qint16(5));
            QCOMPARE(grade->ScrollBars(), itens > 4 ? 2 : 0);
            QCOMPARE(grade->ColWidth(GradeDeItens::ValorTotal), itens > 4 ? 2245 : 2505);
            // Cells as delivered, in their default text form; empty change date and user.
            const QStringList linha{
                u""_s,    u"1"_s,     u"1"_s,  u"Consulta"_s, u"10"_s,     u"Rex"_s,
                u"1"_s,   u"120,5"_s, u"10"_s, u"12,05"_s,    u"108,45"_s, u"48"_s,
                u"1"_s,   u"1"_s,     u"1"_s,  u"1"_s,        u""_s,       u"30/11/2026 09:15:00"_s,
                u"ANA"_s, u""_s,      u""_s};
            for (int c = 0; c < GradeDeItens::QuantidadeDeColunas; ++c)
                QCOMPARE(grade->TextMatrix(1, c), linha[c]);
            // Rows shaded alternately, the code column grey.
            grade->setRow(1);
            grade->setCol(5);
            QCOMPARE(grade->CellBackColor(), 0xF2F2F2);
            grade->setRow(2);
            QCOMPARE(grade->CellBackColor(), 0xFFFFFF);
            grade->setCol(1);
            QCOMPARE(grade->CellForeColor(), 0x808080);
            QCOMPARE(grade->RowHeight(0), 700);
            QCOMPARE(grade->RowHeight(1), 570);
            // The totals of the delivered items, as currency: 120,50 each, 12,05 off each.
            QCOMPARE(Propriedades("Text", Totais),
                     itens == 4 ? u"482,00|10,00|48,20|433,80"_s : u"602,50|10,00|60,25|542,25"_s);
        }
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void permissoesDoUsuario() {
        auto* usuario = static_cast<clsDadosDoUsuario*>(musuario.get());
        // administrator, may change sales discounts; unit value and item discount opened.
        for (const auto& [administrador, descontos, unitario, descontosDoItem] :
             {std::tuple{true, false, true, false}, std::tuple{false, true, false, true},
              std::tuple{false, false, false, false}}) {
            usuario->Administrador = administrador;
            usuario->PermissaoDoModuloCaixaAlterarDescontosDeVendas = descontos;
            AbrirDoHost();
            // The item boxes start locked; opening them leaves locked what the user may not change.
            for (const char* caixa : {"xrnumQuantidade", "xrnumPercentualDeDescontoPorItem"})
                ControleDaFicha<XRNumberBox>(caixa)->setLocked(true);
            QMetaObject::invokeMethod(mficha.get(), "PermissaoDoUsuario");
            QCOMPARE(!ControleDaFicha<XRNumberBox>("xrnumValorUnitario")->Locked(), unitario);
            QCOMPARE(!ControleDaFicha<XRNumberBox>("xrnumDescontoEmValor")->Locked(),
                     administrador || descontos);
            // An administrator's item discount boxes are left as they were.
            QCOMPARE(!ControleDaFicha<XRNumberBox>("xrnumPercentualDeDescontoPorItem")->Locked(),
                     descontosDoItem);
        }
    }

    void comandosDaListaSemOperacaoConcluidaNaoReselecionam() {
        GravarOrcamento(1);
        AbrirDaLista(frmFicha::Inclusao);
        mficha.reset();
        const int linhas = mlista->Grade()->Rows();
        // While the form is open another quote is stored; cancelling must not select again.
        int exibicoes = 0;
        Plataforma::SubstituirExibicaoModal([&](QWidget* formulario) {
            ++exibicoes;
            QCOMPARE(formulario, static_cast<QWidget*>(&frmFicha::InstanciaDaLista()));
            GravarOrcamento(1);
            formulario->findChild<XRCommandButton*>(u"xrcmdCancelarAlterar"_s)->Click();
        });
        mlista->findChild<XRCommandButton*>(u"xrcmdAdicionar"_s)->Click();
        QCOMPARE(exibicoes, 1);
        QCOMPARE(mlista->Grade()->Rows(), linhas);
        QVERIFY(ErrosExibidos().isEmpty());
    }

    // Every command shows its whole caption and icon, with the captions of each mode.
    void legendasDosComandosCabemNosBotoes() {
        for (int vez = 0; vez < 2; ++vez) {
            if (vez == 0)
                AbrirDoHost();
            else
                AbrirDaLista(frmFicha::Inclusao);
            for (XRCommandButton* comando : mficha->findChildren<XRCommandButton*>())
                QVERIFY2(comando->width() >= comando->sizeHint().width(),
                         qPrintable(comando->objectName() + u": "_s + comando->Caption()));
            Reiniciar();
        }
    }

    // F1 on a control of the docked list, then of the record form opened from it (each
    // control lets the key pass to its form), shows the guide in the one help window at
    // that window's section, an anchor the guide has; Shift+F1 is not help. Without the
    // guide, a message says where it was looked for.
    void f1AbreOGuiaNaSecaoDaJanela() {
        qputenv("ZELT_GUIA", qgetenv("ZELT_TEST_SOURCE_DIR") + "/docs/guia/index.html");
        AbrirDaLista(frmFicha::Inclusao);
        QTest::keyClick(mlista->Grade(), Qt::Key_F1);
        QCOMPARE(SecaoDoGuiaExibida(), u"lista"_s);
        QTest::keyClick(ControleDaFicha<MSFlexGrid>("msfgGradeDeItensDoOrcamento"), Qt::Key_F1);
        QCOMPARE(SecaoDoGuiaExibida(), u"ficha"_s);
        FecharAjuda();
        QTest::keyClick(mficha.get(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(SecaoDoGuiaExibida(), QString());

        QTemporaryDir vazia;
        const QString guia = vazia.filePath(u"guia/index.html"_s);
        qputenv("ZELT_GUIA", guia.toUtf8());
        QTest::keyClick(mficha.get(), Qt::Key_F1);
        qunsetenv("ZELT_GUIA");
        QCOMPARE(Mensagens(),
                 QStringList{u"O guia do usuário não foi encontrado. Ele foi procurado em:\n"_s + guia});
        QCOMPARE(SecaoDoGuiaExibida(), QString());
        QVERIFY(ErrosExibidos().isEmpty());
    }

private:
    void RoteirizarItens(RecordsetPtr resultado) {
        Itens() = RoteiroDeItens();
        Itens().Resultado = std::move(resultado);
        Zelt::RegistrarProgId(ProgId::OrcItens, [] { return std::make_unique<OrcItensRoteirizados>(); });
    }
};

QTEST_MAIN(TesteDaFichaNosModos)
#include "tst_ficha.moc"
