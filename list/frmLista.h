#pragma once
// The quotes list, docked in the host's work area: a title, the add command, the
// find box, the situation filter, the print command, the navigation bar, the result
// grid with its hover row commands, and a rounded waiting panel.

#include "component/IFormularioDeLista.h"
#include "component/JanelasDoOrcamento.h"
#include "contracts/ComponentesDaSuite.h"
#include "contracts/Negocio.h"
#include "list/EnvioDoOrcamento.h"

#include <limits>
#include <memory>
#include <optional>

class Image;
class Label;
class MSFlexGrid;
class PictureBox;
class QAction;
class QMenu;
class XRComboBox;
class XRCommandButton;
class XRFind;
class XRNavigationBar;

class frmLista : public IFormularioDeLista {
    Q_OBJECT
public:
    explicit frmLista(QWidget* parent = nullptr);
    ~frmLista() override;

    // Docks the list into the work area, shows it and selects the first page.
    // 0 when the first selection succeeded, 1 when it failed (already shown).
    Q_INVOKABLE qint16 MontarExibirFormulario(HWnd AreaDeTrabalho_hWnd);
    // Refreshes the grid and the controls around it after a selection or a page
    // move: 1 first page, 2 previous, 3 next, 4 last, other values the current page.
    Q_INVOKABLE qint16 AtualizarObjetos(qint16 lintComandoDeNavegacao);
    Q_INVOKABLE qint16 ConfigurarGrade();
    Q_INVOKABLE qint16 GerarLista();
    Q_INVOKABLE void PreencherGrade();

    // ---- Printing (frmListaImpressao.cpp): the list of the whole selection and the sheet of
    // one quote, both under the company's trade name; 0 printed (or refused cleanly), 1
    // failed or no company registered (the person has been told).
    Q_INVOKABLE qint16 ImprimirLista();
    // Selects for printing the items of the quote in the grid's selected row.
    Q_INVOKABLE qint16 GerarListaParaImpressao();
    // The sheet of one quote. From the list, the quote is the grid's selected row and its
    // items are those GerarListaParaImpressao selected (the arguments are not used); from a
    // record form opened by the host, the number and the values are the arguments and the
    // client is the working context's.
    Q_INVOKABLE qint16 ImprimirFicha(double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                                     VB::Currency lcurDescontoEmPercentual, VB::Currency lcurDescontoEmValor,
                                     VB::Currency lcurValorLiquido);
    // The sheet a record form opened by the host prints after storing a new quote: through
    // a list of its own, never shown, made for this print and destroyed after it.
    static qint16 ImprimirFichaEmListaOculta(double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                                             VB::Currency lcurDescontoEmPercentual,
                                             VB::Currency lcurDescontoEmValor, VB::Currency lcurValorLiquido);

    qint16 TamanhoDaPagina() const { return mintTamanhoDaPagina; }
    qint32 PaginaAtual() const { return mlonPaginaAtual; }
    MSFlexGrid* Grade() const override { return msfgGrade; }

protected:
    void resizeEvent(QResizeEvent* evento) override;
    // The Menu key and Shift+F10 on the grid open the row's menu.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CriarControles();
    void PreencherComboBoxDeSituacao();
    void PosicionarpicMensagem();
    void ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem);
    void Form_Resize();
    // What the filter and the search do after their own first steps: select again and
    // show the first page of a filtered list, or the saved page of the whole list.
    void ReselecionarEExibir();
    // The click suppression flag: the next filter or search click only clears it.
    bool CliqueIgnorado();

    void xrcmbSituacao_Click();
    void xrfndPesquisar_Click();
    void xrnbBarraDeNavegacao_Click(int Botao);
    void msfgGrade_MouseMove(int Button, int Shift, float X, float Y);
    void msfgGrade_SelChange();
    void xrcmdAdicionar_Click();
    void xrcmdAlterar_Click();
    void xrcmdExcluir_Click();
    void ExecutarComandoDaFicha(qint16 lintTipoDeOperacao, QStringView procedimento);
    ZELT_N_Orcamentos::clsOrcamentos& Orcamentos() const;

    // ---- The row's menu (frmListaEtapas.cpp): its next steps with the client, enabled by
    // the quote's stage, the windows of its life and the two sends.
    void CriarMenuDaLinha();
    void msfgGrade_MouseDown(int Button, int Shift, float X, float Y);
    void msfgGrade_MouseUp(int Button, int Shift, float X, float Y);
    void ExibirMenuDaLinha(const QPoint& lpntGlobal);
    void mnuEntregueAoCliente_Click();
    void mnuConcluido_Click();
    void AbrirJanelaDaLinha(JanelasDoOrcamento::Janela lintJanela, QStringView procedimento);
    void EnviarDaLinha(EnvioDoOrcamento::Canal lcanCanal, QStringView procedimento);
    // Shows a stage operation's answer as the list shows the business layer's; true on success.
    bool ExibirResultadoDaEtapa(qint16 lintResultado);
    // After a change of the quote (mdouNumeroDoMenu): the page selected again, the same
    // quote's row kept.
    void AtualizarMantendoALinha();
    ZELT_N_Orcamentos::clsEtapasDoOrcamento& Etapas() const;

    // ---- Printing (frmListaImpressao.cpp)
    // The sheet of ImprimirFicha; with a channel, sent to the client instead of shown.
    qint16 MontarFicha(QStringView procedimento, std::optional<EnvioDoOrcamento::Canal> lcanEnvio,
                       double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                       VB::Currency lcurDescontoEmPercentual, VB::Currency lcurDescontoEmValor,
                       VB::Currency lcurValorLiquido);
    void xrcmdImprimirLista_Click();
    void xrcmdImprimirFicha_Click();
    // The first steps of both prints: the company's trade name for the heading. 1 when the
    // query failed or no company is registered (the person has been told). Its statements
    // are numbered as the caller's first ones, in the caller's Ponto.
    // lstrTelefone, when given, receives the company's phone (a sheet sent to a client tells it).
    qint16 SelecionarEmpresaParaImpressao(qint16& Ponto, QString& lstrNomeFantasia,
                                          QString* lstrTelefone = nullptr);
    // After a print or a refusal: the page the list showed before it.
    void VoltarAPaginaSalva();
    ZELT_N_Orcamentos::clsOrcItens& OrcItens() const;

    Label* lblTitulo;
    XRCommandButton* xrcmdAdicionar;
    XRFind* xrfndPesquisar;
    XRComboBox* xrcmbSituacao;
    XRCommandButton* xrcmdImprimirLista;
    XRNavigationBar* xrnbBarraDeNavegacao;
    Label* lblMensagemDeResultado;
    MSFlexGrid* msfgGrade;
    XRCommandButton* xrcmdAlterar;
    XRCommandButton* xrcmdExcluir;
    XRCommandButton* xrcmdImprimirFicha;
    PictureBox* picMensagem;
    Image* imgEtiqueta_Situacao_Ativo;
    Image* imgEtiqueta_Situacao_Inativo;

    // The list's business object, created once by MontarExibirFormulario.
    std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> mobjOrcamentos;
    qint16 mintTamanhoDaPagina = 0;
    // Pages are counted in 32 bits: a chain's million quotes make far more than
    // 32,767 pages of a dozen rows.
    qint32 mlonPaginaAtual = 0;
    bool mbooIgnorarClique = false;
    bool mbooFiltrado = false;
    qint32 mlonPaginaSalva = 0;
    bool mbooFichaAlterada = false; // the sheet's preview changed the quote (approved, paid)
    // The items of the quote whose sheet is printed, kept until the next print.
    std::unique_ptr<ZELT_N_Orcamentos::clsOrcItens> mobjOrcItens;
    // The grid row the mouse was last over; NenhumaLinha after the grid was refilled,
    // so that the next move of the mouse places the row commands again.
    static constexpr int NenhumaLinha = std::numeric_limits<int>::min();
    int mintLinhaSobOMouse = 0;
    // The row's menu, its entries by name (mnuEntregueAoCliente, ...), the quote it was
    // opened for and that quote's stage as read then (its stamp is the one the
    // operations are checked against).
    QMenu* mnuLinha = nullptr;
    int mintLinhaDoMenu = 0; // the row the right button was pressed on

    double mdouNumeroDoMenu = 0;
    std::unique_ptr<ZELT_N_Orcamentos::clsEtapasDoOrcamento> mobjEtapas;
};
