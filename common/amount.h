#pragma once

#include <QString>

// Amounts are always read and shown in the German format ("1.234,50"), whatever the
// desktop's locale: the stored and form forms are derived from it by getAcrobatNr.
namespace modDef
{

// The number in `value`, or 0 when it is empty, blank or not a number.
double ParseAmount(const QString &value);

// Whether `text` is an amount in the German form (sign, digits, grouping points, one comma).
bool isAmount(const QString &text);

// `value` rounded half away from zero to `decimals` places, grouped in thousands.
// Text is rounded on the digits as typed, so "2,675" gives "2,68". A text that is not a
// number comes back unchanged, or as 0 with `absolute`; the empty text stays empty.
QString FormatAmount(const QString &value, bool blankIfZero, int decimals, bool absolute);
QString FormatAmount(double value, bool blankIfZero, int decimals, bool absolute);

// The dot-decimal form without grouping that the state file and the forms take:
// every "." removed, then every "," turned into ".".
QString getAcrobatNr(const QString &number);

} // namespace modDef
