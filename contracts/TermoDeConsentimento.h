#pragma once
// The consent form a client signs before a surgery or an anaesthesia ("Termo de
// consentimento"), as the windows see it: what the form prints of the clinic, the
// veterinarian who answers for it, the animal's owner, the animal, the procedures and
// the estimate, read in one call; and the entry in the quote's history that a form was
// printed or exported. Same result protocol as the other business objects
// (contracts/Negocio.h).

#include "contracts/Negocio.h"

#include <QDate>
#include <QList>

namespace ProgId {
inline const QString TermoDeConsentimento = QStringLiteral("ZELT_N_Orcamentos.clsTermoDeConsentimento");
} // namespace ProgId

namespace ZELT_N_Orcamentos {

// How a form left the program (RegistrarImpressao's lstrComo), written in the history as
// "termo de consentimento impresso: Dra. Ana Souza, CRMV-SP 12345".
inline const QString TermoImpresso = QStringLiteral("impresso");
inline const QString TermoExportadoEmPdf = QStringLiteral("exportado em PDF");

// One procedure the form names: an item of the quote whose service type needs consent.
struct ProcedimentoDoTermo {
    QString Nome;
    QString Quantidade; // as the sheet writes a service's quantity: "1"
    QString NomeDoAnimal;
    bool SeNecessario = false; // only some cases need it (the estimate's high total has it)
};

class clsTermoDeConsentimento : public ObjetoDeNegocio {
    Q_OBJECT
public:
    // Status protocol. ExigeConsentimento: whether any item of the quote has a service
    // type the company's settings list as needing consent. An unknown quote is refused (3).
    virtual qint16 Verificar(double ldouNumeroDoOrcamento) = 0;
    // Status protocol. Reads everything the form prints into the properties below (a text
    // the registry lacks is left empty: the window asks for it, nothing is made up). An
    // unknown quote, or no company registered, is refused (3).
    virtual qint16 Ler(double ldouNumeroDoOrcamento) = 0;
    // Status protocol. The history entry of a form printed or exported (lstrComo:
    // TermoImpresso or TermoExportadoEmPdf) for the veterinarian named on it, with the
    // copy of the quote, in one unit of work. Rejected (2) with an unknown lstrComo or no
    // veterinarian; an unknown quote is refused (3).
    virtual qint16 RegistrarImpressao(double ldouNumeroDoOrcamento, const QString& lstrComo,
                                      const QString& lstrVeterinario, const QString& lstrCRMV) = 0;

    QPointer<QObject> DadosDoUsuario;

    // After Verificar and Ler.
    bool ExigeConsentimento = false;
    // After Ler: the clinic (the first company), and its city as the form's place
    // ("Campinas/SP"; empty when the company has none).
    QString NomeFantasia, RazaoSocial, CNPJ, EnderecoDaEmpresa, Local;
    // The veterinarian who answers for the clinic (the settings; empty when not set).
    QString VeterinarioResponsavel, CRMV, UFDoCRMV;
    QString TextoDeConsentimento;
    // The owner: the client's name, CPF (or CNPJ) and full address as registered.
    QString NomeDoTutor, CPFDoTutor, EnderecoDoTutor;
    // The animal of the procedures: the quote's, else the first procedure's.
    QString NomeDoAnimal, Especie, Raca, Sexo;
    QDate DataDeNascimento; // null when not registered
    QString Idade;          // from the birth date to today: "3 anos e 2 meses"; empty without it
    QString PesoDoAnimal;   // the weight stored with the quote: "3,8 kg"; empty when none
    QList<ProcedimentoDoTermo> Procedimentos;
    // The estimate: the quote's low total (without its items "se necessário") and high
    // total (its net value); the same when no item is marked.
    VB::Currency ValorMinimo, ValorMaximo;
    QDate Hoje; // the business's today: the form's date
};

} // namespace ZELT_N_Orcamentos
