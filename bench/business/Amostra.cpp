#include "bench/business/Amostra.h"

#include "business/Banco.h"
#include "business/Relogio.h"
#include "contracts/CriarObjeto.h"
#include "contracts/DadosDoUsuario.h"
#include "contracts/Negocio.h"

#include <QSqlQuery>

namespace Amostra {

namespace {

using Medicao::Falhar;

QString Reais(qint64 decimosDeMilesimos) {
    return VB::Format(QVariant::fromValue(VB::Currency::DeDecimosDeMilesimos(decimosDeMilesimos)),
                      QStringLiteral("#,##0.00"));
}

void EscreverLinha(const Referencia::ItemGravado& i, QStringList& linha) {
    using namespace GradeDeItens;
    linha[TipoDeServicoOuCodigoDeBarras] = i.Servico ? QString::number(i.TipoDeServico) : i.CodigoDeBarras;
    linha[CodigoDoServicoOuProduto] = QString::number(i.Codigo);
    linha[NomeDoServicoOuProduto] = i.Nome;
    linha[CodigoDoAnimal] = QString::number(i.CodigoDoAnimal);
    linha[Quantidade] = VB::Format(QVariant::fromValue(VB::Currency::DeDecimosDeMilesimos(i.Quantidade)),
                                   QStringLiteral("#,##0.000"));
    linha[ValorUnitario] = Reais(i.ValorUnitario);
    linha[PercentualDeDesconto] = Reais(i.DescontoEmPercentual);
    linha[ValorDeDesconto] = Reais(i.DescontoEmValor);
    linha[ValorTotal] = Reais(i.ValorTotal);
    linha[Custo] = Reais(i.Custo);
    linha[NumeroDoItem] = QStringLiteral("0");
    linha[TipoDeVenda] = QStringLiteral("1");
    linha[TipoDeLancamento] = QString::number(i.Servico ? LancamentoDeServico : LancamentoDeProduto);
    linha[CodigoDaSituacao] = QStringLiteral("1");
}

// The first quantos active services (quantity 1), or products with a bar code (quantity
// 2), in code order, as items of the quote for its animal; no discount yet.
void LerItens(Referencia::OrcamentoGravado& o, bool servico, int quantos) {
    QSqlQuery q = Banco::Executar(
        servico
            ? QStringLiteral("SELECT Codigo, NumeroDoTipoDeServico AS Tipo, Nome, ValorDeVenda, Custo FROM "
                             "Servicos WHERE Situacao = 1 ORDER BY Codigo LIMIT ?")
            : QStringLiteral(
                  "SELECT CodigoInterno AS Codigo, CodigoDeBarras, Nome, ValorDeVenda, ValorDeCusto "
                  "AS Custo FROM Produtos WHERE Situacao = 1 AND CodigoDeBarras IS NOT NULL ORDER "
                  "BY CodigoInterno LIMIT ?"),
        {quantos});
    while (q.next())
        o.Itens << Referencia::ItemGravado{servico,
                                           Banco::Coluna(q, "Codigo").toLongLong(),
                                           servico ? Banco::Coluna(q, "Tipo").toInt() : 0,
                                           servico ? QString()
                                                   : Banco::Coluna(q, "CodigoDeBarras").toString(),
                                           Banco::Coluna(q, "Nome").toString(),
                                           o.CodigoDoAnimal,
                                           servico ? 10000 : 20000,
                                           Banco::Coluna(q, "ValorDeVenda").toLongLong(),
                                           0,
                                           0,
                                           0,
                                           Banco::Coluna(q, "Custo").toLongLong()};
}

} // namespace

Orcamento Montar(int servicos, int produtos) {
    Orcamento q;
    Referencia::OrcamentoGravado& o = q.Gravado;
    {
        QSqlQuery c = Banco::Executar(QStringLiteral(
            "SELECT c.CodigoDoCliente, MIN(a.Codigo) AS CodigoDoAnimal FROM Clientes c JOIN Animais a ON "
            "a.CodigoDoCliente = c.CodigoDoCliente WHERE c.Situacao = 1 AND c.CodigoDoCliente >= (SELECT "
            "MAX(CodigoDoCliente) / 2 FROM Clientes) GROUP BY c.CodigoDoCliente ORDER BY c.CodigoDoCliente "
            "LIMIT 1"));
        if (!c.next()) Falhar(QStringLiteral("Nenhum cliente ativo com animal."));
        o.CodigoDoCliente = Banco::Coluna(c, "CodigoDoCliente").toLongLong();
        o.CodigoDoAnimal = Banco::Coluna(c, "CodigoDoAnimal").toLongLong();
    }
    LerItens(o, true, servicos);
    LerItens(o, false, produtos);
    if (o.Itens.size() != servicos + produtos)
        Falhar(QStringLiteral("O cadastro não tem %1 serviços e %2 produtos ativos.")
                   .arg(servicos)
                   .arg(produtos));
    for (Referencia::ItemGravado& i : o.Itens) {
        const qint64 bruto = i.Quantidade * i.ValorUnitario / 10000;
        i.DescontoEmPercentual = 100000; // 10 %
        i.DescontoEmValor = (bruto / 10 + 50) / 100 * 100;
        i.ValorTotal = bruto - i.DescontoEmValor;
        o.ValorTotal += bruto;
        o.DescontoEmValor += i.DescontoEmValor;
        EscreverLinha(i, q.Grade.NovaLinha());
    }
    o.ValorLiquido = o.ValorTotal - o.DescontoEmValor;
    o.DescontoEmPercentual = (o.DescontoEmValor * 1000000 / o.ValorTotal + 50) / 100 * 100;
    o.Data = Relogio::Hoje();
    o.Validade = o.Data.addDays(15);
    o.Inclusao = Relogio::Agora();
    o.Usuario = QStringLiteral("BENCH");
    const Referencia::ItemGravado& ultimo = o.Itens.constLast();
    q.TotalSemOUltimo = o.ValorTotal - ultimo.Quantidade * ultimo.ValorUnitario / 10000;
    q.LiquidoSemOUltimo = o.ValorLiquido - ultimo.ValorTotal;
    return q;
}

QObject* Usuario() {
    static clsDadosDoUsuario usuario;
    usuario.NomeDoUsuario = QStringLiteral("BENCH");
    // The samples' prices are not the registry's: stored as the clinic's administrator.
    usuario.Administrador = true;
    return &usuario;
}

qint64 Gravar(const Orcamento& q) {
    auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
    const Referencia::OrcamentoGravado& o = q.Gravado;
    orcamentos->NumeroDoOrcamento = 0;
    orcamentos->CodigoDoCliente = double(o.CodigoDoCliente);
    orcamentos->CodigoDoAnimal = qint32(o.CodigoDoAnimal);
    orcamentos->ValorTotal = VB::Currency::DeDecimosDeMilesimos(o.ValorTotal);
    orcamentos->DescontoEmPercentual = VB::Currency::DeDecimosDeMilesimos(o.DescontoEmPercentual);
    orcamentos->DescontoEmValor = VB::Currency::DeDecimosDeMilesimos(o.DescontoEmValor);
    orcamentos->ValorLiquido = VB::Currency::DeDecimosDeMilesimos(o.ValorLiquido);
    orcamentos->DataDeValidadeDoOrcamento = o.Validade.toString(QStringLiteral("dd/MM/yyyy"));
    orcamentos->GradeDeItensDoOrcamento = &q.Grade;
    orcamentos->DadosDoUsuario = Usuario();
    const qint16 estado = orcamentos->Adicionar();
    if (estado != 0)
        Falhar(QStringLiteral("Adicionar respondeu %1: %2 %3 %4")
                   .arg(estado)
                   .arg(orcamentos->DescricaoDaFalha, orcamentos->DescricaoDoErro,
                        orcamentos->NomeDoCampoValidado));
    return qint64(orcamentos->CodigoGerado);
}

void Remover(const QList<qint64>& numeros) {
    Banco::UnidadeDeTrabalho unidade;
    for (const qint64 numero : numeros) {
        // The sample leaves the database as it found it, its history included.
        Banco::Executar(QStringLiteral("DELETE FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?"),
                        {numero});
        Banco::Executar(QStringLiteral("DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"), {numero});
        Banco::Executar(QStringLiteral("DELETE FROM Orcamentos WHERE NumeroDoOrcamento = ?"), {numero});
    }
    unidade.Confirmar();
}

} // namespace Amostra
