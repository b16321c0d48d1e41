#pragma once
// The windows of a quote's life (andamento/) as the list and the record form reach them.
//
// Those windows sit above the list in the layer order, so the list's context menu cannot
// name them: each one registers here, under its kind, the function that opens it for a
// quote, and the component's entry fills the table (andamento's RegistrarJanelas) when
// its classes are created. A window that is not registered is simply not offered.

#include <QtGlobal>
#include <functional>

class QWidget;

namespace JanelasDoOrcamento {

enum class Janela {
    RegistrarAprovacao,   // who approved and how
    RegistrarRecusa,      // the reason of a refusal
    RenovarValidade,      // a new validity date, the items re-priced
    CopiarOrcamento,      // a new quote from this one at today's prices
    Historico,            // the quote's versions
    Acompanhamento,       // the follow-up of open quotes (no quote: numero 0)
    AprovarOrcamento,     // the client's approval with marks and a signature
    RegistrarPagamento,   // a deposit or a payment against the quote
    TermoDeConsentimento, // the consent form for a surgery or an anaesthesia
};

// Opens the window for the quote numero over pai, modal; true when the quote changed
// (the caller then reads it again).
using Abridor = std::function<bool(QWidget* pai, double numero)>;

void Registrar(Janela janela, Abridor abridor);
bool Registrada(Janela janela);
// False, and nothing shown, when the window is not registered.
bool Abrir(Janela janela, QWidget* pai, double numero);

} // namespace JanelasDoOrcamento
