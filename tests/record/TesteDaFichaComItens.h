#pragma once
// What the tests of the item values, the item commands and the saving share: the form's
// window active (focus, Validate and LostFocus as for a person), the client and the
// items filled in as the lookups leave them, and short readers of boxes, totals and
// grid rows.

#include "tests/record/TesteDaFicha.h"

#include <QStringList>

class Controle;
class MSFlexGrid;
class XRNumberBox;

class TesteDaFichaComItens : public TesteDaFicha {
    Q_OBJECT

protected:
    // The form's window shown and active.
    void Ativar();
    // Client 1 (João) chosen, with its animals Rex (10) and Mel (11), Rex selected.
    void EscolherCliente();
    // A service or product found: its fields as the lookup leaves them, and the item's
    // values: quantity, unit value, discount percentage and discount value.
    void PreencherServico(int lintTipo, int lintCodigo, const QString& lstrNome, const QString& lstrCusto,
                          const QStringList& lstrValores);
    void PreencherProduto(const QString& lstrCodigoDeBarras, int lintCodigo, const QString& lstrNome,
                          const QString& lstrCusto, const QStringList& lstrValores);
    void PreencherValores(const QStringList& lstrValores);
    // Consultation (service 1 of type 1, cost 48) and dog food (product 100, cost 145).
    void AdicionarConsulta(const QStringList& lstrValores);
    void AdicionarRacao(const QStringList& lstrValores);
    void Clicar(const char* lstrComando);
    // Types into a box as a person: the focus enters it (its text selected), the keys.
    void Digitar(const char* lstrCaixa, const QString& lstrTeclas);
    // The focus leaves the item's boxes for the unit value.
    void Sair();

    XRNumberBox* Caixa(const char* lstrNome) const;
    MSFlexGrid* Grade() const;
    // Total, discount percentage, discount value, net value.
    QStringList Totais() const;
    // Columns 1 to 15 of a grid row.
    QStringList Linha(int lintLinha) const;
    // The name of the control that holds the focus ("" when none of the form's).
    QString Foco() const;
    // The labels painted red.
    QStringList RotulosVermelhos() const;
};
