#include "tests/cenario/HostNaTela.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QPixmap>
#include <QScreen>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

QPoint Centro(const QJsonObject& retangulo) {
    return {retangulo.value(u"x"_s).toInt() + retangulo.value(u"largura"_s).toInt() / 2,
            retangulo.value(u"y"_s).toInt() + retangulo.value(u"altura"_s).toInt() / 2};
}

QString Texto(const QJsonValue& valor) {
    return valor.isString() ? valor.toString() : valor.toVariant().toString();
}

} // namespace

QString HostNaTela::ErrosRegistrados() const {
    QFile arquivo(ArquivoDeErros());
    return arquivo.open(QIODevice::ReadOnly) ? QString::fromUtf8(arquivo.readAll()) : QString();
}

QString HostNaTela::Saida() const {
    QFile arquivo(mstrPasta + u"/host.log"_s);
    return arquivo.open(QIODevice::ReadOnly) ? QString::fromUtf8(arquivo.readAll()) : QString();
}

bool HostNaTela::Iniciar(const QString& programa, const QStringList& argumentos) {
    if (!Lancar(programa, argumentos)) return false;
    return Esperar(
        [this] {
            return Janelas().value(u"ativa"_s).toString() == u"FomularioDoMenu"_s &&
                   Existe(u"frmLista/msfgGrade"_s);
        },
        u"a lista aberta na janela do menu"_s, 60000);
}

int HostNaTela::EsperarFim(int milissegundos) {
    if (!mhost.waitForFinished(milissegundos) || mhost.exitStatus() != QProcess::NormalExit) return -1;
    return mhost.exitCode();
}

bool HostNaTela::Lancar(const QString& programa, const QStringList& argumentos) {
    QDir().mkpath(mstrPasta + u"/casa"_s);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"ZELT_SONDA"_s, mstrPasta + u"/sonda"_s);
    ambiente.insert(u"ZELT_LOG"_s, ArquivoDeErros());
    // A home of its own: the host's settings and the save dialog's folder stay here.
    ambiente.insert(u"HOME"_s, mstrPasta + u"/casa"_s);
    ambiente.insert(u"QT_QPA_PLATFORM"_s, QGuiApplication::platformName());
    // A desktop session's runtime folder, so that Qt has nothing to warn about.
    QDir().mkpath(mstrPasta + u"/execucao"_s);
    QFile::setPermissions(mstrPasta + u"/execucao"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ambiente.insert(u"XDG_RUNTIME_DIR"_s, mstrPasta + u"/execucao"_s);
    // The user folders follow that home (Documents, ~/.local/share).
    ambiente.remove(u"XDG_CONFIG_HOME"_s);
    ambiente.remove(u"XDG_DATA_HOME"_s);
    ambiente.remove(u"ZELT_BANCO"_s);
    ambiente.remove(u"ZELT_BANCO_URL"_s);
    ambiente.remove(u"ZELT_USUARIO"_s);
    mhost.setProcessEnvironment(ambiente);
    mhost.setProcessChannelMode(QProcess::MergedChannels);
    mhost.setStandardOutputFile(mstrPasta + u"/host.log"_s);
    mhost.start(programa, argumentos);
    return mhost.waitForStarted() || Falhar(u"o host não iniciou: "_s + mhost.errorString());
}

void HostNaTela::Encerrar() {
    msocket.abort();
    if (mhost.state() == QProcess::NotRunning) return;
    mhost.terminate();
    if (!mhost.waitForFinished(5000)) {
        mhost.kill();
        mhost.waitForFinished(5000);
    }
}

void HostNaTela::Matar() {
    msocket.abort();
    mhost.kill();
    mhost.waitForFinished(5000);
}

bool HostNaTela::Falhar(const QString& motivo) {
    mstrFalha = motivo;
    if (mhost.state() == QProcess::Running && msocket.state() == QLocalSocket::ConnectedState) {
        const QJsonObject janelas = Janelas();
        mstrFalha += u" (janela ativa: "_s + janelas.value(u"ativa"_s).toString() + u", foco: "_s +
                     janelas.value(u"foco"_s).toString() + u")"_s;
    }
    const QString erros = ErrosRegistrados();
    if (!erros.isEmpty()) mstrFalha += u"\nErros registrados pelo host:\n"_s + erros;
    return false;
}

QJsonObject HostNaTela::Pedir(const QString& pedido) {
    if (mhost.state() != QProcess::Running) return {};
    if (msocket.state() != QLocalSocket::ConnectedState) {
        msocket.connectToServer(mstrPasta + u"/sonda"_s);
        if (!msocket.waitForConnected(1000)) return {};
    }
    msocket.write(pedido.toUtf8() + '\n');
    msocket.waitForBytesWritten(5000);
    while (!msocket.canReadLine())
        if (!msocket.waitForReadyRead(15000)) return {};
    return QJsonDocument::fromJson(msocket.readLine()).object();
}

QJsonObject HostNaTela::JanelaDaClasse(const QString& classe) {
    for (const QJsonValue& janela : Janelas().value(u"janelas"_s).toArray())
        if (janela[u"classe"_s].toString() == classe) return janela.toObject();
    return {};
}

QString HostNaTela::Propriedade(const QString& caminho, const QString& propriedade) {
    return Texto(Controle(caminho).value(u"propriedades"_s).toObject().value(propriedade));
}

bool HostNaTela::Esperar(const std::function<bool()>& condicao, const QString& descricao, int milissegundos) {
    QElapsedTimer relogio;
    relogio.start();
    while (!condicao()) {
        if (mhost.state() != QProcess::Running)
            return Falhar(u"o host terminou (código "_s + QString::number(mhost.exitCode()) +
                          u") esperando "_s + descricao);
        if (relogio.elapsed() > milissegundos)
            return Falhar(u"esperou "_s + QString::number(milissegundos / 1000) + u" s por "_s + descricao);
        QThread::msleep(20);
    }
    return true;
}

bool HostNaTela::EsperarJanelaAtiva(const QString& nome) {
    return Esperar([&] { return Janelas().value(u"ativa"_s).toString() == nome; }, u"a janela "_s + nome);
}

bool HostNaTela::EsperarFoco(const QString& controle) {
    return Esperar([&] { return Janelas().value(u"foco"_s).toString() == controle; },
                   u"o foco em "_s + controle);
}

bool HostNaTela::EsperarPropriedade(const QString& caminho, const QString& propriedade,
                                    const QString& valor) {
    QString ultimo;
    const bool ok = Esperar(
        [&] {
            ultimo = Propriedade(caminho, propriedade);
            return ultimo == valor;
        },
        caminho + u"."_s + propriedade + u" = \""_s + valor + u"\""_s);
    if (!ok) mstrFalha += u"; mostra \""_s + ultimo + u"\""_s;
    return ok;
}

bool HostNaTela::Xdotool(const QStringList& argumentos) {
    QProcess xdotool;
    xdotool.setProcessChannelMode(QProcess::MergedChannels);
    xdotool.start(u"xdotool"_s, argumentos);
    if (!xdotool.waitForFinished(10000) || xdotool.exitCode() != 0)
        return Falhar(u"xdotool "_s + argumentos.join(u' ') + u": "_s + QString::fromUtf8(xdotool.readAll()));
    return true;
}

bool HostNaTela::ClicarEm(const QJsonObject& retangulo, const QString& descricao) {
    // One connection for both, so the click lands where the pointer went (--sync
    // would wait forever when the pointer is already there).
    const QPoint ponto = Centro(retangulo);
    return Xdotool({u"mousemove"_s, QString::number(ponto.x()), QString::number(ponto.y()), u"click"_s,
                    u"1"_s}) ||
           Falhar(u"clique em "_s + descricao);
}

// The place the probe answers to the request, once it is there (and enabled, when the
// answer tells); empty when it never was.
QJsonObject HostNaTela::EsperarLugar(const QString& pedido) {
    QJsonObject lugar;
    Esperar(
        [&] {
            lugar = Pedir(pedido);
            return lugar.value(u"existe"_s).toBool() && lugar.value(u"habilitado"_s).toBool(true);
        },
        pedido);
    return lugar.value(u"existe"_s).toBool() ? lugar : QJsonObject();
}

bool HostNaTela::Clicar(const QString& caminho) {
    const QJsonObject controle = EsperarLugar(u"controle "_s + caminho);
    return !controle.isEmpty() && ClicarEm(controle, caminho);
}

bool HostNaTela::ClicarNoPonto(int x, int y) {
    return ClicarEm({{u"x"_s, x}, {u"y"_s, y}}, u"(%1, %2)"_s.arg(x).arg(y));
}

bool HostNaTela::ClicarNaCelula(const QString& grade, int row, int col) {
    const QJsonObject celula = EsperarLugar(u"celula %1 %2 %3"_s.arg(grade).arg(row).arg(col));
    return !celula.isEmpty() && ClicarEm(celula, grade);
}

bool HostNaTela::MoverPara(const QString& grade, int row, int col) {
    const QJsonObject celula = EsperarLugar(u"celula %1 %2 %3"_s.arg(grade).arg(row).arg(col));
    if (celula.isEmpty()) return false;
    // Two moves, so that the grid sees the mouse move even when it rested there.
    const QPoint ponto = Centro(celula);
    return Xdotool({u"mousemove"_s, QString::number(ponto.x() - 3), QString::number(ponto.y()),
                    u"mousemove"_s, QString::number(ponto.x()), QString::number(ponto.y())});
}

bool HostNaTela::Digitar(const QString& texto) {
    return Xdotool({u"type"_s, u"--clearmodifiers"_s, u"--delay"_s, u"8"_s, u"--"_s, texto});
}

bool HostNaTela::Teclar(const QString& tecla) {
    return Xdotool({u"key"_s, u"--clearmodifiers"_s, tecla});
}

bool HostNaTela::Escolher(const QString& combo, const QString& entrada) {
    int indice = -1;
    if (!Esperar(
            [&] {
                const QJsonObject lista = Controle(combo);
                indice = static_cast<int>(
                    lista.value(u"entradas"_s).toArray().toVariantList().indexOf(QVariant(entrada)));
                return indice >= 0 && lista.value(u"habilitado"_s).toBool();
            },
            u"\""_s + entrada + u"\" entre as entradas de "_s + combo))
        return false;
    if (!Clicar(combo)) return false;
    // The open list is a window of its own; the keys go to it.
    if (!Esperar([&] { return !JanelaDaClasse(u"QComboBoxPrivateContainer"_s).isEmpty(); },
                 u"a lista aberta de "_s + combo))
        return false;
    if (!Teclar(u"Home"_s)) return false;
    for (int i = 0; i < indice; ++i)
        if (!Teclar(u"Down"_s)) return false;
    return Teclar(u"Return"_s) && EsperarTexto(combo, entrada);
}

bool HostNaTela::Responder(const QString& trecho, const QString& tecla) {
    // A message box's text is its label's, named by Qt.
    return Esperar([&] { return Propriedade(u"qt_msgbox_label"_s, u"text"_s).contains(trecho); },
                   u"a mensagem \""_s + trecho + u"\""_s) &&
           Teclar(tecla);
}

bool HostNaTela::FotografarTela(const QString& arquivo) {
    QScreen* tela = QGuiApplication::primaryScreen();
    return tela && tela->grabWindow(0).save(arquivo);
}

bool HostNaTela::FotografarJanela(const QString& nome, const QString& arquivo) {
    for (const QJsonValue& janela : Janelas().value(u"janelas"_s).toArray())
        if (janela[u"nome"_s].toString() == nome) {
            const QPixmap imagem = QGuiApplication::primaryScreen()->grabWindow(
                0, janela[u"x"_s].toInt(), janela[u"y"_s].toInt(), janela[u"largura"_s].toInt(),
                janela[u"altura"_s].toInt());
            return imagem.save(arquivo) || Falhar(u"não gravou "_s + arquivo);
        }
    return Falhar(u"nenhuma janela "_s + nome + u" para fotografar"_s);
}
