#include "fdf.h"

#include "common/amount.h"
#include "platform/ansitext.h"

#include <QList>
#include <QStringEncoder>
#include <utility>

namespace
{

struct Segment {
    QString text;
    bool fromTemplate; // only template text is searched for placeholders
};

// Replaces every occurrence of `word` in the template text of `line`, left to right.
void replace(QList<Segment> &line, const QString &word, const QString &value)
{
    QList<Segment> result;
    for (Segment &segment : line) {
        if (!segment.fromTemplate) {
            result.append(std::move(segment));
            continue;
        }
        qsizetype from = 0;
        for (qsizetype at; (at = segment.text.indexOf(word, from)) >= 0; from = at + word.size()) {
            result.append({segment.text.mid(from, at - from), true});
            result.append({value, false});
        }
        result.append({segment.text.mid(from), true});
    }
    line = std::move(result);
}

// `value` with \ ( and ) escaped by a backslash and line ends as \r and \n, as FDF strings
// take them.
QString escaped(const QString &value)
{
    QString result;
    result.reserve(value.size());
    for (QChar c : value) {
        if (c == u'\r')
            result.append(QStringLiteral("\\r"));
        else if (c == u'\n')
            result.append(QStringLiteral("\\n"));
        else if (c == u'\\' || c == u'(' || c == u')')
            result.append(u'\\').append(c);
        else
            result.append(c);
    }
    return result;
}

// Every byte as an octal escape: the file stays single-byte text whatever the bytes are.
QString octal(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() * 4);
    for (char b : bytes)
        text += QStringLiteral("\\%1").arg(uint(static_cast<unsigned char>(b)), 3, 8, QChar(u'0'));
    return text;
}

// Where Windows-1252 and the PDF's own single-byte encoding (PDFDocEncoding) read a byte
// alike: ASCII, line ends and the Latin-1 letters. A viewer reads the single-byte form so.
bool readAlike(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\t' || u == u'\n' || u == u'\r' || (u >= 0x20 && u <= 0x7E) ||
           (u >= 0xA1 && u <= 0xFF && u != 0xAD);
}

// What both read alike is written as it stands, unless it begins as a byte-order mark would;
// anything else (€, „, “, –, letters beyond Windows-1252) as a PDF Unicode string.
QString textString(const QString &value)
{
    if (std::all_of(value.cbegin(), value.cend(), readAlike) &&
        !value.startsWith(QStringLiteral("\u00FE\u00FF")) &&
        !value.startsWith(QStringLiteral("\u00EF\u00BB\u00BF")))
        return escaped(value);
    QStringEncoder utf16(QStringEncoder::Utf16BE);
    return octal(QByteArrayLiteral("\xFE\xFF") + QByteArray(utf16.encode(value)));
}

// A viewer looks the form up by these bytes in the file system, which takes UTF-8 here;
// Windows-1252 bytes are kept, as they stand, where they cannot be taken for UTF-8.
QString fileName(const QString &docName)
{
    const QByteArray bytes = AnsiText::encodeAuto(docName);
    return AnsiText::decode(bytes) == docName ? escaped(docName) : octal(bytes);
}

QList<std::pair<QString, QString>> replacements(const QString &docName, const MasterData &data)
{
    QList<std::pair<QString, QString>> rows = {{QStringLiteral("Antrag.pdf"), fileName(docName)},
                                               {QStringLiteral("f1a1"), textString(data.name)}};
    for (int i = 1; i <= 9; ++i) {
        const MasterData::Package &p = data.packages[i - 1];
        rows.append({QStringLiteral("fm%1").arg(i), textString(p.menge)});
        rows.append({QStringLiteral("fma%1").arg(i), textString(p.mengenart)});
        rows.append({QStringLiteral("fbf%1").arg(i), textString(modDef::getAcrobatNr(p.fap))});
    }
    return rows;
}

} // namespace

namespace Fdf
{

QByteArray fill(const QByteArray &templateBytes, const QString &docName, const MasterData &data)
{
    const QString text = AnsiText::decode(templateBytes);
    const auto rows = replacements(docName, data);
    QString output;
    output.reserve(text.size() + text.size() / 4);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\r', start);
        if (end < 0)
            end = text.size();
        QList<Segment> line = {{text.mid(start, end - start), true}};
        for (const auto &[word, value] : rows)
            replace(line, word, value);
        for (const Segment &segment : line)
            output.append(segment.text);
        output.append(QStringLiteral("\r\n"));
        start = end + 1;
        if (start < text.size() && text[start] == u'\n')
            ++start;
    }
    return AnsiText::encode(output);
}

} // namespace Fdf
