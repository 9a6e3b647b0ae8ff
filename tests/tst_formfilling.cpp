// The form data file that the program writes fills a real PDF form: applied by pdftk, and by
// the program itself where no FDF viewer is at hand; pdftk and poppler's pdftotext read the
// result.
#include "app/clicklabel.h"
#include "documents/fdf.h"
#include "documents/formfiller.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace
{

const QString sheet = QStringLiteral("5 Preisangaben");

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

QByteArray sampleFdf(const QString &docName, const MasterData &data)
{
    return Fdf::fill(bytes(sampleFile("antrag_.fdf")), docName, data);
}

// The fields' values as pdftk reads them.
QMap<QString, QString> fields(const QString &pdf)
{
    QMap<QString, QString> values;
    QString name;
    const QString dump = QString::fromUtf8(run("pdftk", {pdf, "dump_data_fields_utf8"}));
    for (const QString &line : dump.split(u'\n')) {
        if (line.startsWith(QLatin1String("FieldName: "))) {
            name = line.mid(11);
            values.insert(name, QString());
        } else if (line.startsWith(QLatin1String("FieldValue: "))) {
            values[name] = line.mid(12);
        }
    }
    return values;
}

// The words that pdftotext finds, with their left and right edges in points.
QList<std::tuple<QString, double, double>> words(const QString &pdf)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>([^<]*)<"));
    QList<std::tuple<QString, double, double>> found;
    const QString html = QString::fromUtf8(run("pdftotext", {"-bbox", pdf, "-"}));
    for (const auto &m : word.globalMatch(html))
        found.append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    return found;
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
        w.txtMenge[1]->setText(QStringLiteral("10"));
        w.txtMengenart[1]->setText(QStringLiteral("Stück"));
        w.txtFAP[1]->setText(QStringLiteral("1.234,50"));
        w.txtFAP[2]->setText(QStringLiteral("12,5"));
        clickOn(w.lblFormblatt[5]);
        QCOMPARE(f.shell.opened, QStringList({f.path("antrag.fdf")}));

        const QString filled = f.path("filled.pdf");
        run("pdftk", {f.path(sheet + ".pdf"), "fill_form", f.path("antrag.fdf"), "output", filled});
        const QMap<QString, QString> values = fields(filled);
        QCOMPARE(values.value("Antragsteller"), w.AName->text());
        QCOMPARE(values.value("Menge 1"), QStringLiteral("10"));
        QCOMPARE(values.value("Mengenart 1"), QStringLiteral("Stück"));
        QCOMPARE(values.value("Preis 1"), QStringLiteral("1234.50"));
        QCOMPARE(values.value("Preis 2"), QStringLiteral("12.5"));
        QVERIFY(values.contains("Preis 9"));
        QCOMPARE(values.value("Preis 9"), QString());
    }

    // The program's own filler: the values stay what the data give, the appearance shows
    // them as the form's number format asks, in letters the form's font lacks too.
    void programFillsTheForm()
    {
        QTemporaryDir dir;
        const QString blank = dir.filePath(sheet + ".pdf");
        QVERIFY(QFile::copy(sampleFile(sheet + ".pdf"), blank));
        MasterData data;
        data.name = QStringLiteral("Łódź Kovač Erdős endobj");
        data.packages[0] = {"10", "Stück", "1.234,50"};
        data.packages[2] = {"3", "Flasche", "-0,5"};

        const FormFiller::Result filled =
            FormFiller::fill(sampleFdf(sheet + ".pdf", data), dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.code, 0);
        QCOMPARE(filled.path, dir.filePath("aus/" + sheet + ".pdf"));
        const QMap<QString, QString> values = fields(filled.path);
        QCOMPARE(values.value("Antragsteller"), data.name);
        QCOMPARE(values.value("Preis 1"), QStringLiteral("1234.50"));
        const QString shown = QString::fromUtf8(run("pdftotext", {filled.path, "-"}));
        for (const char *text : {"Łódź Kovač Erdős endobj", "Stück", "1.234,50", "-0,50"})
            QVERIFY2(shown.contains(QString::fromUtf8(text)), text);
        QCOMPARE(bytes(blank), bytes(sampleFile(sheet + ".pdf")));
    }

    void appearance_data()
    {
        QTest::addColumn<int>("quadding");
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        const QByteArray german = "AFNumber_Format(2, 2, 0, 0, \"\", true);";
        QTest::newRow("right, German") << 2 << german << "-1234567.891"
                                       << "-1.234.567,89";
        QTest::newRow("left") << 0 << german << "5"
                              << "5,00";
        QTest::newRow("centred") << 1 << german << "5"
                                 << "5,00";
        QTest::newRow("English separators")
            << 2 << QByteArray("AFNumber_Format(1, 0, 0, 0, \"\", true);") << "1234.56"
            << "1,234.6";
        QTest::newRow("no grouping, comma")
            << 2 << QByteArray("AFNumber_Format(2, 3, 0, 0, \"\", true);") << "1234,5"
            << "1234,50";
        QTest::newRow("currency after")
            << 2 << QByteArray("AFNumber_Format(0, 2, 0, 0, \"\\u20AC\", false);") << "1234.5"
            << "1.235€";
        QTest::newRow("currency before, parentheses")
            << 2 << QByteArray("AFNumber_Format(2, 1, 2, 0, \"\\u20AC\", true);") << "-7"
            << "(€7.00)";
        QTest::newRow("not a standard call")
            << 2 << QByteArray("event.value = util.printf('%.2f', event.value);") << "1234.5"
            << "1234.5";
    }

    // Read back by poppler: the text as formatted, and where it stands in the field.
    void appearance()
    {
        QFETCH(int, quadding);
        QFETCH(QByteArray, script);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QByteArray form = bytes(sampleFile(sheet + ".pdf"));
        const qsizetype field = form.indexOf("/T (Preis 1)");
        QVERIFY(field > 0);
        const qsizetype end = form.indexOf("endobj", field);
        QByteArray dictionary = form.mid(field, end - field);
        static const QRegularExpression rect(QStringLiteral("/Rect \\[(\\S+) \\S+ (\\S+) \\S+\\]"));
        const QRegularExpressionMatch r = rect.match(QString::fromLatin1(dictionary));
        QVERIFY(r.hasMatch());
        const double left = r.captured(1).toDouble();
        const double right = r.captured(2).toDouble();
        dictionary.replace("/Q 2", "/Q " + QByteArray::number(quadding));
        dictionary.replace(
            "/JS (AFNumber_Format\\(2, 2, 0, 0, \"\", true\\);)",
            "/JS (" + script.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)") + ")");
        write(dir.filePath("form.pdf"), form.replace(field, end - field, dictionary));

        const QByteArray fdf =
            sampleFdf("form.pdf", MasterData())
                .replace("(Preis 1) /V ()", "(Preis 1) /V (" + value.toUtf8() + ")");
        const FormFiller::Result filled = FormFiller::fill(fdf, dir.path(), dir.path() + "/aus");
        QCOMPARE(filled.code, 0);
        QCOMPARE(fields(filled.path).value("Preis 1"), value);

        const auto found = words(filled.path);
        const auto word = std::find_if(found.cbegin(), found.cend(),
                                       [&](const auto &w) { return std::get<0>(w) == shown; });
        QVERIFY2(word != found.cend(), qPrintable(shown));
        const double xMin = std::get<1>(*word);
        const double xMax = std::get<2>(*word);
        const double border = 3; // the field's border and the padding inside it
        if (quadding == 0)
            QVERIFY(qAbs(xMin - (left + border)) < 1);
        else if (quadding == 1)
            QVERIFY(qAbs((xMin + xMax) / 2 - (left + right) / 2) < 1);
        else
            QVERIFY(qAbs(xMax - (right - border)) < 1);
    }

    // Every field of the template is on some sample sheet, as a text field, and quantities
    // and prices are right-aligned there.
    void sampleFormsCarryTheTemplateFields()
    {
        QSet<QString> names;
        const QString ini = QString::fromUtf8(bytes(sampleFile("vra.ini")));
        static const QRegularExpression sheetName(QStringLiteral("Formblatt\\.\\d+=(.+)"));
        for (const auto &m : sheetName.globalMatch(ini)) {
            const QString dump = QString::fromUtf8(run(
                "pdftk", {sampleFile(m.captured(1).trimmed() + ".pdf"), "dump_data_fields_utf8"}));
            for (const QString &block : dump.split(QStringLiteral("---"))) {
                static const QRegularExpression templateName(
                    QStringLiteral("FieldName: (Antragsteller|(Menge|Mengenart|Preis) [1-9])\\n"));
                const QRegularExpressionMatch n = templateName.match(block);
                if (!n.hasMatch())
                    continue;
                names.insert(n.captured(1));
                QVERIFY(block.contains(QLatin1String("FieldType: Text")));
                if (n.captured(2) == QLatin1String("Menge") ||
                    n.captured(2) == QLatin1String("Preis"))
                    QVERIFY2(block.contains(QLatin1String("FieldJustification: Right")),
                             qPrintable(block));
            }
        }
        QCOMPARE(names.size(), 28);
    }

    void fillingFailures_data()
    {
        QTest::addColumn<QByteArray>("fdf");
        QTest::addColumn<QByteArray>("pdf"); // empty: no form file
        QTest::addColumn<int>("code");
        const QByteArray sample = bytes(sampleFile(sheet + ".pdf"));
        const QByteArray fdf = sampleFdf("form.pdf", MasterData());
        QTest::newRow("fields the form lacks, no trailer")
            << QByteArray("%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [ << /T (Unbekannt) "
                          "/V (x) >> << /T (Menge 1) /V (7) >> ] >> >>\nendobj\n")
            << sample << 0;
        QTest::newRow("no font resources")
            << fdf << QByteArray(sample).replace("/DR <<", "/XX <<") << 0;
        QTest::newRow("missing form") << fdf << QByteArray() << 2;
        QTest::newRow("damaged form") << fdf << QByteArray("%PDF-1.4\nnothing here\n") << 11;
        QTest::newRow("cut form") << fdf << sample.left(sample.size() / 3) << 11;
        QTest::newRow("not FDF") << QByteArray("/F (form.pdf)\r\n") << sample << 11;
        QTest::newRow("FDF without a form")
            << QByteArray("%FDF-1.2\n1 0 obj << /FDF << >> >> endobj") << sample << 11;
        // Streams that unpack to 1.5 GB: copied as they are, or refused when they hold objects.
        const QString corpus = QStringLiteral(VRA_SOURCE_DIR "/tests/fuzz/corpus/fillerform/");
        QTest::newRow("expanding appearance") << fdf << bytes(corpus + "expanding.pdf") << 0;
        QTest::newRow("expanding objects") << fdf << bytes(corpus + "expanding-objects.pdf") << 8;
    }

    void fillingFailures()
    {
        QFETCH(QByteArray, fdf);
        QFETCH(QByteArray, pdf);
        QFETCH(int, code);
        QTemporaryDir dir;
        if (!pdf.isEmpty())
            write(dir.filePath("form.pdf"), pdf);
        const FormFiller::Result filled = FormFiller::fill(fdf, dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.code, code);
        QCOMPARE(filled.error.isEmpty(), code == 0);
        if (!pdf.isEmpty())
            QCOMPARE(bytes(dir.filePath("form.pdf")), pdf);
    }

    void openerChoosesByTheDesktop_data()
    {
        QTest::addColumn<bool>("fdfViewer");
        QTest::addColumn<QString>("opened");
        QTest::newRow("FDF viewer") << true << "antrag.fdf";
        QTest::newRow("no FDF viewer") << false << "ausgefuellt/" + sheet + ".pdf";
    }

    void openerChoosesByTheDesktop()
    {
        QFETCH(bool, fdfViewer);
        QFETCH(QString, opened);
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        f.shell.fdfViewer = fdfViewer;
        frmMain &w = f.start();
        clickOn(w.lblFormblatt[5]);
        QCOMPARE(f.shell.opened, QStringList({f.path(opened)}));
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // A form that the program cannot fill is named to the user, not opened blank.
    void failedFillingIsShown()
    {
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf"}));
        f.writeFile(sheet + ".pdf", "%PDF-1.4\nnothing here\n");
        f.shell.fdfViewer = false;
        frmMain &w = f.start();
        clickOn(w.lblFormblatt[5]);
        QVERIFY(f.shell.opened.isEmpty());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.shown[0].startsWith("warning|" + w.title() + "|Das Formblatt „" + sheet +
                                              "“ konnte nicht ausgefüllt"));
        QCOMPARE(w.txtMsgBox->text(), QStringLiteral("Invalid EXE file or error in EXE image"));
    }

    void printingTakesTheCurrentMasterData()
    {
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        frmMain &w = f.start();
        w.Bearbeitet->setText(QStringLiteral(",5,"));
        w.RefreshMarks();
        for (const QString &name :
             {QStringLiteral("Erste Fassung"), QStringLiteral("Zweite Fassung")}) {
            w.AName->setText(name);
            w.Label5_Click();
            QCOMPARE(fields(f.shell.printed.last()).value("Antragsteller"), name);
        }
        QCOMPARE(f.shell.printed.size(), 2);
    }
};

QTEST_MAIN(TestFormFilling)
#include "tst_formfilling.moc"
