// The item commands: add the item being entered to the grid, take a row back for
// change, remove a row, clear the form for a new client.

#include "record/frmFicha.h"

#include "component/modMensagemDeErro.h"

void frmFicha::xrcmdAdicionar_Click() {}

void frmFicha::xrcmdAlterar_Click() {}

void frmFicha::xrcmdRemover_Click() {}

void frmFicha::xrcmdLimparCampos_Click() {}

qint16 frmFicha::Registros_Alterar() {
    return 0;
}

qint16 frmFicha::Registros_Excluir() {
    return 1;
}

qint16 frmFicha::LimparCampos() {
    return 0;
}
