#pragma once

#include <QString>

// What a viewer that runs a field's format script shows for its value. The standard number
// and percent formats are recognised; any other script leaves the value as it is.
namespace FieldFormat
{

struct Shown {
    QString text;
    bool red = false; // negative numbers in red, as the script asks
};

Shown apply(const QString &script, const QString &value);

} // namespace FieldFormat
