#pragma once
// A stored quote as a change finds it inside its transaction. Every change of a quote
// (its save, its deletion, the removal of one of its items) reads it here first,
// locked on PostgreSQL (SQLite's write transaction already holds the only write
// lock), and is refused (3) when the quote is gone or is no longer the version the
// form read: the alteration stamp's text the form read (DataEHoraDaAlteracaoLida, ""
// when never changed) must still be the stored one. Every change stores a new stamp
// at least one second later than the quote's inclusion and last change, so the
// stamp's text at second precision names one version of the quote.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace GravacaoDeOrcamentos {

struct OrcamentoGravado {
    qint64 Numero = 0;
    QDate DataDoOrcamento;
    qint64 CodigoDoCliente = 0;
    qint32 Situacao = 0;
    QDateTime Inclusao;
    QDateTime Alteracao; // invalid: never changed
    QString UsuarioDaAlteracao;
    qint64 UltimoNumeroDeItem = 0;
};

// The stored quote, refused (3) when it is gone or no longer the version read;
// consequencia ends the refusal's message ("As alterações não foram gravadas").
OrcamentoGravado LerParaAtualizar(double numero, const QString& alteracaoLida, const QString& consequencia);

// An item removal this program stored: the quote went from the version stamped "de"
// to "para". A removal is stored at once, while the form may still be cancelled; the
// list then keeps showing the version before it, and a form opened from there again
// reads the quote's items as stored but that older stamp. Such a form is not stale:
// a removal changes only the items and the totals, which the form takes from the items
// it read, so LerParaAtualizar takes its stamp through this program's own removals.
// Another workstation's changes, and this program's saves (which may change the
// quote's other fields), still make the version read a stale one.
void LembrarRemocaoPropria(qint64 numero, const QString& de, const QString& para);
// A database closed: its quotes are no longer this program's to know.
void EsquecerRemocoesProprias();

// The stamp of a change: now, but at least one second after the quote's inclusion and
// last change.
QDateTime CarimboSeguinte(const OrcamentoGravado& gravado);

// A stamp as the list shows it and the form hands it back ("" for none).
QString TextoDaDataEHora(const QDateTime& dataHora);

} // namespace GravacaoDeOrcamentos
