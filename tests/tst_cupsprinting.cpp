// Printing through CUPS for real: two completed sheets reach a PDF printer, in order.
// Runs inside tests/cups/with-cups-pdf.sh, which provides the printer.
#include "app/clicklabel.h"
#include "platform/desktopshell.h"
#include "windowfixture.h"

#include <QLineEdit>

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

        // cups-pdf names its files job_<number>-<title>, the title being the file's name; a
        // file is done when its PDF trailer is written.
        const auto done = [&] {
            QStringList names;
            for (const QString &name : QDir(printed).entryList({"job_*.pdf"}, QDir::Files)) {
                if (readBytes(QDir(printed).filePath(name)).trimmed().endsWith("%%EOF"))
                    names << name;
            }
            return names;
        };
        QTRY_COMPARE_WITH_TIMEOUT(done().size(), 2, 120000);
        // By job number, sheet 1 before sheet 3, whatever the order of completion. cups-pdf may
        // add to the title what it finds in the document.
        QMap<int, QString> titles;
        for (const QString &name : done())
            titles.insert(name.section(u'-', 0, 0).mid(4).toInt(), name.section(u'-', 1));
        QVERIFY2(titles.first().startsWith("3_Produktangaben.pdf"), qPrintable(titles.first()));
        QVERIFY2(titles.last().startsWith("1_Antragsteller.pdf"), qPrintable(titles.last()));
        QCOMPARE(f.dialogs.shown.size(), 1); // the question; no failure reported
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
