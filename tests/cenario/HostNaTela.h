#pragma once
// The real host program on a real X server, driven as a person drives it: the mouse
// moves and clicks and the keys are typed through the X server (xdotool, into the
// window that has the focus), so that focus, Validate on Tab and modal dialogs are
// those of a desktop session. Where things are, and what they show, is asked of the
// host's Sonda (ZELT_SONDA, see host/Sonda.h); it only reads.
//
// Every action waits for its condition (a window active, a control enabled, a text
// shown) instead of sleeping, up to a time limit; a helper that fails returns false
// and leaves the reason in Falha(), for QVERIFY2.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QPixmap>
#include <QPointF>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QThread>
#include <functional>

namespace SondaDoHost {

using namespace Qt::StringLiterals;

inline QPoint Centro(const QJsonObject& retangulo) {
    return {retangulo.value(u"x"_s).toInt() + retangulo.value(u"largura"_s).toInt() / 2,
            retangulo.value(u"y"_s).toInt() + retangulo.value(u"altura"_s).toInt() / 2};
}

inline QString Texto(const QJsonValue& valor) {
    return valor.isString() ? valor.toString() : valor.toVariant().toString();
}

class HostNaTela {
public:
    // pasta: where the socket, the error log and the host's home folder go.
    explicit HostNaTela(const QString& pasta) : mstrPasta(pasta) {}
    ~HostNaTela() { Encerrar(); } // ends the host if still running

    // Starts zelt_host with these options, on the test's own platform (xcb under
    // xvfb-run, offscreen for the host tests), and waits for the docked list.
    bool Iniciar(const QString& programa, const QStringList& argumentos) {
        if (!Lancar(programa, argumentos)) return false;
        return Esperar(
            [this] {
                return Janelas().value(u"ativa"_s).toString() == u"FomularioDoMenu"_s &&
                       Existe(u"frmLista/msfgGrade"_s);
            },
            u"a lista aberta na janela do menu"_s, 60000);
    }

    // Starts it without waiting for anything.
    bool Lancar(const QString& programa, const QStringList& argumentos) {
        QDir().mkpath(mstrPasta + u"/casa"_s);
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"ZELT_SONDA"_s, mstrPasta + u"/sonda"_s);
        ambiente.insert(u"ZELT_LOG"_s, ArquivoDeErros());
        // A home of its own: the host's settings and the save dialog's folder stay here.
        ambiente.insert(u"HOME"_s, mstrPasta + u"/casa"_s);
        ambiente.insert(u"QT_QPA_PLATFORM"_s, QGuiApplication::platformName());
        // A desktop session's runtime folder, so that Qt has nothing to warn about.
        QDir().mkpath(mstrPasta + u"/execucao"_s);
        QFile::setPermissions(mstrPasta + u"/execucao"_s,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ambiente.insert(u"XDG_RUNTIME_DIR"_s, mstrPasta + u"/execucao"_s);
        // The user folders follow that home (Documents, ~/.local/share).
        for (const char* variavel :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "ZELT_BANCO", "ZELT_BANCO_URL", "ZELT_USUARIO"})
            ambiente.remove(QString::fromLatin1(variavel));
        mhost.setProcessEnvironment(ambiente);
        mhost.setProcessChannelMode(QProcess::MergedChannels);
        mhost.setStandardOutputFile(mstrPasta + u"/host.log"_s);
        mhost.start(programa, argumentos);
        return mhost.waitForStarted() || Falhar(u"o host não iniciou: "_s + mhost.errorString());
    }

    // Waits for the host to end by itself: its exit code, or -1 when it did not end.
    int EsperarFim(int milissegundos = 60000) {
        if (!mhost.waitForFinished(milissegundos) || mhost.exitStatus() != QProcess::NormalExit) return -1;
        return mhost.exitCode();
    }

    void Encerrar() {
        msocket.abort();
        if (mhost.state() == QProcess::NotRunning) return;
        mhost.terminate();
        if (!mhost.waitForFinished(5000)) {
            mhost.kill();
            mhost.waitForFinished(5000);
        }
    }

    // Ends the host at once (SIGKILL), as a power cut or a crash would.
    void Matar() {
        msocket.abort();
        mhost.kill();
        mhost.waitForFinished(5000);
    }

    // What the host wrote on its standard output and error.
    QString Saida() const { return Ler(mstrPasta + u"/host.log"_s); }

    QString Falha() const { return mstrFalha; }
    QString ArquivoDeErros() const { return mstrPasta + QStringLiteral("/erros.log"); }
    // The text of the error log, empty when nothing was logged.
    QString ErrosRegistrados() const { return Ler(ArquivoDeErros()); }

    // ---- What the host shows
    QJsonObject Pedir(const QString& pedido) {
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

    QJsonObject Janelas() { return Pedir(QStringLiteral("janelas")); }
    // The first of the host's windows of that class ("QMessageBox"), empty when none is open.
    QJsonObject JanelaDaClasse(const QString& classe) {
        for (const QJsonValue& janela : Janelas().value(u"janelas"_s).toArray())
            if (janela[u"classe"_s].toString() == classe) return janela.toObject();
        return {};
    }

    QJsonObject Controle(const QString& caminho) { return Pedir(QStringLiteral("controle ") + caminho); }
    bool Existe(const QString& caminho) { return Controle(caminho).value(u"existe").toBool(); }
    // A property of a control ("Text", "Caption", "ListIndex"...), as text.
    QString Propriedade(const QString& caminho, const QString& propriedade) {
        return Texto(Controle(caminho).value(u"propriedades"_s).toObject().value(propriedade));
    }

    QJsonArray Celulas(const QString& grade) { return Controle(grade).value(u"celulas").toArray(); }

    // ---- Waiting for conditions
    bool Esperar(const std::function<bool()>& condicao, const QString& descricao, int milissegundos = 20000) {
        QElapsedTimer relogio;
        relogio.start();
        while (!condicao()) {
            if (mhost.state() != QProcess::Running)
                return Falhar(u"o host terminou (código "_s + QString::number(mhost.exitCode()) +
                              u") esperando "_s + descricao);
            if (relogio.elapsed() > milissegundos)
                return Falhar(u"esperou "_s + QString::number(milissegundos / 1000) + u" s por "_s +
                              descricao);
            QThread::msleep(20);
        }
        return true;
    }

    bool EsperarJanelaAtiva(const QString& nome) {
        return Esperar([&] { return Janelas().value(u"ativa"_s).toString() == nome; }, u"a janela "_s + nome);
    }

    bool EsperarFoco(const QString& controle) {
        return Esperar([&] { return Janelas().value(u"foco"_s).toString() == controle; },
                       u"o foco em "_s + controle);
    }

    bool EsperarPropriedade(const QString& caminho, const QString& propriedade, const QString& valor) {
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

    bool EsperarTexto(const QString& caminho, const QString& valor) {
        return EsperarPropriedade(caminho, QStringLiteral("Text"), valor);
    }

    // ---- Acting as a person
    bool Clicar(const QString& caminho) {
        const QJsonObject controle = EsperarLugar(u"controle "_s + caminho);
        return !controle.isEmpty() && ClicarEm(controle, caminho);
    }

    // botao: 1 the left button, 3 the right one (a row's menu).
    bool ClicarNaCelula(const QString& grade, int row, int col, int botao = 1) {
        const QJsonObject celula = EsperarCelula(grade, row, col);
        return !celula.isEmpty() && ClicarEm(celula, grade, botao);
    }

    // Strokes drawn with the left button held down, as a hand draws on a pad: each
    // stroke's points are fractions of the control's width and height.
    bool Desenhar(const QString& caminho, const QList<QList<QPointF>>& tracos) {
        const QJsonObject lugar = EsperarLugar(u"controle "_s + caminho);
        if (lugar.isEmpty()) return false;
        const auto ponto = [&](QPointF f) {
            return QStringList{
                u"mousemove"_s,
                QString::number(lugar[u"x"_s].toInt() + qRound(f.x() * lugar[u"largura"_s].toInt())),
                QString::number(lugar[u"y"_s].toInt() + qRound(f.y() * lugar[u"altura"_s].toInt()))};
        };
        QStringList argumentos;
        for (const QList<QPointF>& traco : tracos) {
            argumentos << ponto(traco.constFirst()) << u"mousedown"_s << u"1"_s;
            // A pause between moves, so that each one reaches the program as its own event.
            for (const QPointF& f : traco.mid(1))
                argumentos << u"sleep"_s << u"0.03"_s << ponto(f);
            argumentos << u"sleep"_s << u"0.03"_s << u"mouseup"_s << u"1"_s;
        }
        return Xdotool(argumentos);
    }

    // on the screen
    bool ClicarNoPonto(int x, int y) {
        return ClicarEm({{u"x"_s, x}, {u"y"_s, y}},
                        u"(%1, %2)"_s.arg(QString::number(x), QString::number(y)));
    }

    bool MoverPara(const QString& grade, int row, int col) {
        const QJsonObject celula = EsperarCelula(grade, row, col);
        if (celula.isEmpty()) return false;
        // Two moves, so that the grid sees the mouse move even when it rested there.
        const QPoint ponto = Centro(celula);
        return Xdotool({u"mousemove"_s, QString::number(ponto.x() - 3), QString::number(ponto.y()),
                        u"mousemove"_s, QString::number(ponto.x()), QString::number(ponto.y())});
    }

    // A letter outside the keyboard's map is typed alone, by a key xdotool maps for it and
    // then unmaps: the pause after it lets the program read the new map before the next key.
    bool Digitar(const QString& texto) {
        qsizetype inicio = 0;
        while (inicio < texto.size()) {
            qsizetype fim = inicio;
            const bool ascii = texto.at(inicio).unicode() < 128;
            while (fim < texto.size() && (texto.at(fim).unicode() < 128) == ascii && (ascii || fim == inicio))
                ++fim;
            if (!Xdotool({u"type"_s, u"--clearmodifiers"_s, u"--delay"_s, ascii ? u"8"_s : u"60"_s, u"--"_s,
                          texto.mid(inicio, fim - inicio)}))
                return false;
            if (!ascii) QThread::msleep(120);
            inicio = fim;
        }
        return true;
    }

    // X key names: Return, Tab, Escape, ctrl+a...
    bool Teclar(const QString& tecla) { return Xdotool({u"key"_s, u"--clearmodifiers"_s, tecla}); }

    // Opens the combo box's list and picks the entry with this text by the keyboard.
    bool Escolher(const QString& combo, const QString& entrada) {
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

    // Waits for a message box whose text holds trecho and answers it with that key.
    bool Responder(const QString& trecho, const QString& tecla) {
        // A message box's text is its label's, named by Qt.
        return Esperar([&] { return Propriedade(u"qt_msgbox_label"_s, u"text"_s).contains(trecho); },
                       u"a mensagem \""_s + trecho + u"\""_s) &&
               Teclar(tecla);
    }

    // The screen, or a window of the host, as a PNG.
    bool FotografarTela(const QString& arquivo) {
        QScreen* tela = QGuiApplication::primaryScreen();
        return tela && tela->grabWindow(0).save(arquivo);
    }

    bool FotografarJanela(const QString& nome, const QString& arquivo) {
        for (const QJsonValue& janela : Janelas().value(u"janelas"_s).toArray())
            if (janela[u"nome"_s].toString() == nome) {
                const QPixmap imagem = QGuiApplication::primaryScreen()->grabWindow(
                    0, janela[u"x"_s].toInt(), janela[u"y"_s].toInt(), janela[u"largura"_s].toInt(),
                    janela[u"altura"_s].toInt());
                return imagem.save(arquivo) || Falhar(u"não gravou "_s + arquivo);
            }
        return Falhar(u"nenhuma janela "_s + nome + u" para fotografar"_s);
    }

private:
    // The place the probe answers to the request, once it is there (and enabled, when the
    // answer tells); empty when it never was.
    QJsonObject EsperarLugar(const QString& pedido) {
        QJsonObject lugar;
        Esperar(
            [&] {
                lugar = Pedir(pedido);
                return lugar.value(u"existe"_s).toBool() && lugar.value(u"habilitado"_s).toBool(true);
            },
            pedido);
        return lugar.value(u"existe"_s).toBool() ? lugar : QJsonObject();
    }
    QJsonObject EsperarCelula(const QString& grade, int row, int col) {
        return EsperarLugar(u"celula %1 %2 %3"_s.arg(grade, QString::number(row), QString::number(col)));
    }

    // A file's text, empty when it cannot be read.
    static QString Ler(const QString& caminho) {
        QFile arquivo(caminho);
        return arquivo.open(QIODevice::ReadOnly) ? QString::fromUtf8(arquivo.readAll()) : QString();
    }

    bool Xdotool(const QStringList& argumentos) {
        QProcess xdotool;
        xdotool.setProcessChannelMode(QProcess::MergedChannels);
        xdotool.start(u"xdotool"_s, argumentos);
        if (!xdotool.waitForFinished(10000) || xdotool.exitCode() != 0)
            return Falhar(u"xdotool "_s + argumentos.join(u' ') + u": "_s +
                          QString::fromUtf8(xdotool.readAll()));
        return true;
    }

    bool ClicarEm(const QJsonObject& retangulo, const QString& descricao, int botao = 1) {
        // One connection for both, so the click lands where the pointer went (--sync
        // would wait forever when the pointer is already there).
        const QPoint ponto = Centro(retangulo);
        return Xdotool({u"mousemove"_s, QString::number(ponto.x()), QString::number(ponto.y()), u"click"_s,
                        QString::number(botao)}) ||
               Falhar(u"clique em "_s + descricao);
    }

    bool Falhar(const QString& motivo) {
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

    QString mstrPasta;
    QProcess mhost;
    QLocalSocket msocket;
    QString mstrFalha;
};

} // namespace SondaDoHost

using SondaDoHost::HostNaTela;
