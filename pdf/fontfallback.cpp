#include "fontfallback.h"

#include <QFile>
#include <QRegularExpression>
#include <fontconfig/fontconfig.h>

struct FontFallback::Candidate {
    QString file;
    int index = 0;
    std::shared_ptr<FcCharSet> charset;
};

namespace
{

using Candidates = QList<FontFallback::Candidate>;

// Controls and joiners that no font needs to draw.
bool ignorable(char32_t c)
{
    return c == 0x00AD || c == 0x034F || c == 0x061C || (c >= 0x180B && c <= 0x180F) ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF ||
           (c >= 0xE0000 && c <= 0xE0FFF);
}

// "ABCDEF+Arial,BoldItalic" → family "Arial", bold, italic.
FcPattern *patternFor(const QString &pdfFontName)
{
    static const QRegularExpression subset(QStringLiteral("^[A-Z]{6}\\+"));
    const QString name = QString(pdfFontName).remove(subset);
    const bool bold = name.contains(QLatin1String("Bold"), Qt::CaseInsensitive);
    const bool italic = name.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
                        name.contains(QLatin1String("Oblique"), Qt::CaseInsensitive);
    QString family = name.section(u',', 0, 0).section(u'-', 0, 0);
    if (family == QLatin1String("Times"))
        family = QStringLiteral("Times New Roman");
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8 *>(family.toUtf8().constData()));
    FcPatternAddString(
        pattern, FC_POSTSCRIPT_NAME,
        reinterpret_cast<const FcChar8 *>(QString(name).replace(u',', u'-').toUtf8().constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    return pattern;
}

// Every installed font with outlines that HarfBuzz shapes, most alike first.
Candidates sorted(const QString &pdfFontName)
{
    FcPattern *pattern = patternFor(pdfFontName);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet *fonts = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    Candidates candidates;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern *font = fonts->fonts[i];
        FcChar8 *path = nullptr;
        FcChar8 *format = nullptr;
        FcBool outline = FcFalse;
        FcCharSet *charset = nullptr;
        FontFallback::Candidate c;
        if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch ||
            FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch ||
            FcPatternGetBool(font, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline ||
            FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch)
            continue;
        const QByteArray kind(reinterpret_cast<const char *>(format));
        if (kind != "TrueType" && kind != "CFF")
            continue;
        FcPatternGetInteger(font, FC_INDEX, 0, &c.index);
        c.file = QFile::decodeName(reinterpret_cast<const char *>(path));
        c.charset.reset(FcCharSetCopy(charset), FcCharSetDestroy);
        candidates.append(c);
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    return candidates;
}

} // namespace

FontFallback::FontFallback(const QString &pdfFontName)
{
    // Sorting every installed font takes milliseconds; a form names a few fonts.
    static QHash<QString, std::shared_ptr<const Candidates>> cache;
    candidates_ = cache.value(pdfFontName);
    if (!candidates_) {
        candidates_ = std::make_shared<const Candidates>(sorted(pdfFontName));
        if (cache.size() < 64)
            cache.insert(pdfFontName, candidates_);
    }
}

std::shared_ptr<const FontFace> FontFallback::faceFor(const QString &cluster)
{
    if (const auto it = chosen_.constFind(cluster); it != chosen_.cend())
        return *it;
    QList<uint> letters;
    for (uint c : cluster.toUcs4()) {
        if (!ignorable(c))
            letters.append(c);
    }
    std::shared_ptr<const FontFace> face;
    // All the letters in one font, else the first; controls alone in the likest font.
    for (qsizetype count : {letters.size(), qsizetype(1), qsizetype(0)}) {
        for (const Candidate &c : *candidates_) {
            if (std::all_of(letters.cbegin(), letters.cbegin() + std::min(count, letters.size()),
                            [&c](uint l) { return FcCharSetHasChar(c.charset.get(), l); })) {
                face = FontFace::load(c.file, c.index);
                if (face && face->embeddable)
                    break;
                face.reset();
            }
        }
        if (face)
            break;
    }
    chosen_.insert(cluster, face);
    return face;
}

std::shared_ptr<const FontFace> FontFallback::closest()
{
    for (const Candidate &c : *candidates_) {
        if (std::shared_ptr<const FontFace> face = FontFace::load(c.file, c.index))
            return face;
    }
    return nullptr;
}
