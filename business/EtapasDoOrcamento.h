#pragma once
// The stage of a quote (ZELT_N_Orcamentos::Etapa): where it stands with its client.
//
// Stored in a table of its own, EtapasDoOrcamento, one row per quote that left
// "Em aberto", keyed by the quote's number and deleted with it. A quote without a row is
// "Em aberto": a save writes nothing here, so the quote's columns, its inserts and the
// history's copies stay as they were, and a database moving to this version marks only
// its sent quotes. "Vencido" is never stored: it is read from the validity date and the
// business clock whenever a stage is shown or a filter selects.
//
// Which operation may leave which stage is one table (Transicoes, in the .cpp).

#include "business/ContagemDeOrcamentos.h"
#include "business/Dialeto.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

namespace EtapasDoOrcamento {

// The operations that change a stage.
enum class Operacao {
    Envio,
    Entrega,
    Aprovacao,
    AprovacaoEmParte,
    Recusa,
    Conclusao,
    Renovacao,
    DesfazerAprovacao
};

// The stage a quote is shown in: the stored one, or "Vencido" for a quote "Em aberto" or
// "Enviado" whose validity ended before hoje.
QString EtapaMostrada(const QString& gravada, const QDate& validade, const QDate& hoje);

// The stage shown and the change stamp of a quote as the windows that answer it read them:
// `linha` stands on a row whose first three columns are the quote's validity date, its
// change stamp and its stored stage (NULL: "Em aberto"); nothing when the read found no
// row, which refuses "O orçamento N não está cadastrado.".
struct EtapaLida {
    QString Etapa, DataEHoraDaAlteracao;
};
EtapaLida LerEtapa(QSqlQuery& linha, bool achou, double numero);

// The stage an operation leads to from the stage shown; nothing when the table does not
// allow it.
std::optional<QString> Destino(Operacao operacao, const QString& etapaMostrada);

// The refusal of an operation the stage does not allow: "O orçamento 421 está recusado:
// não pode ser aprovado."
QString MensagemDeRecusa(qint64 numero, Operacao operacao, const QString& etapaMostrada);

// The stored stage of a quote ("Em aberto" without a row).
QString EtapaGravada(qint64 numero);

// Stores the stage of a quote (its row written anew), inside the caller's unit of work.
struct Dados {
    QString Etapa;
    QDateTime Quando;
    QString Usuario;
    QString Responsavel, Meio;    // an approval: who and how
    QString MotivoDaRecusa, Nota; // a refusal
};
void Gravar(qint64 numero, const Dados& dados);

// Takes the quote back to "Em aberto" (its row deleted), or to "Enviado" when it was ever
// sent, inside the caller's unit of work: an approval undone.
void VoltarAntesDaResposta(qint64 numero, const QString& usuario, const QDateTime& quando);

// After a send, inside its unit of work: a quote "Em aberto" becomes "Enviado"; any
// other stage stays (a sent approved quote is still approved).
void RegistrarEnvio(qint64 numero, const QString& usuario, const QDateTime& quando);

// The condition (on the quotes aliased o) that the quote has not answered: no stage row
// ("Em aberto") or "Enviado", its stage looked up by its key in a correlated subquery.
QString NaoRespondido();

// The condition (on the quotes aliased o) of a list filter code that selects by stage
// (ZELT_N_Orcamentos::FiltroDaLista from AguardandoResposta on); nothing for any other.
std::optional<Dialeto::Subconsulta> CondicaoDoFiltro(qint32 codigo, const QDate& hoje);

// The number of quotes a filter by stage selects, without counting them: "Aprovados",
// "Recusados" and "Concluídos" read the stage counters (ContagemDeEtapas, kept by
// triggers on EtapasDoOrcamento per stage and slot, as ContagemDeOrcamentos keeps them
// per situation); "Aguardando resposta", "Vencem em até 7 dias" and "Vencidos" the
// follow-up's counters (NaoRespondidosValidosEntre).
std::optional<ContagemDeOrcamentos::Consulta> ContagemDoFiltro(qint32 codigo, const QDate& hoje);

// The number of quotes not answered ("Em aberto" or "Enviado"; only "Enviado" when
// soEnviados) whose validity date is from de to ate (either invalid: no bound), from the
// follow-up's counters (ContagemDoAcompanhamento): a statement of one value.
ContagemDeOrcamentos::Consulta NaoRespondidosValidosEntre(bool soEnviados, const QDate& de, const QDate& ate);

// Counts the stage rows and compares with their counters, in one statement: one line
// for each difference ("Etapa Recusado: 1 orçamentos, contagem 2"), none when they agree.
QStringList Divergencias();

// The schema version that brings the stages: the table, its indexes, the quotes already
// sent marked "Enviado" in one statement, and the stage counters recounted, then kept
// by their triggers.
void CriarEsquema(const Dialeto& dialeto);

} // namespace EtapasDoOrcamento
