// The item commands: add the item being entered to the grid, take a row back for
// change, remove a row, clear the form for a new client.

#include "record/frmFicha.h"

#include "component/modConstantes.h"
#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/modFicha.h"

#include <array>
#include <utility>

namespace {

using modFicha::FormatoDeValor;
using modFicha::ZeroDeValor;
using namespace GradeDeItens;

// The cells of a new item, columns 1 to 15; every one is text. Not stored yet (item
// number 0), sale type 1, situation 1.
constexpr int PrimeiraColunaDoItem = TipoDeServicoOuCodigoDeBarras;
constexpr int UltimaColunaDoItem = CodigoDaSituacao;
using CelulasDoItem = std::array<QString, UltimaColunaDoItem - PrimeiraColunaDoItem + 1>;

void DefinirCelula(CelulasDoItem& celulas, Coluna coluna, const QString& texto) {
    celulas[static_cast<size_t>(coluna - PrimeiraColunaDoItem)] = texto;
}

void Informar(const QString& lstrMensagem) {
    Plataforma::MsgBox(lstrMensagem, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
}

} // namespace

void frmFicha::xrcmdAdicionar_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdAdicionar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (ValidarCamposDaGrade() == 1) return;
        Ponto = 2;
        const bool lbooServico = optServico->Value();
        const VB::Currency lcurValorTotalDoItem =
            VB::Currency::DeDouble(modFicha::ValorNumerico(xrnumQuantidade->Text()) *
                                       modFicha::ValorNumerico(xrnumValorUnitario->Text()) -
                                   modFicha::ValorNumerico(xrnumValorDeDescontoPorItem->Text()));
        Ponto = 3;
        CelulasDoItem lstrCelulas;
        if (lbooServico) {
            DefinirCelula(lstrCelulas, TipoDeServicoOuCodigoDeBarras,
                          QString::number(xrcmbTiposDeServicos->ItemData(xrcmbTiposDeServicos->ListIndex())));
            DefinirCelula(lstrCelulas, CodigoDoServicoOuProduto,
                          VB::CStr(modFicha::ValorNumerico(xrfCodigoDoServico->Text())));
            DefinirCelula(lstrCelulas, NomeDoServicoOuProduto, xrfNomeDoServico->Text());
            DefinirCelula(lstrCelulas, Quantidade, VB::Format(xrnumQuantidade->Text(), QStringLiteral("0")));
            DefinirCelula(lstrCelulas, Custo, VB::Format(xrfNomeDoServico->Tag(), FormatoDeValor));
            DefinirCelula(lstrCelulas, TipoDeLancamento, QString::number(LancamentoDeServico));
        } else {
            DefinirCelula(lstrCelulas, TipoDeServicoOuCodigoDeBarras, xrfCodigoDeBarrasDoProduto->Text());
            DefinirCelula(lstrCelulas, CodigoDoServicoOuProduto,
                          VB::CStr(modFicha::ValorNumerico(xrfCodigoInternoDoProduto->Text())));
            DefinirCelula(lstrCelulas, NomeDoServicoOuProduto, xrfNomeDoProduto->Text());
            DefinirCelula(lstrCelulas, Quantidade,
                          VB::Format(xrnumQuantidade->Text(), QStringLiteral("#,##0.000")));
            DefinirCelula(lstrCelulas, Custo, VB::Format(xrfNomeDoProduto->Tag(), FormatoDeValor));
            DefinirCelula(lstrCelulas, TipoDeLancamento, QString::number(LancamentoDeProduto));
        }
        DefinirCelula(lstrCelulas, CodigoDoAnimal,
                      QString::number(xrcmbAnimal->ItemData(xrcmbAnimal->ListIndex())));
        DefinirCelula(lstrCelulas, NomeDoAnimal, xrcmbAnimal->Text());
        DefinirCelula(lstrCelulas, ValorUnitario, VB::Format(xrnumValorUnitario->Text(), FormatoDeValor));
        DefinirCelula(lstrCelulas, PercentualDeDesconto,
                      VB::Format(xrnumPercentualDeDescontoPorItem->Text(), FormatoDeValor));
        DefinirCelula(lstrCelulas, ValorDeDesconto,
                      VB::Format(xrnumValorDeDescontoPorItem->Text(), FormatoDeValor));
        DefinirCelula(lstrCelulas, ValorTotal,
                      VB::Format(QVariant::fromValue(lcurValorTotalDoItem), FormatoDeValor));
        DefinirCelula(lstrCelulas, NumeroDoItem, QStringLiteral("0"));
        DefinirCelula(lstrCelulas, TipoDeVenda, QStringLiteral("1"));
        DefinirCelula(lstrCelulas, CodigoDaSituacao, QStringLiteral("1"));
        Ponto = 4;
        msfgGradeDeItensDoOrcamento->setRows(msfgGradeDeItensDoOrcamento->Rows() + 1);
        mintUltimaLinhaDaGrade = static_cast<qint16>(msfgGradeDeItensDoOrcamento->Rows() - 1);
        Ponto = 5;
        for (mintColunaDaGrade = PrimeiraColunaDoItem; mintColunaDaGrade <= UltimaColunaDoItem;
             ++mintColunaDaGrade)
            msfgGradeDeItensDoOrcamento->setTextMatrix(
                mintUltimaLinhaDaGrade, mintColunaDaGrade,
                lstrCelulas[static_cast<size_t>(mintColunaDaGrade - PrimeiraColunaDoItem)]);
        if (!mstrItemAlteradoSeNecessario.isEmpty() &&
            std::exchange(mstrItemAlteradoSeNecessario, QString()) == ChaveDoItem(mintUltimaLinhaDaGrade))
            msfgGradeDeItensDoOrcamento->setTextMatrix(mintUltimaLinhaDaGrade, ColunaSeNecessario,
                                                       MarcaSeNecessario);
        Ponto = 6;
        SelecionarLinhaIncluida();
        Ponto = 7;
        CalcularValoresDosItensDaGrade();
        Ponto = 8;
        PrepararProximoItem(lbooServico);
        Ponto = 9;
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
        Ponto = 10;
        RedimensionarGrade(msfgGradeDeItensDoOrcamento->Rows() - 1);
        // From now on the quote's animal can no longer be changed.
        mbooAnimalBloqueado = true;
        xrcmbAnimal->setEnabled(false);
    });
}

// After an item went into the grid: the item fields empty for the next one of the
// same kind, the client closed.
void frmFicha::PrepararProximoItem(bool lbooServico) {
    for (XRFind* campo :
         {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
        campo->setEnabled(false);
    if (xrcmbAnimal->ListCount() > 0) optServico->setEnabled(true);
    for (XRNumberBox* caixa :
         {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
        caixa->setText(ZeroDeValor);
    const bool lbooAlteracao = mintTipoDeOperacao == Alteracao;
    if (lbooServico) {
        xrcmbTiposDeServicos->setListIndex(-1);
        xrnumQuantidade->setText(QStringLiteral("0"));
        if (lbooAlteracao) {
            HabilitarDesabilitarCampos(false);
            xrcmdSalvarFecharConfirmar->SetFocus();
        } else {
            xrcmbTiposDeServicos->setEnabled(true);
            xrcmbTiposDeServicos->SetFocus();
        }
    } else {
        for (XRFind* campo : {xrfCodigoDeBarrasDoProduto, xrfCodigoInternoDoProduto, xrfNomeDoProduto}) {
            campo->setStatus(XRFind::StatusLimpar);
            campo->setText(QString());
        }
        xrnumQuantidade->setText(QStringLiteral("0,000"));
        if (lbooAlteracao) {
            xrcmdSalvarFecharConfirmar->SetFocus();
        } else {
            xrfCodigoInternoDoProduto->setEnabled(true);
            xrfCodigoInternoDoProduto->SetFocus();
        }
    }
}

void frmFicha::xrcmdAlterar_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdAlterar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (msfgGradeDeItensDoOrcamento->Rows() < 2) {
            Informar(QStringLiteral("Nenhum item para ser alterado da grade."));
            return;
        }
        Ponto = 2;
        Registros_Alterar();
    });
}

qint16 frmFicha::Registros_Alterar() {
    qint16 Registros_Alterar = 0;
    ComTratamentoDeErro(u"frmFicha", u"Registros_Alterar", [&](qint16& Ponto) {
        const int r = msfgGradeDeItensDoOrcamento->RowSel();
        const auto Celula = [&](Coluna coluna) { return msfgGradeDeItensDoOrcamento->TextMatrix(r, coluna); };
        Ponto = 1;
        const qint16 lintTipoDeLancamento = VB::CInt(Celula(TipoDeLancamento));
        if (lintTipoDeLancamento == LancamentoDeProduto) {
            Ponto = 2;
            optProduto->setEnabled(true);
            optProduto->setValue(true);
            for (XRFind* campo : {xrfCodigoDeBarrasDoProduto, xrfCodigoInternoDoProduto, xrfNomeDoProduto})
                campo->setStatus(XRFind::StatusNenhum);
            xrfCodigoDeBarrasDoProduto->setText(Celula(TipoDeServicoOuCodigoDeBarras));
            xrfCodigoInternoDoProduto->setText(Celula(CodigoDoServicoOuProduto));
            xrfNomeDoProduto->setText(Celula(NomeDoServicoOuProduto));
            xrfNomeDoProduto->setTag(Celula(Custo));
        } else if (lintTipoDeLancamento == LancamentoDeServico) {
            Ponto = 3;
            optServico->setEnabled(true);
            optServico->setValue(true);
            // Choosing the service's type from here is no choice of the person.
            mbooIgnorarProximoEvento = true;
            for (int i = 0; i < xrcmbTiposDeServicos->ListCount(); ++i) {
                if (QString::number(xrcmbTiposDeServicos->ItemData(i)) ==
                    Celula(TipoDeServicoOuCodigoDeBarras)) {
                    xrcmbTiposDeServicos->setListIndex(i);
                    break;
                }
            }
            for (XRFind* campo : {xrfCodigoDoServico, xrfNomeDoServico})
                campo->setStatus(XRFind::StatusNenhum);
            xrfCodigoDoServico->setText(Celula(CodigoDoServicoOuProduto));
            xrfNomeDoServico->setText(Celula(NomeDoServicoOuProduto));
            xrfNomeDoServico->setTag(Celula(Custo));
        }
        Ponto = 4;
        xrcmdAdicionar->setEnabled(true);
        Ponto = 5;
        xrnumQuantidade->setText(Celula(Quantidade));
        xrnumValorUnitario->setText(Celula(ValorUnitario));
        xrnumPercentualDeDescontoPorItem->setText(Celula(PercentualDeDesconto));
        xrnumValorDeDescontoPorItem->setText(Celula(ValorDeDesconto));
        Ponto = 6;
        mstrItemAlteradoSeNecessario =
            msfgGradeDeItensDoOrcamento->Cols() > ColunaSeNecessario &&
                    msfgGradeDeItensDoOrcamento->TextMatrix(r, ColunaSeNecessario) == MarcaSeNecessario
                ? ChaveDoItem(r)
                : QString();
        RemoverLinhaDaGrade(r);
        Ponto = 7;
        CalcularValoresDosItensDaGrade();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(true);
    });
    return Registros_Alterar;
}

// A grid that would be left without items (a flex grid keeps one non-fixed row) is
// configured again, empty and hidden.
QString frmFicha::ChaveDoItem(int lintLinha) const {
    return msfgGradeDeItensDoOrcamento->TextMatrix(lintLinha, TipoDeLancamento) + u'|' +
           msfgGradeDeItensDoOrcamento->TextMatrix(lintLinha, CodigoDoServicoOuProduto);
}

void frmFicha::RemoverLinhaDaGrade(int lintLinha) {
    if (msfgGradeDeItensDoOrcamento->Rows() > 2)
        msfgGradeDeItensDoOrcamento->RemoveItem(lintLinha);
    else
        ConfigurarGrade();
}

void frmFicha::xrcmdRemover_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdRemover_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (msfgGradeDeItensDoOrcamento->Rows() < 2) {
            Informar(QStringLiteral("Nenhum item para ser removido da grade."));
            return;
        }
        Ponto = 2;
        // A stored quote always keeps at least one item.
        if (msfgGradeDeItensDoOrcamento->Rows() == 2 && mintTipoDeOperacao == Alteracao) {
            Informar(
                QStringLiteral("Há apenas um item neste orçamento.\r\n\r\nCaso precise removê-lo, faça a "
                               "exclusão do orçamento."));
            return;
        }
        Ponto = 3;
        const int r = msfgGradeDeItensDoOrcamento->RowSel();
        mdouNumeroDoItemDoOrcamento =
            modFicha::ValorNumerico(msfgGradeDeItensDoOrcamento->TextMatrix(r, NumeroDoItem));
        Ponto = 4;
        // The row leaves the grid whatever the items object answered (the save sets the
        // stored quote right again), except when the quote changed elsewhere since this
        // form read it (then nothing was removed, and the refusal was shown), or when the
        // person kept an approved quote's approval ("Não": nothing was removed).
        if (mintTipoDeOperacao == Alteracao) {
            const qint16 lintResultado = Registros_Excluir();
            if (lintResultado == Resultado::Recusado || lintResultado == Resultado::Rejeitado) return;
        }
        Ponto = 5;
        RemoverLinhaDaGrade(r);
        Ponto = 6;
        CalcularValoresDosItensDaGrade();
    });
}

qint16 frmFicha::Registros_Excluir() {
    qint16 Registros_Excluir = 1;
    ComTratamentoDeErro(u"frmFicha", u"Registros_Excluir", [&](qint16& Ponto) {
        const int r = msfgGradeDeItensDoOrcamento->RowSel();
        const auto Celula = [&](Coluna coluna) {
            return VB::CCur(msfgGradeDeItensDoOrcamento->TextMatrix(r, coluna));
        };
        Ponto = 1;
        mobjZELT_N_Itens->ValorTotalDoOrcamento =
            VB::CCur(xrnumValorTotal->Text()) - Celula(Quantidade) * Celula(ValorUnitario);
        Ponto = 2;
        mobjZELT_N_Itens->ValorLiquidoDoOrcamento = VB::CCur(xrnumValorLiquido->Text()) - Celula(ValorTotal);
        Ponto = 3;
        // The removal changes the stored quote: refused when it is not the version this form
        // read, and the new version is the one this form's save then hands over.
        mobjZELT_N_Itens->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        mobjZELT_N_Itens->DataEHoraDaAlteracaoLida = mstrDataEHoraDaAlteracaoLida;
        mobjZELT_N_Itens->DesfazerAprovacao = false;
        QVariant lvarResultado =
            mobjZELT_N_Itens->Excluir(mdouNumeroDoOrcamento, mdouNumeroDoItemDoOrcamento);
        // An approved quote: asked first, as its save is; "Não" removes nothing.
        if (lvarResultado.typeId() != QMetaType::Bool && VB::CInt(lvarResultado) == Resultado::Rejeitado) {
            if (!PerguntarSeDesfazAprovacao(Resultado::Rejeitado, CampoDaAprovacao,
                                            mobjZELT_N_Itens->DescricaoDaFalha)) {
                Registros_Excluir = Resultado::Rejeitado;
                return;
            }
            mobjZELT_N_Itens->DesfazerAprovacao = true;
            lvarResultado = mobjZELT_N_Itens->Excluir(mdouNumeroDoOrcamento, mdouNumeroDoItemDoOrcamento);
        }
        if (!VB::CBool(lvarResultado)) {
            mstrDataEHoraDaAlteracaoLida = mobjZELT_N_Itens->DataEHoraDaAlteracaoLida;
            EntregarAlteracaoALista();
            Registros_Excluir = Resultado::Sucesso;
            return;
        }
        Ponto = 4;
        // A refusal (the quote changed elsewhere) is told as a refused save is: not an error.
        if (lvarResultado.typeId() != QMetaType::Bool && VB::CInt(lvarResultado) == Resultado::Recusado) {
            Plataforma::MsgBox(mobjZELT_N_Itens->DescricaoDaFalha, Plataforma::vbCritical,
                               modPrincipal::NomeDaAplicacao);
            Registros_Excluir = Resultado::Recusado;
            return;
        }
        ExibirMensagemDeErro(static_cast<qint32>(mobjZELT_N_Itens->NumeroDoErro),
                             mobjZELT_N_Itens->ObservacaoDoErro, mobjZELT_N_Itens->LocalDoErro);
    });
    return Registros_Excluir;
}

// A removal is stored at once, and the form may still be cancelled: the list's row gets
// the stamp the removal left, so that a form opened again from it is not taken for a stale
// one (and only this program's own removal is carried so: another workstation's changes
// still make the row's version stale).
void frmFicha::EntregarAlteracaoALista() {
    if (!modPrincipal::FormularioDeLista || mintLinhaDaLista < 1) return;
    const QString lstrUsuario = modPrincipal::DadosDoUsuario
                                    ? modPrincipal::DadosDoUsuario->property("NomeDoUsuario").toString()
                                    : QString();
    modPrincipal::FormularioDeLista->AnotarAlteracao(mintLinhaDaLista, mdouNumeroDoOrcamento,
                                                     mstrDataEHoraDaAlteracaoLida, lstrUsuario);
}

void frmFicha::xrcmdLimparCampos_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrcmdLimparCampos_Click", [&](qint16& Ponto) {
        Ponto = 1;
        PintarRotulos({lblObservacaoDeCamposObrigatorios, lblCliente, lblItensDoOrcamento});
        Ponto = 2;
        for (XRFind* campo :
             {xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
            campo->setEnabled(true);
        optServico->setValue(true);
        Ponto = 3;
        if (LimparCampos() == 1) return;
        Ponto = 4;
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
        HabilitarDesabilitarCampos(false);
        xrfApelidoOuNomeFantasiaDoCliente->SetFocus();
    });
}

qint16 frmFicha::LimparCampos() {
    qint16 LimparCampos = 1;
    ComTratamentoDeErro(u"frmFicha", u"LimparCampos", [&](qint16& Ponto) {
        const auto Limpar = [](std::initializer_list<XRFind*> campos) {
            for (XRFind* campo : campos) {
                campo->setStatus(XRFind::StatusLimpar);
                campo->setText(QString());
            }
        };
        Ponto = 1;
        Limpar({xrfCodigoDoCliente, xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente});
        Ponto = 2;
        mbooIgnorarProximoEvento = true;
        xrcmbTiposDeServicos->setListIndex(-1);
        Limpar({xrfNomeDoServico, xrfCodigoDoServico});
        Ponto = 3;
        xrcmbAnimal->Clear();
        Ponto = 4;
        Limpar({xrfCodigoDeBarrasDoProduto, xrfCodigoInternoDoProduto, xrfNomeDoProduto});
        Ponto = 5;
        xrnumQuantidade->setText(QStringLiteral("0"));
        for (XRNumberBox* caixa :
             {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
            caixa->setText(ZeroDeValor);
        Ponto = 6;
        msfgGradeDeItensDoOrcamento->Clear();
        ConfigurarGrade();
        // A new client: no package's weight nor estimate of the one before.
        mstrPesoDoAnimal.clear();
        mstrItemAlteradoSeNecessario.clear();
        AtualizarEstimativa();
        LimparCampos = 0;
    });
    return LimparCampos;
}
