#include "programfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolders::ProgramFolders(const QString &folder) : ProgramFolders(folder, folder) {}

ProgramFolders::ProgramFolders(const QString &delivered, const QString &own)
    : delivered_(delivered), own_(own)
{
}

namespace
{

// Whether `folder` holds any of the files delivered with the program.
bool holdsDeliveredFiles(const QString &folder)
{
    for (const char *name : {"vra.ini", "antrag_.fdf", "html"}) {
        if (QFileInfo::exists(folder + u'/' + QLatin1String(name)))
            return true;
    }
    return false;
}

} // namespace

ProgramFolders ProgramFolders::forExecutable(const QString &executableFolder)
{
    // The install layout: bin/vra and share/vra/, whatever the prefix, with nothing beside the
    // executable. Anything delivered beside it makes the executable's folder the program's.
    const QString share =
        QDir::cleanPath(executableFolder + QStringLiteral("/" VRA_DATA_FROM_BINARY));
    const bool installed = !holdsDeliveredFiles(executableFolder) && holdsDeliveredFiles(share);
    if (!installed && QFileInfo(executableFolder).isWritable())
        return ProgramFolders(executableFolder);
    ProgramFolders folders(installed ? share : executableFolder,
                           QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                               QStringLiteral("/vra"));
    if (!QDir().mkpath(folders.own_))
        folders.problem_ =
            QStringLiteral("Der Ordner %1 für Ihre Eingaben kann nicht angelegt werden.")
                .arg(folders.own_);
    return folders;
}

QString ProgramFolders::find(const QString &name) const
{
    const QString mine = own(name);
    return installed() && !QFileInfo::exists(mine) ? delivered_ + u'/' + name : mine;
}

QString ProgramFolders::own(const QString &name) const
{
    return own_ + u'/' + name;
}
