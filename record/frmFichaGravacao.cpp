// Saving: the quote's header and its items grid handed to the business layer in one
// call, by mode.

#include "record/frmFicha.h"

void frmFicha::xrcmdSalvarFecharConfirmar_Click() {}
