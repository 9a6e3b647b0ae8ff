#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// Reads FDF data as an FDF-capable viewer does: by the object syntax of the file, with qpdf's
// parser.
namespace Fdf
{

struct FormData {
    QString file;                              // the form, as /F names it
    QList<std::pair<QString, QString>> fields; // full name and text value, in the file's order
};

// Strings in UTF-16 with a byte-order mark are read as such, others as Windows-1252, as the
// program writes them; the form's name as UTF-8 when it is that. Nothing when it is not FDF.
std::optional<FormData> read(const QByteArray &fdf);

} // namespace Fdf
