// The form data file of a sheet and handing it to the desktop.
#include "documents/fdf.h"
#include "documents/shellmessages.h"
#include "frmmain.h"
#include "pdf/formfiller.h"
#include "platform/atomicfile.h"
#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

using namespace ShellResult;

MasterData frmMain::masterData() const
{
    MasterData data;
    for (int i = 1; i <= 9; ++i)
        data.packages[i - 1] = {txtMenge[i]->text(), txtMengenart[i]->text(), txtFAP[i]->text()};
    data.name = AName->text();
    return data;
}

std::optional<QByteArray> frmMain::formData(const QString &DocName) const
{
    QFile templateFile(folders_.find(QStringLiteral("antrag_.fdf")));
    if (!templateFile.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Fdf::fill(templateFile.readAll(), DocName, masterData());
}

QString frmMain::templateMissing() const
{
    return QStringLiteral("Die Vorlage der Formulardaten %1 fehlt.")
        .arg(folders_.find(QStringLiteral("antrag_.fdf")));
}

QString frmMain::CreateFDF(const QString &DocName)
{
    isWritingFdf = true;
    int failure = 0;
    QString reason;
    if (const std::optional<QByteArray> filled = formData(DocName); !filled) {
        failure = fileNotFound;
        reason = templateMissing();
    } else if (reason = AtomicFile::write(folders_.own(QStringLiteral("antrag.fdf")), *filled);
               !reason.isEmpty()) {
        failure = accessDenied;
    }
    if (failure) {
        txtMsgBox->hide();
        txtMsgBox->setText(shellErrorMessage(failure));
    } else {
        fdfForm_ = QFileInfo(QDir(folders_.ownFolder()), DocName).absoluteFilePath();
    }
    isWritingFdf = false;
    return reason;
}

frmMain::Opening frmMain::OpenPDF()
{
    const QString fdf = folders_.own(QStringLiteral("antrag.fdf"));
    Opening opening;
    int result = 0;
    if (platform_.shell.canOpen(fdf)) {
        // The viewer looks for the form itself and would show nothing without it.
        result = QFileInfo(fdfForm_).isFile() ? StartDoc(fdf) : fileNotFound;
        if (result == fileNotFound)
            opening.failure = QStringLiteral("Das Formular %1 fehlt.").arg(fdfForm_);
    } else {
        // Without an application for FDF files, the form is filled here and shown as a PDF.
        QFile data(fdf);
        const FormFiller::Result filled =
            data.open(QIODevice::ReadOnly)
                ? FormFiller::fill(data.readAll(), QFileInfo(fdf).path(), filledFolder())
                : FormFiller::Result{FormFiller::Failure::DataUnreadable,
                                     {},
                                     data.fileName() + QStringLiteral(": ") + data.errorString(),
                                     {}};
        opening = {filled.error, filled.notice};
        result = filled.failure == FormFiller::Failure::None ? StartDoc(filled.path)
                                                             : shellCodeOf(filled.failure);
    }
    if (result > 32)
        return opening;
    txtMsgBox->hide();
    txtMsgBox->setText(shellErrorMessage(result));
    if (opening.failure.isEmpty())
        opening.failure = openingFailure(result);
    return opening;
}

int frmMain::StartDoc(const QString &DocName)
{
    return platform_.shell.open(DocName);
}

FormFiller::Result frmMain::fillSheet(const QString &caption) const
{
    const std::optional<QByteArray> fdf = formData(formName(caption));
    if (!fdf)
        return {FormFiller::Failure::DataUnreadable, {}, templateMissing(), {}};
    return FormFiller::fill(*fdf, folders_.ownFolder(), filledFolder());
}

QString frmMain::filledFolder() const
{
    return folders_.own(QStringLiteral("ausgefuellt"));
}
