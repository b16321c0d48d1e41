// Saving: the quote's header and its items grid handed to the business layer in one
// call, by mode; the field the business layer refused marked for correction; the sheet
// of a quote added from the host printed at once.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modImpressao.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/modFicha.h"

#include <QCoreApplication>

void frmFicha::xrcmdSalvarFecharConfirmar_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdSalvarFecharConfirmar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        // An administrator may type (or paste) into the quote's discount boxes: a total that is
        // not a number, or beyond what money holds ("1e308"), is refused here, its label
        // marked, instead of failing its conversion.
        for (const auto& [lblRotulo, lxrnCaixa] :
             {std::pair{lblValorTotal, xrnumValorTotal},
              std::pair{lblPercentualDeDesconto, xrnumDescontoEmPercentual},
              std::pair{lblValorDoDesconto, xrnumDescontoEmValor},
              std::pair{lblValorLiquido, xrnumValorLiquido}}) {
            if (VB::CCurNoIntervalo(lxrnCaixa->Text())) continue;
            PintarRotulos({lblObservacaoDeCamposObrigatorios});
            lblRotulo->setForeColor(modFicha::CorDoRotuloRecusado);
            modFicha::FocarSePossivel(lxrnCaixa);
            const QString lstrMotivo = VB::IsNumeric(lxrnCaixa->Text())
                                           ? QStringLiteral("O valor de \"%1\" é grande demais.")
                                           : QStringLiteral("O valor de \"%1\" não é um número.");
            Plataforma::MsgBox(lstrMotivo.arg(lblRotulo->Caption()), Plataforma::vbInformation,
                               modPrincipal::NomeDaAplicacao);
            return;
        }
        auto lobjOrcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
        Ponto = 2;
        if (mintTipoDeOperacao == Alteracao || mintTipoDeOperacao == Exclusao) {
            lobjOrcamentos->NumeroDoOrcamento = mdouNumeroDoOrcamento;
            // The version of the quote this form read: a quote changed elsewhere since is refused.
            lobjOrcamentos->DataEHoraDaAlteracaoLida = mstrDataEHoraDaAlteracaoLida;
        }
        lobjOrcamentos->CodigoDoCliente = modFicha::ValorNumerico(xrfCodigoDoCliente->Text());
        lobjOrcamentos->CodigoDoAnimal =
            xrcmbAnimal->ListIndex() == -1 ? qint16(-1) : xrcmbAnimal->ItemData(xrcmbAnimal->ListIndex());
        lobjOrcamentos->ValorTotal = VB::CCur(xrnumValorTotal->Text());
        lobjOrcamentos->DescontoEmPercentual = VB::CCur(xrnumDescontoEmPercentual->Text());
        lobjOrcamentos->DescontoEmValor = VB::CCur(xrnumDescontoEmValor->Text());
        lobjOrcamentos->ValorLiquido = VB::CCur(xrnumValorLiquido->Text());
        lobjOrcamentos->DataDeValidadeDoOrcamento = xrdtpDataDeValidadeDoOrcamento->Value();
        lobjOrcamentos->GradeDeItensDoOrcamento = msfgGradeDeItensDoOrcamento;
        lobjOrcamentos->PesoDoAnimal = mstrPesoDoAnimal;
        lobjOrcamentos->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 3;
        qint16 lintResultado = -1;
        if (mintTipoDeOperacao == Inclusao)
            lintResultado = lobjOrcamentos->Adicionar();
        else if (mintTipoDeOperacao == Alteracao)
            lintResultado = AlterarComAprovacao(*lobjOrcamentos);
        else if (mintTipoDeOperacao == Exclusao)
            lintResultado = lobjOrcamentos->Excluir();
        Ponto = 4;
        switch (lintResultado) {
        case Resultado::Sucesso:
            DescartarCopiaDeRecuperacao();
            if (modPrincipal::FichaAbertaDiretamente) {
                mdouNumeroDoOrcamento = lobjOrcamentos->CodigoGerado;
                lobjOrcamentos.reset();
                Ponto = 5;
                // The printing is registered by the list; without it nothing is printed.
                if (modImpressao::ImprimirFicha)
                    modImpressao::ImprimirFicha(mdouNumeroDoOrcamento, VB::CCur(xrnumValorTotal->Text()),
                                                VB::CCur(xrnumDescontoEmPercentual->Text()),
                                                VB::CCur(xrnumDescontoEmValor->Text()),
                                                VB::CCur(xrnumValorLiquido->Text()));
                Ponto = 6;
                close();
                return;
            }
            mbooOperacaoConcluida = true;
            break;
        case Resultado::Erro:
            ExibirErroDoNegocio(*lobjOrcamentos);
            break;
        case Resultado::Rejeitado:
            Ponto = 7;
            // "Não" to undoing the approval: already answered, nothing to tell.
            if (lobjOrcamentos->NomeDoCampoValidado == CampoDaAprovacao) return;
            MarcarCampoRecusado(lobjOrcamentos->NomeDoCampoValidado);
            Plataforma::MsgBox(lobjOrcamentos->DescricaoDaFalha, Plataforma::vbInformation,
                               modPrincipal::NomeDaAplicacao);
            // The form stays open for the correction.
            return;
        case Resultado::Recusado:
            Plataforma::MsgBox(lobjOrcamentos->DescricaoDaFalha, Plataforma::vbCritical,
                               modPrincipal::NomeDaAplicacao);
            break;
        default:
            break;
        }
        Ponto = 8;
        lobjOrcamentos.reset();
        hide();
    });
}

// A change of an approved quote is stored only once the person agreed that it undoes the
// approval: the first answer is the warning, asked as a question; "Não" leaves everything
// as it was (the answer stays a rejection, and the form stays open).
qint16 frmFicha::AlterarComAprovacao(ZELT_N_Orcamentos::clsOrcamentos& lobjOrcamentos) {
    const qint16 lintResultado = lobjOrcamentos.Alterar();
    if (!PerguntarSeDesfazAprovacao(lintResultado, lobjOrcamentos.NomeDoCampoValidado,
                                    lobjOrcamentos.DescricaoDaFalha))
        return lintResultado;
    lobjOrcamentos.DesfazerAprovacao = true;
    return lobjOrcamentos.Alterar();
}

bool frmFicha::PerguntarSeDesfazAprovacao(qint16 lintResultado, const QString& lstrCampo,
                                          const QString& lstrAviso) {
    if (lintResultado != Resultado::Rejeitado || lstrCampo != CampoDaAprovacao) return false;
    return Plataforma::MsgBox(lstrAviso + QStringLiteral(" Deseja continuar?"),
                              Plataforma::vbYesNo + Plataforma::vbQuestion,
                              modPrincipal::NomeDaAplicacao) == Plataforma::vbYes;
}

// The label of the field the business layer refused goes red and the focus goes to the
// field; "Situacao" and unknown names mark nothing.
void frmFicha::MarcarCampoRecusado(const QString& lstrNomeDoCampoValidado) {
    PintarRotulos({lblObservacaoDeCamposObrigatorios});
    QCoreApplication::processEvents();
    const auto Marcar = [](Label* rotulo, Controle* campo) {
        rotulo->setForeColor(modFicha::CorDoRotuloRecusado);
        modFicha::FocarSePossivel(campo);
    };
    if (lstrNomeDoCampoValidado == QStringLiteral("CodigoDoCliente")) {
        Marcar(lblApelidoOuNomeFantasiaDoCliente, xrfApelidoOuNomeFantasiaDoCliente);
    } else if (lstrNomeDoCampoValidado == QStringLiteral("CodigoDoAnimal")) {
        Marcar(lblNomeDoAnimal, xrcmbAnimal);
    } else if (lstrNomeDoCampoValidado == QStringLiteral("GradeDeItensDoOrcamento")) {
        Controle* lobjCampo = optServico->Value() ? static_cast<Controle*>(xrcmbTiposDeServicos)
                                                  : static_cast<Controle*>(xrfCodigoInternoDoProduto);
        lobjCampo->setEnabled(true);
        Marcar(lblTipoDeServicoOuCodigoDeBarrasDoProduto, lobjCampo);
    } else if (lstrNomeDoCampoValidado == QStringLiteral("DataDeValidadeDoOrcamento")) {
        Marcar(lblDataDeValidade, xrdtpDataDeValidadeDoOrcamento);
    }
}
