#pragma once
// "Termo de consentimento": the consent form of a quote with a surgery or an anaesthesia,
// as it will be printed. The quote's procedures in the grid; the clinic, the owner, the
// animal and the estimate above the fields; the data the form needs in text boxes,
// filled from the registry and the company's settings, those the registry lacks empty
// and named in a line above them (the person types them; nothing is made up, and the
// registry is not changed: what was typed is printed). The veterinarian is the one the
// settings name, or whoever the person types (the one who will operate). "Imprimir" (the
// print dialog) and "Exportar PDF" (the save dialog) print both copies; a form that left
// the program is written in the quote's history. The quote itself never changes here:
// MontarExibirFormulario always answers false.

#include "andamento/frmDeUmOrcamento.h"
#include "contracts/TermoDeConsentimento.h"

#include <memory>

class QLineEdit;

class frmTermoDeConsentimento : public frmDeUmOrcamento {
    Q_OBJECT
public:
    explicit frmTermoDeConsentimento(QWidget* pai = nullptr);
    ~frmTermoDeConsentimento() override;

protected:
    void Form_Resize() override;

private:
    // Twips: the procedures' grid, the summary under it, the fields under that.
    static constexpr int AlturaDaGrade = 2500; // the header and two procedures and a half: more scroll
    static constexpr int TopoDoResumo = TopoDaGrade + AlturaDaGrade + 150;
    static constexpr int TopoDosCampos = TopoDoResumo + 1750;
    static constexpr int AlturaDaFileira = 800;

    bool LerOrcamento() override;
    void PreencherResumo();
    // The fields typed into the form's data (the UF of the CRMV upper-case, in its box
    // too); false (the person told, the field focused) when one is empty, the CPF is
    // wrong or the UF is none of the 27.
    bool ConferirCampos();
    void Emitir(const QString& lstrComo, QStringView procedimento);
    void xrcmdImprimir_Click();
    void xrcmdExportarPdf_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsTermoDeConsentimento> mobjTermo;
    Label* lblClinica;
    Label* lblTutor;
    Label* lblAnimal;
    Label* lblEstimativa;
    Label* lblFaltando;
    QList<QLineEdit*> mcampos; // in the order of the table of fields
    XRCommandButton* xrcmdImprimir;
    XRCommandButton* xrcmdExportarPdf;
};
