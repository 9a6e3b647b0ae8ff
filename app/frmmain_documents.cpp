// The form data file of a sheet and handing it to the desktop.
#include "documents/fdf.h"
#include "documents/shellmessages.h"
#include "frmmain.h"
#include "pdf/formfiller.h"
#include "platform/atomicfile.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

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

bool frmMain::CreateFDF(const QString &DocName)
{
    isWritingFdf = true;
    int failure = 0;
    if (const std::optional<QByteArray> filled = formData(DocName); !filled)
        failure = fileNotFound;
    else if (!AtomicFile::write(folders_.own(QStringLiteral("antrag.fdf")), *filled).isEmpty())
        failure = accessDenied;
    if (failure) {
        txtMsgBox->hide();
        txtMsgBox->setText(shellErrorMessage(failure));
    } else {
        fdfSheet_ = QFileInfo(DocName).completeBaseName();
    }
    isWritingFdf = false;
    return failure == 0;
}

void frmMain::OpenPDF()
{
    const QString fdf = folders_.own(QStringLiteral("antrag.fdf"));
    // Without an application for FDF files, the form is filled here and shown as a PDF.
    const int result = platform_.shell.canOpen(fdf) ? StartDoc(fdf) : openFilled(fdf);
    if (result > 32)
        return;
    txtMsgBox->hide();
    txtMsgBox->setText(shellErrorMessage(result));
}

int frmMain::StartDoc(const QString &DocName)
{
    return platform_.shell.open(DocName);
}

int frmMain::openFilled(const QString &fdfPath)
{
    QFile fdf(fdfPath);
    if (!fdf.open(QIODevice::ReadOnly))
        return fileNotFound;
    const FormFiller::Result filled =
        FormFiller::fill(fdf.readAll(), QFileInfo(fdfPath).path(), filledFolder());
    if (filled.failure == FormFiller::Failure::None)
        return StartDoc(filled.path);
    // A form that stays blank must not pass for one that was filled. Data too large to read
    // do not tell their sheet: it is the one antrag.fdf was written for.
    const QString sheet = filled.sheet.isEmpty() ? fdfSheet_ : filled.sheet;
    platform_.dialogs.warning(
        title_, sheet.isEmpty()
                    ? QStringLiteral("Das Formblatt wurde nicht ausgefüllt.\n\n%1 (%2)")
                          .arg(filled.error, fdfPath)
                    : QStringLiteral("Das Formblatt „%1“ konnte nicht ausgefüllt werden.\n\n%2")
                          .arg(sheet, filled.error));
    return shellCodeOf(filled.failure);
}

FormFiller::Result frmMain::fillSheet(const QString &caption) const
{
    const std::optional<QByteArray> fdf = formData(formName(caption));
    if (!fdf)
        return {FormFiller::Failure::DataUnreadable,
                {},
                caption,
                QStringLiteral("Die Vorlage %1 fehlt")
                    .arg(folders_.find(QStringLiteral("antrag_.fdf")))};
    return FormFiller::fill(*fdf, folders_.ownFolder(), filledFolder());
}

QString frmMain::filledFolder() const
{
    return folders_.own(QStringLiteral("ausgefuellt"));
}
