#pragma once
// A quote opened in the record form from a window beyond the list, as the list's
// "Alterar" opens it: the record form reads the quote it changes from the list's chosen
// row (modPrincipal::FormularioDeLista), so this hidden stand-in holds that one row,
// written from a selection that names the list's fields (CamposDoOrcamento), and is the
// working context's list while the form is open. The docked list, if any, is given back.

#include "component/IFormularioDeLista.h"
#include "contracts/Recordset.h"

class ListaDeUmOrcamento final : public IFormularioDeLista {
    Q_OBJECT
public:
    // The current row of linha.
    explicit ListaDeUmOrcamento(const Recordset& linha);
    MSFlexGrid* Grade() const override { return msfgGrade; }
    // An item removal stored by the form, which may still be cancelled: the quote changed.
    void AnotarAlteracao(int lintLinha, double ldouNumeroDoOrcamento, const QString& lstrDataEHora,
                         const QString& lstrUsuario) override;

    // The record form changing the quote of linha's current row; true when it stored a
    // change (or removed an item).
    static bool Alterar(const Recordset& linha);

private:
    MSFlexGrid* msfgGrade;
    bool mbooAlteracaoAnotada = false;
};
