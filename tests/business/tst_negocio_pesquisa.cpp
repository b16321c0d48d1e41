// The contains-searches through the trigram indexes (FTS5 on SQLite, pg_trgm on
// PostgreSQL) and the paging of large selections: every answer must be the one a
// plain LIKE '%...%' over the normalised texts gives, the indexes must follow every
// change of the rows, and a database of the first schema version gets its indexes
// filled when it is opened.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "business/Migracoes.h"
#include "business/Negocio.h"
#include "business/Pesquisa.h"
#include "contracts/CriarObjeto.h"

#include <QSqlQuery>
#include <QtTest>

using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsOrcamentos;

namespace {

QList<qint64> Coluna(const QString& sql, const QVariantList& parametros = {}) {
    QList<qint64> valores;
    QSqlQuery q = Banco::Executar(sql, parametros);
    while (q.next())
        valores << q.value(0).toLongLong();
    return valores;
}

// The codes a selection answered; a failed selection fails the test with the layer's
// description.
QList<qint64> CodigosDa(ObjetoDeNegocio& objeto, const QVariant& falhou, const char* campo) {
    if (falhou.toBool()) {
        QTest::qFail(qPrintable(objeto.DescricaoDoErro), __FILE__, __LINE__);
        return {};
    }
    return Codigos(*objeto.ResultadoDaSelecaoEmRecordSet(), campo);
}

// The list's selection of every situation for a text: its quote numbers.
QList<qint64> OrcamentosDoTexto(const QString& texto) {
    auto orcamentos = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
    qint16 tamanho = 10;
    return CodigosDa(*orcamentos, orcamentos->Selecionar(1, tamanho, 0, texto, 0, 0), "NumeroDoOrcamento");
}

// What a plain LIKE over the normalised texts answers for the list's search.
QList<qint64> OrcamentosPorLike(const QString& texto) {
    const QString p = Banco::PadraoContem(texto);
    return Coluna(
        QStringLiteral(
            "SELECT o.NumeroDoOrcamento FROM Orcamentos o JOIN Clientes c ON c.CodigoDoCliente = "
            "o.CodigoDoCliente WHERE CAST(o.NumeroDoOrcamento AS TEXT) LIKE ? ESCAPE '\\' OR "
            "CAST(o.CodigoDoCliente AS TEXT) LIKE ? ESCAPE '\\' OR c.ApelidoNormalizado LIKE ? "
            "ESCAPE '\\' OR c.NomeNormalizado LIKE ? ESCAPE '\\' ORDER BY o.NumeroDoOrcamento DESC"),
        {p, p, p, p});
}

QList<qint64> ClientesDoFormulario(const QString& texto) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    double zero = 0;
    return CodigosDa(
        *clientes,
        clientes->Selecionar(2, 0, 0, QString(), texto, zero, QString(), QString(), QString(), 0, QString()),
        "CodigoDoCliente");
}

QList<qint64> ClientesDoDialogo(const QString& texto) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    double zero = 0;
    return CodigosDa(
        *clientes,
        clientes->Selecionar(2, 0, 0, texto, QString(), zero, QString(), QString(), QString(), 0, QString()),
        "CodigoDoCliente");
}

QList<qint64> ProdutosDoDialogo(const QString& texto) {
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    return CodigosDa(*produtos, produtos->Selecionar(2, 0, 1, texto), "CodigoInterno");
}

QList<qint64> ServicosDoDialogo(const QString& texto) {
    auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
    return CodigosDa(*servicos, servicos->Selecionar(2, 0, 1, texto, 0), "Codigo");
}

QList<qint64> ProdutosDoFormulario(QString nome) {
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    QString barras;
    double codigo = 0;
    return CodigosDa(*produtos, produtos->Selecionar(2, 0, 0, QString(), nome, barras, codigo),
                     "CodigoInterno");
}

QList<qint64> ProdutosDoCodigoDeBarras(QString codigoDeBarras) {
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    QString nome;
    double codigo = 0;
    return CodigosDa(*produtos, produtos->Selecionar(2, 0, 0, QString(), nome, codigoDeBarras, codigo),
                     "CodigoInterno");
}

QList<qint64> ServicosDoFormulario(QString nome) {
    auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
    qint16 tipo = 0;
    double codigo = 0;
    return CodigosDa(*servicos, servicos->Selecionar(2, 0, 0, QString(), tipo, nome, codigo), "Codigo");
}

} // namespace

class TesteDaPesquisa : public TesteDeNegocio {
    Q_OBJECT

public:
    TesteDaPesquisa() : TesteDeNegocio(Preparo::Nada) {}

private slots:
    // On the demonstration clinic (200 clients, 420 quotes), the list's search gives
    // what a plain LIKE gives, for texts of every length: the short ones (no trigram),
    // pieces of names with and without accents, numbers, and the characters LIKE and
    // the FTS5 query language treat specially, which must stay literal.
    void lista_responde_como_o_like() {
        msessao = std::make_unique<Sessao>(true);
        QVERIFY(Contar() > 0);
        QStringList textos{
            QStringLiteral("a"),         QStringLiteral("9"),         QStringLiteral("12"),
            QStringLiteral("ão"),        QStringLiteral("sil"),       QStringLiteral("SILVA"),
            QStringLiteral("gonçalves"), QStringLiteral("goncalves"), QStringLiteral("Antônia "),
            QStringLiteral("ria da s"),  QStringLiteral("123"),       QStringLiteral("2001"),
            QStringLiteral("100% "),     QStringLiteral("a_b"),       QStringLiteral("\\ab"),
            QStringLiteral("o'b"),       QStringLiteral("\"silva\""), QStringLiteral("silva OR"),
            QStringLiteral("NEAR(a b)"), QStringLiteral("sil*"),      QStringLiteral("{Nome}: x"),
            QStringLiteral("^ana"),      QStringLiteral("zzz")};
        // And every three-letter piece of one client's name.
        const QString nome = Banco::Valor(QStringLiteral("SELECT NomeNormalizado FROM Clientes WHERE "
                                                         "CodigoDoCliente = 17"))
                                 .toString();
        for (int i = 0; i + 3 <= nome.size(); ++i)
            textos << nome.mid(i, 3);
        for (const QString& texto : textos)
            QVERIFY2(OrcamentosDoTexto(texto) == OrcamentosPorLike(texto), qPrintable(texto));
    }

    // The lookups of the record form give what a plain LIKE over the normalised name
    // gives, literally.
    void consultas_respondem_como_o_like() {
        msessao = std::make_unique<Sessao>();
        EscreverCadastroDeTeste();
        const QString sqlClientes =
            QStringLiteral("SELECT CodigoDoCliente FROM Clientes WHERE ApelidoNormalizado LIKE ? ESCAPE '\\' "
                           "OR NomeNormalizado LIKE ? "
                           "ESCAPE '\\' ORDER BY ApelidoNormalizado, CodigoDoCliente");
        for (const QString& texto :
             {QStringLiteral("100%"), QStringLiteral("feliz_c"), QStringLiteral("o'brien \\"),
              QStringLiteral("drop table clientes;--"), QStringLiteral("JOÃO"), QStringLiteral("cliente"),
              QStringLiteral("\"x\"")}) {
            const QString p = Banco::PadraoContem(texto);
            QVERIFY2(ClientesDoFormulario(texto) == Coluna(sqlClientes, {p, p}), qPrintable(texto));
        }
        QCOMPARE(ProdutosDoFormulario(QStringLiteral("50% NEU")), QList<qint64>{200});
        QCOMPARE(ProdutosDoFormulario(QStringLiteral("50_")), QList<qint64>{});
        QCOMPARE(ServicosDoFormulario(QStringLiteral("CONSULTA")),
                 Coluna(QStringLiteral(
                     "SELECT Codigo FROM Servicos WHERE NomeNormalizado LIKE '%consulta%' ORDER BY "
                     "NomeNormalizado, Codigo")));
    }

    // A NUL, a tab or an escape in a search text (pasted, or sent by a scanner) is not
    // part of what is searched: every search of the list, the record form and the three
    // dialogs finds what the text without them finds, with no database error.
    void caracteres_de_controle_fora_da_pesquisa() {
        msessao = std::make_unique<Sessao>();
        EscreverCadastroDeTeste();
        QVERIFY(NovoOrcamento(2, 12) > 0 && NovoOrcamento(1, 10) > 0);
        const QString controles = QString(QChar(0)) + u'\t' + QChar(0x1b);
        const QList<std::pair<QString, std::function<QList<qint64>(const QString&)>>> campos{
            {QStringLiteral("antônia"), OrcamentosDoTexto},
            {QStringLiteral("antônia"), ClientesDoFormulario},
            {QStringLiteral("antônia"), ClientesDoDialogo},
            {QStringLiteral("neutro"), ProdutosDoFormulario},
            {QStringLiteral("neutro"), ProdutosDoDialogo},
            {QStringLiteral("7891234567895"), ProdutosDoDialogo},
            {QStringLiteral("7891234567895"), ProdutosDoCodigoDeBarras},
            {QStringLiteral("consulta"), ServicosDoFormulario},
            {QStringLiteral("consulta"), ServicosDoDialogo},
        };
        for (const auto& [texto, procurar] : campos) {
            const QList<qint64> esperado = procurar(texto);
            QVERIFY2(!esperado.isEmpty(), qPrintable(texto));
            for (const QString& comControles :
                 QStringList{texto.left(3) + controles + texto.mid(3), controles + texto})
                QVERIFY2(procurar(comControles) == esperado, qPrintable(texto));
        }
    }

    // The indexes follow the rows: a new, renamed or removed client, product or
    // service and a removed quote are found, or no longer found, at once.
    void indices_acompanham_as_alteracoes() {
        msessao = std::make_unique<Sessao>();
        EscreverCadastroDeTeste();
        Cadastros::Cliente c;
        c.CodigoDoCliente = 4321;
        c.ApelidoOuNomeFantasia = QStringLiteral("Tião Carreiro");
        c.NomeOuRazaoSocial = QStringLiteral("Sebastião Pardinho");
        Cadastros::GravarCliente(c);
        QCOMPARE(ClientesDoFormulario(QStringLiteral("tiao car")), QList<qint64>{4321});
        c.ApelidoOuNomeFantasia = QStringLiteral("Bastião");
        Cadastros::GravarCliente(c);
        QCOMPARE(ClientesDoFormulario(QStringLiteral("tiao car")), QList<qint64>{});
        QCOMPARE(ClientesDoFormulario(QStringLiteral("bastiao")), QList<qint64>{4321});
        Banco::Executar(QStringLiteral("DELETE FROM Clientes WHERE CodigoDoCliente = ?"), {4321});
        QCOMPARE(ClientesDoFormulario(QStringLiteral("bastiao")), QList<qint64>{});

        Cadastros::Produto p;
        p.CodigoInterno = 777;
        p.Nome = QStringLiteral("Ração Úmida Sachê");
        Cadastros::GravarProduto(p);
        QCOMPARE(ProdutosDoFormulario(QStringLiteral("umida sache")), QList<qint64>{777});
        Cadastros::Servico s;
        s.Codigo = 88;
        s.Nome = QStringLiteral("Acupuntura veterinária");
        s.NumeroDoTipoDeServico = 99;
        Cadastros::GravarServico(s);
        QCOMPARE(ServicosDoFormulario(QStringLiteral("PUNTURA")), QList<qint64>{88});

        // Quote numbers: a quote found by a piece of its number is no longer found
        // once deleted.
        Banco::Executar(
            QStringLiteral("INSERT INTO Animais (Codigo, CodigoDoCliente, Nome) VALUES (9001, 1, 'Bob')"));
        for (int i = 0; i < 3; ++i)
            Banco::Executar(
                QStringLiteral(
                    "INSERT INTO Orcamentos (NumeroDoOrcamento, DataDoOrcamento, CodigoDoCliente, "
                    "CodigoDoAnimal, "
                    "ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido, "
                    "DataDeValidadeDoOrcamento, "
                    "DataEHoraDaInclusao, UsuarioDaInclusao) VALUES (?, '2026-01-02', 9, 9001, 0, 0, 0, 0, "
                    "'2026-01-12', '2026-01-02 10:00:00', 'ANA')"),
                {98760 + i});
        QCOMPARE(OrcamentosDoTexto(QStringLiteral("9876")), (QList<qint64>{98762, 98761, 98760}));
        Banco::Executar(QStringLiteral("DELETE FROM Orcamentos WHERE NumeroDoOrcamento = 98761"));
        QCOMPARE(OrcamentosDoTexto(QStringLiteral("9876")), (QList<qint64>{98762, 98760}));
        QCOMPARE(OrcamentosDoTexto(QStringLiteral("98761")), QList<qint64>{});
    }

    // A database of an earlier version of the schema gets the indexes, filled with
    // the rows it already holds, when it is opened.
    void banco_da_versao_1_ganha_os_indices() {
        msessao = std::make_unique<Sessao>();
        EscreverCadastroDeTeste();
        // Back to version 1: the search indexes removed.
        for (const Dialeto::TabelaPesquisavel& tabela : Pesquisa::Todas()) {
            if (msessao->EhSQLite()) {
                for (const QString& evento :
                     {QStringLiteral("Inclusao"), QStringLiteral("Exclusao"), QStringLiteral("Alteracao")})
                    Banco::Executar(QStringLiteral("DROP TRIGGER %1Pesquisa_%2").arg(tabela.Tabela, evento));
                Banco::Executar(QStringLiteral("DROP TABLE %1Pesquisa").arg(tabela.Tabela));
            } else {
                for (const Dialeto::TextoPesquisavel& texto : tabela.Textos)
                    Banco::Executar(
                        QStringLiteral("DROP INDEX %1_%2_Trigramas").arg(tabela.Tabela, texto.Coluna));
            }
        }
        Banco::Executar(QStringLiteral("UPDATE VersaoDoEsquema SET Versao = 1"));
        Negocio::Configuracao configuracao;
        configuracao.CriarDadosDeDemonstracao = false;
        if (msessao->EhSQLite())
            configuracao.ArquivoSQLite = msessao->ArquivoSQLite();
        else
            configuracao.UrlPostgreSQL = msessao->UrlPostgreSQL();
        Negocio::Iniciar(configuracao);
        QCOMPARE(Banco::Valor(QStringLiteral("SELECT MAX(Versao) FROM VersaoDoEsquema")).toInt(),
                 Migracoes::VersaoMaisRecente());
        QCOMPARE(ClientesDoFormulario(QStringLiteral("antônia")), QList<qint64>{2});
        QCOMPARE(ProdutosDoFormulario(QStringLiteral("50% neutro")), QList<qint64>{200});
    }

    // A selection far larger than a page: every page, read forwards near the start and
    // backwards near the end, and the rows walked one by one across both, are those
    // of the selection's order.
    void paginas_de_uma_selecao_grande() {
        msessao = std::make_unique<Sessao>();
        EscreverCadastroDeTeste();
        // 12,000 quotes of clients 1, 2 and 3, numbered 1..12000.
        Banco::Executar(QStringLiteral("INSERT INTO Orcamentos (NumeroDoOrcamento, DataDoOrcamento, "
                                       "CodigoDoCliente, CodigoDoAnimal, ValorTotal, "
                                       "DescontoEmPercentual, DescontoEmValor, ValorLiquido, "
                                       "DataDeValidadeDoOrcamento, DataEHoraDaInclusao, "
                                       "UsuarioDaInclusao) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                                       "i + 1 FROM n WHERE i < 12000) "
                                       "SELECT i, '2026-01-02', 1 + i % 3, NULL, i, 0, 0, i, '2026-01-12', "
                                       "'2026-01-02 10:00:00', 'ANA' FROM n"));
        auto orcamentos = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
        qint16 tamanho = 7;
        QVERIFY(!orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0).toBool());
        RecordsetPtr rs = orcamentos->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->RecordCount(), 12000);
        QCOMPARE(rs->PageCount(), 1715);
        for (const int pagina : {1, 2, 700, 1000, 1713, 1714, 1715, 3}) {
            rs->SetAbsolutePage(pagina);
            const qint64 primeiro = 12000 - qint64(pagina - 1) * 7;
            for (int linha = 0; linha < 7 && primeiro - linha >= 1; ++linha, rs->MoveNext()) {
                QCOMPARE(
                    static_cast<qint64>(rs->Fields(QStringLiteral("NumeroDoOrcamento")).Value.toDouble()),
                    primeiro - linha);
                QCOMPARE(static_cast<qint64>(rs->Fields(QStringLiteral("CodigoDoCliente")).Value.toDouble()),
                         1 + (primeiro - linha) % 3);
            }
        }
        // The last page holds the two quotes left, 2 of client 3 and 1 of client 2, with
        // their clients' names.
        rs->SetAbsolutePage(1715);
        QCOMPARE(rs->Fields(QStringLiteral("NomeOuRazaoSocialDoCliente")).Value.toString(),
                 QStringLiteral("Feliz_Comércio Ltda."));
        rs->MoveNext();
        QCOMPARE(rs->Fields(QStringLiteral("NomeOuRazaoSocialDoCliente")).Value.toString(),
                 QStringLiteral("Maria Antônia Gonçalves"));
        rs->MoveNext();
        QVERIFY(rs->Eof());
        // Walking the second half row by row gives every number once, in order.
        rs->MoverPara(5000);
        qint64 esperado = 7000;
        while (!rs->Eof()) {
            QCOMPARE(static_cast<qint64>(rs->Fields(QStringLiteral("NumeroDoOrcamento")).Value.toDouble()),
                     esperado--);
            rs->MoveNext();
        }
        QCOMPARE(esperado, qint64(0));
    }

private:
    static qint64 Contar() {
        return Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM Orcamentos")).toLongLong();
    }
};

QTEST_GUILESS_MAIN(TesteDaPesquisa)
#include "tst_negocio_pesquisa.moc"
