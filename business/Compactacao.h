#pragma once
// zlib streams for the copies the history keeps. A copy may be written as the
// difference from another text (zlib's preset dictionary): the next versions of a
// quote repeat most of its first one, and cost a few dozen bytes each that way. The
// stream's checksums (and, with a dictionary, the dictionary's own) make a damaged
// copy, or one read against the wrong text, fail to open instead of opening wrong.

#include <QByteArray>
#include <optional>

namespace Compactacao {

QByteArray Compactar(const QByteArray& texto, const QByteArray& dicionario = {});
// Empty when the stream is damaged or asks for another dictionary than the one given.
std::optional<QByteArray> Descompactar(const QByteArray& dados, const QByteArray& dicionario = {});

} // namespace Compactacao
