#pragma once

// The window with its controls complete, for the tests to reach into.
#include "app/browserpane.h"
#include "app/clicklabel.h"
#include "app/frmmain.h"
#include "app/tabcontrol.h"
#include "fakes.h"
#include "platform/postedkeyboard.h"
#include "tablerows.h"
#include "testfiles.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

inline void clickOn(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

// A file of the delivered program folder, by its name there.
inline QString sampleFile(const QString &name)
{
    return QStringLiteral(VRA_SOURCE_DIR "/program/") + name;
}

// A program folder of the test's own and a window built over it with fake platform seams;
// the shell is a fake too unless a test asks for the real one.
template <typename ShellType> struct BasicWindowFixture {
    QTemporaryDir dir;
    ShellType shell;
    FakeDialogs dialogs;
    FakeDelay delay;
    PostedKeyboard keyboard;
    std::unique_ptr<frmMain> window;

    QString path(const QString &name) const { return dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &content) const
    {
        writeBytes(path(name), content);
    }

    bool copySamples(const QStringList &names) const
    {
        return std::all_of(names.cbegin(), names.cend(), [this](const QString &n) {
            return QFile::copy(sampleFile(n), path(n));
        });
    }

    QByteArray readFile(const QString &name) const { return readBytes(path(name)); }

    // Builds the window and runs its start-up as the program does, by default over `dir`.
    frmMain &start() { return start(ProgramFolders(dir.path())); }
    frmMain &start(const ProgramFolders &folders)
    {
        window = std::make_unique<frmMain>(folders, Platform{shell, dialogs, delay, keyboard});
        window->Form_Load();
        return *window;
    }

    // Started over `ini` (when given) and shown on the screen.
    frmMain &shown(const QByteArray &ini = {})
    {
        if (!ini.isEmpty())
            writeFile("vra.ini", ini);
        start().show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("window not exposed");
        return *window;
    }
};

using WindowFixture = BasicWindowFixture<FakeShell>;
