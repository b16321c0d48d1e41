#pragma once
// "Renovar validade do orçamento": a new validity date for a quote still waiting for its
// answer (today + the company's days by default), and its items re-priced as if typed
// today. Before the person confirms, the grid shows each item whose price changes
// (the unit value and the item's total before and after, and the difference) and the
// quote's new total. "Renovar" stores the new date and prices, "Manter preços" the new
// date alone, "Cancelar" (or Escape) nothing. It reads and renews through
// ZELT_N_Orcamentos.clsRenovacaoDeValidade. MontarExibirFormulario answers true when the
// quote was renewed.

#include "andamento/frmDeUmOrcamento.h"

#include <memory>

class XRDTPicker;

class frmRenovarValidade : public frmDeUmOrcamento {
    Q_OBJECT
public:
    explicit frmRenovarValidade(QWidget* pai = nullptr);
    ~frmRenovarValidade() override;

protected:
    void Form_Resize() override;

private:
    // Reads the quote at today's prices into the grid and the labels; false when there
    // is nothing to renew (the person has been told why).
    bool LerOrcamento() override;
    // Renews (re-priced or not); closes the window when done.
    void Renovar(bool lbooReprecificar, QStringView procedimento);
    ZELT_N_Orcamentos::clsRenovacaoDeValidade& Renovacao() const;

    void xrcmdRenovar_Click();
    void xrcmdManterPrecos_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsRenovacaoDeValidade> mobjRenovacao;

    Label* lblNovaValidade;
    XRDTPicker* xrdtpNovaValidade;
    Label* lblNovoTotal;
    Label* lblForaDoCadastro;
    XRCommandButton* xrcmdRenovar;
    XRCommandButton* xrcmdManterPrecos;
};
