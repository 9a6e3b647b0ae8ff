// The form filler with any form, filled from the sample FDF data; a form it takes is filled
// again in every text field it has, with letters of many scripts.
#include "fuzzinput.h"
#include "pdf/formfiller.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>

namespace
{

// The fields of a form the filler took, which it has checked for data that unpack too large.
QStringList textFields(const QString &pdf)
{
    QStringList names;
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processFile(QFile::encodeName(pdf).constData());
        for (QPDFFormFieldObjectHelper field :
             QPDFAcroFormDocumentHelper(document).getFormFields()) {
            if (field.getFieldType() == "/Tx")
                names << QString::fromStdString(field.getFullyQualifiedName());
        }
    } catch (const std::exception &) {
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray fdf =
        "%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [ << /T (Antragsteller) "
        "/V (\\376\\377\\001\\101\\000\\363) >> << /T (Menge 1) /V (10) >> << /T (Preis 1) "
        "/V (-1234.5) >> << /T (Einheitspreis 1) /V (7) >> ] >> >>\nendobj\ntrailer\n"
        "<< /Root 1 0 R >>\n%%EOF\n";
    static const QStringList values = {
        QStringLiteral("Łódź Kovač 北京市 (שלום) مرحبا 12"), QStringLiteral("1234567890123"),
        QStringLiteral("e\u0301\u0302\u202E\u05D0b\u200D\U0001F600\nzweite Zeile"),
        QStringLiteral("-1234.5")};
    fuzzFile("form.pdf", fuzzBytes(data, size));
    const FormFiller::Result first =
        FormFiller::fill(fdf, fuzzFolder().path(), fuzzFolder().filePath("aus"));
    if (first.failure != FormFiller::Failure::None)
        return 0;
    QList<std::pair<QString, QString>> fields;
    for (const QString &name : textFields(first.path))
        fields.append({name, values[fields.size() % values.size()]});
    FormFiller::fill(fdfData(fields), fuzzFolder().path(), fuzzFolder().filePath("aus"));
    return 0;
}
