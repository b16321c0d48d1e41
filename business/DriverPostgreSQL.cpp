#include "business/DriverPostgreSQL.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriverCreator>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <functional>
#include <libpq-fe.h>
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

class Conexao final : public QSqlDriver {
public:
    PGconn* mconexao = nullptr;
    // A statement held back for the next one (EnviarComOProximo).
    mutable QByteArray mpendente;

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
        if (mconexao) PQfinish(mconexao);
        mconexao = nullptr;
        mpendente.clear();
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
        // A statement held back goes first, in the same message.
        const QByteArray texto = Pendente().isEmpty() ? sql.toUtf8() : Pendente() + "; " + sql.toUtf8();
        Pendente().clear();
        return pg && Tratar(PQexec(pg, texto.constData()));
    }

    bool prepare(const QString& sql) override {
        Limpar();
        msql = ParametrosNumerados(sql).toUtf8();
        return true;
    }

    bool exec() override;
    // The statement held back, then the one sent by enviar, in one round trip: the
    // first failure's answer, or the second statement's.
    static PGresult* EmSequencia(PGconn* pg, const QByteArray& antes, const std::function<int()>& enviar);

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

    QByteArray& Pendente() const { return static_cast<const Conexao*>(driver())->mpendente; }

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
    // Each value as text, in its stored form; bytea in binary (no escaping, no doubling
    // of its size). The types are the server's to infer, as for a literal in the text.
    const QVariantList& parametros = boundValues();
    const int n = static_cast<int>(parametros.size());
    std::vector<QByteArray> textos(n);
    std::vector<const char*> valores(n, nullptr);
    std::vector<Oid> tipos(n, 0);
    std::vector<int> tamanhos(n, 0), formatos(n, 0);
    for (int i = 0; i < n; ++i) {
        const QVariant& valor = parametros.at(i);
        if (valor.isNull()) continue;
        switch (valor.typeId()) {
        case QMetaType::QByteArray:
            textos[i] = valor.toByteArray();
            tipos[i] = TipoBytea;
            formatos[i] = 1;
            tamanhos[i] = static_cast<int>(textos[i].size());
            break;
        case QMetaType::Bool:
            textos[i] = valor.toBool() ? "t" : "f";
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            textos[i] = QByteArray::number(valor.toDouble(), 'g', 17);
            break;
        case QMetaType::QDate:
            textos[i] = valor.toDate().toString(Qt::ISODate).toLatin1();
            break;
        case QMetaType::QDateTime:
            textos[i] = valor.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
            break;
        default:
            textos[i] = valor.toString().toUtf8();
            break;
        }
        valores[i] = textos[i].constData();
    }
    if (Pendente().isEmpty())
        return Tratar(PQexecParams(pg, msql.constData(), n, tipos.data(), valores.data(), tamanhos.data(),
                                   formatos.data(), 0));
    const QByteArray antes = Pendente();
    Pendente().clear();
    return Tratar(EmSequencia(pg, antes, [&] {
        return PQsendQueryParams(pg, msql.constData(), n, tipos.data(), valores.data(), tamanhos.data(),
                                 formatos.data(), 0);
    }));
}

PGresult* Resultado::EmSequencia(PGconn* pg, const QByteArray& antes, const std::function<int()>& enviar) {
    // Both statements and a sync in one message; their answers read in order. A
    // connection that broke answers nothing: its error is PQerrorMessage's.
    if (!PQenterPipelineMode(pg)) return nullptr;
    if (!PQsendQueryParams(pg, antes.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0) || !enviar() ||
        !PQpipelineSync(pg))
        return nullptr;
    const auto Proxima = [pg] {
        PGresult* resposta = PQgetResult(pg);
        if (resposta) PQclear(PQgetResult(pg)); // the end of that statement's answers
        return resposta;
    };
    PGresult* primeira = Proxima();
    PGresult* segunda = Proxima();
    PQclear(PQgetResult(pg)); // the sync
    PQexitPipelineMode(pg);
    const ExecStatusType estado = PQresultStatus(primeira);
    if (primeira && estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK) {
        PQclear(segunda);
        return primeira;
    }
    PQclear(primeira);
    return segunda;
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

bool EnviarComOProximo(const QSqlDatabase& db, const QString& sql) {
    const auto* conexao = dynamic_cast<const Conexao*>(db.driver());
    if (!conexao || !conexao->mconexao) return false;
    conexao->mpendente = sql.toUtf8();
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
