#include "ansitext.h"

#include <QStringDecoder>
#include <array>

namespace
{

// 0x80 to 0x9F; the five bytes that Windows-1252 leaves undefined map to the C1 controls.
constexpr std::array<char16_t, 32> upperControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t fromByte(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? upperControls[b - 0x80] : char16_t(b);
}

int toByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < upperControls.size(); ++i) {
        if (upperControls[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

namespace AnsiText
{

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char b : bytes)
        *out++ = QChar(fromByte(static_cast<unsigned char>(b)));
    return text;
}

QByteArray encode(const QString &text, bool *lossless)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool all = true;
    for (QChar c : text) {
        const int b = toByte(c.unicode());
        all = all && b >= 0;
        bytes.append(b >= 0 ? char(b) : '?');
    }
    if (lossless)
        *lossless = all;
    return bytes;
}

QString decodeAuto(const QByteArray &bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decode(bytes);
}

QByteArray encodeAuto(const QString &text)
{
    bool lossless = false;
    const QByteArray ansi = encode(text, &lossless);
    // Some Windows-1252 byte runs are valid UTF-8 and would be read as that.
    return lossless && decodeAuto(ansi) == text ? ansi : text.toUtf8();
}

} // namespace AnsiText
