#include "business/DriverPostgreSQL.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlDriverCreator>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <algorithm>
#include <libpq-fe.h>
#include <utility>
#include <vector>

namespace DriverPostgreSQL {
namespace {

// The types of pg_type that come back as something other than a text.
enum : Oid {
    TipoBool = 16,
    TipoBytea = 17,
    TipoInt8 = 20,
    TipoInt2 = 21,
    TipoInt4 = 23,
    TipoOid = 26,
    TipoFloat4 = 700,
    TipoFloat8 = 701,
    TipoData = 1082,
    TipoDataEHora = 1114,
    TipoDataEHoraComFuso = 1184,
    TipoNumeric = 1700,
};

QMetaType TipoDoQt(Oid tipo) {
    switch (tipo) {
    case TipoBool:
        return QMetaType(QMetaType::Bool);
    case TipoBytea:
        return QMetaType(QMetaType::QByteArray);
    case TipoInt8:
        return QMetaType(QMetaType::LongLong);
    case TipoInt2:
    case TipoInt4:
        return QMetaType(QMetaType::Int);
    case TipoOid:
        return QMetaType(QMetaType::UInt);
    case TipoFloat4:
    case TipoFloat8:
    case TipoNumeric:
        return QMetaType(QMetaType::Double);
    case TipoData:
        return QMetaType(QMetaType::QDate);
    case TipoDataEHora:
    case TipoDataEHoraComFuso:
        return QMetaType(QMetaType::QDateTime);
    default:
        return QMetaType(QMetaType::QString);
    }
}

// A statement with its parameters ("$n"), as sent with PQsendQueryParams.
struct Comando {
    QByteArray Sql;
    QVariantList Parametros;
};

// The parameters as libpq takes them: each value as text, in its stored form; bytea in
// binary (no escaping, no doubling of its size). The types are the server's to infer,
// as for a literal in the text.
class ParametrosDoLibpq {
public:
    explicit ParametrosDoLibpq(const QVariantList& parametros);
    int Quantos() const { return static_cast<int>(mtextos.size()); }
    const Oid* Tipos() const { return mtipos.data(); }
    const char* const* Valores() const { return mvalores.data(); }
    const int* Tamanhos() const { return mtamanhos.data(); }
    const int* Formatos() const { return mformatos.data(); }

private:
    std::vector<QByteArray> mtextos;
    std::vector<const char*> mvalores;
    std::vector<Oid> mtipos;
    std::vector<int> mtamanhos, mformatos;
};

ParametrosDoLibpq::ParametrosDoLibpq(const QVariantList& parametros)
    : mtextos(parametros.size()), mvalores(parametros.size(), nullptr), mtipos(parametros.size(), 0),
      mtamanhos(parametros.size(), 0), mformatos(parametros.size(), 0) {
    for (qsizetype i = 0; i < parametros.size(); ++i) {
        const QVariant& valor = parametros.at(i);
        if (valor.isNull()) continue;
        switch (valor.typeId()) {
        case QMetaType::QByteArray:
            mtextos[i] = valor.toByteArray();
            mtipos[i] = TipoBytea;
            mformatos[i] = 1;
            mtamanhos[i] = static_cast<int>(mtextos[i].size());
            break;
        case QMetaType::Bool:
            mtextos[i] = valor.toBool() ? "t" : "f";
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            mtextos[i] = QByteArray::number(valor.toDouble(), 'g', 17);
            break;
        case QMetaType::QDate:
            mtextos[i] = valor.toDate().toString(Qt::ISODate).toLatin1();
            break;
        case QMetaType::QDateTime:
            mtextos[i] = valor.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
            break;
        default:
            mtextos[i] = valor.toString().toUtf8();
            break;
        }
        mvalores[i] = mtextos[i].constData();
    }
}

// Leaves the pipeline after a statement could not be queued (the connection broke, or
// libpq refused it): what was queued runs and its answers are dropped; the failure
// (nullptr: PQerrorMessage's) undoes the unit of work they belong to.
PGresult* Abandonar(PGconn* pg) {
    if (PQstatus(pg) == CONNECTION_OK && PQpipelineSync(pg)) {
        while (PQstatus(pg) == CONNECTION_OK) {
            PGresult* resposta = PQgetResult(pg);
            const bool fim = resposta && PQresultStatus(resposta) == PGRES_PIPELINE_SYNC;
            PQclear(resposta);
            if (fim) break;
        }
    }
    PQexitPipelineMode(pg);
    return nullptr;
}

// The statements in one message (libpq writes a pipeline at its sync), their answers
// read in order: the first failure's answer (the statements after it are skipped by the
// server), or the last statement's. A connection that broke answers nothing (nullptr):
// its error is PQerrorMessage's.
PGresult* EmSequencia(PGconn* pg, const QList<Comando>& comandos) {
    if (!PQenterPipelineMode(pg)) return nullptr;
    for (const Comando& c : comandos) {
        const ParametrosDoLibpq p(c.Parametros);
        if (!PQsendQueryParams(pg, c.Sql.constData(), p.Quantos(), p.Tipos(), p.Valores(), p.Tamanhos(),
                               p.Formatos(), 0))
            return Abandonar(pg);
    }
    if (!PQpipelineSync(pg)) return Abandonar(pg);
    PGresult* resposta = nullptr;
    bool falhou = false;
    for (qsizetype i = 0; i < comandos.size(); ++i) {
        PGresult* desta = PQgetResult(pg);
        if (!desta) { // the connection broke: no success to tell
            if (!falhou) PQclear(resposta), resposta = nullptr;
            break;
        }
        PQclear(PQgetResult(pg)); // the end of this statement's answers
        if (falhou) {
            PQclear(desta);
            continue;
        }
        PQclear(resposta);
        resposta = desta;
        const ExecStatusType estado = PQresultStatus(desta);
        falhou = estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK && estado != PGRES_EMPTY_QUERY;
    }
    PQclear(PQgetResult(pg)); // the sync
    PQexitPipelineMode(pg);
    return resposta;
}

class Conexao final : public QSqlDriver {
public:
    PGconn* mconexao = nullptr;
    // Statements held back for the next one (EnviarComOProximo), in order.
    mutable QList<Comando> mpendentes;
    // The registry reads kept (MarcaDeCadastro), by statement and parameters; whether
    // this connection listens to the registry's announcements.
    mutable QHash<QByteArray, PGresult*> mlembradas;
    mutable bool mescutando = false;

    // Forgets the registry reads kept when the server announced a change (or the
    // connection broke): what came with earlier answers, and what waits on the socket.
    void VerificarAnuncios() const {
        bool anunciado = PQconsumeInput(mconexao) == 0;
        while (PGnotify* anuncio = PQnotifies(mconexao)) {
            anunciado = true;
            PQfreemem(anuncio);
        }
        if (anunciado) Esquecer();
    }
    void Esquecer() const {
        for (PGresult* r : std::as_const(mlembradas))
            PQclear(r);
        mlembradas.clear();
    }

    ~Conexao() override { Fechar(); }

    bool hasFeature(DriverFeature recurso) const override {
        switch (recurso) {
        case QuerySize:
        case BLOB:
        case Unicode:
        case PreparedQueries:
        case PositionalPlaceholders:
        case LowPrecisionNumbers:
            return true;
        default:
            return false;
        }
    }

    bool open(const QString& banco, const QString& usuario, const QString& senha, const QString& servidor,
              int porta, const QString& opcoes) override {
        Fechar();
        // Keywords and values apart (PQconnectdbParams): nothing typed in a URL can be
        // read as another keyword. The options are libpq's own, "chave=valor;...".
        QList<QByteArray> chaves{"dbname", "user", "client_encoding"};
        QList<QByteArray> valores{banco.toUtf8(), usuario.toUtf8(), "UTF8"};
        if (!senha.isEmpty()) chaves << "password", valores << senha.toUtf8();
        if (!servidor.isEmpty()) chaves << "host", valores << servidor.toUtf8();
        if (porta >= 0) chaves << "port", valores << QByteArray::number(porta);
        for (const QString& opcao : opcoes.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype igual = opcao.indexOf(u'=');
            if (igual <= 0) continue;
            chaves << opcao.left(igual).trimmed().toUtf8();
            valores << opcao.mid(igual + 1).trimmed().toUtf8();
        }
        std::vector<const char*> c, v;
        for (qsizetype i = 0; i < chaves.size(); ++i)
            c.push_back(chaves.at(i).constData()), v.push_back(valores.at(i).constData());
        c.push_back(nullptr), v.push_back(nullptr);
        mconexao = PQconnectdbParams(c.data(), v.data(), 0);
        if (PQstatus(mconexao) != CONNECTION_OK) {
            setLastError(QSqlError(QString(), QString::fromUtf8(PQerrorMessage(mconexao)).trimmed(),
                                   QSqlError::ConnectionError));
            Fechar();
            setOpenError(true);
            return false;
        }
        setOpen(true);
        setOpenError(false);
        return true;
    }

    void close() override {
        Fechar();
        setOpen(false);
        setOpenError(false);
    }

    QSqlResult* createResult() const override;

    QVariant handle() const override { return QVariant::fromValue(static_cast<void*>(mconexao)); }

private:
    void Fechar() {
        Esquecer();
        mescutando = false;
        if (mconexao) PQfinish(mconexao);
        mconexao = nullptr;
        mpendentes.clear();
    }
};

class Resultado final : public QSqlResult {
public:
    explicit Resultado(const Conexao* conexao) : QSqlResult(conexao) {}
    ~Resultado() override { Limpar(); }

protected:
    bool reset(const QString& sql) override {
        Limpar();
        setQuery(sql);
        PGconn* pg = Pg();
        if (!pg) return false;
        const QList<Comando> pendentes = std::exchange(Pendentes(), {});
        const bool comParametros = std::any_of(pendentes.cbegin(), pendentes.cend(),
                                               [](const Comando& c) { return !c.Parametros.isEmpty(); });
        // Statements held back go first, in the same message: as text before this one, or,
        // when they have parameters, in a pipeline (then this is a single statement: a
        // COMMIT, a ROLLBACK, a savepoint's).
        if (comParametros) return Tratar(EmSequencia(pg, pendentes + QList<Comando>{{sql.toUtf8(), {}}}));
        QByteArray texto;
        for (const Comando& c : pendentes)
            texto += c.Sql + "; ";
        texto += sql.toUtf8();
        return Tratar(PQexec(pg, texto.constData()));
    }

    bool prepare(const QString& sql) override {
        Limpar();
        msql = ParametrosNumerados(sql).toUtf8();
        return true;
    }

    bool exec() override;

    bool fetch(int linha) override {
        if (!isActive() || !isSelect() || linha < 0 || linha >= PQntuples(mresultado)) return false;
        setAt(linha);
        return true;
    }
    bool fetchFirst() override { return fetch(0); }
    bool fetchLast() override { return mresultado && fetch(PQntuples(mresultado) - 1); }

    QVariant data(int coluna) override;

    bool isNull(int coluna) override { return PQgetisnull(mresultado, at(), coluna) == 1; }

    int size() override { return isSelect() ? PQntuples(mresultado) : -1; }

    int numRowsAffected() override { return mresultado ? QByteArray(PQcmdTuples(mresultado)).toInt() : -1; }

    QSqlRecord record() const override {
        QSqlRecord registro;
        if (!isActive() || !isSelect()) return registro;
        for (int coluna = 0; coluna < PQnfields(mresultado); ++coluna)
            registro.append(QSqlField(QString::fromUtf8(PQfname(mresultado, coluna)),
                                      TipoDoQt(PQftype(mresultado, coluna))));
        return registro;
    }

private:
    PGresult* mresultado = nullptr;
    QByteArray msql;

    const Conexao& Dono() const { return *static_cast<const Conexao*>(driver()); }
    QList<Comando>& Pendentes() const { return Dono().mpendentes; }
    bool LerDoCadastro(PGconn* pg);

    PGconn* Pg() {
        PGconn* pg = driver() ? static_cast<const Conexao*>(driver())->mconexao : nullptr;
        if (!pg)
            setLastError(QSqlError(QString(), QStringLiteral("A conexão não está aberta."),
                                   QSqlError::ConnectionError));
        return pg;
    }

    void Limpar() {
        if (mresultado) PQclear(mresultado);
        mresultado = nullptr;
        setAt(QSql::BeforeFirstRow);
        setActive(false);
        setSelect(false);
    }

    // Keeps the answer; a failure becomes the result's error, with the SQLSTATE as its
    // code and, when the connection itself broke, as a connection error.
    bool Tratar(PGresult* resposta) {
        mresultado = resposta;
        const ExecStatusType estado = PQresultStatus(resposta);
        if (estado == PGRES_TUPLES_OK || estado == PGRES_COMMAND_OK || estado == PGRES_EMPTY_QUERY) {
            setSelect(estado == PGRES_TUPLES_OK);
            setActive(true);
            return true;
        }
        PGconn* pg = static_cast<const Conexao*>(driver())->mconexao;
        const QString mensagem =
            QString::fromUtf8(resposta ? PQresultErrorMessage(resposta) : PQerrorMessage(pg)).trimmed();
        const char* codigo = resposta ? PQresultErrorField(resposta, PG_DIAG_SQLSTATE) : nullptr;
        const bool perdida = PQstatus(pg) != CONNECTION_OK;
        setLastError(QSqlError(QString(), mensagem,
                               perdida ? QSqlError::ConnectionError : QSqlError::StatementError,
                               codigo ? QString::fromLatin1(codigo) : QString()));
        return false;
    }
};

bool Resultado::exec() {
    if (mresultado) PQclear(mresultado);
    mresultado = nullptr;
    setAt(QSql::BeforeFirstRow);
    setActive(false);
    PGconn* pg = Pg();
    if (!pg) return false;
    if (!Pendentes().isEmpty())
        return Tratar(
            EmSequencia(pg, std::exchange(Pendentes(), {}) + QList<Comando>{{msql, boundValues()}}));
    if (msql.startsWith(MarcaDeCadastro.toUtf8()) && PQtransactionStatus(pg) == PQTRANS_IDLE)
        return LerDoCadastro(pg);
    const ParametrosDoLibpq p(boundValues());
    return Tratar(PQexecParams(pg, msql.constData(), p.Quantos(), p.Tipos(), p.Valores(), p.Tamanhos(),
                               p.Formatos(), 0));
}

// A registry read: the answer kept, or read (with the LISTEN before it, in the same
// message, the first time) and kept while nothing was announced.
bool Resultado::LerDoCadastro(PGconn* pg) {
    const Conexao& conexao = Dono();
    QByteArray chave = msql;
    for (const QVariant& valor : boundValues())
        chave += '\0' + (valor.isNull() ? QByteArray("\1") : valor.toString().toUtf8());
    conexao.VerificarAnuncios();
    if (PGresult* lembrada = conexao.mlembradas.value(chave))
        return Tratar(PQcopyResult(lembrada, PG_COPYRES_ATTRS | PG_COPYRES_TUPLES));
    QList<Comando> comandos;
    if (!conexao.mescutando) comandos << Comando{QByteArray("LISTEN ") + CanalDosCadastros.toUtf8(), {}};
    comandos << Comando{msql, boundValues()};
    if (!Tratar(EmSequencia(pg, comandos))) return false;
    conexao.mescutando = true;
    conexao.mlembradas.insert(chave, PQcopyResult(mresultado, PG_COPYRES_ATTRS | PG_COPYRES_TUPLES));
    return true;
}

QVariant Resultado::data(int coluna) {
    const Oid tipo = PQftype(mresultado, coluna);
    if (PQgetisnull(mresultado, at(), coluna)) return QVariant(TipoDoQt(tipo));
    const char* texto = PQgetvalue(mresultado, at(), coluna);
    const QByteArray valor = QByteArray::fromRawData(texto, PQgetlength(mresultado, at(), coluna));
    switch (tipo) {
    case TipoBool:
        return valor == "t";
    case TipoInt2:
    case TipoInt4:
        return valor.toInt();
    case TipoInt8:
        return valor.toLongLong();
    case TipoOid:
        return valor.toUInt();
    case TipoFloat4:
    case TipoFloat8:
    case TipoNumeric:
        switch (numericalPrecisionPolicy()) {
        case QSql::HighPrecision:
            return QString::fromLatin1(valor);
        case QSql::LowPrecisionInt32:
            return static_cast<int>(valor.toDouble());
        case QSql::LowPrecisionInt64:
            return static_cast<qlonglong>(valor.toDouble());
        default:
            return valor.toDouble();
        }
    case TipoData:
        return QDate::fromString(QString::fromLatin1(valor), Qt::ISODate);
    case TipoDataEHora:
    case TipoDataEHoraComFuso:
        return QDateTime::fromString(QString::fromLatin1(valor), Qt::ISODate);
    case TipoBytea: {
        size_t tamanho = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(texto), &tamanho);
        QByteArray dados(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(tamanho));
        PQfreemem(bytes);
        return dados;
    }
    default:
        return QString::fromUtf8(valor);
    }
}

QSqlResult* Conexao::createResult() const {
    return new Resultado(this);
}

} // namespace

void Registrar() {
    static const bool registrado = [] {
        QSqlDatabase::registerSqlDriver(Nome, new QSqlDriverCreator<Conexao>);
        return true;
    }();
    Q_UNUSED(registrado);
}

void DescartarRetidos(const QSqlDatabase& db) {
    if (const auto* conexao = dynamic_cast<const Conexao*>(db.driver())) conexao->mpendentes.clear();
}

bool EnviarComOProximo(const QSqlDatabase& db, const QString& sql, const QVariantList& parametros) {
    const auto* conexao = dynamic_cast<const Conexao*>(db.driver());
    if (!conexao || !conexao->mconexao) return false;
    conexao->mpendentes.append({ParametrosNumerados(sql).toUtf8(), parametros});
    return true;
}

QString ParametrosNumerados(const QString& sql) {
    QString resultado;
    resultado.reserve(sql.size() + 16);
    int numero = 0;
    QChar fechamento; // inside '...', "..." or a -- comment (closed by a line break)
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!fechamento.isNull()) {
            if (c == fechamento) fechamento = QChar();
        } else if (c == u'\'' || c == u'"') {
            fechamento = c;
        } else if (c == u'-' && i + 1 < sql.size() && sql.at(i + 1) == u'-') {
            fechamento = u'\n';
        } else if (c == u'?') {
            resultado += u'$' + QString::number(++numero);
            continue;
        }
        resultado += c;
    }
    return resultado;
}

} // namespace DriverPostgreSQL
