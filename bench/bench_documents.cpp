// The work of one click on a form sheet: the FDF file for the sample template and for a
// template of 2000 lines, and, without an FDF viewer, the filled copy of the sample form with
// prices, against pdftk filling the same form from the same FDF file (when pdftk is there).
//   bench_documents [ROUNDS]
#include "app/clicklabel.h"
#include "app/frmmain.h"
#include "platform/delay.h"
#include "platform/postedkeyboard.h"
#include "platform/shell.h"
#include "quietplatform.h"
#include "samplemasterdata.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace
{

double microseconds(int rounds, const std::function<void()> &work)
{
    return medianMilliseconds(rounds, work) * 1000;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    QTemporaryDir folder;
    const QString program = QStringLiteral(VRA_SOURCE_DIR "/program/");
    const QString sheet = QStringLiteral("5 Preisangaben");
    for (const QString &file :
         {QStringLiteral("vra.ini"), QStringLiteral("antrag_.fdf"), sheet + QStringLiteral(".pdf")})
        QFile::copy(program + file, folder.filePath(file));

    QuietShell shell(false);
    QuietDialogs dialogs(false);
    NoDelay delay;
    PostedKeyboard keyboard;
    frmMain w(ProgramFolders(folder.path()), Platform{shell, dialogs, delay, keyboard});
    w.Form_Load();
    enterSampleMasterData(w);
    const QString docName = sheet + QStringLiteral(".pdf");

    std::printf("CreateFDF, sample template:        %8.1f us\n",
                microseconds(rounds, [&] { w.CreateFDF(docName); }));
    const QString copy = folder.filePath(QStringLiteral("ausgefuellt/") + docName);
    std::printf("click, filled from the blank form: %8.1f us\n", microseconds(rounds, [&] {
                    QFile::remove(copy);
                    w.CreateFDF(docName);
                    w.OpenPDF();
                }));
    const double click = microseconds(rounds, [&] {
        w.CreateFDF(docName);
        w.OpenPDF();
    });
    std::printf("click, refilling the copy:         %8.1f us\n", click);
    const QString pdftk = QStandardPaths::findExecutable(QStringLiteral("pdftk"));
    if (!pdftk.isEmpty()) {
        const double other = microseconds(std::max(1, rounds / 20), [&] {
            QProcess::execute(pdftk, {folder.filePath(docName), QStringLiteral("fill_form"),
                                      folder.filePath(QStringLiteral("antrag.fdf")),
                                      QStringLiteral("output"), folder.filePath("pdftk.pdf")});
        });
        std::printf("pdftk fill_form, same form:        %8.1f us (%.1f times the click)\n", other,
                    other / click);
    }

    QFile sample(program + QStringLiteral("antrag_.fdf"));
    sample.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = sample.readAll().split('\n');
    QByteArray large;
    for (int i = 0; large.count('\n') < 2000; ++i)
        large += lines[i % lines.size()] + '\n';
    QFile templateFile(folder.filePath(QStringLiteral("antrag_.fdf")));
    templateFile.open(QIODevice::WriteOnly | QIODevice::Truncate);
    templateFile.write(large);
    templateFile.close();
    std::printf("CreateFDF, 2000-line template:     %8.1f us\n",
                microseconds(std::max(1, rounds / 10), [&] { w.CreateFDF(docName); }));
    return 0;
}
