#pragma once
// The PIX "copia e cola" of a charge, made by the program itself from the clinic's key,
// with no bank server: the central bank's static BR Code (EMV merchant-presented mode),
// which any bank app reads as text or from its QR code. Here, below the forms and the
// business layer, because the settings' check (business) and the sheet and the sends
// (forms) both need it.

#include "contracts/VB.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace Pix {

// What a charge carries. Nome and Cidade are cut (25 and 15 characters) and stripped of
// accents by the payload; Identificador keeps only letters and digits (25 at most), and
// an empty one becomes "***", the BR Code's "no identifier".
struct Cobranca {
    QString Chave;
    QString Nome;
    QString Cidade;
    std::optional<VB::Currency> Valor; // none: the payer types the amount
    QString Identificador;
};

// The payload: each field its two-digit id, its two-digit length and its value, ended by
// the CRC of everything before it. The value is rounded half to even to the cent; a value
// of none or of zero leaves field 54 out.
QString CopiaECola(const Cobranca& cobranca);

// CRC-16/CCITT-FALSE (polynomial 0x1021, initial 0xFFFF, no reflection, no final XOR) as
// four upper-case hexadecimal digits: "123456789" gives "29B1".
QString Crc16(const QByteArray& dados);

// The transaction id of a quote's deposit: "ORC" and its number.
QString IdentificadorDoOrcamento(qint64 numero);

// A key as the settings take it: one of the five kinds of the central bank's directory.
enum class TipoDeChave { Nenhum, Cpf, Cnpj, Telefone, Email, Aleatoria };
struct ChaveVerificada {
    TipoDeChave Tipo = TipoDeChave::Nenhum; // the kind the key looked like
    QString Chave;  // as stored and carried: a CPF or CNPJ as digits, a phone without blanks
    QString Motivo; // empty when the key is good; else why not, naming the kind
};
ChaveVerificada VerificarChave(const QString& texto);

} // namespace Pix
