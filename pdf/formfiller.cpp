#include "formfiller.h"

#include "boundedsink.h"
#include "fdfreader.h"
#include "formdocument.h"
#include "platform/atomicfile.h"
#include "widgetappearance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <set>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace
{

using Object = QPDFObjectHandle;

// Fills the text fields that `values` name, each drawn as its viewer would draw it; returns
// the fields filled.
std::set<QPDFObjGen> fillFields(QPDF &pdf, const QHash<QString, QString> &values,
                                AppearanceWriter &writer)
{
    QPDFAcroFormDocumentHelper acroForm(pdf);
    std::set<QPDFObjGen> filled;
    for (QPDFFormFieldObjectHelper field : acroForm.getFormFields()) {
        const QString name = QString::fromStdString(field.getFullyQualifiedName());
        const auto value = values.constFind(name);
        if (value == values.cend() || field.getFieldType() != "/Tx")
            continue;
        // The value stays what the data give, as far as the field takes it; only what is
        // shown is formatted.
        const QString kept = AppearanceWriter::withinMaxLength(field, *value);
        field.setV(Object::newUnicodeString(kept.toStdString()), false);
        for (QPDFAnnotationObjectHelper annotation : acroForm.getAnnotationsForField(field))
            writer.drawText(field, annotation, kept);
        filled.insert(field.getObjectHandle().getObjGen());
    }
    return filled;
}

std::string written(QPDF &pdf)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // Streams the filler did not make are copied as they are, never unpacked.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(false);
    // The same data give the same bytes. An encrypted form keeps its encryption, whose key
    // depends on the identifier; it is opened without a password, so a fixed identifier and
    // vector reveal nothing that is not readable anyway.
    if (pdf.isEncrypted()) {
        writer.setStaticID(true);
        writer.setStaticAesIV(true);
    } else {
        writer.setDeterministicID(true);
    }
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize());
}

} // namespace

namespace FormFiller
{

Result fill(const QByteArray &fdf, const QString &fdfFolder, const QString &outputFolder)
{
    if (fdf.size() > maxFdfSize)
        return {Failure::DataTooLarge,
                {},
                {},
                QStringLiteral("Die Formulardaten sind größer als %1 MB.").arg(maxFdfSize >> 20)};
    const std::optional<Fdf::FormData> data = Fdf::read(fdf);
    if (!data || data->file.isEmpty())
        return {Failure::DataUnreadable,
                {},
                {},
                QStringLiteral("Die Formulardaten sind nicht lesbar.")};
    const QString sheet = QFileInfo(data->file).completeBaseName();
    const QString form = QDir(fdfFolder).filePath(data->file);
    const QFileInfo info(form);
    if (!info.isFile())
        return {
            Failure::FormMissing, {}, sheet, QStringLiteral("Das Formular %1 fehlt.").arg(form)};
    if (info.size() > maxFormSize)
        return {Failure::FormTooLarge,
                {},
                sheet,
                QStringLiteral("Das Formular %1 ist größer als %2 MB.")
                    .arg(form)
                    .arg(maxFormSize >> 20)};

    QHash<QString, QString> values;
    for (const auto &[name, value] : data->fields)
        values.insert(name, value);

    std::string filled;
    try {
        // Read whole: qpdf reads a file by many small seeks, and the form is small.
        QFile file(form);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(QFile::encodeName(form).constData(), bytes.constData(),
                              size_t(bytes.size()));
        checkObjectStreams(pdf, maxDecodedSize);
        if (!FormDocument::fillingAllowed(pdf))
            return {Failure::FormLocked,
                    {},
                    sheet,
                    QStringLiteral(
                        "Das Formular %1 darf nach seinen Berechtigungen nicht ausgefüllt werden.")
                        .arg(form)};
        FormDocument::dropOtherViewersParts(pdf);
        AppearanceWriter writer(pdf);
        FormDocument::drawLeftFields(pdf, writer, fillFields(pdf, values, writer));
        writer.embedFonts();
        filled = written(pdf);
    } catch (const TooLarge &) {
        return {Failure::FormTooLarge,
                {},
                sheet,
                QStringLiteral("Das Formular %1 enthält Daten, die entpackt größer als %2 MB "
                               "wären.")
                    .arg(form)
                    .arg(maxDecodedSize >> 20)};
    } catch (const std::exception &e) {
        const auto *qpdfError = dynamic_cast<const QPDFExc *>(&e);
        if (qpdfError && qpdfError->getErrorCode() == qpdf_e_password)
            return {Failure::FormProtected,
                    {},
                    sheet,
                    QStringLiteral("Das Formular %1 ist mit einem Kennwort geschützt.").arg(form)};
        return {Failure::FormDamaged,
                {},
                sheet,
                QStringLiteral("Das Formular %1 ist beschädigt (%2).")
                    .arg(form, QString::fromLocal8Bit(e.what()))};
    }

    // The copy goes into the output folder whatever path /F gives.
    const QString copy = QDir(outputFolder).filePath(QFileInfo(data->file).fileName());
    if (!QDir().mkpath(outputFolder))
        return {Failure::NotWritable,
                {},
                sheet,
                QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(outputFolder)};
    const QString error = AtomicFile::write(copy, QByteArray::fromStdString(filled));
    if (!error.isEmpty())
        return {Failure::NotWritable, {}, sheet, error};
    return {Failure::None, copy, sheet, {}};
}

} // namespace FormFiller
