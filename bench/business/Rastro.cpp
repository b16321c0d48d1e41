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
struct Gravacao {
    QStringList* Comandos;
    bool ComValores;
};

int AoExecutar(unsigned tipo, void* contexto, void* comando, void* texto) {
    if (tipo != SQLITE_TRACE_STMT) return 0;
    const auto* gravacao = static_cast<const Gravacao*>(contexto);
    QString sql = QString::fromUtf8(static_cast<const char*>(texto));
    // Not the business layer's: statements run by triggers, which arrive as comments
    // ("-- TRIGGER name"), and those FTS5 runs on its own tables, which always name
    // the schema ('main'.'ClientesPesquisa_config'...).
    if (sql.startsWith(QLatin1String("--")) || sql.contains(QLatin1String("'main'."))) return 0;
    if (gravacao->ComValores) {
        char* expandido = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(comando));
        sql = QString::fromUtf8(expandido);
        sqlite3_free(expandido);
    }
    gravacao->Comandos->append(Compactar(sql));
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

void Mostrar(const char* titulo, const QStringList& comandos) {
    std::fprintf(stderr, "%s\n", titulo);
    for (const QString& sql : comandos)
        std::fprintf(stderr, "  %s\n", qPrintable(sql));
}

} // namespace

bool Gravar(const std::function<void()>& trabalho, QStringList& comandos, bool comValores) {
    comandos.clear();
#ifdef ZELT_BENCH_SQLITE3
    if (sqlite3* banco = Manipulador()) {
        Gravacao gravacao{&comandos, comValores};
        sqlite3_trace_v2(banco, SQLITE_TRACE_STMT, AoExecutar, &gravacao);
        trabalho();
        sqlite3_trace_v2(banco, 0, nullptr, nullptr);
        return true;
    }
#endif
    trabalho();
    return false;
}

QString ConferirPiso(const std::function<void()>& trabalho, const QList<Medicao::Comando>& piso,
                     Conferencia conferencia) {
    const bool comValores = conferencia == Conferencia::TextoEValores;
    QStringList executados;
    if (!Gravar(trabalho, executados, comValores)) return QStringLiteral("piso não conferido");
    QStringList esperados;
    if (comValores) {
        Gravar([&] { Medicao::ExecutarDireto(piso); }, esperados, true);
    } else {
        // A page the floor reads only after a count that found rows: run the counts
        // before it (reads only) to know whether it belongs to the expected statements.
        QList<Medicao::Comando> contagens;
        for (const Medicao::Comando& comando : piso) {
            if (comando.SoSeContou) break;
            contagens << comando;
        }
        const qint64 contagem =
            contagens.size() < piso.size() ? Medicao::ExecutarDireto(contagens).UltimaContagem : -1;
        for (const Medicao::Comando& comando : piso)
            if (!comando.SoSeContou || contagem != 0) esperados << Compactar(comando.Sql);
    }
    if (executados == esperados) return QStringLiteral("piso conferido");
    std::fprintf(stderr, "O piso difere do que a camada de negócio executou.\n");
    Mostrar("Negócio:", executados);
    Mostrar("Piso:", esperados);
    return QStringLiteral("PISO DIFERE");
}

void MedirComPiso(Medicao::Resultado& r, int execucoes, const std::function<void()>& trabalho,
                  const std::function<void()>& antes, const QList<Medicao::Comando>& piso,
                  const QList<Medicao::Comando>& like) {
    r.Nota = ConferirPiso(trabalho, piso);
    Medicao::Intercalar(
        execucoes, {{trabalho, antes, &r.Tempos}, {[&piso] { Medicao::ExecutarDireto(piso); }, {}, &r.Piso}});
    // The plain LIKE's full scans run after: between the list's runs they pushed what
    // the list reads out of the caches before each of them, which the floor, run
    // right after the list, was spared.
    if (!like.isEmpty())
        Medicao::Intercalar(execucoes, {{[&like] { Medicao::ExecutarDireto(like); }, {}, &r.Like}});
}

} // namespace Rastro
