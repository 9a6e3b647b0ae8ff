#pragma once

#include <QString>

// Moves a file out of the way without losing it: renamed in its folder, its date kept.
namespace AsideFile
{

// "Name (LABEL DATE).pdf" beside the file, with the date the file was last changed and a
// number where that name is taken; the new path, or an empty text when it cannot be moved.
QString move(const QString &path, const QString &label);

} // namespace AsideFile
