// The suite's main program: the menu window with its work area, the business layer
// on the configured database, and the quotes component.

#include "business/Negocio.h"
#include "contracts/DadosDoUsuario.h"
#include "contracts/VB.h"
#include "host/JanelaDoMenu.h"
#include "host/Sonda.h"
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

} // namespace

int main(int argc, char* argv[]) {
    // Options that decide the platform are read before the application exists.
    QString captura;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QStringLiteral("--captura"))
            captura = QString::fromLocal8Bit(argv[i + 1]);
    if (!captura.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (!HaTela()) {
        Erro(QStringLiteral("Nenhuma tela disponível: use --captura lista.png para gravar a lista num "
                            "arquivo PNG sem tela."));
        return 2;
    }

    QApplication aplicacao(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZELT"));
    QApplication::setApplicationName(QStringLiteral("ZELT_A_Orcamentos"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 10));
    // Off unless a driver (the end-to-end scenario, the screenshots) asks for it.
    Sonda::IniciarSePedida(&aplicacao);

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral("Orçamentos de clínicas veterinárias e pet shops"));
    opcoes.addHelpOption();
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
    try {
        Negocio::Iniciar(configuracao);
    } catch (const VB::ErroDeExecucao& erro) {
        Erro(erro.Descricao());
        return 1;
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
