#include "frmmain.h"
#include "platform/desktopshell.h"
#include "platform/eventloopdelay.h"
#include "platform/messageboxdialogs.h"
#include "platform/postedkeyboard.h"
#include "platform/qttexts.h"
#include "platform/terminationsignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop entry's name: desktops match the window to its entry and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("at.versanta.vra"));
    installGermanQtTexts(app);
    DesktopShell shell;
    MessageBoxDialogs dialogs;
    EventLoopDelay delay;
    PostedKeyboard keyboard;

    frmMain window(ProgramFolders::forExecutable(QCoreApplication::applicationDirPath()),
                   Platform{shell, dialogs, delay, keyboard});
    dialogs.setOwner(&window);

    // A termination by the system saves and ends the program. One that arrives while the
    // window loads is handled once it has loaded, so that it saves what was loaded.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &window, [&window] {
        window.closeBySystem();
        QCoreApplication::exit(0);
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.SaveProp(); });

    window.Form_Load();
    window.show();
    return app.exec();
}
