#pragma once
// The company's quote settings (ZELT_N_Empresa.clsConfiguracoesDoOrcamento): the deposit,
// the PIX key and receiver, the payment conditions, the consent text and who answers for
// it. One row per company in ConfiguracoesDoOrcamento, deleted with it; a company
// without a row has the defaults (no deposit, no PIX key, DEFAULT's consent text). The
// validity days and the permission to change the validity stay in the company record,
// where the record form reads them; this object reads and writes them too.

#include "business/Dialeto.h"

#include <QString>

namespace ConfiguracoesDoOrcamento {

// The consent text a company starts with, in general words, to be adjusted by its
// veterinarian.
extern const QString TextoDeConsentimentoPadrao;

// The schema version that brings the table.
void CriarEsquema(const Dialeto& dialeto);

} // namespace ConfiguracoesDoOrcamento
