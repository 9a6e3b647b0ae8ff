#include "catalogue/statefile.h"

#include <QTest>

namespace
{

// The design-time texts of the window.
MasterData designTexts()
{
    MasterData d;
    d.name = QStringLiteral("Bitte den Namen eingeben");
    return d;
}

QStringList fullFile()
{
    QStringList lines;
    for (int i = 1; i <= 9; ++i)
        lines << QStringLiteral("mn1=%1").arg(i) << QStringLiteral("ma1=Art %1").arg(i)
              << QStringLiteral("bf%1=%1.5").arg(i);
    return lines << QStringLiteral("name=Jörg") << QStringLiteral("bear=,3,");
}

} // namespace

class TestStateFile : public QObject
{
    Q_OBJECT

private slots:
    void lines()
    {
        MasterData d = designTexts();
        d.packages[1] = {QStringLiteral("10"), QStringLiteral("Stk"), QStringLiteral("1.234,50")};
        const QStringList lines = StateFile::lines(d, QStringLiteral(","));
        QCOMPARE(lines.size(), StateFile::lineCount);
        QCOMPARE(lines.mid(0, 6),
                 QStringList({"mn1=", "ma1=", "bf1=", "mn1=10", "ma1=Stk", "bf2=1234.50"}));
        QCOMPARE(lines[26], QStringLiteral("bf9="));
        QCOMPARE(lines[27], QStringLiteral("name=Bitte den Namen eingeben"));
        QCOMPARE(lines[28], QStringLiteral("bear=,"));
    }

    void apply_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<int>("package");
        QTest::addColumn<QString>("menge");
        QTest::addColumn<QString>("mengenart");
        QTest::addColumn<QString>("fap");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("completed");

        const QStringList full = fullFile();
        QTest::newRow("full") << full << 2 << "2"
                              << "Art 2"
                              << "2,50"
                              << "Jörg"
                              << ",3,";
        QStringList l = full;
        l[8] = "bf3=12.5";
        QTest::newRow("dot price") << l << 3 << "3"
                                   << "Art 3"
                                   << "12,50"
                                   << "Jörg"
                                   << ",3,";
        l[8] = "bf3=12,5";
        QTest::newRow("comma price") << l << 3 << "3"
                                     << "Art 3"
                                     << "12,50"
                                     << "Jörg"
                                     << ",3,";
        l[8] = "bf3=1234567.891";
        QTest::newRow("grouped, rounded") << l << 3 << "3"
                                          << "Art 3"
                                          << "1.234.567,89"
                                          << "Jörg"
                                          << ",3,";
        l = full;
        l[11] = "bf4=abc";
        QTest::newRow("price not a number") << l << 4 << "4"
                                            << "Art 4"
                                            << "0,00"
                                            << "Jörg"
                                            << ",3,";
        l[11] = "bf4=";
        QTest::newRow("empty price stays empty") << l << 4 << "4"
                                                 << "Art 4"
                                                 << ""
                                                 << "Jörg"
                                                 << ",3,";
        l = full;
        l[0] = "xxxx7";
        l[27] = "name=";
        QTest::newRow("prefixes are not read") << l << 1 << "7"
                                               << "Art 1"
                                               << "1,50"
                                               << ""
                                               << ",3,";
        l = full.mid(0, 10);
        QTest::newRow("ten lines") << l << 4 << "4"
                                   << ""
                                   << ""
                                   << "Bitte den Namen eingeben"
                                   << ",";
        QTest::newRow("no lines") << QStringList() << 1 << ""
                                  << ""
                                  << ""
                                  << "Bitte den Namen eingeben"
                                  << ",";
        l = full;
        l << "extra=1"
          << "bear=,9,";
        QTest::newRow("more than 29 lines") << l << 9 << "9"
                                            << "Art 9"
                                            << "9,50"
                                            << "Jörg"
                                            << ",3,";
        l = full;
        l[2] = "bf";
        QTest::newRow("short line") << l << 1 << "1"
                                    << "Art 1"
                                    << ""
                                    << "Jörg"
                                    << ",3,";
    }

    void apply()
    {
        QFETCH(QStringList, file);
        QFETCH(int, package);
        QFETCH(QString, menge);
        QFETCH(QString, mengenart);
        QFETCH(QString, fap);
        QFETCH(QString, name);
        QFETCH(QString, completed);
        MasterData d = designTexts();
        QString list = QStringLiteral(",");
        StateFile::apply(file, d, list);
        QCOMPARE(d.packages[package - 1].menge, menge);
        QCOMPARE(d.packages[package - 1].mengenart, mengenart);
        QCOMPARE(d.packages[package - 1].fap, fap);
        QCOMPARE(d.name, name);
        QCOMPARE(list, completed);
    }

    void encoding()
    {
        const QStringList ansi = {"name=Jörg €", "bear=,"};
        QCOMPARE(StateFile::encode(ansi), QByteArray("name=J\xF6rg \x80\r\nbear=,\r\n"));
        QCOMPARE(StateFile::decode(StateFile::encode(ansi)), ansi);

        // A character beyond Windows-1252 keeps the whole file in UTF-8, so nothing changes.
        const QStringList wide = {"name=Łukasz Őri Jörg", "bear=,"};
        QCOMPARE(StateFile::encode(wide),
                 QStringLiteral("name=Łukasz Őri Jörg\r\nbear=,\r\n").toUtf8());
        QCOMPARE(StateFile::decode(StateFile::encode(wide)), wide);

        QCOMPARE(StateFile::decode("a\nb\r\nc"), QStringList({"a", "b", "c"}));
        QCOMPARE(StateFile::decode(QByteArray()), QStringList());
        QCOMPARE(StateFile::decode(QByteArray(10 * 1024 * 1024, 'x')).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_statefile.moc"
