#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// Fills a PDF form from FDF data, for desktops whose PDF viewers do not apply FDF files:
// the form's text fields take the values, with appearances that every viewer shows, and the
// filled copy is written to a folder of its own. The blank form is never changed.
namespace FormFiller
{

struct FormData {
    QString file;                              // the form, as /F names it
    QList<std::pair<QString, QString>> fields; // name and value, in the file's order
};

// The form and the field values of an FDF document, strings unescaped; the values read as
// Windows-1252, as the program writes them. Nothing when it is not FDF.
std::optional<FormData> parse(const QByteArray &fdf);

struct Result {
    int code = 0;  // 0 when filled, else the shell's code: 2 missing, 5 not writable, 11 damaged
    QString path;  // the filled copy
    QString error; // why not, for the user
};

// Fills the form that `fdf` names (relative to `fdfFolder`) and writes the copy under the
// form's file name into `outputFolder`. Fields the form lacks are skipped.
Result fill(const QByteArray &fdf, const QString &fdfFolder, const QString &outputFolder);

} // namespace FormFiller
