#include "platform/QrCode.h"

#include <qrcodegen.hpp>

#include <algorithm>
#include <cstring>

namespace QrCode {

QImage Imagem(const QString& texto, int pixelsPorModulo) {
    pixelsPorModulo = std::max(pixelsPorModulo, 1);
    try {
        // MEDIUM at least; the library raises it when the code's size allows, for free.
        const qrcodegen::QrCode codigo =
            qrcodegen::QrCode::encodeText(texto.toUtf8().constData(), qrcodegen::QrCode::Ecc::MEDIUM);
        const int lado = codigo.getSize() + 2 * ZonaDeSilencio;
        QImage imagem(lado * pixelsPorModulo, lado * pixelsPorModulo, QImage::Format_Grayscale8);
        imagem.fill(Qt::white);
        for (int y = 0; y < codigo.getSize(); ++y) {
            uchar* linha = imagem.scanLine((y + ZonaDeSilencio) * pixelsPorModulo);
            for (int x = 0; x < codigo.getSize(); ++x)
                if (codigo.getModule(x, y))
                    std::memset(linha + (x + ZonaDeSilencio) * pixelsPorModulo, 0, pixelsPorModulo);
            // The module's other pixel rows are copies of its first.
            for (int i = 1; i < pixelsPorModulo; ++i)
                std::memcpy(imagem.scanLine((y + ZonaDeSilencio) * pixelsPorModulo + i), linha,
                            imagem.bytesPerLine());
        }
        return imagem;
    } catch (const qrcodegen::data_too_long&) {
        return {};
    }
}

} // namespace QrCode
