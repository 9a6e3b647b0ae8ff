// The form data file that the program writes fills a real PDF form: applied by pdftk, and by
// the program itself where no FDF viewer is at hand; pdftk and pdftotext read the result.
#include "app/clicklabel.h"
#include "documents/fdf.h"
#include "documents/formfiller.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace
{

const QString sheet = QStringLiteral("4 Packungen");

QByteArray pdftk(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("pdftk"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("pdftk failed: %s", process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

QString text(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("pdftotext failed");
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sampleFdf(const QString &docName, const MasterData &data)
{
    return Fdf::fill(bytes(sampleFile("antrag_.fdf")), docName, data);
}

QMap<QString, QString> fields(const QString &pdf)
{
    QMap<QString, QString> values;
    QString name;
    for (const QString &line :
         QString::fromUtf8(pdftk({pdf, "dump_data_fields_utf8"})).split(u'\n')) {
        if (line.startsWith(QLatin1String("FieldName: "))) {
            name = line.mid(11);
            values.insert(name, QString());
        } else if (line.startsWith(QLatin1String("FieldValue: "))) {
            values[name] = line.mid(12);
        }
    }
    return values;
}

} // namespace

class TestFormFilling : public QObject
{
    Q_OBJECT

private slots:
    void pdftkFillsTheForm()
    {
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        frmMain &w = f.start();

        w.AName->setText(QStringLiteral("Jürgen Groß (Wien) \\ fm1"));
        const QStringList menge = {"10", "20", "30"};
        const QStringList art = {"Stück", "Packung", "Flasche"};
        const QStringList fap = {"1.234,50", "12,5", "0,99"};
        for (int i = 1; i <= 3; ++i) {
            w.txtMenge[i]->setText(menge[i - 1]);
            w.txtMengenart[i]->setText(art[i - 1]);
            w.txtFAP[i]->setText(fap[i - 1]);
        }
        ClickLabel *label = nullptr;
        for (int n = 1; n <= w.sheetCount; ++n) {
            if (w.lblFormblatt[n]->text() == sheet)
                label = w.lblFormblatt[n];
        }
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(f.shell.opened, QStringList({f.path("antrag.fdf")}));

        const QString filled = f.path("filled.pdf");
        pdftk({f.path(sheet + ".pdf"), "fill_form", f.path("antrag.fdf"), "output", filled});
        const QMap<QString, QString> values = fields(filled);
        QCOMPARE(values.value("Antragsteller"), QStringLiteral("Jürgen Groß (Wien) \\ fm1"));
        const QStringList prices = {"1234.50", "12.5", "0.99"};
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(values.value(QStringLiteral("Menge %1").arg(i)), menge[i - 1]);
            QCOMPARE(values.value(QStringLiteral("Mengenart %1").arg(i)), art[i - 1]);
            QCOMPARE(values.value(QStringLiteral("Preis %1").arg(i)), prices[i - 1]);
        }
        for (int i = 4; i <= 9; ++i) {
            QVERIFY(values.contains(QStringLiteral("Menge %1").arg(i)));
            QCOMPARE(values.value(QStringLiteral("Menge %1").arg(i)), QString());
            QCOMPARE(values.value(QStringLiteral("Preis %1").arg(i)), QString());
        }
    }

    void programFillsTheForm()
    {
        QTemporaryDir dir;
        const QString blank = dir.filePath(sheet + ".pdf");
        QVERIFY(QFile::copy(sampleFile(sheet + ".pdf"), blank));
        MasterData data;
        data.name = QStringLiteral("Jürgen Groß (Wien) \\ fm1");
        data.packages[0] = {"10", "Stück", "1.234,50"};
        data.packages[2] = {"3", "Flasche", "0,5"};

        const FormFiller::Result filled =
            FormFiller::fill(sampleFdf(sheet + ".pdf", data), dir.path(), dir.filePath("aus"));
        QCOMPARE(filled.code, 0);
        QCOMPARE(filled.path, dir.filePath("aus/" + sheet + ".pdf"));
        const QMap<QString, QString> values = fields(filled.path);
        QCOMPARE(values.value("Antragsteller"), data.name);
        QCOMPARE(values.value("Mengenart 1"), QStringLiteral("Stück"));
        QCOMPARE(values.value("Preis 1"), QStringLiteral("1234.50"));
        QCOMPARE(values.value("Preis 3"), QStringLiteral("0.5"));
        QCOMPARE(values.value("Menge 2"), QString());
        // The appearances carry the values, so every viewer shows them.
        const QString shown = text(filled.path);
        QVERIFY2(shown.contains(data.name), qPrintable(shown));
        QVERIFY(shown.contains(QStringLiteral("Stück")));
        QVERIFY(shown.contains(QStringLiteral("1234.50")));
        QCOMPARE(bytes(blank), bytes(sampleFile(sheet + ".pdf")));
    }

    void fillingFailures_data()
    {
        QTest::addColumn<QByteArray>("fdf");
        QTest::addColumn<QByteArray>("pdf"); // empty: no form file
        QTest::addColumn<int>("code");
        const QByteArray sample = bytes(sampleFile(sheet + ".pdf"));
        const QByteArray fdf = sampleFdf("form.pdf", MasterData());
        QTest::newRow("fields the form lacks")
            << QByteArray("%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [ << /T (Unbekannt) "
                          "/V (x) >> << /T (Menge 1) /V (7) >> ] >> >>\nendobj\n")
            << sample << 0;
        QTest::newRow("missing form") << fdf << QByteArray() << 2;
        QTest::newRow("damaged form") << fdf << QByteArray("%PDF-1.4\nnothing here\n") << 11;
        QTest::newRow("cut form") << fdf << sample.left(sample.size() / 3) << 11;
        QTest::newRow("not FDF") << QByteArray("/F (form.pdf)\r\n") << sample << 11;
        QTest::newRow("FDF without a form")
            << QByteArray("%FDF-1.2\n1 0 obj << /FDF << >> >> endobj") << sample << 11;
    }

    void fillingFailures()
    {
        QFETCH(QByteArray, fdf);
        QFETCH(QByteArray, pdf);
        QFETCH(int, code);
        QTemporaryDir dir;
        if (!pdf.isEmpty()) {
            QFile form(dir.filePath("form.pdf"));
            QVERIFY(form.open(QIODevice::WriteOnly));
            form.write(pdf);
        }
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
        ClickLabel *label = w.lblFormblatt[4];
        QCOMPARE(label->text(), sheet);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(f.shell.opened, QStringList({f.path(opened)}));
    }

    void printingTakesTheCurrentMasterData()
    {
        WindowFixture f;
        QVERIFY(f.copySamples({"vra.ini", "antrag_.fdf", sheet + ".pdf"}));
        frmMain &w = f.start();
        w.Bearbeitet->setText(QStringLiteral(",4,"));
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
