// The list's printing driven as a person drives it, on the real business layer with the
// known registry. Every report is exported from its preview to PDF and read back with
// pdftotext, against reference texts where the layout is fixed.

#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/reports/TextoDoPdf.h"

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
QString TextoDaImpressao(const QString& arquivo) {
    static const QRegularExpression emissao(u"Emissão: \\d\\d/\\d\\d/\\d{4}"_s);
    return TextoDoPdf(arquivo).replace(emissao, u"Emissão: DD/MM/AAAA"_s);
}

struct RelatorioExibido {
    QString Titulo;
    bool Maximizado = false;
    QString Texto;
};

// The host's menu window with the list docked in its work area: six quotes to a page.
struct Cenario : MenuDeTeste {
    frmLista* lista = AbrirLista();
    Cenario() : MenuDeTeste({1400, 700}, {0, 0, 1400, Twips::ParaPixels(5400)}) {
        modPrincipal::FormularioDeLista = lista;
    }
    template <class T> T* Controle(const char* nome) const {
        return lista->findChild<T*>(QString::fromLatin1(nome));
    }
    QStringList Numeros() const { return Coluna(IFormularioDeLista::ColunaNumeroDoOrcamento); }
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
    void recusasEFalhasNaoImprimemEVoltamAPagina();
    void listaFiltradaImprimeTodaASelecaoEVoltaAPagina();
    void fichaDaListaEDoHost();
    void fichaLongaENomesLongosCortadosEmSuasCaixas();
    void fichaComQuantidadesValoresEPorcentoDoCliente();

protected:
    void Preparar() override;

private:
    // A quote with the consultation (120,00, 10 %) and, for each further item, a vaccine
    // (90,00), of client 1 for Rex and Mel or of another client for one animal; its number.
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
                                TextoDaImpressao(mstrProximoPdf)});
            previa->close();
        } else if (auto* dialogo = qobject_cast<QFileDialog*>(janela)) {
            dialogo->selectFile(mstrProximoPdf);
            QMetaObject::invokeMethod(dialogo, "accept");
        } else {
            QFAIL(qPrintable(u"janela inesperada: "_s + janela->objectName()));
        }
    });
    Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString& titulo) {
        mmensagens << u"%1|%2|%3"_s.arg(texto, QString::number(botoes), titulo);
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
    const int total = 120 + 90 * (itens - 1);
    orcamento->ValorTotal = Currency::DeInteiro(total);
    orcamento->ValorLiquido = Currency::DeInteiro(total - 12);
    orcamento->DescontoEmPercentual = Currency::DeDouble(std::round(120000.0 / total) / 100); // two decimals
    if (orcamento->Adicionar() != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
    return orcamento->CodigoGerado;
}

void TesteDaImpressao::CompararComReferencia(const QString& texto, const QString& nome) {
    QVERIFY(ConfereComAReferencia(texto, QFINDTESTDATA(u"referencias"_s), nome));
}

void TesteDaImpressao::recusasEFalhasNaoImprimemEVoltamAPagina() {
    for (int i = 0; i < 8; ++i)
        QVERIFY(NovoOrcamento() > 0);
    Cenario c;
    c.ProximaPagina();
    // The items cannot be selected: from the list, the business layer's error; from the
    // host, after the record form has told the quote was stored, no second message.
    Banco::Executar(u"ALTER TABLE ItensDeOrcamento RENAME TO ItensGuardados"_s);
    c.ImprimirFichaDaLinha(1);
    QCOMPARE(ErrosExibidos().size(), 1);
    QVERIFY2(ErrosExibidos()[0].Local.toString().startsWith(u"ZELT_N_Orcamentos, clsOrcItens, Selecionar"_s),
             qPrintable(ErrosExibidos()[0].Local.toString()));
    modPrincipal::FichaAbertaDiretamente = true;
    QCOMPARE(frmLista::ImprimirFichaEmListaOculta(2, {}, {}, {}, {}), qint16(1));
    QCOMPARE(ErrosExibidos().size(), 1);
    QVERIFY(mmensagens.isEmpty());
    // No company registered: every print refused with the two-line message.
    Banco::Executar(u"ALTER TABLE ItensGuardados RENAME TO ItensDeOrcamento"_s);
    Banco::Executar(u"DELETE FROM Empresa"_s);
    QCOMPARE(frmLista::ImprimirFichaEmListaOculta(2, {}, {}, {}, {}), qint16(1));
    modPrincipal::FichaAbertaDiretamente = false;
    c.ImprimirLista();
    c.ImprimirFichaDaLinha(2);
    QCOMPARE(c.lista->ImprimirLista(), qint16(1));
    QCOMPARE(mmensagens, QStringList(4, SemEmpresa + u"|64|"_s + Aplicativo));
    QVERIFY(mrelatorios.isEmpty());
    QCOMPARE(c.TextoDaBarra(), u"7 - 8 de 8"_s);
    QCOMPARE(c.Numeros(), (QStringList{u"2"_s, u"1"_s}));
    QCOMPARE(ErrosExibidos().size(), 1);
}

void TesteDaImpressao::listaFiltradaImprimeTodaASelecaoEVoltaAPagina() {
    for (int i = 0; i < 20; ++i)
        QVERIFY(NovoOrcamento(i % 2 ? 1 : 2, i % 2 ? 10 : 12) > 0);
    Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento <= 5"_s);
    Cenario c;
    c.Controle<XRComboBox>("xrcmbSituacao")->setListIndex(1); // "Ativos"
    c.ProximaPagina();
    QCOMPARE(c.TextoDaBarra(), u"7 - 12 de 15"_s);
    c.ImprimirLista();
    QCOMPARE(mrelatorios.size(), 1);
    QVERIFY(mrelatorios[0].Titulo == u"Imprimir orcamentos"_s && mrelatorios[0].Maximizado);
    // Every active quote, newest first, and no other: the whole selection, not the page.
    CompararComReferencia(mrelatorios[0].Texto, u"impressao_lista_filtrada"_s);
    // Back on the page it showed, which the next page follows.
    QCOMPARE(c.TextoDaBarra(), u"7 - 12 de 15"_s);
    QCOMPARE(c.Numeros(), (QStringList{u"14"_s, u"13"_s, u"12"_s, u"11"_s, u"10"_s, u"9"_s}));
    c.ProximaPagina();
    QCOMPARE(c.TextoDaBarra(), u"13 - 15 de 15"_s);
    QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
}

void TesteDaImpressao::fichaDaListaEDoHost() {
    QVERIFY(GravarOrcamento(1) > 0 && GravarOrcamento(2) > 0);
    Cenario c;
    // From the list: the client and the values of the grid's row as money ("210,00",
    // "5,71%", "12,00", "198,00"), the number from the items; "Itens" for two items,
    // "Item" for one.
    c.ImprimirFichaDaLinha(1);
    c.ImprimirFichaDaLinha(2);
    QCOMPARE(mrelatorios.size(), 2);
    QVERIFY(mrelatorios[0].Titulo == u"Imprimir orçamento"_s && mrelatorios[0].Maximizado);
    CompararComReferencia(mrelatorios[0].Texto, u"impressao_ficha_da_lista"_s);
    static const QRegularExpression titulo(u"(?m)^\\s*(Item|Itens)\\s*$"_s);
    QCOMPARE(titulo.match(mrelatorios[1].Texto).captured(1), u"Item"_s);
    QVERIFY(mrelatorios[1].Texto.contains(u"Orçamento no.: 1"_s) &&
            mrelatorios[1].Texto.contains(u"10,00%"_s));
    QCOMPARE(c.Numeros(), (QStringList{u"2"_s, u"1"_s}));
    // From the host: the values formatted, the client from the working context.
    modPrincipal::FichaAbertaDiretamente = true;
    modPrincipal::CodigoDoCliente = 1;
    modPrincipal::ApelidoOuNomeFantasiaDoCliente = u"Joãozinho"_s;
    modPrincipal::NomeOuRazaoSocialDoCliente = u"João da Silva Júnior"_s;
    QCOMPARE(frmLista::ImprimirFichaEmListaOculta(2, Currency::DeDouble(1234.5), Currency::DeInteiro(10),
                                                  Currency::DeDouble(123.45), Currency::DeDouble(1111.05)),
             qint16(0));
    QCOMPARE(mrelatorios.size(), 3);
    CompararComReferencia(mrelatorios[2].Texto, u"impressao_ficha_do_host"_s);
    // The hidden list was never the context's list and is gone.
    QCOMPARE(modPrincipal::FormularioDeLista.data(), c.lista);
    const QWidgetList w = QApplication::allWidgets();
    QCOMPARE(std::count_if(w.begin(), w.end(), [](QWidget* j) { return qobject_cast<frmLista*>(j); }), 1);
    QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
}

void TesteDaImpressao::fichaLongaENomesLongosCortadosEmSuasCaixas() {
    const QString nome = u"Associação Protetora dos Animais de Três Corações, São João del-Rei e Adjacências "
                         "— Unidade de Atendimento Veterinário Número Dezessete"_s;
    const QString servico = u"Vacinação antirrábica com aplicação domiciliar, orientação nutricional e "
                            "acompanhamento pós-vacinal"_s;
    Banco::Executar(u"UPDATE Clientes SET NomeOuRazaoSocial = ? WHERE CodigoDoCliente = 2"_s, {nome});
    QVERIFY(GravarOrcamento(60, 2, 12) > 0);
    Banco::Executar(
        u"UPDATE ItensDeOrcamento SET NomeDoServicoOuProduto = ? WHERE NumeroDoItemDoOrcamento = 1"_s,
        {servico});
    Cenario c;
    c.ImprimirLista();
    c.ImprimirFichaDaLinha(1);
    QCOMPARE(mrelatorios.size(), 2);
    // A long text keeps its beginning with its accents and ends in "…" inside its box;
    // the next value follows intact.
    const auto cortado = [](const QString& texto, const QString& inteiro, const QString& depois) {
        const QRegularExpression re(QRegularExpression::escape(inteiro.left(20)) + u"([^…\\n]*)…\\s+"_s +
                                    QRegularExpression::escape(depois));
        const auto achado = re.match(texto);
        return achado.hasMatch() && inteiro.startsWith(inteiro.left(20) + achado.captured(1)) &&
               !texto.contains(inteiro);
    };
    QVERIFY2(cortado(mrelatorios[0].Texto, nome, u"5.430,00"_s), qPrintable(mrelatorios[0].Texto));
    QVERIFY2(cortado(mrelatorios[1].Texto, servico, u"Luna"_s), qPrintable(mrelatorios[1].Texto));
    // The sheet breaks across pages, each under the whole heading, the items in order.
    QStringList paginas = mrelatorios[1].Texto.split(u'\f', Qt::SkipEmptyParts);
    if (paginas.constLast().trimmed().isEmpty()) paginas.removeLast();
    int vacinas = 0;
    for (qsizetype k = 0; k < paginas.size(); ++k) {
        for (const QString& fixo :
             {u"Clínica Escola"_s, u"Orçamento no.: 1"_s, u"Maria Antônia"_s, nome.left(30), u"5.430,00"_s,
              u"Serviço / Produto"_s, Aplicativo, u"Página: %1 de %2"_s.arg(k + 1).arg(paginas.size())})
            QVERIFY2(paginas[k].count(fixo) == 1, qPrintable(u"página %1 sem \"%2\""_s.arg(k + 1).arg(fixo)));
        vacinas += paginas[k].count(u"Vacina V10"_s);
    }
    QVERIFY(paginas.size() >= 2 && vacinas == 59 && paginas.first().contains(servico.left(20)));
    QVERIFY(ErrosExibidos().isEmpty());
}

void TesteDaImpressao::fichaComQuantidadesValoresEPorcentoDoCliente() {
    // The consultation (120,00 less 12,00) and 1,240 kg of product 100 at 17,50: amounts
    // the grid holds as "141,7", "12" and "129,7".
    BancoDeTeste::GradeEmMemoria grade;
    auto orcamento = BancoDeTeste::OrcamentoValido(grade, musuario.get());
    grade.AdicionarProduto(u"7891234567895"_s, 100, 10, u"1,240"_s, u"17,50"_s, u"0,00"_s, u"0,00"_s,
                           u"21,70"_s);
    orcamento->ValorTotal = Currency::DeDouble(141.7);
    orcamento->DescontoEmPercentual = Currency::DeDouble(8.47);
    orcamento->ValorLiquido = Currency::DeDouble(129.7);
    QCOMPARE(orcamento->Adicionar(), 0);
    const double numero = orcamento->CodigoGerado;
    const QString apelido = u"Pet%diva 100%pet"_s;
    Banco::Executar(u"UPDATE Clientes SET ApelidoOuNomeFantasia = ? WHERE CodigoDoCliente = 1"_s, {apelido});
    Cenario c;
    c.ImprimirFichaDaLinha(1);
    modPrincipal::FichaAbertaDiretamente = true;
    modPrincipal::CodigoDoCliente = 1;
    modPrincipal::ApelidoOuNomeFantasiaDoCliente = apelido;
    modPrincipal::NomeOuRazaoSocialDoCliente = u"Loja %1 de %d"_s;
    QCOMPARE(frmLista::ImprimirFichaEmListaOculta(numero, Currency::DeDouble(141.7), Currency::DeDouble(8.47),
                                                  Currency::DeInteiro(12), Currency::DeDouble(129.7)),
             qint16(0));
    QCOMPARE(mrelatorios.size(), 2);
    // The same sheet from the list and from the host: the nickname as typed, amounts as
    // money, the consultation's quantity whole and the product's with three decimals.
    for (const RelatorioExibido& relatorio : mrelatorios) {
        const QString& texto = relatorio.Texto;
        for (const char16_t* esperado :
             {u"\\b1\\s+Pet%diva 100%pet\\s", u"Valor líquido:\\s+141,70\\s+8,47%?\\s+12,00\\s+129,70\\s",
              u"Consulta clínica\\s+Rex\\s+1\\s+120,00\\s+12,00\\s+108,00",
              u"Ração Cães 15 kg\\s+Rex\\s+1,240\\s+17,50\\s+0,00\\s+21,70"})
            QVERIFY2(QRegularExpression(QString::fromUtf16(esperado)).match(texto).hasMatch(),
                     qPrintable(QString::fromUtf16(esperado) + u"\n"_s + texto));
    }
    QVERIFY(mrelatorios[0].Texto.contains(u"8,47%"_s));
    QVERIFY(mrelatorios[1].Texto.contains(u"Loja %1 de %d"_s));
    QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
}

QTEST_MAIN(TesteDaImpressao)
#include "tst_impressao.moc"
