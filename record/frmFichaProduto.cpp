// The product lookup: by internal code, name or bar code (weighing-scale labels
// included), and the company's sales promotion.

#include "record/frmFicha.h"

#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/modFicha.h"
#include "search/frmPesquisaDeProdutos.h"

#include <QDate>
#include <optional>

namespace {

const QString FormatoDeValor = QStringLiteral("#,##0.00");
const QString FormatoDeQuantidade = QStringLiteral("#,##0.000");

// VB's Mid: n characters from position inicio, counted from 1.
QString Mid(const QString& lstrTexto, int inicio, int n) {
    return lstrTexto.mid(inicio - 1, n);
}

QString SemProdutoComOCodigoInterno(const QString& lstrCodigo) {
    return QStringLiteral("Nenhum produto encontrado com o código interno '") + lstrCodigo +
           QStringLiteral("' informado.");
}

// VB's IsDate, for the promotion's dates.
bool EhData(const QVariant& lvarValor) {
    try {
        VB::CDate(lvarValor);
        return true;
    } catch (const VB::ErroDeExecucao&) {
        return false;
    }
}

// The company's scale bar-code format, or nothing when the company's answer was
// already shown (no company, an error, a rejection or a refusal).
std::optional<qint16> FormatoDeCodigoDeBarrasParaBalanca() {
    auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
    switch (lobjEmpresa->Selecionar(1, 2)) {
    case Resultado::Sucesso:
        if (lobjEmpresa->ResultadoDaSelecaoEmRecordSet()->RecordCount() == 0) {
            Plataforma::MsgBox(
                QStringLiteral("Não foi possível recuperar dados porque empresa não esta cadastrada.\r\n"
                               "Efetue o cadastro e tente novamente"),
                Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return std::nullopt;
        }
        return VB::CInt(lobjEmpresa->ResultadoDaSelecaoEmRecordSet()
                            ->Fields(QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca"))
                            .Value);
    case Resultado::Erro:
        ExibirErroDoNegocio(*lobjEmpresa);
        return std::nullopt;
    case Resultado::Rejeitado:
        Plataforma::MsgBox(lobjEmpresa->DescricaoDaFalha, Plataforma::vbInformation,
                           modPrincipal::NomeDaAplicacao);
        return std::nullopt;
    case Resultado::Recusado:
        Plataforma::MsgBox(lobjEmpresa->DescricaoDaFalha, Plataforma::vbCritical,
                           modPrincipal::NomeDaAplicacao);
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

void frmFicha::optProduto_Click() {
    ComTratamentoDeErro(u"frmFicha", u"optProduto_Click", [&](qint16& Ponto) {
        Ponto = 1;
        for (Controle* controle : std::initializer_list<Controle*>{xrcmbTiposDeServicos, xrfNomeDoServico,
                                                                   xrfCodigoDoServico, lblCodigoDoServico})
            controle->setVisible(false);
        xrcmbTiposDeServicos->setListIndex(-1);
        for (XRFind* campo : {xrfNomeDoServico, xrfCodigoDoServico}) {
            campo->setStatus(2);
            campo->setText(QString());
        }
        Ponto = 2;
        lblTipoDeServicoOuCodigoDeBarrasDoProduto->setCaption(QStringLiteral("Codigo de barras do produto"));
        lblNomeDoServicoOuNomeDoProduto->setCaption(QStringLiteral("Nome do produto"));
        xrcmbAnimal->setWidth(3150);
        lblNomeDoAnimal->setLeft(lblNomeDoServicoOuNomeDoProduto->Left());
        xrcmbAnimal->setLeft(lblNomeDoServicoOuNomeDoProduto->Left());
        Ponto = 3;
        for (XRFind* campo : {xrfCodigoDeBarrasDoProduto, xrfNomeDoProduto, xrfCodigoInternoDoProduto}) {
            campo->setVisible(true);
            campo->setEnabled(true);
        }
        lblCodigoInternoDoProduto->setVisible(true);
        Ponto = 4;
        for (Controle* controle :
             std::initializer_list<Controle*>{xrcmbTiposDeServicos, xrfNomeDoServico, xrfCodigoDoServico})
            controle->setEnabled(false);
        xrcmbTiposDeServicos->setListIndex(-1);
        xrfNomeDoServico->setText(QString());
        xrfCodigoDoServico->setText(QString());
        Ponto = 5;
        xrnumQuantidade->setText(QStringLiteral("0,000"));
        for (XRNumberBox* caixa :
             {xrnumValorUnitario, xrnumPercentualDeDescontoPorItem, xrnumValorDeDescontoPorItem})
            caixa->setText(QStringLiteral("0,00"));
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
    });
}

bool frmFicha::PesquisarProduto(const QString& lstrNome, const QString& lstrCodigoDeBarras,
                                double ldouCodigoInterno) {
    bool PesquisarProduto = false;
    const bool lbooConcluido = ComTratamentoDeErro(u"frmFicha", u"PesquisarProduto", [&](qint16& Ponto) {
        Ponto = 1;
        ExibirOcultarpicMensagem(true);
        auto lobjProdutos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        Ponto = 2;
        QString lstrNomeDaPesquisa = lstrNome;
        QString lstrCodigoDeBarrasDaPesquisa = lstrCodigoDeBarras;
        double ldouCodigoInternoDaPesquisa = ldouCodigoInterno;
        const QVariant lvarResposta =
            lobjProdutos->Selecionar(2, 0, 1, QString(), lstrNomeDaPesquisa, lstrCodigoDeBarrasDaPesquisa,
                                     ldouCodigoInternoDaPesquisa);
        Ponto = 3;
        ExibirOcultarpicMensagem(false);
        if (VB::CBool(lvarResposta)) {
            ExibirErroDoNegocio(*lobjProdutos);
            return;
        }
        Ponto = 4;
        const RecordsetPtr lrstProdutos = lobjProdutos->ResultadoDaSelecaoEmRecordSet();
        lobjProdutos.reset();
        if (lrstProdutos->RecordCount() == 0) {
            Ponto = 5;
            // Named by the first criterion given: the name, the bar code, the internal code.
            const QString lstrNaoEncontrado =
                !lstrNome.isEmpty() ? QStringLiteral("Nenhum produto encontrado com o nome '") + lstrNome +
                                          QStringLiteral("'.")
                : !lstrCodigoDeBarras.isEmpty()
                    ? QStringLiteral("Nenhum produto encontrado com o código de barras '") +
                          lstrCodigoDeBarras + QStringLiteral("'.")
                    : SemProdutoComOCodigoInterno(VB::CStr(ldouCodigoInterno));
            Plataforma::MsgBox(lstrNaoEncontrado, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            Plataforma::SendKeys(QStringLiteral("+({HOME})"));
            return;
        }
        if (lrstProdutos->RecordCount() == 1) {
            Ponto = 6;
            const auto Campo = [&](const char16_t* nome) {
                return lrstProdutos->Fields(QString::fromUtf16(nome)).Value;
            };
            PreencherProduto(Campo(u"CodigoInterno"), Campo(u"CodigoDeBarras"), Campo(u"Nome"),
                             Campo(u"ValorDeCusto"), Campo(u"ValorDeVenda"));
            PesquisarProduto = true;
            return;
        }
        Ponto = 7;
        frmPesquisaDeProdutos lfrmPesquisaDeProdutos;
        lfrmPesquisaDeProdutos.FormularioDeConsultaDePreco(false);
        lfrmPesquisaDeProdutos.ConfigurarGrade();
        lfrmPesquisaDeProdutos.PreencherGrade(lrstProdutos);
        Ponto = 8;
        Plataforma::ExibirModal(&lfrmPesquisaDeProdutos);
        Ponto = 9;
        if (!lfrmPesquisaDeProdutos.RegistroSelecionado()) return;
        Ponto = 10;
        const MSFlexGrid* lmsfgGrade = lfrmPesquisaDeProdutos.Grade();
        const auto Celula = [&](int coluna) { return lmsfgGrade->TextMatrix(lmsfgGrade->RowSel(), coluna); };
        PreencherProduto(VB::CDbl(Celula(frmPesquisaDeProdutos::ColunaCodigoInterno)),
                         Celula(frmPesquisaDeProdutos::ColunaCodigoDeBarras),
                         Celula(frmPesquisaDeProdutos::ColunaNome),
                         Celula(frmPesquisaDeProdutos::ColunaValorDeCusto),
                         Celula(frmPesquisaDeProdutos::ColunaValorDeVenda));
        PesquisarProduto = true;
    });
    // An error while the panel was up must not leave the form disabled under it.
    if (!lbooConcluido && picMensagem->Visible()) ExibirOcultarpicMensagem(false);
    return PesquisarProduto;
}

void frmFicha::PreencherProduto(const QVariant& lvarCodigoInterno, const QVariant& lvarCodigoDeBarras,
                                const QVariant& lvarNome, const QVariant& lvarValorDeCusto,
                                const QVariant& lvarValorDeVenda) {
    mbooIgnorarProximoEvento = true;
    for (XRFind* campo : {xrfNomeDoProduto, xrfCodigoDeBarrasDoProduto, xrfCodigoInternoDoProduto})
        campo->setStatus(XRFind::StatusNenhum);
    xrfNomeDoProduto->setText(VB::CStr(lvarNome));
    xrfCodigoDeBarrasDoProduto->setText(VB::CStr(lvarCodigoDeBarras));
    xrfCodigoInternoDoProduto->setText(VB::CStr(lvarCodigoInterno));
    xrfNomeDoProduto->setTag(VB::CStr(lvarValorDeCusto));
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(true);
    xrnumQuantidade->setText(QStringLiteral("1,000"));
    // The price as every money box shows it ("219,90", not the bare "219,9").
    xrnumValorUnitario->setText(VB::Format(lvarValorDeVenda, FormatoDeValor));
}

void frmFicha::ProdutoEscolhido() {
    HabilitarDesabilitarCampos(true);
    optServico->setEnabled(xrcmbAnimal->ListCount() > 0);
    xrnumQuantidade->SetFocus();
}

void frmFicha::SemProduto(std::initializer_list<XRFind*> lxrfOutros) {
    for (XRFind* campo : lxrfOutros) {
        campo->setStatus(XRFind::StatusLimpar);
        campo->setText(QString());
        campo->setEnabled(true);
    }
    LimparCamposDeQuantidadeEValoresDoItemDoOrcamento();
    HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
}

// The company's promotion for the kind while it runs (0,00 otherwise, and when its dates
// cannot be read): what VerificaDescontoPromocionalDeVenda raises an item's percentage to.
VB::Currency frmFicha::PercentualDaPromocaoDeVenda(bool lbooServico) {
    auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
    if (VB::CBool(lobjEmpresa->SelecionarNova(2, 0, 1, QString())) ||
        lobjEmpresa->ResultadoDaSelecaoEmRecordSet()->RecordCount() != 1)
        return {};
    const auto Campo = [&](const QString& nome) {
        return lobjEmpresa->ResultadoDaSelecaoEmRecordSet(nome).Value;
    };
    const QVariant lvarInicio = Campo(QStringLiteral("DataInicialDaPromocao"));
    const QVariant lvarFim = Campo(QStringLiteral("DataFinalDaPromocao"));
    if (!EhData(lvarInicio) || !EhData(lvarFim)) return {};
    const QDate ldatHoje = QDate::currentDate();
    if (!(VB::CDate(lvarInicio) <= ldatHoje && VB::CDate(lvarFim) >= ldatHoje)) return {};
    return VB::CCur(Campo(lbooServico ? QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico")
                                      : QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto")));
}

qint16 frmFicha::VerificaDescontoPromocionalDeVenda() {
    qint16 VerificaDescontoPromocionalDeVenda = 0;
    ComTratamentoDeErro(u"frmFicha", u"VerificaDescontoPromocionalDeVenda", [&](qint16& Ponto) {
        Ponto = 1;
        auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        Ponto = 2;
        if (VB::CBool(lobjEmpresa->SelecionarNova(2, 0, 1, QString()))) {
            ExibirErroDoNegocio(*lobjEmpresa);
            VerificaDescontoPromocionalDeVenda = 1;
            return;
        }
        Ponto = 3;
        if (lobjEmpresa->ResultadoDaSelecaoEmRecordSet()->RecordCount() != 1) {
            xrnumPercentualDeDescontoPorItem->setText(QStringLiteral("0,00"));
            return;
        }
        Ponto = 4;
        const auto Campo = [&](const QString& nome) {
            return lobjEmpresa->ResultadoDaSelecaoEmRecordSet(nome).Value;
        };
        const QVariant lvarInicio = Campo(QStringLiteral("DataInicialDaPromocao"));
        const QVariant lvarFim = Campo(QStringLiteral("DataFinalDaPromocao"));
        // No start date: no promotion configured.
        if (!VB::IsNull(lvarInicio) && VB::CStr(lvarInicio).isEmpty()) return;
        Ponto = 5;
        if (!EhData(lvarInicio) || !EhData(lvarFim)) {
            VerificaDescontoPromocionalDeVenda = 1;
            return;
        }
        Ponto = 6;
        const QDate ldatHoje = QDate::currentDate();
        if (!(VB::CDate(lvarInicio) <= ldatHoje && VB::CDate(lvarFim) >= ldatHoje)) return;
        Ponto = 7;
        QString lstrPercentual;
        if (optServico->Value())
            lstrPercentual = QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico");
        else if (optProduto->Value())
            lstrPercentual = QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto");
        else
            return;
        Ponto = 8;
        // During the promotion the item gets the larger of its percentage and the promotion's,
        // written as percentages are shown ("15,00").
        const VB::Currency lcurPromocao = VB::CCur(Campo(lstrPercentual));
        if (VB::CCur(xrnumPercentualDeDescontoPorItem->Text()) < lcurPromocao)
            xrnumPercentualDeDescontoPorItem->setText(
                VB::Format(QVariant::fromValue(lcurPromocao), FormatoDeValor));
    });
    return VerificaDescontoPromocionalDeVenda;
}

void frmFicha::xrfCodigoDeBarrasDoProduto_Click() {
    ComTratamentoDeErro(u"frmFicha", u"xrfCodigoDeBarrasDoProduto_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (xrfCodigoDeBarrasDoProduto->Status() == XRFind::StatusLimpar) {
            SemProduto({xrfNomeDoProduto, xrfCodigoInternoDoProduto});
            xrfCodigoDeBarrasDoProduto->setEnabled(true);
            xrfCodigoDeBarrasDoProduto->SetFocus();
            return;
        }
        if (xrfCodigoDeBarrasDoProduto->Status() != XRFind::StatusPesquisar) return;
        Ponto = 2;
        // The code as typed: the lookup below fills the field with the product's own
        // registered bar code, while a scale label's digits are read from the label.
        const QString lstrCodigoDeBarras = xrfCodigoDeBarrasDoProduto->Text().trimmed();
        if (lstrCodigoDeBarras.length() < 13 || lstrCodigoDeBarras.length() > 14) {
            xrfCodigoDeBarrasDoProduto->setEnabled(true);
            Plataforma::MsgBox(QStringLiteral("Informe um código de barras de 13 ou 14 dígitos."),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            // A code field keeps the focus for the correction; no search either way.
            if (xrfCodigoDeBarrasDoProduto->Style() != 1) xrfCodigoDeBarrasDoProduto->SetFocus();
            return;
        }
        Ponto = 3;
        xrfNomeDoProduto->setText(QString());
        xrfCodigoInternoDoProduto->setText(QString());
        if (!lstrCodigoDeBarras.startsWith(u'2')) {
            Ponto = 4;
            if (PesquisarProduto(QString(), lstrCodigoDeBarras, 0)) {
                ProdutoEscolhido();
                return;
            }
            SemProduto({xrfNomeDoProduto, xrfCodigoInternoDoProduto});
            xrfCodigoDeBarrasDoProduto->setStatus(XRFind::StatusNenhum);
            xrfCodigoDeBarrasDoProduto->setEnabled(true);
            xrfCodigoDeBarrasDoProduto->SetFocus();
            return;
        }
        // A scale label: "2", the product's internal code (6 digits), the price or the
        // weight (5 digits), a check digit that is not read.
        Ponto = 5;
        xrfCodigoInternoDoProduto->setStatus(XRFind::StatusNenhum);
        xrfCodigoInternoDoProduto->setText(VB::CStr(VB::CDbl(Mid(lstrCodigoDeBarras, 2, 6).trimmed())));
        Ponto = 6;
        if (!PesquisarProduto(QString(), lstrCodigoDeBarras, VB::CDbl(xrfCodigoInternoDoProduto->Text()))) {
            xrfCodigoInternoDoProduto->setStatus(XRFind::StatusLimpar);
            xrfCodigoInternoDoProduto->setText(QString());
            xrfCodigoDeBarrasDoProduto->setStatus(XRFind::StatusNenhum);
            xrfCodigoDeBarrasDoProduto->setEnabled(true);
            xrfCodigoDeBarrasDoProduto->SetFocus();
            return;
        }
        Ponto = 7;
        const std::optional<qint16> lintFormato = FormatoDeCodigoDeBarrasParaBalanca();
        if (!lintFormato) return;
        Ponto = 8;
        if (*lintFormato == 1) {
            // Price: positions 8-10 units, 11-12 hundredths; the quantity is what that
            // price buys at the product's unit value.
            const VB::Currency lcurPreco =
                VB::CCur(QString(Mid(lstrCodigoDeBarras, 8, 3) + u',' + Mid(lstrCodigoDeBarras, 11, 2)));
            const VB::Currency lcurValorUnitario = VB::CCur(xrnumValorUnitario->Text());
            Ponto = 9;
            const VB::Currency lcurQuantidade = VB::Currency::DeDouble(lcurPreco / lcurValorUnitario);
            xrnumQuantidade->setText(VB::Format(QVariant::fromValue(lcurQuantidade), FormatoDeQuantidade));
        } else if (*lintFormato == 2) {
            // Weight: positions 8-9 units, 10-12 thousandths.
            const VB::Currency lcurPeso =
                VB::CCur(QString(Mid(lstrCodigoDeBarras, 8, 2) + u',' + Mid(lstrCodigoDeBarras, 10, 3)));
            xrnumQuantidade->setText(VB::Format(QVariant::fromValue(lcurPeso), FormatoDeQuantidade));
        }
        Ponto = 10;
        HabilitarDesabilitarCampos(true);
        xrnumQuantidade->SetFocus();
    });
}

void frmFicha::xrfCodigoInternoDoProduto_Click() {
    CampoDoProduto_Click(xrfCodigoInternoDoProduto, u"xrfCodigoInternoDoProduto_Click");
}

void frmFicha::xrfNomeDoProduto_Click() {
    CampoDoProduto_Click(xrfNomeDoProduto, u"xrfNomeDoProduto_Click");
}

void frmFicha::CampoDoProduto_Click(XRFind* lxrfCampo, QStringView lstrProcedimento) {
    ComTratamentoDeErro(u"frmFicha", lstrProcedimento, [&](qint16& Ponto) {
        Ponto = 1;
        XRFind* lxrfOutro = lxrfCampo == xrfNomeDoProduto ? xrfCodigoInternoDoProduto : xrfNomeDoProduto;
        if (lxrfCampo->Status() == XRFind::StatusPesquisar) {
            if (lxrfCampo->Style() == 1 && lxrfCampo->Text().length() < 3) {
                lxrfCampo->setEnabled(true);
                Plataforma::MsgBox(QStringLiteral("Informe 3 caracteres ou mais para iniciar a pesquisa."),
                                   Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
                return;
            }
            Ponto = 2;
            lxrfOutro->setText(QString());
            xrfCodigoDeBarrasDoProduto->setText(QString());
            Ponto = 3;
            const QString lstrCodigoInterno = xrfCodigoInternoDoProduto->Text().trimmed();
            const std::optional<double> ldouCodigoInterno = modFicha::CodigoDoCampo(lstrCodigoInterno);
            // A code no search can take is one no product has.
            if (!ldouCodigoInterno) {
                Plataforma::MsgBox(SemProdutoComOCodigoInterno(lstrCodigoInterno), Plataforma::vbInformation,
                                   modPrincipal::NomeDaAplicacao);
                Plataforma::SendKeys(QStringLiteral("+({HOME})"));
            }
            if (ldouCodigoInterno &&
                PesquisarProduto(xrfNomeDoProduto->Text().trimmed(),
                                 xrfCodigoDeBarrasDoProduto->Text().trimmed(), *ldouCodigoInterno)) {
                Ponto = 4;
                ProdutoEscolhido();
                return;
            }
            Ponto = 5;
            SemProduto({lxrfOutro, xrfCodigoDeBarrasDoProduto});
            lxrfCampo->setStatus(XRFind::StatusNenhum);
        } else if (lxrfCampo->Status() == XRFind::StatusLimpar) {
            Ponto = 6;
            SemProduto({lxrfOutro, xrfCodigoDeBarrasDoProduto});
        } else {
            return;
        }
        Ponto = 7;
        lxrfCampo->setEnabled(true);
        lxrfCampo->SetFocus();
    });
}

void frmFicha::xrfCodigoInternoDoProduto_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) {
        mbooIgnorarProximoEvento = false;
        return;
    }
    xrfNomeDoProduto->setSearchedText(QString());
    xrfCodigoDeBarrasDoProduto->setSearchedText(QString());
}

void frmFicha::xrfNomeDoProduto_KeyDown(int& /*KeyCode*/, int& /*Shift*/) {
    if (mbooIgnorarProximoEvento) {
        mbooIgnorarProximoEvento = false;
        return;
    }
    xrfCodigoInternoDoProduto->setSearchedText(QString());
    xrfCodigoDeBarrasDoProduto->setSearchedText(QString());
}
