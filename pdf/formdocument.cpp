#include "formdocument.h"

#include "widgetappearance.h"

#include <qpdf/QPDFAcroFormDocumentHelper.hh>

namespace
{

using Object = QPDFObjectHandle;

bool hasValue(Object value)
{
    return (value.isString() && !value.getStringValue().empty()) ||
           (value.isArray() && value.getArrayNItems() > 0);
}

} // namespace

namespace FormDocument
{

bool fillingAllowed(QPDF &pdf)
{
    return !pdf.isEncrypted() || pdf.allowModifyForm() || pdf.allowModifyAnnotation();
}

void dropOtherViewersParts(QPDF &pdf)
{
    Object root = pdf.getRoot();
    Object acroForm = root.getKey("/AcroForm");
    if (acroForm.isDictionary())
        acroForm.removeKey("/XFA");
    root.removeKey("/NeedsRendering");
    Object rights = root.getKey("/Perms");
    if (rights.isDictionary()) {
        rights.removeKey("/UR3");
        rights.removeKey("/UR");
        if (rights.getKeys().empty())
            root.removeKey("/Perms");
    }
}

void drawLeftFields(QPDF &pdf, AppearanceWriter &writer, const std::set<QPDFObjGen> &filled)
{
    QPDFAcroFormDocumentHelper acroForm(pdf);
    const bool asked = acroForm.getNeedAppearances();
    for (QPDFFormFieldObjectHelper field : acroForm.getFormFields()) {
        const std::string type = field.getFieldType();
        if (filled.count(field.getObjectHandle().getObjGen()) || (type != "/Tx" && type != "/Ch"))
            continue;
        Object value = field.getInheritableFieldValue("/V");
        for (QPDFAnnotationObjectHelper widget : acroForm.getAnnotationsForField(field)) {
            Object appearance = widget.getObjectHandle().getKey("/AP");
            if (appearance.isDictionary() && appearance.hasKey("/N") && !(asked && hasValue(value)))
                continue;
            if (type == "/Tx")
                writer.drawText(field, widget,
                                value.isString() ? QString::fromStdString(value.getUTF8Value())
                                                 : QString());
            else
                writer.drawChoice(field, widget);
        }
    }
    Object form = pdf.getRoot().getKey("/AcroForm");
    if (form.isDictionary())
        form.removeKey("/NeedAppearances");
}

} // namespace FormDocument
