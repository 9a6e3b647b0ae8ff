#pragma once

#include <QByteArray>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

// A new stream of the filled copy, packed with /FlateDecode: the writer copies streams as it
// finds them, so what the filler adds it packs itself.
inline QPDFObjectHandle packedStream(QPDF &pdf, const QByteArray &data)
{
    // qCompress puts the length in front of a zlib stream: what /FlateDecode reads.
    const QByteArray packed = qCompress(data).mid(4);
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf);
    stream.replaceStreamData(packed.toStdString(), QPDFObjectHandle::newName("/FlateDecode"),
                             QPDFObjectHandle::newNull());
    return stream;
}
