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
    QDate Validade;
    QString Etapa; // as stored: "Em aberto" when the quote has no stage row
};

// The stored quote, refused (3) when it is gone or no longer the version read;
// consequencia ends the refusal's message ("As alterações não foram gravadas").
OrcamentoGravado LerParaAtualizar(double numero, const QString& alteracaoLida, const QString& consequencia);
// The same read and lock without the stamp's check, for what is not a change of the
// quote but must not meet another at once (a payment against it).
OrcamentoGravado LerTravado(double numero, const QString& consequencia);

// The stamp of a change: now, but at least one second after the quote's inclusion and
// last change.
QDateTime CarimboSeguinte(const OrcamentoGravado& gravado);

// A stamp as the list shows it and the form hands it back ("" for none).
QString TextoDaDataEHora(const QDateTime& dataHora);

} // namespace GravacaoDeOrcamentos
