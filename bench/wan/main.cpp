// The delay relay as a command, so that any program (a benchmark, the host) can be
// pointed at it by its URL: it forwards TCP from a loopback port to the server,
// holding each direction the given number of milliseconds, and counts round trips.
//
//   zelt_proxy_de_atraso --servidor HOST --porta N --atraso MS [--escuta PORTA]
//
// It prints the port it listens on; on SIGINT or SIGTERM it prints what it counted and
// ends.

#include "bench/wan/ProxyDeAtraso.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace {

const char* const Uso = "Uso: zelt_proxy_de_atraso --servidor HOST --porta N --atraso MS [--escuta PORTA]\n"
                        "  MS: milissegundos em cada sentido (30 ms de ida e volta: --atraso 15)\n";

struct Opcoes {
    QString Servidor;
    int Porta = -1;
    int Atraso = -1;
    int Escuta = 0;
};

// A number in [minimo, maximo], or -1.
int Numero(const QString& texto, int minimo, int maximo) {
    bool ok = false;
    const int valor = texto.toInt(&ok);
    return ok && valor >= minimo && valor <= maximo ? valor : -1;
}

bool Ler(const QStringList& argumentos, Opcoes& o) {
    for (int i = 1; i + 1 < argumentos.size(); i += 2) {
        const QString& nome = argumentos.at(i);
        const QString& valor = argumentos.at(i + 1);
        if (nome == QLatin1String("--servidor"))
            o.Servidor = valor;
        else if (nome == QLatin1String("--porta"))
            o.Porta = Numero(valor, 1, 65535);
        else if (nome == QLatin1String("--atraso"))
            o.Atraso = Numero(valor, 0, 60000);
        else if (nome == QLatin1String("--escuta"))
            o.Escuta = Numero(valor, 1, 65535);
        else
            return false;
    }
    return argumentos.size() % 2 == 1 && !o.Servidor.isEmpty() && o.Porta > 0 && o.Atraso >= 0 &&
           o.Escuta >= 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    Opcoes opcoes;
    if (!Ler(aplicacao.arguments(), opcoes)) {
        std::fputs(Uso, stderr);
        return 2;
    }
    // The signals are taken by sigwait below: blocked before the relay's thread starts,
    // which inherits the mask, so no thread is interrupted by them.
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);

    ProxyDeAtraso proxy(opcoes.Servidor, quint16(opcoes.Porta), opcoes.Atraso, quint16(opcoes.Escuta));
    if (proxy.Porta() == 0) {
        std::fprintf(stderr, "Não foi possível escutar na porta %d.\n", opcoes.Escuta);
        return 1;
    }
    std::printf("porta %d\n", proxy.Porta());
    std::fflush(stdout);
    int sinal = 0;
    sigwait(&sinais, &sinal);
    std::printf("idas e voltas %lld\nmensagens do cliente %lld\nmensagens do servidor %lld\n",
                static_cast<long long>(proxy.IdasEVoltas()),
                static_cast<long long>(proxy.MensagensDoCliente()),
                static_cast<long long>(proxy.MensagensDoServidor()));
    std::fflush(stdout);
    return 0;
}
