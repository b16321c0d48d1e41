#pragma once
// Checks that a floor runs the very statements the business layer ran. On SQLite
// the connection's statements are recorded (sqlite3_trace_v2) while the business
// layer does the measured work once, and compared with the floor's statements, text
// for text and, for reads, value for value. PostgreSQL offers no such hook to a client: there the floor is
// trusted as written, and the check answers so.

#include "bench/business/Medicao.h"

#include <functional>

namespace Rastro {

// Runs trabalho and fills comandos with the statements (SQL text with "?", blanks
// collapsed) the connection ran meanwhile; false when it cannot record (PostgreSQL,
// or built without the sqlite3 headers).
// With comValores the statements carry their bound values written in.
bool Gravar(const std::function<void()>& trabalho, QStringList& comandos, bool comValores);

enum class Conferencia {
    TextoEValores, // reads: the floor is run once too, and both runs must match value for value
    Texto          // writes, whose stamps and new keys differ from run to run: the SQL text
};

// Runs trabalho once while recording and compares with the floor. Answers a short
// note for the result line: "piso conferido", "piso não conferido" (PostgreSQL) or,
// after printing both lists on stderr, "PISO DIFERE".
QString ConferirPiso(const std::function<void()>& trabalho, const QList<Medicao::Comando>& piso,
                     Conferencia conferencia = Conferencia::TextoEValores);

// An operation measured beside its floor: the floor checked against one run of trabalho
// (the note), then trabalho (after antes, untimed, each time), the floor and, when given,
// the plain LIKE reference measured in turns (Medicao::Intercalar) into r's times.
void MedirComPiso(Medicao::Resultado& r, int execucoes, const std::function<void()>& trabalho,
                  const std::function<void()>& antes, const QList<Medicao::Comando>& piso,
                  const QList<Medicao::Comando>& like = {});

} // namespace Rastro
