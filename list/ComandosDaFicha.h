#pragma once
// The client's answer from the quote sheet's preview: "Aprovar orçamento…", "Registrar
// pagamento…" and "Termo de consentimento…" on its toolbar, after the two sends, only on the sheet (the
// list's report has none). They open the windows of the quote's life through JanelasDoOrcamento (those sit
// above the list) and are added only when that window is registered.
//
// Decisions:
// - Each is enabled from the quote's stage as the business layer reads it, when the preview
//   opens and after each of its commands: the approval while the stage allows one
//   (clsEtapasDoOrcamento::PermiteAprovacao), a payment against an approval in force or a
//   concluded quote (PermitePagamento). A stage that cannot be read leaves both disabled.
//   The consent form while the quote has a procedure that needs it (ExigeConsentimento).
// - After a window changed the quote, the sheet's closing sections are read again and the
//   preview shows the sheet as it is now (the approval block, the deposit asked or
//   received); the sends from the same preview carry the new deposit line and PIX code.

#include "list/EnvioDoOrcamento.h"

#include <memory>

class drFicha;

namespace ComandosDaFicha {

// Payments are taken against an approval (a concluded quote keeps its own): the stage as
// shown, "Aprovado", "Aprovado em parte" or "Concluído".
bool PermitePagamento(const QString& etapa);

// Whether the quote has a procedure that needs the consent form (an item of a service type
// the settings name); false when that cannot be read: the window would show why.
bool ExigeConsentimento(double numero);

// Adds the three commands to the sheet of envio's quote. envio is what the sheet's sends
// say (EnvioDoOrcamento::PrepararFicha); its deposit is updated after a change. The
// answer turns true once a window changed the quote: the caller reads its row again.
std::shared_ptr<const bool> Preparar(drFicha& ficha, std::shared_ptr<EnvioDoOrcamento::Orcamento> envio);

} // namespace ComandosDaFicha
