#include "formfiller.h"

#include "platform/ansitext.h"
#include "platform/atomicfile.h"
#include "platform/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

// Build against the std::shared_ptr API of qpdf, without the old PointerHolder.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace
{

using namespace ShellResult;

QString bytesOf(QPDFObjectHandle string)
{
    return AnsiText::decode(QByteArray::fromStdString(string.getStringValue()));
}

// Fields may nest in /Kids; their names join with a dot, as in the form.
void collect(QPDFObjectHandle fields, const QString &prefix, FormFiller::FormData &data, int depth)
{
    if (!fields.isArray() || depth > 32)
        return;
    for (QPDFObjectHandle field : fields.aitems()) {
        if (!field.isDictionary())
            continue;
        QString name = prefix;
        if (field.getKey("/T").isString())
            name +=
                (prefix.isEmpty() ? QString() : QStringLiteral(".")) + bytesOf(field.getKey("/T"));
        if (field.getKey("/V").isString())
            data.fields.append({name, bytesOf(field.getKey("/V"))});
        collect(field.getKey("/Kids"), name, data, depth + 1);
    }
}

} // namespace

namespace FormFiller
{

std::optional<FormData> parse(const QByteArray &fdf)
{
    static const QRegularExpression start(QStringLiteral("\\d+\\s+\\d+\\s+obj\\b"));
    const QString text = QString::fromLatin1(fdf);
    const QRegularExpressionMatch match = start.match(text);
    if (!fdf.startsWith("%FDF-") || !match.hasMatch())
        return std::nullopt;
    const qsizetype end = fdf.indexOf("endobj", match.capturedEnd());
    const QByteArray body = fdf.mid(match.capturedEnd(), end < 0 ? -1 : end - match.capturedEnd());
    try {
        QPDFObjectHandle root = QPDFObjectHandle::parse(body.toStdString(), "FDF");
        QPDFObjectHandle fdfDictionary = root.getKey("/FDF");
        if (!fdfDictionary.isDictionary())
            return std::nullopt;
        FormData data;
        if (fdfDictionary.getKey("/F").isString())
            data.file = bytesOf(fdfDictionary.getKey("/F"));
        collect(fdfDictionary.getKey("/Fields"), QString(), data, 0);
        return data;
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

Result fill(const QByteArray &fdf, const QString &fdfFolder, const QString &outputFolder)
{
    const std::optional<FormData> data = parse(fdf);
    if (!data || data->file.isEmpty())
        return {invalidImage, {}, QStringLiteral("Die Formulardaten sind nicht lesbar")};
    const QString form = QDir(fdfFolder).filePath(data->file);
    if (!QFileInfo(form).isFile())
        return {fileNotFound, {}, QStringLiteral("Das Formular %1 fehlt").arg(form)};

    QHash<QString, QString> values;
    for (const auto &[name, value] : data->fields)
        values.insert(name, value);

    std::string filled;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(form).constData());
        QPDFAcroFormDocumentHelper acroForm(pdf);
        for (QPDFFormFieldObjectHelper field : acroForm.getFormFields()) {
            const QString name = QString::fromStdString(field.getFullyQualifiedName());
            if (values.contains(name) && field.getFieldType() == "/Tx")
                field.setV(values.value(name).toStdString());
        }
        acroForm.generateAppearancesIfNeeded();
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.write();
        const auto buffer = writer.getBufferSharedPointer();
        filled.assign(reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize());
    } catch (const std::exception &e) {
        return {invalidImage,
                {},
                QStringLiteral("Das Formular %1 ist beschädigt: %2")
                    .arg(form, QString::fromLocal8Bit(e.what()))};
    }

    // The copy goes into the output folder whatever path /F gives.
    const QString copy = QDir(outputFolder).filePath(QFileInfo(data->file).fileName());
    if (!QDir().mkpath(outputFolder))
        return {accessDenied,
                {},
                QStringLiteral("Der Ordner %1 kann nicht angelegt werden").arg(outputFolder)};
    const QString error = AtomicFile::write(copy, QByteArray::fromStdString(filled));
    if (!error.isEmpty())
        return {accessDenied, {}, error};
    return {0, copy, {}};
}

} // namespace FormFiller
