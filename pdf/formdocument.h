#pragma once

#include <qpdf/QPDF.hh>
#include <set>

class AppearanceWriter;

// What a fill does to the form as a whole, beside its fields.
namespace FormDocument
{

// Whether the form's permissions let its fields be filled.
bool fillingAllowed(QPDF &pdf);

// Drops what other viewers would show or check instead of the filled fields: the XFA form of
// a hybrid form (as pdftk's drop_xfa does), and the usage rights that any change breaks.
void dropOtherViewersParts(QPDF &pdf);

// Draws the fields that the program did not fill as viewers would have drawn them when the
// form asks them to (/NeedAppearances), and those the form never drew; then nothing is left
// for viewers to redraw, and so nothing they could draw otherwise.
void drawLeftFields(QPDF &pdf, AppearanceWriter &writer, const std::set<QPDFObjGen> &filled);

} // namespace FormDocument
