#pragma once

#include <QByteArray>
#include <QString>

// Single-byte text in the Windows-1252 code page, the encoding of the program's data files.
namespace AnsiText
{

QString decode(const QByteArray &bytes);

// Characters that Windows-1252 cannot hold become '?'; *lossless tells whether any did.
QByteArray encode(const QString &text, bool *lossless = nullptr);

// UTF-8 when the bytes are valid UTF-8 and not plain ASCII (files saved by Linux editors),
// Windows-1252 otherwise.
QString decodeAuto(const QByteArray &bytes);
// The bytes that decodeAuto reads back as `text`: Windows-1252 where it holds the text and
// those bytes cannot be taken for UTF-8, UTF-8 otherwise.
QByteArray encodeAuto(const QString &text);

} // namespace AnsiText
