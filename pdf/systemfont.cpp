#include "systemfont.h"

#include <QFile>
#include <QRegularExpression>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H
#include <memory>

namespace
{

template <typename T, void (*Free)(T *)> struct Deleter {
    void operator()(T *p) const { Free(p); }
};
using Pattern = std::unique_ptr<FcPattern, Deleter<FcPattern, FcPatternDestroy>>;
using FontSet = std::unique_ptr<FcFontSet, Deleter<FcFontSet, FcFontSetDestroy>>;

struct FreeTypeFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeTypeFace()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

// "ABCDEF+Arial,BoldItalic" → family "Arial", bold, italic.
Pattern patternFor(const QString &pdfFontName)
{
    static const QRegularExpression subset(QStringLiteral("^[A-Z]{6}\\+"));
    QString name = QString(pdfFontName).remove(subset);
    const bool bold = name.contains(QLatin1String("Bold"), Qt::CaseInsensitive);
    const bool italic = name.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
                        name.contains(QLatin1String("Oblique"), Qt::CaseInsensitive);
    name = name.section(u',', 0, 0).section(u'-', 0, 0);
    if (name == QLatin1String("Times"))
        name = QStringLiteral("Times New Roman");
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8 *>(name.toUtf8().constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    return pattern;
}

bool hasAll(FcPattern *font, const QString &characters)
{
    FcCharSet *charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch)
        return false;
    for (char32_t c : characters.toUcs4()) {
        if (!FcCharSetHasChar(charset, c))
            return false;
    }
    return true;
}

// A TrueType file of its own (no collection), which a PDF can embed as it is.
bool embeddableFile(FcPattern *font, const QString &file)
{
    FcChar8 *format = nullptr;
    int index = 0;
    return FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch &&
           qstrcmp(reinterpret_cast<const char *>(format), "TrueType") == 0 &&
           FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch && index == 0 &&
           file.endsWith(QLatin1String(".ttf"), Qt::CaseInsensitive);
}

// A font file and the face in it.
struct Face {
    QString file;
    int index = 0;
};

std::optional<Face> bestFace(const QString &pdfFontName, const QString &characters, bool embeddable)
{
    Pattern pattern = patternFor(pdfFontName);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const FontSet fonts(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    if (!fonts)
        return std::nullopt;
    std::optional<Face> fallback;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8 *path = nullptr;
        Face face;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &path) != FcResultMatch)
            continue;
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &face.index);
        face.file = QFile::decodeName(reinterpret_cast<const char *>(path));
        if (embeddable && !embeddableFile(fonts->fonts[i], face.file))
            continue;
        if (hasAll(fonts->fonts[i], characters))
            return face;
        if (!fallback)
            fallback = face;
    }
    return fallback;
}

double thousandths(FT_Face face, FT_Pos units)
{
    return face->units_per_EM ? units * 1000.0 / face->units_per_EM : 0;
}

} // namespace

std::optional<SystemFont> SystemFont::find(const QString &pdfFontName, const QString &characters,
                                           bool embeddable)
{
    const std::optional<Face> found = bestFace(pdfFontName, characters, embeddable);
    if (!found)
        return std::nullopt;
    FreeTypeFace ft;
    if (FT_Init_FreeType(&ft.library) != 0 ||
        FT_New_Face(ft.library, QFile::encodeName(found->file).constData(), found->index,
                    &ft.face) != 0)
        return std::nullopt;
    FT_Face face = ft.face;

    SystemFont font;
    font.file = found->file;
    const char *name = FT_Get_Postscript_Name(face);
    font.postscriptName = name ? QByteArray(name) : QByteArrayLiteral("SystemFont");
    font.fixedPitch = FT_IS_FIXED_WIDTH(face);
    font.ascent = thousandths(face, face->ascender);
    font.descent = thousandths(face, face->descender);
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    font.capHeight =
        os2 && os2->version >= 2 ? thousandths(face, os2->sCapHeight) : font.ascent * 0.8;
    font.bbox[0] = thousandths(face, face->bbox.xMin);
    font.bbox[1] = thousandths(face, face->bbox.yMin);
    font.bbox[2] = thousandths(face, face->bbox.xMax);
    font.bbox[3] = thousandths(face, face->bbox.yMax);
    for (char32_t c : characters.toUcs4()) {
        if (font.glyphs.contains(c))
            continue;
        const uint glyph = FT_Get_Char_Index(face, c);
        font.glyphs.insert(c, glyph);
        FT_Fixed advance = 0;
        if (!font.advances.contains(glyph) &&
            FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance) == 0)
            font.advances.insert(glyph, thousandths(face, advance));
    }
    return font;
}

double SystemFont::width(const QString &text) const
{
    double total = 0;
    for (char32_t c : text.toUcs4())
        total += advances.value(glyphs.value(c));
    return total;
}
