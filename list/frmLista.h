#pragma once
// The quotes list, docked in the host's work area.

#include "contracts/ComponentesDaSuite.h"
#include "contracts/Negocio.h"

#include <QWidget>
#include <memory>

class frmLista : public QWidget {
    Q_OBJECT
public:
    explicit frmLista(QWidget* parent = nullptr);
    ~frmLista() override;

    // Docks the list into the work area, shows it and selects the first page.
    // 0 when the first selection succeeded, 1 when it failed (already shown).
    Q_INVOKABLE qint16 MontarExibirFormulario(HWnd AreaDeTrabalho_hWnd);

private:
    // The list's business object, created once by MontarExibirFormulario.
    std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> mobjOrcamentos;
};
