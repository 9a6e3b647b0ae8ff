#include "sheetfile.h"

namespace SheetFile
{

QString name(const QString &caption)
{
    return QString(caption).replace(u'/', u'_') + QStringLiteral(".pdf");
}

} // namespace SheetFile
