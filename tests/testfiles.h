#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringEncoder>

// A whole file's bytes; none when it cannot be read.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file, its folder too; a test that cannot make its files stops.
inline QString writeBytes(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A PDF text string in UTF-16 with its byte-order mark, as FDF data carry any letter.
inline QByteArray pdfTextString(const QString &text)
{
    QStringEncoder utf16(QStringEncoder::Utf16BE);
    return "<FEFF" + QByteArray(utf16.encode(text)).toHex() + '>';
}
