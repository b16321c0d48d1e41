#pragma once
// Fills the table through which the list and the record form open this folder's windows
// for a quote (component/JanelasDoOrcamento.h). Called by the component's entry when
// its classes are created; calling it again changes nothing.

namespace andamento {
void RegistrarJanelas();
} // namespace andamento
