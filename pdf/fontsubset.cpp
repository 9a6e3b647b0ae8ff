#include "fontsubset.h"

#include "packedstream.h"

#include <QCryptographicHash>
#include <hb-subset.h>
#include <optional>

namespace
{

using Object = QPDFObjectHandle;

struct Subset {
    QByteArray program;             // a TrueType font, or a bare CFF table
    std::map<uint, uint> newGlyphs; // old glyph to new
};

std::optional<Subset> subset(const FontFace &face, const std::map<uint, quint16> &glyphs)
{
    hb_subset_input_t *input = hb_subset_input_create_or_fail();
    if (!input)
        return std::nullopt;
    hb_set_t *keep = hb_subset_input_glyph_set(input);
    for (const auto &[glyph, code] : glyphs)
        hb_set_add(keep, glyph);
    // Text is laid out before it is embedded: no layout tables, no vertical metrics, no hints.
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_NO_HINTING);
    hb_set_t *drop = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (hb_tag_t tag :
         {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
          HB_TAG('v', 'h', 'e', 'a'), HB_TAG('v', 'm', 't', 'x'), HB_TAG('V', 'O', 'R', 'G')})
        hb_set_add(drop, tag);
    hb_subset_plan_t *plan = hb_subset_plan_create_or_fail(face.hbFace(), input);
    hb_subset_input_destroy(input);
    if (!plan)
        return std::nullopt;
    std::optional<Subset> result;
    if (hb_face_t *smaller = hb_subset_plan_execute_or_fail(plan)) {
        hb_blob_t *blob = face.cff ? hb_face_reference_table(smaller, HB_TAG('C', 'F', 'F', ' '))
                                   : hb_face_reference_blob(smaller);
        unsigned length = 0;
        const char *data = hb_blob_get_data(blob, &length);
        result = Subset{QByteArray(data, qsizetype(length)), {}};
        const hb_map_t *mapping = hb_subset_plan_old_to_new_glyph_mapping(plan);
        for (const auto &[glyph, code] : glyphs)
            result->newGlyphs[glyph] = hb_map_get(mapping, glyph);
        hb_blob_destroy(blob);
        hb_face_destroy(smaller);
    }
    hb_subset_plan_destroy(plan);
    if (result && result->program.isEmpty())
        result.reset();
    return result;
}

// "ABCDEF+": the same glyphs of the same font give the same tag.
QByteArray tag(const FontFace &face, const std::map<uint, quint16> &glyphs)
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(face.postscriptName);
    for (const auto &[glyph, code] : glyphs)
        hash.addData(QByteArray::number(glyph) + ' ');
    QByteArray letters;
    for (char byte : hash.result().left(6))
        letters += char('A' + static_cast<unsigned char>(byte) % 26);
    return letters + '+';
}

Object real(double value)
{
    return Object::newReal(value, 3);
}

// Widths by code, consecutive codes in one array: "1 [556 556 278] 7 [500]".
Object widths(const FontFace &face, const std::map<quint16, uint> &glyphByCode)
{
    Object w = Object::newArray();
    std::vector<Object> run;
    int first = 0;
    int last = -2;
    const auto flush = [&] {
        if (!run.empty()) {
            w.appendItem(Object::newInteger(first));
            w.appendItem(Object::newArray(run));
        }
        run.clear();
    };
    for (const auto &[code, glyph] : glyphByCode) {
        if (code != last + 1) {
            flush();
            first = code;
        }
        run.push_back(real(face.advance(glyph)));
        last = code;
    }
    flush();
    return w;
}

QByteArray hex4(uint value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0');
}

QByteArray unicodeMap(const std::map<quint16, QString> &texts)
{
    QByteArray map = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def /CMapType 2 def\n"
                     "1 begincodespacerange <0000> <FFFF> endcodespacerange\n";
    auto it = texts.cbegin();
    while (it != texts.cend()) {
        QByteArray block;
        int count = 0;
        for (; it != texts.cend() && count < 100; ++it, ++count) {
            QByteArray utf16;
            for (QChar unit : it->second)
                utf16 += hex4(unit.unicode());
            block += '<' + hex4(it->first) + "> <" + utf16 + ">\n";
        }
        map += QByteArray::number(count) + " beginbfchar\n" + block + "endbfchar\n";
    }
    return map + "endcmap CMapName currentdict /CMap defineresource pop end end\n";
}

} // namespace

FontSubset::FontSubset(std::shared_ptr<const FontFace> face, QPDFObjectHandle font)
    : face_(std::move(face)), font_(font)
{
}

quint16 FontSubset::code(uint glyph, const QString &text)
{
    if (const auto it = codes_.find(glyph); it != codes_.end()) {
        if (uses_[it->second].text.isEmpty())
            uses_[it->second].text = text;
        return it->second;
    }
    // CFF glyphs are addressed by the CIDs the subset keeps; TrueType glyphs by codes of our
    // own, mapped to the subset's glyphs.
    const quint16 code = face_->cff ? quint16(face_->cid(glyph)) : quint16(codes_.size() + 1);
    codes_[glyph] = code;
    uses_[code] = Use{glyph, text};
    return code;
}

void FontSubset::embed(QPDF &pdf)
{
    const FontFace &face = *face_;
    const std::optional<Subset> smaller = subset(face, codes_);
    const std::string name = ('/' + tag(face, codes_) + face.postscriptName).toStdString();

    Object descriptor =
        pdf.makeIndirectObject(Object::parse("<< /Type /FontDescriptor /StemV 80 >>"));
    descriptor.replaceKey("/FontName", Object::newName(name));
    descriptor.replaceKey(
        "/Flags", Object::newInteger((face.fixedPitch ? 1 : 0) | (face.serif ? 2 : 0) | 32));
    descriptor.replaceKey("/FontBBox", Object::newArray({real(face.bbox[0]), real(face.bbox[1]),
                                                         real(face.bbox[2]), real(face.bbox[3])}));
    descriptor.replaceKey("/ItalicAngle", real(face.italicAngle));
    descriptor.replaceKey("/Ascent", real(face.ascent));
    descriptor.replaceKey("/Descent", real(face.descent));
    descriptor.replaceKey("/CapHeight", real(face.capHeight));

    Object cidFont = pdf.makeIndirectObject(Object::parse(
        "<< /Type /Font /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 "
        ">> >>"));
    cidFont.replaceKey("/Subtype", Object::newName(face.cff ? "/CIDFontType0" : "/CIDFontType2"));
    cidFont.replaceKey("/BaseFont", Object::newName(name));
    cidFont.replaceKey("/FontDescriptor", descriptor);
    std::map<quint16, uint> glyphByCode;
    std::map<quint16, QString> texts;
    for (const auto &[code, use] : uses_) {
        glyphByCode[code] = use.glyph;
        if (!use.text.isEmpty())
            texts[code] = use.text;
    }
    cidFont.replaceKey("/W", widths(face, glyphByCode));
    if (smaller) {
        Object program = packedStream(pdf, smaller->program);
        if (face.cff) {
            program.getDict().replaceKey("/Subtype", Object::newName("/CIDFontType0C"));
            descriptor.replaceKey("/FontFile3", program);
        } else {
            program.getDict().replaceKey("/Length1", Object::newInteger(smaller->program.size()));
            descriptor.replaceKey("/FontFile2", program);
        }
    }
    if (!face.cff) {
        // Code to the subset's glyph, two bytes each; codes run from 1 without gaps.
        QByteArray map(2 * qsizetype(uses_.size() + 1), '\0');
        for (const auto &[code, use] : uses_) {
            const uint glyph = smaller ? smaller->newGlyphs.at(use.glyph) : use.glyph;
            map[2 * code] = char(glyph >> 8);
            map[2 * code + 1] = char(glyph & 0xFF);
        }
        cidFont.replaceKey("/CIDToGIDMap", packedStream(pdf, map));
    }

    font_.replaceKey("/Type", Object::newName("/Font"));
    font_.replaceKey("/Subtype", Object::newName("/Type0"));
    font_.replaceKey("/BaseFont", Object::newName(name));
    font_.replaceKey("/Encoding", Object::newName("/Identity-H"));
    font_.replaceKey("/DescendantFonts", Object::newArray({cidFont}));
    font_.replaceKey("/ToUnicode", packedStream(pdf, unicodeMap(texts)));
}

int EmbeddedFonts::number(const std::shared_ptr<const FontFace> &face)
{
    for (size_t i = 0; i < subsets_.size(); ++i) {
        if (&subsets_[i]->face() == face.get())
            return int(i + 1);
    }
    subsets_.push_back(
        std::make_unique<FontSubset>(face, pdf_.makeIndirectObject(Object::newDictionary())));
    return int(subsets_.size());
}

void EmbeddedFonts::embed()
{
    for (const auto &subset : subsets_)
        subset->embed(pdf_);
}
