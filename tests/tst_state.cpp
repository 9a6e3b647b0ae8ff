#include "app/clicklabel.h"
#include "windowfixture.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace
{

QByteArray lines(const WindowFixture &f)
{
    return f.readFile("vra.prop");
}

} // namespace

class TestState : public QObject
{
    Q_OBJECT

private slots:
    void firstStart()
    {
        WindowFixture f;
        frmMain &w = f.start();
        QVERIFY(QFile::exists(f.path("vra.prop")));
        QCOMPARE(lines(f), QByteArray());
        QCOMPARE(w.AName->text(), QStringLiteral("Bitte den Namen eingeben"));
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(","));
        QCOMPARE(w.txtFAP[1]->text(), QString());

        // A restart before any close finds the empty file and keeps the texts as they were.
        WindowFixture again;
        again.writeFile("vra.prop", QByteArray());
        QCOMPARE(again.start().AName->text(), QStringLiteral("Bitte den Namen eingeben"));

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.close());
        const QList<QByteArray> saved = lines(f).split('\n');
        QCOMPARE(saved.size(), 30);
        QCOMPARE(saved[0], QByteArray("mn1=\r"));
        QCOMPARE(saved[27], QByteArray("name=Bitte den Namen eingeben\r"));
        QCOMPARE(saved[28], QByteArray("bear=,\r"));
        QCOMPARE(saved[29], QByteArray());
    }

    void roundTrip()
    {
        WindowFixture f;
        f.writeFile("vra.ini", "[TAB1]\nFormblatt.1=Erstes\nFormblatt.2=Zweites\n");
        f.writeFile("antrag_.fdf", "/F (Antrag.pdf)\r\n");
        {
            frmMain &w = f.start();
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.AName->setText(QStringLiteral("Jürgen Groß-Łukasz"));
            w.txtMenge[2]->setText(QStringLiteral("10"));
            w.txtMengenart[2]->setText(QStringLiteral("Stück"));
            w.txtFAP[2]->setText(QStringLiteral("1.234,50"));
            w.txtFAP[9]->setText(QStringLiteral("0,5"));
            w.Label4_Click();
            clickOn(w.lblFormblatt[2]);
            clickOn(w.Label6);
            QVERIFY(!w.isVisible());
        }
        QVERIFY(lines(f).contains("mn1=10\r\nma1=Stück\r\nbf2=1234.50\r\n"));

        frmMain &w = f.start();
        QCOMPARE(w.AName->text(), QStringLiteral("Jürgen Groß-Łukasz"));
        QCOMPARE(w.txtMenge[2]->text(), QStringLiteral("10"));
        QCOMPARE(w.txtMengenart[2]->text(), QStringLiteral("Stück"));
        QCOMPARE(w.txtFAP[2]->text(), QStringLiteral("1.234,50"));
        QCOMPARE(w.txtFAP[9]->text(), QStringLiteral("0,50"));
        QCOMPARE(w.txtFAP[1]->text(), QString());
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,2,"));
        QCOMPARE(w.imgRead[2]->Tag, QStringLiteral("OK"));
        QCOMPARE(w.imgRead[1]->Tag, QString());
    }

    void failedSaveLetsTheUserChoose()
    {
        WindowFixture f;
        frmMain &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(f.dir.remove());

        f.dialogs.answer = false;
        QVERIFY(!w.close());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].startsWith("question|" + w.title() +
                                              "|Die Eingaben konnten nicht gespeichert werden ("));
        QVERIFY(f.dialogs.shown[0].contains(f.path("vra.prop")));
        QVERIFY(w.isVisible());

        f.dialogs.answer = true;
        QVERIFY(w.close());
        QCOMPARE(f.dialogs.shown.size(), 2);
    }

    void interruptedSaveKeepsThePreviousFile()
    {
        WindowFixture f;
        const QByteArray previous = "mn1=alt\r\n";
        f.writeFile("vra.prop", previous);
        frmMain &w = f.start();
        w.AName->setText(QString(4000, u'x'));

        // Writes past 1 KB fail as on a full disk.
        rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1024;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = w.SaveProp();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!saved);
        QCOMPARE(lines(f), previous);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"vra.prop"}));
    }

    void unreadableFileIsKept()
    {
        WindowFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir("vra.prop"));
        frmMain &w = f.start();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].startsWith("warning|"));
        QVERIFY(f.dialogs.shown[0].contains("konnten nicht gelesen werden"));
        QCOMPARE(w.AName->text(), QStringLiteral("Bitte den Namen eingeben"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.close());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(QFileInfo(f.path("vra.prop")).isDir());
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        const auto file = [](const QByteArray &name) {
            QByteArray lines;
            for (int i = 0; i < 27; ++i)
                lines += "mn1=\r\n";
            return lines + "name=" + name + "\r\nbear=,\r\n";
        };
        QTest::newRow("binary") << QByteArray("\x00\x01\xFF\xFE\r\n\x80", 7)
                                << "Bitte den Namen eingeben";
        QTest::newRow("one huge line")
            << QByteArray(10 * 1024 * 1024, 'y') << "Bitte den Namen eingeben";
        QTest::newRow("UTF-8") << file(QStringLiteral("Ärztin Łucja").toUtf8()) << "Ärztin Łucja";
        QTest::newRow("Windows-1252 letters in UTF-8")
            << file(QStringLiteral("CafÃ©").toUtf8()) << "CafÃ©";
        QTest::newRow("100 000 characters")
            << file(QByteArray(100000, 'n')) << QString(100000, u'n');
        QTest::newRow("junk after the last line")
            << file("Jörg") + QByteArray(8 << 20, '\xE4') << "Jörg";
    }

    // The window opens, and what is saved reads back as what was loaded.
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        WindowFixture f;
        f.writeFile("vra.prop", content);
        frmMain &w = f.start();
        QCOMPARE(w.AName->text(), name);
        QVERIFY(f.dialogs.shown.isEmpty());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.close());
        QCOMPARE(lines(f).count('\n'), 29);
        QCOMPARE(f.start().AName->text(), name);
    }
};

QTEST_MAIN(TestState)
#include "tst_state.moc"
