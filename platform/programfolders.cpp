#include "programfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolders::ProgramFolders(const QString &folder) : ProgramFolders(folder, folder) {}

ProgramFolders::ProgramFolders(const QString &delivered, const QString &own)
    : delivered_(delivered), own_(own)
{
}

ProgramFolders ProgramFolders::forExecutable(const QString &executableFolder)
{
    const bool beside = QFileInfo::exists(executableFolder + QStringLiteral("/vra.ini"));
    if (beside && QFileInfo(executableFolder).isWritable())
        return ProgramFolders(executableFolder);
    // The install layout: bin/vra and share/vra/, whatever the prefix.
    const QString delivered =
        beside ? executableFolder
               : QDir::cleanPath(executableFolder + QStringLiteral("/" VRA_DATA_FROM_BINARY));
    ProgramFolders folders(delivered,
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
