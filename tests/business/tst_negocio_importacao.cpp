// The import of a clinic's own registry from CSV files: a good set loads and can be
// loaded again; a set with a bad row loads nothing and names the file and the line.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include "business/Importacao.h"

using namespace Qt::StringLiterals;

using namespace BancoDeTeste;
using VB::Currency;

namespace {

const QByteArray Empresa =
    "NomeFantasia;RazaoSocial;QuantidadeDeDiasParaAValidadeDoOrcamento;"
    "PermissaoParaAlterarADataDeValidadeDoOrcamento;DataInicialDaPromocao;DataFinalDaPromocao;"
    "PercPromocaoDeDescontoNaVendaDeServico;FormatoDeCodigoDeBarrasParaBalanca\n"
    "Clínica Importada;Importada Ltda.;20;Sim;01/03/2026;31/03/2026;12,5;1\n";
const QByteArray Tipos = "Numero;Nome\r\n1;Clínica geral\r\n99;Diversos\r\n";
// With a byte-order mark, Windows line ends and a quoted field holding ";" and quotes.
const QByteArray Clientes =
    "\xEF\xBB\xBF"
    "CodigoDoCliente;ApelidoOuNomeFantasia;NomeOuRazaoSocial;Situacao;Logradouro;Numero;Cidade;UF;Credito;"
    "VIP;"
    "CategoriaDaCurvaABC;DescontoUnico;PercentualUnicoDeDescontos;PercentualDeDescontoEmClinicos\r\n"
    "10;Ana;Ana Paula Souza;1;Rua A;10;Campinas;SP;1.234,56;Sim;A;Não;;5\r\n"
    "11;\"Bar \"\"do\"\" Zé; filial\";\"Zé Ferreira ME\";3;;;;;;não;b;sim;7,5;\r\n"
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

// Two packages, the second's name holding ";", its bands out of order.
const QByteArray Pacotes = "Pacote;Especie;PesoInicial;PesoFinal;Tipo;Codigo;Quantidade;SeNecessario\n"
                           "Castração de gata;gato;0;4;Serviço;1;1;\n"
                           "Castração de gata;Gato;0;4;Produto;2;0,5;Sim\n"
                           "\"Banho; tosa\";;10;30;Serviço;2;1;Não\n"
                           "\"Banho; tosa\";;0;10;servico;1;2;\n";

qint64 Contar(const char* tabela) {
    return Numero(u"SELECT COUNT(*) FROM "_s + QString::fromLatin1(tabela));
}

} // namespace

class TesteDaImportacao : public TesteDeNegocio {
    Q_OBJECT

    QString mpasta;

public:
    TesteDaImportacao() : TesteDeNegocio(Preparo::BancoVazio) {}

private:
    void Preparar() override {
        mpasta = msessao->Pasta().filePath(u"csv"_s);
        QVERIFY(QDir().mkpath(mpasta));
    }

    void EscreverConjuntoBom() {
        QVERIFY(EscreverArquivo(mpasta + u"/empresa.csv"_s, Empresa));
        QVERIFY(EscreverArquivo(mpasta + u"/tiposdeservicos.csv"_s, Tipos));
        QVERIFY(EscreverArquivo(mpasta + u"/clientes.csv"_s, Clientes));
        QVERIFY(EscreverArquivo(mpasta + u"/animais.csv"_s, Animais));
        QVERIFY(EscreverArquivo(mpasta + u"/produtos.csv"_s, Produtos));
        QVERIFY(EscreverArquivo(mpasta + u"/servicos.csv"_s, Servicos));
    }

    void NadaGravado() {
        for (const char* tabela : {"Empresa", "Clientes", "Animais", "Produtos", "Servicos",
                                   "GruposDeProdutos", "PacotesDeProcedimentos"})
            QVERIFY2(Contar(tabela) == 0, tabela);
        QCOMPARE(Consulta("SELECT Nome FROM TiposDeServicos WHERE Numero = 1"), u"Clínicos"_s);
    }

private slots:
    void conjunto_bom_carrega_tudo() {
        EscreverConjuntoBom();
        const Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY2(resultado.Sucesso, qPrintable(resultado.Erros.join(u'\n')));
        QCOMPARE(resultado.Erros, QStringList());
        QCOMPARE(resultado.Resumo,
                 (QStringList{u"empresa.csv: 1 registros"_s, u"tiposdeservicos.csv: 2 registros"_s,
                              u"clientes.csv: 3 registros"_s, u"animais.csv: 2 registros"_s,
                              u"produtos.csv: 2 registros"_s, u"servicos.csv: 2 registros"_s}));

        auto empresa = Zelt::CriarObjeto<ZELT_N_Empresa::clsEmpresa>(ProgId::Empresa);
        QCOMPARE(empresa->SelecionarNova(2, 0, 1, QString()), QVariant(false));
        QCOMPARE(Conteudo(*empresa->ResultadoDaSelecaoEmRecordSet()),
                 QStringList{
                     u"Codigo=1|NomeFantasia=Clínica Importada|RazaoSocial=Importada Ltda.|"
                     "QuantidadeDeDiasParaAValidadeDoOrcamento=20|"
                     "PermissaoParaAlterarADataDeValidadeDoOrcamento=Sim|"
                     "DataInicialDaPromocao=01/03/2026|DataFinalDaPromocao=31/03/2026|"
                     "PercPromocaoDeDescontoNaVendaDeServico=12,5|PercPromocaoDeDescontoNaVendaDeProduto=0|"
                     "FormatoDeCodigoDeBarrasParaBalanca=1|Telefone="_s});

        RecordsetPtr rs = ClientesDoFormulario(QString(), 11);
        QCOMPARE(rs->Fields(u"Situacao"_s).Value, QVariant(qint32(3)));
        QCOMPARE(Valores(*rs, u"ApelidoOuNomeFantasia|NomeOuRazaoSocial|VIP|CategoriaDaCurvaABC|"
                              "DescontoUnico|PercentualUnicoDeDescontos"_s),
                 u"Bar \"do\" Zé; filial|Zé Ferreira ME|Não|B|Sim|7,5"_s);
        // The imported names are searchable without accents.
        QCOMPARE(ClientesDoDialogo(u"ze ferreira"_s)->RecordCount(), 1);
        rs = ClientesDoDialogo(u"ANA PAULA"_s);
        QCOMPARE(rs->RecordCount(), 1);
        QCOMPARE(Valores(*rs, u"Credito|PercentualDeDescontoEmClinicos|EnderecoCompleto"_s),
                 u"1234,56|5|Rua A, 10 - Campinas/SP"_s);

        QCOMPARE(Contar("Animais"), qint64(2));
        QCOMPARE(Consulta("SELECT DataDeNascimento FROM Animais WHERE Codigo = 100"), u"2020-08-15"_s);
        auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        QCOMPARE(produtos->Selecionar(2, 0, 1, u"granel"_s), QVariant(false));
        QCOMPARE(Conteudo(*produtos->ResultadoDaSelecaoEmRecordSet()),
                 QStringList{u"CodigoInterno=2|CodigoDeBarras=|Nome=Ração a granel|NomeDoGrupo=Rações|"
                             "NomeDoSubgrupo=A granel|ValorDeCusto=8|UnidadeDeCompra=UN|"
                             "UnidadeDeVenda=KG|ValorDeVenda=15,5|PercentualDeComissao=0"_s});
        QCOMPARE(Numero("SELECT VendidoPorEtiquetaDeBalanca FROM Produtos WHERE CodigoInterno = 2"), 1);
        QCOMPARE(Contar("GruposDeProdutos"), qint64(1));
        QCOMPARE(Contar("SubgruposDeProdutos"), qint64(2));
        QCOMPARE(Consulta("SELECT Nome FROM TiposDeServicos WHERE Numero = 99"), u"Diversos"_s);
        QCOMPARE(Contar("Servicos"), qint64(2));

        // Loading the same files again updates the same records.
        QVERIFY(
            EscreverArquivo(mpasta + u"/servicos.csv"_s,
                            "Codigo;Nome;NumeroDoTipoDeServico;ValorDeVenda\n1;Consulta especial;1;150\n"));
        const Importacao::Resultado denovo = Importacao::ImportarCadastros(mpasta);
        QVERIFY2(denovo.Sucesso, qPrintable(denovo.Erros.join(u'\n')));
        QCOMPARE(Contar("Clientes"), qint64(3));
        QCOMPARE(Contar("Servicos"), qint64(2));
        QCOMPARE(Consulta("SELECT Nome FROM Servicos WHERE Codigo = 1"), u"Consulta especial"_s);
        QCOMPARE(Numero("SELECT ValorDeVenda FROM Servicos WHERE Codigo = 1"), qint64(1500000));
    }

    void uma_linha_ruim_nao_carrega_nada_data() {
        Colunas<QString, QByteArray, QStringList>("arquivo", "conteudo", "erros");
        Linha("situação do cliente", "clientes.csv",
              QByteArray(Clientes).append("13;Caio;Caio Lima;7;;;;;;;;;;\r\n"),
              QStringList{u"clientes.csv: linha 6: Situacao: valor '7' inválido; use 1 (ativo), 2 "
                          "(inativo), 3 (bloqueado) ou 4 (excluído)."_s});
        Linha("animal de cliente desconhecido", "animais.csv",
              QByteArray(Animais).append("102;999;Rex;Cão;\n"),
              QStringList{u"animais.csv: linha 4: o cliente 999 não está cadastrado nem em clientes.csv."_s});
        Linha("vários erros numa linha e em outra", "produtos.csv",
              QByteArray("CodigoInterno;Nome;ValorDeVenda;VendidoPorEtiquetaDeBalanca\n"
                         "1;Bom;10;Não\n"
                         "x;;1,2,3;talvez\n"
                         "3;Outro;-5;Sim\n"),
              QStringList{
                  u"produtos.csv: linha 3: CodigoInterno: valor 'x' inválido; informe um número inteiro "
                  "de 1 a 999999999999."_s,
                  u"produtos.csv: linha 3: Nome: não informado."_s,
                  u"produtos.csv: linha 3: ValorDeVenda: valor '1,2,3' inválido; informe um número de 0 "
                  "a 999.999.999,00, como 1.234,56."_s,
                  u"produtos.csv: linha 3: VendidoPorEtiquetaDeBalanca: valor 'talvez' inválido; use "
                  "Sim ou Não."_s,
                  u"produtos.csv: linha 4: ValorDeVenda: valor '-5' inválido; informe um número de 0 a "
                  "999.999.999,00, como 1.234,56."_s});
        Linha("data inválida", "animais.csv",
              QByteArray("Codigo;CodigoDoCliente;Nome;DataDeNascimento\n100;10;Totó;31/02/2020\n"),
              QStringList{u"animais.csv: linha 2: DataDeNascimento: valor '31/02/2020' não é "
                          "uma data válida (DD/MM/AAAA)."_s});
        Linha("código repetido", "servicos.csv", QByteArray(Servicos).append("1;Outra;;1;0;0\n"),
              QStringList{u"servicos.csv: linha 4: código 1 repetido no arquivo."_s});
        Linha("tipo de serviço desconhecido", "servicos.csv",
              QByteArray("Codigo;Nome;NumeroDoTipoDeServico\n7;Tosa;8\n"),
              QStringList{u"servicos.csv: linha 2: o tipo de serviço 8 não está cadastrado "
                          "nem em tiposdeservicos.csv."_s});
        Linha("código de barras de outro produto", "produtos.csv",
              QByteArray(Produtos).append("3;7891000100103;Cópia;;;;;;;\n"),
              QStringList{u"produtos.csv: linha 4: o código de barras 7891000100103 já pertence ao "
                          "produto 1."_s});
        // Values are printed as typed: a "%" in them is no place for another value.
        Linha("valores com %", "produtos.csv",
              QByteArray(Produtos).append("%3x;;Cópia %1;;;;;;;\n4;%2;Outra;;;;;;;\n5;%2;A;;;;;;;\n"),
              QStringList{u"produtos.csv: linha 4: CodigoInterno: valor '%3x' inválido; informe um número "
                          "inteiro de 1 a 999999999999."_s,
                          u"produtos.csv: linha 6: o código de barras %2 já pertence ao produto 4."_s});
        // One address of the usual shape, never a URL, a list or an option; accented
        // domains are addresses too.
        Linha("e-mails", "clientes.csv",
              QByteArray("CodigoDoCliente;ApelidoOuNomeFantasia;NomeOuRazaoSocial;Email\n"
                         "10;A;A;mailto:evil@x.com?attach=/etc/passwd&bcc=spy@evil.com\n"
                         "11;B;B;x',attachment='/x/orcamentos.sqlite',cc='a@b.c\n"
                         "12;C;C;--help\n"
                         "13;D;D;ana@clínica.com.br\n"
                         "14;E;E;joao.silva+orc@exemplo.com.br\n"),
              QStringList{u"clientes.csv: linha 2: Email: valor 'mailto:evil@x.com?attach=/etc/passwd&bcc="
                          "spy@evil.com' não é um endereço de e-mail válido; informe um só endereço, como "
                          "nome@dominio.com.br."_s,
                          u"clientes.csv: linha 3: Email: valor 'x',attachment='/x/orcamentos.sqlite',cc='a@"
                          "b.c' não é um endereço de e-mail válido; informe um só endereço, como "
                          "nome@dominio.com.br."_s,
                          u"clientes.csv: linha 4: Email: valor '--help' não é um endereço de e-mail válido; "
                          "informe um só endereço, como nome@dominio.com.br."_s});
        // Control characters in a text (a tab, a quoted line break, ESC, DEL, C1's NEL):
        // each row refused where it begins, naming the column and the character.
        const auto Controle = [](int linha, const char* codigo) {
            return u"tiposdeservicos.csv: linha %1: Nome: o texto tem um caractere de controle (U+%2), como "
                   "uma quebra de linha ou uma tabulação; apague-o."_s.arg(QString::number(linha),
                                                                           QLatin1String(codigo));
        };
        Linha("caracteres de controle", "tiposdeservicos.csv",
              QByteArray("Numero;Nome\n1;Clínica\tgeral\n2;\"Duas\nlinhas\"\n3;\x1b[31mVermelho\n"
                         "4;Apagar\x7f\n5;Pr\xc2\x85ximo\n6;Bom\n"),
              QStringList{Controle(2, "0009"), Controle(3, "000A"), Controle(5, "001B"), Controle(6, "007F"),
                          Controle(7, "0085")});
        Linha("coluna desconhecida e coluna que falta", "clientes.csv", QByteArray("Codigo;Apelido\n1;Ana\n"),
              QStringList{u"clientes.csv: linha 1: coluna 'Codigo' desconhecida."_s,
                          u"clientes.csv: linha 1: coluna 'Apelido' desconhecida."_s,
                          u"clientes.csv: linha 1: falta a coluna 'CodigoDoCliente'."_s,
                          u"clientes.csv: linha 1: falta a coluna 'ApelidoOuNomeFantasia'."_s,
                          u"clientes.csv: linha 1: falta a coluna 'NomeOuRazaoSocial'."_s});
        Linha("campos a menos", "tiposdeservicos.csv", QByteArray("Numero;Nome\n1;Clínica;sobra\n"),
              QStringList{u"tiposdeservicos.csv: linha 2: a linha tem 3 campos e o cabeçalho tem 2."_s});
        Linha("pacote com lacuna", "pacotes.csv",
              QByteArray(Pacotes).append("Castração de gata;Gato;5;8;Serviço;1;1;\n"),
              QStringList{
                  u"pacotes.csv: linha 2: pacote Castração de gata: Entre as faixas até 4 kg e de 5 a 8 kg "
                  "há pesos sem faixa: a faixa seguinte deve começar onde a anterior termina."_s});
        Linha("item de pacote errado", "pacotes.csv",
              QByteArray(Pacotes).append("Vacinas;Coelho;0;4;Serviço;77;1;\nVacinas;;0;4;Exame;1;1;talvez\n"),
              QStringList{
                  u"pacotes.csv: linha 6: Especie: valor 'Coelho' inválido; use Cão, Gato ou deixe vazio "
                  "(qualquer espécie)."_s,
                  u"pacotes.csv: linha 6: o serviço 77 não está cadastrado nem em servicos.csv."_s,
                  u"pacotes.csv: linha 7: Tipo: valor 'Exame' inválido; use Serviço ou Produto."_s,
                  u"pacotes.csv: linha 7: SeNecessario: valor 'talvez' inválido; use Sim ou Não."_s});
        Linha("aspas sem fim", "tiposdeservicos.csv", QByteArray("Numero;Nome\n1;\"Clínica\n2;Outros\n"),
              QStringList{u"tiposdeservicos.csv: linha 2: aspas abertas e não fechadas."_s});
        Linha("fora de UTF-8", "tiposdeservicos.csv", QByteArray("Numero;Nome\n1;Cl\xednica\n"),
              QStringList{u"tiposdeservicos.csv: o arquivo não está em UTF-8."_s});
        Linha("UTF-16 sem marca", "tiposdeservicos.csv", QByteArray("N\0u\0m\0e\0r\0o\0", 12),
              QStringList{u"tiposdeservicos.csv: o arquivo tem caracteres nulos "
                          "(como um arquivo em UTF-16); grave-o em UTF-8."_s});
        Linha("arquivo vazio", "tiposdeservicos.csv", QByteArray(),
              QStringList{
                  u"tiposdeservicos.csv: linha 1: falta a linha de cabeçalho com os nomes das colunas."_s});
    }

    void uma_linha_ruim_nao_carrega_nada() {
        QFETCH(QString, arquivo);
        QFETCH(QByteArray, conteudo);
        QFETCH(QStringList, erros);
        EscreverConjuntoBom();
        QVERIFY(EscreverArquivo(mpasta + u'/' + arquivo, conteudo));
        const Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY(!resultado.Sucesso);
        QCOMPARE(resultado.Erros, erros);
        QCOMPARE(resultado.Resumo, QStringList());
        NadaGravado();
    }

    // Exported, imported into an empty table and exported again: the same file.
    void pacotes_vao_e_voltam() {
        EscreverConjuntoBom();
        QVERIFY(EscreverArquivo(mpasta + u"/pacotes.csv"_s, Pacotes));
        Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY2(resultado.Sucesso, qPrintable(resultado.Erros.join(u'\n')));
        QCOMPARE(resultado.Resumo.constLast(), u"pacotes.csv: 4 registros"_s);
        const QString exportado = msessao->Pasta().filePath(u"exportados.csv"_s);
        resultado = Importacao::ExportarPacotes(exportado);
        QCOMPARE(resultado.Resumo, QStringList{u"%1: 2 pacotes, 4 linhas"_s.arg(exportado)});
        QFile arquivo(exportado);
        QVERIFY(arquivo.open(QIODevice::ReadOnly));
        const QByteArray texto = arquivo.readAll();
        QCOMPARE(
            QString::fromUtf8(texto),
            u"Pacote;Especie;PesoInicial;PesoFinal;Tipo;Codigo;Quantidade;SeNecessario\n"
            "\"Banho; tosa\";;0;10;Serviço;1;2;Não\n\"Banho; tosa\";;10;30;Serviço;2;1;Não\n"
            "Castração de gata;Gato;0;4;Serviço;1;1;Não\nCastração de gata;Gato;0;4;Produto;2;0,5;Sim\n"_s);
        // Read again over the stored ones: the same packages, replaced, not added.
        QDir(mpasta).removeRecursively();
        QVERIFY(QDir().mkpath(mpasta));
        QVERIFY(EscreverArquivo(mpasta + u"/pacotes.csv"_s, texto));
        QVERIFY(Importacao::ImportarCadastros(mpasta).Sucesso);
        QCOMPARE(Contar("PacotesDeProcedimentos"), qint64(2));
        QVERIFY(Importacao::ExportarPacotes(exportado).Sucesso);
        QVERIFY(arquivo.seek(0));
        arquivo.close();
        QVERIFY(arquivo.open(QIODevice::ReadOnly));
        QCOMPARE(arquivo.readAll(), texto);
    }

    void pasta_sem_arquivos() {
        Importacao::Resultado resultado = Importacao::ImportarCadastros(mpasta);
        QVERIFY(!resultado.Sucesso);
        QCOMPARE(resultado.Erros.size(), 1);
        QVERIFY(resultado.Erros.first().startsWith(u"Nenhum arquivo de cadastro encontrado em "_s));
        resultado = Importacao::ImportarCadastros(mpasta + u"/nao-existe"_s);
        QCOMPARE(resultado.Erros, QStringList{u"A pasta %1/nao-existe não existe."_s.arg(mpasta)});
    }

    void comando_de_importacao() {
        if (!msessao->EhSQLite()) QSKIP("the command is run against a SQLite file");
        EscreverConjuntoBom();
        QVERIFY(
            EscreverArquivo(mpasta + u"/animais.csv"_s, QByteArray(Animais).append("102;999;Rex;Cão;\n")));
        const QStringList argumentos{mpasta, u"--banco"_s, msessao->Pasta().filePath(u"comando.sqlite"_s)};
        QProcess comando;
        const auto Rodar = [&](const QStringList& opcoes) {
            comando.start(QStringLiteral(ZELT_IMPORTAR), opcoes);
            return comando.waitForFinished(60000) ? comando.exitCode() : -1;
        };
        QCOMPARE(Rodar(argumentos), 1);
        const QString erros = QString::fromUtf8(comando.readAllStandardError());
        QVERIFY2(erros.contains(u"animais.csv: linha 4: o cliente 999 não está cadastrado"_s),
                 qPrintable(erros));
        QVERIFY(erros.contains(u"Nada foi importado."_s));

        QVERIFY(EscreverArquivo(mpasta + u"/animais.csv"_s, Animais));
        QCOMPARE(Rodar(argumentos), 0);
        const QString saida = QString::fromUtf8(comando.readAllStandardOutput());
        QVERIFY2(saida.contains(u"clientes.csv: 3 registros"_s), qPrintable(saida));
        const QString pacotes = msessao->Pasta().filePath(u"pacotes-exportados.csv"_s);
        QCOMPARE(Rodar({u"--exportar-pacotes"_s, pacotes, argumentos.at(1), argumentos.at(2)}), 0);
        QVERIFY(QString::fromUtf8(comando.readAllStandardOutput()).contains(u": 0 pacotes, 0 linhas"_s));
        QVERIFY(QFile::exists(pacotes));
        QCOMPARE(Rodar({}), 2);
    }
};

QTEST_GUILESS_MAIN(TesteDaImportacao)
#include "tst_negocio_importacao.moc"
