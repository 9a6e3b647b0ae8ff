#include "fieldformat.h"

#include "common/decimaltext.h"

#include <QRegularExpression>
#include <optional>

namespace
{

// The value as a script reads it: a decimal point or comma, no grouping.
std::optional<DecimalText> number(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^([+-]?)(\\d*)(?:[.,](\\d*))?$"));
    const QRegularExpressionMatch m = form.match(value.trimmed());
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    DecimalText d;
    d.negative = m.captured(1) == QLatin1String("-");
    d.integer = m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
    d.fraction = m.captured(3);
    return d;
}

// A JavaScript string literal's text: quotes off, \uXXXX and backslash escapes resolved. As
// the call's pattern matches it, a backslash inside is always followed by what it escapes.
QString scriptString(const QString &literal)
{
    QString text;
    for (qsizetype i = 1; i + 1 < literal.size(); ++i) {
        QChar c = literal[i];
        if (c == u'\\') {
            c = literal[++i];
            if (c == u'u') {
                bool ok = false;
                const ushort code = literal.mid(i + 1, 4).toUShort(&ok, 16);
                if (ok) {
                    c = QChar(code);
                    i += 4;
                }
            }
        }
        text.append(c);
    }
    return text;
}

// Separators by the scripts' style number: 1,234.56  1234.56  1.234,56  1234,56  1'234.56
void separators(int style, QChar &group, QChar &point)
{
    static const char16_t groups[] = {u',', 0, u'.', 0, u'\''};
    static const char16_t points[] = {u'.', u'.', u',', u',', u'.'};
    const int s = style >= 0 && style <= 4 ? style : 0;
    group = QChar(groups[s]);
    point = QChar(points[s]);
}

FieldFormat::Shown numberFormat(const QRegularExpressionMatch &m, const QString &value)
{
    std::optional<DecimalText> d = number(value);
    if (!d)
        return {value};
    const int decimals = std::min(m.captured(1).toInt(), 15);
    QChar group, point;
    separators(m.captured(2).toInt(), group, point);
    const int negative = m.captured(3).toInt();
    const QString currency = scriptString(m.captured(5));
    const bool prepend = m.captured(6) == QLatin1String("true");

    const DecimalText r = d->rounded(decimals);
    QString text = r.text(group, point);
    text = prepend ? currency + text : text + currency;
    const bool below = r.belowZero();
    if (below && (negative == 2 || negative == 3))
        text = u'(' + text + u')';
    else if (below && negative != 1)
        text.prepend(u'-');
    return {text, below && (negative == 1 || negative == 3)};
}

FieldFormat::Shown percentFormat(const QRegularExpressionMatch &m, const QString &value)
{
    std::optional<DecimalText> d = number(value);
    if (!d)
        return {value};
    // Times 100: the decimal point moves two places to the right.
    const QString fraction = d->fraction.leftJustified(2, u'0');
    d->integer += fraction.left(2);
    d->fraction = fraction.mid(2);
    QChar group, point;
    separators(m.captured(2).toInt(), group, point);
    const DecimalText r = d->rounded(std::min(m.captured(1).toInt(), 15));
    const QString text = r.text(group, point);
    const QString signedText = r.belowZero() ? u'-' + text : text;
    return {m.captured(3) == QLatin1String("true") ? u'%' + signedText : signedText + u'%'};
}

} // namespace

namespace FieldFormat
{

Shown apply(const QString &script, const QString &value)
{
    static const QString stringLiteral = QStringLiteral(R"(("(?:[^"\\]|\\.)*"|'(?:[^'\\]|\\.)*'))");
    static const QRegularExpression numberCall(
        QStringLiteral(
            R"(\bAFNumber_Format\s*\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*)") +
        stringLiteral + QStringLiteral(R"(\s*,\s*(true|false)\s*\))"));
    static const QRegularExpression percentCall(QStringLiteral(
        R"(\bAFPercent_Format\s*\(\s*(\d+)\s*,\s*(\d+)\s*(?:,\s*(true|false)\s*)?\))"));
    if (value.isEmpty())
        return {value};
    if (const QRegularExpressionMatch m = numberCall.match(script); m.hasMatch())
        return numberFormat(m, value);
    if (const QRegularExpressionMatch m = percentCall.match(script); m.hasMatch())
        return percentFormat(m, value);
    return {value};
}

} // namespace FieldFormat
