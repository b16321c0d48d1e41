#pragma once
// What every benchmark shares: opening the measured database, timing a piece of work
// several times, the floor (the same SQL run straight on the business layer's own
// connection), the process's peak memory, and the one result line the bench script
// turns into bench/RESULTS.md.
//
// Result line (stdout, tab-separated, one per case):
//   RESULTADO  area  caso  banco  mediana_ms  min_ms  max_ms  piso_ms  like_ms  pico_rss_mb  linhas  nota
// piso_ms and like_ms are "-" when the case has none; linhas is what the operation found.
// Everything else a benchmark prints goes to stderr.

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

namespace Medicao {

// Command line shared by the benchmarks: --banco FILE | --url URL, --caso NAME,
// --execucoes N (at least 5), --atraso MS (PostgreSQL only: the server reached through
// the delay relay, MS milliseconds each way; 0 counts round trips without delaying).
struct Opcoes {
    QString Arquivo;
    QString Url;
    QString Caso;
    int Execucoes = 7;
    int Atraso = -1; // -1: the server reached straight, no relay
    bool EhPostgreSQL() const { return !Url.isEmpty(); }
    // "-" for a benchmark that measures without a database.
    QString NomeDoBanco() const {
        if (EhPostgreSQL()) return QStringLiteral("PostgreSQL");
        return Arquivo.isEmpty() ? QStringLiteral("-") : QStringLiteral("SQLite");
    }
};
// Reads the options; prints the usage and exits with 2 on a wrong command line. A
// benchmark without a database (comBanco false) refuses --banco and --url.
Opcoes LerOpcoes(const QStringList& argumentos, const char* uso, bool comBanco = true);

// Prints the message (stderr) and ends the process with 1: a benchmark that cannot
// do what it set out to measure says why and stops.
[[noreturn]] void Falhar(const QString& mensagem);

// Opens the database through Negocio::Iniciar (never with demonstration data) and
// registers the ProgIDs; exits with 1 and a message when it cannot. With --atraso the
// connection goes through the delay relay, started at the first call and kept for the
// process (a later call, to measure a start, reuses it).
void AbrirBanco(const Opcoes& opcoes);

// Round trips to the server counted by the relay since the process started; -1 when
// the database is not reached through it.
qint64 IdasEVoltas();

// Times the work once (milliseconds, steady clock). Through the relay, it also notes
// the round trips the work made, under the time it took: Publicar finds the round trips
// of the runs whose times it publishes.
double Cronometrar(const std::function<void()>& trabalho);
// Notes the round trips of a run timed otherwise (nothing without the relay).
void AnotarIdasEVoltas(double ms, qint64 idasEVoltas);
// The round trips of the timed run that took exactly ms milliseconds; -1 when unknown.
qint64 IdasEVoltasDaExecucao(double ms);
// "N idas e voltas" (the median, and the range when runs differ) of the runs whose
// times are given; empty when they are unknown.
QString TextoDeIdasEVoltas(const std::vector<double>& tempos);

// Runs antes (untimed), then trabalho (timed), execucoes times after one untimed
// warm-up round; answers the times in milliseconds.
std::vector<double> Repetir(int execucoes, const std::function<void()>& trabalho,
                            const std::function<void()>& antes = {});

// Several pieces of work measured in turns (one run of each per round, after one
// warm-up round), so that a change in the machine's load during the measurement
// touches all of them alike: what is compared with what is measured side by side.
struct Medida {
    std::function<void()> Trabalho;
    std::function<void()> Antes; // untimed, before every run
    std::vector<double>* Tempos; // filled in milliseconds
};
void Intercalar(int execucoes, const QList<Medida>& medidas);

double Mediana(std::vector<double> tempos);

// Peak resident memory of this process so far (VmHWM), in MB.
double PicoDeMemoriaMb();

// One statement of a floor: the SQL text with "?" and its parameters in order.
struct Comando {
    QString Sql;
    QVariantList Parametros;
    bool GeraChave = false;  // an INSERT whose new key ChaveGerada() stands for afterwards
    bool SoSeContou = false; // a page, read only when the COUNT before it found rows
};
// A parameter that stands for the key the floor's latest INSERT generated (the new
// quote's number, for its items).
QVariant ChaveGerada();
struct Execucao {
    int Linhas = 0;             // rows read
    qint64 UltimaChave = 0;     // the key the latest INSERT generated
    qint64 UltimaContagem = -1; // what the latest SELECT COUNT(*) answered
    QStringList Executados;     // the SQL of the statements run
};
// Runs the statements straight on the business layer's connection with a bare
// QSqlQuery each (prepare, bind, exec, read every value of every row), nothing of
// ours around them; exits with a message when one fails.
Execucao ExecutarDireto(const QList<Comando>& comandos);

struct Resultado {
    Resultado(QString area, QString caso) : Area(std::move(area)), Caso(std::move(caso)) {}
    QString Area, Caso;
    std::vector<double> Tempos;
    std::vector<double> Piso; // empty: no floor
    std::vector<double> Like; // empty: no plain LIKE reference
    qint64 Linhas = -1;
    QString Nota;
};
// Prints the result line (stdout) and a readable summary (stderr). Through the relay,
// the note ends with the round trips of the timed runs.
void Publicar(const Opcoes& opcoes, const Resultado& resultado);

// A case of a benchmark: its name after --caso, and its measurement.
struct Caso {
    QString Nome;
    std::function<Resultado(const Opcoes&)> Medir;
};
struct Programa {
    const char* Uso = "";                // printed on a wrong command line or an unknown case
    QList<Caso> Casos;                   // run in this order when --caso is not given
    bool SemBanco = false;               // measures without a database
    std::function<void()> Preparar = {}; // after the database is opened, before the first case
};
// What the main of every benchmark does once its application object exists: reads the
// command line, refuses an unknown case (usage, exit code 2) before anything is opened,
// opens the database, prepares, runs the case asked for or every case, and publishes
// each result. Answers main's exit code.
int Executar(const Programa& programa);

} // namespace Medicao
