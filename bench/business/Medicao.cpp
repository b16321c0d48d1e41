#include "bench/business/Medicao.h"
#include "bench/wan/ProxyDeAtraso.h"

#include "business/Banco.h"
#include "business/Negocio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace Medicao {

namespace {

[[noreturn]] void Sair(const QString& mensagem, int codigo) {
    std::fprintf(stderr, "%s\n", qPrintable(mensagem));
    std::exit(codigo);
}

QString Numero(double valor) {
    return QString::number(valor, 'f', valor < 10 ? 3 : 1);
}

// The relay of --atraso, for the whole process, and the round trips of each timed run
// under its time (a time is a double computed once and copied as it is, so the published
// times find their runs; the floor's runs are noted too and simply never looked up).
std::unique_ptr<ProxyDeAtraso> Relay;
std::map<double, qint64> IdasEVoltasPorTempo;

QString Intervalo(const std::vector<double>& tempos) {
    if (tempos.empty()) return QStringLiteral("-");
    return Numero(Mediana(tempos));
}

} // namespace

Opcoes LerOpcoes(const QStringList& argumentos, const char* uso, bool comBanco) {
    Opcoes opcoes;
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos.at(i);
        const bool temValor = i + 1 < argumentos.size();
        if (a == QLatin1String("--banco") && temValor)
            opcoes.Arquivo = argumentos.at(++i);
        else if (a == QLatin1String("--url") && temValor)
            opcoes.Url = argumentos.at(++i);
        else if (a == QLatin1String("--caso") && temValor)
            opcoes.Caso = argumentos.at(++i);
        else if (a == QLatin1String("--execucoes") && temValor)
            opcoes.Execucoes = std::max(5, argumentos.at(++i).toInt());
        else if (a == QLatin1String("--atraso") && temValor)
            opcoes.Atraso = std::max(0, argumentos.at(++i).toInt());
        else
            Sair(QString::fromUtf8(uso), 2);
    }
    const bool bancos = !opcoes.Arquivo.isEmpty() + !opcoes.Url.isEmpty();
    if (bancos != (comBanco ? 1 : 0)) Sair(QString::fromUtf8(uso), 2);
    if (opcoes.Atraso >= 0 && !opcoes.EhPostgreSQL())
        Sair(QStringLiteral("--atraso só vale com --url postgresql://..."), 2);
    return opcoes;
}

void Falhar(const QString& mensagem) {
    Sair(mensagem, 1);
}

void AbrirBanco(const Opcoes& opcoes) {
    Negocio::Configuracao configuracao;
    configuracao.ArquivoSQLite = opcoes.Arquivo;
    configuracao.UrlPostgreSQL = opcoes.Url;
    configuracao.CriarDadosDeDemonstracao = false;
    if (opcoes.Atraso >= 0) {
        QUrl url(opcoes.Url);
        if (!Relay) {
            Relay = std::make_unique<ProxyDeAtraso>(url.host(), static_cast<quint16>(url.port(5432)),
                                                    opcoes.Atraso);
            if (Relay->Porta() == 0)
                Sair(QStringLiteral("O retransmissor com atraso não abriu uma porta."), 1);
            std::fprintf(stderr, "Pelo retransmissor: %d ms em cada sentido, porta %d\n", opcoes.Atraso,
                         Relay->Porta());
        }
        url.setPort(Relay->Porta());
        configuracao.UrlPostgreSQL = url.toString();
    }
    try {
        Negocio::Iniciar(configuracao);
    } catch (const VB::ErroDeExecucao& erro) {
        Sair(QStringLiteral("Não foi possível abrir o banco de dados: ") + erro.Descricao(), 1);
    }
}

qint64 IdasEVoltas() {
    return Relay ? Relay->IdasEVoltas() : -1;
}

double Cronometrar(const std::function<void()>& trabalho) {
    // Differences of the running count, not a count zeroed here: a timed piece inside
    // another (a floor inside a command) leaves the outer one's count whole.
    const qint64 antes = IdasEVoltas();
    const auto inicio = std::chrono::steady_clock::now();
    trabalho();
    const auto fim = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(fim - inicio).count();
    AnotarIdasEVoltas(ms, IdasEVoltas() - antes);
    return ms;
}

void AnotarIdasEVoltas(double ms, qint64 idasEVoltas) {
    if (Relay) IdasEVoltasPorTempo[ms] = idasEVoltas;
}

qint64 IdasEVoltasDaExecucao(double ms) {
    const auto achado = IdasEVoltasPorTempo.find(ms);
    return achado == IdasEVoltasPorTempo.end() ? -1 : achado->second;
}

QString TextoDeIdasEVoltas(const std::vector<double>& tempos) {
    std::vector<double> contagens;
    for (const double ms : tempos) {
        const qint64 n = IdasEVoltasDaExecucao(ms);
        if (n < 0) return {};
        contagens.push_back(double(n));
    }
    if (contagens.empty()) return {};
    const auto [menor, maior] = std::minmax_element(contagens.begin(), contagens.end());
    QString texto = QStringLiteral("%1 idas e voltas").arg(Mediana(contagens));
    if (*menor != *maior)
        texto += QStringLiteral(" (%1 a %2)").arg(QString::number(*menor), QString::number(*maior));
    return texto;
}

std::vector<double> Repetir(int execucoes, const std::function<void()>& trabalho,
                            const std::function<void()>& antes) {
    std::vector<double> tempos;
    for (int i = 0; i <= execucoes; ++i) {
        if (antes) antes();
        const double tempo = Cronometrar(trabalho);
        if (i > 0) tempos.push_back(tempo); // the first round only warms the caches
    }
    return tempos;
}

void Intercalar(int execucoes, const QList<Medida>& medidas) {
    for (int i = 0; i <= execucoes; ++i) {
        for (const Medida& m : medidas) {
            if (m.Antes) m.Antes();
            const double tempo = Cronometrar(m.Trabalho);
            if (i > 0) m.Tempos->push_back(tempo); // the first round only warms the caches
        }
    }
}

double Mediana(std::vector<double> tempos) {
    if (tempos.empty()) return 0;
    std::sort(tempos.begin(), tempos.end());
    const size_t meio = tempos.size() / 2;
    return tempos.size() % 2 ? tempos[meio] : (tempos[meio - 1] + tempos[meio]) / 2;
}

double PicoDeMemoriaMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& linha : status.readAll().split('\n'))
        if (linha.startsWith("VmHWM:")) return linha.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

namespace {
struct MarcaDeChaveGerada {};
} // namespace
} // namespace Medicao

Q_DECLARE_METATYPE(Medicao::MarcaDeChaveGerada)

namespace Medicao {

QVariant ChaveGerada() {
    return QVariant::fromValue(MarcaDeChaveGerada{});
}

Execucao ExecutarDireto(const QList<Comando>& comandos) {
    const QSqlDatabase db = Banco::Conexao();
    Execucao execucao;
    for (const Comando& comando : comandos) {
        if (comando.SoSeContou && execucao.UltimaContagem == 0) continue;
        execucao.Executados << comando.Sql;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        bool ok;
        if (comando.Parametros.isEmpty()) {
            ok = q.exec(comando.Sql);
        } else {
            ok = q.prepare(comando.Sql);
            for (const QVariant& parametro : comando.Parametros)
                q.addBindValue(parametro.metaType() == QMetaType::fromType<MarcaDeChaveGerada>()
                                   ? QVariant(execucao.UltimaChave)
                                   : parametro);
            ok = ok && q.exec();
        }
        if (!ok)
            Sair(QStringLiteral("O piso falhou em \"%1\": %2").arg(comando.Sql, q.lastError().text()), 1);
        const bool contagem = comando.Sql.startsWith(QLatin1String("SELECT COUNT(*)"));
        const int colunas = q.record().count();
        while (q.next()) {
            for (int c = 0; c < colunas; ++c)
                q.value(c);
            if (comando.GeraChave) execucao.UltimaChave = q.value(0).toLongLong(); // RETURNING
            if (contagem) execucao.UltimaContagem = q.value(0).toLongLong();
            ++execucao.Linhas;
        }
        if (comando.GeraChave && colunas == 0) execucao.UltimaChave = q.lastInsertId().toLongLong();
    }
    return execucao;
}

void Publicar(const Opcoes& opcoes, const Resultado& r) {
    const double mediana = Mediana(r.Tempos);
    const double minimo = *std::min_element(r.Tempos.begin(), r.Tempos.end());
    const double maximo = *std::max_element(r.Tempos.begin(), r.Tempos.end());
    const double pico = PicoDeMemoriaMb();
    QString nota = r.Nota;
    if (const QString idas = TextoDeIdasEVoltas(r.Tempos); !idas.isEmpty())
        nota = nota.isEmpty() ? idas : nota + QStringLiteral("; ") + idas;
    const QStringList campos{QStringLiteral("RESULTADO"),
                             r.Area,
                             r.Caso,
                             opcoes.NomeDoBanco(),
                             Numero(mediana),
                             Numero(minimo),
                             Numero(maximo),
                             Intervalo(r.Piso),
                             Intervalo(r.Like),
                             QString::number(pico, 'f', 1),
                             r.Linhas < 0 ? QStringLiteral("-") : QString::number(r.Linhas),
                             nota.isEmpty() ? QStringLiteral("-") : nota};
    std::printf("%s\n", qPrintable(campos.join(u'\t')));
    std::fflush(stdout);
    QString resumo =
        QStringLiteral("%1/%2 [%3]: mediana %4 ms (%5 a %6, %7 execuções)")
            .arg(r.Area, r.Caso, opcoes.NomeDoBanco(), Numero(mediana), Numero(minimo), Numero(maximo))
            .arg(r.Tempos.size());
    if (!r.Piso.empty())
        resumo += QStringLiteral("; piso %1 ms, razão %2")
                      .arg(Numero(Mediana(r.Piso)), QString::number(mediana / Mediana(r.Piso), 'f', 2));
    if (!r.Like.empty()) resumo += QStringLiteral("; LIKE simples %1 ms").arg(Numero(Mediana(r.Like)));
    resumo += QStringLiteral("; pico de memória %1 MB").arg(pico, 0, 'f', 1);
    std::fprintf(stderr, "%s\n", qPrintable(resumo));
}

int Executar(const Programa& programa) {
    const Opcoes opcoes = LerOpcoes(QCoreApplication::arguments(), programa.Uso, !programa.SemBanco);
    const auto pedido = [&opcoes](const Caso& caso) {
        return opcoes.Caso.isEmpty() || opcoes.Caso == caso.Nome;
    };
    if (std::none_of(programa.Casos.begin(), programa.Casos.end(), pedido))
        Sair(QString::fromUtf8(programa.Uso), 2);
    if (!programa.SemBanco) AbrirBanco(opcoes);
    if (programa.Preparar) programa.Preparar();
    for (const Caso& caso : programa.Casos)
        if (pedido(caso)) Publicar(opcoes, caso.Medir(opcoes));
    return 0;
}

} // namespace Medicao
