#pragma once
// Sonda: what a driver outside the process needs to act on the program as a person
// does (the end-to-end scenario and the screenshots of the documentation drive it with
// real keystrokes and clicks through the X server): where a named control is on the
// screen, what it shows, which window is active and which control has the focus.
// It only reads; it never sets a value nor raises an event.
//
// Off by default: the host starts it only when ZELT_SONDA names a local socket. Each
// request is one line; each answer one line of JSON. Requests:
//   janelas                       the visible top-level windows (with what their
//                                 dialog buttons read), the active one and its class,
//                                 the modal one and the control with the focus
//   controle <caminho>            one control: place on the screen, flags, its own
//                                 properties, a grid's cells, a combo box's entries
//   celula <caminho> <row> <col>  where a grid's cell is on the screen
// A caminho is a control's name, or names separated by "/" where each is looked for
// inside the one before ("frmFicha/xrcmdGravar"). The search starts in the modal
// window, then the active window, then every visible window.

#include <QObject>

class QLocalServer;

class Sonda : public QObject {
    Q_OBJECT
public:
    // Listens on the socket named by ZELT_SONDA when it is set; otherwise does nothing.
    static void IniciarSePedida(QObject* pai);

private:
    Sonda(const QString& caminhoDoSocket, QObject* pai);
    void NovaConexao();
    QByteArray Responder(const QString& pedido) const;

    QLocalServer* mservidor;
};
