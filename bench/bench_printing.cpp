// Processor time of the program during a print run of three sheets with the real two-second
// waits, against the run's wall time; printing itself is left out (the shell takes the jobs).
#include "app/frmmain.h"
#include "platform/eventloopdelay.h"
#include "platform/postedkeyboard.h"
#include "platform/shell.h"
#include "quietplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace
{

double processorSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QFile ini(folder.filePath(QStringLiteral("vra.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[TAB1]\nFormblatt.1=Eins\nFormblatt.2=Zwei\nFormblatt.3=Drei\n");
    ini.close();

    QuietShell shell(true);
    QuietDialogs dialogs(true);
    EventLoopDelay delay;
    PostedKeyboard keyboard;
    frmMain w(ProgramFolders(folder.path()), Platform{shell, dialogs, delay, keyboard});
    w.Form_Load();
    w.show();
    w.Bearbeitet->setText(QStringLiteral(",1,,2,,3,"));
    w.RefreshMarks();

    QElapsedTimer wall;
    wall.start();
    const double before = processorSeconds();
    w.Label5_Click();
    const double used = processorSeconds() - before;
    const double elapsed = wall.nsecsElapsed() / 1e9;
    std::printf("print run of 3 sheets: %.2f s wall, %.3f s processor (%.2f %%)\n", elapsed, used,
                100.0 * used / elapsed);
    return 0;
}
