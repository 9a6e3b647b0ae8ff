#include "profilereader.h"

#include "ansitext.h"

#include <QFile>
#include <QStringView>

namespace
{

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Names lose blanks and tabs around them; values only blanks, so that a tab in a value
// reaches the caller, which removes tabs itself.
QStringView trimmed(QStringView text, bool tabsToo = true)
{
    const auto blank = [tabsToo](QChar c) {
        return c == u' ' || (tabsToo && c == u'\t');
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString limited(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return text.left(nul >= 0 ? nul : text.size()).left(ProfileReader::maxValueLength).toString();
}

} // namespace

namespace ProfileReader
{

Profile::Profile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // Read no further than the bound, whatever size the file claims (a pipe claims none).
    const QByteArray bytes = file.read(maxFileSize + 1);
    tooLarge_ = bytes.size() > maxFileSize;
    if (tooLarge_)
        return;
    text_ = AnsiText::decodeAuto(bytes);

    QHash<QString, QStringView> *keys = nullptr;
    for (QStringView line : QStringView(text_).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView lead = trimmed(line);
        if (lead.isEmpty() || lead.front() == u';')
            continue;
        if (lead.front() == u'[') {
            // Up to the "]", or the rest of the line without one (a length below 0).
            const QStringView name = trimmed(lead.mid(1, lead.indexOf(u']') - 1));
            keys = &sections_[name.toString().toCaseFolded()];
            continue;
        }
        if (!keys)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        // The whole line names a key without "=" (left() of a length below 0).
        const QString name = trimmed(line.left(equals)).toString().toCaseFolded();
        if (!keys->contains(name))
            keys->insert(name, equals < 0 ? QStringView()
                                          : unquoted(trimmed(line.mid(equals + 1), false)));
    }
}

QString Profile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const auto keys = sections_.constFind(section.toCaseFolded());
    if (keys != sections_.cend()) {
        const auto found = keys->constFind(key.toCaseFolded());
        if (found != keys->cend())
            return limited(*found);
    }
    return limited(defaultValue);
}

QString value(const QString &section, const QString &key, const QString &defaultValue,
              const QString &fileName)
{
    return Profile(fileName).value(section, key, defaultValue);
}

} // namespace ProfileReader
