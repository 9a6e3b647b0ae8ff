#pragma once

#include <QByteArray>
#include <QFile>
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
    QFile file(fuzzFolder().filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        qFatal("cannot write %s", name);
    return file.fileName();
}
