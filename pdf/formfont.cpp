#include "formfont.h"

#include "fontface.h"
#include "fontfallback.h"
#include "pdfobjects.h"
#include "platform/ansitext.h"

#include <algorithm>

using PdfObject::isName;

FormFont::FormFont(QPDFObjectHandle dictionary, FontFallback &similar)
{
    if (!dictionary.isDictionary())
        return;
    QPDFObjectHandle subtype = dictionary.getKey("/Subtype");
    simple_ = isName(subtype, "/Type1") || isName(subtype, "/TrueType");
    QPDFObjectHandle encoding = dictionary.getKey("/Encoding");
    winAnsi_ = isName(encoding, "/WinAnsiEncoding") ||
               (encoding.isDictionary() && !encoding.hasKey("/Differences") &&
                isName(encoding.getKey("/BaseEncoding"), "/WinAnsiEncoding"));
    QPDFObjectHandle widths = dictionary.getKey("/Widths");
    if (widths.isArray() && dictionary.getKey("/FirstChar").isInteger()) {
        int code = dictionary.getKey("/FirstChar").getIntValueAsInt();
        for (QPDFObjectHandle w : widths.aitems()) {
            if (code >= 0 && code < 256)
                widths_.insert(code, w.isNumber() ? w.getNumericValue() : 0);
            ++code;
        }
    }
    QPDFObjectHandle descriptor = dictionary.getKey("/FontDescriptor");
    embedded_ = descriptor.isDictionary() &&
                (descriptor.hasKey("/FontFile") || descriptor.hasKey("/FontFile2") ||
                 descriptor.hasKey("/FontFile3"));
    if (simple_)
        metrics_ = similar.closest();
}

QString FormFont::baseName(QPDFObjectHandle dictionary)
{
    QPDFObjectHandle name = PdfObject::at(dictionary, {"/BaseFont"});
    return name.isName() ? QString::fromStdString(name.getName().substr(1))
                         : QStringLiteral("Helvetica");
}

bool FormFont::canShow(const QString &text) const
{
    if (!simple_)
        return false;
    // A code without a width would be drawn on top of the next letter. A font the form
    // embeds may hold only the letters the form was made with; without widths, that is not
    // known. One that it does not embed and that gives no widths is one of the standard
    // fonts, measured as the installed font most like it.
    bool lossless = false;
    const QByteArray codes = AnsiText::encode(text, &lossless);
    return lossless && std::all_of(codes.cbegin(), codes.cend(), [this](char c) {
               const auto code = static_cast<unsigned char>(c);
               return (winAnsi_ || (code >= 0x20 && code < 0x7F)) &&
                      (widths_.isEmpty() ? !embedded_ : widths_.value(code) > 0);
           });
}

QByteArray FormFont::codes(const QString &text) const
{
    return AnsiText::encode(text);
}

double FormFont::width(char code) const
{
    const auto byte = static_cast<unsigned char>(code);
    if (!widths_.isEmpty())
        return widths_.value(byte);
    if (!metrics_)
        return 500;
    const QString letter = AnsiText::decode(QByteArray(1, code));
    return metrics_->advance(metrics_->glyph(letter.isEmpty() ? u' ' : letter.front().unicode()));
}

double FormFont::ascent() const
{
    return metrics_ ? metrics_->ascent : 750;
}

double FormFont::descent() const
{
    return metrics_ ? metrics_->descent : -250;
}
