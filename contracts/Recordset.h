#pragma once
// A selection as ADO gave it to the Windows design. Callers read fields by name
// (typed values, VB::Null() for NULL), walk with MoveFirst/MoveNext/Eof and page with
// PageSize/PageCount/AbsolutePage. A recordset over a large table is lazy: it knows
// its count and reads the rows of a page when that page is visited.
//
// ADO rules kept here:
//   - PageSize defaults to 10; PageCount = ceil(RecordCount / PageSize), 0 when empty.
//   - Setting AbsolutePage = k (1..PageCount) makes the first row of page k current;
//     out of range is error 3001. Reading it gives the page of the current row,
//     -1 when the recordset is empty, -3 at EOF.
//   - Reading a field with no current row (Eof, or empty) is error 3021; an unknown
//     field name is error 3265.
//   - "EOF" is a C macro, so the member is called Eof().

#include "contracts/VB.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct Field {
    QString Name;
    QVariant Value;
};

class Recordset {
public:
    virtual ~Recordset() = default;

    virtual qint32 RecordCount() const = 0;
    virtual qint32 FieldsCount() const = 0;
    virtual QString FieldName(qint32 indice) const = 0;
    virtual Field Fields(const QString& nome) const = 0;
    Field Fields(qint32 indice) const { return Fields(FieldName(indice)); }

    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual bool Eof() const = 0;

    qint32 PageSize() const { return mlonPageSize; }
    void SetPageSize(qint32 tamanho); // error 3001 when not positive
    qint32 PageCount() const;
    qint32 AbsolutePage() const;
    void SetAbsolutePage(qint32 pagina);

    // Position of the current row, 0-based; RecordCount() when at EOF.
    virtual qint32 AbsolutePosition0() const = 0;
    virtual void MoverPara(qint32 posicao0) = 0;

private:
    qint32 mlonPageSize = 10;
};

// A recordset held in memory: the page recordsets, small selections, and the
// answers of scripted business layers in tests.
class RecordsetEmMemoria : public Recordset {
public:
    explicit RecordsetEmMemoria(QStringList campos = {});
    void AdicionarLinha(QList<QVariant> valores); // one value per field, in field order

    qint32 RecordCount() const override { return static_cast<qint32>(mlinhas.size()); }
    qint32 FieldsCount() const override { return static_cast<qint32>(mcampos.size()); }
    QString FieldName(qint32 indice) const override;
    Field Fields(const QString& nome) const override;
    using Recordset::Fields;
    void MoveFirst() override { mlonPosicao = 0; }
    void MoveNext() override;
    bool Eof() const override { return mlonPosicao >= RecordCount(); }
    qint32 AbsolutePosition0() const override { return mlonPosicao; }
    void MoverPara(qint32 posicao0) override;

private:
    QStringList mcampos;
    QList<QList<QVariant>> mlinhas;
    qint32 mlonPosicao = 0;
};

using RecordsetPtr = std::shared_ptr<Recordset>;
