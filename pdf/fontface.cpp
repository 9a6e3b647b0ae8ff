#include "fontface.h"

#include <QFile>
#include <ft2build.h>
#include <hb-ot.h>
#include <hb.h>
#include <locale>
#include <map>
#include FT_FREETYPE_H
#include FT_CID_H
#include FT_TRUETYPE_TABLES_H

namespace
{

// Larger than any font the desktop installs (the CJK collections take 20 to 30 MB).
constexpr unsigned maxFontFileSize = 128 << 20;

// A PDF font name takes letters, digits and a few signs.
QByteArray pdfFontName(const char *postscript)
{
    QByteArray name;
    for (const char *c = postscript; c && *c && name.size() < 64; ++c) {
        if (std::isalnum(*c, std::locale::classic()) || *c == '-' || *c == '_')
            name += *c;
    }
    return name.isEmpty() ? QByteArrayLiteral("Font") : name;
}

// The faces of one collection share one mapping of its file.
hb_blob_t *fileBlob(const QString &file)
{
    static std::map<QString, std::unique_ptr<hb_blob_t, decltype(&hb_blob_destroy)>> mapped;
    auto found = mapped.find(file);
    if (found == mapped.end())
        found =
            mapped
                .emplace(file,
                         std::unique_ptr<hb_blob_t, decltype(&hb_blob_destroy)>(
                             hb_blob_create_from_file_or_fail(QFile::encodeName(file).constData()),
                             hb_blob_destroy))
                .first;
    return hb_blob_reference(found->second.get());
}

bool hasTable(hb_face_t *face, hb_tag_t tag)
{
    hb_blob_t *table = hb_face_reference_table(face, tag);
    const bool present = hb_blob_get_length(table) > 0;
    hb_blob_destroy(table);
    return present;
}

} // namespace

struct FontFace::Handles {
    hb_blob_t *blob = nullptr;
    hb_face_t *face = nullptr;
    hb_font_t *font = nullptr;
    FT_Library library = nullptr;
    FT_Face ft = nullptr;
    unsigned upem = 1000;

    ~Handles()
    {
        if (ft)
            FT_Done_Face(ft);
        if (library)
            FT_Done_FreeType(library);
        hb_font_destroy(font);
        hb_face_destroy(face);
        hb_blob_destroy(blob);
    }
};

FontFace::~FontFace() = default;

std::shared_ptr<const FontFace> FontFace::load(const QString &file, int index)
{
    // Failures are kept too, so that a broken file is tried once.
    static std::map<std::pair<QString, int>, std::shared_ptr<const FontFace>> loaded;
    const auto key = std::pair{file, index};
    if (const auto it = loaded.find(key); it != loaded.end())
        return it->second;
    std::shared_ptr<const FontFace> &entry = loaded[key];

    std::shared_ptr<FontFace> f(new FontFace);
    f->file = file;
    f->index = index;
    f->handles_ = std::make_unique<Handles>();
    Handles &h = *f->handles_;
    h.blob = fileBlob(file);
    if (!h.blob || hb_blob_get_length(h.blob) > maxFontFileSize || index < 0 ||
        unsigned(index) >= hb_face_count(h.blob))
        return nullptr;
    h.face = hb_face_create(h.blob, unsigned(index));
    // HarfBuzz takes 1000 for a missing or implausible unitsPerEm: never 0.
    h.upem = hb_face_get_upem(h.face);
    const bool trueType = hasTable(h.face, HB_TAG('g', 'l', 'y', 'f')) &&
                          hasTable(h.face, HB_TAG('l', 'o', 'c', 'a'));
    f->cff = hasTable(h.face, HB_TAG('C', 'F', 'F', ' '));
    if (hb_face_get_glyph_count(h.face) == 0 || (!trueType && !f->cff))
        return nullptr;
    h.font = hb_font_create(h.face);

    unsigned length = 0;
    const char *data = hb_blob_get_data(h.blob, &length);
    if (FT_Init_FreeType(&h.library) != 0 ||
        FT_New_Memory_Face(h.library, reinterpret_cast<const FT_Byte *>(data), FT_Long(length),
                           index, &h.ft) != 0)
        return nullptr;
    FT_Face ft = h.ft;
    FT_Bool cidKeyed = false;
    if (f->cff)
        FT_Get_CID_Is_Internally_CID_Keyed(ft, &cidKeyed);
    // The font's licence may forbid embedding it.
    const bool licensed = (FT_Get_FSType_Flags(ft) & (FT_FSTYPE_RESTRICTED_LICENSE_EMBEDDING |
                                                      FT_FSTYPE_BITMAP_EMBEDDING_ONLY)) == 0;
    f->embeddable = licensed && (trueType || cidKeyed);
    f->cff = f->cff && !trueType;
    f->postscriptName = pdfFontName(FT_Get_Postscript_Name(ft));
    f->fixedPitch = FT_IS_FIXED_WIDTH(ft);
    f->ascent = f->thousandths(ft->ascender);
    f->descent = f->thousandths(ft->descender);
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    f->capHeight = os2 && os2->version >= 2 ? f->thousandths(os2->sCapHeight) : f->ascent * 0.8;
    f->serif = os2 && os2->panose[0] == 2 && os2->panose[1] >= 2 && os2->panose[1] <= 10;
    const auto *post = static_cast<const TT_Postscript *>(FT_Get_Sfnt_Table(ft, FT_SFNT_POST));
    f->italicAngle = post ? post->italicAngle / 65536.0 : 0;
    f->bbox[0] = f->thousandths(ft->bbox.xMin);
    f->bbox[1] = f->thousandths(ft->bbox.yMin);
    f->bbox[2] = f->thousandths(ft->bbox.xMax);
    f->bbox[3] = f->thousandths(ft->bbox.yMax);
    entry = f;
    return entry;
}

uint FontFace::glyph(char32_t c) const
{
    hb_codepoint_t g = 0;
    return hb_font_get_nominal_glyph(handles_->font, c, &g) ? g : 0;
}

double FontFace::advance(uint glyph) const
{
    return thousandths(hb_font_get_glyph_h_advance(handles_->font, glyph));
}

uint FontFace::cid(uint glyph) const
{
    FT_UInt cid = glyph;
    if (cff)
        FT_Get_CID_From_Glyph_Index(handles_->ft, glyph, &cid);
    return cid;
}

hb_face_t *FontFace::hbFace() const
{
    return handles_->face;
}

hb_font_t *FontFace::hbFont() const
{
    return handles_->font;
}

double FontFace::thousandths(double units) const
{
    return units * 1000.0 / handles_->upem;
}
