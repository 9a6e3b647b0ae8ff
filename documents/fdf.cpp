#include "fdf.h"

#include "common/amount.h"
#include "platform/ansitext.h"

#include <QList>
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

QList<std::pair<QString, QString>> replacements(const QString &docName, const MasterData &data)
{
    QList<std::pair<QString, QString>> rows = {{QStringLiteral("Antrag.pdf"), docName},
                                               {QStringLiteral("f1a1"), data.name}};
    for (int i = 1; i <= 9; ++i) {
        const MasterData::Package &p = data.packages[i - 1];
        rows.append({QStringLiteral("fm%1").arg(i), p.menge});
        rows.append({QStringLiteral("fma%1").arg(i), p.mengenart});
        rows.append({QStringLiteral("fbf%1").arg(i), modDef::getAcrobatNr(p.fap)});
    }
    for (auto &row : rows)
        row.second = Fdf::escaped(row.second);
    return rows;
}

} // namespace

namespace Fdf
{

QString escaped(const QString &value)
{
    QString result;
    result.reserve(value.size());
    for (QChar c : value) {
        if (c == u'\\' || c == u'(' || c == u')')
            result.append(u'\\');
        result.append(c);
    }
    return result;
}

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
