#include "platform/AreaDeTrabalho.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace Plataforma {
namespace {

// How long a desktop helper may take to hand the work over before it is left running
// (a mail program some desktops start in the foreground): then it did start.
constexpr int EsperaDoAjudante = 20000;

QString NomeDoAjudante(ProgramaDaArea programa) {
    return programa == ProgramaDaArea::Email ? QStringLiteral("xdg-email") : QStringLiteral("xdg-open");
}

QString Codificado(const QString& valor) {
    return QString::fromLatin1(QUrl::toPercentEncoding(valor));
}

// Runs the helper with its one argument; it hands the work to the desktop's own program
// and ends, with 0 only when that program started (xdg-utils' own rule).
QString Executar(ProgramaDaArea programa, const QString& argumento) {
    const QString nome = NomeDoAjudante(programa);
    const QString caminho = QStandardPaths::findExecutable(nome);
    if (caminho.isEmpty()) return ProgramaIndisponivel(programa);
    auto* processo = new QProcess(QCoreApplication::instance());
    processo->setStandardOutputFile(QProcess::nullDevice());
    processo->start(caminho, {argumento});
    if (!processo->waitForStarted()) {
        delete processo;
        return QStringLiteral("o programa ") + nome + QStringLiteral(" não pôde ser iniciado");
    }
    if (!processo->waitForFinished(EsperaDoAjudante)) {
        QObject::connect(processo, &QProcess::finished, processo, &QObject::deleteLater);
        return {};
    }
    const bool ok = processo->exitStatus() == QProcess::NormalExit && processo->exitCode() == 0;
    const int codigo = processo->exitCode();
    delete processo;
    return ok ? QString()
              : QStringLiteral("o programa ") + nome + QStringLiteral(" terminou com o código ") +
                    QString::number(codigo);
}

} // namespace

QString EnderecoMailto(const MensagemDeEmail& mensagem) {
    QString para;
    if (const qsizetype arroba = mensagem.Para.lastIndexOf(u'@'); arroba >= 0)
        para = Codificado(mensagem.Para.left(arroba)) + u'@' + Codificado(mensagem.Para.mid(arroba + 1));
    else
        para = Codificado(mensagem.Para);
    QString texto = mensagem.Texto;
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
    return QStringLiteral("mailto:") + para + QStringLiteral("?subject=") + Codificado(mensagem.Assunto) +
           QStringLiteral("&body=") + Codificado(texto) + QStringLiteral("&attach=") +
           Codificado(mensagem.Anexo);
}

QString ProgramaIndisponivel(ProgramaDaArea programa) {
    const QString nome = NomeDoAjudante(programa);
    if (!QStandardPaths::findExecutable(nome).isEmpty()) return {};
    return QStringLiteral("o programa ") + nome + QStringLiteral(" não está instalado (pacote xdg-utils)");
}

QString EnviarEmail(const MensagemDeEmail& mensagem) {
    return Executar(ProgramaDaArea::Email, EnderecoMailto(mensagem));
}

QString AbrirNoNavegador(const QUrl& endereco) {
    // Only a web address: anything else (a file, a command's scheme) is no browsing.
    if (endereco.scheme() != QLatin1String("https") && endereco.scheme() != QLatin1String("http"))
        return QStringLiteral("o endereço não é de uma página da internet");
    return Executar(ProgramaDaArea::Navegador, endereco.toString(QUrl::FullyEncoded));
}

QString AbrirPasta(const QString& pasta) {
    // Absolute, so that it begins with "/" and is never read as an option.
    return Executar(ProgramaDaArea::Navegador, QFileInfo(pasta).absoluteFilePath());
}

} // namespace Plataforma
