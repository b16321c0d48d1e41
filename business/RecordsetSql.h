#pragma once
// A selection over the database with ADO's recordset behaviour, read lazily: it
// counts its rows once when it is made (or reads the count the database keeps; a
// COUNT(*) is read by the statement that reads the first block of rows) and
// afterwards reads only the page that holds the current row (LIMIT/OFFSET in a stable
// order; a forward walk goes on after the last key read, without OFFSET). Walking forward row by
// row reads ahead a few pages at a time. It never holds more than one block of
// rows, however large the selection is. A page far from the start of a large
// selection and nearer its end is read in the reverse order, so that the rows
// skipped are the fewer ones.
//
// The rows are those the database holds when a page is read: a row inserted or
// deleted by another workstation after the count may shift later pages; a row
// missing at the end reads as "current record deleted" (error 3021).

#include "contracts/Recordset.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

enum class TipoDoCampo {
    Texto,      // QString
    Long,       // qint32
    Double,     // double
    Moeda,      // VB::Currency from integer ten-thousandths
    Data,       // QDate from "YYYY-MM-DD"
    DataEHora,  // QDateTime from "YYYY-MM-DD HH:MM:SS"
    SimNao,     // "Sim" / "Não" from 1 / 0
    DataEmTexto // "DD/MM/YYYY" from "YYYY-MM-DD"; "" for NULL
};

struct CampoDaConsulta {
    QString Nome;      // the field's name in the recordset
    QString Expressao; // what the SELECT reads for it
    TipoDoCampo Tipo;
};

struct ConsultaPaginavel {
    QList<CampoDaConsulta> Campos;
    QString DeOnde;          // "FROM ... [WHERE ...]", with "?" for the parameters
    QVariantList Parametros; // bound in order
    // ORDER BY: expressions, each optionally followed by ASC or DESC, separated by
    // commas (none inside an expression); it must end in a unique key, so that pages
    // are stable and the order can be read backwards.
    QString Ordem;

    // Optional, for a selection whose joins only bring columns (each row of the first
    // table meets exactly one row of every joined table): the same selection over the
    // first table alone (same parameters, and Ordem valid there too), the key that
    // names its rows, and the joins. The count and the rows a page skips are then
    // found in that one table; only the rows of the page are joined.
    QString DeOndeSemJuncoes{}; // "FROM t WHERE ..."
    QString Chave{};            // "t.key"
    QString Juncoes{};          // "FROM t JOIN u ON ..."

    // Optional: a query that answers the selection's count without counting its rows
    // (counters kept by the database), with its own parameters; read as a column of the
    // first page. Empty: COUNT(*).
    QString Contagem{};
    QVariantList ParametrosDaContagem{};
    // Optional: the count itself, when the caller already read it (to choose how the
    // selection is written); then neither of the above runs.
    std::optional<qint32> TotalConhecido{};
    // A read of registry tables whose changes the server announces (Empresa,
    // TiposDeServicos): PostgreSQL's connection may answer it from what it kept
    // (DriverPostgreSQL::MarcaDeCadastro).
    bool DeCadastro{};
};

class RecordsetSql final : public Recordset {
public:
    explicit RecordsetSql(ConsultaPaginavel consulta); // counts now
    // Counts now, reading the first block; a page size of 0 or less keeps the default.
    RecordsetSql(ConsultaPaginavel consulta, qint32 pageSize);

    qint32 RecordCount() const override { return mlonTotal; }
    qint32 FieldsCount() const override { return static_cast<qint32>(mconsulta.Campos.size()); }
    QString FieldName(qint32 indice) const override;
    Field Fields(const QString& nome) const override;
    using Recordset::Fields;
    void MoveFirst() override { mlonPosicao = 0; }
    void MoveNext() override;
    bool Eof() const override { return mlonPosicao >= mlonTotal; }
    qint32 AbsolutePosition0() const override { return mlonPosicao; }
    void MoverPara(qint32 posicao0) override;

    // How many rows are held in memory now (for the tests of laziness).
    qint32 LinhasEmMemoria() const { return static_cast<qint32>(mlinhas.size()); }
    // How many times rows were read from the database.
    qint32 LeiturasFeitas() const { return mlonLeituras; }
    // How many of them continued a forward walk after the last key read (no OFFSET).
    qint32 LeiturasPorChave() const { return mlonLeiturasPorChave; }

    static QVariant Converter(const QVariant& valor, TipoDoCampo tipo);

private:
    // With a place for it, the selection is also counted by the same statement (at the start).
    void LerBlocoDaPosicao(qint32 posicao, bool leituraSequencial, qint32* contagem = nullptr) const;

    ConsultaPaginavel mconsulta;
    // " < ?" or " > ?" after the key, when the order is the key alone: a forward walk
    // then reads each block after the last key of the one before.
    QString mstrContinuacao;
    qint32 mlonTotal = 0;
    qint32 mlonPosicao = 0;
    bool mbooAvancouEmSequencia = false;
    mutable qint32 mlonInicioDoBloco = -1;
    mutable QList<QList<QVariant>> mlinhas;
    mutable qint32 mlonLeituras = 0;
    mutable qint32 mlonLeiturasPorChave = 0;
    mutable QVariant mchaveDoFimDoBloco; // of the block in memory, in the walk's order
    // The index of each field name as callers spell it, found once (names match
    // without case): a grid filled row by row asks for the same names again and again.
    mutable QHash<QString, qsizetype> mindicesDosCampos;
};
