#include "bench/business/Respostas.h"

#include "business/Banco.h"
#include "business/ContagemDeOrcamentos.h"

#include <QElapsedTimer>

namespace Respostas {
namespace {

constexpr qint64 Lote = 20000; // quote numbers per transaction

// The commands (each holding "{lote}", a condition on NumeroDoOrcamento) run batch by
// batch, the follow-up's triggers aside; answers the recount's ms.
double EmLotes(const QStringList& comandos) {
    {
        Banco::UnidadeDeTrabalho unidade;
        Banco::ExecutarTodos(ContagemDeOrcamentos::RemoverGatilhosDoAcompanhamento());
        unidade.Confirmar();
    }
    const qint64 ultimo =
        Banco::Valor(QStringLiteral("SELECT COALESCE(MAX(NumeroDoOrcamento), 0) FROM Orcamentos"))
            .toLongLong();
    for (qint64 de = 0; de <= ultimo; de += Lote) {
        const QString lote = QStringLiteral("NumeroDoOrcamento BETWEEN %1 AND %2")
                                 .arg(QString::number(de), QString::number(de + Lote - 1));
        QStringList doLote;
        for (const QString& comando : comandos)
            doLote << QString(comando).replace(QStringLiteral("{lote}"), lote);
        Banco::UnidadeDeTrabalho unidade;
        Banco::ExecutarTodos(doLote);
        unidade.Confirmar();
    }
    // The planner's statistics of the tables just written, as a database long in use has them
    // (autovacuum would take them some minutes later).
    if (!Banco::DialetoAtual().EhSQLite())
        Banco::Executar(QStringLiteral("ANALYZE EtapasDoOrcamento, EnviosDeOrcamentos, ContagemDeEtapas"));
    Banco::UnidadeDeTrabalho unidade;
    QElapsedTimer relogio;
    relogio.start();
    ContagemDeOrcamentos::RecontarAcompanhamento();
    const double ms = relogio.nsecsElapsed() / 1e6;
    Banco::ExecutarTodos(ContagemDeOrcamentos::CriarGatilhosDoAcompanhamento());
    unidade.Confirmar();
    if (!Banco::DialetoAtual().EhSQLite())
        Banco::Executar(QStringLiteral("ANALYZE ContagemDoAcompanhamento, RespostasDoAcompanhamento"));
    return ms;
}

} // namespace

void Enviar() {
    EmLotes({QStringLiteral(
        "INSERT INTO EnviosDeOrcamentos (NumeroDoOrcamento, DataEHoraDoEnvio, UsuarioDoEnvio, "
        "Canal, Destino) SELECT NumeroDoOrcamento, DataEHoraDaInclusao, 'BENCH', 'WhatsApp', "
        "'' FROM Orcamentos WHERE NumeroDoOrcamento % 3 = 0 AND {lote}")});
}

void MarcarEnviados() {
    EmLotes({QStringLiteral(
        "INSERT INTO EtapasDoOrcamento (NumeroDoOrcamento, Etapa, DataEHoraDaEtapa, UsuarioDaEtapa) SELECT "
        "NumeroDoOrcamento, 'Enviado', DataEHoraDaInclusao, 'BENCH' FROM Orcamentos WHERE NumeroDoOrcamento "
        "% 3 "
        "= 0 AND {lote}")});
}

double Responder() {
    return EmLotes(
        {QStringLiteral(
             "UPDATE EtapasDoOrcamento SET Etapa = 'Aprovado' WHERE NumeroDoOrcamento % 9 = 0 AND {lote}"),
         QStringLiteral("UPDATE EtapasDoOrcamento SET Etapa = 'Recusado', MotivoDaRecusa = 'Preço' WHERE "
                        "NumeroDoOrcamento % 27 = 0 AND {lote}"),
         QStringLiteral(
             "INSERT INTO EtapasDoOrcamento (NumeroDoOrcamento, Etapa, DataEHoraDaEtapa, UsuarioDaEtapa) "
             "SELECT NumeroDoOrcamento, 'Concluído', DataEHoraDaInclusao, 'BENCH' FROM Orcamentos "
             "WHERE NumeroDoOrcamento % 21 = 0 AND {lote} ON CONFLICT (NumeroDoOrcamento) DO UPDATE SET "
             "Etapa = "
             "'Concluído'")});
}

void Limpar() {
    EmLotes({QStringLiteral("DELETE FROM EtapasDoOrcamento WHERE {lote}"),
             QStringLiteral("DELETE FROM EnviosDeOrcamentos WHERE UsuarioDoEnvio = 'BENCH' AND {lote}")});
}

} // namespace Respostas
