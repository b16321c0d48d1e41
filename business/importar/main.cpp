// zelt_importar: loads a clinic's registry from a folder of CSV files into the
// configured database (see docs/negocio.md for the files and their columns).
//
//   zelt_importar <pasta> [--banco <arquivo.sqlite> | --url <postgresql://...>]
//   zelt_importar --verificar | --recontar [--banco ... | --url ...]
//   zelt_importar --exportar-pacotes <arquivo.csv> [--banco ... | --url ...]
//
// Exit code 0 when everything was stored, 1 when nothing was (the reasons are
// printed, one per line), 2 for a wrong command line. --verificar counts the quotes
// again and compares them with the counters the list reads (exit 1, one line per
// situation that differs); --recontar rewrites the counters from that count.

#include "business/Banco.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/Importacao.h"
#include "business/Negocio.h"
#include "contracts/Programa.h"
#include "contracts/VB.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {
int Contagens(bool recontar, QTextStream& saida, QTextStream& erros) {
    try {
        if (recontar) {
            Banco::UnidadeDeTrabalho unidade;
            ContagemDeOrcamentos::Recontar();
            unidade.Confirmar();
        }
        const QStringList divergencias = ContagemDeOrcamentos::Divergencias();
        Negocio::Encerrar();
        for (const QString& linha : divergencias)
            erros << linha << Qt::endl;
        if (!divergencias.isEmpty()) return 1;
        saida << QStringLiteral("As contagens de orçamentos conferem.") << Qt::endl;
        return 0;
    } catch (const VB::ErroDeExecucao& erro) {
        erros << erro.Descricao() << Qt::endl;
        return 1;
    }
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication aplicacao(argc, argv);
    Programa::Preparar(aplicacao);
    QCoreApplication::setApplicationName(QStringLiteral("zelt_importar"));
    QTextStream saida(stdout);
    QTextStream erros(stderr);

    QCommandLineParser parametros;
    parametros.setApplicationDescription(QStringLiteral(
        "Importa empresa, clientes, animais, produtos, tipos de serviços, serviços e pacotes de "
        "procedimentos de arquivos CSV, e exporta os pacotes."));
    parametros.addHelpOption();
    parametros.addVersionOption();
    parametros.addPositionalArgument(QStringLiteral("pasta"), QStringLiteral("Pasta com os arquivos CSV."));
    parametros.addOption(
        {QStringLiteral("banco"), QStringLiteral("Arquivo SQLite de destino."), QStringLiteral("arquivo")});
    parametros.addOption(
        {QStringLiteral("url"), QStringLiteral("URL do PostgreSQL de destino."), QStringLiteral("url")});
    parametros.addOption(
        {QStringLiteral("verificar"),
         QStringLiteral("Confere as contagens de orçamentos por situação com uma recontagem.")});
    parametros.addOption(
        {QStringLiteral("recontar"),
         QStringLiteral("Refaz as contagens de orçamentos por situação a partir de uma recontagem.")});
    parametros.addOption(
        {QStringLiteral("exportar-pacotes"),
         QStringLiteral("Grava os pacotes de procedimentos no arquivo CSV (colunas de pacotes.csv)."),
         QStringLiteral("arquivo")});
    parametros.process(aplicacao);
    const bool exportar = parametros.isSet(QStringLiteral("exportar-pacotes"));
    const bool contagens =
        parametros.isSet(QStringLiteral("verificar")) || parametros.isSet(QStringLiteral("recontar"));
    if (parametros.positionalArguments().size() != (contagens || exportar ? 0 : 1)) {
        erros << parametros.helpText();
        return 2;
    }

    Negocio::Configuracao configuracao = Negocio::ConfiguracaoDoAmbiente();
    if (parametros.isSet(QStringLiteral("banco"))) {
        configuracao.ArquivoSQLite = parametros.value(QStringLiteral("banco"));
        configuracao.UrlPostgreSQL.clear();
    }
    if (parametros.isSet(QStringLiteral("url")))
        configuracao.UrlPostgreSQL = parametros.value(QStringLiteral("url"));
    // The clinic's own data goes into an empty database, never beside the demo clinic.
    configuracao.CriarDadosDeDemonstracao = false;
    configuracao.Registrar = [&erros](const QString& aviso) { erros << aviso << Qt::endl; };
    try {
        Negocio::Iniciar(configuracao);
    } catch (const VB::ErroDeExecucao& erro) {
        erros << erro.Descricao() << Qt::endl;
        return 1;
    }

    if (contagens) return Contagens(parametros.isSet(QStringLiteral("recontar")), saida, erros);

    const Importacao::Resultado resultado =
        exportar ? Importacao::ExportarPacotes(parametros.value(QStringLiteral("exportar-pacotes")))
                 : Importacao::ImportarCadastros(parametros.positionalArguments().first());
    Negocio::Encerrar();
    if (!resultado.Sucesso) {
        for (const QString& erro : resultado.Erros)
            erros << erro << Qt::endl;
        erros << (exportar ? QStringLiteral("Nada foi exportado.") : QStringLiteral("Nada foi importado."))
              << Qt::endl;
        return 1;
    }
    for (const QString& linha : resultado.Resumo)
        saida << linha << Qt::endl;
    saida << (exportar ? QStringLiteral("Exportação concluída.") : QStringLiteral("Importação concluída."))
          << Qt::endl;
    return 0;
}
