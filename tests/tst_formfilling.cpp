// The form data that the program writes fill a real PDF form, applied by pdftk and by the
// program's own filler; pdftk and poppler's pdftotext read the result.
#include "documents/fdf.h"
#include "pdf/formfiller.h"
#include "windowfixture.h"

#include <QAction>
#include <QRegularExpression>
#include <fontconfig/fontconfig.h>

using FormFiller::Failure;

namespace
{

const QString sheet = QStringLiteral("5 Preisangaben");

QByteArray sampleFdf(const QString &docName, const MasterData &data = {})
{
    return Fdf::fill(readBytes(sampleFile("antrag_.fdf")), docName, data);
}

// The fields' values as pdftk reads them, by name.
QMap<QString, QString> fields(const QString &pdf)
{
    QMap<QString, QString> values;
    QString name;
    for (const QString &line : run("pdftk", {pdf, "dump_data_fields_utf8"}).split(u'\n')) {
        if (line.startsWith(QLatin1String("FieldName: ")))
            values.insert(name = line.mid(11), QString());
        else if (line.startsWith(QLatin1String("FieldValue: ")))
            values[name] = line.mid(12);
    }
    return values;
}

// A word as poppler's pdftotext finds it on the page: its box in points from the top left.
struct Word {
    QString text;
    QRectF box;
};

QList<Word> pageWords(const QString &pdf)
{
    static const QRegularExpression words(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)<"));
    QList<Word> found;
    for (const auto &m : words.globalMatch(run("pdftotext", {"-bbox", pdf, "-"})))
        found << Word{m.captured(5),
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    return found;
}

// Where pdftotext finds a word: its left and right edge.
std::optional<std::pair<double, double>> word(const QString &pdf, const QString &text)
{
    for (const Word &w : pageWords(pdf)) {
        if (w.text == text)
            return std::pair{w.box.left(), w.box.right()};
    }
    return std::nullopt;
}

// The words of a text in no order; direction marks part words, as poppler leaves them.
QStringList wordsOf(QString text)
{
    static const QRegularExpression marks(
        QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"));
    QStringList words = text.replace(marks, QStringLiteral(" "))
                            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.sort();
    return words;
}

// The text poppler shows inside a box of the first page, in reading order.
QString popplerText(const QString &pdf, const QRectF &box)
{
    const QRect pixels = box.toAlignedRect();
    return run("pdftotext",
               {"-x", QString::number(pixels.x()), "-y", QString::number(pixels.y()), "-W",
                QString::number(pixels.width()), "-H", QString::number(pixels.height()), pdf, "-"});
}

// The letters MuPDF shows inside a box as they are drawn, and the direction of their lines.
std::pair<QString, QString> mupdfText(const QString &pdf, const QRectF &box)
{
    static const QRegularExpression lines(
        QStringLiteral(
            "<line bbox=\"(\\S+) (\\S+) (\\S+) (\\S+)\" wmode=\"0\" dir=\"([^\"]+)\">(.*?)</line>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression chars(QStringLiteral("c=\"&#x([0-9a-f]+);\"|c=\"([^\"&])\""));
    QString letters;
    QString direction;
    for (const auto &l :
         lines.globalMatch(run("mutool", {"draw", "-F", "stext", "-o", "-", pdf}))) {
        const QPointF centre((l.captured(1).toDouble() + l.captured(3).toDouble()) / 2,
                             (l.captured(2).toDouble() + l.captured(4).toDouble()) / 2);
        if (!box.contains(centre))
            continue;
        direction = l.captured(5);
        for (const auto &c : chars.globalMatch(l.captured(6))) {
            const char32_t code = c.captured(1).toUInt(nullptr, 16);
            letters += c.captured(2).isEmpty() ? QString::fromUcs4(&code, 1) : c.captured(2);
        }
    }
    return {letters.remove(u' '), direction};
}

// FDF data for form.pdf from "name=value;name=value".
QByteArray formData(const QString &data)
{
    QList<std::pair<QString, QString>> fields;
    for (const QString &field : data.split(u';', Qt::SkipEmptyParts))
        fields.append({field.section(u'=', 0, 0), field.section(u'=', 1)});
    return fdfData(fields);
}

} // namespace

class TestFormFilling : public QObject
{
    Q_OBJECT

private slots:
    // What a click writes fills the form in an FDF-capable reader: pdftk.
    void pdftkFillsTheForm()
    {
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        frmMain &w = f.start();
        w.AName->setText(QStringLiteral("Łódź Groß (Wien) \\ fm1 endobj"));
        w.txtMengenart[1]->setText(QStringLiteral("Stück „à“ – 5 €"));
        w.txtFAP[1]->setText(QStringLiteral("1.234,50"));
        clickOn(w.lblFormblatt[5]);
        QCOMPARE(f.shell.opened, QStringList({f.path("antrag.fdf")}));
        run("pdftk", {f.path(sheet + ".pdf"), "fill_form", f.path("antrag.fdf"), "output",
                      f.path("filled.pdf")});
        const QMap<QString, QString> values = fields(f.path("filled.pdf"));
        QCOMPARE(values.value("Antragsteller"), w.AName->text());
        QCOMPARE(values.value("Mengenart 1"), QStringLiteral("Stück „à“ – 5 €"));
        QCOMPARE(values.value("Preis 1"), QStringLiteral("1234.50"));
        QVERIFY(values.contains("Preis 9"));
    }

    void appearance_data()
    {
        // name | alignment | format script, as a PDF string holds it | value | shown | font size
        addRows(
            R"(right, German|2|AFNumber_Format\(2, 2, 0, 0, "", true\);|-1234567.891|-1.234.567,89|10
                   fit to the field|2|AFNumber_Format\(2, 2, 0, 0, "", true\);|12345678901234567890.5|12.345.678.901.234.567.890,50|0
                   left|0|AFNumber_Format\(2, 2, 0, 0, "", true\);|5|5,00
                   centred|1|AFNumber_Format\(2, 2, 0, 0, "", true\);|5|5,00
                   English separators|2|AFNumber_Format\(1, 0, 0, 0, "", true\);|1234.56|1,234.6
                   no grouping, comma|2|AFNumber_Format\(2, 3, 0, 0, "", true\);|1234,5|1234,50
                   currency after|2|AFNumber_Format\(0, 2, 0, 0, "\\u20AC", false\);|1234.5|1.235€
                   currency before, parentheses|2|AFNumber_Format\(2, 1, 2, 0, "\\u20AC", true\);|-7|(€7.00)
                   not a standard call|2|event.value = util.printf\('%.2f', event.value\);|1234.5|1234.5)");
    }

    // The program's own filler, read back by pdftk and poppler: the values stay what the data
    // give; the appearance shows them as the form's number format asks, where its alignment
    // puts them, in letters the form's font lacks too; the blank form stays as it was.
    void appearance()
    {
        QFETCH(QStringList, row);
        QByteArray form = readBytes(sampleFile(sheet + ".pdf"));
        const qsizetype field = form.indexOf("/T (Preis 1)");
        const qsizetype end = form.indexOf("endobj", field);
        QByteArray dictionary = form.mid(field, end - field);
        static const QRegularExpression rect(QStringLiteral("/Rect \\[(\\S+) \\S+ (\\S+) \\S+\\]"));
        const QRegularExpressionMatch r = rect.match(QString::fromLatin1(dictionary));
        QVERIFY(r.hasMatch());
        dictionary.replace("/Q 2", "/Q " + row[1].toLatin1())
            .replace("/Helv 10 Tf", "/Helv " + row.value(5, "10").toLatin1() + " Tf")
            .replace("/JS (AFNumber_Format\\(2, 2, 0, 0, \"\", true\\);)",
                     "/JS (" + row[2].toLatin1() + ")");
        QTemporaryDir dir;
        const QString name = QStringLiteral("Łódź form.pdf");
        writeBytes(dir.filePath(name), form.replace(field, end - field, dictionary));
        MasterData data;
        data.name = QStringLiteral("Łódź Kovač Erdős endobj");
        const QByteArray fdf =
            sampleFdf(name, data)
                .replace("(Preis 1) /V ()", "(Preis 1) /V (" + row[3].toUtf8() + ")");
        const FormFiller::Result filled = FormFiller::fill(fdf, dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.path, dir.filePath("aus/" + name));
        const QMap<QString, QString> values = fields(filled.path);
        QCOMPARE(values.value("Preis 1"), row[3]);
        QCOMPARE(values.value("Antragsteller"), data.name);
        QVERIFY(word(filled.path, QStringLiteral("Kovač")));
        QCOMPARE(readBytes(dir.filePath(name)), form);
        const auto edges = word(filled.path, row[4]);
        QVERIFY2(edges, qPrintable(row[4]));
        // The field's border and the padding inside it take 3 points.
        const double left = r.captured(1).toDouble() + 3;
        const double right = r.captured(2).toDouble() - 3;
        const double expected[] = {left - edges->first,
                                   (left + right - edges->first - edges->second) / 2,
                                   right - edges->second};
        QVERIFY(qAbs(expected[row[1].toInt()]) < 1);
        QVERIFY(edges->first > left - 1 && edges->second < right + 1);
    }

    void realForms_data()
    {
        // name | form of tests/forms | data | the first field's box as shown: x y width height |
        // its value as kept ("-": not filled, or pdftk cannot read the form) | text shown ("=":
        // as poppler shows the blank form) | direction of its lines | comb cells | the letters
        // from left to right; "*" stands for the value given
        addRows(
            R"(scripts|pdflib-fields|Name=Łódź 北京市 שלום 123 עולם مرحبا|49.5 61.5 301 21|*|*|1 0|0|Łódź北京市ابحرمםלוע123םולש
                   comb|pdflib-fields|PLZ=1010|49.5 111.5 101 21|*|1 0 1 0|1 0|5
                   comb, longer than allowed|pdflib-fields|Steuernummer=12345678901234|199.5 111.5 201 21|1234567890|1 2 3 4 5 6 7 8 9 0|1 0|10
                   longer than allowed|pdflib-fields|Land=Wien|449.5 111.5 61 21|Wi|Wi|1 0|0
                   password|pdflib-fields|Kennwort=geheim|49.5 161.5 151 21|*|******|1 0|0
                   multiline, shrunk to fit|pdflib-fields|Bemerkung=Eine lange Bemerkung, die in mehreren Zeilen stehen muss und so viel Text hat, dass sie bei zwölf Punkt nicht in das Feld passt. Also wird die Schrift kleiner, bis jede Zeile im Feld steht. Dazu kommt ein weiterer Satz, der die Bemerkung verlängert, bis zum Schluss.|49.5 211.5 251 71|*|*|1 0|0
                   turned 90|pdflib-fields|Hoch=Neunzig Grad|349.5 291.5 21 151|*|*|0 -1|0
                   turned 180|pdflib-fields|Kopf=Hundertachtzig|399.5 231.5 151 21|*|*|-1 0|0
                   turned 270|pdflib-fields|Quer=Zweihundertsiebzig|519.5 291.5 21 151|*|*|0 1|0
                   turned page|pdflib-turned|Name=Hans Müller|49.5 104.5 301 21|*|*|1 0|0
                   comb on a turned page|pdflib-turned|PLZ=12345|49.5 164.5 101 21|*|1 2 3 4 5|1 0|5
                   reportlab comb|reportlab|IBAN=AT611904300234573201|50 112 440 20|*|A T 6 1 1 9 0 4 3 0 0 2 3 4 5 7 3 2 0 1|1 0|20
                   Greek and Cyrillic|reportlab|Antragsteller=Ελληνικά Русский|50 62 300 20|*|*|1 0|0
                   encrypted|encrypted|Datum=01022024|50 162 160 20|-|0 1 0 2 2 0 2 4|1 0|8
                   LibreOffice|libreoffice|Antragsteller=Łódź Kovač|58.7 81.7 279.5 15.8|*|*|1 0|0
                   LibreOffice, not filled|libreoffice||58.7 113 166.1 15.8|-|=|1 0|0
                   LibreOffice combo box|libreoffice||58.7 289.5 137.8 15.8|-|=|1 0|0
                   LibreOffice list box|libreoffice||58.7 320.9 137.8 47|-|=|1 0|0
                   hybrid XFA|pdflib-hybrid|Antragsteller=Łódź|49.5 61.5 301 21|*|*|1 0|0
                   hybrid, drawn stale|pdflib-hybrid||49.5 111.5 301 21|-|=|1 0|0
                   hybrid, never drawn|pdflib-hybrid||49.5 161.5 301 21|-|=|1 0|0
                   hybrid combo box|pdflib-hybrid||49.5 211.5 151 21|-|=|1 0|0
                   hybrid list box|pdflib-hybrid||249.5 211.5 151 61|-|=|1 0|0)");
    }

    // Forms that real programs made, filled and read back by poppler, MuPDF, pdftk and qpdf:
    // each field shows its text where and as a viewer would, fields not filled as poppler
    // shows them in the blank form, in both viewers; the copy keeps nothing that viewers
    // would redraw or prefer, embeds subsets of its fonts, comes out the same each time and
    // does not grow when filled again.
    void realForms()
    {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        const QString blank = QStringLiteral(VRA_SOURCE_DIR "/tests/forms/") + row[1] + ".pdf";
        QVERIFY(QFile::copy(blank, dir.filePath("form.pdf")));
        const QByteArray fdf = formData(row[2]);
        const FormFiller::Result filled = FormFiller::fill(fdf, dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.failure, Failure::None);
        const QByteArray bytes = readBytes(filled.path);
        // The same bytes again, whatever order the hashes of another run take.
        QHashSeed::resetRandomGlobalSeed();
        QCOMPARE(readBytes(FormFiller::fill(fdf, dir.path(), dir.filePath("wieder")).path), bytes);
        writeBytes(dir.filePath("form.pdf"), bytes);
        QVERIFY(readBytes(FormFiller::fill(fdf, dir.path(), dir.filePath("wieder")).path).size() <=
                bytes.size());

        const QStringList b = row[3].split(u' ');
        const QRectF box(b[0].toDouble(), b[1].toDouble(), b[2].toDouble(), b[3].toDouble());
        const QString given = row[2].section(u'=', 1);
        const QString shown = row[5] == "="   ? popplerText(blank, box)
                              : row[5] == "*" ? given
                                              : row[5];
        QCOMPARE(wordsOf(popplerText(filled.path, box)), wordsOf(shown));
        QString letters = wordsOf(shown).join(QString());
        auto [drawn, direction] = mupdfText(filled.path, box);
        if (row.size() > 8)
            QCOMPARE(drawn, row[8]);
        std::sort(letters.begin(), letters.end());
        std::sort(drawn.begin(), drawn.end());
        QCOMPARE(drawn, letters);
        QCOMPARE(direction, row[6]);
        if (row[4] != "-")
            QCOMPARE(fields(filled.path).value(row[2].section(u'=', 0, 0)),
                     row[4] == "*" ? given : row[4]);
        // One letter centred in each cell, from the first.
        const int cells = row[7].toInt();
        QList<double> centres;
        for (const Word &w : pageWords(filled.path)) {
            if (cells > 0 && box.contains(w.box.center()))
                centres << w.box.center().x();
        }
        std::sort(centres.begin(), centres.end());
        for (qsizetype i = 0; i < centres.size(); ++i)
            QVERIFY(qAbs(centres[i] - box.left() - (i + 0.5) * box.width() / cells) < 0.5);

        QString errors;
        run("mutool", {"draw", "-o", "/dev/null", filled.path}, &errors);
        QCOMPARE(errors.split(u'\n').filter(QRegularExpression("^(?!warning: ICC|page |$)")),
                 QStringList());
        run("qpdf", {"--check", filled.path});
        for (const QString &font :
             run("pdffonts", {filled.path}).split(u'\n').filter(QStringLiteral("+")))
            QVERIFY2(font.contains(QRegularExpression("yes +yes +yes")), qPrintable(font));
        const QString objects =
            run("qpdf", {"--qdf", "--object-streams=disable", filled.path, "-"});
        for (const char *left : {"/NeedAppearances true", "/XFA", "/UR3"})
            QVERIFY(!objects.contains(QLatin1String(left)));
    }

    void fillingFailures_data()
    {
        QTest::addColumn<QByteArray>("fdf");
        QTest::addColumn<QByteArray>("pdf"); // empty: no form file
        QTest::addColumn<FormFiller::Failure>("failure");
        const QByteArray sample = readBytes(sampleFile(sheet + ".pdf"));
        const QByteArray fdf = sampleFdf("form.pdf");
        const QString corpus = QStringLiteral(VRA_SOURCE_DIR "/tests/fuzz/corpus/fillerform/");
        QTest::newRow("fields the form lacks, no trailer")
            << QByteArray("%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [ << /T (Unbekannt) "
                          "/V (x) >> << /T (Menge 1) /V (7) >> ] >> >>\nendobj\n")
            << sample << Failure::None;
        QTest::newRow("no font resources")
            << fdf << QByteArray(sample).replace("/DR <<", "/XX <<") << Failure::None;
        QTest::newRow("missing form") << fdf << QByteArray() << Failure::FormMissing;
        QTest::newRow("damaged form")
            << fdf << QByteArray("%PDF-1.4\nnothing here\n") << Failure::FormDamaged;
        QTest::newRow("cut form") << fdf << sample.left(sample.size() / 3) << Failure::FormDamaged;
        QTest::newRow("not FDF") << QByteArray("/F (form.pdf)\r\n") << sample
                                 << Failure::DataUnreadable;
        QTest::newRow("FDF without a form")
            << QByteArray("%FDF-1.2\n1 0 obj << /FDF << >> >> endobj") << sample
            << Failure::DataUnreadable;
        // Streams that unpack to 1.5 GB: copied as they are, or refused when they hold objects.
        QTest::newRow("expanding appearance")
            << fdf << readBytes(corpus + "expanding.pdf") << Failure::None;
        QTest::newRow("expanding objects")
            << fdf << readBytes(corpus + "expanding-objects.pdf") << Failure::FormTooLarge;
        QTest::newRow("forbids filling")
            << fdf << readBytes(corpus + "locked.pdf") << Failure::FormLocked;
        // Fields no viewer could show, with values no one would type: filled all the same.
        const QByteArray hostile = formData(
            "Name=a" + QString(100000, QChar(0x301)) + ";PLZ=" + QString(50000, QChar(0x202E)) +
            "12;Steuernummer=" + QString(100000, u'9') + ";Hoch=" + QString(100000, QChar(0x5D0)) +
            ";Bemerkung=" + QString(50000, u'\n'));
        const QByteArray fields = readBytes(corpus + "pdflib-fields.pdf");
        const QList<std::pair<const char *, std::pair<QByteArray, QByteArray>>> damages = {
            {"comb of no cells", {"/MaxLen 5", "/MaxLen 0"}},
            {"comb of 100000 cells", {"/MaxLen 10", "/MaxLen 100000"}},
            {"field of no size", {"49.5 759.5 350.5 780.5", "49.5 759.5 49.5 759.5"}},
            {"field of negative size", {"49.5 709.5 150.5 730.5", "150.5 730.5 -49.5 -709.5"}},
            {"turned 45 degrees", {"/R 90", "/R 45"}},
            {"font size beyond any page", {"/Helvetica 10 Tf", "/Helvetica 1e300 Tf"}}};
        for (const auto &[name, damage] : damages)
            QTest::newRow(name) << hostile
                                << QByteArray(fields).replace(damage.first, damage.second)
                                << Failure::None;
    }

    void fillingFailures()
    {
        QFETCH(QByteArray, fdf);
        QFETCH(QByteArray, pdf);
        QFETCH(Failure, failure);
        QTemporaryDir dir;
        if (!pdf.isEmpty())
            writeBytes(dir.filePath("form.pdf"), pdf);
        const FormFiller::Result filled = FormFiller::fill(fdf, dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.failure, failure);
        QCOMPARE(filled.error.isEmpty(), failure == Failure::None);
        if (failure == Failure::None)
            run("qpdf", {"--check", filled.path});
        QCOMPARE(readBytes(dir.filePath("form.pdf")), pdf);
    }

    // The copy is the user's working document: a later click, a print run and the one file to
    // submit fill anew only the master data and keep what was entered by hand; starting afresh
    // keeps the old copy aside.
    void handEntriesSurvive()
    {
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        f.shell.fdfViewer = false;
        frmMain &w = f.start();
        clickOn(w.lblFormblatt[5]);
        const QString copy = f.path("ausgefuellt/" + sheet + ".pdf");
        f.writeFile("hand.fdf", "%FDF-1.2\n1 0 obj << /FDF << /Fields [ << /T (Einheitspreis 1) "
                                "/V (von Hand) >> ] >> >> endobj\ntrailer << /Root 1 0 R >>\n");
        run("pdftk", {copy, "fill_form", f.path("hand.fdf"), "output", f.path("hand.pdf")});
        QVERIFY(QFile::remove(copy) && QFile::rename(f.path("hand.pdf"), copy));
        w.AName->setText(QStringLiteral("Neuer Name"));
        clickOn(w.lblFormblatt[5]);
        w.AName->setText(QStringLiteral("Dritter Name"));
        clickOn(w.Label5);
        QCOMPARE(f.shell.printed, QStringList{copy});
        QCOMPARE(fields(copy).value("Einheitspreis 1"), QStringLiteral("von Hand"));
        QCOMPARE(fields(copy).value("Antragsteller"), QStringLiteral("Dritter Name"));
        QCOMPARE(f.dialogs.shown.size(), 1); // the print question
        // The one file to submit holds them too; a copy the user protected goes in as it is,
        // and the user is told.
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner));
        f.dialogs.chosenFile = f.path("Antrag.pdf");
        w.Label15_Click();
        const QString joined = run("pdftotext", {f.path("Antrag.pdf"), "-"});
        QVERIFY(joined.contains("von Hand") && joined.contains("Dritter Name"));
        QVERIFY(f.dialogs.shown.last().contains("Hinweise zu diesen Anträgen:\n• " + sheet +
                                                ": Die ausgefüllte Kopie"));

        f.dialogs.answer = false;
        w.lblFormblatt[5]->actions().first()->trigger();
        QVERIFY(f.dialogs.shown.last().startsWith("question,Nein|"));
        f.dialogs.answer = true;
        w.lblFormblatt[5]->actions().first()->trigger();
        QCOMPARE(fields(copy).value("Einheitspreis 1"), QString());
        const QStringList aside = QDir(f.path("ausgefuellt")).entryList({sheet + " (alt *).pdf"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(fields(f.path("ausgefuellt/" + aside[0])).value("Einheitspreis 1"),
                 QStringLiteral("von Hand"));
    }

    void workingCopy_data()
    {
        // name | what stands where the copy goes | filled anew | refused | what the user is told
        addRows(R"(damaged|%PDF-1.4 junk|1|0|Sie liegt jetzt unter
                   empty||1|0|Sie liegt jetzt unter
                   signed|signed|0|0|digital unterschrieben
                   read-only|read-only|0|0|schreibgeschützt
                   fields renamed|renamed|0|0|keines der Felder
                   a folder|folder|0|1|steht ein Ordner
                   link out of the folder|../elsewhere.pdf|0|1|nicht auf eine Datei im Ordner
                   links out by a link inside|inner.pdf>../elsewhere.pdf|0|1|nicht auf eine Datei im Ordner
                   link inside the folder|mine.pdf|1|0|)");
    }

    // What stands where the copy goes is never lost: a copy that cannot be read is moved aside
    // with its bytes, one that must not change keeps them, one in the way stays as it is.
    void workingCopy()
    {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        const QByteArray sample = readBytes(sampleFile(sheet + ".pdf"));
        writeBytes(dir.filePath("form.pdf"), sample);
        const QString copy = dir.filePath("aus/form.pdf");
        QString kept = copy; // where the user's file is
        QByteArray before = row[1].toLatin1();
        if (row[1] == "folder") {
            QDir().mkpath(copy);
        } else if (row[1].endsWith(".pdf")) {
            // Links from the copy on, the last to the user's file.
            const QStringList links = row[1].split(u'>');
            kept = QDir::cleanPath(dir.filePath("aus/" + links.last()));
            writeBytes(kept, before = sample);
            QDir().mkpath(dir.filePath("aus"));
            QString from = copy;
            for (const QString &to : links) {
                QVERIFY(QFile::link(QDir::cleanPath(dir.filePath("aus/" + to)), from));
                from = QDir::cleanPath(dir.filePath("aus/" + to));
            }
        } else {
            if (row[1] == "signed") {
                before = sample;
                const qsizetype at = before.indexOf("/FT /Tx", before.indexOf("(Einheitspreis 9)"));
                before.replace(at, 7, "/FT /Sig /V << /Type /Sig /Contents <00> >>");
            } else if (row[1] == "renamed") {
                before = QByteArray(sample).replace("/T (", "/T (x");
            } else if (row[1] == "read-only") {
                before = sample;
            }
            writeBytes(copy, before);
            if (row[1] == "read-only")
                QFile::setPermissions(copy, QFile::ReadOwner);
        }
        MasterData data;
        data.name = QStringLiteral("Neu");
        const FormFiller::Result filled =
            FormFiller::fill(sampleFdf("form.pdf", data), dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.failure != Failure::None, row[3] == "1");
        QVERIFY((filled.notice + filled.error).contains(row[4]));
        const QStringList aside = QDir(dir.filePath("aus")).entryList({"form (unlesbar *).pdf"});
        if (row[2] == "1")
            QCOMPARE(fields(kept).value("Antragsteller"), data.name);
        else if (row[1] != "folder")
            QCOMPARE(readBytes(kept), before);
        QCOMPARE(aside.size(), row[4].startsWith("Sie liegt") ? 1 : 0);
        if (!aside.isEmpty())
            QCOMPARE(readBytes(dir.filePath("aus/" + aside[0])), before);
    }

    void fallbackFonts_data()
    {
        // name | the form's font | value | a letter of it that shows, in Liberation Sans
        addRows(R"(installed font unreadable|/BaseFont /DejaVuSans|Łódź|Ł
                   widths of ASCII only|/BaseFont /Helvetica /FirstChar 32 /Widths [500 × 95]|Müller|ü)");
    }

    // Letters that the form's font has no width for are drawn in the installed font most like
    // it; fonts that fontconfig lists but that cannot be read, as after an update, are passed
    // over for the next.
    void fallbackFonts()
    {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        const QString broken = dir.filePath("broken.ttf");
        const QString good = dir.filePath("good.ttf");
        QVERIFY(QFile::copy(run("fc-match", {"-f", "%{file}", "DejaVu Sans"}), broken));
        QVERIFY(QFile::copy(run("fc-match", {"-f", "%{file}", "Liberation Sans"}), good));
        FcConfig *fonts = FcConfigCreate();
        QVERIFY(
            FcConfigAppFontAddFile(fonts, reinterpret_cast<const FcChar8 *>(qPrintable(broken))));
        QVERIFY(FcConfigAppFontAddFile(fonts, reinterpret_cast<const FcChar8 *>(qPrintable(good))));
        FcConfig *installed = FcConfigReference(nullptr);
        FcConfigSetCurrent(fonts);
        FcConfigDestroy(fonts);
        QVERIFY(QFile::resize(broken, 1000));
        writeBytes(
            dir.filePath("form.pdf"),
            readBytes(VRA_SOURCE_DIR "/tests/forms/pdflib-fields.pdf")
                .replace("/BaseFont /Helvetica",
                         row[1].replace("500 × 95", QString("500 ").repeated(95)).toLatin1()));
        const FormFiller::Result filled =
            FormFiller::fill(formData("Name=" + row[2]), dir.path(), dir.filePath("aus"));
        FcConfigSetCurrent(installed);
        FcConfigDestroy(installed);
        QCOMPARE(filled.failure, Failure::None);
        QVERIFY(run("pdffonts", {filled.path}).contains(QLatin1String("+LiberationSans ")));
        QVERIFY(run("pdftotext", {filled.path, "-"}).contains(row[3]));
    }

    void unfillableForm_data()
    {
        // name | the form damaged (1), forbidding filling (2), or the data too large (3) | the
        // code's text
        addRows(R"(damaged form|1|Invalid EXE
                   form that forbids filling|2|Access denied
                   data too large|3|Out of memory)");
    }

    // Where no viewer takes FDF files, a form that cannot be filled is named to the user, not
    // opened blank.
    void unfillableForm()
    {
        QFETCH(QStringList, row);
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        if (row[1] == "1")
            f.writeFile(sheet + ".pdf", "%PDF-1.4\nnothing here\n");
        else if (row[1] == "2")
            f.writeFile(sheet + ".pdf", readBytes(VRA_SOURCE_DIR "/tests/forms/locked.pdf"));
        else
            f.writeFile("antrag_.fdf", "%FDF-1.2 (Antrag.pdf)\n" + QByteArray(17 << 20, ' '));
        f.shell.fdfViewer = false;
        frmMain &w = f.start();
        clickOn(w.lblFormblatt[5]);
        QVERIFY(f.shell.opened.isEmpty());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].startsWith("warning|" + w.title() + "|Das Formblatt „" + sheet +
                                              "“ kann nicht angezeigt werden"));
        QVERIFY(w.txtMsgBox->text().startsWith(row[2]));
        QCOMPARE(w.getCount(), 0);
    }
};

QTEST_MAIN(TestFormFilling)
#include "tst_formfilling.moc"
