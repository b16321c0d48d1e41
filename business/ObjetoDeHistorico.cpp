// ZELT_N_Orcamentos.clsHistorico: the deleted quotes, the history of one quote, one
// of its versions, and the restoration of a deleted quote (business/Historico.h).

#include "business/Banco.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Historico.h"
#include "business/Objetos.h"
#include "business/Pesquisa.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Objetos {
namespace {

using Cabecalho = ZELT_N_Orcamentos::clsHistorico::CabecalhoDaVersao;

const QList<CampoDaConsulta> CamposDosExcluidos{
    {QStringLiteral("NumeroDoOrcamento"), QStringLiteral("e.NumeroDoOrcamento"), TipoDoCampo::Double},
    {QStringLiteral("CodigoDoCliente"), QStringLiteral("e.CodigoDoCliente"), TipoDoCampo::Double},
    {QStringLiteral("ApelidoOuNomeFantasiaDoCliente"), QStringLiteral("c.ApelidoOuNomeFantasia"),
     TipoDoCampo::Texto},
    {QStringLiteral("NomeOuRazaoSocialDoCliente"), QStringLiteral("c.NomeOuRazaoSocial"), TipoDoCampo::Texto},
    {QStringLiteral("ValorLiquido"), QStringLiteral("e.ValorLiquido"), TipoDoCampo::Moeda},
    {QStringLiteral("DataEHoraDaExclusao"), QStringLiteral("e.DataEHoraDaExclusao"), TipoDoCampo::DataEHora},
    {QStringLiteral("UsuarioDaExclusao"), QStringLiteral("e.UsuarioDaExclusao"), TipoDoCampo::Texto},
};

const QList<CampoDaConsulta> CamposDoHistorico{
    {QStringLiteral("NumeroDoRegistro"), QStringLiteral("NumeroDoRegistro"), TipoDoCampo::Double},
    {QStringLiteral("DataEHora"), QStringLiteral("DataEHora"), TipoDoCampo::DataEHora},
    {QStringLiteral("Usuario"), QStringLiteral("Usuario"), TipoDoCampo::Texto},
    {QStringLiteral("Operacao"), QStringLiteral("Operacao"), TipoDoCampo::Texto},
    {QStringLiteral("ValorLiquido"), QStringLiteral("ValorLiquido"), TipoDoCampo::Moeda},
    {QStringLiteral("QuantidadeDeItens"), QStringLiteral("QuantidadeDeItens"), TipoDoCampo::Long},
};

// The quote sheet's fields (those clsOrcItens.Selecionar(2) gives; the launch type
// chooses how the sheet prints the quantity).
const QStringList CamposDaFicha{
    QStringLiteral("NumeroDoOrcamento"), QStringLiteral("NomeDoServicoOuNomeDoProduto"),
    QStringLiteral("NomeDoAnimal"),      QStringLiteral("Quantidade"),
    QStringLiteral("ValorUnitario"),     QStringLiteral("DescontoEmValor"),
    QStringLiteral("ValorLiquido"),      QStringLiteral("TipoDeLancamento")};

VB::Currency Moeda(const QJsonArray& linha, const QStringList& colunas, const char16_t* coluna) {
    return VB::Currency::DeDecimosDeMilesimos(linha.at(colunas.indexOf(coluna)).toInteger());
}

class clsHistoricoNoBanco final : public Implementacao<ZELT_N_Orcamentos::clsHistorico> {
public:
    clsHistoricoNoBanco() : Implementacao(QStringLiteral("ZELT_N_Orcamentos, clsHistorico")) {}

    QVariant SelecionarExcluidos(qint16& lintTamanhoDaPagina, const QString& lstrTexto) override {
        return Selecao("SelecionarExcluidos", [&] {
            if (lintTamanhoDaPagina <= 0) lintTamanhoDaPagina = 10;
            QString condicoes;
            QVariantList parametros;
            // As the quote list searches: the clients whose code, nickname or name
            // contains the text and, for a text of digits, the numbers that contain it.
            if (!lstrTexto.trimmed().isEmpty()) {
                const bool digitos = Pesquisa::SoDigitos(lstrTexto);
                QStringList textos{QStringLiteral("ApelidoNormalizado"), QStringLiteral("NomeNormalizado")};
                if (digitos) textos << QStringLiteral("CodigoDoCliente");
                const Dialeto::Subconsulta clientes =
                    Pesquisa::ChavesQueContem(Pesquisa::Clientes, textos, lstrTexto);
                parametros += clientes.Parametros;
                condicoes = QStringLiteral(" AND e.NumeroDoOrcamento IN (SELECT NumeroDoOrcamento FROM "
                                           "OrcamentosExcluidos WHERE CodigoDoCliente IN (") +
                            clientes.Sql + u')';
                if (digitos) {
                    const Dialeto::Subconsulta numeros = Pesquisa::ChavesQueContem(
                        Historico::Excluidos, {QStringLiteral("NumeroDoOrcamento")}, lstrTexto);
                    condicoes += QStringLiteral(" UNION ") + numeros.Sql;
                    parametros += numeros.Parametros;
                }
                condicoes += u')';
            }
            const QString juncoes = QStringLiteral(
                "FROM OrcamentosExcluidos e JOIN Clientes c ON c.CodigoDoCliente = e.CodigoDoCliente");
            ConsultaPaginavel consulta{CamposDosExcluidos,
                                       juncoes + QStringLiteral(" WHERE 1 = 1") + condicoes, parametros,
                                       QStringLiteral("e.NumeroDoRegistro DESC")};
            consulta.DeOndeSemJuncoes = QStringLiteral("FROM OrcamentosExcluidos e WHERE 1 = 1") + condicoes;
            consulta.Chave = QStringLiteral("e.NumeroDoOrcamento");
            consulta.Juncoes = juncoes;
            return Consultar(std::move(consulta), lintTamanhoDaPagina);
        });
    }

    QVariant SelecionarHistorico(double ldouNumeroDoOrcamento) override {
        return Selecao("SelecionarHistorico", [&] {
            const auto numero = CodigoDoDouble(ldouNumeroDoOrcamento);
            return Consultar({CamposDoHistorico,
                              QStringLiteral("FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ?"),
                              {numero ? *numero : qint64(-1)},
                              QStringLiteral("NumeroDoRegistro DESC")},
                             0);
        });
    }

    QVariant SelecionarVersao(double ldouNumeroDoRegistro) override {
        Versao = {};
        return Selecao("SelecionarVersao", [&] { return LerVersao(ldouNumeroDoRegistro); });
    }

    qint16 Restaurar(double ldouNumeroDoOrcamento) override {
        return Estado("Restaurar", [&] {
            if (!DadosDoUsuario) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
            if (!DadosDoUsuario->property("Administrador").toBool())
                Recusar(QStringLiteral("Somente um administrador pode restaurar um orçamento excluído."));
            const auto numero = CodigoDoDouble(ldouNumeroDoOrcamento);
            if (!numero)
                Recusar(QStringLiteral("O orçamento %1 não está entre os orçamentos excluídos.")
                            .arg(VB::CStr(ldouNumeroDoOrcamento)));
            Historico::Restaurar(*numero, DadosDoUsuario->property("NomeDoUsuario").toString());
        });
    }

private:
    RecordsetPtr LerVersao(double numeroDoRegistro) {
        const auto registro = CodigoDoDouble(numeroDoRegistro);
        QSqlQuery q =
            Banco::Executar(QStringLiteral("SELECT NumeroDoOrcamento, DataEHora, Usuario, Operacao FROM "
                                           "HistoricoDeOrcamentos WHERE NumeroDoRegistro = ?"),
                            {registro ? *registro : qint64(-1)});
        if (!q.next())
            Banco::Falhar(
                QStringLiteral("O registro %1 do histórico não existe.").arg(VB::CStr(numeroDoRegistro)));
        const QJsonObject copia = Historico::CopiaDaEntrada(*registro);
        const QJsonArray orcamento = copia.value(QStringLiteral("o")).toArray();
        const QStringList& o = GravacaoDeOrcamentos::ColunasDoOrcamento;
        Cabecalho versao;
        versao.NumeroDoOrcamento = q.value(0).toDouble();
        versao.DataEHora = Banco::DataEHoraDeIso(q.value(1).toString());
        versao.Usuario = q.value(2).toString();
        versao.Operacao = q.value(3).toString();
        versao.CodigoDoCliente = static_cast<double>(orcamento.at(o.indexOf(u"CodigoDoCliente")).toInteger());
        versao.ValorTotal = Moeda(orcamento, o, u"ValorTotal");
        versao.DescontoEmPercentual = Moeda(orcamento, o, u"DescontoEmPercentual");
        versao.DescontoEmValor = Moeda(orcamento, o, u"DescontoEmValor");
        versao.ValorLiquido = Moeda(orcamento, o, u"ValorLiquido");
        QSqlQuery cliente =
            Banco::Executar(QStringLiteral("SELECT ApelidoOuNomeFantasia, NomeOuRazaoSocial FROM "
                                           "Clientes WHERE CodigoDoCliente = ?"),
                            {static_cast<qint64>(versao.CodigoDoCliente)});
        if (cliente.next()) {
            versao.ApelidoOuNomeFantasiaDoCliente = cliente.value(0).toString();
            versao.NomeOuRazaoSocialDoCliente = cliente.value(1).toString();
        }
        const QStringList& i = GravacaoDeOrcamentos::ColunasDoItem;
        auto itens = std::make_shared<RecordsetEmMemoria>(CamposDaFicha);
        QHash<qint64, QString> animais;
        for (const QJsonValue& valor : copia.value(QStringLiteral("i")).toArray()) {
            const QJsonArray item = valor.toArray();
            const qint64 animal = item.at(i.indexOf(u"CodigoDoAnimal")).toInteger();
            if (animal > 0 && !animais.contains(animal))
                animais.insert(
                    animal,
                    Banco::Valor(QStringLiteral("SELECT Nome FROM Animais WHERE Codigo = ?"), {animal})
                        .toString());
            itens->AdicionarLinha({versao.NumeroDoOrcamento,
                                   item.at(i.indexOf(u"NomeDoServicoOuProduto")).toString(),
                                   animais.value(animal), QVariant::fromValue(Moeda(item, i, u"Quantidade")),
                                   QVariant::fromValue(Moeda(item, i, u"ValorUnitario")),
                                   QVariant::fromValue(Moeda(item, i, u"DescontoEmValor")),
                                   QVariant::fromValue(Moeda(item, i, u"ValorTotal")),
                                   item.at(i.indexOf(u"TipoDeLancamento")).toInt()});
        }
        Versao = versao;
        return itens;
    }
};

} // namespace

std::unique_ptr<QObject> NovoHistorico() {
    return std::make_unique<clsHistoricoNoBanco>();
}

} // namespace Objetos
