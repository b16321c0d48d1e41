#pragma once
// The checks a quote passes before it is stored. Each failing check rejects (2)
// with the field the record form marks and a Portuguese description:
//   "CodigoDoCliente"           no client, an unknown one, or one not active;
//   "CodigoDoAnimal"            no animal, or an animal that is not the client's;
//   "GradeDeItensDoOrcamento"   no item, a row that is not a consistent item, or
//                               header totals that are not the sums of the items;
//   "DataDeValidadeDoOrcamento" not a date, or before the quote's date.
//
// The items are read from the record form's items grid, one item per row after
// the caption row, in the columns GradeDeItens names (contracts/IGradeDeItens.h).
// Numbers are Brazilian texts ("1.234,5"), as the grid holds them; an empty number
// cell counts as 0. A row whose cells are all empty is no item.
//
// Sums are compared allowing half a cent, the rounding of a value shown with
// two decimals.

#include "business/GravacaoDeOrcamentos.h"
#include "contracts/IGradeDeItens.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <functional>
#include <optional>

namespace ValidacaoDoOrcamento {

inline const QString CampoCliente = QStringLiteral("CodigoDoCliente");
inline const QString CampoAnimal = QStringLiteral("CodigoDoAnimal");
inline const QString CampoGrade = QStringLiteral("GradeDeItensDoOrcamento");
inline const QString CampoValidade = QStringLiteral("DataDeValidadeDoOrcamento");
inline const QString CampoSituacao = QStringLiteral("Situacao");

struct ItemLido {
    int Linha = 0;
    qint64 NumeroDoItem = 0;   // 0: not stored yet
    bool SeNecessario = false; // marked in the grid's column after the specified ones
    GravacaoDeOrcamentos::Item Item;
};

using Totais = GravacaoDeOrcamentos::Totais;

// A client found active, with the codes of its animals (read with it, in one statement).
struct ClienteLido {
    qint64 Codigo = 0;
    QSet<qint64> Animais;
};

// The client exists and is active.
ClienteLido ValidarCliente(double codigoDoCliente);
// The animal is one of the client's; answers its code.
qint64 ValidarAnimal(const ClienteLido& cliente, qint32 codigoDoAnimal);
// Reads and checks every item of the grid, resolving each service or product in
// the registry; an item without an animal of its own is for the quote's animal.
QList<ItemLido> LerItens(const IGradeDeItens* grade, const ClienteLido& cliente, qint64 codigoDoAnimal);
// The header totals the form sent are the sums of the items; answers the totals to
// store, the sums of the items as they are stored (GravacaoDeOrcamentos::TotaisDosItens).
Totais ValidarTotais(const Totais& totais, const QList<ItemLido>& itens);
// The validity date ("DD/MM/YYYY") is a date not before the quote's date.
QDate ValidarValidade(const QString& texto, const QDate& dataDoOrcamento);
// The validity date ("DD/MM/YYYY") read; rejected when it is not a date.
QDate DataDeValidade(const QString& texto);

// The counter's rules, which the record form applies by locking its boxes
// (frmFicha::PermissaoDoUsuario), checked again where the quote is stored, whatever
// path its values came by (typed, a recovery copy, a direct call). The user is the
// DadosDoUsuario object (its items read by name; a missing item is false):
//   - an administrator may give any unit value and discount;
//   - anyone else gives each item at the registry's price (ValorDeVenda);
//   - and, without PermissaoDoModuloCaixaAlterarDescontosDeVendas, no discount beyond
//     what the registry grants the client on the item: for a service, the client's
//     single percentage (DescontoUnico) or its percentage for the service's type; for
//     either kind, the company's promotion for that kind while it runs (the larger of
//     the two). The form gives at most that, so a cap is what it fixes.
// An item of a stored quote may keep the unit value and percentage stored for it (a
// quote changed after the registry's price changed): gravado answers them for an item
// number (nothing for a new item). Rejected (2, "GradeDeItensDoOrcamento") with the
// line, the value and the registry's.
struct ValoresGravados {
    VB::Currency ValorUnitario, DescontoEmPercentual;
};
void ValidarPermissoes(const QObject* usuario, qint64 codigoDoCliente, const QList<ItemLido>& itens,
                       const std::function<std::optional<ValoresGravados>(qint64)>& gravado = {});

} // namespace ValidacaoDoOrcamento
