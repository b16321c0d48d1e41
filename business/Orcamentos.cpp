// ZELT_N_Orcamentos.clsOrcamentos: the list of quotes and the storing of one quote.
//
// Selection (Selecionar 1, page size, situation, text, 0, 0):
//   - situation 0 every quote, 1 active, 2 inactive, 3 "Recentes": the quotes
//     dated today or in the 30 days before, in any situation;
//   - the text, when not blank, is looked for (contains, ignoring case and
//     accents) in the quote number, the client code, the client's nickname or trade
//     name and the client's name or corporate name, through the trigram indexes
//     (Pesquisa);
//   - newest first (number descending); a page size of 0 or less becomes 10 and is
//     handed back.
// Storing: every write is one transaction that checks, then writes the quote and
// all of its items, or nothing; the header's totals stored are the sums of the items
// stored. A change or a deletion is refused (3) when the quote no longer exists or was
// changed since the form read it (OrcamentoGravado.h).

#include "business/AprovacaoDoOrcamento.h"
#include "business/Banco.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/EtapasDoOrcamento.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/OrcamentoGravado.h"
#include "business/PacotesDeProcedimentos.h"
#include "business/Pesquisa.h"
#include "business/PesquisaDeClientes.h"
#include "business/Relogio.h"
#include "business/ValidacaoDoOrcamento.h"
#include "contracts/CamposDoOrcamento.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QHash>

namespace Objetos {
namespace {

namespace V = ValidacaoDoOrcamento;
using GravacaoDeOrcamentos::CarimboSeguinte;
using GravacaoDeOrcamentos::OrcamentoGravado;
using GravacaoDeOrcamentos::SituacaoAtivo;

constexpr qint32 DiasDosRecentes = 30;

const QList<CampoDaConsulta> CamposDosOrcamentos{
    {QString::fromUtf16(CamposDoOrcamento::NumeroDoOrcamento), QStringLiteral("o.NumeroDoOrcamento"),
     TipoDoCampo::Double},
    {QString::fromUtf16(CamposDoOrcamento::DataDoOrcamento), QStringLiteral("o.DataDoOrcamento"),
     TipoDoCampo::Data},
    {QString::fromUtf16(CamposDoOrcamento::CodigoDoCliente), QStringLiteral("o.CodigoDoCliente"),
     TipoDoCampo::Double},
    {QString::fromUtf16(CamposDoOrcamento::ApelidoOuNomeFantasiaDoCliente),
     QStringLiteral("c.ApelidoOuNomeFantasia"), TipoDoCampo::Texto},
    {QString::fromUtf16(CamposDoOrcamento::NomeOuRazaoSocialDoCliente), QStringLiteral("c.NomeOuRazaoSocial"),
     TipoDoCampo::Texto},
    {QString::fromUtf16(CamposDoOrcamento::ValorTotal), QStringLiteral("o.ValorTotal"), TipoDoCampo::Moeda},
    {QString::fromUtf16(CamposDoOrcamento::DescontoEmPercentual), QStringLiteral("o.DescontoEmPercentual"),
     TipoDoCampo::Moeda},
    {QString::fromUtf16(CamposDoOrcamento::DescontoEmValor), QStringLiteral("o.DescontoEmValor"),
     TipoDoCampo::Moeda},
    {QString::fromUtf16(CamposDoOrcamento::ValorLiquido), QStringLiteral("o.ValorLiquido"),
     TipoDoCampo::Moeda},
    {QString::fromUtf16(CamposDoOrcamento::DataDeValidadeDoOrcamento),
     QStringLiteral("o.DataDeValidadeDoOrcamento"), TipoDoCampo::Data},
    {QString::fromUtf16(CamposDoOrcamento::Situacao), QStringLiteral("o.Situacao"), TipoDoCampo::Long},
    {QString::fromUtf16(CamposDoOrcamento::NomeDaSituacao),
     QStringLiteral("CASE o.Situacao WHEN 1 THEN 'Ativo' ELSE 'Inativo' END"), TipoDoCampo::Texto},
    {QString::fromUtf16(CamposDoOrcamento::DataEHoraDaInclusao), QStringLiteral("o.DataEHoraDaInclusao"),
     TipoDoCampo::DataEHora},
    {QString::fromUtf16(CamposDoOrcamento::UsuarioDaInclusao), QStringLiteral("o.UsuarioDaInclusao"),
     TipoDoCampo::Texto},
    {QString::fromUtf16(CamposDoOrcamento::DataEHoraDaAlteracao), QStringLiteral("o.DataEHoraDaAlteracao"),
     TipoDoCampo::DataEHora},
    {QString::fromUtf16(CamposDoOrcamento::UsuarioDaAlteracao), QStringLiteral("o.UsuarioDaAlteracao"),
     TipoDoCampo::Texto},
};

// An item as stored, for telling what a change touched.
struct ItemGravado {
    qint64 CodigoDoAnimal = 0;
    qint64 Quantidade = 0, ValorUnitario = 0, DescontoEmPercentual = 0, DescontoEmValor = 0, ValorTotal = 0,
           Custo = 0;
    qint32 TipoDeVenda = 0, Situacao = 0;

    bool IgualA(const GravacaoDeOrcamentos::Item& i) const {
        return CodigoDoAnimal == i.CodigoDoAnimal && Quantidade == Banco::Moeda(i.Quantidade) &&
               ValorUnitario == Banco::Moeda(i.ValorUnitario) &&
               DescontoEmPercentual == Banco::Moeda(i.DescontoEmPercentual) &&
               DescontoEmValor == Banco::Moeda(i.DescontoEmValor) &&
               ValorTotal == Banco::Moeda(i.ValorTotal) && Custo == Banco::Moeda(i.Custo) &&
               TipoDeVenda == i.TipoDeVenda && Situacao == i.Situacao;
    }
};

class clsOrcamentosNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsOrcamentos> {
public:
    clsOrcamentosNoBanco() : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsOrcamentos")) {}

    QVariant Selecionar(qint32 lintTipo, qint16& lintTamanhoDaPagina, qint32 llonSituacao,
                        const QString& lstrTexto, double, double) override {
        return Selecao("Selecionar", [&] {
            if (lintTipo != 1) ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            if (lintTamanhoDaPagina <= 0) lintTamanhoDaPagina = 10;
            QString condicoes;
            QVariantList parametros;
            const QString desde = Banco::DataIso(Relogio::Hoje().addDays(-DiasDosRecentes));
            ContagemDeOrcamentos::Consulta contagem;
            std::optional<qint32> totalConhecido;
            switch (llonSituacao) {
            case 0:
                break;
            case 1:
                condicoes += QStringLiteral(" AND o.Situacao = 1");
                break;
            case 2:
                condicoes += QStringLiteral(" AND o.Situacao = 2");
                break;
            case 3:
                condicoes += QStringLiteral(" AND o.DataDoOrcamento >= ?");
                parametros << desde;
                break;
            default:
                // The filters by stage: searched as "Recentes" is; their totals come from
                // the stage and follow-up counters (EtapasDoOrcamento::ContagemDoFiltro).
                const auto etapa = EtapasDoOrcamento::CondicaoDoFiltro(llonSituacao, Relogio::Hoje());
                if (!etapa) ArgumentoDesconhecido(QStringLiteral("O código de situação"), llonSituacao);
                condicoes += QStringLiteral(" AND ") + etapa->Sql;
                parametros += etapa->Parametros;
            }
            const bool porEtapa = llonSituacao > ZELT_N_Orcamentos::FiltroDaLista::Recentes;
            const qint32 situacaoDaPesquisa =
                porEtapa ? ZELT_N_Orcamentos::FiltroDaLista::Recentes : llonSituacao;
            if (!lstrTexto.trimmed().isEmpty()) {
                // The quotes of the clients whose code, nickname or name contains the
                // text, and those whose number contains it. Only a text of digits can be
                // part of a number, so only such a text looks at the numbers (and at the
                // clients' codes); then both become one list of quote numbers, which
                // both databases read through their indexes (an OR of the two would
                // have PostgreSQL read every quote). That list is built first and then
                // ordered (Dialeto::ChaveEntre): a number's fragment matches few quotes,
                // which PostgreSQL's planner, misjudging them as hundreds, would otherwise
                // look for by walking the whole primary key.
                const bool digitos = Pesquisa::SoDigitos(lstrTexto);
                // The clients are looked for once: the count and every page then name
                // their keys (a search through a million clients' names costs more than
                // all the rest).
                const Pesquisa::ChavesAchadas clientes =
                    PesquisaDeClientes::ClientesQueContem(situacaoDaPesquisa, lstrTexto);
                const Dialeto dialeto = Banco::DialetoAtual();
                if (digitos) {
                    const Dialeto::Subconsulta dosClientes =
                        clientes.Em(QStringLiteral("CodigoDoCliente"), true);
                    parametros += dosClientes.Parametros;
                    const Dialeto::Subconsulta numeros = Pesquisa::ChavesQueContem(
                        Pesquisa::Orcamentos, {QStringLiteral("NumeroDoOrcamento")}, lstrTexto);
                    condicoes +=
                        QStringLiteral(" AND ") +
                        dialeto.ChaveEntre(QStringLiteral("o.NumeroDoOrcamento"),
                                           QStringLiteral("SELECT NumeroDoOrcamento FROM Orcamentos WHERE ") +
                                               dosClientes.Sql + QStringLiteral(" UNION ") + numeros.Sql);
                    parametros += numeros.Parametros;
                } else {
                    // The total is the clients' counters summed. How the page is found
                    // depends on it: a few quotes are read through the clients' index and
                    // sorted; many are found by walking the newest quotes first, checking
                    // each one's client, which meets a page's worth at once where sorting
                    // them all would not.
                    if (situacaoDaPesquisa != 3)
                        totalConhecido = static_cast<qint32>(
                            ContagemDeOrcamentos::QuantidadeDosClientes(llonSituacao, clientes));
                    const bool percorrer =
                        totalConhecido && *totalConhecido > Pesquisa::MaximoDeOrcamentosOrdenados;
                    const Dialeto::Subconsulta dosClientes =
                        percorrer ? PesquisaDeClientes::ClienteAchado(clientes, lstrTexto,
                                                                      QStringLiteral("o.CodigoDoCliente"))
                                  : clientes.Em(QStringLiteral("o.CodigoDoCliente"));
                    parametros = dosClientes.Parametros + parametros;
                    condicoes = QStringLiteral(" AND ") + dosClientes.Sql + condicoes;
                }
            } else if (porEtapa) {
                // From the stage and follow-up counters; a filter without them would
                // have the quotes its condition selects counted.
                if (const auto porEtapas = EtapasDoOrcamento::ContagemDoFiltro(llonSituacao, Relogio::Hoje()))
                    contagem = *porEtapas;
            } else if (llonSituacao == 3) {
                contagem = ContagemDeOrcamentos::DesdeODia(desde);
            } else {
                // Every quote, the active or the inactive ones: the total comes from the
                // counters the database keeps, not from counting a million rows.
                contagem = ContagemDeOrcamentos::Total(llonSituacao);
            }
            // The client joined brings columns only: counting and skipping rows need
            // the quotes alone.
            const QString juncoes =
                QStringLiteral("FROM Orcamentos o JOIN Clientes c ON c.CodigoDoCliente = o.CodigoDoCliente");
            ConsultaPaginavel consulta{CamposDosOrcamentos,
                                       juncoes + QStringLiteral(" WHERE 1 = 1") + condicoes, parametros,
                                       QStringLiteral("o.NumeroDoOrcamento DESC")};
            consulta.DeOndeSemJuncoes = QStringLiteral("FROM Orcamentos o WHERE 1 = 1") + condicoes;
            consulta.Chave = QStringLiteral("o.NumeroDoOrcamento");
            consulta.Juncoes = juncoes;
            consulta.Contagem = contagem.Sql;
            consulta.ParametrosDaContagem = contagem.Parametros;
            consulta.TotalConhecido = totalConhecido;
            return Consultar(std::move(consulta), lintTamanhoDaPagina);
        });
    }

    // The page is the one holding the result's current row (page 1 at EOF); with a
    // new page size the result is paged again. The result is left on the page shown.
    void PaginarResultadoDaSelecaoEmRecordset(qint16& lintTamanhoDaPagina,
                                              RecordsetPtr& lrstPagina) override {
        const RecordsetPtr resultado = ResultadoDaSelecaoEmRecordSet();
        const qint32 posicao = resultado->Eof() ? 0 : resultado->AbsolutePosition0();
        if (lintTamanhoDaPagina > 0)
            resultado->SetPageSize(lintTamanhoDaPagina);
        else
            lintTamanhoDaPagina = static_cast<qint16>(resultado->PageSize());
        QStringList campos;
        for (qint32 i = 0; i < resultado->FieldsCount(); ++i)
            campos << resultado->FieldName(i);
        auto pagina = std::make_shared<RecordsetEmMemoria>(campos);
        pagina->SetPageSize(lintTamanhoDaPagina);
        if (resultado->RecordCount() > 0) {
            const qint32 numeroDaPagina = posicao / resultado->PageSize() + 1;
            resultado->SetAbsolutePage(numeroDaPagina);
            try {
                for (qint32 linha = 0; linha < resultado->PageSize() && !resultado->Eof(); ++linha) {
                    QList<QVariant> valores;
                    for (const QString& campo : campos)
                        valores << resultado->Fields(campo).Value;
                    pagina->AdicionarLinha(valores);
                    resultado->MoveNext();
                }
            } catch (const VB::ErroDeExecucao& erro) {
                // Rows deleted elsewhere after the count: the page shows what is left.
                if (erro.Numero() != VB::SemRegistroAtual) throw;
            }
            resultado->SetAbsolutePage(numeroDaPagina);
        }
        lrstPagina = pagina;
    }

    qint16 Adicionar() override {
        CodigoGerado = 0;
        return Estado(
            "Adicionar", [&] { Incluir(); }, &NomeDoCampoValidado);
    }

    qint16 Alterar() override {
        CodigoGerado = 0;
        return Estado(
            "Alterar", [&] { Modificar(); }, &NomeDoCampoValidado);
    }

    qint16 Excluir() override {
        CodigoGerado = 0;
        return Estado(
            "Excluir", [&] { Remover(); }, &NomeDoCampoValidado);
    }

private:
    QString NomeDoUsuario() const {
        if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        return DadosDoUsuario->property("NomeDoUsuario").toString();
    }

    // The animal's weight given with the quote; a text that is no weight is rejected.
    std::optional<VB::Currency> PesoInformado() const {
        if (PesoDoAnimal.trimmed().isEmpty()) return std::nullopt;
        const auto peso = PacotesDeProcedimentos::PesoDigitado(PesoDoAnimal);
        if (!peso)
            Rejeitar(QStringLiteral("PesoDoAnimal"),
                     QStringLiteral("O peso do animal (%1) não é um peso em kg maior que 0 e até 1.000.")
                         .arg(PesoDoAnimal.trimmed()));
        return peso;
    }

    V::Totais TotaisInformados() const {
        return {ValorTotal, DescontoEmPercentual, DescontoEmValor, ValorLiquido};
    }

    void Incluir() {
        const QString usuario = NomeDoUsuario();
        Banco::UnidadeDeTrabalho unidade;
        const V::ClienteLido clienteLido = V::ValidarCliente(CodigoDoCliente);
        const qint64 cliente = clienteLido.Codigo;
        const qint64 animal = V::ValidarAnimal(clienteLido, CodigoDoAnimal);
        const QList<V::ItemLido> lidos = V::LerItens(GradeDeItensDoOrcamento, clienteLido, animal);
        V::ValidarPermissoes(DadosDoUsuario, cliente, lidos);
        const V::Totais totais = V::ValidarTotais(TotaisInformados(), lidos);
        const QDate hoje = Relogio::Hoje();
        GravacaoDeOrcamentos::Cabecalho cabecalho;
        cabecalho.DataDeValidadeDoOrcamento = V::ValidarValidade(DataDeValidadeDoOrcamento, hoje);
        cabecalho.DataDoOrcamento = hoje;
        cabecalho.CodigoDoCliente = cliente;
        cabecalho.CodigoDoAnimal = animal;
        cabecalho.ValorTotal = totais.ValorTotal;
        cabecalho.DescontoEmPercentual = totais.DescontoEmPercentual;
        cabecalho.DescontoEmValor = totais.DescontoEmValor;
        cabecalho.ValorLiquido = totais.ValorLiquido;
        cabecalho.DataEHoraDaInclusao = Relogio::Agora();
        cabecalho.UsuarioDaInclusao = usuario;
        QList<GravacaoDeOrcamentos::Item> itens;
        for (const V::ItemLido& lido : lidos)
            itens << lido.Item;
        const auto peso = PesoInformado();
        const qint64 numero = GravacaoDeOrcamentos::InserirOrcamento(cabecalho, itens);
        // Numbered 1, 2, ... in the grid's order.
        QList<qint64> seNecessario;
        for (qsizetype i = 0; i < lidos.size(); ++i)
            if (lidos.at(i).SeNecessario) seNecessario << i + 1;
        if (peso || !seNecessario.isEmpty())
            PacotesDeProcedimentos::GravarNoOrcamento(numero, animal, peso, seNecessario);
        Historico::Registrar(numero, ZELT_N_Orcamentos::OperacaoDoHistorico::Incluido, usuario);
        unidade.Confirmar();
        CodigoGerado = static_cast<double>(numero);
    }

    void Modificar() {
        const QString usuario = NomeDoUsuario();
        Banco::UnidadeDeTrabalho unidade;
        const OrcamentoGravado gravado = LerParaAtualizar(QStringLiteral("As alterações não foram gravadas"));
        if (gravado.Situacao != SituacaoAtivo)
            Rejeitar(V::CampoSituacao,
                     QStringLiteral("O orçamento %1 está inativo e não pode mais ser alterado.")
                         .arg(gravado.Numero));
        if (CodigoDoDouble(CodigoDoCliente) != gravado.CodigoDoCliente && CodigoDoDouble(CodigoDoCliente))
            Rejeitar(V::CampoCliente,
                     QStringLiteral("O cliente de um orçamento já gravado não pode ser trocado."));
        const V::ClienteLido clienteLido = V::ValidarCliente(CodigoDoCliente);
        const qint64 cliente = clienteLido.Codigo;
        const qint64 animal = V::ValidarAnimal(clienteLido, CodigoDoAnimal);
        const QList<V::ItemLido> lidos = V::LerItens(GradeDeItensDoOrcamento, clienteLido, animal);
        QHash<qint64, ItemGravado> itensGravados = LerItens(gravado.Numero);
        for (const V::ItemLido& lido : lidos)
            if (lido.NumeroDoItem > 0 && !itensGravados.contains(lido.NumeroDoItem))
                Recusar(QStringLiteral(
                            "O item %1 do orçamento %2 foi removido por outro usuário depois que este "
                            "formulário o leu. As alterações não foram gravadas: feche o formulário e abra "
                            "o orçamento novamente.")
                            .arg(QString::number(lido.NumeroDoItem), QString::number(gravado.Numero)));
        V::ValidarPermissoes(DadosDoUsuario, cliente, lidos,
                             [&](qint64 numero) -> std::optional<V::ValoresGravados> {
                                 if (!itensGravados.contains(numero)) return std::nullopt;
                                 const ItemGravado item = itensGravados.value(numero);
                                 return V::ValoresGravados{Banco::MoedaDe(item.ValorUnitario),
                                                           Banco::MoedaDe(item.DescontoEmPercentual)};
                             });
        const V::Totais totais = V::ValidarTotais(TotaisInformados(), lidos);
        const QDate validade = V::ValidarValidade(DataDeValidadeDoOrcamento, gravado.DataDoOrcamento);
        const auto peso = PesoInformado();

        const QDateTime carimbo = CarimboSeguinte(gravado);
        // A change of an approved quote undoes its approval, once the person said so: the
        // first save is answered with the warning (rejected, field "Aprovacao").
        if (AprovacaoDoOrcamento::EstaAprovado(gravado.Etapa)) {
            if (!DesfazerAprovacao)
                Rejeitar(QStringLiteral("Aprovacao"),
                         AprovacaoDoOrcamento::AvisoAntesDeAlterar(gravado.Numero));
            AprovacaoDoOrcamento::DesfazerNaAlteracao(gravado, usuario, carimbo);
        }
        // The items new in the grid are numbered after the last one the quote ever had.
        QList<GravacaoDeOrcamentos::Item> novos;
        QList<qint64> seNecessario;
        for (const V::ItemLido& lido : lidos) {
            if (lido.NumeroDoItem == 0) {
                novos << lido.Item;
                if (lido.SeNecessario) seNecessario << gravado.UltimoNumeroDeItem + novos.size();
                continue;
            }
            if (lido.SeNecessario) seNecessario << lido.NumeroDoItem;
            if (!itensGravados.value(lido.NumeroDoItem).IgualA(lido.Item))
                AtualizarItem(gravado.Numero, lido, carimbo, usuario);
            itensGravados.remove(lido.NumeroDoItem);
        }
        GravacaoDeOrcamentos::InserirItens(gravado.Numero, gravado.UltimoNumeroDeItem + 1, novos, carimbo,
                                           usuario);
        const qint64 ultimoNumero = gravado.UltimoNumeroDeItem + novos.size();
        // What the grid no longer holds was taken out of the quote.
        for (auto i = itensGravados.cbegin(); i != itensGravados.cend(); ++i)
            Banco::ExecutarComOProximo(
                QStringLiteral("DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ? AND "
                               "NumeroDoItemDoOrcamento = ?"),
                {gravado.Numero, i.key()});
        PacotesDeProcedimentos::GravarNoOrcamento(gravado.Numero, animal, peso, seNecessario);
        // The writes, whose answers nobody reads, travel with the history's reading of the quote.
        Banco::ExecutarComOProximo(
            QStringLiteral("UPDATE Orcamentos SET CodigoDoAnimal = ?, ValorTotal = ?, DescontoEmPercentual = "
                           "?, DescontoEmValor = ?, ValorLiquido = ?, DataDeValidadeDoOrcamento = ?, "
                           "UltimoNumeroDeItem = ?, DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = ? "
                           "WHERE NumeroDoOrcamento = ?"),
            {animal, Banco::Moeda(totais.ValorTotal), Banco::Moeda(totais.DescontoEmPercentual),
             Banco::Moeda(totais.DescontoEmValor), Banco::Moeda(totais.ValorLiquido),
             Banco::DataIso(validade), ultimoNumero, Banco::DataEHoraIso(carimbo), usuario, gravado.Numero});
        Historico::Registrar(gravado.Numero, ZELT_N_Orcamentos::OperacaoDoHistorico::Alterado, usuario);
        unidade.Confirmar();
        CodigoGerado = static_cast<double>(gravado.Numero);
    }

    void Remover() {
        Banco::UnidadeDeTrabalho unidade;
        const OrcamentoGravado gravado = LerParaAtualizar(QStringLiteral("O orçamento não foi excluído"));
        if (AprovacaoDoOrcamento::TemPagamentos(gravado.Numero))
            Recusar(QStringLiteral("O orçamento %1 tem pagamentos registrados e não pode ser excluído: "
                                   "inative-o.")
                        .arg(gravado.Numero));
        if (gravado.Situacao != SituacaoAtivo)
            Rejeitar(V::CampoSituacao,
                     QStringLiteral("O orçamento %1 está inativo e não pode mais ser excluído.")
                         .arg(gravado.Numero));
        Historico::RegistrarExclusao(gravado.Numero,
                                     DadosDoUsuario ? NomeDoUsuario() : Historico::UsuarioNaoInformado);
        Banco::Executar(QStringLiteral("DELETE FROM ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
                        {gravado.Numero});
        Banco::Executar(QStringLiteral("DELETE FROM Orcamentos WHERE NumeroDoOrcamento = ?"),
                        {gravado.Numero});
        unidade.Confirmar();
        CodigoGerado = static_cast<double>(gravado.Numero);
    }

    OrcamentoGravado LerParaAtualizar(const QString& consequencia) const {
        return GravacaoDeOrcamentos::LerParaAtualizar(NumeroDoOrcamento, DataEHoraDaAlteracaoLida,
                                                      consequencia);
    }

    static QHash<qint64, ItemGravado> LerItens(qint64 numero) {
        QHash<qint64, ItemGravado> itens;
        QSqlQuery q = Banco::Executar(
            QStringLiteral(
                "SELECT NumeroDoItemDoOrcamento, CodigoDoAnimal, Quantidade, ValorUnitario, "
                "DescontoEmPercentual, DescontoEmValor, ValorTotal, Custo, TipoDeVenda, Situacao FROM "
                "ItensDeOrcamento WHERE NumeroDoOrcamento = ?"),
            {numero});
        while (q.next()) {
            ItemGravado item;
            item.CodigoDoAnimal = Banco::Coluna(q, "CodigoDoAnimal").toLongLong();
            item.Quantidade = Banco::Coluna(q, "Quantidade").toLongLong();
            item.ValorUnitario = Banco::Coluna(q, "ValorUnitario").toLongLong();
            item.DescontoEmPercentual = Banco::Coluna(q, "DescontoEmPercentual").toLongLong();
            item.DescontoEmValor = Banco::Coluna(q, "DescontoEmValor").toLongLong();
            item.ValorTotal = Banco::Coluna(q, "ValorTotal").toLongLong();
            item.Custo = Banco::Coluna(q, "Custo").toLongLong();
            item.TipoDeVenda = Banco::Coluna(q, "TipoDeVenda").toInt();
            item.Situacao = Banco::Coluna(q, "Situacao").toInt();
            itens.insert(Banco::Coluna(q, "NumeroDoItemDoOrcamento").toLongLong(), item);
        }
        return itens;
    }

    static void AtualizarItem(qint64 numero, const V::ItemLido& lido, const QDateTime& carimbo,
                              const QString& usuario) {
        const GravacaoDeOrcamentos::Item& i = lido.Item;
        Banco::ExecutarComOProximo(
            QStringLiteral("UPDATE ItensDeOrcamento SET CodigoDoAnimal = ?, Quantidade = ?, ValorUnitario = "
                           "?, DescontoEmPercentual = ?, DescontoEmValor = ?, ValorTotal = ?, Custo = ?, "
                           "TipoDeVenda = ?, Situacao = ?, DataEHoraDaAlteracao = ?, UsuarioDaAlteracao = "
                           "? WHERE NumeroDoOrcamento = ? AND NumeroDoItemDoOrcamento = ?"),
            {i.CodigoDoAnimal, Banco::Moeda(i.Quantidade), Banco::Moeda(i.ValorUnitario),
             Banco::Moeda(i.DescontoEmPercentual), Banco::Moeda(i.DescontoEmValor),
             Banco::Moeda(i.ValorTotal), Banco::Moeda(i.Custo), i.TipoDeVenda, i.Situacao,
             Banco::DataEHoraIso(carimbo), usuario, numero, lido.NumeroDoItem});
    }
};

} // namespace

std::unique_ptr<QObject> NovoOrcamentos() {
    return std::make_unique<clsOrcamentosNoBanco>();
}

} // namespace Objetos
