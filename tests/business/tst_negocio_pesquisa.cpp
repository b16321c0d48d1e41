// The contains-searches through the trigram indexes (FTS5 on SQLite, pg_trgm on
// PostgreSQL) and the paging of large selections: every answer must be the one a
// plain LIKE '%...%' over the normalised texts gives, the indexes must follow every
// change of the rows, and a database of the first schema version gets its indexes
// filled when it is opened.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/Cadastros.h"
#include "business/Migracoes.h"
#include "business/Pesquisa.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsOrcamentos;

namespace {

// The list's selection of every situation for a text: its quote numbers.
QList<qint64> OrcamentosDoTexto(const QString& texto) {
    return Codigos(*Lista(0, texto), "NumeroDoOrcamento");
}

// What a plain LIKE over the normalised texts answers for the list's search.
QList<qint64> OrcamentosPorLike(const QString& texto) {
    const QString p = Banco::PadraoContem(texto);
    return Inteiros(u"SELECT o.NumeroDoOrcamento FROM Orcamentos o JOIN Clientes c ON c.CodigoDoCliente = "
                    "o.CodigoDoCliente WHERE CAST(o.NumeroDoOrcamento AS TEXT) LIKE ? ESCAPE '\\' OR "
                    "CAST(o.CodigoDoCliente AS TEXT) LIKE ? ESCAPE '\\' OR c.ApelidoNormalizado LIKE ? "
                    "ESCAPE '\\' OR c.NomeNormalizado LIKE ? ESCAPE '\\' ORDER BY o.NumeroDoOrcamento DESC"_s,
                    {p, p, p, p});
}

// The codes each lookup finds for a text; the record form's in every situation.
QList<qint64> Clientes(const QString& texto) {
    return Codigos(*ClientesDoFormulario(texto), "CodigoDoCliente");
}
QList<qint64> ClientesNoDialogo(const QString& texto) {
    return Codigos(*ClientesDoDialogo(texto), "CodigoDoCliente");
}
QList<qint64> Produtos(const QString& nome) {
    return Codigos(*ProdutosDoFormulario(nome, QString(), 0, 0), "CodigoInterno");
}
QList<qint64> ProdutosNoDialogo(const QString& texto) {
    return Codigos(*ProdutosDoDialogo(texto), "CodigoInterno");
}
QList<qint64> ProdutosDoCodigoDeBarras(const QString& barras) {
    return Codigos(*ProdutosDoFormulario(QString(), barras, 0, 0), "CodigoInterno");
}
QList<qint64> Servicos(const QString& nome) {
    return Codigos(*ServicosDoFormulario(0, nome, 0, 0), "Codigo");
}
QList<qint64> ServicosNoDialogo(const QString& texto) {
    return Codigos(*ServicosDoDialogo(texto), "Codigo");
}

} // namespace

// Every test function but the first runs on the known registry.
class TesteDaPesquisa : public TesteDeNegocio {
    Q_OBJECT

private slots:
    // On the demonstration clinic (200 clients, 420 quotes), the list's search gives
    // what a plain LIKE gives, for texts of every length: the short ones (no trigram),
    // pieces of names with and without accents, numbers, and the characters LIKE and
    // the FTS5 query language treat specially, which must stay literal.
    void lista_responde_como_o_like() {
        msessao.reset(); // the demonstration clinic instead
        msessao = std::make_unique<Sessao>(true);
        QVERIFY(Contar() > 0);
        QStringList textos{u"a"_s,         u"9"_s,         u"12"_s,        u"ão"_s,        u"sil"_s,
                           u"SILVA"_s,     u"gonçalves"_s, u"goncalves"_s, u"Antônia "_s,  u"ria da s"_s,
                           u"123"_s,       u"2001"_s,      u"100% "_s,     u"a_b"_s,       u"\\ab"_s,
                           u"o'b"_s,       u"\"silva\""_s, u"silva OR"_s,  u"NEAR(a b)"_s, u"sil*"_s,
                           u"{Nome}: x"_s, u"^ana"_s,      u"zzz"_s};
        // And every three-letter piece of one client's name.
        const QString nome = Banco::Valor(u"SELECT NomeNormalizado FROM Clientes WHERE "
                                          "CodigoDoCliente = 17"_s)
                                 .toString();
        for (int i = 0; i + 3 <= nome.size(); ++i)
            textos << nome.mid(i, 3);
        for (const QString& texto : textos)
            QVERIFY2(OrcamentosDoTexto(texto) == OrcamentosPorLike(texto), qPrintable(texto));
    }

    // The lookups of the record form give what a plain LIKE over the normalised name
    // gives, literally.
    void consultas_respondem_como_o_like() {
        const QString sqlClientes =
            u"SELECT CodigoDoCliente FROM Clientes WHERE ApelidoNormalizado LIKE ? ESCAPE '\\' OR "
            "NomeNormalizado LIKE ? ESCAPE '\\' ORDER BY ApelidoNormalizado, CodigoDoCliente"_s;
        for (const QString& texto : {u"100%"_s, u"feliz_c"_s, u"o'brien \\"_s, u"drop table clientes;--"_s,
                                     u"JOÃO"_s, u"cliente"_s, u"\"x\""_s}) {
            const QString p = Banco::PadraoContem(texto);
            QVERIFY2(Clientes(texto) == Inteiros(sqlClientes, {p, p}), qPrintable(texto));
        }
        QCOMPARE(Produtos(u"50% NEU"_s), QList<qint64>{200});
        QCOMPARE(Produtos(u"50_"_s), QList<qint64>{});
        QCOMPARE(Servicos(u"CONSULTA"_s),
                 Inteiros(u"SELECT Codigo FROM Servicos WHERE NomeNormalizado LIKE '%consulta%' ORDER BY "
                          "NomeNormalizado, Codigo"_s));
    }

    // A NUL, a tab or an escape in a search text (pasted, or sent by a scanner) is not
    // part of what is searched: every search of the list, the record form and the three
    // dialogs finds what the text without them finds, with no database error.
    void caracteres_de_controle_fora_da_pesquisa() {
        QVERIFY(NovoOrcamento(2, 12) > 0 && NovoOrcamento(1, 10) > 0);
        const QString controles = QString(QChar(0)) + u'\t' + QChar(0x1b);
        const QList<std::pair<QString, std::function<QList<qint64>(const QString&)>>> campos{
            {u"antônia"_s, OrcamentosDoTexto},
            {u"antônia"_s, Clientes},
            {u"antônia"_s, ClientesNoDialogo},
            {u"neutro"_s, Produtos},
            {u"neutro"_s, ProdutosNoDialogo},
            {u"7891234567895"_s, ProdutosNoDialogo},
            {u"7891234567895"_s, ProdutosDoCodigoDeBarras},
            {u"consulta"_s, Servicos},
            {u"consulta"_s, ServicosNoDialogo}};
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
        Cadastros::Cliente c;
        c.CodigoDoCliente = 4321;
        c.ApelidoOuNomeFantasia = u"Tião Carreiro"_s;
        c.NomeOuRazaoSocial = u"Sebastião Pardinho"_s;
        Cadastros::GravarCliente(c);
        QCOMPARE(Clientes(u"tiao car"_s), QList<qint64>{4321});
        c.ApelidoOuNomeFantasia = u"Bastião"_s;
        Cadastros::GravarCliente(c);
        QCOMPARE(Clientes(u"tiao car"_s), QList<qint64>{});
        QCOMPARE(Clientes(u"bastiao"_s), QList<qint64>{4321});
        Banco::Executar(u"DELETE FROM Clientes WHERE CodigoDoCliente = ?"_s, {4321});
        QCOMPARE(Clientes(u"bastiao"_s), QList<qint64>{});

        Cadastros::Produto p;
        p.CodigoInterno = 777;
        p.Nome = u"Ração Úmida Sachê"_s;
        Cadastros::GravarProduto(p);
        QCOMPARE(Produtos(u"umida sache"_s), QList<qint64>{777});
        Cadastros::Servico s;
        s.Codigo = 88;
        s.Nome = u"Acupuntura veterinária"_s;
        s.NumeroDoTipoDeServico = 99;
        Cadastros::GravarServico(s);
        QCOMPARE(Servicos(u"PUNTURA"_s), QList<qint64>{88});

        // Quote numbers: a quote found by a piece of its number is no longer found
        // once deleted.
        Banco::Executar(u"INSERT INTO Animais (Codigo, CodigoDoCliente, Nome) VALUES (9001, 1, 'Bob')"_s);
        for (int i = 0; i < 3; ++i)
            Banco::Executar(
                u"INSERT INTO Orcamentos (NumeroDoOrcamento, DataDoOrcamento, CodigoDoCliente, "
                "CodigoDoAnimal, ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido, "
                "DataDeValidadeDoOrcamento, DataEHoraDaInclusao, UsuarioDaInclusao) VALUES (?, '2026-01-02', "
                "9, 9001, 0, 0, 0, 0, '2026-01-12', '2026-01-02 10:00:00', 'ANA')"_s,
                {98760 + i});
        QCOMPARE(OrcamentosDoTexto(u"9876"_s), (QList<qint64>{98762, 98761, 98760}));
        Banco::Executar(u"DELETE FROM Orcamentos WHERE NumeroDoOrcamento = 98761"_s);
        QCOMPARE(OrcamentosDoTexto(u"9876"_s), (QList<qint64>{98762, 98760}));
        QCOMPARE(OrcamentosDoTexto(u"98761"_s), QList<qint64>{});
    }

    // A database of an earlier version of the schema gets the indexes, filled with
    // the rows it already holds, when it is opened.
    void banco_da_versao_1_ganha_os_indices() {
        // Back to version 1: the search indexes removed.
        for (const Dialeto::TabelaPesquisavel& tabela : Pesquisa::Todas()) {
            if (msessao->EhSQLite()) {
                for (const QString& evento : {u"Inclusao"_s, u"Exclusao"_s, u"Alteracao"_s})
                    Banco::Executar(u"DROP TRIGGER %1Pesquisa_%2"_s.arg(tabela.Tabela, evento));
                Banco::Executar(u"DROP TABLE %1Pesquisa"_s.arg(tabela.Tabela));
            } else {
                for (const Dialeto::TextoPesquisavel& texto : tabela.Textos)
                    Banco::Executar(u"DROP INDEX %1_%2_Trigramas"_s.arg(tabela.Tabela, texto.Coluna));
            }
        }
        Banco::Executar(u"UPDATE VersaoDoEsquema SET Versao = 1"_s);
        Negocio::Iniciar(msessao->Configuracao());
        QCOMPARE(Banco::Valor(u"SELECT MAX(Versao) FROM VersaoDoEsquema"_s).toInt(),
                 Migracoes::VersaoMaisRecente());
        QCOMPARE(Clientes(u"antônia"_s), QList<qint64>{2});
        QCOMPARE(Produtos(u"50% neutro"_s), QList<qint64>{200});
    }

    // A selection far larger than a page: every page, read forwards near the start and
    // backwards near the end, and the rows walked one by one across both, are those
    // of the selection's order.
    void paginas_de_uma_selecao_grande() {
        // 12,000 quotes of clients 1, 2 and 3, numbered 1..12000.
        Banco::Executar(u"INSERT INTO Orcamentos (NumeroDoOrcamento, DataDoOrcamento, CodigoDoCliente, "
                        "CodigoDoAnimal, ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido, "
                        "DataDeValidadeDoOrcamento, DataEHoraDaInclusao, UsuarioDaInclusao) WITH RECURSIVE "
                        "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) SELECT i, "
                        "'2026-01-02', 1 + i % 3, NULL, i, 0, 0, i, '2026-01-12', '2026-01-02 10:00:00', "
                        "'ANA' FROM n"_s);
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
                QCOMPARE(Valores(*rs, u"NumeroDoOrcamento|CodigoDoCliente"_s),
                         Juntos(primeiro - linha, 1 + (primeiro - linha) % 3));
            }
        }
        // The last page holds the two quotes left, 2 of client 3 and 1 of client 2, with
        // their clients' names.
        rs->SetAbsolutePage(1715);
        QCOMPARE(rs->Fields(u"NomeOuRazaoSocialDoCliente"_s).Value.toString(), u"Feliz_Comércio Ltda."_s);
        rs->MoveNext();
        QCOMPARE(rs->Fields(u"NomeOuRazaoSocialDoCliente"_s).Value.toString(), u"Maria Antônia Gonçalves"_s);
        rs->MoveNext();
        QVERIFY(rs->Eof());
        // Walking the second half row by row gives every number once, in order.
        rs->MoverPara(5000);
        qint64 esperado = 7000;
        while (!rs->Eof()) {
            QCOMPARE(static_cast<qint64>(rs->Fields(u"NumeroDoOrcamento"_s).Value.toDouble()), esperado--);
            rs->MoveNext();
        }
        QCOMPARE(esperado, qint64(0));
    }

private:
    static qint64 Contar() { return Banco::Valor(u"SELECT COUNT(*) FROM Orcamentos"_s).toLongLong(); }
};

QTEST_GUILESS_MAIN(TesteDaPesquisa)
#include "tst_negocio_pesquisa.moc"
