#include "andamento/frmRegistrarPagamento.h"

#include "andamento/CamposDeTexto.h"
#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Sinal.h"
#include "contracts/Textos.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRNumberBox.h"

#include <QLineEdit>
#include <array>

namespace {

enum Coluna : int {
    ColunaNumero = 1,
    ColunaDataEHora,
    ColunaUsuario,
    ColunaValor,
    ColunaForma,
    ColunaIdDaTransacao,
    ColunaEstornoDe,
    ColunaMotivo,
};

// The reason of a reversal takes the spare width.
const std::array<modGrade::ColunaDaGrade, 9> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Nº", 700, 7, 0, u"NumeroDoPagamento"},
    {u"Data e hora", 1900, 4, 1, u"DataEHora"},
    {u"Usuário", 1300, 1, 1, u"Usuario"},
    {u"Valor", 1300, 7, 0, u"Valor"},
    {u"Forma", 1800, 1, 1, u"Forma"},
    {u"Id da transação Pix", 2400, 1, 1, u"IdDaTransacao"},
    {u"Estorno de", 1300, 7, 0, u"EstornoDe"},
    {u"Motivo", 2000, 1, 1, u"Motivo"},
}};

void Informar(const QString& texto) {
    Plataforma::MsgBox(texto, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

bool Administrador() {
    return modPrincipal::DadosDoUsuario && modPrincipal::DadosDoUsuario->property("Administrador").toBool();
}

} // namespace

frmRegistrarPagamento::frmRegistrarPagamento(QWidget* pai)
    : frmDeUmOrcamento(QStringLiteral("frmRegistrarPagamento"), QStringLiteral("Registrar pagamento"), 14000,
                       TopoDoEstorno + 1900, Colunas, 12000, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDoPagamento);

    const auto total = [this](const char* nome, int esquerda) {
        auto* rotulo = new Label(this, QString::fromLatin1(nome));
        rotulo->setFont(Aparencia::Fonte(12));
        rotulo->Move(esquerda, TopoDosTotais, 4000, 400);
        return rotulo;
    };
    lblValorAprovado = total("lblValorAprovado", Margem);
    lblValorPago = total("lblValorPago", Margem + 4200);
    lblFaltaPagar = total("lblFaltaPagar", Margem + 8400);

    CamposDeTexto::CriarRotulo(this, QStringLiteral("lblValor"), QStringLiteral("Valor (R$)"), Margem,
                               TopoDosCampos);
    xrnbValor = new XRNumberBox(this, QStringLiteral("xrnbValor"));
    xrnbValor->setAlignment(1);
    xrnbValor->setFormatType(1);
    xrnbValor->setMaxLength(16);
    xrnbValor->Move(Margem, TopoDosCampos + 300, 1800, 420);
    CamposDeTexto::CriarRotulo(this, QStringLiteral("lblForma"), QStringLiteral("Forma de pagamento"),
                               Margem + 2000, TopoDosCampos);
    xrcmbForma = new XRComboBox(this, QStringLiteral("xrcmbForma"));
    xrcmbForma->Move(Margem + 2000, TopoDosCampos + 300, 2600, 450);
    for (const QString& forma : ZELT_N_Orcamentos::FormasDePagamento)
        xrcmbForma->AddItem(forma);
    lblIdDaTransacao = CamposDeTexto::CriarRotulo(this, QStringLiteral("lblIdDaTransacao"),
                                                  QStringLiteral("Id da transação Pix (no comprovante)"),
                                                  Margem + 4800, TopoDosCampos);
    txtIdDaTransacao = CamposDeTexto::CriarCaixaDeTexto(this, QStringLiteral("txtIdDaTransacao"),
                                                        Margem + 4800, TopoDosCampos + 300, 4400);
    txtIdDaTransacao->setMaxLength(35);
    xrcmdRegistrar = new XRCommandButton(this, QStringLiteral("xrcmdRegistrar"));
    xrcmdRegistrar->setCaption(QStringLiteral("    Registrar"));
    xrcmdRegistrar->setIcone(QStringLiteral("Salvar"));
    xrcmdRegistrar->Move(Margem + 9400, TopoDosCampos + 300, 1800, 450);

    lblMotivo = CamposDeTexto::CriarRotulo(this, QStringLiteral("lblMotivo"),
                                           QStringLiteral("Motivo do estorno do pagamento escolhido"), Margem,
                                           TopoDoEstorno);
    txtMotivo = CamposDeTexto::CriarCaixaDeTexto(this, QStringLiteral("txtMotivo"), Margem,
                                                 TopoDoEstorno + 300, 9200);
    txtMotivo->setMaxLength(200);
    xrcmdEstornar = new XRCommandButton(this, QStringLiteral("xrcmdEstornar"));
    xrcmdEstornar->setCaption(QStringLiteral("    Estornar…"));
    xrcmdEstornar->setIcone(QStringLiteral("Excluir"));
    xrcmdEstornar->Move(Margem + 9400, TopoDoEstorno + 300, 1800, 450);
    // Only an administrator reverses a payment: a clerk is not offered it.
    for (QWidget* controle : std::initializer_list<QWidget*>{lblMotivo, txtMotivo, xrcmdEstornar})
        controle->setVisible(Administrador());

    connect(xrcmbForma, &XRComboBox::Click, this, &frmRegistrarPagamento::xrcmbForma_Click);
    connect(xrcmdRegistrar, &XRCommandButton::Click, this, &frmRegistrarPagamento::xrcmdRegistrar_Click);
    connect(xrcmdEstornar, &XRCommandButton::Click, this, &frmRegistrarPagamento::xrcmdEstornar_Click);
}

frmRegistrarPagamento::~frmRegistrarPagamento() = default;

// The first way offered, and the value it suggests.
void frmRegistrarPagamento::AntesDeExibir() {
    xrcmbForma->setListIndex(0);
    xrcmbForma_Click();
}

// The approval in force and the payments; a quote not approved takes no payment.
bool frmRegistrarPagamento::LerOrcamento() {
    mobjAprovacao = LerComObjeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(ProgId::AprovacaoDoOrcamento);
    if (!mobjAprovacao) return false;
    if (!mobjAprovacao->Aprovado) {
        Informar(QStringLiteral("O orçamento %1 não está aprovado: registre a aprovação antes do pagamento.")
                     .arg(VB::CStr(mdouNumeroDoOrcamento)));
        return false;
    }
    NomearOrcamento(mobjAprovacao->NomeDoCliente);
    return LerPagamentos();
}

// The totals, the grid and the value offered, read again after each change.
bool frmRegistrarPagamento::LerPagamentos() {
    if (const qint16 resultado = mobjAprovacao->Ler(mdouNumeroDoOrcamento); resultado != Resultado::Sucesso) {
        ExibirResultadoDoNegocio(*mobjAprovacao, resultado);
        return false;
    }
    if (VB::CBool(mobjAprovacao->SelecionarPagamentos(mdouNumeroDoOrcamento))) {
        ExibirErroDoNegocio(*mobjAprovacao);
        return false;
    }
    const VB::Currency aprovado = mobjAprovacao->ValorAprovado, pago = mobjAprovacao->ValorPago;
    lblValorAprovado->setCaption(QStringLiteral("Valor aprovado: ") + Textos::EmReais(aprovado));
    lblValorPago->setCaption(QStringLiteral("Pago: ") + Textos::EmReais(pago));
    lblFaltaPagar->setCaption(QStringLiteral("Falta pagar: ") + Textos::EmReais(aprovado - pago));
    const RecordsetPtr lrstPagamentos = mobjAprovacao->ResultadoDaSelecaoEmRecordSet();
    PrepararLinhas(lrstPagamentos->RecordCount());
    int linha = 1;
    for (lrstPagamentos->MoveFirst(); !lrstPagamentos->Eof(); lrstPagamentos->MoveNext(), ++linha)
        for (int c = ColunaNumero; c <= ColunaMotivo; ++c)
            msfgGrade->setTextMatrix(linha, c,
                                     c == ColunaValor ? DinheiroDoCampo(*lrstPagamentos, Colunas[c].Campo)
                                                      : TextoDoCampo(*lrstPagamentos, Colunas[c].Campo));
    msfgGrade->setRedraw(true);
    if (msfgGrade->Rows() > 1) msfgGrade->setRow(msfgGrade->Rows() - 1);
    xrcmdEstornar->setEnabled(msfgGrade->Rows() > 1);
    xrnbValor->setText(VB::Format(QVariant::fromValue(ValorSugerido()), QStringLiteral("#,##0.00")));
    txtIdDaTransacao->clear();
    txtMotivo->clear();
    return true;
}

// The deposit still due when the clinic asks one and it is not yet paid, else what is
// left of the approved value. The deposit is a percentage of the approved range's low end
// (without the items "se necessário"): what the procedure costs at the least. Settings that cannot be read
// leave the deposit out: the value is only a suggestion the person changes.
VB::Currency frmRegistrarPagamento::ValorSugerido() const {
    const VB::Currency falta = mobjAprovacao->ValorAprovado - mobjAprovacao->ValorPago;
    auto c = Zelt::CriarObjeto<ZELT_N_Empresa::clsConfiguracoesDoOrcamento>(ProgId::ConfiguracoesDoOrcamento);
    c->DadosDoUsuario = modPrincipal::DadosDoUsuario;
    if (c->Ler() != Resultado::Sucesso || c->PercentualDoSinal <= VB::Currency()) return falta;
    const VB::Currency sinal =
        Sinal::Valor(mobjAprovacao->ValorAprovadoMinimo, c->PercentualDoSinal) - mobjAprovacao->ValorPago;
    return sinal > VB::Currency() ? std::min(sinal, falta) : falta;
}

// The transaction id is asked of a Pix only.
void frmRegistrarPagamento::xrcmbForma_Click() {
    const bool pix = xrcmbForma->Text() == ZELT_N_Orcamentos::PagamentoPorPix;
    lblIdDaTransacao->setVisible(pix);
    txtIdDaTransacao->setVisible(pix);
}

void frmRegistrarPagamento::xrcmdRegistrar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdRegistrar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const auto valor = VB::CCurNoIntervalo(xrnbValor->Text().trimmed());
        if (!valor) {
            Informar(QStringLiteral("Informe o valor do pagamento em reais (ex.: 54,00)."));
            xrnbValor->SetFocus();
            return;
        }
        Ponto = 2;
        const QString forma = xrcmbForma->Text();
        const QString id = forma == ZELT_N_Orcamentos::PagamentoPorPix ? txtIdDaTransacao->text() : QString();
        const qint16 resultado = mobjAprovacao->RegistrarPagamento(mdouNumeroDoOrcamento, *valor, forma, id);
        if (resultado != Resultado::Sucesso) {
            ExibirResultadoDoNegocio(*mobjAprovacao, resultado);
            if (mobjAprovacao->NomeDoCampoValidado == u"IdDaTransacao")
                txtIdDaTransacao->setFocus();
            else if (mobjAprovacao->NomeDoCampoValidado == u"Valor")
                xrnbValor->SetFocus();
            return;
        }
        Ponto = 3;
        mbooAlterado = true;
        LerPagamentos();
    });
}

void frmRegistrarPagamento::xrcmdEstornar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdEstornar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const int linha = LinhaSelecionada();
        if (linha == 0) {
            Informar(QStringLiteral("Escolha na lista o pagamento a estornar."));
            return;
        }
        const QString numero = msfgGrade->TextMatrix(linha, ColunaNumero);
        if (Plataforma::MsgBox(QStringLiteral("Estornar o pagamento %1 de %2 (%3)?")
                                   .arg(numero,
                                        Textos::EmReais(VB::CCur(msfgGrade->TextMatrix(linha, ColunaValor))),
                                        msfgGrade->TextMatrix(linha, ColunaForma)),
                               Plataforma::vbYesNo | Plataforma::vbQuestion,
                               modPrincipal::NomeDaAplicacao) != Plataforma::vbYes)
            return;
        Ponto = 2;
        const qint16 resultado = mobjAprovacao->EstornarPagamento(numero.toDouble(), txtMotivo->text());
        if (resultado != Resultado::Sucesso) {
            ExibirResultadoDoNegocio(*mobjAprovacao, resultado);
            if (mobjAprovacao->NomeDoCampoValidado == u"Motivo") txtMotivo->setFocus();
            return;
        }
        Ponto = 3;
        mbooAlterado = true;
        LerPagamentos();
    });
}

void frmRegistrarPagamento::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGrade->setHeight(AlturaDaGrade);
    });
}
