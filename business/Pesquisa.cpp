#include "business/Pesquisa.h"

#include "business/Banco.h"

namespace Pesquisa {

const Dialeto::TabelaPesquisavel Clientes{QStringLiteral("Clientes"),
                                          QStringLiteral("CodigoDoCliente"),
                                          {{QStringLiteral("CodigoDoCliente"), true},
                                           {QStringLiteral("ApelidoNormalizado")},
                                           {QStringLiteral("NomeNormalizado")}}};
const Dialeto::TabelaPesquisavel Produtos{
    QStringLiteral("Produtos"), QStringLiteral("CodigoInterno"), {{QStringLiteral("NomeNormalizado")}}};
const Dialeto::TabelaPesquisavel Servicos{
    QStringLiteral("Servicos"), QStringLiteral("Codigo"), {{QStringLiteral("NomeNormalizado")}}};
const Dialeto::TabelaPesquisavel Orcamentos{QStringLiteral("Orcamentos"),
                                            QStringLiteral("NumeroDoOrcamento"),
                                            {{QStringLiteral("NumeroDoOrcamento"), true}}};

QList<Dialeto::TabelaPesquisavel> Todas() {
    return {Clientes, Produtos, Servicos, Orcamentos};
}

Dialeto::Subconsulta ChavesQueContem(const Dialeto::TabelaPesquisavel& tabela, const QStringList& colunas,
                                     const QString& texto) {
    return Banco::DialetoAtual().ChavesQueContem(tabela, colunas, Banco::TextoDePesquisa(texto),
                                                 Banco::PadraoContem(texto));
}

Dialeto::Subconsulta CondicaoQueContem(const Dialeto::TabelaPesquisavel& tabela, const QString& prefixo,
                                       const QStringList& colunas, const QString& texto) {
    return Banco::DialetoAtual().CondicaoQueContem(tabela, prefixo, colunas, Banco::TextoDePesquisa(texto),
                                                   Banco::PadraoContem(texto));
}

ChavesAchadas LerChaves(const Dialeto::Subconsulta& busca, qsizetype maximo) {
    ChavesAchadas achadas{busca, busca.Sql + QStringLiteral(" LIMIT %1").arg(maximo + 1), {}, {}};
    QSqlQuery q = Banco::Executar(achadas.Leitura, busca.Parametros);
    QList<qint64> chaves;
    while (q.next())
        chaves << q.value(0).toLongLong();
    if (chaves.size() <= maximo) achadas.Chaves = std::move(chaves);
    return achadas;
}

Dialeto::Subconsulta ChavesAchadas::Em(const QString& coluna, bool conjuntoPrimeiro) const {
    const Dialeto dialeto = Banco::DialetoAtual();
    if (Chaves) return dialeto.ChaveNaLista(coluna, *Chaves);
    return {conjuntoPrimeiro ? dialeto.ChaveEntre(coluna, Busca.Sql)
                             : coluna + QStringLiteral(" IN (") + Busca.Sql + u')',
            Busca.Parametros};
}

bool SoDigitos(const QString& texto) {
    for (const QChar c : Banco::TextoDePesquisa(texto))
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace Pesquisa
