#pragma once
// Checks and texts every layer shares about what a person typed or the system answered:
// an e-mail address (the importer refuses a bad one where it enters, the send again
// before anything opens) and the reason of a failed file operation, in Portuguese.
// Here because it is the lowest folder the business layer, the platform and the forms
// all see.

#include <QString>

class QFileDevice;

namespace Textos {

// One e-mail address of the usual shape, local@domínio: the local part of letters,
// digits and . _ + - (no leading, trailing or doubled dot); the domain of two or more
// labels of letters, digits and hyphens, accented ones included ("ana@clínica.com.br").
// Nothing that a program along the way could read as another field, another address,
// an option or a URL: no spaces, quotes, commas, ? & % = < >, no "mailto:", no leading
// "-". Empty is no address at all (false).
bool EmailValido(const QString& endereco);

// A CPF: its 11 digits (with or without the mask "###.###.###-##"), not all the same,
// with both check digits right.
bool CpfValido(const QString& cpf);
// A CPF as printed where strangers read it: only the middle digits, "***.456.789-**".
QString CpfMascarado(const QString& cpf);

// Why a file operation of the system failed, in Portuguese ("nome de arquivo longo
// demais", "não há espaço livre no disco"), from the file's error: Qt's own text of a
// failure is the system's (strerror) or its own English; neither reaches a person.
QString MotivoDaFalha(const QFileDevice& arquivo);
// The same for a system error number (errno).
QString MotivoDoSistema(int numero);

} // namespace Textos
