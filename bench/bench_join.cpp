// The application as one PDF file: the twelve sample sheets, all completed, with prices and a
// name beyond Windows-1252. Times the click (every sheet filled, then joined and written) and
// the joining alone; then, each as a process of its own on the same filled copies, the join
// against `qpdf --empty --pages … --` and `pdftk … cat`: wall time and peak memory.
//   bench_join [ROUNDS]           (bench_join join OUT COPIES… is the join as a process;
//                                 the memory comes from GNU time, /usr/bin/time)
#include "app/clicklabel.h"
#include "app/frmmain.h"
#include "pdf/applicationpdf.h"
#include "platform/delay.h"
#include "platform/postedkeyboard.h"
#include "platform/shell.h"
#include "quietplatform.h"
#include "samplemasterdata.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace
{

int join(const QStringList &arguments)
{
    ApplicationPdf pdf(QStringLiteral("Antrag"), QString());
    for (const QString &copy : arguments.mid(1)) {
        if (!pdf.add(QStringLiteral("Teil"), copy, copy).isEmpty())
            return 1;
    }
    return pdf.write(arguments[0]).isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "join") == 0) {
        QStringList files;
        for (int i = 2; i < argc; ++i)
            files << QFile::decodeName(argv[i]);
        return join(files);
    }
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20;

    QTemporaryDir folder;
    const QDir program(QStringLiteral(VRA_SOURCE_DIR "/program"));
    for (const QString &file : program.entryList(QDir::Files))
        QFile::copy(program.filePath(file), folder.filePath(file));
    const QString output = folder.filePath(QStringLiteral("Antrag.pdf"));

    QuietShell shell(true);
    QuietDialogs dialogs(true, output);
    NoDelay delay;
    PostedKeyboard keyboard;
    frmMain w(ProgramFolders(folder.path()), Platform{shell, dialogs, delay, keyboard});
    w.Form_Load();
    enterSampleMasterData(w);
    QString completed = QStringLiteral(",");
    for (int n = 1; n <= w.sheetCount; ++n)
        completed += QStringLiteral("%1,,").arg(n);
    w.Bearbeitet->setText(completed);
    w.RefreshMarks();

    const double click = medianMilliseconds(rounds, [&] { w.Label15_Click(); });
    if (!dialogs.warnings.isEmpty()) {
        std::printf("failed: %s\n", qPrintable(dialogs.warnings.constFirst()));
        return 1;
    }
    QStringList copies;
    qint64 copiesSize = 0;
    for (int n = 1; n <= w.sheetCount; ++n) {
        copies << folder.filePath(
            QStringLiteral("ausgefuellt/%1.pdf").arg(w.lblFormblatt[n]->text()));
        copiesSize += QFileInfo(copies.constLast()).size();
    }
    const double joinOnly = medianMilliseconds(rounds, [&] { join(QStringList(output) + copies); });
    std::printf("%d sheets, copies %lld kB together\n", int(copies.size()), copiesSize >> 10);
    std::printf("click, every sheet filled, joined, written: %7.1f ms\n", click);
    std::printf("joining the filled copies alone:            %7.1f ms, %lld kB written\n", joinOnly,
                QFileInfo(output).size() >> 10);

    std::printf("as processes on the same copies, median of %d:\n", std::max(1, rounds / 4));
    const QString qpdfOut = folder.filePath(QStringLiteral("qpdf.pdf"));
    const QString pdftkOut = folder.filePath(QStringLiteral("pdftk.pdf"));
    const struct {
        const char *name;
        QStringList command;
        QString file;
    } contenders[] = {
        {"this join", QStringList{app.applicationFilePath(), "join", output} + copies, output},
        {"qpdf --empty --pages",
         QStringList{"qpdf", "--empty", "--pages"} + copies + QStringList{"--", qpdfOut}, qpdfOut},
        {"pdftk cat", QStringList{"pdftk"} + copies + QStringList{"cat", "output", pdftkOut},
         pdftkOut},
    };
    for (const auto &c : contenders) {
        if (QStandardPaths::findExecutable(c.command[0]).isEmpty())
            continue;
        const auto [ms, kb] = medianRun(std::max(1, rounds / 4), c.command);
        std::printf("  %-22s %7.1f ms, %7ld kB peak, %5lld kB written\n", c.name, ms, kb,
                    QFileInfo(c.file).size() >> 10);
    }
    return 0;
}
