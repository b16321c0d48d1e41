#include "andamento/frmAprovarOrcamento.h"

#include "andamento/CamposDeTexto.h"
#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Textos.h"
#include "list/RodapeDaFicha.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRAssinatura.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <array>

namespace {

enum Coluna : int {
    ColunaAprovado = 1,
    ColunaItem,
    ColunaAnimal,
    ColunaQuantidade,
    ColunaValorTotal,
    ColunaNumeroDoItem,
    ColunaSeNecessario,
};

// Column 2 absorbs the spare width; the last two keep each row's item number and its
// mark "se necessário" ("1"), which the item's name also shows.
const std::array<modGrade::ColunaDaGrade, 8> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Aprovado", 1200, 4, 1},
    {u"Item", 4000, 1, 1},
    {u"Animal", 2200, 1, 1, u"NomeDoAnimal"},
    {u"Quantidade", 1400, 7, 0, u"Quantidade"},
    {u"Valor total", 1600, 7, 0, u"ValorTotal"},
    {u"Número do item", 0, 1, 0, u"NumeroDoItemDoOrcamento"},
    {u"Se necessário", 0, 1, 0, u"SeNecessario"},
}};
constexpr int LarguraDasOutrasColunas = 1200 + 2200 + 1400 + 1600 + 300;

void Informar(const QString& texto) {
    Plataforma::MsgBox(texto, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

} // namespace

frmAprovarOrcamento::frmAprovarOrcamento(QWidget* pai)
    : frmDeUmOrcamento(QStringLiteral("frmAprovarOrcamento"), QStringLiteral("Aprovar orçamento"), 13500,
                       10500, Colunas, 12000, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDaAprovacao);

    lblTotalAprovado = new Label(this, QStringLiteral("lblTotalAprovado"));
    lblTotalAprovado->setFont(Aparencia::Fonte(12));
    lblTotalAprovado->Move(Margem, TopoDaGrade + AlturaDaGrade + 150, 12000, 400);

    CamposDeTexto::CriarRotulo(this, QStringLiteral("lblQuem"), QStringLiteral("Quem aprova"), Margem,
                               TopoDosCampos);
    txtQuem =
        CamposDeTexto::CriarCaixaDeTexto(this, QStringLiteral("txtQuem"), Margem, TopoDosCampos + 300, 5200);
    txtQuem->setMaxLength(100);
    CamposDeTexto::CriarRotulo(this, QStringLiteral("lblCPF"), QStringLiteral("CPF (se não for o cliente)"),
                               Margem + 5400, TopoDosCampos);
    txtCPF = CamposDeTexto::CriarCaixaDeTexto(this, QStringLiteral("txtCPF"), Margem + 5400,
                                              TopoDosCampos + 300, 2600);
    txtCPF->setMaxLength(14);
    txtCPF->setPlaceholderText(QStringLiteral("000.000.000-00"));
    CamposDeTexto::CriarRotulo(this, QStringLiteral("lblComo"), QStringLiteral("Como"), Margem + 8200,
                               TopoDosCampos);
    xrcmbComo = new XRComboBox(this, QStringLiteral("xrcmbComo"));
    xrcmbComo->Move(Margem + 8200, TopoDosCampos + 300, 2600, 450);
    for (const QString& meio : ZELT_N_Orcamentos::MeiosDeAprovacao)
        xrcmbComo->AddItem(meio);

    lblAssinatura =
        CamposDeTexto::CriarRotulo(this, QStringLiteral("lblAssinatura"),
                                   QStringLiteral("Assinatura do cliente"), Margem, TopoDaAssinatura);
    assAssinatura = new XRAssinatura(this, QStringLiteral("assAssinatura"));
    assAssinatura->Move(Margem, TopoDaAssinatura + 300, 8000, AlturaDaAssinatura);
    xrcmdLimpar = new XRCommandButton(this, QStringLiteral("xrcmdLimpar"));
    xrcmdLimpar->setCaption(QStringLiteral("    Limpar"));
    xrcmdLimpar->setIcone(QStringLiteral("Limpar"));
    xrcmdLimpar->setToolTipType(0);
    xrcmdLimpar->setToolTipText(QStringLiteral("Apaga a assinatura para assinar de novo."));
    xrcmdLimpar->Move(Margem + 8200, TopoDaAssinatura + 300, 1800, 450);

    xrcmdAprovar = new XRCommandButton(this, QStringLiteral("xrcmdAprovar"));
    xrcmdAprovar->setCaption(QStringLiteral("    Aprovar"));
    xrcmdAprovar->setIcone(QStringLiteral("Salvar"));
    xrcmdAprovar->Move(0, 0, 1800, 450);

    msfgGrade->installEventFilter(this);
    connect(msfgGrade, &MSFlexGrid::Click, this, &frmAprovarOrcamento::msfgGrade_Click);
    connect(xrcmbComo, &XRComboBox::Click, this, &frmAprovarOrcamento::xrcmbComo_Click);
    connect(xrcmdLimpar, &XRCommandButton::Click, this, &frmAprovarOrcamento::xrcmdLimpar_Click);
    connect(xrcmdAprovar, &XRCommandButton::Click, this, &frmAprovarOrcamento::xrcmdAprovar_Click);
}

frmAprovarOrcamento::~frmAprovarOrcamento() = default;

// The quote's approval state and stamp, then its items, all marked approved.
bool frmAprovarOrcamento::LerOrcamento() {
    mobjAprovacao = LerComObjeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(ProgId::AprovacaoDoOrcamento);
    if (!mobjAprovacao) return false;
    if (mobjAprovacao->Aprovado) {
        Informar(QStringLiteral("O orçamento %1 já foi aprovado por %2 em %3.")
                     .arg(VB::CStr(mdouNumeroDoOrcamento), mobjAprovacao->Responsavel,
                          mobjAprovacao->DataEHoraDaAprovacao.toString(QStringLiteral("dd/MM/yyyy"))));
        return false;
    }
    NomearOrcamento(mobjAprovacao->NomeDoCliente);
    txtQuem->setText(mobjAprovacao->NomeDoCliente);
    auto itens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
    itens->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    qint16 tamanho = 0;
    double numero = mdouNumeroDoOrcamento;
    if (VB::CBool(itens->Selecionar(1, tamanho, 0, numero))) {
        ExibirErroDoNegocio(*itens);
        return false;
    }
    const RecordsetPtr lrstItens = itens->ResultadoDaSelecaoEmRecordSet();
    PrepararLinhas(lrstItens->RecordCount());
    int linha = 1;
    for (lrstItens->MoveFirst(); !lrstItens->Eof(); lrstItens->MoveNext(), ++linha) {
        msfgGrade->setTextMatrix(linha, ColunaAprovado, Aprovado);
        const QString servico = TextoDoCampo(*lrstItens, u"NomeDoServico");
        const QString marca = TextoDoCampo(*lrstItens, u"SeNecessario");
        msfgGrade->setTextMatrix(linha, ColunaItem,
                                 (servico.isEmpty() ? TextoDoCampo(*lrstItens, u"NomeDoProduto") : servico) +
                                     (marca == u"1" ? QStringLiteral(" (se necessário)") : QString()));
        msfgGrade->setTextMatrix(linha, ColunaSeNecessario, marca);
        msfgGrade->setTextMatrix(linha, ColunaAnimal, TextoDoCampo(*lrstItens, u"NomeDoAnimal"));
        msfgGrade->setTextMatrix(linha, ColunaQuantidade, TextoDoCampo(*lrstItens, u"Quantidade"));
        msfgGrade->setTextMatrix(linha, ColunaValorTotal, DinheiroDoCampo(*lrstItens, u"ValorTotal"));
        msfgGrade->setTextMatrix(linha, ColunaNumeroDoItem,
                                 TextoDoCampo(*lrstItens, u"NumeroDoItemDoOrcamento"));
    }
    msfgGrade->setColWidth(ColunaItem,
                           std::max(2000, Twips::DePixels(width()) - 2 * Margem - LarguraDasOutrasColunas));
    msfgGrade->setRedraw(true);
    if (msfgGrade->Rows() > 1) msfgGrade->setRow(1);
    xrcmbComo->setListIndex(0);
    xrcmbComo_Click();
    AtualizarTotal();
    return true;
}

void frmAprovarOrcamento::AlternarMarca(int linha) {
    if (linha < 1 || linha >= msfgGrade->Rows()) return;
    const bool aprovado = msfgGrade->TextMatrix(linha, ColunaAprovado) == Aprovado;
    msfgGrade->setTextMatrix(linha, ColunaAprovado, aprovado ? Recusado : Aprovado);
    AtualizarTotal();
}

// The sum of the approved rows' totals: each item keeps its own discount (the quote
// has none of its own), as the business layer sums them; with approved items "se
// necessário", the range from the sum without them.
void frmAprovarOrcamento::AtualizarTotal() {
    VB::Currency aprovado, minimo, total;
    for (int linha = 1; linha < msfgGrade->Rows(); ++linha) {
        const VB::Currency valor = VB::CCur(msfgGrade->TextMatrix(linha, ColunaValorTotal));
        total += valor;
        if (msfgGrade->TextMatrix(linha, ColunaAprovado) != Aprovado) continue;
        aprovado += valor;
        if (msfgGrade->TextMatrix(linha, ColunaSeNecessario) != u"1") minimo += valor;
    }
    if (minimo != aprovado)
        lblTotalAprovado->setCaption(
            aprovado == total
                ? QStringLiteral("Total aprovado: %1").arg(RodapeDaFicha::Faixa(minimo, aprovado))
                : QStringLiteral("Total aprovado: %1, do orçamento de %2")
                      .arg(RodapeDaFicha::Faixa(minimo, aprovado), Textos::EmReais(total)));
    else
        lblTotalAprovado->setCaption(aprovado == total
                                         ? QStringLiteral("Total aprovado: %1").arg(Textos::EmReais(aprovado))
                                         : QStringLiteral("Total aprovado: %1 de %2")
                                               .arg(Textos::EmReais(aprovado), Textos::EmReais(total)));
}

void frmAprovarOrcamento::msfgGrade_Click() {
    ComTratamentoDeErro(mstrNome, u"msfgGrade_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (msfgGrade->MouseRow() >= 1 && msfgGrade->MouseCol() == ColunaAprovado)
            AlternarMarca(msfgGrade->MouseRow());
    });
}

// Space on a row turns its mark, as a click on the mark does.
bool frmAprovarOrcamento::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == msfgGrade && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space) {
        ComTratamentoDeErro(mstrNome, u"msfgGrade_KeyPress", [&](qint16& Ponto) {
            Ponto = 1;
            AlternarMarca(msfgGrade->Row());
        });
        return true;
    }
    return frmAndamento::eventFilter(objeto, evento);
}

// The pad is offered only where the client is present to sign.
void frmAprovarOrcamento::xrcmbComo_Click() {
    const bool presencial = xrcmbComo->Text() == ZELT_N_Orcamentos::AprovacaoPresencial;
    for (QWidget* controle : std::initializer_list<QWidget*>{lblAssinatura, assAssinatura, xrcmdLimpar})
        controle->setVisible(presencial);
}

void frmAprovarOrcamento::xrcmdLimpar_Click() {
    assAssinatura->Limpar();
}

void frmAprovarOrcamento::xrcmdAprovar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdAprovar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        QList<qint32> recusados;
        for (int linha = 1; linha < msfgGrade->Rows(); ++linha)
            if (msfgGrade->TextMatrix(linha, ColunaAprovado) != Aprovado)
                recusados << msfgGrade->TextMatrix(linha, ColunaNumeroDoItem).toInt();
        const QString como = xrcmbComo->Text();
        // The form's own checks, before the business layer's: what the person can fix here.
        if (como == ZELT_N_Orcamentos::AprovacaoPresencial && assAssinatura->Vazia()) {
            Informar(QStringLiteral("Na aprovação presencial, peça ao cliente que assine no quadro."));
            return;
        }
        Ponto = 2;
        const QByteArray assinatura = como == ZELT_N_Orcamentos::AprovacaoPresencial
                                          ? assAssinatura->Png(ZELT_N_Orcamentos::TamanhoMaximoDaAssinatura)
                                          : QByteArray();
        if (como == ZELT_N_Orcamentos::AprovacaoPresencial && assinatura.isEmpty()) {
            Informar(
                QStringLiteral("A assinatura ficou grande demais para guardar: limpe o quadro e assine de "
                               "novo."));
            return;
        }
        Ponto = 3;
        const qint16 resultado = mobjAprovacao->Aprovar(mdouNumeroDoOrcamento, recusados, txtQuem->text(),
                                                        txtCPF->text(), como, assinatura);
        if (resultado == Resultado::Sucesso) {
            mbooAlterado = true;
            accept();
            return;
        }
        Ponto = 4;
        ExibirResultadoDoNegocio(*mobjAprovacao, resultado);
        // A refusal (the quote moved elsewhere, or its stage) ends here; a rejection is
        // fixed in the window.
        if (resultado == Resultado::Recusado)
            reject();
        else if (mobjAprovacao->NomeDoCampoValidado == u"Quem")
            txtQuem->setFocus();
        else if (mobjAprovacao->NomeDoCampoValidado == u"CPF")
            txtCPF->setFocus();
    });
}

void frmAprovarOrcamento::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGrade->setHeight(AlturaDaGrade);
        Ponto = 2;
        xrcmdAprovar->Move(xrcmdFechar->Left() - 150 - xrcmdAprovar->Width(), xrcmdFechar->Top());
    });
}
