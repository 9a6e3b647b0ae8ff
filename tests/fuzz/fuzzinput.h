#pragma once

#include "tests/testfiles.h"

#include <QTemporaryDir>
#include <cstdint>

// What the fuzz targets take: the input's bytes, or the input as a file in a folder of its own
// for the readers that take files.
inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline const QTemporaryDir &fuzzFolder()
{
    static const QTemporaryDir folder;
    return folder;
}

inline QString fuzzFile(const char *name, const QByteArray &content)
{
    return writeBytes(fuzzFolder().filePath(QString::fromLatin1(name)), content);
}
