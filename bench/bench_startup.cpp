// Start-up of the window against a baseline of a bare QWidget with one QTabWidget and one
// QTextBrowser. Prints, when the first frame is shown, the wall-clock time in nanoseconds and
// the peak memory in kB, so that startup.sh can take the time from process start.
//   bench_startup vra PROGRAM_FOLDER | bench_startup baseline
#include "app/frmmain.h"
#include "platform/desktopshell.h"
#include "platform/eventloopdelay.h"
#include "platform/messageboxdialogs.h"
#include "platform/postedkeyboard.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTextBrowser>
#include <QWindow>
#include <chrono>
#include <cstdio>

namespace
{

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Reports the first expose of the window, then ends the program.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld %ld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                        peakKilobytes());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstFrame firstFrame;
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("vra")) {
        // As the program's main does it.
        DesktopShell shell;
        MessageBoxDialogs dialogs;
        EventLoopDelay delay;
        PostedKeyboard keyboard;
        frmMain window(ProgramFolders(args.value(2)), Platform{shell, dialogs, delay, keyboard});
        window.Form_Load();
        window.winId();
        window.windowHandle()->installEventFilter(&firstFrame);
        window.show();
        return app.exec();
    }
    QWidget window;
    window.resize(774, 613);
    auto *tabs = new QTabWidget(&window);
    tabs->setGeometry(192, 96, 537, 449);
    tabs->addTab(new QWidget, QStringLiteral("Teil 1"));
    auto *browser = new QTextBrowser(&window);
    browser->setGeometry(192, 96, 537, 449);
    window.winId();
    window.windowHandle()->installEventFilter(&firstFrame);
    window.show();
    return app.exec();
}
