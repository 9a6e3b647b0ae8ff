#pragma once

#include <QByteArray>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

// A new stream of the filled copy, packed with /FlateDecode: the writer copies streams as it
// finds them, so what the filler adds it packs itself.
QPDFObjectHandle packedStream(QPDF &pdf, const QByteArray &data);
