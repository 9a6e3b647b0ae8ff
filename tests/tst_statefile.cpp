#include "catalogue/statefile.h"

#include <QBuffer>
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
        l[8] = "bf3=12345678901234567.89";
        QTest::newRow("more digits than a double") << l << 3 << "3"
                                                   << "Art 3"
                                                   << "12.345.678.901.234.567,89"
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

    void encoding_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored"); // the name line as written
        QTest::newRow("Windows-1252") << "Jörg €" << QByteArray("name=J\xF6rg \x80");
        QTest::newRow("beyond Windows-1252")
            << "Łukasz Őri Jörg" << QStringLiteral("name=Łukasz Őri Jörg").toUtf8();
        // Windows-1252 bytes that happen to be valid UTF-8 must not be written as such.
        QTest::newRow("reads as UTF-8") << "CafÃ©" << QStringLiteral("name=CafÃ©").toUtf8();
        QTest::newRow("sharp s, en dash")
            << "Groß–Handel" << QStringLiteral("name=Groß–Handel").toUtf8();
    }

    void encoding()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        const QStringList lines = {"name=" + name, "bear=,"};
        const QByteArray bytes = StateFile::encode(lines);
        QCOMPARE(bytes, stored + "\r\nbear=,\r\n");
        QCOMPARE(StateFile::decode(bytes), lines);
    }

    void readsNoMoreThanItNeeds()
    {
        QByteArray content = "mn1=" + QByteArray(StateFile::maxValueLength * 4, 'x') + "\r\n";
        for (int i = 2; i <= StateFile::lineCount; ++i)
            content += "ma1=" + QByteArray::number(i) + "\r\n";
        const qsizetype needed = content.size();
        content += QByteArray(4 << 20, 'j');
        QBuffer file(&content);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = StateFile::read(file);
        QCOMPARE(lines.size(), StateFile::lineCount);
        QVERIFY(lines[0].size() >= StateFile::maxValueLength);
        QVERIFY(lines[0].size() <= 4 * StateFile::maxValueLength);
        QCOMPARE(lines[28], QStringLiteral("ma1=29"));
        QCOMPARE(file.pos(), needed);
    }
};

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_statefile.moc"
