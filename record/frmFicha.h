#pragma once
// The record form of one quote: add (1), change (3) or delete (4), shown modally. Its
// header names the client and the animal, its item area takes a service or a product
// with its values, its grid holds the quote's items, and the totals and the validity
// date close it.
//
// One class, several sources, each with one concern:
//   frmFicha.cpp         the controls, the modes, permissions, the message panel
//   frmFichaGrade.cpp    the items grid
//   frmFichaValores.cpp  the item's values, the discounts, validation and totals
//   frmFichaItens.cpp    add, change, remove and clear commands
//   frmFichaGravacao.cpp saving, changing and deleting the quote
//   frmFichaRecuperacao.cpp the recovery copy of a new quote being typed
//   frmFichaCliente.cpp  the client and the animal
//   frmFichaProduto.cpp  the product lookup and the sales promotion
//   frmFichaServico.cpp  the service lookup
//   frmFichaPacote.cpp   a procedure package added in one step, the estimate from–to

#include "contracts/Negocio.h"

#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QLockFile>
#include <array>
#include <memory>

class Label;
class MSFlexGrid;
class OptionButton;
class PictureBox;
class XRComboBox;
class XRCommandButton;
class XRDTPicker;
class XRFind;
class XRNumberBox;
class XRTheme;

class frmFicha : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool OperacaoConcluida READ OperacaoConcluida)

public:
    explicit frmFicha(QWidget* parent = nullptr);
    ~frmFicha() override;

    // The operation modes.
    enum Operacao : qint16 { Inclusao = 1, Alteracao = 3, Exclusao = 4 };

    // Builds the form for the mode and shows it modally; returns when it closes.
    // 1 when it gave up without showing the form, 0 otherwise.
    Q_INVOKABLE qint16 MontarExibirFormulario(qint16 lintTipoDeOperacao);
    // True when the quote was stored, changed or deleted.
    bool OperacaoConcluida() const { return mbooOperacaoConcluida; }
    qint16 TipoDeOperacao() const { return mintTipoDeOperacao; }
    Q_INVOKABLE qint16 RemoverInstanciaDomobjZELT_N_Itens();

    // The recovery copies of new quotes being typed, one per form, in this folder of
    // the user's data folder (frmFichaRecuperacao.cpp); this form's own copy.
    static QString PastaDasCopiasDeRecuperacao();
    QString ArquivoDaCopiaDeRecuperacao() const;

    // The next new quote this form opens begins as a copy of a stored one: the copy (in
    // the form of a recovery copy, frmFichaRecuperacao.cpp) is put into the form as a
    // recovered quote is, and no copy left behind is offered. lstrForaDoCadastro begins
    // the message naming the items the registry no longer has active, left out.
    void DefinirOrcamentoACopiar(const QJsonObject& copia, const QString& lstrForaDoCadastro);

    // The record form the list's commands share: created on first use, unloaded at the
    // end of each command so that each command starts with a fresh form.
    static frmFicha& InstanciaDaLista();
    static void DescarregarInstanciaDaLista();

    // Assembly and modes
    Q_INVOKABLE void PermissaoDoUsuario();
    Q_INVOKABLE qint16 HabilitarDesabilitarCampos(bool lbooHabilita);
    Q_INVOKABLE void ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem);
    Q_INVOKABLE void CentralizarpicMensagem();

    // Items grid
    Q_INVOKABLE qint16 ConfigurarGrade();
    Q_INVOKABLE qint16 AtualizarObjetos(qint16 lintComandoDeNavegacao);

    // The change stamp of the quote as it was read ("Data e hora da alteração", empty
    // when never changed), handed back on saving.
    QString DataEHoraDaAlteracaoLida() const { return mstrDataEHoraDaAlteracaoLida; }

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // ---- Assembly and modes (frmFicha.cpp)
    void CriarControles();
    void CriarCabecalhoECliente();
    void CriarAreaDoItem();
    void CriarGradeTotaisEComandos();
    // Form_Load runs once, when the form's controls are first reached, as VB loads a
    // form at the first access to one of its controls.
    void CarregarFormulario();
    void Form_Load();
    void Form_Resize();
    qint16 QuantidadeDeDiasParaValidadeDoOrcamento();
    void PrepararInclusao();
    void PrepararAlteracaoOuExclusao();
    void DefinirLinhasDoTema();
    void SelecionarTipoDoItemDaGrade();
    void DefinirLegendasEDicas();
    void PintarRotulos(std::initializer_list<const Label*> lexcecoes);
    void xrcmdCancelarAlterar_Click();

    // ---- Items grid (frmFichaGrade.cpp)
    qint16 GerarLista();
    qint16 PreencherGrade();
    qint16 RedefinirGrade();
    // The row just written at the grid's end, restyled and selected across every column.
    void SelecionarLinhaIncluida();
    qint16 RedimensionarGrade(int lintQuantidadeDeLinhas);
    void EstilizarLinha(int lintLinha);
    void LimparCamposDeQuantidadeEValoresDoItemDoOrcamento();

    // ---- Item values, discounts, validation and totals (frmFichaValores.cpp)
    void CalcularValoresDosItensDaGrade();
    qint16 ValidarCamposDaGrade();
    void HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(bool lbooHabilita);
    void xrnumQuantidade_GotFocus();
    void xrnumQuantidade_KeyPress(int& KeyAscii);
    void xrnumQuantidade_LostFocus();
    void xrnumQuantidade_Validate(bool& Cancel);
    void xrnumPercentualDeDescontoPorItem_GotFocus();
    void xrnumPercentualDeDescontoPorItem_KeyPress(int& KeyAscii);
    void xrnumPercentualDeDescontoPorItem_LostFocus();
    void xrnumPercentualDeDescontoPorItem_Validate(bool& Cancel);
    void xrnumValorDeDescontoPorItem_GotFocus();
    void xrnumValorDeDescontoPorItem_KeyPress(int& KeyAscii);
    void xrnumValorDeDescontoPorItem_LostFocus();
    void xrnumValorDeDescontoPorItem_Validate(bool& Cancel);
    void xrnumValorUnitario_Validate(bool& Cancel);
    // A value refused with the form's message, the focus kept on its box: one whose text,
    // as its box shows it, does not fit the box; an item whose quantity × unit value
    // passes Currency's range.
    bool ValorNaoCabe(XRNumberBox* lxrnumCaixa);
    bool ItemAcimaDoLimite();

    // ---- Item commands (frmFichaItens.cpp)
    void xrcmdAdicionar_Click();
    void xrcmdAlterar_Click();
    void xrcmdRemover_Click();
    void xrcmdLimparCampos_Click();
    qint16 Registros_Alterar();
    qint16 Registros_Excluir();
    void EntregarAlteracaoALista();
    qint16 LimparCampos();
    void PrepararProximoItem(bool lbooServico);
    void RemoverLinhaDaGrade(int lintLinha);

    // ---- Saving (frmFichaGravacao.cpp)
    void xrcmdSalvarFecharConfirmar_Click();
    void MarcarCampoRecusado(const QString& lstrNomeDoCampoValidado);
    // The change of an approved quote, asked first (frmFichaGravacao.cpp); the removal of
    // one of its items asks the same.
    static inline const QString CampoDaAprovacao = QStringLiteral("Aprovacao");
    qint16 AlterarComAprovacao(ZELT_N_Orcamentos::clsOrcamentos& lobjOrcamentos);
    static bool PerguntarSeDesfazAprovacao(qint16 lintResultado, const QString& lstrCampo,
                                           const QString& lstrAviso);

    // ---- Recovery copy of a new quote (frmFichaRecuperacao.cpp)
    // Offers a copy left behind, then keeps the form's own up to date.
    void IniciarCopiaDeRecuperacao();
    void GravarCopiaDeRecuperacao();
    void DescartarCopiaDeRecuperacao();
    void RecuperarOrcamento(const QJsonObject& copia, const QString& lstrForaDoCadastro);
    bool ValoresPermitidosAoUsuario(const QJsonArray& celulas, VB::Currency lcurPreco);
    bool mbooCopiaDeRecuperacaoAtiva = false;
    // This form's copy: its name, and the lock it holds on it for the form's life, so
    // that no other form (of this program or another) offers or deletes it.
    QString mstrIdentificadorDaCopia;
    std::unique_ptr<QLockFile> mtravaDaCopia;
    // A stored quote to begin the next new quote with (DefinirOrcamentoACopiar).
    QJsonObject mcopiaDoOrcamento;
    QString mstrForaDoCadastroDaCopia;

    // ---- Client and animal (frmFichaCliente.cpp)
    bool PesquisarCliente(const QString& lstrApelidoOuNomeFantasia, const QString& lstrNomeOuRazaoSocial,
                          double ldouCodigoDoCliente);
    qint16 PreencherComboboxAnimal(double ldouCodigoDoCliente);
    // Reachable by name: the service lookup calls it, and so may a script.
    Q_INVOKABLE void RecuperaDescontoDoCliente();
    const qint32* PercentualDoClienteNoTipo(qint64 llonTipo) const;
    VB::Currency PercentualDaPromocaoDeVenda(bool lbooServico);
    void xrfCodigoDoCliente_Click();
    void xrfApelidoOuNomeFantasiaDoCliente_Click();
    void xrfNomeOuRazaoSocialDoCliente_Click();
    void xrfCodigoDoCliente_KeyDown(int& KeyCode, int& Shift);
    void xrfApelidoOuNomeFantasiaDoCliente_KeyDown(int& KeyCode, int& Shift);
    void xrfNomeOuRazaoSocialDoCliente_KeyDown(int& KeyCode, int& Shift);
    // What the three client fields share: their click and key handlers, the client chosen.
    std::array<XRFind*, 3> CamposDoCliente() const;
    void CliqueNoCampoDoCliente(XRFind* lxrfCampo, QStringView lstrProcedimento);
    void TeclaNoCampoDoCliente(const XRFind* lxrfCampo);
    void ExibirClienteEscolhido(const QVariantList& lvarValores);

    // ---- Product lookup and sales promotion (frmFichaProduto.cpp)
    bool PesquisarProduto(const QString& lstrNome, const QString& lstrCodigoDeBarras,
                          double ldouCodigoInterno);
    // Invokable by name, as the client's discount runs it after a service is chosen.
    Q_INVOKABLE qint16 VerificaDescontoPromocionalDeVenda();
    // The click of the internal-code and name fields, which search alike.
    void CampoDoProduto_Click(XRFind* lxrfCampo, QStringView lstrProcedimento);
    // A product found or picked: its fields, its cost, quantity 1 and its price.
    void PreencherProduto(const QVariant& lvarCodigoInterno, const QVariant& lvarCodigoDeBarras,
                          const QVariant& lvarNome, const QVariant& lvarValorDeCusto,
                          const QVariant& lvarValorDeVenda);
    // After a product was chosen: the item's fields open, the quantity focused.
    void ProdutoEscolhido();
    // No product: the other product fields emptied and the item's values locked.
    void SemProduto(std::initializer_list<XRFind*> lxrfOutros);
    void optProduto_Click();
    void xrfCodigoDeBarrasDoProduto_Click();
    void xrfCodigoInternoDoProduto_Click();
    void xrfNomeDoProduto_Click();
    void xrfCodigoInternoDoProduto_KeyDown(int& KeyCode, int& Shift);
    void xrfNomeDoProduto_KeyDown(int& KeyCode, int& Shift);

    // ---- Service lookup (frmFichaServico.cpp)
    qint16 PreencherComboboxTiposDeServicos();
    bool PesquisarServico(qint16& lintTipoDeServico, const QString& lstrNome, double ldouCodigo);
    // A service found or picked: its fields, its type, quantity 1, its price and the
    // client's discount.
    void PreencherServico(const QVariant& lvarCodigo, const QVariant& lvarNome, const QVariant& lvarCusto,
                          const QVariant& lvarValorDeVenda, const QVariant& lvarNumeroDoTipoDeServico);
    // No service: the other service field emptied and the item's values locked.
    void SemServico(XRFind* lxrfOutro);
    // "No service with that name (or code)", in the type chosen.
    void ServicoNaoEncontrado(const QString& lstrCriterio, const QString& lstrValor);
    void optServico_Click();
    void xrcmbTiposDeServicos_Click();
    void xrfCodigoDoServico_Click();
    void xrfNomeDoServico_Click();
    void xrfNomeDoServico_KeyDown(int& KeyCode, int& Shift);

    // ---- Procedure packages (frmFichaPacote.cpp): a command beside the item commands,
    // after the specified controls, and a line under the totals.
    void xrcmdAdicionarPacote_Click();
    // The band's items (the business layer's selection) written as the add command
    // writes an item, each marked in the column after the specified ones when needed
    // only in some cases.
    void AdicionarItensDoPacote(Recordset& lrstItens);
    // "Estimativa: de R$ A a R$ B" under the totals while an item is "se necessário".
    void AtualizarEstimativa();
    bool TemItensSeNecessario() const;
    static constexpr int LarguraDaMarca = 1500; // twips of the mark's column while it shows
    XRCommandButton* xrcmdAdicionarPacote;
    Label* lblEstimativa;
    // The animal's weight given for the last package, stored with the quote.
    QString mstrPesoDoAnimal;
    // The item taken back with "Alterar" while marked "se necessário" (launch type and
    // code, "1|3"): the mark goes back with it when that same item is added again, the
    // next add forgets it whichever item it adds. Empty when none.
    QString mstrItemAlteradoSeNecessario;
    QString ChaveDoItem(int lintLinha) const;

    // ---- Controls, as the form is designed
    XRTheme* xrTheme;
    Label* lblCliente;
    Label* lblCodigoDoCliente;
    XRFind* xrfCodigoDoCliente;
    Label* lblApelidoOuNomeFantasiaDoCliente;
    XRFind* xrfApelidoOuNomeFantasiaDoCliente;
    Label* lblNomeOuRazaoSocialDoCliente;
    XRFind* xrfNomeOuRazaoSocialDoCliente;
    Label* lblItensDoOrcamento;
    OptionButton* optServico;
    OptionButton* optProduto;
    Label* lblTipoDeServicoOuCodigoDeBarrasDoProduto;
    XRComboBox* xrcmbTiposDeServicos;
    XRFind* xrfCodigoDeBarrasDoProduto;
    Label* lblCodigoDoServico;
    XRFind* xrfCodigoDoServico;
    Label* lblNomeDoServicoOuNomeDoProduto;
    XRFind* xrfNomeDoServico;
    XRFind* xrfNomeDoProduto;
    Label* lblCodigoInternoDoProduto;
    XRFind* xrfCodigoInternoDoProduto;
    Label* lblNomeDoAnimal;
    XRComboBox* xrcmbAnimal;
    Label* lblQuantidade;
    XRNumberBox* xrnumQuantidade;
    Label* lblValorUnitario;
    XRNumberBox* xrnumValorUnitario;
    Label* lblPercentualDeDescontoPorItem;
    XRNumberBox* xrnumPercentualDeDescontoPorItem;
    Label* lblValorDeDescontoPorItem;
    XRNumberBox* xrnumValorDeDescontoPorItem;
    XRCommandButton* xrcmdAdicionar;
    XRCommandButton* xrcmdAlterar;
    XRCommandButton* xrcmdRemover;
    XRCommandButton* xrcmdLimparCampos;
    MSFlexGrid* msfgGradeDeItensDoOrcamento;
    Label* lblValorTotal;
    XRNumberBox* xrnumValorTotal;
    Label* lblPercentualDeDesconto;
    XRNumberBox* xrnumDescontoEmPercentual;
    Label* lblValorDoDesconto;
    XRNumberBox* xrnumDescontoEmValor;
    Label* lblValorLiquido;
    XRNumberBox* xrnumValorLiquido;
    Label* lblDataDeValidade;
    XRDTPicker* xrdtpDataDeValidadeDoOrcamento;
    Label* lblObservacaoDeCamposObrigatorios;
    XRCommandButton* xrcmdSalvarFecharConfirmar;
    XRCommandButton* xrcmdCancelarAlterar;
    Label* lblMensagemDeResultado;
    PictureBox* picMensagem;

    // ---- Form-level state
    qint16 mintQuantidadeDeDiasParaAValidadeDoOrcamento = 0;
    bool mbooPermissaoParaAlterarDataDeValidadeDoOrcamento = false;
    qint16 mintTipoDeOperacao = 0;
    double mdouNumeroDoOrcamento = 0;
    // The quote's items, held and paged for the form's lifetime.
    std::unique_ptr<ZELT_N_Orcamentos::clsOrcItens> mobjZELT_N_Itens;
    qint16 mintQuantidadeDeLinhasPorPagina = 0;
    qint16 mintPaginaAtual = 0;
    // One-shot guard: the next guarded event handler only clears it.
    bool mbooIgnorarProximoEvento = false;
    bool mbooOperacaoConcluida = false;
    // One-shot: the dark background is applied once, when the list opens the form.
    bool mbooAdiarFundoEscuro = false;
    // Set once an item is in the grid: the animal can no longer be changed.
    bool mbooAnimalBloqueado = false;
    bool mbooCarregado = false;
    QString mstrDataEHoraDaAlteracaoLida;
    // The list's row the quote was opened from (0: none), told of this form's removals.
    int mintLinhaDaLista = 0;

    // The last chosen client's standing discounts, kept until another client is chosen.
    QString mstrDescontoUnico;
    qint32 mlonPercentualUnicoDeDescontos = 0;
    qint32 mlonPercentualDeDescontoEmClinicos = 0;
    qint32 mlonPercentualDeDescontoEmCirurgiaSimples = 0;
    qint32 mlonPercentualDeDescontoEmCirurgiaMedia = 0;
    qint32 mlonPercentualDeDescontoEmCirurgiaComplexa = 0;
    qint32 mlonPercentualDeDescontoEmBanhosTosasEEsteticas = 0;
    qint32 mlonPercentualDeDescontoEmHospedagens = 0;
    qint32 mlonPercentualDeDescontoEmAdestramentos = 0;
    qint32 mlonPercentualDeDescontoEmOutros = 0;

    // Work variables of the item commands.
    qint16 mintUltimaLinhaDaGrade = 0;
    qint16 mintColunaDaGrade = 0;
    double mdouNumeroDoItemDoOrcamento = 0;
};
