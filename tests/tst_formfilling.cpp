// The form data that the program writes fill a real PDF form, applied by pdftk and by the
// program's own filler; pdftk and poppler's pdftotext read the result.
#include "documents/fdf.h"
#include "pdf/formfiller.h"
#include "windowfixture.h"

#include <QAction>
#include <QRegularExpression>

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

// Where pdftotext finds a word: its left and right edge, in points.
std::optional<std::pair<double, double>> word(const QString &pdf, const QString &text)
{
    static const QRegularExpression words(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>([^<]*)<"));
    for (const auto &m : words.globalMatch(run("pdftotext", {"-bbox", pdf, "-"}))) {
        if (m.captured(3) == text)
            return std::pair{m.captured(1).toDouble(), m.captured(2).toDouble()};
    }
    return std::nullopt;
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
        // The one file to submit holds them too.
        f.dialogs.chosenFile = f.path("Antrag.pdf");
        w.Label15_Click();
        const QString joined = run("pdftotext", {f.path("Antrag.pdf"), "-"});
        QVERIFY(joined.contains("von Hand") && joined.contains("Dritter Name"));

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
                   link out of the folder|../elsewhere.pdf|0|1|außerhalb des Ordners
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
            kept = QDir::cleanPath(dir.filePath("aus/" + row[1]));
            writeBytes(kept, before = sample);
            QVERIFY(QDir().mkpath(dir.filePath("aus")) && QFile::link(kept, copy));
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

    void unfillableForm_data()
    {
        // name | the form damaged (1) or the data too large (2) | the code's text
        addRows(R"(damaged form|1|Invalid EXE
                   data too large|2|Out of memory)");
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
