#pragma once
// Checks and texts every layer shares about what a person typed or the system answered:
// an e-mail address (the importer refuses a bad one where it enters, the send again
// before anything opens), an amount in reais and the reason of a failed file operation,
// in Portuguese.
// Here because it is the lowest folder the business layer, the platform and the forms
// all see.

#include "contracts/VB.h"

#include <QString>
#include <optional>

class QFileDevice;

namespace Textos {

// One e-mail address of the usual shape, local@domínio: the local part of letters,
// digits and . _ + - (no leading, trailing or doubled dot); the domain of two or more
// labels of letters, digits and hyphens, accented ones included ("ana@clínica.com.br").
// Nothing that a program along the way could read as another field, another address,
// an option or a URL: no spaces, quotes, commas, ? & % = < >, no "mailto:", no leading
// "-". Empty is no address at all (false).
bool EmailValido(const QString& endereco);

// The text without its accents and other combining marks ("São Paulo" is "Sao Paulo"):
// the one place a text loses them, for the searches' normal form and the PIX code,
// which bank apps refuse with accents.
QString SemAcentos(const QString& texto);

// The two check digits (modulo 11) of a CPF from its first 9 digits, or of a CNPJ from
// its first 12: the same rule, with the weights counted from the right (2 to 9 again for
// a CNPJ, 2 to 11 for a CPF). Empty when base is not 9 or 12 digits.
QString DigitosVerificadores(const QString& base);
// A CPF (11 digits) or CNPJ (14 digits), punctuation ". - /" allowed, whose check
// digits are right; a number of one digit repeated ("111.111.111-11") is none.
bool CpfValido(const QString& texto);
bool CnpjValido(const QString& texto);
// The digits of a text typed with the usual punctuation, or empty when it holds
// anything but digits, blanks and ". - /".
QString DigitosDoDocumento(const QString& texto);
// The unit of the federation a person typed ("sp", " RJ "), upper-case and trimmed
// ("SP", "RJ"), when it is one of the 27 (the 26 states and the "DF"); empty otherwise.
// The one list of them: the settings' CRMV and the consent form check against it.
QString UnidadeDaFederacao(const QString& texto);

// A CPF as printed where strangers read it: only the middle digits, "***.456.789-**".
QString CpfMascarado(const QString& cpf);

// An amount of money as every text of the program writes it: "R$ 1.234,50",
// "R$ -91,20" (VB's Format "#,##0.00" after "R$ ").
QString EmReais(VB::Currency valor);

// An animal's weight as typed ("3,8", "3,8 kg"): a number above 0 and at most 1.000 kg,
// three decimals at most; nothing otherwise. Here so that the record form can check a
// weight it takes back from a recovery copy as the save will.
inline const VB::Currency PesoMaximo = VB::Currency::DeInteiro(1000);
std::optional<VB::Currency> PesoDigitado(const QString& texto);

// Why a file operation of the system failed, in Portuguese ("nome de arquivo longo
// demais", "não há espaço livre no disco"), from the file's error: Qt's own text of a
// failure is the system's (strerror) or its own English; neither reaches a person.
QString MotivoDaFalha(const QFileDevice& arquivo);
// The same for a system error number (errno).
QString MotivoDoSistema(int numero);

} // namespace Textos
