// The form data file that the program writes fills a real PDF form: pdftk applies it and
// reads the fields back.
#include "app/clicklabel.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace
{

const QString sheet = QStringLiteral("Formblatt 4 - Packungen");

QByteArray pdftk(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("pdftk"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("pdftk failed: %s", process.readAllStandardError().constData());
    return process.readAllStandardOutput();
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
        for (const QString &file : {QStringLiteral("vra.ini"), QStringLiteral("antrag_.fdf"),
                                    sheet + QStringLiteral(".pdf")})
            QVERIFY(QFile::copy(QStringLiteral(VRA_SOURCE_DIR "/program/") + file, f.path(file)));
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
};

QTEST_MAIN(TestFormFilling)
#include "tst_formfilling.moc"
