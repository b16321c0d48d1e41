// The registry's business objects on a real database, called with the arguments the
// record form and the search dialogs pass: clients, animals, products (bar codes
// and scale labels), services, service types and the company.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "business/Migracoes.h"
#include "business/Negocio.h"
#include "business/Relogio.h"
#include "contracts/CriarObjeto.h"

#include <QSqlQuery>
#include <QtTest>

using namespace BancoDeTeste;
using VB::Currency;

namespace {

QVariant Campo(Recordset& rs, const char* nome) {
    return rs.Fields(QString::fromLatin1(nome)).Value;
}

} // namespace

class TesteDosCadastros : public TesteDeNegocio {
    Q_OBJECT

    // The record form's client search: nickname-or-name text or code.
    RecordsetPtr ClientesDoFormulario(const QString& apelidoOuNome, double codigo) {
        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        auto usuario = Usuario(QStringLiteral("ANA"));
        clientes->DadosDoUsuario = usuario.get();
        const QVariant r = clientes->Selecionar(2, 0, 0, QString(), apelidoOuNome, codigo, QString(),
                                                QString(), QString(), 0, QString());
        if (r.toBool()) qWarning() << clientes->DescricaoDoErro;
        return clientes->ResultadoDaSelecaoEmRecordSet();
    }

    // The client search dialog: one free text.
    RecordsetPtr ClientesDoDialogo(const QString& texto) {
        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        double zero = 0;
        const QVariant r = clientes->Selecionar(2, 0, 0, texto, QString(), zero, QString(), QString(),
                                                QString(), 0, QString());
        if (r.toBool()) qWarning() << clientes->DescricaoDoErro;
        return clientes->ResultadoDaSelecaoEmRecordSet();
    }

    RecordsetPtr ProdutosDoFormulario(QString nome, QString barras, double codigo, qint32 somenteAtivos = 1) {
        auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        const QVariant r = produtos->Selecionar(2, 0, somenteAtivos, QString(), nome, barras, codigo);
        if (r.toBool()) qWarning() << produtos->DescricaoDoErro;
        return produtos->ResultadoDaSelecaoEmRecordSet();
    }

    RecordsetPtr ProdutosDoDialogo(const QString& texto) {
        auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        if (produtos->Selecionar(2, 0, 1, texto).toBool()) qWarning() << produtos->DescricaoDoErro;
        return produtos->ResultadoDaSelecaoEmRecordSet();
    }

    RecordsetPtr ServicosDoFormulario(qint16 tipo, QString nome, double codigo) {
        auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
        if (servicos->Selecionar(2, 0, 1, QString(), tipo, nome, codigo).toBool())
            qWarning() << servicos->DescricaoDoErro;
        return servicos->ResultadoDaSelecaoEmRecordSet();
    }

    RecordsetPtr ServicosDoDialogo(const QString& texto, qint32 tipo) {
        auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
        if (servicos->Selecionar(2, 0, 1, texto, tipo).toBool()) qWarning() << servicos->DescricaoDoErro;
        return servicos->ResultadoDaSelecaoEmRecordSet();
    }

    // The codes a search dialog's selection finds for the row's text (an empty text finds
    // all of them), the same when PostgreSQL reads through its trigram indexes.
    void ConferirDialogo(const std::function<RecordsetPtr(const QString&)>& selecionar, const char* campo,
                         int todos) {
        QFETCH(QString, texto);
        QFETCH(QList<qint64>, esperados);
        QCOMPARE(Codigos(*selecionar(texto), campo), esperados);
        QCOMPARE(selecionar(QString())->RecordCount(), todos);
        if (msessao->EhSQLite()) return;
        Banco::Executar(QStringLiteral("SET enable_seqscan = off"));
        QCOMPARE(Codigos(*selecionar(texto), campo), esperados);
        Banco::Executar(QStringLiteral("RESET enable_seqscan"));
    }

private slots:
    void cliente_com_todos_os_campos() {
        RecordsetPtr rs = ClientesDoFormulario(QStringLiteral("joao"), 0);
        QCOMPARE(rs->RecordCount(), 1);
        QCOMPARE(rs->FieldsCount(), 21);
        QCOMPARE(Campo(*rs, "CodigoDoCliente").typeId(), QMetaType::Double);
        QCOMPARE(Campo(*rs, "CodigoDoCliente").toDouble(), 1.0);
        QCOMPARE(Campo(*rs, "ApelidoOuNomeFantasia").toString(), QStringLiteral("João"));
        QCOMPARE(Campo(*rs, "NomeOuRazaoSocial").toString(), QStringLiteral("João da Silva"));
        QCOMPARE(Campo(*rs, "Situacao"), QVariant(qint32(1)));
        QCOMPARE(Campo(*rs, "EnderecoCompleto").toString(),
                 QStringLiteral("Rua das Flores, 120 - Apto 3 - Centro - Campinas/SP - CEP 13010-000"));
        QCOMPARE(Campo(*rs, "TiposECanaisDeComunicacao").toString(),
                 QStringLiteral("Telefone: (19) 3232-1010; E-mail: joao@exemplo.com.br"));
        QCOMPARE(VB::CStr(Campo(*rs, "Credito")), QStringLiteral("1500,5"));
        QCOMPARE(Campo(*rs, "VIP").toString(), QStringLiteral("Sim"));
        QCOMPARE(Campo(*rs, "CategoriaDaCurvaABC").toString(), QStringLiteral("A"));
        QCOMPARE(Campo(*rs, "DescontoUnico").toString(), QStringLiteral("Sim"));
        QCOMPARE(Campo(*rs, "PercentualUnicoDeDescontos").value<Currency>(), Currency::DeInteiro(10));
        QCOMPARE(VB::CStr(Campo(*rs, "PercentualDeDescontoEmOutros")), QStringLiteral("0"));
        QCOMPARE(Campo(*rs, "Email").toString(), QStringLiteral("joao@exemplo.com.br"));
        QCOMPARE(Campo(*rs, "Celular").toString(), QString());

        rs = ClientesDoFormulario(QStringLiteral("gonçalves"), 0);
        QCOMPARE(Codigos(*rs, "CodigoDoCliente"), QList<qint64>{2});
        QCOMPARE(Campo(*rs, "VIP").toString(), QStringLiteral("Não"));
        QCOMPARE(Campo(*rs, "DescontoUnico").toString(), QStringLiteral("Não"));
        QCOMPARE(VB::CLng(Campo(*rs, "PercentualDeDescontoEmClinicos")), 5);
        QCOMPARE(VB::CLng(Campo(*rs, "PercentualDeDescontoEmCirurgiaSimples")), 8);
        QCOMPARE(Campo(*rs, "EnderecoCompleto").toString(), QString());
        QVERIFY(!VB::IsNull(Campo(*rs, "TiposECanaisDeComunicacao")));
    }

    void clientes_pelo_formulario() {
        // Blocked, inactive and deleted clients come too: the forms refuse them by name.
        QCOMPARE(Codigos(*ClientesDoFormulario(QString(), 5), "CodigoDoCliente"), QList<qint64>{5});
        QCOMPARE(Campo(*ClientesDoFormulario(QString(), 5), "Situacao"), QVariant(qint32(3)));
        QCOMPARE(Codigos(*ClientesDoFormulario(QString(), 99), "CodigoDoCliente"), QList<qint64>{});
        QCOMPARE(Codigos(*ClientesDoFormulario(QStringLiteral("MARIA"), 0), "CodigoDoCliente"),
                 QList<qint64>{2});
        QCOMPARE(Codigos(*ClientesDoFormulario(QStringLiteral("cliente"), 0), "CodigoDoCliente"),
                 (QList<qint64>{5, 6, 4, 8}));
    }

    void clientes_pelo_dialogo_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QList<qint64>>("esperados");
        QTest::newRow("vazio: todos, por apelido") << QString() << QList<qint64>{5, 6, 4, 1, 2, 7, 3, 8, 9};
        QTest::newRow("código") << QStringLiteral("2") << QList<qint64>{2};
        QTest::newRow("sem acento") << QStringLiteral("ze") << QList<qint64>{9};
        QTest::newRow("com acento") << QStringLiteral("Zé") << QList<qint64>{9};
        QTest::newRow("razão social") << QStringLiteral("comércio") << QList<qint64>{3};
        QTest::newRow("percentual") << QStringLiteral("%") << QList<qint64>{3};
        QTest::newRow("sublinhado") << QStringLiteral("_") << QList<qint64>{3};
        QTest::newRow("apóstrofo") << QStringLiteral("'") << QList<qint64>{7, 8};
        QTest::newRow("barra invertida") << QStringLiteral("\\") << QList<qint64>{7};
        QTest::newRow("SQL") << QStringLiteral("drop table") << QList<qint64>{8};
        QTest::newRow("injeção") << QStringLiteral("x' OR 1=1 --") << QList<qint64>{};
    }

    void clientes_pelo_dialogo() {
        ConferirDialogo([this](const QString& texto) { return ClientesDoDialogo(texto); }, "CodigoDoCliente",
                        9);
    }

    void contem_servido_por_indice_de_trigramas() {
        if (msessao->EhSQLite())
            QSKIP(
                "SQLite's index for \"contains\" is an FTS5 table, asked with MATCH (tst_negocio_pesquisa)");
        // A database failure is the test's failure, with its description.
        auto verificar = [&] {
            // A database of the first schema version receives them when it is opened.
            Banco::Executar(QStringLiteral("DROP EXTENSION pg_trgm CASCADE"));
            Banco::Executar(QStringLiteral("UPDATE VersaoDoEsquema SET Versao = 1"));
            Negocio::Configuracao configuracao;
            configuracao.UrlPostgreSQL = msessao->UrlPostgreSQL();
            Negocio::Iniciar(configuracao);
            QCOMPARE(Banco::Valor(QStringLiteral("SELECT Versao FROM VersaoDoEsquema")).toInt(),
                     Migracoes::VersaoMaisRecente());
            QStringList indices;
            QSqlQuery q = Banco::Executar(QStringLiteral(
                "SELECT indexname FROM pg_indexes WHERE indexname LIKE '%trigramas' ORDER BY indexname"));
            while (q.next())
                indices << q.value(0).toString();
            QCOMPARE(indices, (QStringList{QStringLiteral("clientes_apelidonormalizado_trigramas"),
                                           QStringLiteral("clientes_codigodocliente_trigramas"),
                                           QStringLiteral("clientes_nomenormalizado_trigramas"),
                                           QStringLiteral("orcamentos_numerodoorcamento_trigramas"),
                                           QStringLiteral("produtos_nomenormalizado_trigramas"),
                                           QStringLiteral("servicos_nomenormalizado_trigramas")}));
            // The LIKE that Contem writes, with its escape, is one the index answers.
            Banco::Executar(QStringLiteral("SET enable_seqscan = off"));
            const Dialeto dialeto = Banco::DialetoAtual();
            QStringList plano;
            q = Banco::Executar(QStringLiteral("EXPLAIN SELECT CodigoInterno FROM Produtos p WHERE ") +
                                dialeto.Contem(QStringLiteral("p.NomeNormalizado"))
                                    .replace(u'?', QStringLiteral("'%50\\% neu%'")));
            while (q.next())
                plano << q.value(0).toString();
            Banco::Executar(QStringLiteral("RESET enable_seqscan"));
            QVERIFY2(plano.join(u'\n').contains(
                         QStringLiteral("Index Scan on produtos_nomenormalizado_trigramas")),
                     qPrintable(plano.join(u'\n')));
        };
        QCOMPARE(ErroDe(verificar).Descricao(), QString());
    }

    void selecao_de_tipo_desconhecido_e_erro_5() {
        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        double codigo = 0;
        QCOMPARE(clientes->Selecionar(1, 0, 0, QString(), QString(), codigo, QString(), QString(), QString(),
                                      0, QString()),
                 QVariant(true));
        QCOMPARE(clientes->NumeroDoErro, 5L);
        QCOMPARE(clientes->LocalDoErro, QStringLiteral("ZELT_N_ClientAnim, clsClientes, Selecionar"));
        QVERIFY(clientes->DescricaoDoErro.startsWith(
            QStringLiteral("Chamada de procedimento ou argumento inválido")));
        // A good call afterwards clears the triple.
        QCOMPARE(clientes->Selecionar(2, 0, 0, QString(), QString(), codigo, QString(), QString(), QString(),
                                      0, QString()),
                 QVariant(false));
        QCOMPARE(clientes->NumeroDoErro, 0L);
        QVERIFY(clientes->LocalDoErro.isEmpty());

        auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        double cliente = 1;
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 2), QVariant(true));
        QCOMPARE(animais->NumeroDoErro, 5L);
        QCOMPARE(animais->LocalDoErro,
                 QStringLiteral("ZELT_N_ClientAnim, clsAnimais, SelecionarParaComboBoxFiltradoPorCliente"));
    }

    void animais_do_cliente() {
        auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        double cliente = 1;
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 3), QVariant(false));
        RecordsetPtr rs = animais->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(Codigos(*rs, "Codigo"), (QList<qint64>{11, 10}));
        rs->MoveFirst();
        QCOMPARE(Campo(*rs, "Codigo"), QVariant(qint32(11)));
        QCOMPARE(Campo(*rs, "Nome").toString(), QStringLiteral("Mel"));
        QCOMPARE(animais->ResultadoDaSelecaoEmRecordSet(QStringLiteral("Nome")).Value.toString(),
                 QStringLiteral("Mel"));

        cliente = 2; // Velho is inactive: not in the combo, but among all the client's animals
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 3), QVariant(false));
        QCOMPARE(Codigos(*animais->ResultadoDaSelecaoEmRecordSet(), "Codigo"), QList<qint64>{12});
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 1), QVariant(false));
        QCOMPARE(Codigos(*animais->ResultadoDaSelecaoEmRecordSet(), "Codigo"), (QList<qint64>{12, 13}));

        cliente = 9;
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 3), QVariant(false));
        QCOMPARE(animais->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);
    }

    void produtos() {
        RecordsetPtr rs = ProdutosDoFormulario(QString(), QStringLiteral("7891234567895"), 0);
        QCOMPARE(Codigos(*rs, "CodigoInterno"), QList<qint64>{100});
        rs->MoveFirst();
        QCOMPARE(rs->FieldsCount(), 10);
        QCOMPARE(Campo(*rs, "CodigoInterno"), QVariant(qint32(100)));
        QCOMPARE(Campo(*rs, "CodigoDeBarras").toString(), QStringLiteral("7891234567895"));
        QCOMPARE(Campo(*rs, "Nome").toString(), QStringLiteral("Ração Cães 15 kg"));
        QCOMPARE(Campo(*rs, "NomeDoGrupo").toString(), QStringLiteral("Rações"));
        QCOMPARE(Campo(*rs, "NomeDoSubgrupo").toString(), QStringLiteral("Cães"));
        QCOMPARE(VB::CStr(Campo(*rs, "ValorDeCusto")), QStringLiteral("145"));
        QCOMPARE(Campo(*rs, "UnidadeDeCompra").toString(), QStringLiteral("UN"));
        QCOMPARE(Campo(*rs, "UnidadeDeVenda").toString(), QStringLiteral("SC"));
        QCOMPARE(VB::CStr(Campo(*rs, "ValorDeVenda")), QStringLiteral("219,9"));
        QCOMPARE(VB::CStr(Campo(*rs, "PercentualDeComissao")), QStringLiteral("3"));

        QCOMPARE(Codigos(*ProdutosDoFormulario(QStringLiteral("racao"), QString(), 0), "CodigoInterno"),
                 (QList<qint64>{123, 100}));
        rs = ProdutosDoFormulario(QString(), QString(), 123);
        QCOMPARE(Codigos(*rs, "CodigoInterno"), QList<qint64>{123});
        rs->MoveFirst();
        QCOMPARE(Campo(*rs, "CodigoDeBarras"), QVariant(QString())); // empty text, never Null
        // A scale label carries price or weight: the internal code decides.
        QCOMPARE(
            Codigos(*ProdutosDoFormulario(QString(), QStringLiteral("2000123012505"), 123), "CodigoInterno"),
            QList<qint64>{123});
        QCOMPARE(ProdutosDoFormulario(QString(), QStringLiteral("2000124012505"), 124)->RecordCount(), 0);
        QCOMPARE(ProdutosDoFormulario(QString(), QStringLiteral("2000123012505"), 0)->RecordCount(), 0);
        // Inactive products only when every situation is asked for.
        QCOMPARE(ProdutosDoFormulario(QString(), QString(), 300)->RecordCount(), 0);
        QCOMPARE(ProdutosDoFormulario(QString(), QString(), 300, 0)->RecordCount(), 1);

        Banco::UnidadeDeTrabalho unidade;
        Cadastros::Produto semGrupo;
        semGrupo.CodigoInterno = 400;
        semGrupo.Nome = QStringLiteral("Avulso");
        Cadastros::GravarProduto(semGrupo);
        unidade.Confirmar();
        rs = ProdutosDoFormulario(QString(), QString(), 400);
        QCOMPARE(Campo(*rs, "NomeDoGrupo"), QVariant(QString()));
        QCOMPARE(Campo(*rs, "NomeDoSubgrupo"), QVariant(QString()));
    }

    void produtos_pelo_dialogo_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QList<qint64>>("esperados");
        QTest::newRow("vazio: todos os ativos, por nome") << QString() << QList<qint64>{123, 100, 200};
        QTest::newRow("nome sem acento") << QStringLiteral("racao caes") << QList<qint64>{100};
        QTest::newRow("código interno") << QStringLiteral("200") << QList<qint64>{200};
        QTest::newRow("código de barras") << QStringLiteral("7890000000017") << QList<qint64>{200};
        QTest::newRow("percentual literal") << QStringLiteral("50%") << QList<qint64>{200};
        QTest::newRow("só percentual") << QStringLiteral("%") << QList<qint64>{200};
        QTest::newRow("sublinhado") << QStringLiteral("_") << QList<qint64>{};
        QTest::newRow("parênteses") << QStringLiteral("(kg)") << QList<qint64>{123};
        QTest::newRow("SQL") << QStringLiteral("'; DELETE FROM Produtos; --") << QList<qint64>{};
    }

    void produtos_pelo_dialogo() {
        ConferirDialogo([this](const QString& texto) { return ProdutosDoDialogo(texto); }, "CodigoInterno",
                        3);
    }

    void servicos() {
        RecordsetPtr rs = ServicosDoFormulario(1, QStringLiteral("consulta"), 0);
        QCOMPARE(Codigos(*rs, "Codigo"), QList<qint64>{1}); // 5 is inactive
        QCOMPARE(rs->FieldsCount(), 6);
        QCOMPARE(Campo(*rs, "Codigo"), QVariant(qint32(1)));
        QCOMPARE(Campo(*rs, "Nome").toString(), QStringLiteral("Consulta clínica"));
        QCOMPARE(Campo(*rs, "Descricao").toString(), QStringLiteral("Descrição de Consulta clínica"));
        QCOMPARE(Campo(*rs, "NumeroDoTipoDeServico"), QVariant(qint32(1)));
        QCOMPARE(VB::CStr(Campo(*rs, "Custo")), QStringLiteral("48"));
        QCOMPARE(VB::CStr(Campo(*rs, "ValorDeVenda")), QStringLiteral("120"));
        // Type 0 is every type; a code of another type is not found within a type.
        QCOMPARE(Codigos(*ServicosDoFormulario(0, QString(), 3), "Codigo"), QList<qint64>{3});
        QCOMPARE(ServicosDoFormulario(1, QString(), 3)->RecordCount(), 0);
        QCOMPARE(Codigos(*ServicosDoFormulario(2, QString(), 3), "Codigo"), QList<qint64>{3});
    }

    void servicos_pelo_dialogo_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint32>("tipo");
        QTest::addColumn<QList<qint64>>("esperados");
        QTest::newRow("todos os tipos") << QString() << 0 << QList<qint64>{4, 3, 1, 2};
        QTest::newRow("um tipo") << QString() << 1 << QList<qint64>{1, 2};
        QTest::newRow("nome dentro do tipo") << QStringLiteral("v10") << 1 << QList<qint64>{2};
        QTest::newRow("código ou nome") << QStringLiteral("1") << 0 << QList<qint64>{1, 2};
        QTest::newRow("acentos") << QStringLiteral("CASTRACAO") << 0 << QList<qint64>{3};
        QTest::newRow("outro tipo") << QStringLiteral("castração") << 1 << QList<qint64>{};
        QTest::newRow("curinga") << QStringLiteral("_") << 0 << QList<qint64>{};
    }

    void servicos_pelo_dialogo() {
        QFETCH(QString, texto);
        QFETCH(qint32, tipo);
        QFETCH(QList<qint64>, esperados);
        QCOMPARE(Codigos(*ServicosDoDialogo(texto, tipo), "Codigo"), esperados);
    }

    void tipos_de_servico() {
        auto tipos = Zelt::CriarObjeto<ZELT_N_TipoDeServ::clsTiposDeServ>(ProgId::TiposDeServ);
        double todos = 0;
        QCOMPARE(tipos->SelecionarParaComboBox(todos), QVariant(false));
        RecordsetPtr rs = tipos->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(Codigos(*rs, "Numero"), (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 99}));
        QStringList nomes;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            nomes << Campo(*rs, "Nome").toString();
        QCOMPARE(nomes,
                 (QStringList{QStringLiteral("Clínicos"), QStringLiteral("Cirurgia simples"),
                              QStringLiteral("Cirurgia média"), QStringLiteral("Cirurgia complexa"),
                              QStringLiteral("Banhos, tosas e estéticas"), QStringLiteral("Hospedagens"),
                              QStringLiteral("Adestramentos"), QStringLiteral("Outros")}));
        rs->MoveFirst();
        QCOMPARE(Campo(*rs, "Numero"), QVariant(qint32(1)));
        double outros = 99;
        QCOMPARE(tipos->SelecionarParaComboBox(outros), QVariant(false));
        QCOMPARE(Codigos(*tipos->ResultadoDaSelecaoEmRecordSet(), "Numero"), QList<qint64>{99});
    }

    void empresa() {
        auto empresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        RecordsetPtr rs = empresa->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->RecordCount(), 1);
        QCOMPARE(Campo(*rs, "NomeFantasia").toString(), QStringLiteral("Clínica Escola"));
        QCOMPARE(Campo(*rs, "QuantidadeDeDiasParaAValidadeDoOrcamento"), QVariant(qint32(10)));
        QCOMPARE(Campo(*rs, "PermissaoParaAlterarADataDeValidadeDoOrcamento").toString(),
                 QStringLiteral("Sim"));
        // No promotion: empty dates, so the record form sees "none configured".
        QCOMPARE(Campo(*rs, "DataInicialDaPromocao"), QVariant(QString()));
        QCOMPARE(Campo(*rs, "DataFinalDaPromocao"), QVariant(QString()));
        QCOMPARE(VB::CStr(Campo(*rs, "PercPromocaoDeDescontoNaVendaDeServico")), QStringLiteral("0"));
        QCOMPARE(Campo(*rs, "FormatoDeCodigoDeBarrasParaBalanca"), QVariant(qint32(2)));

        QCOMPARE(empresa->Selecionar(1, 2), qint16(0));
        QCOMPARE(empresa->NomeFantasia, QStringLiteral("Clínica Escola"));
        QCOMPARE(empresa->FormatoDeCodigoDeBarrasParaBalanca, 2);
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 1);
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet(QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca"))
                     .Value,
                 QVariant(qint32(2)));

        QCOMPARE(empresa->Selecionar(1, 3), qint16(2));
        QCOMPARE(empresa->DescricaoDaFalha, QStringLiteral("A seleção 1, 3 da empresa não é conhecida."));
        QCOMPARE(empresa->NumeroDoErro, 0L);

        {
            Banco::UnidadeDeTrabalho unidade;
            Cadastros::Empresa promocao;
            promocao.NomeFantasia = QStringLiteral("Clínica Escola");
            promocao.DataInicialDaPromocao = QDate(2026, 3, 1);
            promocao.DataFinalDaPromocao = QDate(2026, 3, 31);
            promocao.PercPromocaoDeDescontoNaVendaDeServico = VB::CCur(QStringLiteral("12,5"));
            promocao.PermissaoParaAlterarADataDeValidadeDoOrcamento = false;
            Cadastros::GravarEmpresa(promocao);
            Cadastros::Empresa filial;
            filial.Codigo = 2;
            filial.NomeFantasia = QStringLiteral("Filial");
            Cadastros::GravarEmpresa(filial);
            unidade.Confirmar();
        }
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        rs = empresa->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->RecordCount(), 2);
        QCOMPARE(Campo(*rs, "DataInicialDaPromocao").toString(), QStringLiteral("01/03/2026"));
        QCOMPARE(Campo(*rs, "DataFinalDaPromocao").toString(), QStringLiteral("31/03/2026"));
        QCOMPARE(VB::CStr(Campo(*rs, "PercPromocaoDeDescontoNaVendaDeServico")), QStringLiteral("12,5"));
        QCOMPARE(Campo(*rs, "PermissaoParaAlterarADataDeValidadeDoOrcamento").toString(),
                 QStringLiteral("Não"));

        Banco::Executar(QStringLiteral("DELETE FROM Empresa"));
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);
        QCOMPARE(empresa->Selecionar(1, 2), qint16(0));
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);
        QCOMPARE(empresa->NomeFantasia, QString());

        msessao.reset();
        QCOMPARE(empresa->Selecionar(1, 2), qint16(1));
        QCOMPARE(empresa->NumeroDoErro, Banco::NumeroDoErroDeBanco);
        QCOMPARE(empresa->LocalDoErro, QStringLiteral("ZELT_N_Empresa, clsEmpresa, Selecionar"));
    }
};

QTEST_GUILESS_MAIN(TesteDosCadastros)
#include "tst_negocio_cadastros.moc"
