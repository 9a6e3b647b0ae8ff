#include "common/ini.h"
#include "platform/ansitext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIni : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString write(const QByteArray &content)
    {
        const QString path = dir_.filePath(QStringLiteral("vra.ini"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the test file");
        file.write(content);
        return path;
    }

private slots:
    void getToken_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("expected");
        QTest::newRow("second field") << "a#b#c" << 1 << "#" << false << "b";
        QTest::newRow("last field") << "a#b#c" << 2 << "#" << false << "c";
        QTest::newRow("beyond the last") << "a#b#c" << 3 << "#" << false << "";
        QTest::newRow("no delimiter") << "abc" << 0 << "#" << false << "abc";
        QTest::newRow("negative index") << "a#b" << -1 << "#" << false << "a#b";
        QTest::newRow("adjacent delimiters") << "a##c" << 1 << "#" << false << "";
        QTest::newRow("trailing delimiter") << "a#" << 1 << "#" << false << "";
        QTest::newRow("leading delimiter") << "#5" << 0 << "#" << false << "";
        QTest::newRow("exact case") << "aXbxc" << 1 << "x" << false << "c";
        QTest::newRow("ignoring case") << "aXbxc" << 1 << "x" << true << "b";
        QTest::newRow("long delimiter") << "a::b" << 1 << "::" << false << "b";
        QTest::newRow("empty text") << "" << 0 << "#" << false << "";
    }

    void getToken()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(QString, delimiter);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, expected);
        QCOMPARE(modDef::GetToken(text, index, delimiter, ignoreCase), expected);
    }

    void readIni_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");

        const QByteArray sample = "; comment line\r\n"
                                  "[ANTRAG]\r\n"
                                  "Tabs = 4  # comment\r\n"
                                  "Antrag=\tA\t\r\n"
                                  "Split=A\tB\r\n"
                                  "Tail=A \t\r\n"
                                  "OnlyComment=#5\r\n"
                                  "Empty=\r\n"
                                  "Quoted=\"  x # y  \"\r\n"
                                  "Single='q'\r\n"
                                  "Twice=first\r\n"
                                  "twice=second\r\n"
                                  "\r\n"
                                  "[tab1]\r\n"
                                  "Formblatt.1=Formblatt eins\r\n"
                                  "[Other]\r\n"
                                  "Tabs=9\r\n";
        QTest::newRow("comment and spaces") << sample << "ANTRAG"
                                            << "Tabs"
                                            << "5"
                                            << "4";
        QTest::newRow("tabs around") << sample << "ANTRAG"
                                     << "Antrag"
                                     << ""
                                     << "A";
        QTest::newRow("tab inside") << sample << "ANTRAG"
                                    << "Split"
                                    << ""
                                    << "AB";
        QTest::newRow("space before tab survives") << sample << "ANTRAG"
                                                   << "Tail"
                                                   << ""
                                                   << "A ";
        QTest::newRow("only a comment") << sample << "ANTRAG"
                                        << "OnlyComment"
                                        << "7"
                                        << "";
        QTest::newRow("present but empty") << sample << "ANTRAG"
                                           << "Empty"
                                           << "7"
                                           << "";
        QTest::newRow("quotes stripped, then cut") << sample << "ANTRAG"
                                                   << "Quoted"
                                                   << ""
                                                   << "x";
        QTest::newRow("single quotes") << sample << "ANTRAG"
                                       << "Single"
                                       << ""
                                       << "q";
        QTest::newRow("first of duplicates") << sample << "ANTRAG"
                                             << "Twice"
                                             << ""
                                             << "first";
        QTest::newRow("section and key ignore case") << sample << "TAB1"
                                                     << "FORMBLATT.1"
                                                     << ""
                                                     << "Formblatt eins";
        QTest::newRow("same key in other section") << sample << "Other"
                                                   << "Tabs"
                                                   << ""
                                                   << "9";
        QTest::newRow("missing key, default cleaned") << sample << "ANTRAG"
                                                      << "Missing"
                                                      << " 5 # x"
                                                      << "5";
        QTest::newRow("missing key, no default") << sample << "ANTRAG"
                                                 << "Missing"
                                                 << ""
                                                 << "";
        QTest::newRow("missing section") << sample << "TAB9"
                                         << "Formblatt.1"
                                         << "d"
                                         << "d";
        QTest::newRow("LF line ends") << QByteArray("[A]\nk=v\nn=w\n") << "A"
                                      << "n"
                                      << ""
                                      << "w";
        QTest::newRow("Windows-1252 umlaut") << QByteArray("[A]\r\nk=Pr\xFC"
                                                           "fung \x80\r\n")
                                             << "A"
                                             << "k"
                                             << ""
                                             << "Prüfung €";
        QTest::newRow("UTF-8 umlaut") << QByteArray("[A]\nk=Pr\xC3\xBC"
                                                    "fung \xE2\x82\xAC\n")
                                      << "A"
                                      << "k"
                                      << ""
                                      << "Prüfung €";
        QTest::newRow("binary") << QByteArray("\x00\xFF\x01[A\x00]k=\x00", 11) << "A"
                                << "k"
                                << "d"
                                << "d";
        QTest::newRow("value up to a NUL") << QByteArray("[A]\nk=ab\x00"
                                                         "cd\n",
                                                         12)
                                           << "A"
                                           << "k"
                                           << ""
                                           << "ab";
    }

    void readIni()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);
        QCOMPARE(modDef::ReadIni(write(file), section, key, defaultValue), expected);
    }

    void readIniLongValueIsCut()
    {
        const QByteArray value(1500, 'x');
        const QString path = write("[A]\r\nk=" + value + "\r\n");
        QCOMPARE(modDef::ReadIni(path, "A", "k"), QString(1023, u'x'));
    }

    void readIniWithoutFile()
    {
        const QString missing = dir_.filePath(QStringLiteral("none.ini"));
        QCOMPARE(modDef::ReadIni(missing, "ANTRAG", "Tabs", "5"), QStringLiteral("5"));
        QCOMPARE(modDef::ReadIni(missing, "ANTRAG", "Tabs"), QString());
        // Without a file name the default comes back untouched.
        QCOMPARE(modDef::ReadIni(QString(), "ANTRAG", "Tabs", " 7 # x"), QStringLiteral(" 7 # x"));
    }

    void ansiTextRoundTrip()
    {
        bool lossless = false;
        const QString text = QStringLiteral("Müller ß € “x” \u0081");
        QCOMPARE(AnsiText::decode(AnsiText::encode(text, &lossless)), text);
        QVERIFY(lossless);
        QCOMPARE(AnsiText::encode(QStringLiteral("Łódź"), &lossless), QByteArray("?\xF3"
                                                                                 "d?"));
        QVERIFY(!lossless);
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
