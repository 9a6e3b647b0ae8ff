#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

#include <qpdf/QPDFObjectHandle.hh>

class FontFace;

// A simple font of the form's resources, as far as the filler can draw with it: the letters
// that its encoding holds (Windows-1252, or ASCII when it does not say), with the widths the
// form gives or those of the installed font most like it.
class FormFont
{
public:
    // `dictionary` may be anything; a font the filler cannot use shows nothing.
    explicit FormFont(QPDFObjectHandle dictionary);

    // As PDF names it ("Helvetica" when it does not say): to choose fonts like it.
    QString baseName() const;
    // Whether every letter of `text` has a code with a glyph.
    bool canShow(const QString &text) const;
    QByteArray codes(const QString &text) const;
    double width(char code) const; // thousandths of an em
    double ascent() const;
    double descent() const;
    QPDFObjectHandle dictionary() const { return dict_; }

private:
    mutable QPDFObjectHandle dict_; // qpdf's handles change nothing when read, but are not const
    bool simple_ = false;
    bool winAnsi_ = false;
    bool embedded_ = false;
    QHash<int, double> widths_;
    std::shared_ptr<const FontFace> metrics_;
};
