// The application as one PDF file: the completed sheets joined, read back by pdfinfo,
// pdftotext, pdftk, qpdf and MuPDF; and what happens where the file cannot be made.
#include "pdf/applicationpdf.h"
#include "rendering.h"
#include "windowfixture.h"

namespace
{

const QByteArray threeSheets = "[TAB1]\nFormblatt.1=1 Antragsteller\nFormblatt.2=2 Kontaktperson\n"
                               "[TAB2]\nFormblatt.1=5 Preisangaben\n";

// The window over three sample sheets, the first and the last completed, the name and a price
// given.
frmMain &completed(WindowFixture &f)
{
    if (!f.copySamples(
            {"antrag_.fdf", "1 Antragsteller.pdf", "2 Kontaktperson.pdf", "5 Preisangaben.pdf"}))
        qFatal("no samples");
    frmMain &w = f.shown(threeSheets);
    w.AName->setText(QStringLiteral("Jörg Łódź"));
    w.txtFAP[1]->setText(QStringLiteral("1.234,50"));
    clickOn(w.lblFormblatt[3]);
    clickOn(w.lblFormblatt[1]);
    return w;
}

// A file as every reader sees it: qpdf and MuPDF without a word of complaint, no field left.
void checkReadable(const QString &pdf)
{
    QVERIFY(run("qpdf", {"--check", pdf}).contains("No syntax or stream encoding errors"));
    QProcess mutool;
    mutool.start("mutool", {"draw", "-q", "-N", "-o", "/dev/null", pdf});
    QVERIFY(mutool.waitForFinished(60000) && mutool.exitCode() == 0);
    QCOMPARE(mutool.readAllStandardError(), QByteArray());
    QCOMPARE(run("pdftk", {pdf, "dump_data_fields"}), QString());
}

} // namespace

class TestApplicationPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { usePackagedFontsOnly(); }

    // The completed sheets in order with their outline, title and values as the form shows
    // them; offered first in a home without documents folder, then in the last file's folder.
    void joinsTheCompletedSheets()
    {
        WindowFixture f;
        frmMain &w = completed(f);
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", f.dir.path().toUtf8());
        QVERIFY(QDir(f.dir.path()).mkdir("abgabe"));
        f.dialogs.chosenFile = f.path("abgabe/1 Antragsteller.pdf"); // named as a form, elsewhere
        clickOn(w.Label15);
        qputenv("HOME", home);
        const QString file = f.dialogs.chosenFile;
        QCOMPARE(f.dialogs.shown.size(), 3);
        QCOMPARE(f.dialogs.shown[0], "question|VRA - Antrag A|Sollen alle fertiggestellten "
                                     "Anträge (2) in einer PDF-Datei gespeichert werden?");
        QCOMPARE(f.dialogs.shown[1],
                 "save|Anträge als PDF speichern|" + f.path("VRA - Antrag A - Jörg Łódź.pdf"));
        QCOMPARE(f.dialogs.steps, QStringList({"0/3 „1 Antragsteller“ wird hinzugefügt …",
                                               "1/3 „5 Preisangaben“ wird hinzugefügt …",
                                               "2/3 Die Datei wird geschrieben …"}));
        checkReadable(file);
        // The font that both copies embed for the name is in it once.
        QCOMPARE(run("qpdf", {"--qdf", file, "-"}).count("/Length1 "), 1);
        const QString info = run("pdfinfo", {file});
        QVERIFY(info.contains(QRegularExpression(
            "Title: +VRA - Antrag A – Jörg Łódź\nAuthor: +Jörg Łódź\n"
            "Creator: +Antragstellung - Versanta\nCreationDate: +\\w(.*\n)*Pages: +2\n")));
        QCOMPARE(renderDifferences(file, "joined"), QStringList());
        QStringList outline; // title, level and page of each entry; the pages' numbers
        for (const QString &line : run("pdftk", {file, "dump_data_utf8"}).split(u'\n')) {
            if (line.contains(QRegularExpression("^(Bookmark|PageLabel)(?!Begin)")))
                outline << line.section(": ", 1);
        }
        QCOMPARE(outline.join(u'|'), "Teil 1|1|1|1 Antragsteller|2|1|Teil 2|1|2|5 Preisangaben|2|2|"
                                     "1|1|DecimalArabicNumerals");
        clickOn(w.Label15);
        QCOMPARE(f.dialogs.shown[4], "save|Anträge als PDF speichern|" +
                                         f.path("abgabe/VRA - Antrag A - Jörg Łódź.pdf"));
    }

    // Hand entries, made in the copy by another program with appearances or without, show;
    // a sheet twice is there twice. Fields that viewers are asked to draw anew show their
    // values, not the old appearances. Links to the web stay; nothing runs, neither when a
    // page opens nor when a link is touched or followed. No widget stays, a hidden one neither.
    void keepsHandEntries()
    {
        QTemporaryDir dir;
        const QString blank = writeBytes(
            dir.filePath("blank.pdf"),
            readBytes(sampleFile("1 Antragsteller.pdf"))
                .replace("/Annots [",
                         "/AA << /O << /S /JavaScript /JS (1) >> >> /Annots [<< /Subtype /Link "
                         "/Border [0 0 0] /Rect [45 30 300 50] /A << /S /URI /URI "
                         "(https://versanta.example/) >> /AA << /E << /S /JavaScript /JS (2) >> "
                         ">> >> << /Subtype /Link /Border [0 0 0] /Rect [45 50 300 70] /A << /S "
                         "/URI /URI (https://next.example/) /Next << /S /JavaScript /JS (3) >> "
                         ">> >> << /Subtype /Widget /F 2 /Rect [0 0 9 9] >> "));
        const QString xfdf = writeBytes(
            dir.filePath("hand.xfdf"),
            "<?xml version=\"1.0\"?><xfdf xmlns=\"http://ns.adobe.com/xfdf/\"><fields><field "
            "name=\"Strasse\"><value>Hauptstraße 7</value></field></fields></xfdf>");
        run("pdftk", {blank, "fill_form", xfdf, "output", dir.filePath("drawn.pdf")});
        run("pdftk",
            {blank, "fill_form", xfdf, "output", dir.filePath("asked.pdf"), "need_appearances"});
        ApplicationPdf pdf(QStringLiteral("Antrag"), QString());
        for (const char *copy : {"drawn.pdf", "asked.pdf"})
            QCOMPARE(pdf.add("Teil 1", "1 Antragsteller", dir.filePath(copy)), QString());
        QCOMPARE(pdf.add("Teil 2", "Vorbelegt", VRA_SOURCE_DIR "/tests/forms/pdflib-hybrid.pdf"),
                 QString());
        QCOMPARE(pdf.write(dir.filePath("joined.pdf")), QString());
        checkReadable(dir.filePath("joined.pdf"));
        QCOMPARE(renderDifferences(dir.filePath("joined.pdf"), "hand-entries"), QStringList());
        const QString links = run("pdfinfo", {"-url", dir.filePath("joined.pdf")});
        QCOMPARE(links.count("https://versanta.example/"), 2);
        QVERIFY(!links.contains("next.example"));
        QVERIFY(!run("qpdf", {"--qdf", "--object-streams=disable", dir.filePath("joined.pdf"), "-"})
                     .contains(QRegularExpression("/JavaScript|/Widget")));
    }

    void failuresLeaveNoFile_data()
    {
        // name | the file chosen | the form taken away | the step cancelled | the message
        addRows(
            R"(missing form|Antrag.pdf|5 Preisangaben.pdf|-1|Die Anträge wurden nicht als PDF gespeichert.\n\nDas Formblatt „5 Preisangaben“ konnte nicht ausgefüllt werden: Das Formular
                   folder|ordner||-1|Die Anträge wurden nicht als PDF gespeichert.\n\nDIR/ordner: 
                   program file|vra.ini||-1|Die Datei DIR/vra.ini gehört zum Programm
                   first sheet's form|1 Antragsteller.pdf||-1|Die Datei DIR/1 Antragsteller.pdf gehört zum Programm
                   last sheet's form|5 Preisangaben.pdf||-1|Die Datei DIR/5 Preisangaben.pdf gehört zum Programm
                   filled copy|ausgefuellt/1 Antragsteller.pdf||-1|Die Datei DIR/ausgefuellt/1 Antragsteller.pdf gehört zum Programm
                   cancelled|Antrag.pdf||1|)");
    }

    // What stood under the chosen name stays as it was, and the user learns why.
    void failuresLeaveNoFile()
    {
        QFETCH(QStringList, row);
        WindowFixture f;
        frmMain &w = completed(f);
        f.writeFile("Antrag.pdf", "before");
        QVERIFY(QDir(f.dir.path()).mkdir("ordner"));
        if (!row[2].isEmpty())
            QVERIFY(QFile::remove(f.path(row[2])));
        f.dialogs.cancelAtStep = row[3].toInt();
        f.dialogs.chosenFile = f.path(row[1]);
        const QByteArray before = f.readFile(row[1]);
        clickOn(w.Label15);
        QCOMPARE(f.readFile(row[1]), before);
        const QString message = row[4].replace("DIR", f.dir.path());
        QCOMPARE(f.dialogs.shown.size(), message.isEmpty() ? 2 : 3);
        QVERIFY2(message.isEmpty() ||
                     f.dialogs.shown.last().startsWith("warning|VRA - Antrag A|" + message),
                 qPrintable(f.dialogs.shown.last()));
    }
};

QTEST_MAIN(TestApplicationPdf)
#include "tst_applicationpdf.moc"
