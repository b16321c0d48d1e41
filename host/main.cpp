// The suite's main program: the menu window with its work area, the business layer
// on the configured database, and the quotes component.

#include "business/Negocio.h"
#include "contracts/DadosDoUsuario.h"
#include "contracts/Programa.h"
#include "contracts/VB.h"
#include "host/JanelaDoMenu.h"
#include "host/Sonda.h"
#include "platform/Plataforma.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

namespace {

const QString NomeDaAplicacao = QStringLiteral("ZELT - Clínicas Veterinárias e Pet Shops");

bool HaTela() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The two users a clinic has at least: the administrator, and a counter clerk who
// may not change the discounts of a sale.
void PreencherUsuario(clsDadosDoUsuario& usuario, const QString& perfil) {
    if (perfil == QStringLiteral("balconista")) {
        usuario.CodigoDoUsuario = 2;
        usuario.NomeDoUsuario = QStringLiteral("BALCONISTA");
        usuario.Administrador = false;
        usuario.PermissaoDoModuloCaixaAlterarDescontosDeVendas = false;
    } else {
        usuario.CodigoDoUsuario = 1;
        usuario.NomeDoUsuario = QStringLiteral("ADMINISTRADOR");
        usuario.Administrador = true;
        usuario.PermissaoDoModuloCaixaAlterarDescontosDeVendas = true;
    }
}

void Erro(const QString& texto) {
    std::fprintf(stderr, "%s\n", qPrintable(texto));
}

// A database that cannot be opened (corrupt, locked, newer than the program, a server
// out of reach): one line on the terminal, the error log, and, on a display, a message
// box, since a start from the desktop's menu has no terminal to read.
int FalhaAoIniciar(const VB::ErroDeExecucao& erro, bool naTela) {
    Erro(erro.Descricao());
    Suite::RegistrarErro(NomeDaAplicacao, QString::number(erro.Numero()), erro.Descricao(),
                         QStringLiteral("zelt_host, Iniciar"));
    if (naTela)
        Plataforma::MsgBox(QStringLiteral("O programa não pôde ser iniciado.\n\n") + erro.Descricao() +
                               QStringLiteral("\n\nO erro foi registrado em ") +
                               Suite::CaminhoDoLogDeErros() + QStringLiteral("."),
                           Plataforma::vbCritical, NomeDaAplicacao);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Options that decide the platform are read before the application exists: a
    // capture, and the help and version, need no display.
    QString captura;
    bool soTexto = false;
    for (int i = 1; i < argc; ++i) {
        const QString argumento = QString::fromLocal8Bit(argv[i]);
        if (argumento == QStringLiteral("--captura") && i + 1 < argc)
            captura = QString::fromLocal8Bit(argv[i + 1]);
        soTexto = soTexto || argumento == QStringLiteral("--help") || argumento == QStringLiteral("-h") ||
                  argumento == QStringLiteral("--help-all") || argumento == QStringLiteral("--version") ||
                  argumento == QStringLiteral("-v");
    }
    if (!captura.isEmpty() || soTexto)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (!HaTela()) {
        Erro(QStringLiteral("Nenhuma tela disponível: use --captura lista.png para gravar a lista num "
                            "arquivo PNG sem tela."));
        return 2;
    }

    QApplication aplicacao(argc, argv);
    Programa::Preparar(aplicacao);
    QApplication::setOrganizationName(QStringLiteral("ZELT"));
    QApplication::setApplicationName(QStringLiteral("ZELT_A_Orcamentos"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 10));
    // Off unless a driver (the end-to-end scenario, the screenshots) asks for it.
    Sonda::IniciarSePedida(&aplicacao);

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral("Orçamentos de clínicas veterinárias e pet shops"));
    opcoes.addHelpOption();
    opcoes.addVersionOption();
    opcoes.addOption({QStringLiteral("usuario"), QStringLiteral("administrador (padrão) ou balconista."),
                      QStringLiteral("perfil"),
                      qEnvironmentVariable("ZELT_USUARIO", QStringLiteral("administrador"))});
    opcoes.addOption({QStringLiteral("banco"), QStringLiteral("Arquivo SQLite do banco de dados."),
                      QStringLiteral("arquivo")});
    opcoes.addOption({QStringLiteral("banco-url"),
                      QStringLiteral("Servidor PostgreSQL: postgresql://usuario@servidor:porta/banco."),
                      QStringLiteral("url")});
    opcoes.addOption({QStringLiteral("cliente"), QStringLiteral("Cliente de \"Novo orçamento\"."),
                      QStringLiteral("codigo"), QStringLiteral("0")});
    opcoes.addOption({QStringLiteral("animal"), QStringLiteral("Animal de \"Novo orçamento\"."),
                      QStringLiteral("codigo"), QStringLiteral("0")});
    opcoes.addOption({QStringLiteral("captura"),
                      QStringLiteral("Abre a lista sem tela, grava a janela neste PNG e termina."),
                      QStringLiteral("arquivo.png")});
    opcoes.process(aplicacao);

    const QString perfil = opcoes.value(QStringLiteral("usuario"));
    if (perfil != QStringLiteral("administrador") && perfil != QStringLiteral("balconista")) {
        Erro(QStringLiteral("Usuário desconhecido: \"%1\". Use administrador ou balconista.").arg(perfil));
        return 2;
    }

    Negocio::Configuracao configuracao = Negocio::ConfiguracaoDoAmbiente();
    if (opcoes.isSet(QStringLiteral("banco"))) {
        configuracao.ArquivoSQLite = opcoes.value(QStringLiteral("banco"));
        configuracao.UrlPostgreSQL.clear();
    }
    if (opcoes.isSet(QStringLiteral("banco-url")))
        configuracao.UrlPostgreSQL = opcoes.value(QStringLiteral("banco-url"));
    configuracao.Registrar = [](const QString& aviso) {
        Suite::RegistrarErro(NomeDaAplicacao, QStringLiteral("0"), aviso,
                             QStringLiteral("zelt_host, Iniciar"));
    };
    try {
        Negocio::Iniciar(configuracao);
    } catch (const VB::ErroDeExecucao& erro) {
        return FalhaAoIniciar(erro, captura.isEmpty());
    }
    Suite::RegistrarComponentesDaSuite();

    clsDadosDoUsuario usuario;
    PreencherUsuario(usuario, perfil);
    JanelaDoMenu janela(&usuario, NomeDaAplicacao, opcoes.value(QStringLiteral("cliente")).toInt(),
                        opcoes.value(QStringLiteral("animal")).toInt());
    janela.show();

    if (!captura.isEmpty()) {
        janela.AbrirOrcamentos();
        QApplication::processEvents();
        if (!janela.grab().save(captura)) {
            Erro(QStringLiteral("Não foi possível gravar a captura em ") + captura);
            return 1;
        }
        std::printf("%s\n", qPrintable(QStringLiteral("Captura gravada em ") + captura));
        return 0;
    }
    QTimer::singleShot(0, &janela, &JanelaDoMenu::AbrirOrcamentos);
    return aplicacao.exec();
}
