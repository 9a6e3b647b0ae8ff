// On a desktop without an application for FDF files, a click on a sheet opens the filled copy
// with the desktop's PDF application.
#include "app/clicklabel.h"
#include "app/frmmain.h"
#include "fakedesktop.h"
#include "fakes.h"
#include "platform/desktopshell.h"
#include "platform/postedkeyboard.h"

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
        QTemporaryDir folder;
        const QString sheet = QStringLiteral("1 Antragsteller.pdf");
        const QString program = QStringLiteral(VRA_SOURCE_DIR "/program/");
        for (const QString &file :
             {QStringLiteral("vra.ini"), QStringLiteral("antrag_.fdf"), sheet})
            QVERIFY(QFile::copy(program + file, folder.filePath(file)));

        DesktopShell shell;
        FakeDialogs dialogs;
        FakeDelay delay;
        PostedKeyboard keyboard;
        frmMain w(folder.path(), Platform{shell, dialogs, delay, keyboard});
        w.Form_Load();
        w.AName->setText(QStringLiteral("Müller"));
        QTest::mouseClick(w.lblFormblatt[1], Qt::LeftButton, {},
                          w.lblFormblatt[1]->rect().center());

        const QString copy = folder.filePath(QStringLiteral("ausgefuellt/") + sheet);
        QTRY_COMPARE(fakeDesktopLog(desktop_, "pdfviewer"), copy + u'\n');
        QVERIFY(w.txtMsgBox->text().isEmpty());
        QCOMPARE(w.imgRead[1]->Tag, QStringLiteral("OK"));
        QFile blank(folder.filePath(sheet));
        QFile original(program + sheet);
        QVERIFY(blank.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        QCOMPARE(blank.readAll(), original.readAll());
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
