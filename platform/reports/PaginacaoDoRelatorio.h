#pragma once
// The data side of a report, apart from painting: which rows of the data source each
// page holds, and the texts of one page's rows, read by moving the data source to the
// page's first row. Every detail row has the same height, so page k holds the rows
// (k - 1) * n to (k - 1) * n + n - 1, where n rows fit between the page header and the
// page footer; no page is laid out to find another, and only the page asked for is
// read (a lazy recordset fetches just that page from the database).

#include "contracts/Recordset.h"

#include <QDate>
#include <QList>
#include <QStringList>

class RptTextBox;

class PaginacaoDoRelatorio {
public:
    // Heights in twips. The detail must have a height and one row must fit under the
    // header and above the footer; otherwise error 380 with a description.
    // The report footer (0: none) goes under the last row, or alone on one more page
    // when the last row leaves no room for it; it must fit on a page of its own.
    PaginacaoDoRelatorio(int alturaUtil, int alturaDoCabecalho, int alturaDoRodape, int alturaDoDetalhe,
                         qint32 totalDeLinhas, int alturaDoRodapeDoRelatorio = 0);

    qint32 TotalDeLinhas() const { return mlonTotalDeLinhas; }
    qint32 LinhasPorPagina() const { return mlonLinhasPorPagina; }
    // At least 1: a report without rows still prints its header and footer once.
    qint32 QuantidadeDePaginas() const;
    // Page numbers run from 1 to QuantidadeDePaginas(); rows are 0-based positions.
    qint32 PrimeiraLinha(qint32 pagina) const;
    qint32 LinhasNaPagina(qint32 pagina) const;
    // The page the report footer prints on: the last.
    bool ComRodapeDoRelatorio(qint32 pagina) const {
        return mbooRodapeDoRelatorio && pagina == QuantidadeDePaginas();
    }

private:
    qint32 PaginasDasLinhas() const;

    qint32 mlonTotalDeLinhas;
    qint32 mlonLinhasPorPagina;
    bool mbooRodapeDoRelatorio = false;
    bool mbooPaginaDoRodape = false; // the footer takes a page of its own
};

// One page ready to paint: for each of its rows, one text per bound text box, in the
// order the reader was given the boxes.
struct PaginaDoRelatorio {
    qint32 Numero = 0;
    qint32 TotalDePaginas = 0;
    QDate Emissao;
    bool ComRodapeDoRelatorio = false;
    QList<QStringList> Linhas;
};

class LeitorDePaginas {
public:
    LeitorDePaginas(RecordsetPtr fonte, QList<const RptTextBox*> caixas, PaginacaoDoRelatorio paginacao,
                    QDate emissao);

    const PaginacaoDoRelatorio& Paginacao() const { return mpaginacao; }
    const QList<const RptTextBox*>& Caixas() const { return mcaixas; }
    // The page's rows, read from the data source; its errors (a lost connection, a
    // row deleted meanwhile) reach the caller. A page out of range is error 380.
    PaginaDoRelatorio Ler(qint32 pagina) const;

    // The text a box shows for a value: nothing for Null, else the value written
    // with the box's DataFormat (or in its default text form).
    static QString TextoDoValor(const QVariant& valor, const QString& formato);

private:
    RecordsetPtr mfonte;
    QList<const RptTextBox*> mcaixas;
    PaginacaoDoRelatorio mpaginacao;
    QDate mdatEmissao;
};
