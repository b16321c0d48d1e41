#pragma once
// "Aprovar orçamento": the client's yes at the counter or from afar. The quote's items,
// each marked approved at first (a click on the mark, or Space on the row, declines it or
// takes it back); the approved total as the marks change; who approves (the client,
// pre-filled, or another person with a CPF) and how; for "Presencial" a signature pad
// with "Limpar". "Aprovar" stores it all through clsAprovacaoDoOrcamento with the stamp
// read when the window opened, so a quote changed meanwhile is refused like a stale save.
// MontarExibirFormulario answers true when it was approved.

#include "andamento/frmDeUmOrcamento.h"

#include <memory>

class QLineEdit;
class XRAssinatura;
class XRComboBox;

class frmAprovarOrcamento : public frmDeUmOrcamento {
    Q_OBJECT
public:
    explicit frmAprovarOrcamento(QWidget* pai = nullptr);
    ~frmAprovarOrcamento() override;

    // The mark a row shows.
    static inline const QString Aprovado = QStringLiteral("Sim");
    static inline const QString Recusado = QStringLiteral("Não");

protected:
    void Form_Resize() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Twips: the items' grid, the fields under it, the pad under them.
    static constexpr int AlturaDaGrade = 3300;
    static constexpr int TopoDosCampos = TopoDaGrade + AlturaDaGrade + 700;
    static constexpr int TopoDaAssinatura = TopoDosCampos + 900;
    static constexpr int AlturaDaAssinatura = 2100;

    bool LerOrcamento() override;
    void AlternarMarca(int linha);
    void AtualizarTotal();
    void msfgGrade_Click();
    void xrcmbComo_Click();
    void xrcmdLimpar_Click();
    void xrcmdAprovar_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento> mobjAprovacao;
    Label* lblTotalAprovado;
    QLineEdit* txtQuem;
    QLineEdit* txtCPF;
    XRComboBox* xrcmbComo;
    Label* lblAssinatura;
    XRAssinatura* assAssinatura;
    XRCommandButton* xrcmdLimpar;
    XRCommandButton* xrcmdAprovar;
};
