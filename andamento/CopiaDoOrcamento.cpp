// The copy is put into the record form by the path that recovers a quote left unsaved
// (frmFicha::RecuperarOrcamento): the client searched by its code, the animal chosen,
// each item checked against the registry and the user's permissions and added as the
// add command adds it. Its items come priced as if typed today, by the business layer
// (clsRenovacaoDeValidade's selection, the same prices a renewal stores).

#include "andamento/CopiaDoOrcamento.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/IGradeDeItens.h"
#include "contracts/Negocio.h"
#include "platform/Plataforma.h"
#include "record/frmFicha.h"

#include <QJsonArray>
#include <QJsonObject>

namespace andamento {
namespace {

using namespace GradeDeItens;

QString Dinheiro(const Recordset& itens, const char* campo) {
    return VB::Format(itens.Fields(QString::fromLatin1(campo)).Value, QStringLiteral("#,##0.00"));
}

// The item's grid cells (columns TipoDeServicoOuCodigoDeBarras to CodigoDaSituacao) as
// the add command writes them, at today's values.
QJsonArray Celulas(const Recordset& itens) {
    const auto campo = [&](const char* nome) { return itens.Fields(QString::fromLatin1(nome)).Value; };
    const bool servico = VB::CLng(campo("TipoDeLancamento")) == LancamentoDeServico;
    return {VB::CStr(campo("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto")),
            VB::CStr(campo("CodigoDoServicoOuCodigoInternoDoProduto")),
            VB::CStr(campo("NomeDoServicoOuNomeDoProduto")),
            VB::CStr(campo("CodigoDoAnimal")),
            VB::CStr(campo("NomeDoAnimal")),
            VB::Format(campo("Quantidade"), servico ? QStringLiteral("0") : QStringLiteral("#,##0.000")),
            Dinheiro(itens, "NovoValorUnitario"),
            Dinheiro(itens, "NovoDescontoEmPercentual"),
            Dinheiro(itens, "NovoDescontoEmValor"),
            Dinheiro(itens, "NovoValorTotal"),
            Dinheiro(itens, "NovoCusto"),
            QStringLiteral("0"),
            QStringLiteral("1"),
            VB::CStr(campo("TipoDeLancamento")),
            QStringLiteral("1")};
}

} // namespace

bool CopiarOrcamento(QWidget* pai, double numero) {
    Q_UNUSED(pai); // the record form places itself over the menu window, as for "Adicionar"
    bool lbooGravado = false;
    ComTratamentoDeErro(u"CopiaDoOrcamento", u"CopiarOrcamento", [&](qint16& Ponto) {
        Ponto = 1;
        auto lobjRenovacao =
            Zelt::CriarObjeto<ZELT_N_Orcamentos::clsRenovacaoDeValidade>(ProgId::RenovacaoDeValidade);
        if (VB::CBool(lobjRenovacao->SelecionarItensAPrecosDeHoje(numero))) {
            ExibirErroDoNegocio(*lobjRenovacao);
            return;
        }
        const RecordsetPtr lrstItens = lobjRenovacao->ResultadoDaSelecaoEmRecordSet();
        if (lrstItens->RecordCount() == 0) {
            Plataforma::MsgBox(QStringLiteral("O orçamento %1 não está cadastrado.").arg(VB::CStr(numero)),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
            return;
        }
        Ponto = 2;
        QJsonArray itens;
        for (lrstItens->MoveFirst(); !lrstItens->Eof(); lrstItens->MoveNext())
            itens << Celulas(*lrstItens);
        const QJsonObject copia{
            {QStringLiteral("cliente"),
             QJsonObject{{QStringLiteral("codigo"), lobjRenovacao->CodigoDoCliente}}},
            {QStringLiteral("animal"),
             QJsonObject{{QStringLiteral("codigo"), lobjRenovacao->CodigoDoAnimal}}},
            {QStringLiteral("itens"), itens},
        };
        Ponto = 3;
        frmFicha& lfrmFicha = frmFicha::InstanciaDaLista();
        lfrmFicha.DefinirOrcamentoACopiar(
            copia,
            QStringLiteral("Estes itens do orçamento %1 não estão mais cadastrados ou estão inativos, e "
                           "ficaram fora da cópia:")
                .arg(VB::CStr(numero)));
        lfrmFicha.MontarExibirFormulario(frmFicha::Inclusao);
        lbooGravado = lfrmFicha.OperacaoConcluida();
    });
    // Unloaded also after an error: the next command starts with a fresh form.
    frmFicha::DescarregarInstanciaDaLista();
    return lbooGravado;
}

} // namespace andamento
