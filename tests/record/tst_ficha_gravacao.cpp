// Saving a quote from the form: what the business layer receives in each mode and what
// it stores, cell by cell; each answer of the business layer (a field refused, an error,
// a refusal); the sheet printed after a quote added from the host; two workstations on
// one quote; money that adds up to the cent over many rounded discounts; and the list,
// which selects again on the page it showed after a completed command.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFichaComItens.h"

#include "business/Banco.h"
#include "component/modImpressao.h"
#include "contracts/CriarObjeto.h"
#include "list/frmLista.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNavigationBar.h"
#include "platform/controls/XRNumberBox.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList Consulta{u"2"_s, u"120,00"_s, u"10,00"_s, u"24,00"_s};
const QStringList Racao{u"1,5"_s, u"219,90"_s, u"5,00"_s, u"16,49"_s};

// What the form handed over, and what the business layer answers next.
struct Envio {
    QString Metodo;
    double Numero, Cliente;
    qint32 Animal;
    QString Totais, Validade, AlteracaoLida;
    const IGradeDeItens* Grade;
    QObject* Usuario;
};
struct RoteiroDaGravacao {
    qint16 Resultado = 0;
    QString Campo;
    QList<Envio> Envios;
};
RoteiroDaGravacao& Gravacao() {
    static RoteiroDaGravacao roteiro;
    return roteiro;
}

class OrcamentosQueRespondem final : public ZELT_N_Orcamentos::clsOrcamentos {
public:
    OrcamentosQueRespondem() { NumeroDoOrcamento = -1; } // tells "never set" apart
    QVariant Selecionar(qint32, qint16&, qint32, const QString&, double, double) override { return true; }
    void PaginarResultadoDaSelecaoEmRecordset(qint16&, RecordsetPtr&) override {}
    qint16 Adicionar() override { return Responder(u"Adicionar"_s); }
    qint16 Alterar() override { return Responder(u"Alterar"_s); }
    qint16 Excluir() override { return Responder(u"Excluir"_s); }

private:
    qint16 Responder(const QString& metodo) {
        QStringList totais;
        for (const VB::Currency& v : {ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido})
            totais << VB::CStr(QVariant::fromValue(v));
        Gravacao().Envios.append({metodo, NumeroDoOrcamento, CodigoDoCliente, CodigoDoAnimal,
                                  totais.join(u' '), DataDeValidadeDoOrcamento, DataEHoraDaAlteracaoLida,
                                  GradeDeItensDoOrcamento, DadosDoUsuario.data()});
        NumeroDoErro = 3704;
        DescricaoDoErro = u"Falha na gravação"_s;
        LocalDoErro = u"ZELT_N_Orcamentos, clsOrcamentos, Gravar, Ponto: 7"_s;
        NomeDoCampoValidado = Gravacao().Campo;
        DescricaoDaFalha = u"Recusado: "_s + Gravacao().Campo;
        return Gravacao().Resultado;
    }
};

QDate Validade(double numero) {
    return QDate::fromString(
        Banco::Valor(u"SELECT DataDeValidadeDoOrcamento FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s,
                     {numero})
            .toString()
            .left(10),
        Qt::ISODate);
}

qint64 DoOrcamento(const char* coluna, double numero) {
    return BancoDeTeste::Numero(
        u"SELECT %1 FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s.arg(QLatin1String(coluna)), {numero});
}

double UltimoOrcamento() {
    return static_cast<double>(BancoDeTeste::Numero("SELECT MAX(NumeroDoOrcamento) FROM Orcamentos"));
}

} // namespace

class TesteDaGravacaoDaFicha : public TesteDaFichaComItens {
    Q_OBJECT

private slots:
    void initTestCase_data() { BancoDeTeste::LinhasDosBancos(); }
    void initTestCase() { IniciarTestes(); }
    void init() { IniciarCaso(); }
    void cleanup() { EncerrarCaso(); }

    void gravadoEmCadaModoCelulaPorCelula();
    void oQueONegocioRecebeEmCadaModo();
    void respostasDoNegocio();
    void doHostImprimeAFichaComOCodigoGerado();
    void duasEstacoesNoMesmoOrcamento();
    void dinheiroSemDerivaNosDescontosArredondados();
    void listaSelecionaDeNovoNaMesmaPagina();

private:
    void RoteirizarGravacao(qint16 resultado, const QString& campo = QString()) {
        Gravacao() = RoteiroDaGravacao{resultado, campo, {}};
        Zelt::RegistrarProgId(ProgId::Orcamentos, [] { return std::make_unique<OrcamentosQueRespondem>(); });
    }
};

void TesteDaGravacaoDaFicha::gravadoEmCadaModoCelulaPorCelula() {
    const double alterado = GravarOrcamento(2);
    const double excluido = GravarOrcamento(1);
    AbrirDaLista(frmFicha::Inclusao);
    Ativar();
    EscolherCliente();
    AdicionarConsulta(Consulta);
    AdicionarRacao(Racao);
    const QList<QStringList> linhas{Linha(1), Linha(2)};
    Clicar("xrcmdSalvarFecharConfirmar");
    QVERIFY(!mficha->isVisible());
    QVERIFY(mficha->OperacaoConcluida());
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(ErrosExibidos().isEmpty());
    const double numero = UltimoOrcamento();
    QCOMPARE(DoOrcamento("CodigoDoAnimal", numero), 10);
    QCOMPARE(DoOrcamento("ValorTotal", numero), 5698500);
    QCOMPARE(DoOrcamento("DescontoEmPercentual", numero), 71100);
    QCOMPARE(DoOrcamento("DescontoEmValor", numero), 404900);
    QCOMPARE(DoOrcamento("ValorLiquido", numero), 5293600);
    QCOMPARE(Validade(numero), QDate::currentDate().addDays(10));
    // Every item as the grid held it (numbers as values), numbered as stored.
    auto itens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
    qint16 pagina = 10;
    double n = numero;
    QVERIFY(!VB::CBool(itens->Selecionar(1, pagina, 0, n)));
    const auto gravada = BancoDeTeste::GradeEmMemoria::DaSelecao(*itens->ResultadoDaSelecaoEmRecordSet());
    QCOMPARE(gravada.Rows(), 3);
    for (int r = 1; r <= 2; ++r)
        for (int c = GradeDeItens::TipoDeServicoOuCodigoDeBarras; c <= GradeDeItens::CodigoDaSituacao; ++c) {
            const QString noBanco = gravada.TextMatrix(r, c), naGrade = linhas[r - 1][c - 1];
            if (c == GradeDeItens::NumeroDoItem)
                QCOMPARE(noBanco, QString::number(r));
            else if (VB::IsNumeric(naGrade))
                QVERIFY2(VB::CCur(noBanco) == VB::CCur(naGrade), qPrintable(noBanco + u" ≠ "_s + naGrade));
            else
                QCOMPARE(noBanco, naGrade);
        }

    // Change: an item removed, the quote saved with the user's stamp.
    AbrirDaLista(frmFicha::Alteracao, alterado);
    Grade()->setRow(1);
    Clicar("xrcmdRemover");
    Clicar("xrcmdSalvarFecharConfirmar");
    QVERIFY(mficha->OperacaoConcluida());
    QCOMPARE(
        BancoDeTeste::Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?", {alterado}),
        1);
    QCOMPARE(DoOrcamento("ValorLiquido", alterado), 1080000);
    QCOMPARE(
        Banco::Valor(u"SELECT UsuarioDaAlteracao FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s, {alterado}),
        QVariant(u"ANA"_s));

    // Delete: the quote and its items gone.
    AbrirDaLista(frmFicha::Exclusao, excluido);
    Clicar("xrcmdSalvarFecharConfirmar");
    QVERIFY(mficha->OperacaoConcluida());
    QCOMPARE(BancoDeTeste::Numero("SELECT COUNT(*) FROM Orcamentos WHERE NumeroDoOrcamento = ?", {excluido}),
             0);
    QCOMPARE(
        BancoDeTeste::Numero("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?", {excluido}),
        0);
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaGravacaoDaFicha::oQueONegocioRecebeEmCadaModo() {
    const double numero = GravarOrcamento(2);
    const QString validade = QDate::currentDate().addDays(10).toString(u"dd/MM/yyyy"_s);
    AbrirDaLista(frmFicha::Inclusao);
    RoteirizarGravacao(0);
    EscolherCliente();
    Clicar("xrcmdSalvarFecharConfirmar");
    ControleDaFicha<XRComboBox>("xrcmbAnimal")->setListIndex(-1);
    Clicar("xrcmdSalvarFecharConfirmar");
    QCOMPARE(Gravacao().Envios.size(), 2);
    const Envio& novo = Gravacao().Envios[0];
    QCOMPARE(novo.Metodo, u"Adicionar"_s);
    QCOMPARE(novo.Numero, -1.0); // not set for a new quote
    QCOMPARE(novo.Cliente, 1.0);
    QCOMPARE(novo.Animal, 10);
    QCOMPARE(novo.Totais, u"0 0 0 0"_s);
    QCOMPARE(novo.Validade, validade);
    QCOMPARE(Gravacao().Envios[1].Animal, -1); // no animal chosen
    for (qint16 modo : {qint16(frmFicha::Alteracao), qint16(frmFicha::Exclusao)}) {
        AbrirDaLista(modo, numero);
        RoteirizarGravacao(0);
        Clicar("xrcmdSalvarFecharConfirmar");
        QVERIFY(mficha->OperacaoConcluida());
        const Envio& e = Gravacao().Envios.value(0);
        QCOMPARE(e.Metodo, modo == frmFicha::Alteracao ? u"Alterar"_s : u"Excluir"_s);
        QCOMPARE(e.Numero, numero);
        QCOMPARE(e.Cliente, 1.0);
        QCOMPARE(e.Animal, 10);
        QCOMPARE(e.Totais, u"240 10 24 216"_s);
        QCOMPARE(e.Validade, validade);
        QCOMPARE(e.AlteracaoLida, QString()); // never changed when the list read it
        QCOMPARE(e.Grade, static_cast<const IGradeDeItens*>(Grade()));
        QCOMPARE(e.Usuario, musuario.get());
    }
}

void TesteDaGravacaoDaFicha::respostasDoNegocio() {
    struct Caso {
        QString Campo;
        QString Rotulo;
        QString Foco;
    };
    const QList<Caso> casos{
        {u"CodigoDoCliente"_s, u"lblApelidoOuNomeFantasiaDoCliente"_s,
         u"xrfApelidoOuNomeFantasiaDoCliente"_s},
        {u"CodigoDoAnimal"_s, u"lblNomeDoAnimal"_s, u"xrcmbAnimal"_s},
        {u"GradeDeItensDoOrcamento"_s, u"lblTipoDeServicoOuCodigoDeBarrasDoProduto"_s,
         u"xrcmbTiposDeServicos"_s},
        {u"GradeDeItensDoOrcamento"_s, u"lblTipoDeServicoOuCodigoDeBarrasDoProduto"_s,
         u"xrfCodigoInternoDoProduto"_s},
        {u"DataDeValidadeDoOrcamento"_s, u"lblDataDeValidade"_s, u"xrdtpDataDeValidadeDoOrcamento"_s},
        {u"Situacao"_s, QString(), u"xrnumValorUnitario"_s},
        {u"Outro"_s, QString(), u"xrnumValorUnitario"_s},
    };
    AbrirDaLista(frmFicha::Inclusao);
    Ativar();
    EscolherCliente();
    for (const Caso& caso : casos) {
        mmensagens.clear();
        RoteirizarGravacao(2, caso.Campo);
        const bool produto = caso.Foco == u"xrfCodigoInternoDoProduto"_s;
        ControleDaFicha<OptionButton>(produto ? "optProduto" : "optServico")->setValue(true);
        // The rejected item's field is opened when the mode had closed it.
        ControleDaFicha<Controle>(produto ? "xrfCodigoInternoDoProduto" : "xrcmbTiposDeServicos")
            ->setEnabled(false);
        ControleDaFicha<Label>("lblQuantidade")->setForeColor(255);
        Caixa("xrnumValorUnitario")->SetFocus();
        Clicar("xrcmdSalvarFecharConfirmar");
        QVERIFY(mficha->isVisible());
        QCOMPARE(mmensagens.size(), 1);
        QCOMPARE(mmensagens[0].Texto, u"Recusado: "_s + caso.Campo);
        QCOMPARE(mmensagens[0].BotoesEIcone, int(Plataforma::vbInformation));
        QCOMPARE(RotulosVermelhos(), caso.Rotulo.isEmpty() ? QStringList() : QStringList{caso.Rotulo});
        QCOMPARE(Foco(), caso.Foco);
    }

    RoteirizarGravacao(1);
    Clicar("xrcmdSalvarFecharConfirmar");
    QVERIFY(!mficha->isVisible());
    QCOMPARE(ErrosExibidos().size(), 1);
    QCOMPARE(ErrosExibidos()[0].Numero.toInt(), 3704);
    QCOMPARE(ErrosExibidos()[0].Descricao.toString(), u"Falha na gravação"_s);
    QCOMPARE(ErrosExibidos()[0].Local.toString(), u"ZELT_N_Orcamentos, clsOrcamentos, Gravar, Ponto: 7"_s);
    mficha->show();
    mmensagens.clear();
    RoteirizarGravacao(3, u"recusa"_s);
    Clicar("xrcmdSalvarFecharConfirmar");
    QVERIFY(!mficha->isVisible());
    QCOMPARE(mmensagens.size(), 1);
    QCOMPARE(mmensagens[0].Texto, u"Recusado: recusa"_s);
    QCOMPARE(mmensagens[0].BotoesEIcone, int(Plataforma::vbCritical));
    QVERIFY(!mficha->OperacaoConcluida());
}

void TesteDaGravacaoDaFicha::doHostImprimeAFichaComOCodigoGerado() {
    QStringList impressoes;
    modImpressao::ImprimirFicha = [&](double numero, VB::Currency a, VB::Currency b, VB::Currency c,
                                      VB::Currency d) {
        for (const VB::Currency& v : {a, b, c, d})
            impressoes << VB::CStr(QVariant::fromValue(v));
        impressoes.prepend(VB::CStr(numero));
    };
    AbrirDoHost();
    Ativar();
    AdicionarConsulta(Consulta);
    Clicar("xrcmdSalvarFecharConfirmar");
    modImpressao::ImprimirFicha = nullptr;
    QCOMPARE(impressoes, (QStringList{VB::CStr(UltimoOrcamento()), u"240"_s, u"10"_s, u"24"_s, u"216"_s}));
    QVERIFY(!mficha->isVisible());
    QVERIFY(!mficha->OperacaoConcluida());
    // Nothing registered to print: the quote is stored all the same.
    AbrirDoHost();
    AdicionarConsulta(Consulta);
    Clicar("xrcmdSalvarFecharConfirmar");
    QCOMPARE(BancoDeTeste::Numero("SELECT COUNT(*) FROM Orcamentos"), 2);
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaGravacaoDaFicha::duasEstacoesNoMesmoOrcamento() {
    const double numero = GravarOrcamento(3);
    const auto Dia = [](int dias) { return QDate::currentDate().addDays(dias); };
    const auto Salvar = [](frmFicha* ficha, int dias) {
        ficha->findChild<XRDTPicker*>(u"xrdtpDataDeValidadeDoOrcamento"_s)
            ->setValue(QDate::currentDate().addDays(dias).toString(u"dd/MM/yyyy"_s));
        emit ficha->findChild<XRCommandButton*>(u"xrcmdSalvarFecharConfirmar"_s)->Click();
    };
    AbrirDaLista(frmFicha::Alteracao, numero);
    std::unique_ptr<frmFicha> primeira = std::move(mficha);
    AbrirDaLista(frmFicha::Alteracao, numero);
    Salvar(primeira.get(), 20);
    QVERIFY(primeira->OperacaoConcluida());
    QCOMPARE(Validade(numero), Dia(20));
    // The second workstation read the quote before that change: refused, nothing stored.
    Salvar(mficha.get(), 30);
    QCOMPARE(mmensagens.size(), 1);
    QCOMPARE(mmensagens[0].BotoesEIcone, int(Plataforma::vbCritical));
    QVERIFY2(mmensagens[0].Texto.startsWith(u"O orçamento %1 foi alterado por ANA em "_s.arg(numero)),
             qPrintable(mmensagens[0].Texto));
    QVERIFY(!mficha->isVisible());
    QVERIFY(!mficha->OperacaoConcluida());
    QCOMPARE(Validade(numero), Dia(20));
    // Read again after that change, the quote saves normally.
    mlista->findChild<XRComboBox*>(u"xrcmbSituacao"_s)->setListIndex(0);
    AbrirDaLista(frmFicha::Alteracao, numero);
    QVERIFY(!mficha->DataEHoraDaAlteracaoLida().isEmpty());
    Salvar(mficha.get(), 25);
    QVERIFY(mficha->OperacaoConcluida());
    QCOMPARE(Validade(numero), Dia(25));
    QCOMPARE(mmensagens.size(), 1);
}

void TesteDaGravacaoDaFicha::dinheiroSemDerivaNosDescontosArredondados() {
    AbrirDoHost();
    Ativar();
    // 40 items whose discounts are rounded to the cent by the form (7 % or 3,33 %).
    for (int i = 0; i < 40; ++i) {
        PreencherServico(1, 1, u"Consulta clínica"_s, u"48"_s,
                         {QString::number(1 + i % 3), VB::Format(10.01 + i * 1.37, u"#,##0.00"_s)});
        Digitar("xrnumPercentualDeDescontoPorItem", i % 2 ? u"7"_s : u"3,33"_s);
        Sair();
        Clicar("xrcmdAdicionar");
    }
    QCOMPARE(Grade()->Rows(), 41);
    // 7 % of 2 × 11,38 = 1,5932; 3,33 % of 10,01 = 0,333333.
    QCOMPARE(Grade()->TextMatrix(2, GradeDeItens::ValorDeDesconto), u"1,59"_s);
    QCOMPARE(Grade()->TextMatrix(1, GradeDeItens::ValorDeDesconto), u"0,33"_s);
    Clicar("xrcmdSalvarFecharConfirmar");
    QVERIFY(ErrosExibidos().isEmpty());
    QVERIFY(mmensagens.isEmpty());
    const double numero = UltimoOrcamento();
    const auto Soma = [&](const char* expressao) {
        return BancoDeTeste::Numero(u"SELECT SUM(%1) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"_s.arg(
                                        QLatin1String(expressao)),
                                    {numero});
    };
    // The quote's totals are the sums of its stored items, to the cent.
    QCOMPARE(DoOrcamento("ValorLiquido", numero), Soma("ValorTotal"));
    QCOMPARE(DoOrcamento("DescontoEmValor", numero), Soma("DescontoEmValor"));
    QCOMPARE(DoOrcamento("ValorTotal", numero), Soma("Quantidade * ValorUnitario / 10000"));
    QCOMPARE(VB::CCur(Caixa("xrnumValorLiquido")->Text()).DecimosDeMilesimos(), Soma("ValorTotal"));
}

void TesteDaGravacaoDaFicha::listaSelecionaDeNovoNaMesmaPagina() {
    for (int i = 0; i < 35; ++i)
        GravarOrcamento(2);
    AbrirDaLista(frmFicha::Inclusao);
    mficha.reset();
    MSFlexGrid* lista = mlista->Grade();
    auto* barra = mlista->findChild<XRNavigationBar*>(u"xrnbBarraDeNavegacao"_s);
    QVERIFY2(mlista->TamanhoDaPagina() * 2 < 35, "a lista precisa de mais de duas páginas");
    emit barra->Click(3);
    QCOMPARE(mlista->PaginaAtual(), 2);
    const QString numero = lista->TextMatrix(1, frmLista::ColunaNumeroDoOrcamento);
    // Each command's form, shown by the list, does its work and closes.
    std::function<void(frmFicha*)> trabalho;
    Plataforma::SubstituirExibicaoModal([&](QWidget* formulario) {
        trabalho(static_cast<frmFicha*>(formulario));
        emit formulario->findChild<XRCommandButton*>(u"xrcmdSalvarFecharConfirmar"_s)->Click();
    });
    lista->setRow(1);
    trabalho = [](frmFicha* ficha) {
        ficha->findChild<MSFlexGrid*>(u"msfgGradeDeItensDoOrcamento"_s)->setRow(1);
        emit ficha->findChild<XRCommandButton*>(u"xrcmdRemover"_s)->Click();
    };
    emit mlista->findChild<XRCommandButton*>(u"xrcmdAlterar"_s)->Click();
    QCOMPARE(mlista->PaginaAtual(), 2);
    QCOMPARE(lista->TextMatrix(1, frmLista::ColunaNumeroDoOrcamento), numero);
    QCOMPARE(lista->TextMatrix(1, frmLista::ColunaValorTotal), u"120"_s);
    trabalho = [](frmFicha*) {};
    lista->setRow(1);
    emit mlista->findChild<XRCommandButton*>(u"xrcmdExcluir"_s)->Click();
    QCOMPARE(mlista->PaginaAtual(), 2);
    QCOMPARE(barra->TotalDeRegistros(), 34);
    QVERIFY(lista->TextMatrix(1, frmLista::ColunaNumeroDoOrcamento) != numero);
    // A new quote (filled with this test's helpers, which work on mficha while it is borrowed).
    trabalho = [&](frmFicha* ficha) {
        mficha.reset(ficha);
        EscolherCliente();
        AdicionarConsulta(Consulta);
        mficha.release();
    };
    emit mlista->findChild<XRCommandButton*>(u"xrcmdAdicionar"_s)->Click();
    QCOMPARE(mlista->PaginaAtual(), 2);
    QCOMPARE(barra->TotalDeRegistros(), 35);
    QVERIFY(ErrosExibidos().isEmpty());
}

QTEST_MAIN(TesteDaGravacaoDaFicha)
#include "tst_ficha_gravacao.moc"
