#include "packedstream.h"

#include <algorithm>
#include <zlib.h>

QPDFObjectHandle packedStream(QPDF &pdf, const QByteArray &data)
{
    // A window no larger than the data: zlib's full window and hash table, cleared for every
    // one of a form's many small streams, would cost more than packing them.
    int window = 9;
    while (window < 15 && (1 << window) < data.size())
        ++window;
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf);
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, window, std::min(window - 6, 8),
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        stream.replaceStreamData(data.toStdString(), QPDFObjectHandle::newNull(),
                                 QPDFObjectHandle::newNull());
        return stream;
    }
    std::string packed(deflateBound(&z, uLong(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(packed.data());
    z.avail_out = uInt(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    stream.replaceStreamData(packed, QPDFObjectHandle::newName("/FlateDecode"),
                             QPDFObjectHandle::newNull());
    return stream;
}
