#include "common/amount.h"

#include <QTest>

// Runs under an English locale (see the test's environment): amounts stay German anyway.
class TestAmount : public QObject
{
    Q_OBJECT

private slots:
    void parseAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("spaces") << "   " << 0.0;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("decimal comma") << "12,5" << 12.5;
        QTest::newRow("grouped") << "1.234,50" << 1234.5;
        QTest::newRow("point is grouping") << "1234.5" << 12345.0;
        QTest::newRow("negative") << " -7,25 " << -7.25;
        QTest::newRow("plus") << "+3" << 3.0;
        QTest::newRow("only a comma part") << ",5" << 0.5;
        QTest::newRow("two commas") << "1,2,3" << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("sign in the middle") << "1-2" << 0.0;
        QTest::newRow("too large") << QString(400, u'9') << 0.0;
    }

    void parseAmount()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(modDef::ParseAmount(text), expected);
    }

    void formatText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("blankIfZero");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << false << 2 << false << "";
        QTest::newRow("empty, all flags") << "" << true << 2 << true << "";
        QTest::newRow("zero") << "0" << false << 2 << false << "0,00";
        QTest::newRow("zero blanked") << "0" << true << 2 << false << "";
        QTest::newRow("word blanked") << "abc" << true << 2 << false << "";
        QTest::newRow("word kept") << "abc" << false << 2 << false << "abc";
        QTest::newRow("lone minus kept") << "-" << false << 2 << false << "-";
        QTest::newRow("word, absolute") << "abc" << false << 2 << true << "0,00";
        QTest::newRow("grouping") << "1234,5" << false << 2 << false << "1.234,50";
        QTest::newRow("integer") << "12" << false << 2 << false << "12,00";
        QTest::newRow("negative") << "-1234,5" << false << 2 << false << "-1.234,50";
        QTest::newRow("absolute") << "-1234,5" << false << 2 << true << "1.234,50";
        QTest::newRow("typed digits round up") << "2,675" << false << 2 << false << "2,68";
        QTest::newRow("half away from zero") << "-0,125" << false << 2 << false << "-0,13";
        QTest::newRow("carry into integer") << "999,995" << false << 2 << false << "1.000,00";
        QTest::newRow("no decimals") << "1234567" << false << 0 << false << "1.234.567";
        QTest::newRow("negative rounding to zero") << "-0,001" << false << 2 << false << "0,00";
        QTest::newRow("leading zeros") << "0012,5" << false << 2 << false << "12,50";
        QTest::newRow("regrouped") << "1.2.3,5" << false << 2 << false << "123,50";
        QTest::newRow("big") << "123456789012345678901" << false << 2 << false
                             << "123.456.789.012.345.678.901,00";
    }

    void formatText()
    {
        QFETCH(QString, text);
        QFETCH(bool, blankIfZero);
        QFETCH(int, decimals);
        QFETCH(bool, absolute);
        QFETCH(QString, expected);
        QCOMPARE(modDef::FormatAmount(text, blankIfZero, decimals, absolute), expected);
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << false << "0,00";
        QTest::newRow("half") << 0.125 << false << "0,13";
        QTest::newRow("binary fraction") << 2.675 << false << "2,68";
        QTest::newRow("grouped") << 1234.5 << false << "1.234,50";
        QTest::newRow("negative") << -1234.5 << false << "-1.234,50";
        QTest::newRow("absolute") << -1234.5 << true << "1.234,50";
        QTest::newRow("large") << 1e15 << false << "1.000.000.000.000.000,00";
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(bool, absolute);
        QFETCH(QString, expected);
        QCOMPARE(modDef::FormatAmount(value, false, 2, absolute), expected);
    }

    void acrobatNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("display form") << "1.234,50"
                                      << "1234.50";
        QTest::newRow("comma") << "12,5"
                               << "12.5";
        QTest::newRow("point typed as decimal") << "1234.5"
                                                << "12345";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("other text passes") << "a -b"
                                           << "a -b";
    }

    void acrobatNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(modDef::getAcrobatNr(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestAmount)
#include "tst_amount.moc"
