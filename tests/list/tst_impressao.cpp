// The list's printing driven as a person drives it, on the real business layer with the
// known registry: the print commands of the list and of a grid row, and the sheet a record
// form opened by the host prints through a hidden list. Every report is exported from its
// preview to PDF and read back with pdftotext, against reference texts where the layout
// is fixed.

#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"

#include "business/Banco.h"
#include "component/modPrincipal.h"
#include "list/frmLista.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRNavigationBar.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QFileDialog>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using VB::Currency;

namespace {

const QString Aplicativo = u"ZELT Veterinária"_s;
const QString SemEmpresa =
    u"Não foi possível imprimir o documento porque não há empresa cadastrada.\r\nSelecione a guia (aba) "
    "'Cadastros' e em seguida, clique na opções 'Empresa'. Efetue o cadastro e solicite a impressão novamente"_s;

// The text of a PDF as laid out on its pages (pages end with a form feed), the issue date
// written as a placeholder: it is the day the test runs.
QString TextoDoPdf(const QString& arquivo) {
    const QString programa = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (programa.isEmpty()) qFatal("pdftotext não encontrado: instale o pacote poppler-utils");
    QProcess processo;
    processo.start(programa, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, arquivo, u"-"_s});
    if (!processo.waitForFinished(60000) || processo.exitCode() != 0)
        qFatal("pdftotext falhou com %s", qPrintable(arquivo));
    static const QRegularExpression emissao(u"Emissão: \\d\\d/\\d\\d/\\d{4}"_s);
    return QString::fromUtf8(processo.readAllStandardOutput()).replace(emissao, u"Emissão: DD/MM/AAAA"_s);
}

struct RelatorioExibido {
    QString Titulo;
    bool Maximizado = false;
    QString Texto;
    QStringList Paginas() const {
        QStringList paginas = Texto.split(u'\f');
        if (!paginas.isEmpty() && paginas.constLast().trimmed().isEmpty()) paginas.removeLast();
        return paginas;
    }
};

// The host's menu window with the list docked in its work area: six quotes to a page.
struct Cenario {
    QWidget menu;
    frmLista* lista = nullptr;
    Cenario() {
        menu.resize(1400, 700);
        auto* area = new QWidget(&menu);
        area->setGeometry(0, 0, 1400, Twips::ParaPixels(5400));
        menu.show();
        lista = new frmLista;
        modPrincipal::FormularioDeLista = lista;
        lista->MontarExibirFormulario(Plataforma::Handle(area));
    }
    template <class T> T* Controle(const char* nome) const {
        return lista->findChild<T*>(QString::fromLatin1(nome));
    }
    QString Barra() const { return Controle<XRNavigationBar>("xrnbBarraDeNavegacao")->TextoExibido(); }
    QStringList Numeros() const {
        QStringList numeros;
        for (int r = 1; r < lista->Grade()->Rows(); ++r)
            numeros << lista->Grade()->TextMatrix(r, IFormularioDeLista::ColunaNumeroDoOrcamento);
        return numeros;
    }
    void ProximaPagina() {
        QTest::mouseClick(Controle<QWidget>("xrnbBarraDeNavegacao")->findChild<QToolButton*>(u"cmdProximo"_s),
                          Qt::LeftButton);
    }
    void ImprimirLista() {
        QTest::mouseClick(Controle<XRCommandButton>("xrcmdImprimirLista"), Qt::LeftButton);
    }
    // The mouse over the grid's row, then a click on the print command placed over it.
    void ImprimirFichaDaLinha(int linha) {
        // From the header first: a move to where the mouse already is would not be delivered.
        QTest::mouseMove(lista->Grade(), QPoint(300, 5));
        QTest::mouseMove(lista->Grade(), QPoint(300, Twips::ParaPixels(700 + (linha - 1) * 570 + 285)));
        auto* comando = Controle<XRCommandButton>("xrcmdImprimirFicha");
        QVERIFY(comando->Visible());
        QTest::mouseClick(comando, Qt::LeftButton);
    }
};

} // namespace

class TesteDaImpressao : public TesteDeNegocio {
    Q_OBJECT

private slots:
    void initTestCase();
    void semEmpresaNenhumRelatorioEAMensagemDeDuasLinhas();
    void listaFiltradaImprimeTodaASelecaoEVoltaAPagina();
    void fichaDaListaComOsTextosDaGradeEItemOuItens();
    void fichaDoHostComValoresFormatadosEListaOculta();
    void falhaAoSelecionarOsItensNaoImprime();
    void fichaLongaRepeteOCabecalhoEmCadaPagina();
    void acentosENomesLongosCortadosEmSuasCaixas();

protected:
    void Preparar() override;

private:
    // A quote of client 1 with the consultation (120,00, 10 %) for Rex and, for each
    // further item, a vaccine (90,00) for Mel; its number.
    double GravarOrcamento(int itens, double cliente = 1, qint32 animal = 10);
    void CompararComReferencia(const QString& texto, const QString& nome);

    QList<RelatorioExibido> mrelatorios;
    QStringList mmensagens;
    QString mstrProximoPdf;
};

void TesteDaImpressao::initTestCase() {
    Suite::RegistrarComponentesDaSuite();
    Plataforma::DefinirFatorDaPausa(0);
    // Each preview is exported to a PDF through its own command and the save dialog, then
    // closed, as a person would; nothing else may be shown modally.
    Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
        if (auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela)) {
            mstrProximoPdf = msessao->Pasta().filePath(u"relatorio_%1.pdf"_s.arg(mrelatorios.size() + 1));
            QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdExportarParaPdf"_s), Qt::LeftButton);
            mrelatorios.append({previa->windowTitle(), previa->windowState().testFlag(Qt::WindowMaximized),
                                TextoDoPdf(mstrProximoPdf)});
            previa->close();
        } else if (auto* dialogo = qobject_cast<QFileDialog*>(janela)) {
            dialogo->selectFile(mstrProximoPdf);
            QMetaObject::invokeMethod(dialogo, "accept");
        } else {
            QFAIL(qPrintable(u"janela inesperada: "_s + janela->objectName()));
        }
    });
    Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString& titulo) {
        mmensagens << u"%1|%2|%3"_s.arg(texto).arg(botoes).arg(titulo);
        return int(Plataforma::vbOK);
    });
}

void TesteDaImpressao::Preparar() {
    RegistrarMensagemGravadora();
    ErrosExibidos().clear();
    mrelatorios.clear();
    mmensagens.clear();
    FixarRelogio(QDateTime(QDate(2026, 12, 3), QTime(9, 30, 15)));
    modPrincipal::NomeDaAplicacao = Aplicativo;
    modPrincipal::DadosDoUsuario = musuario.get();
    modPrincipal::FichaAbertaDiretamente = false;
}

double TesteDaImpressao::GravarOrcamento(int itens, double cliente, qint32 animal) {
    BancoDeTeste::GradeEmMemoria grade;
    auto orcamento = BancoDeTeste::OrcamentoValido(grade, musuario.get());
    for (int i = 1; i < itens; ++i)
        grade.AdicionarServico(1, 2, animal == 10 ? 11 : animal, u"1"_s, u"90,00"_s, u"0,00"_s, u"0,00"_s,
                               u"90,00"_s);
    grade.DefinirCelula(1, GradeDeItens::CodigoDoAnimal, QString::number(animal));
    orcamento->CodigoDoCliente = cliente;
    orcamento->CodigoDoAnimal = animal;
    orcamento->ValorTotal = Currency::DeInteiro(120 + 90 * (itens - 1));
    orcamento->ValorLiquido = Currency::DeInteiro(108 + 90 * (itens - 1));
    // Two decimals, as the record form computes the quote's percentage.
    orcamento->DescontoEmPercentual =
        Currency::DeDouble(std::round(120000.0 / (120 + 90 * (itens - 1))) / 100);
    if (orcamento->Adicionar() != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
    return orcamento->CodigoGerado;
}

void TesteDaImpressao::CompararComReferencia(const QString& texto, const QString& nome) {
    if (qEnvironmentVariableIsSet("ZELT_ATUALIZAR_REFERENCIAS")) {
        QFile saida(QFileInfo(QFINDTESTDATA(u"referencias"_s)).filePath() + u'/' + nome + u".txt"_s);
        QVERIFY(saida.open(QIODevice::WriteOnly));
        saida.write(texto.toUtf8());
        return;
    }
    QFile esperado(QFINDTESTDATA(u"referencias/"_s + nome + u".txt"_s));
    QVERIFY2(esperado.open(QIODevice::ReadOnly), qPrintable(u"falta a referência "_s + nome));
    QCOMPARE(texto, QString::fromUtf8(esperado.readAll()));
}

void TesteDaImpressao::semEmpresaNenhumRelatorioEAMensagemDeDuasLinhas() {
    for (int i = 0; i < 8; ++i)
        QVERIFY(NovoOrcamento() > 0);
    Banco::Executar(u"DELETE FROM Empresa"_s);
    Cenario c;
    c.ProximaPagina();
    QCOMPARE(c.Barra(), u"7 - 8 de 8"_s);
    c.ImprimirLista();
    c.ImprimirFichaDaLinha(1);
    modPrincipal::FichaAbertaDiretamente = true;
    QCOMPARE(frmLista::ImprimirFichaEmListaOculta(8, {}, {}, {}, {}), qint16(1));
    QCOMPARE(c.lista->ImprimirLista(), qint16(1));
    const QString refusa = SemEmpresa + u"|64|"_s + Aplicativo;
    QCOMPARE(mmensagens, QStringList(4, refusa));
    QVERIFY(mrelatorios.isEmpty());
    QCOMPARE(c.Barra(), u"7 - 8 de 8"_s);
    QCOMPARE(c.Numeros(), (QStringList{u"2"_s, u"1"_s}));
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaImpressao::listaFiltradaImprimeTodaASelecaoEVoltaAPagina() {
    for (int i = 0; i < 20; ++i)
        QVERIFY(NovoOrcamento(i % 2 ? 1 : 2, i % 2 ? 10 : 12) > 0);
    Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento <= 5"_s);
    Cenario c;
    c.Controle<XRComboBox>("xrcmbSituacao")->setListIndex(1); // "Ativos"
    c.ProximaPagina();
    QCOMPARE(c.Barra(), u"7 - 12 de 15"_s);
    c.ImprimirLista();
    QCOMPARE(mrelatorios.size(), 1);
    QCOMPARE(mrelatorios[0].Titulo, u"Imprimir orcamentos"_s);
    QVERIFY(mrelatorios[0].Maximizado);
    // Every active quote, newest first, and no other: the whole selection, not the page.
    CompararComReferencia(mrelatorios[0].Texto, u"impressao_lista_filtrada"_s);
    // Back on the page it showed, which the next page follows.
    QCOMPARE(c.lista->PaginaAtual(), 2);
    QCOMPARE(c.Barra(), u"7 - 12 de 15"_s);
    QCOMPARE(c.Numeros(), (QStringList{u"14"_s, u"13"_s, u"12"_s, u"11"_s, u"10"_s, u"9"_s}));
    c.ProximaPagina();
    QCOMPARE(c.Barra(), u"13 - 15 de 15"_s);

    c.Controle<XRComboBox>("xrcmbSituacao")->setListIndex(0); // "Todas as situações"
    c.ImprimirLista();
    QCOMPARE(mrelatorios.size(), 2);
    const QString completa = mrelatorios[1].Texto;
    QVERIFY(completa.contains(u"Lista completa"_s));
    static const QRegularExpression linha(u"(?m)^\\s*(\\d+)\\s+03/12/2026"_s);
    QStringList numeros;
    for (auto achado = linha.globalMatch(completa); achado.hasNext();)
        numeros << achado.next().captured(1);
    QCOMPARE(numeros.size(), 20);
    QCOMPARE(numeros.first(), u"20"_s);
    QCOMPARE(numeros.last(), u"1"_s);
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaImpressao::fichaDaListaComOsTextosDaGradeEItemOuItens() {
    const double umItem = GravarOrcamento(1);
    const double doisItens = GravarOrcamento(2);
    QVERIFY(umItem > 0 && doisItens > 0);
    Cenario c;
    QCOMPARE(c.Numeros(), (QStringList{u"2"_s, u"1"_s}));
    // The grid holds the values in their own text form: "210", "5,71", "12", "198".
    c.ImprimirFichaDaLinha(1);
    QCOMPARE(mrelatorios.size(), 1);
    QCOMPARE(mrelatorios[0].Titulo, u"Imprimir orçamento"_s);
    QVERIFY(mrelatorios[0].Maximizado);
    CompararComReferencia(mrelatorios[0].Texto, u"impressao_ficha_da_lista"_s);

    c.ImprimirFichaDaLinha(2);
    QCOMPARE(mrelatorios.size(), 2);
    static const QRegularExpression titulo(u"(?m)^\\s*(Item|Itens)\\s*$"_s);
    QCOMPARE(titulo.match(mrelatorios[0].Texto).captured(1), u"Itens"_s);
    QCOMPARE(titulo.match(mrelatorios[1].Texto).captured(1), u"Item"_s);
    QVERIFY(mrelatorios[1].Texto.contains(u"Orçamento no.: 1"_s));
    QVERIFY(mrelatorios[1].Texto.contains(u"10%"_s));
    QCOMPARE(c.Numeros(), (QStringList{u"2"_s, u"1"_s}));
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaImpressao::fichaDoHostComValoresFormatadosEListaOculta() {
    const double numero = GravarOrcamento(2);
    QVERIFY(numero > 0);
    // The client comes from the working context, not from the stored quote.
    modPrincipal::FichaAbertaDiretamente = true;
    modPrincipal::CodigoDoCliente = 1;
    modPrincipal::ApelidoOuNomeFantasiaDoCliente = u"Joãozinho"_s;
    modPrincipal::NomeOuRazaoSocialDoCliente = u"João da Silva Júnior"_s;
    const qint16 resultado =
        frmLista::ImprimirFichaEmListaOculta(numero, Currency::DeDouble(1234.5), Currency::DeInteiro(10),
                                             Currency::DeDouble(123.45), Currency::DeDouble(1111.05));
    QCOMPARE(resultado, qint16(0));
    QCOMPARE(mrelatorios.size(), 1);
    QCOMPARE(mrelatorios[0].Titulo, u"Imprimir orçamento"_s);
    CompararComReferencia(mrelatorios[0].Texto, u"impressao_ficha_do_host"_s);
    QVERIFY(!mrelatorios[0].Texto.contains(u'%'));
    // The hidden list was never shown, never became the context's list, and is gone.
    QVERIFY(!modPrincipal::FormularioDeLista);
    for (QWidget* janela : QApplication::allWidgets())
        QVERIFY(!qobject_cast<frmLista*>(janela));
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaImpressao::falhaAoSelecionarOsItensNaoImprime() {
    const double numero = GravarOrcamento(1);
    Cenario c;
    Banco::Executar(u"ALTER TABLE ItensDeOrcamento RENAME TO ItensGuardados"_s);
    // From the list: the business layer's error, nothing printed, the list as it was.
    c.ImprimirFichaDaLinha(1);
    QCOMPARE(ErrosExibidos().size(), 1);
    QVERIFY(ErrosExibidos()[0].Numero.toLongLong() != 0);
    QVERIFY2(ErrosExibidos()[0].Local.toString().startsWith(u"ZELT_N_Orcamentos, clsOrcItens, Selecionar"_s),
             qPrintable(ErrosExibidos()[0].Local.toString()));
    QCOMPARE(c.Numeros(), QStringList{u"1"_s});
    // From the host, after the record form has told the quote was stored: no second message.
    modPrincipal::FichaAbertaDiretamente = true;
    QCOMPARE(frmLista::ImprimirFichaEmListaOculta(numero, {}, {}, {}, {}), qint16(1));
    QCOMPARE(ErrosExibidos().size(), 1);
    QVERIFY(mmensagens.isEmpty());
    QVERIFY(mrelatorios.isEmpty());
}

void TesteDaImpressao::fichaLongaRepeteOCabecalhoEmCadaPagina() {
    QVERIFY(GravarOrcamento(60) > 0);
    Cenario c;
    c.ImprimirFichaDaLinha(1);
    QCOMPARE(mrelatorios.size(), 1);
    const QStringList paginas = mrelatorios[0].Paginas();
    QVERIFY(paginas.size() >= 2);
    int vacinas = 0;
    for (qsizetype k = 0; k < paginas.size(); ++k) {
        for (const QString& fixo : {u"Clínica Escola"_s, u"Orçamento no.: 1"_s, u"João da Silva"_s, u"5430"_s,
                                    u"Serviço / Produto"_s, u"Total liquido"_s, Aplicativo,
                                    u"Página: %1 de %2"_s.arg(k + 1).arg(paginas.size())})
            QVERIFY2(paginas[k].count(fixo) == 1, qPrintable(u"página %1 sem \"%2\""_s.arg(k + 1).arg(fixo)));
        vacinas += paginas[k].count(u"Vacina V10"_s);
    }
    QCOMPARE(vacinas, 59);
    QCOMPARE(paginas.first().count(u"Consulta clínica"_s), 1);
}

void TesteDaImpressao::acentosENomesLongosCortadosEmSuasCaixas() {
    const QString nome = u"Associação Protetora dos Animais de Três Corações, São João del-Rei e Adjacências "
                         "— Unidade de Atendimento Veterinário Número Dezessete"_s;
    const QString servico = u"Vacinação antirrábica com aplicação domiciliar, orientação nutricional e "
                            "acompanhamento pós-vacinal"_s;
    Banco::Executar(u"UPDATE Clientes SET NomeOuRazaoSocial = ? WHERE CodigoDoCliente = 2"_s, {nome});
    QVERIFY(GravarOrcamento(1, 2, 12) > 0);
    Banco::Executar(u"UPDATE ItensDeOrcamento SET NomeDoServicoOuProduto = ?"_s, {servico});
    Cenario c;
    c.ImprimirLista();
    c.ImprimirFichaDaLinha(1);
    QCOMPARE(mrelatorios.size(), 2);
    // Each long text keeps its beginning with its accents and ends in "…" inside its box;
    // the next value follows intact.
    const auto cortado = [](const QString& texto, const QString& inteiro, const QString& depois) {
        const QRegularExpression re(QRegularExpression::escape(inteiro.left(20)) + u"([^…\\n]*)…\\s+"_s +
                                    QRegularExpression::escape(depois));
        const auto achado = re.match(texto);
        return achado.hasMatch() && inteiro.startsWith(inteiro.left(20) + achado.captured(1)) &&
               !texto.contains(inteiro);
    };
    QVERIFY2(cortado(mrelatorios[0].Texto, nome, u"120,00"_s), qPrintable(mrelatorios[0].Texto));
    QVERIFY2(cortado(mrelatorios[1].Texto, servico, u"Luna"_s), qPrintable(mrelatorios[1].Texto));
    QVERIFY(mrelatorios[1].Texto.contains(u"Maria Antônia"_s));
    QVERIFY(mrelatorios[1].Texto.contains(nome.left(30)));
    QVERIFY(ErrosExibidos().isEmpty());
}

QTEST_MAIN(TesteDaImpressao)
#include "tst_impressao.moc"
