// Printing through CUPS for real: two completed sheets reach a PDF printer, in order.
// Runs inside tests/cups/with-cups-pdf.sh, which provides the printer.
#include "platform/desktopshell.h"
#include "windowfixture.h"

class TestCupsPrinting : public QObject
{
    Q_OBJECT

private slots:
    void printsTwoSheetsInOrder()
    {
        const QString printed = qEnvironmentVariable("VRA_PRINTED");
        QVERIFY2(!printed.isEmpty(), "run through tests/cups/with-cups-pdf.sh");

        BasicWindowFixture<DesktopShell> f;
        f.writeFile("vra.ini",
                    "[TAB1]\r\nFormblatt.1=3 Produktangaben\r\nFormblatt.2=Ohne Druck\r\n"
                    "Formblatt.3=1 Antragsteller\r\n");
        QVERIFY(f.copySamples({"antrag_.fdf", "3 Produktangaben.pdf", "1 Antragsteller.pdf"}));
        frmMain &w = f.start();
        w.Bearbeitet->setText(QStringLiteral(",3,,1,"));
        w.RefreshMarks();
        clickOn(w.Label5);

        // cups-pdf names its files job_<number>-<title>, the title being the file's name, and a
        // server of its own numbers the jobs from 1; a file is done when its trailer is written.
        const auto done = [folder = QDir(printed)] {
            QStringList titles;
            for (const QString &name : folder.entryList({"job_*.pdf"}, QDir::Files, QDir::Name)) {
                if (readBytes(folder.filePath(name)).trimmed().endsWith("%%EOF"))
                    titles << name.section(u'-', 1);
            }
            return titles;
        };
        QTRY_COMPARE_WITH_TIMEOUT(done().size(), 2, 120000);
        // Sheet 1 before sheet 3, whatever the order of completion. cups-pdf may add to the
        // title what it finds in the document.
        const QStringList titles = done();
        QVERIFY2(titles[0].startsWith("3_Produktangaben.pdf"), qPrintable(titles[0]));
        QVERIFY2(titles[1].startsWith("1_Antragsteller.pdf"), qPrintable(titles[1]));
        QCOMPARE(f.dialogs.shown.size(), 1); // the question; no failure reported
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
