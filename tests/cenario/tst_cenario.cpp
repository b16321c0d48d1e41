// A day at the counter, on a real X server: the receptionist's day from the quotes list
// through a quote's whole life (composed, changed, printed, sent, deleted and restored,
// recovered after the host is killed, reminded, renewed, refused, approved with a drawn
// signature, paid, sold as a package with its consent form), one test function a step,
// in order; each step goes on from where the one before left the screen. The real
// zelt_host runs on a fresh database with the demo clinic; every click and key goes
// through the X server (see HostNaTela). The printer is a queue of a private CUPS server
// that prints into the file ZELT_IMPRESSO (tests/cenario/cenario.sh starts it). The
// desktop's xdg-email and xdg-open are stand-ins, first on the host's PATH, that write
// down their arguments.
//
// ZELT_CENARIO_BANCO=sqlite (default) or postgresql (a database of its own on the
// server of ZELT_TESTE_PG_URL). The work folder, ZELT_CENARIO_SAIDA/<banco>, keeps
// on failure a picture of the screen per failed step, the host's output and its
// error log. With ZELT_CAPTURAS=<folder> the run also writes the pictures of the
// documentation there.

#include "tests/Linha.h"
#include "tests/business/BancoDeTeste.h"
#include "tests/cenario/HostNaTela.h"
#include "tests/reports/TextoDoPdf.h"

#include "contracts/Pix.h"
#include "contracts/Sinal.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Money as the forms show it ("1.234,56") or the list writes it ("1234,5"), in cents.
qint64 Centavos(QString texto) {
    texto.remove(u'.').replace(u',', u'.');
    return qRound64(texto.toDouble() * 100);
}

QString Reais(double valor) {
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(valor, 'f', 2);
}

// What the demo clinic holds that the receptionist needs: read from the database the
// host created, so that the scenario names real records.
struct Catalogo {
    QString TrechoDoCliente; // part of several clients' nicknames, ASCII
    qint64 CodigoDoCliente = 0;
    QString ApelidoDoCliente;
    QString NomeDoCliente;
    QString Animal;               // one of the client's animals, not the first
    double DescontoDoCliente = 0; // the client's percentage for the service's type
    QString TipoDeServico;
    QString Servico; // one of several "Banho" services of that type
    double PrecoDoServico = 0;
    double PromocaoDeServicos = 0; // running today, else 0
    QString CodigoDeBarras;
    QString ProdutoDoCodigo;
    double PrecoDoProdutoDoCodigo = 0;
    qint64 CodigoDaBalanca = 0;
    QString ProdutoDaBalanca;
    double PrecoDaBalanca = 0;
    int FormatoDaBalanca = 0;
    QString ProdutoPeloNome;   // one of several "Petisco" products
    qint64 CodigoDaTutora = 0; // a client with a cat, the cat a female where there is one
    QString ApelidoDaTutora;
    QString NomeDaTutora;
    QString Gata;
    QHash<QString, QString> ItensDoPacote; // "S7", "P16": the names of the package's items
};

// The clinic's PIX settings as the administrator types them: the name and city with
// accents, which the payload strips. (xdotool types an accented capital in lower case:
// the conditions begin otherwise.)
const QString ChavePix = u"pix@clinicadocenario.com.br"_s;
const QString NomeDoRecebedor = u"Clínica Veterinária do Cenário"_s;
const QString CidadeDoRecebedor = u"São José dos Campos"_s;
const QString CondicoesDePagamento = u"Pix à vista ou em até 6x no cartão"_s;

// The private queue's file: what the last job printed.
QString Impresso() {
    return qEnvironmentVariable("ZELT_IMPRESSO");
}

// Whether a file and its folder are their owner's alone.
bool SoDoDono(const QString& caminho) {
    const QFileDevice::Permissions dosOutros = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return QFileInfo::exists(caminho) && !(QFile::permissions(caminho) & dosOutros) &&
           !(QFile::permissions(QFileInfo(caminho).absolutePath()) & dosOutros);
}

} // namespace

#define PASSO(condicao) QVERIFY2((condicao), qPrintable(mtela->Falha()))

class TesteDoCenario : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        mstrBanco = qEnvironmentVariable("ZELT_CENARIO_BANCO", u"sqlite"_s);
        mstrCapturas = qEnvironmentVariable("ZELT_CAPTURAS");
        mstrPasta = QDir(qEnvironmentVariable("ZELT_CENARIO_SAIDA", QDir::currentPath())).filePath(mstrBanco);
        QDir(mstrPasta).removeRecursively();
        QVERIFY(QDir().mkpath(mstrPasta));
        if (!mstrCapturas.isEmpty()) QVERIFY(QDir().mkpath(mstrCapturas));
        QVERIFY2(QGuiApplication::platformName() == u"xcb"_s, "the scenario runs on an X server (xvfb-run)");

        QStringList argumentos;
        if (mstrBanco == u"postgresql"_s) {
            if (qEnvironmentVariableIsEmpty("ZELT_TESTE_PG_URL")) {
                if (qEnvironmentVariable("ZELT_EXIGIR_PG") == u"1"_s) QFAIL("ZELT_TESTE_PG_URL is not set");
                QSKIP("no PostgreSQL server: ZELT_TESTE_PG_URL is not set");
            }
            QVERIFY(ExecutarNoServidor(
                {u"DROP DATABASE IF EXISTS zelt_cenario"_s, u"CREATE DATABASE zelt_cenario"_s}));
            QUrl url(qEnvironmentVariable("ZELT_TESTE_PG_URL"));
            url.setPath(u"/zelt_cenario"_s);
            mstrUrlPostgreSQL = url.toString();
            mlstArgumentos = {u"--banco-url"_s, mstrUrlPostgreSQL};
        } else {
            mlstArgumentos = {u"--banco"_s, mstrPasta + u"/clinica.sqlite"_s};
        }
        const QString programas = mstrPasta + u"/programas"_s;
        QVERIFY(QDir().mkpath(programas) && QDir().mkpath(mstrPasta + u"/chamadas"_s));
        QVERIFY(EscreverSubstitutos(programas));
        qputenv("PATH", programas.toUtf8() + ':' + qgetenv("PATH"));
        qputenv("ZELT_TESTE_CHAMADAS", (mstrPasta + u"/chamadas"_s).toUtf8());
        mtela = std::make_unique<HostNaTela>(mstrPasta);
        PASSO(mtela->Iniciar(QStringLiteral(ZELT_HOST), mlstArgumentos));

        // The host created the database with the demo clinic; learn what it holds.
        bool lido = false;
        {
            QSqlDatabase leitura = Conexao(u"catalogo"_s);
            lido = LerCatalogo(leitura);
        }
        QSqlDatabase::removeDatabase(u"catalogo"_s);
        QVERIFY2(lido, "the demo clinic has what the scenario needs");
    }

    void init() {
        if (mbooPassoFalhou) QSKIP("an earlier step failed; the scenario goes on from where it stopped");
    }

    void cleanup() {
        if (!QTest::currentTestFailed()) return;
        mbooPassoFalhou = true;
        const QString imagem =
            mstrPasta + u"/falha-"_s + QString::fromLatin1(QTest::currentTestFunction()) + u".png"_s;
        if (mtela && mtela->FotografarTela(imagem)) qWarning("Screen at the failure: %s", qPrintable(imagem));
        qWarning("Error log and host output: %s/erros.log, %s/host.log", qPrintable(mstrPasta),
                 qPrintable(mstrPasta));
    }

    void cleanupTestCase() {
        const QString erros = mtela ? mtela->ErrosRegistrados() : QString();
        mtela.reset();
        if (!mstrUrlPostgreSQL.isEmpty() && !mbooPassoFalhou)
            ExecutarNoServidor({u"DROP DATABASE IF EXISTS zelt_cenario"_s});
        QVERIFY2(erros.isEmpty(), qPrintable(u"The host logged errors:\n"_s + erros));
        if (!mbooPassoFalhou) QDir(mstrPasta).removeRecursively();
    }

    void listaAbertaNaJanelaDoMenu() {
        PASSO(mtela->EsperarTexto(u"frmLista/xrcmbSituacao"_s, u"Recentes"_s));
        // The demo clinic has quotes of the last days: the first page is full.
        QVERIFY(mtela->Celulas(u"frmLista/msfgGrade"_s).size() > 2);
        Capturar(u"FomularioDoMenu"_s, u"lista.png"_s);
    }

    void clienteAchadoPorParteDoNomeEEscolhidoNoDialogo() {
        PASSO(mtela->Clicar(u"frmLista/xrcmdAdicionar"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        PASSO(mtela->EsperarFoco(u"xrfCodigoDoCliente"_s));
        // Escape in a find field clears what was typed.
        const QString apelido = u"frmFicha/xrfApelidoOuNomeFantasiaDoCliente"_s;
        PASSO(mtela->Clicar(apelido) && mtela->Digitar(u"xyz"_s) && mtela->EsperarTexto(apelido, u"xyz"_s) &&
              mtela->Teclar(u"Escape"_s) && mtela->EsperarTexto(apelido, QString()));

        PASSO(Pesquisar(apelido, mcat.TrechoDoCliente));
        PASSO(EscolherNaPesquisa(u"frmPesquisaDeClientes"_s, 1, QString::number(mcat.CodigoDoCliente), 2,
                                 u"pesquisa-de-clientes.png"_s));
        PASSO(mtela->EsperarTexto(apelido, mcat.ApelidoDoCliente));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfCodigoDoCliente"_s, QString::number(mcat.CodigoDoCliente)));
    }

    // The type opens the service fields and the animal list.
    void tipoDeServicoEAnimalEscolhidos() {
        PASSO(mtela->Escolher(u"frmFicha/xrcmbTiposDeServicos"_s, mcat.TipoDeServico));
        PASSO(mtela->Escolher(u"frmFicha/xrcmbAnimal"_s, mcat.Animal));
    }

    void servicoPeloNomeEscolhidoNoDialogo() {
        PASSO(Pesquisar(u"frmFicha/xrfNomeDoServico"_s, u"Banho"_s));
        PASSO(EscolherNaPesquisa(u"frmPesquisaDeServicos"_s, 2, mcat.Servico, 2,
                                 u"pesquisa-de-servicos.png"_s));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfNomeDoServico"_s, mcat.Servico));
        // The larger of the client's discount for grooming and the running promotion.
        const double percentual = std::max(mcat.DescontoDoCliente, mcat.PromocaoDeServicos);
        PASSO(mtela->EsperarTexto(u"frmFicha/xrnumPercentualDeDescontoPorItem"_s, Reais(percentual)));
        PASSO(AdicionarItem(1));
        const double desconto = mcat.PrecoDoServico * percentual / 100;
        QCOMPARE(Item(1), (QStringList{mcat.Servico, u"1"_s, Reais(mcat.PrecoDoServico), Reais(percentual),
                                       Reais(desconto), Reais(mcat.PrecoDoServico - desconto)}));
    }

    void produtoPeloCodigoDeBarras() {
        PASSO(mtela->Clicar(u"frmFicha/optProduto"_s));
        PASSO(Pesquisar(u"frmFicha/xrfCodigoDeBarrasDoProduto"_s, mcat.CodigoDeBarras));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfNomeDoProduto"_s, mcat.ProdutoDoCodigo));
        PASSO(mtela->EsperarFoco(u"xrnumQuantidade"_s));
        PASSO(AdicionarItem(2));
        QCOMPARE(Item(2), (QStringList{mcat.ProdutoDoCodigo, u"1,000"_s, Reais(mcat.PrecoDoProdutoDoCodigo),
                                       u"0,00"_s, u"0,00"_s, Reais(mcat.PrecoDoProdutoDoCodigo)}));
    }

    void produtoPelaEtiquetaDaBalanca() {
        // 2, the product's internal code in six digits, 1,240 kg, a check digit.
        const QString etiqueta =
            u"2"_s + QString::number(mcat.CodigoDaBalanca).rightJustified(6, u'0') + u"012400"_s;
        PASSO(Pesquisar(u"frmFicha/xrfCodigoDeBarrasDoProduto"_s, etiqueta));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfNomeDoProduto"_s, mcat.ProdutoDaBalanca));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrnumQuantidade"_s, u"1,240"_s));
        PASSO(AdicionarItem(3));
        QCOMPARE(Item(3), (QStringList{mcat.ProdutoDaBalanca, u"1,240"_s, Reais(mcat.PrecoDaBalanca),
                                       u"0,00"_s, u"0,00"_s, Reais(1.24 * mcat.PrecoDaBalanca)}));
    }

    void produtoEscolhidoPeloNome() {
        PASSO(Pesquisar(u"frmFicha/xrfNomeDoProduto"_s, u"Petisco"_s));
        PASSO(EscolherNaPesquisa(u"frmPesquisaDeProdutos"_s, 3, mcat.ProdutoPeloNome, 3,
                                 u"pesquisa-de-produtos.png"_s));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfNomeDoProduto"_s, mcat.ProdutoPeloNome));
        PASSO(AdicionarItem(4));
        QCOMPARE(Item(4).at(0), mcat.ProdutoPeloNome);
    }

    void quantidadeEDescontoDeUmItemAlterados() {
        const QString grade = u"frmFicha/msfgGradeDeItensDoOrcamento"_s;
        PASSO(mtela->ClicarNaCelula(grade, 2, 3));
        PASSO(mtela->Clicar(u"frmFicha/xrcmdAlterar"_s));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfNomeDoProduto"_s, mcat.ProdutoDoCodigo));
        // Entering a number box selects its text; typing replaces it; Tab validates.
        PASSO(mtela->Clicar(u"frmFicha/xrnumQuantidade"_s) && mtela->EsperarFoco(u"xrnumQuantidade"_s));
        PASSO(mtela->Digitar(u"2"_s) && mtela->Teclar(u"Tab"_s));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrnumQuantidade"_s, u"2,00"_s));
        PASSO(mtela->Clicar(u"frmFicha/xrnumPercentualDeDescontoPorItem"_s) &&
              mtela->EsperarFoco(u"xrnumPercentualDeDescontoPorItem"_s));
        PASSO(mtela->Digitar(u"10"_s) && mtela->Teclar(u"Tab"_s));
        const double bruto = 2 * mcat.PrecoDoProdutoDoCodigo;
        PASSO(mtela->EsperarTexto(u"frmFicha/xrnumValorDeDescontoPorItem"_s, Reais(bruto / 10)));
        PASSO(AdicionarItem(4));
        // The changed item goes back as the last row.
        QCOMPARE(Item(4), (QStringList{mcat.ProdutoDoCodigo, u"2,000"_s, Reais(mcat.PrecoDoProdutoDoCodigo),
                                       u"10,00"_s, Reais(bruto / 10), Reais(bruto - bruto / 10)}));
        PASSO(VerificarTotaisDaFicha());
        Capturar(u"frmFicha"_s, u"ficha.png"_s);
    }

    // F1 in the record form shows the user's guide at the quote's section, found beside
    // the program as the build lays it out; Escape closes it and the form goes on.
    void guiaDoUsuarioNoF1() {
        PASSO(mtela->Teclar(u"F1"_s) && mtela->EsperarJanelaAtiva(u"frmAjuda"_s));
        const QString guia = QDir::cleanPath(QFileInfo(QStringLiteral(ZELT_HOST)).absolutePath() +
                                             u"/../share/doc/zelt-orcamentos/guia/index.html"_s);
        PASSO(mtela->EsperarPropriedade(u"frmAjuda/txtGuia"_s, u"source"_s,
                                        QUrl::fromLocalFile(guia).toString() + u"#ficha"_s));
        PASSO(mtela->Teclar(u"Escape"_s) && mtela->EsperarJanelaAtiva(u"frmFicha"_s));
    }

    void gravadoAparecePrimeiroNaListaComSeusTotais() {
        const qint64 ultimoAntes = mtela->Celulas(u"frmLista/msfgGrade"_s).at(1)[1].toString().toLongLong();
        const QJsonArray linha = SalvarEVerPrimeiroNaLista();
        PASSO(!linha.isEmpty());
        mstrNumeroDoOrcamento = linha.at(1).toString();
        QVERIFY(mstrNumeroDoOrcamento.toLongLong() > ultimoAntes);
        QCOMPARE(linha.at(2).toString(), mcat.ApelidoDoCliente);
        QCOMPARE(linha.at(5).toString(), QString::number(mcat.CodigoDoCliente));
    }

    void alteradoSemUmItem() {
        PASSO(mtela->MoverPara(u"frmLista/msfgGrade"_s, 1, 2));
        PASSO(mtela->Clicar(u"frmLista/xrcmdAlterar"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        const QString grade = u"frmFicha/msfgGradeDeItensDoOrcamento"_s;
        PASSO(
            mtela->Esperar([&] { return mtela->Celulas(grade).size() == 5; }, u"os quatro itens gravados"_s));
        const int balanca = LinhaCom(grade, 3, mcat.ProdutoDaBalanca);
        QVERIFY(balanca > 0);
        PASSO(mtela->ClicarNaCelula(grade, balanca, 3));
        PASSO(mtela->Clicar(u"frmFicha/xrcmdRemover"_s));
        PASSO(mtela->Esperar([&] { return mtela->Celulas(grade).size() == 4; }, u"o item removido"_s));
        QCOMPARE(LinhaCom(grade, 3, mcat.ProdutoDaBalanca), -1);
        PASSO(VerificarTotaisDaFicha());
        const QJsonArray linha = SalvarEVerPrimeiroNaLista();
        PASSO(!linha.isEmpty());
        QCOMPARE(linha.at(1).toString(), mstrNumeroDoOrcamento);
        for (int i = 6; i <= 9; ++i)
            mlstTotaisDaLista << linha.at(i).toString();
    }

    void fichaImpressaEmPdfComOsTotais() {
        PASSO(ImprimirFichaDaLinha(1));
        const QString pdf = ExportarPdf(
            u"Orçamento "_s + mstrNumeroDoOrcamento + u" - "_s + mcat.NomeDoCliente + u".pdf"_s, u"ficha"_s);
        PASSO(!pdf.isEmpty());
        // The clients' data is the user's alone: the PDF and its folder.
        QVERIFY2(SoDoDono(pdf), qPrintable(pdf));
        const QString texto = TextoDoPdf(pdf);
        QVERIFY2(texto.contains(u"Orçamento no.: "_s + mstrNumeroDoOrcamento), qPrintable(texto));
        QVERIFY2(texto.contains(mcat.ApelidoDoCliente), qPrintable(texto));
        QVERIFY2(texto.contains(mcat.ProdutoDoCodigo) && !texto.contains(mcat.ProdutoDaBalanca),
                 qPrintable(texto));
        // The list's values as money ("#,##0.00"), whatever text the grid holds them in.
        const auto dinheiro = [](const QString& texto) {
            const QLocale br(QLocale::Portuguese, QLocale::Brazil);
            return br.toString(br.toDouble(texto), 'f', 2);
        };
        const QStringList esperados{dinheiro(mlstTotaisDaLista.at(0)),
                                    dinheiro(mlstTotaisDaLista.at(1)) + u"%"_s,
                                    dinheiro(mlstTotaisDaLista.at(2)), dinheiro(mlstTotaisDaLista.at(3))};
        for (const QString& valor : esperados)
            QVERIFY2(texto.contains(valor), qPrintable(valor + u" missing from:\n"_s + texto));
    }

    // The list printed from the list: the changed quote first, with its values.
    void listaImpressa() {
        PASSO(mtela->Clicar(u"frmLista/xrcmdImprimirLista"_s));
        mstrPdfDaLista = ExportarPdf(u"Orçamentos - Recentes - "_s +
                                         QDate::currentDate().toString(u"dd-MM-yyyy"_s) + u".pdf"_s,
                                     u"lista"_s);
        PASSO(!mstrPdfDaLista.isEmpty());
        QVERIFY2(SoDoDono(mstrPdfDaLista), qPrintable(mstrPdfDaLista));
        const QString texto = TextoDoPdf(mstrPdfDaLista);
        const QString primeira = texto.section(mstrNumeroDoOrcamento + u" "_s, 1).section(u'\n', 0, 0);
        QVERIFY2(primeira.contains(mcat.ApelidoDoCliente), qPrintable(texto));
        QVERIFY2(primeira.contains(mlstTotaisDaLista.at(3)), qPrintable(texto));
    }

    // The sheet printed on the printer: its number, its client and its net value.
    void fichaImpressaNaImpressora() {
        PASSO(ImprimirFichaDaLinha(1));
        const QString texto = Imprimir(0);
        PASSO(!texto.isEmpty());
        QCOMPARE(texto.count(u'\f'), 1);
        for (const QString& esperado :
             QStringList{u"Orçamento no.: "_s + mstrNumeroDoOrcamento, mcat.ApelidoDoCliente,
                         mcat.NomeDoCliente, mlstTotaisDaLista.at(3)})
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + u" missing from:\n"_s + texto));
    }

    // Pages 2 to 2 chosen in the print dialog: the printer gets that page alone, the
    // same as the exported list's second page (spacing aside).
    void listaImpressaSoNasPaginasEscolhidas() {
        const QStringList paginas = TextoDoPdf(mstrPdfDaLista).split(u'\f', Qt::SkipEmptyParts);
        QVERIFY2(paginas.size() >= 3, "the recent quotes fill three pages");
        PASSO(mtela->Clicar(u"frmLista/xrcmdImprimirLista"_s));
        const QString texto = Imprimir(2);
        PASSO(!texto.isEmpty());
        QCOMPARE(texto.count(u'\f'), 1);
        const auto semEspacos = [](QString t) { return t.remove(QRegularExpression(u"\\s"_s)); };
        QCOMPARE(semEspacos(texto), semEspacos(paginas.at(1)));
    }

    // From the sheet's preview the quote goes to its client by e-mail, with the PDF of the
    // sheet attached, and by WhatsApp, with the PDF's folder opened beside the chat; the
    // preview tells the last send, and each one is recorded.
    void enviadoPorEmailEPorWhatsApp() {
        const QString email = u"cliente.do.cenario@exemplo.com.br"_s;
        QCOMPARE(Consultar(u"UPDATE Clientes SET Email = '%1', Celular = '(19) 99876-5432' WHERE "
                           "CodigoDoCliente = %2"_s.arg(email, QString::number(mcat.CodigoDoCliente))),
                 QStringList());
        const auto enviado = [&](const QString& canal, int chamadas) {
            return mtela->Esperar(
                [&] {
                    return Chamadas().size() == chamadas &&
                           mtela->Propriedade(u"lblAvisoDaPrevia"_s, u"text"_s)
                               .startsWith(u"Enviado por "_s + canal);
                },
                u"o envio por "_s + canal);
        };
        PASSO(ImprimirFichaDaLinha(1));
        PASSO(mtela->Clicar(u"cmdEnviarPorEmail"_s) && enviado(u"e-mail"_s, 1));
        PASSO(mtela->Clicar(u"cmdEnviarPorWhatsApp"_s) && enviado(u"WhatsApp"_s, 3));
        PASSO(mtela->Clicar(u"cmdFechar"_s) && mtela->EsperarJanelaAtiva(u"FomularioDoMenu"_s));

        const QString pasta = mstrPasta + u"/casa/Documents/Orçamentos"_s;
        const QString pdf =
            pasta + u"/Orçamento "_s + mstrNumeroDoOrcamento + u" - "_s + mcat.ApelidoDoCliente + u".pdf"_s;
        const QList<QStringList> chamadas = Chamadas();
        // One mailto: URL, its values percent-encoded.
        QCOMPARE(chamadas.at(0).size(), 2);
        QCOMPARE(chamadas.at(0).at(0), u"xdg-email"_s);
        const QString mailto = QUrl::fromPercentEncoding(chamadas.at(0).at(1).toUtf8());
        QVERIFY2(mailto.startsWith(u"mailto:"_s + email + u"?subject=Orçamento "_s + mstrNumeroDoOrcamento +
                                   u" - "_s) &&
                     mailto.endsWith(u"&attach="_s + pdf),
                 qPrintable(mailto));
        const QString texto = TextoDoPdf(pdf);
        QVERIFY2(texto.contains(u"Orçamento no.: "_s + mstrNumeroDoOrcamento) &&
                     texto.contains(mlstTotaisDaLista.at(3)),
                 qPrintable(pdf + u":\n"_s + texto));
        QCOMPARE(chamadas.at(1).size(), 2);
        QCOMPARE(chamadas.at(1).at(0), u"xdg-open"_s);
        const QUrl endereco(chamadas.at(1).at(1));
        QCOMPARE(endereco.scheme() + u"://"_s + endereco.host() + endereco.path(),
                 u"https://wa.me/5519998765432"_s);
        QVERIFY(endereco.query(QUrl::FullyDecoded).contains(mstrNumeroDoOrcamento));
        QCOMPARE(chamadas.at(2), (QStringList{u"xdg-open"_s, pasta}));
        QCOMPARE(Consultar(u"SELECT Canal, Destino FROM EnviosDeOrcamentos WHERE NumeroDoOrcamento = %1 "
                           "ORDER BY NumeroDoEnvio"_s.arg(mstrNumeroDoOrcamento)),
                 (QStringList{u"e-mail|"_s + email, u"WhatsApp|5519998765432"_s}));
    }

    void excluidoDepoisDeConfirmado() {
        const QString lista = u"frmLista/msfgGrade"_s;
        PASSO(mtela->MoverPara(lista, 1, 2));
        PASSO(mtela->Clicar(u"frmLista/xrcmdExcluir"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        PASSO(mtela->EsperarPropriedade(u"frmFicha/xrcmdSalvarFecharConfirmar"_s, u"Caption"_s,
                                        u"Confirmar"_s));
        PASSO(mtela->Clicar(u"frmFicha/xrcmdSalvarFecharConfirmar"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"FomularioDoMenu"_s));
        PASSO(mtela->Esperar([&] { return LinhaCom(lista, 1, mstrNumeroDoOrcamento) == -1; },
                             u"a lista sem o orçamento excluído"_s));
    }

    void restauradoPelaJanelaDosExcluidos() {
        const QString janela = u"frmOrcamentosExcluidos/"_s;
        PASSO(AbrirMenuDeOrcamentos());
        // Its first entry: "Orçamentos excluídos…".
        PASSO(mtela->Teclar(u"Down"_s) && mtela->Teclar(u"Return"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmOrcamentosExcluidos"_s));
        PASSO(mtela->Clicar(janela + u"xrfndPesquisar"_s) && mtela->Digitar(mstrNumeroDoOrcamento) &&
              mtela->Teclar(u"Return"_s));
        PASSO(mtela->EsperarPropriedade(janela + u"xrnbBarraDeNavegacao"_s, u"TextoExibido"_s,
                                        u"1 - 1 de 1"_s));
        PASSO(mtela->Clicar(janela + u"xrcmdRestaurar"_s));
        PASSO(mtela->Responder(u"Restaurar o orçamento "_s + mstrNumeroDoOrcamento + u"?"_s, u"alt+s"_s));
        PASSO(
            mtela->Responder(u"O orçamento "_s + mstrNumeroDoOrcamento + u" foi restaurado."_s, u"Return"_s));
        PASSO(mtela->EsperarPropriedade(janela + u"xrnbBarraDeNavegacao"_s, u"TextoExibido"_s, u"0 de 0"_s));
        // Without a window manager no window is active once it closed; the list shows anyway.
        PASSO(mtela->Clicar(janela + u"xrcmdFechar"_s) &&
              Fechada(janela, u"a janela dos excluídos fechada"_s));
        PASSO(mtela->Esperar([&] { return LinhaCom(u"frmLista/msfgGrade"_s, 1, mstrNumeroDoOrcamento) > 0; },
                             u"o orçamento restaurado na lista"_s));
        QCOMPARE(Consultar(u"SELECT (SELECT COUNT(*) FROM Orcamentos WHERE NumeroDoOrcamento = %1), "
                           "(SELECT COUNT(*) FROM OrcamentosExcluidos WHERE NumeroDoOrcamento = %1)"_s.arg(
                               mstrNumeroDoOrcamento)),
                 QStringList{u"1|0"_s});
        // It comes back with its life: the two sends and the stage they gave it.
        QCOMPARE(Consultar(u"SELECT Canal FROM EnviosDeOrcamentos WHERE NumeroDoOrcamento = %1 ORDER BY "
                           "NumeroDoEnvio"_s.arg(mstrNumeroDoOrcamento)),
                 (QStringList{u"e-mail"_s, u"WhatsApp"_s}));
        QCOMPARE(Consultar(u"SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = "_s +
                           mstrNumeroDoOrcamento),
                 QStringList{u"Enviado"_s});
    }

    // A new quote with a client and an item, its record form open when the host is killed:
    // the next host's record form for a new quote offers it back, with its item.
    void naoGravadoRecuperadoDepoisDeOHostMorrer() {
        // The form's own copy, named by an identifier of its own, beside its lock.
        const QDir pasta(mstrPasta + u"/casa/.local/share/ZELT/ZELT_A_Orcamentos/recuperacao"_s);
        const auto copias = [&] {
            return pasta.entryInfoList({u"orcamento-nao-gravado-*.json"_s}, QDir::Files);
        };
        PASSO(mtela->Clicar(u"frmLista/xrcmdAdicionar"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        PASSO(Pesquisar(u"frmFicha/xrfCodigoDoCliente"_s, QString::number(mcat.CodigoDoCliente)));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfApelidoOuNomeFantasiaDoCliente"_s, mcat.ApelidoDoCliente));
        tipoDeServicoEAnimalEscolhidos();
        PASSO(!QTest::currentTestFailed() && mtela->Clicar(u"frmFicha/optProduto"_s));
        PASSO(Pesquisar(u"frmFicha/xrfCodigoDeBarrasDoProduto"_s, mcat.CodigoDeBarras));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfNomeDoProduto"_s, mcat.ProdutoDoCodigo));
        PASSO(AdicionarItem(1));
        PASSO(mtela->Esperar([&] { return copias().size() == 1 && copias().constFirst().size() > 0; },
                             u"a cópia do orçamento não gravado"_s));
        mtela->Matar();

        PASSO(mtela->Iniciar(QStringLiteral(ZELT_HOST), mlstArgumentos));
        PASSO(mtela->Clicar(u"frmLista/xrcmdAdicionar"_s));
        PASSO(mtela->Responder(u"Há um orçamento não gravado de "_s, u"alt+s"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfCodigoDoCliente"_s, QString::number(mcat.CodigoDoCliente)));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrcmbAnimal"_s, mcat.Animal));
        const QString grade = u"frmFicha/msfgGradeDeItensDoOrcamento"_s;
        PASSO(mtela->Esperar([&] { return mtela->Celulas(grade).size() == 2; }, u"o item recuperado"_s));
        QCOMPARE(Item(1), (QStringList{mcat.ProdutoDoCodigo, u"1,000"_s, Reais(mcat.PrecoDoProdutoDoCodigo),
                                       u"0,00"_s, u"0,00"_s, Reais(mcat.PrecoDoProdutoDoCodigo)}));
    }

    // The recovered quote saved: the one the client approves at the counter below.
    void recuperadoGravado() {
        const QJsonArray linha = SalvarEVerPrimeiroNaLista();
        PASSO(!linha.isEmpty());
        mstrSegundoOrcamento = linha.at(1).toString();
        QVERIFY(mstrSegundoOrcamento.toLongLong() > mstrNumeroDoOrcamento.toLongLong());
    }

    // "Configurações do orçamento…" from the host's menu: quotes valid for 5 days, a deposit
    // of 50 %, the clinic's PIX key, its name and city as written (accents and all), and the
    // payment conditions.
    void sinalEChavePixConfigurados() {
        const QString janela = u"frmConfiguracoesDoOrcamento/"_s;
        PASSO(AbrirMenuDeOrcamentos());
        // "Orçamentos excluídos…", "Histórico do orçamento…", then (past a separator) this one.
        PASSO(mtela->Teclar(u"Down"_s) && mtela->Teclar(u"Down"_s) && mtela->Teclar(u"Down"_s) &&
              mtela->Teclar(u"Return"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmConfiguracoesDoOrcamento"_s));
        const QList<std::pair<QString, QString>> campos{
            {u"xrnbQuantidadeDeDiasParaAValidadeDoOrcamento"_s, u"5"_s},
            {u"xrnbPercentualDoSinal"_s, u"50"_s},
            {u"xrnbChavePix"_s, ChavePix},
            {u"xrnbNomeDoRecebedor"_s, NomeDoRecebedor},
            {u"xrnbCidadeDoRecebedor"_s, CidadeDoRecebedor},
            {u"xrnbCondicoesDePagamento"_s, CondicoesDePagamento}};
        for (const auto& [caixa, texto] : campos)
            PASSO(Preencher(janela + caixa, texto) && mtela->Teclar(u"Tab"_s));
        PASSO(mtela->Clicar(janela + u"xrcmdGravar"_s));
        PASSO(mtela->Responder(u"As configurações do orçamento foram gravadas."_s, u"Return"_s));
        PASSO(Fechada(janela, u"as configurações fechadas"_s));
        QCOMPARE(
            Consultar(u"SELECT e.QuantidadeDeDiasParaAValidadeDoOrcamento, c.PercentualDoSinal, c.ChavePix, "
                      "c.NomeDoRecebedor, c.CidadeDoRecebedor, c.CondicoesDePagamento FROM Empresa e JOIN "
                      "ConfiguracoesDoOrcamento c ON c.CodigoDaEmpresa = e.Codigo"_s),
            QStringList{
                Juntos(5, 500000, ChavePix, NomeDoRecebedor, CidadeDoRecebedor, CondicoesDePagamento)});
    }

    // The restored quote sent again by WhatsApp from its row's menu (the stand-in opens the
    // chat and the sheet's folder): its stage stays "Enviado".
    void enviadoPeloMenuDaLinha() {
        const qsizetype antes = Chamadas().size();
        // The menu's last entry: "Enviar por WhatsApp".
        PASSO(AbrirMenuDaLinha(mstrNumeroDoOrcamento, {u"Up"_s}));
        PASSO(mtela->Esperar([&] { return Chamadas().size() == antes + 2; }, u"o envio por WhatsApp"_s));
        QCOMPARE(Chamadas().at(antes).at(0), u"xdg-open"_s);
        QVERIFY(Chamadas().at(antes).at(1).startsWith(u"https://wa.me/5519998765432?"_s));
        QCOMPARE(Consultar(u"SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = "_s +
                           mstrNumeroDoOrcamento),
                 QStringList{u"Enviado"_s});
    }

    // The sent quote, due in a few days, is in the follow-up window's first section;
    // "Lembrar por WhatsApp" opens the chat with the reminder and records a send.
    void lembradoPeloAcompanhamento() {
        // Its validity brought to tomorrow, as if it had been made days ago: the section
        // lists the quotes due within seven days. Tomorrow, not today, so that a run that
        // crosses midnight still finds it due rather than expired.
        const QDate vence = QDate::currentDate().addDays(1);
        QCOMPARE(
            Consultar(
                u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = '%1' WHERE NumeroDoOrcamento = %2"_s.arg(
                    vence.toString(Qt::ISODate), mstrNumeroDoOrcamento)),
            QStringList());
        PASSO(AbrirAcompanhamento());
        PASSO(EscolherNaSecao(mstrNumeroDoOrcamento));
        const QString grade = u"frmAcompanhamento/msfgSecaoVencem"_s;
        const QJsonArray linha =
            mtela->Celulas(grade).at(LinhaCom(grade, 1, mstrNumeroDoOrcamento)).toArray();
        const QString validade = vence.toString(u"dd/MM/yyyy"_s);
        QCOMPARE(linha.at(2).toString(), mcat.NomeDoCliente);
        QCOMPARE(linha.at(3).toString(), mcat.Animal);
        QCOMPARE(Centavos(linha.at(4).toString()), Centavos(mlstTotaisDaLista.at(3)));
        QCOMPARE(linha.at(5).toString(), validade);
        QCOMPARE(linha.at(6).toString(), u"Enviado"_s);
        Capturar(u"frmAcompanhamento"_s, u"acompanhamento.png"_s);

        const qsizetype antes = Chamadas().size();
        PASSO(mtela->Clicar(u"frmAcompanhamento/xrcmdLembrar"_s));
        PASSO(mtela->Esperar([&] { return Chamadas().size() == antes + 1; }, u"o lembrete"_s));
        const QStringList chamada = Chamadas().constLast();
        QCOMPARE(chamada.size(), 2);
        QCOMPARE(chamada.at(0), u"xdg-open"_s);
        const QUrl endereco(chamada.at(1));
        QCOMPARE(endereco.scheme() + u"://"_s + endereco.host() + endereco.path(),
                 u"https://wa.me/5519998765432"_s);
        const QString nomeFantasia =
            Consultar(u"SELECT NomeFantasia FROM Empresa ORDER BY Codigo"_s).value(0);
        QCOMPARE(
            QUrlQuery(endereco).queryItemValue(u"text"_s, QUrl::FullyDecoded),
            u"Olá %1, o orçamento %2 para %3 vale até %4. Podemos agendar? Qualquer dúvida, é só responder "
            "esta mensagem.\n\n%5"_s.arg(mcat.NomeDoCliente.section(u' ', 0, 0), mstrNumeroDoOrcamento,
                                         mcat.Animal, validade, nomeFantasia));
        QCOMPARE(Consultar(u"SELECT Canal FROM EnviosDeOrcamentos WHERE NumeroDoOrcamento = %1 ORDER BY "
                           "NumeroDoEnvio"_s.arg(mstrNumeroDoOrcamento)),
                 (QStringList{u"e-mail"_s, u"WhatsApp"_s, u"WhatsApp"_s, u"WhatsApp"_s}));
    }

    // The product's registry price raised; "Renovar validade…" shows that item's old and
    // new values and the new total, and the renewal stores them with the company's 5 days.
    void renovadoComOPrecoDeHoje() {
        const QString janela = u"frmRenovarValidade/"_s;
        QCOMPARE(
            Consultar(
                u"UPDATE Produtos SET ValorDeVenda = ValorDeVenda + 25000 WHERE CodigoDeBarras = '%1'"_s.arg(
                    mcat.CodigoDeBarras)),
            QStringList());
        const double novoPreco = mcat.PrecoDoProdutoDoCodigo + 2.5;
        const QString numero = mstrNumeroDoOrcamento;
        const QString item =
            u"SELECT ValorUnitario, ValorTotal FROM ItensDeOrcamento WHERE NumeroDoOrcamento = "
            "%1 AND CodigoDeBarrasDoProduto = '%2'"_s.arg(numero, mcat.CodigoDeBarras);
        const QStringList antes = Consultar(item).value(0).split(u'|');
        const qint64 liquidoAntes = Numero(ValorLiquido(numero)) / 100;
        const qsizetype entradas = Historico(numero).size();

        PASSO(EscolherNaSecao(numero) && mtela->Clicar(u"frmAcompanhamento/xrcmdRenovar"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmRenovarValidade"_s));
        const QString grade = janela + u"msfgGrade"_s;
        PASSO(mtela->Esperar([&] { return mtela->Celulas(grade).size() == 2; }, u"o item de preço mudado"_s));
        const QJsonArray linha = mtela->Celulas(grade).at(1).toArray();
        QCOMPARE(linha.at(1).toString(), mcat.ProdutoDoCodigo);
        QCOMPARE(linha.at(2).toString(), Reais(mcat.PrecoDoProdutoDoCodigo));
        QCOMPARE(linha.at(3).toString(), Reais(novoPreco));
        QCOMPARE(Centavos(linha.at(4).toString()), antes.value(1).toLongLong() / 100);
        const qint64 itemNovo = Centavos(linha.at(5).toString());
        const qint64 diferenca = itemNovo - Centavos(linha.at(4).toString());
        QVERIFY(diferenca > 0);
        QCOMPARE(Centavos(linha.at(6).toString()), diferenca);
        const qint64 liquidoNovo = liquidoAntes + diferenca;
        PASSO(mtela->EsperarPropriedade(
            janela + u"lblNovoTotal"_s, u"Caption"_s,
            u"Total atual: %1    Novo total: %2    Diferença: %3"_s.arg(
                Reais(liquidoAntes / 100.0), Reais(liquidoNovo / 100.0), Reais(diferenca / 100.0))));
        // Without a window manager no window is active once it closed.
        PASSO(mtela->Clicar(janela + u"xrcmdRenovar"_s) &&
              Fechada(u"frmRenovarValidade"_s, u"a renovação"_s));

        QCOMPARE(Consultar(item), QStringList{Juntos(qRound64(novoPreco * 10000), itemNovo * 100)});
        // The header is the sum of its items, the net value the window announced.
        QCOMPARE(Consultar(u"SELECT o.ValorLiquido, (SELECT SUM(i.ValorTotal) FROM ItensDeOrcamento i WHERE "
                           "i.NumeroDoOrcamento = o.NumeroDoOrcamento), o.DataDeValidadeDoOrcamento FROM "
                           "Orcamentos o WHERE o.NumeroDoOrcamento = %1"_s.arg(numero)),
                 QStringList{u"%1|%1|%2"_s.arg(QString::number(liquidoNovo * 100),
                                               QDate::currentDate().addDays(5).toString(Qt::ISODate))});
        QCOMPARE(Historico(numero).size(), entradas + 1);
        QCOMPARE(Historico(numero).constLast(), u"renovado"_s);
    }

    // Still due within the week, the renewed quote is refused for its price, with a note.
    void recusadoComMotivo() {
        const QString janela = u"frmRegistrarRecusa/"_s;
        const QString numero = mstrNumeroDoOrcamento;
        PASSO(EscolherNaSecao(numero) && mtela->Clicar(u"frmAcompanhamento/xrcmdRecusa"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmRegistrarRecusa"_s));
        PASSO(mtela->Escolher(janela + u"xrcmbMotivo"_s, u"Preço"_s));
        const QString nota = u"Achou caro; vai pensar."_s;
        PASSO(mtela->Clicar(janela + u"txtNota"_s) && mtela->Digitar(nota) &&
              mtela->EsperarPropriedade(janela + u"txtNota"_s, u"text"_s, nota));
        PASSO(mtela->Clicar(janela + u"xrcmdOK"_s) && Fechada(u"frmRegistrarRecusa"_s, u"a recusa"_s));
        const QString grade = u"frmAcompanhamento/msfgSecaoVencem"_s;
        PASSO(
            mtela->Esperar([&] { return LinhaCom(grade, 1, numero) == -1; }, u"o recusado fora da seção"_s));
        QCOMPARE(
            Consultar(u"SELECT Etapa, MotivoDaRecusa, Nota FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = "
                      "%1"_s.arg(numero)),
            QStringList{u"Recusado|Preço|"_s + nota});
        QCOMPARE(Historico(numero).constLast(), u"recusado: Preço"_s);
        PASSO(mtela->Clicar(u"frmAcompanhamento/xrcmdFechar"_s) &&
              Fechada(u"frmAcompanhamento"_s, u"o acompanhamento fechado"_s));
    }

    // The second quote approved at the counter, from its row's menu ("Aprovar orçamento…"):
    // every item approved, the client's name, "Presencial", and a signature drawn with the
    // mouse on the pad (real pointer events through the X server).
    void aprovadoNoBalcaoComAssinatura() {
        const QString janela = u"frmAprovarOrcamento/"_s;
        const QString numero = mstrSegundoOrcamento;
        const qint64 liquido = Numero(ValorLiquido(numero));
        // Its entries: "Entregue ao cliente", "Registrar aprovação…", "Aprovar orçamento…".
        PASSO(AbrirMenuDaLinha(numero, {u"Down"_s, u"Down"_s, u"Down"_s}));
        PASSO(mtela->EsperarJanelaAtiva(u"frmAprovarOrcamento"_s));
        PASSO(mtela->EsperarPropriedade(janela + u"lblTotalAprovado"_s, u"Caption"_s,
                                        u"Total aprovado: R$ "_s + Reais(liquido / 10000.0)));
        PASSO(mtela->EsperarPropriedade(janela + u"txtQuem"_s, u"text"_s, mcat.NomeDoCliente));
        PASSO(mtela->EsperarTexto(janela + u"xrcmbComo"_s, u"Presencial"_s));
        // A handwritten name (loops made by a pen that goes back as it moves on) and an
        // underline, in two strokes.
        QList<QPointF> nome;
        for (int i = 0; i <= 60; ++i) {
            const double t = i / 60.0, volta = 2 * M_PI * 5 * t;
            nome << QPointF(0.08 + 0.6 * t - 0.04 * std::sin(volta),
                            0.5 - 0.2 * std::cos(volta) * (1 - 0.4 * t));
        }
        PASSO(mtela->Desenhar(janela + u"assAssinatura"_s, {nome, {{0.1, 0.85}, {0.4, 0.82}, {0.75, 0.84}}}));
        PASSO(mtela->EsperarPropriedade(janela + u"assAssinatura"_s, u"Vazia"_s, u"false"_s));
        Capturar(u"frmAprovarOrcamento"_s, u"aprovacao.png"_s);
        PASSO(mtela->Clicar(janela + u"xrcmdAprovar"_s));
        PASSO(Fechada(u"frmAprovarOrcamento"_s, u"a aprovação"_s));

        QCOMPARE(
            Consultar(u"SELECT e.Etapa, a.Responsavel, a.Meio, a.ValorAprovado, a.ItensRecusados FROM "
                      "EtapasDoOrcamento e JOIN AprovacoesDoOrcamento a ON a.NumeroDoOrcamento = "
                      "e.NumeroDoOrcamento WHERE e.NumeroDoOrcamento = %1"_s.arg(numero)),
            QStringList{u"Aprovado|%1|Presencial|%2|"_s.arg(mcat.NomeDoCliente, QString::number(liquido))});
        QCOMPARE(Historico(numero).constLast(), u"aprovado"_s);
        // The signature stored is the drawing: dark strokes on white.
        const QImage assinatura = QImage::fromData(
            Binario(
                u"SELECT Assinatura FROM AprovacoesDoOrcamento WHERE NumeroDoOrcamento = %1"_s.arg(numero)),
            "PNG");
        QVERIFY(!assinatura.isNull());
        int escuros = 0;
        for (int y = 0; y < assinatura.height(); ++y)
            for (int x = 0; x < assinatura.width(); ++x)
                escuros += qGray(assinatura.pixel(x, y)) < 128;
        QVERIFY2(escuros > 50, qPrintable(QString::number(escuros)));
    }

    // "Registrar pagamento…" offers the deposit (50 % of the approved value); the client
    // pays half of it now by Pix, with the transaction id of the receipt.
    void sinalPagoEmPartePorPix() {
        const QString janela = u"frmRegistrarPagamento/"_s;
        const QString numero = mstrSegundoOrcamento;
        maprovado = VB::Currency::DeDecimosDeMilesimos(Numero(ValorLiquido(numero)));
        msinal = Sinal::Valor(maprovado, VB::Currency::DeInteiro(50));
        mpago = VB::Currency::DeDecimosDeMilesimos(msinal.DecimosDeMilesimos() / 200 * 100);
        // From the bottom: the two sends, "Histórico…", then "Registrar pagamento…".
        PASSO(AbrirMenuDaLinha(numero, {u"Up"_s, u"Up"_s, u"Up"_s, u"Up"_s}));
        PASSO(mtela->EsperarJanelaAtiva(u"frmRegistrarPagamento"_s));
        PASSO(mtela->EsperarTexto(janela + u"xrnbValor"_s, Reais(msinal.ParaDouble())));
        PASSO(mtela->EsperarPropriedade(janela + u"lblValorAprovado"_s, u"Caption"_s,
                                        u"Valor aprovado: R$ "_s + Reais(maprovado.ParaDouble())));
        PASSO(mtela->EsperarTexto(janela + u"xrcmbForma"_s, u"Pix"_s));
        PASSO(Preencher(janela + u"xrnbValor"_s, Reais(mpago.ParaDouble())) && mtela->Teclar(u"Tab"_s));
        const QString id = u"E18236120202612061432s0123ABCDEF"_s;
        PASSO(mtela->Clicar(janela + u"txtIdDaTransacao"_s) && mtela->Digitar(id) &&
              mtela->EsperarPropriedade(janela + u"txtIdDaTransacao"_s, u"text"_s, id));
        PASSO(mtela->Clicar(janela + u"xrcmdRegistrar"_s));
        PASSO(mtela->EsperarPropriedade(janela + u"lblValorPago"_s, u"Caption"_s,
                                        u"Pago: R$ "_s + Reais(mpago.ParaDouble())));
        PASSO(mtela->Clicar(janela + u"xrcmdFechar"_s) &&
              Fechada(u"frmRegistrarPagamento"_s, u"o pagamento"_s));
        QCOMPARE(Consultar(u"SELECT Valor, Forma, IdDaTransacao FROM PagamentosDoOrcamento WHERE "
                           "NumeroDoOrcamento = %1"_s.arg(numero)),
                 QStringList{u"%1|Pix|%2"_s.arg(QString::number(mpago.DecimosDeMilesimos()), id)});
    }

    // The approved sheet printed on the printer says what the law asks and what was agreed:
    // the validity, the conditions, the approval, the deposit asked and the part received,
    // and the PIX "copia e cola" of the deposit.
    void fichaAprovadaImpressaComSinalEPix() {
        const QString numero = mstrSegundoOrcamento;
        const int linha = LinhaCom(u"frmLista/msfgGrade"_s, 1, numero);
        QVERIFY(linha > 0);
        PASSO(ImprimirFichaDaLinha(linha));
        const QString texto = Imprimir(0);
        PASSO(!texto.isEmpty());
        const QString hoje = QDate::currentDate().toString(u"dd/MM/yyyy"_s);
        const QString validade = Consultar(u"SELECT DataDeValidadeDoOrcamento FROM Orcamentos WHERE "
                                           "NumeroDoOrcamento = %1"_s.arg(numero))
                                     .value(0);
        QStringList esperados{
            u"Orçamento no.: "_s + numero,
            u"Válido até "_s + QDate::fromString(validade, Qt::ISODate).toString(u"dd/MM/yyyy"_s),
            CondicoesDePagamento,
            u"Total aprovado: R$ "_s + Reais(maprovado.ParaDouble()),
            u"Aprovado por %1 em %2, Presencial"_s.arg(mcat.NomeDoCliente, hoje),
            u"Sinal para confirmar: R$ %1 (50 % do valor aprovado)"_s.arg(Reais(msinal.ParaDouble())),
            u"Sinal recebido: R$ %1 em %2"_s.arg(Reais(mpago.ParaDouble()), hoje)};
        // The payload of the whole deposit, printed in lines of 80 characters under its title.
        esperados << u"Pix copia e cola"_s;
        const QString pix = Pix::CopiaECola({ChavePix, NomeDoRecebedor, CidadeDoRecebedor, msinal,
                                             Pix::IdentificadorDoOrcamento(numero.toLongLong())});
        QVERIFY(pix.contains(u"ORC"_s + numero));
        for (qsizetype i = 0; i < pix.size(); i += 80)
            esperados << pix.mid(i, 80).trimmed();
        for (const QString& esperado : esperados)
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + u" missing from:\n"_s + texto));
    }

    // A cat's castration sold as a package: a new quote for the cat's owner, "Adicionar
    // pacote" with the package and a weight of 3,8 kg; the grid gets the items of the band
    // from 3 to 8 kg, two of them marked "se necessário", and the estimate from-to under
    // the totals; saved with the weight.
    void pacoteDeCastracaoParaUmaGata() {
        const QString grade = u"frmFicha/msfgGradeDeItensDoOrcamento"_s;
        PASSO(mtela->Clicar(u"frmLista/xrcmdAdicionar"_s));
        PASSO(mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        PASSO(Pesquisar(u"frmFicha/xrfCodigoDoCliente"_s, QString::number(mcat.CodigoDaTutora)));
        PASSO(mtela->EsperarTexto(u"frmFicha/xrfApelidoOuNomeFantasiaDoCliente"_s, mcat.ApelidoDaTutora));
        PASSO(mtela->Escolher(u"frmFicha/xrcmbTiposDeServicos"_s, mcat.TipoDeServico));
        PASSO(mtela->Escolher(u"frmFicha/xrcmbAnimal"_s, mcat.Gata));
        PASSO(mtela->Clicar(u"frmFicha/xrcmdAdicionarPacote"_s) &&
              mtela->EsperarJanelaAtiva(u"frmPacoteDaFicha"_s));
        PASSO(mtela->Escolher(u"frmPacoteDaFicha/xrcmbPacote"_s, u"Castração de gata (Gato)"_s));
        PASSO(Preencher(u"frmPacoteDaFicha/xrnumPeso"_s, u"3,8"_s));
        PASSO(mtela->Clicar(u"frmPacoteDaFicha/xrcmdConfirmar"_s) &&
              mtela->EsperarJanelaAtiva(u"frmFicha"_s));
        PASSO(
            mtela->Esperar([&] { return mtela->Celulas(grade).size() == 9; }, u"os oito itens do pacote"_s));
        // The band "3-8": consultation, blood count, anaesthesia up to 10 kg, castration,
        // two anti-inflammatories, the cone; the antibiotic and a day in hospital if needed.
        // Each row: the item's code, its quantity and its mark.
        const QStringList esperados =
            u"S1|1|;S6|1|;S33|1|;S7|1|;P16|2,000|;P30|1,000|;P17|1,000|Sim;S25|1|Sim"_s.split(u';');
        const QJsonArray linhas = mtela->Celulas(grade);
        qint64 seNecessario = 0;
        for (int linha = 1; linha < linhas.size(); ++linha) {
            const QJsonArray c = linhas.at(linha).toArray();
            const QStringList esperado = esperados.at(linha - 1).split(u'|');
            QCOMPARE((QStringList{c.at(3).toString(), c.at(6).toString(), c.at(21).toString()}),
                     (QStringList{mcat.ItensDoPacote.value(esperado.at(0)), esperado.at(1), esperado.at(2)}));
            QCOMPARE(c.at(5).toString(), mcat.Gata);
            if (c.at(21).toString() == u"Sim"_s) seNecessario += Centavos(c.at(10).toString());
        }
        PASSO(VerificarTotaisDaFicha());
        const qint64 liquido = Centavos(mtela->Propriedade(u"frmFicha/xrnumValorLiquido"_s, u"Text"_s));
        mstrEstimativa = u"Estimativa: de R$ %1 a R$ %2"_s.arg(Reais((liquido - seNecessario) / 100.0),
                                                               Reais(liquido / 100.0));
        PASSO(mtela->EsperarPropriedade(u"frmFicha/lblEstimativa"_s, u"Caption"_s, mstrEstimativa));
        // The marks stand in the last column, past the grid's scroll: a person brings them
        // into view with a click on the grid and Ctrl+End (the last row's last cell).
        const auto rolada = [&] { return mtela->Propriedade(grade, u"LeftCol"_s).toInt() > 3; };
        PASSO(mtela->ClicarNaCelula(grade, 1, 3) && mtela->EsperarFoco(u"msfgGradeDeItensDoOrcamento"_s) &&
              mtela->Teclar(u"ctrl+End"_s) && mtela->Esperar(rolada, u"a grade rolada até as marcas"_s));
        Capturar(u"frmFicha"_s, u"pacote.png"_s);

        const QJsonArray linha = SalvarEVerPrimeiroNaLista();
        PASSO(!linha.isEmpty());
        mstrOrcamentoDoPacote = linha.at(1).toString();
        const QString numero = mstrOrcamentoDoPacote;
        // What is stored says the same: the header the sum of its items, the two marked
        // items the difference between the ends, and the weight.
        const qint64 marcados = Numero(
            u"SELECT COALESCE(SUM(i.ValorTotal), 0) FROM ItensDeOrcamento i JOIN ItensSeNecessario m ON "
            "m.NumeroDoOrcamento = i.NumeroDoOrcamento AND m.NumeroDoItemDoOrcamento = "
            "i.NumeroDoItemDoOrcamento WHERE i.NumeroDoOrcamento = %1"_s.arg(numero));
        const qint64 somaDosItens =
            Numero(u"SELECT SUM(ValorTotal) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = "_s + numero);
        QCOMPARE(Numero(ValorLiquido(numero)), somaDosItens);
        QCOMPARE(u"Estimativa: de R$ %1 a R$ %2"_s.arg(Reais((somaDosItens - marcados) / 10000.0),
                                                       Reais(somaDosItens / 10000.0)),
                 mstrEstimativa);
        QCOMPARE(Consultar(u"SELECT Peso FROM PesosDosOrcamentos WHERE NumeroDoOrcamento = "_s + numero),
                 QStringList{u"38000"_s});
    }

    // The package's sheet, printed, carries the estimate and names the items left out of
    // the low end.
    void fichaDoPacoteImpressaComAEstimativa() {
        const int linha = LinhaCom(u"frmLista/msfgGrade"_s, 1, mstrOrcamentoDoPacote);
        QVERIFY(linha > 0);
        PASSO(ImprimirFichaDaLinha(linha));
        const QString texto = Imprimir(0).simplified();
        PASSO(!texto.isEmpty());
        for (const QString& esperado :
             {mstrEstimativa, u"Itens se necessário (fora do valor mínimo): %1, %2"_s.arg(
                                  mcat.ItensDoPacote.value(u"P17"_s), mcat.ItensDoPacote.value(u"S25"_s))})
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + u" missing from:\n"_s + texto));
    }

    // The consent form from the row's menu (its last entry, once surgery and hospital stays
    // ask for consent): the summary shows the weight and the estimate; what the registry
    // lacks is typed in the window; printed, every datum is on the paper and the history
    // says who signs it.
    void termoDeConsentimentoImpresso() {
        const QString janela = u"frmTermoDeConsentimento/"_s;
        const QString numero = mstrOrcamentoDoPacote;
        QCOMPARE(Consultar(u"UPDATE ConfiguracoesDoOrcamento SET TiposDeServicosComConsentimento = '2;6'"_s),
                 QStringList());
        PASSO(AbrirMenuDaLinha(numero, {u"Up"_s}));
        PASSO(mtela->EsperarJanelaAtiva(u"frmTermoDeConsentimento"_s));
        PASSO(mtela->EsperarPropriedade(janela + u"lblEstimativa"_s, u"Caption"_s, mstrEstimativa));
        PASSO(mtela->EsperarPropriedade(janela + u"lblTutor"_s, u"Caption"_s,
                                        u"Tutor(a): "_s + mcat.NomeDaTutora));
        QVERIFY2(mtela->Propriedade(janela + u"lblAnimal"_s, u"Caption"_s).endsWith(u" · 3,8 kg"_s),
                 qPrintable(mtela->Propriedade(janela + u"lblAnimal"_s, u"Caption"_s)));
        // Plain ASCII for what is typed (see Preencher); a valid CPF.
        // Each box "name=text".
        QMap<QString, QString> valores;
        for (const QString& digitado :
             {u"txtVeterinario=Dra. Marina Azevedo"_s, u"txtCRMV=12345"_s, u"txtUFDoCRMV=SP"_s,
              u"txtCNPJ=11.222.333/0001-81"_s, u"txtCPF=529.982.247-25"_s,
              u"txtEndereco=Rua das Palmeiras, 120 - Campinas/SP"_s, QString(u"txtAnimal="_s + mcat.Gata),
              u"txtEspecie=Gato"_s, u"txtRaca=Sem raca definida"_s, u"txtSexo=Femea"_s, u"txtIdade=3 anos"_s,
              u"txtLocal=Campinas/SP"_s}) {
            const QString caixa = digitado.section(u'=', 0, 0), texto = digitado.section(u'=', 1);
            QString valor = mtela->Propriedade(janela + caixa, u"text"_s).trimmed();
            if (valor.isEmpty()) {
                PASSO(Preencher(janela + caixa, texto, u"text"_s));
                valor = texto;
            }
            valores[caixa] = valor;
        }
        Capturar(u"frmTermoDeConsentimento"_s, u"termo.png"_s);
        PASSO(mtela->Clicar(janela + u"xrcmdImprimir"_s));
        const QString texto = Imprimir(0, u"frmTermoDeConsentimento"_s).simplified();
        PASSO(!texto.isEmpty());
        QStringList esperados{
            u"Termo de consentimento"_s,
            Consultar(u"SELECT NomeFantasia FROM Empresa ORDER BY Codigo"_s).value(0),
            mcat.NomeDaTutora,
            u"Peso: 3,8 kg"_s,
            mcat.ItensDoPacote.value(u"S7"_s) + u" (quantidade: 1)"_s,
            mcat.ItensDoPacote.value(u"S33"_s) + u" (quantidade: 1)"_s,
            mcat.ItensDoPacote.value(u"S25"_s) + u" (quantidade: 1) (se necessário)"_s,
            mstrEstimativa,
            u"Registro: CRMV-%1 %2"_s.arg(valores[u"txtUFDoCRMV"_s], valores[u"txtCRMV"_s])};
        for (const QString& valor : std::as_const(valores))
            esperados << valor.simplified();
        for (const QString& esperado : esperados)
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + u" missing from:\n"_s + texto));
        // Only the procedures of those two types.
        QVERIFY2(!texto.contains(mcat.ItensDoPacote.value(u"S1"_s)), qPrintable(texto));
        QCOMPARE(Historico(numero).constLast(),
                 u"termo de consentimento impresso: %1, CRMV-%2 %3"_s.arg(
                     valores[u"txtVeterinario"_s], valores[u"txtUFDoCRMV"_s], valores[u"txtCRMV"_s]));
        PASSO(mtela->Clicar(janela + u"xrcmdFechar"_s) &&
              Fechada(u"frmTermoDeConsentimento"_s, u"o termo fechado"_s));
    }

private:
    bool LerCatalogo(QSqlDatabase& db) {
        QSqlQuery q(db);
        auto um = [&](const QString& sql) { return q.exec(sql) && q.next(); };
        // A client with two or more animals whose nickname shares its last word with
        // another client's: the search by that word opens the client dialog.
        if (!q.exec(u"SELECT c.CodigoDoCliente, c.ApelidoOuNomeFantasia, "
                    "c.PercentualDeDescontoEmBanhosTosasEEsteticas, c.DescontoUnico, "
                    "c.PercentualUnicoDeDescontos, c.NomeOuRazaoSocial FROM Clientes c WHERE c.Situacao "
                    "= 1 AND (SELECT COUNT(*) FROM Animais a WHERE a.CodigoDoCliente = "
                    "c.CodigoDoCliente AND a.Situacao = 1) >= 2 ORDER BY c.CodigoDoCliente"_s))
            return false;
        while (q.next() && mcat.TrechoDoCliente.isEmpty()) {
            const QString apelido = q.value(1).toString();
            const QString trecho = apelido.section(u' ', -1);
            if (trecho.size() < 4 || trecho.contains(QRegularExpression(u"[^A-Za-z]"_s))) continue;
            QSqlQuery outros(db);
            outros.prepare(u"SELECT COUNT(*) FROM Clientes WHERE ApelidoOuNomeFantasia LIKE ?"_s);
            outros.addBindValue(QString(u"%"_s + trecho + u"%"_s));
            if (!outros.exec() || !outros.next() || outros.value(0).toInt() < 2) continue;
            mcat.TrechoDoCliente = trecho;
            mcat.CodigoDoCliente = q.value(0).toLongLong();
            mcat.ApelidoDoCliente = apelido;
            mcat.NomeDoCliente = q.value(5).toString();
            mcat.DescontoDoCliente = (q.value(3).toInt() ? q.value(4) : q.value(2)).toLongLong() / 10000.0;
        }
        if (mcat.TrechoDoCliente.isEmpty()) return false;
        if (!q.exec(
                u"SELECT Nome FROM Animais WHERE Situacao = 1 AND CodigoDoCliente = %1 ORDER BY Codigo"_s.arg(
                    mcat.CodigoDoCliente)) ||
            !q.next() || !q.next())
            return false;
        mcat.Animal = q.value(0).toString();

        if (!um(u"SELECT t.Nome, s.Nome, s.ValorDeVenda FROM Servicos s JOIN TiposDeServicos t "
                "ON t.Numero = s.NumeroDoTipoDeServico WHERE s.Situacao = 1 AND s.Nome LIKE 'Banho%' "
                "ORDER BY s.Codigo LIMIT 1 OFFSET 1"_s))
            return false;
        mcat.TipoDeServico = q.value(0).toString();
        mcat.Servico = q.value(1).toString();
        mcat.PrecoDoServico = q.value(2).toLongLong() / 10000.0;
        if (!um(u"SELECT DataInicialDaPromocao, DataFinalDaPromocao, PercPromocaoDeDescontoNaVendaDeServico, "
                "FormatoDeCodigoDeBarrasParaBalanca FROM Empresa ORDER BY Codigo"_s))
            return false;
        const QDate hoje = QDate::currentDate();
        if (QDate::fromString(q.value(0).toString(), Qt::ISODate) <= hoje &&
            QDate::fromString(q.value(1).toString(), Qt::ISODate) >= hoje)
            mcat.PromocaoDeServicos = q.value(2).toLongLong() / 10000.0;
        mcat.FormatoDaBalanca = q.value(3).toInt();

        if (!um(u"SELECT CodigoDeBarras, Nome, ValorDeVenda FROM Produtos WHERE Situacao = 1 AND "
                "VendidoPorEtiquetaDeBalanca = 0 AND CodigoDeBarras <> '' ORDER BY CodigoInterno"_s))
            return false;
        mcat.CodigoDeBarras = q.value(0).toString();
        mcat.ProdutoDoCodigo = q.value(1).toString();
        mcat.PrecoDoProdutoDoCodigo = q.value(2).toLongLong() / 10000.0;
        if (!um(u"SELECT CodigoInterno, Nome, ValorDeVenda FROM Produtos WHERE Situacao = 1 AND "
                "VendidoPorEtiquetaDeBalanca = 1 ORDER BY CodigoInterno"_s))
            return false;
        mcat.CodigoDaBalanca = q.value(0).toLongLong();
        mcat.ProdutoDaBalanca = q.value(1).toString();
        mcat.PrecoDaBalanca = q.value(2).toLongLong() / 10000.0;
        if (!um(u"SELECT Nome FROM Produtos WHERE Situacao = 1 AND Nome LIKE 'Petisco%' "
                "ORDER BY CodigoInterno LIMIT 1 OFFSET 1"_s))
            return false;
        mcat.ProdutoPeloNome = q.value(0).toString();
        if (!um(u"SELECT c.CodigoDoCliente, c.ApelidoOuNomeFantasia, c.NomeOuRazaoSocial, a.Nome FROM "
                "Animais a JOIN Clientes c ON c.CodigoDoCliente = a.CodigoDoCliente WHERE a.Situacao = 1 AND "
                "c.Situacao = 1 AND a.Especie = 'Gato' ORDER BY CASE WHEN a.Sexo LIKE 'F%' THEN 0 ELSE 1 "
                "END, a.Codigo"_s))
            return false;
        mcat.CodigoDaTutora = q.value(0).toLongLong();
        mcat.ApelidoDaTutora = q.value(1).toString();
        mcat.NomeDaTutora = q.value(2).toString();
        mcat.Gata = q.value(3).toString();
        if (!q.exec(u"SELECT 'S' || CAST(Codigo AS TEXT), Nome FROM Servicos UNION ALL SELECT 'P' || "
                    "CAST(CodigoInterno AS TEXT), Nome FROM Produtos"_s))
            return false;
        while (q.next())
            mcat.ItensDoPacote.insert(q.value(0).toString(), q.value(1).toString());
        return mcat.FormatoDaBalanca == 2; // the label below carries a weight
    }

    // An open connection to the scenario's database.
    QSqlDatabase Conexao(const QString& nome) {
        QSqlDatabase db = mstrUrlPostgreSQL.isEmpty()
                              ? QSqlDatabase::addDatabase(u"QSQLITE"_s, nome)
                              : BancoDeTeste::ConexaoPostgreSQL(mstrUrlPostgreSQL, nome);
        if (mstrUrlPostgreSQL.isEmpty()) db.setDatabaseName(mstrPasta + u"/clinica.sqlite"_s);
        db.open();
        return db;
    }

    // Runs the statements on the server of ZELT_TESTE_PG_URL, in its named database.
    bool ExecutarNoServidor(const QStringList& comandos) {
        QString erro;
        for (const QString& comando : comandos)
            if (!BancoDeTeste::ExecutarEm(qEnvironmentVariable("ZELT_TESTE_PG_URL"), comando, erro)) {
                qWarning() << erro;
                return false;
            }
        return true;
    }

    // The rows of a query on the scenario's database, each as its values joined by
    // "|"; {"falhou"} when it failed.
    QStringList Consultar(const QString& sql) {
        QStringList linhas;
        {
            QSqlDatabase db = Conexao(u"consulta"_s);
            QSqlQuery q(db);
            if (!q.exec(sql)) linhas << u"falhou"_s;
            while (q.next()) {
                QStringList valores;
                for (int i = 0; i < q.record().count(); ++i)
                    valores << q.value(i).toString();
                linhas << valores.join(u'|');
            }
        }
        QSqlDatabase::removeDatabase(u"consulta"_s);
        return linhas;
    }

    void Capturar(const QString& janela, const QString& nome) {
        if (!mstrCapturas.isEmpty()) PASSO(mtela->FotografarJanela(janela, mstrCapturas + u"/"_s + nome));
    }

    // Types a search into a find field and asks for it with Enter.
    bool Pesquisar(const QString& campo, const QString& texto) {
        return mtela->Clicar(campo) && mtela->EsperarFoco(campo.section(u'/', -1)) && mtela->Digitar(texto) &&
               mtela->EsperarTexto(campo, texto) && mtela->Teclar(u"Return"_s);
    }

    // A window closed (no longer on the screen), waited for as that.
    bool Fechada(const QString& janela, const QString& oQue) {
        return mtela->Esperar([&] { return !mtela->Existe(janela); }, oQue);
    }

    // The list's row chosen and "Imprimir ficha" clicked.
    bool ImprimirFichaDaLinha(int linha) {
        return mtela->MoverPara(u"frmLista/msfgGrade"_s, linha, 2) &&
               mtela->Clicar(u"frmLista/xrcmdImprimirFicha"_s);
    }

    // The grid row whose cell in that column holds the text (-1 none).
    int LinhaCom(const QString& grade, int coluna, const QString& texto) {
        const QJsonArray linhas = mtela->Celulas(grade);
        for (int linha = 1; linha < linhas.size(); ++linha)
            if (linhas.at(linha).toArray().at(coluna).toString() == texto) return linha;
        return -1;
    }

    // The search dialog shown with several rows, among them the one whose cell in that column
    // holds the text: its picture taken, that row clicked (in column clique), back on the form.
    bool EscolherNaPesquisa(const QString& dialogo, int coluna, const QString& texto, int clique,
                            const QString& captura) {
        const QString grade = dialogo + u"/msfgGrade"_s;
        int linha = -1;
        const auto achada = [&] {
            return (linha = LinhaCom(grade, coluna, texto)) > 0 && mtela->Celulas(grade).size() > 2;
        };
        if (!mtela->EsperarJanelaAtiva(dialogo) || !mtela->Esperar(achada, texto + u" entre outras linhas"_s))
            return false;
        Capturar(dialogo, captura);
        return mtela->ClicarNaCelula(grade, linha, clique) && mtela->EsperarJanelaAtiva(u"frmFicha"_s);
    }

    // An item as the record form's grid shows it: name, quantity, unit value,
    // discount percentage, discount value, total.
    QStringList Item(int linha) {
        const QJsonArray celulas =
            mtela->Celulas(u"frmFicha/msfgGradeDeItensDoOrcamento"_s).at(linha).toArray();
        QStringList item;
        for (int coluna : {3, 6, 7, 8, 9, 10})
            item << celulas.at(coluna).toString();
        return item;
    }

    // "Adicionar item", then the grid has one row more (linhasAntes counts its header).
    bool AdicionarItem(int linhasAntes) {
        const QString grade = u"frmFicha/msfgGradeDeItensDoOrcamento"_s;
        return mtela->Clicar(u"frmFicha/xrcmdAdicionar"_s) &&
               mtela->Esperar([&] { return mtela->Celulas(grade).size() == linhasAntes + 1; },
                              u"o item novo na grade"_s);
    }

    // The four totals of the form agree with its items, summed here.
    bool VerificarTotaisDaFicha() {
        const QJsonArray linhas = mtela->Celulas(u"frmFicha/msfgGradeDeItensDoOrcamento"_s);
        double bruto = 0;
        qint64 desconto = 0;
        for (int linha = 1; linha < linhas.size(); ++linha) {
            const QJsonArray c = linhas.at(linha).toArray();
            bruto += Centavos(c.at(6).toString()) / 100.0 * Centavos(c.at(7).toString()) / 100.0;
            desconto += Centavos(c.at(9).toString());
        }
        const QString total = Reais(bruto);
        return mtela->EsperarTexto(u"frmFicha/xrnumValorTotal"_s, total) &&
               mtela->EsperarTexto(u"frmFicha/xrnumDescontoEmValor"_s, Reais(desconto / 100.0)) &&
               mtela->EsperarTexto(u"frmFicha/xrnumDescontoEmPercentual"_s,
                                   Reais(desconto * 100.0 / Centavos(total))) &&
               mtela->EsperarTexto(u"frmFicha/xrnumValorLiquido"_s,
                                   Reais((Centavos(total) - desconto) / 100.0));
    }

    // What a dialog's buttons read, the dialog being the active window of that class.
    QStringList Botoes(const QString& classe) {
        QStringList textos;
        for (const QJsonValue& texto : mtela->JanelaDaClasse(classe)[u"botoes"_s].toArray())
            textos << texto.toString();
        return textos;
    }

    // In the print preview shown: "Exportar para PDF"; the save dialog, in Portuguese,
    // proposes the documents folder's "Orçamentos" and a name that says what the file is;
    // Enter takes them; then the preview is closed. The PDF's path, empty on failure.
    QString ExportarPdf(const QString& proposto, const QString& captura) {
        const QString pdf = mstrPasta + u"/casa/Documents/Orçamentos/"_s + proposto;
        QStringList botoes;
        const bool exportado =
            mtela->Esperar([&] { return mtela->Existe(u"cmdExportarParaPdf"_s); },
                           u"a visualização da impressão"_s) &&
            mtela->Clicar(u"cmdExportarParaPdf"_s) &&
            mtela->Esperar([&] { return mtela->Janelas().value(u"ativa"_s).toString() == u"QFileDialog"_s; },
                           u"o diálogo de gravar"_s) &&
            mtela->EsperarPropriedade(u"QFileDialog/fileNameEdit"_s, u"text"_s, proposto) &&
            mtela->Esperar(
                [&] {
                    botoes = Botoes(u"QFileDialog"_s);
                    return botoes.contains(u"Salvar"_s) && botoes.contains(u"Cancelar"_s);
                },
                u"os botões Salvar e Cancelar"_s) &&
            mtela->Teclar(u"Return"_s) &&
            mtela->Esperar([&] { return QFileInfo(pdf).size() > 0; }, u"o PDF gravado"_s) &&
            mtela->Clicar(u"cmdFechar"_s) && mtela->EsperarJanelaAtiva(u"FomularioDoMenu"_s);
        if (!exportado) {
            qWarning() << "The save dialog's buttons:" << botoes;
            return {};
        }
        if (!mstrCapturas.isEmpty()) // the first page, as printed
            QProcess::execute(u"pdftoppm"_s,
                              {u"-png"_s, u"-r"_s, u"80"_s, u"-singlefile"_s, u"-f"_s, u"1"_s, u"-l"_s,
                               u"1"_s, pdf, mstrCapturas + u"/relatorio-"_s + captura});
        return pdf;
    }

    // In the print preview shown: "Imprimir"; the print dialog, in Portuguese, on the
    // private queue; pages from and to pagina when given (0: all); Enter prints; once the
    // queue has printed it the preview is closed. The printed job's text, empty on failure.
    // janela: the window whose command opened the print dialog itself, without a preview
    // (without a window manager it is not active again once the dialog closed).
    QString Imprimir(int pagina, const QString& janela = {}) {
        QFile::resize(Impresso(), 0);
        QStringList botoes;
        bool ok =
            (!janela.isEmpty() || (mtela->Esperar([&] { return mtela->Existe(u"cmdImprimir"_s); },
                                                  u"a visualização da impressão"_s) &&
                                   mtela->Clicar(u"cmdImprimir"_s))) &&
            mtela->Esperar(
                [&] { return mtela->Janelas().value(u"classeDaAtiva"_s).toString() == u"QPrintDialog"_s; },
                u"o diálogo de imprimir"_s) &&
            mtela->EsperarPropriedade(u"printers"_s, u"currentText"_s, u"zelt"_s) &&
            mtela->Esperar(
                [&] {
                    botoes = Botoes(u"QPrintDialog"_s);
                    return botoes.contains(u"Imprimir"_s) && botoes.contains(u"Cancelar"_s);
                },
                u"os botões Imprimir e Cancelar"_s);
        const QString numero = QString::number(pagina);
        if (ok && pagina > 0)
            // "Opções >>" (Alt+O) opens the range; then pages from, to.
            ok = mtela->Teclar(u"alt+o"_s) && mtela->Clicar(u"printRange"_s) && mtela->Clicar(u"from"_s) &&
                 mtela->Teclar(u"ctrl+a"_s) && mtela->Digitar(numero) &&
                 mtela->EsperarPropriedade(u"from"_s, u"value"_s, numero) && mtela->Clicar(u"to"_s) &&
                 mtela->Teclar(u"ctrl+a"_s) && mtela->Digitar(numero) &&
                 mtela->EsperarPropriedade(u"to"_s, u"value"_s, numero);
        // Printed when the queue holds no job any more and its file is a whole PDF.
        const auto impresso = [] {
            QProcess fila;
            fila.start(u"lpstat"_s, {u"-o"_s});
            fila.waitForFinished(10000);
            QFile arquivo(Impresso());
            return fila.exitCode() == 0 && fila.readAllStandardOutput().trimmed().isEmpty() &&
                   arquivo.open(QIODevice::ReadOnly) && arquivo.readAll().trimmed().endsWith("%%EOF");
        };
        ok = ok && mtela->Teclar(u"Return"_s) &&
             mtela->Esperar(impresso, u"o trabalho impresso pela fila"_s, 60000) &&
             (janela.isEmpty()
                  ? mtela->Clicar(u"cmdFechar"_s) && mtela->EsperarJanelaAtiva(u"FomularioDoMenu"_s)
                  : mtela->Esperar([&] { return mtela->Existe(janela); }, janela));
        if (!ok) {
            qWarning() << "The print dialog's buttons:" << botoes;
            return {};
        }
        return TextoDoPdf(Impresso());
    }

    // The box's text replaced by the one typed. A letter outside the keyboard's map can
    // still reach the program before its key's new map does (see Digitar): a text that
    // came out otherwise is typed again.
    bool Preencher(const QString& caixa, const QString& texto, const QString& propriedade = u"Text"_s) {
        for (int vez = 0; vez < 4; ++vez) {
            if (!mtela->Clicar(caixa) || !mtela->EsperarFoco(caixa.section(u'/', -1)) ||
                !mtela->Teclar(u"ctrl+a"_s) || !mtela->Digitar(texto))
                return false;
            if (mtela->Esperar([&] { return mtela->Propriedade(caixa, propriedade) == texto; },
                               caixa + u" = \""_s + texto + u"\""_s, 3000))
                return true;
        }
        return false;
    }

    // "Acompanhamento de orçamentos", the host menu's last entry (past a separator).
    bool AbrirAcompanhamento() {
        // The menu opens with no entry chosen: Up takes the last one.
        return AbrirMenuDeOrcamentos() && mtela->Teclar(u"Up"_s) && mtela->Teclar(u"Return"_s) &&
               mtela->EsperarJanelaAtiva(u"frmAcompanhamento"_s);
    }

    // The quote's row of the follow-up's first section chosen: the first row in sight
    // clicked, then the arrow keys to it (the grid scrolls to rows out of sight).
    bool EscolherNaSecao(const QString& numero) {
        const QString grade = u"frmAcompanhamento/msfgSecaoVencem"_s;
        int linha = -1;
        if (!mtela->Esperar([&] { return (linha = LinhaCom(grade, 1, numero)) > 0; },
                            u"o orçamento "_s + numero + u" entre os que vencem"_s))
            return false;
        const int topo = std::max(1, mtela->Propriedade(grade, u"TopRow"_s).toInt());
        if (!mtela->ClicarNaCelula(grade, topo, 1)) return false;
        for (int i = topo; i != linha; i += linha > topo ? 1 : -1)
            if (!mtela->Teclar(linha > topo ? u"Down"_s : u"Up"_s)) return false;
        return mtela->EsperarPropriedade(grade, u"Row"_s, QString::number(linha));
    }

    // The list row of the quote clicked with the right button; in its menu, these keys
    // and Enter (the menu opens with no entry chosen).
    bool AbrirMenuDaLinha(const QString& numero, const QStringList& teclas) {
        const QString grade = u"frmLista/msfgGrade"_s;
        int linha = -1;
        if (!mtela->Esperar([&] { return (linha = LinhaCom(grade, 1, numero)) > 0; },
                            u"o orçamento "_s + numero + u" na lista"_s) ||
            !mtela->ClicarNaCelula(grade, linha, 2, 3) ||
            !mtela->Esperar([&] { return mtela->Existe(u"mnuLinha"_s); }, u"o menu da linha"_s))
            return false;
        for (const QString& tecla : teclas)
            if (!mtela->Teclar(tecla)) return false;
        return mtela->Teclar(u"Return"_s);
    }

    static QString ValorLiquido(const QString& numero) {
        return u"SELECT ValorLiquido FROM Orcamentos WHERE NumeroDoOrcamento = "_s + numero;
    }

    // A quote's history, its operations oldest first.
    QStringList Historico(const QString& numero) {
        return Consultar(u"SELECT Operacao FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = %1 ORDER BY "
                         "NumeroDoRegistro"_s.arg(numero));
    }

    // The first value of a query, as a whole number (0 when there is none).
    qint64 Numero(const QString& sql) { return Consultar(sql).value(0).toLongLong(); }

    // The first value of a query, as bytes (a stored image).
    QByteArray Binario(const QString& sql) {
        QByteArray valor;
        {
            QSqlDatabase db = Conexao(u"binario"_s);
            QSqlQuery q(db);
            if (q.exec(sql) && q.next()) valor = q.value(0).toByteArray();
        }
        QSqlDatabase::removeDatabase(u"binario"_s);
        return valor;
    }

    // The calls of the stand-in helpers so far: each its program's name and arguments.
    QList<QStringList> Chamadas() const { return ChamadasDosSubstitutos(mstrPasta + u"/chamadas"_s); }

    // The tool bar's "Orçamentos" opens the list; the arrow beside it, which has no name of
    // its own, its menu: the pointer clicks rightwards along the button until it opens.
    bool AbrirMenuDeOrcamentos() {
        const QJsonObject barra = mtela->Controle(u"BarraDoMenu"_s);
        const int x = barra.value(u"x"_s).toInt();
        const int y = barra.value(u"y"_s).toInt() + barra.value(u"altura"_s).toInt() / 2;
        const auto aberto = [&] { return mtela->Existe(u"MenuOrcamentos"_s); };
        for (int passo = 4; passo < 240; passo += 6)
            if (mtela->ClicarNoPonto(x + passo, y) && mtela->Esperar(aberto, u"o menu Orçamentos"_s, 400))
                return true;
        return false;
    }

    // "Salvar"; back in the list, its first row holds a quote with the form's four totals
    // (compared in cents: the list writes them unformatted). That row's cells, or none.
    QJsonArray SalvarEVerPrimeiroNaLista() {
        QList<qint64> totais;
        for (const char* caixa :
             {"xrnumValorTotal", "xrnumDescontoEmPercentual", "xrnumDescontoEmValor", "xrnumValorLiquido"})
            totais << Centavos(mtela->Propriedade(u"frmFicha/"_s + QLatin1String(caixa), u"Text"_s));
        QJsonArray linha;
        const auto primeiraComOsTotais = [&] {
            linha = mtela->Celulas(u"frmLista/msfgGrade"_s).at(1).toArray();
            for (int i = 0; i < 4; ++i)
                if (Centavos(linha.at(6 + i).toString()) != totais.at(i)) return false;
            return true;
        };
        const bool ok =
            mtela->Clicar(u"frmFicha/xrcmdSalvarFecharConfirmar"_s) &&
            mtela->EsperarJanelaAtiva(u"FomularioDoMenu"_s) &&
            mtela->Esperar(primeiraComOsTotais, u"a lista com os totais da ficha na primeira linha"_s);
        return ok ? linha : QJsonArray();
    }

    QString mstrBanco;
    QString mstrPasta;
    QString mstrCapturas;
    QString mstrUrlPostgreSQL;
    QStringList mlstArgumentos; // the host's
    std::unique_ptr<HostNaTela> mtela;
    Catalogo mcat;
    bool mbooPassoFalhou = false;
    QString mstrNumeroDoOrcamento;
    QStringList mlstTotaisDaLista; // total, percentage, discount, net as the list shows them
    QString mstrPdfDaLista;        // the list exported to PDF
    QString mstrSegundoOrcamento;  // the recovered quote, approved at the counter
    VB::Currency maprovado, msinal, mpago;
    QString mstrOrcamentoDoPacote; // the cat's castration package
    QString mstrEstimativa; // its estimate, as the form shows it // the value approved, the deposit asked,
                            // the part paid by Pix
};

QTEST_MAIN(TesteDoCenario)
#include "tst_cenario.moc"
