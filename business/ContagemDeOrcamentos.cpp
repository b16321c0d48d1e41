#include "business/ContagemDeOrcamentos.h"

#include "business/Banco.h"
#include "business/FaixasDeValidade.h"
#include "contracts/Negocio.h"

#include <QHash>
#include <optional>

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

// The follow-up's counters (the header's "follow-up window's figures").

namespace E = ZELT_N_Orcamentos::Etapa;

// A table holding rows of a quote that the follow-up's figures read: its own key, the
// columns read (the quote's number first), those whose change moves the counters, and
// which of the two sets of counters they move.
struct Acompanhada {
    QString Tabela, Chave;
    QStringList Lidas, Observadas;
    bool Figuras, Respostas;
};

const QList<Acompanhada>& Acompanhadas() {
    static const QList<Acompanhada> tabelas{
        {QStringLiteral("Orcamentos"),
         QStringLiteral("NumeroDoOrcamento"),
         {QStringLiteral("NumeroDoOrcamento"), QStringLiteral("DataDoOrcamento"),
          QStringLiteral("UsuarioDaInclusao"), QStringLiteral("ValorLiquido"),
          QStringLiteral("DataDeValidadeDoOrcamento")},
         {QStringLiteral("DataDoOrcamento"), QStringLiteral("UsuarioDaInclusao"),
          QStringLiteral("ValorLiquido"), QStringLiteral("DataDeValidadeDoOrcamento")},
         true,
         true},
        {QStringLiteral("EtapasDoOrcamento"),
         QStringLiteral("NumeroDoOrcamento"),
         {QStringLiteral("NumeroDoOrcamento"), QStringLiteral("Etapa"), QStringLiteral("MotivoDaRecusa"),
          QStringLiteral("DataEHoraDaEtapa")},
         {QStringLiteral("Etapa"), QStringLiteral("MotivoDaRecusa"), QStringLiteral("DataEHoraDaEtapa")},
         true,
         true},
        {QStringLiteral("AprovacoesDoOrcamento"),
         QStringLiteral("NumeroDaAprovacao"),
         {QStringLiteral("NumeroDoOrcamento"), QStringLiteral("NumeroDaAprovacao"),
          QStringLiteral("ValorAprovado"), QStringLiteral("DataEHoraDesfeita")},
         {QStringLiteral("ValorAprovado"), QStringLiteral("DataEHoraDesfeita")},
         true,
         false},
        {QStringLiteral("EnviosDeOrcamentos"),
         QStringLiteral("NumeroDoEnvio"),
         {QStringLiteral("NumeroDoOrcamento"), QStringLiteral("NumeroDoEnvio"),
          QStringLiteral("DataEHoraDoEnvio")},
         {QStringLiteral("DataEHoraDoEnvio")},
         false,
         true},
    };
    return tabelas;
}

// What each of those tables is, in a statement: the table itself, or one quote's rows
// (before or after a change). Keyed by the table's name.
using Fontes = QHash<QString, QString>;

Fontes TabelasInteiras() {
    Fontes fontes;
    for (const Acompanhada& t : Acompanhadas())
        fontes.insert(t.Tabela, t.Tabela);
    return fontes;
}

// One quote's rows as they stand (numero: an expression, such as NEW.NumeroDoOrcamento).
Fontes DoOrcamento(const QString& numero) {
    Fontes fontes;
    for (const Acompanhada& t : Acompanhadas())
        fontes.insert(t.Tabela, QStringLiteral("(SELECT %1 FROM %2 WHERE NumeroDoOrcamento = %3)")
                                    .arg(t.Lidas.join(QStringLiteral(", ")), t.Tabela, numero));
    return fontes;
}

enum class Evento { Inclusao, Alteracao, Exclusao };

// The quote's rows of table t as they stood before the row the trigger fired for changed:
// without its new version, with its old one.
QString AntesDaMudanca(const Acompanhada& t, Evento evento, const QString& numero) {
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE NumeroDoOrcamento = %3")
                      .arg(t.Lidas.join(QStringLiteral(", ")), t.Tabela, numero);
    if (evento != Evento::Exclusao) sql += QStringLiteral(" AND %1 <> NEW.%1").arg(t.Chave);
    if (evento != Evento::Inclusao) {
        QStringList antigas;
        for (const QString& coluna : t.Lidas)
            antigas << QStringLiteral("OLD.%1 AS %1").arg(coluna);
        sql += QStringLiteral(" UNION ALL SELECT ") + antigas.join(QStringLiteral(", "));
    }
    return u'(' + sql + u')';
}

QString Lista(const QStringList& etapas) {
    return u'\'' + etapas.join(QStringLiteral("', '")) + u'\'';
}

// Whole days from one ISO date to another.
QString DiasEntre(const QString& de, const QString& ate) {
    if (Banco::DialetoAtual().EhSQLite())
        return QStringLiteral("CAST(julianday(%2) - julianday(%1) AS INTEGER)").arg(de, ate);
    return QStringLiteral("(CAST(%2 AS date) - CAST(%1 AS date))").arg(de, ate);
}

// The one formula: what each quote adds to the counters, as the figures define it
// (docs/negocio.md, "Follow-up"). Etapa is "" for "Em aberto"; Validade only for a quote
// not answered (the others never expire); Aprovado the approval in force's value (the
// items declined out of it), or the net value when there is none, for the approved
// stages only; Dias, for an answer, from the first send before it (the quote's date when
// none was) to the stage's date.
QString Estado(const Fontes& f, const QString& onde = QString()) {
    const QString contato =
        QStringLiteral("substr(COALESCE((SELECT MIN(s.DataEHoraDoEnvio) FROM %1 s WHERE s.NumeroDoOrcamento "
                       "= o.NumeroDoOrcamento AND s.DataEHoraDoEnvio <= e.DataEHoraDaEtapa), "
                       "o.DataDoOrcamento), 1, 10)")
            .arg(f.value(QStringLiteral("EnviosDeOrcamentos")));
    return QStringLiteral(
               "SELECT o.DataDoOrcamento AS Dia, o.UsuarioDaInclusao AS Usuario, COALESCE(e.Etapa, '') AS "
               "Etapa, COALESCE(e.MotivoDaRecusa, '') AS Motivo, CASE WHEN e.Etapa IS NULL OR e.Etapa = '%1' "
               "THEN o.DataDeValidadeDoOrcamento ELSE '' END AS Validade, o.ValorLiquido AS Oferecido, CASE "
               "WHEN e.Etapa IN (%2) THEN COALESCE((SELECT MAX(a.ValorAprovado) FROM %3 a WHERE "
               "a.NumeroDoOrcamento = o.NumeroDoOrcamento AND a.DataEHoraDesfeita IS NULL), o.ValorLiquido) "
               "ELSE 0 END AS Aprovado, CASE WHEN e.Etapa IN (%4) THEN %5 END AS Dias FROM %6 o LEFT JOIN %7 "
               "e ON e.NumeroDoOrcamento = o.NumeroDoOrcamento")
               .arg(E::Enviado, Lista({E::Aprovado, E::AprovadoEmParte, E::Concluido}),
                    f.value(QStringLiteral("AprovacoesDoOrcamento")),
                    Lista({E::Aprovado, E::AprovadoEmParte, E::Recusado}),
                    DiasEntre(contato, QStringLiteral("substr(e.DataEHoraDaEtapa, 1, 10)")),
                    f.value(QStringLiteral("Orcamentos")), f.value(QStringLiteral("EtapasDoOrcamento"))) +
           onde;
}

// Only the answers the median counts.
QString SoRespondidas() {
    return QStringLiteral(" WHERE e.Etapa IN (%1)")
        .arg(Lista({E::Aprovado, E::AprovadoEmParte, E::Recusado}));
}

const QString ChaveDasFiguras = QStringLiteral("DataDoOrcamento, Usuario, Etapa, MotivoDaRecusa, Validade");
const QString ChaveDasRespostas = QStringLiteral("DataDoOrcamento, Usuario, Dias");

// Moves the counters by the quote's state after its change less its state before (either
// may be missing: a quote that is new, a quote that is gone). Only the keys whose sums
// change are written, in the keys' order, so that two transactions lock counter rows in
// one order.
QStringList Mover(const std::optional<Fontes>& antes, const std::optional<Fontes>& depois, bool figuras,
                  bool respostas) {
    QStringList partes;
    if (antes) partes << QStringLiteral("SELECT -1 AS Sinal, x.* FROM (%1) x").arg(Estado(*antes));
    if (depois) partes << QStringLiteral("SELECT 1 AS Sinal, y.* FROM (%1) y").arg(Estado(*depois));
    const QString mudanca = partes.join(QStringLiteral(" UNION ALL "));
    QStringList comandos;
    if (figuras)
        comandos
            << QStringLiteral(
                   "INSERT INTO ContagemDoAcompanhamento (%1, Quantidade, ValorOferecido, ValorAprovado) "
                   "SELECT Dia, Usuario, Etapa, Motivo, Validade, SUM(Sinal), SUM(Sinal * Oferecido), "
                   "SUM(Sinal * Aprovado) FROM (%2) t GROUP BY Dia, Usuario, Etapa, Motivo, Validade "
                   "HAVING SUM(Sinal) <> 0 OR SUM(Sinal * Oferecido) <> 0 OR SUM(Sinal * Aprovado) <> 0 "
                   "ORDER BY 1, 2, 3, 4, 5 ON CONFLICT (%1) DO UPDATE SET Quantidade = "
                   "ContagemDoAcompanhamento.Quantidade + excluded.Quantidade, ValorOferecido = "
                   "ContagemDoAcompanhamento.ValorOferecido + excluded.ValorOferecido, ValorAprovado = "
                   "ContagemDoAcompanhamento.ValorAprovado + excluded.ValorAprovado;")
                   .arg(ChaveDasFiguras, mudanca);
    if (respostas)
        comandos << QStringLiteral("INSERT INTO RespostasDoAcompanhamento (%1, Quantidade) SELECT Dia, "
                                   "Usuario, Dias, SUM(Sinal) FROM (%2) t WHERE Dias IS NOT NULL GROUP BY "
                                   "Dia, Usuario, Dias HAVING SUM(Sinal) <> 0 ORDER BY 1, 2, 3 ON CONFLICT "
                                   "(%1) DO UPDATE SET Quantidade = RespostasDoAcompanhamento.Quantidade + "
                                   "excluded.Quantidade;")
                        .arg(ChaveDasRespostas, mudanca);
    return comandos;
}

// What a trigger of table t runs for an event. The quote's header removed is taken out
// before its removal (a BEFORE trigger: its stage, approvals and sends go with it by
// cascade, and their own triggers then find no quote and move nothing).
QStringList AoMudar(const Acompanhada& t, Evento evento) {
    const QString numero = evento == Evento::Exclusao ? QStringLiteral("OLD.NumeroDoOrcamento")
                                                      : QStringLiteral("NEW.NumeroDoOrcamento");
    const Fontes atual = DoOrcamento(numero);
    if (t.Tabela == QLatin1String("Orcamentos") && evento == Evento::Exclusao)
        return Mover(atual, std::nullopt, t.Figuras, t.Respostas);
    Fontes antes = atual;
    antes.insert(t.Tabela, AntesDaMudanca(t, evento, numero));
    return Mover(antes, atual, t.Figuras, t.Respostas);
}

QString Momento(const Acompanhada& t, Evento evento) {
    if (evento == Evento::Inclusao) return QStringLiteral("AFTER INSERT");
    if (evento == Evento::Exclusao)
        return t.Tabela == QLatin1String("Orcamentos") ? QStringLiteral("BEFORE DELETE")
                                                       : QStringLiteral("AFTER DELETE");
    return QStringLiteral("AFTER UPDATE OF ") + t.Observadas.join(QStringLiteral(", "));
}

QString NomeDoGatilho(const Acompanhada& t, Evento evento) {
    static const char* const nomes[] = {"Inclusao", "Alteracao", "Exclusao"};
    return t.Tabela + QStringLiteral("_Acompanhamento_") + QLatin1String(nomes[int(evento)]);
}

// A change of a watched column (the row's quote number never changes).
QString Mudou(const Acompanhada& t, const QString& diferente) {
    QStringList mudancas;
    for (const QString& coluna : t.Observadas)
        mudancas << QStringLiteral("OLD.%1 %2 NEW.%1").arg(coluna, diferente);
    return mudancas.join(QStringLiteral(" OR "));
}

QStringList RecontagemDoAcompanhamento() {
    return {
        QStringLiteral("DELETE FROM ContagemDoAcompanhamento"),
        QStringLiteral("DELETE FROM RespostasDoAcompanhamento"),
        QStringLiteral("INSERT INTO ContagemDoAcompanhamento (%1, Quantidade, ValorOferecido, ValorAprovado) "
                       "SELECT Dia, Usuario, Etapa, Motivo, Validade, COUNT(*), SUM(Oferecido), "
                       "SUM(Aprovado) FROM (%2) t GROUP BY Dia, Usuario, Etapa, Motivo, Validade")
            .arg(ChaveDasFiguras, Estado(TabelasInteiras())),
        QStringLiteral("INSERT INTO RespostasDoAcompanhamento (%1, Quantidade) SELECT Dia, Usuario, Dias, "
                       "COUNT(*) FROM (%2) t GROUP BY Dia, Usuario, Dias")
            .arg(ChaveDasRespostas, Estado(TabelasInteiras(), SoRespondidas()))};
}

// The counters against a recount, in one statement: one line for each key that differs.
QStringList DivergenciasDoAcompanhamento() {
    const QString estado = Estado(TabelasInteiras());
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT Tipo, Dia, Usuario, Etapa, Motivo, Validade, Dias, SUM(Q), SUM(O), SUM(A), SUM(CQ), "
            "SUM(CO), SUM(CA) FROM (SELECT 1 AS Tipo, Dia, Usuario, Etapa, Motivo, Validade, 0 AS Dias, "
            "COUNT(*) AS Q, SUM(Oferecido) AS O, SUM(Aprovado) AS A, 0 AS CQ, 0 AS CO, 0 AS CA FROM (%1) t "
            "GROUP BY Dia, Usuario, Etapa, Motivo, Validade UNION ALL SELECT 1, DataDoOrcamento, Usuario, "
            "Etapa, MotivoDaRecusa, Validade, 0, 0, 0, 0, Quantidade, ValorOferecido, ValorAprovado FROM "
            "ContagemDoAcompanhamento UNION ALL SELECT 2, Dia, Usuario, '', '', '', Dias, COUNT(*), 0, 0, 0, "
            "0, 0 FROM (%2) r GROUP BY Dia, Usuario, Dias UNION ALL SELECT 2, DataDoOrcamento, Usuario, '', "
            "'', '', Dias, 0, 0, 0, Quantidade, 0, 0 FROM RespostasDoAcompanhamento) d GROUP BY Tipo, Dia, "
            "Usuario, Etapa, Motivo, Validade, Dias HAVING SUM(Q) <> SUM(CQ) OR SUM(O) <> SUM(CO) OR SUM(A) "
            "<> SUM(CA) ORDER BY 1, 2, 3, 4, 5, 6, 7")
            .arg(estado, Estado(TabelasInteiras(), SoRespondidas())));
    QStringList divergencias;
    const auto valores = [&](int primeira) {
        const auto reais = [&](int coluna) {
            return QString::number(q.value(coluna).toLongLong() / 10000.0, 'f', 2);
        };
        return QStringLiteral("%1 orçamentos").arg(q.value(primeira).toLongLong()) +
               (q.value(0).toInt() == 1 ? QStringLiteral(" (%1 oferecidos, %2 aprovados)")
                                              .arg(reais(primeira + 1), reais(primeira + 2))
                                        : QString());
    };
    while (q.next()) {
        const QString chave =
            q.value(0).toInt() == 1
                ? QStringLiteral("Acompanhamento, dia %1, %2, etapa \"%3\", motivo \"%4\", validade \"%5\"")
                      .arg(q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                           q.value(4).toString(), q.value(5).toString())
                : QStringLiteral("Respostas, dia %1, %2, em %3 dias")
                      .arg(q.value(1).toString(), q.value(2).toString(), q.value(6).toString());
        divergencias << chave + QStringLiteral(": ") + valores(7) + QStringLiteral(", contagem ") +
                            valores(10);
    }
    return divergencias;
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
    RecontarAcompanhamento();
    FaixasDeValidade::Recontar();
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
    return divergencias + DivergenciasDoAcompanhamento() + FaixasDeValidade::Divergencias();
}

QStringList CriarContagemDoAcompanhamento() {
    const Dialeto dialeto = Banco::DialetoAtual();
    return QStringList{
               dialeto.Ddl(
                   QStringLiteral(
                       "CREATE TABLE IF NOT EXISTS ContagemDoAcompanhamento (DataDoOrcamento TEXT NOT NULL, "
                       "Usuario TEXT NOT NULL, Etapa TEXT NOT NULL, MotivoDaRecusa TEXT NOT NULL, Validade "
                       "TEXT NOT NULL, Quantidade {INTEIRO} NOT NULL, ValorOferecido {INTEIRO} NOT NULL, "
                       "ValorAprovado {INTEIRO} NOT NULL, PRIMARY KEY (%1)){SEM_ROWID}")
                       .arg(ChaveDasFiguras)),
               dialeto.Ddl(
                   QStringLiteral(
                       "CREATE TABLE IF NOT EXISTS RespostasDoAcompanhamento (DataDoOrcamento TEXT NOT "
                       "NULL, Usuario TEXT NOT NULL, Dias {INTEIRO} NOT NULL, Quantidade {INTEIRO} NOT "
                       "NULL, PRIMARY KEY (%1)){SEM_ROWID}")
                       .arg(ChaveDasRespostas))} +
           RemoverGatilhosDoAcompanhamento() + RecontagemDoAcompanhamento() + CriarGatilhosDoAcompanhamento();
}

QStringList CriarGatilhosDoAcompanhamento() {
    const bool sqlite = Banco::DialetoAtual().EhSQLite();
    QStringList comandos;
    for (const Acompanhada& t : Acompanhadas()) {
        QString funcao;
        for (Evento evento : {Evento::Inclusao, Evento::Alteracao, Evento::Exclusao}) {
            const QString corpo = AoMudar(t, evento).join(u' ');
            const QString quando = evento == Evento::Alteracao
                                       ? QStringLiteral(" WHEN (%1)")
                                             .arg(Mudou(t, sqlite ? QStringLiteral("IS NOT")
                                                                  : QStringLiteral("IS DISTINCT FROM")))
                                       : QString();
            if (sqlite) {
                comandos << QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW%4 BEGIN %5 END")
                                .arg(NomeDoGatilho(t, evento), Momento(t, evento), t.Tabela, quando, corpo);
                continue;
            }
            static const char* const operacoes[] = {"INSERT", "UPDATE", "DELETE"};
            funcao += QStringLiteral("IF TG_OP = '%1' THEN %2 END IF; ")
                          .arg(QLatin1String(operacoes[int(evento)]), corpo);
            comandos << QStringLiteral(
                            "CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW%4 EXECUTE FUNCTION Acompanhar%3()")
                            .arg(NomeDoGatilho(t, evento), Momento(t, evento), t.Tabela, quando);
        }
        if (sqlite) continue;
        // A table emptied at once (TRUNCATE fires no row trigger): everything recounted.
        comandos.prepend(QStringLiteral("CREATE OR REPLACE FUNCTION Acompanhar%1() RETURNS trigger LANGUAGE "
                                        "plpgsql AS $f$ BEGIN %2IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; "
                                        "RETURN NEW; END $f$")
                             .arg(t.Tabela, funcao));
        comandos << QStringLiteral(
                        "CREATE TRIGGER %1_Acompanhamento_Esvaziamento AFTER TRUNCATE ON %1 FOR EACH "
                        "STATEMENT EXECUTE FUNCTION RecontarAcompanhamento()")
                        .arg(t.Tabela);
    }
    if (!sqlite)
        comandos.prepend(QStringLiteral("CREATE OR REPLACE FUNCTION RecontarAcompanhamento() RETURNS trigger "
                                        "LANGUAGE plpgsql AS $f$ BEGIN %1; RETURN NULL; END $f$")
                             .arg(RecontagemDoAcompanhamento().join(QStringLiteral("; "))));
    return comandos;
}

QStringList RemoverGatilhosDoAcompanhamento() {
    const bool sqlite = Banco::DialetoAtual().EhSQLite();
    QStringList comandos;
    for (const Acompanhada& t : Acompanhadas()) {
        for (Evento evento : {Evento::Inclusao, Evento::Alteracao, Evento::Exclusao})
            comandos << QStringLiteral("DROP TRIGGER IF EXISTS ") + NomeDoGatilho(t, evento) +
                            (sqlite ? QString() : QStringLiteral(" ON ") + t.Tabela);
        if (!sqlite)
            comandos << QStringLiteral("DROP TRIGGER IF EXISTS %1_Acompanhamento_Esvaziamento ON %1")
                            .arg(t.Tabela);
    }
    return comandos;
}

void RecontarAcompanhamento() {
    for (const QString& comando : RecontagemDoAcompanhamento())
        Banco::Executar(comando);
}

} // namespace ContagemDeOrcamentos
