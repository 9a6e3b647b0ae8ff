#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QStringEncoder>
#include <utility>

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

// What a program writes to its standard output, and to `errors` what it says besides; a test
// whose tool fails stops.
inline QString run(const QString &program, const QStringList &arguments, QString *errors = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A PDF text string in UTF-16 with its byte-order mark, as FDF data carry any letter.
inline QByteArray pdfTextString(const QString &text)
{
    QStringEncoder utf16(QStringEncoder::Utf16BE);
    return "<FEFF" + QByteArray(utf16.encode(text)).toHex() + '>';
}

// FDF data for form.pdf, each field's full name and value; a stream after CR LF is passed over.
inline QByteArray fdfData(const QList<std::pair<QString, QString>> &fields)
{
    QByteArray entries;
    for (const auto &[name, value] : fields)
        entries += "<< /T " + pdfTextString(name) + " /V " + pdfTextString(value) + " >>\n";
    return "%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [\n" + entries +
           "] >> >>\nendobj\n2 0 obj << /Length 4 >> stream\r\nabcd\nendstream endobj\ntrailer\n"
           "<< /Root 1 0 R >>\n%%EOF\n";
}
