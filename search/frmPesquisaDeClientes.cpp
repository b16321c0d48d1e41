#include "search/frmPesquisaDeClientes.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRFind.h"

#include <array>

namespace {

const std::array<frmPesquisa::ColunaDaGrade, frmPesquisaDeClientes::QuantidadeDeColunas> Colunas{{
    {u"Coluna em branco", 0, 1, 0, u""},
    {u"Código", 1100, 1, 0, u"CodigoDoCliente"},
    {u"Apelido/Nome fantasia", 2000, 1, 1, u"ApelidoOuNomeFantasia"},
    {u"Nome/Razão Social", 4020, 1, 1, u"NomeOuRazaoSocial"},
    {u"Situação", 0, 1, 0, u"Situacao"},
    {u"Endereço", 6300, 1, 1, u"EnderecoCompleto"},
    {u"Canal de Comunicacao", 0, 1, 1, u"TiposECanaisDeComunicacao"},
    {u"Crédito", 0, 1, 0, u"Credito"},
    {u"Desconto único", 0, 1, 0, u"DescontoUnico"},
    {u"Percentual de desconto único", 0, 1, 0, u"PercentualUnicoDeDescontos"},
    {u"Percentual de desconto em serviços clínicos", 0, 1, 0, u"PercentualDeDescontoEmClinicos"},
    {u"Percentual de desconto em serviços em cirurgia simples", 0, 1, 0,
     u"PercentualDeDescontoEmCirurgiaSimples"},
    {u"Percentual de desconto em serviços em cirurgia média", 0, 1, 0,
     u"PercentualDeDescontoEmCirurgiaMedia"},
    {u"Percentual de desconto em serviços em cirurgia complexa", 0, 1, 0,
     u"PercentualDeDescontoEmCirurgiaComplexa"},
    {u"Percentual de desconto banhos, tosas e estéticas", 0, 1, 0,
     u"PercentualDeDescontoEmBanhosTosasEEsteticas"},
    {u"Percentual de desconto em hospedagens", 0, 1, 0, u"PercentualDeDescontoEmHospedagens"},
    {u"Percentual de desconto em adestramentos", 0, 1, 0, u"PercentualDeDescontoEmAdestramentos"},
    {u"Percentual de desconto em outros", 0, 1, 0, u"PercentualDeDescontoEmOutros"},
    {u"ClienteVIP", 0, 1, 1, u"VIP"},
    {u"CategoriaDaCurvaABC", 0, 1, 1, u"CategoriaDaCurvaABC"},
}};

} // namespace

frmPesquisaDeClientes::frmPesquisaDeClientes(QWidget* parent)
    : frmPesquisa(QStringLiteral("frmPesquisaDeClientes"), QStringLiteral("Pesquisa de clientes"),
                  QStringLiteral("Aguarde, pesquisando clientes..."), Colunas, parent) {
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo =
        new Label(this, QStringLiteral("lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"));
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->setCaption(
        QStringLiteral("Apelido, nome fantasia, nome, razão social ou código*"));
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->Move(390, 990, 6000, 255);

    xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo =
        new XRFind(this, QStringLiteral("xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"));
    xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->Move(390, 1245, 6000, 420);

    connect(xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo, &XRFind::Click, this,
            &frmPesquisaDeClientes::xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click);
}

// Every click of the find box, whatever its Status; there is no minimum length.
void frmPesquisaDeClientes::xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click() {
    CliqueDaCaixaDePesquisa(u"xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click");
}

bool frmPesquisaDeClientes::PesquisarCliente() {
    bool PesquisarCliente = false;
    ComTratamentoDeErro(u"frmPesquisaDeClientes", u"PesquisarCliente", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        Ponto = 2;
        auto lobjClientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        lobjClientes->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        mbooIgnorarProximoEvento = true;
        Ponto = 3;
        // The text as typed, not trimmed.
        const QString lstrTexto = xrfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->Text();
        double ldouCodigoDoCliente = 0;
        const QVariant lvarResposta =
            lobjClientes->Selecionar(2, 0, 0, lstrTexto, QString(), ldouCodigoDoCliente, QString(), QString(),
                                     QString(), 0, QString());
        PesquisarCliente = ConcluirPesquisa(std::move(lobjClientes), lvarResposta,
                                            QStringLiteral("Nenhum cliente encontrado  como o valor '") +
                                                lstrTexto + QStringLiteral("' informado."),
                                            Ponto);
    });
    return PesquisarCliente;
}

qint16 frmPesquisaDeClientes::ValidarCampos() {
    qint16 ValidarCampos = 0;
    ComTratamentoDeErro(u"frmPesquisaDeClientes", u"ValidarCampos", [&](qint16& Ponto) {
        Ponto = 1;
        const qint32 llonSituacao = VB::CLng(msfgGrade->TextMatrix(msfgGrade->RowSel(), ColunaSituacao));
        Ponto = 2;
        QString lstrMensagem;
        switch (llonSituacao) {
        case 2:
            lstrMensagem = QStringLiteral("Cliente inativo. Para mais informações, entre em contato com o "
                                          "departamento financeiro.");
            break;
        case 3:
            lstrMensagem = QStringLiteral("Cliente bloqueado. Para mais informações, entre em contato com o "
                                          "departamento financeiro.");
            break;
        case 4:
            lstrMensagem = QStringLiteral("Cliente excluído. Para mais informações, entre em contato com o "
                                          "departamento financeiro.");
            break;
        default:
            return;
        }
        Ponto = 3;
        Plataforma::MsgBox(lstrMensagem, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        Ponto = 4;
        // Refused before the focus moves: a refused client is never picked.
        ValidarCampos = 1;
        msfgGrade->SetFocus();
    });
    return ValidarCampos;
}
