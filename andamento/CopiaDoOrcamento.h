#pragma once
// "Copiar orçamento": a new quote for the same client and animal with the same items at
// today's prices, opened in the record form as the list's "Adicionar" opens one.

class QWidget;

namespace andamento {

// Opens the record form for the copy of the quote numero, modal; true when the new
// quote was saved. The items the registry no longer has active are named in a message
// and left out.
bool CopiarOrcamento(QWidget* pai, double numero);

} // namespace andamento
