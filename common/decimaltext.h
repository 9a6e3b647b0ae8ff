#pragma once

#include <QString>

// A number as the digits it was written with, so rounding never meets binary fractions.
struct DecimalText {
    bool negative = false;
    QString integer; // digits only, at least one
    QString fraction;

    // Rounded half away from zero to `decimals` places, padded with zeros to exactly that many.
    DecimalText rounded(int decimals) const;
    // Negative and not zero: a minus sign would show. A rounded "-0,00" is no such number.
    bool belowZero() const;
    // The digits without sign: the integer part without leading zeros, `group` between the
    // thousands (none when it is null), then `point` and the fraction, if there is one.
    QString text(QChar group, QChar point) const;
};
