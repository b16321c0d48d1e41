#pragma once
// A QR code drawn from a text (the PIX "copia e cola"), for the screen and the printed
// sheet alike: black modules on white, with the four modules of blank margin ("quiet
// zone") readers need around it, and error correction at least M (a sheet folded or
// smudged still reads). The library is libqrcodegencpp, packaged in Debian.

#include <QImage>
#include <QString>

namespace QrCode {

inline constexpr int ZonaDeSilencio = 4; // modules of margin on each side

// The code of texto as an image of pixelsPorModulo pixels to a module (at least 1), the
// margin included; a null image when the text is too long for any QR code.
QImage Imagem(const QString& texto, int pixelsPorModulo = 1);

} // namespace QrCode
