#include "business/Migracoes.h"

#include "business/AprovacaoDoOrcamento.h"
#include "business/Banco.h"
#include "business/ConfiguracoesDoOrcamento.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/DriverPostgreSQL.h"
#include "business/EtapasDoOrcamento.h"
#include "business/FaixasDeValidade.h"
#include "business/Historico.h"
#include "business/PacotesDeProcedimentos.h"
#include "business/Pesquisa.h"

#include <QStringList>
#include <QUuid>
#include <functional>

namespace Migracoes {
namespace {

// Money and percentages are {INTEIRO} ten-thousandths; dates are ISO texts;
// booleans 0/1. The *Normalizado columns hold Banco::TextoDePesquisa of their
// neighbour, computed when the row is written.
const char* const Versao1[] = {
    R"(CREATE TABLE Empresa (
        Codigo {INTEIRO} PRIMARY KEY,
        NomeFantasia TEXT NOT NULL,
        RazaoSocial TEXT NOT NULL DEFAULT '',
        CNPJ TEXT NOT NULL DEFAULT '',
        InscricaoEstadual TEXT NOT NULL DEFAULT '',
        Logradouro TEXT NOT NULL DEFAULT '',
        Numero TEXT NOT NULL DEFAULT '',
        Complemento TEXT NOT NULL DEFAULT '',
        Bairro TEXT NOT NULL DEFAULT '',
        Cidade TEXT NOT NULL DEFAULT '',
        UF TEXT NOT NULL DEFAULT '',
        CEP TEXT NOT NULL DEFAULT '',
        Telefone TEXT NOT NULL DEFAULT '',
        Email TEXT NOT NULL DEFAULT '',
        QuantidadeDeDiasParaAValidadeDoOrcamento {INTEIRO} NOT NULL DEFAULT 10
            CHECK (QuantidadeDeDiasParaAValidadeDoOrcamento BETWEEN 0 AND 3650),
        PermissaoParaAlterarADataDeValidadeDoOrcamento {INTEIRO} NOT NULL DEFAULT 0
            CHECK (PermissaoParaAlterarADataDeValidadeDoOrcamento IN (0, 1)),
        DataInicialDaPromocao TEXT,
        DataFinalDaPromocao TEXT,
        PercPromocaoDeDescontoNaVendaDeServico {INTEIRO} NOT NULL DEFAULT 0,
        PercPromocaoDeDescontoNaVendaDeProduto {INTEIRO} NOT NULL DEFAULT 0,
        FormatoDeCodigoDeBarrasParaBalanca {INTEIRO} NOT NULL DEFAULT 0
    ))",
    R"(CREATE TABLE Clientes (
        CodigoDoCliente {INTEIRO} PRIMARY KEY,
        ApelidoOuNomeFantasia TEXT NOT NULL,
        NomeOuRazaoSocial TEXT NOT NULL,
        ApelidoNormalizado TEXT NOT NULL,
        NomeNormalizado TEXT NOT NULL,
        CPFOuCNPJ TEXT NOT NULL DEFAULT '',
        Situacao {INTEIRO} NOT NULL DEFAULT 1 CHECK (Situacao IN (1, 2, 3, 4)),
        Logradouro TEXT NOT NULL DEFAULT '',
        Numero TEXT NOT NULL DEFAULT '',
        Complemento TEXT NOT NULL DEFAULT '',
        Bairro TEXT NOT NULL DEFAULT '',
        Cidade TEXT NOT NULL DEFAULT '',
        UF TEXT NOT NULL DEFAULT '',
        CEP TEXT NOT NULL DEFAULT '',
        EnderecoCompleto TEXT NOT NULL DEFAULT '',
        Telefone TEXT NOT NULL DEFAULT '',
        Celular TEXT NOT NULL DEFAULT '',
        Email TEXT NOT NULL DEFAULT '',
        TiposECanaisDeComunicacao TEXT NOT NULL DEFAULT '',
        Credito {INTEIRO} NOT NULL DEFAULT 0,
        VIP {INTEIRO} NOT NULL DEFAULT 0 CHECK (VIP IN (0, 1)),
        CategoriaDaCurvaABC TEXT NOT NULL DEFAULT 'C' CHECK (CategoriaDaCurvaABC IN ('A', 'B', 'C')),
        DescontoUnico {INTEIRO} NOT NULL DEFAULT 0 CHECK (DescontoUnico IN (0, 1)),
        PercentualUnicoDeDescontos {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmClinicos {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmCirurgiaSimples {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmCirurgiaMedia {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmCirurgiaComplexa {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmBanhosTosasEEsteticas {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmHospedagens {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmAdestramentos {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeDescontoEmOutros {INTEIRO} NOT NULL DEFAULT 0
    ))",
    "CREATE INDEX Clientes_Apelido ON Clientes (ApelidoNormalizado)",
    R"(CREATE TABLE Animais (
        Codigo {INTEIRO} PRIMARY KEY,
        CodigoDoCliente {INTEIRO} NOT NULL REFERENCES Clientes (CodigoDoCliente),
        Nome TEXT NOT NULL,
        Especie TEXT NOT NULL DEFAULT '',
        Raca TEXT NOT NULL DEFAULT '',
        Sexo TEXT NOT NULL DEFAULT '',
        DataDeNascimento TEXT,
        Situacao {INTEIRO} NOT NULL DEFAULT 1 CHECK (Situacao IN (1, 2))
    ))",
    "CREATE INDEX Animais_Cliente ON Animais (CodigoDoCliente)",
    R"(CREATE TABLE GruposDeProdutos (
        Codigo {CHAVE},
        Nome TEXT NOT NULL UNIQUE
    ))",
    R"(CREATE TABLE SubgruposDeProdutos (
        Codigo {CHAVE},
        CodigoDoGrupo {INTEIRO} NOT NULL REFERENCES GruposDeProdutos (Codigo),
        Nome TEXT NOT NULL,
        UNIQUE (CodigoDoGrupo, Nome)
    ))",
    R"(CREATE TABLE Produtos (
        CodigoInterno {INTEIRO} PRIMARY KEY CHECK (CodigoInterno > 0),
        CodigoDeBarras TEXT UNIQUE,
        Nome TEXT NOT NULL,
        NomeNormalizado TEXT NOT NULL,
        CodigoDoGrupo {INTEIRO} REFERENCES GruposDeProdutos (Codigo),
        CodigoDoSubgrupo {INTEIRO} REFERENCES SubgruposDeProdutos (Codigo),
        ValorDeCusto {INTEIRO} NOT NULL DEFAULT 0,
        UnidadeDeCompra TEXT NOT NULL DEFAULT 'UN',
        UnidadeDeVenda TEXT NOT NULL DEFAULT 'UN',
        ValorDeVenda {INTEIRO} NOT NULL DEFAULT 0,
        PercentualDeComissao {INTEIRO} NOT NULL DEFAULT 0,
        VendidoPorEtiquetaDeBalanca {INTEIRO} NOT NULL DEFAULT 0 CHECK (VendidoPorEtiquetaDeBalanca IN (0, 1)),
        Situacao {INTEIRO} NOT NULL DEFAULT 1 CHECK (Situacao IN (1, 2))
    ))",
    R"(CREATE TABLE TiposDeServicos (
        Numero {INTEIRO} PRIMARY KEY,
        Nome TEXT NOT NULL
    ))",
    R"(CREATE TABLE Servicos (
        Codigo {INTEIRO} PRIMARY KEY CHECK (Codigo > 0),
        Nome TEXT NOT NULL,
        NomeNormalizado TEXT NOT NULL,
        Descricao TEXT NOT NULL DEFAULT '',
        NumeroDoTipoDeServico {INTEIRO} NOT NULL REFERENCES TiposDeServicos (Numero),
        Custo {INTEIRO} NOT NULL DEFAULT 0,
        ValorDeVenda {INTEIRO} NOT NULL DEFAULT 0,
        Situacao {INTEIRO} NOT NULL DEFAULT 1 CHECK (Situacao IN (1, 2))
    ))",
    "CREATE INDEX Servicos_Tipo ON Servicos (NumeroDoTipoDeServico)",
    R"(CREATE TABLE Orcamentos (
        NumeroDoOrcamento {CHAVE},
        DataDoOrcamento TEXT NOT NULL,
        CodigoDoCliente {INTEIRO} NOT NULL REFERENCES Clientes (CodigoDoCliente),
        CodigoDoAnimal {INTEIRO} REFERENCES Animais (Codigo),
        ValorTotal {INTEIRO} NOT NULL,
        DescontoEmPercentual {INTEIRO} NOT NULL,
        DescontoEmValor {INTEIRO} NOT NULL,
        ValorLiquido {INTEIRO} NOT NULL,
        DataDeValidadeDoOrcamento TEXT NOT NULL,
        Situacao {INTEIRO} NOT NULL DEFAULT 1 CHECK (Situacao IN (1, 2)),
        UltimoNumeroDeItem {INTEIRO} NOT NULL DEFAULT 0,
        DataEHoraDaInclusao TEXT NOT NULL,
        UsuarioDaInclusao TEXT NOT NULL,
        DataEHoraDaAlteracao TEXT,
        UsuarioDaAlteracao TEXT
    ))",
    "CREATE INDEX Orcamentos_Data ON Orcamentos (DataDoOrcamento)",
    "CREATE INDEX Orcamentos_Cliente ON Orcamentos (CodigoDoCliente)",
    "CREATE INDEX Orcamentos_Situacao ON Orcamentos (Situacao, NumeroDoOrcamento)",
    R"(CREATE TABLE ItensDeOrcamento (
        NumeroDoOrcamento {INTEIRO} NOT NULL REFERENCES Orcamentos (NumeroDoOrcamento) ON DELETE CASCADE,
        NumeroDoItemDoOrcamento {INTEIRO} NOT NULL,
        TipoDeLancamento {INTEIRO} NOT NULL CHECK (TipoDeLancamento IN (1, 2)),
        NumeroDoTipoDeServico {INTEIRO} REFERENCES TiposDeServicos (Numero),
        CodigoDoServico {INTEIRO} REFERENCES Servicos (Codigo),
        CodigoInternoDoProduto {INTEIRO} REFERENCES Produtos (CodigoInterno),
        CodigoDeBarrasDoProduto TEXT NOT NULL DEFAULT '',
        NomeDoServicoOuProduto TEXT NOT NULL,
        CodigoDoAnimal {INTEIRO} REFERENCES Animais (Codigo),
        Quantidade {INTEIRO} NOT NULL,
        ValorUnitario {INTEIRO} NOT NULL,
        DescontoEmPercentual {INTEIRO} NOT NULL,
        DescontoEmValor {INTEIRO} NOT NULL,
        ValorTotal {INTEIRO} NOT NULL,
        Custo {INTEIRO} NOT NULL,
        TipoDeVenda {INTEIRO} NOT NULL DEFAULT 1,
        Situacao {INTEIRO} NOT NULL DEFAULT 1,
        DataEHoraDaInclusao TEXT NOT NULL,
        UsuarioDaInclusao TEXT NOT NULL,
        DataEHoraDaAlteracao TEXT,
        UsuarioDaAlteracao TEXT,
        PRIMARY KEY (NumeroDoOrcamento, NumeroDoItemDoOrcamento),
        CHECK ((TipoDeLancamento = 1 AND CodigoDoServico IS NOT NULL)
            OR (TipoDeLancamento = 2 AND CodigoInternoDoProduto IS NOT NULL))
    ))",
    // The service types are fixed numbers the forms rely on; a clinic may rename them.
    R"(INSERT INTO TiposDeServicos (Numero, Nome) VALUES
        (1, 'Clínicos'), (2, 'Cirurgia simples'), (3, 'Cirurgia média'), (4, 'Cirurgia complexa'),
        (5, 'Banhos, tosas e estéticas'), (6, 'Hospedagens'), (7, 'Adestramentos'), (99, 'Outros'))",
};

// What the search indexes need first (PostgreSQL's pg_trgm). Creating the extension
// needs a right the database's user may lack: then the searches stay correct,
// unindexed, the schema still moves on, and the answer is false.
bool CriarExtensaoDePesquisa(const Dialeto& dialeto) {
    const QStringList extensao = dialeto.ExtensaoDePesquisa();
    if (extensao.isEmpty()) return true;
    Banco::Executar(QStringLiteral("SAVEPOINT ExtensaoDePesquisa"));
    try {
        Banco::ExecutarTodos(extensao);
    } catch (const Banco::FalhaDeBanco& falha) {
        // Without the right to create it (42501) PostgreSQL answers as to a read-only user.
        if (falha.Natureza() != Dialeto::Natureza::Comum &&
            falha.Natureza() != Dialeto::Natureza::SomenteLeitura)
            throw;
        Banco::Executar(QStringLiteral("ROLLBACK TO SAVEPOINT ExtensaoDePesquisa"));
        return false;
    }
    return true;
}

// Version 2: the indexes that make "contains" searches on the normalised names fast,
// where the database has them (Dialeto::IndicesDePesquisa).
void Versao2(const Dialeto& dialeto) {
    if (!CriarExtensaoDePesquisa(dialeto)) return;
    for (const auto& [tabela, coluna] :
         {std::pair{"Clientes", "ApelidoNormalizado"}, std::pair{"Clientes", "NomeNormalizado"},
          std::pair{"Produtos", "NomeNormalizado"}, std::pair{"Servicos", "NomeNormalizado"}}) {
        const QString comando =
            dialeto.IndiceDePesquisa(QString::fromLatin1(tabela), QString::fromLatin1(coluna));
        if (!comando.isEmpty()) Banco::Executar(comando);
    }
}

// Version 3: the search indexes of Pesquisa on both databases, filled with the rows
// already stored: on SQLite the FTS5 trigram tables and their triggers, on PostgreSQL
// the trigram indexes version 2 lacks (the quote and client numbers as text). A large
// database takes some seconds, once.
void Versao3(const Dialeto& dialeto) {
    if (!CriarExtensaoDePesquisa(dialeto)) return;
    QStringList comandos;
    for (const Dialeto::TabelaPesquisavel& tabela : Pesquisa::Todas())
        comandos << dialeto.CriarIndiceDePesquisa(tabela);
    Banco::ExecutarTodos(comandos);
}

// Versions 5 and 8: the exact quotes kept by triggers (ContagemDeOrcamentos), per
// situation since 5, also per day and per client since 8, filled from a recount of the
// quotes already stored.
void Contagem(const Dialeto&) {
    Banco::ExecutarTodos(ContagemDeOrcamentos::CriarContagem());
}

// Version 9, PostgreSQL only: the per-client counters beside the clients' searched
// texts (ContagemDeOrcamentos), and the quotes' index by client holding their numbers
// too, so that a search's quotes are found in the index alone. SQLite's secondary
// indexes already hold the row's key, and its search reads an FTS5 index.
void ContagemComOsClientes(const Dialeto& dialeto) {
    if (dialeto.EhSQLite()) return;
    Banco::Executar(QStringLiteral("DROP INDEX IF EXISTS Orcamentos_Cliente"));
    Banco::Executar(
        QStringLiteral("CREATE INDEX Orcamentos_Cliente ON Orcamentos (CodigoDoCliente, NumeroDoOrcamento)"));
    Contagem(dialeto);
}

// Version 6: the quote sheets sent to clients (clsEnviosDeOrcamentos), in a table of
// their own beside the quotes, which a send never changes. "IF NOT EXISTS": a database
// set back to an older version runs it again.
const char* const Versao6[] = {
    R"(CREATE TABLE IF NOT EXISTS EnviosDeOrcamentos (
        NumeroDoEnvio {CHAVE},
        NumeroDoOrcamento {INTEIRO} NOT NULL REFERENCES Orcamentos (NumeroDoOrcamento) ON DELETE CASCADE,
        DataEHoraDoEnvio TEXT NOT NULL,
        UsuarioDoEnvio TEXT NOT NULL,
        Canal TEXT NOT NULL CHECK (Canal IN ('e-mail', 'WhatsApp')),
        Destino TEXT NOT NULL DEFAULT ''
    ))",
    "CREATE INDEX IF NOT EXISTS EnviosDeOrcamentos_Orcamento ON EnviosDeOrcamentos (NumeroDoOrcamento, "
    "NumeroDoEnvio)",
};

// Version 10: the database's own random key, written once (business/Negocio.h,
// IdentidadeDoBanco). "IF NOT EXISTS" and "only when empty": a database set back to an
// older version keeps the key it had, and with it its recovery copies.
void Identidade(const Dialeto& dialeto) {
    Banco::Executar(
        dialeto.Ddl(QStringLiteral("CREATE TABLE IF NOT EXISTS IdentidadeDoBanco (Chave TEXT NOT NULL)")));
    Banco::Executar(QStringLiteral("INSERT INTO IdentidadeDoBanco (Chave) SELECT ? WHERE NOT EXISTS "
                                   "(SELECT 1 FROM IdentidadeDoBanco)"),
                    {QUuid::createUuid().toString(QUuid::WithoutBraces)});
}

// Version 17: on PostgreSQL, the registry tables whose reads a connection keeps announce
// each change on DriverPostgreSQL::CanalDosCadastros (delivered at the writer's COMMIT),
// whoever writes them: this program, the suite's other components, or a tool.
void AnunciosDosCadastros(const Dialeto& dialeto) {
    if (dialeto.EhSQLite()) return;
    QStringList comandos{
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION AnunciarCadastroAlterado() RETURNS trigger LANGUAGE plpgsql AS "
            "$$ BEGIN PERFORM pg_notify('%1', TG_TABLE_NAME); RETURN NULL; END $$")
            .arg(DriverPostgreSQL::CanalDosCadastros)};
    for (const QString& tabela : {QStringLiteral("Empresa"), QStringLiteral("TiposDeServicos")})
        comandos << QStringLiteral("DROP TRIGGER IF EXISTS %1_Anunciar ON %1").arg(tabela)
                 << QStringLiteral(
                        "CREATE TRIGGER %1_Anunciar AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON %1 "
                        "FOR EACH STATEMENT EXECUTE FUNCTION AnunciarCadastroAlterado()")
                        .arg(tabela);
    // Held and sent with the migration's next statement (the version's row): a new
    // database costs no round trip more for them.
    for (const QString& comando : std::as_const(comandos))
        Banco::ExecutarComOProximo(comando, {});
}

struct Migracao {
    int Versao;
    QStringList Comandos;                         // DDL with Dialeto::Ddl's tokens
    std::function<void(const Dialeto&)> Programa; // what plain DDL cannot say
};

QList<Migracao> Todas() {
    QList<Migracao> lista;
    Migracao v1{1, {}, {}};
    for (const char* comando : Versao1)
        v1.Comandos << QString::fromUtf8(comando);
    lista << v1;
    lista << Migracao{2, {}, Versao2};
    lista << Migracao{3, {}, Versao3};
    // Version 4: the quotes' history (business/Historico.h).
    lista << Migracao{
        4, {}, [](const Dialeto& d) { Historico::CriarEsquema(d, CriarExtensaoDePesquisa(d)); }};
    lista << Migracao{5, {}, Contagem};
    Migracao v6{6, {}, {}};
    for (const char* comando : Versao6)
        v6.Comandos << QString::fromUtf8(comando);
    lista << v6;
    // Version 7: the history's copies compacted (business/Historico.h).
    lista << Migracao{7, {}, Historico::CompactarCopias};
    lista << Migracao{8, {}, Contagem};
    lista << Migracao{9, {}, ContagemComOsClientes};
    lista << Migracao{10, {}, Identidade};
    // Version 11: the quotes' stages, the sent ones marked "Enviado" (business/EtapasDoOrcamento.h).
    lista << Migracao{11, {}, EtapasDoOrcamento::CriarEsquema};
    // Version 12: the company's quote settings (business/ConfiguracoesDoOrcamento.h).
    lista << Migracao{12, {}, ConfiguracoesDoOrcamento::CriarEsquema};
    // Version 13: the approvals and the payments (business/AprovacaoDoOrcamento.h).
    lista << Migracao{13, {}, AprovacaoDoOrcamento::CriarEsquema};
    // Version 14: the follow-up window's counters, filled from the quotes already stored
    // (business/ContagemDeOrcamentos.h).
    lista << Migracao{14, {}, [](const Dialeto&) {
                          for (const QString& comando : ContagemDeOrcamentos::CriarContagemDoAcompanhamento())
                              Banco::ExecutarComOProximo(comando, {});
                      }};
    // Version 15: the procedure packages, the quotes' weights and items "se necessário"
    // (business/PacotesDeProcedimentos.h).
    lista << Migracao{15, {}, PacotesDeProcedimentos::CriarEsquema};
    // Version 16: the approved range's low end (business/AprovacaoDoOrcamento.h).
    lista << Migracao{16, {}, AprovacaoDoOrcamento::GuardarValorMinimo};
    lista << Migracao{17, {}, AnunciosDosCadastros};
    // Version 18: the follow-up's counters by validity date, for the counts of the quotes
    // not answered around today (EtapasDoOrcamento::NaoRespondidosValidosEntre): the
    // list's filters by validity and the follow-up's sections read a few counter rows.
    lista << Migracao{
        18, {}, [](const Dialeto&) {
            Banco::ExecutarComOProximo(
                QStringLiteral("CREATE INDEX IF NOT EXISTS ContagemDoAcompanhamento_Validade ON "
                               "ContagemDoAcompanhamento (Validade, Etapa)"),
                {});
        }};
    // Version 19: the stages' and the sends' dates, for the quotes contacted in the last
    // days (the follow-up's section of those sent without an answer).
    lista << Migracao{
        19, {}, [](const Dialeto&) {
            Banco::ExecutarComOProximo(QStringLiteral("CREATE INDEX IF NOT EXISTS EtapasDoOrcamento_Data ON "
                                                      "EtapasDoOrcamento (DataEHoraDaEtapa)"),
                                       {});
            Banco::ExecutarComOProximo(QStringLiteral("CREATE INDEX IF NOT EXISTS EnviosDeOrcamentos_Data ON "
                                                      "EnviosDeOrcamentos (DataEHoraDoEnvio)"),
                                       {});
        }};
    // Version 20: the numbers' ranges with their earliest validity, the bound of the
    // filter "Vencidos" (business/FaixasDeValidade.h).
    lista << Migracao{20, {}, FaixasDeValidade::CriarEsquema};
    return lista;
}

int VersaoGravada() {
    const QVariant versao = Banco::Valor(QStringLiteral("SELECT MAX(Versao) FROM VersaoDoEsquema"));
    return versao.isNull() ? 0 : versao.toInt();
}

// The tables and views of the database; the version table marks this program's schema.
QStringList Tabelas() {
    QStringList tabelas;
    QSqlQuery q = Banco::Executar(Banco::DialetoAtual().ConsultaDasTabelas());
    while (q.next())
        tabelas << q.value(0).toString();
    return tabelas;
}

bool TemEsquema(const QStringList& tabelas) {
    return tabelas.contains(QStringLiteral("VersaoDoEsquema"), Qt::CaseInsensitive);
}

void RecusarVersaoMaisNova(int versao) {
    if (versao > VersaoMaisRecente())
        Banco::Falhar(
            QStringLiteral("O banco de dados está na versão %1 do esquema, mais nova que a versão %2 "
                           "que este programa conhece. Atualize o programa.")
                .arg(QString::number(versao), QString::number(VersaoMaisRecente())));
}

} // namespace

QStringList TabelasDeOutroPrograma() {
    const QStringList tabelas = Tabelas();
    return TemEsquema(tabelas) ? QStringList() : tabelas;
}

void ExperimentarGravacao() {
    Banco::UnidadeDeTrabalho unidade;
    QStringList comandos{QStringLiteral("UPDATE VersaoDoEsquema SET Versao = Versao")};
    for (const QString& tabela : {QStringLiteral("Orcamentos"), QStringLiteral("ItensDeOrcamento")})
        comandos << QStringLiteral("INSERT INTO %1 SELECT * FROM %1 WHERE 1 = 0").arg(tabela)
                 << QStringLiteral("UPDATE %1 SET Situacao = Situacao WHERE 1 = 0").arg(tabela)
                 << QStringLiteral("DELETE FROM %1 WHERE 1 = 0").arg(tabela);
    Banco::ExecutarTodos(comandos);
    // Never confirmed: the unit's end undoes it.
}

int VersaoMaisRecente() {
    return Todas().constLast().Versao;
}

namespace {

// Under the migration lock (another process starting at the same moment waits, then
// finds the work done), in the open transaction: the versions of the list above the
// stored one, each one's DDL in one message. Answers the version that was stored.
int AplicarVersoes(const Dialeto& dialeto, const QList<Migracao>& versoes) {
    if (!dialeto.BloqueioDeMigracao().isEmpty()) Banco::Executar(dialeto.BloqueioDeMigracao());
    Banco::Executar(dialeto.Ddl(
        QStringLiteral("CREATE TABLE IF NOT EXISTS VersaoDoEsquema (Versao {INTEIRO} NOT NULL)")));
    const int gravada = VersaoGravada();
    int aplicada = gravada;
    for (const Migracao& migracao : versoes) {
        if (migracao.Versao <= gravada) continue;
        QStringList comandos;
        for (const QString& comando : migracao.Comandos)
            comandos << dialeto.Ddl(comando);
        Banco::ExecutarTodos(comandos);
        if (migracao.Programa) migracao.Programa(dialeto);
        aplicada = migracao.Versao;
    }
    if (aplicada != gravada) {
        Banco::Executar(QStringLiteral("DELETE FROM VersaoDoEsquema"));
        Banco::Executar(QStringLiteral("INSERT INTO VersaoDoEsquema (Versao) VALUES (?)"), {aplicada});
    }
    return gravada;
}

} // namespace

int Migrar() {
    const Dialeto dialeto = Banco::DialetoAtual();
    const QList<Migracao> todas = Todas();
    // A database at this version (or a newer one) needs no lock and no DDL, which a user
    // allowed to change rows but not the schema may not run.
    if (TemEsquema(Tabelas())) {
        const int versao = VersaoGravada();
        RecusarVersaoMaisNova(versao);
        if (versao == VersaoMaisRecente()) return versao;
    } else {
        // A new database is made in one transaction, every version at once: a server far
        // away pays a round trip for each statement, and a first start that fails leaves
        // the database as empty as it was.
        Banco::UnidadeDeTrabalho unidade;
        const int versao = AplicarVersoes(dialeto, todas);
        RecusarVersaoMaisNova(versao);
        unidade.Confirmar();
        return versao;
    }
    // An older schema moves a version a transaction: a long migration that fails keeps
    // the versions it reached.
    int versaoAnterior = -1;
    for (const Migracao& migracao : todas) {
        Banco::UnidadeDeTrabalho unidade;
        const int versao = AplicarVersoes(dialeto, {migracao});
        if (versaoAnterior < 0) versaoAnterior = versao;
        unidade.Confirmar();
    }
    RecusarVersaoMaisNova(versaoAnterior);
    return versaoAnterior;
}

} // namespace Migracoes
