#include "business/RecordsetSql.h"

#include "business/Banco.h"

#include <QStringList>

namespace {
// Rows read at once while a caller walks forward (a report, a lookup list).
constexpr qint32 LinhasDaLeituraAntecipada = 200;
} // namespace

RecordsetSql::RecordsetSql(ConsultaPaginavel consulta) : mconsulta(std::move(consulta)) {
    mlonTotal =
        Banco::Valor(QStringLiteral("SELECT COUNT(*) ") + mconsulta.DeOnde, mconsulta.Parametros).toInt();
}

RecordsetSql::RecordsetSql(ConsultaPaginavel consulta, qint32 pageSize) : RecordsetSql(std::move(consulta)) {
    SetPageSize(pageSize);
}

QString RecordsetSql::FieldName(qint32 indice) const {
    if (indice < 0 || indice >= mconsulta.Campos.size()) throw VB::ErroDeExecucao(3265);
    return mconsulta.Campos.at(indice).Nome;
}

Field RecordsetSql::Fields(const QString& nome) const {
    qsizetype indice = -1;
    for (qsizetype i = 0; i < mconsulta.Campos.size(); ++i)
        if (mconsulta.Campos.at(i).Nome.compare(nome, Qt::CaseInsensitive) == 0) indice = i;
    if (indice < 0) throw VB::ErroDeExecucao(3265);
    if (Eof()) throw VB::ErroDeExecucao(3021);
    const qint32 fimDoBloco = mlonInicioDoBloco + static_cast<qint32>(mlinhas.size());
    if (mlonInicioDoBloco < 0 || mlonPosicao < mlonInicioDoBloco || mlonPosicao >= fimDoBloco)
        LerBlocoDaPosicao(mlonPosicao, mbooAvancouEmSequencia);
    const qint32 linha = mlonPosicao - mlonInicioDoBloco;
    // The row was deleted by someone else after the count.
    if (linha >= mlinhas.size()) throw VB::ErroDeExecucao(3021);
    const CampoDaConsulta& campo = mconsulta.Campos.at(indice);
    return Field{campo.Nome, Converter(mlinhas.at(linha).at(indice), campo.Tipo)};
}

void RecordsetSql::MoveNext() {
    if (Eof()) throw VB::ErroDeExecucao(3021);
    ++mlonPosicao;
    mbooAvancouEmSequencia = true;
}

void RecordsetSql::MoverPara(qint32 posicao0) {
    mlonPosicao = std::clamp(posicao0, 0, mlonTotal);
    mbooAvancouEmSequencia = false;
}

void RecordsetSql::LerBlocoDaPosicao(qint32 posicao, bool leituraSequencial) const {
    // A block is a whole number of pages, so a page never spans two reads: one page
    // when a page is asked for, a few pages when the caller walks row by row.
    const qint32 pagina = PageSize();
    const qint32 paginasPorBloco = leituraSequencial ? std::max(1, LinhasDaLeituraAntecipada / pagina) : 1;
    const qint32 tamanho = pagina * paginasPorBloco;
    const qint32 inicio = (posicao / pagina) * pagina;

    QStringList expressoes;
    for (const CampoDaConsulta& campo : mconsulta.Campos)
        expressoes << campo.Expressao;
    QVariantList parametros = mconsulta.Parametros;
    parametros << tamanho << inicio;
    QSqlQuery q = Banco::Executar(QStringLiteral("SELECT ") + expressoes.join(QStringLiteral(", ")) + u' ' +
                                      mconsulta.DeOnde + QStringLiteral(" ORDER BY ") + mconsulta.Ordem +
                                      QStringLiteral(" LIMIT ? OFFSET ?"),
                                  parametros);
    mlinhas.clear();
    const int colunas = static_cast<int>(mconsulta.Campos.size());
    while (q.next()) {
        QList<QVariant> linha;
        linha.reserve(colunas);
        for (int c = 0; c < colunas; ++c)
            linha << q.value(c);
        mlinhas << linha;
    }
    mlonInicioDoBloco = inicio;
    ++mlonLeituras;
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
