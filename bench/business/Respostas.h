#pragma once
// The sends and answers the stage benchmarks give a generated database (which has none),
// set-based: a third of the quotes sent at their inclusion, of those a ninth approved and
// a twenty-seventh refused, and every 21st quote concluded; and their removal.
//
// Written in batches of quotes, one transaction each: every stage row written moves the
// stage counters' sixteen rows (ContagemDeEtapas), and PostgreSQL, updating one row
// thousands of times in one transaction, walks all its versions at each update (a third
// of a million stage rows took minutes). The follow-up's counters' triggers are set aside
// meanwhile (row by row they would cost minutes at ten million quotes) and the counters
// recounted at the end.

namespace Respostas {

// The sends alone (before the stages' schema version, which marks them "Enviado").
void Enviar();
// The sends' stage rows "Enviado" (when the schema version did not make them).
void MarcarEnviados();
// The answers over the stage rows "Enviado". Answers the follow-up's recount in ms.
double Responder();
// Every stage row and every send the benchmark made.
void Limpar();

} // namespace Respostas
