#include "decimaltext.h"

#include <algorithm>

namespace
{

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

} // namespace

DecimalText DecimalText::rounded(int decimals) const
{
    DecimalText r = *this;
    const bool roundUp = fraction.size() > decimals && fraction[decimals] >= u'5';
    r.fraction = fraction.left(decimals).leftJustified(decimals, u'0');
    if (roundUp && incremented(r.fraction) && incremented(r.integer))
        r.integer.prepend(u'1');
    return r;
}

bool DecimalText::belowZero() const
{
    const auto nonZero = [](QChar c) {
        return c != u'0';
    };
    return negative && (std::any_of(integer.cbegin(), integer.cend(), nonZero) ||
                        std::any_of(fraction.cbegin(), fraction.cend(), nonZero));
}

QString DecimalText::text(QChar group, QChar point) const
{
    qsizetype lead = 0;
    while (lead < integer.size() - 1 && integer[lead] == u'0')
        ++lead;
    const QStringView digits = QStringView(integer).mid(lead);

    QString result;
    result.reserve(digits.size() + digits.size() / 3 + fraction.size() + 1);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && !group.isNull() && (digits.size() - i) % 3 == 0)
            result.append(group);
        result.append(digits[i]);
    }
    if (!fraction.isEmpty())
        result.append(point).append(fraction);
    return result;
}
