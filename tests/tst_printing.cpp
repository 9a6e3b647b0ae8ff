#include "app/clicklabel.h"
#include "windowfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private:
    // A shown window with six sheets "Blatt 1" to "Blatt 6" on the first tab.
    frmMain &open(WindowFixture &f, const QList<int> &completed)
    {
        QByteArray ini = "[TAB1]\r\n";
        for (int k = 1; k <= 6; ++k)
            ini +=
                "Formblatt." + QByteArray::number(k) + "=Blatt " + QByteArray::number(k) + "\r\n";
        f.writeFile("vra.ini", ini);
        f.copySamples({"antrag_.fdf"});
        for (int k = 1; k <= 6; ++k)
            QFile::copy(sampleFile("1 Antragsteller.pdf"),
                        f.path(QStringLiteral("Blatt %1.pdf").arg(k)));
        frmMain &w = f.start();
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("window not exposed");
        w.Label4_Click();
        for (int n : completed)
            clickOn(w.lblFormblatt[n]);
        return w;
    }

    // The filled copy of sheet n, which is what goes to the printer.
    QString sheet(const WindowFixture &f, int n)
    {
        return f.path(QStringLiteral("ausgefuellt/Blatt %1.pdf").arg(n));
    }

private slots:
    void nothingCompleted()
    {
        WindowFixture f;
        frmMain &w = open(f, {});
        clickOn(w.Label5);
        QCOMPARE(f.dialogs.shown, QStringList({"information|VRA - Antrag A|Es wurden noch keine "
                                               "Anträge fertiggestellt!"}));
        QVERIFY(f.shell.printed.isEmpty());
        QVERIFY(!w.isPrinting);
        QVERIFY(w.close());
    }

    void declined()
    {
        WindowFixture f;
        frmMain &w = open(f, {2});
        f.dialogs.answer = false;
        clickOn(w.Label5);
        QCOMPARE(f.dialogs.shown, QStringList({"question|VRA - Antrag A|Sollen alle "
                                               "fertiggestellten Anträge (1) gedruckt werden?"}));
        QVERIFY(f.shell.printed.isEmpty());
        QVERIFY(!w.lblInfo->isVisible());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,2,"));
        QVERIFY(!w.isPrinting);
    }

    void printsTheCompletedSheetsInOrder()
    {
        WindowFixture f;
        frmMain &w = open(f, {5, 2});
        QStringList status;
        f.delay.during = [&] {
            status << w.lblInfo->text();
            QVERIFY(w.lblInfo->isVisible());
            QVERIFY(!w.cmdPrint->isVisible());
            QCOMPARE(w.cursor().shape(), Qt::WaitCursor);
            QVERIFY(w.isPrinting);
        };
        clickOn(w.Label5);
        QCOMPARE(f.dialogs.shown, QStringList({"question|VRA - Antrag A|Sollen alle "
                                               "fertiggestellten Anträge (2) gedruckt werden?"}));
        QCOMPARE(f.shell.printed, QStringList({sheet(f, 2), sheet(f, 5)}));
        QCOMPARE(status, QStringList({"Antrag \"Blatt 2\" wird gedruckt...",
                                      "Antrag \"Blatt 5\" wird gedruckt..."}));
        QCOMPARE(f.delay.waits, QList<int>({2, 2}));
        QVERIFY(!w.lblInfo->isVisible());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!w.isPrinting);
    }

    void marksChangedDuringTheRun()
    {
        WindowFixture f;
        frmMain &w = open(f, {1, 3, 6});
        int wait = 0;
        f.delay.during = [&] {
            if (++wait == 1) {
                clickOn(w.imgRead[3]);      // cleared ahead of the loop: skipped
                clickOn(w.lblFormblatt[4]); // completed ahead of the loop: printed
                clickOn(w.imgRead[1]);      // cleared behind the loop: already sent
            }
        };
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed, QStringList({sheet(f, 1), sheet(f, 4), sheet(f, 6)}));
    }

    void closeAndSecondRunRefusedDuringTheWait()
    {
        WindowFixture f;
        frmMain &w = open(f, {2, 4});
        f.delay.during = [&] {
            QVERIFY(!w.close());
            clickOn(w.Label6);
            clickOn(w.Label5);
        };
        clickOn(w.Label5);
        const QString refusal =
            "information|VRA - Antrag A|Der Druck ist noch nicht fertiggestellt!";
        QCOMPARE(f.dialogs.shown.size(), 5);
        QCOMPARE(f.dialogs.shown.count(refusal), 4);
        QCOMPARE(f.shell.printed.size(), 2);
        QVERIFY(w.isVisible());
        QVERIFY(w.close());
    }

    void systemCloseEndsTheRun()
    {
        WindowFixture f;
        frmMain &w = open(f, {1, 2, 3});
        f.delay.during = [&] {
            w.closeBySystem();
        };
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed, QStringList({sheet(f, 1)}));
        QVERIFY(!w.isVisible());
        QVERIFY(f.readFile("vra.prop").contains("bear=,,1,,2,,3,\r\n"));
    }

    void failuresAreReportedAtTheEnd()
    {
        WindowFixture f;
        frmMain &w = open(f, {2, 3, 5, 6});
        QVERIFY(QFile::remove(f.path("Blatt 3.pdf")));
        f.shell.printFailures.insert(f.path("Blatt 3.pdf"), QStringLiteral("Die Datei fehlt"));
        f.shell.printFailures.insert(sheet(f, 5), QStringLiteral("lp: Fehler"));
        f.writeFile("Blatt 6.pdf", "%PDF-1.4 damaged");
        f.shell.answerLater = true;
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed, QStringList({sheet(f, 2), f.path("Blatt 3.pdf"), sheet(f, 5),
                                               f.path("Blatt 6.pdf")}));
        QCOMPARE(f.dialogs.shown.size(), 1); // the answers are not in yet
        // Until the printer has taken every sheet, the run is not over.
        QVERIFY(!w.close());
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed.size(), 4);
        QCOMPARE(f.dialogs.shown.size(), 2);
        f.dialogs.shown.removeLast();
        for (const auto &answer : std::exchange(f.shell.pendingAnswers, {}))
            answer();
        QCOMPARE(f.dialogs.shown.size(), 2);
        QVERIFY(f.dialogs.shown[1].startsWith(
            "warning|VRA - Antrag A|Diese Anträge wurden nicht gedruckt:\n\n• Blatt 3: Die Datei "
            "fehlt\n• Blatt 5: lp: Fehler\n\nDiese Anträge wurden ohne die Stammdaten "
            "gedruckt:\n\n• Blatt 6: Das Formular " +
            f.path("Blatt 6.pdf") + " ist beschädigt"));
        QVERIFY(w.close());
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
