// The registry's business objects on a real database, called with the arguments the
// record form and the search dialogs pass: clients, animals, products (bar codes
// and scale labels), services, service types and the company.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/Cadastros.h"
#include "business/Migracoes.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using VB::Currency;

namespace {

QVariant Campo(Recordset& rs, const char* nome) {
    return rs.Fields(QString::fromLatin1(nome)).Value;
}

} // namespace

class TesteDosCadastros : public TesteDeNegocio {
    Q_OBJECT

    // The codes a search dialog's selection finds for the row's text (an empty text finds
    // all of them), the same when PostgreSQL reads through its trigram indexes.
    void ConferirDialogo(const std::function<RecordsetPtr(const QString&)>& selecionar, const char* campo,
                         int todos) {
        QFETCH(QString, texto);
        QFETCH(QList<qint64>, esperados);
        QCOMPARE(Codigos(*selecionar(texto), campo), esperados);
        QCOMPARE(selecionar(QString())->RecordCount(), todos);
        if (msessao->EhSQLite()) return;
        Banco::Executar(u"SET enable_seqscan = off"_s);
        QCOMPARE(Codigos(*selecionar(texto), campo), esperados);
        Banco::Executar(u"RESET enable_seqscan"_s);
    }

private slots:
    void cliente_com_todos_os_campos() {
        RecordsetPtr rs = ClientesDoFormulario(u"joao"_s, 0);
        QCOMPARE(rs->RecordCount(), 1);
        QCOMPARE(rs->FieldsCount(), 21);
        QCOMPARE(Campo(*rs, "CodigoDoCliente").typeId(), QMetaType::Double);
        QCOMPARE(Campo(*rs, "PercentualUnicoDeDescontos").value<Currency>(), Currency::DeInteiro(10));
        QCOMPARE(Valores(*rs, u"CodigoDoCliente|ApelidoOuNomeFantasia|NomeOuRazaoSocial|Situacao|"
                              "EnderecoCompleto|TiposECanaisDeComunicacao|Credito|VIP|"
                              "CategoriaDaCurvaABC|DescontoUnico|PercentualDeDescontoEmOutros|"
                              "Email|Celular"_s),
                 u"1|João|João da Silva|1|Rua das Flores, 120 - Apto 3 - Centro - Campinas/SP - CEP "
                 "13010-000|Telefone: (19) 3232-1010; E-mail: joao@exemplo.com.br|1500,5|Sim|A|"
                 "Sim|0|joao@exemplo.com.br|"_s);

        rs = ClientesDoFormulario(u"gonçalves"_s, 0);
        QCOMPARE(Codigos(*rs, "CodigoDoCliente"), QList<qint64>{2});
        QCOMPARE(Valores(*rs, u"VIP|DescontoUnico|PercentualDeDescontoEmClinicos|"
                              "PercentualDeDescontoEmCirurgiaSimples|EnderecoCompleto"_s),
                 u"Não|Não|5|8|"_s);
        QVERIFY(!VB::IsNull(Campo(*rs, "TiposECanaisDeComunicacao")));
    }

    // A null character pasted into a text is dropped alike on both databases.
    void caractere_nulo_colado_nao_e_gravado() {
        Banco::Executar(u"UPDATE Clientes SET ApelidoOuNomeFantasia = ? WHERE CodigoDoCliente = 1"_s,
                        {QString::fromUtf16(u"Jo\0ão", 5)});
        QCOMPARE(Banco::Valor(u"SELECT ApelidoOuNomeFantasia FROM Clientes WHERE CodigoDoCliente = 1"_s),
                 QVariant(u"João"_s));
    }

    void clientes_pelo_formulario() {
        // Blocked, inactive and deleted clients come too: the forms refuse them by name.
        QCOMPARE(Codigos(*ClientesDoFormulario(QString(), 5), "CodigoDoCliente"), QList<qint64>{5});
        QCOMPARE(Campo(*ClientesDoFormulario(QString(), 5), "Situacao"), QVariant(qint32(3)));
        QCOMPARE(Codigos(*ClientesDoFormulario(QString(), 99), "CodigoDoCliente"), QList<qint64>{});
        QCOMPARE(Codigos(*ClientesDoFormulario(u"MARIA"_s, 0), "CodigoDoCliente"), QList<qint64>{2});
        QCOMPARE(Codigos(*ClientesDoFormulario(u"cliente"_s, 0), "CodigoDoCliente"),
                 (QList<qint64>{5, 6, 4, 8}));
    }

    void clientes_pelo_dialogo_data() {
        Colunas<QString, QList<qint64>>("texto", "esperados");
        QTest::newRow("vazio: todos, por apelido") << QString() << QList<qint64>{5, 6, 4, 1, 2, 7, 3, 8, 9};
        QTest::newRow("código") << u"2"_s << QList<qint64>{2};
        QTest::newRow("sem acento") << u"ze"_s << QList<qint64>{9};
        QTest::newRow("com acento") << u"Zé"_s << QList<qint64>{9};
        QTest::newRow("razão social") << u"comércio"_s << QList<qint64>{3};
        QTest::newRow("percentual") << u"%"_s << QList<qint64>{3};
        QTest::newRow("sublinhado") << u"_"_s << QList<qint64>{3};
        QTest::newRow("apóstrofo") << u"'"_s << QList<qint64>{7, 8};
        QTest::newRow("barra invertida") << u"\\"_s << QList<qint64>{7};
        QTest::newRow("SQL") << u"drop table"_s << QList<qint64>{8};
        QTest::newRow("injeção") << u"x' OR 1=1 --"_s << QList<qint64>{};
    }

    void clientes_pelo_dialogo() { ConferirDialogo(ClientesDoDialogo, "CodigoDoCliente", 9); }

    void contem_servido_por_indice_de_trigramas() {
        if (msessao->EhSQLite())
            QSKIP(
                "SQLite's index for \"contains\" is an FTS5 table, asked with MATCH (tst_negocio_pesquisa)");
        // A database failure is the test's failure, with its description.
        auto verificar = [&] {
            // A database of the first schema version receives them when it is opened.
            Banco::Executar(u"DROP EXTENSION pg_trgm CASCADE"_s);
            Banco::Executar(u"UPDATE VersaoDoEsquema SET Versao = 1"_s);
            Negocio::Configuracao configuracao;
            configuracao.UrlPostgreSQL = msessao->UrlPostgreSQL();
            Negocio::Iniciar(configuracao);
            QCOMPARE(Numero("SELECT Versao FROM VersaoDoEsquema"), qint64(Migracoes::VersaoMaisRecente()));
            QCOMPARE(Textos(u"SELECT indexname FROM pg_indexes WHERE indexname LIKE '%trigramas' ORDER BY "
                            "indexname"_s),
                     (QStringList{
                         u"clientes_apelidonormalizado_trigramas"_s, u"clientes_codigodocliente_trigramas"_s,
                         u"clientes_nomenormalizado_trigramas"_s, u"clientesdapesquisa_trigramas"_s,
                         u"orcamentos_numerodoorcamento_trigramas"_s, u"produtos_nomenormalizado_trigramas"_s,
                         u"servicos_nomenormalizado_trigramas"_s}));
            // The LIKE that Contem writes, with its escape, is one the index answers.
            Banco::Executar(u"SET enable_seqscan = off"_s);
            const QString plano =
                Textos(u"EXPLAIN SELECT CodigoInterno FROM Produtos p WHERE "_s +
                       Banco::DialetoAtual().Contem(u"p.NomeNormalizado"_s).replace(u'?', u"'%50\\% neu%'"_s))
                    .join(u'\n');
            Banco::Executar(u"RESET enable_seqscan"_s);
            QVERIFY2(plano.contains(u"Index Scan on produtos_nomenormalizado_trigramas"_s),
                     qPrintable(plano));
        };
        QCOMPARE(ErroDe(verificar).Descricao(), QString());
    }

    void selecao_de_tipo_desconhecido_e_erro_5() {
        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        double codigo = 0;
        const auto selecionar = [&](qint32 tipo) {
            return clientes->Selecionar(tipo, 0, 0, QString(), QString(), codigo, QString(), QString(),
                                        QString(), 0, QString());
        };
        QCOMPARE(selecionar(1), QVariant(true));
        QCOMPARE(clientes->NumeroDoErro, 5L);
        QCOMPARE(clientes->LocalDoErro, u"ZELT_N_ClientAnim, clsClientes, Selecionar"_s);
        QVERIFY(clientes->DescricaoDoErro.startsWith(u"Chamada de procedimento ou argumento inválido"_s));
        // A good call afterwards clears the triple.
        QCOMPARE(selecionar(2), QVariant(false));
        QCOMPARE(clientes->NumeroDoErro, 0L);
        QVERIFY(clientes->LocalDoErro.isEmpty());

        auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        double cliente = 1;
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 2), QVariant(true));
        QCOMPARE(animais->NumeroDoErro, 5L);
        QCOMPARE(animais->LocalDoErro,
                 u"ZELT_N_ClientAnim, clsAnimais, SelecionarParaComboBoxFiltradoPorCliente"_s);
    }

    void animais_do_cliente() {
        auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        double cliente = 1;
        QCOMPARE(animais->SelecionarParaComboBoxFiltradoPorCliente(cliente, 3), QVariant(false));
        RecordsetPtr rs = animais->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(Codigos(*rs, "Codigo"), (QList<qint64>{11, 10}));
        rs->MoveFirst();
        QCOMPARE(Campo(*rs, "Codigo"), QVariant(qint32(11)));
        QCOMPARE(Campo(*rs, "Nome").toString(), u"Mel"_s);
        QCOMPARE(animais->ResultadoDaSelecaoEmRecordSet(u"Nome"_s).Value.toString(), u"Mel"_s);

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
        RecordsetPtr rs = ProdutosDoFormulario(QString(), u"7891234567895"_s, 0);
        QCOMPARE(Codigos(*rs, "CodigoInterno"), QList<qint64>{100});
        rs->MoveFirst();
        QCOMPARE(rs->FieldsCount(), 10);
        QCOMPARE(Conteudo(*rs),
                 QStringList{u"CodigoInterno=100|CodigoDeBarras=7891234567895|Nome=Ração Cães 15 kg|"
                             "NomeDoGrupo=Rações|NomeDoSubgrupo=Cães|ValorDeCusto=145|"
                             "UnidadeDeCompra=UN|UnidadeDeVenda=SC|ValorDeVenda=219,9|"
                             "PercentualDeComissao=3"_s});

        QCOMPARE(Codigos(*ProdutosDoFormulario(u"racao"_s, QString(), 0), "CodigoInterno"),
                 (QList<qint64>{123, 100}));
        rs = ProdutosDoFormulario(QString(), QString(), 123);
        QCOMPARE(Codigos(*rs, "CodigoInterno"), QList<qint64>{123});
        rs->MoveFirst();
        QCOMPARE(Campo(*rs, "CodigoDeBarras"), QVariant(QString())); // empty text, never Null
        // A scale label carries price or weight: the internal code decides.
        QCOMPARE(Codigos(*ProdutosDoFormulario(QString(), u"2000123012505"_s, 123), "CodigoInterno"),
                 QList<qint64>{123});
        QCOMPARE(ProdutosDoFormulario(QString(), u"2000124012505"_s, 124)->RecordCount(), 0);
        QCOMPARE(ProdutosDoFormulario(QString(), u"2000123012505"_s, 0)->RecordCount(), 0);
        // Inactive products only when every situation is asked for.
        QCOMPARE(ProdutosDoFormulario(QString(), QString(), 300)->RecordCount(), 0);
        QCOMPARE(ProdutosDoFormulario(QString(), QString(), 300, 0)->RecordCount(), 1);

        Banco::UnidadeDeTrabalho unidade;
        Cadastros::Produto semGrupo;
        semGrupo.CodigoInterno = 400;
        semGrupo.Nome = u"Avulso"_s;
        Cadastros::GravarProduto(semGrupo);
        unidade.Confirmar();
        rs = ProdutosDoFormulario(QString(), QString(), 400);
        QCOMPARE(Valores(*rs, u"NomeDoGrupo|NomeDoSubgrupo"_s), u"|"_s);
    }

    void produtos_pelo_dialogo_data() {
        Colunas<QString, QList<qint64>>("texto", "esperados");
        QTest::newRow("vazio: todos os ativos, por nome") << QString() << QList<qint64>{123, 100, 200};
        QTest::newRow("nome sem acento") << u"racao caes"_s << QList<qint64>{100};
        QTest::newRow("código interno") << u"200"_s << QList<qint64>{200};
        QTest::newRow("código de barras") << u"7890000000017"_s << QList<qint64>{200};
        QTest::newRow("percentual literal") << u"50%"_s << QList<qint64>{200};
        QTest::newRow("só percentual") << u"%"_s << QList<qint64>{200};
        QTest::newRow("sublinhado") << u"_"_s << QList<qint64>{};
        QTest::newRow("parênteses") << u"(kg)"_s << QList<qint64>{123};
        QTest::newRow("SQL") << u"'; DELETE FROM Produtos; --"_s << QList<qint64>{};
    }

    void produtos_pelo_dialogo() { ConferirDialogo(ProdutosDoDialogo, "CodigoInterno", 3); }

    void servicos() {
        RecordsetPtr rs = ServicosDoFormulario(1, u"consulta"_s, 0);
        QCOMPARE(Codigos(*rs, "Codigo"), QList<qint64>{1}); // 5 is inactive
        QCOMPARE(Conteudo(*rs), QStringList{u"Codigo=1|Nome=Consulta clínica|Descricao=Descrição de Consulta "
                                            "clínica|NumeroDoTipoDeServico=1|Custo=48|ValorDeVenda=120"_s});
        // Type 0 is every type; a code of another type is not found within a type.
        QCOMPARE(Codigos(*ServicosDoFormulario(0, QString(), 3), "Codigo"), QList<qint64>{3});
        QCOMPARE(ServicosDoFormulario(1, QString(), 3)->RecordCount(), 0);
        QCOMPARE(Codigos(*ServicosDoFormulario(2, QString(), 3), "Codigo"), QList<qint64>{3});
    }

    void servicos_pelo_dialogo_data() {
        Colunas<QString, qint32, QList<qint64>>("texto", "tipo", "esperados");
        QTest::newRow("todos os tipos") << QString() << 0 << QList<qint64>{4, 3, 1, 2};
        QTest::newRow("um tipo") << QString() << 1 << QList<qint64>{1, 2};
        QTest::newRow("nome dentro do tipo") << u"v10"_s << 1 << QList<qint64>{2};
        QTest::newRow("código ou nome") << u"1"_s << 0 << QList<qint64>{1, 2};
        QTest::newRow("acentos") << u"CASTRACAO"_s << 0 << QList<qint64>{3};
        QTest::newRow("outro tipo") << u"castração"_s << 1 << QList<qint64>{};
        QTest::newRow("curinga") << u"_"_s << 0 << QList<qint64>{};
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
        QCOMPARE(nomes, (QStringList{u"Clínicos"_s, u"Cirurgia simples"_s, u"Cirurgia média"_s,
                                     u"Cirurgia complexa"_s, u"Banhos, tosas e estéticas"_s, u"Hospedagens"_s,
                                     u"Adestramentos"_s, u"Outros"_s}));
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
        // No promotion: empty dates, so the record form sees "none configured".
        const QString campos = u"NomeFantasia|QuantidadeDeDiasParaAValidadeDoOrcamento|"
                               "PermissaoParaAlterarADataDeValidadeDoOrcamento|DataInicialDaPromocao|"
                               "DataFinalDaPromocao|PercPromocaoDeDescontoNaVendaDeServico|"
                               "FormatoDeCodigoDeBarrasParaBalanca"_s;
        QCOMPARE(Valores(*rs, campos), u"Clínica Escola|10|Sim|||0|2"_s);

        QCOMPARE(empresa->Selecionar(1, 2), qint16(0));
        QCOMPARE(empresa->NomeFantasia, u"Clínica Escola"_s);
        QCOMPARE(empresa->FormatoDeCodigoDeBarrasParaBalanca, 2);
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 1);
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet(u"FormatoDeCodigoDeBarrasParaBalanca"_s).Value,
                 QVariant(qint32(2)));

        QCOMPARE(empresa->Selecionar(1, 3), qint16(2));
        QCOMPARE(empresa->DescricaoDaFalha, u"A seleção 1, 3 da empresa não é conhecida."_s);
        QCOMPARE(empresa->NumeroDoErro, 0L);

        {
            Banco::UnidadeDeTrabalho unidade;
            Cadastros::Empresa promocao;
            promocao.NomeFantasia = u"Clínica Escola"_s;
            promocao.DataInicialDaPromocao = QDate(2026, 3, 1);
            promocao.DataFinalDaPromocao = QDate(2026, 3, 31);
            promocao.PercPromocaoDeDescontoNaVendaDeServico = VB::CCur(u"12,5"_s);
            promocao.PermissaoParaAlterarADataDeValidadeDoOrcamento = false;
            Cadastros::GravarEmpresa(promocao);
            Cadastros::Empresa filial;
            filial.Codigo = 2;
            filial.NomeFantasia = u"Filial"_s;
            Cadastros::GravarEmpresa(filial);
            unidade.Confirmar();
        }
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        rs = empresa->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->RecordCount(), 2);
        QCOMPARE(Valores(*rs, campos), u"Clínica Escola|10|Não|01/03/2026|31/03/2026|12,5|0"_s);

        Banco::Executar(u"DELETE FROM Empresa"_s);
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);
        QCOMPARE(empresa->Selecionar(1, 2), qint16(0));
        QCOMPARE(empresa->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0);
        QCOMPARE(empresa->NomeFantasia, QString());

        msessao.reset();
        QCOMPARE(empresa->Selecionar(1, 2), qint16(1));
        QCOMPARE(empresa->NumeroDoErro, Banco::NumeroDoErroDeBanco);
        QCOMPARE(empresa->LocalDoErro, u"ZELT_N_Empresa, clsEmpresa, Selecionar"_s);
    }

    // The company and the service types, which a connection may keep, are read again
    // after another workstation changes them (the server's announcement arrives soon
    // after that workstation's COMMIT: the reads are retried until it does).
    void cadastros_alterados_por_outra_estacao_sao_lidos_de_novo() {
        auto empresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        auto tipos = Zelt::CriarObjeto<ZELT_N_TipoDeServ::clsTiposDeServ>(ProgId::TiposDeServ);
        const auto Dias = [&] {
            empresa->SelecionarNova(2, 0, 1, QString());
            return Valores(*empresa->ResultadoDaSelecaoEmRecordSet(),
                           u"QuantidadeDeDiasParaAValidadeDoOrcamento"_s);
        };
        const auto Tipo99 = [&] {
            double outros = 99;
            tipos->SelecionarParaComboBox(outros);
            return Valores(*tipos->ResultadoDaSelecaoEmRecordSet(), u"Nome"_s);
        };
        QCOMPARE(Dias(), u"10"_s);
        QCOMPARE(Tipo99(), u"Outros"_s);
        {
            QSqlDatabase outra = msessao->AbrirOutraConexao(u"outra_estacao"_s);
            QSqlQuery q(outra);
            QVERIFY(q.exec(u"UPDATE Empresa SET QuantidadeDeDiasParaAValidadeDoOrcamento = 15"_s));
            QVERIFY(q.exec(u"UPDATE TiposDeServicos SET Nome = 'Diversos' WHERE Numero = 99"_s));
        }
        msessao->FecharConexao(u"outra_estacao"_s);
        QTRY_COMPARE(Dias(), u"15"_s);
        QTRY_COMPARE(Tipo99(), u"Diversos"_s);
    }
};

QTEST_GUILESS_MAIN(TesteDosCadastros)
#include "tst_negocio_cadastros.moc"
