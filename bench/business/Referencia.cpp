#include "bench/business/Referencia.h"

#include "business/GravacaoDeOrcamentos.h"

#include "business/Banco.h"
#include "business/Compactacao.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/Historico.h"
#include "business/Pesquisa.h"
#include "business/PesquisaDeClientes.h"
#include "business/Relogio.h"
#include "contracts/HistoricoDeOrcamentos.h"
#include "contracts/IGradeDeItens.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace Referencia {

namespace {

// What the business layer's lazy recordset runs for a selection without a key:
// "SELECT COUNT(*) " + from, and "SELECT fields " + from + " ORDER BY order LIMIT ?
// OFFSET ?" for a page (near the start: a lookup's first page).
struct Selecao {
    QString Campos;
    QString DeOnde;
    QVariantList Parametros;
    QString Ordem;

    Comando Contagem() const { return {QStringLiteral("SELECT COUNT(*) ") + DeOnde, Parametros}; }
    Comando Pagina(int tamanho, int pagina) const { return Bloco(tamanho, (pagina - 1) * tamanho); }
    Comando Bloco(int linhas, int inicio) const {
        QVariantList parametros = Parametros;
        parametros << linhas << inicio;
        return {QStringLiteral("SELECT ") + Campos + u' ' + DeOnde + QStringLiteral(" ORDER BY ") + Ordem +
                    QStringLiteral(" LIMIT ? OFFSET ?"),
                parametros};
    }
    // As a recordset reads them: the page only when the count found rows.
    QList<Comando> ContagemEPrimeiraPagina(int tamanho = 10) const {
        Comando pagina = Pagina(tamanho, 1);
        pagina.SoSeContou = true;
        return {Contagem(), pagina};
    }
    // As a recordset of total rows reads them when it is walked from its first row to
    // its last: the first page, then whole pages read ahead, about 200 rows at a time
    // (read forward: these selections stay far below the 5,000 rows skipped from which
    // a recordset reads backwards).
    QList<Comando> ContagemEPercurso(int total, int tamanhoDaPagina) const {
        QList<Comando> comandos{Contagem()};
        if (total > 0) comandos << Bloco(tamanhoDaPagina, 0);
        const int leituraAntecipada = tamanhoDaPagina * std::max(1, 200 / tamanhoDaPagina);
        for (int inicio = tamanhoDaPagina; inicio < total; inicio += leituraAntecipada)
            comandos << Bloco(leituraAntecipada, inicio);
        return comandos;
    }
};

// The condition "one of the row's texts contains the text", as the business layer's
// own trigram search writes it.
QString CondicaoQueContem(const QString& prefixo, const Dialeto::TabelaPesquisavel& tabela,
                          const QStringList& textos, const QString& texto, QVariantList& parametros) {
    const Dialeto::Subconsulta condicao = Pesquisa::CondicaoQueContem(tabela, prefixo, textos, texto);
    parametros += condicao.Parametros;
    return condicao.Sql;
}

// A plain scan: PostgreSQL is told to leave the trigram indexes aside (they are only
// ever read as bitmaps), so that its LIKE compares row by row, as SQLite's LIKE
// '%...%' always does; its b-tree indexes stay in use.
QList<Comando> ComoVarredura(QList<Comando> comandos) {
    if (Banco::DialetoAtual().EhSQLite()) return comandos;
    comandos.prepend({QStringLiteral("SET enable_bitmapscan = off"), {}});
    comandos.append({QStringLiteral("RESET enable_bitmapscan"), {}});
    return comandos;
}

QString LikeSimples(const QString& coluna) {
    return coluna + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

const QString CamposDosOrcamentos = QStringLiteral(
    "o.NumeroDoOrcamento, o.DataDoOrcamento, o.CodigoDoCliente, c.ApelidoOuNomeFantasia, "
    "c.NomeOuRazaoSocial, "
    "o.ValorTotal, o.DescontoEmPercentual, o.DescontoEmValor, o.ValorLiquido, o.DataDeValidadeDoOrcamento, "
    "o.Situacao, CASE o.Situacao WHEN 1 THEN 'Ativo' ELSE 'Inativo' END, o.DataEHoraDaInclusao, "
    "o.UsuarioDaInclusao, o.DataEHoraDaAlteracao, o.UsuarioDaAlteracao, o.NumeroDoOrcamento");
const QString JuncaoDosOrcamentos =
    QStringLiteral("FROM Orcamentos o JOIN Clientes c ON c.CodigoDoCliente = o.CodigoDoCliente");

// The situation filter and the search of the list, as clsOrcamentos.Selecionar
// writes them: conditions over the quotes alone, the lookup of the clients that comes
// before them, and the count when the counters answer it.
struct CondicoesDaLista {
    QString Condicoes;
    QVariantList Parametros;
    QList<Comando> Busca;
    std::optional<ContagemDeOrcamentos::Consulta> Contagem;
    bool ContadoNaBusca = false;

    CondicoesDaLista(qint32 situacao, const QString& texto) {
        const QString desde = Banco::DataIso(Relogio::Hoje().addDays(-30));
        if (situacao == 1) Condicoes += QStringLiteral(" AND o.Situacao = 1");
        if (situacao == 2) Condicoes += QStringLiteral(" AND o.Situacao = 2");
        if (situacao == 3) {
            Condicoes += QStringLiteral(" AND o.DataDoOrcamento >= ?");
            Parametros << desde;
        }
        if (texto.trimmed().isEmpty()) {
            Contagem = situacao == 3 ? ContagemDeOrcamentos::DesdeODia(desde)
                                     : ContagemDeOrcamentos::Total(situacao);
            return;
        }
        const bool digitos = Pesquisa::SoDigitos(texto);
        const Pesquisa::ChavesAchadas clientes = PesquisaDeClientes::ClientesQueContem(situacao, texto);
        Busca << Comando{clientes.Leitura, clientes.Busca.Parametros};
        const Dialeto dialeto = Banco::DialetoAtual();
        if (!digitos) {
            // Beyond MaximoDeOrcamentosOrdenados quotes found, the newest quotes are walked ("+").
            bool percorrer = false;
            if (situacao != 3) {
                // Summed with the clients where the lookup read their counters.
                if (!clientes.Quantidade)
                    Contagem = ContagemDeOrcamentos::DosClientes(
                        situacao, clientes.Em(QStringLiteral("CodigoDoCliente")));
                ContadoNaBusca = clientes.Quantidade.has_value();
                percorrer = ContagemDeOrcamentos::QuantidadeDosClientes(situacao, clientes) >
                            Pesquisa::MaximoDeOrcamentosOrdenados;
            }
            const Dialeto::Subconsulta dosClientes =
                percorrer
                    ? PesquisaDeClientes::ClienteAchado(clientes, texto, QStringLiteral("o.CodigoDoCliente"))
                    : clientes.Em(QStringLiteral("o.CodigoDoCliente"));
            Parametros = dosClientes.Parametros + Parametros;
            Condicoes = QStringLiteral(" AND ") + dosClientes.Sql + Condicoes;
            return;
        }
        const Dialeto::Subconsulta dosClientes = clientes.Em(QStringLiteral("CodigoDoCliente"), true);
        Parametros += dosClientes.Parametros;
        const Dialeto::Subconsulta numeros =
            Pesquisa::ChavesQueContem(Pesquisa::Orcamentos, {QStringLiteral("NumeroDoOrcamento")}, texto);
        Condicoes += QStringLiteral(" AND ") +
                     dialeto.ChaveEntre(QStringLiteral("o.NumeroDoOrcamento"),
                                        QStringLiteral("SELECT NumeroDoOrcamento FROM Orcamentos WHERE ") +
                                            dosClientes.Sql + QStringLiteral(" UNION ") + numeros.Sql);
        Parametros += numeros.Parametros;
    }
};

// Below this many rows skipped the recordset reads forward; beyond it, nearer the
// end than the start, backwards.
constexpr int SaltoParaLeituraInvertida = 5000;

const QString CamposDosClientes =
    QStringLiteral("CodigoDoCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Situacao, EnderecoCompleto, "
                   "TiposECanaisDeComunicacao, Credito, VIP, CategoriaDaCurvaABC, DescontoUnico, "
                   "PercentualUnicoDeDescontos, "
                   "PercentualDeDescontoEmClinicos, PercentualDeDescontoEmCirurgiaSimples, "
                   "PercentualDeDescontoEmCirurgiaMedia, PercentualDeDescontoEmCirurgiaComplexa, "
                   "PercentualDeDescontoEmBanhosTosasEEsteticas, PercentualDeDescontoEmHospedagens, "
                   "PercentualDeDescontoEmAdestramentos, PercentualDeDescontoEmOutros");

Selecao SelecaoDeClientes(const QString& texto, bool likeSimples) {
    const QString ordem = QStringLiteral("ApelidoNormalizado, CodigoDoCliente");
    if (likeSimples) {
        const QString padrao = Banco::PadraoContem(texto);
        return {CamposDosClientes,
                QStringLiteral("FROM Clientes WHERE 1 = 1 AND (") +
                    LikeSimples(QStringLiteral("ApelidoNormalizado")) + QStringLiteral(" OR ") +
                    LikeSimples(QStringLiteral("NomeNormalizado")) + u')',
                {padrao, padrao},
                ordem};
    }
    QVariantList parametros;
    const QString condicao = CondicaoQueContem(
        QString(), Pesquisa::Clientes,
        {QStringLiteral("ApelidoNormalizado"), QStringLiteral("NomeNormalizado")}, texto, parametros);
    return {CamposDosClientes, QStringLiteral("FROM Clientes WHERE 1 = 1 AND (") + condicao + u')',
            parametros, ordem};
}

const QString CamposDosProdutos = QStringLiteral(
    "p.CodigoInterno, COALESCE(p.CodigoDeBarras, ''), p.Nome, COALESCE(g.Nome, ''), COALESCE(s.Nome, ''), "
    "p.ValorDeCusto, p.UnidadeDeCompra, p.UnidadeDeVenda, p.ValorDeVenda, p.PercentualDeComissao");
const QString ProdutosComGrupos =
    QStringLiteral("FROM Produtos p LEFT JOIN GruposDeProdutos g ON g.Codigo = p.CodigoDoGrupo LEFT JOIN "
                   "SubgruposDeProdutos s "
                   "ON s.Codigo = p.CodigoDoSubgrupo WHERE 1 = 1 AND (p.Situacao = 1)");
const QString OrdemDosProdutos = QStringLiteral("p.NomeNormalizado, p.CodigoInterno");

Selecao SelecaoDeProdutosPorNome(const QString& nome, bool likeSimples) {
    QVariantList parametros;
    const QString condicao = likeSimples
                                 ? LikeSimples(QStringLiteral("p.NomeNormalizado"))
                                 : CondicaoQueContem(QStringLiteral("p."), Pesquisa::Produtos,
                                                     {QStringLiteral("NomeNormalizado")}, nome, parametros);
    if (likeSimples) parametros << Banco::PadraoContem(nome);
    return {CamposDosProdutos, ProdutosComGrupos + QStringLiteral(" AND (") + condicao + u')', parametros,
            OrdemDosProdutos};
}

const QString CamposDosServicos =
    QStringLiteral("Codigo, Nome, Descricao, NumeroDoTipoDeServico, Custo, ValorDeVenda");

Selecao SelecaoDeServicos(qint32 tipo, const QString& nome, bool likeSimples) {
    QVariantList parametros{tipo};
    const QString condicao = likeSimples
                                 ? LikeSimples(QStringLiteral("NomeNormalizado"))
                                 : CondicaoQueContem(QString(), Pesquisa::Servicos,
                                                     {QStringLiteral("NomeNormalizado")}, nome, parametros);
    if (likeSimples) parametros << Banco::PadraoContem(nome);
    return {
        CamposDosServicos,
        QStringLiteral("FROM Servicos WHERE 1 = 1 AND (Situacao = 1) AND (NumeroDoTipoDeServico = ?) AND (") +
            condicao + u')',
        parametros, QStringLiteral("NomeNormalizado, Codigo")};
}

const QString CamposDaEmpresa = QStringLiteral(
    "Codigo, NomeFantasia, RazaoSocial, QuantidadeDeDiasParaAValidadeDoOrcamento, "
    "PermissaoParaAlterarADataDeValidadeDoOrcamento, DataInicialDaPromocao, DataFinalDaPromocao, "
    "PercPromocaoDeDescontoNaVendaDeServico, PercPromocaoDeDescontoNaVendaDeProduto, "
    "FormatoDeCodigoDeBarrasParaBalanca");

// The items of one quote with the record form's fields (clsOrcItens.Selecionar 1).
const QString CamposDosItensDaFicha = QStringLiteral(
    "i.NumeroDoItemDoOrcamento, i.TipoDeLancamento, CASE i.TipoDeLancamento WHEN 1 THEN "
    "CAST(i.NumeroDoTipoDeServico AS TEXT) ELSE i.CodigoDeBarrasDoProduto END, COALESCE(i.CodigoDoServico, "
    "i.CodigoInternoDoProduto), CASE i.TipoDeLancamento WHEN 1 THEN i.NomeDoServicoOuProduto END, CASE "
    "i.TipoDeLancamento WHEN 2 THEN i.NomeDoServicoOuProduto END, i.CodigoDoAnimal, COALESCE(a.Nome, ''), "
    "i.Quantidade, i.ValorUnitario, i.DescontoEmPercentual, i.DescontoEmValor, i.ValorTotal, i.Custo, "
    "i.TipoDeVenda, i.Situacao, i.DataEHoraDaInclusao, i.UsuarioDaInclusao, i.DataEHoraDaAlteracao, "
    "i.UsuarioDaAlteracao, i.NumeroDoOrcamento, i.NomeDoServicoOuProduto, i.ValorTotal");

QVariant NuloOu(bool condicao, const QVariant& valor) {
    return condicao ? valor : Banco::Nulo();
}

} // namespace

namespace {
Comando Pagina(const CondicoesDaLista& lista, int tamanhoDaPagina, int pagina, int total) {
    QVariantList parametros = lista.Parametros;
    const int inicio = (pagina - 1) * tamanhoDaPagina;
    const int existentes = std::max(0, std::min(tamanhoDaPagina, total - inicio));
    const int depois = total - inicio - existentes;
    const bool invertida = inicio > SaltoParaLeituraInvertida && depois < inicio;
    const QString ordem =
        invertida ? QStringLiteral("o.NumeroDoOrcamento") : QStringLiteral("o.NumeroDoOrcamento DESC");
    if (invertida)
        parametros << existentes << depois;
    else
        parametros << tamanhoDaPagina << inicio;
    return {
        QStringLiteral("SELECT ") + CamposDosOrcamentos + u' ' + JuncaoDosOrcamentos +
            QStringLiteral(
                " WHERE o.NumeroDoOrcamento IN (SELECT o.NumeroDoOrcamento FROM Orcamentos o WHERE 1 = 1") +
            lista.Condicoes + QStringLiteral(" ORDER BY ") + ordem +
            QStringLiteral(" LIMIT ? OFFSET ?) ORDER BY ") + ordem,
        parametros};
}
} // namespace

QList<Comando> ContagemEPaginaDaLista(qint32 situacao, const QString& texto, int tamanhoDaPagina) {
    const CondicoesDaLista lista(situacao, texto);
    Comando pagina = Pagina(lista, tamanhoDaPagina, 1, 0);
    pagina.SoSeContou = true;
    QList<Comando> comandos = lista.Busca;
    if (lista.Contagem)
        comandos << Comando{lista.Contagem->Sql, lista.Contagem->Parametros};
    else if (!lista.ContadoNaBusca)
        comandos << Comando{QStringLiteral("SELECT COUNT(*) FROM Orcamentos o WHERE 1 = 1") + lista.Condicoes,
                            lista.Parametros};
    return comandos << pagina;
}

Comando PaginaDaLista(qint32 situacao, const QString& texto, int tamanhoDaPagina, int pagina, int total) {
    return Pagina(CondicoesDaLista(situacao, texto), tamanhoDaPagina, pagina, total);
}

QList<Comando> ListaComLikeSimples(qint32 situacao, const QString& texto, int tamanhoDaPagina) {
    QString condicoes;
    QVariantList parametros;
    if (situacao == 3) {
        condicoes += QStringLiteral(" AND o.DataDoOrcamento >= ?");
        parametros << Banco::DataIso(Relogio::Hoje().addDays(-30));
    }
    condicoes += QStringLiteral(" AND (") + LikeSimples(QStringLiteral("CAST(o.NumeroDoOrcamento AS TEXT)")) +
                 QStringLiteral(" OR ") + LikeSimples(QStringLiteral("CAST(o.CodigoDoCliente AS TEXT)")) +
                 QStringLiteral(" OR ") + LikeSimples(QStringLiteral("c.ApelidoNormalizado")) +
                 QStringLiteral(" OR ") + LikeSimples(QStringLiteral("c.NomeNormalizado")) + u')';
    const QString padrao = Banco::PadraoContem(texto);
    parametros << padrao << padrao << padrao << padrao;
    // The list's LIKE joins the client first, as written before the indexes.
    return ComoVarredura(Selecao{CamposDosOrcamentos,
                                 JuncaoDosOrcamentos + QStringLiteral(" WHERE 1 = 1") + condicoes, parametros,
                                 QStringLiteral("o.NumeroDoOrcamento DESC")}
                             .ContagemEPrimeiraPagina(tamanhoDaPagina));
}

QList<Comando> ClientesPorApelidoOuNome(const QString& texto) {
    return SelecaoDeClientes(texto, false).ContagemEPrimeiraPagina();
}

QList<Comando> ClientesComLikeSimples(const QString& texto) {
    return ComoVarredura(SelecaoDeClientes(texto, true).ContagemEPrimeiraPagina());
}

QList<Comando> ProdutosPorCodigoDeBarras(const QString& codigoDeBarras) {
    return Selecao{CamposDosProdutos,
                   ProdutosComGrupos + QStringLiteral(" AND (p.CodigoDeBarras = ?)"),
                   {codigoDeBarras},
                   OrdemDosProdutos}
        .ContagemEPrimeiraPagina();
}

QList<Comando> ProdutosPorNome(const QString& nome) {
    return SelecaoDeProdutosPorNome(nome, false).ContagemEPrimeiraPagina();
}

QList<Comando> ProdutosComLikeSimples(const QString& nome) {
    return ComoVarredura(SelecaoDeProdutosPorNome(nome, true).ContagemEPrimeiraPagina());
}

QList<Comando> ServicosPorTipoENome(qint32 tipo, const QString& nome) {
    return SelecaoDeServicos(tipo, nome, false).ContagemEPrimeiraPagina();
}

QList<Comando> ServicosComLikeSimples(qint32 tipo, const QString& nome) {
    return ComoVarredura(SelecaoDeServicos(tipo, nome, true).ContagemEPrimeiraPagina());
}

namespace {

// Stored columns hold integers or texts only, written in the copy as the database holds them.
QJsonValue ValorDaCopia(const QVariant& valor) {
    if (valor.isNull()) return QJsonValue(QJsonValue::Null);
    if (valor.metaType().id() == QMetaType::QString) return valor.toString();
    return valor.toLongLong();
}

QJsonArray LinhaDaCopia(const QVariantList& valores) {
    QJsonArray linha;
    for (const QVariant& valor : valores)
        linha << ValorDaCopia(valor);
    return linha;
}

// The history entry of a new quote (Historico::Registrar): the quote and its items read
// back, the quote's last whole copy looked up (a new quote has none), and the entry with
// its copy compacted whole, made of the values the floor wrote.
QList<Comando> EntradaDoHistorico(const OrcamentoGravado& o, const QVariantList& cabecalho,
                                  const QList<QVariantList>& itens) {
    const QVariant chave = Medicao::ChaveGerada();
    QJsonArray linhas;
    for (const QVariantList& item : itens)
        // The item's change stamp and user, not written on an inclusion.
        linhas << LinhaDaCopia(item + QVariantList{Banco::Nulo(), Banco::Nulo()});
    const QByteArray copia = QJsonDocument(QJsonObject{{QStringLiteral("o"), LinhaDaCopia(cabecalho)},
                                                       {QStringLiteral("i"), linhas}})
                                 .toJson(QJsonDocument::Compact);
    return {
        {QStringLiteral("SELECT ") + GravacaoDeOrcamentos::ColunasDoOrcamento.join(QStringLiteral(", ")) +
             QStringLiteral(" FROM Orcamentos WHERE NumeroDoOrcamento = ?"),
         {chave}},
        {QStringLiteral("SELECT ") + GravacaoDeOrcamentos::ColunasDoItem.join(QStringLiteral(", ")) +
             QStringLiteral(
                 " FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? ORDER BY NumeroDoItemDoOrcamento"),
         {chave}},
        {QStringLiteral(
             "SELECT NumeroDoOrcamento, NumeroDoRegistro, CopiaCompactada FROM HistoricoDeOrcamentos "
             "WHERE NumeroDoOrcamento BETWEEN ? AND ? AND RegistroDaBase IS NULL AND "
             "CopiaCompactada IS NOT NULL ORDER BY NumeroDoRegistro"),
         {chave, chave}},
        {QStringLiteral(
             "INSERT INTO HistoricoDeOrcamentos (NumeroDoOrcamento, DataEHora, Usuario, Operacao, "
             "ValorLiquido, QuantidadeDeItens, Copia, CopiaCompactada, RegistroDaBase) VALUES (?, ?, "
             "?, ?, ?, ?, '', ?, ?)") +
             Banco::DialetoAtual().RetornandoChave(QStringLiteral("NumeroDoRegistro")),
         {chave, Banco::DataEHoraIso(o.Inclusao), o.Usuario, ZELT_N_Orcamentos::OperacaoDoHistorico::Incluido,
          o.ValorLiquido, static_cast<qint64>(itens.size()), Compactacao::Compactar(copia), Banco::Nulo()}},
    };
}

} // namespace

QList<Comando> GravarOrcamento(const OrcamentoGravado& o) {
    const Dialeto dialeto = Banco::DialetoAtual();
    const QString animais = QStringLiteral("SELECT Codigo FROM Animais WHERE CodigoDoCliente = ?");
    QList<Comando> comandos{
        {dialeto.InicioDeEscrita(), {}},
        {QStringLiteral("SELECT Situacao FROM Clientes WHERE CodigoDoCliente = ?"), {o.CodigoDoCliente}},
        {animais, {o.CodigoDoCliente}}, // the quote's animal
        {animais, {o.CodigoDoCliente}}, // the items' animals
    };
    // The registry's names read with one statement per kind, services first, every code in
    // the items' order, at most PorConsulta to a statement (ValidacaoDoOrcamento's LerCadastro).
    constexpr qsizetype PorConsulta = 500;
    QVariantList codigos[2];
    for (const ItemGravado& item : o.Itens)
        codigos[item.Servico ? 0 : 1] << item.Codigo;
    for (int tipo = 0; tipo < 2; ++tipo)
        for (qsizetype inicio = 0; inicio < codigos[tipo].size(); inicio += PorConsulta) {
            const QVariantList parte = codigos[tipo].mid(inicio, PorConsulta);
            const QString lista = QStringList(parte.size(), QStringLiteral("?")).join(QStringLiteral(", "));
            comandos << Comando{
                (tipo == 0
                     ? QStringLiteral("SELECT Codigo, Nome, NumeroDoTipoDeServico FROM Servicos WHERE "
                                      "Codigo IN (%1)")
                     : QStringLiteral("SELECT CodigoInterno, Nome FROM Produtos WHERE CodigoInterno IN (%1)"))
                    .arg(lista),
                parte};
        }
    const QString inclusao = Banco::DataEHoraIso(o.Inclusao);
    // The header in the order of its columns (GravacaoDeOrcamentos::ColunasDoOrcamento), and each
    // item's row after the quote's number: the copy the history keeps is made of them.
    const QVariantList cabecalho{Banco::DataIso(o.Data),
                                 o.CodigoDoCliente,
                                 o.CodigoDoAnimal,
                                 o.ValorTotal,
                                 o.DescontoEmPercentual,
                                 o.DescontoEmValor,
                                 o.ValorLiquido,
                                 Banco::DataIso(o.Validade),
                                 1,
                                 static_cast<qint64>(o.Itens.size()),
                                 inclusao,
                                 o.Usuario,
                                 Banco::Nulo(),
                                 Banco::Nulo()};
    QList<QVariantList> itens;
    for (qsizetype k = 0; k < o.Itens.size(); ++k) {
        const ItemGravado& i = o.Itens.at(k);
        itens << QVariantList{k + 1,
                              i.Servico ? GradeDeItens::LancamentoDeServico
                                        : GradeDeItens::LancamentoDeProduto,
                              NuloOu(i.Servico, i.TipoDeServico),
                              NuloOu(i.Servico, i.Codigo),
                              NuloOu(!i.Servico, i.Codigo),
                              i.Servico ? QStringLiteral("") : i.CodigoDeBarras,
                              i.Nome,
                              i.CodigoDoAnimal,
                              i.Quantidade,
                              i.ValorUnitario,
                              i.DescontoEmPercentual,
                              i.DescontoEmValor,
                              i.ValorTotal,
                              i.Custo,
                              1,
                              1,
                              inclusao,
                              o.Usuario,
                              Banco::Nulo(),
                              Banco::Nulo()};
    }
    comandos << Comando{GravacaoDeOrcamentos::Insercao(QStringLiteral("Orcamentos"),
                                                       GravacaoDeOrcamentos::ColunasDoOrcamento) +
                            dialeto.RetornandoChave(QStringLiteral("NumeroDoOrcamento")),
                        cabecalho, true};
    // The items in statements of at most ItensPorInsercao rows, as the business layer writes them.
    for (qsizetype inicio = 0; inicio < o.Itens.size(); inicio += GravacaoDeOrcamentos::ItensPorInsercao) {
        const qsizetype n = std::min(GravacaoDeOrcamentos::ItensPorInsercao, o.Itens.size() - inicio);
        QVariantList parametros;
        for (qsizetype k = inicio; k < inicio + n; ++k)
            parametros << Medicao::ChaveGerada() << itens.at(k);
        comandos << Comando{GravacaoDeOrcamentos::InsercaoDeItens(n), parametros};
    }
    comandos << EntradaDoHistorico(o, cabecalho, itens);
    comandos << Comando{QStringLiteral("COMMIT"), {}};
    return comandos;
}

QList<Comando> ExcluirItem(qint64 orcamento, qint64 item, qint64 valorTotal, qint64 descontoEmValor,
                           qint64 descontoEmPercentual, qint64 valorLiquido, const QString& usuario) {
    const Dialeto dialeto = Banco::DialetoAtual();
    return {
        {dialeto.InicioDeEscrita(), {}},
        {QStringLiteral("SELECT NumeroDoOrcamento, DataDoOrcamento, CodigoDoCliente, Situacao, "
                        "DataEHoraDaInclusao, DataEHoraDaAlteracao, UsuarioDaAlteracao, UltimoNumeroDeItem "
                        "FROM Orcamentos WHERE NumeroDoOrcamento = ?") +
             dialeto.ParaAtualizacao(),
         {orcamento}},
        {QStringLiteral("SELECT COUNT(*) FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"), {orcamento}},
        {QStringLiteral(
             "SELECT 1 FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? AND NumeroDoItemDoOrcamento = ?"),
         {orcamento, item}},
        {QStringLiteral(
             "DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? AND NumeroDoItemDoOrcamento = ?"),
         {orcamento, item}},
        {QStringLiteral(
             "SELECT ValorTotal, DescontoEmValor FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
         {orcamento}},
        {QStringLiteral(
             "UPDATE Orcamentos SET ValorTotal = ?, DescontoEmValor = ?, DescontoEmPercentual = ?, "
             "ValorLiquido = ?, DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = ? WHERE "
             "NumeroDoOrcamento = ?"),
         {valorTotal, descontoEmValor, descontoEmPercentual, valorLiquido,
          Banco::DataEHoraIso(Relogio::Agora()), usuario, orcamento}},
        {QStringLiteral("COMMIT"), {}},
    };
}

QList<Comando> AbrirFichaDeAlteracao(const FichaDeAlteracao& f) {
    // Pages of 10 rows where the form asks for no page size (ADO's default).
    constexpr int PaginaPadrao = 10;
    // The company: its settings are read only when there is exactly one.
    const Selecao empresa{CamposDaEmpresa, QStringLiteral("FROM Empresa"), {}, QStringLiteral("Codigo")};
    QList<Comando> comandos =
        f.Empresas == 1 ? empresa.ContagemEPercurso(1, PaginaPadrao) : QList<Comando>{empresa.Contagem()};
    comandos << Selecao{QStringLiteral("Numero, Nome"),
                        QStringLiteral("FROM TiposDeServicos WHERE 1 = 1"),
                        {},
                        QStringLiteral("Numero")}
                    .ContagemEPercurso(f.TiposDeServico, PaginaPadrao);
    comandos << Selecao{CamposDosItensDaFicha,
                        QStringLiteral("FROM ItensDeOrcamento i LEFT JOIN Animais a ON a.Codigo = "
                                       "i.CodigoDoAnimal WHERE i.NumeroDoOrcamento = ?"),
                        {f.Orcamento},
                        QStringLiteral("i.NumeroDoItemDoOrcamento")}
                    .ContagemEPercurso(f.Itens, f.ItensPorPagina);
    comandos << Selecao{QStringLiteral("Codigo, Nome"),
                        QStringLiteral("FROM Animais WHERE CodigoDoCliente = ? AND Situacao = 1"),
                        {f.Cliente},
                        QStringLiteral("Nome, Codigo")}
                    .ContagemEPercurso(f.Animais, PaginaPadrao);
    return comandos;
}

} // namespace Referencia
