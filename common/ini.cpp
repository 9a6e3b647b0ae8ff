#include "ini.h"

#include "platform/profilereader.h"

namespace
{

QString cleaned(const QString &value)
{
    const QString comment = modDef::GetToken(value, 0, QStringLiteral("#"), false);
    qsizetype begin = 0;
    qsizetype end = comment.size();
    while (begin < end && comment[begin] == u' ')
        ++begin;
    while (end > begin && comment[end - 1] == u' ')
        --end;
    return comment.mid(begin, end - begin).remove(u'\t');
}

} // namespace

namespace modDef
{

QString ReadIni(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue)
{
    if (file.isEmpty())
        return defaultValue;
    return cleaned(ProfileReader::value(section, key, defaultValue, file));
}

QString ReadIni(const ProfileReader::Profile &profile, const QString &section, const QString &key,
                const QString &defaultValue)
{
    return cleaned(profile.value(section, key, defaultValue));
}

QString GetToken(const QString &text, int index, const QString &delimiter, bool ignoreCase)
{
    if (index < 0)
        return text;
    // An empty delimiter stands before every character: every field is empty.
    if (delimiter.isEmpty())
        return QString();
    return text
        .split(delimiter, Qt::KeepEmptyParts, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive)
        .value(index);
}

} // namespace modDef
