#include "frmmain.h"
#include "platform/desktopshell.h"
#include "platform/eventloopdelay.h"
#include "platform/messageboxdialogs.h"
#include "platform/postedkeyboard.h"
#include "platform/terminationsignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DesktopShell shell;
    MessageBoxDialogs dialogs;
    EventLoopDelay delay;
    PostedKeyboard keyboard;

    frmMain window(ProgramFolders::forExecutable(QCoreApplication::applicationDirPath()),
                   Platform{shell, dialogs, delay, keyboard});
    dialogs.setOwner(&window);
    window.Form_Load();

    // From here on a termination by the system saves; before, nothing has been entered yet.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &window, [&window] {
        window.closeBySystem();
        QCoreApplication::exit(0);
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.SaveProp(); });

    window.show();
    return app.exec();
}
