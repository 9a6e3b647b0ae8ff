// The Windows-1252 codec: every byte reads as one character and writes back as that byte.
#include "fuzzinput.h"
#include "platform/ansitext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    bool lossless = false;
    if (AnsiText::encode(AnsiText::decode(bytes), &lossless) != bytes || !lossless)
        qFatal("Windows-1252 bytes do not write back as themselves");
    const QString text = AnsiText::decodeAuto(bytes);
    const QByteArray encoded = AnsiText::encode(text, &lossless);
    if (lossless && AnsiText::decode(encoded) != text)
        qFatal("a text held by Windows-1252 does not read back");
    return 0;
}
