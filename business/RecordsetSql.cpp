#include "business/RecordsetSql.h"

#include "business/Banco.h"
#include "business/DriverPostgreSQL.h"

#include <QStringList>
#include <algorithm>

namespace {
// Rows read at once while a caller walks forward (a report, a lookup list).
constexpr qint32 LinhasDaLeituraAntecipada = 200;
// Below this many rows skipped a page is always read forward: OFFSET costs nothing
// there, and the rows seen stay those a forward reading sees when another
// workstation adds or removes rows meanwhile.
constexpr qint32 SaltoParaLeituraInvertida = 5000;

// The same order read backwards: ASC and DESC exchanged in every term.
QString OrdemInvertida(const QString& ordem) {
    QStringList termos;
    for (QString termo : ordem.split(u',')) {
        termo = termo.trimmed();
        if (termo.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive))
            termos << termo.chopped(5);
        else if (termo.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive))
            termos << termo.chopped(4) + QStringLiteral(" DESC");
        else
            termos << termo + QStringLiteral(" DESC");
    }
    return termos.join(QStringLiteral(", "));
}

// The comparison that continues an order on the key after a row: the order must be
// the key alone (then it is unique); empty otherwise.
QString ComparacaoDeContinuacao(const ConsultaPaginavel& consulta) {
    if (consulta.Chave.isEmpty()) return {};
    const QString ordem = consulta.Ordem.trimmed();
    if (ordem == consulta.Chave || ordem == consulta.Chave + QStringLiteral(" ASC"))
        return QStringLiteral(" > ?");
    if (ordem == consulta.Chave + QStringLiteral(" DESC")) return QStringLiteral(" < ?");
    return {};
}
} // namespace

RecordsetSql::RecordsetSql(ConsultaPaginavel consulta) : RecordsetSql(std::move(consulta), 0) {}

RecordsetSql::RecordsetSql(ConsultaPaginavel consulta, qint32 pageSize)
    : mconsulta(std::move(consulta)), mstrContinuacao(ComparacaoDeContinuacao(mconsulta)) {
    // The page size first: the first block read below is made of whole pages.
    if (pageSize > 0) SetPageSize(pageSize);
    if (mconsulta.TotalConhecido) {
        mlonTotal = *mconsulta.TotalConhecido;
        return;
    }
    // Counted with the first block read in the same statement (the count is a column of
    // it, from the counters or by COUNT(*)): a server far away is asked once, and most
    // selections (a quote's items, a lookup, the first page of a list) fit in that block.
    LerBlocoDaPosicao(0, false, &mlonTotal);
}

QString RecordsetSql::FieldName(qint32 indice) const {
    if (indice < 0 || indice >= mconsulta.Campos.size()) throw VB::ErroDeExecucao(VB::ItemNaoEncontrado);
    return mconsulta.Campos.at(indice).Nome;
}

Field RecordsetSql::Fields(const QString& nome) const {
    qsizetype indice = mindicesDosCampos.value(nome, -1);
    if (indice < 0) {
        for (qsizetype i = 0; i < mconsulta.Campos.size() && indice < 0; ++i)
            if (mconsulta.Campos.at(i).Nome.compare(nome, Qt::CaseInsensitive) == 0) indice = i;
        if (indice < 0) throw VB::ErroDeExecucao(VB::ItemNaoEncontrado);
        mindicesDosCampos.insert(nome, indice);
    }
    if (Eof()) throw VB::ErroDeExecucao(VB::SemRegistroAtual);
    const qint32 fimDoBloco = mlonInicioDoBloco + static_cast<qint32>(mlinhas.size());
    if (mlonInicioDoBloco < 0 || mlonPosicao < mlonInicioDoBloco || mlonPosicao >= fimDoBloco)
        LerBlocoDaPosicao(mlonPosicao, mbooAvancouEmSequencia);
    const qint32 linha = mlonPosicao - mlonInicioDoBloco;
    // The row was deleted by someone else after the count.
    if (linha >= mlinhas.size()) throw VB::ErroDeExecucao(VB::SemRegistroAtual);
    const CampoDaConsulta& campo = mconsulta.Campos.at(indice);
    return Field{campo.Nome, Converter(mlinhas.at(linha).at(indice), campo.Tipo)};
}

void RecordsetSql::MoveNext() {
    if (Eof()) throw VB::ErroDeExecucao(VB::SemRegistroAtual);
    ++mlonPosicao;
    mbooAvancouEmSequencia = true;
}

void RecordsetSql::MoverPara(qint32 posicao0) {
    // Moving on to the row after the current one goes on walking forward (a report
    // moves so to the first row of each page); any other move is a jump.
    mbooAvancouEmSequencia = posicao0 == mlonPosicao + 1;
    mlonPosicao = std::clamp(posicao0, 0, mlonTotal);
}

void RecordsetSql::LerBlocoDaPosicao(qint32 posicao, bool leituraSequencial, qint32* contagem) const {
    const bool contar = contagem != nullptr;
    // A block is a whole number of pages, so a page never spans two reads: one page
    // when a page is asked for, a few pages when the caller walks row by row (and at
    // the count, when the page size is still the default one).
    const qint32 pagina = PageSize();
    // A selection counted by its own query is a large one (a list) whose first page is
    // what is asked: only that page comes with the count, as little as a far link carries.
    const bool contarEmBloco = contar && mconsulta.Contagem.isEmpty();
    const qint32 paginasPorBloco =
        leituraSequencial || contarEmBloco ? std::max(1, LinhasDaLeituraAntecipada / pagina) : 1;
    const qint32 tamanho = pagina * paginasPorBloco;
    const qint32 inicio = (posicao / pagina) * pagina;
    // A page jumped to far from the start and nearer the end: the rows after the block
    // are skipped instead of those before it, reading backwards. A forward walk keeps
    // reading forwards: under a filter the rows skipped backwards are those of the whole
    // table's other end (the oldest quotes, for "Recentes"), not the selection's.
    const qint32 existentes = std::max(0, std::min(tamanho, mlonTotal - inicio));
    const qint32 depois = mlonTotal - inicio - existentes;
    // A forward walk that goes on right after the block read before continues after
    // that block's last key (keyset): no row is skipped, so a block costs the same
    // at the end of a million rows as at the start, and a row deleted or added
    // meanwhile behind the walk shifts nothing ahead of it.
    const bool continua = leituraSequencial && !mstrContinuacao.isEmpty() && mchaveDoFimDoBloco.isValid() &&
                          inicio == mlonInicioDoBloco + static_cast<qint32>(mlinhas.size());
    const bool invertida =
        !continua && !leituraSequencial && inicio > SaltoParaLeituraInvertida && depois < inicio;
    const QString ordem = invertida ? OrdemInvertida(mconsulta.Ordem) : mconsulta.Ordem;

    QStringList expressoes;
    for (const CampoDaConsulta& campo : mconsulta.Campos)
        expressoes << campo.Expressao;
    // The key last, after the fields: where the next block continues.
    if (!mstrContinuacao.isEmpty()) expressoes << mconsulta.Chave;
    // The count last; its parameters come first, as its text does (in the select list).
    QVariantList parametros;
    if (contar && !mconsulta.Contagem.isEmpty()) {
        expressoes << u'(' + mconsulta.Contagem + u')';
        parametros << mconsulta.ParametrosDaContagem;
    } else if (contar) {
        const QString& deOnde = mconsulta.Chave.isEmpty() ? mconsulta.DeOnde : mconsulta.DeOndeSemJuncoes;
        expressoes << QStringLiteral("(SELECT COUNT(*) ") + deOnde + u')';
        parametros << mconsulta.Parametros;
    }
    parametros << mconsulta.Parametros;
    QString limite = QStringLiteral(" LIMIT ? OFFSET ?");
    if (continua) {
        parametros << mchaveDoFimDoBloco << tamanho;
        limite = QStringLiteral(" LIMIT ?");
    } else if (invertida) {
        parametros << existentes << depois;
    } else {
        parametros << tamanho << inicio;
    }
    QString sql = (mconsulta.DeCadastro ? DriverPostgreSQL::MarcaDeCadastro : QString()) +
                  QStringLiteral("SELECT ") + expressoes.join(QStringLiteral(", ")) + u' ';
    if (mconsulta.Chave.isEmpty()) {
        sql += mconsulta.DeOnde + QStringLiteral(" ORDER BY ") + ordem + limite;
    } else {
        // The rows skipped are found in the first table alone; only the page is joined.
        const QString depoisDaChave =
            continua ? QStringLiteral(" AND ") + mconsulta.Chave + mstrContinuacao : QString();
        sql += mconsulta.Juncoes + QStringLiteral(" WHERE ") + mconsulta.Chave +
               QStringLiteral(" IN (SELECT ") + mconsulta.Chave + u' ' + mconsulta.DeOndeSemJuncoes +
               depoisDaChave + QStringLiteral(" ORDER BY ") + ordem + limite + QStringLiteral(") ORDER BY ") +
               ordem;
    }
    QSqlQuery q = Banco::Executar(sql, parametros);
    mlinhas.clear();
    const int colunas = static_cast<int>(mconsulta.Campos.size());
    QVariant ultimaChave;
    const int colunaDaContagem = colunas + (mstrContinuacao.isEmpty() ? 0 : 1);
    if (contar) *contagem = 0; // no row: nothing to count
    while (q.next()) {
        if (contar && mlinhas.isEmpty()) *contagem = q.value(colunaDaContagem).toInt();
        QList<QVariant> linha;
        linha.reserve(colunas);
        for (int c = 0; c < colunas; ++c)
            linha << q.value(c);
        mlinhas << linha;
        if (!mstrContinuacao.isEmpty() && (!invertida || !ultimaChave.isValid()))
            ultimaChave = q.value(colunas);
    }
    if (invertida) std::reverse(mlinhas.begin(), mlinhas.end());
    mchaveDoFimDoBloco = ultimaChave;
    mlonInicioDoBloco = inicio;
    ++mlonLeituras;
    if (continua) ++mlonLeiturasPorChave;
}

QVariant RecordsetSql::Converter(const QVariant& valor, TipoDoCampo tipo) {
    if (valor.isNull() || !valor.isValid())
        return tipo == TipoDoCampo::DataEmTexto ? QVariant(QString()) : VB::Null();
    switch (tipo) {
    case TipoDoCampo::Texto:
        return valor.toString();
    case TipoDoCampo::Long:
        return static_cast<qint32>(valor.toLongLong());
    case TipoDoCampo::Double:
        return valor.toDouble();
    case TipoDoCampo::Moeda:
        return QVariant::fromValue(Banco::MoedaDe(valor));
    case TipoDoCampo::Data:
        return Banco::DataDeIso(valor.toString());
    case TipoDoCampo::DataEHora:
        return Banco::DataEHoraDeIso(valor.toString());
    case TipoDoCampo::SimNao:
        return valor.toLongLong() != 0 ? QStringLiteral("Sim") : QStringLiteral("Não");
    case TipoDoCampo::DataEmTexto:
        return Banco::DataDeIso(valor.toString()).toString(QStringLiteral("dd/MM/yyyy"));
    }
    return valor;
}
