#pragma once

#include "app/frmmain.h"
#include "fakes.h"
#include "platform/postedkeyboard.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A program folder of the test's own and a window built over it with fake platform seams.
struct WindowFixture {
    QTemporaryDir dir;
    FakeShell shell;
    FakeDialogs dialogs;
    FakeDelay delay;
    PostedKeyboard keyboard;
    std::unique_ptr<frmMain> window;

    QString path(const QString &name) const { return dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &content) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(name));
        file.write(content);
    }

    QByteArray readFile(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    frmMain &create()
    {
        window = std::make_unique<frmMain>(dir.path(), Platform{shell, dialogs, delay, keyboard});
        return *window;
    }

    // Builds the window and runs its start-up as the program does.
    frmMain &start()
    {
        create();
        window->Form_Load();
        return *window;
    }
};
