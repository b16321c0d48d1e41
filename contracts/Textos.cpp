#include "contracts/Textos.h"

#include <QFileDevice>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Textos {

bool EmailValido(const QString& endereco) {
    // 254: the longest address a mail server's path takes (RFC 5321).
    if (endereco.isEmpty() || endereco.size() > 254) return false;
    static const QRegularExpression forma(
        QStringLiteral("^[\\p{L}\\p{N}_+\\-]+(\\.[\\p{L}\\p{N}_+\\-]+)*"
                       "@([\\p{L}\\p{N}]([\\p{L}\\p{N}\\-]{0,61}[\\p{L}\\p{N}])?\\.)+\\p{L}{2,63}$"));
    if (endereco.startsWith(u'-') || !forma.match(endereco).hasMatch()) return false;
    // The domain must be one the name system can hold: an accented one as its ASCII form.
    const QString dominio = endereco.mid(endereco.lastIndexOf(u'@') + 1);
    return !QUrl::toAce(dominio, QUrl::AceTransitionalProcessing).isEmpty();
}

QString SemAcentos(const QString& texto) {
    const QString decomposto = texto.normalized(QString::NormalizationForm_KD);
    QString resultado;
    resultado.reserve(decomposto.size());
    for (const QChar c : decomposto) {
        const QChar::Category categoria = c.category();
        if (categoria == QChar::Mark_NonSpacing || categoria == QChar::Mark_SpacingCombining ||
            categoria == QChar::Mark_Enclosing)
            continue;
        resultado.append(c);
    }
    return resultado;
}

QString DigitosVerificadores(const QString& base) {
    if ((base.size() != 9 && base.size() != 12) ||
        !std::all_of(base.begin(), base.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return {};
    // A CPF's weights grow without bound (2, 3, ... 11); a CNPJ's go back to 2 after 9.
    const int pesoMaximo = base.size() == 9 ? 11 : 9;
    QString digitos = base;
    for (int verificador = 0; verificador < 2; ++verificador) {
        int soma = 0;
        int peso = 2;
        for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
            soma += (digitos.at(i).unicode() - u'0') * peso;
            peso = peso == pesoMaximo ? 2 : peso + 1;
        }
        const int resto = soma % 11;
        digitos += QChar(u'0' + (resto < 2 ? 0 : 11 - resto));
    }
    return digitos.right(2);
}

QString DigitosDoDocumento(const QString& texto) {
    QString digitos;
    for (const QChar c : texto) {
        if (c.isDigit() && c.unicode() < 128)
            digitos += c;
        else if (c != u'.' && c != u'-' && c != u'/' && c != u' ')
            return {};
    }
    return digitos;
}

namespace {
bool DocumentoValido(const QString& texto, qsizetype tamanho) {
    const QString digitos = DigitosDoDocumento(texto);
    if (digitos.size() != tamanho || digitos.count(digitos.at(0)) == tamanho) return false;
    return DigitosVerificadores(digitos.left(tamanho - 2)) == digitos.right(2);
}
} // namespace

bool CpfValido(const QString& texto) {
    return DocumentoValido(texto, 11);
}

bool CnpjValido(const QString& texto) {
    return DocumentoValido(texto, 14);
}

QString MotivoDoSistema(int numero) {
    switch (numero) {
    case ENAMETOOLONG:
        return QStringLiteral("nome de arquivo longo demais");
    case ENOSPC:
        return QStringLiteral("não há espaço livre no disco");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("a cota de disco do usuário acabou");
#endif
    case EFBIG:
        return QStringLiteral("arquivo grande demais");
    case EACCES:
    case EPERM:
        return QStringLiteral("permissão negada");
    case EROFS:
        return QStringLiteral("o disco só permite leitura");
    case ENOENT:
        return QStringLiteral("o arquivo ou a pasta não existe");
    case ENOTDIR:
        return QStringLiteral("uma parte do caminho não é uma pasta");
    case EISDIR:
        return QStringLiteral("o caminho é de uma pasta");
    case EEXIST:
        return QStringLiteral("o arquivo já existe");
    case ELOOP:
        return QStringLiteral("atalhos (links) demais no caminho");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("arquivos abertos demais");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("o arquivo está em uso");
    case EIO:
        return QStringLiteral("erro de leitura ou gravação no disco");
    default:
        return QStringLiteral("erro %1 do sistema").arg(numero);
    }
}

QString MotivoDaFalha(const QFileDevice& arquivo) {
    // Qt keeps no error number, only its text: when that is the system's text of a
    // number, that number's reason; else the kind of failure Qt names.
    const QString texto = arquivo.errorString();
    for (int numero = 1; numero < 256; ++numero)
        if (texto == QString::fromLocal8Bit(std::strerror(numero))) return MotivoDoSistema(numero);
    switch (arquivo.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("erro de leitura");
    case QFileDevice::WriteError:
        return QStringLiteral("erro de gravação");
    case QFileDevice::ResourceError:
        return QStringLiteral("faltaram recursos do sistema, como espaço no disco");
    case QFileDevice::PermissionsError:
        return QStringLiteral("permissão negada");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return QStringLiteral("o arquivo não pôde ser substituído");
    case QFileDevice::RemoveError:
        return QStringLiteral("o arquivo não pôde ser removido");
    default:
        return QStringLiteral("o arquivo não pôde ser aberto");
    }
}

QString UnidadeDaFederacao(const QString& texto) {
    static const QStringList Unidades{
        QStringLiteral("AC"), QStringLiteral("AL"), QStringLiteral("AP"), QStringLiteral("AM"),
        QStringLiteral("BA"), QStringLiteral("CE"), QStringLiteral("DF"), QStringLiteral("ES"),
        QStringLiteral("GO"), QStringLiteral("MA"), QStringLiteral("MT"), QStringLiteral("MS"),
        QStringLiteral("MG"), QStringLiteral("PA"), QStringLiteral("PB"), QStringLiteral("PR"),
        QStringLiteral("PE"), QStringLiteral("PI"), QStringLiteral("RJ"), QStringLiteral("RN"),
        QStringLiteral("RS"), QStringLiteral("RO"), QStringLiteral("RR"), QStringLiteral("SC"),
        QStringLiteral("SP"), QStringLiteral("SE"), QStringLiteral("TO")};
    const QString sigla = texto.trimmed().toUpper();
    return Unidades.contains(sigla) ? sigla : QString();
}

QString CpfMascarado(const QString& cpf) {
    const QString d = DigitosDoDocumento(cpf);
    if (d.size() != 11) return {};
    return QStringLiteral("***.%1.%2-**").arg(d.mid(3, 3), d.mid(6, 3));
}

std::optional<VB::Currency> PesoDigitado(const QString& texto) {
    QString numero = texto.trimmed();
    if (numero.endsWith(QStringLiteral("kg"), Qt::CaseInsensitive)) numero = numero.chopped(2).trimmed();
    if (numero.isEmpty() || !VB::IsNumeric(numero)) return std::nullopt;
    const std::optional<VB::Currency> peso = VB::CCurNoIntervalo(numero);
    if (!peso || *peso <= VB::Currency() || *peso > PesoMaximo) return std::nullopt;
    // Three decimals at most: grams.
    if (peso->DecimosDeMilesimos() % 10 != 0) return std::nullopt;
    return peso;
}

QString EmReais(VB::Currency valor) {
    return QStringLiteral("R$ ") + VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.00"));
}

} // namespace Textos
