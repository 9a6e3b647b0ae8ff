// The program's form filler against `pdftk fill_form` on the forms of tests/forms and the
// sample form with prices, filled with text of several scripts: time (the first fill of a
// process, then the median), peak memory of a process that fills once, and the bytes the
// filled copy adds to the blank form.
//   bench_filler [ROUNDS]         (bench_filler fill FDF OUT is one fill as a process of its
//                                 own: it prints the fill's time; the memory comes from GNU
//                                 time, /usr/bin/time)
#include "pdf/formfiller.h"
#include "quietplatform.h"
#include "tests/testfiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace
{

struct Case {
    const char *form; // in tests/forms, or the sample form
    const char *script;
    QList<std::pair<QString, QString>> fields;
};

// Fills the form that the FDF file names, found beside it, into `out` and prints the time
// that took in ms: the first fill of a process, which starts fontconfig and loads the fonts.
int fillOnce(const QString &fdf, const QString &out)
{
    const QByteArray data = readBytes(fdf);
    QElapsedTimer timer;
    timer.start();
    const FormFiller::Result filled = FormFiller::fill(data, QFileInfo(fdf).path(), out);
    std::printf("%.1f\n", timer.nsecsElapsed() / 1e6);
    return filled.failure == FormFiller::Failure::None ? 0 : 1;
}

QList<Case> cases()
{
    const QString name = QStringLiteral("Łódź Kovač Erdős GmbH");
    QList<std::pair<QString, QString>> prices{{QStringLiteral("Antragsteller"), name}};
    for (int i = 1; i <= 9; ++i)
        prices << std::pair{QStringLiteral("Menge %1").arg(i), QString::number(i * 10)}
               << std::pair{QStringLiteral("Mengenart %1").arg(i), QStringLiteral("Stück")}
               << std::pair{QStringLiteral("Preis %1").arg(i), QStringLiteral("1234.50")};
    const auto fields = [](const QString &name, const QString &text, const QString &digits) {
        return QList<std::pair<QString, QString>>{{QStringLiteral("Name"), name},
                                                  {QStringLiteral("PLZ"), digits.left(5)},
                                                  {QStringLiteral("Steuernummer"), digits},
                                                  {QStringLiteral("Land"), name},
                                                  {QStringLiteral("Kennwort"), name},
                                                  {QStringLiteral("Bemerkung"), text},
                                                  {QStringLiteral("Hoch"), name},
                                                  {QStringLiteral("Kopf"), name},
                                                  {QStringLiteral("Quer"), name}};
    };
    const QString latin = QStringLiteral("Die Packungen werden ab dem ersten Quartal in Łódź "
                                         "und Košice hergestellt; Preise je Stück in Euro.");
    return {
        {"5 Preisangaben", "Latin", prices},
        {"pdflib-fields", "Latin", fields(name, latin, QStringLiteral("12345678901"))},
        {"pdflib-fields", "Cyrillic",
         fields(QStringLiteral("Иван Петров"),
                QStringLiteral("Упаковки производятся в Софии и Киеве; цены за штуку в евро."),
                QStringLiteral("12345678901"))},
        {"pdflib-fields", "CJK",
         fields(QStringLiteral("山田太郎 北京市朝阳区"),
                QStringLiteral("包装从第一季度起在北京和大阪生产。価格は一個あたりユーロです。"),
                QStringLiteral("12345678901"))},
        {"pdflib-fields", "Hebrew, Arabic",
         fields(QStringLiteral("שלום עולם مرحبا"),
                QStringLiteral("האריזות מיוצרות בתל אביב؛ الأسعار باليورو للقطعة الواحدة."),
                QStringLiteral("12345678901"))},
        {"pdflib-turned",
         "Latin",
         {{QStringLiteral("Name"), name}, {QStringLiteral("PLZ"), "1010"}}},
        {"pdflib-hybrid", "Latin", {{QStringLiteral("Antragsteller"), name}}},
        {"libreoffice",
         "Latin",
         {{QStringLiteral("Antragsteller"), name},
          {QStringLiteral("Bundesland"), QStringLiteral("Wien")},
          {QStringLiteral("Bemerkung"), latin}}},
        {"reportlab",
         "Cyrillic",
         {{QStringLiteral("Antragsteller"), QStringLiteral("Иван Петров")},
          {QStringLiteral("IBAN"), QStringLiteral("AT611904300234573201")},
          {QStringLiteral("Anmerkung"), QStringLiteral("Цены за штуку в евро.")}}},
        {"encrypted", "Latin", {{QStringLiteral("Antragsteller"), name}}},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "fill") == 0)
        return fillOnce(QFile::decodeName(argv[2]), QFile::decodeName(argv[3]));
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    const QString pdftk = QStandardPaths::findExecutable(QStringLiteral("pdftk"));
    QTemporaryDir dir;
    std::printf("%-15s %-15s %8s %8s %8s | %9s %8s %6s | %8s %8s\n", "form", "text", "first ms",
                "ms", "peak KB", "pdftk ms", "peak KB", "times", "added B", "pdftk B");
    for (const Case &c : cases()) {
        const QString blank =
            QStringLiteral(VRA_SOURCE_DIR) +
            (QLatin1String(c.form) == QLatin1String("5 Preisangaben")
                 ? QStringLiteral("/program/5 Preisangaben.pdf")
                 : QStringLiteral("/tests/forms/%1.pdf").arg(QLatin1String(c.form)));
        const QString form = dir.filePath(QStringLiteral("form.pdf"));
        QFile::remove(form);
        QFile::copy(blank, form);
        const QByteArray fdf = fdfData(c.fields);
        const QString fdfFile = writeBytes(dir.filePath(QStringLiteral("form.fdf")), fdf);
        const QString out = dir.filePath(QStringLiteral("aus"));
        const QString copy = out + QStringLiteral("/form.pdf");

        // The first fill in a process of its own, so that nothing is loaded before it and its
        // peak memory is its own.
        QByteArray printed;
        const QString firstOut = dir.filePath(QStringLiteral("erste"));
        QFile::remove(firstOut + QStringLiteral("/form.pdf"));
        const long peak =
            measured({app.applicationFilePath(), QStringLiteral("fill"), fdfFile, firstOut},
                     &printed)
                .second;
        // Each fill from the blank form, as pdftk fills it, not a refill of the copy.
        const double ours = medianMilliseconds(rounds, [&] {
            QFile::remove(copy);
            FormFiller::fill(fdf, dir.path(), out);
        });
        const qint64 added = QFileInfo(copy).size() - QFileInfo(blank).size();
        std::printf("%-15s %-15s %8.1f %8.2f %8ld | ", c.form, c.script,
                    printed.isEmpty() ? -1.0 : printed.trimmed().toDouble(), ours, peak);
        if (pdftk.isEmpty() || QLatin1String(c.form) == QLatin1String("encrypted")) {
            std::printf("%9s %8s %6s | %8lld %8s\n", "-", "-", "-", added, "-");
            continue;
        }
        const QString theirs = dir.filePath(QStringLiteral("pdftk.pdf"));
        const auto [pdftkTime, pdftkPeak] =
            medianRun(std::max(1, rounds / 10), {pdftk, form, QStringLiteral("fill_form"), fdfFile,
                                                 QStringLiteral("output"), theirs});
        std::printf("%9.1f %8ld %6.0f | %8lld %8lld\n", pdftkTime, pdftkPeak, pdftkTime / ours,
                    added, QFileInfo(theirs).size() - QFileInfo(blank).size());
    }
    return 0;
}
