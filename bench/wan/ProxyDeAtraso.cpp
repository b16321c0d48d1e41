#include "bench/wan/ProxyDeAtraso.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QQueue>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// One direction of one connection: what arrived, each piece with the moment it may go.
class Sentido : public QObject {
public:
    Sentido(QTcpSocket* destino, int atrasoEmMs, QObject* pai)
        : QObject(pai), mdestino(destino), matraso(atrasoEmMs) {
        mrelogio.start();
        mtimer.setSingleShot(true);
        mtimer.setTimerType(Qt::PreciseTimer);
        connect(&mtimer, &QTimer::timeout, this, &Sentido::Entregar);
    }
    void Receber(const QByteArray& dados) {
        mfila.enqueue({mrelogio.elapsed() + matraso, dados});
        if (!mtimer.isActive()) Programar();
    }

private:
    struct Pedaco {
        qint64 Quando;
        QByteArray Dados;
    };
    void Programar() {
        if (!mfila.isEmpty())
            mtimer.start(static_cast<int>(qMax<qint64>(0, mfila.head().Quando - mrelogio.elapsed())));
    }
    void Entregar() {
        while (!mfila.isEmpty() && mfila.head().Quando <= mrelogio.elapsed())
            if (mdestino)
                mdestino->write(mfila.dequeue().Dados);
            else
                mfila.dequeue();
        Programar();
    }
    QPointer<QTcpSocket> mdestino;
    int matraso;
    QElapsedTimer mrelogio;
    QTimer mtimer;
    QQueue<Pedaco> mfila;
};

} // namespace

class ProxyDeAtraso::Trabalho : public QObject {
public:
    Trabalho(ProxyDeAtraso* dono, const QString& servidor, quint16 porta, int atraso)
        : mdono(dono), mservidor(servidor), mportaDoServidor(porta), matraso(atraso) {}

    quint16 Ouvir(quint16 porta) {
        mescuta = new QTcpServer(this);
        connect(mescuta, &QTcpServer::newConnection, this, &Trabalho::NovaConexao);
        return mescuta->listen(QHostAddress::LocalHost, porta) ? mescuta->serverPort() : 0;
    }
    void Cortar() {
        mcortado = true;
        for (QTcpSocket* s : findChildren<QTcpSocket*>())
            s->abort(), s->deleteLater();
    }
    void Restaurar() { mcortado = false; }

private:
    void NovaConexao() {
        while (QTcpSocket* cliente = mescuta->nextPendingConnection()) {
            cliente->setParent(this);
            if (mcortado) {
                cliente->abort();
                cliente->deleteLater();
                continue;
            }
            // Each piece goes out as soon as its time comes: with Nagle's algorithm a small
            // piece would wait for the other side's delayed acknowledgement (40 ms on
            // Linux), a delay the link being imitated does not have (libpq turns it off too).
            cliente->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            auto* servidor = new QTcpSocket(this);
            connect(servidor, &QTcpSocket::connected, servidor,
                    [servidor] { servidor->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
            servidor->connectToHost(mservidor, mportaDoServidor);
            auto* ida = new Sentido(servidor, matraso, cliente);
            auto* volta = new Sentido(cliente, matraso, servidor);
            auto ultimoDoServidor = std::make_shared<bool>(true);
            connect(cliente, &QTcpSocket::readyRead, this, [=, this] {
                if (*ultimoDoServidor) ++mdono->midasEVoltas;
                *ultimoDoServidor = false;
                ++mdono->mdoCliente;
                ida->Receber(cliente->readAll());
            });
            connect(servidor, &QTcpSocket::readyRead, this, [=, this] {
                *ultimoDoServidor = true;
                ++mdono->mdoServidor;
                volta->Receber(servidor->readAll());
            });
            // Either side closing closes the other once what it sent has gone through.
            connect(cliente, &QTcpSocket::disconnected, servidor, [=, this] {
                QTimer::singleShot(matraso + 1, servidor, [=] { servidor->disconnectFromHost(); });
            });
            connect(servidor, &QTcpSocket::disconnected, cliente, [=, this] {
                QTimer::singleShot(matraso + 1, cliente, [=] { cliente->disconnectFromHost(); });
            });
        }
    }

    ProxyDeAtraso* mdono;
    QString mservidor;
    quint16 mportaDoServidor;
    int matraso;
    QTcpServer* mescuta = nullptr;
    bool mcortado = false;
};

ProxyDeAtraso::ProxyDeAtraso(const QString& servidor, quint16 portaDoServidor, int atrasoEmMsPorSentido,
                             quint16 portaDeEscuta) {
    mtrabalho = new Trabalho(this, servidor, portaDoServidor, atrasoEmMsPorSentido);
    mtrabalho->moveToThread(&mlinha);
    mlinha.start();
    QMetaObject::invokeMethod(
        mtrabalho, [this, portaDeEscuta] { return mtrabalho->Ouvir(portaDeEscuta); },
        Qt::BlockingQueuedConnection, &mporta);
}

ProxyDeAtraso::~ProxyDeAtraso() {
    QMetaObject::invokeMethod(
        mtrabalho, [this] { delete mtrabalho; }, Qt::BlockingQueuedConnection);
    mlinha.quit();
    mlinha.wait();
}

void ProxyDeAtraso::ZerarContagem() {
    midasEVoltas = 0;
    mdoCliente = 0;
    mdoServidor = 0;
}

void ProxyDeAtraso::Cortar() {
    QMetaObject::invokeMethod(
        mtrabalho, [this] { mtrabalho->Cortar(); }, Qt::BlockingQueuedConnection);
}

void ProxyDeAtraso::Restaurar() {
    QMetaObject::invokeMethod(
        mtrabalho, [this] { mtrabalho->Restaurar(); }, Qt::BlockingQueuedConnection);
}
