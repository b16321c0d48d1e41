// The list's printing driven as a person drives it, on the real business layer with the
// known registry. Every report is exported from its preview to PDF and read back with
// pdftotext, against reference texts where the layout is fixed.

#include "tests/business/TesteDeNegocio.h"
#include "tests/list/ImpressaoDeTeste.h"
#include "tests/reports/TextoDoPdf.h"

#include "contracts/Pix.h"
#include "list/drFicha.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QFileDialog>
#include <QPainter>

using namespace Qt::StringLiterals;
using VB::Currency;

namespace {

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

} // namespace

class TesteDaImpressao : public TesteDeNegocio {
    Q_OBJECT

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        // Each preview is exported to a PDF through its own command and the save dialog, then
        // closed, as a person would; nothing else may be shown modally.
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            if (auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela)) {
                mstrProximoPdf = msessao->Pasta().filePath(u"relatorio_%1.pdf"_s.arg(mrelatorios.size() + 1));
                QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdExportarParaPdf"_s), Qt::LeftButton);
                mrelatorios.append({previa->windowTitle(),
                                    previa->windowState().testFlag(Qt::WindowMaximized),
                                    TextoDaImpressao(mstrProximoPdf)});
                previa->close();
            } else if (auto* dialogo = qobject_cast<QFileDialog*>(janela)) {
                dialogo->selectFile(mstrProximoPdf);
                QMetaObject::invokeMethod(dialogo, "accept");
            } else {
                QFAIL(qPrintable(u"janela inesperada: "_s + janela->objectName()));
            }
        });
        AnotarMensagens(mmensagens);
    }

    void recusasEFalhasNaoImprimemEVoltamAPagina() {
        for (int i = 0; i < 8; ++i)
            QVERIFY(NovoOrcamento() > 0);
        Cenario c;
        c.ProximaPagina();
        // The items cannot be selected: from the list, the business layer's error; from the
        // host, after the record form has told the quote was stored, no second message.
        Banco::Executar(u"ALTER TABLE ItensDeOrcamento RENAME TO ItensGuardados"_s);
        c.ImprimirFichaDaLinha(1);
        QCOMPARE(ErrosExibidos().size(), 1);
        QVERIFY2(
            ErrosExibidos()[0].Local.toString().startsWith(u"ZELT_N_Orcamentos, clsOrcItens, Selecionar"_s),
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

    void listaFiltradaImprimeTodaASelecaoEVoltaAPagina() {
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

    // A filter by stage prints its whole selection under the filtered list's heading.
    void listaDeUmaEtapaImprimeSuaSelecao() {
        for (int i = 0; i < 9; ++i)
            QVERIFY((i == 4 ? NovoOrcamentoDeDoisServicos() : NovoOrcamento()) > 0);
        for (double numero : {2.0, 5.0, 8.0})
            QCOMPARE(AprovarSemItens(numero, numero == 5 ? QList<qint32>{2} : QList<qint32>{}), qint16(0));
        Cenario c;
        auto* situacao = c.Controle<XRComboBox>("xrcmbSituacao");
        situacao->setListIndex(7);
        QCOMPARE(situacao->Text(), u"Aprovados"_s);
        c.ImprimirLista();
        QCOMPARE(mrelatorios.size(), 1);
        const QStringList linhas = mrelatorios[0].Texto.split(u'\n');
        QCOMPARE(linhas.value(3).trimmed(), u"Lista filtrada"_s);
        QStringList numeros;
        static const QRegularExpression detalhe(u"^\\s+(\\d+) \\d\\d/\\d\\d/\\d{4}"_s);
        for (const QString& linha : linhas)
            if (const auto achado = detalhe.match(linha); achado.hasMatch()) numeros << achado.captured(1);
        QCOMPARE(numeros, (QStringList{u"8"_s, u"5"_s, u"2"_s}));
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void fichaDaListaEDoHost() {
        QVERIFY(GravarOrcamento(musuario.get(), 1) > 0 && GravarOrcamento(musuario.get(), 2) > 0);
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
        QCOMPARE(ImprimirFichaDoHost(2, u"Joãozinho"_s, u"João da Silva Júnior"_s, Currency::DeDouble(1234.5),
                                     Currency::DeInteiro(10), Currency::DeDouble(123.45),
                                     Currency::DeDouble(1111.05)),
                 qint16(0));
        QCOMPARE(mrelatorios.size(), 3);
        CompararComReferencia(mrelatorios[2].Texto, u"impressao_ficha_do_host"_s);
        // The hidden list was never the context's list and is gone.
        QCOMPARE(modPrincipal::FormularioDeLista.data(), c.lista);
        const QWidgetList w = QApplication::allWidgets();
        QCOMPARE(std::count_if(w.begin(), w.end(), [](QWidget* j) { return qobject_cast<frmLista*>(j); }), 1);
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    // The sheet of a quote approved by its client, at a clinic that asks a deposit and has
    // a PIX key: the deposit from the net value, the refund text and a QR code that reads
    // back as the "copia e cola" of that amount; the same quote before its approval, none.
    void fichaDeOrcamentoAprovadoTemSinalEPix() {
        QVERIFY(GravarOrcamento(musuario.get(), 2) > 0); // 198,00
        BancoDeTeste::ConfigurarSinal(musuario.get(), 50, false, u"pix@clinicaescola.com.br"_s);
        Cenario c;
        c.ImprimirFichaDaLinha(1);
        BancoDeTeste::Aprovar(1, musuario.get());
        c.ImprimirFichaDaLinha(1);
        QCOMPARE(mrelatorios.size(), 2);
        for (const QString& linha :
             {u"Válido até"_s, u"À vista no Pix ou em até 6x no cartão"_s, u"Clínica Escola Ltda."_s})
            QVERIFY2(mrelatorios[0].Texto.contains(linha) && mrelatorios[1].Texto.contains(linha),
                     qPrintable(linha));
        QVERIFY(!mrelatorios[0].Texto.contains(u"Sinal"_s) && !mrelatorios[0].Texto.contains(u"Aprovado"_s));
        // Approved whole, by the client, without a signature: no declined line, no deposit received.
        for (const QString& linha :
             {u"Total aprovado: R$ 198,00"_s, u"Aprovado por João da Silva em 03/12/2026, Presencial"_s})
            QVERIFY2(mrelatorios[1].Texto.contains(linha), qPrintable(linha));
        QVERIFY(!mrelatorios[1].Texto.contains(u"recusados"_s) &&
                !mrelatorios[1].Texto.contains(u"recebido"_s));
        QVERIFY2(mrelatorios[1].Texto.contains(u"Sinal para confirmar: R$ 99,00 (50 % do valor aprovado)"_s),
                 qPrintable(mrelatorios[1].Texto));
        QVERIFY(mrelatorios[1].Texto.contains(u"O sinal não é reembolsável."_s));
        const QString pix = Pix::CopiaECola({u"pix@clinicaescola.com.br"_s, u"Clínica Escola"_s,
                                             u"Campinas"_s, Currency::DeInteiro(99), u"ORC1"_s});
        const QString imagem = PaginaComoImagem(msessao->Pasta().filePath(u"relatorio_2.pdf"_s), 1, 150,
                                                msessao->Pasta().filePath(u"ficha"_s));
        QCOMPARE(LerQrCode(imagem), pix);
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    // Approved in part by another person with a CPF and a signature, then a deposit paid:
    // the declined item out of the approved total, the CPF masked, the signature drawn, the
    // deposit no longer asked.
    void fichaDeOrcamentoAprovadoEmParteComAssinaturaEPagamento() {
        QVERIFY(GravarOrcamento(musuario.get(), 2) > 0); // the consultation 108,00 and a vaccine 90,00
        BancoDeTeste::ConfigurarSinal(musuario.get(), 50, false, u"pix@clinicaescola.com.br"_s);
        QImage desenho(600, 150, QImage::Format_ARGB32);
        desenho.fill(Qt::transparent);
        QPainter(&desenho).drawLine(20, 100, 580, 40);
        QByteArray png;
        QBuffer buffer(&png);
        desenho.save(&buffer, "PNG");
        auto aprovacao = Aprovacao();
        QCOMPARE(aprovacao->Ler(1), Resultado::Sucesso);
        QCOMPARE(aprovacao->Aprovar(1, {2}, u"Maria Souza"_s, u"529.982.247-25"_s, u"Presencial"_s, png),
                 Resultado::Sucesso);
        QCOMPARE(aprovacao->RegistrarPagamento(1, Currency::DeInteiro(54), u"Pix"_s, u"E2026ABC"_s),
                 Resultado::Sucesso);
        Cenario c;
        c.ImprimirFichaDaLinha(1);
        QCOMPARE(mrelatorios.size(), 1);
        for (const QString& linha :
             {u"Itens recusados pelo cliente (fora do total aprovado): Vacina V10"_s,
              u"Total aprovado: R$ 108,00"_s,
              u"Aprovado por Maria Souza (CPF ***.982.247-**) em 03/12/2026, Presencial"_s,
              u"Sinal recebido: R$ 54,00 em 03/12/2026"_s})
            QVERIFY2(mrelatorios[0].Texto.contains(linha), qPrintable(mrelatorios[0].Texto));
        // The deposit (54,00) paid: no longer asked, no PIX code.
        QVERIFY(!mrelatorios[0].Texto.contains(u"Sinal para confirmar"_s) &&
                !mrelatorios[0].Texto.contains(u"copia e cola"_s));
        // The items and the quote's totals as specified: the declined vaccine still listed.
        QVERIFY(mrelatorios[0].Texto.contains(u"198,00"_s) &&
                mrelatorios[0].Texto.count(u"Vacina V10"_s) == 2);
        // The signature is the page's one image, at its own size.
        QProcess imagens;
        imagens.start(u"pdfimages"_s, {u"-list"_s, msessao->Pasta().filePath(u"relatorio_1.pdf"_s)});
        QVERIFY(imagens.waitForFinished());
        static const QRegularExpression imagem(u"(?m)^\\s+1\\s+\\d+\\s+image\\s+600\\s+150\\s"_s);
        QVERIFY2(imagem.match(QString::fromUtf8(imagens.readAllStandardOutput())).hasMatch(),
                 "sem a imagem da assinatura");
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    // The vaccine (90,00) "se necessário": the sheet gives the range and names it; approved
    // whole, the approved range, and the deposit (and its PIX code) from the low end.
    void fichaComEstimativaEAprovacaoDaFaixa() {
        QVERIFY(GravarOrcamento(musuario.get(), 2) > 0); // the consultation 108,00 and a vaccine 90,00
        Banco::Executar(u"INSERT INTO ItensSeNecessario VALUES (1, 2)"_s);
        BancoDeTeste::ConfigurarSinal(musuario.get(), 50, false, u"pix@clinicaescola.com.br"_s);
        Cenario c;
        c.ImprimirFichaDaLinha(1);
        BancoDeTeste::Aprovar(1, musuario.get());
        c.ImprimirFichaDaLinha(1);
        QCOMPARE(mrelatorios.size(), 2);
        const QString pix = Pix::CopiaECola({u"pix@clinicaescola.com.br"_s, u"Clínica Escola"_s,
                                             u"Campinas"_s, Currency::DeInteiro(54), u"ORC1"_s});
        for (int i = 0; i < 2; ++i)
            for (const QString& linha :
                 {u"Estimativa: de R$ 108,00 a R$ 198,00"_s,
                  u"Itens se necessário (fora do valor mínimo): Vacina V10"_s,
                  i == 0 ? u"Válido até"_s : u"Total aprovado: de R$ 108,00 a R$ 198,00"_s,
                  i == 0 ? u"Válido até"_s
                         : u"Sinal para confirmar: R$ 54,00 (50 % do valor mínimo aprovado)"_s,
                  i == 0 ? u"Válido até"_s : pix.left(drFicha::CaracteresPorLinhaDoPix)})
                QVERIFY2(mrelatorios[i].Texto.contains(linha),
                         qPrintable(linha + u"\n"_s + mrelatorios[i].Texto));
        QVERIFY(!mrelatorios[0].Texto.contains(u"Sinal"_s));
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void fichaLongaENomesLongosCortadosEmSuasCaixas() {
        const QString nome =
            u"Associação Protetora dos Animais de Três Corações, São João del-Rei e Adjacências "
            "— Unidade de Atendimento Veterinário Número Dezessete"_s;
        const QString servico = u"Vacinação antirrábica com aplicação domiciliar, orientação nutricional e "
                                "acompanhamento pós-vacinal"_s;
        Banco::Executar(u"UPDATE Clientes SET NomeOuRazaoSocial = ? WHERE CodigoDoCliente = 2"_s, {nome});
        QVERIFY(GravarOrcamento(musuario.get(), 60, 2, 12) > 0);
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
        QStringList paginas = Paginas(mrelatorios[1].Texto);
        // The end of the sheet names the clinic again, by its company name, once.
        QCOMPARE(paginas.constLast().count(u"Clínica Escola Ltda."_s), 1);
        paginas.last().remove(u"Clínica Escola Ltda."_s);
        QCOMPARE(
            FaltaEmAlgumaPagina(paginas, {u"Clínica Escola"_s, u"Orçamento no.: 1"_s, u"Maria Antônia"_s,
                                          nome.left(30), u"5.430,00"_s, u"Serviço / Produto"_s, Aplicativo}),
            QString());
        QVERIFY(paginas.size() >= 2 && mrelatorios[1].Texto.count(u"Vacina V10"_s) == 59 &&
                paginas.first().contains(servico.left(20)));
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void fichaComQuantidadesValoresEPorcentoDoCliente() {
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
        Banco::Executar(u"UPDATE Clientes SET ApelidoOuNomeFantasia = ? WHERE CodigoDoCliente = 1"_s,
                        {apelido});
        Cenario c;
        c.ImprimirFichaDaLinha(1);
        QCOMPARE(ImprimirFichaDoHost(numero, apelido, u"Loja %1 de %d"_s, Currency::DeDouble(141.7),
                                     Currency::DeDouble(8.47), Currency::DeInteiro(12),
                                     Currency::DeDouble(129.7)),
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

protected:
    void Preparar() override {
        PrepararContexto(musuario.get());
        mrelatorios.clear();
        mmensagens.clear();
        FixarRelogio(QDateTime(QDate(2026, 12, 3), QTime(9, 30, 15)));
    }

private:
    void CompararComReferencia(const QString& texto, const QString& nome) {
        QVERIFY(ConfereComAReferencia(texto, QFINDTESTDATA(u"referencias"_s), nome));
    }

    QList<RelatorioExibido> mrelatorios;
    QStringList mmensagens;
    QString mstrProximoPdf;
};

QTEST_MAIN(TesteDaImpressao)
#include "tst_impressao.moc"
