#include "andamento/ListaDeUmOrcamento.h"

#include "component/modPrincipal.h"
#include "contracts/CamposDoOrcamento.h"
#include "platform/controls/MSFlexGrid.h"
#include "record/frmFicha.h"

#include <array>
#include <utility>

namespace {

// The list's columns the record form reads and the fields they show (as the list's grid
// names them; its picture column aside).
const std::array<std::pair<IFormularioDeLista::Coluna, const char16_t*>, 15> CamposDasColunas{{
    {IFormularioDeLista::ColunaNumeroDoOrcamento, CamposDoOrcamento::NumeroDoOrcamento},
    {IFormularioDeLista::ColunaApelidoOuNomeFantasiaDoCliente,
     CamposDoOrcamento::ApelidoOuNomeFantasiaDoCliente},
    {IFormularioDeLista::ColunaNomeOuRazaoSocialDoCliente, CamposDoOrcamento::NomeOuRazaoSocialDoCliente},
    {IFormularioDeLista::ColunaDataDoOrcamento, CamposDoOrcamento::DataDoOrcamento},
    {IFormularioDeLista::ColunaCodigoDoCliente, CamposDoOrcamento::CodigoDoCliente},
    {IFormularioDeLista::ColunaValorTotal, CamposDoOrcamento::ValorTotal},
    {IFormularioDeLista::ColunaDescontoEmPercentual, CamposDoOrcamento::DescontoEmPercentual},
    {IFormularioDeLista::ColunaDescontoEmValor, CamposDoOrcamento::DescontoEmValor},
    {IFormularioDeLista::ColunaValorLiquido, CamposDoOrcamento::ValorLiquido},
    {IFormularioDeLista::ColunaDataDeValidadeDoOrcamento, CamposDoOrcamento::DataDeValidadeDoOrcamento},
    {IFormularioDeLista::ColunaCodigoDaSituacao, CamposDoOrcamento::Situacao},
    {IFormularioDeLista::ColunaDataEHoraDaInclusao, CamposDoOrcamento::DataEHoraDaInclusao},
    {IFormularioDeLista::ColunaUsuarioDaInclusao, CamposDoOrcamento::UsuarioDaInclusao},
    {IFormularioDeLista::ColunaDataEHoraDaAlteracao, CamposDoOrcamento::DataEHoraDaAlteracao},
    {IFormularioDeLista::ColunaUsuarioDaAlteracao, CamposDoOrcamento::UsuarioDaAlteracao},
}};

} // namespace

ListaDeUmOrcamento::ListaDeUmOrcamento(const Recordset& linha) {
    setObjectName(QStringLiteral("ListaDeUmOrcamento"));
    msfgGrade = new MSFlexGrid(this, QStringLiteral("msfgGrade"));
    msfgGrade->setCols(QuantidadeDeColunas);
    msfgGrade->setRows(2);
    msfgGrade->setFixedRows(1);
    for (const auto& [coluna, campo] : CamposDasColunas) {
        const QVariant valor = linha.Fields(QString::fromUtf16(campo)).Value;
        // As the list writes its cells: an alteration never made is blank.
        msfgGrade->setTextMatrix(1, coluna, VB::IsNull(valor) ? QString() : VB::CStr(valor));
    }
    msfgGrade->setRow(1);
    msfgGrade->setRowSel(1);
}

bool ListaDeUmOrcamento::Alterar(const Recordset& linha) {
    ListaDeUmOrcamento lista(linha);
    const QPointer<IFormularioDeLista> anterior = modPrincipal::FormularioDeLista;
    modPrincipal::FormularioDeLista = &lista;
    bool alterado = false;
    try {
        frmFicha& lfrmFicha = frmFicha::InstanciaDaLista();
        lfrmFicha.MontarExibirFormulario(frmFicha::Alteracao);
        alterado = lfrmFicha.OperacaoConcluida();
    } catch (...) {
        frmFicha::DescarregarInstanciaDaLista();
        modPrincipal::FormularioDeLista = anterior;
        throw;
    }
    frmFicha::DescarregarInstanciaDaLista();
    modPrincipal::FormularioDeLista = anterior;
    return alterado;
}
