// Completion marks and the completed list.
#include "clicklabel.h"
#include "documents/completedlist.h"
#include "documents/sheetfile.h"
#include "frmmain.h"

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
    const QString docName = formName(lblFormblatt[index]->text());
    // A form data file that could not be written must not open an older one in its place.
    if (CreateFDF(docName))
        OpenPDF();
    setMark(index, true);
    Bearbeitet->setText(CompletedList::added(Bearbeitet->text(), index));
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

int frmMain::getCount() const
{
    int count = 0;
    for (int n = 1; n <= sheetCount; ++n)
        count += imgRead[n]->Tag == QLatin1String("OK") ? 1 : 0;
    return count;
}
