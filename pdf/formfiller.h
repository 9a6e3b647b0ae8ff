#pragma once

#include <QByteArray>
#include <QString>

// Fills a PDF form from FDF data, for desktops whose PDF viewers do not apply FDF files: the
// form's text fields take the values, and each gets an appearance drawn as a viewer that runs
// the form's standard format scripts would draw it, in fonts that have every letter. The
// filled copy carries only what every viewer shows alike, and is written to a folder of its
// own; the blank form is never changed. The same data give the same bytes.
namespace FormFiller
{

// A form larger than this is not filled; nor is one whose parts would unpack larger than
// maxDecodedSize. Real form sheets are far smaller, and the window waits while one is filled.
constexpr qint64 maxFormSize = 64 << 20;
constexpr qint64 maxDecodedSize = 16 << 20;
// FDF data larger than this come from no template the program was given.
constexpr qint64 maxFdfSize = 16 << 20;

// Why a form was not filled.
enum class Failure {
    None,
    DataUnreadable, // the data are not FDF, or name no form
    DataTooLarge,
    FormMissing,
    FormTooLarge, // the file, or what its parts unpack to
    FormDamaged,
    FormProtected, // opened only with a password
    FormLocked,    // its permissions forbid filling it
    NotWritable,   // the copy cannot be written
};

struct Result {
    Failure failure = Failure::None;
    QString path;   // the filled copy
    QString error;  // why not, for the user
    QString notice; // what the user should know of the copy, filled or not
};

// Fills the form that `fdf` names (relative to `fdfFolder`) and writes the copy under the
// form's file name into `outputFolder`. Fields the form lacks are skipped. A copy that is
// there already is the user's working document: only its fields that the data name are
// filled anew; it is left as it is where filling would break its signature or the user made
// it read-only, and moved aside, never overwritten, where it cannot be read.
Result fill(const QByteArray &fdf, const QString &fdfFolder, const QString &outputFolder);

// Where the filled copy of `form` is kept in `outputFolder`.
QString copyOf(const QString &form, const QString &outputFolder);

} // namespace FormFiller
