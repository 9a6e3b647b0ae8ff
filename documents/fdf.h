#pragma once

#include "common/masterdata.h"

#include <QByteArray>
#include <QString>

// The form data of one sheet, made from the template by replacing its placeholder words.
namespace Fdf
{

// Every template line with "Antrag.pdf" replaced by `docName`, "f1a1" by the name and, package
// by package, "fm"+i, "fma"+i and "fbf"+i by quantity, kind and price (dot-decimal). Inserted
// values are never searched for placeholders again, and the string delimiters \ ( ) in them
// are escaped. Lines end at CR or CR LF in the template and with CR LF in the result; both
// sides are Windows-1252.
QByteArray fill(const QByteArray &templateBytes, const QString &docName, const MasterData &data);

// `value` with \ ( and ) escaped by a backslash, as FDF strings take them.
QString escaped(const QString &value);

} // namespace Fdf
