#pragma once

#include <QByteArray>
#include <stdexcept>

#include <qpdf/Pipeline.hh>

class QPDF;

// Thrown where data would unpack larger than allowed.
struct TooLarge : std::runtime_error {
    TooLarge() : std::runtime_error("decoded data too large") {}
};

// Takes decoded stream data, keeping it when asked, and stops the decoding past `limit`, so
// that data packed many times over never unpacks whole.
class BoundedSink : public Pipeline
{
public:
    BoundedSink(qint64 limit, bool keep);
    void write(const unsigned char *data, size_t length) override;
    void finish() override {}
    bool exceeded() const { return size_ > limit_; }

    QByteArray bytes;

private:
    qint64 limit_;
    bool keep_;
    qint64 size_ = 0;
};

// Objects inside compressed object streams are unpacked by qpdf whole: each stream is tried
// first within `limit`. Throws TooLarge.
void checkObjectStreams(QPDF &pdf, qint64 limit);
