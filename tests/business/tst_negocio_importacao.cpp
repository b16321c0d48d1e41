// The import of a clinic's own registry from CSV files: a good set loads and can be
// loaded again; a set with a bad row loads nothing and names the file and the line.

#include "tests/business/TesteDeNegocio.h"

#include "business/Banco.h"
#include "business/Importacao.h"
#include "contracts/CriarObjeto.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace BancoDeTeste;
using VB::Currency;

namespace {

void Escrever(const QString& caminho, const QByteArray& conteudo) {
    QFile arquivo(caminho);
    QVERIFY(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    arquivo.write(conteudo);
}

const QByteArray Empresa =
    "NomeFantasia;RazaoSocial;QuantidadeDeDiasParaAValidadeDoOrcamento;"
    "PermissaoParaAlterarADataDeValidadeDoOrcamento;DataInicialDaPromocao;DataFinalDaPromocao;"
    "PercPromocaoDeDescontoNaVendaDeServico;FormatoDeCodigoDeBarrasParaBalanca\n"
    "Clínica Importada;Importada Ltda.;20;Sim;01/03/2026;31/03/2026;12,5;1\n";
const QByteArray Tipos = "Numero;Nome\r\n1;Clínica geral\r\n99;Diversos\r\n";
// With a byte-order mark, Windows line ends and a quoted field holding ";", quotes and a line break.
const QByteArray Clientes =
    "\xEF\xBB\xBF"
    "CodigoDoCliente;ApelidoOuNomeFantasia;NomeOuRazaoSocial;Situacao;Logradouro;Numero;Cidade;UF;Credito;"
    "VIP;"
    "CategoriaDaCurvaABC;DescontoUnico;PercentualUnicoDeDescontos;PercentualDeDescontoEmClinicos\r\n"
    "10;Ana;Ana Paula Souza;1;Rua A;10;Campinas;SP;1.234,56;Sim;A;Não;;5\r\n"
    "11;\"Bar \"\"do\"\" Zé; filial\";\"Zé\r\nFerreira ME\";3;;;;;;não;b;sim;7,5;\r\n"
    "\r\n"
    "12;Beto;Roberto Dias;2;;;;;0;;;;;\r\n";
const QByteArray Animais = "Codigo;CodigoDoCliente;Nome;Especie;DataDeNascimento\n"
                           "100;10;Totó;Cão;15/08/2020\n"
                           "101;11;Miau;Gato;\n";
const QByteArray Produtos =
    "CodigoInterno;CodigoDeBarras;Nome;NomeDoGrupo;NomeDoSubgrupo;ValorDeCusto;UnidadeDeVenda;ValorDeVenda;"
    "PercentualDeComissao;VendidoPorEtiquetaDeBalanca\n"
    "1;7891000100103;Ração X 1 kg;Rações;Cães;10,00;PC;19,90;5;Não\n"
    "2;;Ração a granel;Rações;A granel;8;KG;15,5;;Sim\n";
const QByteArray Servicos = "Codigo;Nome;Descricao;NumeroDoTipoDeServico;Custo;ValorDeVenda\n"
                            "1;Consulta;Consulta geral;1;40;100\n"
                            "2;Microchip;;99;30;80,00\n";

qint64 Contar(const char* tabela) {
    return Numero(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(tabela));
}

} // namespace

class TesteDaImportacao : public TesteDeNegocio {
    Q_OBJECT

    QString mpasta;

public:
    TesteDaImportacao() : TesteDeNegocio(Preparo::BancoVazio) {}

private:
    void Preparar() override {
        mpasta = msessao->Pasta().filePath(QStringLiteral("csv"));
        QVERIFY(QDir().mkpath(mpasta));
    }

    void EscreverConjuntoBom() {
        Escrever(mpasta + QStringLiteral("/empresa.csv"), Empresa);
        Escrever(mpasta + QStringLiteral("/tiposdeservicos.csv"), Tipos);
        Escrever(mpasta + QStringLiteral("/clientes.csv"), Clientes);
        Escrever(mpasta + QStringLiteral("/animais.csv"), Animais);
        Escrever(mpasta + QStringLiteral("/produtos.csv"), Produtos);
        Escrever(mpasta + QStringLiteral("/servicos.csv"), Servicos);
    }

    void NadaGravado() {
        for (const char* tabela :
             {"Empresa", "Clientes", "Animais", "Produtos", "Servicos", "GruposDeProdutos"})
            QVERIFY2(Contar(tabela) == 0, tabela);
        QCOMPARE(Banco::Valor(QStringLiteral("SELECT Nome FROM TiposDeServicos WHERE Numero = 1")).toString(),
                 QStringLiteral("Clínicos"));
    }

private slots:
    void conjunto_bom_carrega_tudo() {
        EscreverConjuntoBom();
        const Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY2(resultado.Sucesso, qPrintable(resultado.Erros.join(u'\n')));
        QCOMPARE(resultado.Erros, QStringList());
        QCOMPARE(resultado.Resumo, (QStringList{QStringLiteral("empresa.csv: 1 registros"),
                                                QStringLiteral("tiposdeservicos.csv: 2 registros"),
                                                QStringLiteral("clientes.csv: 3 registros"),
                                                QStringLiteral("animais.csv: 2 registros"),
                                                QStringLiteral("produtos.csv: 2 registros"),
                                                QStringLiteral("servicos.csv: 2 registros")}));

        auto empresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        QCOMPARE(Conteudo(*empresa->ResultadoDaSelecaoEmRecordSet()),
                 QStringList{QStringLiteral(
                     "Codigo=1|NomeFantasia=Clínica Importada|RazaoSocial=Importada Ltda.|"
                     "QuantidadeDeDiasParaAValidadeDoOrcamento=20|"
                     "PermissaoParaAlterarADataDeValidadeDoOrcamento=Sim|"
                     "DataInicialDaPromocao=01/03/2026|DataFinalDaPromocao=31/03/2026|"
                     "PercPromocaoDeDescontoNaVendaDeServico=12,5|PercPromocaoDeDescontoNaVendaDeProduto=0|"
                     "FormatoDeCodigoDeBarrasParaBalanca=1|Telefone=")});

        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        double codigo = 11;
        QCOMPARE(clientes->Selecionar(2, 0, 0, QString(), QString(), codigo, QString(), QString(), QString(),
                                      0, QString()),
                 QVariant(false));
        RecordsetPtr rs = clientes->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->Fields(QStringLiteral("ApelidoOuNomeFantasia")).Value.toString(),
                 QStringLiteral("Bar \"do\" Zé; filial"));
        QCOMPARE(rs->Fields(QStringLiteral("NomeOuRazaoSocial")).Value.toString(),
                 QStringLiteral("Zé\r\nFerreira ME"));
        QCOMPARE(rs->Fields(QStringLiteral("Situacao")).Value, QVariant(qint32(3)));
        QCOMPARE(rs->Fields(QStringLiteral("VIP")).Value.toString(), QStringLiteral("Não"));
        QCOMPARE(rs->Fields(QStringLiteral("CategoriaDaCurvaABC")).Value.toString(), QStringLiteral("B"));
        QCOMPARE(rs->Fields(QStringLiteral("DescontoUnico")).Value.toString(), QStringLiteral("Sim"));
        QCOMPARE(VB::CStr(rs->Fields(QStringLiteral("PercentualUnicoDeDescontos")).Value),
                 QStringLiteral("7,5"));
        // The imported names are searchable without accents.
        double zero = 0;
        QCOMPARE(clientes->Selecionar(2, 0, 0, QStringLiteral("ze ferreira"), QString(), zero, QString(),
                                      QString(), QString(), 0, QString()),
                 QVariant(false));
        QCOMPARE(clientes->ResultadoDaSelecaoEmRecordSet()->RecordCount(), 0); // the line break is in between
        QCOMPARE(clientes->Selecionar(2, 0, 0, QStringLiteral("ANA PAULA"), QString(), zero, QString(),
                                      QString(), QString(), 0, QString()),
                 QVariant(false));
        rs = clientes->ResultadoDaSelecaoEmRecordSet();
        QCOMPARE(rs->RecordCount(), 1);
        QCOMPARE(VB::CStr(rs->Fields(QStringLiteral("Credito")).Value), QStringLiteral("1234,56"));
        QCOMPARE(VB::CStr(rs->Fields(QStringLiteral("PercentualDeDescontoEmClinicos")).Value),
                 QStringLiteral("5"));
        QCOMPARE(rs->Fields(QStringLiteral("EnderecoCompleto")).Value.toString(),
                 QStringLiteral("Rua A, 10 - Campinas/SP"));

        QCOMPARE(Contar("Animais"), qint64(2));
        QCOMPARE(Banco::Valor(QStringLiteral("SELECT DataDeNascimento FROM Animais WHERE Codigo = 100"))
                     .toString(),
                 QStringLiteral("2020-08-15"));
        auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        QCOMPARE(produtos->Selecionar(2, 0, 1, QStringLiteral("granel")), QVariant(false));
        QCOMPARE(Conteudo(*produtos->ResultadoDaSelecaoEmRecordSet()),
                 QStringList{
                     QStringLiteral("CodigoInterno=2|CodigoDeBarras=|Nome=Ração a granel|NomeDoGrupo=Rações|"
                                    "NomeDoSubgrupo=A granel|ValorDeCusto=8|UnidadeDeCompra=UN|"
                                    "UnidadeDeVenda=KG|ValorDeVenda=15,5|PercentualDeComissao=0")});
        QCOMPARE(Banco::Valor(QStringLiteral(
                                  "SELECT VendidoPorEtiquetaDeBalanca FROM Produtos WHERE CodigoInterno = 2"))
                     .toInt(),
                 1);
        QCOMPARE(Contar("GruposDeProdutos"), qint64(1));
        QCOMPARE(Contar("SubgruposDeProdutos"), qint64(2));
        QCOMPARE(
            Banco::Valor(QStringLiteral("SELECT Nome FROM TiposDeServicos WHERE Numero = 99")).toString(),
            QStringLiteral("Diversos"));
        QCOMPARE(Contar("Servicos"), qint64(2));

        // Loading the same files again updates the same records.
        Escrever(mpasta + QStringLiteral("/servicos.csv"),
                 "Codigo;Nome;NumeroDoTipoDeServico;ValorDeVenda\n1;Consulta especial;1;150\n");
        const Importacao::Resultado denovo = Importacao::ImportarCadastros(mpasta);
        QVERIFY2(denovo.Sucesso, qPrintable(denovo.Erros.join(u'\n')));
        QCOMPARE(Contar("Clientes"), qint64(3));
        QCOMPARE(Contar("Servicos"), qint64(2));
        QCOMPARE(Banco::Valor(QStringLiteral("SELECT Nome FROM Servicos WHERE Codigo = 1")).toString(),
                 QStringLiteral("Consulta especial"));
        QCOMPARE(
            Banco::Valor(QStringLiteral("SELECT ValorDeVenda FROM Servicos WHERE Codigo = 1")).toLongLong(),
            qint64(1500000));
    }

    void uma_linha_ruim_nao_carrega_nada_data() {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QStringList>("erros");
        QTest::newRow("situação do cliente")
            << "clientes.csv" << QByteArray(Clientes).append("13;Caio;Caio Lima;7;;;;;;;;;;\r\n")
            << QStringList{
                   QStringLiteral("clientes.csv: linha 7: Situacao: valor '7' inválido; use 1 (ativo), 2 "
                                  "(inativo), 3 (bloqueado) ou 4 (excluído).")};
        QTest::newRow("animal de cliente desconhecido")
            << "animais.csv" << QByteArray(Animais).append("102;999;Rex;Cão;\n")
            << QStringList{QStringLiteral(
                   "animais.csv: linha 4: o cliente 999 não está cadastrado nem em clientes.csv.")};
        QTest::newRow("vários erros numa linha e em outra")
            << "produtos.csv"
            << QByteArray("CodigoInterno;Nome;ValorDeVenda;VendidoPorEtiquetaDeBalanca\n"
                          "1;Bom;10;Não\n"
                          "x;;1,2,3;talvez\n"
                          "3;Outro;-5;Sim\n")
            << QStringList{
                   QStringLiteral(
                       "produtos.csv: linha 3: CodigoInterno: valor 'x' inválido; informe um número inteiro "
                       "de 1 a 999999999999."),
                   QStringLiteral("produtos.csv: linha 3: Nome: não informado."),
                   QStringLiteral(
                       "produtos.csv: linha 3: ValorDeVenda: valor '1,2,3' inválido; informe um número de 0 "
                       "a 999.999.999,00, como 1.234,56."),
                   QStringLiteral(
                       "produtos.csv: linha 3: VendidoPorEtiquetaDeBalanca: valor 'talvez' inválido; use "
                       "Sim ou Não."),
                   QStringLiteral(
                       "produtos.csv: linha 4: ValorDeVenda: valor '-5' inválido; informe um número de 0 a "
                       "999.999.999,00, como 1.234,56.")};
        QTest::newRow("data inválida")
            << "animais.csv"
            << QByteArray("Codigo;CodigoDoCliente;Nome;DataDeNascimento\n100;10;Totó;31/02/2020\n")
            << QStringList{QStringLiteral("animais.csv: linha 2: DataDeNascimento: valor '31/02/2020' não é "
                                          "uma data válida (DD/MM/AAAA).")};
        QTest::newRow("código repetido")
            << "servicos.csv" << QByteArray(Servicos).append("1;Outra;;1;0;0\n")
            << QStringList{QStringLiteral("servicos.csv: linha 4: código 1 repetido no arquivo.")};
        QTest::newRow("tipo de serviço desconhecido")
            << "servicos.csv" << QByteArray("Codigo;Nome;NumeroDoTipoDeServico\n7;Tosa;8\n")
            << QStringList{QStringLiteral("servicos.csv: linha 2: o tipo de serviço 8 não está cadastrado "
                                          "nem em tiposdeservicos.csv.")};
        QTest::newRow("código de barras de outro produto")
            << "produtos.csv" << QByteArray(Produtos).append("3;7891000100103;Cópia;;;;;;;\n")
            << QStringList{
                   QStringLiteral("produtos.csv: linha 4: o código de barras 7891000100103 já pertence ao "
                                  "produto 1.")};
        // Values are printed as typed: a "%" in them is no place for another value.
        QTest::newRow("valores com %")
            << "produtos.csv"
            << QByteArray(Produtos).append("%3x;;Cópia %1;;;;;;;\n4;%2;Outra;;;;;;;\n5;%2;A;;;;;;;\n")
            << QStringList{
                   QStringLiteral(
                       "produtos.csv: linha 4: CodigoInterno: valor '%3x' inválido; informe um número "
                       "inteiro de 1 a 999999999999."),
                   QStringLiteral("produtos.csv: linha 6: o código de barras %2 já pertence ao produto 4.")};
        QTest::newRow("coluna desconhecida e coluna que falta")
            << "clientes.csv" << QByteArray("Codigo;Apelido\n1;Ana\n")
            << QStringList{QStringLiteral("clientes.csv: linha 1: coluna 'Codigo' desconhecida."),
                           QStringLiteral("clientes.csv: linha 1: coluna 'Apelido' desconhecida."),
                           QStringLiteral("clientes.csv: linha 1: falta a coluna 'CodigoDoCliente'."),
                           QStringLiteral("clientes.csv: linha 1: falta a coluna 'ApelidoOuNomeFantasia'."),
                           QStringLiteral("clientes.csv: linha 1: falta a coluna 'NomeOuRazaoSocial'.")};
        QTest::newRow("campos a menos")
            << "tiposdeservicos.csv" << QByteArray("Numero;Nome\n1;Clínica;sobra\n")
            << QStringList{
                   QStringLiteral("tiposdeservicos.csv: linha 2: a linha tem 3 campos e o cabeçalho tem 2.")};
        QTest::newRow("aspas sem fim")
            << "tiposdeservicos.csv" << QByteArray("Numero;Nome\n1;\"Clínica\n2;Outros\n")
            << QStringList{QStringLiteral("tiposdeservicos.csv: linha 2: aspas abertas e não fechadas.")};
        QTest::newRow("fora de UTF-8")
            << "tiposdeservicos.csv" << QByteArray("Numero;Nome\n1;Cl\xednica\n")
            << QStringList{QStringLiteral("tiposdeservicos.csv: o arquivo não está em UTF-8.")};
        QTest::newRow("arquivo vazio")
            << "tiposdeservicos.csv" << QByteArray()
            << QStringList{QStringLiteral(
                   "tiposdeservicos.csv: linha 1: falta a linha de cabeçalho com os nomes das colunas.")};
    }

    void uma_linha_ruim_nao_carrega_nada() {
        QFETCH(QString, arquivo);
        QFETCH(QByteArray, conteudo);
        QFETCH(QStringList, erros);
        EscreverConjuntoBom();
        Escrever(mpasta + u'/' + arquivo, conteudo);
        const Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY(!resultado.Sucesso);
        QCOMPARE(resultado.Erros, erros);
        QCOMPARE(resultado.Resumo, QStringList());
        NadaGravado();
    }

    void pasta_sem_arquivos() {
        Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY(!resultado.Sucesso);
        QCOMPARE(resultado.Erros.size(), 1);
        QVERIFY(
            resultado.Erros.first().startsWith(QStringLiteral("Nenhum arquivo de cadastro encontrado em ")));
        resultado = Importacao::ImportarCadastros(mpasta + QStringLiteral("/nao-existe"));
        QCOMPARE(resultado.Erros,
                 QStringList{QStringLiteral("A pasta %1/nao-existe não existe.").arg(mpasta)});
    }

    void comando_de_importacao() {
        if (!msessao->EhSQLite()) QSKIP("the command is run against a SQLite file");
        EscreverConjuntoBom();
        Escrever(mpasta + QStringLiteral("/animais.csv"), QByteArray(Animais).append("102;999;Rex;Cão;\n"));
        const QString banco = msessao->Pasta().filePath(QStringLiteral("comando.sqlite"));
        QProcess comando;
        comando.start(QStringLiteral(ZELT_IMPORTAR), {mpasta, QStringLiteral("--banco"), banco});
        QVERIFY(comando.waitForFinished(60000));
        QCOMPARE(comando.exitCode(), 1);
        const QString erros = QString::fromUtf8(comando.readAllStandardError());
        QVERIFY2(erros.contains(QStringLiteral("animais.csv: linha 4: o cliente 999 não está cadastrado")),
                 qPrintable(erros));
        QVERIFY(erros.contains(QStringLiteral("Nada foi importado.")));

        Escrever(mpasta + QStringLiteral("/animais.csv"), Animais);
        comando.start(QStringLiteral(ZELT_IMPORTAR), {mpasta, QStringLiteral("--banco"), banco});
        QVERIFY(comando.waitForFinished(60000));
        QCOMPARE(comando.exitCode(), 0);
        const QString saida = QString::fromUtf8(comando.readAllStandardOutput());
        QVERIFY2(saida.contains(QStringLiteral("clientes.csv: 3 registros")), qPrintable(saida));

        comando.start(QStringLiteral(ZELT_IMPORTAR), {});
        QVERIFY(comando.waitForFinished(60000));
        QCOMPARE(comando.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TesteDaImportacao)
#include "tst_negocio_importacao.moc"
