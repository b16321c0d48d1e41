// The registry's business objects: clients and their animals, products, services,
// service types and the company. Every selection is a lazy recordset; texts typed
// by the user are only ever bound as parameters.
//
// Meanings of the arguments the forms pass (documented in docs/negocio.md):
//   - the leading "type" argument names the selection: 2 is the lookup used while
//     quoting (clients, products, services, company); any other is error 5;
//   - a page size of 0 means "not paged": the recordset holds every matching row
//     and keeps ADO's default PageSize of 10;
//   - the third Long of products and services is 1 for active records only, 0 for
//     records in every situation; clients come in every situation, because the
//     forms themselves refuse the inactive, blocked and deleted ones by name;
//   - free texts and names are matched "contains", ignoring case and accents;
//     codes and bar codes are matched whole.

#include "business/Banco.h"
#include "business/Objetos.h"
#include "business/Pesquisa.h"
#include "contracts/CriarObjeto.h"
#include "contracts/HistoricoDeOrcamentos.h"
#include "contracts/TermoDeConsentimento.h"

#include <cmath>

namespace Objetos {

std::optional<qint64> CodigoDoTexto(const QString& texto) {
    const QString limpo = Banco::TextoDigitado(texto);
    if (limpo.isEmpty() || limpo.size() > 18) return std::nullopt;
    for (const QChar c : limpo)
        if (!c.isDigit() || c.unicode() > 127) return std::nullopt;
    const qint64 valor = limpo.toLongLong();
    return valor > 0 ? std::optional<qint64>(valor) : std::nullopt;
}

std::optional<qint64> CodigoDoDouble(double valor) {
    if (!(valor >= 1.0) || valor > 9.0e15 || valor != std::floor(valor)) return std::nullopt;
    return static_cast<qint64>(valor);
}

void ArgumentoDesconhecido(const QString& nome, qint64 valor) {
    throw VB::ErroDeExecucao(VB::ChamadaOuArgumentoInvalido,
                             QStringLiteral("Chamada de procedimento ou argumento inválido: %1 %2 não é "
                                            "conhecido por este componente.")
                                 .arg(nome, QString::number(valor)));
}

namespace {

using Campos = QList<CampoDaConsulta>;

// Appends " AND (...)" with its parameters.
struct Filtro {
    QString Condicoes;
    QVariantList Parametros;
    void E(const QString& condicao, const QVariantList& parametros = {}) {
        Condicoes += QStringLiteral(" AND (") + condicao + u')';
        Parametros += parametros;
    }
};

// ---------------------------------------------------------------------------------------------
// ZELT_N_ClientAnim.clsClientes
// ---------------------------------------------------------------------------------------------

const Campos CamposDosClientes{
    {QStringLiteral("CodigoDoCliente"), QStringLiteral("CodigoDoCliente"), TipoDoCampo::Double},
    {QStringLiteral("ApelidoOuNomeFantasia"), QStringLiteral("ApelidoOuNomeFantasia"), TipoDoCampo::Texto},
    {QStringLiteral("NomeOuRazaoSocial"), QStringLiteral("NomeOuRazaoSocial"), TipoDoCampo::Texto},
    {QStringLiteral("Situacao"), QStringLiteral("Situacao"), TipoDoCampo::Long},
    {QStringLiteral("EnderecoCompleto"), QStringLiteral("EnderecoCompleto"), TipoDoCampo::Texto},
    {QStringLiteral("TiposECanaisDeComunicacao"), QStringLiteral("TiposECanaisDeComunicacao"),
     TipoDoCampo::Texto},
    {QStringLiteral("Credito"), QStringLiteral("Credito"), TipoDoCampo::Moeda},
    {QStringLiteral("VIP"), QStringLiteral("VIP"), TipoDoCampo::SimNao},
    {QStringLiteral("CategoriaDaCurvaABC"), QStringLiteral("CategoriaDaCurvaABC"), TipoDoCampo::Texto},
    {QStringLiteral("DescontoUnico"), QStringLiteral("DescontoUnico"), TipoDoCampo::SimNao},
    {QStringLiteral("PercentualUnicoDeDescontos"), QStringLiteral("PercentualUnicoDeDescontos"),
     TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmClinicos"), QStringLiteral("PercentualDeDescontoEmClinicos"),
     TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmCirurgiaSimples"),
     QStringLiteral("PercentualDeDescontoEmCirurgiaSimples"), TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmCirurgiaMedia"),
     QStringLiteral("PercentualDeDescontoEmCirurgiaMedia"), TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmCirurgiaComplexa"),
     QStringLiteral("PercentualDeDescontoEmCirurgiaComplexa"), TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmBanhosTosasEEsteticas"),
     QStringLiteral("PercentualDeDescontoEmBanhosTosasEEsteticas"), TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmHospedagens"), QStringLiteral("PercentualDeDescontoEmHospedagens"),
     TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmAdestramentos"),
     QStringLiteral("PercentualDeDescontoEmAdestramentos"), TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeDescontoEmOutros"), QStringLiteral("PercentualDeDescontoEmOutros"),
     TipoDoCampo::Moeda},
    // Where a quote is sent: the client's e-mail and cell phone as typed in the registry.
    {QStringLiteral("Email"), QStringLiteral("Email"), TipoDoCampo::Texto},
    {QStringLiteral("Celular"), QStringLiteral("Celular"), TipoDoCampo::Texto},
};

class clsClientesNoBanco final : public Implementacao<ZELT_N_ClientAnim::clsClientes> {
public:
    clsClientesNoBanco() : Implementacao(QStringLiteral("ZELT_N_ClientAnim, clsClientes")) {}

    // The dialog passes its free text (matched against nickname or trade name, name or
    // corporate name, and the code when the text is a whole number); the record form
    // passes a nickname-or-name text or a code. Given criteria must all hold; none
    // given selects every client. Ordered by nickname, then code.
    QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32, const QString& lstrTextoLivre,
                        const QString& lstrApelidoOuNome, double& ldouCodigoDoCliente, const QString&,
                        const QString&, const QString&, double, const QString&) override {
        return Selecao("Selecionar", [&] {
            if (lintTipo != 2) ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            // The clients whose nickname or name contains the text.
            const auto nomes = [](const QString& texto) {
                return Pesquisa::CondicaoQueContem(
                    Pesquisa::Clientes, QString(),
                    {QStringLiteral("ApelidoNormalizado"), QStringLiteral("NomeNormalizado")}, texto);
            };
            Filtro filtro;
            if (!lstrTextoLivre.trimmed().isEmpty()) {
                const Dialeto::Subconsulta contem = nomes(lstrTextoLivre);
                QString condicao = contem.Sql;
                QVariantList parametros = contem.Parametros;
                if (const auto codigo = CodigoDoTexto(lstrTextoLivre)) {
                    condicao += QStringLiteral(" OR CodigoDoCliente = ?");
                    parametros << *codigo;
                }
                filtro.E(condicao, parametros);
            }
            if (!lstrApelidoOuNome.trimmed().isEmpty()) {
                const Dialeto::Subconsulta contem = nomes(lstrApelidoOuNome);
                filtro.E(contem.Sql, contem.Parametros);
            }
            if (ldouCodigoDoCliente != 0) {
                const auto codigo = CodigoDoDouble(ldouCodigoDoCliente);
                filtro.E(QStringLiteral("CodigoDoCliente = ?"), {codigo ? *codigo : qint64(-1)});
            }
            return Consultar({CamposDosClientes,
                              QStringLiteral("FROM Clientes WHERE 1 = 1") + filtro.Condicoes,
                              filtro.Parametros, QStringLiteral("ApelidoNormalizado, CodigoDoCliente")},
                             lintTamanhoDaPagina);
        });
    }
};

// ---------------------------------------------------------------------------------------------
// ZELT_N_ClientAnim.clsAnimais
// ---------------------------------------------------------------------------------------------

class clsAnimaisNoBanco final : public Implementacao<ZELT_N_ClientAnim::clsAnimais> {
public:
    clsAnimaisNoBanco() : Implementacao(QStringLiteral("ZELT_N_ClientAnim, clsAnimais")) {}

    // lintTipo 3: the client's active animals, for a combo box; 1: all of them.
    // Ordered by name, then code.
    QVariant SelecionarParaComboBoxFiltradoPorCliente(double& ldouCodigoDoCliente, qint16 lintTipo) override {
        return Selecao("SelecionarParaComboBoxFiltradoPorCliente", [&] {
            if (lintTipo != 1 && lintTipo != 3)
                ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            const auto codigo = CodigoDoDouble(ldouCodigoDoCliente);
            QString deOnde = QStringLiteral("FROM Animais WHERE CodigoDoCliente = ?");
            if (lintTipo == 3) deOnde += QStringLiteral(" AND Situacao = 1");
            return Consultar({{{QStringLiteral("Codigo"), QStringLiteral("Codigo"), TipoDoCampo::Long},
                               {QStringLiteral("Nome"), QStringLiteral("Nome"), TipoDoCampo::Texto}},
                              deOnde,
                              {codigo ? *codigo : qint64(-1)},
                              QStringLiteral("Nome, Codigo")},
                             0);
        });
    }
};

// ---------------------------------------------------------------------------------------------
// ZELT_N_Produtos.clsProdutos
// ---------------------------------------------------------------------------------------------

const Campos CamposDosProdutos{
    {QStringLiteral("CodigoInterno"), QStringLiteral("p.CodigoInterno"), TipoDoCampo::Long},
    {QStringLiteral("CodigoDeBarras"), QStringLiteral("COALESCE(p.CodigoDeBarras, '')"), TipoDoCampo::Texto},
    {QStringLiteral("Nome"), QStringLiteral("p.Nome"), TipoDoCampo::Texto},
    {QStringLiteral("NomeDoGrupo"), QStringLiteral("COALESCE(g.Nome, '')"), TipoDoCampo::Texto},
    {QStringLiteral("NomeDoSubgrupo"), QStringLiteral("COALESCE(s.Nome, '')"), TipoDoCampo::Texto},
    {QStringLiteral("ValorDeCusto"), QStringLiteral("p.ValorDeCusto"), TipoDoCampo::Moeda},
    {QStringLiteral("UnidadeDeCompra"), QStringLiteral("p.UnidadeDeCompra"), TipoDoCampo::Texto},
    {QStringLiteral("UnidadeDeVenda"), QStringLiteral("p.UnidadeDeVenda"), TipoDoCampo::Texto},
    {QStringLiteral("ValorDeVenda"), QStringLiteral("p.ValorDeVenda"), TipoDoCampo::Moeda},
    {QStringLiteral("PercentualDeComissao"), QStringLiteral("p.PercentualDeComissao"), TipoDoCampo::Moeda},
};

class clsProdutosNoBanco final : public Implementacao<ZELT_N_Produtos::clsProdutos> {
public:
    clsProdutosNoBanco() : Implementacao(QStringLiteral("ZELT_N_Produtos, clsProdutos")) {}
    using clsProdutos::Selecionar;

    // Code-or-name text (dialog): the internal code or the bar code whole, or the
    // name contains it. Name (record form): contains. Bar code alone: whole. A
    // bar code together with an internal code is a weighing-scale label, whose
    // digits carry the price or the weight and so match no registered code: the
    // internal code alone finds the product. Ordered by name, then code.
    QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonSomenteAtivos,
                        const QString& lstrCodigoOuNome, QString& lstrNome, QString& lstrCodigoDeBarras,
                        double& ldouCodigoInterno) override {
        return Selecao("Selecionar", [&] {
            if (lintTipo != 2) ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            // The products whose name contains the text.
            const auto nomes = [](const QString& texto) {
                return Pesquisa::CondicaoQueContem(Pesquisa::Produtos, QStringLiteral("p."),
                                                   {QStringLiteral("NomeNormalizado")}, texto);
            };
            Filtro filtro;
            if (llonSomenteAtivos == 1) filtro.E(QStringLiteral("p.Situacao = 1"));
            if (!lstrCodigoOuNome.trimmed().isEmpty()) {
                const Dialeto::Subconsulta contem = nomes(lstrCodigoOuNome);
                QString condicao = contem.Sql + QStringLiteral(" OR p.CodigoDeBarras = ?");
                QVariantList parametros = contem.Parametros;
                parametros << Banco::TextoDigitado(lstrCodigoOuNome);
                if (const auto codigo = CodigoDoTexto(lstrCodigoOuNome)) {
                    condicao += QStringLiteral(" OR p.CodigoInterno = ?");
                    parametros << *codigo;
                }
                filtro.E(condicao, parametros);
            }
            if (!lstrNome.trimmed().isEmpty()) {
                const Dialeto::Subconsulta contem = nomes(lstrNome);
                filtro.E(contem.Sql, contem.Parametros);
            }
            const bool temCodigoInterno = ldouCodigoInterno != 0;
            if (temCodigoInterno) {
                const auto codigo = CodigoDoDouble(ldouCodigoInterno);
                filtro.E(QStringLiteral("p.CodigoInterno = ?"), {codigo ? *codigo : qint64(-1)});
            } else if (!lstrCodigoDeBarras.trimmed().isEmpty()) {
                filtro.E(QStringLiteral("p.CodigoDeBarras = ?"), {Banco::TextoDigitado(lstrCodigoDeBarras)});
            }
            return Consultar({CamposDosProdutos,
                              QStringLiteral("FROM Produtos p LEFT JOIN GruposDeProdutos g ON g.Codigo = "
                                             "p.CodigoDoGrupo LEFT JOIN SubgruposDeProdutos s ON s.Codigo = "
                                             "p.CodigoDoSubgrupo WHERE 1 = 1") +
                                  filtro.Condicoes,
                              filtro.Parametros, QStringLiteral("p.NomeNormalizado, p.CodigoInterno")},
                             lintTamanhoDaPagina);
        });
    }
};

// ---------------------------------------------------------------------------------------------
// ZELT_N_Servicos.clsServicos
// ---------------------------------------------------------------------------------------------

const Campos CamposDosServicos{
    {QStringLiteral("Codigo"), QStringLiteral("Codigo"), TipoDoCampo::Long},
    {QStringLiteral("Nome"), QStringLiteral("Nome"), TipoDoCampo::Texto},
    {QStringLiteral("Descricao"), QStringLiteral("Descricao"), TipoDoCampo::Texto},
    {QStringLiteral("NumeroDoTipoDeServico"), QStringLiteral("NumeroDoTipoDeServico"), TipoDoCampo::Long},
    {QStringLiteral("Custo"), QStringLiteral("Custo"), TipoDoCampo::Moeda},
    {QStringLiteral("ValorDeVenda"), QStringLiteral("ValorDeVenda"), TipoDoCampo::Moeda},
};

class clsServicosNoBanco final : public Implementacao<ZELT_N_Servicos::clsServicos> {
public:
    clsServicosNoBanco() : Implementacao(QStringLiteral("ZELT_N_Servicos, clsServicos")) {}
    using clsServicos::Selecionar;

    // Service type 0 is every type. Code-or-name text: the code whole or the name
    // contains it; name: contains; code: whole. Ordered by name, then code.
    QVariant Selecionar(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32 llonSomenteAtivos,
                        const QString& lstrCodigoOuNome, qint16& lintTipoDeServico, QString& lstrNome,
                        double& ldouCodigo) override {
        return Selecao("Selecionar", [&] {
            if (lintTipo != 2) ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            // The services whose name contains the text.
            const auto nomes = [](const QString& texto) {
                return Pesquisa::CondicaoQueContem(Pesquisa::Servicos, QString(),
                                                   {QStringLiteral("NomeNormalizado")}, texto);
            };
            Filtro filtro;
            if (llonSomenteAtivos == 1) filtro.E(QStringLiteral("Situacao = 1"));
            if (lintTipoDeServico != 0)
                filtro.E(QStringLiteral("NumeroDoTipoDeServico = ?"), {lintTipoDeServico});
            if (!lstrCodigoOuNome.trimmed().isEmpty()) {
                const Dialeto::Subconsulta contem = nomes(lstrCodigoOuNome);
                QString condicao = contem.Sql;
                QVariantList parametros = contem.Parametros;
                if (const auto codigo = CodigoDoTexto(lstrCodigoOuNome)) {
                    condicao += QStringLiteral(" OR Codigo = ?");
                    parametros << *codigo;
                }
                filtro.E(condicao, parametros);
            }
            if (!lstrNome.trimmed().isEmpty()) {
                const Dialeto::Subconsulta contem = nomes(lstrNome);
                filtro.E(contem.Sql, contem.Parametros);
            }
            if (ldouCodigo != 0) {
                const auto codigo = CodigoDoDouble(ldouCodigo);
                filtro.E(QStringLiteral("Codigo = ?"), {codigo ? *codigo : qint64(-1)});
            }
            return Consultar({CamposDosServicos,
                              QStringLiteral("FROM Servicos WHERE 1 = 1") + filtro.Condicoes,
                              filtro.Parametros, QStringLiteral("NomeNormalizado, Codigo")},
                             lintTamanhoDaPagina);
        });
    }
};

// ---------------------------------------------------------------------------------------------
// ZELT_N_TipoDeServ.clsTiposDeServ
// ---------------------------------------------------------------------------------------------

class clsTiposDeServNoBanco final : public Implementacao<ZELT_N_TipoDeServ::clsTiposDeServ> {
public:
    clsTiposDeServNoBanco() : Implementacao(QStringLiteral("ZELT_N_TipoDeServ, clsTiposDeServ")) {}

    // 0 selects every type; a type number selects that type only. Ordered by number.
    QVariant SelecionarParaComboBox(double& ldouNumero) override {
        return Selecao("SelecionarParaComboBox", [&] {
            Filtro filtro;
            if (ldouNumero != 0) {
                const auto numero = CodigoDoDouble(ldouNumero);
                filtro.E(QStringLiteral("Numero = ?"), {numero ? *numero : qint64(-1)});
            }
            ConsultaPaginavel consulta{
                {{QStringLiteral("Numero"), QStringLiteral("Numero"), TipoDoCampo::Long},
                 {QStringLiteral("Nome"), QStringLiteral("Nome"), TipoDoCampo::Texto}},
                QStringLiteral("FROM TiposDeServicos WHERE 1 = 1") + filtro.Condicoes,
                filtro.Parametros,
                QStringLiteral("Numero")};
            consulta.DeCadastro = true;
            return Consultar(std::move(consulta), 0);
        });
    }
};

// ---------------------------------------------------------------------------------------------
// ZELT_N_Empresa.clsEmpresa
// ---------------------------------------------------------------------------------------------

// The promotion dates come as "DD/MM/YYYY" texts, empty when no promotion is set:
// the record form tells "no promotion" by an empty start date.
const Campos CamposDaEmpresa{
    {QStringLiteral("Codigo"), QStringLiteral("Codigo"), TipoDoCampo::Long},
    {QStringLiteral("NomeFantasia"), QStringLiteral("NomeFantasia"), TipoDoCampo::Texto},
    {QStringLiteral("RazaoSocial"), QStringLiteral("RazaoSocial"), TipoDoCampo::Texto},
    {QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento"),
     QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento"), TipoDoCampo::Long},
    {QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"),
     QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"), TipoDoCampo::SimNao},
    {QStringLiteral("DataInicialDaPromocao"), QStringLiteral("DataInicialDaPromocao"),
     TipoDoCampo::DataEmTexto},
    {QStringLiteral("DataFinalDaPromocao"), QStringLiteral("DataFinalDaPromocao"), TipoDoCampo::DataEmTexto},
    {QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico"),
     QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico"), TipoDoCampo::Moeda},
    {QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto"),
     QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto"), TipoDoCampo::Moeda},
    {QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca"),
     QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca"), TipoDoCampo::Long},
    // The clinic's phone, in the message of a quote sent to a client.
    {QStringLiteral("Telefone"), QStringLiteral("Telefone"), TipoDoCampo::Texto},
};

class clsEmpresaNoBanco final : public Implementacao<ZELT_N_Empresa::clsEmpresa> {
public:
    clsEmpresaNoBanco() : Implementacao(QStringLiteral("ZELT_N_Empresa, clsEmpresa")) {}

    // Every company record (a clinic normally has one), in code order.
    QVariant SelecionarNova(qint32 lintTipo, qint16 lintTamanhoDaPagina, qint32, const QString&) override {
        return Selecao("SelecionarNova", [&] {
            if (lintTipo != 2) ArgumentoDesconhecido(QStringLiteral("O tipo de seleção"), lintTipo);
            ConsultaPaginavel consulta{
                CamposDaEmpresa, QStringLiteral("FROM Empresa"), {}, QStringLiteral("Codigo")};
            consulta.DeCadastro = true;
            return Consultar(std::move(consulta), lintTamanhoDaPagina);
        });
    }

    // (1, 2): the sale settings of the first company, as properties and as a
    // one-row recordset; with no company registered it is done (0) with an empty
    // recordset. Other arguments are rejected (2).
    qint16 Selecionar(qint16 lintTipo, qint16 lintSubtipo) override {
        NomeFantasia.clear();
        FormatoDeCodigoDeBarrasParaBalanca = 0;
        mrstResultado.reset();
        return Estado("Selecionar", [&] {
            if (lintTipo != 1 || lintSubtipo != 2)
                Rejeitar(QString(), QStringLiteral("A seleção %1, %2 da empresa não é conhecida.")
                                        .arg(QString::number(lintTipo), QString::number(lintSubtipo)));
            auto resultado =
                Consultar({{CamposDaEmpresa.at(1), CamposDaEmpresa.at(9)},
                           QStringLiteral("FROM Empresa WHERE Codigo = (SELECT MIN(Codigo) FROM Empresa)"),
                           {},
                           QStringLiteral("Codigo")},
                          0);
            if (resultado->RecordCount() > 0) {
                NomeFantasia = resultado->Fields(QStringLiteral("NomeFantasia")).Value.toString();
                FormatoDeCodigoDeBarrasParaBalanca =
                    resultado->Fields(QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca")).Value.toInt();
            }
            mrstResultado = resultado;
        });
    }
};

} // namespace

std::unique_ptr<QObject> NovoClientes() {
    return std::make_unique<clsClientesNoBanco>();
}
std::unique_ptr<QObject> NovoAnimais() {
    return std::make_unique<clsAnimaisNoBanco>();
}
std::unique_ptr<QObject> NovoProdutos() {
    return std::make_unique<clsProdutosNoBanco>();
}
std::unique_ptr<QObject> NovoServicos() {
    return std::make_unique<clsServicosNoBanco>();
}
std::unique_ptr<QObject> NovoTiposDeServ() {
    return std::make_unique<clsTiposDeServNoBanco>();
}
std::unique_ptr<QObject> NovoEmpresa() {
    return std::make_unique<clsEmpresaNoBanco>();
}

void RegistrarProgIds() {
    Zelt::RegistrarProgId(ProgId::Orcamentos, NovoOrcamentos);
    Zelt::RegistrarProgId(ProgId::OrcItens, NovoOrcItens);
    Zelt::RegistrarProgId(ProgId::Clientes, NovoClientes);
    Zelt::RegistrarProgId(ProgId::Animais, NovoAnimais);
    Zelt::RegistrarProgId(ProgId::Produtos, NovoProdutos);
    Zelt::RegistrarProgId(ProgId::Servicos, NovoServicos);
    Zelt::RegistrarProgId(ProgId::TiposDeServ, NovoTiposDeServ);
    Zelt::RegistrarProgId(ProgId::Empresa, NovoEmpresa);
    Zelt::RegistrarProgId(ProgId::Historico, NovoHistorico);
    Zelt::RegistrarProgId(ProgId::EnviosDeOrcamentos, NovoEnviosDeOrcamentos);
    Zelt::RegistrarProgId(ProgId::EtapasDoOrcamento, NovoEtapasDoOrcamento);
    Zelt::RegistrarProgId(ProgId::RenovacaoDeValidade, NovoRenovacaoDeValidade);
    Zelt::RegistrarProgId(ProgId::AprovacaoDoOrcamento, NovoAprovacaoDoOrcamento);
    Zelt::RegistrarProgId(ProgId::ConfiguracoesDoOrcamento, NovoConfiguracoesDoOrcamento);
    Zelt::RegistrarProgId(ProgId::Acompanhamento, NovoAcompanhamento);
    Zelt::RegistrarProgId(ProgId::TermoDeConsentimento, NovoTermoDeConsentimento);
    Zelt::RegistrarProgId(ProgId::PacotesDeProcedimentos, NovoPacotesDeProcedimentos);
}

} // namespace Objetos
