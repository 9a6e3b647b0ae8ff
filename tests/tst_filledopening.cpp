// On a desktop without an application for FDF files, a click on a sheet opens the filled copy
// with the desktop's PDF application.
#include "app/clicklabel.h"
#include "fakedesktop.h"
#include "platform/desktopshell.h"
#include "windowfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

class TestFilledOpening : public QObject
{
    Q_OBJECT

public:
    explicit TestFilledOpening(const QTemporaryDir &desktop) : desktop_(desktop) {}

private:
    const QTemporaryDir &desktop_;

private slots:
    void clickOpensTheFilledCopy()
    {
        const QString sheet = QStringLiteral("1 Antragsteller.pdf");
        BasicWindowFixture<DesktopShell> f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet}));
        frmMain &w = f.start();
        w.AName->setText(QStringLiteral("Müller"));
        clickOn(w.lblFormblatt[1]);

        const QString copy = f.path(QStringLiteral("ausgefuellt/") + sheet);
        QTRY_COMPARE(fakeDesktopLog(desktop_, "pdfviewer"), copy + u'\n');
        QVERIFY(w.txtMsgBox->text().isEmpty());
        QCOMPARE(w.imgRead[1]->Tag, QStringLiteral("OK"));
        QFile original(sampleFile(sheet));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(f.readFile(sheet), original.readAll()); // the blank form is unchanged
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir desktop;
    makeFakeDesktop(desktop, {{"application/pdf", "pdfviewer"}});
    QApplication app(argc, argv);
    TestFilledOpening test(desktop);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filledopening.moc"
