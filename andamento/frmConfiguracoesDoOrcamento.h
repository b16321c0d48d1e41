#pragma once
// "Configurações do orçamento": the company's quote settings, for an administrator
// (anyone else is told so, and nothing opens). The company record's validity days and
// permission to change the validity; the deposit (percentage, refundable or not); the
// PIX key and its receiver's name and city; the payment conditions; the consent text,
// the veterinarian who answers for it (name, CRMV and UF) and the service types that
// need it. "Gravar" checks and stores them through
// ZELT_N_Empresa.clsConfiguracoesDoOrcamento and closes; a refused value is told and
// its box gets the focus; "Fechar" and Escape leave without storing.
//
// Beside the key, the PIX QR code of the key, name and city as typed (no amount, no
// identifier), drawn again when one of the three boxes loses the focus: the clinic reads
// it with its bank app to see its own name before any client does. Hidden while the key
// is not a good one.
//
// The window derives from frmAndamento for its look (title, "Fechar"); it has no grid.

#include "andamento/frmAndamento.h"

#include <memory>

class Image;
class XRComboBox;
class XRNumberBox;

class frmConfiguracoesDoOrcamento : public frmAndamento {
    Q_OBJECT
public:
    explicit frmConfiguracoesDoOrcamento(QWidget* pai = nullptr);
    ~frmConfiguracoesDoOrcamento() override;

    // Reads the settings and shows the window, modal, until it is closed; for a user
    // who is not an administrator, only the message SomenteAdministrador.
    Q_INVOKABLE void MontarExibirFormulario();

    static const QString SomenteAdministrador;

protected:
    void Form_Resize() override;

private:
    // A box at (left, top) of the given width, its caption above it in a label named
    // "lbl" and the field's name.
    XRNumberBox* Caixa(const QString& nome, const QString& titulo, int left, int top, int width,
                       int tamanhoMaximo);
    XRComboBox* SimOuNao(const QString& nome, const QString& titulo, int left, int top, const QString& sim,
                         const QString& nao);
    void Preencher();
    // The boxes' values into the business object; false (the person told) when a number
    // cannot be read.
    bool Coletar();
    void Focar(const QString& campo);

    void xrcmdGravar_Click();
    void xrnbChavePix_LostFocus();

    std::unique_ptr<ZELT_N_Empresa::clsConfiguracoesDoOrcamento> mobjConfiguracoes;

    XRNumberBox* xrnbQuantidadeDeDiasParaAValidadeDoOrcamento;
    XRComboBox* xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento;
    XRNumberBox* xrnbPercentualDoSinal;
    XRComboBox* xrcmbSinalReembolsavel;
    XRNumberBox* xrnbChavePix;
    XRNumberBox* xrnbNomeDoRecebedor;
    XRNumberBox* xrnbCidadeDoRecebedor;
    XRNumberBox* xrnbCondicoesDePagamento;
    XRNumberBox* xrnbVeterinarioResponsavel;
    XRNumberBox* xrnbCRMV;
    XRNumberBox* xrnbUFDoCRMV;
    XRNumberBox* xrnbTiposDeServicosComConsentimento;
    XRNumberBox* xrnbTextoDeConsentimento;
    XRCommandButton* xrcmdGravar;
    Image* imgQrCodePix;
    Label* lblQrCodePix;
};
