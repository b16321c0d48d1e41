#include "business/Importacao.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "business/PacotesDeProcedimentos.h"
#include "business/Pesquisa.h"
#include "contracts/Textos.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <functional>

namespace Importacao {
namespace {

constexpr int MaximoDeErros = 100;

// Every message takes all its values in one pass (one QString::arg with them all): a
// value holding "%1" or "%3" prints as typed, never as a place for the next value.

// A parse that already produced its messages: stops the import at once.
struct ImportacaoInterrompida {};

struct LinhaCsv {
    int Numero = 0; // the line of the file where the row begins
    QStringList Campos;
};

// ";"-separated values; a field may be quoted ("...", with "" for a quote) and so
// hold ";" and line breaks. Blank lines are skipped. Answers an error text or "".
QString LerCsv(const QString& texto, QList<LinhaCsv>& linhas) {
    LinhaCsv atual;
    QString campo;
    bool entreAspas = false;
    bool campoComAspas = false;
    bool linhaIniciada = false;
    int linha = 1;
    atual.Numero = 1;
    auto fecharCampo = [&] {
        atual.Campos << (campoComAspas ? campo : campo.trimmed());
        campo.clear();
        campoComAspas = false;
    };
    auto fecharLinha = [&] {
        fecharCampo();
        const bool vazia = atual.Campos.size() == 1 && atual.Campos.first().isEmpty();
        if (!vazia) linhas << atual;
        atual = LinhaCsv{linha + 1, {}};
        linhaIniciada = false;
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (entreAspas) {
            if (c == u'"') {
                if (i + 1 < texto.size() && texto.at(i + 1) == u'"') {
                    campo += u'"';
                    ++i;
                } else {
                    entreAspas = false;
                }
            } else {
                if (c == u'\n') ++linha;
                campo += c;
            }
            continue;
        }
        if (c == u'"' && campo.trimmed().isEmpty()) {
            entreAspas = true;
            campoComAspas = true;
            campo.clear();
            linhaIniciada = true;
        } else if (c == u';') {
            fecharCampo();
            linhaIniciada = true;
        } else if (c == u'\n') {
            fecharLinha();
            ++linha;
        } else if (c != u'\r') {
            campo += c;
            linhaIniciada = true;
        }
    }
    if (entreAspas) return QStringLiteral("linha %1: aspas abertas e não fechadas.").arg(atual.Numero);
    if (linhaIniciada || !campo.isEmpty()) fecharLinha();
    return {};
}

// The values of one row, read by column name, each check leaving its message.
class Registro {
public:
    Registro(QString arquivo, int linha, const QHash<QString, QString>& valores, QStringList& erros)
        : mstrArquivo(std::move(arquivo)), mintLinha(linha), mvalores(valores), merros(erros) {}

    bool Valido() const { return mbooValido; }
    int Linha() const { return mintLinha; }

    void Erro(const QString& motivo) {
        mbooValido = false;
        merros << QStringLiteral("%1: linha %2: %3").arg(mstrArquivo, QString::number(mintLinha), motivo);
        if (merros.size() >= MaximoDeErros) {
            merros << QStringLiteral("Importação interrompida depois de %1 erros.").arg(MaximoDeErros);
            throw ImportacaoInterrompida{};
        }
    }

    // Control characters (C0, DEL, C1) are refused in every value, tab and line break
    // included, also inside a quoted field: every text of the registry is one line,
    // shown in a one-line box or a grid cell, and some travel on to a file name, a
    // message or another program's command line, where they would be unseen or read as
    // something else.
    QString Texto(const QString& coluna, bool obrigatorio = false) {
        const QString valor = mvalores.value(coluna);
        if (obrigatorio && valor.isEmpty()) Erro(QStringLiteral("%1: não informado.").arg(coluna));
        for (const QChar c : valor)
            if (c.category() == QChar::Other_Control) {
                Erro(QStringLiteral(
                         "%1: o texto tem um caractere de controle (U+%2), como uma quebra de linha "
                         "ou uma tabulação; apague-o.")
                         .arg(coluna, QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper()));
                return {};
            }
        return valor;
    }

    // One address of the usual shape, or nothing; never a list, an option or a URL.
    QString Email(const QString& coluna) {
        const QString valor = Texto(coluna);
        if (!valor.isEmpty() && !Textos::EmailValido(valor))
            Erro(QStringLiteral("%1: valor '%2' não é um endereço de e-mail válido; informe um só endereço, "
                                "como nome@dominio.com.br.")
                     .arg(coluna, valor));
        return valor;
    }

    qint64 Inteiro(const QString& coluna, bool obrigatorio, qint64 minimo, qint64 maximo, qint64 padrao = 0) {
        const QString valor = Texto(coluna, obrigatorio);
        if (valor.isEmpty()) return padrao;
        bool ok = false;
        const qint64 numero = valor.toLongLong(&ok);
        if (!ok || numero < minimo || numero > maximo) {
            Erro(QStringLiteral("%1: valor '%2' inválido; informe um número inteiro de %3 a %4.")
                     .arg(coluna, valor, QString::number(minimo), QString::number(maximo)));
            return padrao;
        }
        return numero;
    }

    qint64 Escolha(const QString& coluna, const QList<qint64>& aceitos, const QString& explicacao,
                   qint64 padrao) {
        const QString valor = Texto(coluna);
        if (valor.isEmpty()) return padrao;
        bool ok = false;
        const qint64 numero = valor.toLongLong(&ok);
        if (!ok || !aceitos.contains(numero)) {
            Erro(QStringLiteral("%1: valor '%2' inválido; %3.").arg(coluna, valor, explicacao));
            return padrao;
        }
        return numero;
    }

    VB::Currency Moeda(const QString& coluna, VB::Currency maximo = VB::Currency::DeInteiro(999999999)) {
        const QString valor = Texto(coluna);
        if (valor.isEmpty()) return {};
        try {
            if (VB::IsNumeric(valor)) {
                const VB::Currency numero = VB::CCur(valor);
                if (numero >= VB::Currency{} && numero <= maximo) return numero;
            }
        } catch (const VB::ErroDeExecucao&) {
            // out of range: reported below
        }
        Erro(QStringLiteral("%1: valor '%2' inválido; informe um número de 0 a %3, como 1.234,56.")
                 .arg(coluna, valor, VB::Format(QVariant::fromValue(maximo), QStringLiteral("#,##0.00"))));
        return {};
    }

    VB::Currency Percentual(const QString& coluna) { return Moeda(coluna, VB::Currency::DeInteiro(100)); }

    QDate Data(const QString& coluna) {
        const QString valor = Texto(coluna);
        if (valor.isEmpty()) return {};
        try {
            const QDate data = VB::CDate(valor);
            if (data.isValid()) return data;
        } catch (const VB::ErroDeExecucao&) {
            // not a date: reported below
        }
        Erro(QStringLiteral("%1: valor '%2' não é uma data válida (DD/MM/AAAA).").arg(coluna, valor));
        return {};
    }

    bool SimNao(const QString& coluna) {
        const QString valor = Texto(coluna).toLower();
        if (valor.isEmpty() || valor == QStringLiteral("não") || valor == QLatin1String("nao") ||
            valor == QLatin1String("n") || valor == QLatin1String("0"))
            return false;
        if (valor == QLatin1String("sim") || valor == QLatin1String("s") || valor == QLatin1String("1"))
            return true;
        Erro(QStringLiteral("%1: valor '%2' inválido; use Sim ou Não.").arg(coluna, mvalores.value(coluna)));
        return false;
    }

private:
    QString mstrArquivo;
    int mintLinha;
    const QHash<QString, QString>& mvalores;
    QStringList& merros;
    bool mbooValido = true;
};

// pacotes.csv: one row per item of a band of a package.
const QStringList ColunasDosPacotes{QStringLiteral("Pacote"),      QStringLiteral("Especie"),
                                    QStringLiteral("PesoInicial"), QStringLiteral("PesoFinal"),
                                    QStringLiteral("Tipo"),        QStringLiteral("Codigo"),
                                    QStringLiteral("Quantidade"),  QStringLiteral("SeNecessario")};

struct DescricaoDoArquivo {
    QString Nome;
    QStringList Colunas;      // every column the file may have
    QStringList Obrigatorias; // those the header must name
    QString Chave;            // the column that identifies a record
    QString ChavePadrao;      // the key of a row that leaves it empty
};

Cadastros::EnderecoPostal LerEndereco(Registro& r) {
    return {r.Texto(QStringLiteral("Logradouro")),  r.Texto(QStringLiteral("Numero")),
            r.Texto(QStringLiteral("Complemento")), r.Texto(QStringLiteral("Bairro")),
            r.Texto(QStringLiteral("Cidade")),      r.Texto(QStringLiteral("UF")),
            r.Texto(QStringLiteral("CEP"))};
}

// What this import has read so far, so that a row may refer to one read before it.
struct Lidos {
    QSet<qint64> Clientes, TiposDeServicos, Servicos, Produtos;
    QHash<QString, qint64> CodigosDeBarras; // bar code -> internal code
};

bool Existe(const QString& sql, qint64 codigo) {
    return Banco::Valor(sql, {codigo}).isValid();
}

class Importador {
public:
    explicit Importador(QString pasta) : mdir(std::move(pasta)) {}

    Resultado Executar() {
        Resultado resultado;
        if (!mdir.exists()) {
            resultado.Erros << QStringLiteral("A pasta %1 não existe.").arg(mdir.path());
            return resultado;
        }
        try {
            Banco::UnidadeDeTrabalho unidade;
            bool algumArquivo = false;
            for (const auto& [descricao, gravar] : Arquivos()) {
                if (!QFile::exists(mdir.filePath(descricao.Nome))) continue;
                algumArquivo = true;
                const int registros = ImportarArquivo(descricao, gravar, resultado.Erros);
                resultado.Resumo
                    << QStringLiteral("%1: %2 registros").arg(descricao.Nome, QString::number(registros));
            }
            if (!mpacotes.isEmpty()) ConcluirPacotes(resultado.Erros);
            if (!algumArquivo)
                resultado.Erros << QStringLiteral(
                                       "Nenhum arquivo de cadastro encontrado em %1 (esperados: "
                                       "empresa.csv, tiposdeservicos.csv, clientes.csv, animais.csv, "
                                       "produtos.csv, servicos.csv, pacotes.csv).")
                                       .arg(mdir.path());
            if (resultado.Erros.isEmpty()) {
                for (const QString& tabela :
                     {QStringLiteral("GruposDeProdutos"), QStringLiteral("SubgruposDeProdutos")}) {
                    const QString sql =
                        Banco::DialetoAtual().SincronizarChaveAutomatica(tabela, QStringLiteral("Codigo"));
                    if (!sql.isEmpty()) Banco::Executar(sql);
                }
                for (const Dialeto::TabelaPesquisavel& tabela : Pesquisa::Todas()) {
                    const QString sql = Banco::DialetoAtual().OtimizarIndiceDePesquisa(tabela);
                    if (!sql.isEmpty()) Banco::Executar(sql);
                }
                unidade.Confirmar();
                resultado.Sucesso = true;
            }
        } catch (const ImportacaoInterrompida&) {
            // the messages are in resultado.Erros; the unit of work was undone
        } catch (const VB::ErroDeExecucao& erro) {
            resultado.Erros << erro.Descricao();
        }
        if (!resultado.Sucesso) resultado.Resumo.clear();
        return resultado;
    }

private:
    using Gravacao = std::function<void(Registro&, bool gravar)>;

    QList<std::pair<DescricaoDoArquivo, Gravacao>> Arquivos() {
        using namespace std::placeholders;
        return {
            {{QStringLiteral("empresa.csv"),
              QStringList{QStringLiteral("Codigo"), QStringLiteral("NomeFantasia"),
                          QStringLiteral("RazaoSocial"), QStringLiteral("CNPJ"),
                          QStringLiteral("InscricaoEstadual")} +
                  Cadastros::ColunasDeEndereco() +
                  QStringList{QStringLiteral("Telefone"), QStringLiteral("Email"),
                              QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento"),
                              QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"),
                              QStringLiteral("DataInicialDaPromocao"), QStringLiteral("DataFinalDaPromocao"),
                              QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico"),
                              QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto"),
                              QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca")},
              {QStringLiteral("NomeFantasia")},
              QStringLiteral("Codigo"),
              QStringLiteral("1")},
             [this](Registro& r, bool g) { Empresa(r, g); }},
            {{QStringLiteral("tiposdeservicos.csv"),
              {QStringLiteral("Numero"), QStringLiteral("Nome")},
              {QStringLiteral("Numero"), QStringLiteral("Nome")},
              QStringLiteral("Numero"),
              QString()},
             [this](Registro& r, bool g) { TipoDeServico(r, g); }},
            {{QStringLiteral("clientes.csv"),
              QStringList{QStringLiteral("CodigoDoCliente"), QStringLiteral("ApelidoOuNomeFantasia"),
                          QStringLiteral("NomeOuRazaoSocial"), QStringLiteral("CPFOuCNPJ"),
                          QStringLiteral("Situacao")} +
                  Cadastros::ColunasDeEndereco() +
                  QStringList{QStringLiteral("Telefone"), QStringLiteral("Celular"), QStringLiteral("Email"),
                              QStringLiteral("Credito"), QStringLiteral("VIP"),
                              QStringLiteral("CategoriaDaCurvaABC"), QStringLiteral("DescontoUnico"),
                              QStringLiteral("PercentualUnicoDeDescontos")} +
                  Cadastros::ColunasDePercentuais(),
              {QStringLiteral("CodigoDoCliente"), QStringLiteral("ApelidoOuNomeFantasia"),
               QStringLiteral("NomeOuRazaoSocial")},
              QStringLiteral("CodigoDoCliente"),
              QString()},
             [this](Registro& r, bool g) { Cliente(r, g); }},
            {{QStringLiteral("animais.csv"),
              {QStringLiteral("Codigo"), QStringLiteral("CodigoDoCliente"), QStringLiteral("Nome"),
               QStringLiteral("Especie"), QStringLiteral("Raca"), QStringLiteral("Sexo"),
               QStringLiteral("DataDeNascimento"), QStringLiteral("Situacao")},
              {QStringLiteral("Codigo"), QStringLiteral("CodigoDoCliente"), QStringLiteral("Nome")},
              QStringLiteral("Codigo"),
              QString()},
             [this](Registro& r, bool g) { Animal(r, g); }},
            {{QStringLiteral("produtos.csv"),
              {QStringLiteral("CodigoInterno"), QStringLiteral("CodigoDeBarras"), QStringLiteral("Nome"),
               QStringLiteral("NomeDoGrupo"), QStringLiteral("NomeDoSubgrupo"),
               QStringLiteral("ValorDeCusto"), QStringLiteral("UnidadeDeCompra"),
               QStringLiteral("UnidadeDeVenda"), QStringLiteral("ValorDeVenda"),
               QStringLiteral("PercentualDeComissao"), QStringLiteral("VendidoPorEtiquetaDeBalanca"),
               QStringLiteral("Situacao")},
              {QStringLiteral("CodigoInterno"), QStringLiteral("Nome")},
              QStringLiteral("CodigoInterno"),
              QString()},
             [this](Registro& r, bool g) { Produto(r, g); }},
            {{QStringLiteral("servicos.csv"),
              {QStringLiteral("Codigo"), QStringLiteral("Nome"), QStringLiteral("Descricao"),
               QStringLiteral("NumeroDoTipoDeServico"), QStringLiteral("Custo"),
               QStringLiteral("ValorDeVenda"), QStringLiteral("Situacao")},
              {QStringLiteral("Codigo"), QStringLiteral("Nome"), QStringLiteral("NumeroDoTipoDeServico")},
              QStringLiteral("Codigo"),
              QString()},
             [this](Registro& r, bool g) { Servico(r, g); }},
            {{QStringLiteral("pacotes.csv"),
              ColunasDosPacotes,
              {QStringLiteral("Pacote"), QStringLiteral("PesoInicial"), QStringLiteral("PesoFinal"),
               QStringLiteral("Tipo"), QStringLiteral("Codigo"), QStringLiteral("Quantidade")},
              QString(),
              QString()},
             [this](Registro& r, bool) { ItemDePacote(r); }},
        };
    }

    // Answers the number of records read. Rows are written only while no error was
    // found anywhere, so a failed write never hides the first bad row.
    int ImportarArquivo(const DescricaoDoArquivo& descricao, const Gravacao& gravar, QStringList& erros) {
        QFile arquivo(mdir.filePath(descricao.Nome));
        // A file that cannot be read as a table stops the import: what follows would
        // only repeat its consequences.
        const auto erroDoArquivo = [&](const QString& motivo) {
            erros << descricao.Nome + QStringLiteral(": ") + motivo;
            throw ImportacaoInterrompida{};
        };
        if (!arquivo.open(QIODevice::ReadOnly))
            erroDoArquivo(
                QStringLiteral("não foi possível ler o arquivo (%1).").arg(Textos::MotivoDaFalha(arquivo)));
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString texto = utf8(arquivo.readAll());
        if (utf8.hasError()) erroDoArquivo(QStringLiteral("o arquivo não está em UTF-8."));
        // PostgreSQL cannot store a null character in a text, and SQLite would keep one
        // that nothing shows; a file full of them was saved in UTF-16.
        if (texto.contains(QChar(0)))
            erroDoArquivo(QStringLiteral("o arquivo tem caracteres nulos (como um arquivo em UTF-16); "
                                         "grave-o em UTF-8."));
        if (texto.startsWith(QChar(0xFEFF))) texto.remove(0, 1);
        QList<LinhaCsv> linhas;
        if (const QString erro = LerCsv(texto, linhas); !erro.isEmpty()) erroDoArquivo(erro);
        if (linhas.isEmpty())
            erroDoArquivo(QStringLiteral("linha 1: falta a linha de cabeçalho com os nomes das colunas."));
        const QStringList cabecalho = linhas.takeFirst().Campos;
        QStringList errosDoCabecalho;
        for (const QString& coluna : cabecalho)
            if (!descricao.Colunas.contains(coluna) || cabecalho.count(coluna) > 1)
                errosDoCabecalho << QStringLiteral("linha 1: coluna '%1' %2.")
                                        .arg(coluna, descricao.Colunas.contains(coluna)
                                                         ? QStringLiteral("repetida")
                                                         : QStringLiteral("desconhecida"));
        for (const QString& coluna : descricao.Obrigatorias)
            if (!cabecalho.contains(coluna))
                errosDoCabecalho << QStringLiteral("linha 1: falta a coluna '%1'.").arg(coluna);
        if (!errosDoCabecalho.isEmpty()) {
            for (qsizetype i = 0; i + 1 < errosDoCabecalho.size(); ++i)
                erros << descricao.Nome + QStringLiteral(": ") + errosDoCabecalho.at(i);
            erroDoArquivo(errosDoCabecalho.constLast());
        }

        QSet<QString> chaves;
        for (const LinhaCsv& linha : linhas) {
            QHash<QString, QString> valores;
            Registro registro(descricao.Nome, linha.Numero, valores, erros);
            if (linha.Campos.size() != cabecalho.size()) {
                registro.Erro(
                    QStringLiteral("a linha tem %1 campos e o cabeçalho tem %2.")
                        .arg(QString::number(linha.Campos.size()), QString::number(cabecalho.size())));
                continue;
            }
            for (qsizetype i = 0; i < cabecalho.size(); ++i)
                valores.insert(cabecalho.at(i), linha.Campos.at(i));
            QString chave = valores.value(descricao.Chave);
            if (chave.isEmpty()) chave = descricao.ChavePadrao;
            if (!chave.isEmpty() && chaves.contains(chave))
                registro.Erro(QStringLiteral("código %1 repetido no arquivo.").arg(chave));
            chaves.insert(chave);
            try {
                gravar(registro, registro.Valido() && erros.isEmpty());
            } catch (const VB::ErroDeExecucao& erro) {
                registro.Erro(QStringLiteral("não foi possível gravar: %1").arg(erro.Descricao()));
            }
        }
        return static_cast<int>(linhas.size());
    }

    void Empresa(Registro& r, bool gravar) {
        Cadastros::Empresa e;
        e.Codigo = r.Inteiro(QStringLiteral("Codigo"), false, 1, 999999, 1);
        e.NomeFantasia = r.Texto(QStringLiteral("NomeFantasia"), true);
        e.RazaoSocial = r.Texto(QStringLiteral("RazaoSocial"));
        e.CNPJ = r.Texto(QStringLiteral("CNPJ"));
        e.InscricaoEstadual = r.Texto(QStringLiteral("InscricaoEstadual"));
        e.Endereco = LerEndereco(r);
        e.Telefone = r.Texto(QStringLiteral("Telefone"));
        e.Email = r.Email(QStringLiteral("Email"));
        e.QuantidadeDeDiasParaAValidadeDoOrcamento = static_cast<qint32>(
            r.Inteiro(QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento"), false, 0, 3650, 10));
        e.PermissaoParaAlterarADataDeValidadeDoOrcamento =
            r.SimNao(QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"));
        e.DataInicialDaPromocao = r.Data(QStringLiteral("DataInicialDaPromocao"));
        e.DataFinalDaPromocao = r.Data(QStringLiteral("DataFinalDaPromocao"));
        if (e.DataInicialDaPromocao.isValid() != e.DataFinalDaPromocao.isValid())
            r.Erro(QStringLiteral("informe as duas datas da promoção, ou nenhuma."));
        else if (e.DataFinalDaPromocao < e.DataInicialDaPromocao)
            r.Erro(QStringLiteral("a data final da promoção é anterior à inicial."));
        e.PercPromocaoDeDescontoNaVendaDeServico =
            r.Percentual(QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico"));
        e.PercPromocaoDeDescontoNaVendaDeProduto =
            r.Percentual(QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto"));
        e.FormatoDeCodigoDeBarrasParaBalanca =
            static_cast<qint32>(r.Escolha(QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca"), {0, 1, 2},
                                          QStringLiteral("use 1 (preço), 2 (peso) ou 0 (nenhum)"), 0));
        if (gravar && r.Valido()) Cadastros::GravarEmpresa(e);
    }

    void TipoDeServico(Registro& r, bool gravar) {
        Cadastros::TipoDeServico t;
        t.Numero = static_cast<qint32>(r.Inteiro(QStringLiteral("Numero"), true, 1, 32767));
        t.Nome = r.Texto(QStringLiteral("Nome"), true);
        mlidos.TiposDeServicos.insert(t.Numero);
        if (gravar && r.Valido()) Cadastros::GravarTipoDeServico(t);
    }

    void Cliente(Registro& r, bool gravar) {
        Cadastros::Cliente c;
        c.CodigoDoCliente = r.Inteiro(QStringLiteral("CodigoDoCliente"), true, 1, 999999999999LL);
        c.ApelidoOuNomeFantasia = r.Texto(QStringLiteral("ApelidoOuNomeFantasia"), true);
        c.NomeOuRazaoSocial = r.Texto(QStringLiteral("NomeOuRazaoSocial"), true);
        c.CPFOuCNPJ = r.Texto(QStringLiteral("CPFOuCNPJ"));
        c.Situacao = static_cast<qint32>(
            r.Escolha(QStringLiteral("Situacao"), {1, 2, 3, 4},
                      QStringLiteral("use 1 (ativo), 2 (inativo), 3 (bloqueado) ou 4 (excluído)"), 1));
        c.Endereco = LerEndereco(r);
        c.Telefone = r.Texto(QStringLiteral("Telefone"));
        c.Celular = r.Texto(QStringLiteral("Celular"));
        c.Email = r.Email(QStringLiteral("Email"));
        c.Credito = r.Moeda(QStringLiteral("Credito"));
        c.VIP = r.SimNao(QStringLiteral("VIP"));
        const QString categoria = r.Texto(QStringLiteral("CategoriaDaCurvaABC")).toUpper();
        if (categoria.isEmpty())
            c.CategoriaDaCurvaABC = QStringLiteral("C");
        else if (categoria == QLatin1String("A") || categoria == QLatin1String("B") ||
                 categoria == QLatin1String("C"))
            c.CategoriaDaCurvaABC = categoria;
        else
            r.Erro(QStringLiteral("CategoriaDaCurvaABC: valor '%1' inválido; use A, B ou C.").arg(categoria));
        c.DescontoUnico = r.SimNao(QStringLiteral("DescontoUnico"));
        c.PercentualUnicoDeDescontos = r.Percentual(QStringLiteral("PercentualUnicoDeDescontos"));
        for (int i = 0; i < Cadastros::ColunasDePercentuais().size(); ++i)
            c.Percentuais[i] = r.Percentual(Cadastros::ColunasDePercentuais().at(i));
        mlidos.Clientes.insert(c.CodigoDoCliente);
        if (gravar && r.Valido()) Cadastros::GravarCliente(c);
    }

    void Animal(Registro& r, bool gravar) {
        Cadastros::Animal a;
        a.Codigo = r.Inteiro(QStringLiteral("Codigo"), true, 1, 999999999999LL);
        a.CodigoDoCliente = r.Inteiro(QStringLiteral("CodigoDoCliente"), true, 1, 999999999999LL);
        a.Nome = r.Texto(QStringLiteral("Nome"), true);
        a.Especie = r.Texto(QStringLiteral("Especie"));
        a.Raca = r.Texto(QStringLiteral("Raca"));
        a.Sexo = r.Texto(QStringLiteral("Sexo"));
        a.DataDeNascimento = r.Data(QStringLiteral("DataDeNascimento"));
        a.Situacao = static_cast<qint32>(
            r.Escolha(QStringLiteral("Situacao"), {1, 2}, QStringLiteral("use 1 (ativo) ou 2 (inativo)"), 1));
        if (a.CodigoDoCliente > 0 && !mlidos.Clientes.contains(a.CodigoDoCliente) &&
            !Existe(QStringLiteral("SELECT 1 FROM Clientes WHERE CodigoDoCliente = ?"), a.CodigoDoCliente))
            r.Erro(QStringLiteral("o cliente %1 não está cadastrado nem em clientes.csv.")
                       .arg(a.CodigoDoCliente));
        if (gravar && r.Valido()) Cadastros::GravarAnimal(a);
    }

    void Produto(Registro& r, bool gravar) {
        Cadastros::Produto p;
        p.CodigoInterno = r.Inteiro(QStringLiteral("CodigoInterno"), true, 1, 999999999999LL);
        p.CodigoDeBarras = r.Texto(QStringLiteral("CodigoDeBarras"));
        p.Nome = r.Texto(QStringLiteral("Nome"), true);
        p.NomeDoGrupo = r.Texto(QStringLiteral("NomeDoGrupo"));
        p.NomeDoSubgrupo = r.Texto(QStringLiteral("NomeDoSubgrupo"));
        if (p.NomeDoGrupo.isEmpty() && !p.NomeDoSubgrupo.isEmpty())
            r.Erro(
                QStringLiteral("o subgrupo '%1' precisa de um grupo (NomeDoGrupo).").arg(p.NomeDoSubgrupo));
        p.ValorDeCusto = r.Moeda(QStringLiteral("ValorDeCusto"));
        if (const QString unidade = r.Texto(QStringLiteral("UnidadeDeCompra")); !unidade.isEmpty())
            p.UnidadeDeCompra = unidade;
        if (const QString unidade = r.Texto(QStringLiteral("UnidadeDeVenda")); !unidade.isEmpty())
            p.UnidadeDeVenda = unidade;
        p.ValorDeVenda = r.Moeda(QStringLiteral("ValorDeVenda"));
        p.PercentualDeComissao = r.Percentual(QStringLiteral("PercentualDeComissao"));
        p.VendidoPorEtiquetaDeBalanca = r.SimNao(QStringLiteral("VendidoPorEtiquetaDeBalanca"));
        p.Situacao = static_cast<qint32>(
            r.Escolha(QStringLiteral("Situacao"), {1, 2}, QStringLiteral("use 1 (ativo) ou 2 (inativo)"), 1));
        if (!p.CodigoDeBarras.isEmpty()) {
            const qint64 outro = mlidos.CodigosDeBarras.value(p.CodigoDeBarras, 0);
            const QVariant noBanco =
                Banco::Valor(QStringLiteral("SELECT CodigoInterno FROM Produtos WHERE CodigoDeBarras = ? AND "
                                            "CodigoInterno <> ?"),
                             {p.CodigoDeBarras, p.CodigoInterno});
            if ((outro != 0 && outro != p.CodigoInterno) || noBanco.isValid())
                r.Erro(
                    QStringLiteral("o código de barras %1 já pertence ao produto %2.")
                        .arg(p.CodigoDeBarras, QString::number(outro != 0 ? outro : noBanco.toLongLong())));
            mlidos.CodigosDeBarras.insert(p.CodigoDeBarras, p.CodigoInterno);
        }
        mlidos.Produtos.insert(p.CodigoInterno);
        if (gravar && r.Valido()) Cadastros::GravarProduto(p);
    }

    void Servico(Registro& r, bool gravar) {
        Cadastros::Servico s;
        s.Codigo = r.Inteiro(QStringLiteral("Codigo"), true, 1, 999999999999LL);
        s.Nome = r.Texto(QStringLiteral("Nome"), true);
        s.Descricao = r.Texto(QStringLiteral("Descricao"));
        s.NumeroDoTipoDeServico =
            static_cast<qint32>(r.Inteiro(QStringLiteral("NumeroDoTipoDeServico"), true, 1, 32767));
        s.Custo = r.Moeda(QStringLiteral("Custo"));
        s.ValorDeVenda = r.Moeda(QStringLiteral("ValorDeVenda"));
        s.Situacao = static_cast<qint32>(
            r.Escolha(QStringLiteral("Situacao"), {1, 2}, QStringLiteral("use 1 (ativo) ou 2 (inativo)"), 1));
        if (s.NumeroDoTipoDeServico > 0 && !mlidos.TiposDeServicos.contains(s.NumeroDoTipoDeServico) &&
            !Existe(QStringLiteral("SELECT 1 FROM TiposDeServicos WHERE Numero = ?"),
                    s.NumeroDoTipoDeServico))
            r.Erro(QStringLiteral("o tipo de serviço %1 não está cadastrado nem em tiposdeservicos.csv.")
                       .arg(s.NumeroDoTipoDeServico));
        mlidos.Servicos.insert(s.Codigo);
        if (gravar && r.Valido()) Cadastros::GravarServico(s);
    }

    // A row of pacotes.csv: one item of one band of one package, gathered by package
    // (the name) and band (its limits, in the order met); the packages are checked whole
    // and stored after the file (ConcluirPacotes).
    void ItemDePacote(Registro& r) {
        const QString nome = r.Texto(QStringLiteral("Pacote"), true).trimmed();
        const QString especieLida = r.Texto(QStringLiteral("Especie")).trimmed();
        QString especie;
        if (Banco::TextoDePesquisa(especieLida) == QLatin1String("cao"))
            especie = ZELT_N_Orcamentos::EspecieCao;
        else if (Banco::TextoDePesquisa(especieLida) == QLatin1String("gato"))
            especie = ZELT_N_Orcamentos::EspecieGato;
        else if (!especieLida.isEmpty())
            r.Erro(QStringLiteral(
                       "Especie: valor '%1' inválido; use Cão, Gato ou deixe vazio (qualquer espécie).")
                       .arg(especieLida));
        const VB::Currency maximo = VB::Currency::DeInteiro(1000);
        ZELT_N_Orcamentos::FaixaDePeso faixa{
            r.Moeda(QStringLiteral("PesoInicial"), maximo), r.Moeda(QStringLiteral("PesoFinal"), maximo), {}};
        if (r.Texto(QStringLiteral("PesoFinal"), true).isEmpty()) return;
        ZELT_N_Orcamentos::ItemDoPacote item;
        const QString tipo = Banco::TextoDePesquisa(r.Texto(QStringLiteral("Tipo"), true).trimmed());
        if (tipo == QLatin1String("servico"))
            item.TipoDeLancamento = GradeDeItens::LancamentoDeServico;
        else if (tipo == QLatin1String("produto"))
            item.TipoDeLancamento = GradeDeItens::LancamentoDeProduto;
        else if (!tipo.isEmpty())
            r.Erro(QStringLiteral("Tipo: valor '%1' inválido; use Serviço ou Produto.")
                       .arg(r.Texto(QStringLiteral("Tipo"))));
        item.Codigo = r.Inteiro(QStringLiteral("Codigo"), true, 1, 999999999999LL);
        item.Quantidade = r.Moeda(QStringLiteral("Quantidade"), VB::Currency::DeInteiro(9999));
        item.SeNecessario = r.SimNao(QStringLiteral("SeNecessario"));
        if (item.Codigo > 0 && !tipo.isEmpty()) {
            const bool servico = item.TipoDeLancamento == GradeDeItens::LancamentoDeServico;
            const bool lido = (servico ? mlidos.Servicos : mlidos.Produtos).contains(item.Codigo);
            if (!lido && !Existe(servico ? QStringLiteral("SELECT 1 FROM Servicos WHERE Codigo = ?")
                                         : QStringLiteral("SELECT 1 FROM Produtos WHERE CodigoInterno = ?"),
                                 item.Codigo))
                r.Erro((servico ? QStringLiteral("o serviço %1 não está cadastrado nem em servicos.csv.")
                                : QStringLiteral("o produto %1 não está cadastrado nem em produtos.csv."))
                           .arg(item.Codigo));
        }
        if (!r.Valido() || nome.isEmpty()) return;
        const QString chave = Banco::TextoDePesquisa(nome);
        if (!mpacotes.contains(chave)) {
            mpacotes.insert(chave, {r.Linha(), {0, nome, especie, {}}});
            mordemDosPacotes << chave;
        }
        PacoteLido& lido = mpacotes[chave];
        if (lido.Pacote.Especie != especie) {
            r.Erro(QStringLiteral("Especie: o pacote %1 já foi lido com a espécie '%2'.")
                       .arg(nome, lido.Pacote.Especie));
            return;
        }
        QList<ZELT_N_Orcamentos::FaixaDePeso>& faixas = lido.Pacote.Faixas;
        auto mesma = std::find_if(faixas.begin(), faixas.end(), [&](const auto& f) {
            return f.PesoInicial == faixa.PesoInicial && f.PesoFinal == faixa.PesoFinal;
        });
        if (mesma == faixas.end()) mesma = faixas.insert(faixas.end(), faixa);
        mesma->Itens.append(item);
    }

    // Each package read, checked whole (its bands) and stored, replacing the stored one of
    // the same name; a fault is reported at the package's first line.
    void ConcluirPacotes(QStringList& erros) {
        for (const QString& chave : mordemDosPacotes) {
            PacoteLido& lido = mpacotes[chave];
            const QString problema = PacotesDeProcedimentos::ProblemaDoPacote(lido.Pacote);
            if (!problema.isEmpty()) {
                erros << QStringLiteral("pacotes.csv: linha %1: pacote %2: %3")
                             .arg(QString::number(lido.Linha), lido.Pacote.Nome, problema);
                continue;
            }
            if (!erros.isEmpty()) continue;
            if (const auto gravado = PacotesDeProcedimentos::LerPorNome(lido.Pacote.Nome))
                lido.Pacote.Codigo = gravado->Codigo;
            PacotesDeProcedimentos::Gravar(lido.Pacote);
        }
    }

    struct PacoteLido {
        int Linha = 0;
        ZELT_N_Orcamentos::PacoteDeProcedimentos Pacote;
    };
    QHash<QString, PacoteLido> mpacotes; // by the name's searched form
    QStringList mordemDosPacotes;

    QDir mdir;
    Lidos mlidos;
};

} // namespace

Resultado ImportarCadastros(const QString& pasta) {
    return Importador(pasta).Executar();
}

Resultado ExportarPacotes(const QString& arquivo) {
    // A field holding ";" or a quote goes quoted, its quotes doubled, as the import reads it.
    const auto campo = [](const QString& texto) {
        if (!texto.contains(u';') && !texto.contains(u'"')) return texto;
        return QStringLiteral("\"%1\"").arg(QString(texto).replace(u'"', QStringLiteral("\"\"")));
    };
    Resultado resultado;
    QStringList linhas{ColunasDosPacotes.join(u';')};
    qsizetype pacotes = 0;
    try {
        for (const auto& pacote : PacotesDeProcedimentos::Todos()) {
            ++pacotes;
            for (const auto& faixa : pacote.Faixas)
                for (const auto& item : faixa.Itens)
                    linhas << QStringList{campo(pacote.Nome),
                                          pacote.Especie,
                                          PacotesDeProcedimentos::TextoDoPeso(faixa.PesoInicial),
                                          PacotesDeProcedimentos::TextoDoPeso(faixa.PesoFinal),
                                          item.TipoDeLancamento == GradeDeItens::LancamentoDeServico
                                              ? QStringLiteral("Serviço")
                                              : QStringLiteral("Produto"),
                                          QString::number(item.Codigo),
                                          PacotesDeProcedimentos::TextoDoPeso(item.Quantidade),
                                          item.SeNecessario ? QStringLiteral("Sim") : QStringLiteral("Não")}
                                  .join(u';');
        }
    } catch (const VB::ErroDeExecucao& erro) {
        resultado.Erros << erro.Descricao();
        return resultado;
    }
    QSaveFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly) || saida.write((linhas.join(u'\n') + u'\n').toUtf8()) < 0 ||
        !saida.commit()) {
        resultado.Erros
            << QStringLiteral("Não foi possível gravar %1 (%2).").arg(arquivo, Textos::MotivoDaFalha(saida));
        return resultado;
    }
    resultado.Sucesso = true;
    resultado.Resumo << QStringLiteral("%1: %2 pacotes, %3 linhas")
                            .arg(arquivo, QString::number(pacotes), QString::number(linhas.size() - 1));
    return resultado;
}

} // namespace Importacao
