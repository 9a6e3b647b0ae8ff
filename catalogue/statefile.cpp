#include "statefile.h"

#include "common/amount.h"
#include "platform/ansitext.h"

namespace
{

QString storedPrice(const QString &line)
{
    const QString text = line.mid(4).replace(u'.', u',');
    if (text.trimmed().isEmpty())
        return QString();
    return modDef::FormatAmount(modDef::ParseAmount(text), false, 2, false);
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
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    bool lossless = false;
    const QByteArray ansi = AnsiText::encode(text, &lossless);
    return lossless ? ansi : text.toUtf8();
}

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

} // namespace StateFile
