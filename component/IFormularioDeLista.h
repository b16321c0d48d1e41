#pragma once
// What the other forms may see of the quotes list, through the working context's
// FormularioDeLista: its grid, whose selected row is the quote a command acts on, and
// the grid's columns, which the record form and the printing read by number.

#include <QWidget>

class MSFlexGrid;

class IFormularioDeLista : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual MSFlexGrid* Grade() const = 0;

    enum Coluna : int {
        ColunaEmBranco = 0,
        ColunaNumeroDoOrcamento = 1,
        ColunaApelidoOuNomeFantasiaDoCliente = 2,
        ColunaNomeOuRazaoSocialDoCliente = 3,
        ColunaDataDoOrcamento = 4,
        ColunaCodigoDoCliente = 5,
        ColunaValorTotal = 6,
        ColunaDescontoEmPercentual = 7,
        ColunaDescontoEmValor = 8,
        ColunaValorLiquido = 9,
        ColunaDataDeValidadeDoOrcamento = 10,
        ColunaCodigoDaSituacao = 11,
        ColunaSituacao = 12,
        ColunaDataEHoraDaInclusao = 13,
        ColunaUsuarioDaInclusao = 14,
        ColunaDataEHoraDaAlteracao = 15,
        ColunaUsuarioDaAlteracao = 16,
        QuantidadeDeColunas = 17,
    };
};
