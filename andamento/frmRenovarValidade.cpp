#include "andamento/frmRenovarValidade.h"

#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"

#include <algorithm>
#include <array>

namespace {

enum Coluna : int {
    ColunaItem = 1,
    ColunaUnitarioAnterior,
    ColunaUnitarioNovo,
    ColunaTotalAnterior,
    ColunaTotalNovo,
    ColunaDiferenca,
};

// Column 1 absorbs the spare width of the window (LarguraDasOutrasColunas is the rest).
const std::array<modGrade::ColunaDaGrade, 7> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Item", 3600, 1, 1, u"NomeDoServicoOuNomeDoProduto"},
    {u"Valor unitário anterior", 1700, 7, 0, u"ValorUnitario"},
    {u"Valor unitário novo", 1700, 7, 0, u"NovoValorUnitario"},
    {u"Total anterior", 1500, 7, 0, u"ValorTotal"},
    {u"Total novo", 1500, 7, 0, u"NovoValorTotal"},
    {u"Diferença", 1500, 7, 0},
}};
constexpr int LarguraDasOutrasColunas = 1700 + 1700 + 1500 + 1500 + 1500 + 300;

QString Valor(VB::Currency valor) {
    return VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.00"));
}

VB::Currency Moeda(const Recordset& registro, const char16_t* campo) {
    return VB::CCur(registro.Fields(QString::fromUtf16(campo)).Value);
}

// The date may be chosen where the company lets its validity be changed, as in the
// record form; otherwise the renewal gives the company's days.
bool ValidadeAlteravel() {
    auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
    if (VB::CBool(lobjEmpresa->SelecionarNova(2, 0, 1, QString())) ||
        lobjEmpresa->ResultadoDaSelecaoEmRecordSet()->RecordCount() == 0)
        return false;
    return VB::CStr(lobjEmpresa
                        ->ResultadoDaSelecaoEmRecordSet(
                            QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"))
                        .Value) == QStringLiteral("Sim");
}

} // namespace

frmRenovarValidade::frmRenovarValidade(QWidget* pai)
    : frmDeUmOrcamento(QStringLiteral("frmRenovarValidade"), QStringLiteral("Renovar validade do orçamento"),
                       13500, 9100, Colunas, 6500, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDaRenovacao);

    lblNovaValidade = new Label(this, QStringLiteral("lblNovaValidade"));
    lblNovaValidade->setCaption(QStringLiteral("Nova validade"));
    lblNovaValidade->Move(7000, TopoDosComandos + 80, 1500, 300);
    xrdtpNovaValidade = new XRDTPicker(this, QStringLiteral("xrdtpNovaValidade"));
    xrdtpNovaValidade->Move(8500, TopoDosComandos, 1900, 400);

    lblNovoTotal = new Label(this, QStringLiteral("lblNovoTotal"));
    lblNovoTotal->setFont(Aparencia::Fonte(12));
    lblNovoTotal->Move(Margem, 0, 9000, 400);

    lblForaDoCadastro = new Label(this, QStringLiteral("lblForaDoCadastro"));
    lblForaDoCadastro->setWordWrap(true);
    lblForaDoCadastro->Move(Margem, 0, 9000, 500);
    lblForaDoCadastro->setVisible(false);

    xrcmdRenovar = new XRCommandButton(this, QStringLiteral("xrcmdRenovar"));
    xrcmdRenovar->setCaption(QStringLiteral("    Renovar"));
    xrcmdRenovar->setIcone(QStringLiteral("Salvar"));
    xrcmdRenovar->setToolTipType(0);
    xrcmdRenovar->setToolTipText(QStringLiteral("Renova a validade com os preços de hoje."));
    xrcmdRenovar->Move(0, 0, 1800, 450);

    xrcmdManterPrecos = new XRCommandButton(this, QStringLiteral("xrcmdManterPrecos"));
    xrcmdManterPrecos->setCaption(QStringLiteral("    Manter preços"));
    xrcmdManterPrecos->setIcone(QStringLiteral("Salvar"));
    xrcmdManterPrecos->setToolTipType(0);
    xrcmdManterPrecos->setToolTipText(QStringLiteral("Renova só a validade, com os preços do orçamento."));
    xrcmdManterPrecos->Move(0, 0, 2100, 450);

    // The base's closing command is this window's "Cancelar": nothing is stored.
    xrcmdFechar->setObjectName(QStringLiteral("xrcmdCancelar"));
    xrcmdFechar->setCaption(QStringLiteral("    Cancelar"));

    connect(xrcmdRenovar, &XRCommandButton::Click, this, &frmRenovarValidade::xrcmdRenovar_Click);
    connect(xrcmdManterPrecos, &XRCommandButton::Click, this, &frmRenovarValidade::xrcmdManterPrecos_Click);
}

frmRenovarValidade::~frmRenovarValidade() = default;

ZELT_N_Orcamentos::clsRenovacaoDeValidade& frmRenovarValidade::Renovacao() const {
    if (!mobjRenovacao) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return *mobjRenovacao;
}

bool frmRenovarValidade::LerOrcamento() {
    // Read again after a refused renewal: the object and the company's permission stay.
    if (!mobjRenovacao) {
        mobjRenovacao =
            Zelt::CriarObjeto<ZELT_N_Orcamentos::clsRenovacaoDeValidade>(ProgId::RenovacaoDeValidade);
        mobjRenovacao->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        xrdtpNovaValidade->setEnabled(ValidadeAlteravel());
    }
    bool LerOrcamento = false;
    ComTratamentoDeErro(mstrNome, u"LerOrcamento", [&](qint16& Ponto) {
        Ponto = 1;
        if (VB::CBool(Renovacao().SelecionarItensAPrecosDeHoje(mdouNumeroDoOrcamento))) {
            ExibirErroDoNegocio(Renovacao());
            return;
        }
        const RecordsetPtr lrstItens = Renovacao().ResultadoDaSelecaoEmRecordSet();
        if (lrstItens->RecordCount() == 0) {
            Plataforma::MsgBox(
                QStringLiteral("O orçamento %1 não está cadastrado.").arg(VB::CStr(mdouNumeroDoOrcamento)),
                Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return;
        }
        Ponto = 2;
        lblOrcamento->setCaption(
            QStringLiteral("Orçamento %1, válido até %2")
                .arg(VB::CStr(mdouNumeroDoOrcamento), Renovacao().DataDeValidadeDoOrcamento));
        xrdtpNovaValidade->setValue(Renovacao().DataDeValidadePadrao);
        Ponto = 3;
        // The items whose price changes; those out of the registry keep theirs.
        QStringList lstrForaDoCadastro;
        QList<QStringList> linhas;
        for (lrstItens->MoveFirst(); !lrstItens->Eof(); lrstItens->MoveNext()) {
            const QString nome = TextoDoCampo(*lrstItens, u"NomeDoServicoOuNomeDoProduto");
            if (!VB::CBool(lrstItens->Fields(QStringLiteral("NoCadastro")).Value)) {
                lstrForaDoCadastro << nome;
                continue;
            }
            const VB::Currency anterior = Moeda(*lrstItens, u"ValorTotal");
            const VB::Currency novo = Moeda(*lrstItens, u"NovoValorTotal");
            if (anterior == novo &&
                Moeda(*lrstItens, u"ValorUnitario") == Moeda(*lrstItens, u"NovoValorUnitario"))
                continue;
            linhas << QStringList{nome,
                                  Valor(Moeda(*lrstItens, u"ValorUnitario")),
                                  Valor(Moeda(*lrstItens, u"NovoValorUnitario")),
                                  Valor(anterior),
                                  Valor(novo),
                                  Valor(novo - anterior)};
        }
        Ponto = 4;
        PrepararLinhas(static_cast<int>(linhas.size()));
        for (int r = 1; r <= linhas.size(); ++r)
            for (int c = ColunaItem; c <= ColunaDiferenca; ++c)
                msfgGrade->setTextMatrix(r, c, linhas[r - 1][c - ColunaItem]);
        msfgGrade->setRedraw(true);
        ExibirMensagemDeResultado(linhas.isEmpty() ? QStringLiteral("Os preços de hoje são os do orçamento.")
                                                   : QString());
        Ponto = 5;
        const VB::Currency lcurAtual = Renovacao().ValorLiquido;
        const VB::Currency lcurNovo = Renovacao().ValorLiquidoDeHoje;
        lblNovoTotal->setCaption(QStringLiteral("Total atual: %1    Novo total: %2    Diferença: %3")
                                     .arg(Valor(lcurAtual), Valor(lcurNovo), Valor(lcurNovo - lcurAtual)));
        lblForaDoCadastro->setCaption(
            QStringLiteral(
                "Mantêm o preço do orçamento, pois não estão mais cadastrados ou estão inativos: %1.")
                .arg(lstrForaDoCadastro.join(QStringLiteral(", "))));
        lblForaDoCadastro->setVisible(!lstrForaDoCadastro.isEmpty());
        LerOrcamento = true;
    });
    return LerOrcamento;
}

void frmRenovarValidade::xrcmdRenovar_Click() {
    Renovar(true, u"xrcmdRenovar_Click");
}

void frmRenovarValidade::xrcmdManterPrecos_Click() {
    Renovar(false, u"xrcmdManterPrecos_Click");
}

void frmRenovarValidade::Renovar(bool lbooReprecificar, QStringView procedimento) {
    ComTratamentoDeErro(mstrNome, procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        const qint16 resultado =
            Renovacao().RenovarValidade(mdouNumeroDoOrcamento, xrdtpNovaValidade->Value(), lbooReprecificar);
        Ponto = 2;
        if (resultado == Resultado::Sucesso) {
            mbooAlterado = true;
            accept();
            return;
        }
        if (resultado == Resultado::Erro) {
            ExibirErroDoNegocio(Renovacao());
            return;
        }
        Ponto = 3;
        Plataforma::MsgBox(Renovacao().DescricaoDaFalha, Plataforma::vbExclamation,
                           modPrincipal::NomeDaAplicacao);
        // Changed elsewhere: what is shown is read again, so a second try renews the
        // version stored now.
        if (resultado == Resultado::Recusado) LerOrcamento();
    });
}

void frmRenovarValidade::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 5;
        xrcmdRenovar->Move(xrcmdFechar->Left() - 100 - xrcmdRenovar->Width(), xrcmdFechar->Top());
        xrcmdManterPrecos->Move(xrcmdRenovar->Left() - 100 - xrcmdManterPrecos->Width(), xrcmdFechar->Top());
        Ponto = 6;
        // The total and the items kept above the commands, the grid above them.
        lblNovoTotal->Move(Margem, xrcmdFechar->Top() - 1000);
        lblForaDoCadastro->Move(Margem, xrcmdFechar->Top() - 600,
                                std::max(Twips::DePixels(width()) - 2 * Margem, 1000), 500);
        msfgGrade->Move(Margem, TopoDaGrade, msfgGrade->Width(),
                        std::max(lblNovoTotal->Top() - 150 - TopoDaGrade, 700));
        if (msfgGrade->Cols() == static_cast<int>(Colunas.size()))
            msfgGrade->setColWidth(ColunaItem, std::max(msfgGrade->Width() - LarguraDasOutrasColunas, 2000));
    });
}
