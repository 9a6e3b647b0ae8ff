#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// A font installed on this desktop, found through fontconfig and measured with FreeType, to
// measure and draw text that a form's own fonts cannot.
struct SystemFont {
    QString file;
    QByteArray postscriptName;
    bool fixedPitch = false;
    // In thousandths of an em, as PDF font dictionaries give them.
    double ascent = 0;
    double descent = 0;
    double capHeight = 0;
    double bbox[4] = {0, 0, 0, 0};
    QHash<char32_t, uint> glyphs; // the glyph of each character asked for; 0 where it lacks one
    QHash<uint, double> advances; // the advance of each of those glyphs

    // The font that fontconfig matches best to a PDF font name such as "Helvetica-Bold" or
    // "ABCDEF+Arial,Bold" (style taken from the name), measured for `characters`. With
    // `embeddable`, only TrueType font files qualify, and only one that has every character
    // when there is such. Nothing when no font qualifies.
    static std::optional<SystemFont> find(const QString &pdfFontName, const QString &characters,
                                          bool embeddable);

    // The advance of `text` in thousandths of an em.
    double width(const QString &text) const;
};
