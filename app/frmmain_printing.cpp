// Printing every completed sheet, one after the other, while the window stays usable.
#include "clicklabel.h"
#include "documents/printreport.h"
#include "documents/sheetfile.h"
#include "frmmain.h"
#include "pdf/formfiller.h"
#include "platform/delay.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

void frmMain::Label5_Click()
{
    // A run inside a run would print twice and end the close guard too early.
    if (isPrinting)
        return;
    // Nor may a run start before the printer has taken every sheet of the last one.
    if (!printJobs_.expired()) {
        platform_.dialogs.information(
            title_, QStringLiteral("Der Drucker hat die Anträge des letzten Druckvorgangs noch "
                                   "nicht alle angenommen. Bitte versuchen Sie es gleich noch "
                                   "einmal."));
        return;
    }
    isPrinting = true;
    if (getCount() == 0) {
        platform_.dialogs.information(title_, QStringLiteral("Es wurden noch keine Anträge "
                                                             "fertiggestellt!"));
        isPrinting = false;
        return;
    }
    if (!platform_.dialogs.question(
            title_,
            QStringLiteral("Sollen alle fertiggestellten Anträge (%1) gedruckt werden?")
                .arg(getCount()),
            Dialogs::Answer::Yes)) {
        isPrinting = false; // nothing shows the run yet
        return;
    }

    setCursor(Qt::WaitCursor);
    const auto report = std::make_shared<PrintReport>();
    printJobs_ = report;
    const int last = sheetCount;
    // The window may close by the system during a wait; then nothing more is sent.
    for (int n = 1; n <= last && !unloaded_; ++n) {
        const QString caption = lblFormblatt[n]->text();
        const QString file = folders_.find(SheetFile::name(caption));
        if (!isCompleted(n))
            continue;
        lblInfo->show();
        lblInfo->setText(PrintReport::statusText(caption));
        platform_.shell.print(filledForPrinting(caption, file, *report), report->send(caption));
        platform_.delay.wait(2);
    }
    isPrinting = false;
    lblInfo->hide();
    unsetCursor();

    QPointer<frmMain> window(this);
    report->onComplete = [window](const QString &message) {
        if (window && !window->unloaded_ && !message.isEmpty())
            window->platform_.dialogs.warning(window->title_, message);
    };
    report->finish();
}

// The sheet filled with the master data as they stand now; the blank form when that fails.
QString frmMain::filledForPrinting(const QString &caption, const QString &file, PrintReport &report)
{
    const FormFiller::Result filled = fillSheet(caption);
    if (!filled.notice.isEmpty())
        report.noted(caption, filled.notice);
    if (filled.failure == FormFiller::Failure::None)
        return filled.path;
    // A missing form is the printer's failure to report; anything else prints it blank.
    if (QFile::exists(file))
        report.printedBlank(caption, filled.error);
    return file;
}
