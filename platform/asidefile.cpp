#include "asidefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace AsideFile
{

QString move(const QString &path, const QString &label)
{
    const QFileInfo info(path);
    const QString stem = QStringLiteral("%1 (%2 %3")
                             .arg(info.completeBaseName(), label,
                                  info.lastModified().toString(QStringLiteral("yyyy-MM-dd HH.mm")));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1; n <= 100; ++n) {
        const QString aside = info.dir().filePath(
            stem + (n > 1 ? QStringLiteral(" %1)").arg(n) : QStringLiteral(")")) + suffix);
        if (QFileInfo(aside).exists() || QFileInfo(aside).isSymLink())
            continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
    return QString();
}

} // namespace AsideFile
