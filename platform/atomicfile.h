#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content all at once: a write that fails or is cut short (a full disk,
// a size limit) leaves the previous file whole. Empty on success, else why it failed.
namespace AtomicFile
{

QString write(const QString &path, const QByteArray &content);

} // namespace AtomicFile
