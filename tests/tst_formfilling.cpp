// The form data that the program writes fill a real PDF form, applied by pdftk and by the
// program's own filler; pdftk and poppler's pdftotext read the result.
#include "documents/fdf.h"
#include "pdf/formfiller.h"
#include "rendering.h"
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
    void initTestCase() { usePackagedFontsOnly(); }

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

    void filledForms_data()
    {
        // name | form | data | changes to the form first: "field=call" puts the call in place
        // of the field's number format, "field=old→new" changes a text of the field, "=old→new"
        // one of the form
        addRows(
            R"(formats|program/5 Preisangaben|Antragsteller=Jörg Łódź-Kovač GmbH;Menge 1=1;Mengenart 1=Stück;Preis 1=-1234567.891;Menge 2=20;Mengenart 2=Flasche à 5 ml;Preis 2=12345678901234567890.5;Menge 3=300;Mengenart 3=Tube (€);Preis 3=1234.56;Menge 4=4000;Preis 4=1234,5;Mengenart 5=Packungen zu je zehn Stück in der Faltschachtel;Preis 5=1234.5;Preis 6=-7;Preis 7=-5;Preis 8=-5.5;Preis 9=0.1234;Einheitspreis 1=-0.05;Einheitspreis 2=12345.6;Einheitspreis 3=1234.5;Einheitspreis 4=1234567.5;Einheitspreis 5=-0.0005;Menge 9=9;Einheitspreis 6=-;Einheitspreis 7=,5;Einheitspreis 8=888888,5;Einheitspreis 9=5|Menge 9=/W 1→/W 0;Preis 1=(/Helv→(0 Tf /Helv;Preis 1=/F << /S /JavaScript /JS (→/F << /S /JavaScript /JS 999 0 R /X (;=\ntrailer→\n999 0 obj << /Length 37 >> stream\nAFNumber_Format(2, 2, 0, 0, "", true)\nendstream endobj\ntrailer;Menge 4=/W 1 /S→/S;Mengenart 1=Tf 0 g→Tf 0.9 0 0 0.1 k;Menge 2=Tf 0 g→Tf 1 0 0 rg;Menge 3=Tf 0 g→Tf 0.6 g;Einheitspreis 8=/Helv 10 Tf→/Helv 24 Tf;Preis 2=/Helv 10 Tf→/Helv 0 Tf;Preis 3=AFNumber_Format\(1, 0, 0, 0, "", true\);Preis 4=AFNumber_Format\(2, 3, 0, 0, "", true\);Preis 5=AFNumber_Format\(0, 2, 0, 0, "\\u20AC", false\);Preis 6=AFNumber_Format\(2, 1, 2, 0, "\\u20AC", true\);Preis 7=AFNumber_Format\(2, 2, 1, 0, "", true\);Preis 8=AFNumber_Format\(2, 2, 3, 0, "", true\);Preis 9=AFPercent_Format\(1, 0\);Einheitspreis 1=AFPercent_Format\(2, 2, true\);Einheitspreis 2=AFPercent_Format\(0, 4\);Einheitspreis 3=event.value = util.printf\('%.2f', event.value\);Einheitspreis 4=AFNumber_Format\(2, 4, 0, 0, "", true\);Einheitspreis 5=AFPercent_Format\(1, 3\);Einheitspreis 9=/Q 0→/Q 1
                   multiline|program/6 Verwendung|Antragsteller=Jörg Łódź;Verwendung=Zur Behandlung von Erwachsenen mit chronischer Herzinsuffizienz, wenn andere Therapien nicht ausreichen oder nicht vertragen werden, und zur Vorbeugung.\n\nDonaudampfschifffahrtsgesellschaftskapitänsmützenabzeichenherstellerinnenverbandsvorsitzendenstellvertreterin;Patientengruppe=Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV, Erwachsene ab 18 Jahren mit Herzinsuffizienz der Klasse II bis IV,;Dosierung=1 × täglich|=/BaseFont /Helvetica /→/BaseFont /Times-Roman /
                   pdf-lib|tests/forms/pdflib-fields|Name=Jan Q̣̃uast Łódź 北京市 שלום, ≤ 123 (עולם) Graz مرحبا;PLZ=1010;Steuernummer=12345678901234;Land=Wien;Kennwort=geheim;Bemerkung=Eine lange Bemerkung, die in mehreren Zeilen stehen muss und so viel Text hat, dass sie bei zwölf Punkt nicht in das Feld passt. Also wird die Schrift kleiner, bis jede Zeile im Feld steht. Dazu kommt ein weiterer Satz, der die Bemerkung verlängert, bis zum Schluss. Noch ein Satz für die sechste Zeile.;Hoch=Neunzig Grad;Kopf=Hundertachtzig;Quer=Zweihundertsiebzig|=/Helvetica 10 Tf )\n/MaxLen 10→/Helvetica 0 Tf )\n/MaxLen 30
                   turned-page|tests/forms/pdflib-turned|Name=Hans Müller;PLZ=12345|=/Rect [ 104.5 49.5 125.5 350.5 ]→/Rect [ 104.5 49.5 125.5 70.5 ];=/Encoding /WinAnsiEncoding→/Encoding << /BaseEncoding /WinAnsiEncoding /Differences [ 252 /udieresis ] >>
                   upside-down-page|tests/forms/pdflib-fields|Name=Kopfüber;PLZ=1010;Kopf=Hundertachtzig;Land=Wien|=/Type /Page\n→/Type /Page /Rotate 180\n;=/MaxLen 2→/MaxLen 0;=/MaxLen 5\n/Ff 16777216→/MaxLen 5\n/Ff 17825792;=/BG [ 0.94 0.96 1 ]→/BG [ 0.85 ]
                   reportlab|tests/forms/reportlab|Antragsteller=Ελληνικά Русский ｶﾀｶﾅ;IBAN=AT611904300234573201;Datum=0102;Kennwort=geheim;Anmerkung=Erste Zeile\nΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩαβγδεζηθικλμνξοπρστυφχψω ĀāĂăĄąĆćĈĉĊċČčĎďĐđĒēĔĕĖėĘęĚěĜĝĞğĠġĢģĤĥĦħĨĩĪīĬĭĮįİıĴĵĶķĹĺĻļĽľŁł АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя|=/BaseFont /Helvetica→/BaseFont /Courier;=/MaxLen 8 /P→/MaxLen 8 /Q 1 /P
                   encrypted|tests/forms/encrypted|Datum=01022024|
                   libreoffice|tests/forms/libreoffice|Antragsteller=Łódź Kovač;Bundesland=Wien;Kennwort=geheim|=/V <FEFF005000610063006B0075006E0067>→/V (Kiste);=/F2 8 Tf)\n/AP<<\n/N 39→/F2 0 Tf)\n/AP<<\n/N 39;=/T(Antragsart)\n/V→/T(Antragsart) /I [2]\n/V
                   hybrid-xfa|tests/forms/pdflib-hybrid|Antragsteller=Łódź|=/UR3 24 0 R→/UR3 24 0 R /UR 24 0 R;=[ <FEFF0053007400FC0063006B> <FEFF0053007400FC0063006B> ]→[ (St) (St\374ck) ];=/V <FEFF005000610063006B0075006E0067>→/V (St))");
    }

    // Forms of this program and of real form tools, filled and seen as a person sees them: the
    // page as poppler draws it, the text and values that poppler and pdftk read, the fonts and
    // identifier qpdf finds are those approved (tests/rendered/); MuPDF and qpdf find no fault;
    // nothing is left that viewers would redraw or prefer; the same data give the same bytes,
    // appearances are packed, and filling the copy again does not make it grow.
    void filledForms()
    {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        QByteArray form = readBytes(VRA_SOURCE_DIR "/" + row[1] + ".pdf");
        for (const QString &change : row[3].split(u';', Qt::SkipEmptyParts)) {
            const QByteArray field = change.section(u'=', 0, 0).toLatin1();
            const qsizetype from = field.isEmpty() ? 0 : form.indexOf("/T (" + field + ')');
            const qsizetype to = field.isEmpty() ? form.size() : form.indexOf('\n', from);
            const QString edit = change.section(u'=', 1);
            const QByteArray old = edit.contains(u'→')
                                       ? edit.section(u'→', 0, 0).toLatin1()
                                       : "AFNumber_Format\\(2, 2, 0, 0, \"\", true\\)";
            QVERIFY(form.mid(from, to - from).contains(old));
            form.replace(from, to - from,
                         form.mid(from, to - from).replace(old, edit.section(u'→', -1).toLatin1()));
        }
        writeBytes(dir.filePath("form.pdf"), form);
        const QByteArray fdf = formData(row[2]);
        const FormFiller::Result filled = FormFiller::fill(fdf, dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.failure, Failure::None);
        const QByteArray bytes = readBytes(filled.path);
        QVERIFY(bytes.count("BMC") <= form.count("BMC"));
        // The same bytes again, whatever order the hashes of another run take.
        QHashSeed::resetRandomGlobalSeed();
        QCOMPARE(readBytes(FormFiller::fill(fdf, dir.path(), dir.filePath("wieder")).path), bytes);
        writeBytes(dir.filePath("form.pdf"), bytes);
        QVERIFY(readBytes(FormFiller::fill(fdf, dir.path(), dir.filePath("wieder")).path).size() <=
                bytes.size());

        // pdftk's fields (none from the encrypted form); qpdf's fonts, CFF programs, identifier.
        const QString objects =
            run("qpdf", {"--qdf", "--object-streams=disable", filled.path, "-"});
        const QString fieldLines = row[0] == "encrypted"
                                       ? QString()
                                       : run("pdftk", {filled.path, "dump_data_fields_utf8"});
        QString values = QStringLiteral("\n");
        for (const QRegularExpressionMatch &m :
             QRegularExpression("(?m)^Field(Name|Value):.*\n|^<<\n(  .*\n)*>>\n")
                 .globalMatch(fieldLines + objects))
            if (m.captured().contains(QRegularExpression("^Field|/Type /Font|0C\n")))
                values += m.captured();
        values += run("qpdf", {"--show-object=trailer", filled.path});
        const QStringList differing = renderDifferences(filled.path, row[0], values);
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(u' ')));
        QString errors;
        run("mutool", {"draw", "-o", "/dev/null", filled.path}, &errors);
        QCOMPARE(errors.split(u'\n').filter(QRegularExpression("^(?!warning: ICC|page |$)")),
                 QStringList());
        run("qpdf", {"--check", filled.path});
        for (const char *left : {"/NeedAppearances true", "/XFA", "/Perms"})
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
        const QByteArray kids = QByteArray("<< /Kids [").repeated(32);
        const QByteArray ends = QByteArray("] >>").repeated(32);
        QTest::newRow("fields the form lacks, kids 32 levels deep (at 33 \"x\"), streams, UTF-8")
            << "%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [ " + kids + "2 0 R" + ends +
                   kids + "<< /Kids [ << /T (Menge 1) /V (x) >> ] >>" + ends +
                   "<< /T (Unbekannt) /V (x) >> ] >> >>\nendobj\n2 0 obj << /T (Menge 1) /V "
                   "(\357\273\2777) /Length 0 >> stream\nendstream endobj\n3 0 obj << /Length 1 >> "
                   "stream\r\rendstream endobj\n"
            << sample << Failure::None;
        QTest::newRow("no font resources")
            << fdf << QByteArray(sample).replace("/DR <<", "/XX <<") << Failure::None;
        QTest::newRow("cross-reference table")
            << QByteArray(fdf).replace("trailer", "xref\n0 1\n0000000000 65535 f \ntrailer")
            << sample << Failure::None;
        QTest::newRow("missing form") << fdf << QByteArray() << Failure::FormMissing;
        QTest::newRow("damaged form")
            << fdf << QByteArray("%PDF-1.4\nnothing here\n") << Failure::FormDamaged;
        QTest::newRow("cut form") << fdf << sample.left(sample.size() / 3) << Failure::FormDamaged;
        QTest::newRow("not FDF") << QByteArray("/F (form.pdf)\r\n") << sample
                                 << Failure::DataUnreadable;
        QTest::newRow("FDF without a form")
            << QByteArray("%FDF-1.2\n1 0 obj << /FDF << >> >> endobj") << sample
            << Failure::DataUnreadable;
        // An object after the form data that no FDF writer makes: the data are not read.
        for (const char *junk :
             {"(1) 0 obj 0 endobj", "1 (0) obj 0 endobj", "9999999999 0 obj 0 endobj",
              "-1 0 obj 0 endobj", "1 -1 obj 0 endobj", "2 0 obj 0 end",
              "2 0 obj << >> stream\nendstream endobj", "2 0 obj << /Length 0 >> stream\nendobj"})
            QTest::newRow(junk) << QByteArray(fdf).replace("endobj", "endobj " + QByteArray(junk))
                                << sample << Failure::DataUnreadable;
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
        // The user learns why, with the bound where one was passed.
        const QString why =
            QStringLiteral("|nicht lesbar||fehlt|entpackt größer als 16 MB|beschädigt|||"
                           "nach seinen Berechtigungen")
                .section(u'|', int(failure), int(failure));
        QVERIFY2(filled.error.contains(why), qPrintable(filled.error));
        QCOMPARE(filled.error.isEmpty(), failure == Failure::None);
        if (failure == Failure::None) // every object read, "7" after its UTF-8 mark too
            QVERIFY(run("qpdf", {"--json", "--json-key=qpdf", filled.path}).contains("\"u:7\"") ==
                    fdf.contains("\2777)"));
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
        QVERIFY(f.dialogs.shown.last().contains("Hinweise zu diesen Anträgen:\n\n• " + sheet +
                                                ": Die ausgefüllte Kopie"));

        f.dialogs.answer = false;
        w.lblFormblatt[5]->actions().first()->trigger();
        QVERIFY(f.dialogs.shown.last().startsWith("question,Nein|"));
        f.dialogs.answer = true;
        w.lblFormblatt[5]->actions().first()->trigger();
        QCOMPARE(fields(copy).value("Einheitspreis 1"), QString());
        const QStringList aside = QDir(f.path("ausgefuellt")).entryList({sheet + " (alt *).pdf"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(fields(f.path("ausgefuellt/" + aside[0])).value("Einheitspreis 1"), "von Hand");
    }

    void workingCopy_data()
    {
        // name | what stands where the copy goes | filled anew | refused | what the user is told
        addRows(R"(damaged|%PDF-1.4 junk|1|0|Sie liegt jetzt unter
                   empty||1|0|Sie liegt jetzt unter
                   pages in a loop, no form|/AcroForm 3 0 R /Lang (de-DE) >>\nendobj\n2 0 obj\n<< /Type /Pages /Kids [4→/AcroFoxx 3 0 R /Lang (de-DE) >>\nendobj\n2 0 obj\n<< /Type /Pages /Kids [2|1|0|Sie liegt jetzt unter
                   signed|/FT /Tx→/FT /Sig /V << /Type /Sig /Contents <00> >>|0|0|digital unterschrieben
                   read-only, usage rights alone|/Lang (de-DE) >>→/Lang (de-DE) /Perms << /UR3 << /Type /Sig >> >> >>|0|0|schreibgeschützt
                   no text fields, unsigned signature fields|/FT /Tx→/FT /Sig|0|0|keines der Felder
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
            if (row[1].contains(u'→')) // the form changed by old→new
                before = QByteArray(sample).replace(row[1].section(u'→', 0, 0).toLatin1(),
                                                    row[1].section(u'→', 1).toLatin1());
            writeBytes(copy, before);
            if (row[0].startsWith("read-only"))
                QFile::setPermissions(copy, QFile::ReadOwner);
        }
        MasterData data;
        data.name = QStringLiteral("Neu");
        const FormFiller::Result filled =
            FormFiller::fill(sampleFdf("form.pdf", data), dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.failure != Failure::None, row[3] == "1");
        QVERIFY((filled.notice + filled.error).contains(row[4]));
        const QStringList aside =
            QDir(dir.filePath("aus")).entryList({"form (unlesbar *.?\?).pdf"});
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
        // code's text | why, as the user is told
        addRows(R"(damaged form|1|Invalid EXE|Preisangaben.pdf ist beschädigt
                   form that forbids filling|2|Access denied|Preisangaben.pdf darf nach seinen Berechtigungen nicht ausgefüllt werden
                   data too large|3|Out of memory|Die Formulardaten sind größer als 16 MB.)");
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
        QVERIFY2(f.dialogs.shown[0].contains(row[3]), qPrintable(f.dialogs.shown[0]));
        QVERIFY(w.txtMsgBox->text().startsWith(row[2]));
        QCOMPARE(w.getCount(), 0);
    }
};

QTEST_MAIN(TestFormFilling)
#include "tst_formfilling.moc"
