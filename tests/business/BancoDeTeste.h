#pragma once
// What the business-layer tests share (their base class is TesteDeNegocio).
//
// Every test class runs each of its test functions once per configured database,
// as Qt's own SQL tests do: initTestCase_data() adds a row "sqlite" (a new file in
// a temporary folder per test function) and, when ZELT_TESTE_PG_URL names a
// PostgreSQL database, a row "postgresql". On PostgreSQL each test executable works
// in a database of its own beside the one named (created on first use), so that
// executables run in parallel do not meet; its public schema is emptied before every
// test function. With ZELT_EXIGIR_PG=1 (set by scripts/test.sh) a missing
// ZELT_TESTE_PG_URL fails the test instead of leaving the PostgreSQL row out. A case
// that only one database can run says so with QSKIP.
//
// The registry written by EscreverCadastroDeTeste is small and known by heart; the
// tests name its codes.

#include "tests/NumeroDoErro.h"

#include "contracts/CriarObjeto.h"
#include "contracts/IGradeDeItens.h"
#include "contracts/Negocio.h"
#include "contracts/Recordset.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace Negocio {
struct Configuracao;
}

namespace BancoDeTeste {

// A connection of that name to the PostgreSQL database of the URL, not opened yet; one
// statement run on a short-lived connection to it (false, with the error, when it failed).
QSqlDatabase ConexaoPostgreSQL(const QString& url, const QString& nome);
bool ExecutarEm(const QString& url, const QString& sql, QString& erro);

// Rows of initTestCase_data(): columns "banco" ("sqlite" / "postgresql") and "url".
void LinhasDosBancos();

// Opens a new, empty database for the current global row (call from init()).
// Without demonstration data unless asked. Fails the test when it cannot.
class Sessao {
public:
    explicit Sessao(bool dadosDeDemonstracao = false);
    ~Sessao(); // closes the database and gives the clock back
    bool EhSQLite() const { return mbooSQLite; }
    QString ArquivoSQLite() const { return mstrArquivo; }
    QString UrlPostgreSQL() const { return mstrUrl; }
    QTemporaryDir& Pasta() { return mpasta; }
    // What opens this database again (without demonstration data).
    Negocio::Configuracao Configuracao() const;
    // The options that point another program of the suite (zelt_importar, the test
    // workstations) at this database: {"--banco", file} or {"--url", URL}.
    QStringList ArgumentosDoBanco() const;
    // Another workstation as a process of its own (tests/business/zelt_teste_gravador.cpp)
    // on this database, started with those arguments after the database's.
    std::unique_ptr<QProcess> Estacao(const QStringList& argumentos) const;
    // Two workstations answering that quote with those commands at once: both read it,
    // then the start file lets both go on. Their output; one starting "falha: " when
    // one did not read the quote or did not end well.
    QByteArray DuasEstacoes(const QString& inicio, const QStringList& comandos, double numero) const;
    // Another connection to this database, named so, for "another workstation" in
    // the test's own process; used only in the thread that opened it, then closed
    // and removed by FecharConexao. An invalid connection when it cannot be opened.
    QSqlDatabase AbrirOutraConexao(const QString& nome) const;
    static void FecharConexao(const QString& nome);

private:
    QTemporaryDir mpasta;
    QString mstrArquivo;
    QString mstrUrl;
    bool mbooSQLite = true;
};

// The known registry:
//   company 1 "Clínica Escola", 10 days, "Sim", no promotion, scale format 2;
//   clients 1 João (active, VIP, A, single discount 10), 2 Maria Antônia (active, B,
//   clinical 5, simple surgery 8), 3 "Pet Shop 100% Feliz" (active, C, corporate name
//   "Feliz_Comércio Ltda."), 4 inactive, 5 blocked, 6 deleted, 7 "O'Brien \ Barra",
//   8 "SELECT * FROM Clientes; DROP TABLE Clientes", 9 Zé (active, no animal);
//   animals 10 Rex and 11 Mel of client 1, 12 Luna and 13 Velho (inactive) of
//   client 2, 14 Tom of client 3, 15 Bidu of client 4, 16 of 5, 17 of 6;
//   products 100 (bar code 7891234567895), 123 (sold by scale label, no bar code),
//   200 "Shampoo 50% neutro", 300 inactive;
//   services 1 and 2 (type 1), 3 (type 2), 4 (type 5), 5 inactive (type 1).
void EscreverCadastroDeTeste();

// The record form's items grid, in memory: its columns, row 0 the captions.
class GradeEmMemoria : public IGradeDeItens {
public:
    GradeEmMemoria();
    int Rows() const override { return static_cast<int>(mlinhas.size()); }
    int Cols() const override { return GradeDeItens::QuantidadeDeColunas; }
    QString TextMatrix(int row, int col) const override { return mlinhas.at(row).value(col); }
    void DefinirCelula(int row, GradeDeItens::Coluna col, const QString& texto) { mlinhas[row][col] = texto; }

    // A row as the add command writes it (launch type, Brazilian texts).
    void AdicionarServico(int tipo, int codigo, int animal, const QString& quantidade,
                          const QString& unitario, const QString& percentual, const QString& desconto,
                          const QString& total, const QString& custo = QStringLiteral("0,00"),
                          const QString& numeroDoItem = QStringLiteral("0"));
    void AdicionarProduto(const QString& codigoDeBarras, int codigoInterno, int animal,
                          const QString& quantidade, const QString& unitario, const QString& percentual,
                          const QString& desconto, const QString& total,
                          const QString& custo = QStringLiteral("0,00"),
                          const QString& numeroDoItem = QStringLiteral("0"));
    void AdicionarLinhaEmBranco() { mlinhas << QStringList(GradeDeItens::QuantidadeDeColunas); }
    void RemoverLinha(int row) { mlinhas.removeAt(row); }
    // The rows of a quote as the record form loads them from clsOrcItens (selection 1):
    // every value in its default text form.
    static GradeEmMemoria DaSelecao(Recordset& itens);
    // The stored quote's items so loaded, as the record form in change mode holds them; a
    // failed selection fails the test.
    static GradeEmMemoria DoOrcamento(double numero);

private:
    void AdicionarItem(int lancamento, const QString& tipoOuCodigoDeBarras, int codigo, const QString& nome,
                       int animal, const QString& quantidade, const QString& unitario,
                       const QString& percentual, const QString& desconto, const QString& total,
                       const QString& custo, const QString& numeroDoItem);

    QList<QStringList> mlinhas;
};

// The first column of the first row, as an integer (a count, a stored amount).
qint64 Numero(const QString& sql, const QVariantList& parametros = {});
qint64 Numero(const char* sql, const QVariantList& parametros = {});
// The first column of the first row, as text.
QString Consulta(const char* sql, const QVariantList& parametros = {});
// The first column of every row, as integers or as texts.
QList<qint64> Inteiros(const QString& sql, const QVariantList& parametros = {});
QStringList Textos(const QString& sql, const QVariantList& parametros = {});
// The operation of the quote's newest history entry.
QString UltimaEntrada(double numero);

// A file's bytes (empty when it cannot be read); a file written whole (false when it cannot be).
QByteArray LerArquivo(const QString& caminho);
bool EscreverArquivo(const QString& caminho, const QByteArray& conteudo);

// n quotes of client 1 (10,00, of 10/01/2026) written directly, in the caller's
// transaction (the list does not care how they came).
void InserirOrcamentos(int n);
// The same in a transaction of their own, every quinto one inactive (0: none).
void EscreverOrcamentos(int n, int quinto = 0);

// Checks that every stored quote is whole: its items numbered 1 to its last item number
// without a hole, each item's total its quantity times its unit value less its discount, its
// gross total, discount and net value the sums of its items, no item without its quote.
// Answers the stored quotes with their item counts (empty after a failure, told in a warning).
QHash<qint64, qint64> OrcamentosInteiros();

// A business object of the contract T made by its ProgId, working for that user.
template <class T> std::unique_ptr<T> Objeto(const QString& progId, QObject* usuario) {
    auto objeto = Zelt::CriarObjeto<T>(progId);
    objeto->DadosDoUsuario = usuario;
    return objeto;
}

// A user record with that name: an administrator (whom the counter's rules on prices and
// discounts do not bind), or a clerk without the right to give discounts.
std::unique_ptr<QObject> Usuario(const QString& nome, bool administrador = true);

// The company's quote settings with a deposit of that percentage (refundable or not) and
// that PIX key, received by "Clínica Escola" in "Campinas", paid "À vista no Pix ou em até
// 6x no cartão"; fails the test when they are not saved.
void ConfigurarSinal(QObject* usuario, qint64 percentual, bool reembolsavel, const QString& chavePix);
// The stored quote approved ("Aprovado") by its client at the counter; fails the test
// when it is not.
void Aprovar(double numero, QObject* usuario);

// A quote of client 1 and animal 10 as the record form hands it over: that grid, the totals
// "total|percentage|discount|net" (as "120,00|10,00|12,00|108,00"), valid ten days from
// today, by that user; with a number, the stored quote it changes or deletes.
std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> Orcamento(GradeEmMemoria& grade, QObject* usuario,
                                                            const QString& totais, double numero = 0);
// The quote's four totals, from such a text.
void DefinirTotais(ZELT_N_Orcamentos::clsOrcamentos& orcamento, const QString& totais);

// A quote ready for Adicionar: client 1, animal 10, one service item (consultation,
// 120,00 with 10 % discount) and the matching totals.
std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> OrcamentoValido(GradeEmMemoria& grade, QObject* usuario);
// The same quote with two units of product 100 (219,90 each) added: 559,80 - 12,00.
std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> OrcamentoComProduto(GradeEmMemoria& grade,
                                                                      QObject* usuario);

// Every value of a field as a whole number (a code, a quote number), walking the recordset
// from its first row, on which it is left.
QList<qint64> Codigos(Recordset& recordset, const char* campo);

// Every value of a recordset's rows, as "field=value" texts (for comparing selections).
QStringList Conteudo(Recordset& recordset);

// The named fields of the current row ("A|B|C"), as texts: "a|b|c", a Null as "Null".
QString Valores(Recordset& recordset, const QString& campos);
// A promotion from yesterday to tomorrow, 10 % on services and 5 % on products, and Maria's
// clinical discount raised to 12 %.
void PromocaoEDescontosDaMaria();
// Maria Antônia (clinical 5 %, simple surgery 8 %, nothing for baths) and Luna: a quote of a
// consultation, a castration, two bags of feed and, when asked, two baths, at the
// registry's prices with her discounts; its number.
double OrcamentoDaMaria(QObject* usuario, bool comBanhos);
// Its paging as ADO tells it: "RecordCount|PageCount|AbsolutePage".
QString Paginas(const Recordset& recordset);

// The list's selection of quotes (situation 0 all, 1 active, 2 inactive, 3 recent) for a
// search text, in pages of that size; a failed selection warns with the layer's description.
RecordsetPtr Lista(qint32 situacao = 0, const QString& texto = QString(), qint16 tamanho = 10);

// The private PostgreSQL server of scripts/postgresql.sh (ZELT_PG_PASTA, ZELT_PG_BIN) stopped
// ("-m fast") or started again by pg_ctl, as its owner (the server refuses root); pg_ctl's
// output in saida.
bool PararServidorPostgreSQL(QString& saida);
// opcoesDoServidor: the server's own options for this start ("-c ssl=on ...").
bool IniciarServidorPostgreSQL(QString& saida, const QString& opcoesDoServidor = QString());

// The registry's selections as the record form (a name, a bar code, a code) and the search
// dialogs (one free text) call them; a failed selection warns with the layer's description.
RecordsetPtr ClientesDoFormulario(const QString& apelidoOuNome, double codigo = 0);
RecordsetPtr ClientesDoDialogo(const QString& texto);
RecordsetPtr ProdutosDoFormulario(QString nome, QString barras = {}, double codigo = 0,
                                  qint32 somenteAtivos = 1);
RecordsetPtr ProdutosDoDialogo(const QString& texto);
RecordsetPtr ServicosDoFormulario(qint16 tipo, QString nome, double codigo = 0, qint32 somenteAtivos = 1);
RecordsetPtr ServicosDoDialogo(const QString& texto, qint32 tipo = 0);

} // namespace BancoDeTeste
