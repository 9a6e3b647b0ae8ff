#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

// What every fuzz target takes: the input's bytes, or the input as a file of a folder of its
// own, for readers that take files.
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
    const QString path = fuzzFolder().filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Texts as a user types them: the input split at 0x01, read as UTF-8, without line ends.
inline QStringList fuzzTexts(const QByteArray &input, int count)
{
    QStringList texts;
    const QList<QByteArray> parts = input.split('\x01');
    for (int i = 0; i < count; ++i)
        texts << QString::fromUtf8(parts.value(i)).remove(u'\r').remove(u'\n');
    return texts;
}
