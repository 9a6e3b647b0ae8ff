#include "catalogue/catalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("sheets"); // tab:position:name, one per sheet
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("title");

        QTest::newRow("no file") << QByteArray() << 5 << "" << 1 << "VRA - Antrag A";
        QTest::newRow("three tabs")
            << QByteArray("[ANTRAG]\nTabs=3\n[TAB1]\nFormblatt.1=a\n[TAB4]\nFormblatt.1=d\n") << 3
            << "1:1:a" << 1 << "VRA - Antrag A";
        QTest::newRow("zero tabs") << QByteArray("[ANTRAG]\nTabs=0\n[TAB1]\nFormblatt.1=a\n") << 0
                                   << "" << 1 << "VRA - Antrag A";
        QTest::newRow("negative tabs") << QByteArray("[ANTRAG]\nTabs=-2\n[TAB1]\nFormblatt.1=a\n")
                                       << -2 << "" << 1 << "VRA - Antrag A";
        QTest::newRow("empty tabs") << QByteArray("[ANTRAG]\nTabs=\n[TAB1]\nFormblatt.1=a\n") << 0
                                    << "" << 1 << "VRA - Antrag A";
        QTest::newRow("word tabs") << QByteArray("[ANTRAG]\nTabs=fünf\n[TAB1]\nFormblatt.1=a\n")
                                   << 0 << "" << 1 << "VRA - Antrag A";
        QTest::newRow("huge tabs")
            << QByteArray("[ANTRAG]\nTabs=99999\n") << 0 << "" << 1 << "VRA - Antrag A";
        QTest::newRow("seven tabs")
            << QByteArray("[ANTRAG]\nTabs=7\n[TAB5]\nFormblatt.1=e\n[TAB6]\nFormblatt.1=f\n") << 7
            << "5:1:e" << 1 << "VRA - Antrag A";
        QTest::newRow("gap ends the list")
            << QByteArray("[TAB1]\nFormblatt.1=a\nFormblatt.2=b\nFormblatt.4=d\n") << 5
            << "1:1:a|1:2:b" << 1 << "VRA - Antrag A";
        QTest::newRow("comment ends the list")
            << QByteArray("[TAB1]\nFormblatt.1=a # x\nFormblatt.2=# b\nFormblatt.3=c\n") << 5
            << "1:1:a" << 1 << "VRA - Antrag A";
        QTest::newRow("numbered over tabs")
            << QByteArray("[TAB1]\nFormblatt.1=a\nFormblatt.2=b\n[TAB2]\nFormblatt.1=c\n"
                          "Formblatt.2=d\nFormblatt.3=a\n")
            << 5 << "1:1:a|1:2:b|2:1:c|2:2:d|2:3:a" << 1 << "VRA - Antrag A";
        QTest::newRow("kind c") << QByteArray("[ANTRAG]\nAntrag=c\n") << 5 << "" << 3
                                << "VRA - Antrag C";
        QTest::newRow("kind F") << QByteArray("[ANTRAG]\nAntrag=F\n") << 5 << "" << 6
                                << "VRA - Antrag F";
        QTest::newRow("kind G") << QByteArray("[ANTRAG]\nAntrag=G\n") << 5 << "" << 0
                                << "VRA - Antrag G";
        QTest::newRow("kind AB") << QByteArray("[ANTRAG]\nAntrag=AB\n") << 5 << "" << 0
                                 << "VRA - Antrag AB";
        QTest::newRow("kind empty")
            << QByteArray("[ANTRAG]\nAntrag=\n") << 5 << "" << 0 << "VRA - Antrag ";
    }

    void read()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, tabs);
        QFETCH(QString, sheets);
        QFETCH(int, picture);
        QFETCH(QString, title);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vra.ini"));
        if (!ini.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ini);
        }
        const Catalogue c = Catalogue::read(path);
        QCOMPARE(c.tabs, tabs);
        QStringList actual;
        for (const Catalogue::Sheet &s : c.sheets)
            actual << QStringLiteral("%1:%2:%3").arg(s.tab).arg(s.position).arg(s.name);
        QCOMPARE(actual.join(u'|'), sheets);
        QCOMPARE(c.titlePicture(), picture);
        QCOMPARE(c.title(), title);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
