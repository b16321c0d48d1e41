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

bool SoDigitos(const QString& texto) {
    for (const QChar c : Banco::TextoDePesquisa(texto))
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace Pesquisa
