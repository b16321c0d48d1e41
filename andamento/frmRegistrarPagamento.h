#pragma once
// "Registrar pagamento": the payments against an approved quote. Its approved value, what
// was paid and what is left; the payments so far (a reversal is a negative row naming the
// one it reverses); a new payment's value (at first the deposit still due, else what is
// left), its way and, for Pix, the transaction id; "Registrar". An administrator also
// reverses the selected payment ("Estornar…", with the reason typed beside it); a clerk
// does not see that command (the business layer refuses it to a clerk anyway).
// MontarExibirFormulario answers true when a payment was registered or reversed.

#include "andamento/frmDeUmOrcamento.h"

#include <memory>

class QLineEdit;
class XRComboBox;
class XRNumberBox;

class frmRegistrarPagamento : public frmDeUmOrcamento {
    Q_OBJECT
public:
    explicit frmRegistrarPagamento(QWidget* pai = nullptr);
    ~frmRegistrarPagamento() override;

protected:
    void Form_Resize() override;

private:
    // Twips: the payments' grid, the totals and the new payment's fields under it.
    static constexpr int AlturaDaGrade = 3000;
    static constexpr int TopoDosTotais = TopoDaGrade + AlturaDaGrade + 150;
    static constexpr int TopoDosCampos = TopoDosTotais + 600;
    static constexpr int TopoDoEstorno = TopoDosCampos + 1000;

    bool LerOrcamento() override;
    void AntesDeExibir() override;
    bool LerPagamentos();
    VB::Currency ValorSugerido() const;
    void xrcmbForma_Click();
    void xrcmdRegistrar_Click();
    void xrcmdEstornar_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento> mobjAprovacao;
    Label* lblValorAprovado;
    Label* lblValorPago;
    Label* lblFaltaPagar;
    XRNumberBox* xrnbValor;
    XRComboBox* xrcmbForma;
    Label* lblIdDaTransacao;
    QLineEdit* txtIdDaTransacao;
    XRCommandButton* xrcmdRegistrar;
    Label* lblMotivo;
    QLineEdit* txtMotivo;
    XRCommandButton* xrcmdEstornar;
};
