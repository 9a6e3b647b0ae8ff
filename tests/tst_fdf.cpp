#include "common/amount.h"
#include "documents/fdf.h"
#include "documents/fdfreader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(MasterData)

namespace
{

MasterData sample()
{
    MasterData d;
    d.name = QStringLiteral("Name");
    for (int i = 1; i <= 9; ++i)
        d.packages[i - 1] = {QStringLiteral("Q%1").arg(i), QStringLiteral("K%1").arg(i),
                             QStringLiteral("%1.000,5").arg(i)};
    return d;
}

} // namespace

class TestFdf : public QObject
{
    Q_OBJECT

private slots:
    void fill_data()
    {
        QTest::addColumn<QByteArray>("templateText");
        QTest::addColumn<QString>("docName");
        QTest::addColumn<MasterData>("data");
        QTest::addColumn<QByteArray>("expected");

        const MasterData d = sample();
        MasterData empty;
        QTest::newRow("file name") << QByteArray("/F (Antrag.pdf)\r\n") << "Formblatt 7.pdf" << d
                                   << QByteArray("/F (Formblatt 7.pdf)\r\n");
        QTest::newRow("lower case untouched") << QByteArray("/F (antrag.pdf)\r\n") << "x.pdf" << d
                                              << QByteArray("/F (antrag.pdf)\r\n");
        QTest::newRow("package 1") << QByteArray("fm1 fma1 fbf1 f1a1\r\n") << "x.pdf" << d
                                   << QByteArray("Q1 K1 1000.5 Name\r\n");
        QTest::newRow("package 9") << QByteArray("(fm9)(fma9)(fbf9)\r\n") << "x.pdf" << d
                                   << QByteArray("(Q9)(K9)(9000.5)\r\n");
        QTest::newRow("empty fields") << QByteArray("<< /V (fm3) /W (fbf3) >>\r\n") << "x.pdf"
                                      << empty << QByteArray("<< /V () /W () >>\r\n");
        QTest::newRow("CR only") << QByteArray("fm1\rfm2\r") << "x.pdf" << d
                                 << QByteArray("Q1\r\nQ2\r\n");
        QTest::newRow("LF only is one line")
            << QByteArray("fm1\nfm2\n") << "x.pdf" << d << QByteArray("Q1\nQ2\n\r\n");
        QTest::newRow("no final line end")
            << QByteArray("a\r\nfm1") << "x.pdf" << d << QByteArray("a\r\nQ1\r\n");
        QTest::newRow("empty template") << QByteArray() << "x.pdf" << d << QByteArray();
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n\r\n") << "x.pdf" << d << QByteArray("\r\n\r\n");

        MasterData tricky;
        tricky.name = QStringLiteral("fm1 Müller (Wien) \\");
        tricky.packages[0] = {QStringLiteral("fma1"), QStringLiteral("Stück"),
                              QStringLiteral("1.234,50")};
        QTest::newRow("values are not rescanned, delimiters escaped")
            << QByteArray("(f1a1)(fm1)(fma1)(fbf1)\r\n") << "Teil (1).pdf" << tricky
            << QByteArray("(fm1 M\xFCller \\(Wien\\) \\\\)(fma1)(St\xFC"
                          "ck)(1234.50)\r\n");
        QTest::newRow("file name escaped") << QByteArray("/F (Antrag.pdf)\r\n") << "a(b)\\c.pdf"
                                           << d << QByteArray("/F (a\\(b\\)\\\\c.pdf)\r\n");
        MasterData wide;
        wide.name = QStringLiteral("Łó\r\n");
        wide.packages[0].menge = QStringLiteral("a\r\nb");
        QTest::newRow("beyond Windows-1252, line ends")
            << QByteArray("(f1a1)(fm1)/F (Antrag.pdf)\r\n") << "Łódź.pdf" << wide
            << QByteArray("(\\376\\377\\001\\101\\000\\363\\000\\015\\000\\012)(a\\r\\nb)"
                          "/F (\\305\\201\\303\\263\\144\\305\\272\\056\\160\\144\\146)\r\n");
        QTest::newRow("template bytes kept") << QByteArray("\x80\xFF\x00 fm1\r\n", 8) << "x.pdf"
                                             << d << QByteArray("\x80\xFF\x00 Q1\r\n", 8);
    }

    void fill()
    {
        QFETCH(QByteArray, templateText);
        QFETCH(QString, docName);
        QFETCH(MasterData, data);
        QFETCH(QByteArray, expected);
        QCOMPARE(Fdf::fill(templateText, docName, data), expected);
    }

    // Whatever the fields hold, the FDF data read back give exactly that.
    void readBackAsWritten()
    {
        const QStringList pieces = {"(",  ")",  "\\", "endobj",  "trailer", "stream", ">>",
                                    "<<", "%",  "\r", "\n",      "\r\n",    "/",      "[",
                                    "]",  "Ł",  "€",  "ä",       " ",       "fm1",    "f1a1",
                                    "þÿ", "\t", "#",  "1 0 obj", "%%EOF",   "\\376",  "x"};
        QFile file(QStringLiteral(VRA_SOURCE_DIR "/program/antrag_.fdf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray templateBytes = file.readAll();
        QRandomGenerator random(7);
        const auto text = [&] {
            QString t;
            for (int n = int(random.bounded(6)); n > 0; --n)
                t += pieces[random.bounded(int(pieces.size()))];
            return t;
        };
        for (int run = 0; run < 300; ++run) {
            MasterData d;
            d.name = text();
            for (MasterData::Package &p : d.packages)
                p = {text(), text(), text()};
            const QString docName = QString(text()).remove(u'/') + QStringLiteral(".pdf");
            const std::optional<Fdf::FormData> read =
                Fdf::read(Fdf::fill(templateBytes, docName, d));
            QVERIFY(read);
            QCOMPARE(read->file, docName);
            QCOMPARE(read->fields.size(), 28);
            QCOMPARE(read->fields[0].second, d.name);
            for (int i = 0; i < 9; ++i) {
                QCOMPARE(read->fields[1 + 3 * i].second, d.packages[i].menge);
                QCOMPARE(read->fields[2 + 3 * i].second, d.packages[i].mengenart);
                QCOMPARE(read->fields[3 + 3 * i].second, modDef::getAcrobatNr(d.packages[i].fap));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFdf)
#include "tst_fdf.moc"
