#include "host/JanelaDoMenu.h"

#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "entry/clsOrcamentos.h"
#include "platform/Plataforma.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

JanelaDoMenu::JanelaDoMenu(QObject* dadosDoUsuario, const QString& nomeDaAplicacao, qint32 lonCodigoDoCliente,
                           qint32 lonCodigoDoAnimal)
    : mobjDadosDoUsuario(dadosDoUsuario), mlonCodigoDoCliente(lonCodigoDoCliente),
      mlonCodigoDoAnimal(lonCodigoDoAnimal), mstrNomeDaAplicacao(nomeDaAplicacao) {
    setObjectName(QStringLiteral("FomularioDoMenu"));
    setWindowTitle(nomeDaAplicacao);
    resize(1366, 768);

    auto* barra = addToolBar(QStringLiteral("Menu"));
    barra->setObjectName(QStringLiteral("BarraDoMenu"));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* orcamentos = barra->addAction(QStringLiteral("Orçamentos"));
    orcamentos->setObjectName(QStringLiteral("AcaoOrcamentos"));
    orcamentos->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    connect(orcamentos, &QAction::triggered, this, &JanelaDoMenu::AbrirOrcamentos);
    // The button still opens the list; its arrow opens the history's windows.
    auto* menuDeOrcamentos = new QMenu(this);
    menuDeOrcamentos->setObjectName(QStringLiteral("MenuOrcamentos"));
    QAction* excluidos = menuDeOrcamentos->addAction(QStringLiteral("Orçamentos excluídos…"));
    excluidos->setObjectName(QStringLiteral("AcaoOrcamentosExcluidos"));
    connect(excluidos, &QAction::triggered, this, &JanelaDoMenu::AbrirOrcamentosExcluidos);
    QAction* historico = menuDeOrcamentos->addAction(QStringLiteral("Histórico do orçamento…"));
    historico->setObjectName(QStringLiteral("AcaoHistoricoDoOrcamento"));
    connect(historico, &QAction::triggered, this, &JanelaDoMenu::AbrirHistoricoDoOrcamento);
    menuDeOrcamentos->addSeparator();
    QAction* configuracoes = menuDeOrcamentos->addAction(QStringLiteral("Configurações do orçamento…"));
    configuracoes->setObjectName(QStringLiteral("AcaoConfiguracoesDoOrcamento"));
    connect(configuracoes, &QAction::triggered, this, &JanelaDoMenu::AbrirConfiguracoesDoOrcamento);
    QAction* pacotes = menuDeOrcamentos->addAction(QStringLiteral("Pacotes de procedimentos…"));
    pacotes->setObjectName(QStringLiteral("AcaoPacotesDeProcedimentos"));
    connect(pacotes, &QAction::triggered, this, &JanelaDoMenu::AbrirPacotesDeProcedimentos);
    QAction* acompanhamento = menuDeOrcamentos->addAction(QStringLiteral("Acompanhamento de orçamentos"));
    acompanhamento->setObjectName(QStringLiteral("AcaoAcompanhamento"));
    connect(acompanhamento, &QAction::triggered, this, &JanelaDoMenu::AbrirAcompanhamento);
    orcamentos->setMenu(menuDeOrcamentos);
    if (auto* botao = qobject_cast<QToolButton*>(barra->widgetForAction(orcamentos)))
        botao->setPopupMode(QToolButton::MenuButtonPopup);
    QAction* novo = barra->addAction(QStringLiteral("Novo orçamento"));
    novo->setObjectName(QStringLiteral("AcaoNovoOrcamento"));
    novo->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    connect(novo, &QAction::triggered, this, &JanelaDoMenu::NovoOrcamento);
    // F1 in the menu window; inside the docked list the list's own F1 (its section) wins.
    QAction* ajuda = barra->addAction(QStringLiteral("Ajuda"));
    ajuda->setObjectName(QStringLiteral("AcaoAjuda"));
    ajuda->setShortcut(QKeySequence(Qt::Key_F1));
    connect(ajuda, &QAction::triggered, this, &JanelaDoMenu::AbrirAjuda);

    mAreaDeTrabalho = new QWidget(this);
    mAreaDeTrabalho->setObjectName(QStringLiteral("AreaDeTrabalho"));
    mAreaDeTrabalho->setAutoFillBackground(true);
    QPalette paleta = mAreaDeTrabalho->palette();
    paleta.setColor(QPalette::Window, QColor(0xF4, 0xF5, 0xF7));
    mAreaDeTrabalho->setPalette(paleta);
    setCentralWidget(mAreaDeTrabalho);
}

HWnd JanelaDoMenu::FomularioDoMenu_hWnd() {
    return Plataforma::Handle(this);
}

HWnd JanelaDoMenu::AreaDeTrabalho_hWnd() {
    return Plataforma::Handle(mAreaDeTrabalho);
}

QObject* JanelaDoMenu::Componente() {
    if (!mobjComponente) {
        mobjComponente = ZELT_A_Orcamentos_CriarObjeto("ZELT_A_Orcamentos.clsOrcamentos");
        mobjComponente->setParent(this);
        QMetaObject::invokeMethod(mobjComponente, "NomeDaAplicacao", Q_ARG(QString, mstrNomeDaAplicacao));
        QMetaObject::invokeMethod(mobjComponente, "DadosDoUsuario", Q_ARG(QObject*, mobjDadosDoUsuario));
    }
    return mobjComponente;
}

QObject* JanelaDoMenu::Andamento() {
    if (!mobjAndamento) {
        mobjAndamento = ZELT_A_Orcamentos_CriarObjeto("ZELT_A_Orcamentos.clsAndamento");
        mobjAndamento->setParent(this);
        QMetaObject::invokeMethod(mobjAndamento, "NomeDaAplicacao", Q_ARG(QString, mstrNomeDaAplicacao));
        QMetaObject::invokeMethod(mobjAndamento, "DadosDoUsuario", Q_ARG(QObject*, mobjDadosDoUsuario));
    }
    return mobjAndamento;
}

void JanelaDoMenu::AbrirOrcamentos() {
    // The list already docked comes to the front instead of a second one beneath it.
    if (QWidget* lista = mAreaDeTrabalho->findChild<QWidget*>(QStringLiteral("frmLista"))) {
        lista->raise();
        lista->setFocus();
        return;
    }
    QVariant resultado;
    QMetaObject::invokeMethod(Componente(), "AbrirLista", Q_RETURN_ARG(QVariant, resultado),
                              Q_ARG(HWnd, FomularioDoMenu_hWnd()), Q_ARG(HWnd, AreaDeTrabalho_hWnd()));
}

void JanelaDoMenu::NovoOrcamento() {
    ClienteEAnimal escolha;
    if (mlonCodigoDoCliente > 0) {
        escolha = ClienteEAnimalDoMenu();
    } else {
        const std::optional<ClienteEAnimal> escolhido = EscolhaDoCliente::Escolher(mobjDadosDoUsuario, this);
        if (!escolhido) return;
        escolha = *escolhido;
    }
    QObject* componente = Componente();
    EntregarClienteEAnimal(componente, escolha);
    QVariant resultado;
    QMetaObject::invokeMethod(componente, "AbrirFicha", Q_RETURN_ARG(QVariant, resultado));
}

ClienteEAnimal JanelaDoMenu::ClienteEAnimalDoMenu() {
    ClienteEAnimal escolha{mlonCodigoDoCliente, QString(), QString(), mlonCodigoDoAnimal, QString()};
    try {
        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        clientes->DadosDoUsuario = mobjDadosDoUsuario;
        double codigo = mlonCodigoDoCliente;
        if (VB::CBool(clientes->Selecionar(2, 0, 0, QString(), QString(), codigo, QString(), QString(),
                                           QString(), 0, QString())) == false &&
            clientes->ResultadoDaSelecaoEmRecordSet()->RecordCount() > 0) {
            escolha.ApelidoOuNomeFantasiaDoCliente = VB::CStr(
                clientes->ResultadoDaSelecaoEmRecordSet(QStringLiteral("ApelidoOuNomeFantasia")).Value);
            escolha.NomeOuRazaoSocialDoCliente =
                VB::CStr(clientes->ResultadoDaSelecaoEmRecordSet(QStringLiteral("NomeOuRazaoSocial")).Value);
        }
        if (mlonCodigoDoAnimal > 0) {
            auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
            codigo = mlonCodigoDoCliente;
            if (VB::CBool(animais->SelecionarParaComboBoxFiltradoPorCliente(codigo, 3)) == false) {
                RecordsetPtr lista = animais->ResultadoDaSelecaoEmRecordSet();
                for (lista->MoveFirst(); !lista->Eof(); lista->MoveNext())
                    if (VB::CLng(lista->Fields(QStringLiteral("Codigo")).Value) == mlonCodigoDoAnimal)
                        escolha.NomeDoAnimal = VB::CStr(lista->Fields(QStringLiteral("Nome")).Value);
            }
        }
    } catch (const VB::ErroDeExecucao& erro) {
        Plataforma::MsgBox(QStringLiteral("Não foi possível ler o cliente do menu: ") + erro.Descricao(),
                           Plataforma::vbExclamation, mstrNomeDaAplicacao);
    }
    return escolha;
}

// Hands the client and animal to the component's working context.
void JanelaDoMenu::EntregarClienteEAnimal(QObject* componente, const ClienteEAnimal& escolha) {
    QMetaObject::invokeMethod(componente, "CodigoDoCliente", Q_ARG(qint32, escolha.CodigoDoCliente));
    QMetaObject::invokeMethod(componente, "ApelidoOuNomeFantasiaDoCliente",
                              Q_ARG(QString, escolha.ApelidoOuNomeFantasiaDoCliente));
    QMetaObject::invokeMethod(componente, "NomeOuRazaoSocialDoCliente",
                              Q_ARG(QString, escolha.NomeOuRazaoSocialDoCliente));
    QMetaObject::invokeMethod(componente, "CodigoDoAnimal", Q_ARG(qint32, escolha.CodigoDoAnimal));
    QMetaObject::invokeMethod(componente, "NomeDoAnimal", Q_ARG(QString, escolha.NomeDoAnimal));
}

void JanelaDoMenu::AbrirOrcamentosExcluidos() {
    QVariant resultado;
    QMetaObject::invokeMethod(Andamento(), "AbrirOrcamentosExcluidos", Q_RETURN_ARG(QVariant, resultado),
                              Q_ARG(HWnd, FomularioDoMenu_hWnd()));
}

void JanelaDoMenu::AbrirHistoricoDoOrcamento() {
    // 0: the component takes the quote selected in its list.
    QVariant resultado;
    QMetaObject::invokeMethod(Andamento(), "AbrirHistorico", Q_RETURN_ARG(QVariant, resultado),
                              Q_ARG(HWnd, FomularioDoMenu_hWnd()), Q_ARG(double, 0.0));
}

void JanelaDoMenu::AbrirConfiguracoesDoOrcamento() {
    QVariant resultado;
    QMetaObject::invokeMethod(Andamento(), "AbrirConfiguracoes", Q_RETURN_ARG(QVariant, resultado),
                              Q_ARG(HWnd, FomularioDoMenu_hWnd()));
}

void JanelaDoMenu::AbrirPacotesDeProcedimentos() {
    QVariant resultado;
    QMetaObject::invokeMethod(Andamento(), "AbrirPacotes", Q_RETURN_ARG(QVariant, resultado),
                              Q_ARG(HWnd, FomularioDoMenu_hWnd()));
}

void JanelaDoMenu::AbrirAcompanhamento() {
    QVariant resultado;
    QMetaObject::invokeMethod(Andamento(), "AbrirAcompanhamento", Q_RETURN_ARG(QVariant, resultado),
                              Q_ARG(HWnd, FomularioDoMenu_hWnd()));
}

void JanelaDoMenu::AbrirAjuda() {
    QMetaObject::invokeMethod(Andamento(), "AbrirAjuda", Q_ARG(QString, QString()));
}
