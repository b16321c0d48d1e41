// The quote's client, found by code, nickname or name, and the client's animals; the
// client's standing discounts, kept for the services of the quote.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/modFicha.h"
#include "search/frmPesquisaDeClientes.h"

#include <array>

namespace {

using Coluna = frmPesquisaDeClientes::Coluna;

// The selection's fields the form keeps of a client, by the dialog column that carries
// the same value: a client found alone and one picked in the dialog fill the form alike.
struct CampoDoCliente {
    Coluna ColunaDaPesquisa;
    const char16_t* Campo;
};
constexpr std::array<CampoDoCliente, 15> CamposDaSelecao{{
    {frmPesquisaDeClientes::ColunaCodigo, u"CodigoDoCliente"},
    {frmPesquisaDeClientes::ColunaApelidoOuNomeFantasia, u"ApelidoOuNomeFantasia"},
    {frmPesquisaDeClientes::ColunaNomeOuRazaoSocial, u"NomeOuRazaoSocial"},
    {frmPesquisaDeClientes::ColunaDescontoUnico, u"DescontoUnico"},
    {frmPesquisaDeClientes::ColunaPercentualUnicoDeDescontos, u"PercentualUnicoDeDescontos"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmClinicos, u"PercentualDeDescontoEmClinicos"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmCirurgiaSimples,
     u"PercentualDeDescontoEmCirurgiaSimples"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmCirurgiaMedia,
     u"PercentualDeDescontoEmCirurgiaMedia"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmCirurgiaComplexa,
     u"PercentualDeDescontoEmCirurgiaComplexa"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmBanhosTosasEEsteticas,
     u"PercentualDeDescontoEmBanhosTosasEEsteticas"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmHospedagens, u"PercentualDeDescontoEmHospedagens"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmAdestramentos,
     u"PercentualDeDescontoEmAdestramentos"},
    {frmPesquisaDeClientes::ColunaPercentualDeDescontoEmOutros, u"PercentualDeDescontoEmOutros"},
    {frmPesquisaDeClientes::ColunaVIP, u"VIP"},
    {frmPesquisaDeClientes::ColunaCategoriaDaCurvaABC, u"CategoriaDaCurvaABC"},
}};

// The current record's values, laid out as the dialog's columns.
QVariantList ValoresDoRegistro(const Recordset& lrstClientes) {
    QVariantList lvarValores(frmPesquisaDeClientes::QuantidadeDeColunas);
    for (const CampoDoCliente& campo : CamposDaSelecao)
        lvarValores[campo.ColunaDaPesquisa] = lrstClientes.Fields(QString::fromUtf16(campo.Campo)).Value;
    return lvarValores;
}

// The picked row of the dialog's grid.
QVariantList ValoresDaLinha(const MSFlexGrid& lmsfgGrade, int lintLinha) {
    QVariantList lvarValores(frmPesquisaDeClientes::QuantidadeDeColunas);
    for (const CampoDoCliente& campo : CamposDaSelecao)
        lvarValores[campo.ColunaDaPesquisa] = lmsfgGrade.TextMatrix(lintLinha, campo.ColunaDaPesquisa);
    return lvarValores;
}

bool EhSim(const QString& lstrTexto) {
    return lstrTexto.compare(QStringLiteral("Sim"), Qt::CaseInsensitive) == 0;
}

const QString RotuloSemCliente = QStringLiteral("Cliente*");

// "Cliente* [ VIP - A ]", "Cliente* [ B ]".
QString RotuloDoCliente(const QString& lstrVIP, const QString& lstrCategoria) {
    return RotuloSemCliente + QStringLiteral(" [ ") +
           (EhSim(lstrVIP) ? QStringLiteral("VIP - ") : QString()) + lstrCategoria + QStringLiteral(" ]");
}

// The refusal of a client by situation; empty when the client may be chosen.
QString RecusaDaSituacao(qint32 llonSituacao) {
    switch (llonSituacao) {
    case 2:
        return QStringLiteral("Cliente inativo. Para mais informações, entre em contato com o departamento "
                              "financeiro.");
    case 3:
        return QStringLiteral("Cliente bloqueado. Para mais informações, entre em contato com o departamento "
                              "financeiro.");
    case 4:
        return QStringLiteral("Cliente excluído. Para mais informações, entre em contato com o departamento "
                              "financeiro.");
    default:
        return QString();
    }
}

// The two client fields beside this one.
std::array<XRFind*, 2> OutrosCampos(const XRFind* lxrfCampo, const std::array<XRFind*, 3>& lxrfCampos) {
    std::array<XRFind*, 2> lxrfOutros{};
    auto lxrfProximo = lxrfOutros.begin();
    for (XRFind* lxrfCandidato : lxrfCampos)
        if (lxrfCandidato != lxrfCampo && lxrfProximo != lxrfOutros.end()) *lxrfProximo++ = lxrfCandidato;
    return lxrfOutros;
}

void Informar(const QString& lstrTexto) {
    Plataforma::MsgBox(lstrTexto, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

QString SemClienteComOCodigo(const QString& lstrCodigo) {
    return QStringLiteral("Nenhum cliente encontrado com o código '") + lstrCodigo +
           QStringLiteral("' informado.");
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The three client fields

void frmFicha::xrfCodigoDoCliente_Click() {
    CliqueNoCampoDoCliente(xrfCodigoDoCliente, u"xrfCodigoDoCliente_Click");
}

void frmFicha::xrfApelidoOuNomeFantasiaDoCliente_Click() {
    CliqueNoCampoDoCliente(xrfApelidoOuNomeFantasiaDoCliente, u"xrfApelidoOuNomeFantasiaDoCliente_Click");
}

void frmFicha::xrfNomeOuRazaoSocialDoCliente_Click() {
    CliqueNoCampoDoCliente(xrfNomeOuRazaoSocialDoCliente, u"xrfNomeOuRazaoSocialDoCliente_Click");
}

std::array<XRFind*, 3> frmFicha::CamposDoCliente() const {
    return {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente};
}

void frmFicha::xrfCodigoDoCliente_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    TeclaNoCampoDoCliente(xrfCodigoDoCliente);
}

void frmFicha::xrfApelidoOuNomeFantasiaDoCliente_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    TeclaNoCampoDoCliente(xrfApelidoOuNomeFantasiaDoCliente);
}

void frmFicha::xrfNomeOuRazaoSocialDoCliente_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    TeclaNoCampoDoCliente(xrfNomeOuRazaoSocialDoCliente);
}

// Any key typed in a client field: what was searched in the other two no longer stands.
void frmFicha::TeclaNoCampoDoCliente(const XRFind* lxrfCampo) {
    if (mbooIgnorarProximoEvento) {
        mbooIgnorarProximoEvento = false;
        return;
    }
    for (XRFind* lxrfOutro : OutrosCampos(lxrfCampo, CamposDoCliente()))
        lxrfOutro->setSearchedText(QString());
}

// The search button (or Enter) and the clear button (or Escape) of a client field. The
// three fields search the same clients; only the clicked field's text takes part.
void frmFicha::CliqueNoCampoDoCliente(XRFind* lxrfCampo, QStringView lstrProcedimento) {
    const std::array<XRFind*, 2> lxrfOutros = OutrosCampos(lxrfCampo, CamposDoCliente());
    // No client: the other fields emptied, the item area closed.
    const auto VoltarSemCliente = [&] {
        for (XRFind* lxrfOutro : lxrfOutros) {
            lxrfOutro->setStatus(XRFind::StatusLimpar);
            lxrfOutro->setText(QString());
            lxrfOutro->setEnabled(true);
        }
        LimparCampos();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
        HabilitarDesabilitarCampos(false);
    };
    ComTratamentoDeErro(u"frmFicha", lstrProcedimento, [&](qint16& Ponto) {
        Ponto = 1;
        if (lxrfCampo->Status() == XRFind::StatusPesquisar) {
            Ponto = 2;
            if (lxrfCampo->Text().size() < 3 && lxrfCampo->Style() == 1) {
                lxrfCampo->setEnabled(true);
                Informar(QStringLiteral("Informe 3 caracteres ou mais para iniciar a pesquisa."));
                return;
            }
            Ponto = 3;
            for (XRFind* lxrfOutro : lxrfOutros)
                lxrfOutro->setText(QString());
            Ponto = 4;
            const QString lstrCodigo = xrfCodigoDoCliente->Text().trimmed();
            const std::optional<double> ldouCodigo = modFicha::CodigoDoCampo(lstrCodigo);
            // A code no search can take is one no client has.
            if (!ldouCodigo) Informar(SemClienteComOCodigo(lstrCodigo));
            const bool lbooEscolhido =
                ldouCodigo && PesquisarCliente(xrfApelidoOuNomeFantasiaDoCliente->Text().trimmed(),
                                               xrfNomeOuRazaoSocialDoCliente->Text().trimmed(), *ldouCodigo);
            if (!lbooEscolhido) {
                Ponto = 5;
                // What the person typed stays in the field, selected, ready to be typed
                // over; clearing the form empties everything else.
                const QString lstrDigitado = lxrfCampo->Text();
                VoltarSemCliente();
                Ponto = 6;
                lxrfCampo->setStatus(XRFind::StatusNenhum);
                lxrfCampo->setText(lstrDigitado);
                lxrfCampo->setEnabled(true);
                lxrfCampo->SetFocus();
                Plataforma::SendKeys(QStringLiteral("+({HOME})"));
                lblCliente->setCaption(RotuloSemCliente);
                return;
            }
            Ponto = 7;
            lxrfCampo->setEnabled(true);
            mbooIgnorarProximoEvento = false;
            xrcmbTiposDeServicos->setEnabled(true);
            PermissaoDoUsuario();
            Ponto = 8;
            if (PreencherComboboxAnimal(VB::CDbl(xrfCodigoDoCliente->Text())) == 0) {
                Ponto = 9;
                optServico->setEnabled(true);
                optServico->setValue(true);
                optProduto->setEnabled(true);
                if (xrcmbAnimal->ListCount() == 1) xrcmbAnimal->setListIndex(0);
            } else {
                // A client without animals buys products only.
                Ponto = 10;
                optServico->setEnabled(false);
                optServico->setValue(false);
                optProduto->setEnabled(true);
                optProduto->setValue(true);
                optProduto->SetFocus();
            }
            Ponto = 11;
            mbooIgnorarProximoEvento = true;
            if (optServico->Enabled())
                optServico->SetFocus();
            else
                optProduto_Click();
        } else if (lxrfCampo->Status() == XRFind::StatusLimpar) {
            Ponto = 12;
            VoltarSemCliente();
            Ponto = 13;
            lxrfCampo->SetFocus();
            lblCliente->setCaption(RotuloSemCliente);
        }
    });
}

// ---------------------------------------------------------------------------------------------
// The search

bool frmFicha::PesquisarCliente(const QString& lstrApelidoOuNomeFantasia,
                                const QString& lstrNomeOuRazaoSocial, double ldouCodigoDoCliente) {
    bool PesquisarCliente = false;
    ComTratamentoDeErro(u"frmFicha", u"PesquisarCliente", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        Ponto = 2;
        auto lobjClientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        lobjClientes->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 3;
        const bool lbooPeloApelido = !lstrApelidoOuNomeFantasia.trimmed().isEmpty();
        const bool lbooPeloNome = !lbooPeloApelido && !lstrNomeOuRazaoSocial.trimmed().isEmpty();
        const QString lstrPesquisa = lbooPeloApelido ? lstrApelidoOuNomeFantasia
                                     : lbooPeloNome  ? lstrNomeOuRazaoSocial
                                                     : QString();
        double ldouCodigo = ldouCodigoDoCliente;
        Ponto = 4;
        const QVariant lvarResposta = lobjClientes->Selecionar(2, 0, 0, QString(), lstrPesquisa, ldouCodigo,
                                                               QString(), QString(), QString(), 0, QString());
        Ponto = 5;
        ExibirOcultarpicMensagem(false);
        if (VB::CBool(lvarResposta)) {
            ExibirErroDoNegocio(*lobjClientes);
            return;
        }
        Ponto = 6;
        const RecordsetPtr lrstClientes = lobjClientes->ResultadoDaSelecaoEmRecordSet();
        lobjClientes.reset();
        const qint32 llonQuantidade = lrstClientes->RecordCount();
        if (llonQuantidade == 0) {
            Ponto = 7;
            if (lbooPeloApelido)
                Informar(QStringLiteral("Nenhum cliente encontrado com o apelido ou nome fantasia '") +
                         lstrApelidoOuNomeFantasia + QStringLiteral("'."));
            else if (lbooPeloNome)
                Informar(QStringLiteral("Nenhum cliente encontrado com o nome ou razão social '") +
                         lstrNomeOuRazaoSocial + QStringLiteral("'."));
            else
                Informar(SemClienteComOCodigo(VB::CStr(ldouCodigoDoCliente)));
            Plataforma::SendKeys(QStringLiteral("+({HOME})"));
            return;
        }
        if (llonQuantidade == 1) {
            Ponto = 8;
            const QString lstrRecusa =
                RecusaDaSituacao(VB::CLng(lrstClientes->Fields(QStringLiteral("Situacao")).Value));
            if (!lstrRecusa.isEmpty()) {
                Informar(lstrRecusa);
                return;
            }
            Ponto = 9;
            ExibirClienteEscolhido(ValoresDoRegistro(*lrstClientes));
            PesquisarCliente = true;
            return;
        }
        // Several: the person picks one in the dialog, which is unloaded at the end.
        Ponto = 10;
        auto lfrmPesquisa = std::make_unique<frmPesquisaDeClientes>();
        lfrmPesquisa->ConfigurarGrade();
        lfrmPesquisa->PreencherGrade(lrstClientes);
        Ponto = 11;
        Plataforma::ExibirModal(lfrmPesquisa.get());
        Ponto = 12;
        if (!lfrmPesquisa->RegistroSelecionado()) return;
        Ponto = 13;
        // The dialog has refused the inactive, blocked and deleted clients itself.
        ExibirClienteEscolhido(ValoresDaLinha(*lfrmPesquisa->Grade(), lfrmPesquisa->Grade()->RowSel()));
        PesquisarCliente = true;
    });
    return PesquisarCliente;
}

// The chosen client in the three fields and the label, the client's discounts kept.
// Values by the dialog's columns: texts from the dialog, typed values from a selection.
void frmFicha::ExibirClienteEscolhido(const QVariantList& lvarValores) {
    mbooIgnorarProximoEvento = true;
    for (XRFind* lxrfCampo : CamposDoCliente())
        lxrfCampo->setStatus(XRFind::StatusNenhum);
    xrfCodigoDoCliente->setText(VB::CStr(VB::CDbl(lvarValores[frmPesquisaDeClientes::ColunaCodigo])));
    xrfApelidoOuNomeFantasiaDoCliente->setText(
        VB::CStr(lvarValores[frmPesquisaDeClientes::ColunaApelidoOuNomeFantasia]));
    xrfNomeOuRazaoSocialDoCliente->setText(
        VB::CStr(lvarValores[frmPesquisaDeClientes::ColunaNomeOuRazaoSocial]));
    lblCliente->setCaption(
        RotuloDoCliente(VB::CStr(lvarValores[frmPesquisaDeClientes::ColunaVIP]),
                        VB::CStr(lvarValores[frmPesquisaDeClientes::ColunaCategoriaDaCurvaABC])));
    // Whole percentages, rounded half to even.
    mstrDescontoUnico = VB::CStr(lvarValores[frmPesquisaDeClientes::ColunaDescontoUnico]);
    const std::array<qint32*, 9> llonPercentuais{&mlonPercentualUnicoDeDescontos,
                                                 &mlonPercentualDeDescontoEmClinicos,
                                                 &mlonPercentualDeDescontoEmCirurgiaSimples,
                                                 &mlonPercentualDeDescontoEmCirurgiaMedia,
                                                 &mlonPercentualDeDescontoEmCirurgiaComplexa,
                                                 &mlonPercentualDeDescontoEmBanhosTosasEEsteticas,
                                                 &mlonPercentualDeDescontoEmHospedagens,
                                                 &mlonPercentualDeDescontoEmAdestramentos,
                                                 &mlonPercentualDeDescontoEmOutros};
    for (int i = 0; i < 9; ++i)
        *llonPercentuais[i] =
            VB::CLng(lvarValores[frmPesquisaDeClientes::ColunaPercentualUnicoDeDescontos + i]);
    xrnumPercentualDeDescontoPorItem->setText(QStringLiteral("0,00"));
}

// ---------------------------------------------------------------------------------------------
// The animals

qint16 frmFicha::PreencherComboboxAnimal(double ldouCodigoDoCliente) {
    qint16 PreencherComboboxAnimal = 1;
    ComTratamentoDeErro(u"frmFicha", u"PreencherComboboxAnimal", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        auto lobjAnimais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        Ponto = 2;
        if (VB::CBool(lobjAnimais->SelecionarParaComboBoxFiltradoPorCliente(ldouCodigoDoCliente, 3))) {
            ExibirOcultarpicMensagem(false);
            ExibirErroDoNegocio(*lobjAnimais);
            return;
        }
        Ponto = 3;
        const RecordsetPtr lrstAnimais = lobjAnimais->ResultadoDaSelecaoEmRecordSet();
        lobjAnimais.reset();
        if (lrstAnimais->RecordCount() == 0) {
            xrcmbAnimal->Clear();
            ExibirOcultarpicMensagem(false);
            Informar(QStringLiteral("Nenhum animal cadastrado.\r\nÉ necessário ter ao menos um animal "
                                    "cadastrado com as especificações informadas para incluir ou "
                                    "alterar uma ficha clínica."));
            return;
        }
        Ponto = 4;
        xrcmbAnimal->Clear();
        for (lrstAnimais->MoveFirst(); !lrstAnimais->Eof(); lrstAnimais->MoveNext()) {
            xrcmbAnimal->AddItem(VB::CStr(lrstAnimais->Fields(QStringLiteral("Nome")).Value));
            xrcmbAnimal->setItemData(xrcmbAnimal->NewIndex(),
                                     VB::CLng(lrstAnimais->Fields(QStringLiteral("Codigo")).Value));
        }
        Ponto = 5;
        ExibirOcultarpicMensagem(false);
        PreencherComboboxAnimal = 0;
    });
    return PreencherComboboxAnimal;
}

// ---------------------------------------------------------------------------------------------
// The client's discount for the service being entered

// The client's percentage for a service of that type, as its registry gives it: its
// single percentage when it has one, else its percentage for the type; none for a type
// without one.
const qint32* frmFicha::PercentualDoClienteNoTipo(qint64 llonTipo) const {
    if (EhSim(mstrDescontoUnico)) return &mlonPercentualUnicoDeDescontos;
    switch (llonTipo) {
    case 1:
        return &mlonPercentualDeDescontoEmClinicos;
    case 2:
        return &mlonPercentualDeDescontoEmCirurgiaSimples;
    case 3:
        return &mlonPercentualDeDescontoEmCirurgiaMedia;
    case 4:
        return &mlonPercentualDeDescontoEmCirurgiaComplexa;
    case 5:
        return &mlonPercentualDeDescontoEmBanhosTosasEEsteticas;
    case 6:
        return &mlonPercentualDeDescontoEmHospedagens;
    case 7:
        return &mlonPercentualDeDescontoEmAdestramentos;
    case 99:
        return &mlonPercentualDeDescontoEmOutros;
    default:
        return nullptr;
    }
}

void frmFicha::RecuperaDescontoDoCliente() {
    ComTratamentoDeErro(u"frmFicha", u"RecuperaDescontoDoCliente", [&](qint16& Ponto) {
        Ponto = 1;
        if (EhSim(mstrDescontoUnico)) {
            xrnumPercentualDeDescontoPorItem->setText(VB::CStr(mlonPercentualUnicoDeDescontos));
        } else if (xrcmbTiposDeServicos->ListIndex() != -1) {
            Ponto = 2;
            // A type without a discount of its own keeps the field as it is.
            if (const qint32* llonPercentual = PercentualDoClienteNoTipo(
                    xrcmbTiposDeServicos->ItemData(xrcmbTiposDeServicos->ListIndex())))
                xrnumPercentualDeDescontoPorItem->setText(VB::CStr(*llonPercentual));
        }
        Ponto = 3;
        if (VerificaDescontoPromocionalDeVenda() == 1)
            xrnumPercentualDeDescontoPorItem->setText(QStringLiteral("0,00"));
        Ponto = 4;
        xrnumPercentualDeDescontoPorItem_LostFocus();
    });
}
