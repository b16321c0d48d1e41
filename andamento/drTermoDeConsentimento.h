#pragma once
// The printed consent form of a quote ("Termo de consentimento"), in two copies (the
// clinic's and the owner's), each starting on a page of its own: under the clinic's name
// and the title on every page, the clinic with its CNPJ and address and the veterinarian
// who answers for it with the CRMV; the owner with CPF and address; the animal; the
// procedures and the estimate; the consent text; place and date; the lines the owner and
// the veterinarian sign on.
//
// The runtime prints one fixed-height row per record and cuts a long text with "…", so
// the form is a list of lines (a heading in bold, or a text), the long texts broken
// between words here; a copy is followed by blank lines up to the end of its page.

#include "contracts/TermoDeConsentimento.h"
#include "platform/reports/DataReport.h"

#include <QList>

class drTermoDeConsentimento : public DataReport {
    Q_OBJECT
public:
    explicit drTermoDeConsentimento(QObject* pai = nullptr);

    // One line of a copy: a heading in bold, else a text.
    struct Linha {
        bool Negrito = false;
        QString Texto;
    };
    // Characters a line of 9 points holds across the page.
    static constexpr int CaracteresPorLinha = 95;

    // The lines of one copy, from what the window shows (the registry's data completed by
    // the person); via names the copy ("1ª via - clínica").
    static QList<Linha> LinhasDaVia(const ZELT_N_Orcamentos::clsTermoDeConsentimento& termo,
                                    const QString& via);
    // "Estimativa: de R$ 108,00 a R$ 458,00", or "Valor estimado: R$ 458,00" without a range.
    static QString EstimativaDoTermo(const ZELT_N_Orcamentos::clsTermoDeConsentimento& termo);
    // The two copies, each padded to the end of its last page, as the report's data.
    void Preencher(const ZELT_N_Orcamentos::clsTermoDeConsentimento& termo, double numeroDoOrcamento,
                   const QString& nomeDaAplicacao);
    // The rows one page holds between its header and its footer.
    int LinhasPorPagina() const;
};
