#include "business/PesquisaDeClientes.h"

#include "business/Banco.h"
#include "business/ContagemDeOrcamentos.h"

#include <QSqlQuery>

namespace PesquisaDeClientes {

namespace {

// Whether the list's search of clients reads ClientesDaPesquisa (PostgreSQL), whose
// texts are joined by line breaks.
bool NaPesquisaDeClientes(const QString& texto) {
    return !Banco::DialetoAtual().EhSQLite() && !Banco::TextoDePesquisa(texto).contains(u'\n');
}

// The search of ClientesDaPesquisa. pg_trgm takes a pattern's blanks and punctuation
// for word boundaries and then looks up trigrams padded with them ("  s": every word
// that begins with an s), the longest lists of the index, which took half of a search
// by a full name. The index is asked for the words in their order, anything between
// them; the rows it finds are then checked for the text itself.

Dialeto::Subconsulta BuscaNaPesquisaDeClientes(const QString& texto) {
    const QString normalizado = Banco::TextoDePesquisa(texto);
    QString palavras;
    QString palavra;
    for (const QChar c : QString(normalizado + u' ')) {
        if (c.isLetterOrNumber()) {
            palavra += c;
        } else if (!palavra.isEmpty()) {
            palavras += Banco::PadraoContem(palavra);
            palavra.clear();
        }
    }
    if (palavras.isEmpty()) palavras = Banco::PadraoContem(texto);
    return {QStringLiteral("SELECT CodigoDoCliente FROM ClientesDaPesquisa WHERE ") +
                Banco::DialetoAtual().Contem(QStringLiteral("Textos")) +
                QStringLiteral(" AND strpos(Textos, ?) > 0"),
            {palavras, normalizado}};
}

// The clients found, summed in one row: carrying tens of thousands of rows to the
// program cost PostgreSQL's search of "silva" over a quarter of its time. The keys
// come as an array, and only when the caller needs them: those of clients with quotes
// in the situation (the others name none), at most MaximoDeClientesLidos.
Pesquisa::ChavesAchadas SomarNaPesquisaDeClientes(qint32 situacao, const QString& texto) {
    const Dialeto::Subconsulta busca = BuscaNaPesquisaDeClientes(texto);
    QString colunas = busca.Sql;
    colunas.insert(colunas.indexOf(QStringLiteral(" FROM ")),
                   QStringLiteral(", ") + ContagemDeOrcamentos::QuantidadeNaSituacao(situacao));
    QString condicao = QStringLiteral("COUNT(*) <= %1").arg(Pesquisa::MaximoDeClientesLidos);
    // Digits and "Recentes" always name the clients' keys; otherwise beyond
    // MaximoDeOrcamentosOrdenados quotes the list walks the newest quotes instead.
    if (!Pesquisa::SoDigitos(texto) && situacao != 3)
        condicao +=
            QStringLiteral(" AND COALESCE(SUM(q), 0) <= %1").arg(Pesquisa::MaximoDeOrcamentosOrdenados);
    const QString leitura =
        QStringLiteral("SELECT COALESCE(SUM(q), 0), CASE WHEN %1 THEN COALESCE(array_agg(k) "
                       "FILTER (WHERE q > 0), '{}') END FROM (%2) t(k, q)")
            .arg(condicao, colunas);
    Pesquisa::ChavesAchadas achadas{busca, leitura, {}, {}};
    QSqlQuery q = Banco::Executar(achadas.Leitura, busca.Parametros);
    q.next();
    achadas.Quantidade = q.value(0).toLongLong();
    if (q.isNull(1)) return achadas;
    // "{3,17,42}"
    QList<qint64> chaves;
    const QString lista = q.value(1).toString();
    for (const QStringView chave :
         QStringView(lista).mid(1, lista.size() - 2).split(u',', Qt::SkipEmptyParts))
        chaves << chave.toLongLong();
    achadas.Chaves = std::move(chaves);
    return achadas;
}

} // namespace

Pesquisa::ChavesAchadas ClientesQueContem(qint32 situacao, const QString& texto) {
    if (NaPesquisaDeClientes(texto)) return SomarNaPesquisaDeClientes(situacao, texto);
    // Only a text of digits can be part of a client's code.
    QStringList textos{QStringLiteral("ApelidoNormalizado"), QStringLiteral("NomeNormalizado")};
    if (Pesquisa::SoDigitos(texto)) textos << QStringLiteral("CodigoDoCliente");
    return Pesquisa::LerChaves(Pesquisa::ChavesQueContem(Pesquisa::Clientes, textos, texto),
                               Pesquisa::MaximoDeClientesLidos);
}

Dialeto::Subconsulta ClienteAchado(const Pesquisa::ChavesAchadas& clientes, const QString& texto,
                                   const QString& coluna) {
    // The "+" keeps the database from the clients' index, which would find every quote
    // of theirs before the first page.
    if (!NaPesquisaDeClientes(texto)) return clientes.Em(u'+' + coluna);
    // The client's row, by its key, for each quote walked: a list of tens of thousands
    // of keys would cost PostgreSQL's planner milliseconds to weigh, key by key, and a
    // join its guess of how many clients the text finds.
    return {
        QStringLiteral("strpos((SELECT p.Textos FROM ClientesDaPesquisa p WHERE p.CodigoDoCliente = %1), ?) "
                       "> 0")
            .arg(coluna),
        {Banco::TextoDePesquisa(texto)}};
}

} // namespace PesquisaDeClientes
