#include "business/FaixasDeValidade.h"

#include "business/Banco.h"

#include <QSqlQuery>

namespace FaixasDeValidade {
namespace {

// The range of the quote number given (a column, or a trigger's NEW.NumeroDoOrcamento).
QString Faixa(const QString& numero = QStringLiteral("NumeroDoOrcamento")) {
    return numero + QStringLiteral(" / ") + QString::number(Tamanho);
}

// What a new or changed quote (a trigger's NEW) does to its range. The row is inserted only for the
// range's first quote, and the date written only when it is lowered: a quote saved later
// than its range's first one is valid as long or longer, so on PostgreSQL two
// workstations saving at once seldom wait for each other on a range (an UPDATE whose
// condition fails locks nothing, nor does an insert that finds the row committed).
QString Marcar() {
    return QStringLiteral("INSERT INTO ValidadeDasFaixas (Faixa, MenorValidade) VALUES (%1, %2) ON CONFLICT "
                          "(Faixa) DO NOTHING; UPDATE ValidadeDasFaixas SET MenorValidade = %2 WHERE Faixa = "
                          "%1 AND MenorValidade > %2;")
        .arg(Faixa(QStringLiteral("NEW.NumeroDoOrcamento")), QStringLiteral("NEW.DataDeValidadeDoOrcamento"));
}

QStringList CriarGatilhos(const Dialeto& dialeto) {
    // A validity raised (a renewal) leaves the range as it is.
    const QString baixou = QStringLiteral("NEW.DataDeValidadeDoOrcamento < OLD.DataDeValidadeDoOrcamento");
    if (dialeto.EhSQLite())
        return {QStringLiteral("CREATE TRIGGER Orcamentos_Faixa_Inclusao AFTER INSERT ON Orcamentos BEGIN ") +
                    Marcar() + QStringLiteral(" END"),
                QStringLiteral("CREATE TRIGGER Orcamentos_Faixa_Alteracao AFTER UPDATE OF "
                               "DataDeValidadeDoOrcamento ON Orcamentos WHEN %1 BEGIN ")
                        .arg(baixou) +
                    Marcar() + QStringLiteral(" END")};
    return {
        QStringLiteral("CREATE OR REPLACE FUNCTION MarcarFaixaDeValidade() RETURNS trigger LANGUAGE "
                       "plpgsql AS $f$ BEGIN ") +
            Marcar() + QStringLiteral(" RETURN NULL; END $f$"),
        QStringLiteral("CREATE TRIGGER Orcamentos_Faixa_Inclusao AFTER INSERT ON Orcamentos FOR EACH ROW "
                       "EXECUTE FUNCTION MarcarFaixaDeValidade()"),
        QStringLiteral("CREATE TRIGGER Orcamentos_Faixa_Alteracao AFTER UPDATE OF DataDeValidadeDoOrcamento "
                       "ON Orcamentos FOR EACH ROW WHEN (%1) EXECUTE FUNCTION MarcarFaixaDeValidade()")
            .arg(baixou)};
}

QStringList RemoverGatilhos(const Dialeto& dialeto) {
    const QString em = dialeto.EhSQLite() ? QString() : QStringLiteral(" ON Orcamentos");
    return {QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Faixa_Inclusao") + em,
            QStringLiteral("DROP TRIGGER IF EXISTS Orcamentos_Faixa_Alteracao") + em};
}

} // namespace

void CriarEsquema(const Dialeto& dialeto) {
    Banco::ExecutarComOProximo(
        dialeto.Ddl(QStringLiteral("CREATE TABLE IF NOT EXISTS ValidadeDasFaixas (Faixa {INTEIRO} PRIMARY "
                                   "KEY, MenorValidade TEXT NOT NULL)")),
        {});
    Recontar();
    // Sent with the migration's next statement: a new database costs no round trip more.
    for (const QString& comando : RemoverGatilhos(dialeto) + CriarGatilhos(dialeto))
        Banco::ExecutarComOProximo(comando, {});
}

void Recontar() {
    Banco::ExecutarComOProximo(QStringLiteral("DELETE FROM ValidadeDasFaixas"), {});
    Banco::ExecutarComOProximo(
        QStringLiteral("INSERT INTO ValidadeDasFaixas (Faixa, MenorValidade) SELECT "
                       "%1, MIN(DataDeValidadeDoOrcamento) FROM Orcamentos GROUP BY %1")
            .arg(Faixa()),
        {});
}

QStringList Divergencias() {
    QSqlQuery q = Banco::Executar(
        QStringLiteral("SELECT o.Faixa, o.Validade, f.MenorValidade FROM (SELECT %1 AS Faixa, "
                       "MIN(DataDeValidadeDoOrcamento) AS Validade FROM Orcamentos GROUP BY %1) o LEFT JOIN "
                       "ValidadeDasFaixas f ON f.Faixa = o.Faixa WHERE f.MenorValidade IS NULL OR "
                       "f.MenorValidade > o.Validade ORDER BY o.Faixa")
            .arg(Faixa()));
    QStringList divergencias;
    while (q.next()) {
        const qint64 faixa = q.value(0).toLongLong();
        divergencias << QStringLiteral("Faixa %1 (orçamentos %2 a %3): validade %4, faixa %5")
                            .arg(QString::number(faixa), QString::number(faixa * Tamanho),
                                 QString::number(faixa * Tamanho + Tamanho - 1), q.value(1).toString(),
                                 q.isNull(2) ? QStringLiteral("ausente") : q.value(2).toString());
    }
    return divergencias;
}

QString MaiorNumeroComValidadeAntesDe() {
    // Newest first by the key: the walk stops at the first range with a date before the
    // day, a few ranges below the newest (the quotes of the last days are still valid).
    return QStringLiteral("(SELECT Faixa * %1 + %2 FROM ValidadeDasFaixas WHERE MenorValidade < ? ORDER BY "
                          "Faixa DESC LIMIT 1)")
        .arg(QString::number(Tamanho), QString::number(Tamanho - 1));
}

} // namespace FaixasDeValidade
