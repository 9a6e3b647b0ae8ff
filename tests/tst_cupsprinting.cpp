// Printing through CUPS for real: two completed sheets reach a PDF printer, in order.
// Runs inside tests/cups/with-cups-pdf.sh, which provides the printer.
#include "app/clicklabel.h"
#include "app/frmmain.h"
#include "fakes.h"
#include "platform/desktopshell.h"
#include "platform/postedkeyboard.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

class TestCupsPrinting : public QObject
{
    Q_OBJECT

private slots:
    void printsTwoSheetsInOrder()
    {
        const QString printed = qEnvironmentVariable("VRA_PRINTED");
        QVERIFY2(!printed.isEmpty(), "run through tests/cups/with-cups-pdf.sh");

        QTemporaryDir folder;
        const QStringList sheets = {"3 Produktangaben", "1 Antragsteller"};
        QFile ini(folder.filePath("vra.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[TAB1]\r\nFormblatt.1=" + sheets[0].toUtf8() +
                  "\r\nFormblatt.2=Ohne Druck\r\n"
                  "Formblatt.3=" +
                  sheets[1].toUtf8() + "\r\n");
        ini.close();
        QVERIFY(QFile::copy(QStringLiteral(VRA_SOURCE_DIR "/program/antrag_.fdf"),
                            folder.filePath("antrag_.fdf")));
        for (const QString &sheet : sheets)
            QVERIFY(QFile::copy(QStringLiteral(VRA_SOURCE_DIR "/program/") + sheet + ".pdf",
                                folder.filePath(sheet + ".pdf")));

        DesktopShell shell;
        FakeDialogs dialogs;
        FakeDelay delay;
        PostedKeyboard keyboard;
        frmMain w(folder.path(), Platform{shell, dialogs, delay, keyboard});
        w.Form_Load();
        w.Bearbeitet->setText(QStringLiteral(",3,,1,"));
        w.RefreshMarks();
        QTest::mouseClick(w.Label5, Qt::LeftButton, {}, w.Label5->rect().center());

        // cups-pdf names its files job_<number>-<title>, the title being the file's name; a
        // file is done when its PDF trailer is written.
        const auto done = [&] {
            QStringList names;
            for (const QString &name : QDir(printed).entryList({"job_*.pdf"}, QDir::Files)) {
                QFile file(QDir(printed).filePath(name));
                if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF"))
                    names << name;
            }
            return names;
        };
        QTRY_COMPARE_WITH_TIMEOUT(done().size(), 2, 120000);
        QStringList titles;
        QList<int> jobs;
        for (const QString &name : done()) {
            jobs << name.section(u'-', 0, 0).mid(4).toInt();
            titles << name.section(u'-', 1);
        }
        if (jobs[0] > jobs[1])
            titles.swapItemsAt(0, 1);
        // Sheet 1 before sheet 3, whatever the order of completion. cups-pdf may add to the
        // title what it finds in the document.
        QVERIFY2(titles[0].startsWith("3_Produktangaben.pdf"), qPrintable(titles[0]));
        QVERIFY2(titles[1].startsWith("1_Antragsteller.pdf"), qPrintable(titles[1]));
        QCOMPARE(dialogs.shown.size(), 1); // the question; no failure reported
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
