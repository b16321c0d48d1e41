// ZELT_N_Orcamentos.clsAcompanhamento: the follow-up of open quotes, its four sections
// and the figures of a period (docs/negocio.md, "Follow-up", defines each one).
//
// How each reads the database, so that it stays fast as the quotes grow:
// - the sections by validity (1, 2, 3) read their rows from a range of the index
//   Orcamentos_Validade (the quotes valid around today, never the years behind), each
//   quote's stage by its key and its sends by their index, and stop at the page; their
//   counts come from the counters, section 2's less the quotes contacted in its last
//   days (the stages' and sends' date indexes, schema version 19);
// - the approved section reads the stage index (EtapasDoOrcamento_Etapa) and counts
//   itself from the stage counters (ContagemDeEtapas), never row by row;
// - the figures read the counters the writes keep (ContagemDoAcompanhamento and
//   RespostasDoAcompanhamento, business/ContagemDeOrcamentos.h) for the period and the
//   chart's twelve weeks: a few rows per day and user, whatever the number of quotes.

#include "business/Banco.h"
#include "business/EtapasDoOrcamento.h"
#include "business/Objetos.h"
#include "business/Relogio.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>

namespace Objetos {
namespace {

namespace E = ZELT_N_Orcamentos::Etapa;
namespace S = ZELT_N_Orcamentos::SecaoDoAcompanhamento;

// The chart's weeks: twelve, the last one ending today.
constexpr int Semanas = 12;

// The sections by validity look each valid quote's stage up by its key
// (EtapasDoOrcamento::NaoRespondido), never by a join.
bool EhAprovado(const QString& etapa) {
    return etapa == E::Aprovado || etapa == E::AprovadoEmParte || etapa == E::Concluido;
}

// Section 2: a quote whose last contact was before this day (two days ago) has waited
// three days or more.
QString LimiteDoContato(const QDate& hoje) {
    return Banco::DataIso(hoje.addDays(-2));
}

struct CondicaoDaSecao {
    QString Onde; // over Orcamentos o LEFT JOIN EtapasDoOrcamento e
    QVariantList Parametros;
    QString Ordem;
};

CondicaoDaSecao Condicao(qint32 secao, const QDate& hoje) {
    const QString h = Banco::DataIso(hoje);
    switch (secao) {
    case S::VencemEmAte7Dias:
        return {QStringLiteral("o.DataDeValidadeDoOrcamento BETWEEN ? AND ? AND ") +
                    EtapasDoOrcamento::NaoRespondido(),
                {h, Banco::DataIso(hoje.addDays(7))},
                QStringLiteral("o.DataDeValidadeDoOrcamento, o.NumeroDoOrcamento")};
    case S::EnviadosSemResposta: {
        // The last contact before the day two days ago: the stage's date (its first
        // send or its last handing over) and every send. A reminder sent today takes
        // the quote out of the section for three days. The date of a stage "Enviado" (null
        // for any other) and the last send are looked up by the quote's key (NOT EXISTS let
        // PostgreSQL hash every send of the database).
        const QString limite = LimiteDoContato(hoje);
        return {QStringLiteral(
                    "o.DataDeValidadeDoOrcamento >= ? AND (SELECT x.DataEHoraDaEtapa FROM "
                    "EtapasDoOrcamento x WHERE x.NumeroDoOrcamento = o.NumeroDoOrcamento AND x.Etapa = "
                    "'Enviado') < ? AND COALESCE((SELECT MAX(s.DataEHoraDoEnvio) FROM EnviosDeOrcamentos s "
                    "WHERE s.NumeroDoOrcamento = o.NumeroDoOrcamento), '') < ?"),
                {h, limite, limite},
                QStringLiteral("o.DataDeValidadeDoOrcamento, o.NumeroDoOrcamento")};
    }
    case S::VencidosNosUltimos30Dias:
        // Vencido from the day after the validity date: expired in the last 30 days
        // (today included) means valid until a day from hoje - 30 to hoje - 1.
        return {QStringLiteral("o.DataDeValidadeDoOrcamento BETWEEN ? AND ? AND ") +
                    EtapasDoOrcamento::NaoRespondido(),
                {Banco::DataIso(hoje.addDays(-30)), Banco::DataIso(hoje.addDays(-1))},
                QStringLiteral("o.DataDeValidadeDoOrcamento DESC, o.NumeroDoOrcamento DESC")};
    case S::AprovadosNaoConcluidos:
        // The newest first, as the list shows its quotes.
        return {QStringLiteral("e.Etapa IN (?, ?)"),
                {E::Aprovado, E::AprovadoEmParte},
                QStringLiteral("o.NumeroDoOrcamento DESC")};
    default:
        throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido);
    }
}

// The sections by validity alone (1 and 3) count from the follow-up's counters, the
// approved one from the stage counters. The quotes sent without an answer are the quotes
// "Enviado" still valid (the counters, as the list's "Aguardando resposta") less those of
// them contacted since the limit: a stage "Enviado" set or a send made since then, read
// by the dates' indexes, a few days' contacts whatever the number of quotes (walking
// every valid quote's stage and last send took 200 ms at ten million quotes).
qint32 Total(qint32 secao, const CondicaoDaSecao& condicao, const QDate& hoje) {
    ContagemDeOrcamentos::Consulta contagem;
    if (secao == S::VencemEmAte7Dias) {
        contagem = EtapasDoOrcamento::NaoRespondidosValidosEntre(false, hoje, hoje.addDays(7));
    } else if (secao == S::VencidosNosUltimos30Dias) {
        contagem = EtapasDoOrcamento::NaoRespondidosValidosEntre(false, hoje.addDays(-30), hoje.addDays(-1));
    } else if (secao == S::AprovadosNaoConcluidos) {
        contagem = {QStringLiteral("SELECT COALESCE(SUM(Quantidade), 0) FROM ContagemDeEtapas WHERE "
                                   "Etapa IN (?, ?)"),
                    condicao.Parametros};
    } else {
        const QString h = Banco::DataIso(hoje), limite = LimiteDoContato(hoje);
        const ContagemDeOrcamentos::Consulta validos =
            EtapasDoOrcamento::NaoRespondidosValidosEntre(true, hoje, {});
        contagem = {
            QStringLiteral("SELECT (") + validos.Sql +
                QStringLiteral(
                    ") - (SELECT COUNT(*) FROM EtapasDoOrcamento x WHERE x.Etapa = 'Enviado' AND "
                    "x.NumeroDoOrcamento IN (SELECT NumeroDoOrcamento FROM EtapasDoOrcamento WHERE "
                    "DataEHoraDaEtapa >= ? UNION SELECT NumeroDoOrcamento FROM EnviosDeOrcamentos WHERE "
                    "DataEHoraDoEnvio >= ?) AND (SELECT o.DataDeValidadeDoOrcamento FROM Orcamentos o "
                    "WHERE o.NumeroDoOrcamento = x.NumeroDoOrcamento) >= ?)"),
            validos.Parametros + QVariantList{limite, limite, h}};
    }
    return Banco::Valor(contagem.Sql, contagem.Parametros).toInt();
}

// The section's own fields, then the quote's as the list selects them (the record form
// opened from a row reads them as it reads the list's row).
const QStringList CamposDaSecao{QStringLiteral("NumeroDoOrcamento"),
                                QStringLiteral("CodigoDoCliente"),
                                QStringLiteral("Cliente"),
                                QStringLiteral("Animal"),
                                QStringLiteral("ValorLiquido"),
                                QStringLiteral("DataDeValidadeDoOrcamento"),
                                QStringLiteral("Etapa"),
                                QStringLiteral("UltimoEnvio"),
                                QStringLiteral("DiasSemResposta"),
                                QStringLiteral("ApelidoOuNomeFantasiaDoCliente"),
                                QStringLiteral("NomeOuRazaoSocialDoCliente"),
                                QStringLiteral("DataDoOrcamento"),
                                QStringLiteral("ValorTotal"),
                                QStringLiteral("DescontoEmPercentual"),
                                QStringLiteral("DescontoEmValor"),
                                QStringLiteral("Situacao"),
                                QStringLiteral("DataEHoraDaInclusao"),
                                QStringLiteral("UsuarioDaInclusao"),
                                QStringLiteral("DataEHoraDaAlteracao"),
                                QStringLiteral("UsuarioDaAlteracao")};

RecordsetPtr Linhas(const CondicaoDaSecao& condicao, const QDate& hoje) {
    QSqlQuery q = Banco::Executar(
        QStringLiteral(
            "SELECT o.NumeroDoOrcamento, o.CodigoDoCliente, c.NomeOuRazaoSocial, a.Nome, o.ValorLiquido, "
            "o.DataDeValidadeDoOrcamento, o.DataDoOrcamento, e.Etapa, e.DataEHoraDaEtapa, (SELECT "
            "MAX(s.DataEHoraDoEnvio) FROM EnviosDeOrcamentos s WHERE s.NumeroDoOrcamento = "
            "o.NumeroDoOrcamento), c.ApelidoOuNomeFantasia, o.ValorTotal, o.DescontoEmPercentual, "
            "o.DescontoEmValor, o.Situacao, o.DataEHoraDaInclusao, o.UsuarioDaInclusao, "
            "o.DataEHoraDaAlteracao, "
            "o.UsuarioDaAlteracao FROM Orcamentos o JOIN Clientes c ON c.CodigoDoCliente = o.CodigoDoCliente "
            "LEFT JOIN Animais a ON a.Codigo = o.CodigoDoAnimal LEFT JOIN EtapasDoOrcamento e ON "
            "e.NumeroDoOrcamento = o.NumeroDoOrcamento WHERE ") +
            condicao.Onde + QStringLiteral(" ORDER BY ") + condicao.Ordem + QStringLiteral(" LIMIT ") +
            QString::number(S::LinhasPorSecao),
        condicao.Parametros);
    auto linhas = std::make_shared<RecordsetEmMemoria>(CamposDaSecao);
    while (q.next()) {
        const QDate validade = Banco::DataDeIso(q.value(5).toString());
        const QString gravada = q.isNull(7) ? E::EmAberto : q.value(7).toString();
        const QDateTime ultimoEnvio =
            q.isNull(9) ? QDateTime() : Banco::DataEHoraDeIso(q.value(9).toString());
        // Days without an answer count from the last contact: the later of the last
        // send and the stage's date for a quote "Enviado", the quote's date for one
        // never sent; an answered quote has none.
        QVariant dias = VB::Null();
        if (gravada == E::EmAberto || gravada == E::Enviado) {
            QDate contato = Banco::DataDeIso(q.value(6).toString());
            if (gravada == E::Enviado)
                contato = std::max(contato, Banco::DataEHoraDeIso(q.value(8).toString()).date());
            if (ultimoEnvio.isValid()) contato = std::max(contato, ultimoEnvio.date());
            dias = static_cast<qint32>(contato.daysTo(hoje));
        }
        linhas->AdicionarLinha(
            {q.value(0).toDouble(),
             q.value(1).toDouble(),
             q.value(2).toString(),
             q.isNull(3) ? QString() : q.value(3).toString(),
             QVariant::fromValue(Banco::MoedaDe(q.value(4))),
             validade,
             EtapasDoOrcamento::EtapaMostrada(gravada, validade, hoje),
             ultimoEnvio.isValid() ? QVariant(ultimoEnvio) : VB::Null(),
             dias,
             q.value(10).toString(),
             q.value(2).toString(),
             Banco::DataDeIso(q.value(6).toString()),
             QVariant::fromValue(Banco::MoedaDe(q.value(11))),
             QVariant::fromValue(Banco::MoedaDe(q.value(12))),
             QVariant::fromValue(Banco::MoedaDe(q.value(13))),
             q.value(14).toInt(),
             Banco::DataEHoraDeIso(q.value(15).toString()),
             q.value(16).toString(),
             q.isNull(17) ? VB::Null() : QVariant(Banco::DataEHoraDeIso(q.value(17).toString())),
             q.isNull(18) ? VB::Null() : QVariant(q.value(18).toString())});
    }
    return linhas;
}

// The figures' ranges of days, the period's and the weeks': one when they meet, so
// that no quote is read twice; two apart otherwise.
QList<std::pair<QDate, QDate>> Faixas(QDate inicio, QDate fim, QDate semanas, QDate hoje) {
    if (inicio <= hoje && fim >= semanas.addDays(-1))
        return {{std::min(inicio, semanas), std::max(fim, hoje)}};
    return {{inicio, fim}, {semanas, hoje}};
}

double Mediana(const QMap<qint64, qint64>& porDias, qint64 quantidade) {
    // The middle one, or the mean of the two middle ones, of the sorted days.
    const auto enesimo = [&](qint64 n) {
        qint64 vistos = 0;
        for (auto it = porDias.cbegin(); it != porDias.cend(); ++it)
            if ((vistos += it.value()) > n) return it.key();
        return porDias.lastKey();
    };
    return (enesimo((quantidade - 1) / 2) + enesimo(quantidade / 2)) / 2.0;
}

class clsAcompanhamentoNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsAcompanhamento> {
public:
    clsAcompanhamentoNoBanco() : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsAcompanhamento")) {}

    QVariant SelecionarSecao(qint32 lintSecao) override {
        TotalDaSecao = 0;
        return Selecao("SelecionarSecao", [&] {
            const QDate hoje = Relogio::Hoje();
            const CondicaoDaSecao condicao = Condicao(lintSecao, hoje);
            TotalDaSecao = Total(lintSecao, condicao, hoje);
            return Linhas(condicao, hoje);
        });
    }

    qint16 CalcularNumeros(qint32 llonDias, const QDate& ldatMes, const QString& lstrUsuario) override {
        return Estado("CalcularNumeros", [&] {
            const QDate hoje = Relogio::Hoje();
            QDate inicio, fim;
            if (llonDias > 0 && llonDias <= 3660) {
                inicio = hoje.addDays(1 - llonDias);
                fim = hoje;
            } else if (llonDias == 0 && ldatMes.isValid()) {
                inicio = QDate(ldatMes.year(), ldatMes.month(), 1);
                fim = inicio.addMonths(1).addDays(-1);
            } else {
                Rejeitar(QStringLiteral("Periodo"), QStringLiteral("O período informado não é válido."));
            }
            Numeros = Calcular(inicio, fim, lstrUsuario, hoje);
        });
    }

private:
    static ZELT_N_Orcamentos::NumerosDoAcompanhamento Calcular(const QDate& inicio, const QDate& fim,
                                                               const QString& usuario, const QDate& hoje) {
        ZELT_N_Orcamentos::NumerosDoAcompanhamento n;
        n.Hoje = hoje;
        n.Inicio = inicio;
        n.Fim = fim;
        n.RecusadosPorMotivo.fill(0, ZELT_N_Orcamentos::MotivosDaRecusa.size());
        const QDate primeiraSemana = hoje.addDays(-(Semanas * 7 - 1));
        for (int k = 0; k < Semanas; ++k)
            n.Semanas << ZELT_N_Orcamentos::SemanaDoAcompanhamento{
                primeiraSemana.addDays(7 * k), primeiraSemana.addDays(7 * k + 6), {}, {}};
        QSet<QString> usuarios;
        // Each day's text read as a date once: QDate::fromString costs microseconds, and a
        // day has some thirty rows.
        QHash<QString, QDate> datas;
        for (const auto& [de, ate] : Faixas(inicio, fim, primeiraSemana, hoje)) {
            // The counters kept by the writes (ContagemDoAcompanhamento): a few rows a day
            // and user, whatever the number of quotes, read as they are and summed below
            // (grouping them in the database cost more than reading them). Validade is
            // empty for an answered quote.
            QSqlQuery q = Banco::Executar(
                QStringLiteral(
                    "SELECT Usuario, DataDoOrcamento, Etapa, MotivoDaRecusa, CASE WHEN Validade <> '' AND "
                    "Validade < ? THEN 1 ELSE 0 END, Quantidade, ValorOferecido, ValorAprovado FROM "
                    "ContagemDoAcompanhamento WHERE DataDoOrcamento BETWEEN ? AND ? AND Quantidade <> 0"),
                {Banco::DataIso(hoje), Banco::DataIso(de), Banco::DataIso(ate)});
            while (q.next()) {
                const QString quem = q.value(0).toString();
                usuarios.insert(quem);
                if (!usuario.isEmpty() && quem != usuario) continue;
                const QString texto = q.value(1).toString();
                auto data = datas.constFind(texto);
                if (data == datas.cend()) data = datas.insert(texto, Banco::DataDeIso(texto));
                const QDate dia = *data;
                const QString etapa = q.value(2).toString().isEmpty() ? E::EmAberto : q.value(2).toString();
                const qint32 quantidade = q.value(5).toInt();
                const VB::Currency valor = Banco::MoedaDe(q.value(6));
                // What the client approved: the items declined are out of it.
                const VB::Currency aprovado = Banco::MoedaDe(q.value(7));
                if (dia >= inicio && dia <= fim) {
                    n.Feitos += quantidade;
                    n.ValorOferecido += valor;
                    if (etapa != E::EmAberto) n.Enviados += quantidade;
                    if (EhAprovado(etapa)) {
                        n.Aprovados += quantidade;
                        n.ValorAprovado += aprovado;
                    }
                    if (etapa == E::Recusado) {
                        n.Recusados += quantidade;
                        const qsizetype motivo =
                            ZELT_N_Orcamentos::MotivosDaRecusa.indexOf(q.value(3).toString());
                        if (motivo >= 0) n.RecusadosPorMotivo[motivo] += quantidade;
                    }
                    if ((etapa == E::EmAberto || etapa == E::Enviado) && q.value(4).toInt() == 1)
                        n.Vencidos += quantidade;
                }
                if (dia >= primeiraSemana && dia <= hoje) {
                    auto& semana = n.Semanas[primeiraSemana.daysTo(dia) / 7];
                    semana.Oferecido += valor;
                    if (EhAprovado(etapa)) semana.Aprovado += aprovado;
                }
            }
        }
        if (n.Feitos > 0) n.TaxaPorQuantidade = 100.0 * n.Aprovados / n.Feitos;
        if (n.ValorOferecido > VB::Currency()) n.TaxaPorValor = 100.0 * (n.ValorAprovado / n.ValorOferecido);
        n.MedianaDeDiasAteAResposta = MedianaDasRespostas(inicio, fim, usuario);
        n.Usuarios = usuarios.values();
        n.Usuarios.sort();
        return n;
    }

    // Days to an answer: from the first send before the answer (the quote's date when it
    // was answered unsent) to the answer, the date of its stage "Aprovado", "Aprovado em
    // parte" or "Recusado". A concluded quote keeps only its conclusion's date beside
    // its stage, so it is not part of the median. Read from the histogram the writes keep
    // per day made, user and days (RespostasDoAcompanhamento).
    static std::optional<double> MedianaDasRespostas(const QDate& inicio, const QDate& fim,
                                                     const QString& usuario) {
        QSqlQuery q = Banco::Executar(
            QStringLiteral("SELECT Usuario, Dias, SUM(Quantidade) FROM RespostasDoAcompanhamento WHERE "
                           "DataDoOrcamento BETWEEN ? AND ? GROUP BY 1, 2"),
            {Banco::DataIso(inicio), Banco::DataIso(fim)});
        QMap<qint64, qint64> porDias;
        qint64 quantidade = 0;
        while (q.next()) {
            if (!usuario.isEmpty() && q.value(0).toString() != usuario) continue;
            porDias[q.value(1).toLongLong()] += q.value(2).toLongLong();
            quantidade += q.value(2).toLongLong();
        }
        if (quantidade == 0) return std::nullopt;
        return Mediana(porDias, quantidade);
    }
};

} // namespace

std::unique_ptr<QObject> NovoAcompanhamento() {
    return std::make_unique<clsAcompanhamentoNoBanco>();
}

} // namespace Objetos
