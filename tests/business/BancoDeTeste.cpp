#include "tests/business/BancoDeTeste.h"
#include "tests/Linha.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Negocio.h"
#include "business/Relogio.h"
#include "contracts/CriarObjeto.h"
#include "contracts/DadosDoUsuario.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace BancoDeTeste {

using VB::Currency;

QSqlDatabase ConexaoPostgreSQL(const QString& url, const QString& nome) {
    const QUrl u(url);
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, nome);
    db.setHostName(u.host());
    db.setPort(u.port(5432));
    db.setUserName(u.userName());
    db.setPassword(u.password());
    db.setDatabaseName(u.path().mid(1));
    return db;
}

bool ExecutarEm(const QString& url, const QString& sql, QString& erro) {
    const QString nome = u"zelt_teste_administracao"_s;
    bool ok = false;
    {
        QSqlDatabase db = ConexaoPostgreSQL(url, nome);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(u"SET client_min_messages = warning"_s); // no notice per dropped table
            ok = q.exec(sql);
            if (!ok) erro = q.lastError().text();
        } else {
            erro = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
    return ok;
}

namespace {

// This executable's own database on the server of ZELT_TESTE_PG_URL: the named
// database's name followed by the executable's ("zelt_teste_tst_negocio_orcamentos").
QString UrlDoExecutavel(const QString& urlBase) {
    QUrl url(urlBase);
    QString proprio = QCoreApplication::applicationName().toLower();
    proprio.replace(QRegularExpression(u"[^a-z0-9_]"_s), u"_"_s);
    url.setPath(url.path() + u'_' + proprio);
    return url.toString();
}

// Creates the executable's database once, then empties it for every test function:
// the tests own it entirely.
bool PrepararPostgreSQL(const QString& urlBase, const QString& url) {
    static bool criado = false;
    QString erro;
    if (!criado) {
        const QString nome = QUrl(url).path().mid(1);
        ExecutarEm(urlBase, u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(nome), erro);
        if (!ExecutarEm(urlBase, u"CREATE DATABASE %1"_s.arg(nome), erro)) {
            qWarning() << erro;
            return false;
        }
        criado = true;
    }
    if (!ExecutarEm(url, u"DROP SCHEMA public CASCADE; CREATE SCHEMA public"_s, erro)) {
        qWarning() << erro;
        return false;
    }
    return true;
}

} // namespace

void LinhasDosBancos() {
    Colunas<QString, QString>("banco", "url");
    QTest::newRow("sqlite") << u"sqlite"_s << QString();
    const QString url = qEnvironmentVariable("ZELT_TESTE_PG_URL");
    if (!url.isEmpty())
        QTest::newRow("postgresql") << u"postgresql"_s << url;
    else if (qEnvironmentVariable("ZELT_EXIGIR_PG") == QLatin1String("1"))
        QFAIL("ZELT_EXIGIR_PG=1 but ZELT_TESTE_PG_URL names no PostgreSQL server: the PostgreSQL run "
              "would be skipped.");
}

Sessao::Sessao(bool dadosDeDemonstracao) {
    QFETCH_GLOBAL(QString, banco);
    QFETCH_GLOBAL(QString, url);
    Negocio::Configuracao configuracao;
    configuracao.CriarDadosDeDemonstracao = dadosDeDemonstracao;
    mbooSQLite = banco == QLatin1String("sqlite");
    if (mbooSQLite) {
        QVERIFY(mpasta.isValid());
        mstrArquivo = mpasta.filePath(u"teste.sqlite"_s);
        configuracao.ArquivoSQLite = mstrArquivo;
    } else {
        mstrUrl = UrlDoExecutavel(url);
        QVERIFY(PrepararPostgreSQL(url, mstrUrl));
        configuracao.UrlPostgreSQL = mstrUrl;
    }
    const VB::ErroDeExecucao erro = ErroDe([&] { Negocio::Iniciar(configuracao); });
    QVERIFY2(erro.Numero() == 0, qPrintable(erro.Descricao()));
}

Negocio::Configuracao Sessao::Configuracao() const {
    Negocio::Configuracao configuracao;
    configuracao.CriarDadosDeDemonstracao = false;
    configuracao.ArquivoSQLite = mstrArquivo; // one of the two is empty
    configuracao.UrlPostgreSQL = mstrUrl;
    return configuracao;
}

QStringList Sessao::ArgumentosDoBanco() const {
    return mbooSQLite ? QStringList{u"--banco"_s, mstrArquivo} : QStringList{u"--url"_s, mstrUrl};
}

std::unique_ptr<QProcess> Sessao::Estacao(const QStringList& argumentos) const {
    auto processo = std::make_unique<QProcess>();
    processo->setProgram(QStringLiteral(ZELT_TESTE_GRAVADOR));
    processo->setArguments(ArgumentosDoBanco() + argumentos);
    processo->start();
    return processo;
}

QByteArray Sessao::DuasEstacoes(const QString& inicio, const QStringList& comandos, double numero) const {
    std::unique_ptr<QProcess> estacoes[2];
    QByteArray saidas;
    for (int i = 0; i < 2; ++i) {
        estacoes[i] = Estacao({u"--inicio"_s, inicio, comandos.value(i), QString::number(numero)});
        QByteArray lido;
        while (!lido.contains("lido") && estacoes[i]->waitForReadyRead(60000))
            lido += estacoes[i]->readAllStandardOutput();
        if (!lido.contains("lido")) return "falha: sem leitura: " + lido;
        saidas += lido;
    }
    QFile(inicio).open(QIODevice::WriteOnly);
    for (auto& estacao : estacoes) {
        const bool terminou = estacao->waitForFinished(60000) && estacao->exitCode() == 0;
        saidas += estacao->readAllStandardOutput();
        if (!terminou) return "falha: " + saidas + estacao->readAllStandardError();
    }
    return saidas;
}

QSqlDatabase Sessao::AbrirOutraConexao(const QString& nome) const {
    QSqlDatabase db;
    if (mbooSQLite) {
        db = QSqlDatabase::addDatabase(u"QSQLITE"_s, nome);
        db.setDatabaseName(mstrArquivo);
    } else {
        db = ConexaoPostgreSQL(mstrUrl, nome);
    }
    if (!db.open()) qWarning() << db.lastError().text();
    return db;
}

void Sessao::FecharConexao(const QString& nome) {
    {
        QSqlDatabase db = QSqlDatabase::database(nome, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
}

Sessao::~Sessao() {
    Negocio::Encerrar();
    Relogio::DefinirParaTestes({});
}

void EscreverCadastroDeTeste() {
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::Empresa empresa;
    empresa.NomeFantasia = u"Clínica Escola"_s;
    empresa.RazaoSocial = u"Clínica Escola Ltda."_s;
    empresa.QuantidadeDeDiasParaAValidadeDoOrcamento = 10;
    empresa.PermissaoParaAlterarADataDeValidadeDoOrcamento = true;
    empresa.FormatoDeCodigoDeBarrasParaBalanca = 2;
    Cadastros::GravarEmpresa(empresa);

    auto cliente = [](qint64 codigo, const char* apelido, const char* nome, int situacao) {
        Cadastros::Cliente c;
        c.CodigoDoCliente = codigo;
        c.ApelidoOuNomeFantasia = QString::fromUtf8(apelido);
        c.NomeOuRazaoSocial = QString::fromUtf8(nome);
        c.Situacao = situacao;
        return c;
    };
    Cadastros::Cliente joao = cliente(1, "João", "João da Silva", 1);
    joao.VIP = true;
    joao.CategoriaDaCurvaABC = u"A"_s;
    joao.DescontoUnico = true;
    joao.PercentualUnicoDeDescontos = Currency::DeInteiro(10);
    joao.Endereco = {u"Rua das Flores"_s, u"120"_s, u"Apto 3"_s,   u"Centro"_s,
                     u"Campinas"_s,       u"SP"_s,  u"13010-000"_s};
    joao.Telefone = u"(19) 3232-1010"_s;
    joao.Email = u"joao@exemplo.com.br"_s;
    joao.Credito = Currency::DeDecimosDeMilesimos(15005000); // 1.500,50
    Cadastros::GravarCliente(joao);
    Cadastros::Cliente maria = cliente(2, "Maria Antônia", "Maria Antônia Gonçalves", 1);
    maria.CategoriaDaCurvaABC = u"B"_s;
    maria.Percentuais[0] = Currency::DeInteiro(5);
    maria.Percentuais[1] = Currency::DeInteiro(8);
    Cadastros::GravarCliente(maria);
    Cadastros::GravarCliente(cliente(3, "Pet Shop 100% Feliz", "Feliz_Comércio Ltda.", 1));
    Cadastros::GravarCliente(cliente(4, "Inativo", "Cliente Inativo", 2));
    Cadastros::GravarCliente(cliente(5, "Bloqueado", "Cliente Bloqueado", 3));
    Cadastros::GravarCliente(cliente(6, "Excluído", "Cliente Excluído", 4));
    Cadastros::GravarCliente(cliente(7, "O'Brien \\ Barra", "Patrick O'Brien", 1));
    Cadastros::GravarCliente(
        cliente(8, "SELECT * FROM Clientes; DROP TABLE Clientes", "Robert'); DROP TABLE Clientes;--", 1));
    Cadastros::GravarCliente(cliente(9, "Zé", "José Sem Animal", 1));

    auto animal = [](qint64 codigo, qint64 dono, const char* nome, int situacao = 1) {
        Cadastros::Animal a;
        a.Codigo = codigo;
        a.CodigoDoCliente = dono;
        a.Nome = QString::fromUtf8(nome);
        a.Situacao = situacao;
        Cadastros::GravarAnimal(a);
    };
    animal(10, 1, "Rex");
    animal(11, 1, "Mel");
    animal(12, 2, "Luna");
    animal(13, 2, "Velho", 2);
    animal(14, 3, "Tom");
    animal(15, 4, "Bidu");
    animal(16, 5, "Fido");
    animal(17, 6, "Nino");

    auto produto = [](qint64 codigo, const char* barras, const char* nome, double custo, double venda,
                      bool balanca = false, int situacao = 1) {
        Cadastros::Produto p;
        p.CodigoInterno = codigo;
        p.CodigoDeBarras = QString::fromUtf8(barras);
        p.Nome = QString::fromUtf8(nome);
        p.NomeDoGrupo = u"Rações"_s;
        p.NomeDoSubgrupo = balanca ? u"A granel"_s : u"Cães"_s;
        p.ValorDeCusto = Currency::DeDouble(custo);
        p.ValorDeVenda = Currency::DeDouble(venda);
        p.UnidadeDeVenda = balanca ? u"KG"_s : u"SC"_s;
        p.PercentualDeComissao = Currency::DeInteiro(3);
        p.VendidoPorEtiquetaDeBalanca = balanca;
        p.Situacao = situacao;
        Cadastros::GravarProduto(p);
    };
    produto(100, "7891234567895", "Ração Cães 15 kg", 145, 219.9);
    produto(123, "", "Ração a granel (kg)", 9.2, 16.9, true);
    produto(200, "7890000000017", "Shampoo 50% neutro", 12.3, 24.9);
    produto(300, "7890000000024", "Coleira antiga", 5, 10, false, 2);

    auto servico = [](qint64 codigo, int tipo, const char* nome, double custo, double venda,
                      int situacao = 1) {
        Cadastros::Servico s;
        s.Codigo = codigo;
        s.NumeroDoTipoDeServico = tipo;
        s.Nome = QString::fromUtf8(nome);
        s.Descricao = u"Descrição de "_s + s.Nome;
        s.Custo = Currency::DeDouble(custo);
        s.ValorDeVenda = Currency::DeDouble(venda);
        s.Situacao = situacao;
        Cadastros::GravarServico(s);
    };
    servico(1, 1, "Consulta clínica", 48, 120);
    servico(2, 1, "Vacina V10", 36, 90);
    servico(3, 2, "Castração de gato", 140, 350);
    servico(4, 5, "Banho pequeno porte", 18, 45);
    servico(5, 1, "Consulta antiga", 10, 20, 2);
    unidade.Confirmar();
}

GradeEmMemoria::GradeEmMemoria() {
    QStringList titulos(GradeDeItens::QuantidadeDeColunas);
    titulos[GradeDeItens::ColunaEmBranco] = u"Coluna em branco"_s;
    titulos[GradeDeItens::NomeDoServicoOuProduto] = u"Serviço ou Produto"_s;
    mlinhas << titulos;
}

void GradeEmMemoria::AdicionarItem(int lancamento, const QString& tipoOuCodigoDeBarras, int codigo,
                                   const QString& nome, int animal, const QString& quantidade,
                                   const QString& unitario, const QString& percentual,
                                   const QString& desconto, const QString& total, const QString& custo,
                                   const QString& numeroDoItem) {
    using namespace GradeDeItens;
    AdicionarLinhaEmBranco();
    QStringList& linha = mlinhas.last();
    linha[TipoDeServicoOuCodigoDeBarras] = tipoOuCodigoDeBarras;
    linha[CodigoDoServicoOuProduto] = QString::number(codigo);
    linha[NomeDoServicoOuProduto] = nome;
    linha[CodigoDoAnimal] = QString::number(animal);
    linha[NomeDoAnimal] = u"animal"_s;
    linha[Quantidade] = quantidade;
    linha[ValorUnitario] = unitario;
    linha[PercentualDeDesconto] = percentual;
    linha[ValorDeDesconto] = desconto;
    linha[ValorTotal] = total;
    linha[Custo] = custo;
    linha[NumeroDoItem] = numeroDoItem;
    linha[TipoDeVenda] = u"1"_s;
    linha[TipoDeLancamento] = QString::number(lancamento);
    linha[CodigoDaSituacao] = u"1"_s;
}

void GradeEmMemoria::AdicionarServico(int tipo, int codigo, int animal, const QString& quantidade,
                                      const QString& unitario, const QString& percentual,
                                      const QString& desconto, const QString& total, const QString& custo,
                                      const QString& numeroDoItem) {
    AdicionarItem(GradeDeItens::LancamentoDeServico, QString::number(tipo), codigo, u"serviço"_s, animal,
                  quantidade, unitario, percentual, desconto, total, custo, numeroDoItem);
}

void GradeEmMemoria::AdicionarProduto(const QString& codigoDeBarras, int codigoInterno, int animal,
                                      const QString& quantidade, const QString& unitario,
                                      const QString& percentual, const QString& desconto,
                                      const QString& total, const QString& custo,
                                      const QString& numeroDoItem) {
    AdicionarItem(GradeDeItens::LancamentoDeProduto, codigoDeBarras, codigoInterno, u"produto"_s, animal,
                  quantidade, unitario, percentual, desconto, total, custo, numeroDoItem);
}

GradeEmMemoria GradeEmMemoria::DaSelecao(Recordset& itens) {
    using namespace GradeDeItens;
    auto texto = [&](const QString& campo) {
        const QVariant valor = itens.Fields(campo).Value;
        return VB::IsNull(valor) ? QString() : VB::CStr(valor);
    };
    // The field of the selection each column is loaded from, the columns in order from
    // TipoDeServicoOuCodigoDeBarras on ("-": not loaded from a field of its own).
    const QStringList campos =
        u"NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto CodigoDoServicoOuCodigoInternoDoProduto - "
        "CodigoDoAnimal NomeDoAnimal Quantidade ValorUnitario DescontoEmPercentual DescontoEmValor "
        "ValorTotal Custo NumeroDoItemDoOrcamento TipoDeVenda TipoDeLancamento Situacao - "
        "DataEHoraDaInclusao UsuarioDaInclusao DataEHoraDaAlteracao UsuarioDaAlteracao"_s.split(u' ');
    GradeEmMemoria grade;
    if (itens.RecordCount() == 0) return grade;
    itens.MoveFirst();
    while (!itens.Eof()) {
        grade.AdicionarLinhaEmBranco();
        QStringList& linha = grade.mlinhas.last();
        for (int coluna = TipoDeServicoOuCodigoDeBarras; coluna < QuantidadeDeColunas; ++coluna)
            if (const QString& campo = campos[coluna - TipoDeServicoOuCodigoDeBarras]; campo != u"-"_s)
                linha[coluna] = texto(campo);
        const bool servico = linha[TipoDeLancamento] == QString::number(LancamentoDeServico);
        linha[NomeDoServicoOuProduto] = texto(servico ? u"NomeDoServico"_s : u"NomeDoProduto"_s);
        itens.MoveNext();
    }
    return grade;
}

GradeEmMemoria GradeEmMemoria::DoOrcamento(double numero) {
    auto itens = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcItens>(ProgId::OrcItens);
    qint16 tamanho = 10;
    if (VB::CBool(itens->Selecionar(1, tamanho, 0, numero))) {
        QTest::qFail(qPrintable(itens->ObservacaoDoErro), __FILE__, __LINE__);
        return {};
    }
    return DaSelecao(*itens->ResultadoDaSelecaoEmRecordSet());
}

qint64 Numero(const QString& sql, const QVariantList& parametros) {
    return Banco::Valor(sql, parametros).toLongLong();
}

qint64 Numero(const char* sql, const QVariantList& parametros) {
    return Numero(QString::fromUtf8(sql), parametros);
}

QString Consulta(const char* sql, const QVariantList& parametros) {
    return Banco::Valor(QString::fromUtf8(sql), parametros).toString();
}

QString UltimaEntrada(double numero) {
    return Consulta("SELECT Operacao FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ? ORDER BY "
                    "NumeroDoRegistro DESC LIMIT 1",
                    {numero});
}

QList<qint64> Inteiros(const QString& sql, const QVariantList& parametros) {
    QList<qint64> valores;
    QSqlQuery q = Banco::Executar(sql, parametros);
    while (q.next())
        valores << q.value(0).toLongLong();
    return valores;
}

QByteArray LerArquivo(const QString& caminho) {
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

bool EscreverArquivo(const QString& caminho, const QByteArray& conteudo) {
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           arquivo.write(conteudo) == conteudo.size() && arquivo.flush();
}

void InserirOrcamentos(int n) {
    GravacaoDeOrcamentos::Cabecalho c;
    c.DataDoOrcamento = QDate(2026, 1, 10);
    c.CodigoDoCliente = 1;
    c.CodigoDoAnimal = 10;
    c.ValorTotal = c.ValorLiquido = VB::Currency::DeInteiro(10);
    c.DataDeValidadeDoOrcamento = QDate(2026, 1, 20);
    c.DataEHoraDaInclusao = QDateTime(QDate(2026, 1, 10), QTime(8, 0));
    c.UsuarioDaInclusao = u"ANA"_s;
    for (int i = 0; i < n; ++i)
        GravacaoDeOrcamentos::InserirOrcamento(c, {});
}

void EscreverOrcamentos(int n, int quinto) {
    Banco::UnidadeDeTrabalho unidade;
    InserirOrcamentos(n);
    if (quinto > 0)
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento % ? = 0"_s, {quinto});
    unidade.Confirmar();
}

QStringList Textos(const QString& sql, const QVariantList& parametros) {
    QStringList textos;
    QSqlQuery q = Banco::Executar(sql, parametros);
    while (q.next())
        textos << q.value(0).toString();
    return textos;
}

QHash<qint64, qint64> OrcamentosInteiros() {
    // The headers and the items as of one moment: a workstation killed a moment ago may
    // still have its last COMMIT running on the server, between two readings.
    Banco::Executar(Banco::DialetoAtual().EhSQLite() ? u"BEGIN"_s
                                                     : u"BEGIN ISOLATION LEVEL REPEATABLE READ"_s);
    struct Fim {
        ~Fim() { QSqlQuery(Banco::Conexao()).exec(u"COMMIT"_s); }
    } fim;
    QHash<qint64, qint64> itensPorOrcamento;
    QHash<qint64, std::array<Currency, 3>> cabecalhos;
    QHash<qint64, qint64> ultimos;
    QSqlQuery q = Banco::Executar(u"SELECT NumeroDoOrcamento, ValorTotal, DescontoEmValor, "
                                  "ValorLiquido, UltimoNumeroDeItem FROM Orcamentos"_s);
    const auto moeda = [&q](const char* coluna) { return Banco::MoedaDe(Banco::Coluna(q, coluna)); };
    while (q.next()) {
        const qint64 numero = Banco::Coluna(q, "NumeroDoOrcamento").toLongLong();
        cabecalhos.insert(numero, {moeda("ValorTotal"), moeda("DescontoEmValor"), moeda("ValorLiquido")});
        ultimos.insert(numero, Banco::Coluna(q, "UltimoNumeroDeItem").toLongLong());
        itensPorOrcamento.insert(numero, 0);
    }
    QHash<qint64, std::array<Currency, 3>> somas;
    QHash<qint64, QList<qint64>> numerosDosItens;
    q = Banco::Executar(
        u"SELECT NumeroDoOrcamento, NumeroDoItemDoOrcamento, Quantidade, ValorUnitario, DescontoEmValor, "
        "ValorTotal FROM ItensDeOrcamento ORDER BY NumeroDoOrcamento, NumeroDoItemDoOrcamento"_s);
    while (q.next()) {
        const qint64 numero = Banco::Coluna(q, "NumeroDoOrcamento").toLongLong();
        auto& s = somas[numero];
        const Currency bruto = moeda("Quantidade") * moeda("ValorUnitario");
        if (moeda("ValorTotal") != bruto - moeda("DescontoEmValor")) {
            qWarning() << "an item of quote" << numero << "is not its own arithmetic";
            return {};
        }
        s[0] += bruto;
        s[1] += moeda("DescontoEmValor");
        s[2] += moeda("ValorTotal");
        numerosDosItens[numero] << Banco::Coluna(q, "NumeroDoItemDoOrcamento").toLongLong();
    }
    for (auto c = cabecalhos.cbegin(); c != cabecalhos.cend(); ++c) {
        const qint64 numero = c.key();
        const QList<qint64> itens = numerosDosItens.value(numero);
        QList<qint64> esperados;
        for (qint64 i = 1; i <= ultimos.value(numero); ++i)
            esperados << i;
        if (itens != esperados || itens.isEmpty()) {
            qWarning() << "quote" << numero << "has items" << itens << "expected" << esperados;
            return {};
        }
        if (somas.value(numero) != c.value()) {
            qWarning() << "quote" << numero << "totals differ from its items' sums";
            return {};
        }
        itensPorOrcamento[numero] = itens.size();
    }
    if (numerosDosItens.size() > cabecalhos.size()) {
        qWarning() << "items without their quote";
        return {};
    }
    return itensPorOrcamento;
}

std::unique_ptr<QObject> Usuario(const QString& nome, bool administrador) {
    auto usuario = std::make_unique<clsDadosDoUsuario>();
    usuario->NomeDoUsuario = nome;
    usuario->Administrador = administrador;
    return usuario;
}

std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> Orcamento(GradeEmMemoria& grade, QObject* usuario,
                                                            const QString& totais, double numero) {
    auto orcamento = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
    if (numero != 0) orcamento->NumeroDoOrcamento = numero;
    orcamento->CodigoDoCliente = 1;
    orcamento->CodigoDoAnimal = 10;
    DefinirTotais(*orcamento, totais);
    orcamento->DataDeValidadeDoOrcamento = Relogio::Hoje().addDays(10).toString(u"dd/MM/yyyy"_s);
    orcamento->GradeDeItensDoOrcamento = &grade;
    orcamento->DadosDoUsuario = usuario;
    return orcamento;
}

void DefinirTotais(ZELT_N_Orcamentos::clsOrcamentos& orcamento, const QString& totais) {
    const QStringList valores = totais.split(u'|');
    orcamento.ValorTotal = VB::CCur(valores.value(0));
    orcamento.DescontoEmPercentual = VB::CCur(valores.value(1));
    orcamento.DescontoEmValor = VB::CCur(valores.value(2));
    orcamento.ValorLiquido = VB::CCur(valores.value(3));
}

std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> OrcamentoValido(GradeEmMemoria& grade, QObject* usuario) {
    grade.AdicionarServico(1, 1, 10, u"1"_s, u"120,00"_s, u"10,00"_s, u"12,00"_s, u"108,00"_s, u"48,00"_s);
    return Orcamento(grade, usuario, u"120,00|10,00|12,00|108,00"_s);
}

std::unique_ptr<ZELT_N_Orcamentos::clsOrcamentos> OrcamentoComProduto(GradeEmMemoria& grade,
                                                                      QObject* usuario) {
    auto orcamento = OrcamentoValido(grade, usuario);
    grade.AdicionarProduto(u"7891234567895"_s, 100, 10, u"2,000"_s, u"219,90"_s, u"0,00"_s, u"0,00"_s,
                           u"439,80"_s, u"145,00"_s);
    DefinirTotais(*orcamento, u"559,80|2,14|12,00|547,80"_s);
    return orcamento;
}

QList<qint64> Codigos(Recordset& recordset, const char* campo) {
    QList<qint64> codigos;
    if (recordset.RecordCount() == 0) return codigos;
    for (recordset.MoveFirst(); !recordset.Eof(); recordset.MoveNext())
        codigos << static_cast<qint64>(recordset.Fields(QString::fromLatin1(campo)).Value.toDouble());
    recordset.MoveFirst();
    return codigos;
}

QStringList Conteudo(Recordset& recordset) {
    QStringList linhas;
    if (recordset.RecordCount() == 0) return linhas;
    recordset.MoveFirst();
    while (!recordset.Eof()) {
        QStringList valores;
        for (qint32 i = 0; i < recordset.FieldsCount(); ++i) {
            const QVariant valor = recordset.Fields(i).Value;
            valores << recordset.FieldName(i) + u'=' + (VB::IsNull(valor) ? u"Null"_s : VB::CStr(valor));
        }
        linhas << valores.join(u'|');
        recordset.MoveNext();
    }
    return linhas;
}

QString Valores(Recordset& recordset, const QString& campos) {
    QStringList valores;
    for (const QString& campo : campos.split(u'|')) {
        const QVariant valor = recordset.Fields(campo).Value;
        valores << (VB::IsNull(valor) ? u"Null"_s : VB::CStr(valor));
    }
    return valores.join(u'|');
}

double OrcamentoDaMaria(QObject* usuario, bool comBanhos) {
    GradeEmMemoria grade;
    grade.AdicionarServico(1, 1, 12, u"1"_s, u"120,00"_s, u"5,00"_s, u"6,00"_s, u"114,00"_s, u"48,00"_s);
    grade.AdicionarServico(2, 3, 12, u"1"_s, u"350,00"_s, u"8,00"_s, u"28,00"_s, u"322,00"_s, u"140,00"_s);
    grade.AdicionarProduto(u"7891234567895"_s, 100, 12, u"2,000"_s, u"219,90"_s, u"0,00"_s, u"0,00"_s,
                           u"439,80"_s, u"145,00"_s);
    if (comBanhos)
        grade.AdicionarServico(5, 4, 12, u"2"_s, u"45,00"_s, u"0,00"_s, u"0,00"_s, u"90,00"_s, u"18,00"_s);
    auto orcamento =
        Orcamento(grade, usuario, comBanhos ? u"999,80|3,40|34,00|965,80"_s : u"909,80|3,74|34,00|875,80"_s);
    orcamento->CodigoDoCliente = 2;
    orcamento->CodigoDoAnimal = 12;
    if (orcamento->Adicionar() != 0) qWarning() << orcamento->DescricaoDaFalha;
    return orcamento->CodigoGerado;
}

void PromocaoEDescontosDaMaria() {
    const QDate hoje = Relogio::Hoje();
    Banco::Executar(
        u"UPDATE Empresa SET DataInicialDaPromocao = ?, DataFinalDaPromocao = ?, "
        "PercPromocaoDeDescontoNaVendaDeServico = 100000, PercPromocaoDeDescontoNaVendaDeProduto = 50000"_s,
        {Banco::DataIso(hoje.addDays(-1)), Banco::DataIso(hoje.addDays(1))});
    Banco::Executar(
        u"UPDATE Clientes SET PercentualDeDescontoEmClinicos = 120000 WHERE CodigoDoCliente = 2"_s);
}

QString Paginas(const Recordset& recordset) {
    return Juntos(recordset.RecordCount(), recordset.PageCount(), recordset.AbsolutePage());
}

namespace {

bool PgCtl(const QStringList& argumentos, QString& saida) {
    QStringList comando{qEnvironmentVariable("ZELT_PG_BIN") + u"/pg_ctl"_s, u"-D"_s,
                        qEnvironmentVariable("ZELT_PG_PASTA") + u"/dados"_s, u"-w"_s};
    comando << argumentos;
    QString programa = u"runuser"_s;
    if (geteuid() == 0)
        comando = QStringList{u"-u"_s, u"postgres"_s, u"--"_s} + comando;
    else
        programa = comando.takeFirst();
    QProcess processo;
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start(programa, comando);
    const bool ok = processo.waitForFinished(60000) && processo.exitCode() == 0;
    saida = QString::fromLocal8Bit(processo.readAll());
    return ok;
}

RecordsetPtr Resultado(ObjetoDeNegocio& objeto, const QVariant& falhou) {
    if (falhou.toBool()) qWarning() << objeto.DescricaoDoErro;
    return objeto.ResultadoDaSelecaoEmRecordSet();
}

} // namespace

bool PararServidorPostgreSQL(QString& saida) {
    return PgCtl({u"-m"_s, u"fast"_s, u"stop"_s}, saida);
}

bool IniciarServidorPostgreSQL(QString& saida, const QString& opcoesDoServidor) {
    QStringList argumentos{u"-l"_s, qEnvironmentVariable("ZELT_PG_PASTA") + u"/servidor.log"_s};
    if (!opcoesDoServidor.isEmpty()) argumentos << u"-o"_s << opcoesDoServidor;
    return PgCtl(argumentos << u"start"_s, saida);
}

RecordsetPtr Lista(qint32 situacao, const QString& texto, qint16 tamanho) {
    auto orcamentos = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsOrcamentos>(ProgId::Orcamentos);
    return Resultado(*orcamentos, orcamentos->Selecionar(1, tamanho, situacao, texto, 0, 0));
}

RecordsetPtr ClientesDoFormulario(const QString& apelidoOuNome, double codigo) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    return Resultado(*clientes, clientes->Selecionar(2, 0, 0, QString(), apelidoOuNome, codigo, QString(),
                                                     QString(), QString(), 0, QString()));
}

RecordsetPtr ClientesDoDialogo(const QString& texto) {
    auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
    double zero = 0;
    return Resultado(*clientes, clientes->Selecionar(2, 0, 0, texto, QString(), zero, QString(), QString(),
                                                     QString(), 0, QString()));
}

RecordsetPtr ProdutosDoFormulario(QString nome, QString barras, double codigo, qint32 somenteAtivos) {
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    return Resultado(*produtos, produtos->Selecionar(2, 0, somenteAtivos, QString(), nome, barras, codigo));
}

RecordsetPtr ProdutosDoDialogo(const QString& texto) {
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    return Resultado(*produtos, produtos->Selecionar(2, 0, 1, texto));
}

RecordsetPtr ServicosDoFormulario(qint16 tipo, QString nome, double codigo, qint32 somenteAtivos) {
    auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
    return Resultado(*servicos, servicos->Selecionar(2, 0, somenteAtivos, QString(), tipo, nome, codigo));
}

RecordsetPtr ServicosDoDialogo(const QString& texto, qint32 tipo) {
    auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
    return Resultado(*servicos, servicos->Selecionar(2, 0, 1, texto, tipo));
}

void ConfigurarSinal(QObject* usuario, qint64 percentual, bool reembolsavel, const QString& chavePix) {
    auto c = Zelt::CriarObjeto<ZELT_N_Empresa::clsConfiguracoesDoOrcamento>(ProgId::ConfiguracoesDoOrcamento);
    c->DadosDoUsuario = usuario;
    QCOMPARE(c->Ler(), Resultado::Sucesso);
    c->PercentualDoSinal = VB::Currency::DeInteiro(percentual);
    c->SinalReembolsavel = reembolsavel;
    c->ChavePix = chavePix;
    c->NomeDoRecebedor = u"Clínica Escola"_s;
    c->CidadeDoRecebedor = u"Campinas"_s;
    c->CondicoesDePagamento = u"À vista no Pix ou em até 6x no cartão"_s;
    QCOMPARE(c->Gravar(), Resultado::Sucesso);
}

void Aprovar(double numero, QObject* usuario) {
    auto etapas = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
    etapas->DadosDoUsuario = usuario;
    QCOMPARE(etapas->Ler(numero), Resultado::Sucesso);
    QCOMPARE(etapas->RegistrarAprovacao(numero, u"João da Silva"_s, u"Presencial"_s, false),
             Resultado::Sucesso);
}

} // namespace BancoDeTeste
