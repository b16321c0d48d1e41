#include "bench/business/Rastro.h"

#include "business/Banco.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <cstdio>

#ifdef ZELT_BENCH_SQLITE3
#include <sqlite3.h>
#endif

namespace Rastro {

namespace {

// Blanks collapsed, and the placeholders Qt's SQLite driver numbers (":0", ":1"...)
// written back as the "?" the business layer wrote.
QString Compactar(QString sql) {
    static const QRegularExpression brancos(QStringLiteral("\\s+"));
    static const QRegularExpression marcadores(QStringLiteral(":\\d+\\b"));
    return sql.replace(brancos, QStringLiteral(" ")).replace(marcadores, QStringLiteral("?")).trimmed();
}

#ifdef ZELT_BENCH_SQLITE3
int AoExecutar(unsigned tipo, void* contexto, void*, void* texto) {
    if (tipo == SQLITE_TRACE_STMT) {
        const QString sql = QString::fromUtf8(static_cast<const char*>(texto));
        // Statements run by triggers arrive as comments ("-- TRIGGER name"): not ours.
        if (!sql.startsWith(QLatin1String("--"))) static_cast<QStringList*>(contexto)->append(Compactar(sql));
    }
    return 0;
}

sqlite3* Manipulador() {
    const QSqlDatabase db = Banco::Conexao();
    if (db.driverName() != QLatin1String("QSQLITE")) return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}
#endif

} // namespace

bool Gravar(const std::function<void()>& trabalho, QStringList& comandos) {
    comandos.clear();
#ifdef ZELT_BENCH_SQLITE3
    if (sqlite3* banco = Manipulador()) {
        sqlite3_trace_v2(banco, SQLITE_TRACE_STMT, AoExecutar, &comandos);
        trabalho();
        sqlite3_trace_v2(banco, 0, nullptr, nullptr);
        return true;
    }
#endif
    trabalho();
    return false;
}

QString ConferirPiso(const std::function<void()>& trabalho, const QList<Medicao::Comando>& piso) {
    QStringList executados;
    if (!Gravar(trabalho, executados)) return QStringLiteral("piso não conferido");
    // A page the floor reads only after a count that found rows: run the counts
    // before it (reads only) to know whether it belongs to the expected statements.
    QList<Medicao::Comando> contagens;
    for (const Medicao::Comando& comando : piso) {
        if (comando.SoSeContou) break;
        contagens << comando;
    }
    const qint64 contagem =
        contagens.size() < piso.size() ? Medicao::ExecutarDireto(contagens).UltimaContagem : -1;
    QStringList esperados;
    for (const Medicao::Comando& comando : piso)
        if (!comando.SoSeContou || contagem != 0) esperados << Compactar(comando.Sql);
    if (executados == esperados) return QStringLiteral("piso conferido");
    std::fprintf(stderr, "O piso difere do que a camada de negócio executou.\nNegócio:\n");
    for (const QString& sql : executados)
        std::fprintf(stderr, "  %s\n", qPrintable(sql));
    std::fprintf(stderr, "Piso:\n");
    for (const QString& sql : esperados)
        std::fprintf(stderr, "  %s\n", qPrintable(sql));
    return QStringLiteral("PISO DIFERE");
}

} // namespace Rastro
