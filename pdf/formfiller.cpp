#include "formfiller.h"

#include "boundedsink.h"
#include "fdfreader.h"
#include "formdocument.h"
#include "platform/asidefile.h"
#include "platform/atomicfile.h"
#include "readfailure.h"
#include "widgetappearance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <memory>
#include <set>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
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

// A form read whole: qpdf reads a file by many small seeks, and forms are small. Its object
// streams are tried within the bound first.
struct LoadedForm {
    explicit LoadedForm(const QString &file)
    {
        QFile input(file);
        bytes = input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(QFile::encodeName(file).constData(), bytes.constData(),
                              size_t(bytes.size()));
        checkObjectStreams(pdf, FormFiller::maxDecodedSize);
    }

    QByteArray bytes; // what qpdf reads, for as long as it lives
    QPDF pdf;
};

// What the filled form holds, and how many fields took a value; nothing where the form's
// permissions forbid filling it.
struct Filling {
    std::string bytes;
    size_t fields = 0;
};

std::optional<Filling> filledForm(QPDF &pdf, const QHash<QString, QString> &values)
{
    if (!FormDocument::fillingAllowed(pdf))
        return std::nullopt;
    FormDocument::dropOtherViewersParts(pdf);
    AppearanceWriter writer(pdf);
    const std::set<QPDFObjGen> filled = fillFields(pdf, values, writer);
    FormDocument::drawLeftFields(pdf, writer, filled);
    writer.embedFonts();
    return Filling{written(pdf), filled.size()};
}

QString lockedMessage(const QString &form)
{
    return QStringLiteral("Das Formular %1 darf nach seinen Berechtigungen nicht ausgefüllt "
                          "werden.")
        .arg(form);
}

// A signature covers the bytes it signed: filling the copy would break it.
bool isSigned(QPDF &pdf)
{
    QPDFAcroFormDocumentHelper acroForm(pdf);
    for (QPDFFormFieldObjectHelper field : acroForm.getFormFields()) {
        if (field.getFieldType() == "/Sig" && field.getValue().isDictionary())
            return true;
    }
    Object perms = pdf.getRoot().getKey("/Perms");
    return perms.isDictionary() && perms.getKey("/DocMDP").isDictionary();
}

// Why a form cannot be read, for the user.
std::pair<FormFiller::Failure, QString> unreadable(const std::exception &e, const QString &form)
{
    using FormFiller::Failure;
    switch (readFailure(e)) {
    case ReadFailure::TooLarge:
        return {Failure::FormTooLarge,
                QStringLiteral("Das Formular %1 enthält Daten, die entpackt größer als %2 MB "
                               "wären.")
                    .arg(form)
                    .arg(FormFiller::maxDecodedSize >> 20)};
    case ReadFailure::Protected:
        return {Failure::FormProtected,
                QStringLiteral("Das Formular %1 ist mit einem Kennwort geschützt.").arg(form)};
    case ReadFailure::Damaged:
        break;
    }
    return {Failure::FormDamaged, QStringLiteral("Das Formular %1 ist beschädigt (%2).")
                                      .arg(form, QString::fromLocal8Bit(e.what()))};
}

FormFiller::Result failed(FormFiller::Failure failure, const QString &error,
                          const QString &notice = {})
{
    return {failure, {}, error, notice};
}

FormFiller::Result writeCopy(const QString &copy, const std::string &bytes,
                             const QString &notice = {})
{
    const QString error = AtomicFile::write(copy, QByteArray::fromStdString(bytes));
    if (!error.isEmpty())
        return failed(FormFiller::Failure::NotWritable, error, notice);
    return {FormFiller::Failure::None, copy, {}, notice};
}

// The copy read whole, every page and field asked for, so that one that cannot be read shows
// it here; nothing when it cannot.
std::unique_ptr<LoadedForm> readable(const QString &copy)
{
    try {
        auto form = std::make_unique<LoadedForm>(copy);
        QPDFPageDocumentHelper(form->pdf).getAllPages();
        QPDFAcroFormDocumentHelper(form->pdf).getFormFields();
        return form;
    } catch (const TooLarge &) {
        throw;
    } catch (const std::exception &) {
        return nullptr;
    }
}

// The copy the user may have worked on since: filled anew where the master data go, left as
// it is where that would break a signature or the user protected it. Nothing when it cannot
// be read: the caller moves it aside. One that can be read is never moved.
std::optional<FormFiller::Result> refilled(const QString &copy,
                                           const QHash<QString, QString> &values)
{
    using FormFiller::Failure;
    const QFileInfo info(copy);
    if (info.size() > FormFiller::maxFormSize)
        return failed(Failure::FormTooLarge,
                      QStringLiteral("Die ausgefüllte Kopie %1 ist größer als %2 MB.")
                          .arg(copy)
                          .arg(FormFiller::maxFormSize >> 20));
    const auto unchanged = [&](const QString &why) {
        return FormFiller::Result{Failure::None, copy, {}, why.arg(copy)};
    };
    try {
        const std::unique_ptr<LoadedForm> form = readable(copy);
        if (!form)
            return std::nullopt;
        if (isSigned(form->pdf))
            return unchanged(QStringLiteral(
                "Die ausgefüllte Kopie %1 ist digital unterschrieben. Sie wird unverändert "
                "verwendet: Die Stammdaten werden nicht eingetragen, damit die Unterschrift "
                "gültig bleibt."));
        // As the owner set it, which even an administrator respects here.
        if (!(info.permissions() & QFileDevice::WriteOwner))
            return unchanged(QStringLiteral("Die ausgefüllte Kopie %1 ist schreibgeschützt. Sie "
                                            "wird unverändert verwendet; die Stammdaten werden "
                                            "nicht eingetragen."));
        const std::optional<Filling> filling = filledForm(form->pdf, values);
        if (!filling)
            return failed(Failure::FormLocked, lockedMessage(copy));
        if (filling->fields == 0 && !values.isEmpty())
            return unchanged(QStringLiteral(
                "In der ausgefüllten Kopie %1 gibt es keines der Felder für die Stammdaten mehr; "
                "vielleicht hat ein Programm sie umbenannt. Die Kopie bleibt, wie sie ist. Um das "
                "Formblatt neu zu beginnen, wählen Sie im Kontextmenü des Formblatts „Formblatt "
                "neu beginnen …“."));
        return writeCopy(copy, filling->bytes);
    } catch (const std::exception &e) {
        const auto [failure, error] = unreadable(e, copy);
        return failed(failure, error);
    }
}

// Where the filled copy of `file` goes, and why it cannot go there; the file a link inside
// the folder leads to, however many links it takes.
std::pair<QString, QString> copyPath(const QString &file, const QString &outputFolder)
{
    const QString copy = FormFiller::copyOf(file, outputFolder);
    const QFileInfo info(copy);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (target.isEmpty() ||
            QFileInfo(target).absolutePath() != QDir(outputFolder).canonicalPath())
            return {copy, QStringLiteral("Die ausgefüllte Kopie %1 ist eine Verknüpfung auf %2, "
                                         "nicht auf eine Datei im Ordner %3. Sie bleibt "
                                         "unverändert.")
                              .arg(copy, info.symLinkTarget(), outputFolder)};
        return {target, {}};
    }
    if (info.isDir())
        return {copy, QStringLiteral("An der Stelle der ausgefüllten Kopie %1 steht ein Ordner. "
                                     "Er bleibt unverändert.")
                          .arg(copy)};
    return {copy, {}};
}

} // namespace

namespace FormFiller
{

QString copyOf(const QString &form, const QString &outputFolder)
{
    return QDir(outputFolder).filePath(QFileInfo(form).fileName());
}

Result fill(const QByteArray &fdf, const QString &fdfFolder, const QString &outputFolder)
{
    if (fdf.size() > maxFdfSize)
        return failed(
            Failure::DataTooLarge,
            QStringLiteral("Die Formulardaten sind größer als %1 MB.").arg(maxFdfSize >> 20));
    const std::optional<Fdf::FormData> data = Fdf::read(fdf);
    if (!data || data->file.isEmpty())
        return failed(Failure::DataUnreadable,
                      QStringLiteral("Die Formulardaten sind nicht lesbar."));
    QHash<QString, QString> values;
    for (const auto &[name, value] : data->fields)
        values.insert(name, value);

    // The copy goes into the output folder whatever path /F gives.
    if (!QDir().mkpath(outputFolder))
        return failed(
            Failure::NotWritable,
            QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(outputFolder));
    const auto [copy, inTheWay] = copyPath(data->file, outputFolder);
    if (!inTheWay.isEmpty())
        return failed(Failure::NotWritable, inTheWay);
    QString notice;
    if (QFileInfo::exists(copy)) {
        if (std::optional<Result> result = refilled(copy, values))
            return *result;
        // Never overwritten: what the user did with it stays at hand.
        const QString aside = AsideFile::move(copy, QStringLiteral("unlesbar"));
        if (aside.isEmpty())
            return failed(Failure::NotWritable,
                          QStringLiteral("Die ausgefüllte Kopie %1 kann nicht gelesen und nicht "
                                         "beiseitegelegt werden.")
                              .arg(copy));
        notice = QStringLiteral("Die ausgefüllte Kopie konnte nicht gelesen werden. Sie liegt "
                                "jetzt unter\n%1\n\nDas Formblatt wurde neu aus dem leeren "
                                "Formular ausgefüllt.")
                     .arg(aside);
    }

    const QString form = QDir(fdfFolder).filePath(data->file);
    const QFileInfo info(form);
    if (!info.isFile())
        return failed(Failure::FormMissing, QStringLiteral("Das Formular %1 fehlt.").arg(form),
                      notice);
    if (info.size() > maxFormSize)
        return failed(Failure::FormTooLarge,
                      QStringLiteral("Das Formular %1 ist größer als %2 MB.")
                          .arg(form)
                          .arg(maxFormSize >> 20),
                      notice);
    try {
        LoadedForm blank(form);
        const std::optional<Filling> filling = filledForm(blank.pdf, values);
        if (!filling)
            return failed(Failure::FormLocked, lockedMessage(form), notice);
        return writeCopy(copy, filling->bytes, notice);
    } catch (const std::exception &e) {
        const auto [failure, error] = unreadable(e, form);
        return failed(failure, error, notice);
    }
}

} // namespace FormFiller
