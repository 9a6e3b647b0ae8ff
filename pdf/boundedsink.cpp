#include "boundedsink.h"

#include <QSet>
#include <qpdf/QPDF.hh>

BoundedSink::BoundedSink(qint64 limit, bool keep)
    : Pipeline("bounded", nullptr), limit_(limit), keep_(keep)
{
}

void BoundedSink::write(const unsigned char *data, size_t length)
{
    size_ += qint64(length);
    // qpdf takes what a pipeline throws for a warning; exceeded() tells afterwards.
    if (size_ > limit_)
        throw TooLarge();
    if (keep_)
        bytes.append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void checkObjectStreams(QPDF &pdf, qint64 limit)
{
    QSet<int> streams;
    for (const auto &[id, entry] : pdf.getXRefTable()) {
        if (entry.getType() == 2)
            streams.insert(entry.getObjStreamNumber());
    }
    for (int number : std::as_const(streams)) {
        QPDFObjectHandle stream = pdf.getObjectByID(number, 0);
        BoundedSink sink(limit, false);
        if (stream.isStream())
            stream.pipeStreamData(&sink, 0, qpdf_dl_generalized, true);
        if (sink.exceeded())
            throw TooLarge();
    }
}
