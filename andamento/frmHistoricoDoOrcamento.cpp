#include "andamento/frmHistoricoDoOrcamento.h"

#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "list/drFicha.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"

#include <algorithm>
#include <array>

namespace {

enum Coluna : int {
    ColunaDataEHora = 1,
    ColunaUsuario,
    ColunaOperacao,
    ColunaValorLiquido,
    ColunaQuantidadeDeItens,
    ColunaNumeroDoRegistro,
};

// Column 3 absorbs the spare width of the window (LarguraDasOutrasColunas is the rest);
// the last one keeps each row's history entry.
const std::array<modGrade::ColunaDaGrade, 7> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Data e hora", 2200, 4, 1, u"DataEHora"},
    {u"Usuário", 2000, 1, 1, u"Usuario"},
    {u"Operação", 3000, 1, 1, u"Operacao"},
    {u"Valor líquido", 1500, 7, 0, u"ValorLiquido"},
    {u"Itens", 900, 4, 0, u"QuantidadeDeItens"},
    {u"Registro", 0, 1, 0, u"NumeroDoRegistro"},
}};
constexpr int LarguraDasOutrasColunas = 2200 + 2000 + 1500 + 900 + 300;

void Legenda(DataReport& relatorio, const QString& secao, const QString& controle, const QString& texto) {
    relatorio.Sections(secao)->Controls(controle)->setCaption(texto);
}

QString Valor(VB::Currency valor) {
    return VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.00"));
}

} // namespace

frmHistoricoDoOrcamento::frmHistoricoDoOrcamento(QWidget* pai)
    : frmAndamento(QStringLiteral("frmHistoricoDoOrcamento"), QStringLiteral("Histórico do orçamento"), 13500,
                   9100, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDoHistorico);
    xrfndNumeroDoOrcamento = new XRFind(this, QStringLiteral("xrfndNumeroDoOrcamento"));
    xrfndNumeroDoOrcamento->setCaption(QStringLiteral("Orçamento"));
    xrfndNumeroDoOrcamento->setHint(QStringLiteral("Número do orçamento"));
    xrfndNumeroDoOrcamento->setStyle(XRFind::EstiloCodigo);
    xrfndNumeroDoOrcamento->Move(Margem, TopoDosComandos, 4500, 450);

    lblOrcamento = new Label(this, QStringLiteral("lblOrcamento"));
    lblOrcamento->setFont(Aparencia::Fonte(12));
    lblOrcamento->Move(5000, TopoDosComandos + 50, 7000, 400);

    xrcmdVerFicha = new XRCommandButton(this, QStringLiteral("xrcmdVerFicha"));
    xrcmdVerFicha->setCaption(QStringLiteral("    Ver ficha"));
    xrcmdVerFicha->setIcone(QStringLiteral("Imprimir"));
    xrcmdVerFicha->setToolTipType(0);
    xrcmdVerFicha->setToolTipText(QStringLiteral("Mostra a ficha do orçamento como estava nesta versão."));
    xrcmdVerFicha->Move(0, 0, 1800, 450);
    xrcmdVerFicha->setEnabled(false);

    connect(xrfndNumeroDoOrcamento, &XRFind::Click, this,
            &frmHistoricoDoOrcamento::xrfndNumeroDoOrcamento_Click);
    connect(msfgGrade, &MSFlexGrid::SelChange, this, &frmHistoricoDoOrcamento::msfgGrade_SelChange);
    connect(msfgGrade, &MSFlexGrid::DblClick, this, &frmHistoricoDoOrcamento::msfgGrade_DblClick);
    connect(xrcmdVerFicha, &XRCommandButton::Click, this, &frmHistoricoDoOrcamento::xrcmdVerFicha_Click);
}

frmHistoricoDoOrcamento::~frmHistoricoDoOrcamento() = default;

ZELT_N_Orcamentos::clsHistorico& frmHistoricoDoOrcamento::Historico() const {
    if (!mobjHistorico) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return *mobjHistorico;
}

void frmHistoricoDoOrcamento::MontarExibirFormulario(double ldouNumeroDoOrcamento) {
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        ConfigurarGrade(Colunas);
        msfgGrade->setVisible(false);
        Ponto = 2;
        mobjHistorico = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsHistorico>(ProgId::Historico);
        mobjHistorico->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 3;
        if (ldouNumeroDoOrcamento > 0) {
            xrfndNumeroDoOrcamento->setText(VB::CStr(ldouNumeroDoOrcamento));
            xrfndNumeroDoOrcamento->setStatus(XRFind::StatusPesquisar);
            xrfndNumeroDoOrcamento_Click();
        }
    });
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 4;
        Plataforma::ExibirModal(this);
    });
}

void frmHistoricoDoOrcamento::xrfndNumeroDoOrcamento_Click() {
    ComTratamentoDeErro(mstrNome, u"xrfndNumeroDoOrcamento_Click", [&](qint16& Ponto) {
        Ponto = 1;
        PrepararLinhas(0);
        msfgGrade->setRedraw(true);
        ExibirMensagemDeResultado(QString());
        msfgGrade->setVisible(false);
        lblOrcamento->setCaption(QString());
        xrcmdVerFicha->setEnabled(false);
        if (xrfndNumeroDoOrcamento->Status() == XRFind::StatusLimpar) return;
        Ponto = 2;
        bool numerico = false;
        const qint64 numero = xrfndNumeroDoOrcamento->Text().trimmed().toLongLong(&numerico);
        if (!numerico || numero <= 0) {
            Plataforma::MsgBox(QStringLiteral("Informe o número do orçamento."), Plataforma::vbInformation,
                               modPrincipal::NomeDaAplicacao);
            xrfndNumeroDoOrcamento->SetFocus();
            return;
        }
        Ponto = 3;
        if (VB::CBool(Historico().SelecionarHistorico(static_cast<double>(numero)))) {
            ExibirErroDoNegocio(Historico());
            return;
        }
        Ponto = 4;
        const RecordsetPtr lrstVersoes = Historico().ResultadoDaSelecaoEmRecordSet();
        if (lrstVersoes->RecordCount() == 0) {
            ExibirMensagemDeResultado(QStringLiteral("O orçamento %1 não tem histórico.").arg(numero));
            return;
        }
        Ponto = 5;
        PrepararLinhas(lrstVersoes->RecordCount());
        int r = 1;
        for (lrstVersoes->MoveFirst(); !lrstVersoes->Eof(); lrstVersoes->MoveNext(), ++r)
            for (int c = ColunaDataEHora; c <= ColunaNumeroDoRegistro; ++c)
                msfgGrade->setTextMatrix(r, c,
                                         c == ColunaValorLiquido
                                             ? DinheiroDoCampo(*lrstVersoes, Colunas[c].Campo)
                                             : TextoDoCampo(*lrstVersoes, Colunas[c].Campo));
        msfgGrade->setRedraw(true);
        msfgGrade->setVisible(true);
        Ponto = 6;
        const int llonVersoes = lrstVersoes->RecordCount();
        lblOrcamento->setCaption(
            QStringLiteral("Orçamento %1: %2 %3")
                .arg(QString::number(numero), QString::number(llonVersoes),
                     llonVersoes == 1 ? QStringLiteral("versão") : QStringLiteral("versões")));
        msfgGrade->setCol(0);
        msfgGrade->setRow(1);
        msfgGrade->setColSel(msfgGrade->Cols() - 1);
        xrcmdVerFicha->setEnabled(true);
    });
}

void frmHistoricoDoOrcamento::msfgGrade_SelChange() {
    ComTratamentoDeErro(mstrNome, u"msfgGrade_SelChange", [&](qint16& Ponto) {
        Ponto = 1;
        xrcmdVerFicha->setEnabled(LinhaSelecionada() > 0);
    });
}

void frmHistoricoDoOrcamento::msfgGrade_DblClick() {
    xrcmdVerFicha_Click();
}

void frmHistoricoDoOrcamento::xrcmdVerFicha_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdVerFicha_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const int linha = LinhaSelecionada();
        if (linha <= 0) return;
        Ponto = 2;
        const double ldouRegistro = msfgGrade->TextMatrix(linha, ColunaNumeroDoRegistro).toDouble();
        if (VB::CBool(Historico().SelecionarVersao(ldouRegistro))) {
            Ponto = 3;
            ExibirErroDoNegocio(Historico());
            return;
        }
        Ponto = 4;
        ExibirFichaDaVersao();
    });
}

qint16 frmHistoricoDoOrcamento::ExibirFichaDaVersao() {
    qint16 ExibirFichaDaVersao = 1;
    ComTratamentoDeErro(mstrNome, u"ExibirFichaDaVersao", [&](qint16& Ponto) {
        Ponto = 1;
        const auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        if (VB::CLng(lobjEmpresa->SelecionarNova(2, 0, 1, QString())) != 0) {
            ExibirErroDoNegocio(*lobjEmpresa);
            return;
        }
        Ponto = 2;
        const RecordsetPtr lrstEmpresa = lobjEmpresa->ResultadoDaSelecaoEmRecordSet();
        QString lstrNomeFantasia;
        if (lrstEmpresa->RecordCount() > 0) {
            lrstEmpresa->MoveFirst();
            lstrNomeFantasia = VB::CStr(lrstEmpresa->Fields(QStringLiteral("NomeFantasia")).Value);
        }
        Ponto = 3;
        const ZELT_N_Orcamentos::clsHistorico::CabecalhoDaVersao& v = Historico().Versao;
        const RecordsetPtr lrstItens = Historico().ResultadoDaSelecaoEmRecordSet();
        const QString versao = QStringLiteral("versão de %1").arg(VB::CStr(v.DataEHora));
        drFicha ldrFicha;
        ldrFicha.setCaption(QStringLiteral("Orçamento %1 - %2").arg(VB::CStr(v.NumeroDoOrcamento), versao));
        const QString cabecalho = QStringLiteral("CabecalhoDaPagina");
        const auto lbl = [&](const char16_t* controle, const QString& texto) {
            Legenda(ldrFicha, cabecalho, QString::fromUtf16(controle), texto);
        };
        lbl(u"lblNomeFantasiaDaEmpresa", lstrNomeFantasia);
        lbl(u"lblTitulo", QStringLiteral("Orçamento"));
        lbl(u"lblSubtitulo", QStringLiteral("Orçamento no.: %1 - %2 (%3 por %4)")
                                 .arg(VB::CStr(v.NumeroDoOrcamento), versao, v.Operacao, v.Usuario));
        lbl(u"lblItens_Titulo",
            lrstItens->RecordCount() <= 1 ? QStringLiteral("Item") : QStringLiteral("Itens"));
        lbl(u"lblCodigo", VB::CStr(v.CodigoDoCliente));
        lbl(u"lblApelidoOuNomeFantasia", v.ApelidoOuNomeFantasiaDoCliente);
        lbl(u"lblNomeOuRazaoSocial", v.NomeOuRazaoSocialDoCliente);
        lbl(u"lblValorTotal", Valor(v.ValorTotal));
        lbl(u"lblDescontoEmPercentual", Valor(v.DescontoEmPercentual) + u'%');
        lbl(u"lblDescontoEmValor", Valor(v.DescontoEmValor));
        lbl(u"lblValorLiquido", Valor(v.ValorLiquido));
        Legenda(ldrFicha, QStringLiteral("RodapeDaPagina"), QStringLiteral("lblTituloDoAplicativo"),
                modPrincipal::NomeDaAplicacao);
        Ponto = 4;
        ldrFicha.setDataSource(lrstItens);
        ldrFicha.setDataMember(QString());
        ldrFicha.setWindowState(DataReport::vbMaximized);
        ldrFicha.Show();
        ExibirFichaDaVersao = 0;
    });
    return ExibirFichaDaVersao;
}

void frmHistoricoDoOrcamento::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 5;
        xrcmdVerFicha->Move(xrcmdFechar->Left() - 100 - xrcmdVerFicha->Width(), xrcmdFechar->Top());
        Ponto = 6;
        if (msfgGrade->Cols() == static_cast<int>(Colunas.size()))
            msfgGrade->setColWidth(ColunaOperacao,
                                   std::max(msfgGrade->Width() - LarguraDasOutrasColunas, 1500));
    });
}
