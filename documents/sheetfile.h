#pragma once

#include <QString>

// The PDF file of a form sheet is named after its caption. A "/" in a caption would make the
// name a path, into other folders; it becomes "_".
namespace SheetFile
{

QString name(const QString &caption);

} // namespace SheetFile
