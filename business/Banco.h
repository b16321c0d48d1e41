#pragma once
// The one database connection of the business layer and the few helpers every
// query goes through: positional parameters always bound, failures turned into a
// run-time error with a Portuguese description, a unit of work around every write,
// a busy database waited for and a lost connection reopened, and the conversions
// between stored and delivered values.

#include "business/Dialeto.h"
#include "contracts/VB.h"

#include <QDate>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace Banco {

inline const QString NomeDaConexao = QStringLiteral("zelt_negocio");

// vbObjectError + 513: the number a component of the suite gives its own errors.
constexpr long NumeroDoErroDeBanco = -2147221504L + 513;

// A database failure the layer acts on by its nature (see Dialeto::Natureza): the
// business objects run their bodies through ComNovasTentativas, which runs a body
// again after Ocupado; ConexaoPerdida makes the next statement reopen the connection.
class FalhaDeBanco : public VB::ErroDeExecucao {
public:
    FalhaDeBanco(Dialeto::Natureza natureza, const QString& descricao)
        : ErroDeExecucao(NumeroDoErroDeBanco, descricao), mnatureza(natureza) {}
    Dialeto::Natureza Natureza() const { return mnatureza; }

private:
    Dialeto::Natureza mnatureza;
};

// What the user reads instead of the driver's text. A password is never part of
// any message: the driver's texts carry none, and URLs are shown without it.
inline const QString DescricaoDeConexaoPerdida =
    QStringLiteral("A conexão com o banco de dados foi perdida. Tente novamente.");
inline const QString DescricaoDeBancoOcupado =
    QStringLiteral("O banco de dados está ocupado por outra estação de trabalho. Aguarde alguns "
                   "instantes e tente novamente.");
// A database found read-only after the start (Negocio::Iniciar refuses one found so then).
inline const QString DescricaoDeBancoSomenteLeitura =
    QStringLiteral("O banco de dados não aceita gravações (está somente para leitura, ou o usuário não tem "
                   "permissão para gravar nele): as alterações não foram gravadas.");

// How long a statement waits for a lock another workstation holds (SQLite's busy
// timeout, PostgreSQL's lock_timeout), and how long ComNovasTentativas keeps running
// a body again. Tests shorten them; the product keeps the defaults.
struct Prazos {
    int EsperaPorBloqueioEmMs = 10000;
    int NovasTentativasEmMs = 20000;
};
Prazos PrazosAtuais();
void DefinirPrazos(const Prazos& prazos); // applies to the open connection too

// Settings of a freshly opened connection (Negocio::Iniciar and every reconnection).
void PrepararConexao(QSqlDatabase& db);
// Forgets what a previous connection left behind (a reconnection due, units of work
// open) without changing anything in the new one: Negocio::Iniciar reads a database
// before it decides to prepare it.
void EsquecerConexaoAnterior();

// The open connection; a run-time error when the business layer was not started.
// After a lost connection it is reopened here, by the next statement; when that
// fails too, the error is the lost connection's.
QSqlDatabase Conexao();
Dialeto DialetoAtual();

// Prepares, binds every parameter in order and executes; a failure is a FalhaDeBanco
// (error NumeroDoErroDeBanco): busy and lost connections with the descriptions
// above, anything else with the driver's text.
QSqlQuery Executar(const QString& sql, const QVariantList& parametros = {});
// A write whose answer nobody reads, inside a unit of work: on PostgreSQL held back and
// sent with the unit's next statement (its COMMIT at the latest), in the same round
// trip; a failure of it is that statement's. Outside a unit, or on SQLite, run now.
void ExecutarComOProximo(const QString& sql, const QVariantList& parametros);
// Statements without parameters (DDL), in order: on PostgreSQL sent as one message
// (one round trip for all of them), on SQLite, whose driver runs one statement a call,
// one by one.
void ExecutarTodos(const QStringList& comandos);
// The first column of the first row; an invalid QVariant when there is no row.
QVariant Valor(const QString& sql, const QVariantList& parametros = {});
// The value of the current row in the column of that name (letter case aside:
// PostgreSQL folds unquoted names to lower case). A name the result lacks is a fault
// of the SQL: it fails naming the column instead of reading Null.
QVariant Coluna(const QSqlQuery& q, const QString& nome);
inline QVariant Coluna(const QSqlQuery& q, const char* nome) {
    return Coluna(q, QString::fromLatin1(nome));
}
// Runs an INSERT into a table with an automatic key and answers that key.
qint64 InserirComChave(const QString& sql, const QVariantList& parametros, const QString& colunaDaChave);

[[noreturn]] void Falhar(const QString& descricao);

// A SQLite file holds the clinic's clients: it is its owner's alone. The file, and its
// journal and WAL companions, when group or others may use them, lose every bit of
// group and others (0644 becomes 0600, as the programs create new files); the owner's
// bits are kept as they are, never added to. One line per file narrowed, or
// that could not be, for the log.
QStringList RestringirAoDono(const QString& arquivo);

// Runs the body (a whole unit of work, or a selection) and runs it again when that is
// safe and may help:
//   - the database was busy: again after a short random pause, until Prazos'
//     NovasTentativasEmMs have passed; then the failure (DescricaoDeBancoOcupado)
//     goes to the caller;
//   - the connection was found lost by the body's very first statement, so that
//     nothing of it reached the server: once more, on a reopened connection. A
//     connection lost later (a COMMIT may or may not have been done) or that cannot
//     be reopened goes to the caller as DescricaoDeConexaoPerdida.
// A body inside an open transaction is never run again here: its transaction is the
// one to repeat.
bool TransacaoAberta();
// Statements that succeeded since the layer started (tells whether a body got anywhere).
quint64 ComandosExecutados();
void PausaAntesDeTentarDeNovo(int tentativa);
template <class Corpo> auto ComNovasTentativas(Corpo&& corpo) -> decltype(corpo()) {
    QDeadlineTimer prazo(PrazosAtuais().NovasTentativasEmMs);
    bool reconectou = false;
    for (int tentativa = 1;; ++tentativa) {
        const quint64 comandosAntes = ComandosExecutados();
        try {
            return corpo();
        } catch (const FalhaDeBanco& falha) {
            if (TransacaoAberta()) throw;
            if (falha.Natureza() == Dialeto::Natureza::ConexaoPerdida) {
                if (reconectou || ComandosExecutados() != comandosAntes) throw;
                reconectou = true;
                continue;
            }
            if (falha.Natureza() != Dialeto::Natureza::Ocupado || prazo.hasExpired()) throw;
            PausaAntesDeTentarDeNovo(tentativa);
        }
    }
}

// A write transaction: opened by the constructor, undone by the destructor unless
// Confirmar() ran. A process that dies in between leaves nothing behind. A unit opened
// while another is open is a savepoint inside it: confirmed, its changes wait for the
// outer unit; undone, only its own changes go.
class UnidadeDeTrabalho {
public:
    UnidadeDeTrabalho();
    ~UnidadeDeTrabalho();
    UnidadeDeTrabalho(const UnidadeDeTrabalho&) = delete;
    UnidadeDeTrabalho& operator=(const UnidadeDeTrabalho&) = delete;
    void Confirmar();

private:
    QString PontoDeRetorno() const;
    const int mintNivel;
    bool mbooAberta = false;
};

// Stored forms: dates "YYYY-MM-DD", date and time "YYYY-MM-DD HH:MM:SS" (local
// time), money and percentages as integer ten-thousandths, booleans 0/1.
QString DataIso(const QDate& data);
QString DataEHoraIso(const QDateTime& dataHora);
QDate DataDeIso(const QString& texto);
QDateTime DataEHoraDeIso(const QString& texto);
inline qint64 Moeda(VB::Currency valor) {
    return valor.DecimosDeMilesimos();
}
inline VB::Currency MoedaDe(const QVariant& valor) {
    return VB::Currency::DeDecimosDeMilesimos(valor.toLongLong());
}

// A NULL to bind (a null variant of a SQL type; VB::Null() is not one the drivers know).
QVariant Nulo();
// NULL for an empty text, the text otherwise.
QVariant TextoOuNulo(const QString& texto);

// A text the user typed to search with, as it is bound: control characters removed (a
// NUL, a tab or an escape, which a paste or a scanner may bring: no database takes a
// NUL inside a text, and none is part of a name or a code), blanks at the ends
// trimmed. Every searched text goes through here, contains or whole.
QString TextoDigitado(const QString& texto);
// The form in which texts are searched: TextoDigitado in lower case, accents and other
// combining marks removed. "João" and "JOAO" both give "joao".
QString TextoDePesquisa(const QString& texto);
// The LIKE pattern that finds the normalised text anywhere in a column, with the
// LIKE wildcards (% and _) and the escape character itself taken literally.
QString PadraoContem(const QString& texto);

} // namespace Banco
