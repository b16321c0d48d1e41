#pragma once
// ZELT_N_Orcamentos.clsTermoDeConsentimento: what a quote's consent form prints, read
// from the registry, the company's quote settings and the quote itself, and the history
// entry of a form printed or exported. Nothing of the form is stored apart: the entry's
// copy is the quote as it stood, and its text names how the form left and for which
// veterinarian.

#include <QDate>
#include <QString>

namespace TermoDeConsentimento {

// An animal's age on hoje from its birth date, as the form writes it: "3 anos e 2
// meses", "1 ano", "5 meses", "12 dias"; empty for a date unknown or after hoje.
QString Idade(const QDate& nascimento, const QDate& hoje);

// The history's text of a form that left the program: "termo de consentimento impresso:
// Dra. Ana Souza, CRMV-SP 12345".
QString Operacao(const QString& como, const QString& veterinario, const QString& crmv);

} // namespace TermoDeConsentimento
