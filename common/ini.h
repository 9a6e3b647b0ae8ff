#pragma once

#include <QString>

namespace ProfileReader
{
class Profile;
}

namespace modDef
{

// One value of an INI file, cut at the first "#", without surrounding spaces and tabs.
// An empty file name returns the default untouched.
QString ReadIni(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue = QString());
// The same from a file read once, for many values in a row.
QString ReadIni(const ProfileReader::Profile &profile, const QString &section, const QString &key,
                const QString &defaultValue = QString());

// Field `index` (from 0) of `text` split at `delimiter`; empty when there are fewer fields,
// the whole text for a negative index.
QString GetToken(const QString &text, int index, const QString &delimiter, bool ignoreCase);

} // namespace modDef
