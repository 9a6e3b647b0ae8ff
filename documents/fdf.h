#pragma once

#include "common/masterdata.h"

#include <QByteArray>
#include <QString>

// The form data of one sheet, made from the template by replacing its placeholder words.
namespace Fdf
{

// Every template line with "Antrag.pdf" replaced by `docName`, "f1a1" by the name and, package
// by package, "fm"+i, "fma"+i and "fbf"+i by quantity, kind and price (dot-decimal). Inserted
// values are never searched for placeholders again and are written as the string content of
// an FDF value: escaped, or as a Unicode string when a viewer would read their single-byte
// form otherwise than Windows-1252; a file name that Windows-1252 cannot hold is written in
// UTF-8. Lines end at CR or CR LF in the template and with CR LF in the result; both sides
// are Windows-1252.
QByteArray fill(const QByteArray &templateBytes, const QString &docName, const MasterData &data);

} // namespace Fdf
