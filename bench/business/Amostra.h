#pragma once
// The quote the benchmarks store: services and products of the generated registry
// for an active client with one of its animals, each item with a 10 % discount, by the
// user "BENCH". It comes as the record form's items grid (what clsOrcamentos.Adicionar
// reads), the header totals, and the same quote as the floor writes it. The quotes a
// benchmark stores are removed at its end, so that it leaves the database as it found it.

#include "bench/business/Referencia.h"

#include "contracts/IGradeDeItens.h"

#include <QList>
#include <QObject>
#include <QStringList>

namespace Amostra {

// The record form's items grid, in memory: its columns, row 0 the captions.
class GradeEmMemoria : public IGradeDeItens {
public:
    GradeEmMemoria() : mlinhas{QStringList(GradeDeItens::QuantidadeDeColunas, QStringLiteral("Coluna"))} {}
    int Rows() const override { return int(mlinhas.size()); }
    int Cols() const override { return GradeDeItens::QuantidadeDeColunas; }
    QString TextMatrix(int row, int col) const override { return mlinhas.at(row).value(col); }
    // A new row; its cells are set by column.
    QStringList& NovaLinha() { return mlinhas.emplace_back(GradeDeItens::QuantidadeDeColunas); }

private:
    QList<QStringList> mlinhas;
};

struct Orcamento {
    GradeEmMemoria Grade;
    Referencia::OrcamentoGravado Gravado;
    // The totals without the last item (what the record form hands clsOrcItens.Excluir).
    qint64 TotalSemOUltimo = 0, LiquidoSemOUltimo = 0;
};

// The first servicos active services and the first produtos active products with a
// bar code, in code order, for the first active client with an animal from the middle
// of the registry on; exits with a message when the registry has too few.
Orcamento Montar(int servicos, int produtos);

// The user the sample quotes are stored and changed by (DadosDoUsuario of the business
// objects): "BENCH", the name the floor writes.
QObject* Usuario();

// Stores the quote through clsOrcamentos as the record form does; answers its number.
qint64 Gravar(const Orcamento& orcamento);

// Removes the quotes, their items and their history.
void Remover(const QList<qint64>& numeros);

} // namespace Amostra
