#include "business/ContagemDeOrcamentos.h"

#include "business/Banco.h"

namespace ContagemDeOrcamentos {
namespace {

// One set of counters: its table, its two key columns with their types, their values
// for a quote (%1: the row's name, "new", "old" or the table), and the columns the
// check groups by (named alike in the quotes and in the counters).
struct Contador {
    QString Tabela;
    QStringList Colunas, Tipos, Valores, Conferidas;
    QString Rotulo; // the check's line: %1, %2 the grouped columns
};

const QList<Contador>& Contadores() {
    static const QList<Contador> contadores{
        {QStringLiteral("ContagemDeOrcamentos"),
         {QStringLiteral("Situacao"), QStringLiteral("Fatia")},
         {QStringLiteral("{INTEIRO}"), QStringLiteral("{INTEIRO}")},
         {QStringLiteral("%1.Situacao"), QStringLiteral("%1.NumeroDoOrcamento % ") + QString::number(Fatias)},
         {QStringLiteral("Situacao")},
         QStringLiteral("Situação %1")},
        {QStringLiteral("ContagemPorDia"),
         {QStringLiteral("DataDoOrcamento"), QStringLiteral("Fatia")},
         {QStringLiteral("TEXT"), QStringLiteral("{INTEIRO}")},
         {QStringLiteral("%1.DataDoOrcamento"),
          QStringLiteral("%1.NumeroDoOrcamento % ") + QString::number(Fatias)},
         {QStringLiteral("DataDoOrcamento")},
         QStringLiteral("Dia %1")},
        {QStringLiteral("ContagemPorCliente"),
         {QStringLiteral("CodigoDoCliente"), QStringLiteral("Situacao")},
         {QStringLiteral("{INTEIRO}"), QStringLiteral("{INTEIRO}")},
         {QStringLiteral("%1.CodigoDoCliente"), QStringLiteral("%1.Situacao")},
         {QStringLiteral("CodigoDoCliente"), QStringLiteral("Situacao")},
         QStringLiteral("Cliente %1, situação %2")},
    };
    return contadores;
}

// On PostgreSQL the per-client counters sit in ClientesDaPesquisa, one row per client
// beside one text made of the client's searched texts: a search of the quote list then
// reads the clients found and their quotes in the same rows (a sum over tens of
// thousands of clients' counters, looked up one by one, took longer than the search).
// ContagemPorCliente is there a view of it, with the layout SQLite stores.
bool NaPesquisa(const Contador& c) {
    return c.Tabela == QLatin1String("ContagemPorCliente") && !Banco::DialetoAtual().EhSQLite();
}

// The client's texts the list searches (Pesquisa::Clientes), over the row named by
// prefixo ("c.", "NEW."), joined by line breaks: no text typed in the list's search
// holds one, so none matches across two of them.
QString TextosDoCliente(const QString& prefixo) {
    return Pesquisa::Clientes.Expressoes(prefixo, QStringLiteral(" || chr(10) || "));
}

QStringList Valores(const Contador& c, const QString& registro) {
    QStringList valores;
    for (const QString& valor : c.Valores)
        valores << valor.arg(registro);
    return valores;
}

// Adds parcela to every counter of the quote named registro: an upsert, so that a key
// without a row yet gets one.
QString Somar(const QString& registro, int parcela) {
    QString comandos;
    for (const Contador& c : Contadores()) {
        if (NaPesquisa(c)) {
            // The client's row exists from its insertion on; it is written here too when
            // a load went around the triggers.
            comandos +=
                QStringLiteral(
                    "INSERT INTO ClientesDaPesquisa (CodigoDoCliente, Textos, Ativos, Inativos) SELECT "
                    "c.CodigoDoCliente, %1, CASE %2.Situacao WHEN 1 THEN %3 ELSE 0 END, CASE %2.Situacao "
                    "WHEN 2 THEN %3 ELSE 0 END FROM Clientes c WHERE c.CodigoDoCliente = %2.CodigoDoCliente "
                    "ON CONFLICT (CodigoDoCliente) DO UPDATE SET Ativos = ClientesDaPesquisa.Ativos + "
                    "excluded.Ativos, Inativos = ClientesDaPesquisa.Inativos + excluded.Inativos; ")
                    .arg(TextosDoCliente(QStringLiteral("c.")), registro, QString::number(parcela));
            continue;
        }
        const QString chave = c.Colunas.join(QStringLiteral(", "));
        comandos +=
            QStringLiteral("INSERT INTO %1 (%2, Quantidade) VALUES (%3, %4) ON CONFLICT (%2) DO UPDATE "
                           "SET Quantidade = %1.Quantidade + excluded.Quantidade; ")
                .arg(c.Tabela, chave, Valores(c, registro).join(QStringLiteral(", ")),
                     QString::number(parcela));
    }
    return comandos;
}

// The quote columns the counters depend on: only their change moves a quote between
// counters.
const QStringList ColunasContadas{QStringLiteral("Situacao"), QStringLiteral("DataDoOrcamento"),
                                  QStringLiteral("CodigoDoCliente")};

QString AlgumaMudou(const QString& antes, const QString& depois, const QString& diferente) {
    QStringList mudancas;
    for (const QString& coluna : ColunasContadas)
        mudancas << QStringLiteral("%1.%3 %4 %2.%3").arg(antes, depois, coluna, diferente);
    return mudancas.join(QStringLiteral(" OR "));
}

// The slots of the two situations the system knows, at zero: the first quotes of a new
// database then update rows that exist instead of racing to create them.
QString FatiasZeradas() {
    QStringList valores;
    for (int situacao : {1, 2})
        for (int fatia = 0; fatia < Fatias; ++fatia)
            valores << QStringLiteral("(%1, %2, 0)").arg(QString::number(situacao), QString::number(fatia));
    return QStringLiteral("INSERT INTO ContagemDeOrcamentos (Situacao, Fatia, Quantidade) VALUES ") +
           valores.join(QStringLiteral(", ")) + QStringLiteral(" ON CONFLICT (Situacao, Fatia) DO NOTHING");
}

// Every client's row written anew, its index built after (faster than kept row by row).
QStringList RecontagemPorCliente() {
    return {
        QStringLiteral("DROP INDEX IF EXISTS ClientesDaPesquisa_Trigramas"),
        QStringLiteral("TRUNCATE ClientesDaPesquisa"),
        QStringLiteral(
            "INSERT INTO ClientesDaPesquisa (CodigoDoCliente, Textos, Ativos, Inativos) SELECT "
            "c.CodigoDoCliente, %1, COALESCE(k.Ativos, 0), COALESCE(k.Inativos, 0) FROM Clientes c "
            "LEFT JOIN (SELECT CodigoDoCliente, COUNT(*) FILTER (WHERE Situacao = 1) AS Ativos, "
            "COUNT(*) FILTER (WHERE Situacao = 2) AS Inativos FROM Orcamentos GROUP BY "
            "CodigoDoCliente) k ON k.CodigoDoCliente = c.CodigoDoCliente")
            .arg(TextosDoCliente(QStringLiteral("c."))),
        // Without pg_trgm (a user who may not create it) the search reads the rows.
        QStringLiteral("DO $d$ BEGIN IF EXISTS (SELECT 1 FROM pg_extension WHERE extname = 'pg_trgm') THEN "
                       "CREATE INDEX ClientesDaPesquisa_Trigramas ON ClientesDaPesquisa USING gin (Textos "
                       "gin_trgm_ops); END IF; END $d$"),
        QStringLiteral("ANALYZE ClientesDaPesquisa"),
    };
}

QStringList Recontagem() {
    QStringList comandos;
    for (const Contador& c : Contadores()) {
        if (NaPesquisa(c)) {
            comandos += RecontagemPorCliente();
            continue;
        }
        const QString valores = Valores(c, QStringLiteral("Orcamentos")).join(QStringLiteral(", "));
        comandos << QStringLiteral("DELETE FROM ") + c.Tabela
                 << QStringLiteral(
                        "INSERT INTO %1 (%2, Quantidade) SELECT %3, COUNT(*) FROM Orcamentos GROUP BY %3")
                        .arg(c.Tabela, c.Colunas.join(QStringLiteral(", ")), valores);
    }
    comandos << FatiasZeradas();
    return comandos;
}

// ClientesDaPesquisa, and ContagemPorCliente as its view (a table before, dropped).
// The spare room of each page lets a counter's change stay in its page, which no
// index then has to follow.
QStringList TabelaDaPesquisa() {
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS ClientesDaPesquisa (CodigoDoCliente BIGINT PRIMARY KEY, "
                       "Textos TEXT NOT NULL, Ativos BIGINT NOT NULL, Inativos BIGINT NOT NULL) WITH "
                       "(fillfactor = 90)"),
        QStringLiteral("DO $d$ BEGIN IF EXISTS (SELECT 1 FROM pg_tables WHERE schemaname = current_schema() "
                       "AND tablename = 'contagemporcliente') THEN DROP TABLE ContagemPorCliente; END IF; "
                       "END $d$"),
        QStringLiteral("CREATE OR REPLACE VIEW ContagemPorCliente AS SELECT CodigoDoCliente, 1 AS Situacao, "
                       "Ativos AS Quantidade FROM ClientesDaPesquisa UNION ALL SELECT CodigoDoCliente, 2, "
                       "Inativos FROM ClientesDaPesquisa"),
    };
}

QString Soma(const QString& tabela) {
    return QStringLiteral("SELECT COALESCE(SUM(Quantidade), 0) FROM ") + tabela;
}

} // namespace

QString QuantidadeNaSituacao(qint32 situacao) {
    if (situacao == 1) return QStringLiteral("Ativos");
    if (situacao == 2) return QStringLiteral("Inativos");
    return QStringLiteral("Ativos + Inativos");
}

QStringList CriarContagem() {
    const Dialeto dialeto = Banco::DialetoAtual();
    QStringList comandos;
    for (const Contador& c : Contadores()) {
        if (NaPesquisa(c)) {
            comandos += TabelaDaPesquisa();
            continue;
        }
        comandos << dialeto.Ddl(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 %3 NOT NULL, %4 %5 NOT NULL, "
                           "Quantidade {INTEIRO} NOT NULL, PRIMARY KEY (%2, %4)){SEM_ROWID}")
                .arg(c.Tabela, c.Colunas[0], c.Tipos[0], c.Colunas[1], c.Tipos[1]));
    }
    comandos += RemoverGatilhos();
    comandos += CriarGatilhos();
    comandos += Recontagem();
    return comandos;
}

QStringList CriarGatilhos() {
    if (Banco::DialetoAtual().EhSQLite())
        return {
            QStringLiteral("CREATE TRIGGER Orcamentos_Contagem_Inclusao AFTER INSERT ON Orcamentos BEGIN ") +
                Somar(QStringLiteral("new"), 1) + QStringLiteral("END"),
            QStringLiteral("CREATE TRIGGER Orcamentos_Contagem_Exclusao AFTER DELETE ON Orcamentos BEGIN ") +
                Somar(QStringLiteral("old"), -1) + QStringLiteral("END"),
            QStringLiteral(
                "CREATE TRIGGER Orcamentos_Contagem_Situacao AFTER UPDATE OF %1 ON Orcamentos WHEN %2 "
                "BEGIN ")
                    .arg(
                        ColunasContadas.join(QStringLiteral(", ")),
                        AlgumaMudou(QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("IS NOT"))) +
                Somar(QStringLiteral("old"), -1) + Somar(QStringLiteral("new"), 1) + QStringLiteral("END"),
        };
    QStringList tabelas;
    for (const Contador& c : Contadores())
        tabelas << (NaPesquisa(c) ? QStringLiteral("UPDATE ClientesDaPesquisa SET Ativos = 0, Inativos = 0;")
                                  : QStringLiteral("DELETE FROM ") + c.Tabela + u';');
    return {
        // A client's row follows its texts; a client with quotes is never deleted
        // (they refer to it), so its counters go with it only at zero.
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION PesquisarClientes() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN "
            "IF TG_OP = 'DELETE' THEN DELETE FROM ClientesDaPesquisa WHERE CodigoDoCliente = "
            "OLD.CodigoDoCliente; RETURN NULL; END IF; IF TG_OP = 'UPDATE' THEN UPDATE ClientesDaPesquisa "
            "SET CodigoDoCliente = NEW.CodigoDoCliente, Textos = %1 WHERE CodigoDoCliente = "
            "OLD.CodigoDoCliente; "
            "IF FOUND THEN RETURN NULL; END IF; END IF; INSERT INTO ClientesDaPesquisa (CodigoDoCliente, "
            "Textos, Ativos, Inativos) VALUES (NEW.CodigoDoCliente, %1, 0, 0) ON CONFLICT (CodigoDoCliente) "
            "DO UPDATE SET Textos = excluded.Textos; RETURN NULL; END $f$")
            .arg(TextosDoCliente(QStringLiteral("NEW."))),
        QStringLiteral("CREATE OR REPLACE FUNCTION EsvaziarPesquisaDeClientes() RETURNS trigger LANGUAGE "
                       "plpgsql AS $f$ BEGIN DELETE FROM ClientesDaPesquisa; RETURN NULL; END $f$"),
        QStringLiteral("CREATE TRIGGER Clientes_Pesquisa AFTER INSERT OR DELETE OR UPDATE OF %1 ON Clientes "
                       "FOR EACH ROW EXECUTE FUNCTION PesquisarClientes()")
            .arg(Pesquisa::Clientes.Colunas()),
        QStringLiteral("CREATE TRIGGER Clientes_Pesquisa_Esvaziamento AFTER TRUNCATE ON Clientes FOR EACH "
                       "STATEMENT EXECUTE FUNCTION EsvaziarPesquisaDeClientes()"),
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION ContarOrcamentos() RETURNS trigger LANGUAGE plpgsql AS $f$ "
            "BEGIN IF TG_OP <> 'INSERT' THEN ") +
            Somar(QStringLiteral("OLD"), -1) + QStringLiteral("END IF; IF TG_OP <> 'DELETE' THEN ") +
            Somar(QStringLiteral("NEW"), 1) + QStringLiteral("END IF; RETURN NULL; END $f$"),
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION ZerarContagemDeOrcamentos() RETURNS trigger LANGUAGE plpgsql "
            "AS $f$ BEGIN ") +
            tabelas.join(u' ') + QStringLiteral(" RETURN NULL; END $f$"),
        QStringLiteral("CREATE TRIGGER Orcamentos_Contagem AFTER INSERT OR DELETE ON Orcamentos FOR EACH ROW "
                       "EXECUTE FUNCTION ContarOrcamentos()"),
        QStringLiteral(
            "CREATE TRIGGER Orcamentos_Contagem_Situacao AFTER UPDATE OF %1 ON Orcamentos FOR EACH ROW "
            "WHEN (%2) EXECUTE FUNCTION ContarOrcamentos()")
            .arg(ColunasContadas.join(QStringLiteral(", ")),
                 AlgumaMudou(QStringLiteral("OLD"), QStringLiteral("NEW"),
                             QStringLiteral("IS DISTINCT FROM"))),
        // TRUNCATE fires no row trigger.
        QStringLiteral("CREATE TRIGGER Orcamentos_Contagem_Esvaziamento AFTER TRUNCATE ON Orcamentos "
                       "FOR EACH STATEMENT EXECUTE FUNCTION ZerarContagemDeOrcamentos()"),
    };
}

QStringList RemoverGatilhos() {
    if (Banco::DialetoAtual().EhSQLite())
        return {QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Contagem_Inclusao"),
                QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Contagem_Exclusao"),
                QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Contagem_Situacao")};
    return {QStringLiteral("DROP TRIGGER IF EXISTS Clientes_Pesquisa ON Clientes"),
            QStringLiteral("DROP TRIGGER IF EXISTS Clientes_Pesquisa_Esvaziamento ON Clientes"),
            QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Contagem ON Orcamentos"),
            QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Contagem_Situacao ON Orcamentos"),
            QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Contagem_Esvaziamento ON Orcamentos")};
}

Consulta Total(qint32 situacao) {
    const QString soma = Soma(QStringLiteral("ContagemDeOrcamentos"));
    if (situacao == 0) return {soma, {}};
    return {soma + QStringLiteral(" WHERE Situacao = ?"), {situacao}};
}

Consulta DesdeODia(const QString& dataIso) {
    return {Soma(QStringLiteral("ContagemPorDia")) + QStringLiteral(" WHERE DataDoOrcamento >= ?"),
            {dataIso}};
}

Consulta DosClientes(qint32 situacao, const Dialeto::Subconsulta& condicaoDosClientes) {
    Consulta consulta{Soma(QStringLiteral("ContagemPorCliente")) + QStringLiteral(" WHERE ") +
                          condicaoDosClientes.Sql,
                      condicaoDosClientes.Parametros};
    if (situacao != 0) {
        consulta.Sql += QStringLiteral(" AND Situacao = ?");
        consulta.Parametros << situacao;
    }
    return consulta;
}

qint64 QuantidadeDosClientes(qint32 situacao, const Pesquisa::ChavesAchadas& clientes) {
    if (clientes.Quantidade) return *clientes.Quantidade;
    const Consulta soma = DosClientes(situacao, clientes.Em(QStringLiteral("CodigoDoCliente")));
    return Banco::Valor(soma.Sql, soma.Parametros).toLongLong();
}

void Recontar() {
    for (const QString& comando : Recontagem())
        Banco::Executar(comando);
}

QStringList Divergencias() {
    // Per counter, the quotes counted and the counters summed, grouped alike; the
    // grouped columns as text (first) and integer (second, 0 when there is one).
    QStringList partes;
    for (qsizetype tipo = 0; tipo < Contadores().size(); ++tipo) {
        const Contador& c = Contadores().at(tipo);
        const QString segunda = c.Conferidas.size() > 1 ? c.Conferidas[1] : QStringLiteral("0");
        const QString grupo = c.Conferidas.join(QStringLiteral(", "));
        const QString colunas = QStringLiteral("%1 AS Tipo, CAST(%2 AS TEXT) AS C1, %3 AS C2")
                                    .arg(QString::number(tipo), c.Conferidas[0], segunda);
        partes << QStringLiteral(
                      "SELECT %1, COUNT(*) AS Contados, 0 AS Registrados FROM Orcamentos GROUP BY %2")
                      .arg(colunas, grupo)
               << QStringLiteral("SELECT %1, 0, SUM(Quantidade) FROM %2 GROUP BY %3")
                      .arg(colunas, c.Tabela, grupo);
    }
    QSqlQuery q =
        Banco::Executar(QStringLiteral("SELECT Tipo, C1, C2, SUM(Contados), SUM(Registrados) FROM (") +
                        partes.join(QStringLiteral(" UNION ALL ")) +
                        QStringLiteral(") t GROUP BY Tipo, C1, C2 HAVING SUM(Contados) <> "
                                       "SUM(Registrados) ORDER BY Tipo, C1, C2"));
    QStringList divergencias;
    while (q.next()) {
        QString rotulo = Contadores().at(q.value(0).toInt()).Rotulo;
        rotulo.replace(QStringLiteral("%1"), q.value(1).toString())
            .replace(QStringLiteral("%2"), q.value(2).toString());
        divergencias << rotulo + QStringLiteral(": %1 orçamentos, contagem %2")
                                     .arg(QString::number(q.value(3).toLongLong()),
                                          QString::number(q.value(4).toLongLong()));
    }
    return divergencias;
}

} // namespace ContagemDeOrcamentos
