#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A desktop of the test's own under `desktop`: for each MIME type one application, `name`,
// that appends the path it is given to <desktop>/<name>.log. The system's MIME database is
// kept, the system's applications are not. Call before the first lookup: GIO reads these
// folders once per process.
inline void makeFakeDesktop(const QTemporaryDir &desktop,
                            const QList<std::pair<QByteArray, QByteArray>> &applications)
{
    const QString data = desktop.filePath(QStringLiteral("data"));
    const QString config = desktop.filePath(QStringLiteral("config"));
    const QString share = desktop.filePath(QStringLiteral("share"));
    QDir().mkpath(data + QStringLiteral("/applications"));
    QDir().mkpath(config);
    QDir().mkpath(share);
    QFile::link(QStringLiteral("/usr/share/mime"), share + QStringLiteral("/mime"));

    QByteArray defaults = "[Default Applications]\n";
    for (const auto &[mimeType, name] : applications) {
        const QString viewer = desktop.filePath(QString::fromUtf8(name + ".sh"));
        QFile script(viewer);
        if (!script.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(viewer));
        script.write("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/" + name + ".log\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QFile entry(data + QStringLiteral("/applications/") + QString::fromUtf8(name) +
                    QStringLiteral(".desktop"));
        if (!entry.open(QIODevice::WriteOnly))
            qFatal("cannot write the desktop entry");
        entry.write("[Desktop Entry]\nType=Application\nName=" + name +
                    "\nExec=" + viewer.toUtf8() + " %f\nMimeType=" + mimeType + ";\n");
        defaults += mimeType + '=' + name + ".desktop\n";
    }
    QFile list(config + QStringLiteral("/mimeapps.list"));
    if (!list.open(QIODevice::WriteOnly))
        qFatal("cannot write mimeapps.list");
    list.write(defaults);

    qputenv("XDG_DATA_HOME", data.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    qputenv("XDG_DATA_DIRS", share.toUtf8());
    qputenv("XDG_CONFIG_DIRS", desktop.filePath(QStringLiteral("none")).toUtf8());
}

// What the application `name` of the fake desktop was given, one path a line.
inline QString fakeDesktopLog(const QTemporaryDir &desktop, const QByteArray &name)
{
    QFile file(desktop.filePath(QString::fromUtf8(name + ".log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
