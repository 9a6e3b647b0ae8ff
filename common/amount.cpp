#include "amount.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace
{

// A number as the digits it was written with, so rounding never meets binary fractions.
struct Decimal {
    bool negative = false;
    QString integer; // digits only, at least one
    QString fraction;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// German form: optional sign, digits with "." grouping anywhere between them, at most one
// decimal comma. Surrounding spaces are allowed.
std::optional<Decimal> parseGerman(const QString &text)
{
    const QString t = text.trimmed();
    Decimal d;
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
std::optional<Decimal> fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const QString text = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(u'.');
    Decimal d;
    d.negative = std::signbit(value);
    d.integer = point < 0 ? text : text.left(point);
    d.fraction = point < 0 ? QString() : text.mid(point + 1);
    return d;
}

double toDouble(const Decimal &d)
{
    bool ok = false;
    const double value = QString(d.integer + u'.' + d.fraction).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return d.negative ? -value : value;
}

// Adds one to the last digit of `digits`, carrying; returns whether a digit fell off the front.
bool incremented(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
        digits[i] = u'0';
    }
    return true;
}

QString format(Decimal d, int decimals)
{
    const bool roundUp = d.fraction.size() > decimals && d.fraction[decimals] >= u'5';
    d.fraction = d.fraction.left(decimals).leftJustified(decimals, u'0');
    if (roundUp && incremented(d.fraction) && incremented(d.integer))
        d.integer.prepend(u'1');

    qsizetype lead = 0;
    while (lead < d.integer.size() - 1 && d.integer[lead] == u'0')
        ++lead;
    const QString digits = d.integer.mid(lead);

    QString text;
    text.reserve(digits.size() + digits.size() / 3 + decimals + 2);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.append(u'.');
        text.append(digits[i]);
    }
    if (decimals > 0)
        text.append(u',').append(d.fraction);

    const bool zero =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return !isDigit(c) || c == u'0'; });
    if (d.negative && !zero)
        text.prepend(u'-');
    return text;
}

} // namespace

namespace modDef
{

double ParseAmount(const QString &value)
{
    const std::optional<Decimal> d = parseGerman(value);
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
    std::optional<Decimal> d = parseGerman(value);
    // The absolute value is that of the amount read, and a text that is not one reads as 0.
    if (!d && absolute)
        d = Decimal{false, QStringLiteral("0"), QString()};
    if (!d)
        return value;
    d->negative = d->negative && !absolute;
    return format(*d, decimals);
}

QString FormatAmount(double value, bool blankIfZero, int decimals, bool absolute)
{
    if (blankIfZero && value == 0)
        return QString();
    std::optional<Decimal> d = fromDouble(absolute ? std::fabs(value) : value);
    return d ? format(*d, decimals) : QString();
}

QString getAcrobatNr(const QString &number)
{
    return QString(number).remove(u'.').replace(u',', u'.');
}

} // namespace modDef
