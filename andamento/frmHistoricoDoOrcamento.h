#pragma once
// "Histórico do orçamento": the versions of one quote, newest first (when, who, what,
// net value, item count); "Ver ficha" (or a double click on a row) shows the chosen
// version's sheet, the list's quote sheet (drFicha), in the report preview, titled
// with its date. It reads the business layer through ZELT_N_Orcamentos.clsHistorico.

#include "andamento/frmAndamento.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <memory>

class XRFind;

class frmHistoricoDoOrcamento : public frmAndamento {
    Q_OBJECT
public:
    explicit frmHistoricoDoOrcamento(QWidget* pai = nullptr);
    ~frmHistoricoDoOrcamento() override;

    // Shows the window, modal, until it is closed; with a number above 0, that quote's
    // history at once (0: the person types one).
    Q_INVOKABLE void MontarExibirFormulario(double ldouNumeroDoOrcamento);

protected:
    void Form_Resize() override;

private:
    // The sheet of the version last selected, in the report preview. 0 shown, 1 not
    // (the person has been told why).
    qint16 ExibirFichaDaVersao();
    ZELT_N_Orcamentos::clsHistorico& Historico() const;

    void xrfndNumeroDoOrcamento_Click();
    void msfgGrade_SelChange();
    void msfgGrade_DblClick();
    void xrcmdVerFicha_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsHistorico> mobjHistorico;

    XRFind* xrfndNumeroDoOrcamento;
    Label* lblOrcamento;
    XRCommandButton* xrcmdVerFicha;
};
