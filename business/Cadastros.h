#pragma once
// The clinic's own registry as the business layer writes it: company, clients,
// animals, products, service types and services. The demonstration data, the CSV
// import and the tests all write through these functions, so the derived columns
// (normalised search texts, the full address, the communication channels) are
// computed in one place. Each function inserts or, when the key exists, updates.
// They run inside the caller's unit of work.

#include "contracts/VB.h"

#include <QDate>
#include <QString>
#include <array>

namespace Cadastros {

struct EnderecoPostal {
    QString Logradouro, Numero, Complemento, Bairro, Cidade, UF, CEP;
};

struct Empresa {
    qint64 Codigo = 1;
    QString NomeFantasia, RazaoSocial, CNPJ, InscricaoEstadual;
    EnderecoPostal Endereco;
    QString Telefone, Email;
    qint32 QuantidadeDeDiasParaAValidadeDoOrcamento = 10;
    bool PermissaoParaAlterarADataDeValidadeDoOrcamento = false;
    QDate DataInicialDaPromocao, DataFinalDaPromocao; // invalid: no promotion
    VB::Currency PercPromocaoDeDescontoNaVendaDeServico, PercPromocaoDeDescontoNaVendaDeProduto;
    qint32 FormatoDeCodigoDeBarrasParaBalanca = 0; // 1 price, 2 weight, other: none
};

// Index of each per-type percentage in Cliente::Percentuais, by service type:
// 1 clinical, 2 simple surgery, 3 medium surgery, 4 complex surgery, 5 baths and
// grooming, 6 boarding, 7 training, 99 other.
constexpr std::array<qint32, 8> TiposDeServicoDosPercentuais{1, 2, 3, 4, 5, 6, 7, 99};

struct Cliente {
    qint64 CodigoDoCliente = 0;
    QString ApelidoOuNomeFantasia, NomeOuRazaoSocial, CPFOuCNPJ;
    qint32 Situacao = 1; // 1 active, 2 inactive, 3 blocked, 4 deleted
    EnderecoPostal Endereco;
    QString Telefone, Celular, Email;
    VB::Currency Credito;
    bool VIP = false;
    QString CategoriaDaCurvaABC = QStringLiteral("C");
    bool DescontoUnico = false;
    VB::Currency PercentualUnicoDeDescontos;
    std::array<VB::Currency, 8> Percentuais{};
};

struct Animal {
    qint64 Codigo = 0;
    qint64 CodigoDoCliente = 0;
    QString Nome, Especie, Raca, Sexo;
    QDate DataDeNascimento;
    qint32 Situacao = 1; // 1 active, 2 inactive (deceased, given away...)
};

struct Produto {
    qint64 CodigoInterno = 0;
    QString CodigoDeBarras; // empty: none
    QString Nome, NomeDoGrupo, NomeDoSubgrupo;
    VB::Currency ValorDeCusto;
    QString UnidadeDeCompra = QStringLiteral("UN"), UnidadeDeVenda = QStringLiteral("UN");
    VB::Currency ValorDeVenda, PercentualDeComissao;
    bool VendidoPorEtiquetaDeBalanca = false;
    qint32 Situacao = 1;
};

struct TipoDeServico {
    qint32 Numero = 0;
    QString Nome;
};

struct Servico {
    qint64 Codigo = 0;
    QString Nome, Descricao;
    qint32 NumeroDoTipoDeServico = 0;
    VB::Currency Custo, ValorDeVenda;
    qint32 Situacao = 1;
};

void GravarEmpresa(const Empresa& empresa);
void GravarCliente(const Cliente& cliente);
// The stored row of a client: its columns, and a client's values in that order (also
// what a bulk load writes, so its rows are those GravarCliente would write).
const QStringList& ColunasDoCliente();
// The address columns of clients and companies, and the eight per-type percentages
// in the order of Cliente::Percentuais.
const QStringList& ColunasDeEndereco();
const QStringList& ColunasDePercentuais();
QVariantList ValoresDoCliente(const Cliente& cliente);
void GravarAnimal(const Animal& animal);
void GravarProduto(const Produto& produto); // creates its group and subgroup by name
void GravarTipoDeServico(const TipoDeServico& tipo);
void GravarServico(const Servico& servico);

// "Rua das Flores, 120 - Apto 3 - Centro - Campinas/SP - CEP 13010-000"
QString EnderecoCompleto(const EnderecoPostal& endereco);
// "Telefone: (19) 3232-1010; Celular: (19) 99876-5432; E-mail: ana@exemplo.com.br"
QString TiposECanaisDeComunicacao(const QString& telefone, const QString& celular, const QString& email);

} // namespace Cadastros
