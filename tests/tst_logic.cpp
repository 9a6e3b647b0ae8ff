// The logic without a window: INI values, the catalogue, amounts, the FDF data and the state
// file, text in and text out.
#include "catalogue/catalogue.h"
#include "catalogue/statefile.h"
#include "common/amount.h"
#include "common/ini.h"
#include "documents/fdf.h"
#include "pdf/applicationpdf.h"
#include "tablerows.h"
#include "testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>

class TestLogic : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString write(const QByteArray &content)
    {
        return writeBytes(dir_.filePath(QStringLiteral("vra.ini")), content);
    }

private slots:
    void readIni_data()
    {
        // name | value | section | key | default, read from the file below
        addRows(R"(comment and spaces|4|ANTRAG|Tabs|5
                   tabs around|A|ANTRAG|Antrag|
                   tab inside|AB|ANTRAG|Split|
                   space before tab survives|A |ANTRAG|Tail|
                   only a comment||ANTRAG|OnlyComment|7
                   present but empty||ANTRAG|Empty|7
                   quotes stripped, then cut|x|ANTRAG|Quoted|
                   single quotes|q|ANTRAG|Single|
                   first of duplicates|first|ANTRAG|Twice|
                   section and key ignore case|Prüfung €|TAB1|FORMBLATT.1|
                   same key in other section|9|Other|Tabs|
                   a NUL first leaves it empty||Other|Nul|7
                   missing key, default cleaned|5|ANTRAG|Missing| 5 # x
                   missing section|d|TAB9|Formblatt.1|d)");
    }

    void readIni()
    {
        QFETCH(QStringList, row);
        static const char ini[] = "; comment\r\n[ANTRAG]\r\nTabs = 4  # x\r\nAntrag=\tA\t\r\n"
                                  "Split=A\tB\r\nTail=A \t\r\nOnlyComment=#5\r\nEmpty=\r\n"
                                  "Quoted=\"  x # y  \"\r\nSingle='q'\r\nTwice=first\r\n"
                                  "twice=second\r\n[tab1]\r\nFormblatt.1=Pr\xFC"
                                  "fung \x80\r\n[Other]\r\nTabs=9\r\nNul=\0cd\r\n";
        const QString file = write(QByteArray(ini, sizeof ini - 1));
        QCOMPARE(modDef::ReadIni(file, row[2], row[3], row[4]), row[1]);
        // Without a file name the default comes back untouched.
        QCOMPARE(modDef::ReadIni(QString(), row[2], row[3], row[4]), row[4]);
    }

    void readIniFiles()
    {
        QCOMPARE(modDef::ReadIni(write("[A]\nk=Prüfung\n"), "A", "k"), "Prüfung");
        QCOMPARE(modDef::ReadIni(write("[A]\nk=" + QByteArray(1500, 'x')), "A", "k"),
                 QString(1023, u'x'));
        // A file far larger than any settings file is not read at all.
        QCOMPARE(modDef::ReadIni(write("[A]\nk=v\n" + QByteArray(5 << 20, ';')), "A", "k", "d"),
                 "d");
    }

    void catalogue_data()
    {
        // name | tabs | tab:position:name of each sheet | title picture | kind | vra.ini
        addRows(R"(no file|5||1|A|
                   three tabs|3|1:1:a|1|A|[ANTRAG]\nTabs=3\n[TAB0]\nFormblatt.1=z\n[TAB1]\nFormblatt.1=a\n[TAB4]\nFormblatt.1=d
                   negative tabs|-2||1|A|[ANTRAG]\nTabs=-2\n[TAB1]\nFormblatt.1=a
                   word tabs|0||1|A|[ANTRAG]\nTabs=fünf\n[TAB1]\nFormblatt.1=a
                   seven tabs, five read|7|5:1:e|1|A|[ANTRAG]\nTabs=7\n[TAB5]\nFormblatt.1=e\n[TAB6]\nFormblatt.1=f
                   gap and comment end a list|5|1:1:a 1:2:b|1|A|[TAB1]\nFormblatt.1=a # x\nFormblatt.2=b\nFormblatt.4=d\n[TAB2]\nFormblatt.1=# c
                   numbered over tabs|5|1:1:a 2:1:c 2:2:a|1|A|[TAB1]\nFormblatt.1=a\n[TAB2]\nFormblatt.1=c\nFormblatt.2=a
                   kind c|5||3|C|[ANTRAG]\nAntrag=c
                   kind empty|5||0||[ANTRAG]\nAntrag=)");
    }

    void catalogue()
    {
        QFETCH(QStringList, row);
        const Catalogue c =
            Catalogue::read(row[5].isEmpty() ? dir_.filePath("none.ini") : write(row[5].toUtf8()));
        QCOMPARE(c.tabs, row[1].toInt());
        QStringList sheets;
        for (const Catalogue::Sheet &s : c.sheets)
            sheets << QStringLiteral("%1:%2:%3").arg(s.tab).arg(s.position).arg(s.name);
        QCOMPARE(sheets.join(u' '), row[2]);
        QCOMPARE(c.titlePicture(), row[3].toInt());
        QCOMPARE(c.title(), "VRA - Antrag " + row[4]);
    }

    void amount_data()
    {
        // name | text | blank if zero | decimals | absolute | read as | shown
        addRows(R"(empty||1|2|1|0|
                   zero|0|0|2|0|0|0,00
                   zero blanked|0|1|2|0|0|
                   word kept|abc|0|2|0|0|abc
                   word, absolute|abc|0|2|1|0|0,00
                   two commas|1,2,3|0|2|0|0|1,2,3
                   grouping|1234,5|0|2|0|1234.5|1.234,50
                   three digits, no group|123,45|0|2|0|123.45|123,45
                   six digits, two groups|123456|0|0|0|123456|123.456
                   point is grouping|1234.5|0|2|0|12345|12.345,00
                   negative| -1234,5 |0|2|0|-1234.5|-1.234,50
                   absolute|-1234,5|0|2|1|-1234.5|1.234,50
                   typed digits round up|2,675|0|2|0|2.675|2,68
                   half away from zero|-0,125|0|2|0|-0.125|-0,13
                   carry into integer|999,995|0|2|0|999.995|1.000,00
                   no decimals|1234567|0|0|0|1234567|1.234.567
                   negative rounding to zero|-0,001|0|2|0|-0.001|0,00
                   more digits than a double|12345678901234567890,5|0|1|0|1.2345678901234567e19|12.345.678.901.234.567.890,5)");
    }

    void amount()
    {
        QFETCH(QStringList, row);
        const int decimals = row[3].toInt();
        QCOMPARE(modDef::ParseAmount(row[1]), row[5].toDouble());
        const QString shown = modDef::FormatAmount(row[1], row[2] == "1", decimals, row[4] == "1");
        QCOMPARE(shown, row[6]);
        // Numbers are shown by their shortest form, so binary fractions round as typed.
        if (row[5].toDouble() != 0 && row[4] == "0" && row[1].size() < 16)
            QCOMPARE(modDef::FormatAmount(row[5].toDouble(), false, decimals, false), shown);
    }

    void fdf_data()
    {
        // name | template | file name | result (Windows-1252)
        addRows(R"(file name|/F (Antrag.pdf)\r\n|Formblatt 7.pdf|/F (Formblatt 7.pdf)\r\n
                   lower case untouched|/F (antrag.pdf)\r\n|x.pdf|/F (antrag.pdf)\r\n
                   package 1|fm1 fma1 fbf1 f1a1\r\n|x.pdf|Q1 K1 1000.5 ¡Name\r\n
                   package 9|(fm9)(fma9)(fbf9)\r\n|x.pdf|(Q9)(K9)(9000.5)\r\n
                   CR only|fm1\rfm2\r|x.pdf|Q1\r\nQ2\r\n
                   LF only is one line|fm1\nfm2\n|x.pdf|Q1\nQ2\n\r\n
                   no final line end|a\r\nfm1|x.pdf|a\r\nQ1\r\n
                   empty template||x.pdf|
                   file name escaped|/F (Antrag.pdf)\r\n|a(b)\c.pdf|/F (a\(b\)\\c.pdf)\r\n
                   beyond Windows-1252|/F (Antrag.pdf)\r\n|Łó.pdf|/F (\305\201\303\263\056\160\144\146)\r\n)");
    }

    void fdf()
    {
        QFETCH(QStringList, row);
        MasterData d; // name "¡Name", package i "Qi", "Ki", "i.000,5"
        d.name = QStringLiteral("¡Name");
        for (int i = 1; i <= 9; ++i)
            d.packages[i - 1] = {QStringLiteral("Q%1").arg(i), QStringLiteral("K%1").arg(i),
                                 QStringLiteral("%1.000,5").arg(i)};
        QCOMPARE(QString::fromLatin1(Fdf::fill(row[1].toLatin1(), row[2], d)), row[3]);
    }

    void applicationFileName_data()
    {
        // name | title | applicant | the file's name
        addRows(R"(both|VRA - Antrag A| Jörg  Łódź |VRA - Antrag A - Jörg Łódź.pdf
                   no applicant|VRA - Antrag B| |VRA - Antrag B.pdf
                   refused letters|T|a\/:*?<>b|T - a_______b.pdf
                   control letter|T|a\tb|T - a b.pdf
                   trailing dots and blanks|T|Name. .|T - Name.pdf
                   nothing left|. .||Antrag.pdf
                   too long|T|𝄞€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€𝄞|T - 𝄞€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€.pdf)");
    }

    // A name every desktop's file system takes, at most 200 bytes before ".pdf".
    void applicationFileName()
    {
        QFETCH(QStringList, row);
        QCOMPARE(ApplicationPdf::fileName(row[1], row[2]), row[3]);
    }

    void stateApply_data()
    {
        // name | line changed, or "lines N" kept | its text | package | quantity|kind|price|name|
        // completed list; fields whose line is missing hold "alt"; "…" stands for 2^18 "€"
        addRows(R"(full|-1||2|2|Art 2|2,50|Jörg|,3,
                   comma price|8|bf3=12,5|3|3|Art 3|12,50|Jörg|,3,
                   more digits than a double|8|bf3=12345678901234567.89|3|3|Art 3|12.345.678.901.234.567,89|Jörg|,3,
                   price not a number|11|bf4=abc|4|4|Art 4|0,00|Jörg|,3,
                   empty price stays empty|11|bf4=|4|4|Art 4||Jörg|,3,
                   prefixes are not read|0|xxxx7|1|7|Art 1|1,50|Jörg|,3,
                   empty first line|0||1||Art 1|1,50|Jörg|,3,
                   short line|27|nam|1|1|Art 1|1,50||,3,
                   ten lines keep the rest|lines 10||4|4|alt|alt|alt|,
                   nine lines end with a price|lines 9||3|3|Art 3|3,50|alt|,
                   line ends only|-2||1|||||
                   cut inside a letter, still UTF-8|10|ma1=nn…|3|3|Art 3|3,50|Jörg|,3,)");
    }

    void stateApply()
    {
        QFETCH(QStringList, row);
        QStringList file;
        for (int i = 1; i <= 9; ++i)
            file << QStringLiteral("mn1=%1").arg(i) << QStringLiteral("ma1=Art %1").arg(i)
                 << QStringLiteral("bf%1=%1.5").arg(i);
        file << QStringLiteral("name=Jörg") << QStringLiteral("bear=,3,");
        const int line = row[1].toInt();
        if (row[1].startsWith("lines "))
            file = file.mid(0, row[1].mid(6).toInt());
        else if (line == -2)
            file = QStringList(40, QString());
        else if (line >= 0)
            file[line] = row[2].replace(u'…', QString(StateFile::maxValueLength, u'€'));
        // Editors of every system: CR LF, LF alone and CR alone end a line.
        for (const char *end : {"\r\n", "\n", "\r"}) {
            QByteArray bytes = (file.join(QLatin1String(end)) + QLatin1String(end)).toUtf8();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            MasterData d;
            for (MasterData::Package &p : d.packages)
                p = {"alt", "alt", "alt"};
            d.name = QStringLiteral("alt");
            QString list = QStringLiteral(",");
            StateFile::apply(StateFile::read(buffer), d, list);
            const MasterData::Package &p = d.packages[row[3].toInt() - 1];
            QCOMPARE(QStringList({p.menge, p.mengenart, p.fap, d.name, list}), row.mid(4));
        }
    }
};

QTEST_GUILESS_MAIN(TestLogic)
#include "tst_logic.moc"
