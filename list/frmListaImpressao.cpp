// frmLista's printing: the list of the current selection (drLista, every page of it, not
// only the page on screen) and the sheet of one quote with its items (drFicha), printed
// from the row command over the grid or, for a record form opened by the host, through a
// hidden list of its own. Both ask the company component for the heading first and refuse
// when no company is registered; the list then returns to the page it showed.
//
// The reports' designs hold their paper (orientation, width, margins), their caption and
// their bound text boxes; printing fills the headings, binds the data source and shows
// the preview maximized.

#include "component/modConstantes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "list/ComandosDaFicha.h"
#include "list/EnvioDoOrcamento.h"
#include "list/RodapeDaFicha.h"
#include "list/drFicha.h"
#include "list/drLista.h"
#include "list/frmLista.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRComboBox.h"

#include <QDate>

namespace {

const QString NadaParaImprimir = QStringLiteral("Nenhum orçamento encontrado para impressão.");

// Amounts and percentages on the printed sheet: "#,##0.00", whatever text they come in.
QString Dinheiro(const QVariant& valor) {
    return VB::Format(QVariant::fromValue(VB::CCur(valor)), QStringLiteral("#,##0.00"));
}

void Legenda(DataReport& relatorio, const QString& secao, const QString& controle, const QString& texto) {
    relatorio.Sections(secao)->Controls(controle)->setCaption(texto);
}

// The heading and footer captions both reports share.
void PreencherCabecalhoERodape(DataReport& relatorio, const QString& lstrNomeFantasia, const QString& titulo,
                               const QString& subtitulo) {
    const QString cabecalho = QStringLiteral("CabecalhoDaPagina");
    Legenda(relatorio, cabecalho, QStringLiteral("lblNomeFantasiaDaEmpresa"), lstrNomeFantasia);
    Legenda(relatorio, cabecalho, QStringLiteral("lblTitulo"), titulo);
    Legenda(relatorio, cabecalho, QStringLiteral("lblSubtitulo"), subtitulo);
    Legenda(relatorio, QStringLiteral("RodapeDaPagina"), QStringLiteral("lblTituloDoAplicativo"),
            modPrincipal::NomeDaAplicacao);
}

// The name the preview's save dialog proposes for the PDF: what the document is.
void NomearArquivo(DataReport& relatorio, const QString& nome) {
    relatorio.setProperty("NomeDoArquivo", nome);
}

// Bound to the whole recordset (a recordset has no data members) and shown maximized,
// modally; returns when the person closes the preview.
void Exibir(DataReport& relatorio, const RecordsetPtr& lrstDados) {
    relatorio.setDataSource(lrstDados);
    relatorio.setDataMember(QString());
    relatorio.setWindowState(DataReport::vbMaximized);
    relatorio.Show();
}

} // namespace

ZELT_N_Orcamentos::clsOrcItens& frmLista::OrcItens() const {
    if (!mobjOrcItens) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return *mobjOrcItens;
}

qint16 frmLista::SelecionarEmpresaParaImpressao(qint16& Ponto, QString& lstrNomeFantasia,
                                                QString* lstrTelefone) {
    Ponto = 1;
    const auto lobjEmpresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
    const QVariant lvarResultado = lobjEmpresa->SelecionarNova(2, 0, 1, QString());
    Ponto = 2;
    if (VB::CLng(lvarResultado) != 0) {
        ExibirErroDoNegocio(*lobjEmpresa);
        return 1;
    }
    Ponto = 3;
    const RecordsetPtr lrstEmpresa = lobjEmpresa->ResultadoDaSelecaoEmRecordSet();
    if (lrstEmpresa->RecordCount() == 0) {
        Plataforma::MsgBox(
            QStringLiteral("Não foi possível imprimir o documento porque não há empresa cadastrada.\r\n"
                           "Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. "
                           "Efetue o cadastro e solicite a impressão novamente"),
            Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        return 1;
    }
    Ponto = 4;
    lrstEmpresa->MoveFirst();
    lstrNomeFantasia = VB::CStr(lrstEmpresa->Fields(QStringLiteral("NomeFantasia")).Value);
    if (lstrTelefone) *lstrTelefone = VB::CStr(lrstEmpresa->Fields(QStringLiteral("Telefone")).Value);
    return 0;
}

void frmLista::VoltarAPaginaSalva() {
    mlonPaginaAtual = mlonPaginaSalva;
    AtualizarObjetos(modConstantes::PaginaAtual);
}

void frmLista::xrcmdImprimirLista_Click() {
    ComTratamentoDeErro(u"frmLista", u"xrcmdImprimirLista_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const RecordsetPtr lrstResultado = Orcamentos().ResultadoDaSelecaoEmRecordSet();
        mlonPaginaSalva = lrstResultado->AbsolutePage();
        Ponto = 2;
        if (lrstResultado->RecordCount() == 0)
            Plataforma::MsgBox(NadaParaImprimir, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        else
            ImprimirLista();
        Ponto = 3;
        VoltarAPaginaSalva();
    });
}

qint16 frmLista::ImprimirLista() {
    qint16 ImprimirLista = 1;
    ComTratamentoDeErro(u"frmLista", u"ImprimirLista", [&](qint16& Ponto) {
        QString lstrNomeFantasia;
        if (SelecionarEmpresaParaImpressao(Ponto, lstrNomeFantasia) == 1) return;
        Ponto = 5;
        const RecordsetPtr lrstResultado = Orcamentos().ResultadoDaSelecaoEmRecordSet();
        drLista ldrLista;
        Ponto = 6;
        PreencherCabecalhoERodape(ldrLista, lstrNomeFantasia, QStringLiteral("Orçamentos"),
                                  mbooFiltrado ? QStringLiteral("Lista filtrada")
                                               : QStringLiteral("Lista completa"));
        NomearArquivo(ldrLista, QStringLiteral("Orçamentos - ") + xrcmbSituacao->Text() +
                                    QStringLiteral(" - ") +
                                    QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")));
        Ponto = 7;
        Exibir(ldrLista, lrstResultado);
        Ponto = 8;
        lrstResultado->MoveFirst();
        ImprimirLista = 0;
    });
    return ImprimirLista;
}

void frmLista::xrcmdImprimirFicha_Click() {
    ComTratamentoDeErro(u"frmLista", u"xrcmdImprimirFicha_Click", [&](qint16& Ponto) {
        Ponto = 1;
        mlonPaginaSalva = Orcamentos().ResultadoDaSelecaoEmRecordSet()->AbsolutePage();
        Ponto = 2;
        if (GerarListaParaImpressao() == 1) return;
        Ponto = 3;
        mbooFichaAlterada = false;
        if (OrcItens().ResultadoDaSelecaoEmRecordSet()->RecordCount() == 0)
            Plataforma::MsgBox(NadaParaImprimir, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        else
            ImprimirFicha(0, {}, {}, {}, {});
        Ponto = 4;
        // A quote approved or paid from the preview: its row read again (stage, stamp).
        if (mbooFichaAlterada) {
            mdouNumeroDoMenu = VB::CDbl(msfgGrade->TextMatrix(msfgGrade->RowSel(), ColunaNumeroDoOrcamento));
            AtualizarMantendoALinha();
        } else {
            VoltarAPaginaSalva();
        }
    });
}

qint16 frmLista::GerarListaParaImpressao() {
    qint16 GerarListaParaImpressao = 1;
    ComTratamentoDeErro(u"frmLista", u"GerarListaParaImpressao", [&](qint16& Ponto) {
        Ponto = 1;
        mobjOrcItens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
        mobjOrcItens->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 2;
        double ldouNumeroDoOrcamento = 0;
        if (!modPrincipal::FichaAbertaDiretamente)
            ldouNumeroDoOrcamento =
                VB::CDbl(msfgGrade->TextMatrix(msfgGrade->RowSel(), ColunaNumeroDoOrcamento));
        Ponto = 3;
        if (VB::CLng(mobjOrcItens->Selecionar(1, mintTamanhoDaPagina, 0, ldouNumeroDoOrcamento)) == 0) {
            GerarListaParaImpressao = 0;
            return;
        }
        Ponto = 4;
        ExibirErroDoNegocio(*mobjOrcItens);
        mobjOrcItens.reset();
    });
    return GerarListaParaImpressao;
}

qint16 frmLista::ImprimirFicha(double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                               VB::Currency lcurDescontoEmPercentual, VB::Currency lcurDescontoEmValor,
                               VB::Currency lcurValorLiquido) {
    return MontarFicha(u"ImprimirFicha", std::nullopt, ldouNumeroDoOrcamento, lcurValorTotal,
                       lcurDescontoEmPercentual, lcurDescontoEmValor, lcurValorLiquido);
}

qint16 frmLista::MontarFicha(QStringView procedimento, std::optional<EnvioDoOrcamento::Canal> lcanEnvio,
                             double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                             VB::Currency lcurDescontoEmPercentual, VB::Currency lcurDescontoEmValor,
                             VB::Currency lcurValorLiquido) {
    qint16 ImprimirFicha = 1;
    ComTratamentoDeErro(u"frmLista", procedimento, [&](qint16& Ponto) {
        QString lstrNomeFantasia;
        QString lstrTelefone;
        if (SelecionarEmpresaParaImpressao(Ponto, lstrNomeFantasia, &lstrTelefone) == 1) return;
        const bool lbooDoHost = modPrincipal::FichaAbertaDiretamente;
        Ponto = 5;
        if (lbooDoHost) {
            mobjOrcItens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
            // The record form has already told the person the quote was stored; a sheet
            // that cannot be selected is not printed, without a second message.
            if (VB::CLng(mobjOrcItens->Selecionar(2, mintTamanhoDaPagina, 0, ldouNumeroDoOrcamento)) != 0)
                return;
        }
        Ponto = 6;
        const RecordsetPtr lrstItens = OrcItens().ResultadoDaSelecaoEmRecordSet();
        drFicha ldrFicha;
        Ponto = 7;
        const QVariant lvarNumero = lbooDoHost ? QVariant(ldouNumeroDoOrcamento)
                                               : lrstItens->Fields(QStringLiteral("NumeroDoOrcamento")).Value;
        PreencherCabecalhoERodape(ldrFicha, lstrNomeFantasia, QStringLiteral("Orçamento"),
                                  QStringLiteral("Orçamento no.: ") + VB::CStr(lvarNumero));
        const QString cabecalho = QStringLiteral("CabecalhoDaPagina");
        Legenda(ldrFicha, cabecalho, QStringLiteral("lblItens_Titulo"),
                lrstItens->RecordCount() <= 1 ? QStringLiteral("Item") : QStringLiteral("Itens"));
        Ponto = 8;
        const auto lbl = [&](const char16_t* controle, const QString& texto) {
            Legenda(ldrFicha, cabecalho, QString::fromUtf16(controle), texto);
        };
        // What a send of this sheet to the client says.
        EnvioDoOrcamento::Orcamento lorcEnvio;
        lorcEnvio.Numero = VB::CDbl(lvarNumero);
        lorcEnvio.NomeFantasiaDaEmpresa = lstrNomeFantasia;
        lorcEnvio.TelefoneDaEmpresa = lstrTelefone;
        if (lrstItens->RecordCount() > 0) {
            lrstItens->MoveFirst();
            lorcEnvio.DataDeValidade =
                VB::CStr(lrstItens->Fields(QStringLiteral("DataDeValidadeDoOrcamento")).Value);
        }
        if (lbooDoHost) {
            lorcEnvio.CodigoDoCliente = modPrincipal::CodigoDoCliente;
            lorcEnvio.ApelidoOuNomeFantasia = modPrincipal::ApelidoOuNomeFantasiaDoCliente;
            lorcEnvio.NomeOuRazaoSocial = modPrincipal::NomeOuRazaoSocialDoCliente;
            lorcEnvio.ValorLiquido = lcurValorLiquido;
            const auto valor = [](VB::Currency c) { return Dinheiro(QVariant::fromValue(c)); };
            lbl(u"lblCodigo", VB::CStr(modPrincipal::CodigoDoCliente));
            lbl(u"lblApelidoOuNomeFantasia", modPrincipal::ApelidoOuNomeFantasiaDoCliente);
            lbl(u"lblNomeOuRazaoSocial", modPrincipal::NomeOuRazaoSocialDoCliente);
            lbl(u"lblValorTotal", valor(lcurValorTotal));
            lbl(u"lblDescontoEmPercentual", valor(lcurDescontoEmPercentual));
            lbl(u"lblDescontoEmValor", valor(lcurDescontoEmValor));
            lbl(u"lblValorLiquido", valor(lcurValorLiquido));
        } else {
            const int llonLinha = msfgGrade->RowSel();
            const auto celula = [&](Coluna coluna) { return msfgGrade->TextMatrix(llonLinha, coluna); };
            lbl(u"lblCodigo", VB::CStr(VB::CDbl(celula(ColunaCodigoDoCliente))));
            lbl(u"lblApelidoOuNomeFantasia", celula(ColunaApelidoOuNomeFantasiaDoCliente));
            lbl(u"lblNomeOuRazaoSocial", celula(ColunaNomeOuRazaoSocialDoCliente));
            // The grid holds the values' own text ("100,5"); the sheet shows them as money.
            const auto valor = [&](Coluna coluna) { return Dinheiro(celula(coluna)); };
            lorcEnvio.CodigoDoCliente = VB::CDbl(celula(ColunaCodigoDoCliente));
            lorcEnvio.ApelidoOuNomeFantasia = celula(ColunaApelidoOuNomeFantasiaDoCliente);
            lorcEnvio.NomeOuRazaoSocial = celula(ColunaNomeOuRazaoSocialDoCliente);
            lorcEnvio.ValorLiquido = VB::CCur(celula(ColunaValorLiquido));
            lbl(u"lblValorTotal", valor(ColunaValorTotal));
            lbl(u"lblDescontoEmPercentual", valor(ColunaDescontoEmPercentual) + u'%');
            lbl(u"lblDescontoEmValor", valor(ColunaDescontoEmValor));
            lbl(u"lblValorLiquido", valor(ColunaValorLiquido));
        }
        NomearArquivo(
            ldrFicha,
            QStringLiteral("Orçamento ") + VB::CStr(lvarNumero) + QStringLiteral(" - ") +
                ldrFicha.Sections(cabecalho)->Controls(QStringLiteral("lblNomeOuRazaoSocial"))->Caption());
        Ponto = 9;
        // What the sheet says after its items, and the deposit the sends ask.
        const auto lrodape = RodapeDaFicha::Ler(lorcEnvio.Numero, lorcEnvio.DataDeValidade);
        if (!lrodape) return;
        RodapeDaFicha::Preencher(ldrFicha, *lrodape);
        lorcEnvio.LinhaDoSinal = lrodape->LinhaDoSinal;
        lorcEnvio.CopiaECola = lrodape->CopiaECola;
        if (lcanEnvio) {
            ldrFicha.setDataSource(lrstItens);
            EnvioDoOrcamento::EnviarSemPrevia(ldrFicha, *lcanEnvio, lorcEnvio);
            ImprimirFicha = 0;
            return;
        }
        Ponto = 10;
        const auto lalterado =
            ComandosDaFicha::Preparar(ldrFicha, EnvioDoOrcamento::PrepararFicha(ldrFicha, lorcEnvio));
        Ponto = 11;
        Exibir(ldrFicha, lrstItens);
        mbooFichaAlterada = *lalterado;
        ImprimirFicha = 0;
    });
    return ImprimirFicha;
}

qint16 frmLista::ImprimirFichaEmListaOculta(double ldouNumeroDoOrcamento, VB::Currency lcurValorTotal,
                                            VB::Currency lcurDescontoEmPercentual,
                                            VB::Currency lcurDescontoEmValor, VB::Currency lcurValorLiquido) {
    // Not docked, not shown, and not the working context's FormularioDeLista: the list the
    // person may have open stays the one the other forms read.
    frmLista lfrmLista;
    return lfrmLista.ImprimirFicha(ldouNumeroDoOrcamento, lcurValorTotal, lcurDescontoEmPercentual,
                                   lcurDescontoEmValor, lcurValorLiquido);
}
