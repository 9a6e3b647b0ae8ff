#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

struct hb_face_t;
struct hb_font_t;

// One face of an installed font file (collections included), read with HarfBuzz and FreeType:
// to measure, shape and embed the letters that a form's own fonts cannot show. Metrics are in
// thousandths of an em, as PDF font dictionaries give them.
class FontFace
{
public:
    ~FontFace();
    FontFace(const FontFace &) = delete;
    FontFace &operator=(const FontFace &) = delete;

    // The face, loaded once a process; nothing when the file cannot be read or is no font
    // with outlines, as happens when a font changed after fontconfig listed it.
    static std::shared_ptr<const FontFace> load(const QString &file, int index);

    QString file;
    int index = 0;
    QByteArray postscriptName;
    // Outlines in a CID-keyed CFF table: embedded as such and addressed by CID. Otherwise
    // TrueType outlines, or a CFF font without CIDs, which is only measured.
    bool cff = false;
    bool embeddable = false;
    bool fixedPitch = false;
    bool serif = false;
    double ascent = 0;
    double descent = 0;
    double capHeight = 0;
    double italicAngle = 0;
    double bbox[4] = {0, 0, 0, 0};

    uint glyph(char32_t c) const; // 0 where the face lacks the letter
    double advance(uint glyph) const;
    uint cid(uint glyph) const; // the CID a CFF face gives the glyph; the glyph itself otherwise
    hb_face_t *hbFace() const;
    hb_font_t *hbFont() const;              // in font units
    double thousandths(double units) const; // font units to thousandths of an em

private:
    FontFace() = default;
    struct Handles;
    std::unique_ptr<Handles> handles_;
};
