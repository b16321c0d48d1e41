#include "business/Banco.h"

#include "business/DriverPostgreSQL.h"
#include "contracts/Textos.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>

namespace Banco {
namespace {

Prazos gPrazos;
// Set when a statement found the connection lost; the next statement reopens it.
bool gbooReconectar = false;
// Open units of work: the outermost is the transaction, each one inside it a savepoint.
int gintTransacoesAbertas = 0;
quint64 gcomandosExecutados = 0;

void Reconectar(QSqlDatabase& db) {
    db.close();
    if (!db.open()) throw FalhaDeBanco(Dialeto::Natureza::ConexaoPerdida, DescricaoDeConexaoPerdida);
    PrepararConexao(db);
}

// The failure of a statement, by its nature; a lost connection is marked for reopening.
[[noreturn]] void FalharNoComando(const QSqlDatabase& db, const QString& contexto, const QSqlError& erro) {
    switch (Dialeto::DaConexao(db).NaturezaDaFalha(erro)) {
    case Dialeto::Natureza::ConexaoPerdida:
        gbooReconectar = true;
        throw FalhaDeBanco(Dialeto::Natureza::ConexaoPerdida, DescricaoDeConexaoPerdida);
    case Dialeto::Natureza::Ocupado:
        throw FalhaDeBanco(Dialeto::Natureza::Ocupado, DescricaoDeBancoOcupado);
    case Dialeto::Natureza::SomenteLeitura:
        throw FalhaDeBanco(Dialeto::Natureza::SomenteLeitura, DescricaoDeBancoSomenteLeitura);
    case Dialeto::Natureza::Comum:
        break;
    }
    throw FalhaDeBanco(Dialeto::Natureza::Comum, contexto + erro.text());
}

// A parameter as it is bound.
QVariant Vinculavel(const QVariant& parametro) {
    // QtSql binds a null QString as NULL; an empty text is a text here.
    if (parametro.typeId() == QMetaType::QString && !parametro.isNull() && parametro.toString().isNull())
        return QStringLiteral("");
    // A null character (pasted from elsewhere; nothing types one) is dropped:
    // PostgreSQL's driver fails on it, and SQLite would keep it unseen.
    if (parametro.typeId() == QMetaType::QString && parametro.toString().contains(QChar(0)))
        return parametro.toString().remove(QChar(0));
    return parametro;
}

} // namespace

Prazos PrazosAtuais() {
    return gPrazos;
}

void DefinirPrazos(const Prazos& prazos) {
    gPrazos = prazos;
    if (!QSqlDatabase::contains(NomeDaConexao)) return;
    QSqlDatabase db = QSqlDatabase::database(NomeDaConexao, false);
    if (db.isOpen()) Dialeto::DaConexao(db).ConfigurarConexao(db, gPrazos.EsperaPorBloqueioEmMs);
}

void PrepararConexao(QSqlDatabase& db) {
    Dialeto::DaConexao(db).ConfigurarConexao(db, gPrazos.EsperaPorBloqueioEmMs);
    EsquecerConexaoAnterior();
}

void EsquecerConexaoAnterior() {
    gbooReconectar = false;
    gintTransacoesAbertas = 0;
}

QSqlDatabase Conexao() {
    if (!QSqlDatabase::contains(NomeDaConexao))
        Falhar(QStringLiteral("O banco de dados não está aberto: a camada de negócio não foi iniciada."));
    QSqlDatabase db = QSqlDatabase::database(NomeDaConexao, false);
    if (gbooReconectar) Reconectar(db);
    if (!db.isOpen()) Falhar(QStringLiteral("O banco de dados não está aberto."));
    return db;
}

bool TransacaoAberta() {
    return gintTransacoesAbertas > 0;
}

quint64 ComandosExecutados() {
    return gcomandosExecutados;
}

void PausaAntesDeTentarDeNovo(int tentativa) {
    // Random, so that two workstations that met once do not meet again; growing, so
    // that a long lock is not hammered.
    const int teto = std::min(25 * tentativa, 250);
    QThread::msleep(static_cast<unsigned long>(QRandomGenerator::global()->bounded(10, teto + 10)));
}

Dialeto DialetoAtual() {
    return Dialeto::DaConexao(Conexao());
}

void Falhar(const QString& descricao) {
    throw VB::ErroDeExecucao(NumeroDoErroDeBanco, descricao);
}

QStringList RestringirAoDono(const QString& arquivo) {
    const QFile::Permissions dosOutros = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                         QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QStringList avisos;
    for (const char* sufixo : {"", "-journal", "-wal", "-shm"}) {
        QFile banco(arquivo + QLatin1String(sufixo));
        if (!banco.exists() || !(banco.permissions() & dosOutros)) continue;
        // Only taken away, never added: a file without its owner's write bit keeps it off.
        const QFile::Permissions doDono =
            banco.permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        avisos << (banco.setPermissions(doDono)
                       ? QStringLiteral("As permissões de %1 foram restringidas ao dono do arquivo (0600): "
                                        "outros usuários podiam ler os dados da clínica.")
                       : QStringLiteral(
                             "Não foi possível restringir as permissões de %1 ao dono do arquivo."))
                      .arg(banco.fileName());
    }
    return avisos;
}

void ExecutarComOProximo(const QString& sql, const QVariantList& parametros) {
    const QSqlDatabase db = Conexao();
    QVariantList vinculaveis;
    for (const QVariant& parametro : parametros)
        vinculaveis << Vinculavel(parametro);
    if (!TransacaoAberta() || !DriverPostgreSQL::EnviarComOProximo(db, sql, vinculaveis))
        Executar(sql, parametros);
    else
        ++gcomandosExecutados; // it may reach the server: the body is no longer safe to run again
}

QSqlQuery Executar(const QString& sql, const QVariantList& parametros) {
    const QSqlDatabase db = Conexao();
    QSqlQuery q(db);
    // A statement without parameters (DDL, COMMIT...) is run as it is: PostgreSQL
    // prepares only queries and data changes.
    if (parametros.isEmpty()) {
        if (!q.exec(sql)) FalharNoComando(db, QStringLiteral("Falha no banco de dados: "), q.lastError());
        ++gcomandosExecutados;
        return q;
    }
    if (!q.prepare(sql))
        FalharNoComando(db, QStringLiteral("Falha no banco de dados ao preparar a consulta: "),
                        q.lastError());
    for (const QVariant& parametro : parametros)
        q.addBindValue(Vinculavel(parametro));
    if (!q.exec()) FalharNoComando(db, QStringLiteral("Falha no banco de dados: "), q.lastError());
    ++gcomandosExecutados;
    return q;
}

void ExecutarTodos(const QStringList& comandos) {
    if (comandos.isEmpty()) return;
    if (!DialetoAtual().EhSQLite()) {
        Executar(comandos.join(QStringLiteral(";\n")));
        return;
    }
    for (const QString& comando : comandos)
        Executar(comando);
}

QVariant Valor(const QString& sql, const QVariantList& parametros) {
    QSqlQuery q = Executar(sql, parametros);
    return q.next() ? q.value(0) : QVariant();
}

QVariant Coluna(const QSqlQuery& q, const QString& nome) {
    const int indice = q.record().indexOf(nome);
    if (indice < 0)
        Falhar(QStringLiteral("Falha no banco de dados: a consulta não tem a coluna %1.").arg(nome));
    return q.value(indice);
}

qint64 InserirComChave(const QString& sql, const QVariantList& parametros, const QString& colunaDaChave) {
    const Dialeto dialeto = DialetoAtual();
    QSqlQuery q = Executar(sql + dialeto.RetornandoChave(colunaDaChave), parametros);
    if (dialeto.ChaveVemDoResultado()) {
        if (!q.next()) Falhar(QStringLiteral("Falha no banco de dados: a chave gerada não foi informada."));
        return Coluna(q, colunaDaChave).toLongLong();
    }
    const QVariant chave = q.lastInsertId();
    if (!chave.isValid())
        Falhar(QStringLiteral("Falha no banco de dados: a chave gerada não foi informada."));
    return chave.toLongLong();
}

// A unit opened inside another is a savepoint of the outer transaction, never a
// second BEGIN: PostgreSQL only warns of a nested BEGIN and its COMMIT would end the
// outer transaction, and SQLite refuses it. So an inner unit confirmed keeps its
// changes only if the outer one is confirmed too, and an inner unit undone undoes only
// its own, alike on both databases.
UnidadeDeTrabalho::UnidadeDeTrabalho() : mintNivel(gintTransacoesAbertas) {
    // A server far away: the BEGIN travels with the unit's first statement.
    const QSqlDatabase db = Conexao();
    if (mintNivel > 0)
        Executar(QStringLiteral("SAVEPOINT ") + PontoDeRetorno());
    else if (!DriverPostgreSQL::EnviarComOProximo(db, DialetoAtual().InicioDeEscrita()))
        Executar(DialetoAtual().InicioDeEscrita());
    mbooAberta = true;
    ++gintTransacoesAbertas;
}

QString UnidadeDeTrabalho::PontoDeRetorno() const {
    return QStringLiteral("unidade_") + QString::number(mintNivel);
}

UnidadeDeTrabalho::~UnidadeDeTrabalho() {
    if (!mbooAberta) return;
    --gintTransacoesAbertas;
    // Never throws out of a destructor: a rollback that fails leaves the transaction
    // to the database, which drops it with the connection.
    if (QSqlDatabase::contains(NomeDaConexao) && !gbooReconectar) {
        const QSqlDatabase db = QSqlDatabase::database(NomeDaConexao, false);
        // What this unit held back is undone with it; after a failure held statements
        // would make the server skip the ROLLBACK sent with them.
        DriverPostgreSQL::DescartarRetidos(db);
        QSqlQuery q(db);
        if (mintNivel == 0) {
            q.exec(QStringLiteral("ROLLBACK"));
        } else if (q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + PontoDeRetorno())) {
            q.exec(QStringLiteral("RELEASE SAVEPOINT ") + PontoDeRetorno());
        }
    }
}

void UnidadeDeTrabalho::Confirmar() {
    // A COMMIT that fails is undone by the destructor's ROLLBACK (or by the server,
    // with the connection): the unit stays open until then.
    Executar(mintNivel == 0 ? QStringLiteral("COMMIT")
                            : QStringLiteral("RELEASE SAVEPOINT ") + PontoDeRetorno());
    mbooAberta = false;
    --gintTransacoesAbertas;
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

QString TextoDigitado(const QString& texto) {
    QString limpo;
    limpo.reserve(texto.size());
    for (const QChar c : texto)
        if (c.category() != QChar::Other_Control) limpo.append(c);
    return limpo.trimmed();
}

QString TextoDePesquisa(const QString& texto) {
    return Textos::SemAcentos(TextoDigitado(texto)).toCaseFolded();
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
