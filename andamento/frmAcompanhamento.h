#pragma once
// "Acompanhamento de orçamentos": the receptionist's to-do list of open quotes. At the
// top, the figures of a period (the last 30 or 90 days, or a month) for one user or
// all, and the chart of the last twelve weeks; below, four sections, each a grid with
// its caption and count ("Vencem em até 7 dias", "Enviados sem resposta há 3 dias ou
// mais", "Vencidos nos últimos 30 dias", "Aprovados ainda não concluídos"); at the
// bottom, the commands on the chosen row ("Lembrar por WhatsApp", "Renovar validade…",
// "Aprovar orçamento…" or, without that window, "Registrar aprovação…", "Registrar
// recusa…", "Abrir"; Enter is "Abrir"), "Imprimir"
// and "Fechar". A command that changed a quote reads the sections and figures again.
// It reads the business layer through ZELT_N_Orcamentos.clsAcompanhamento.

#include "andamento/frmAndamento.h"

#include <array>
#include <memory>

class GraficoDeSemanas;
class XRComboBox;

class frmAcompanhamento : public frmAndamento {
    Q_OBJECT
public:
    explicit frmAcompanhamento(QWidget* pai = nullptr);
    ~frmAcompanhamento() override;

    // Shows the window, modal, until it is closed.
    Q_INVOKABLE void MontarExibirFormulario();

    static constexpr int QuantidadeDeSecoes = 4;

protected:
    void Form_Resize() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The sections and the figures read again; the chosen section and row kept where
    // they still exist.
    void Atualizar();
    void PreencherSecao(int lintSecao);
    void CalcularNumeros();
    // The report of what the window shows, in the preview.
    void Imprimir();
    // The chosen row's quote (0: none) and its cells.
    double NumeroSelecionado() const;
    QString CelulaSelecionada(int lintColuna) const;
    void HabilitarComandos();
    // Opens a registered window of the quote's life on the chosen row; reads again when
    // it changed the quote.
    void AbrirJanelaDaLinha(int lintJanela, const char16_t* lstrProcedimento);

    void cboPeriodo_Click();
    void cboUsuario_Click();
    void msfgSecao_Click(int lintSecao);
    void msfgSecao_DblClick(int lintSecao);
    void xrcmdLembrar_Click();
    void xrcmdRenovar_Click();
    void xrcmdAprovacao_Click();
    void xrcmdRecusa_Click();
    void xrcmdAbrir_Click();
    void xrcmdImprimir_Click();

    std::unique_ptr<ZELT_N_Orcamentos::clsAcompanhamento> mobjAcompanhamento;
    std::array<RecordsetPtr, QuantidadeDeSecoes> mrstSecao; // the rows each grid shows
    int mintSecao = 0;                                      // the section whose row the commands act on
    int mintJanelaDaAprovacao = 0;                          // the window xrcmdAprovacao opens
    QString mstrNomeFantasia;
    bool mbooPreenchendoUsuarios = false; // the user list being filled raises no click

    Label* lblPeriodo;
    XRComboBox* cboPeriodo;
    Label* lblUsuario;
    XRComboBox* cboUsuario;
    Label* lblFeitos;
    Label* lblEnviados;
    Label* lblAprovados;
    Label* lblRecusados;
    Label* lblVencidos;
    Label* lblTaxaDeAprovacao;
    Label* lblMediana;
    GraficoDeSemanas* picGrafico;
    std::array<Label*, QuantidadeDeSecoes> lblSecao;
    std::array<MSFlexGrid*, QuantidadeDeSecoes> msfgSecao;
    XRCommandButton* xrcmdLembrar;
    XRCommandButton* xrcmdRenovar;
    XRCommandButton* xrcmdAprovacao;
    XRCommandButton* xrcmdRecusa;
    XRCommandButton* xrcmdAbrir;
    XRCommandButton* xrcmdImprimir;
};
