#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

#include <qpdf/QPDFObjectHandle.hh>

class FontFace;
class FontFallback;

// A simple font of the form's resources, as far as the filler can draw with it: the letters
// that its encoding holds (Windows-1252, or ASCII when it does not say), with the widths the
// form gives or those of the installed font most like it.
class FormFont
{
public:
    // `dictionary` may be anything; a font the filler cannot use shows nothing. `similar`
    // are the installed fonts like it, to measure it where the form gives no widths.
    FormFont(QPDFObjectHandle dictionary, FontFallback &similar);

    // As PDF names the font of `dictionary` ("Helvetica" when it does not say): to choose
    // fonts like it.
    static QString baseName(QPDFObjectHandle dictionary);
    // Whether every letter of `text` has a code with a glyph.
    bool canShow(const QString &text) const;
    QByteArray codes(const QString &text) const;
    double width(char code) const; // thousandths of an em
    double ascent() const;
    double descent() const;

private:
    bool simple_ = false;
    bool winAnsi_ = false;
    bool embedded_ = false;
    QHash<int, double> widths_;
    std::shared_ptr<const FontFace> metrics_;
};
