#include "statefile.h"

#include "common/amount.h"
#include "platform/ansitext.h"

#include <QIODevice>

namespace
{

// Prefix, the longest value in UTF-8 (at most three bytes a UTF-16 unit) and CR LF.
constexpr qint64 maxLineBytes = 5 + 3 * qint64(StateFile::maxValueLength) + 2;

QString storedPrice(const QString &line)
{
    const QString text = line.mid(4).replace(u'.', u',');
    if (text.trimmed().isEmpty())
        return QString();
    // The digits as stored: a double would change a long amount.
    if (!modDef::isAmount(text))
        return modDef::FormatAmount(0.0, false, 2, false);
    return modDef::FormatAmount(text, false, 2, false);
}

// A line cut inside a UTF-8 sequence would make the whole file read as Windows-1252.
void dropCutSequence(QByteArray &line)
{
    while (!line.isEmpty() && (line.back() & 0xC0) == 0x80)
        line.chop(1);
    if (!line.isEmpty() && (line.back() & 0xC0) == 0xC0)
        line.chop(1);
}

// The lines of the file's bytes, read as UTF-8 when they are that, else Windows-1252.
QStringList decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    QStringList result = AnsiText::decodeAuto(bytes).split(u'\n');
    if (result.last().isEmpty())
        result.removeLast();
    for (QString &line : result) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return result;
}

} // namespace

namespace StateFile
{

QStringList lines(const MasterData &data, const QString &completedList)
{
    QStringList result;
    for (int i = 1; i <= 9; ++i) {
        const MasterData::Package &p = data.packages[i - 1];
        result << QStringLiteral("mn1=") + p.menge << QStringLiteral("ma1=") + p.mengenart
               << QStringLiteral("bf%1=").arg(i) + modDef::getAcrobatNr(p.fap);
    }
    result << QStringLiteral("name=") + data.name << QStringLiteral("bear=") + completedList;
    return result;
}

void apply(const QStringList &lines, MasterData &data, QString &completedList)
{
    const auto line = [&lines](int number) {
        return number <= lines.size();
    };
    for (int i = 1; i <= 9; ++i) {
        MasterData::Package &p = data.packages[i - 1];
        const int first = 3 * i - 2;
        if (line(first))
            p.menge = lines[first - 1].mid(4);
        if (line(first + 1))
            p.mengenart = lines[first].mid(4);
        if (line(first + 2))
            p.fap = storedPrice(lines[first + 1]);
    }
    if (line(28))
        data.name = lines[27].mid(5);
    if (line(29))
        completedList = lines[28].mid(5);
}

QByteArray encode(const QStringList &lines)
{
    return AnsiText::encodeAuto(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QStringList read(QIODevice &file)
{
    QByteArray bytes;
    char chunk[1 << 16];
    for (int n = 0; n < lineCount && !file.atEnd(); ++n) {
        QByteArray line;
        bool whole = false;
        while (!whole && !file.atEnd()) {
            const qint64 got = file.readLine(chunk, sizeof chunk);
            if (got <= 0)
                break;
            whole = chunk[got - 1] == '\n';
            line.append(chunk, qsizetype(std::min(got, maxLineBytes + 1 - line.size())));
        }
        if (line.size() > maxLineBytes) {
            line.truncate(maxLineBytes);
            dropCutSequence(line);
            line.append('\n');
        }
        bytes.append(line);
    }
    return decode(bytes);
}

} // namespace StateFile
