#pragma once
// The sheet of one version of a quote from its history, in the report preview
// (printable, exportable to PDF): the quote sheet the list prints (drFicha) with the
// version's header and items, titled with the version's date. For the host's history
// window, which cannot see the list.

#include "contracts/HistoricoDeOrcamentos.h"

#include <QtGlobal>

// The version last selected by historico.SelecionarVersao. Answers 0 when the preview
// was shown, 1 when it was not (the person has been told why).
Q_DECL_EXPORT qint16 ExibirFichaDaVersao(const ZELT_N_Orcamentos::clsHistorico& historico,
                                         const QString& lstrNomeDaAplicacao);
