#pragma once
// The client's approval of a quote and the payments against it
// (ZELT_N_Orcamentos::clsAprovacaoDoOrcamento).
//
// AprovacoesDoOrcamento keeps every approval ever given, one row each: who, how, the
// signature, the items declined, the approved value and the quote's stamp it approved.
// At most one is in force (not undone); undoing one keeps the row, so the signature
// stays on record. PagamentosDoOrcamento keeps the payments, never changed: a reversal
// is a negative row that names the one it reverses. Both stay with the quote: a quote
// with payments is never deleted (it is made inactive).

#include "business/Dialeto.h"
#include "business/OrcamentoGravado.h"

#include "contracts/VB.h"

#include <QDateTime>
#include <QString>

namespace AprovacaoDoOrcamento {

// What an approval stores, checked by the caller.
struct Pedido {
    QList<qint32> ItensRecusados;
    QString Responsavel, CPF, Meio;
    QByteArray Assinatura;
};

// The approval of a quote read for a change (locked), inside the caller's unit of work:
// the stage moved, the approval stored, the stamp renewed, the history entry written.
// Refused (3) when the stage does not allow it; rejected (2) when the items declined
// are not the quote's, are all of them, or leave less than was already paid. Answers
// the quote's new stamp.
QDateTime Aprovar(const GravacaoDeOrcamentos::OrcamentoGravado& gravado, const Pedido& pedido,
                  const QString& usuario);

// Inside a change of an approved quote (its save, an item removed), in the change's
// unit of work: the approval in force undone with its history entry, the stage back to
// waiting for an answer. The form asked the person first.
void DesfazerNaAlteracao(const GravacaoDeOrcamentos::OrcamentoGravado& gravado, const QString& usuario,
                         const QDateTime& quando);

// What a person is told before changing an approved quote: "O orçamento 421 foi aprovado
// por Maria em 06/12/2026; alterá-lo desfaz a aprovação."
QString AvisoAntesDeAlterar(qint64 numero);

// The approval in force marked undone (kept on record), inside the caller's unit of
// work: by DesfazerNaAlteracao, and by a refusal after an approval (never by the
// conclusion, which keeps the approval the work was done on).
void EncerrarEmVigor(qint64 numero, const QString& usuario, const QDateTime& quando);

// Whether an approved stage's quote holds an approval that a change undoes.
bool EstaAprovado(const QString& etapaGravada);

// A quote with payments on record is not deleted: their record would go with it.
bool TemPagamentos(qint64 numero);

// The schema version that brings the approvals and payments.
void CriarEsquema(const Dialeto& dialeto);
// The schema version that keeps the approved range's low end (ValorAprovadoMinimo: the
// approved items without those "se necessário"); an approval stored before it has the
// column null, read as its whole approved value.
void GuardarValorMinimo(const Dialeto& dialeto);

} // namespace AprovacaoDoOrcamento
