#include "contracts/Pix.h"

#include "contracts/Textos.h"

#include <QRegularExpression>
#include <algorithm>

namespace Pix {
namespace {

// One field: id, length in two digits, value. Every value here is ASCII (the texts are
// cleaned first), so its length in characters is its length in bytes.
QString Campo(const char* id, const QString& valor) {
    return QString::fromLatin1(id) + QStringLiteral("%1").arg(valor.size(), 2, 10, QChar(u'0')) + valor;
}

// A name or city as bank apps read it: no accents, printable ASCII only, cut to the size.
QString TextoDoRecebedor(const QString& texto, qsizetype tamanho) {
    QString limpo;
    for (const QChar c : Textos::SemAcentos(texto).simplified())
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) limpo += c;
    return limpo.left(tamanho).trimmed();
}

QString Identificador(const QString& texto) {
    QString limpo;
    for (const QChar c : texto)
        if (c.unicode() < 0x80 && c.isLetterOrNumber()) limpo += c;
    return limpo.isEmpty() ? QStringLiteral("***") : limpo.left(25);
}

// The amount in cents, half to even (VB's rounding), as "150.00".
QString TextoDoValor(VB::Currency valor) {
    const qint64 bruto = valor.DecimosDeMilesimos();
    qint64 centavos = bruto / 100;
    const qint64 resto = bruto % 100;
    if (resto > 50 || (resto == 50 && centavos % 2 != 0)) ++centavos;
    return QString::number(centavos / 100) + u'.' + QString::number(centavos % 100).rightJustified(2, u'0');
}

bool SoDigitos(const QString& texto) {
    return !texto.isEmpty() &&
           std::all_of(texto.begin(), texto.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString Crc16(const QByteArray& dados) {
    quint16 crc = 0xFFFF;
    for (const char byte : dados) {
        crc ^= static_cast<quint16>(static_cast<quint8>(byte)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<quint16>((crc << 1) ^ 0x1021) : static_cast<quint16>(crc << 1);
    }
    return QStringLiteral("%1").arg(crc, 4, 16, QChar(u'0')).toUpper();
}

QString CopiaECola(const Cobranca& c) {
    QString texto = Campo("00", QStringLiteral("01")) +
                    Campo("26", Campo("00", QStringLiteral("br.gov.bcb.pix")) + Campo("01", c.Chave)) +
                    Campo("52", QStringLiteral("0000")) + Campo("53", QStringLiteral("986"));
    if (c.Valor && c.Valor->DecimosDeMilesimos() > 0) texto += Campo("54", TextoDoValor(*c.Valor));
    texto += Campo("58", QStringLiteral("BR")) + Campo("59", TextoDoRecebedor(c.Nome, 25)) +
             Campo("60", TextoDoRecebedor(c.Cidade, 15)) +
             Campo("62", Campo("05", Identificador(c.Identificador))) + QStringLiteral("6304");
    return texto + Crc16(texto.toLatin1());
}

QString IdentificadorDoOrcamento(qint64 numero) {
    return QStringLiteral("ORC") + QString::number(numero);
}

ChaveVerificada VerificarChave(const QString& texto) {
    ChaveVerificada r;
    const QString chave = texto.trimmed();
    const auto recusar = [&](TipoDeChave tipo, const QString& tipoNoTexto, const QString& porque) {
        r.Tipo = tipo;
        r.Motivo = QStringLiteral("A chave Pix \"%1\" parece %2, mas %3.").arg(chave, tipoNoTexto, porque);
        return r;
    };
    if (chave.isEmpty()) {
        r.Motivo = QStringLiteral("Informe a chave Pix.");
        return r;
    }
    if (chave.startsWith(u'+')) {
        QString numero = chave;
        numero.remove(QRegularExpression(QStringLiteral("[\\s()\\-]")));
        const QString digitos = numero.mid(1);
        if (!SoDigitos(digitos) || !digitos.startsWith(QStringLiteral("55")) || digitos.size() < 12 ||
            digitos.size() > 13)
            return recusar(TipoDeChave::Telefone, QStringLiteral("um telefone"),
                           QStringLiteral("um telefone deve ser +55 seguido do DDD e do número (10 ou 11 "
                                          "dígitos), como +5511912345678"));
        r.Tipo = TipoDeChave::Telefone;
        r.Chave = numero;
        return r;
    }
    if (chave.contains(u'@')) {
        // The directory keeps e-mail keys in lower case and at most 77 characters, ASCII.
        if (chave != chave.toLower())
            return recusar(TipoDeChave::Email, QStringLiteral("um e-mail"),
                           QStringLiteral("deve ser escrita em letras minúsculas"));
        if (chave.size() > 77)
            return recusar(TipoDeChave::Email, QStringLiteral("um e-mail"),
                           QStringLiteral("tem mais de 77 caracteres"));
        if (!Textos::EmailValido(chave) || chave != Textos::SemAcentos(chave))
            return recusar(TipoDeChave::Email, QStringLiteral("um e-mail"),
                           QStringLiteral("não é um endereço de e-mail válido (sem acentos nem espaços)"));
        r.Tipo = TipoDeChave::Email;
        r.Chave = chave;
        return r;
    }
    const QString digitos = Textos::DigitosDoDocumento(chave);
    if (!digitos.isEmpty()) {
        if (digitos.size() == 11) {
            if (!Textos::CpfValido(digitos))
                return recusar(TipoDeChave::Cpf, QStringLiteral("um CPF"),
                               QStringLiteral("os dígitos verificadores não conferem"));
            r.Tipo = TipoDeChave::Cpf;
        } else if (digitos.size() == 14) {
            if (!Textos::CnpjValido(digitos))
                return recusar(TipoDeChave::Cnpj, QStringLiteral("um CNPJ"),
                               QStringLiteral("os dígitos verificadores não conferem"));
            r.Tipo = TipoDeChave::Cnpj;
        } else {
            return recusar(TipoDeChave::Cpf, QStringLiteral("um CPF ou CNPJ"),
                           QStringLiteral("tem %1 dígitos (um CPF tem 11 e um CNPJ, 14)")
                               .arg(QString::number(digitos.size())));
        }
        r.Chave = digitos;
        return r;
    }
    // A random key: a UUID as the directory gives it, lower-case hexadecimal 8-4-4-4-12.
    static const QRegularExpression aleatoria(
        QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    static const QRegularExpression pareceAleatoria(QStringLiteral("^[0-9a-fA-F\\-]{8,}$"));
    if (aleatoria.match(chave).hasMatch()) {
        r.Tipo = TipoDeChave::Aleatoria;
        r.Chave = chave;
        return r;
    }
    if (pareceAleatoria.match(chave).hasMatch() && chave.contains(u'-'))
        return recusar(TipoDeChave::Aleatoria, QStringLiteral("uma chave aleatória"),
                       QStringLiteral("uma chave aleatória tem 32 dígitos hexadecimais em letras minúsculas, "
                                      "no formato 8-4-4-4-12"));
    r.Motivo = QStringLiteral("A chave Pix \"%1\" não é um CPF, um CNPJ, um telefone (+55...), um e-mail nem "
                              "uma chave aleatória.")
                   .arg(chave);
    return r;
}

} // namespace Pix
