#include "business/ContagemDeOrcamentos.h"

#include "business/Banco.h"

namespace ContagemDeOrcamentos {
namespace {

// The slots of the two situations the system knows, at zero: the first quotes of a new
// database then update rows that exist instead of racing to create them.
QString FatiasZeradas() {
    QStringList valores;
    for (int situacao : {1, 2})
        for (int fatia = 0; fatia < Fatias; ++fatia)
            valores << QStringLiteral("(%1, %2, 0)").arg(situacao).arg(fatia);
    return QStringLiteral("INSERT INTO ContagemDeOrcamentos (Situacao, Fatia, Quantidade) VALUES ") +
           valores.join(QStringLiteral(", ")) + QStringLiteral(" ON CONFLICT (Situacao, Fatia) DO NOTHING");
}

QStringList Recontagem() {
    return {QStringLiteral("DELETE FROM ContagemDeOrcamentos"),
            QStringLiteral("INSERT INTO ContagemDeOrcamentos (Situacao, Fatia, Quantidade) SELECT Situacao, "
                           "NumeroDoOrcamento % %1, COUNT(*) FROM Orcamentos GROUP BY Situacao, "
                           "NumeroDoOrcamento % %1")
                .arg(Fatias),
            FatiasZeradas()};
}

} // namespace

QStringList CriarContagem() {
    const Dialeto dialeto = Banco::DialetoAtual();
    // Safe to run again over a database that already has them (a version number set
    // back by hand): the table is kept, the triggers made anew, the counters recounted.
    QStringList comandos{
        dialeto.Ddl(QStringLiteral("CREATE TABLE IF NOT EXISTS ContagemDeOrcamentos (Situacao {INTEIRO} NOT "
                                   "NULL, Fatia {INTEIRO} NOT NULL, "
                                   "Quantidade {INTEIRO} NOT NULL, PRIMARY KEY (Situacao, Fatia))"))};
    comandos += dialeto.RemoverGatilhosDeContagem();
    comandos += dialeto.CriarGatilhosDeContagem(Fatias);
    comandos += Recontagem();
    return comandos;
}

Consulta Total(qint32 situacao) {
    const QString soma = QStringLiteral("SELECT COALESCE(SUM(Quantidade), 0) FROM ContagemDeOrcamentos");
    if (situacao == 0) return {soma, {}};
    return {soma + QStringLiteral(" WHERE Situacao = ?"), {situacao}};
}

void Recontar() {
    for (const QString& comando : Recontagem())
        Banco::Executar(comando);
}

QStringList Divergencias() {
    QSqlQuery q = Banco::Executar(QStringLiteral(
        "SELECT Situacao, SUM(Contados), SUM(Registrados) FROM (SELECT Situacao, COUNT(*) AS Contados, 0 AS "
        "Registrados FROM Orcamentos GROUP BY Situacao UNION ALL SELECT Situacao, 0, SUM(Quantidade) FROM "
        "ContagemDeOrcamentos GROUP BY Situacao) t GROUP BY Situacao ORDER BY Situacao"));
    QStringList divergencias;
    while (q.next()) {
        const qint64 contados = q.value(1).toLongLong(), registrados = q.value(2).toLongLong();
        if (contados != registrados)
            divergencias << QStringLiteral("Situação %1: %2 orçamentos, contagem %3")
                                .arg(q.value(0).toLongLong())
                                .arg(contados)
                                .arg(registrados);
    }
    return divergencias;
}

} // namespace ContagemDeOrcamentos
