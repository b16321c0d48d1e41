#include "contracts/Textos.h"

#include <QFileDevice>
#include <QRegularExpression>
#include <QUrl>
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

namespace {
QString SoDigitos(const QString& texto) {
    QString digitos;
    for (const QChar c : texto)
        if (c.isDigit()) digitos += c;
    return digitos;
}
} // namespace

bool CpfValido(const QString& cpf) {
    static const QRegularExpression forma(QStringLiteral("^(\\d{11}|\\d{3}\\.\\d{3}\\.\\d{3}-\\d{2})$"));
    const QString texto = cpf.trimmed();
    if (!forma.match(texto).hasMatch()) return false;
    const QString d = SoDigitos(texto);
    if (d.count(d.at(0)) == d.size()) return false; // 000.000.000-00 and the like pass the sums
    for (int verificador = 9; verificador <= 10; ++verificador) {
        int soma = 0;
        for (int i = 0; i < verificador; ++i)
            soma += d.at(i).digitValue() * (verificador + 1 - i);
        const int esperado = (soma * 10) % 11 % 10;
        if (d.at(verificador).digitValue() != esperado) return false;
    }
    return true;
}

QString CpfMascarado(const QString& cpf) {
    const QString d = SoDigitos(cpf);
    if (d.size() != 11) return {};
    return QStringLiteral("***.%1.%2-**").arg(d.mid(3, 3), d.mid(6, 3));
}

} // namespace Textos
