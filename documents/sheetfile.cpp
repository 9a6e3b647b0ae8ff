#include "sheetfile.h"

namespace SheetFile
{

QString name(const QString &caption)
{
    return QString(caption).replace(u'/', u'_') + QStringLiteral(".pdf");
}

QString path(const QString &programFolder, const QString &caption)
{
    return programFolder + u'/' + name(caption);
}

} // namespace SheetFile
