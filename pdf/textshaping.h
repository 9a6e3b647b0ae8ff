#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class FormFont;
class FontFallback;
class EmbeddedFonts;

// A glyph as a content stream shows it. Lengths are thousandths of an em.
struct Glyph {
    QByteArray code;    // one byte in the form's font, two in an installed one
    double width = 0;   // what the font's widths give: where a viewer moves on by itself
    double advance = 0; // where the shaping moves on
    double xOffset = 0;
    double yOffset = 0;
};

// Glyphs of one font, left to right as they are drawn.
struct GlyphRun {
    int font = 0; // 0 the form's font; n the n-th installed font of the fill
    QList<Glyph> glyphs;
    double advance() const;
};

struct ShapedText {
    QList<GlyphRun> runs; // left to right
    double advance = 0;
};

// The operators that show `run` at `size` from the current text position.
QByteArray showRun(const GlyphRun &run, double size);

// The letters of `text` with their marks (grapheme clusters), in the order typed.
QStringList letters(const QString &text);

// Lays out one line of a field's text as a desktop shows it: in the order of the Unicode
// bidirectional algorithm (FriBidi), each letter with its marks in the form's font where that
// has them, else in the installed font most like it that has them, shaped with HarfBuzz.
class TextShaper
{
public:
    TextShaper(const FormFont &formFont, FontFallback &fallback, EmbeddedFonts &fonts);
    ShapedText shape(const QString &line);

private:
    struct Cluster;
    GlyphRun formFontRun(const QList<Cluster> &clusters, bool rightToLeft) const;
    GlyphRun shapedRun(const QList<uint> &text, const QList<Cluster> &clusters,
                       bool rightToLeft) const;

    const FormFont &formFont_;
    FontFallback &fallback_;
    EmbeddedFonts &fonts_;
};
