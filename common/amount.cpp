#include "amount.h"

#include "decimaltext.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace
{

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// German form: optional sign, digits with "." grouping anywhere between them, at most one
// decimal comma. Surrounding spaces are allowed.
std::optional<DecimalText> parseGerman(const QString &text)
{
    const QString t = text.trimmed();
    DecimalText d;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        d.negative = t[i++] == u'-';
    bool comma = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c))
            (comma ? d.fraction : d.integer).append(c);
        else if (c == u'.' && !comma)
            continue;
        else if (c == u',' && !comma)
            comma = true;
        else
            return std::nullopt;
    }
    if (d.integer.isEmpty() && d.fraction.isEmpty())
        return std::nullopt;
    if (d.integer.isEmpty())
        d.integer = QStringLiteral("0");
    return d;
}

// The shortest text that reads back as the same double, as a person would have typed it.
std::optional<DecimalText> fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const QString text = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(u'.');
    DecimalText d;
    d.negative = std::signbit(value);
    d.integer = point < 0 ? text : text.left(point);
    d.fraction = point < 0 ? QString() : text.mid(point + 1);
    return d;
}

double toDouble(const DecimalText &d)
{
    bool ok = false;
    const double value = QString(d.integer + u'.' + d.fraction).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return d.negative ? -value : value;
}

QString format(const DecimalText &d, int decimals)
{
    const DecimalText r = d.rounded(decimals);
    const QString text = r.text(u'.', u',');
    return r.belowZero() ? u'-' + text : text;
}

} // namespace

namespace modDef
{

double ParseAmount(const QString &value)
{
    const std::optional<DecimalText> d = parseGerman(value);
    return d ? toDouble(*d) : 0.0;
}

bool isAmount(const QString &text)
{
    return parseGerman(text).has_value();
}

QString FormatAmount(const QString &value, bool blankIfZero, int decimals, bool absolute)
{
    if (blankIfZero && ParseAmount(value) == 0)
        return QString();
    if (value.isEmpty())
        return QString();
    std::optional<DecimalText> d = parseGerman(value);
    // The absolute value is that of the amount read, and a text that is not one reads as 0.
    if (!d && absolute)
        d = DecimalText{false, QStringLiteral("0"), QString()};
    if (!d)
        return value;
    d->negative = d->negative && !absolute;
    return format(*d, decimals);
}

QString FormatAmount(double value, bool blankIfZero, int decimals, bool absolute)
{
    if (blankIfZero && value == 0)
        return QString();
    std::optional<DecimalText> d = fromDouble(absolute ? std::fabs(value) : value);
    return d ? format(*d, decimals) : QString();
}

QString getAcrobatNr(const QString &number)
{
    return QString(number).remove(u'.').replace(u',', u'.');
}

} // namespace modDef
