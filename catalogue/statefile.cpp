#include "statefile.h"

#include "common/amount.h"
#include "platform/ansitext.h"

#include <QIODevice>
#include <algorithm>

namespace
{

// Prefix and the longest value in UTF-8 (at most three bytes a UTF-16 unit).
constexpr qint64 maxLineBytes = 5 + 3 * qint64(StateFile::maxValueLength);

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

// The lines, each ended by LF, read as UTF-8 when they are that, else Windows-1252.
QStringList decode(const QByteArray &lines)
{
    QStringList result = AnsiText::decodeAuto(lines).split(u'\n');
    result.removeLast();
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
    // Lines end at CR, LF or CR LF, as editors of every system leave them.
    QByteArray lines;
    QByteArray line;
    int count = 0;
    bool afterCr = false;
    const auto endLine = [&] {
        if (line.size() > maxLineBytes) {
            line.truncate(maxLineBytes);
            dropCutSequence(line);
        }
        lines.append(line).append('\n');
        line.clear();
        ++count;
    };
    char chunk[1 << 16];
    qint64 got = 0;
    while (count < lineCount && (got = file.read(chunk, sizeof chunk)) > 0) {
        const char *at = chunk;
        const char *end = chunk + got;
        while (at < end && count < lineCount) {
            if (std::exchange(afterCr, false) && *at == '\n') {
                ++at;
                continue;
            }
            const char *stop = std::find_if(at, end, [](char c) { return c == '\r' || c == '\n'; });
            line.append(at, qsizetype(std::min<qint64>(stop - at, maxLineBytes + 1 - line.size())));
            if (stop == end)
                break;
            endLine();
            afterCr = *stop == '\r';
            at = stop + 1;
        }
    }
    if (!line.isEmpty() && count < lineCount)
        endLine();
    return decode(lines);
}

} // namespace StateFile
