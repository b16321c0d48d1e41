// The data-report runtime and the two quote reports: which rows each page holds, the
// designs' sections and controls by name, the reports written to PDF and read back
// with pdftotext (against reference texts where the layout is fixed), long reports
// across pages, long names and accents, and the preview reading only the pages asked.

#include "contracts/Pix.h"
#include "contracts/Sinal.h"
#include "list/RodapeDaFicha.h"
#include "list/drFicha.h"
#include "list/drLista.h"
#include "tests/Linha.h"
#include "tests/NumeroDoErro.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/reports/TextoDoPdf.h"

#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSpinBox>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QStringList CamposDaLista =
    u"NumeroDoOrcamento DataDoOrcamento CodigoDoCliente ApelidoOuNomeFantasiaDoCliente "
    u"NomeOuRazaoSocialDoCliente ValorTotal DescontoEmValor ValorLiquido NomeDaSituacao DataEHoraDaInclusao "
    u"UsuarioDaInclusao DataEHoraDaAlteracao UsuarioDaAlteracao"_s.split(u' ');

VB::Currency Moeda(double valor) {
    return VB::Currency::DeDouble(valor);
}

// Row i of a list of quotes: quote 1000 + i of client "Cliente i" (four digits).
QList<QVariant> LinhaDaLista(qint32 i) {
    const QString numero = QString::number(i).rightJustified(4, u'0');
    return QList<QVariant>() << double(1000 + i) << QDate(2026, 12, 1).addDays(i % 5) << double(500 + i)
                             << QString(u"Cliente "_s + numero)
                             << QString(u"Razão Social do Cliente "_s + numero)
                             << QVariant::fromValue(Moeda(100 + i)) << QVariant::fromValue(Moeda(10))
                             << QVariant::fromValue(Moeda(90 + i)) << (i % 7 == 0 ? u"Inativo"_s : u"Ativo"_s)
                             << QDateTime(QDate(2026, 12, 1), QTime(8, 0)).addSecs(60 * i) << u"ANA"_s
                             << (i % 2 ? QVariant(QDateTime(QDate(2026, 12, 4), QTime(17, 30, 15)))
                                       : VB::Null())
                             << (i % 2 ? u"JOÃO"_s : QString());
}

std::shared_ptr<RecordsetEmMemoria> ListaEmMemoria(qint32 quantidade) {
    auto rs = std::make_shared<RecordsetEmMemoria>(CamposDaLista);
    for (qint32 i = 0; i < quantidade; ++i)
        rs->AdicionarLinha(LinhaDaLista(i));
    return rs;
}

// A list as large as asked that makes its rows when they are read, and remembers which
// rows were read and where a read should fail.
class ListaPreguicosa : public Recordset {
public:
    explicit ListaPreguicosa(qint32 total) : mlonTotal(total) {}
    qint32 RecordCount() const override { return mlonTotal; }
    qint32 FieldsCount() const override { return static_cast<qint32>(CamposDaLista.size()); }
    QString FieldName(qint32 indice) const override { return CamposDaLista.at(indice); }
    Field Fields(const QString& nome) const override {
        if (Eof()) throw VB::ErroDeExecucao(3021);
        if (mlonPosicao == mlonLinhaQueFalha) throw VB::ErroDeExecucao(-2147467259, u"Conexão perdida"_s);
        LinhasLidas.insert(mlonPosicao);
        if (AoLer) AoLer(mlonPosicao);
        return Field{nome, LinhaDaLista(mlonPosicao).at(CamposDaLista.indexOf(nome))};
    }
    void MoveFirst() override { mlonPosicao = 0; }
    void MoveNext() override { ++mlonPosicao; }
    bool Eof() const override { return mlonPosicao >= mlonTotal; }
    qint32 AbsolutePosition0() const override { return mlonPosicao; }
    void MoverPara(qint32 posicao0) override { mlonPosicao = std::clamp(posicao0, 0, mlonTotal); }

    mutable QSet<qint32> LinhasLidas;
    qint32 mlonLinhaQueFalha = -1;
    std::function<void(qint32 linha)> AoLer;

private:
    qint32 mlonTotal;
    qint32 mlonPosicao = 0;
};

QSet<qint32> Intervalo(qint32 primeira, qint32 quantidade) {
    QSet<qint32> linhas;
    for (qint32 i = primeira; i < primeira + quantidade; ++i)
        linhas.insert(i);
    return linhas;
}

// Filled as the list fills the report before showing it.
void PreencherLista(drLista& lista, RecordsetPtr fonte) {
    lista.setDataSource(std::move(fonte));
    lista.setDataDeEmissao(QDate(2026, 12, 5));
    auto* cabecalho = lista.Sections(u"CabecalhoDaPagina"_s);
    cabecalho->Controls(u"lblNomeFantasiaDaEmpresa"_s)->setCaption(u"Clínica Veterinária São Francisco"_s);
    cabecalho->Controls(u"lblTitulo"_s)->setCaption(u"Orçamentos"_s);
    cabecalho->Controls(u"lblSubtitulo"_s)->setCaption(u"Lista completa"_s);
    lista.Sections(u"RodapeDaPagina"_s)
        ->Controls(u"lblTituloDoAplicativo"_s)
        ->setCaption(u"ZELT Veterinária"_s);
}

std::shared_ptr<RecordsetEmMemoria> Itens(const QList<QList<QVariant>>& itens) {
    auto rs = std::make_shared<RecordsetEmMemoria>(QStringList{
        u"NumeroDoOrcamento"_s, u"NomeDoServicoOuNomeDoProduto"_s, u"NomeDoAnimal"_s, u"Quantidade"_s,
        u"ValorUnitario"_s, u"DescontoEmValor"_s, u"ValorLiquido"_s, u"TipoDeLancamento"_s});
    for (const auto& item : itens)
        rs->AdicionarLinha(item);
    return rs;
}

constexpr qint32 Servico = 1;
constexpr qint32 Produto = 2;

QList<QVariant> Item(const QString& nome, const QString& animal, double quantidade, double unitario,
                     double desconto, qint32 lancamento = Servico) {
    return QList<QVariant>() << 123.0 << nome << animal << QVariant::fromValue(Moeda(quantidade))
                             << QVariant::fromValue(Moeda(unitario)) << QVariant::fromValue(Moeda(desconto))
                             << QVariant::fromValue(Moeda(quantidade * unitario - desconto)) << lancamento;
}

void PreencherFicha(drFicha& ficha, RecordsetPtr itens) {
    ficha.setDataSource(itens);
    ficha.setDataDeEmissao(QDate(2026, 12, 5));
    // Each label "name=caption".
    for (const QString& rotulo :
         {u"lblNomeFantasiaDaEmpresa=Clínica Veterinária São Francisco"_s, u"lblTitulo=Orçamento"_s,
          u"lblSubtitulo=Orçamento no.: 123"_s,
          QString(u"lblItens_Titulo="_s + (itens->RecordCount() <= 1 ? u"Item"_s : u"Itens"_s)),
          u"lblCodigo=4567"_s, u"lblApelidoOuNomeFantasia=Zé da Ração"_s,
          u"lblNomeOuRazaoSocial=José Antônio da Conceição"_s, u"lblValorTotal=230,00"_s,
          u"lblDescontoEmPercentual=10,00%"_s, u"lblDescontoEmValor=23,00"_s, u"lblValorLiquido=207,00"_s})
        ficha.Sections(u"CabecalhoDaPagina"_s)
            ->Controls(rotulo.section(u'=', 0, 0))
            ->setCaption(rotulo.section(u'=', 1));
    ficha.Sections(u"RodapeDaPagina"_s)
        ->Controls(u"lblTituloDoAplicativo"_s)
        ->setCaption(u"ZELT Veterinária"_s);
}

QString PastaDeSaida() {
    const QString pasta = QStringLiteral(ZELT_PASTA_DE_SAIDA);
    QDir().mkpath(pasta);
    return pasta;
}

// A folder holding an earlier PDF: afterwards, that file as it was and no other file.
struct PastaComPdfAntigo {
    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(u"relatorio.pdf"_s);
    QByteArray antigo = QByteArray("%PDF-1.4 antigo\n") + QByteArray(2000, 'x');
    PastaComPdfAntigo() {
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(antigo) == antigo.size());
    }
    bool Intacta() const {
        QFile f(arquivo);
        return f.open(QIODevice::ReadOnly) && f.readAll() == antigo &&
               QDir(pasta.path()).entryList(QDir::Files) == QStringList{u"relatorio.pdf"_s};
    }
};

} // namespace

class TesteDosRelatorios : public QObject {
    Q_OBJECT

private slots:
    void init() {
        mexibicoes.clear();
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            QVERIFY2(!mexibicoes.isEmpty(), qPrintable(u"janela inesperada: "_s + janela->objectName()));
            const auto exibicao = mexibicoes.takeFirst();
            exibicao(janela);
        });
    }

    void cleanup() {
        Plataforma::SubstituirExibicaoModal({});
        Plataforma::SubstituirMsgBox({});
        QVERIFY(mexibicoes.isEmpty());
    }

    void paginasDeUmaFonteDeTamanhoConhecido() {
        // 10,000 twips of paper, 2,000 of header and 500 of footer: 25 rows of 300 twips.
        const auto paginas = [](qint32 total) { return PaginacaoDoRelatorio(10000, 2000, 500, 300, total); };
        const PaginacaoDoRelatorio milhao = paginas(1000000);
        QCOMPARE((QList<qint32>{paginas(0).LinhasPorPagina(), paginas(0).QuantidadeDePaginas(),
                                paginas(0).LinhasNaPagina(1), paginas(25).QuantidadeDePaginas(),
                                paginas(26).QuantidadeDePaginas(), paginas(26).PrimeiraLinha(2),
                                paginas(26).LinhasNaPagina(2), milhao.QuantidadeDePaginas(),
                                milhao.PrimeiraLinha(40000), milhao.LinhasNaPagina(40000),
                                paginas(1000001).LinhasNaPagina(40001)}),
                 (QList<qint32>{25, 1, 0, 1, 2, 25, 1, 40000, 999975, 25, 1}));
        QCOMPARE(NumeroDoErro([&] { milhao.PrimeiraLinha(0); }), 380L);
        QCOMPARE(NumeroDoErro([&] { milhao.PrimeiraLinha(40001); }), 380L);
        // A header and footer that leave no room for one row, or a detail without height.
        QCOMPARE(NumeroDoErro([] { PaginacaoDoRelatorio(10000, 9000, 800, 300, 5); }), 380L);
        QCOMPARE(NumeroDoErro([] { PaginacaoDoRelatorio(10000, 2000, 500, 0, 5); }), 380L);
    }

    // The report footer under the last row, or alone on one more page when the last
    // row leaves no room for it (10,000 twips of paper: 7,500 for rows, 25 of 300).
    void paginasComRodapeDoRelatorio_data() {
        Colunas<qint32, int, qint32, qint32>("linhas", "rodape", "paginas", "linhasNaUltima");
        QTest::newRow("sem linhas") << 0 << 3000 << 1 << 0;
        QTest::newRow("cabe exatamente") << 15 << 3000 << 1 << 15;
        QTest::newRow("uma linha a mais: página própria") << 16 << 3000 << 2 << 0;
        QTest::newRow("página cheia") << 25 << 300 << 2 << 0;
        QTest::newRow("uma linha na segunda página") << 26 << 3000 << 2 << 1;
        QTest::newRow("sem rodapé") << 25 << 0 << 1 << 25;
    }
    void paginasComRodapeDoRelatorio() {
        QFETCH(qint32, linhas);
        QFETCH(int, rodape);
        QFETCH(qint32, paginas);
        QFETCH(qint32, linhasNaUltima);
        const PaginacaoDoRelatorio p(10000, 2000, 500, 300, linhas, rodape);
        QCOMPARE(p.QuantidadeDePaginas(), paginas);
        QCOMPARE(p.LinhasNaPagina(paginas), linhasNaUltima);
        QCOMPARE(p.ComRodapeDoRelatorio(paginas), rodape > 0);
        if (paginas > 1) QVERIFY(!p.ComRodapeDoRelatorio(paginas - 1));
        QCOMPARE(NumeroDoErro([] { PaginacaoDoRelatorio(10000, 2000, 500, 300, 1, 7501); }), 380L);
    }

    // What the sheet says after its items: validity, conditions, the clinic and, with a
    // deposit, its line, the refund text, the QR code and the "copia e cola", read back
    // from the PDF as text and the QR code from the page drawn as an image.
    void fichaDizValidadeCondicoesEmpresaESinal_data() {
        Colunas<int, bool>("itens", "comSinal");
        QTest::newRow("um item, com sinal") << 1 << true;
        QTest::newRow("cem itens, com sinal") << 100 << true;
        QTest::newRow("sem sinal") << 2 << false;
    }
    void fichaDizValidadeCondicoesEmpresaESinal() {
        QFETCH(int, itens);
        QFETCH(bool, comSinal);
        QList<QList<QVariant>> linhas;
        for (int i = 1; i <= itens; ++i)
            linhas.append(Item(u"Serviço %1"_s.arg(i), u"Rex"_s, 1, 10, 0));
        drFicha ficha;
        PreencherFicha(ficha, Itens(linhas));
        RodapeDaFicha::Dados d;
        d.DataDeValidade = u"15/12/2026"_s;
        d.CondicoesDePagamento = u"À vista no Pix ou em até 6x no cartão"_s;
        d.Empresa = u"Clínica Escola Ltda. - CNPJ 11.444.777/0001-61"_s;
        d.Endereco = u"Rua das Flores, 12 - Centro - Campinas/SP - CEP 13010-000"_s;
        d.Telefone = u"Telefone: (19) 3232-1000"_s;
        const QString pix = Pix::CopiaECola({u"123e4567-e12b-12d1-a456-426655440000"_s, u"Clínica Escola"_s,
                                             u"Campinas"_s, VB::Currency::DeInteiro(103), u"ORC123"_s});
        if (comSinal) {
            d.LinhaDoSinal = u"Sinal para confirmar: R$ 103,50 (50 % do valor aprovado)"_s;
            d.TextoDoReembolso = Sinal::TextoDoReembolso(false);
            d.CopiaECola = pix;
        }
        RodapeDaFicha::Preencher(ficha, d);
        const QString arquivo = PastaDeSaida() + u"/drFicha_rodape_%1_%2.pdf"_s.arg(
                                                     QString::number(itens), QString::number(comSinal));
        ficha.ExportarParaPdf(arquivo);
        const QStringList paginas = Paginas(TextoDoPdf(arquivo));
        const QString ultima = paginas.constLast();
        QStringList esperadas{u"Válido até 15/12/2026"_s,
                              u"Condições de pagamento"_s,
                              u"À vista no Pix ou em até 6x no cartão"_s,
                              u"Clínica Escola Ltda. - CNPJ 11.444.777/0001-61"_s,
                              u"Rua das Flores, 12 - Centro - Campinas/SP - CEP 13010-000"_s,
                              u"Telefone: (19) 3232-1000"_s};
        if (comSinal)
            esperadas << u"Sinal para confirmar: R$ 103,50 (50 % do valor aprovado)"_s
                      << u"O sinal não é reembolsável."_s << u"Pix copia e cola"_s;
        for (const QString& linha : esperadas)
            QVERIFY2(ultima.contains(linha), qPrintable(linha + u" não está em:\n"_s + ultima));
        // Once, on the last page only.
        for (qsizetype k = 0; k + 1 < paginas.size(); ++k)
            QVERIFY(!paginas.at(k).contains(u"Válido até"_s));
        QCOMPARE(ultima.contains(u"Sinal para confirmar"_s), comSinal);
        if (!comSinal) return;
        // The "copia e cola" in its three lines, joined, is the payload.
        static const QRegularExpression espacos(u"\\s+"_s);
        QString semEspacos = ultima;
        semEspacos.remove(espacos);
        QString pixSemEspacos = pix;
        pixSemEspacos.remove(espacos);
        QVERIFY2(semEspacos.contains(pixSemEspacos), qPrintable(ultima));
        QTemporaryDir pasta;
        const QString imagem =
            PaginaComoImagem(arquivo, static_cast<int>(paginas.size()), 150, pasta.filePath(u"pagina"_s));
        QCOMPARE(LerQrCode(imagem), pix);
        // On the screen: the preview's last page at 200 %, as drawn.
        const QString tela = pasta.filePath(u"tela.png"_s);
        mexibicoes.append([&](QWidget* janela) {
            auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela);
            QVERIFY(previa);
            previa->IrParaPagina(previa->QuantidadeDePaginas());
            auto* zoom = previa->findChild<QComboBox*>(u"cmbZoom"_s);
            zoom->setCurrentIndex(zoom->findText(u"200%"_s));
            QCoreApplication::processEvents();
            QVERIFY(previa->findChild<QWidget*>(u"picPagina"_s)->grab().save(tela));
        });
        ficha.Show();
        QCOMPARE(LerQrCode(tela), pix);
    }

    void linhasDasCondicoes_data() {
        Colunas<QString, int, QStringList>("texto", "porLinha", "linhas");
        QTest::newRow("vazio") << QString() << 10 << QStringList();
        QTest::newRow("cabe") << u"À vista no Pix"_s << 20 << QStringList{u"À vista no Pix"_s};
        QTest::newRow("quebra entre palavras") << u"À vista no  Pix ou em até 6x"_s << 12
                                               << QStringList{u"À vista no"_s, u"Pix ou em"_s, u"até 6x"_s};
        QTest::newRow("palavra maior que a linha")
            << u"abcdefghij k"_s << 4 << QStringList{u"abcd"_s, u"efgh"_s, u"ij k"_s};
        QTest::newRow("sobra: reticências")
            << u"um dois três quatro cinco"_s << 5 << QStringList{u"um"_s, u"dois"_s, u"três…"_s};
    }
    void linhasDasCondicoes() {
        QFETCH(QString, texto);
        QFETCH(int, porLinha);
        QFETCH(QStringList, linhas);
        QCOMPARE(RodapeDaFicha::Linhas(texto, porLinha, 3), linhas);
    }

    void secoesEControlesPorNomesUnicos() {
        // Each text box with the field it shows. (The labels the reports fill are reached by
        // name as PreencherLista and PreencherFicha fill them.)
        drLista lista;
        drFicha ficha;
        const QList<std::pair<Section*, QString>> caixas{
            {lista.Sections(u"Detalhes"_s),
             u"txtNumeroDoOrcamento:NumeroDoOrcamento txtDataDoOrcamento:DataDoOrcamento "
             u"txtCodigoDoCliente:CodigoDoCliente "
             u"txtApelidoOuNomeFantasiaDoCliente:ApelidoOuNomeFantasiaDoCliente "
             u"txtNomeOuRazaoSocialDoCliente:NomeOuRazaoSocialDoCliente txtValorTotal:ValorTotal "
             u"txtDescontoEmValor:DescontoEmValor txtValorLiquido:ValorLiquido txtSituacao:NomeDaSituacao "
             u"txtDataEHoraDaInclusao:DataEHoraDaInclusao txtUsuarioDaInclusao:UsuarioDaInclusao "
             u"txtDataEHoraDaAlteracao:DataEHoraDaAlteracao txtUsuarioDaAlteracao:UsuarioDaAlteracao"_s},
            {ficha.Sections(u"SubGrupos"_s),
             u"txtNomeDoServicoOuProduto:NomeDoServicoOuNomeDoProduto txtNomeDoAnimal:NomeDoAnimal "
             u"txtQuantidade:Quantidade txtValorUnitario:ValorUnitario txtDescontoEmValor:DescontoEmValor "
             u"txtTotalLiquido:ValorLiquido"_s}};
        for (const auto& [secao, pares] : caixas)
            for (const QString& par : pares.split(u' '))
                QCOMPARE(secao->Controls(par.section(u':', 0, 0))->DataField(), par.section(u':', 1));

        // Late binding: members by name; a member the control's kind lacks is error 438,
        // a name the collection lacks is error 9, an invalid value error 380.
        RptControl* titulo = lista.Sections(u"cabecalhodapagina"_s)->Controls(u"LBLTITULO"_s);
        QVERIFY(titulo->setProperty("Caption", u"Orçamentos"_s));
        QCOMPARE(titulo->Caption(), u"Orçamentos"_s);
        RptControl* valor = lista.Sections(u"Detalhes"_s)->Controls(u"txtValorTotal"_s);
        QCOMPARE(NumeroDoErro([&] { valor->setCaption(u"x"_s); }), 438L);
        QCOMPARE(NumeroDoErro([&] { titulo->setDataField(u"x"_s); }), 438L);
        QCOMPARE(NumeroDoErro([&] { lista.Sections(u"Rodape"_s); }), 9L);
        QCOMPARE(NumeroDoErro([&] { lista.Sections(u"Detalhes"_s)->Controls(u"txtNada"_s); }), 9L);
        QVERIFY(lista.setProperty("Orientation", 1));
        QCOMPARE(NumeroDoErro([&] { lista.setOrientation(3); }), 380L);
        QCOMPARE(NumeroDoErro([&] { lista.setLeftMargin(-1); }), 380L);
        QCOMPARE(NumeroDoErro([&] { lista.setDataMember(u"Orcamentos"_s); }), 380L);
        QCOMPARE(NumeroDoErro([&] { static_cast<RptTextBox*>(valor)->setDataFormat(u"#.##x"_s); }), 380L);
        QCOMPARE((QList<int>{lista.Orientation(), lista.LeftMargin()}), (QList<int>{1, 850}));
        QCOMPARE(static_cast<RptTextBox*>(valor)->DataFormat(), u"#,##0.00"_s);

        // Names are unique in a report, in any letter case.
        for (DataReport* relatorio : {static_cast<DataReport*>(&lista), static_cast<DataReport*>(&ficha)}) {
            QStringList nomes;
            for (const Section* secao : relatorio->ListaDeSecoes())
                for (const RptControl* controle : secao->ListaDeControles())
                    nomes << controle->objectName().toLower();
            QCOMPARE(QSet<QString>(nomes.begin(), nomes.end()).size(), nomes.size());
        }
        // The caption over a value and the column heading each have their name; a name the
        // report already has, in any section and letter case, is refused.
        Section* cabecalho = ficha.Sections(u"CabecalhoDaPagina"_s);
        QCOMPARE(cabecalho->Controls(u"lblDescontoEmValor_Titulo"_s)->Caption(), u"Desconto em valor:"_s);
        QCOMPARE(cabecalho->Controls(u"lblDescontoEmValor_Coluna"_s)->Caption(), u"Desc."_s);
        QCOMPARE(NumeroDoErro([&] { cabecalho->Adicionar<RptLine>(u"LINDIVISORIA"_s, 0, 0, 10, 0); }), 380L);
        QCOMPARE(cabecalho->ListaDeControles().size(), cabecalho->findChildren<RptControl*>().size());
        // The field that chooses the quantities' pattern must be in the data source.
        ficha.setDataSource(ListaEmMemoria(1));
        QCOMPARE(NumeroDoErro([&] { ficha.Show(); }), 3265L);
    }

    void desenhoInvalidoRecusadoAntesDeExibir() {
        const QString arquivo = PastaDeSaida() + u"/nao_gravado.pdf"_s;
        QFile::remove(arquivo);
        const auto descricao = [](DataReport& relatorio) -> QString {
            const VB::ErroDeExecucao erro = ErroDe([&] { relatorio.Show(); });
            return QString::number(erro.Numero()) + u' ' + erro.Descricao();
        };
        drLista semFonte;
        QCOMPARE(descricao(semFonte), u"91 O relatório não tem fonte de dados (DataSource)."_s);
        drLista semCampo;
        auto fonte = ListaEmMemoria(3);
        semCampo.setDataSource(fonte);
        semCampo.Sections(u"Detalhes"_s)->Controls(u"txtValorTotal"_s)->setDataField(u"ValorBruto"_s);
        QCOMPARE(
            descricao(semCampo),
            u"3265 A fonte de dados não tem o campo \"ValorBruto\" da caixa de texto \"txtValorTotal\"."_s);
        QCOMPARE(NumeroDoErro([&] { semCampo.ExportarParaPdf(arquivo); }), 3265L);
        QVERIFY(!QFile::exists(arquivo));
        drFicha larga;
        larga.setDataSource(fonte);
        larga.setReportWidth(10300); // 850 + 10300 + 850 twips on 11906 of upright A4
        QCOMPARE(descricao(larga),
                 u"380 A largura do relatório com as margens é maior que a largura do papel."_s);
        drFicha alta;
        alta.setDataSource(Itens({}));
        alta.Sections(u"CabecalhoDaPagina"_s)->setHeight(15000);
        QCOMPARE(descricao(alta), u"380 As seções do relatório não cabem na altura da página."_s);
        QCOMPARE(NumeroDoErro([&] { drLista().ExportarParaPdf(u"/nao/existe/lista.pdf"_s); }), 91L);
        drLista semPasta;
        semPasta.setDataSource(fonte);
        QCOMPARE(NumeroDoErro([&] { semPasta.ExportarParaPdf(u"/nao/existe/lista.pdf"_s); }), 75L);
    }

    void relatoriosConferemComAsReferencias_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("lista de três orçamentos") << u"drLista_tres_orcamentos"_s;
        QTest::newRow("ficha de um item") << u"drFicha_um_item"_s;
        QTest::newRow("ficha de dois itens") << u"drFicha_dois_itens"_s;
        QTest::newRow("desenho da lista sem preencher") << u"drLista_desenho"_s;
    }

    void relatoriosConferemComAsReferencias() {
        QFETCH(QString, nome);
        const QString arquivo = PastaDeSaida() + u'/' + nome + u".pdf"_s;
        const QList<QVariant> banho = Item(u"Banho e tosa — porte médio"_s, u"Rex"_s, 1, 80, 8);
        const QList<QVariant> racao =
            Item(u"Ração Premium Cães Adultos 15 kg"_s, u"Mel"_s, 2.5, 60, 0, Produto);
        if (nome == u"drLista_tres_orcamentos") {
            drLista lista;
            PreencherLista(lista, ListaEmMemoria(3));
            lista.ExportarParaPdf(arquivo);
        } else if (nome == u"drLista_desenho") {
            drLista lista;
            lista.setDataSource(ListaEmMemoria(1));
            lista.setDataDeEmissao(QDate(2026, 12, 5));
            lista.ExportarParaPdf(arquivo);
        } else {
            drFicha ficha;
            PreencherFicha(ficha, nome == u"drFicha_um_item" ? Itens({banho}) : Itens({banho, racao}));
            ficha.ExportarParaPdf(arquivo);
        }
        const QString texto = TextoDoPdf(arquivo);
        // Nothing here is longer than its box: a cut ("…") would be a heading that does not fit.
        QVERIFY2(!texto.contains(u'…'), qPrintable(texto));
        QVERIFY(ConfereComAReferencia(texto, QFINDTESTDATA(u"referencias"_s), nome));
    }

    void listaLongaQuebraComCabecalhoERodapeEmCadaPagina() {
        drLista lista;
        PreencherLista(lista, ListaEmMemoria(45));
        const qint32 porPagina = lista.PrepararLeitura().Paginacao().LinhasPorPagina();
        const QString arquivo = PastaDeSaida() + u"/drLista_longa.pdf"_s;
        lista.ExportarParaPdf(arquivo);
        const QStringList paginas = Paginas(TextoDoPdf(arquivo));
        const qint32 esperadas = (45 + porPagina - 1) / porPagina;
        QVERIFY(esperadas >= 3);
        QCOMPARE(paginas.size(), esperadas);
        QCOMPARE(
            FaltaEmAlgumaPagina(paginas, {u"Clínica Veterinária São Francisco"_s, u"Orçamentos"_s,
                                          u"Lista completa"_s, u"Emissão: 05/12/2026"_s, u"Val.liquido"_s,
                                          u"Usuário da inclusão"_s, u"ZELT Veterinária"_s}),
            QString());
        // Each page holds the next rows in order, and only them.
        static const QRegularExpression numero(u"(?m)^\\s*(\\d{4}) \\d\\d/12/2026"_s);
        qint32 proxima = 0;
        for (qint32 k = 0; k < paginas.size(); ++k) {
            for (auto achado = numero.globalMatch(paginas.at(k)); achado.hasNext();)
                QCOMPARE(achado.next().captured(1).toInt(), 1000 + proxima++);
            QCOMPARE(proxima, std::min(45, (k + 1) * porPagina));
        }
    }

    void fichaLongaRepeteOCabecalho() {
        QList<QList<QVariant>> itens;
        for (int i = 1; i <= 100; ++i)
            itens.append(Item(u"Serviço %1"_s.arg(i, 3, 10, QChar(u'0')), u"Rex"_s, i, 10, 0));
        drFicha ficha;
        PreencherFicha(ficha, Itens(itens));
        const QString arquivo = PastaDeSaida() + u"/drFicha_cem_itens.pdf"_s;
        ficha.ExportarParaPdf(arquivo);
        const QStringList paginas = Paginas(TextoDoPdf(arquivo));
        QVERIFY(paginas.size() >= 3);
        QCOMPARE(FaltaEmAlgumaPagina(paginas,
                                     {u"Orçamento no.: 123"_s, u"Zé da Ração"_s, u"Desconto em percentual:"_s,
                                      u"10,00%"_s, u"Serviço / Produto"_s, u"Total liquido"_s}),
                 QString());
        int itensVistos = 0;
        for (const QString& pagina : paginas)
            itensVistos += pagina.count(u"Serviço 0"_s) + pagina.count(u"Serviço 100"_s);
        QCOMPARE(itensVistos, 100);
        // Quantities in their own text form, money with two decimals: the 100th item.
        QVERIFY(paginas.constLast().contains(
            QRegularExpression(u"Serviço 100\\s+Rex\\s+100\\s+10,00\\s+0,00\\s+1.000,00"_s)));
    }

    void nomesLongosCortadosComReticenciasEAcentos() {
        auto fonte = std::make_shared<RecordsetEmMemoria>(CamposDaLista);
        QList<QVariant> linha = LinhaDaLista(1);
        const QString apelido = u"Pet Shop São João da Conceição Ávila — Filial Número Dezessete"_s;
        const QString razao = u"Associação Protetora dos Animais de Três Corações e Adjacências Ltda."_s;
        linha[3] = apelido;
        linha[4] = razao;
        fonte->AdicionarLinha(linha);
        // A character the font lacks is drawn in a font that has it, and cut the same way.
        QList<QVariant> outra = LinhaDaLista(2);
        outra[3] = u"Canil ★ Estrela"_s;
        outra[4] = u"Canil ★ Estrela do Norte e Nordeste Comércio de Animais Ltda."_s;
        fonte->AdicionarLinha(outra);
        drLista lista;
        PreencherLista(lista, fonte);
        const QString arquivo = PastaDeSaida() + u"/drLista_nomes_longos.pdf"_s;
        lista.ExportarParaPdf(arquivo);
        const QString texto = TextoDoPdf(arquivo);
        // Each name keeps its beginning and accents, ends in "…" inside its column, and the
        // next column's value follows intact.
        static const QRegularExpression linhaDoOrcamento(
            u"1001\\s+02/12/2026\\s+501\\s+(Pet Shop São João[^…]*)…\\s+(Associação Protetora[^…]*)…\\s+101,00\\s+10,00\\s+91,00\\s+Ativo"_s);
        const auto achado = linhaDoOrcamento.match(texto);
        QVERIFY2(achado.hasMatch(), qPrintable(texto));
        QVERIFY(apelido.startsWith(achado.captured(1).trimmed()));
        QVERIFY(razao.startsWith(achado.captured(2).trimmed()));
        QVERIFY(achado.captured(1).trimmed().size() < apelido.size() - 10);
        QVERIFY(texto.contains(u"01/12/2026 08:01:00"_s));
        QVERIFY2(texto.contains(QRegularExpression(
                     u"502\\s+Canil ★ Estrela\\s+Canil ★ Estrela do Norte[^…]*…\\s+102,00"_s)),
                 qPrintable(texto));
        // No blank is left before the "…".
        QVERIFY(!texto.contains(u" …"_s));
    }

    void previaDeUmMilhaoLeSoAsPaginasPedidasEMostraSeuErro() {
        auto fonte = std::make_shared<ListaPreguicosa>(1000000);
        drLista lista;
        PreencherLista(lista, fonte);
        lista.setWindowState(DataReport::vbMaximized);
        QStringList mensagens;
        AnotarMensagens(mensagens);
        ExibirComRoteiro(lista, [&](VisualizacaoDoRelatorio* previa) {
            const qint32 porPagina = static_cast<qint32>(previa->PaginaExibida().Linhas.size());
            const qint32 total = (1000000 + porPagina - 1) / porPagina;
            QCOMPARE(previa->windowTitle(), u"Imprimir orcamentos"_s);
            QVERIFY(previa->windowState() & Qt::WindowMaximized);
            QCOMPARE(previa->findChild<QLabel*>(u"lblTotalDePaginas"_s)->text(), u"de %1"_s.arg(total));
            QCOMPARE(fonte->LinhasLidas, Intervalo(0, porPagina));
            QVERIFY(!previa->findChild<QToolButton*>(u"cmdPaginaAnterior"_s)->isEnabled());

            fonte->LinhasLidas.clear();
            QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdUltimaPagina"_s), Qt::LeftButton);
            QCOMPARE(previa->PaginaAtual(), total);
            QCOMPARE(previa->findChild<QSpinBox*>(u"txtPagina"_s)->value(), total);
            const qint32 primeiraDaUltima = (total - 1) * porPagina;
            QCOMPARE(fonte->LinhasLidas, Intervalo(primeiraDaUltima, 1000000 - primeiraDaUltima));
            QVERIFY(!previa->findChild<QToolButton*>(u"cmdProximaPagina"_s)->isEnabled());

            fonte->LinhasLidas.clear();
            auto* pagina = previa->findChild<QSpinBox*>(u"txtPagina"_s);
            pagina->setValue(1000);
            QCOMPARE(previa->PaginaAtual(), 1000);
            QCOMPARE(fonte->LinhasLidas, Intervalo(999 * porPagina, porPagina));
            QCOMPARE(previa->PaginaExibida().Linhas.constFirst().at(0),
                     QString::number(1000 + 999 * porPagina));
            QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdPaginaAnterior"_s), Qt::LeftButton);
            QCOMPARE(previa->PaginaAtual(), 999);
            // A page that cannot be read: the error shown, the page kept.
            fonte->mlonLinhaQueFalha = 997 * porPagina + 1;
            QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdPaginaAnterior"_s), Qt::LeftButton);
            QCOMPARE(mensagens, QStringList{u"Conexão perdida|16|Imprimir orcamentos"_s});
            QCOMPARE(previa->PaginaAtual(), 999);
            QCOMPARE(pagina->value(), 999);

            // Zoom: the whole page fits the window; 100% is the paper's size on a 96-dpi screen.
            auto* zoom = previa->findChild<QComboBox*>(u"cmbZoom"_s);
            auto* folha = previa->findChild<QWidget*>(u"picPagina"_s);
            QCOMPARE(zoom->currentText(), u"100%"_s);
            zoom->setCurrentIndex(zoom->findText(u"Largura da página"_s));
            zoom->setCurrentIndex(zoom->findText(u"100%"_s));
            QCOMPARE(folha->size(), QSize(1123, 794)); // A4 lying: 297 x 210 mm
            zoom->setCurrentIndex(zoom->findText(u"Página inteira"_s));
            QVERIFY(folha->height() <= previa->findChild<QWidget*>(u"scrPagina"_s)->height());
            QCoreApplication::processEvents();
            QVERIFY(previa->grab().save(PastaDeSaida() + u"/previa.png"_s));
        });
        // The first page is read before the preview opens: its error reaches Show's caller.
        fonte->mlonLinhaQueFalha = 0;
        QCOMPARE(NumeroDoErro([&] { lista.Show(); }), -2147467259L);
    }

    void imprimirPelaPrevia() {
        drLista lista;
        PreencherLista(lista, ListaEmMemoria(80));
        const QString impresso = PastaDeSaida() + u"/drLista_paginas_2_a_3.pdf"_s;
        QFile::remove(impresso);
        qint32 total = 0;
        ExibirComRoteiro(lista, [&](VisualizacaoDoRelatorio* previa) {
            total = previa->QuantidadeDePaginas();
            QVERIFY(total >= 4);
            // The print dialog, answered: pages 2 to 3 to a PDF file.
            mexibicoes.append([&](QWidget* janela) {
                auto* dialogo = qobject_cast<QPrintDialog*>(janela);
                QVERIFY(dialogo);
                QCOMPARE(dialogo->minPage(), 1);
                QCOMPARE(dialogo->maxPage(), total);
                dialogo->printer()->setOutputFormat(QPrinter::PdfFormat);
                dialogo->printer()->setOutputFileName(impresso);
                dialogo->printer()->setPrintRange(QPrinter::PageRange);
                dialogo->printer()->setFromTo(2, 3);
                dialogo->done(QDialog::Accepted);
            });
            QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdImprimir"_s), Qt::LeftButton);
        });
        const QStringList paginas = Paginas(TextoDoPdf(impresso));
        QCOMPARE(paginas.size(), 2);
        QVERIFY(paginas.at(0).contains(u"Página: 2 de %1"_s.arg(total)));
        QVERIFY(paginas.at(1).contains(u"Página: 3 de %1"_s.arg(total)));
    }

    void pdfQueFalhaOuECanceladoNaoTocaNoArquivoExistente() {
        drLista lista;
        auto fonte = std::make_shared<ListaPreguicosa>(200);
        PreencherLista(lista, fonte);
        // A folder nobody may write in, root included.
        const VB::ErroDeExecucao semPasta = ErroDe([&] { lista.ExportarParaPdf(u"/proc/zelt.pdf"_s); });
        QVERIFY2(semPasta.Numero() == 75 && semPasta.Descricao().startsWith(
                                                u"Não foi possível gravar o arquivo \"/proc/zelt.pdf\" ("_s),
                 qPrintable(semPasta.Descricao()));
        // The data source fails on the third page, then the disk fills up halfway: the
        // earlier file stays as it was, never a truncated PDF taken for a whole one.
        PastaComPdfAntigo antiga;
        fonte->mlonLinhaQueFalha = 2 * lista.PrepararLeitura().Paginacao().LinhasPorPagina() + 1;
        QCOMPARE(NumeroDoErro([&] { lista.ExportarParaPdf(antiga.arquivo); }), -2147467259L);
        QVERIFY(antiga.Intacta());
        fonte->mlonLinhaQueFalha = -1;
        VB::ErroDeExecucao semEspaco(0);
        {
            const LimiteDeArquivo limite(20000);
            semEspaco = ErroDe([&] { lista.ExportarParaPdf(antiga.arquivo); });
        }
        QVERIFY2(semEspaco.Numero() == 75 &&
                     semEspaco.Descricao().endsWith(u" O arquivo que já existia não foi alterado."_s),
                 qPrintable(semEspaco.Descricao()));
        QVERIFY(antiga.Intacta());
        // Written whole, the new PDF takes the old one's place.
        lista.ExportarParaPdf(antiga.arquivo);
        QCOMPARE(Paginas(TextoDoPdf(antiga.arquivo)).size(),
                 lista.PrepararLeitura().Paginacao().QuantidadeDePaginas());
        QCOMPARE(QDir(antiga.pasta.path()).entryList(QDir::Files), QStringList{u"relatorio.pdf"_s});

        // From the preview: the person cancels, or the disk fills up; told, the file kept.
        QStringList mensagens;
        AnotarMensagens(mensagens);
        PastaComPdfAntigo cancelada;
        PastaComPdfAntigo cheia;
        ExibirComRoteiro(lista, [&](VisualizacaoDoRelatorio* previa) {
            const auto exportar = [&](const QString& arquivo) {
                mexibicoes.append([arquivo](QWidget* janela) {
                    auto* dialogo = qobject_cast<QFileDialog*>(janela);
                    QVERIFY(dialogo);
                    dialogo->setOption(QFileDialog::DontConfirmOverwrite); // the person agreed to replace it
                    dialogo->selectFile(arquivo);
                    QMetaObject::invokeMethod(dialogo, "accept");
                });
                QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdExportarParaPdf"_s), Qt::LeftButton);
            };
            // The person cancels the progress while the fifth page is written.
            const qint32 quinta = 4 * static_cast<qint32>(previa->PaginaExibida().Linhas.size());
            fonte->AoLer = [&](qint32 linha) {
                if (auto* progresso = previa->findChild<QProgressDialog*>(); progresso && linha == quinta)
                    progresso->cancel();
            };
            exportar(cancelada.arquivo);
            fonte->AoLer = {};
            // The disk fills up while it writes.
            const LimiteDeArquivo limite(20000);
            exportar(cheia.arquivo);
        });
        QCOMPARE(mensagens.size(), 2);
        QCOMPARE(
            mensagens[0],
            u"A gravação do PDF foi cancelada. O arquivo \"%1\" não foi alterado.|64|Imprimir orcamentos"_s
                .arg(cancelada.arquivo));
        QVERIFY2(
            mensagens[1].startsWith(u"Não foi possível gravar o arquivo \"%1\" ("_s.arg(cheia.arquivo)) &&
                mensagens[1].endsWith(u"O arquivo que já existia não foi alterado.|16|Imprimir orcamentos"_s),
            qPrintable(mensagens[1]));
        QVERIFY(cancelada.Intacta() && cheia.Intacta());
    }

private:
    // Runs the report's Show with the preview handed to roteiro while it is "on screen".
    void ExibirComRoteiro(DataReport& relatorio, std::function<void(VisualizacaoDoRelatorio*)> roteiro) {
        bool exibiu = false;
        mexibicoes.append([&](QWidget* janela) {
            auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela);
            QVERIFY(previa);
            exibiu = true;
            roteiro(previa);
            janela->close();
        });
        relatorio.Show();
        QVERIFY(exibiu);
    }

    // What each coming modal display does, in order; a display nobody expected fails.
    QList<std::function<void(QWidget*)>> mexibicoes;
};

QTEST_MAIN(TesteDosRelatorios)
#include "tst_relatorios.moc"
