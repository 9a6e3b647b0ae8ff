#include "app/clicklabel.h"
#include "app/tabcontrol.h"
#include "app/twips.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>

namespace
{

const QByteArray twoTabs = "[ANTRAG]\r\nTabs=2\r\nAntrag=c\r\n"
                           "[TAB1]\r\nFormblatt.1=Erstes Blatt\r\nFormblatt.2=Zweites\r\n"
                           "[TAB2]\r\nFormblatt.1=Drittes\r\nFormblatt.2=Viertes\r\n"
                           "Formblatt.3=Fünftes\r\n";

QByteArray sheets(int tab, int count)
{
    QByteArray ini = "[TAB" + QByteArray::number(tab) + "]\r\n";
    for (int k = 1; k <= count; ++k)
        ini += "Formblatt." + QByteArray::number(k) + "=Blatt " + QByteArray::number(k) + "\r\n";
    return ini;
}

} // namespace

class TestMarks : public QObject
{
    Q_OBJECT

private:
    // A shown window over `ini` with the template "/F (Antrag.pdf) f1a1".
    frmMain &open(WindowFixture &f, const QByteArray &ini)
    {
        f.writeFile("vra.ini", ini);
        f.writeFile("antrag_.fdf", "/F (Antrag.pdf) f1a1\r\n");
        frmMain &w = f.start();
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("window not exposed");
        w.Label4_Click();
        return w;
    }

private slots:
    void catalogueBuildsTheLists()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        QCOMPARE(w.sheetCount, 5);
        QCOMPARE(w.title(), QStringLiteral("VRA - Antrag C"));
        QVERIFY(!w.imgTitle[3]->isHidden());
        QVERIFY(w.imgTitle[1]->isHidden());
        QVERIFY(w.InhaltsV->isTabVisible(1));
        QVERIFY(!w.InhaltsV->isTabVisible(2));
        QVERIFY(!w.InhaltsV->isTabVisible(4));
        QCOMPARE(w.lblFormblatt[3]->parentWidget(), w.pic[2]);
        QCOMPARE(w.imgRead[3]->parentWidget(), w.pic[2]);
        QCOMPARE(w.lblFormblatt[5]->text(), QStringLiteral("Fünftes"));
        // Rows at 420, 690 and 960 twips, marks 30 twips lower, both at the templates' Left.
        QCOMPARE(w.lblFormblatt[3]->pos(), QPoint(32, 28));
        QCOMPARE(w.lblFormblatt[4]->pos(), QPoint(32, 46));
        QCOMPARE(w.lblFormblatt[5]->pos(), QPoint(32, 64));
        QCOMPARE(w.imgRead[5]->geometry(), QRect(8, 66, 13, 10));
        QVERIFY(w.lblFormblatt[1]->isVisible());
        QVERIFY(!w.lblFormblatt[3]->isVisible()); // on the tab not shown
    }

    void namesFromTheFileAreShownAsText()
    {
        WindowFixture f;
        const QString name = QStringLiteral("<b>Fett</b> Formblatt");
        frmMain &w = open(f, "[TAB1]\nFormblatt.1=" + name.toUtf8() + "\n");
        ClickLabel *label = w.lblFormblatt[1];
        QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(name));
        QTextDocument tip;
        tip.setHtml(label->toolTip());
        QCOMPARE(tip.toPlainText(), name);
    }

    // What a screen reader announces: buttons and links with names, marks with their state.
    void screenReaderNames()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        const auto reader = [](QObject *control) {
            return QAccessible::queryAccessibleInterface(control);
        };
        QCOMPARE(reader(w.Label3)->role(), QAccessible::Button);
        QCOMPARE(reader(w.Label3)->text(QAccessible::Name), QStringLiteral("Stammdaten"));
        QVERIFY(reader(w.Image2[0])->state().invisible);
        QCOMPARE(reader(w.txtMengenart[4])->text(QAccessible::Name),
                 QStringLiteral("Mengenart, Packung 4"));
        QAccessibleInterface *sheet = reader(w.lblFormblatt[1]);
        QCOMPARE(sheet->role(), QAccessible::Link);
        QCOMPARE(sheet->text(QAccessible::Name), QStringLiteral("Erstes Blatt"));
        QAccessibleInterface *mark = reader(w.imgRead[1]);
        QCOMPARE(mark->text(QAccessible::Name), QStringLiteral("„Erstes Blatt“ offen"));
        sheet->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(mark->text(QAccessible::Name), QStringLiteral("„Erstes Blatt“ fertiggestellt"));
        mark->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w.imgRead[1]->Tag, QString());
    }

    void tabCountBelowOneOffersNoTab()
    {
        WindowFixture f;
        frmMain &w = open(f, "[ANTRAG]\nTabs=0\n" + sheets(1, 2));
        QCOMPARE(w.sheetCount, 0);
        for (int t = 0; t < 5; ++t)
            QVERIFY(!w.InhaltsV->isTabVisible(t));
    }

    void slashInANameStaysInTheFolder()
    {
        WindowFixture f;
        frmMain &w = open(f, "[TAB1]\nFormblatt.1=../Anlage/B\n");
        QCOMPARE(w.lblFormblatt[1]->text(), QStringLiteral("../Anlage/B"));
        clickOn(w.lblFormblatt[1]);
        QCOMPARE(f.readFile("antrag.fdf"),
                 QByteArray("/F (.._Anlage_B.pdf) Bitte den Namen eingeben\r\n"));
    }

    void manySheetsOnOneTab()
    {
        WindowFixture f;
        frmMain &w = open(f, sheets(1, 300));
        QCOMPARE(w.sheetCount, 300);
        clickOn(w.lblFormblatt[15]);
        QCOMPARE(w.imgRead[15]->Tag, QStringLiteral("OK"));
    }

    void labelClickCompletes()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        w.AName->setText(QStringLiteral("Jörg"));
        clickOn(w.lblFormblatt[1]);
        QCOMPARE(f.readFile("antrag.fdf"), QByteArray("/F (Erstes Blatt.pdf) J\xF6rg\r\n"));
        QCOMPARE(f.shell.opened, QStringList({f.path("antrag.fdf")}));
        QCOMPARE(w.imgRead[1]->Tag, QStringLiteral("OK"));
        QCOMPARE(w.imgRead[1]->pixmap().toImage(), w.yes[0]->pixmap().toImage());
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,1,"));

        // A second click writes and opens again, but lists the sheet once.
        clickOn(w.lblFormblatt[1]);
        QCOMPARE(f.shell.opened.size(), 2);
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,1,"));

        w.InhaltsV->setCurrentIndex(1);
        clickOn(w.lblFormblatt[5]);
        clickOn(w.lblFormblatt[3]);
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,1,,5,,3,"));
        QCOMPARE(w.getCount(), 3);

        clickOn(w.imgRead[5]);
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,1,,3,"));
        QCOMPARE(w.imgRead[5]->Tag, QString());
        QCOMPARE(w.imgRead[5]->pixmap().toImage(), w.no[0]->pixmap().toImage());
        QVERIFY(!w.imgRead[1]->Tag.isEmpty());
        clickOn(w.imgRead[5]); // clearing a clear mark is harmless
        QCOMPARE(w.getCount(), 2);
    }

    void markClickIgnoredWhileWriting()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        clickOn(w.lblFormblatt[2]);
        w.isWritingFdf = true;
        clickOn(w.imgRead[2]);
        QCOMPARE(w.imgRead[2]->Tag, QStringLiteral("OK"));
        QCOMPARE(w.Bearbeitet->text(), QStringLiteral(",,2,"));
    }

    void refreshFromList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("marked");
        QTest::newRow("comma only") << ","
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("11 is not 1") << ",11,"
                                     << "11";
        QTest::newRow("several") << ",,1,,3,,12,"
                                 << "1 3 12";
        QTest::newRow("beyond the sheets") << ",13,"
                                           << "";
    }

    void refreshFromList()
    {
        QFETCH(QString, list);
        QFETCH(QString, marked);
        WindowFixture f;
        frmMain &w = open(f, sheets(1, 12));
        clickOn(w.lblFormblatt[2]);
        w.Bearbeitet->setText(list);
        w.RefreshMarks();
        QStringList actual;
        for (int n = 1; n <= w.sheetCount; ++n) {
            if (w.imgRead[n]->Tag == QLatin1String("OK"))
                actual << QString::number(n);
        }
        QCOMPARE(actual.join(u' '), marked);
        QCOMPARE(w.getCount(), int(actual.size()));
        QCOMPARE(w.Bearbeitet->text(), list);
    }

    void shellFailuresAreRecorded_data()
    {
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<QString>("message");
        QTest::newRow("started") << QList<int>{42} << "earlier";
        QTest::newRow("no association") << QList<int>{31} << "No association for file extension";
        QTest::newRow("out of resources") << QList<int>{0} << "Unknown error";
        QTest::newRow("unknown code") << QList<int>{4} << "Unknown error";
        QTest::newRow("last one counts") << QList<int>{2, 32} << "DLL not found";
        QTest::newRow("success keeps it") << QList<int>{3, 33} << "Path not found";
    }

    void shellFailuresAreRecorded()
    {
        QFETCH(QList<int>, results);
        QFETCH(QString, message);
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        w.txtMsgBox->setText(QStringLiteral("earlier"));
        for (int result : results) {
            f.shell.openResult = result;
            clickOn(w.lblFormblatt[1]);
        }
        QCOMPARE(w.txtMsgBox->text(), message);
        QVERIFY(w.txtMsgBox->isHidden());
        QCOMPARE(w.imgRead[1]->Tag, QStringLiteral("OK"));
    }

    void unwrittenFormDataIsNotOpened()
    {
        WindowFixture f;
        frmMain &w = open(f, twoTabs);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("antrag.fdf")));
        clickOn(w.lblFormblatt[1]);
        QVERIFY(f.shell.opened.isEmpty());
        QCOMPARE(w.txtMsgBox->text(), QStringLiteral("Access denied"));
        QVERIFY(!w.isWritingFdf);
        QCOMPARE(w.imgRead[1]->Tag, QStringLiteral("OK"));

        QVERIFY(QDir(f.dir.path()).rmdir(QStringLiteral("antrag.fdf")));
        QVERIFY(QFile::remove(f.path("antrag_.fdf")));
        f.writeFile("antrag.fdf", "stale");
        clickOn(w.lblFormblatt[2]);
        QVERIFY(f.shell.opened.isEmpty());
        QCOMPARE(w.txtMsgBox->text(), QStringLiteral("File not found"));
        QCOMPARE(f.readFile("antrag.fdf"), QByteArray("stale"));
        QVERIFY(!w.isWritingFdf);
    }
};

QTEST_MAIN(TestMarks)
#include "tst_marks.moc"
