#include "business/Banco.h"

#include <QSqlError>

namespace Banco {

QSqlDatabase Conexao() {
    if (!QSqlDatabase::contains(NomeDaConexao))
        Falhar(QStringLiteral("O banco de dados não está aberto: a camada de negócio não foi iniciada."));
    QSqlDatabase db = QSqlDatabase::database(NomeDaConexao, false);
    if (!db.isOpen()) Falhar(QStringLiteral("O banco de dados não está aberto."));
    return db;
}

Dialeto DialetoAtual() {
    return Dialeto::DaConexao(Conexao());
}

void Falhar(const QString& descricao) {
    throw VB::ErroDeExecucao(NumeroDoErroDeBanco, descricao);
}

QSqlQuery Executar(const QString& sql, const QVariantList& parametros) {
    QSqlQuery q(Conexao());
    // A statement without parameters (DDL, COMMIT...) is run as it is: PostgreSQL
    // prepares only queries and data changes.
    if (parametros.isEmpty()) {
        if (!q.exec(sql)) Falhar(QStringLiteral("Falha no banco de dados: ") + q.lastError().text());
        return q;
    }
    if (!q.prepare(sql))
        Falhar(QStringLiteral("Falha no banco de dados ao preparar a consulta: ") + q.lastError().text());
    for (const QVariant& parametro : parametros) {
        // QtSql binds a null QString as NULL; an empty text is a text here.
        if (parametro.typeId() == QMetaType::QString && !parametro.isNull() && parametro.toString().isNull())
            q.addBindValue(QStringLiteral(""));
        else
            q.addBindValue(parametro);
    }
    if (!q.exec()) Falhar(QStringLiteral("Falha no banco de dados: ") + q.lastError().text());
    return q;
}

QVariant Valor(const QString& sql, const QVariantList& parametros) {
    QSqlQuery q = Executar(sql, parametros);
    return q.next() ? q.value(0) : QVariant();
}

qint64 InserirComChave(const QString& sql, const QVariantList& parametros, const QString& colunaDaChave) {
    const Dialeto dialeto = DialetoAtual();
    QSqlQuery q = Executar(sql + dialeto.RetornandoChave(colunaDaChave), parametros);
    if (dialeto.ChaveVemDoResultado()) {
        if (!q.next()) Falhar(QStringLiteral("Falha no banco de dados: a chave gerada não foi informada."));
        return q.value(0).toLongLong();
    }
    const QVariant chave = q.lastInsertId();
    if (!chave.isValid())
        Falhar(QStringLiteral("Falha no banco de dados: a chave gerada não foi informada."));
    return chave.toLongLong();
}

UnidadeDeTrabalho::UnidadeDeTrabalho() {
    Executar(DialetoAtual().InicioDeEscrita());
    mbooAberta = true;
}

UnidadeDeTrabalho::~UnidadeDeTrabalho() {
    if (!mbooAberta) return;
    // Never throws out of a destructor: a rollback that fails leaves the transaction
    // to the database, which drops it with the connection.
    if (QSqlDatabase::contains(NomeDaConexao)) {
        QSqlQuery q(QSqlDatabase::database(NomeDaConexao, false));
        q.exec(QStringLiteral("ROLLBACK"));
    }
}

void UnidadeDeTrabalho::Confirmar() {
    Executar(QStringLiteral("COMMIT"));
    mbooAberta = false;
}

QString DataIso(const QDate& data) {
    return data.toString(QStringLiteral("yyyy-MM-dd"));
}

QString DataEHoraIso(const QDateTime& dataHora) {
    return dataHora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDate DataDeIso(const QString& texto) {
    return QDate::fromString(texto.left(10), QStringLiteral("yyyy-MM-dd"));
}

QDateTime DataEHoraDeIso(const QString& texto) {
    QDateTime dataHora = QDateTime::fromString(texto.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dataHora.isValid()) dataHora = QDateTime(DataDeIso(texto), QTime(0, 0));
    return dataHora;
}

QVariant Nulo() {
    return QVariant(QMetaType::fromType<QString>());
}

QVariant TextoOuNulo(const QString& texto) {
    return texto.isEmpty() ? Nulo() : QVariant(texto);
}

QString TextoDePesquisa(const QString& texto) {
    const QString decomposto = texto.trimmed().normalized(QString::NormalizationForm_KD);
    QString resultado;
    resultado.reserve(decomposto.size());
    for (const QChar c : decomposto) {
        const QChar::Category categoria = c.category();
        if (categoria == QChar::Mark_NonSpacing || categoria == QChar::Mark_SpacingCombining ||
            categoria == QChar::Mark_Enclosing)
            continue;
        resultado.append(c);
    }
    return resultado.toCaseFolded();
}

QString PadraoContem(const QString& texto) {
    QString escapado;
    for (const QChar c : TextoDePesquisa(texto)) {
        if (c == u'\\' || c == u'%' || c == u'_') escapado.append(u'\\');
        escapado.append(c);
    }
    return u'%' + escapado + u'%';
}

} // namespace Banco
