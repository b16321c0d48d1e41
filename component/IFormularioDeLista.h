#pragma once
// What the other forms may see of the quotes list, through the working context's
// FormularioDeLista: its grid, whose selected row is the quote a command acts on, and
// the grid's columns, which the record form and the printing read by number.

#include "contracts/CamposDoOrcamento.h"

#include <QString>
#include <QWidget>
#include <array>

class MSFlexGrid;

class IFormularioDeLista : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual MSFlexGrid* Grade() const = 0;

    // A record form opened from row lintLinha stored a change of that row's quote and may
    // still be cancelled (an item removal is stored at once): the row's change stamp and
    // user, hidden columns, become the stored ones, so that a form opened again from the
    // row reads the version stored. The list does not select again and shows the same;
    // nothing happens when the row no longer holds that quote. A window that opened the
    // form through a stand-in list learns so that its quote changed.
    virtual void AnotarAlteracao(int lintLinha, double ldouNumeroDoOrcamento, const QString& lstrDataEHora,
                                 const QString& lstrUsuario);

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

    // The field of a quotes selection (CamposDoOrcamento) a column shows: one table for the
    // list's grid and the windows that stand in for the list (a row written from a
    // selection). None (u"") for the blank column, the situation's picture and a number
    // out of range.
    static constexpr const char16_t* CampoDaColuna(int lintColuna) {
        namespace C = CamposDoOrcamento;
        constexpr std::array<const char16_t*, QuantidadeDeColunas> campos{
            u"",
            C::NumeroDoOrcamento,
            C::ApelidoOuNomeFantasiaDoCliente,
            C::NomeOuRazaoSocialDoCliente,
            C::DataDoOrcamento,
            C::CodigoDoCliente,
            C::ValorTotal,
            C::DescontoEmPercentual,
            C::DescontoEmValor,
            C::ValorLiquido,
            C::DataDeValidadeDoOrcamento,
            C::Situacao,
            u"", // ColunaSituacao: a picture by the situation
            C::DataEHoraDaInclusao,
            C::UsuarioDaInclusao,
            C::DataEHoraDaAlteracao,
            C::UsuarioDaAlteracao,
        };
        return lintColuna >= 0 && lintColuna < QuantidadeDeColunas ? campos[lintColuna] : u"";
    }
};
