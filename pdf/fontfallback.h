#pragma once

#include "fontface.h"

#include <QHash>
#include <QString>
#include <memory>

// Which installed font draws a letter that a form's font lacks, chosen per letter as desktop
// viewers fall back: among all fonts fontconfig lists, collections included, the one most like
// the form's font that has it.
class FontFallback
{
public:
    // `pdfFontName` as a PDF names it, such as "Helvetica-Bold" or "ABCDEF+Arial,Bold".
    explicit FontFallback(const QString &pdfFontName);

    // The embeddable face for a letter with its marks: one that has all of them, else one
    // that has the first; null when no installed font has it.
    std::shared_ptr<const FontFace> faceFor(const QString &cluster);
    // The face most like the form's font, whatever letters it has: to measure the form's font
    // when the form does not give its widths. Null when there is no font at all.
    std::shared_ptr<const FontFace> closest();

    struct Candidate;

private:
    std::shared_ptr<const QList<Candidate>> candidates_;
    QHash<QString, std::shared_ptr<const FontFace>> chosen_;
};
