// ZELT_N_Orcamentos.clsOrcamentos on a real database: the list's selection, filters,
// search and paging, and the storing, changing and deleting of a quote with every
// answer the record form acts on.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using namespace GradeDeItens;
using VB::Currency;
using ZELT_N_Orcamentos::clsOrcamentos;

namespace {

const QDateTime Agora(QDate::currentDate(), QTime(10, 0, 0));

QString Data(const QDate& data) {
    return data.toString(u"dd/MM/yyyy"_s);
}

std::unique_ptr<clsOrcamentos> Orcamentos() {
    return Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
}

// The quote numbers of a selection, in its order.
QList<double> Numeros(Recordset& rs) {
    const QList<qint64> numeros = Codigos(rs, "NumeroDoOrcamento");
    return {numeros.begin(), numeros.end()};
}

// A write's answer with what it tells: "result|field validated|failure".
QString Resposta(qint16 resultado, const clsOrcamentos& orcamento) {
    return Juntos(resultado, orcamento.NomeDoCampoValidado, orcamento.DescricaoDaFalha);
}

// What a rejection case spoils in a valid quote (its grid's row 1 the consultation).
using Defeito = std::function<void(clsOrcamentos&, GradeEmMemoria&)>;

template <class T, class V> Defeito NoOrcamento(T clsOrcamentos::*campo, V valor) {
    return [=](clsOrcamentos& orcamento, GradeEmMemoria&) { orcamento.*campo = valor; };
}

Defeito NaCelula(Coluna coluna, const char* texto) {
    return [=](clsOrcamentos&, GradeEmMemoria& grade) {
        grade.DefinirCelula(1, coluna, QString::fromUtf8(texto));
    };
}

} // namespace

class TesteDosOrcamentos : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override { FixarRelogio(Agora); }

    // The "Data e hora da alteração" text the list shows for a quote ("" when never changed).
    QString AlteracaoLida(double numero) {
        RecordsetPtr lista = Lista(0, QString::number(numero));
        lista->MoveFirst();
        while (!lista->Eof() && lista->Fields(u"NumeroDoOrcamento"_s).Value.toDouble() != numero)
            lista->MoveNext();
        const QVariant valor = lista->Fields(u"DataEHoraDaAlteracao"_s).Value;
        return VB::IsNull(valor) ? QString() : VB::CStr(valor);
    }

private slots:
    void paginas_de_nenhum_e_de_13_orcamentos_com_6_por_pagina() {
        auto orcamentos = Orcamentos();
        qint16 tamanho = 6;
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        RecordsetPtr resultado = orcamentos->ResultadoDaSelecaoEmRecordSet();
        // Nothing stored: no page, and an empty page that still names its fields.
        QCOMPARE(Paginas(*resultado), u"0|0|-1"_s);
        RecordsetPtr vazia;
        orcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, vazia);
        QCOMPARE(vazia->RecordCount(), 0);
        QVERIFY(vazia->Eof());
        QCOMPARE(vazia->FieldName(0), u"NumeroDoOrcamento"_s);

        for (int i = 0; i < 13; ++i)
            QVERIFY(NovoOrcamento() > 0);
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        resultado = orcamentos->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(Paginas(*resultado), u"13|3|1"_s);

        const QList<QList<double>> esperadas{{13, 12, 11, 10, 9, 8}, {7, 6, 5, 4, 3, 2}, {1}};
        for (int pagina : {1, 2, 3, 2}) {
            resultado->SetAbsolutePage(pagina);
            RecordsetPtr linhas;
            orcamentos->PaginarResultadoDaSelecaoEmRecordset(tamanho, linhas);
            QCOMPARE(Numeros(*linhas), esperadas.at(pagina - 1));
            QCOMPARE(linhas->RecordCount(), static_cast<qint32>(esperadas.at(pagina - 1).size()));
            // The result stays on the page shown, so "previous" from it is one page back.
            QCOMPARE(resultado->AbsolutePage(), pagina);
            QCOMPARE(tamanho, qint16(6));
        }
        QCOMPARE(resultado->FieldsCount(), 16);

        // Another page size pages the same result again.
        qint16 outro = 5;
        resultado->SetAbsolutePage(3);
        RecordsetPtr linhas;
        orcamentos->PaginarResultadoDaSelecaoEmRecordset(outro, linhas);
        QCOMPARE(Numeros(*linhas), (QList<double>{3, 2, 1}));
        QCOMPARE(resultado->PageCount(), 3);

        // A page size of 0 means the default of 10, handed back to the caller.
        qint16 zero = 0;
        QCOMPARE(orcamentos->Selecionar(1, zero, 0, QString(), 0, 0), QVariant(false));
        QCOMPARE(zero, qint16(10));
        QCOMPARE(orcamentos->ResultadoDaSelecaoEmRecordSet()->PageCount(), 2);
    }

    void campos_da_lista_com_tipos_e_nulos() {
        const double numero = NovoOrcamento();
        QCOMPARE(numero, 1.0);
        RecordsetPtr lista = Lista();
        QCOMPARE(lista->RecordCount(), 1);
        auto campo = [&](const char* nome) { return lista->Fields(QString::fromLatin1(nome)).Value; };
        QCOMPARE(campo("NumeroDoOrcamento").typeId(), QMetaType::Double);
        QCOMPARE(campo("CodigoDoCliente").typeId(), QMetaType::Double);
        QCOMPARE(campo("DataDoOrcamento"), QVariant(Agora.date()));
        QCOMPARE(campo("DataDeValidadeDoOrcamento"), QVariant(Agora.date().addDays(10)));
        QCOMPARE(campo("ValorLiquido").value<Currency>(), Currency::DeInteiro(108));
        QCOMPARE(Valores(*lista,
                         u"NumeroDoOrcamento|DataDoOrcamento|CodigoDoCliente|ApelidoOuNomeFantasiaDoCliente|"
                         "NomeOuRazaoSocialDoCliente|ValorTotal|DescontoEmPercentual|DescontoEmValor|"
                         "ValorLiquido|Situacao|NomeDaSituacao|DataEHoraDaInclusao|UsuarioDaInclusao|"
                         "DataEHoraDaAlteracao|UsuarioDaAlteracao"_s),
                 u"1|%1|1|João|João da Silva|120|10|12|108|1|Ativo|%2|ANA|Null|Null"_s.arg(
                     Data(Agora.date()), Agora.toString(u"dd/MM/yyyy HH:mm:ss"_s)));
    }

    void filtro_de_situacao() {
        FixarRelogio(Agora.addDays(-40));
        const double antigo = NovoOrcamento();
        FixarRelogio(Agora.addDays(-30));
        const double limite = NovoOrcamento();
        FixarRelogio(Agora.addDays(-10));
        const double inativo = NovoOrcamento();
        FixarRelogio(Agora);
        const double novo = NovoOrcamento();
        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2 WHERE NumeroDoOrcamento = ?"_s,
                        {qint64(inativo)});

        QCOMPARE(Numeros(*Lista()), (QList<double>{novo, inativo, limite, antigo}));
        QCOMPARE(Numeros(*Lista(1)), (QList<double>{novo, limite, antigo}));
        QCOMPARE(Numeros(*Lista(2)), (QList<double>{inativo}));
        // "Recentes": today and the 30 days before, in any situation.
        QCOMPARE(Numeros(*Lista(3)), (QList<double>{novo, inativo, limite}));
        RecordsetPtr inativos = Lista(2);
        QCOMPARE(inativos->Fields(u"NomeDaSituacao"_s).Value.toString(), u"Inativo"_s);

        auto orcamentos = Orcamentos();
        qint16 tamanho = 6;
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 10, QString(), 0, 0), QVariant(true));
        QCOMPARE(orcamentos->NumeroDoErro, 5L);
        QCOMPARE(orcamentos->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcamentos, Selecionar"_s);
        QVERIFY(orcamentos->DescricaoDoErro.contains(u"situação 10"_s));
        // No selection has succeeded yet: no result to hand over.
        QCOMPARE(NumeroDoErro([&] { orcamentos->ResultadoDaSelecaoEmRecordSet(); }), 91L);
        // After a good selection, a failed one leaves the list what it showed.
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 2, QString(), 0, 0), QVariant(false));
        QCOMPARE(orcamentos->Selecionar(1, tamanho, -1, QString(), 0, 0), QVariant(true));
        QCOMPARE(Numeros(*orcamentos->ResultadoDaSelecaoEmRecordSet()), (QList<double>{inativo}));
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(false));
        QCOMPARE(orcamentos->NumeroDoErro, 0L);
    }

    void pesquisa_por_texto_data() {
        Colunas<QString, QList<double>>("texto", "esperados");
        // Quotes 1..5 are of clients 1 (João da Silva), 2 (Maria Antônia Gonçalves),
        // 3 ("Pet Shop 100% Feliz", "Feliz_Comércio Ltda."), 7 (O'Brien \ Barra) and 8.
        Linha("apelido sem acento", u"joao"_s, QList<double>{1});
        Linha("apelido com acento e maiúsculas", u"JOÃO"_s, QList<double>{1});
        Linha("parte do nome", u"silva"_s, QList<double>{1});
        Linha("nome com cedilha sem ela", u"goncalves"_s, QList<double>{2});
        Linha("nome com cedilha", u"Gonçalves"_s, QList<double>{2});
        Linha("acento no meio", u"antonia"_s, QList<double>{2});
        Linha("razão social", u"comercio ltda"_s, QList<double>{3});
        Linha("número do orçamento ou código 3", u"3"_s, QList<double>{3});
        Linha("código do cliente 7", u"7"_s, QList<double>{4});
        Linha("número do orçamento 5", u"5"_s, QList<double>{5});
        Linha("espaços em volta", u"  joao  "_s, QList<double>{1});
        Linha("percentual literal", u"100%"_s, QList<double>{3});
        Linha("só o sinal de percentual", u"%"_s, QList<double>{3});
        Linha("sublinhado literal", u"_"_s, QList<double>{3});
        Linha("percentual e sublinhado juntos", u"%_"_s, QList<double>{});
        Linha("barra invertida", u"\\"_s, QList<double>{4});
        Linha("barra invertida e espaço", u"\\ barra"_s, QList<double>{4});
        Linha("apóstrofo", u"'"_s, QList<double>{5, 4});
        Linha("o'brien", u"o'brien"_s, QList<double>{4});
        Linha("aspas duplas", u"\""_s, QList<double>{});
        Linha("palavras de SQL", u"DROP TABLE"_s, QList<double>{5});
        Linha("SELECT *", u"select *"_s, QList<double>{5});
        Linha("injeção", u"'; DROP TABLE Orcamentos; --"_s, QList<double>{});
        Linha("injeção com OR", u"' OR '1'='1"_s, QList<double>{});
        Linha("nada", u"xyz"_s, QList<double>{});
    }

    void pesquisa_por_texto() {
        QFETCH(QString, texto);
        QFETCH(QList<double>, esperados);
        for (const auto& [cliente, animal] :
             QList<std::pair<double, qint32>>{{1, 10}, {2, 12}, {3, 14}, {7, 0}, {8, 0}}) {
            if (animal == 0) {
                // Clients 7 and 8 get an animal for the occasion.
                Banco::Executar(
                    u"INSERT INTO Animais (Codigo, CodigoDoCliente, Nome) VALUES (?, ?, 'Bicho')"_s,
                    {qint64(cliente) * 10, qint64(cliente)});
                QVERIFY(NovoOrcamento(cliente, static_cast<qint32>(cliente) * 10) > 0);
            } else {
                QVERIFY(NovoOrcamento(cliente, animal) > 0);
            }
        }
        QCOMPARE(Numeros(*Lista(0, texto)), esperados);
        // Nothing was broken by the text: every quote is still there.
        QCOMPARE(Lista()->RecordCount(), 5);
        QCOMPARE(Numero("SELECT COUNT(*) FROM Clientes"), qint64(9));
    }

    void adicionar_grava_o_orcamento_e_seus_itens() {
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        // A weighed product: 1,250 kg at 16,90 = 21,125, shown as 21,13.
        grade.AdicionarProduto(u"2000123012500"_s, 123, 10, u"1,250"_s, u"16,90"_s, u"0,00"_s, u"0,00"_s,
                               u"21,13"_s, u"9,20"_s);
        DefinirTotais(*orcamento, u"141,13|8,50|12,00|129,13"_s);
        QCOMPARE(orcamento->Adicionar(), qint16(0));
        QCOMPARE(orcamento->CodigoGerado, 1.0);
        QVERIFY(orcamento->NomeDoCampoValidado.isEmpty());
        QVERIFY(orcamento->DescricaoDaFalha.isEmpty());

        GradeEmMemoria gravada = GradeEmMemoria::DoOrcamento(orcamento->CodigoGerado);
        QCOMPARE(gravada.Rows(), 3);
        const auto Celulas = [&](int linha) {
            QStringList celulas;
            for (Coluna c : {NumeroDoItem, NomeDoServicoOuProduto, TipoDeServicoOuCodigoDeBarras, Quantidade,
                             ValorTotal, Custo})
                celulas << gravada.TextMatrix(linha, c);
            return celulas.join(u'|');
        };
        QCOMPARE(Celulas(1), u"1|Consulta clínica|1|1|108|48"_s);
        QCOMPARE(Celulas(2), u"2|Ração a granel (kg)|2000123012500|1,25|21,13|9,2"_s);
        // Money is stored exactly, as integer ten-thousandths.
        QCOMPARE(Numero("SELECT Quantidade FROM ItensDeOrcamento WHERE NumeroDoItemDoOrcamento = 2"),
                 qint64(12500));
        QCOMPARE(Numero("SELECT ValorTotal FROM Orcamentos"), qint64(1411300));
    }

    void adicionar_sem_usuario_e_erro_91() {
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, nullptr);
        QCOMPARE(orcamento->Adicionar(), qint16(1));
        QCOMPARE(orcamento->NumeroDoErro, 91L);
        QCOMPARE(orcamento->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcamentos, Adicionar"_s);
        QVERIFY(!orcamento->DescricaoDoErro.isEmpty());
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos"), qint64(0));
    }

    void rejeicoes_data() {
        Colunas<Defeito, QString, QString>("defeito", "campo", "descricao");
        const QString financeiro =
            u" Para mais informações, entre em contato com o departamento financeiro."_s;
        const QString cliente = u"CodigoDoCliente"_s;
        const QString animal = u"CodigoDoAnimal"_s;
        const QString grade = u"GradeDeItensDoOrcamento"_s;
        const QString validade = u"DataDeValidadeDoOrcamento"_s;
        const auto Cliente = [](double codigo) {
            return NoOrcamento(&clsOrcamentos::CodigoDoCliente, codigo);
        };
        const auto Animal = [](qint32 codigo) { return NoOrcamento(&clsOrcamentos::CodigoDoAnimal, codigo); };
        const auto Validade = [](const QString& data) {
            return NoOrcamento(&clsOrcamentos::DataDeValidadeDoOrcamento, data);
        };
        Linha("sem cliente", Cliente(0), cliente, u"Selecione o cliente do orçamento."_s);
        Linha("cliente desconhecido", Cliente(99), cliente, u"O cliente 99 não está cadastrado."_s);
        Linha("cliente inativo", Cliente(4), cliente, u"Cliente inativo."_s + financeiro);
        Linha("cliente bloqueado", Cliente(5), cliente, u"Cliente bloqueado."_s + financeiro);
        Linha("cliente excluído", Cliente(6), cliente, u"Cliente excluído."_s + financeiro);
        Linha("sem animal", Animal(-1), animal, u"Selecione o animal do orçamento."_s);
        Linha("animal de outro cliente", Animal(12), animal, u"O animal 12 não pertence ao cliente 1."_s);
        Linha("animal do item de outro cliente", NaCelula(CodigoDoAnimal, "12"), animal,
              u"Item da linha 1: o animal 12 não pertence ao cliente 1."_s);
        Linha("sem itens", Defeito([](clsOrcamentos&, GradeEmMemoria& g) { g.RemoverLinha(1); }), grade,
              u"Inclua ao menos um item no orçamento."_s);
        Linha("sem grade", NoOrcamento(&clsOrcamentos::GradeDeItensDoOrcamento, nullptr), grade,
              u"Inclua ao menos um item no orçamento."_s);
        Linha("quantidade zero", NaCelula(Quantidade, "0"), grade,
              u"Item da linha 1: informe uma quantidade maior que 0 (zero)."_s);
        Linha("quantidade negativa", NaCelula(Quantidade, "-1"), grade,
              u"Item da linha 1: informe uma quantidade maior que 0 (zero)."_s);
        Linha("valor unitário zero", NaCelula(ValorUnitario, "0,00"), grade,
              u"Item da linha 1: informe um valor unitário maior que 0,00 (zero)."_s);
        Linha("desconto maior que o item", NaCelula(ValorDeDesconto, "130,00"), grade,
              u"Item da linha 1: o valor de desconto (130,00) não pode ser maior que o valor total do "
              "item (120,00)."_s);
        Linha("total do item errado", NaCelula(ValorTotal, "100,00"), grade,
              u"Item da linha 1: o valor total (100,00) não confere com quantidade × valor unitário − "
              "desconto (108,00)."_s);
        Linha("quantidade que não é número", NaCelula(Quantidade, "abc"), grade,
              u"Item da linha 1: a quantidade 'abc' não é um número válido."_s);
        Linha("tipo de lançamento desconhecido", NaCelula(TipoDeLancamento, "3"), grade,
              u"Item da linha 1: o tipo de lançamento '3' não é 1 (serviço) nem 2 (produto)."_s);
        Linha("serviço desconhecido", NaCelula(CodigoDoServicoOuProduto, "99"), grade,
              u"Item da linha 1: o serviço 99 não está cadastrado."_s);
        Linha("serviço desconhecido escrito com decimais", NaCelula(CodigoDoServicoOuProduto, "99,00"), grade,
              u"Item da linha 1: o serviço 99 não está cadastrado."_s);
        Linha("produto desconhecido na segunda linha", Defeito([](clsOrcamentos&, GradeEmMemoria& g) {
                  g.AdicionarProduto(QString(), 999, 10, u"1,000"_s, u"10,00"_s, u"0,00"_s, u"0,00"_s,
                                     u"10,00"_s);
              }),
              grade, u"Item da linha 2: o produto 999 não está cadastrado."_s);
        Linha("percentual acima de 100", NaCelula(PercentualDeDesconto, "101,00"), grade,
              u"Item da linha 1: o percentual de desconto não pode ser maior que 100%."_s);
        Linha("valor total do cabeçalho", NoOrcamento(&clsOrcamentos::ValorTotal, Currency::DeInteiro(130)),
              grade, u"O valor total do orçamento (130,00) não confere com a soma dos itens (120,00)."_s);
        Linha("desconto do cabeçalho", NoOrcamento(&clsOrcamentos::DescontoEmValor, Currency::DeInteiro(10)),
              grade,
              u"O valor do desconto do orçamento (10,00) não confere com a soma dos descontos dos "
              "itens (12,00)."_s);
        Linha("líquido do cabeçalho", NoOrcamento(&clsOrcamentos::ValorLiquido, Currency::DeInteiro(110)),
              grade, u"O valor líquido do orçamento (110,00) não confere com os itens (108,00)."_s);
        Linha("percentual do cabeçalho",
              NoOrcamento(&clsOrcamentos::DescontoEmPercentual, Currency::DeInteiro(12)), grade,
              u"O percentual de desconto do orçamento (12,00) não confere com os itens (10,00)."_s);
        Linha("validade inexistente", Validade(u"31/02/2030"_s), validade,
              u"A data de validade do orçamento ('31/02/2030') não é uma data válida: informe-a como "
              "DD/MM/AAAA."_s);
        Linha("validade vazia", Validade(QString()), validade,
              u"A data de validade do orçamento ('') não é uma data válida: informe-a como DD/MM/AAAA."_s);
        Linha("validade de ontem", Validade(Data(Agora.date().addDays(-1))), validade,
              u"A data de validade do orçamento (%1) não pode ser anterior à data do orçamento (%2)."_s.arg(
                  Data(Agora.date().addDays(-1)), Data(Agora.date())));
    }

    void rejeicoes() {
        QFETCH(Defeito, defeito);
        QFETCH(QString, campo);
        QFETCH(QString, descricao);
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        defeito(*orcamento, grade);

        QCOMPARE(Resposta(orcamento->Adicionar(), *orcamento), u"2|"_s + campo + u'|' + descricao);
        QCOMPARE(orcamento->NumeroDoErro, 0L);
        QCOMPARE(orcamento->CodigoGerado, 0.0);
        QCOMPARE(Numero("SELECT (SELECT COUNT(*) FROM Orcamentos) + (SELECT COUNT(*) FROM ItensDeOrcamento)"),
                 qint64(0));

        // The same object, corrected, stores the quote and forgets the rejection.
        GradeEmMemoria boa;
        auto valido = OrcamentoValido(boa, musuario.get());
        orcamento->CodigoDoCliente = valido->CodigoDoCliente;
        orcamento->CodigoDoAnimal = valido->CodigoDoAnimal;
        DefinirTotais(*orcamento, u"120,00|10,00|12,00|108,00"_s);
        orcamento->DataDeValidadeDoOrcamento = valido->DataDeValidadeDoOrcamento;
        orcamento->GradeDeItensDoOrcamento = &boa;
        QCOMPARE(Resposta(orcamento->Adicionar(), *orcamento), u"0||"_s);
    }

    // The counter's rules hold whatever path the values came by: a clerk's call with the
    // values her form locks is rejected and stores nothing; client 1's own 10 % passes.
    void regras_do_balcao_data() {
        Colunas<bool, bool, bool, QString, QString, QString>("administrador", "descontos", "produto",
                                                             "unitario", "percentual", "descricao");
        const QString preco =
            u"Item da linha 1: o valor unitário (0,10) difere do preço de venda do cadastro "
            "(%1), e este usuário não tem permissão para alterá-lo."_s;
        const QString desconto = u"Item da linha 1: o desconto (%1%, %2) é maior que o do cadastro para este "
                                 "cliente (%3%), e este usuário não tem permissão para alterar descontos."_s;
        Linha("balconista, produto a 0,10", false, false, true, u"0,10"_s, u"0,00"_s, preco.arg(u"219,90"_s));
        Linha("balconista, serviço a 0,10", false, false, false, u"0,10"_s, u"0,00"_s,
              preco.arg(u"120,00"_s));
        Linha("balconista, 50% no serviço", false, false, false, u"120,00"_s, u"50,00"_s,
              desconto.arg(u"50,00"_s, u"60,00"_s, u"10,00"_s));
        Linha("balconista, 10% no produto", false, false, true, u"219,90"_s, u"10,00"_s,
              desconto.arg(u"10,00"_s, u"21,99"_s, u"0,00"_s));
        Linha("balconista, o desconto do cliente", false, false, false, u"120,00"_s, u"10,00"_s, QString());
        Linha("com permissão de descontos, 50%", false, true, false, u"120,00"_s, u"50,00"_s, QString());
        Linha("com permissão de descontos, produto a 0,10", false, true, true, u"0,10"_s, u"0,00"_s,
              preco.arg(u"219,90"_s));
        Linha("administrador, 50% a 0,10", true, false, true, u"0,10"_s, u"50,00"_s, QString());
    }

    void regras_do_balcao() {
        QFETCH(bool, administrador);
        QFETCH(bool, descontos);
        QFETCH(bool, produto);
        QFETCH(QString, unitario);
        QFETCH(QString, percentual);
        QFETCH(QString, descricao);
        auto usuario = Usuario(u"BIA"_s, administrador);
        usuario->setProperty("PermissaoDoModuloCaixaAlterarDescontosDeVendas", descontos);
        const Currency bruto = VB::CCur(unitario);
        const Currency valor = Currency::DeDouble((bruto * VB::CCur(percentual)).ParaDouble() / 100);
        const auto Texto = [](Currency c) { return VB::Format(QVariant::fromValue(c), u"#,##0.00"_s); };
        GradeEmMemoria grade;
        if (produto)
            grade.AdicionarProduto(u"7891234567895"_s, 100, 10, u"1,000"_s, unitario, percentual,
                                   Texto(valor), Texto(bruto - valor));
        else
            grade.AdicionarServico(1, 1, 10, u"1"_s, unitario, percentual, Texto(valor),
                                   Texto(bruto - valor));
        auto orcamento =
            Orcamento(grade, usuario.get(),
                      u"%1|%2|%3|%4"_s.arg(Texto(bruto), percentual, Texto(valor), Texto(bruto - valor)));
        QCOMPARE(Resposta(orcamento->Adicionar(), *orcamento),
                 descricao.isEmpty() ? u"0||"_s : u"2|GradeDeItensDoOrcamento|"_s + descricao);
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(descricao.isEmpty() ? 1 : 0));
    }

    // A stored item keeps its stored price after the registry's changed, for a clerk too;
    // what she changes is checked against the registry.
    void balconista_altera_item_de_preco_antigo() {
        const double numero = NovoOrcamento();
        Banco::Executar(u"UPDATE Servicos SET ValorDeVenda = 1300000 WHERE Codigo = 1"_s);
        const auto balconista = Usuario(u"BIA"_s, false);
        GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
        auto orcamento = Orcamento(grade, balconista.get(), u"120,00|10,00|12,00|108,00"_s, numero);
        QCOMPARE(orcamento->Alterar(), qint16(0));
        orcamento->DataEHoraDaAlteracaoLida = AlteracaoLida(numero);
        grade.DefinirCelula(1, ValorUnitario, u"100,00"_s);
        grade.DefinirCelula(1, ValorDeDesconto, u"10,00"_s);
        grade.DefinirCelula(1, ValorTotal, u"90,00"_s);
        DefinirTotais(*orcamento, u"100,00|10,00|10,00|90,00"_s);
        QCOMPARE(
            Resposta(orcamento->Alterar(), *orcamento),
            u"2|GradeDeItensDoOrcamento|Item da linha 1: o valor unitário (100,00) difere do preço de venda "
            "do cadastro (130,00), e este usuário não tem permissão para alterá-lo."_s);
        QCOMPARE(Numero("SELECT ValorUnitario FROM ItensDeOrcamento"), qint64(1200000));
    }

    void arredondamentos_de_centavos_sao_aceitos() {
        // 1,255 × 10,33 = 12,96415: the grid shows 12,96 and the totals 12,96.
        GradeEmMemoria grade;
        grade.AdicionarProduto(QString(), 100, 10, u"1,255"_s, u"10,33"_s, u"0,00"_s, u"0,00"_s, u"12,96"_s);
        grade.AdicionarLinhaEmBranco();                          // a blank spare row is no item
        auto orcamento = OrcamentoValido(grade, musuario.get()); // its consultation is row 3
        DefinirTotais(*orcamento, u"132,96|9,03|12,00|120,96"_s);
        QCOMPARE(orcamento->Adicionar(), qint16(0));
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(2));

        // A cent more is not a rounding.
        GradeEmMemoria errada;
        errada.AdicionarProduto(QString(), 100, 10, u"1,255"_s, u"10,33"_s, u"0,00"_s, u"0,00"_s, u"12,97"_s);
        orcamento->GradeDeItensDoOrcamento = &errada;
        DefinirTotais(*orcamento, u"12,96|0|0|12,96"_s);
        QCOMPARE(Resposta(orcamento->Adicionar(), *orcamento).section(u'|', 0, 1),
                 u"2|GradeDeItensDoOrcamento"_s);
    }

    void alterar_guarda_itens_e_carimbos() {
        const double numero = NovoOrcamento();
        GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
        QCOMPARE(grade.Rows(), 2);
        QCOMPARE(grade.TextMatrix(1, NumeroDoItem) + grade.TextMatrix(1, Quantidade) + u'|' +
                     grade.TextMatrix(1, ValorTotal),
                 u"11|108"_s);
        // A product is added in change mode.
        grade.AdicionarProduto(u"7891234567895"_s, 100, 10, u"1,000"_s, u"219,90"_s, u"0,00"_s, u"0,00"_s,
                               u"219,90"_s, u"145,00"_s);
        auto beto = Usuario(u"BETO"_s);
        auto orcamento = Orcamento(grade, beto.get(), u"339,90|3,53|12,00|327,90"_s, numero);
        orcamento->DataDeValidadeDoOrcamento = Data(Agora.date().addDays(20));
        orcamento->DataEHoraDaAlteracaoLida = AlteracaoLida(numero);
        QCOMPARE(orcamento->DataEHoraDaAlteracaoLida, QString());
        QCOMPARE(orcamento->Alterar(), qint16(0));
        QCOMPARE(orcamento->CodigoGerado, numero);

        // Same second as the inclusion: the stamp is one second later.
        const QString primeira = AlteracaoLida(numero);
        QCOMPARE(primeira, Agora.addSecs(1).toString(u"dd/MM/yyyy HH:mm:ss"_s));
        QCOMPARE(Valores(*Lista(),
                         u"UsuarioDaAlteracao|UsuarioDaInclusao|ValorLiquido|DataDeValidadeDoOrcamento"_s),
                 u"BETO|ANA|327,9|%1"_s.arg(Data(Agora.date().addDays(20))));

        GradeEmMemoria depois = GradeEmMemoria::DoOrcamento(numero);
        QCOMPARE(depois.Rows(), 3);
        // The untouched item keeps no alteration.
        QCOMPARE((QStringList{depois.TextMatrix(1, NumeroDoItem), depois.TextMatrix(1, DataEHoraDaAlteracao),
                              depois.TextMatrix(2, NumeroDoItem), depois.TextMatrix(2, UsuarioDaInclusao)}),
                 (QStringList{u"1"_s, QString(), u"2"_s, u"BETO"_s}));

        // The item taken back for change comes back as a new row: the old number is gone
        // and never handed out again.
        depois.RemoverLinha(1);
        depois.AdicionarServico(1, 1, 10, u"2"_s, u"120,00"_s, u"10,00"_s, u"24,00"_s, u"216,00"_s,
                                u"48,00"_s);
        orcamento->GradeDeItensDoOrcamento = &depois;
        DefinirTotais(*orcamento, u"459,90|5,22|24,00|435,90"_s);
        orcamento->DataEHoraDaAlteracaoLida = primeira;
        QCOMPARE(orcamento->Alterar(), qint16(0));
        const QString segunda = AlteracaoLida(numero);
        QCOMPARE(segunda, Agora.addSecs(2).toString(u"dd/MM/yyyy HH:mm:ss"_s));
        QCOMPARE(Inteiros(u"SELECT NumeroDoItemDoOrcamento FROM ItensDeOrcamento ORDER BY 1"_s),
                 (QList<qint64>{2, 3}));

        // A stamp read before the last change: refused, nothing stored.
        orcamento->DataEHoraDaAlteracaoLida = primeira;
        orcamento->ValorLiquido = Currency::DeInteiro(1);
        QCOMPARE(
            Resposta(orcamento->Alterar(), *orcamento),
            u"3||O orçamento 1 foi alterado por BETO em %1, depois que este formulário o leu. As "
            "alterações não foram gravadas: feche o formulário e abra o orçamento novamente."_s.arg(segunda));
        QCOMPARE(AlteracaoLida(numero), segunda);
        // A quote never changed is read with an empty text; any other text is stale.
        orcamento->DataEHoraDaAlteracaoLida.clear();
        QCOMPARE(orcamento->Alterar(), qint16(3));
    }

    void alterar_recusas_e_rejeicoes() {
        const double numero = NovoOrcamento();
        GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
        auto orcamento = Orcamento(grade, musuario.get(), u"120,00|10,00|12,00|108,00"_s, 999);
        QCOMPARE(
            Resposta(orcamento->Alterar(), *orcamento).section(u'|', 0, 0) + orcamento->DescricaoDaFalha,
            u"3O orçamento 999 não existe mais: ele foi excluído por outro usuário. As alterações não foram "
            "gravadas."_s);
        orcamento->NumeroDoOrcamento = numero;

        orcamento->CodigoDoCliente = 2;
        orcamento->CodigoDoAnimal = 12;
        QCOMPARE(Resposta(orcamento->Alterar(), *orcamento),
                 u"2|CodigoDoCliente|O cliente de um orçamento já gravado não pode ser trocado."_s);
        orcamento->CodigoDoCliente = 1;
        orcamento->CodigoDoAnimal = 10;

        // An item the grid still shows but another workstation removed meanwhile.
        grade.DefinirCelula(1, NumeroDoItem, u"77"_s);
        QCOMPARE(orcamento->Alterar(), qint16(3));
        QVERIFY(orcamento->DescricaoDaFalha.startsWith(u"O item 77 do orçamento 1 foi removido"_s));
        grade.DefinirCelula(1, NumeroDoItem, u"1"_s);

        // A quote of 40 days ago may not get a validity before its own date.
        Banco::Executar(u"UPDATE Orcamentos SET DataDoOrcamento = ?"_s,
                        {Banco::DataIso(Agora.date().addDays(-40))});
        orcamento->DataDeValidadeDoOrcamento = Data(Agora.date().addDays(-41));
        QCOMPARE(Resposta(orcamento->Alterar(), *orcamento).section(u'|', 0, 1),
                 u"2|DataDeValidadeDoOrcamento"_s);
        orcamento->DataDeValidadeDoOrcamento = Data(Agora.date().addDays(-30));
        QCOMPARE(orcamento->Alterar(), qint16(0));

        Banco::Executar(u"UPDATE Orcamentos SET Situacao = 2"_s);
        orcamento->DataEHoraDaAlteracaoLida = AlteracaoLida(numero);
        QCOMPARE(Resposta(orcamento->Alterar(), *orcamento),
                 u"2|Situacao|O orçamento 1 está inativo e não pode mais ser alterado."_s);
        QCOMPARE(Resposta(orcamento->Excluir(), *orcamento),
                 u"2|Situacao|O orçamento 1 está inativo e não pode mais ser excluído."_s);
    }

    void excluir() {
        const double numero = NovoOrcamento();
        const double outro = NovoOrcamento();
        GradeEmMemoria grade = GradeEmMemoria::DoOrcamento(numero);
        auto orcamento = Orcamentos();
        orcamento->NumeroDoOrcamento = numero;
        orcamento->GradeDeItensDoOrcamento = &grade;
        orcamento->DataEHoraDaAlteracaoLida = u"05/12/2026 14:30:00"_s;
        QCOMPARE(orcamento->Excluir(), qint16(3));
        QVERIFY(orcamento->DescricaoDaFalha.endsWith(
            u"O orçamento não foi excluído: feche o formulário e abra o orçamento novamente."_s));
        QCOMPARE(Numero("SELECT COUNT(*) FROM Orcamentos"), qint64(2));

        orcamento->DataEHoraDaAlteracaoLida.clear();
        QCOMPARE(orcamento->Excluir(), qint16(0));
        QCOMPARE(orcamento->CodigoGerado, numero);
        QCOMPARE(Numeros(*Lista()), (QList<double>{outro}));
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), qint64(1));

        QCOMPARE(orcamento->Excluir(), qint16(3));
        QVERIFY(orcamento->DescricaoDaFalha.startsWith(u"O orçamento 1 não existe mais"_s));
        // A deleted quote's number is never handed out again.
        QCOMPARE(NovoOrcamento(), 3.0);
    }

    void uma_falha_no_meio_nao_deixa_nada_gravado() {
        // A trigger makes the second item's insert fail, after the header was written.
        if (msessao->EhSQLite()) {
            Banco::Executar(u"CREATE TRIGGER FalhaSimulada BEFORE INSERT ON ItensDeOrcamento WHEN "
                            "NEW.NumeroDoItemDoOrcamento = 2 BEGIN SELECT RAISE(ABORT, 'falha simulada'); "
                            "END"_s);
        } else {
            Banco::Executar(u"CREATE FUNCTION FalhaSimulada() RETURNS trigger AS $$ BEGIN IF "
                            "NEW.NumeroDoItemDoOrcamento = 2 THEN RAISE EXCEPTION 'falha simulada'; END "
                            "IF; RETURN NEW; END $$ LANGUAGE plpgsql"_s);
            Banco::Executar(u"CREATE TRIGGER FalhaSimulada BEFORE INSERT ON ItensDeOrcamento FOR EACH ROW "
                            "EXECUTE FUNCTION FalhaSimulada()"_s);
        }
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        grade.AdicionarServico(1, 2, 10, u"1"_s, u"90,00"_s, u"0,00"_s, u"0,00"_s, u"90,00"_s);
        DefinirTotais(*orcamento, u"210,00|5,71|12,00|198,00"_s);
        QCOMPARE(orcamento->Adicionar(), qint16(1));
        QCOMPARE(orcamento->NumeroDoErro, Banco::NumeroDoErroDeBanco);
        QVERIFY(orcamento->DescricaoDoErro.contains(u"falha simulada"_s));
        QCOMPARE(orcamento->LocalDoErro, u"ZELT_N_Orcamentos, clsOrcamentos, Adicionar"_s);
        QCOMPARE(Numero("SELECT (SELECT COUNT(*) FROM Orcamentos) + (SELECT COUNT(*) FROM ItensDeOrcamento)"),
                 qint64(0));
    }

    void sem_banco_aberto_o_objeto_responde_com_erro() {
        auto orcamentos = Orcamentos();
        msessao.reset();
        qint16 tamanho = 6;
        QCOMPARE(orcamentos->Selecionar(1, tamanho, 0, QString(), 0, 0), QVariant(true));
        QCOMPARE(orcamentos->NumeroDoErro, Banco::NumeroDoErroDeBanco);
        QVERIFY(orcamentos->DescricaoDoErro.contains(u"não está aberto"_s));
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        QCOMPARE(orcamento->Adicionar(), qint16(1));
    }
};

QTEST_GUILESS_MAIN(TesteDosOrcamentos)
#include "tst_negocio_orcamentos.moc"
