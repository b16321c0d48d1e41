#include "business/ValidacaoDoOrcamento.h"

#include "business/Banco.h"
#include "business/Objetos.h"
#include "business/PrecosDoCadastro.h"

#include <QHash>
#include <QSet>

namespace ValidacaoDoOrcamento {
namespace {

using namespace GradeDeItens;
using Objetos::Rejeitar;

constexpr qint64 MeioCentavo = 50; // in ten-thousandths

bool Difere(VB::Currency a, VB::Currency b) {
    return std::llabs((a - b).DecimosDeMilesimos()) > MeioCentavo;
}

QString Texto(VB::Currency valor) {
    return VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.00"));
}

QString Celula(const IGradeDeItens& grade, int linha, int coluna) {
    return coluna < grade.Cols() ? grade.TextMatrix(linha, coluna).trimmed() : QString();
}

QString Prefixo(int linha) {
    return QStringLiteral("Item da linha %1: ").arg(linha);
}

VB::Currency NumeroDaCelula(const IGradeDeItens& grade, int linha, int coluna, const QString& oQue) {
    const QString texto = Celula(grade, linha, coluna);
    if (texto.isEmpty()) return {};
    try {
        if (VB::IsNumeric(texto)) return VB::CCur(texto);
    } catch (const VB::ErroDeExecucao&) {
        // too large: falls through to the rejection
    }
    Rejeitar(CampoGrade, Prefixo(linha) + QStringLiteral("%1 '%2' não é um número válido.").arg(oQue, texto));
}

qint64 InteiroDaCelula(const IGradeDeItens& grade, int linha, int coluna, const QString& oQue) {
    const VB::Currency valor = NumeroDaCelula(grade, linha, coluna, oQue);
    if (valor.DecimosDeMilesimos() % 10000 != 0 || valor < VB::Currency{})
        Rejeitar(CampoGrade, Prefixo(linha) + QStringLiteral("%1 '%2' não é um número inteiro válido.")
                                                  .arg(oQue, Celula(grade, linha, coluna)));
    return valor.DecimosDeMilesimos() / 10000;
}

bool LinhaVazia(const IGradeDeItens& grade, int linha) {
    // The cells the form fills for an item; the situation's name and the stamps are
    // only shown.
    for (int coluna = TipoDeServicoOuCodigoDeBarras; coluna <= CodigoDaSituacao; ++coluna)
        if (!Celula(grade, linha, coluna).isEmpty()) return false;
    return true;
}

ItemLido LerLinha(const IGradeDeItens& grade, int linha) {
    ItemLido lido;
    lido.Linha = linha;
    GravacaoDeOrcamentos::Item& item = lido.Item;
    const qint64 lancamento =
        InteiroDaCelula(grade, linha, TipoDeLancamento, QStringLiteral("o tipo de lançamento"));
    if (lancamento != LancamentoDeServico && lancamento != LancamentoDeProduto)
        Rejeitar(CampoGrade,
                 Prefixo(linha) + QStringLiteral("o tipo de lançamento '%1' não é 1 (serviço) nem 2 "
                                                 "(produto).")
                                      .arg(Celula(grade, linha, TipoDeLancamento)));
    item.TipoDeLancamento = static_cast<qint32>(lancamento);
    const bool servico = lancamento == LancamentoDeServico;
    item.Codigo =
        InteiroDaCelula(grade, linha, CodigoDoServicoOuProduto,
                        servico ? QStringLiteral("o código do serviço") : QStringLiteral("o código interno"));
    if (item.Codigo <= 0)
        Rejeitar(CampoGrade, Prefixo(linha) + (servico ? QStringLiteral("informe o serviço.")
                                                       : QStringLiteral("informe o produto.")));
    if (!servico) item.CodigoDeBarrasDoProduto = Celula(grade, linha, TipoDeServicoOuCodigoDeBarras);
    item.CodigoDoAnimal = InteiroDaCelula(grade, linha, CodigoDoAnimal, QStringLiteral("o código do animal"));
    item.Quantidade = NumeroDaCelula(grade, linha, Quantidade, QStringLiteral("a quantidade"));
    item.ValorUnitario = NumeroDaCelula(grade, linha, ValorUnitario, QStringLiteral("o valor unitário"));
    item.DescontoEmPercentual =
        NumeroDaCelula(grade, linha, PercentualDeDesconto, QStringLiteral("o percentual de desconto"));
    item.DescontoEmValor =
        NumeroDaCelula(grade, linha, ValorDeDesconto, QStringLiteral("o valor de desconto"));
    item.ValorTotal = NumeroDaCelula(grade, linha, ValorTotal, QStringLiteral("o valor total"));
    item.Custo = NumeroDaCelula(grade, linha, Custo, QStringLiteral("o custo"));
    lido.NumeroDoItem = InteiroDaCelula(grade, linha, NumeroDoItem, QStringLiteral("o número do item"));
    if (!Celula(grade, linha, TipoDeVenda).isEmpty())
        item.TipoDeVenda = static_cast<qint32>(
            InteiroDaCelula(grade, linha, TipoDeVenda, QStringLiteral("o tipo de venda")));
    if (!Celula(grade, linha, CodigoDaSituacao).isEmpty())
        item.Situacao = static_cast<qint32>(
            InteiroDaCelula(grade, linha, CodigoDaSituacao, QStringLiteral("a situação")));
    // A grid of the specified columns only (a recovery copy, a tool's grid) marks nothing.
    lido.SeNecessario = grade.Cols() > ColunaSeNecessario &&
                        grade.TextMatrix(linha, ColunaSeNecessario).trimmed() == MarcaSeNecessario;
    return lido;
}

void ValidarValores(const ItemLido& lido) {
    const GravacaoDeOrcamentos::Item& item = lido.Item;
    const QString prefixo = Prefixo(lido.Linha);
    const VB::Currency zero;
    if (item.Quantidade <= zero)
        Rejeitar(CampoGrade, prefixo + QStringLiteral("informe uma quantidade maior que 0 (zero)."));
    if (item.ValorUnitario <= zero)
        Rejeitar(CampoGrade, prefixo + QStringLiteral("informe um valor unitário maior que 0,00 (zero)."));
    if (item.DescontoEmValor < zero || item.DescontoEmPercentual < zero)
        Rejeitar(CampoGrade, prefixo + QStringLiteral("o desconto não pode ser negativo."));
    if (item.DescontoEmPercentual > VB::Currency::DeInteiro(100))
        Rejeitar(CampoGrade,
                 prefixo + QStringLiteral("o percentual de desconto não pode ser maior que 100%."));
    if (item.Custo < zero) Rejeitar(CampoGrade, prefixo + QStringLiteral("o custo não pode ser negativo."));
    const VB::Currency bruto = item.Quantidade * item.ValorUnitario;
    if (item.DescontoEmValor > bruto)
        Rejeitar(CampoGrade,
                 prefixo + QStringLiteral("o valor de desconto (%1) não pode ser maior que o valor total "
                                          "do item (%2).")
                               .arg(Texto(item.DescontoEmValor), Texto(bruto)));
    const VB::Currency esperado = bruto - item.DescontoEmValor;
    if (Difere(item.ValorTotal, esperado))
        Rejeitar(CampoGrade,
                 prefixo + QStringLiteral("o valor total (%1) não confere com quantidade × valor unitário "
                                          "− desconto (%2).")
                               .arg(Texto(item.ValorTotal), Texto(esperado)));
}

// The registry's names (and services' types) of the codes a grid holds, read with one
// statement per kind before its lines are validated in order: a statement per item
// (three round trips each on PostgreSQL) cost more than the rest of the save.
struct Cadastro {
    QHash<qint64, std::pair<QString, qint32>> Servicos;
    QHash<qint64, QString> Produtos;
};

Cadastro LerCadastro(const IGradeDeItens& grade) {
    QVariantList codigos[2];
    for (int linha = 1; linha < grade.Rows(); ++linha) {
        bool lancamento = false, numero = false;
        const qint64 tipo = Celula(grade, linha, TipoDeLancamento).toLongLong(&lancamento);
        const qint64 codigo = Celula(grade, linha, CodigoDoServicoOuProduto).toLongLong(&numero);
        // What does not read plainly is read, and rejected if it must be, line by line.
        if (lancamento && numero && codigo > 0) codigos[tipo == LancamentoDeServico ? 0 : 1] << codigo;
    }
    Cadastro cadastro;
    constexpr qsizetype PorConsulta = 500;
    for (int tipo = 0; tipo < 2; ++tipo)
        for (qsizetype inicio = 0; inicio < codigos[tipo].size(); inicio += PorConsulta) {
            const QVariantList parte = codigos[tipo].mid(inicio, PorConsulta);
            const QString lista = QStringList(parte.size(), QStringLiteral("?")).join(QStringLiteral(", "));
            QSqlQuery q = Banco::Executar(
                tipo == 0
                    ? QStringLiteral("SELECT Codigo, Nome, NumeroDoTipoDeServico FROM Servicos WHERE "
                                     "Codigo IN (%1)")
                          .arg(lista)
                    : QStringLiteral("SELECT CodigoInterno, Nome FROM Produtos WHERE CodigoInterno IN (%1)")
                          .arg(lista),
                parte);
            while (q.next())
                if (tipo == 0)
                    cadastro.Servicos.insert(q.value(0).toLongLong(),
                                             {q.value(1).toString(), q.value(2).toInt()});
                else
                    cadastro.Produtos.insert(q.value(0).toLongLong(), q.value(1).toString());
        }
    return cadastro;
}

// The name (and, for a service, the type) the registry gives the item's code: from what
// was read beforehand, else (a code the grid wrote otherwise, "1,00") read now.
void Resolver(ItemLido& lido, const Cadastro& cadastro) {
    GravacaoDeOrcamentos::Item& item = lido.Item;
    if (item.TipoDeLancamento == LancamentoDeServico) {
        if (!cadastro.Servicos.contains(item.Codigo)) {
            QSqlQuery q = Banco::Executar(
                QStringLiteral("SELECT Nome, NumeroDoTipoDeServico FROM Servicos WHERE Codigo = ?"),
                {item.Codigo});
            if (!q.next())
                Rejeitar(CampoGrade,
                         Prefixo(lido.Linha) +
                             QStringLiteral("o serviço %1 não está cadastrado.").arg(item.Codigo));
            item.Nome = q.value(0).toString();
            item.NumeroDoTipoDeServico = q.value(1).toInt();
            return;
        }
        std::tie(item.Nome, item.NumeroDoTipoDeServico) = cadastro.Servicos.value(item.Codigo);
    } else if (cadastro.Produtos.contains(item.Codigo)) {
        item.Nome = cadastro.Produtos.value(item.Codigo);
    } else {
        const QVariant nome =
            Banco::Valor(QStringLiteral("SELECT Nome FROM Produtos WHERE CodigoInterno = ?"), {item.Codigo});
        if (!nome.isValid())
            Rejeitar(CampoGrade, Prefixo(lido.Linha) +
                                     QStringLiteral("o produto %1 não está cadastrado.").arg(item.Codigo));
        item.Nome = nome.toString();
    }
}

bool Item(const QObject* usuario, const char* nome) {
    return usuario && usuario->property(nome).toBool();
}

} // namespace

void ValidarPermissoes(const QObject* usuario, qint64 codigoDoCliente, const QList<ItemLido>& itens,
                       const std::function<std::optional<ValoresGravados>(qint64)>& gravado) {
    if (Item(usuario, "Administrador")) return;
    const bool podeDarDescontos = Item(usuario, "PermissaoDoModuloCaixaAlterarDescontosDeVendas");
    QList<GravacaoDeOrcamentos::Item> lista;
    for (const ItemLido& lido : itens)
        lista << lido.Item;
    const PrecosDoCadastro::Precos precos = PrecosDoCadastro::LerPrecos(lista);
    const PrecosDoCadastro::Descontos descontos =
        podeDarDescontos ? PrecosDoCadastro::Descontos() : PrecosDoCadastro::LerDescontos(codigoDoCliente);
    for (const ItemLido& lido : itens) {
        const GravacaoDeOrcamentos::Item& item = lido.Item;
        const std::optional<ValoresGravados> antes =
            gravado && lido.NumeroDoItem > 0 ? gravado(lido.NumeroDoItem) : std::nullopt;
        const VB::Currency preco = precos.De(item).value_or(PrecosDoCadastro::Preco()).ValorDeVenda;
        if (item.ValorUnitario != preco && !(antes && item.ValorUnitario == antes->ValorUnitario))
            Rejeitar(CampoGrade,
                     Prefixo(lido.Linha) +
                         QStringLiteral("o valor unitário (%1) difere do preço de venda do cadastro "
                                        "(%2), e este usuário não tem permissão para alterá-lo.")
                             .arg(Texto(item.ValorUnitario), Texto(preco)));
        if (podeDarDescontos) continue;
        const VB::Currency permitido =
            std::max(descontos.Permitido(item), antes ? antes->DescontoEmPercentual : VB::Currency());
        // The value as the form derives it from the percentage, allowing its rounding to cents.
        const double maximo =
            (item.Quantidade * item.ValorUnitario).ParaDouble() * permitido.ParaDouble() / 100;
        if (item.DescontoEmPercentual > permitido || item.DescontoEmValor.ParaDouble() > maximo + 0.005)
            Rejeitar(CampoGrade,
                     Prefixo(lido.Linha) +
                         QStringLiteral("o desconto (%1%, %2) é maior que o do cadastro para este cliente "
                                        "(%3%), e este usuário não tem permissão para alterar descontos.")
                             .arg(Texto(item.DescontoEmPercentual), Texto(item.DescontoEmValor),
                                  Texto(permitido)));
    }
}

ClienteLido ValidarCliente(double codigoDoCliente) {
    const auto codigo = Objetos::CodigoDoDouble(codigoDoCliente);
    if (!codigo) Rejeitar(CampoCliente, QStringLiteral("Selecione o cliente do orçamento."));
    // The client's animals come with its situation: the animal checks that follow ask the
    // server nothing more.
    QSqlQuery q =
        Banco::Executar(QStringLiteral("SELECT c.Situacao, a.Codigo FROM Clientes c LEFT JOIN Animais a "
                                       "ON a.CodigoDoCliente = c.CodigoDoCliente WHERE "
                                       "c.CodigoDoCliente = ?"),
                        {*codigo});
    QVariant situacao;
    ClienteLido cliente{*codigo, {}};
    while (q.next()) {
        situacao = q.value(0);
        if (!q.value(1).isNull()) cliente.Animais.insert(q.value(1).toLongLong());
    }
    if (!situacao.isValid())
        Rejeitar(CampoCliente, QStringLiteral("O cliente %1 não está cadastrado.").arg(*codigo));
    const QString contato =
        QStringLiteral(" Para mais informações, entre em contato com o departamento financeiro.");
    switch (situacao.toInt()) {
    case 1:
        return cliente;
    case 2:
        Rejeitar(CampoCliente, QStringLiteral("Cliente inativo.") + contato);
    case 3:
        Rejeitar(CampoCliente, QStringLiteral("Cliente bloqueado.") + contato);
    default:
        Rejeitar(CampoCliente, QStringLiteral("Cliente excluído.") + contato);
    }
}

qint64 ValidarAnimal(const ClienteLido& cliente, qint32 codigoDoAnimal) {
    if (codigoDoAnimal <= 0) Rejeitar(CampoAnimal, QStringLiteral("Selecione o animal do orçamento."));
    if (!cliente.Animais.contains(codigoDoAnimal))
        Rejeitar(CampoAnimal, QStringLiteral("O animal %1 não pertence ao cliente %2.")
                                  .arg(QString::number(codigoDoAnimal), QString::number(cliente.Codigo)));
    return codigoDoAnimal;
}

QList<ItemLido> LerItens(const IGradeDeItens* grade, const ClienteLido& cliente, qint64 codigoDoAnimal) {
    if (!grade) Rejeitar(CampoGrade, QStringLiteral("Inclua ao menos um item no orçamento."));
    const QSet<qint64>& animais = cliente.Animais;
    const qint64 codigoDoCliente = cliente.Codigo;
    const Cadastro cadastro = LerCadastro(*grade);
    QList<ItemLido> itens;
    QSet<qint64> numeros;
    for (int linha = 1; linha < grade->Rows(); ++linha) {
        if (LinhaVazia(*grade, linha)) continue;
        ItemLido lido = LerLinha(*grade, linha);
        ValidarValores(lido);
        if (lido.Item.CodigoDoAnimal == 0) lido.Item.CodigoDoAnimal = codigoDoAnimal;
        if (!animais.contains(lido.Item.CodigoDoAnimal))
            Rejeitar(CampoAnimal, Prefixo(linha) + QStringLiteral("o animal %1 não pertence ao cliente %2.")
                                                       .arg(QString::number(lido.Item.CodigoDoAnimal),
                                                            QString::number(codigoDoCliente)));
        if (lido.NumeroDoItem > 0 && numeros.contains(lido.NumeroDoItem))
            Rejeitar(CampoGrade,
                     Prefixo(linha) +
                         QStringLiteral("o item %1 aparece mais de uma vez.").arg(lido.NumeroDoItem));
        numeros.insert(lido.NumeroDoItem);
        Resolver(lido, cadastro);
        itens << lido;
    }
    if (itens.isEmpty()) Rejeitar(CampoGrade, QStringLiteral("Inclua ao menos um item no orçamento."));
    return itens;
}

Totais ValidarTotais(const Totais& totais, const QList<ItemLido>& itens) {
    VB::Currency bruto;
    VB::Currency descontos;
    QList<GravacaoDeOrcamentos::Item> lista;
    for (const ItemLido& lido : itens) {
        bruto += lido.Item.Quantidade * lido.Item.ValorUnitario;
        descontos += lido.Item.DescontoEmValor;
        lista << lido.Item;
    }
    if (Difere(totais.ValorTotal, bruto))
        Rejeitar(CampoGrade,
                 QStringLiteral("O valor total do orçamento (%1) não confere com a soma dos itens (%2).")
                     .arg(Texto(totais.ValorTotal), Texto(bruto)));
    if (Difere(totais.DescontoEmValor, descontos))
        Rejeitar(CampoGrade,
                 QStringLiteral("O valor do desconto do orçamento (%1) não confere com a soma dos "
                                "descontos dos itens (%2).")
                     .arg(Texto(totais.DescontoEmValor), Texto(descontos)));
    if (Difere(totais.ValorLiquido, bruto - descontos))
        Rejeitar(CampoGrade,
                 QStringLiteral("O valor líquido do orçamento (%1) não confere com os itens (%2).")
                     .arg(Texto(totais.ValorLiquido), Texto(bruto - descontos)));
    // The quote's percentage is the weighted discount of its items, of the total shown.
    const VB::Currency percentual =
        totais.ValorTotal == VB::Currency{}
            ? VB::Currency{}
            : VB::Currency::DeDouble((totais.DescontoEmValor * 100) / totais.ValorTotal);
    if (Difere(totais.DescontoEmPercentual, percentual))
        Rejeitar(CampoGrade,
                 QStringLiteral("O percentual de desconto do orçamento (%1) não confere com os itens "
                                "(%2).")
                     .arg(Texto(totais.DescontoEmPercentual), Texto(percentual)));
    return GravacaoDeOrcamentos::TotaisDosItens(lista);
}

QDate ValidarValidade(const QString& texto, const QDate& dataDoOrcamento) {
    const QDate validade = DataDeValidade(texto);
    if (validade < dataDoOrcamento)
        Rejeitar(CampoValidade,
                 QStringLiteral("A data de validade do orçamento (%1) não pode ser anterior à data do "
                                "orçamento (%2).")
                     .arg(validade.toString(QStringLiteral("dd/MM/yyyy")),
                          dataDoOrcamento.toString(QStringLiteral("dd/MM/yyyy"))));
    return validade;
}

QDate DataDeValidade(const QString& texto) {
    QDate validade;
    try {
        validade = VB::CDate(texto.trimmed());
    } catch (const VB::ErroDeExecucao&) {
        // not a date: rejected below
    }
    if (!validade.isValid())
        Rejeitar(CampoValidade,
                 QStringLiteral("A data de validade do orçamento ('%1') não é uma data válida: "
                                "informe-a como DD/MM/AAAA.")
                     .arg(texto));
    return validade;
}

} // namespace ValidacaoDoOrcamento
