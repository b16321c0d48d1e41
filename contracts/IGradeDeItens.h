#pragma once
// The record form's items grid as the business layer sees it when a quote is saved: its
// size and the text of each cell, nothing else; and the grid's columns, named once for
// the form that writes them, the business layer that reads them and the tools that
// build grids of their own.

#include <QString>

namespace GradeDeItens {

enum Coluna : int {
    ColunaEmBranco = 0,
    TipoDeServicoOuCodigoDeBarras = 1, // service-type number, or the product's bar code
    CodigoDoServicoOuProduto = 2,      // service code, or the product's internal code
    NomeDoServicoOuProduto = 3,
    CodigoDoAnimal = 4,
    NomeDoAnimal = 5,
    Quantidade = 6,
    ValorUnitario = 7,
    PercentualDeDesconto = 8,
    ValorDeDesconto = 9,
    ValorTotal = 10,
    Custo = 11,
    NumeroDoItem = 12, // 0 for an item not stored yet
    TipoDeVenda = 13,
    TipoDeLancamento = 14, // LancamentoDeServico or LancamentoDeProduto
    CodigoDaSituacao = 15,
    Situacao = 16,
    DataEHoraDaInclusao = 17,
    UsuarioDaInclusao = 18,
    DataEHoraDaAlteracao = 19,
    UsuarioDaAlteracao = 20,
    QuantidadeDeColunas = 21,
};

// After the specified columns: the mark of an item only some cases need ("Sim", or
// empty), which the business layer reads when the grid has it.
inline constexpr int ColunaSeNecessario = QuantidadeDeColunas;
inline constexpr int QuantidadeDeColunasComAMarca = QuantidadeDeColunas + 1;
inline const QString MarcaSeNecessario = QStringLiteral("Sim");

// The launch types of column TipoDeLancamento.
inline constexpr int LancamentoDeServico = 1;
inline constexpr int LancamentoDeProduto = 2;

} // namespace GradeDeItens

class IGradeDeItens {
public:
    virtual ~IGradeDeItens() = default;
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
};
