// The stages of the quotes (EtapasDoOrcamento.h) and ZELT_N_Orcamentos.clsEtapasDoOrcamento,
// the operations that change them.

#include "business/EtapasDoOrcamento.h"

#include "business/AprovacaoDoOrcamento.h"
#include "business/Banco.h"
#include "business/FaixasDeValidade.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/OrcamentoGravado.h"
#include "business/Relogio.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QSqlQuery>

namespace EtapasDoOrcamento {
namespace {

namespace E = ZELT_N_Orcamentos::Etapa;

struct Transicao {
    EtapasDoOrcamento::Operacao Op;
    QString De; // the stage shown: "Vencido" is a stage here
    QString Para;
};

// The stage machine: every move an operation may make; what is not here is refused.
// Decisions, as the clinic works:
// - A send or a handing over makes an open quote "Enviado"; a sent one may be handed
//   over again. An expired quote is not handed over: its prices no longer hold.
// - The client may say yes or no to a quote even after it expired: the clinic decides
//   at the counter whether it honours the old prices, and the record keeps the answer.
// - A client who approved may still give up: an approved quote may be refused.
// - Only approved work is done: "Concluído" comes from the approved stages.
// - "Recusado" and "Concluído" are final: a new offer is a new quote.
// - A renewal (a new validity date, the prices of today) is for a quote still waiting
//   for its answer: an answered quote keeps what the client answered to. It writes no
//   stage: an expired one is valid again by its new date, and a sent one stays
//   "Enviado", since the client holds the quote and the clinic still waits for the
//   answer (the reminder sends the renewed sheet).
const QList<Transicao> Transicoes{
    {Operacao::Envio, E::EmAberto, E::Enviado},
    {Operacao::Entrega, E::EmAberto, E::Enviado},
    {Operacao::Entrega, E::Enviado, E::Enviado},
    {Operacao::Aprovacao, E::EmAberto, E::Aprovado},
    {Operacao::Aprovacao, E::Enviado, E::Aprovado},
    {Operacao::Aprovacao, E::Vencido, E::Aprovado},
    {Operacao::AprovacaoEmParte, E::EmAberto, E::AprovadoEmParte},
    {Operacao::AprovacaoEmParte, E::Enviado, E::AprovadoEmParte},
    {Operacao::AprovacaoEmParte, E::Vencido, E::AprovadoEmParte},
    {Operacao::Recusa, E::EmAberto, E::Recusado},
    {Operacao::Recusa, E::Enviado, E::Recusado},
    {Operacao::Recusa, E::Vencido, E::Recusado},
    {Operacao::Recusa, E::Aprovado, E::Recusado},
    {Operacao::Recusa, E::AprovadoEmParte, E::Recusado},
    {Operacao::Conclusao, E::Aprovado, E::Concluido},
    {Operacao::Conclusao, E::AprovadoEmParte, E::Concluido},
    {Operacao::Renovacao, E::EmAberto, E::EmAberto},
    {Operacao::Renovacao, E::Enviado, E::Enviado},
    {Operacao::Renovacao, E::Vencido, E::Vencido},
    // An approval undone (asked for, or by a change of the approved quote) goes back to
    // waiting for an answer: "Enviado" again when the quote was ever sent.
    {Operacao::DesfazerAprovacao, E::Aprovado, E::EmAberto},
    {Operacao::DesfazerAprovacao, E::AprovadoEmParte, E::EmAberto},
};

// What an operation makes of a quote, as the refusal says it: "não pode ser aprovado".
QString Participio(Operacao operacao) {
    switch (operacao) {
    case Operacao::Envio:
        return QStringLiteral("enviado");
    case Operacao::Entrega:
        return QStringLiteral("entregue ao cliente");
    case Operacao::Aprovacao:
        return QStringLiteral("aprovado");
    case Operacao::AprovacaoEmParte:
        return QStringLiteral("aprovado em parte");
    case Operacao::Recusa:
        return QStringLiteral("recusado");
    case Operacao::Conclusao:
        return QStringLiteral("concluído");
    case Operacao::Renovacao:
        return QStringLiteral("renovado");
    case Operacao::DesfazerAprovacao:
        return QStringLiteral("ter a aprovação desfeita");
    }
    return {};
}

// A quote's stored stage looked up by its key, in a correlated subquery: neither
// database turns it into a join, where EXISTS and NOT EXISTS let PostgreSQL hash every
// stage row of the database (hundreds of ms at a million quotes) before the few quotes
// of a range of validity dates.
const QString EtapaPorChave = QStringLiteral(
    "(SELECT e.Etapa FROM EtapasDoOrcamento e WHERE e.NumeroDoOrcamento = o.NumeroDoOrcamento)");

// The newest (MAX) or oldest (MIN) quote valid from a day (to another, with comFim), as a
// scalar subquery; its parameters: the first day, then the last one twice. It is found
// one validity date at a time: the range's distinct dates, each by one probe of the
// validity index, and each date's newest or oldest quote by another (the index holds the
// number after the date). A MIN over the range read every quote valid in it: 57 ms at
// ten million quotes, against 1.
QString ExtremoDosValidos(const QString& extremo, bool comFim) {
    const QString fim = comFim ? QStringLiteral(" AND d.v <= ?") : QString();
    return QStringLiteral(
               "(WITH RECURSIVE d(v) AS (SELECT MIN(DataDeValidadeDoOrcamento) FROM Orcamentos WHERE "
               "DataDeValidadeDoOrcamento >= ? UNION ALL SELECT (SELECT MIN(w.DataDeValidadeDoOrcamento) "
               "FROM Orcamentos w WHERE w.DataDeValidadeDoOrcamento > d.v) FROM d WHERE d.v IS NOT NULL%2) "
               "SELECT %1((SELECT %1(v.NumeroDoOrcamento) FROM Orcamentos v WHERE "
               "v.DataDeValidadeDoOrcamento = d.v)) FROM d WHERE d.v IS NOT NULL%2)")
        .arg(extremo, fim);
}

} // namespace

QString EtapaMostrada(const QString& gravada, const QDate& validade, const QDate& hoje) {
    const bool aguardando = gravada == E::EmAberto || gravada == E::Enviado;
    return aguardando && validade.isValid() && validade < hoje ? E::Vencido : gravada;
}

EtapaLida LerEtapa(QSqlQuery& linha, bool achou, double numero) {
    if (!achou) Objetos::Recusar(QStringLiteral("O orçamento %1 não está cadastrado.").arg(VB::CStr(numero)));
    const QString gravada = linha.isNull(2) ? E::EmAberto : linha.value(2).toString();
    return {EtapaMostrada(gravada, Banco::DataDeIso(linha.value(0).toString()), Relogio::Hoje()),
            GravacaoDeOrcamentos::TextoDaDataEHora(
                linha.isNull(1) ? QDateTime() : Banco::DataEHoraDeIso(linha.value(1).toString()))};
}

std::optional<QString> Destino(Operacao operacao, const QString& etapaMostrada) {
    for (const Transicao& t : Transicoes)
        if (t.Op == operacao && t.De == etapaMostrada) return t.Para;
    return std::nullopt;
}

QString MensagemDeRecusa(qint64 numero, Operacao operacao, const QString& etapaMostrada) {
    return QStringLiteral("O orçamento %1 está %2: não pode ser %3.")
        .arg(QString::number(numero), etapaMostrada.toLower(), Participio(operacao));
}

void Gravar(qint64 numero, const Dados& d) {
    Banco::Executar(
        QStringLiteral(
            "INSERT INTO EtapasDoOrcamento (NumeroDoOrcamento, Etapa, DataEHoraDaEtapa, "
            "UsuarioDaEtapa, Responsavel, Meio, MotivoDaRecusa, Nota) VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
            "ON CONFLICT (NumeroDoOrcamento) DO UPDATE SET Etapa = excluded.Etapa, "
            "DataEHoraDaEtapa = excluded.DataEHoraDaEtapa, UsuarioDaEtapa = excluded.UsuarioDaEtapa, "
            "Responsavel = excluded.Responsavel, Meio = excluded.Meio, "
            "MotivoDaRecusa = excluded.MotivoDaRecusa, Nota = excluded.Nota"),
        {numero, d.Etapa, Banco::DataEHoraIso(d.Quando), d.Usuario, d.Responsavel, d.Meio, d.MotivoDaRecusa,
         d.Nota});
}

QString EtapaGravada(qint64 numero) {
    const QVariant etapa = Banco::Valor(
        QStringLiteral("SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?"), {numero});
    return etapa.isValid() && !etapa.isNull() ? etapa.toString() : E::EmAberto;
}

void VoltarAntesDaResposta(qint64 numero, const QString& usuario, const QDateTime& quando) {
    Banco::Executar(QStringLiteral("DELETE FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?"), {numero});
    Banco::Executar(
        QStringLiteral("INSERT INTO EtapasDoOrcamento (NumeroDoOrcamento, Etapa, DataEHoraDaEtapa, "
                       "UsuarioDaEtapa) SELECT ?, 'Enviado', ?, ? WHERE EXISTS (SELECT 1 FROM "
                       "EnviosDeOrcamentos WHERE NumeroDoOrcamento = ?)"),
        {numero, Banco::DataEHoraIso(quando), usuario, numero});
}

void RegistrarEnvio(qint64 numero, const QString& usuario, const QDateTime& quando) {
    const auto destino = Destino(Operacao::Envio, EtapaGravada(numero));
    if (destino) Gravar(numero, {*destino, quando, usuario, {}, {}, {}, {}});
}

QString NaoRespondido() {
    return QStringLiteral("COALESCE(") + EtapaPorChave + QStringLiteral(", 'Enviado') = 'Enviado'");
}

std::optional<Dialeto::Subconsulta> CondicaoDoFiltro(qint32 codigo, const QDate& hoje) {
    namespace F = ZELT_N_Orcamentos::FiltroDaLista;
    const QString hojeIso = Banco::DataIso(hoje);
    // The filters by stage walk the quotes newest first too, each one's stage by its
    // key: a stage's quotes are spread over the years, so a page (the first or, read
    // backwards, the last) is met within a few hundred quotes, where reading the stage
    // index had SQLite gather and sort all of the stage's quotes (12 ms of CPU for 63,000).
    const QString naEtapa = EtapaPorChave + QStringLiteral(" IN (%1)");
    switch (codigo) {
    // The filters by validity walk the quotes newest first by their key, each one's
    // validity and stage checked on it (the "|| ''" keeps both databases from the
    // validity index): the quotes still valid are the newest, so the first page is met
    // within a few days' quotes, where the validity index would find every quote of the
    // range, look each one's stage up and sort them all (tens of ms at a million quotes).
    // The walk starts at the oldest quote of the range, read off the validity index, so
    // that the last page, read backwards, does not walk the years before it (0.4 to 0.9 s);
    // a range with an end also stops at its newest quote, so that the first page does not
    // walk the newer quotes valid beyond it (three days of quotes, 29 ms at ten million).
    case F::AguardandoResposta:
        return Dialeto::Subconsulta{QStringLiteral("o.NumeroDoOrcamento >= ") +
                                        ExtremoDosValidos(QStringLiteral("MIN"), false) +
                                        QStringLiteral(" AND o.DataDeValidadeDoOrcamento || '' >= ? AND ") +
                                        EtapaPorChave + QStringLiteral(" = ?"),
                                    {hojeIso, hojeIso, E::Enviado}};
    case F::VencemEmAte7Dias: {
        const QString ate = Banco::DataIso(hoje.addDays(7));
        return Dialeto::Subconsulta{
            QStringLiteral("o.NumeroDoOrcamento BETWEEN ") + ExtremoDosValidos(QStringLiteral("MIN"), true) +
                QStringLiteral(" AND ") + ExtremoDosValidos(QStringLiteral("MAX"), true) +
                QStringLiteral(" AND o.DataDeValidadeDoOrcamento || '' BETWEEN ? AND ? AND ") +
                NaoRespondido(),
            {hojeIso, ate, ate, hojeIso, ate, ate, hojeIso, ate}};
    }
    // "Vencidos" walks from the newest range of numbers that may hold an expired quote
    // (business/FaixasDeValidade.h), not through the days of quotes still valid above it.
    case F::Vencidos:
        return Dialeto::Subconsulta{
            QStringLiteral("o.NumeroDoOrcamento <= ") + FaixasDeValidade::MaiorNumeroComValidadeAntesDe() +
                QStringLiteral(" AND o.DataDeValidadeDoOrcamento || '' < ? AND ") + NaoRespondido(),
            {hojeIso, hojeIso}};
    case F::Aprovados:
        return Dialeto::Subconsulta{naEtapa.arg(QStringLiteral("?, ?")), {E::Aprovado, E::AprovadoEmParte}};
    case F::Recusados:
        return Dialeto::Subconsulta{naEtapa.arg(QStringLiteral("?")), {E::Recusado}};
    case F::Concluidos:
        return Dialeto::Subconsulta{naEtapa.arg(QStringLiteral("?")), {E::Concluido}};
    default:
        return std::nullopt;
    }
}

ContagemDeOrcamentos::Consulta NaoRespondidosValidosEntre(bool soEnviados, const QDate& de,
                                                          const QDate& ate) {
    // The follow-up's counters keep the validity date of the quotes not answered only
    // ('' for the others, which never expire), and '' as the stage "Em aberto"; their
    // index ContagemDoAcompanhamento_Validade reads the range.
    QString sql =
        QStringLiteral("SELECT COALESCE(SUM(Quantidade), 0) FROM ContagemDoAcompanhamento WHERE Etapa ") +
        (soEnviados ? QStringLiteral("= 'Enviado'") : QStringLiteral("IN ('', 'Enviado')"));
    QVariantList parametros;
    if (de.isValid()) {
        sql += QStringLiteral(" AND Validade >= ?");
        parametros << Banco::DataIso(de);
    }
    if (ate.isValid()) {
        sql += QStringLiteral(" AND Validade <= ?");
        parametros << Banco::DataIso(ate);
    }
    return {sql, parametros};
}

std::optional<ContagemDeOrcamentos::Consulta> ContagemDoFiltro(qint32 codigo, const QDate& hoje) {
    namespace F = ZELT_N_Orcamentos::FiltroDaLista;
    const QString porEtapa =
        QStringLiteral("(SELECT COALESCE(SUM(Quantidade), 0) FROM ContagemDeEtapas WHERE "
                       "Etapa IN (%1))");
    switch (codigo) {
    // The filters by validity from the follow-up's counters, whose rows grow with the
    // days and users, not with the quotes.
    case F::AguardandoResposta:
        return NaoRespondidosValidosEntre(true, hoje, {});
    case F::VencemEmAte7Dias:
        return NaoRespondidosValidosEntre(false, hoje, hoje.addDays(7));
    case F::Aprovados:
        return ContagemDeOrcamentos::Consulta{QStringLiteral("SELECT ") +
                                                  porEtapa.arg(QStringLiteral("?, ?")),
                                              {E::Aprovado, E::AprovadoEmParte}};
    case F::Recusados:
        return ContagemDeOrcamentos::Consulta{QStringLiteral("SELECT ") + porEtapa.arg(QStringLiteral("?")),
                                              {E::Recusado}};
    case F::Concluidos:
        return ContagemDeOrcamentos::Consulta{QStringLiteral("SELECT ") + porEtapa.arg(QStringLiteral("?")),
                                              {E::Concluido}};
    case F::Vencidos: {
        // Every quote, less the answered ones, less those not answered and still valid
        // (a range of the counters' validity index, however old the quotes).
        const ContagemDeOrcamentos::Consulta validos = NaoRespondidosValidosEntre(false, hoje, {});
        return ContagemDeOrcamentos::Consulta{
            QStringLiteral("SELECT (") + ContagemDeOrcamentos::Total(0).Sql + QStringLiteral(") - ") +
                porEtapa.arg(QStringLiteral("?, ?, ?, ?")) + QStringLiteral(" - (") + validos.Sql + u')',
            QVariantList{E::Aprovado, E::AprovadoEmParte, E::Recusado, E::Concluido} + validos.Parametros};
    }
    default:
        return std::nullopt;
    }
}

QStringList Divergencias() {
    QSqlQuery q = Banco::Executar(QStringLiteral(
        "SELECT Etapa, SUM(Linhas), SUM(Contagem) FROM (SELECT Etapa, 1 AS Linhas, 0 AS Contagem FROM "
        "EtapasDoOrcamento UNION ALL SELECT Etapa, 0, Quantidade FROM ContagemDeEtapas) t GROUP BY Etapa "
        "HAVING SUM(Linhas) <> SUM(Contagem) ORDER BY Etapa"));
    QStringList divergencias;
    while (q.next())
        divergencias << QStringLiteral("Etapa %1: %2 orçamentos, contagem %3")
                            .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return divergencias;
}

namespace {

// The triggers that keep ContagemDeEtapas: a row's stage counted in its slot (its quote's
// number modulo ContagemDeOrcamentos::Fatias, so that two workstations answering
// different quotes seldom wait for one counter row), also when a quote's deletion takes
// its stage row with it.
QStringList GatilhosDaContagem(const Dialeto& dialeto) {
    const QString fatia =
        QStringLiteral("%1.NumeroDoOrcamento % ") + QString::number(ContagemDeOrcamentos::Fatias);
    const QString mais =
        QStringLiteral("INSERT INTO ContagemDeEtapas (Etapa, Fatia, Quantidade) VALUES (NEW.Etapa, ") +
        fatia.arg(QStringLiteral("NEW")) +
        QStringLiteral(", 1) ON CONFLICT (Etapa, Fatia) DO UPDATE SET Quantidade = "
                       "ContagemDeEtapas.Quantidade + 1;");
    const QString menos =
        QStringLiteral("UPDATE ContagemDeEtapas SET Quantidade = Quantidade - 1 WHERE Etapa = OLD.Etapa AND "
                       "Fatia = ") +
        fatia.arg(QStringLiteral("OLD")) + u';';
    if (dialeto.EhSQLite())
        return {
            QStringLiteral("CREATE TRIGGER IF NOT EXISTS EtapasDoOrcamento_Contagem_Insercao AFTER INSERT ON "
                           "EtapasDoOrcamento BEGIN ") +
                mais + QStringLiteral(" END"),
            QStringLiteral("CREATE TRIGGER IF NOT EXISTS EtapasDoOrcamento_Contagem_Exclusao AFTER DELETE ON "
                           "EtapasDoOrcamento BEGIN ") +
                menos + QStringLiteral(" END"),
            QStringLiteral("CREATE TRIGGER IF NOT EXISTS EtapasDoOrcamento_Contagem_Mudanca AFTER UPDATE OF "
                           "Etapa ON EtapasDoOrcamento WHEN OLD.Etapa <> NEW.Etapa BEGIN ") +
                menos + u' ' + mais + QStringLiteral(" END")};
    return {
        QStringLiteral("CREATE OR REPLACE FUNCTION EtapasDoOrcamento_Contar() RETURNS trigger AS $f$ BEGIN "
                       "IF TG_OP <> 'INSERT' THEN ") +
            menos + QStringLiteral(" END IF; IF TG_OP <> 'DELETE' THEN ") + mais +
            QStringLiteral(" END IF; RETURN NULL; END $f$ LANGUAGE plpgsql"),
        QStringLiteral("DROP TRIGGER IF EXISTS EtapasDoOrcamento_Contagem ON EtapasDoOrcamento"),
        QStringLiteral(
            "CREATE TRIGGER EtapasDoOrcamento_Contagem AFTER INSERT OR DELETE OR UPDATE OF Etapa ON "
            "EtapasDoOrcamento FOR EACH ROW EXECUTE FUNCTION EtapasDoOrcamento_Contar()")};
}

} // namespace

void CriarEsquema(const Dialeto& dialeto) {
    // Only the stages after "Em aberto" are stored (see the header).
    QStringList comandos{
        dialeto.Ddl(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS EtapasDoOrcamento ("
            "NumeroDoOrcamento {INTEIRO} PRIMARY KEY REFERENCES Orcamentos (NumeroDoOrcamento) ON DELETE "
            "CASCADE, "
            "Etapa TEXT NOT NULL CHECK (Etapa IN ('Enviado', 'Aprovado', 'Aprovado em parte', 'Recusado', "
            "'Concluído')), "
            "DataEHoraDaEtapa TEXT NOT NULL, UsuarioDaEtapa TEXT NOT NULL, "
            "Responsavel TEXT NOT NULL DEFAULT '', Meio TEXT NOT NULL DEFAULT '', "
            "MotivoDaRecusa TEXT NOT NULL DEFAULT '', Nota TEXT NOT NULL DEFAULT '')")),
        dialeto.Ddl(QStringLiteral("CREATE TABLE IF NOT EXISTS ContagemDeEtapas (Etapa TEXT NOT NULL, "
                                   "Fatia {INTEIRO} NOT NULL, Quantidade {INTEIRO} NOT NULL, "
                                   "PRIMARY KEY (Etapa, Fatia))")),
        // The filters by stage read the quotes of a stage by this index, newest first;
        // those by validity read a range of dates.
        QStringLiteral("CREATE INDEX IF NOT EXISTS EtapasDoOrcamento_Etapa ON EtapasDoOrcamento (Etapa, "
                       "NumeroDoOrcamento)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS Orcamentos_Validade ON Orcamentos "
                       "(DataDeValidadeDoOrcamento, NumeroDoOrcamento)"),
        // The quotes already sent, each dated and signed by its last send: one statement
        // that reads the sends' index once, whatever the number of quotes.
        QStringLiteral(
            "INSERT INTO EtapasDoOrcamento (NumeroDoOrcamento, Etapa, DataEHoraDaEtapa, UsuarioDaEtapa) "
            "SELECT s.NumeroDoOrcamento, 'Enviado', s.DataEHoraDoEnvio, s.UsuarioDoEnvio "
            "FROM EnviosDeOrcamentos s WHERE s.NumeroDoEnvio = (SELECT MAX(x.NumeroDoEnvio) FROM "
            "EnviosDeOrcamentos x WHERE x.NumeroDoOrcamento = s.NumeroDoOrcamento) "
            "ON CONFLICT (NumeroDoOrcamento) DO NOTHING"),
        // Counted once, as a whole, before the triggers count row by row.
        QStringLiteral("DELETE FROM ContagemDeEtapas"),
        QStringLiteral(
            "INSERT INTO ContagemDeEtapas (Etapa, Fatia, Quantidade) SELECT Etapa, NumeroDoOrcamento "
            "% %1, COUNT(*) FROM EtapasDoOrcamento GROUP BY Etapa, NumeroDoOrcamento % %1")
            .arg(ContagemDeOrcamentos::Fatias),
    };
    Banco::ExecutarTodos(comandos + GatilhosDaContagem(dialeto));
}

} // namespace EtapasDoOrcamento

namespace Objetos {
namespace {

using EtapasDoOrcamento::Operacao;
namespace Op = ZELT_N_Orcamentos::OperacaoDoHistorico;

class clsEtapasDoOrcamentoNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsEtapasDoOrcamento> {
public:
    clsEtapasDoOrcamentoNoBanco()
        : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsEtapasDoOrcamento")) {}

    qint16 EntregueAoCliente(double numero) override {
        return Mudar("EntregueAoCliente", numero, Operacao::Entrega, {}, Op::EntregueAoCliente);
    }

    // The plain approval (who and how) is an approval of every item, with no signature:
    // what the suite records for a yes given by telephone. Declining items needs their
    // marks: clsAprovacaoDoOrcamento::Aprovar.
    qint16 RegistrarAprovacao(double numero, const QString& quem, const QString& como,
                              bool parcial) override {
        return Estado("RegistrarAprovacao", [&] {
            if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
            if (parcial)
                Rejeitar(QStringLiteral("Parcial"),
                         QStringLiteral("Para aprovar em parte, marque os itens recusados em \"Aprovar "
                                        "orçamento…\"."));
            if (quem.trimmed().isEmpty())
                Rejeitar(QStringLiteral("Quem"), QStringLiteral("Informe quem aprovou o orçamento."));
            if (!ZELT_N_Orcamentos::MeiosDeAprovacao.contains(como))
                Rejeitar(QStringLiteral("Como"), QStringLiteral("Informe como o orçamento foi aprovado."));
            const QString usuario = DadosDoUsuario->property("NomeDoUsuario").toString();
            Banco::UnidadeDeTrabalho unidade;
            const GravacaoDeOrcamentos::OrcamentoGravado gravado = GravacaoDeOrcamentos::LerParaAtualizar(
                numero, DataEHoraDaAlteracaoLida, QStringLiteral("A etapa do orçamento não foi alterada"));
            const QDateTime carimbo =
                AprovacaoDoOrcamento::Aprovar(gravado, {{}, quem.trimmed(), {}, como, {}}, usuario);
            unidade.Confirmar();
            DataEHoraDaAlteracaoLida = GravacaoDeOrcamentos::TextoDaDataEHora(carimbo);
        });
    }

    qint16 RegistrarRecusa(double numero, const QString& motivo, const QString& nota) override {
        EtapasDoOrcamento::Dados dados;
        dados.MotivoDaRecusa = motivo;
        dados.Nota = nota.trimmed();
        return Mudar("RegistrarRecusa", numero, Operacao::Recusa, dados, Op::RecusadoPor(motivo));
    }

    qint16 Concluir(double numero) override {
        return Mudar("Concluir", numero, Operacao::Conclusao, {}, Op::Concluido);
    }

    qint16 Ler(double numero) override {
        return Estado("Ler", [&] {
            const auto codigo = CodigoDoDouble(numero);
            QSqlQuery q = Banco::Executar(
                QStringLiteral("SELECT o.DataDeValidadeDoOrcamento, o.DataEHoraDaAlteracao, e.Etapa, "
                               "c.NomeOuRazaoSocial FROM Orcamentos o LEFT JOIN EtapasDoOrcamento e ON "
                               "e.NumeroDoOrcamento = o.NumeroDoOrcamento LEFT JOIN Clientes c ON "
                               "c.CodigoDoCliente = o.CodigoDoCliente WHERE o.NumeroDoOrcamento = ?"),
                {codigo ? *codigo : qint64(-1)});
            const EtapasDoOrcamento::EtapaLida lida = EtapasDoOrcamento::LerEtapa(q, q.next(), numero);
            EtapaDoOrcamento = lida.Etapa;
            DataEHoraDaAlteracaoLida = lida.DataEHoraDaAlteracao;
            NomeDoCliente = q.value(3).toString();
            const auto permite = [&](Operacao operacao) {
                return EtapasDoOrcamento::Destino(operacao, EtapaDoOrcamento).has_value();
            };
            PermiteEntrega = permite(Operacao::Entrega);
            PermiteAprovacao = permite(Operacao::Aprovacao);
            PermiteRecusa = permite(Operacao::Recusa);
            PermiteConclusao = permite(Operacao::Conclusao);
        });
    }

private:
    // Checks what the caller gave, then, in one unit of work: the quote read locked and
    // checked against the stamp read, the move looked up in the machine, the quote's new
    // stamp, its stage and its history entry. Anything refused or failed undoes it all.
    qint16 Mudar(const char* procedimento, double numero, Operacao operacao, EtapasDoOrcamento::Dados dados,
                 const QString& entrada) {
        return Estado(procedimento, [&] {
            if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
            Validar(operacao, dados);
            const QString usuario = DadosDoUsuario->property("NomeDoUsuario").toString();
            Banco::UnidadeDeTrabalho unidade;
            const GravacaoDeOrcamentos::OrcamentoGravado gravado = GravacaoDeOrcamentos::LerParaAtualizar(
                numero, DataEHoraDaAlteracaoLida, QStringLiteral("A etapa do orçamento não foi alterada"));
            const QString mostrada =
                EtapasDoOrcamento::EtapaMostrada(gravado.Etapa, gravado.Validade, Relogio::Hoje());
            const auto destino = EtapasDoOrcamento::Destino(operacao, mostrada);
            if (!destino) Recusar(EtapasDoOrcamento::MensagemDeRecusa(gravado.Numero, operacao, mostrada));
            // A stage change is a change of the quote: its new stamp makes every other
            // workstation's reading of it stale, as a save does.
            const QDateTime carimbo = GravacaoDeOrcamentos::CarimboSeguinte(gravado);
            Banco::Executar(
                QStringLiteral("UPDATE Orcamentos SET DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = ? "
                               "WHERE NumeroDoOrcamento = ?"),
                {Banco::DataEHoraIso(carimbo), usuario, gravado.Numero});
            dados.Etapa = *destino;
            dados.Quando = carimbo;
            dados.Usuario = usuario;
            EtapasDoOrcamento::Gravar(gravado.Numero, dados);
            // A client who gives up after approving: the approval ends with the refusal.
            // The work done ("Concluído") keeps it: what was approved, the items declined
            // and the signature stay in force for the payments and the figures.
            if (operacao == Operacao::Recusa && AprovacaoDoOrcamento::EstaAprovado(gravado.Etapa))
                AprovacaoDoOrcamento::EncerrarEmVigor(gravado.Numero, usuario, carimbo);
            Historico::Registrar(gravado.Numero, entrada, usuario);
            unidade.Confirmar();
            DataEHoraDaAlteracaoLida = GravacaoDeOrcamentos::TextoDaDataEHora(carimbo);
        });
    }

    static void Validar(Operacao operacao, const EtapasDoOrcamento::Dados& dados) {
        // The approvals are checked by AprovacaoDoOrcamento.
        if (operacao == Operacao::Recusa &&
            !ZELT_N_Orcamentos::MotivosDaRecusa.contains(dados.MotivoDaRecusa))
            Rejeitar(QStringLiteral("Motivo"),
                     QStringLiteral("O motivo da recusa \"%1\" não é conhecido.").arg(dados.MotivoDaRecusa));
    }
};

} // namespace

std::unique_ptr<QObject> NovoEtapasDoOrcamento() {
    return std::make_unique<clsEtapasDoOrcamentoNoBanco>();
}

} // namespace Objetos
