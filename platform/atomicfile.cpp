#include "atomicfile.h"

#include <QSaveFile>

namespace AtomicFile
{

QString write(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    // A short write on a full disk passes unnoticed by the file's own checks: the written
    // size tells.
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush() &&
        file.size() == content.size() && file.commit())
        return QString();
    const QString reason = file.errorString();
    return path + QStringLiteral(": ") +
           (file.error() == QFileDevice::NoError || reason.isEmpty()
                ? QStringLiteral("Die Datei wurde nicht vollständig geschrieben")
                : reason);
}

} // namespace AtomicFile
