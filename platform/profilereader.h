#pragma once

#include <QString>

// Reads one value of an INI file by the rules of the Windows private-profile reader:
// section and key match without regard to case, spaces around key and value are trimmed,
// one pair of surrounding quotes is stripped, the first match wins and the value is cut
// to 1023 characters. A missing file, section or key gives the default.
namespace ProfileReader
{

constexpr int maxValueLength = 1023;

QString value(const QString &section, const QString &key, const QString &defaultValue,
              const QString &fileName);

} // namespace ProfileReader
