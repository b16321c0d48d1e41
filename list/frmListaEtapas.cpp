// frmLista's row menu: what comes next for the quote of a grid row (the right button
// pressed on a row selects it and opens the menu when released, as desktops do; the Menu
// key and Shift+F10 open it on the selected row). The hover
// row commands stay as they are; this menu adds the quote's stage operations, the windows
// of its life (reached through JanelasDoOrcamento, since they sit above the list) and the
// sheet's two sends.
//
// Decisions:
// - The entries that change the stage are enabled by the stage as the business layer
//   reads it (clsEtapasDoOrcamento::Ler answers what its one table of moves allows), so a
//   person is never offered a move the operation would refuse; the operation still checks
//   it again, with the stamp read when the menu opened, and its refusal is shown when
//   another workstation moved the quote in between.
// - A window that is not registered (another part of the program not installed) is left
//   out of the menu, not shown disabled: nothing in the menu can explain why.
// - "Concluído" asks first: it is final. "Entregue ao cliente" does not: the quote can
//   still be answered either way afterwards.

#include "component/modConstantes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "list/ComandosDaFicha.h"
#include "list/frmLista.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"

#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <utility>

namespace {

using JanelasDoOrcamento::Janela;

QAction* Entrada(QMenu* menu, const char* nome, const QString& texto) {
    QAction* acao = menu->addAction(texto);
    acao->setObjectName(QString::fromLatin1(nome));
    return acao;
}

QAction* EntradaDoMenu(const QMenu* menu, const char* nome) {
    return menu->findChild<QAction*>(QString::fromLatin1(nome));
}

} // namespace

void frmLista::CriarMenuDaLinha() {
    mnuLinha = new QMenu(this);
    mnuLinha->setObjectName(QStringLiteral("mnuLinha"));
    const auto janela = [this](const char* nome, const QString& texto, Janela qual, const char16_t* proc) {
        connect(Entrada(mnuLinha, nome, texto), &QAction::triggered, this,
                [this, qual, proc] { AbrirJanelaDaLinha(qual, proc); });
    };
    connect(Entrada(mnuLinha, "mnuEntregueAoCliente", QStringLiteral("Entregue ao cliente")),
            &QAction::triggered, this, &frmLista::mnuEntregueAoCliente_Click);
    janela("mnuRegistrarAprovacao", QStringLiteral("Registrar aprovação…"), Janela::RegistrarAprovacao,
           u"mnuRegistrarAprovacao_Click");
    janela("mnuAprovarOrcamento", QStringLiteral("Aprovar orçamento…"), Janela::AprovarOrcamento,
           u"mnuAprovarOrcamento_Click");
    janela("mnuRegistrarRecusa", QStringLiteral("Registrar recusa…"), Janela::RegistrarRecusa,
           u"mnuRegistrarRecusa_Click");
    connect(Entrada(mnuLinha, "mnuConcluido", QStringLiteral("Concluído")), &QAction::triggered, this,
            &frmLista::mnuConcluido_Click);
    mnuLinha->addSeparator();
    janela("mnuRenovarValidade", QStringLiteral("Renovar validade…"), Janela::RenovarValidade,
           u"mnuRenovarValidade_Click");
    janela("mnuCopiarOrcamento", QStringLiteral("Copiar orçamento"), Janela::CopiarOrcamento,
           u"mnuCopiarOrcamento_Click");
    janela("mnuRegistrarPagamento", QStringLiteral("Registrar pagamento…"), Janela::RegistrarPagamento,
           u"mnuRegistrarPagamento_Click");
    janela("mnuHistorico", QStringLiteral("Histórico…"), Janela::Historico, u"mnuHistorico_Click");
    mnuLinha->addSeparator();
    connect(Entrada(mnuLinha, "mnuEnviarPorEmail", QStringLiteral("Enviar por e-mail")), &QAction::triggered,
            this, [this] { EnviarDaLinha(EnvioDoOrcamento::Canal::Email, u"mnuEnviarPorEmail_Click"); });
    connect(Entrada(mnuLinha, "mnuEnviarPorWhatsApp", QStringLiteral("Enviar por WhatsApp")),
            &QAction::triggered, this,
            [this] { EnviarDaLinha(EnvioDoOrcamento::Canal::WhatsApp, u"mnuEnviarPorWhatsApp_Click"); });
    mnuLinha->addSeparator()->setObjectName(QStringLiteral("mnuSeparadorDoTermo"));
    janela("mnuTermoDeConsentimento", QStringLiteral("Termo de consentimento…"), Janela::TermoDeConsentimento,
           u"mnuTermoDeConsentimento_Click");

    connect(msfgGrade, &MSFlexGrid::MouseDown, this, &frmLista::msfgGrade_MouseDown);
    connect(msfgGrade, &MSFlexGrid::MouseUp, this, &frmLista::msfgGrade_MouseUp);
    msfgGrade->installEventFilter(this);
    // The follow-up of the open quotes, from anywhere in the list.
    auto* atalho = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), this);
    atalho->setObjectName(QStringLiteral("scAcompanhamento"));
    atalho->setContext(Qt::WidgetWithChildrenShortcut);
    connect(atalho, &QShortcut::activated, this, [this] {
        ComTratamentoDeErro(u"frmLista", u"scAcompanhamento_Activated", [&](qint16& Ponto) {
            Ponto = 1;
            if (!JanelasDoOrcamento::Abrir(Janela::Acompanhamento, this, 0)) return;
            Ponto = 2;
            GerarLista();
            AtualizarObjetos(modConstantes::PaginaAtual);
        });
    });
}

ZELT_N_Orcamentos::clsEtapasDoOrcamento& frmLista::Etapas() const {
    if (!mobjEtapas) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
    return *mobjEtapas;
}

bool frmLista::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == msfgGrade && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool menu = tecla->key() == Qt::Key_Menu ||
                          (tecla->key() == Qt::Key_F10 && tecla->modifiers() == Qt::ShiftModifier);
        if (menu) {
            ComTratamentoDeErro(u"frmLista", u"msfgGrade_KeyDown", [&](qint16& Ponto) {
                Ponto = 1;
                const int linha = msfgGrade->RowSel();
                if (!msfgGrade->Visible() || linha < 1 || linha >= msfgGrade->Rows()) return;
                Ponto = 2;
                msfgGrade->setCol(ColunaApelidoOuNomeFantasiaDoCliente);
                msfgGrade->setRow(linha);
                const QPoint canto(Twips::ParaPixels(msfgGrade->CellLeft()),
                                   Twips::ParaPixels(msfgGrade->CellTop() + msfgGrade->CellHeight()));
                msfgGrade->setCol(0);
                msfgGrade->setRow(linha);
                msfgGrade->setColSel(msfgGrade->Cols() - 1);
                Ponto = 3;
                ExibirMenuDaLinha(msfgGrade->mapToGlobal(canto));
            });
            return true;
        }
    }
    return IFormularioDeLista::eventFilter(objeto, evento);
}

void frmLista::msfgGrade_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    ComTratamentoDeErro(u"frmLista", u"msfgGrade_MouseDown", [&](qint16& Ponto) {
        Ponto = 1;
        const int lintLinha = msfgGrade->MouseRow();
        mintLinhaDoMenu = 0;
        if (Button != 2 || lintLinha < 1 || lintLinha >= msfgGrade->Rows()) return;
        Ponto = 2;
        // The right button selects its row at once; the menu opens when it is released.
        msfgGrade->setCol(0);
        msfgGrade->setRow(lintLinha);
        msfgGrade->setColSel(msfgGrade->Cols() - 1);
        mintLinhaDoMenu = lintLinha;
    });
}

void frmLista::msfgGrade_MouseUp(int Button, int /*Shift*/, float X, float Y) {
    ComTratamentoDeErro(u"frmLista", u"msfgGrade_MouseUp", [&](qint16& Ponto) {
        Ponto = 1;
        const int lintLinha = std::exchange(mintLinhaDoMenu, 0);
        if (Button != 2 || lintLinha < 1 || lintLinha != msfgGrade->RowSel()) return;
        Ponto = 2;
        ExibirMenuDaLinha(msfgGrade->mapToGlobal(
            QPoint(Twips::ParaPixels(static_cast<int>(X)), Twips::ParaPixels(static_cast<int>(Y)))));
    });
}

void frmLista::ExibirMenuDaLinha(const QPoint& lpntGlobal) {
    ComTratamentoDeErro(u"frmLista", u"ExibirMenuDaLinha", [&](qint16& Ponto) {
        Ponto = 1;
        mdouNumeroDoMenu = VB::CDbl(msfgGrade->TextMatrix(msfgGrade->RowSel(), ColunaNumeroDoOrcamento));
        mobjEtapas = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
        mobjEtapas->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 2;
        // A quote that cannot be read (deleted at another workstation) has no menu: the
        // person is told, and the list shows what is stored now.
        if (!ExibirResultadoDaEtapa(mobjEtapas->Ler(mdouNumeroDoMenu))) {
            AtualizarMantendoALinha();
            return;
        }
        Ponto = 3;
        const auto habilitar = [&](const char* nome, bool permitido) {
            EntradaDoMenu(mnuLinha, nome)->setEnabled(permitido);
        };
        habilitar("mnuEntregueAoCliente", mobjEtapas->PermiteEntrega);
        habilitar("mnuRegistrarAprovacao", mobjEtapas->PermiteAprovacao);
        habilitar("mnuAprovarOrcamento", mobjEtapas->PermiteAprovacao);
        habilitar("mnuRegistrarPagamento", ComandosDaFicha::PermitePagamento(mobjEtapas->EtapaDoOrcamento));
        habilitar("mnuRegistrarRecusa", mobjEtapas->PermiteRecusa);
        habilitar("mnuConcluido", mobjEtapas->PermiteConclusao);
        Ponto = 4;
        habilitar("mnuTermoDeConsentimento", ComandosDaFicha::ExigeConsentimento(mdouNumeroDoMenu));
        const std::array<std::pair<const char*, Janela>, 8> janelas{{
            {"mnuRegistrarAprovacao", Janela::RegistrarAprovacao},
            {"mnuAprovarOrcamento", Janela::AprovarOrcamento},
            {"mnuRegistrarPagamento", Janela::RegistrarPagamento},
            {"mnuRegistrarRecusa", Janela::RegistrarRecusa},
            {"mnuRenovarValidade", Janela::RenovarValidade},
            {"mnuCopiarOrcamento", Janela::CopiarOrcamento},
            {"mnuHistorico", Janela::Historico},
            {"mnuTermoDeConsentimento", Janela::TermoDeConsentimento},
        }};
        for (const auto& [nome, janela] : janelas)
            EntradaDoMenu(mnuLinha, nome)->setVisible(JanelasDoOrcamento::Registrada(janela));
        EntradaDoMenu(mnuLinha, "mnuSeparadorDoTermo")
            ->setVisible(JanelasDoOrcamento::Registrada(Janela::TermoDeConsentimento));
        Ponto = 5;
        Plataforma::PopupMenu(mnuLinha, lpntGlobal);
    });
}

bool frmLista::ExibirResultadoDaEtapa(qint16 lintResultado) {
    switch (lintResultado) {
    case Resultado::Sucesso:
        return true;
    case Resultado::Rejeitado:
        Plataforma::MsgBox(Etapas().DescricaoDaFalha, Plataforma::vbInformation,
                           modPrincipal::NomeDaAplicacao);
        return false;
    case Resultado::Recusado:
        Plataforma::MsgBox(Etapas().DescricaoDaFalha, Plataforma::vbCritical, modPrincipal::NomeDaAplicacao);
        return false;
    default:
        ExibirErroDoNegocio(Etapas());
        return false;
    }
}

void frmLista::mnuEntregueAoCliente_Click() {
    ComTratamentoDeErro(u"frmLista", u"mnuEntregueAoCliente_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const qint16 lintResultado = Etapas().EntregueAoCliente(mdouNumeroDoMenu);
        Ponto = 2;
        if (ExibirResultadoDaEtapa(lintResultado)) AtualizarMantendoALinha();
    });
}

void frmLista::mnuConcluido_Click() {
    ComTratamentoDeErro(u"frmLista", u"mnuConcluido_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const QString pergunta =
            QStringLiteral("Marcar o orçamento %1 como concluído? Um orçamento concluído não "
                           "muda mais de etapa.")
                .arg(VB::CStr(mdouNumeroDoMenu));
        if (Plataforma::MsgBox(pergunta,
                               Plataforma::vbYesNo | Plataforma::vbQuestion | Plataforma::vbDefaultButton2,
                               modPrincipal::NomeDaAplicacao) != Plataforma::vbYes)
            return;
        Ponto = 2;
        const qint16 lintResultado = Etapas().Concluir(mdouNumeroDoMenu);
        Ponto = 3;
        if (ExibirResultadoDaEtapa(lintResultado)) AtualizarMantendoALinha();
    });
}

void frmLista::AbrirJanelaDaLinha(Janela lintJanela, QStringView procedimento) {
    ComTratamentoDeErro(u"frmLista", procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        const bool lbooAlterado = JanelasDoOrcamento::Abrir(lintJanela, this, mdouNumeroDoMenu);
        Ponto = 2;
        if (lbooAlterado) AtualizarMantendoALinha();
    });
}

void frmLista::EnviarDaLinha(EnvioDoOrcamento::Canal lcanCanal, QStringView procedimento) {
    ComTratamentoDeErro(u"frmLista", procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        mlonPaginaSalva = Orcamentos().ResultadoDaSelecaoEmRecordSet()->AbsolutePage();
        Ponto = 2;
        if (GerarListaParaImpressao() == 1) return;
        Ponto = 3;
        MontarFicha(procedimento, lcanCanal, 0, {}, {}, {}, {});
        Ponto = 4;
        // A send moves an open quote to "Enviado": the row is read again.
        AtualizarMantendoALinha();
    });
}

void frmLista::AtualizarMantendoALinha() {
    const QString lstrNumero = VB::CStr(mdouNumeroDoMenu);
    if (GerarLista() != 0) return;
    AtualizarObjetos(modConstantes::PaginaAtual);
    for (int r = 1; r < msfgGrade->Rows() && msfgGrade->Visible(); ++r)
        if (msfgGrade->TextMatrix(r, ColunaNumeroDoOrcamento) == lstrNumero) {
            msfgGrade->setCol(0);
            msfgGrade->setRow(r);
            msfgGrade->setColSel(msfgGrade->Cols() - 1);
            return;
        }
}
