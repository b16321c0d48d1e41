#include "business/Historico.h"

#include "business/Banco.h"
#include "business/Compactacao.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Objetos.h"
#include "business/Relogio.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlRecord>

namespace Historico {

using GravacaoDeOrcamentos::ColunasDoItem;
using GravacaoDeOrcamentos::ColunasDoOrcamento;

const Dialeto::TabelaPesquisavel Excluidos{QStringLiteral("OrcamentosExcluidos"),
                                           QStringLiteral("NumeroDoOrcamento"),
                                           {{QStringLiteral("NumeroDoOrcamento"), true}}};

namespace {

namespace Op = ZELT_N_Orcamentos::OperacaoDoHistorico;

// Stored columns hold integers, texts or, an approval's signature, bytes (kept in base64
// as {"b": "..."}, which no integer or text is).
QJsonValue ValorDaCopia(const QVariant& valor) {
    if (valor.isNull()) return QJsonValue(QJsonValue::Null);
    if (valor.metaType().id() == QMetaType::QString) return valor.toString();
    if (valor.metaType().id() == QMetaType::QByteArray)
        return QJsonObject{{QStringLiteral("b"), QString::fromLatin1(valor.toByteArray().toBase64())}};
    return valor.toLongLong();
}

QVariant ValorDoBanco(const QJsonValue& valor) {
    if (valor.isNull() || valor.isUndefined()) return Banco::Nulo();
    if (valor.isString()) return valor.toString();
    if (valor.isObject())
        return QByteArray::fromBase64(valor.toObject().value(QStringLiteral("b")).toString().toLatin1());
    return valor.toInteger();
}

[[noreturn]] void CopiaDanificada(qint64 registro) {
    Banco::Falhar(QStringLiteral("A cópia do registro %1 do histórico está danificada.").arg(registro));
}

// Whether an entry's copy may be the base of later versions' differences: stored whole,
// and not a deletion's, which may carry signatures (TabelasDaVida) that the versions
// after a restoration would otherwise open each time they are read.
const QString CopiaQueServeDeBase =
    QStringLiteral("RegistroDaBase IS NULL AND CopiaCompactada IS NOT NULL AND Operacao <> '%1'")
        .arg(Op::Excluido);

// The rows the deletion of a quote takes with it by cascade, beside its items: its
// stage, its sends, its approvals with their signatures, the animal's weight given with
// it and its items marked "se necessário" (after the items they name). The deletion's entry keeps
// them (and only that entry: no other copy carries a signature) and the restoration puts
// them back in this order, each row with its own key, so that the stage, the last send
// and the approval in force are the ones the quote had. Each table's rows are kept with
// their column names (read whole, SELECT *): a column a later version adds travels too,
// and an entry written before it restores with the column's default. Payments are not
// here: a quote with payments is never deleted.
const QStringList TabelasDaVida{QStringLiteral("EtapasDoOrcamento"), QStringLiteral("EnviosDeOrcamentos"),
                                QStringLiteral("AprovacoesDoOrcamento"), QStringLiteral("PesosDosOrcamentos"),
                                QStringLiteral("ItensSeNecessario")};

QJsonArray Linha(const QSqlQuery& q, qsizetype colunas, qsizetype primeira = 0) {
    QJsonArray linha;
    for (qsizetype i = primeira; i < primeira + colunas; ++i)
        linha << ValorDaCopia(q.value(static_cast<int>(i)));
    return linha;
}

struct Copia {
    QByteArray Json;
    qint64 CodigoDoCliente = 0;
    qint64 ValorLiquido = 0;
    qint64 QuantidadeDeItens = 0;
    // The quote's last whole copy in the history (its entry and its stream), when it has one.
    std::optional<std::pair<qint64, QByteArray>> Base;
};

// vida: the rows a deletion keeps (VidaDoOrcamento), for a deletion's entry only.
Copia MontarCopia(const QJsonArray& orcamento, const QJsonArray& itens,
                  std::optional<std::pair<qint64, QByteArray>> base = std::nullopt,
                  const QJsonObject& vida = {}) {
    Copia copia;
    copia.Base = std::move(base);
    QJsonObject json{{QStringLiteral("o"), orcamento}, {QStringLiteral("i"), itens}};
    if (!vida.isEmpty()) json.insert(QStringLiteral("v"), vida);
    copia.Json = QJsonDocument(json).toJson(QJsonDocument::Compact);
    copia.CodigoDoCliente = orcamento.at(ColunasDoOrcamento.indexOf(u"CodigoDoCliente")).toInteger();
    copia.ValorLiquido = orcamento.at(ColunasDoOrcamento.indexOf(u"ValorLiquido")).toInteger();
    copia.QuantidadeDeItens = itens.size();
    return copia;
}

// The entry's copy as stored: the difference from the quote's last whole copy when that
// is at most half the whole copy's size (the versions after the first repeat most of
// it), else whole. A difference always refers to a whole copy, so that reading any
// version opens at most two.
struct CopiaCompacta {
    QByteArray Dados;
    QVariant RegistroDaBase;
};

// base: the quote's last whole copy (its entry and its stream), when it has one.
CopiaCompacta Compactar(const QByteArray& json, const std::optional<std::pair<qint64, QByteArray>>& base) {
    QByteArray inteira = Compactacao::Compactar(json);
    if (base)
        if (const auto texto = Compactacao::Descompactar(base->second)) {
            QByteArray diferenca = Compactacao::Compactar(json, *texto);
            if (diferenca.size() * 2 <= inteira.size()) return {std::move(diferenca), base->first};
        }
    return {std::move(inteira), Banco::Nulo()};
}

// The last whole copies of the quotes numbered primeiro to ultimo, by quote.
QHash<qint64, std::pair<qint64, QByteArray>> Bases(qint64 primeiro, qint64 ultimo) {
    QSqlQuery q =
        Banco::Executar(QStringLiteral("SELECT NumeroDoOrcamento, NumeroDoRegistro, CopiaCompactada "
                                       "FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento BETWEEN ? "
                                       "AND ? AND ") +
                            CopiaQueServeDeBase + QStringLiteral(" ORDER BY NumeroDoRegistro"),
                        {primeiro, ultimo});
    QHash<qint64, std::pair<qint64, QByteArray>> bases;
    while (q.next())
        bases.insert(q.value(0).toLongLong(), {q.value(1).toLongLong(), q.value(2).toByteArray()});
    return bases;
}

// The quote as stored now, with its items in item order, and its last whole copy in the
// history: one statement (the header repeated on each item's row, a quote without items
// one row; the whole copy on the first row only).
Copia CopiaDoOrcamento(qint64 numero, const QJsonObject& vida = {}) {
    QStringList colunas;
    for (const QString& coluna : ColunasDoOrcamento)
        colunas << QStringLiteral("o.") + coluna;
    for (const QString& coluna : ColunasDoItem)
        colunas << QStringLiteral("i.") + coluna;
    colunas << QStringLiteral("b.NumeroDoRegistro") << QStringLiteral("b.CopiaCompactada");
    QSqlQuery q = Banco::Executar(
        QStringLiteral("SELECT ") + colunas.join(QStringLiteral(", ")) +
            QStringLiteral(
                " FROM Orcamentos o LEFT JOIN ItensDeOrcamento i ON i.NumeroDoOrcamento = "
                "o.NumeroDoOrcamento LEFT JOIN HistoricoDeOrcamentos b ON b.NumeroDoRegistro = "
                "(SELECT MAX(NumeroDoRegistro) FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ? "
                "AND ") +
            CopiaQueServeDeBase +
            QStringLiteral(
                ") AND "
                "COALESCE(i.NumeroDoItemDoOrcamento, 0) = (SELECT COALESCE(MIN(NumeroDoItemDoOrcamento), "
                "0) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?) WHERE o.NumeroDoOrcamento = ? "
                "ORDER BY i.NumeroDoItemDoOrcamento"),
        {numero, numero, numero});
    if (!q.next()) Banco::Falhar(QStringLiteral("O orçamento %1 não existe.").arg(numero));
    const int doItem = static_cast<int>(ColunasDoOrcamento.size());
    const int daBase = doItem + static_cast<int>(ColunasDoItem.size());
    std::optional<std::pair<qint64, QByteArray>> base;
    const QJsonArray cabecalho = Linha(q, ColunasDoOrcamento.size());
    QJsonArray itens;
    do {
        if (!q.isNull(doItem)) itens << Linha(q, ColunasDoItem.size(), doItem);
        if (!q.isNull(daBase)) base = {q.value(daBase).toLongLong(), q.value(daBase + 1).toByteArray()};
    } while (q.next());
    return MontarCopia(cabecalho, itens, std::move(base), vida);
}

// The rows of TabelasDaVida the quote has, by table, each table's first array its
// column names: {"EnviosDeOrcamentos": [["NumeroDoEnvio", ...], [1, ...], ...], ...};
// a table without rows is left out.
QJsonObject VidaDoOrcamento(qint64 numero) {
    QJsonObject vida;
    for (const QString& tabela : TabelasDaVida) {
        QSqlQuery q = Banco::Executar(
            QStringLiteral("SELECT * FROM %1 WHERE NumeroDoOrcamento = ?").arg(tabela), {numero});
        QJsonArray linhas;
        while (q.next()) {
            if (linhas.isEmpty()) {
                QJsonArray colunas;
                for (int c = 0; c < q.record().count(); ++c)
                    colunas << q.record().fieldName(c);
                linhas << colunas;
            }
            linhas << Linha(q, q.record().count());
        }
        if (!linhas.isEmpty()) vida.insert(tabela, linhas);
    }
    return vida;
}

// Puts back the rows a deletion's copy kept (none in an entry written before deletions
// kept them: the quote comes back "Em aberto", without sends). One row a statement: the
// counters' triggers on PostgreSQL run after the whole statement and take a quote's part
// out as "its rows but the new one", which two new rows of one quote in one statement
// would count wrong. The statements travel with the next one (ExecutarComOProximo), so
// a restoration costs no round trip more for them. registro: the entry, named when the
// copy is damaged.
void RestaurarVida(const QJsonObject& vida, qint64 registro) {
    static const QRegularExpression nome(QStringLiteral("^[A-Za-z]+$"));
    for (const QString& tabela : TabelasDaVida) {
        const QJsonArray linhas = vida.value(tabela).toArray();
        QStringList colunas;
        for (const QJsonValue& coluna : linhas.at(0).toArray())
            colunas << coluna.toString();
        for (const QString& coluna : colunas)
            if (!nome.match(coluna).hasMatch()) CopiaDanificada(registro);
        for (qsizetype l = 1; l < linhas.size(); ++l) {
            const QJsonArray linha = linhas.at(l).toArray();
            if (linha.size() != colunas.size()) CopiaDanificada(registro);
            QVariantList valores;
            for (const QJsonValue& valor : linha)
                valores << ValorDoBanco(valor);
            Banco::ExecutarComOProximo(GravacaoDeOrcamentos::Insercao(tabela, colunas), valores);
        }
    }
}

// The INSERT of a history entry and its parameters.
std::pair<QString, QVariantList> Entrada(qint64 numero, const QDateTime& quando, const QString& usuario,
                                         const QString& operacao, const Copia& copia) {
    const CopiaCompacta compacta = Compactar(copia.Json, copia.Base);
    return {QStringLiteral(
                "INSERT INTO HistoricoDeOrcamentos (NumeroDoOrcamento, DataEHora, Usuario, Operacao, "
                "ValorLiquido, QuantidadeDeItens, Copia, CopiaCompactada, RegistroDaBase) VALUES (?, ?, "
                "?, ?, ?, ?, '', ?, ?)"),
            {numero, Banco::DataEHoraIso(quando), usuario, operacao, copia.ValorLiquido,
             copia.QuantidadeDeItens, compacta.Dados, compacta.RegistroDaBase}};
}

// An entry's copy as its JSON text: kept as text by the entries written before the
// copies were compacted, compacted since (whole, or the difference from a whole one).
QByteArray TextoDaCopia(qint64 registro, bool podeSerDiferenca = true) {
    QSqlQuery q = Banco::Executar(QStringLiteral("SELECT Copia, CopiaCompactada, RegistroDaBase FROM "
                                                 "HistoricoDeOrcamentos WHERE NumeroDoRegistro = ?"),
                                  {registro});
    if (!q.next()) Banco::Falhar(QStringLiteral("O registro %1 do histórico não existe.").arg(registro));
    if (q.value(1).isNull()) return q.value(0).toString().toUtf8();
    const bool diferenca = !q.value(2).isNull();
    if (diferenca && !podeSerDiferenca) CopiaDanificada(registro); // a base is always whole
    const QByteArray base = diferenca ? TextoDaCopia(q.value(2).toLongLong(), false) : QByteArray();
    const auto texto = Compactacao::Descompactar(q.value(1).toByteArray(), base);
    if (!texto) CopiaDanificada(registro);
    return *texto;
}

// The first entries of the quotes a database holds when it begins keeping history, a
// block of quotes at a time (a million quotes never sit in memory at once).
void RegistrarOsJaExistentes() {
    constexpr int QuotesPorBloco = 2000;
    for (qint64 ultimo = 0;;) {
        const QVariant fim =
            Banco::Valor(QStringLiteral("SELECT MAX(NumeroDoOrcamento) FROM (SELECT "
                                        "NumeroDoOrcamento FROM Orcamentos WHERE NumeroDoOrcamento "
                                        "> ? ORDER BY NumeroDoOrcamento LIMIT %1) b")
                             .arg(QuotesPorBloco),
                         {ultimo});
        if (fim.isNull()) return;
        RegistrarBloco(ultimo + 1, fim.toLongLong(), Op::JaExistente);
        ultimo = fim.toLongLong();
    }
}

} // namespace

void RegistrarBloco(qint64 primeiro, qint64 ultimo, const QString& operacao) {
    const QStringList colunas = QStringList{QStringLiteral("NumeroDoOrcamento")} + ColunasDoOrcamento;
    QSqlQuery q =
        Banco::Executar(QStringLiteral("SELECT ") + colunas.join(QStringLiteral(", ")) +
                            QStringLiteral(" FROM Orcamentos WHERE NumeroDoOrcamento BETWEEN ? AND ? "
                                           "ORDER BY NumeroDoOrcamento"),
                        {primeiro, ultimo});
    QList<std::pair<qint64, QJsonArray>> cabecalhos;
    while (q.next())
        cabecalhos.append({q.value(0).toLongLong(), Linha(q, ColunasDoOrcamento.size(), 1)});
    QSqlQuery i = Banco::Executar(
        QStringLiteral("SELECT NumeroDoOrcamento, ") + ColunasDoItem.join(QStringLiteral(", ")) +
            QStringLiteral(" FROM ItensDeOrcamento WHERE NumeroDoOrcamento BETWEEN ? AND ? ORDER BY "
                           "NumeroDoOrcamento, NumeroDoItemDoOrcamento"),
        {primeiro, ultimo});
    const auto bases = Bases(primeiro, ultimo);
    bool haItem = i.next();
    const int inclusao = static_cast<int>(ColunasDoOrcamento.indexOf(u"DataEHoraDaInclusao"));
    QVariantList linhas;
    for (const auto& [numero, cabecalho] : cabecalhos) {
        QJsonArray itens;
        for (; haItem && i.value(0).toLongLong() < numero; haItem = i.next()) {
        }
        for (; haItem && i.value(0).toLongLong() == numero; haItem = i.next())
            itens << Linha(i, ColunasDoItem.size(), 1);
        // Dated with the version's own last stamp and user.
        const bool alterado = !cabecalho.at(inclusao + 2).isNull();
        const Copia copia = MontarCopia(cabecalho, itens);
        const CopiaCompacta compacta =
            Compactar(copia.Json, bases.contains(numero) ? std::optional(bases.value(numero)) : std::nullopt);
        linhas << numero << cabecalho.at(alterado ? inclusao + 2 : inclusao).toString()
               << cabecalho.at(alterado ? inclusao + 3 : inclusao + 1).toString() << operacao
               << copia.ValorLiquido << copia.QuantidadeDeItens << compacta.Dados << compacta.RegistroDaBase;
    }
    // Many entries to a statement: the round trips, not the rows, cost the time.
    constexpr qsizetype Colunas = 8, EntradasPorInsercao = 100;
    for (qsizetype inicio = 0; inicio < linhas.size(); inicio += Colunas * EntradasPorInsercao) {
        const QVariantList parte = linhas.mid(inicio, Colunas * EntradasPorInsercao);
        Banco::Executar(
            QStringLiteral("INSERT INTO HistoricoDeOrcamentos (NumeroDoOrcamento, DataEHora, "
                           "Usuario, Operacao, ValorLiquido, QuantidadeDeItens, CopiaCompactada, "
                           "RegistroDaBase, Copia) VALUES ") +
                QStringList(parte.size() / Colunas, QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, '')"))
                    .join(QStringLiteral(", ")),
            parte);
    }
}

void Registrar(qint64 numeroDoOrcamento, const QString& operacao, const QString& usuario) {
    // Written with the save's COMMIT: nothing reads the entry's key.
    const auto [sql, parametros] =
        Entrada(numeroDoOrcamento, Relogio::Agora(), usuario, operacao, CopiaDoOrcamento(numeroDoOrcamento));
    Banco::ExecutarComOProximo(sql, parametros);
}

QJsonObject CopiaDaEntrada(qint64 numeroDoRegistro) {
    const QJsonObject copia = QJsonDocument::fromJson(TextoDaCopia(numeroDoRegistro)).object();
    const QJsonArray orcamento = copia.value(QStringLiteral("o")).toArray();
    if (orcamento.size() != ColunasDoOrcamento.size() || !copia.value(QStringLiteral("i")).isArray())
        CopiaDanificada(numeroDoRegistro);
    return copia;
}

void RegistrarExclusao(qint64 numeroDoOrcamento, const QString& usuario) {
    const Copia copia = CopiaDoOrcamento(numeroDoOrcamento, VidaDoOrcamento(numeroDoOrcamento));
    const QDateTime agora = Relogio::Agora();
    const auto [sql, parametros] = Entrada(numeroDoOrcamento, agora, usuario, Op::Excluido, copia);
    const qint64 entrada = Banco::InserirComChave(sql, parametros, QStringLiteral("NumeroDoRegistro"));
    Banco::Executar(QStringLiteral("INSERT INTO OrcamentosExcluidos (NumeroDoOrcamento, CodigoDoCliente, "
                                   "ValorLiquido, DataEHoraDaExclusao, UsuarioDaExclusao, NumeroDoRegistro) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"),
                    {numeroDoOrcamento, copia.CodigoDoCliente, copia.ValorLiquido, Banco::DataEHoraIso(agora),
                     usuario, entrada});
}

void Restaurar(qint64 numero, const QString& usuario) {
    Banco::UnidadeDeTrabalho unidade;
    // Locked on PostgreSQL (SQLite's write lock is already the transaction's): of two
    // workstations restoring the same quote, the second waits here and then finds it gone.
    QSqlQuery q = Banco::Executar(
        QStringLiteral("SELECT NumeroDoRegistro FROM OrcamentosExcluidos WHERE NumeroDoOrcamento = ?") +
            Banco::DialetoAtual().ParaAtualizacao(),
        {numero});
    if (!q.next()) {
        const bool existe =
            Banco::Valor(QStringLiteral("SELECT 1 FROM Orcamentos WHERE NumeroDoOrcamento = ?"), {numero})
                .isValid();
        Objetos::Recusar(
            existe ? QStringLiteral("O orçamento %1 não está mais entre os excluídos: ele já foi "
                                    "restaurado por outro usuário.")
                         .arg(numero)
                   : QStringLiteral("O orçamento %1 não está entre os orçamentos excluídos.").arg(numero));
    }
    const qint64 registro = q.value(0).toLongLong();
    const QJsonObject copia = CopiaDaEntrada(registro);
    const QJsonArray orcamento = copia.value(QStringLiteral("o")).toArray();
    QVariantList valores{numero};
    for (qsizetype c = 0; c < ColunasDoOrcamento.size(); ++c)
        valores << (ColunasDoOrcamento.at(c) == u"Situacao" ? QVariant(1) : ValorDoBanco(orcamento.at(c)));
    Banco::Executar(
        GravacaoDeOrcamentos::Insercao(QStringLiteral("Orcamentos"),
                                       QStringList{QStringLiteral("NumeroDoOrcamento")} + ColunasDoOrcamento),
        valores);
    const QString insercaoDeItem = GravacaoDeOrcamentos::Insercao(
        QStringLiteral("ItensDeOrcamento"), QStringList{QStringLiteral("NumeroDoOrcamento")} + ColunasDoItem);
    for (const QJsonValue& item : copia.value(QStringLiteral("i")).toArray()) {
        QVariantList linha{numero};
        for (const QJsonValue& valor : item.toArray())
            linha << ValorDoBanco(valor);
        Banco::Executar(insercaoDeItem, linha);
    }
    RestaurarVida(copia.value(QStringLiteral("v")).toObject(), registro);
    Banco::Executar(QStringLiteral("DELETE FROM OrcamentosExcluidos WHERE NumeroDoOrcamento = ?"), {numero});
    Registrar(numero, Op::Restaurado, usuario);
    unidade.Confirmar();
}

// Whether a query runs: what tells which of the history's tables and columns a database
// already holds. One that says it is older than it is (a copy put back, a version
// lowered by hand) keeps what it has.
bool Consulta(const QString& sql) {
    Banco::Executar(QStringLiteral("SAVEPOINT Historico"));
    try {
        Banco::Executar(sql);
        return true;
    } catch (const Banco::FalhaDeBanco& falha) {
        if (falha.Natureza() != Dialeto::Natureza::Comum) throw;
        Banco::Executar(QStringLiteral("ROLLBACK TO SAVEPOINT Historico"));
        return false;
    }
}

bool HistoricoJaExiste() {
    return Consulta(QStringLiteral("SELECT 1 FROM HistoricoDeOrcamentos WHERE 1 = 0"));
}

void CriarEsquema(const Dialeto& dialeto, bool indiceDePesquisa) {
    if (HistoricoJaExiste()) return;
    for (const char* comando : {
             R"(CREATE TABLE HistoricoDeOrcamentos (
                NumeroDoRegistro {CHAVE},
                NumeroDoOrcamento {INTEIRO} NOT NULL,
                DataEHora TEXT NOT NULL,
                Usuario TEXT NOT NULL,
                Operacao TEXT NOT NULL,
                ValorLiquido {INTEIRO} NOT NULL,
                QuantidadeDeItens {INTEIRO} NOT NULL,
                Copia TEXT NOT NULL,
                CopiaCompactada {BINARIO},
                RegistroDaBase {INTEIRO}
            ))",
             "CREATE INDEX HistoricoDeOrcamentos_Orcamento ON HistoricoDeOrcamentos (NumeroDoOrcamento, "
             "NumeroDoRegistro)",
             R"(CREATE TABLE OrcamentosExcluidos (
                NumeroDoOrcamento {INTEIRO} PRIMARY KEY,
                CodigoDoCliente {INTEIRO} NOT NULL REFERENCES Clientes (CodigoDoCliente),
                ValorLiquido {INTEIRO} NOT NULL,
                DataEHoraDaExclusao TEXT NOT NULL,
                UsuarioDaExclusao TEXT NOT NULL,
                NumeroDoRegistro {INTEIRO} NOT NULL UNIQUE
            ))",
             "CREATE INDEX OrcamentosExcluidos_Cliente ON OrcamentosExcluidos (CodigoDoCliente)",
         })
        Banco::Executar(dialeto.Ddl(QString::fromUtf8(comando)));
    if (indiceDePesquisa)
        for (const QString& comando : dialeto.CriarIndiceDePesquisa(Excluidos))
            Banco::Executar(comando);
    RegistrarOsJaExistentes();
}

void CompactarCopias(const Dialeto& dialeto) {
    if (!Consulta(QStringLiteral("SELECT CopiaCompactada FROM HistoricoDeOrcamentos WHERE 1 = 0")))
        for (const char* comando : {"ALTER TABLE HistoricoDeOrcamentos ADD COLUMN CopiaCompactada {BINARIO}",
                                    "ALTER TABLE HistoricoDeOrcamentos ADD COLUMN RegistroDaBase {INTEIRO}"})
            Banco::Executar(dialeto.Ddl(QString::fromLatin1(comando)));
    // A block of entries at a time, by key: a million copies never sit in memory at once.
    constexpr int EntradasPorBloco = 2000;
    qint64 ultimo = 0;
    for (;;) {
        QSqlQuery q =
            Banco::Executar(QStringLiteral("SELECT NumeroDoRegistro, Copia FROM HistoricoDeOrcamentos "
                                           "WHERE NumeroDoRegistro > ? AND CopiaCompactada IS NULL "
                                           "ORDER BY NumeroDoRegistro LIMIT %1")
                                .arg(EntradasPorBloco),
                            {ultimo});
        QList<std::pair<qint64, QByteArray>> copias;
        while (q.next())
            copias.append({q.value(0).toLongLong(), Compactacao::Compactar(q.value(1).toString().toUtf8())});
        if (copias.isEmpty()) return;
        ultimo = copias.constLast().first;
        for (const auto& [registro, compacta] : copias)
            Banco::Executar(QStringLiteral("UPDATE HistoricoDeOrcamentos SET Copia = '', CopiaCompactada = ? "
                                           "WHERE NumeroDoRegistro = ?"),
                            {compacta, registro});
    }
}

} // namespace Historico
