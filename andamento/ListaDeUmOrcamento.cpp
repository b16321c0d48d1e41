#include "andamento/ListaDeUmOrcamento.h"

#include "component/modPrincipal.h"
#include "platform/controls/MSFlexGrid.h"
#include "record/frmFicha.h"

ListaDeUmOrcamento::ListaDeUmOrcamento(const Recordset& linha) {
    setObjectName(QStringLiteral("ListaDeUmOrcamento"));
    msfgGrade = new MSFlexGrid(this, QStringLiteral("msfgGrade"));
    msfgGrade->setCols(QuantidadeDeColunas);
    msfgGrade->setRows(2);
    msfgGrade->setFixedRows(1);
    // The list's columns the record form reads, with the fields the list's grid shows.
    for (int coluna = ColunaNumeroDoOrcamento; coluna < QuantidadeDeColunas; ++coluna) {
        const QString campo = QString::fromUtf16(CampoDaColuna(coluna));
        if (campo.isEmpty()) continue;
        const QVariant valor = linha.Fields(campo).Value;
        // As the list writes its cells: an alteration never made is blank.
        msfgGrade->setTextMatrix(1, coluna, VB::IsNull(valor) ? QString() : VB::CStr(valor));
    }
    msfgGrade->setRow(1);
    msfgGrade->setRowSel(1);
}

void ListaDeUmOrcamento::AnotarAlteracao(int lintLinha, double ldouNumeroDoOrcamento,
                                         const QString& lstrDataEHora, const QString& lstrUsuario) {
    IFormularioDeLista::AnotarAlteracao(lintLinha, ldouNumeroDoOrcamento, lstrDataEHora, lstrUsuario);
    mbooAlteracaoAnotada = true;
}

bool ListaDeUmOrcamento::Alterar(const Recordset& linha) {
    ListaDeUmOrcamento lista(linha);
    const QPointer<IFormularioDeLista> anterior = modPrincipal::FormularioDeLista;
    modPrincipal::FormularioDeLista = &lista;
    bool alterado = false;
    try {
        frmFicha& lfrmFicha = frmFicha::InstanciaDaLista();
        lfrmFicha.MontarExibirFormulario(frmFicha::Alteracao);
        alterado = lfrmFicha.OperacaoConcluida() || lista.mbooAlteracaoAnotada;
    } catch (...) {
        frmFicha::DescarregarInstanciaDaLista();
        modPrincipal::FormularioDeLista = anterior;
        throw;
    }
    frmFicha::DescarregarInstanciaDaLista();
    modPrincipal::FormularioDeLista = anterior;
    return alterado;
}
