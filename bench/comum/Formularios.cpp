#include "bench/comum/Formularios.h"

#include "component/modPrincipal.h"
#include "contracts/ComponentesDaSuite.h"
#include "contracts/CriarObjeto.h"
#include "contracts/DadosDoUsuario.h"
#include "platform/Plataforma.h"
#include "platform/suite/ComponentesDaSuite.h"

namespace Formularios {

namespace {

class ErroEncerra final : public ZELT_A_MsgErro::clsMensagem {
public:
    QVariant Exibir(QVariant& Numero, QVariant& Descricao, QVariant& Local, QVariant&) override {
        Medicao::Falhar(QStringLiteral("Erro %1 (%2) em %3")
                            .arg(Numero.toString(), Descricao.toString(), Local.toString()));
    }
};

} // namespace

// The platform must be chosen before QApplication reads it.
int& Aplicacao::NaPlataformaSemTela(int& argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

Aplicacao::Aplicacao(int& argc, char** argv) : QApplication(NaPlataformaSemTela(argc), argv) {
    setFont(QFont(QStringLiteral("Arial"), 10));
}

int Executar(Medicao::Programa programa) {
    programa.Preparar = [preparar = std::move(programa.Preparar)] {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        if (preparar) preparar();
    };
    return Medicao::Executar(programa);
}

void Entrar(Usuario usuario) {
    static clsDadosDoUsuario dados;
    dados.NomeDoUsuario = QStringLiteral("BENCH");
    dados.Administrador = usuario == Usuario::Administrador;
    modPrincipal::DadosDoUsuario = &dados;
    modPrincipal::NomeDaAplicacao = NomeDaAplicacao;
}

void RecusarMensagens() {
    Plataforma::SubstituirMsgBox([](const QString& texto, int, const QString&) -> int {
        Medicao::Falhar(QStringLiteral("Mensagem inesperada: ") + texto);
    });
}

void RecusarErros() {
    Zelt::RegistrarProgId(ProgId::MsgErro, [] { return std::make_unique<ErroEncerra>(); });
}

void Faltou(const QWidget& formulario, const char* nome) {
    Medicao::Falhar(QStringLiteral("%1 não tem %2.").arg(formulario.objectName(), QLatin1String(nome)));
}

} // namespace Formularios
