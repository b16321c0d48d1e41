#include "record/frmFicha.h"

#include "component/frmMensagem.h"
#include "component/modAjuda.h"
#include "component/modArredondarCantosDoObjeto.h"
#include "component/modConstantes.h"
#include "component/modFuncoes.h"
#include "component/modFundoEscuro.h"
#include "component/modMensagemDeErro.h"
#include "component/modPainelDeEspera.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "platform/controls/XRTheme.h"

#include <QCoreApplication>
#include <QKeyEvent>

using Coluna = IFormularioDeLista::Coluna;

namespace {

// The list's shared record form, per thread as the working context.
thread_local std::unique_ptr<frmFicha> gfrmFichaDaLista;

// The design's size: the item-name column takes what the form has beyond 11,700 twips.
constexpr int LarguraDoFormulario = 16005;
constexpr int AlturaDoFormulario = 10350;

Label* NovoRotulo(QWidget* pai, const char16_t* nome, const char16_t* legenda, int left, int top, int width) {
    auto* rotulo = new Label(pai, QString::fromUtf16(nome));
    rotulo->setCaption(QString::fromUtf16(legenda));
    rotulo->setFont(Aparencia::Fonte(10));
    rotulo->Move(left, top, width, 250);
    return rotulo;
}

XRFind* NovoCampoDePesquisa(QWidget* pai, const char16_t* nome, const char16_t* dica, int estilo, int left,
                            int top, int width) {
    auto* campo = new XRFind(pai, QString::fromUtf16(nome));
    campo->setHint(QString::fromUtf16(dica));
    campo->setStyle(estilo);
    campo->Move(left, top, width, 450);
    return campo;
}

XRNumberBox* NovaCaixaDeNumero(QWidget* pai, const char16_t* nome, const char16_t* texto, bool bloqueada,
                               int left, int top, int width) {
    auto* caixa = new XRNumberBox(pai, QString::fromUtf16(nome));
    caixa->setText(QString::fromUtf16(texto));
    caixa->setLocked(bloqueada);
    caixa->setAlignment(1);
    caixa->Move(left, top, width, 450);
    return caixa;
}

XRCommandButton* NovoComando(QWidget* pai, const char16_t* nome, const char16_t* legenda,
                             const char16_t* icone, int left, int top, int width) {
    auto* comando = new XRCommandButton(pai, QString::fromUtf16(nome));
    comando->setCaption(QString::fromUtf16(legenda));
    comando->setIcone(QString::fromUtf16(icone));
    comando->Move(left, top, width, 450);
    return comando;
}

// The list grid's cell of the selected row: the quote a list command acts on.
QString CelulaDaLista(int lintColuna) {
    MSFlexGrid* grade = modPrincipal::FormularioDeLista ? modPrincipal::FormularioDeLista->Grade() : nullptr;
    if (!grade) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return grade->TextMatrix(grade->RowSel(), lintColuna);
}

// Controls by kind, as the modes enable and disable them.
template <class Tipo> QList<Tipo*> ControlesDoTipo(const QWidget* formulario) {
    return formulario->findChildren<Tipo*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

frmFicha::frmFicha(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFicha"));
    setWindowTitle(QStringLiteral("Orçamento"));
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    setPalette(paleta);
    setFont(Aparencia::Fonte(10));
    resize(Twips::ParaPixels(LarguraDoFormulario), Twips::ParaPixels(AlturaDoFormulario));
    CriarControles();
    // F1 anywhere in the form: the user's guide at the section of a quote from start to end.
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDaFicha);
}

frmFicha::~frmFicha() = default;

frmFicha& frmFicha::InstanciaDaLista() {
    if (!gfrmFichaDaLista) gfrmFichaDaLista = std::make_unique<frmFicha>();
    return *gfrmFichaDaLista;
}

void frmFicha::DescarregarInstanciaDaLista() {
    gfrmFichaDaLista.reset();
}

// ---------------------------------------------------------------------------------------------
// The controls as the form is designed (twips). Client block, item block, items grid,
// totals with the validity date and the closing buttons.

void frmFicha::CriarControles() {
    CriarCabecalhoECliente();
    CriarAreaDoItem();
    CriarGradeTotaisEComandos();

    connect(xrfCodigoDoCliente, &XRFind::Click, this, &frmFicha::xrfCodigoDoCliente_Click);
    connect(xrfApelidoOuNomeFantasiaDoCliente, &XRFind::Click, this,
            &frmFicha::xrfApelidoOuNomeFantasiaDoCliente_Click);
    connect(xrfNomeOuRazaoSocialDoCliente, &XRFind::Click, this,
            &frmFicha::xrfNomeOuRazaoSocialDoCliente_Click);
    connect(xrfCodigoDoCliente, &XRFind::KeyDown, this, &frmFicha::xrfCodigoDoCliente_KeyDown);
    connect(xrfApelidoOuNomeFantasiaDoCliente, &XRFind::KeyDown, this,
            &frmFicha::xrfApelidoOuNomeFantasiaDoCliente_KeyDown);
    connect(xrfNomeOuRazaoSocialDoCliente, &XRFind::KeyDown, this,
            &frmFicha::xrfNomeOuRazaoSocialDoCliente_KeyDown);

    connect(optServico, &OptionButton::Click, this, &frmFicha::optServico_Click);
    connect(optProduto, &OptionButton::Click, this, &frmFicha::optProduto_Click);
    connect(xrcmbTiposDeServicos, &XRComboBox::Click, this, &frmFicha::xrcmbTiposDeServicos_Click);
    connect(xrfCodigoDoServico, &XRFind::Click, this, &frmFicha::xrfCodigoDoServico_Click);
    connect(xrfNomeDoServico, &XRFind::Click, this, &frmFicha::xrfNomeDoServico_Click);
    connect(xrfNomeDoServico, &XRFind::KeyDown, this, &frmFicha::xrfNomeDoServico_KeyDown);
    connect(xrfCodigoDeBarrasDoProduto, &XRFind::Click, this, &frmFicha::xrfCodigoDeBarrasDoProduto_Click);
    connect(xrfCodigoInternoDoProduto, &XRFind::Click, this, &frmFicha::xrfCodigoInternoDoProduto_Click);
    connect(xrfNomeDoProduto, &XRFind::Click, this, &frmFicha::xrfNomeDoProduto_Click);
    connect(xrfCodigoInternoDoProduto, &XRFind::KeyDown, this, &frmFicha::xrfCodigoInternoDoProduto_KeyDown);
    connect(xrfNomeDoProduto, &XRFind::KeyDown, this, &frmFicha::xrfNomeDoProduto_KeyDown);

    connect(xrnumQuantidade, &XRNumberBox::GotFocus, this, &frmFicha::xrnumQuantidade_GotFocus);
    connect(xrnumQuantidade, &XRNumberBox::KeyPress, this, &frmFicha::xrnumQuantidade_KeyPress);
    connect(xrnumQuantidade, &XRNumberBox::LostFocus, this, &frmFicha::xrnumQuantidade_LostFocus);
    connect(xrnumQuantidade, &XRNumberBox::Validate, this, &frmFicha::xrnumQuantidade_Validate);
    connect(xrnumPercentualDeDescontoPorItem, &XRNumberBox::GotFocus, this,
            &frmFicha::xrnumPercentualDeDescontoPorItem_GotFocus);
    connect(xrnumPercentualDeDescontoPorItem, &XRNumberBox::KeyPress, this,
            &frmFicha::xrnumPercentualDeDescontoPorItem_KeyPress);
    connect(xrnumPercentualDeDescontoPorItem, &XRNumberBox::LostFocus, this,
            &frmFicha::xrnumPercentualDeDescontoPorItem_LostFocus);
    connect(xrnumPercentualDeDescontoPorItem, &XRNumberBox::Validate, this,
            &frmFicha::xrnumPercentualDeDescontoPorItem_Validate);
    connect(xrnumValorDeDescontoPorItem, &XRNumberBox::GotFocus, this,
            &frmFicha::xrnumValorDeDescontoPorItem_GotFocus);
    connect(xrnumValorDeDescontoPorItem, &XRNumberBox::KeyPress, this,
            &frmFicha::xrnumValorDeDescontoPorItem_KeyPress);
    connect(xrnumValorDeDescontoPorItem, &XRNumberBox::LostFocus, this,
            &frmFicha::xrnumValorDeDescontoPorItem_LostFocus);
    connect(xrnumValorDeDescontoPorItem, &XRNumberBox::Validate, this,
            &frmFicha::xrnumValorDeDescontoPorItem_Validate);
    connect(xrnumValorUnitario, &XRNumberBox::Validate, this, &frmFicha::xrnumValorUnitario_Validate);

    connect(xrcmdAdicionar, &XRCommandButton::Click, this, &frmFicha::xrcmdAdicionar_Click);
    connect(xrcmdAlterar, &XRCommandButton::Click, this, &frmFicha::xrcmdAlterar_Click);
    connect(xrcmdRemover, &XRCommandButton::Click, this, &frmFicha::xrcmdRemover_Click);
    connect(xrcmdLimparCampos, &XRCommandButton::Click, this, &frmFicha::xrcmdLimparCampos_Click);
    connect(xrcmdAdicionarPacote, &XRCommandButton::Click, this, &frmFicha::xrcmdAdicionarPacote_Click);
    connect(xrcmdSalvarFecharConfirmar, &XRCommandButton::Click, this,
            &frmFicha::xrcmdSalvarFecharConfirmar_Click);
    connect(xrcmdCancelarAlterar, &XRCommandButton::Click, this, &frmFicha::xrcmdCancelarAlterar_Click);
}

void frmFicha::CriarCabecalhoECliente() {
    xrTheme = new XRTheme(this, QStringLiteral("xrTheme"));
    xrTheme->setCaption(QStringLiteral("Orçamento"));
    xrTheme->Move(0, 0, LarguraDoFormulario, 960);

    lblCliente = NovoRotulo(this, u"lblCliente", u"Cliente*", 360, 1080, 9000);
    lblCliente->setFont(Aparencia::Fonte(11, true));
    lblCodigoDoCliente = NovoRotulo(this, u"lblCodigoDoCliente", u"Codigo", 360, 1440, 1600);
    xrfCodigoDoCliente = NovoCampoDePesquisa(this, u"xrfCodigoDoCliente", u"Código", 2, 360, 1690, 1600);
    lblApelidoOuNomeFantasiaDoCliente =
        NovoRotulo(this, u"lblApelidoOuNomeFantasiaDoCliente", u"Apelido ou nome fantasia", 2100, 1440, 5600);
    xrfApelidoOuNomeFantasiaDoCliente = NovoCampoDePesquisa(this, u"xrfApelidoOuNomeFantasiaDoCliente",
                                                            u"Apelido ou nome fantasia", 1, 2100, 1690, 5600);
    lblNomeOuRazaoSocialDoCliente =
        NovoRotulo(this, u"lblNomeOuRazaoSocialDoCliente", u"Nome ou Razão Social", 7840, 1440, 7800);
    xrfNomeOuRazaoSocialDoCliente = NovoCampoDePesquisa(this, u"xrfNomeOuRazaoSocialDoCliente",
                                                        u"Nome ou razão social", 1, 7840, 1690, 7800);
}

void frmFicha::CriarAreaDoItem() {
    lblItensDoOrcamento =
        NovoRotulo(this, u"lblItensDoOrcamento", u"Item(ns) do orçamento*", 360, 2400, 4000);
    lblItensDoOrcamento->setFont(Aparencia::Fonte(11, true));
    optServico = new OptionButton(this, QStringLiteral("optServico"));
    optServico->setCaption(QStringLiteral("Serviço"));
    optServico->Move(4500, 2380, 1300, 300);
    // The group's first button starts selected, as a form shows its option buttons.
    optServico->setValue(true);
    optProduto = new OptionButton(this, QStringLiteral("optProduto"));
    optProduto->setCaption(QStringLiteral("Produto"));
    optProduto->Move(5900, 2380, 1300, 300);

    // First row: the service type (or the product's bar code, laid over it), the
    // service code and the service or product name.
    lblTipoDeServicoOuCodigoDeBarrasDoProduto =
        NovoRotulo(this, u"lblTipoDeServicoOuCodigoDeBarrasDoProduto", u"TipoDeServiçoOuCódDeBarrasDoProd",
                   360, 2800, 2800);
    xrcmbTiposDeServicos = new XRComboBox(this, QStringLiteral("xrcmbTiposDeServicos"));
    xrcmbTiposDeServicos->Move(360, 3050, 2800, 450);
    xrfCodigoDeBarrasDoProduto =
        NovoCampoDePesquisa(this, u"xrfCodigoDeBarrasDoProduto", u"Código de barras", 2, 360, 3050, 2800);
    lblCodigoDoServico = NovoRotulo(this, u"lblCodigoDoServico", u"Código", 3280, 2800, 1300);
    xrfCodigoDoServico = NovoCampoDePesquisa(this, u"xrfCodigoDoServico", u"Código", 2, 3280, 3050, 1300);
    lblNomeDoServicoOuNomeDoProduto = NovoRotulo(this, u"lblNomeDoServicoOuNomeDoProduto",
                                                 u"NomeDoServiçoOuNomeDoProduto", 4690, 2800, 6000);
    xrfNomeDoServico =
        NovoCampoDePesquisa(this, u"xrfNomeDoServico", u"Nome do serviço", 1, 4690, 3050, 10950);
    xrfNomeDoProduto =
        NovoCampoDePesquisa(this, u"xrfNomeDoProduto", u"Nome do produto", 1, 4690, 3050, 10950);

    // Second row: the animal (or the product's internal code, laid over it) and the
    // item's values, then the add command.
    lblCodigoInternoDoProduto =
        NovoRotulo(this, u"lblCodigoInternoDoProduto", u"Código interno do produto", 360, 3680, 4150);
    xrfCodigoInternoDoProduto =
        NovoCampoDePesquisa(this, u"xrfCodigoInternoDoProduto", u"Código interno", 2, 360, 3930, 4150);
    lblNomeDoAnimal = NovoRotulo(this, u"lblNomeDoAnimal", u"Nome do animal*", 360, 3680, 3150);
    xrcmbAnimal = new XRComboBox(this, QStringLiteral("xrcmbAnimal"));
    xrcmbAnimal->Move(360, 3930, 4150, 450);
    lblQuantidade = NovoRotulo(this, u"lblQuantidade", u"Qtde.", 8000, 3680, 1200);
    xrnumQuantidade = NovaCaixaDeNumero(this, u"xrnumQuantidade", u"0,000", false, 8000, 3930, 1200);
    lblValorUnitario = NovoRotulo(this, u"lblValorUnitario", u"Val. Unit.", 9300, 3680, 1500);
    xrnumValorUnitario = NovaCaixaDeNumero(this, u"xrnumValorUnitario", u"0,00", false, 9300, 3930, 1500);
    lblPercentualDeDescontoPorItem =
        NovoRotulo(this, u"lblPercentualDeDescontoPorItem", u"(%) Desc.", 10900, 3680, 1150);
    xrnumPercentualDeDescontoPorItem =
        NovaCaixaDeNumero(this, u"xrnumPercentualDeDescontoPorItem", u"0,00", false, 10900, 3930, 1150);
    lblValorDeDescontoPorItem =
        NovoRotulo(this, u"lblValorDeDescontoPorItem", u"Val. Desc.", 12150, 3680, 1400);
    xrnumValorDeDescontoPorItem =
        NovaCaixaDeNumero(this, u"xrnumValorDeDescontoPorItem", u"0,00", false, 12150, 3930, 1400);
    for (XRNumberBox* caixa :
         {xrnumQuantidade, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
        caixa->setMaxLength(12);
    xrnumValorUnitario->setMaxLength(14);
    xrcmdAdicionar =
        NovoComando(this, u"xrcmdAdicionar", u"    Adicionar item", u"Adicionar", 13650, 3930, 1990);
}

void frmFicha::CriarGradeTotaisEComandos() {
    // Wide enough for caption and icon, ending at the grid's right edge.
    xrcmdAlterar = NovoComando(this, u"xrcmdAlterar", u"Alterar", u"Alterar", 10540, 4560, 1300);
    xrcmdRemover = NovoComando(this, u"xrcmdRemover", u"Remover", u"Remover", 11940, 4560, 1500);
    xrcmdLimparCampos =
        NovoComando(this, u"xrcmdLimparCampos", u"Limpar campos", u"Limpar", 13540, 4560, 2100);
    lblMensagemDeResultado =
        NovoRotulo(this, u"lblMensagemDeResultado", u"Mensagem de resultado", 360, 4520, 9000);
    lblMensagemDeResultado->setFont(QFont(QStringLiteral("Liberation Sans Narrow"), 12));
    lblMensagemDeResultado->setHeight(400);
    // Beside the item commands, left of "Alterar", over the empty part of the message
    // label's row (created after it, so it stays on top).
    xrcmdAdicionarPacote =
        NovoComando(this, u"xrcmdAdicionarPacote", u"Adicionar pacote", u"Adicionar", 8140, 4560, 2300);
    xrcmdAdicionarPacote->setToolTipTitle(QStringLiteral("Adicionar pacote (Alt+P)"));
    xrcmdAdicionarPacote->setToolTipDescription(
        QStringLiteral("Adiciona de uma vez os itens de um pacote de procedimentos, pelo peso do animal."));

    msfgGradeDeItensDoOrcamento = new MSFlexGrid(this, QStringLiteral("msfgGradeDeItensDoOrcamento"));
    msfgGradeDeItensDoOrcamento->Move(360, 5130, 15280, 3450);

    lblValorTotal = NovoRotulo(this, u"lblValorTotal", u"Valor total", 360, 8760, 2100);
    xrnumValorTotal = NovaCaixaDeNumero(this, u"xrnumValorTotal", u"0,00", true, 360, 9010, 2100);
    lblPercentualDeDesconto = NovoRotulo(this, u"lblPercentualDeDesconto", u"(%) Desconto", 2580, 8760, 1600);
    xrnumDescontoEmPercentual =
        NovaCaixaDeNumero(this, u"xrnumDescontoEmPercentual", u"0,00", true, 2580, 9010, 1600);
    lblValorDoDesconto = NovoRotulo(this, u"lblValorDoDesconto", u"Vr. Desconto", 4300, 8760, 1900);
    xrnumDescontoEmValor = NovaCaixaDeNumero(this, u"xrnumDescontoEmValor", u"0,00", true, 4300, 9010, 1900);
    lblValorLiquido = NovoRotulo(this, u"lblValorLiquido", u"Valor líquido", 6320, 8760, 2100);
    xrnumValorLiquido = NovaCaixaDeNumero(this, u"xrnumValorLiquido", u"0,00", true, 6320, 9010, 2100);
    lblDataDeValidade = NovoRotulo(this, u"lblDataDeValidade", u"Data de validade", 8560, 8760, 2000);
    xrdtpDataDeValidadeDoOrcamento = new XRDTPicker(this, QStringLiteral("xrdtpDataDeValidadeDoOrcamento"));
    xrdtpDataDeValidadeDoOrcamento->Move(8560, 9010, 2000, 450);
    lblObservacaoDeCamposObrigatorios =
        NovoRotulo(this, u"lblObservacaoDeCamposObrigatorios", u"* Campos obrigatórios", 360, 9660, 3000);
    lblObservacaoDeCamposObrigatorios->setFont(Aparencia::Fonte(9));
    lblEstimativa = NovoRotulo(this, u"lblEstimativa", u"", 3500, 9620, 7600);
    lblEstimativa->setFont(Aparencia::Fonte(10, true));
    lblEstimativa->setVisible(false);

    xrcmdSalvarFecharConfirmar =
        NovoComando(this, u"xrcmdSalvarFecharConfirmar", u"Salvar", u"Salvar", 11240, 9010, 2360);
    xrcmdCancelarAlterar =
        NovoComando(this, u"xrcmdCancelarAlterar", u"Cancelar", u"Cancelar", 13740, 9010, 1900);

    picMensagem = new PictureBox(this, QStringLiteral("picMensagem"));
    picMensagem->Move(0, 0, 6000, 1200);
    picMensagem->setPicture(ImagemDoPainelDeEspera(6000, 1200, QStringLiteral("Aguarde, pesquisando...")));
    picMensagem->setVisible(false);
}

// ---------------------------------------------------------------------------------------------
// Building and showing the form

qint16 frmFicha::MontarExibirFormulario(qint16 lintTipoDeOperacao) {
    qint16 MontarExibirFormulario = 0;
    std::unique_ptr<frmMensagem> lfrmMensagem;
    const auto DescarregarMensagem = [&] {
        if (lfrmMensagem) lfrmMensagem->Form_Unload();
        lfrmMensagem.release(); // the message form deletes itself on closing
    };
    ComTratamentoDeErro(u"frmFicha", u"MontarExibirFormulario", [&](qint16& Ponto) {
        const bool lbooHost = modPrincipal::FichaAbertaDiretamente;
        Ponto = 1;
        mintTipoDeOperacao = lintTipoDeOperacao;
        mbooIgnorarProximoEvento = true;
        mbooAnimalBloqueado = false;
        Ponto = 2;
        if (lbooHost) {
            mbooIgnorarProximoEvento = false;
            mbooAdiarFundoEscuro = true;
            CarregarFormulario();
            for (XRFind* campo :
                 {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
                campo->setStatus(0);
            xrfApelidoOuNomeFantasiaDoCliente->setText(modPrincipal::ApelidoOuNomeFantasiaDoCliente);
            xrfNomeOuRazaoSocialDoCliente->setText(modPrincipal::NomeOuRazaoSocialDoCliente);
            xrfCodigoDoCliente->setText(VB::CStr(modPrincipal::CodigoDoCliente));
            for (XRFind* campo :
                 {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
                campo->setEnabled(false);
            xrcmbAnimal->AddItem(modPrincipal::NomeDoAnimal);
            xrcmbAnimal->setItemData(xrcmbAnimal->NewIndex(), modPrincipal::CodigoDoAnimal);
            xrcmbAnimal->setListIndex(0);
        } else {
            if (mbooAdiarFundoEscuro) {
                mbooAdiarFundoEscuro = false;
            } else {
                qint16 lintOpcao = 0;
                AplicarFundoEscuro(modPrincipal::FomularioDoMenu_hWnd, lintOpcao);
                mbooAdiarFundoEscuro = true;
            }
            lfrmMensagem = std::make_unique<frmMensagem>();
            lfrmMensagem->lblMensagem->setCaption(QStringLiteral("Aguarde, reorganizando dados."));
            lfrmMensagem->MontarExibirFormulario();
        }
        Ponto = 3;
        mintQuantidadeDeDiasParaAValidadeDoOrcamento = QuantidadeDeDiasParaValidadeDoOrcamento();
        Ponto = 4;
        CarregarFormulario();
        if (PreencherComboboxTiposDeServicos() == 1) {
            if (!lbooHost) {
                ExibirOcultarpicMensagem(false);
                DescarregarMensagem();
            }
            Plataforma::MsgBox(QStringLiteral("Erro no localização dos tipos de serviço."),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            mbooOperacaoConcluida = false;
            MontarExibirFormulario = 1;
            return;
        }
        Ponto = 5;
        xrfCodigoDeBarrasDoProduto->Move(xrcmbTiposDeServicos->Left(), xrcmbTiposDeServicos->Top(),
                                         xrcmbTiposDeServicos->Width());
        xrfNomeDoProduto->Move(xrfNomeDoServico->Left(), xrfNomeDoServico->Top(), 10950);
        xrfCodigoInternoDoProduto->Move(xrcmbAnimal->Left(), xrcmbAnimal->Top(), xrcmbAnimal->Width());
        Ponto = 6;
        if (msfgGradeDeItensDoOrcamento->TextMatrix(0, 0).trimmed().isEmpty()) {
            ConfigurarGrade();
            mobjZELT_N_Itens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
            // Who removes an item is written in the quote's history.
            mobjZELT_N_Itens->DadosDoUsuario = modPrincipal::DadosDoUsuario;
            if (GerarLista() == 1) {
                if (!lbooHost) DescarregarMensagem();
                MontarExibirFormulario = 1;
                return;
            }
            mintPaginaAtual = 1;
            AtualizarObjetos(modConstantes::PrimeiraPagina);
            if (!lbooHost) DescarregarMensagem();
        }
        Ponto = 7;
        mbooIgnorarProximoEvento = true;
        Ponto = 8;
        mintLinhaDaLista = 0;
        if (mintTipoDeOperacao == Inclusao) {
            mdouNumeroDoOrcamento = 0;
            const QString lstrValidade =
                VB::Format(QDate::currentDate().addDays(mintQuantidadeDeDiasParaAValidadeDoOrcamento),
                           QStringLiteral("DD/MM/YYYY"));
            xrdtpDataDeValidadeDoOrcamento->setValue(lstrValidade);
            xrdtpDataDeValidadeDoOrcamento->setTag(lstrValidade);
        } else if (mintTipoDeOperacao == Alteracao || mintTipoDeOperacao == Exclusao) {
            Ponto = 9;
            if (msfgGradeDeItensDoOrcamento->Rows() < 2) {
                if (!lbooHost) RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
                Plataforma::MsgBox(QStringLiteral("Nenhum item localizado para este orçamento."),
                                   Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
                mbooOperacaoConcluida = false;
                MontarExibirFormulario = 1;
                return;
            }
            mdouNumeroDoOrcamento = VB::CDbl(CelulaDaLista(Coluna::ColunaNumeroDoOrcamento));
            mintLinhaDaLista = modPrincipal::FormularioDeLista->Grade()->RowSel();
            mstrDataEHoraDaAlteracaoLida = CelulaDaLista(Coluna::ColunaDataEHoraDaAlteracao);
            for (XRFind* campo :
                 {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
                campo->setEnabled(false);
            xrcmdAdicionar->setEnabled(false);
            xrcmdLimparCampos->setVisible(false);
            xrfCodigoDoCliente->setStatus(0);
            xrfCodigoDoCliente->setText(VB::CStr(VB::CDbl(CelulaDaLista(Coluna::ColunaCodigoDoCliente))));
            xrfApelidoOuNomeFantasiaDoCliente->setStatus(0);
            xrfApelidoOuNomeFantasiaDoCliente->setText(
                CelulaDaLista(Coluna::ColunaApelidoOuNomeFantasiaDoCliente));
            xrfNomeOuRazaoSocialDoCliente->setStatus(0);
            xrfNomeOuRazaoSocialDoCliente->setText(CelulaDaLista(Coluna::ColunaNomeOuRazaoSocialDoCliente));
            if (PreencherComboboxAnimal(VB::CDbl(xrfCodigoDoCliente->Text())) == 1) {
                mbooOperacaoConcluida = false;
                RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
                return;
            }
            const QString lstrAnimal = msfgGradeDeItensDoOrcamento->TextMatrix(
                msfgGradeDeItensDoOrcamento->RowSel(), GradeDeItens::CodigoDoAnimal);
            for (int i = 0; i < xrcmbAnimal->ListCount(); ++i) {
                if (VB::CStr(xrcmbAnimal->ItemData(i)) == lstrAnimal) {
                    xrcmbAnimal->setListIndex(i);
                    break;
                }
            }
            xrdtpDataDeValidadeDoOrcamento->setValue(CelulaDaLista(Coluna::ColunaDataDeValidadeDoOrcamento));
        }
        Ponto = 10;
        if (mintTipoDeOperacao == Inclusao) {
            PrepararInclusao();
            IniciarCopiaDeRecuperacao();
        } else if (mintTipoDeOperacao == Alteracao || mintTipoDeOperacao == Exclusao)
            PrepararAlteracaoOuExclusao();
        Ponto = 11;
        if (mbooAdiarFundoEscuro) {
            mbooAdiarFundoEscuro = false;
        } else {
            qint16 lintOpcao = 0;
            AplicarFundoEscuro(modPrincipal::FomularioDoMenu_hWnd, lintOpcao);
        }
        Ponto = 12;
        Form_Resize();
        Ponto = 13;
        if (lbooHost)
            mbooIgnorarProximoEvento = false;
        else
            hide();
        Plataforma::ExibirModal(this);
        Ponto = 14;
        if (!lbooHost) {
            QCoreApplication::processEvents();
            if (modPrincipal::FormularioDeLista) modPrincipal::FormularioDeLista->update();
            RemoverFundoEscuro(modPrincipal::FomularioDoMenu_hWnd);
        }
        Ponto = 15;
        MontarExibirFormulario = 0;
    });
    DescarregarMensagem();
    return MontarExibirFormulario;
}

// Add mode: an empty item area, services first.
void frmFicha::PrepararInclusao() {
    const bool lbooHost = modPrincipal::FichaAbertaDiretamente;
    xrTheme->setCaption(QStringLiteral("Adicionar item"));
    xrTheme->setDataOfInclusion(QString());
    xrTheme->setDataOfAlteration(QString());
    for (XRFind* campo : ControlesDoTipo<XRFind>(this)) {
        campo->setEnabled(true);
        if (!lbooHost) {
            campo->setStatus(2);
            campo->setText(QString());
        }
    }
    for (XRComboBox* lista : ControlesDoTipo<XRComboBox>(this))
        lista->setEnabled(false);
    for (OptionButton* opcao : ControlesDoTipo<OptionButton>(this))
        opcao->setEnabled(lbooHost);
    for (XRNumberBox* caixa : ControlesDoTipo<XRNumberBox>(this))
        caixa->setEnabled(true);
    for (XRFind* campo : {xrfCodigoDoServico, xrfNomeDoServico, xrfCodigoDeBarrasDoProduto,
                          xrfCodigoInternoDoProduto, xrfNomeDoProduto})
        campo->setEnabled(false);
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
    xrdtpDataDeValidadeDoOrcamento->setEnabled(mbooPermissaoParaAlterarDataDeValidadeDoOrcamento);
    // Packages go into a new quote; a stored one takes items back only one by one.
    xrcmdAdicionarPacote->setEnabled(true);
    mstrPesoDoAnimal.clear();
    DefinirLegendasEDicas();
    // Services are the first item type. Switching to them opens the type list, which
    // stays closed until a client is chosen when the list opened the form.
    optServico_Click();
    if (lbooHost) {
        for (XRFind* campo :
             {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
            campo->setEnabled(false);
        xrcmbAnimal->setEnabled(false);
        xrcmdLimparCampos->setVisible(false);
    } else {
        xrcmbTiposDeServicos->setEnabled(false);
    }
}

// Change and delete modes: the stored quote, nothing editable until an item is taken
// back for change (change mode) or at all (delete mode).
void frmFicha::PrepararAlteracaoOuExclusao() {
    DefinirLinhasDoTema();
    const bool lbooAlteracao = mintTipoDeOperacao == Alteracao;
    xrTheme->setCaption(lbooAlteracao ? QStringLiteral("Alterar orçamento")
                                      : QStringLiteral("Excluir orçamento"));
    for (XRFind* campo : ControlesDoTipo<XRFind>(this))
        campo->setEnabled(false);
    for (XRComboBox* lista : ControlesDoTipo<XRComboBox>(this))
        lista->setEnabled(false);
    for (OptionButton* opcao : ControlesDoTipo<OptionButton>(this))
        opcao->setEnabled(false);
    for (XRNumberBox* caixa : ControlesDoTipo<XRNumberBox>(this))
        caixa->setEnabled(lbooAlteracao && (caixa == xrnumValorTotal || caixa == xrnumValorLiquido));
    xrdtpDataDeValidadeDoOrcamento->setEnabled(lbooAlteracao);
    xrcmdAdicionarPacote->setEnabled(false);
    mstrPesoDoAnimal.clear();
    if (lbooAlteracao) {
        CalcularValoresDosItensDaGrade();
        PermissaoDoUsuario();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
        if (isVisible()) xrfApelidoOuNomeFantasiaDoCliente->SetFocus();
        xrcmdAlterar->setVisible(false);
    } else {
        msfgGradeDeItensDoOrcamento->setEnabled(false);
        for (XRCommandButton* comando : {xrcmdAlterar, xrcmdRemover, xrcmdLimparCampos})
            comando->setVisible(false);
        CalcularValoresDosItensDaGrade();
    }
    SelecionarTipoDoItemDaGrade();
    DefinirLegendasEDicas();
}

// "Código N | Incluído em DD/MM/YYYY" and "Alterado em DD/MM/YYYY" from the list's row.
void frmFicha::DefinirLinhasDoTema() {
    const QString lstrFormato = QStringLiteral("DD/MM/YYYY");
    xrTheme->setDataOfInclusion(QStringLiteral("Código ") + VB::CStr(mdouNumeroDoOrcamento) +
                                QStringLiteral(" | Incluído em ") +
                                VB::Format(CelulaDaLista(Coluna::ColunaDataEHoraDaInclusao), lstrFormato));
    const QString lstrAlteracao = CelulaDaLista(Coluna::ColunaDataEHoraDaAlteracao);
    xrTheme->setDataOfAlteration(lstrAlteracao.trimmed().isEmpty()
                                     ? QString()
                                     : QStringLiteral("Alterado em ") +
                                           VB::Format(lstrAlteracao, lstrFormato));
}

// The item area shows the kind of the grid's selected item. Switching it opens fields
// (the type list, the product fields), which stay closed in these modes: the change
// mode opens them when an item is taken back for change, the delete mode never.
void frmFicha::SelecionarTipoDoItemDaGrade() {
    if (msfgGradeDeItensDoOrcamento->Rows() < 2) return;
    const QString lstrTipo = msfgGradeDeItensDoOrcamento->TextMatrix(msfgGradeDeItensDoOrcamento->RowSel(),
                                                                     GradeDeItens::TipoDeLancamento);
    if (lstrTipo.trimmed() == QString::number(GradeDeItens::LancamentoDeServico))
        optServico_Click();
    else
        optProduto_Click();
    HabilitarDesabilitarCampos(false);
}

void frmFicha::DefinirLegendasEDicas() {
    struct Legendas {
        const char16_t* Salvar;
        const char16_t* DicaDoSalvar;
        const char16_t* DicaDoCancelar;
    };
    Legendas l{u"Salvar", u"Salvar inclusão e fechar", u"Cancelar inclusão e fechar"};
    if (mintTipoDeOperacao == Inclusao && modPrincipal::FichaAbertaDiretamente)
        l = {u"Salvar e Imprimir", u"Salvar inclusão, Imprmir e fechar", u"Cancelar inclusão e fechar"};
    else if (mintTipoDeOperacao == Alteracao)
        l = {u"Salvar", u"Salvar alteração e fechar", u"Cancelar alteração e fechar"};
    else if (mintTipoDeOperacao == Exclusao)
        l = {u"Confirmar", u"Confirmar exclusão e e fechar", u"Cancelar exclusão e fechar"};
    xrcmdSalvarFecharConfirmar->setCaption(QString::fromUtf16(l.Salvar));
    xrcmdCancelarAlterar->setCaption(QStringLiteral("Cancelar"));
    const std::array<std::pair<XRCommandButton*, const char16_t*>, 2> dicas{{
        {xrcmdSalvarFecharConfirmar, l.DicaDoSalvar},
        {xrcmdCancelarAlterar, l.DicaDoCancelar},
    }};
    for (const auto& [comando, dica] : dicas) {
        // The button's own balloon title and text go first, so that only the plain tip shows.
        comando->setToolTipTitle(QString());
        comando->setToolTipDescription(QString());
        comando->setToolTipType(0);
        comando->setToolTipText(QString::fromUtf16(dica));
    }
}

qint16 frmFicha::RemoverInstanciaDomobjZELT_N_Itens() {
    mobjZELT_N_Itens.reset();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Company settings, permissions and the item-type controls

qint16 frmFicha::QuantidadeDeDiasParaValidadeDoOrcamento() {
    qint16 QuantidadeDeDiasParaValidadeDoOrcamento = 1;
    ComTratamentoDeErro(u"frmFicha", u"QuantidadeDeDiasParaValidadeDoOrcamento", [&](qint16& Ponto) {
        Ponto = 1;
        auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        Ponto = 2;
        if (VB::CBool(lobjEmpresa->SelecionarNova(2, 0, 1, QString()))) {
            ExibirErroDoNegocio(*lobjEmpresa);
            return;
        }
        Ponto = 3;
        const RecordsetPtr lrstEmpresa = lobjEmpresa->ResultadoDaSelecaoEmRecordSet();
        if (lrstEmpresa->RecordCount() != 1) {
            QuantidadeDeDiasParaValidadeDoOrcamento = 10;
            return;
        }
        Ponto = 4;
        QuantidadeDeDiasParaValidadeDoOrcamento =
            VB::CInt(lrstEmpresa->Fields(QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento")).Value);
        Ponto = 5;
        mbooPermissaoParaAlterarDataDeValidadeDoOrcamento =
            VB::CStr(lrstEmpresa->Fields(QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"))
                         .Value) == QStringLiteral("Sim");
    });
    return QuantidadeDeDiasParaValidadeDoOrcamento;
}

void frmFicha::PermissaoDoUsuario() {
    ComTratamentoDeErro(u"frmFicha", u"PermissaoDoUsuario", [&](qint16& Ponto) {
        Ponto = 1;
        QObject* lobjUsuario = modPrincipal::DadosDoUsuario;
        if (!lobjUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        const auto Item = [&](const char* nome) { return lobjUsuario->property(nome).toBool() == true; };
        Ponto = 2;
        if (Item("Administrador")) {
            for (XRNumberBox* caixa : {xrnumValorUnitario, xrnumDescontoEmPercentual, xrnumDescontoEmValor})
                caixa->setLocked(false);
            return;
        }
        Ponto = 3;
        xrnumValorUnitario->setLocked(true);
        Ponto = 4;
        const bool lbooPodeAlterarDescontos = Item("PermissaoDoModuloCaixaAlterarDescontosDeVendas");
        for (XRNumberBox* caixa : {xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem,
                                   xrnumDescontoEmPercentual, xrnumDescontoEmValor})
            caixa->setLocked(!lbooPodeAlterarDescontos);
    });
}

qint16 frmFicha::HabilitarDesabilitarCampos(bool lbooHabilita) {
    qint16 HabilitarDesabilitarCampos = 1;
    ComTratamentoDeErro(u"frmFicha", u"HabilitarDesabilitarCampos", [&](qint16& Ponto) {
        Ponto = 1;
        for (Controle* controle : std::initializer_list<Controle*>{
                 optServico, optProduto, xrcmbTiposDeServicos, xrfCodigoDoServico, xrfNomeDoServico,
                 xrfCodigoDeBarrasDoProduto, xrfNomeDoProduto, xrfCodigoInternoDoProduto})
            controle->setEnabled(lbooHabilita);
        Ponto = 2;
        if (!lbooHabilita)
            xrcmbAnimal->setEnabled(false);
        else if (!mbooAnimalBloqueado && xrcmbAnimal->ListCount() > 1)
            xrcmbAnimal->setEnabled(true);
        HabilitarDesabilitarCampos = 0;
    });
    return HabilitarDesabilitarCampos;
}

// ---------------------------------------------------------------------------------------------
// The message panel

void frmFicha::ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem) {
    if (!isVisible()) return;
    if (lbooExibirOcultarpicMensagem)
        ExibirPainelDeEspera(this, picMensagem, [this] { CentralizarpicMensagem(); });
    else
        OcultarPainelDeEspera(this, picMensagem);
}

void frmFicha::CentralizarpicMensagem() {
    CentralizarPainel(this, picMensagem);
}

// ---------------------------------------------------------------------------------------------
// Form events

void frmFicha::CarregarFormulario() {
    if (mbooCarregado) return;
    mbooCarregado = true;
    Form_Load();
}

void frmFicha::Form_Load() {
    ComTratamentoDeErro(u"frmFicha", u"Form_Load", [&](qint16& Ponto) {
        Ponto = 1;
        if (mbooIgnorarProximoEvento) {
            mbooIgnorarProximoEvento = false;
            return;
        }
        Ponto = 2;
        if (SistemaEhWindows8()) {
            Ponto = 3;
            auto* lshpObj = new Shape(this, QStringLiteral("lshpObj"));
            lshpObj->setVisible(true);
            lshpObj->Move(0, 0, Twips::DePixels(width()), Twips::DePixels(height()));
        }
    });
}

void frmFicha::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    Form_Resize();
}

void frmFicha::Form_Resize() {
    ComTratamentoDeErro(u"frmFicha", u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 1;
        lblMensagemDeResultado->Move(xrcmbAnimal->Left(), xrcmdAdicionar->Top() + 590);
        Ponto = 2;
        msfgGradeDeItensDoOrcamento->setColWidth(GradeDeItens::NomeDoServicoOuProduto,
                                                 Twips::DePixels(width()) - 11700);
        Ponto = 3;
        mintQuantidadeDeLinhasPorPagina =
            static_cast<qint16>((msfgGradeDeItensDoOrcamento->Height() - 700) / 550);
    });
}

// Escape cancels as the Cancel button does; Enter belongs to the field that has the
// focus (a search field searches), never to the dialog.
void frmFicha::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && xrcmdCancelarAlterar->isEnabled()) {
        xrcmdCancelarAlterar_Click();
        return;
    }
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) return;
    // The package command's own key, as a person reaches it without the mouse.
    if (evento->key() == Qt::Key_P && evento->modifiers() == Qt::AltModifier) {
        if (xrcmdAdicionarPacote->isVisible() && xrcmdAdicionarPacote->isEnabled())
            xrcmdAdicionarPacote_Click();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void frmFicha::PintarRotulos(std::initializer_list<const Label*> lexcecoes) {
    for (Label* rotulo : ControlesDoTipo<Label>(this))
        if (std::find(lexcecoes.begin(), lexcecoes.end(), rotulo) == lexcecoes.end())
            rotulo->setForeColor(Aparencia::CorDoTextoVB);
}

void frmFicha::xrcmdCancelarAlterar_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdCancelarAlterar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        PintarRotulos({lblObservacaoDeCamposObrigatorios});
        Ponto = 2;
        mbooOperacaoConcluida = false;
        DescartarCopiaDeRecuperacao();
        hide();
        msfgGradeDeItensDoOrcamento->Clear();
    });
}
