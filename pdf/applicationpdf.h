#pragma once

#include <QString>
#include <memory>

// The application as one PDF file to submit: the filled copies of the sheets one after the
// other, every page as it shows, with each field's appearance made part of its page, so that
// nothing is left to fill in, change or run. An outline gives the parts and below them the
// sheets; the pages are numbered over the whole file.
class ApplicationPdf
{
public:
    // `title` is the document's title, `author` whose application it is.
    ApplicationPdf(const QString &title, const QString &author);
    ~ApplicationPdf();

    // Adds every page of `file`, the filled copy of `sheet`, under `part` in the outline.
    // Empty on success, else why not, for the user.
    QString add(const QString &part, const QString &sheet, const QString &file);
    // Writes the file at `path` all at once: a failure leaves what was there before.
    // Empty on success, else the path and why not.
    QString write(const QString &path);

    // The name that the file of `applicant`'s application is offered under, safe in every
    // desktop's file system.
    static QString fileName(const QString &title, const QString &applicant);

private:
    struct Joined;
    std::unique_ptr<Joined> joined_;
};
