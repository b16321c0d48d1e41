#include "business/Compactacao.h"

#include <zlib.h>

namespace Compactacao {

namespace {

Bytef* Bytes(const QByteArray& dados) {
    return reinterpret_cast<Bytef*>(const_cast<char*>(dados.constData()));
}

} // namespace

QByteArray Compactar(const QByteArray& texto, const QByteArray& dicionario) {
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::bad_alloc();
    if (!dicionario.isEmpty())
        deflateSetDictionary(&z, Bytes(dicionario), static_cast<uInt>(dicionario.size()));
    QByteArray saida(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(texto.size()))),
                     Qt::Uninitialized);
    z.next_in = Bytes(texto);
    z.avail_in = static_cast<uInt>(texto.size());
    z.next_out = Bytes(saida);
    z.avail_out = static_cast<uInt>(saida.size());
    // deflateBound leaves room for the whole stream: one call finishes it.
    const int resultado = deflate(&z, Z_FINISH);
    saida.truncate(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    if (resultado != Z_STREAM_END) throw std::bad_alloc();
    return saida;
}

std::optional<QByteArray> Descompactar(const QByteArray& dados, const QByteArray& dicionario) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::bad_alloc();
    z.next_in = Bytes(dados);
    z.avail_in = static_cast<uInt>(dados.size());
    QByteArray saida;
    char bloco[16384];
    int resultado = Z_OK;
    while (resultado == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(bloco);
        z.avail_out = sizeof bloco;
        resultado = inflate(&z, Z_NO_FLUSH);
        if (resultado == Z_NEED_DICT && !dicionario.isEmpty())
            resultado = inflateSetDictionary(&z, Bytes(dicionario), static_cast<uInt>(dicionario.size()));
        saida.append(bloco, static_cast<qsizetype>(sizeof bloco - z.avail_out));
        // Input used up before the stream's end: a cut copy.
        if (resultado == Z_OK && z.avail_in == 0 && z.avail_out != 0) resultado = Z_DATA_ERROR;
    }
    inflateEnd(&z);
    if (resultado != Z_STREAM_END) return std::nullopt;
    return saida;
}

} // namespace Compactacao
