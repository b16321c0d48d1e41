#pragma once
// The one database connection of the business layer and the few helpers every
// query goes through: positional parameters always bound, failures turned into a
// run-time error with a Portuguese description, a unit of work around every write,
// and the conversions between stored and delivered values.

#include "business/Dialeto.h"
#include "contracts/VB.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace Banco {

inline const QString NomeDaConexao = QStringLiteral("zelt_negocio");

// vbObjectError + 513: the number a component of the suite gives its own errors.
constexpr long NumeroDoErroDeBanco = -2147221504L + 513;

// The open connection; a run-time error when the business layer was not started.
QSqlDatabase Conexao();
Dialeto DialetoAtual();

// Prepares, binds every parameter in order and executes; a failure is a run-time
// error NumeroDoErroDeBanco whose description carries the driver's text.
QSqlQuery Executar(const QString& sql, const QVariantList& parametros = {});
// The first column of the first row; an invalid QVariant when there is no row.
QVariant Valor(const QString& sql, const QVariantList& parametros = {});
// Runs an INSERT into a table with an automatic key and answers that key.
qint64 InserirComChave(const QString& sql, const QVariantList& parametros, const QString& colunaDaChave);

[[noreturn]] void Falhar(const QString& descricao);

// A write transaction: opened by the constructor, undone by the destructor unless
// Confirmar() ran. A process that dies in between leaves nothing behind.
class UnidadeDeTrabalho {
public:
    UnidadeDeTrabalho();
    ~UnidadeDeTrabalho();
    UnidadeDeTrabalho(const UnidadeDeTrabalho&) = delete;
    UnidadeDeTrabalho& operator=(const UnidadeDeTrabalho&) = delete;
    void Confirmar();

private:
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

// The form in which texts are searched: lower case, accents and other combining
// marks removed, blanks at the ends trimmed. "João" and "JOAO" both give "joao".
QString TextoDePesquisa(const QString& texto);
// The LIKE pattern that finds the normalised text anywhere in a column, with the
// LIKE wildcards (% and _) and the escape character itself taken literally.
QString PadraoContem(const QString& texto);

} // namespace Banco
