// The component's windows over the quotes' history, driven by their controls on SQLite
// and PostgreSQL: the deleted quotes a page at a time, found by number or client,
// restored by an administrator (and then shown again by the docked list) but not by a
// counter clerk; a quote's history from the list's selected row, and one version's
// sheet in the report preview; an error inside them written to the error log.

#include "tests/Linha.h"
#include "tests/andamento/TesteDeJanela.h"
#include "tests/reports/TextoDoPdf.h"

#include "andamento/frmHistoricoDoOrcamento.h"
#include "andamento/frmOrcamentosExcluidos.h"
#include "entry/clsAndamento.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QFileDialog>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;

namespace {

const QDateTime Agora(QDate(2026, 12, 5), QTime(14, 3, 0));

void Clicar(const QWidget& janela, const char* nome) {
    QTest::mouseClick(Filho<XRCommandButton>(janela, nome), Qt::LeftButton);
}

// A column of the grid's rows below its header.
QStringList Coluna(const QWidget& janela, int coluna) {
    return LinhasDaGrade(Filho<MSFlexGrid>(janela, "msfgGrade"), coluna, coluna);
}

QString Navegacao(const QWidget& janela) {
    return Filho<XRNavigationBar>(janela, "xrnbBarraDeNavegacao")->TextoExibido();
}

void PaginaPorBotao(const QWidget& janela, int botao) {
    QTest::mouseClick(Filho<XRNavigationBar>(janela, "xrnbBarraDeNavegacao")->Botao(botao), Qt::LeftButton);
}

// Types the text into a find box and presses Enter, as a person asks for a search.
void Pesquisar(const QWidget& janela, const char* caixa, const QString& texto) {
    auto* pesquisa = Filho<XRFind>(janela, caixa);
    pesquisa->setText(texto);
    QTest::keyClick(pesquisa->Editor(), Qt::Key_Return);
}

// The result message, when it is shown in the grid's place.
QString MensagemDeResultado(const QWidget& janela) {
    auto* mensagem = Filho<Label>(janela, "lblMensagemDeResultado");
    const bool emVezDaGrade =
        mensagem->isVisibleTo(&janela) && !Filho<MSFlexGrid>(janela, "msfgGrade")->isVisibleTo(&janela);
    return emVezDaGrade ? mensagem->Caption() : QString();
}

// A history whose every selection fails with a run-time error, as a broken object would.
class HistoricoQueFalha final : public ZELT_N_Orcamentos::clsHistorico {
public:
    QVariant SelecionarExcluidos(qint16&, const QString&) override {
        throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    }
    QVariant SelecionarHistorico(double) override { throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido); }
    QVariant SelecionarVersao(double) override { throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido); }
    qint16 Restaurar(double) override { throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido); }
};

} // namespace

class TesteDasJanelasDoHistorico : public TesteDeJanela {
    Q_OBJECT

public:
    TesteDasJanelasDoHistorico() : TesteDeJanela(true) {}

private:
    void Preparar() override {
        FixarRelogio(Agora);
        PrepararJanelas();
        // A window's modal display ends at once; the window stays for the test to drive.
        Plataforma::SubstituirExibicaoModal([](QWidget*) {});
        mandamento.NomeDaAplicacao(u"Clínica"_s);
    }

    // Quotes of those clients, deleted one a second from Agora on; their numbers.
    QList<double> OrcamentosExcluidos(const QList<double>& clientes) {
        QList<double> numeros;
        for (const double cliente : clientes)
            numeros << NovoOrcamento(cliente, cliente == 1 ? 10 : 12);
        for (int i = 0; i < numeros.size(); ++i) {
            FixarRelogio(Agora.addSecs(i));
            GradeEmMemoria grade;
            auto orcamento = OrcamentoValido(grade, musuario.get());
            orcamento->NumeroDoOrcamento = numeros[i];
            if (orcamento->Excluir() != 0) qWarning() << orcamento->DescricaoDaFalha;
        }
        FixarRelogio(Agora);
        return numeros;
    }

    // The deleted quotes' window as its entry opens it, for that user.
    std::unique_ptr<frmOrcamentosExcluidos> Excluidos(QObject* usuario) {
        mandamento.DadosDoUsuario(usuario);
        auto janela = std::make_unique<frmOrcamentosExcluidos>();
        janela->MontarExibirFormulario();
        return janela;
    }

    clsAndamento mandamento;
    QTemporaryDir mpasta;

private slots:
    void initTestCase() { qputenv("ZELT_LOG", mpasta.filePath(u"erros.log"_s).toUtf8()); }

    void excluidos_do_mais_recente_em_paginas_e_pela_pesquisa() {
        QList<double> clientes(9, 1);
        clientes << 2 << 2;
        const QList<double> numeros = OrcamentosExcluidos(clientes);
        const auto janela = Excluidos(&madministrador);
        QCOMPARE(Coluna(*janela, 1).size(), 10);
        QStringList primeira;
        for (int coluna = 1; coluna <= 7; ++coluna)
            primeira << Coluna(*janela, coluna).value(0);
        QCOMPARE(primeira, (QStringList{VB::CStr(numeros.last()), u"2"_s, u"Maria Antônia"_s,
                                        u"Maria Antônia Gonçalves"_s, u"108,00"_s, u"05/12/2026 14:03:10"_s,
                                        u"ANA"_s}));
        QCOMPARE(Navegacao(*janela), u"1 - 10 de 11"_s);
        auto* barra = Filho<XRNavigationBar>(*janela, "xrnbBarraDeNavegacao");
        QVERIFY(!barra->Botao(2)->isEnabled());
        PaginaPorBotao(*janela, 3);
        QCOMPARE(Coluna(*janela, 1), QStringList{VB::CStr(numeros[0])});
        QCOMPARE(Navegacao(*janela), u"11 - 11 de 11"_s);
        QVERIFY(!barra->Botao(3)->isEnabled());
        PaginaPorBotao(*janela, 1);
        QCOMPARE(Navegacao(*janela), u"1 - 10 de 11"_s);
        // Found by the client's name without its accent, and by the number.
        Pesquisar(*janela, "xrfndPesquisar", u"antonia"_s);
        QCOMPARE(Coluna(*janela, 1), (QStringList{VB::CStr(numeros[10]), VB::CStr(numeros[9])}));
        Pesquisar(*janela, "xrfndPesquisar", u"JOAO"_s);
        QCOMPARE(Navegacao(*janela), u"1 - 9 de 9"_s);
        Pesquisar(*janela, "xrfndPesquisar", VB::CStr(numeros[5]));
        QVERIFY(Coluna(*janela, 1).contains(VB::CStr(numeros[5])));
        QCOMPARE(MensagemDeResultado(*janela), QString());
        Pesquisar(*janela, "xrfndPesquisar", u"ninguém"_s);
        QCOMPARE(MensagemDeResultado(*janela), u"Nenhum orçamento encontrado."_s);
        QCOMPARE(Navegacao(*janela), u"0 de 0"_s);
        QVERIFY(mmensagens.isEmpty());
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void administrador_restaura_e_a_lista_volta_a_mostrar() {
        const QList<double> numeros = OrcamentosExcluidos({1, 2});
        JanelaDoMenu menu(&madministrador, u"Clínica"_s, 0, 0);
        menu.show();
        menu.AbrirOrcamentos();
        auto* lista = menu.findChild<QWidget*>(u"frmLista"_s);
        QVERIFY(lista);
        auto* gradeDaLista = lista->findChild<MSFlexGrid*>(u"msfgGrade"_s);
        const auto numerosDaLista = [&] { return LinhasDaGrade(gradeDaLista, 1, 1); };
        QVERIFY(!numerosDaLista().contains(VB::CStr(numeros[0])));
        QStringList exibidas;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            exibidas << janela->objectName();
            QVERIFY(Filho<XRCommandButton>(*janela, "xrcmdRestaurar")->isEnabled());
            // The older one: the second row.
            Filho<MSFlexGrid>(*janela, "msfgGrade")->setRow(2);
            Clicar(*janela, "xrcmdRestaurar");
            QCOMPARE(Coluna(*janela, 1), QStringList{VB::CStr(numeros[1])});
        });
        menu.findChild<QAction*>(u"AcaoOrcamentosExcluidos"_s)->trigger();
        QCOMPARE(exibidas, QStringList{u"frmOrcamentosExcluidos"_s});
        QCOMPARE(mmensagens, (QStringList{u"Restaurar o orçamento %1?|36"_s.arg(VB::CStr(numeros[0])),
                                          u"O orçamento %1 foi restaurado.|64"_s.arg(VB::CStr(numeros[0]))}));
        QVERIFY(numerosDaLista().contains(VB::CStr(numeros[0])));
        QCOMPARE(Numero("SELECT Situacao FROM Orcamentos WHERE NumeroDoOrcamento = ?", {qint64(numeros[0])}),
                 1);

        // The history of the list's selected quote: restored, deleted, included.
        const int linha = static_cast<int>(numerosDaLista().indexOf(VB::CStr(numeros[0]))) + 1;
        gradeDaLista->setRow(linha);
        QStringList historico;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            QCOMPARE(Filho<XRFind>(*janela, "xrfndNumeroDoOrcamento")->Text(), VB::CStr(numeros[0]));
            historico = Coluna(*janela, 3) + Coluna(*janela, 2);
        });
        menu.findChild<QAction*>(u"AcaoHistoricoDoOrcamento"_s)->trigger();
        QCOMPARE(historico, (QStringList{u"restaurado"_s, u"excluído"_s, u"incluído"_s, u"ADMINISTRADOR"_s,
                                         u"ANA"_s, u"ANA"_s}));
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void balconista_ve_os_excluidos_mas_nao_restaura() {
        QCOMPARE(MensagemDeResultado(*Excluidos(&mbalconista)), u"Nenhum orçamento excluído."_s);
        const QList<double> numeros = OrcamentosExcluidos({1});
        const auto janela = Excluidos(&mbalconista);
        QCOMPARE(Coluna(*janela, 1), QStringList{VB::CStr(numeros[0])});
        auto* restaurar = Filho<XRCommandButton>(*janela, "xrcmdRestaurar");
        QVERIFY(!restaurar->isEnabled());
        QCOMPARE(restaurar->ToolTipText(),
                 u"Somente um administrador pode restaurar um orçamento excluído."_s);
        QTest::mouseClick(restaurar, Qt::LeftButton);
        QVERIFY(mmensagens.isEmpty());
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 1);
    }

    void historico_de_um_numero_e_a_ficha_de_uma_versao() {
        // Two items (547,80), then a third (667,80) a minute later.
        const double numero = NovoOrcamentoComProduto();
        FixarRelogio(Agora.addSecs(60));
        QCOMPARE(AlterarComMaisUmItem(numero), qint16(0));

        mandamento.DadosDoUsuario(musuario.get());
        frmHistoricoDoOrcamento janela;
        janela.MontarExibirFormulario(0);
        Pesquisar(janela, "xrfndNumeroDoOrcamento", QString());
        QCOMPARE(mmensagens, QStringList{u"Informe o número do orçamento.|64"_s});
        Pesquisar(janela, "xrfndNumeroDoOrcamento", u"999"_s);
        QCOMPARE(MensagemDeResultado(janela), u"O orçamento 999 não tem histórico."_s);
        const double deUmaVersao = NovoOrcamento();
        Pesquisar(janela, "xrfndNumeroDoOrcamento", VB::CStr(deUmaVersao));
        QCOMPARE(Filho<Label>(janela, "lblOrcamento")->Caption(),
                 u"Orçamento %1: 1 versão"_s.arg(deUmaVersao));
        Pesquisar(janela, "xrfndNumeroDoOrcamento", VB::CStr(numero));
        QCOMPARE(MensagemDeResultado(janela), QString());
        QCOMPARE(Filho<Label>(janela, "lblOrcamento")->Caption(), u"Orçamento %1: 2 versões"_s.arg(numero));
        QCOMPARE(Coluna(janela, 1), (QStringList{u"05/12/2026 14:04:00"_s, u"05/12/2026 14:03:00"_s}));
        QCOMPARE(Coluna(janela, 3), (QStringList{u"alterado"_s, u"incluído"_s}));
        QCOMPARE(Coluna(janela, 4), (QStringList{u"667,80"_s, u"547,80"_s}));
        QCOMPARE(Coluna(janela, 5), (QStringList{u"3"_s, u"2"_s}));

        // The first version's sheet, exported from the preview as a person would.
        const QString pdf = msessao->Pasta().filePath(u"versao.pdf"_s);
        QString titulo;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janelaModal) {
            if (auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janelaModal)) {
                titulo = previa->windowTitle();
                QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdExportarParaPdf"_s), Qt::LeftButton);
            } else if (auto* dialogo = qobject_cast<QFileDialog*>(janelaModal)) {
                dialogo->selectFile(pdf);
                QMetaObject::invokeMethod(dialogo, "accept");
            }
        });
        Filho<MSFlexGrid>(janela, "msfgGrade")->setRow(2);
        Clicar(janela, "xrcmdVerFicha");
        QCOMPARE(titulo, u"Orçamento %1 - versão de 05/12/2026 14:03:00"_s.arg(numero));
        const QString texto = TextoDoPdf(pdf);
        QVERIFY2(texto.contains(u"Ração Cães 15 kg"_s), qPrintable(texto));
        QVERIFY(texto.contains(u"547,80"_s));
        QVERIFY(texto.contains(u"versão de 05/12/2026 14:03:00 (incluído por ANA)"_s));
        QVERIFY(!texto.contains(u"667,80"_s));
        QVERIFY(ErrosExibidos().isEmpty());
    }

    // F1 in each window shows the guide at that window's section.
    void f1_abre_o_guia_na_secao_da_janela() {
        const auto excluidos = Excluidos(&madministrador);
        QCOMPARE(SecaoDoF1(excluidos->findChild<MSFlexGrid*>(u"msfgGrade"_s)), u"excluidos"_s);
        frmHistoricoDoOrcamento historico;
        historico.MontarExibirFormulario(0);
        QCOMPARE(SecaoDoF1(historico.findChild<XRFind*>(u"xrfndNumeroDoOrcamento"_s)), u"historico"_s);
    }

    // An error inside a window is shown and written to the error log, as the forms' are:
    // a history copy found damaged (the business object's error), and a business object
    // that breaks (the window's error trap, with its procedure and point).
    void erro_numa_janela_vai_para_o_log_data() {
        Colunas<bool, QString>("objetoQueFalha", "linha");
        Linha("cópia danificada", false,
              u"Clínica | -2147220991 | A cópia do registro %1 do histórico está danificada. | "
              "ZELT_N_Orcamentos, clsHistorico, SelecionarVersao"_s);
        Linha("objeto que falha", true,
              u"Clínica | 91 | Variável de objeto ou variável do bloco With não definida | "
              "ZELT_A_Orcamentos, frmHistoricoDoOrcamento, xrfndNumeroDoOrcamento_Click, Ponto: 3"_s);
    }
    void erro_numa_janela_vai_para_o_log() {
        QFETCH(bool, objetoQueFalha);
        QFETCH(QString, linha);
        const double numero = NovoOrcamentoComProduto();
        const qint64 registro =
            Numero("SELECT MAX(NumeroDoRegistro) FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?",
                   {qint64(numero)});
        Banco::Executar(u"UPDATE HistoricoDeOrcamentos SET CopiaCompactada = ? WHERE NumeroDoRegistro = ?"_s,
                        {QByteArray("lixo"), registro});
        if (objetoQueFalha)
            Zelt::RegistrarProgId(ProgId::Historico, [] { return std::make_unique<HistoricoQueFalha>(); });
        // The suite's own error display, which writes the log.
        Suite::RegistrarComponentesDaSuite();
        QFile::remove(mpasta.filePath(u"erros.log"_s));

        mandamento.DadosDoUsuario(musuario.get());
        frmHistoricoDoOrcamento janela;
        janela.MontarExibirFormulario(numero);
        if (!objetoQueFalha) Clicar(janela, "xrcmdVerFicha");

        QFile log(mpasta.filePath(u"erros.log"_s));
        QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList linhas = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(linhas.size(), 1);
        // "date time | application | number | description | location"
        QVERIFY2(QRegularExpression(u"^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d \\| "_s)
                     .match(linhas[0])
                     .hasMatch(),
                 qPrintable(linhas[0]));
        QCOMPARE(linhas[0].section(u" | "_s, 1), linha.arg(registro));
        QCOMPARE(mmensagens.size(), 1);
        QVERIFY2(mmensagens[0].startsWith(u"Ocorreu um erro inesperado."_s), qPrintable(mmensagens[0]));
    }
};

QTEST_MAIN(TesteDasJanelasDoHistorico)
#include "tst_janelas_do_historico.moc"
