#include "component/IFormularioDeLista.h"

#include "contracts/VB.h"
#include "platform/controls/MSFlexGrid.h"

void IFormularioDeLista::AnotarAlteracao(int lintLinha, double ldouNumeroDoOrcamento,
                                         const QString& lstrDataEHora, const QString& lstrUsuario) {
    MSFlexGrid* lmsfgGrade = Grade();
    if (!lmsfgGrade || lintLinha < 1 || lintLinha >= lmsfgGrade->Rows()) return;
    const QString lstrNumero = lmsfgGrade->TextMatrix(lintLinha, ColunaNumeroDoOrcamento);
    if (!VB::IsNumeric(lstrNumero) || VB::CDbl(lstrNumero) != ldouNumeroDoOrcamento) return;
    lmsfgGrade->setTextMatrix(lintLinha, ColunaDataEHoraDaAlteracao, lstrDataEHora);
    lmsfgGrade->setTextMatrix(lintLinha, ColunaUsuarioDaAlteracao, lstrUsuario);
}
