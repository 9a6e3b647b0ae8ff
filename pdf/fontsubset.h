#pragma once

#include "fontface.h"

#include <QString>
#include <map>
#include <memory>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

// The glyphs of one installed face that a filled form shows. Each glyph gets a two-byte code
// when it is first drawn; embed() then writes the face as a CID font that holds only those
// glyphs (HarfBuzz's subsetter), with their widths and a map back to the text they stand for,
// so that the text can still be copied and searched.
class FontSubset
{
public:
    // `font` is the indirect object that appearances name; embed() fills it.
    FontSubset(std::shared_ptr<const FontFace> face, QPDFObjectHandle font);

    const FontFace &face() const { return *face_; }
    QPDFObjectHandle font() const { return font_; }
    // The code that draws `glyph`, standing for `text`.
    quint16 code(uint glyph, const QString &text);
    void embed(QPDF &pdf);

private:
    struct Use {
        uint glyph = 0;
        QString text;
    };
    std::shared_ptr<const FontFace> face_;
    QPDFObjectHandle font_;
    std::map<quint16, Use> uses_; // by code
    std::map<uint, quint16> codes_;
};

// The installed fonts one fill draws with, each embedded once however many fields use it.
class EmbeddedFonts
{
public:
    explicit EmbeddedFonts(QPDF &pdf) : pdf_(pdf) {}

    // The number of `face` among the fill's fonts, from 1 in the order of first use.
    int number(const std::shared_ptr<const FontFace> &face);
    FontSubset &subset(int number) { return *subsets_.at(size_t(number - 1)); }
    void embed();

private:
    QPDF &pdf_;
    std::vector<std::unique_ptr<FontSubset>> subsets_;
};
