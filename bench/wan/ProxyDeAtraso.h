#pragma once
// A TCP relay that stands for the internet between a branch and its server: it forwards
// every connection made to it on loopback to the server, holding each piece of data for
// a given number of milliseconds in each direction, and counts the round trips (each
// time the client speaks again after the server answered). It runs in a thread of its
// own, so a program blocked in a database call on the same process is still served.
// Cortar() drops every connection and refuses new ones, as a link that went down;
// Restaurar() brings it back.

#include <QString>
#include <QThread>
#include <atomic>

class ProxyDeAtraso {
public:
    // portaDeEscuta 0: any free loopback port.
    ProxyDeAtraso(const QString& servidor, quint16 portaDoServidor, int atrasoEmMsPorSentido,
                  quint16 portaDeEscuta = 0);
    ~ProxyDeAtraso();
    ProxyDeAtraso(const ProxyDeAtraso&) = delete;
    ProxyDeAtraso& operator=(const ProxyDeAtraso&) = delete;

    // The loopback port to connect to instead of the server's (0 when it could not listen).
    quint16 Porta() const { return mporta; }
    qint64 IdasEVoltas() const { return midasEVoltas.load(); }
    qint64 MensagensDoCliente() const { return mdoCliente.load(); }
    qint64 MensagensDoServidor() const { return mdoServidor.load(); }
    void ZerarContagem();
    void Cortar();
    void Restaurar();

private:
    class Trabalho;
    QThread mlinha;
    Trabalho* mtrabalho = nullptr;
    quint16 mporta = 0;
    std::atomic<qint64> midasEVoltas{0}, mdoCliente{0}, mdoServidor{0};
    friend class Trabalho;
};
