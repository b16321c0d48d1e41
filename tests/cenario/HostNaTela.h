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

#include <QJsonArray>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QRect>
#include <QString>
#include <functional>

class HostNaTela {
public:
    // pasta: where the socket, the error log and the host's home folder go.
    explicit HostNaTela(const QString& pasta) : mstrPasta(pasta) {}
    ~HostNaTela() { Encerrar(); } // ends the host if still running

    // Starts zelt_host with these options, on the test's own platform (xcb under
    // xvfb-run, offscreen for the host tests), and waits for the docked list.
    bool Iniciar(const QString& programa, const QStringList& argumentos);
    // Starts it without waiting for anything.
    bool Lancar(const QString& programa, const QStringList& argumentos);
    // Waits for the host to end by itself: its exit code, or -1 when it did not end.
    int EsperarFim(int milissegundos = 60000);
    void Encerrar();
    // Ends the host at once (SIGKILL), as a power cut or a crash would.
    void Matar();
    // What the host wrote on its standard output and error.
    QString Saida() const;
    QString Falha() const { return mstrFalha; }
    QString ArquivoDeErros() const { return mstrPasta + QStringLiteral("/erros.log"); }
    // The text of the error log, empty when nothing was logged.
    QString ErrosRegistrados() const;

    // ---- What the host shows
    QJsonObject Pedir(const QString& pedido);
    QJsonObject Janelas() { return Pedir(QStringLiteral("janelas")); }
    // The first of the host's windows of that class ("QMessageBox"), empty when none is open.
    QJsonObject JanelaDaClasse(const QString& classe);
    QJsonObject Controle(const QString& caminho) { return Pedir(QStringLiteral("controle ") + caminho); }
    bool Existe(const QString& caminho) { return Controle(caminho).value(u"existe").toBool(); }
    // A property of a control ("Text", "Caption", "ListIndex"...), as text.
    QString Propriedade(const QString& caminho, const QString& propriedade);
    QJsonArray Celulas(const QString& grade) { return Controle(grade).value(u"celulas").toArray(); }

    // ---- Waiting for conditions
    bool Esperar(const std::function<bool()>& condicao, const QString& descricao, int milissegundos = 20000);
    bool EsperarJanelaAtiva(const QString& nome);
    bool EsperarFoco(const QString& controle);
    bool EsperarPropriedade(const QString& caminho, const QString& propriedade, const QString& valor);
    bool EsperarTexto(const QString& caminho, const QString& valor) {
        return EsperarPropriedade(caminho, QStringLiteral("Text"), valor);
    }

    // ---- Acting as a person
    bool Clicar(const QString& caminho);
    bool ClicarNaCelula(const QString& grade, int row, int col);
    bool ClicarNoPonto(int x, int y); // on the screen
    bool MoverPara(const QString& grade, int row, int col);
    bool Digitar(const QString& texto);
    bool Teclar(const QString& tecla); // X key names: Return, Tab, Escape, ctrl+a...
    // Opens the combo box's list and picks the entry with this text by the keyboard.
    bool Escolher(const QString& combo, const QString& entrada);
    // Waits for a message box whose text holds trecho and answers it with that key.
    bool Responder(const QString& trecho, const QString& tecla);

    // The screen, or a window of the host, as a PNG.
    bool FotografarTela(const QString& arquivo);
    bool FotografarJanela(const QString& nome, const QString& arquivo);

private:
    QJsonObject EsperarLugar(const QString& pedido);
    bool Xdotool(const QStringList& argumentos);
    bool ClicarEm(const QJsonObject& retangulo, const QString& descricao);
    bool Falhar(const QString& motivo);

    QString mstrPasta;
    QProcess mhost;
    QLocalSocket msocket;
    QString mstrFalha;
};
