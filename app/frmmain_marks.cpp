// Completion marks and the completed list.
#include "clicklabel.h"
#include "documents/completedlist.h"
#include "documents/sheetfile.h"
#include "frmmain.h"
#include "platform/asidefile.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFileInfo>

#include <QLineEdit>

void frmMain::setMark(int sheet, bool completed)
{
    imgRead[sheet]->setPicture((completed ? yes[0] : no[0])->pixmap());
    imgRead[sheet]->Tag = completed ? QStringLiteral("OK") : QString();
    imgRead[sheet]->setAccessibleName(
        (completed ? QStringLiteral("„%1“ fertiggestellt") : QStringLiteral("„%1“ offen"))
            .arg(lblFormblatt[sheet]->text()));
    imgRead[sheet]->setAccessibleDescription(
        completed ? QStringLiteral("Klicken, um das Formblatt wieder abzuwählen") : QString());
}

void frmMain::lblFormblatt_Click(int index)
{
    const QString caption = lblFormblatt[index]->text();
    // A form data file that could not be written must not open an older one in its place.
    Opening opening{CreateFDF(formName(caption)), {}};
    if (opening.failure.isEmpty())
        opening = OpenPDF();
    // A sheet that was not shown must not pass for a completed one. The mark is set before any
    // message: the system may close the window while one is open.
    if (opening.failure.isEmpty()) {
        setMark(index, true);
        Bearbeitet->setText(CompletedList::added(Bearbeitet->text(), index));
    }
    if (!opening.notice.isEmpty())
        platform_.dialogs.information(
            title_, QStringLiteral("Zum Formblatt „%1“:\n\n%2").arg(caption, opening.notice));
    if (!opening.failure.isEmpty())
        platform_.dialogs.warning(
            title_, QStringLiteral("Das Formblatt „%1“ kann nicht angezeigt werden.\n\n%2")
                        .arg(caption, opening.failure));
}

void frmMain::startAfresh(int index)
{
    const QString caption = lblFormblatt[index]->text();
    const QString copy = FormFiller::copyOf(formName(caption), filledFolder());
    // Only a file is put aside; whatever else stands there is the filler's to tell.
    if (QFileInfo(copy).isFile()) {
        if (!platform_.dialogs.question(
                title_,
                QStringLiteral("Soll das Formblatt „%1“ neu aus dem leeren Formular ausgefüllt "
                               "werden?\n\nWas Sie darin von Hand eingetragen haben, steht dann "
                               "nicht mehr im Formblatt. Die bisherige Kopie wird nicht "
                               "gelöscht: Sie bleibt im Ordner %2, mit „alt“ und ihrem Datum im "
                               "Namen.")
                    .arg(caption, filledFolder()),
                Dialogs::Answer::No))
            return;
        if (AsideFile::move(copy, QStringLiteral("alt")).isEmpty()) {
            platform_.dialogs.warning(
                title_, QStringLiteral("Die bisherige Kopie %1 kann nicht beiseitegelegt werden. "
                                       "Das Formblatt „%2“ bleibt, wie es ist.")
                            .arg(copy, caption));
            return;
        }
    }
    lblFormblatt_Click(index);
}

void frmMain::imgRead_Click(int index)
{
    // CreateFDF lets no events run today; the guard holds should it ever wait.
    if (isWritingFdf)
        return;
    setMark(index, false);
    if (CompletedList::contains(Bearbeitet->text(), index))
        Bearbeitet->setText(CompletedList::removed(Bearbeitet->text(), index));
}

void frmMain::RefreshMarks()
{
    for (int n = 1; n <= sheetCount; ++n)
        setMark(n, CompletedList::contains(Bearbeitet->text(), n));
}

bool frmMain::isCompleted(int sheet) const
{
    return imgRead[sheet]->Tag == QLatin1String("OK");
}

int frmMain::getCount() const
{
    int count = 0;
    for (int n = 1; n <= sheetCount; ++n)
        count += isCompleted(n) ? 1 : 0;
    return count;
}
