#pragma once
// Loads a clinic's own registry from CSV files into the open database: company,
// service types, clients, animals, products and services, from the files
// empresa.csv, tiposdeservicos.csv, clientes.csv, animais.csv, produtos.csv and
// servicos.csv, and the procedure packages from pacotes.csv, of one folder (each optional; the columns are in
// docs/negocio.md). Files are UTF-8 text, ";" between fields, a header row naming the columns (in any order),
// Brazilian numbers ("1.234,56") and dates ("DD/MM/AAAA"). A record whose code exists is updated; a new one
// is added.
//
// All files are one unit of work: when any row is bad, every bad row found is
// reported as "<file>: linha <n>: <reason>" and nothing of the import is stored.

#include <QString>
#include <QStringList>

namespace Importacao {

struct Resultado {
    bool Sucesso = false;
    QStringList Erros;  // one line each, in Portuguese
    QStringList Resumo; // "clientes.csv: 200 registros", one line per file loaded
};

Resultado ImportarCadastros(const QString& pasta);
// Writes every procedure package to a file in pacotes.csv's columns (one row per item
// of a band), which ImportarCadastros reads back; replaced only when complete.
Resultado ExportarPacotes(const QString& arquivo);

} // namespace Importacao
