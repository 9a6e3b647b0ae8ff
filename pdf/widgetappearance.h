#pragma once

#include "fieldappearance.h"
#include "fontfallback.h"
#include "fontsubset.h"
#include "formfont.h"
#include "textshaping.h"

#include <QString>
#include <map>
#include <memory>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAnnotationObjectHelper.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>

// Draws the normal appearances of a form's text and choice widgets as a viewer draws them:
// from the field's flags, default appearance, colours, rotation and that of its page. One
// writer serves one fill, so that all fields share the installed fonts it embeds.
class AppearanceWriter
{
public:
    explicit AppearanceWriter(QPDF &pdf);

    // A text field's widget showing `value`, as the field's format script would show it.
    void drawText(QPDFFormFieldObjectHelper field, QPDFAnnotationObjectHelper widget,
                  const QString &value);
    // A choice field's widget showing its value, or its options with the selected ones.
    void drawChoice(QPDFFormFieldObjectHelper field, QPDFAnnotationObjectHelper widget);
    // Embeds the installed fonts that the drawn fields use; the last step of a fill.
    void embedFonts();

    // `value` cut to the letters the field takes, as its /MaxLen allows.
    static QString withinMaxLength(QPDFFormFieldObjectHelper field, const QString &value);

private:
    struct Setting; // how one widget's text is set
    Setting setting(QPDFFormFieldObjectHelper field, QPDFAnnotationObjectHelper widget);
    static FieldAppearance::Text textSetting(const FormFont &font, TextShaper &shaper,
                                             const Setting &s);
    FontFallback &fallback(const QString &pdfFontName);
    void write(QPDFAnnotationObjectHelper widget, const Setting &s, const QByteArray &content,
               const QList<int> &fonts);

    QPDF &pdf_;
    EmbeddedFonts fonts_;
    QPDFObjectHandle resources_; // the form's default resources
    QPDFObjectHandle standardFont_;
    std::map<QPDFObjGen, int> pageRotation_;
    std::map<QString, std::unique_ptr<FontFallback>> fallbacks_;
};
