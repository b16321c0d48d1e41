#pragma once
// The suite's presentation components, built here: the error display
// (ZELT_A_MsgErro.clsMensagem), the dark background (ZELT_A_EfeitosDeTela.clsFundoEscuro)
// and the system-name query (ZELT_N_SO.clsObterVersaoDoSO).

#include "contracts/ComponentesDaSuite.h"

namespace Suite {

// Registers the three components under their ProgIDs.
void RegistrarComponentesDaSuite();

// Where the error display appends what it shows: $ZELT_LOG when set, else
// "erros.log" in the component's data folder (Zelt::PastaDeDados,
// ~/.local/share/ZELT/ZELT_A_Orcamentos/erros.log).
QString CaminhoDoLogDeErros();
// Appends one error to that log, as the error display does: date and time, the
// application's name, the number, the description and where it happened.
void RegistrarErro(const QString& nomeDaAplicacao, const QString& numero, const QString& descricao,
                   const QString& local);

// The name the system query answers: $ZELT_NOME_DO_SO when set (so that a clinic,
// or a test, can make it answer "Windows 8"), else the running system's name.
QString NomeDoSistema();

} // namespace Suite
