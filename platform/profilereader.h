#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// Reads the values of an INI file by the rules of the Windows private-profile reader:
// section and key match without regard to case, spaces around key and value are trimmed,
// one pair of surrounding quotes is stripped, the first match wins and the value is cut
// to 1023 characters. A missing file, section or key gives the default.
namespace ProfileReader
{

constexpr int maxValueLength = 1023;
// A settings file is a few kilobytes; a larger one than this is not read at all.
constexpr qint64 maxFileSize = 4 << 20;

// The file read once, for many lookups.
class Profile
{
public:
    explicit Profile(const QString &fileName);
    Profile(const Profile &) = delete;
    Profile &operator=(const Profile &) = delete;

    QString value(const QString &section, const QString &key, const QString &defaultValue) const;
    // The file was larger than maxFileSize and reads as missing.
    bool tooLarge() const { return tooLarge_; }

private:
    QString text_;
    QHash<QString, QHash<QString, QStringView>> sections_; // by case-folded names
    bool tooLarge_ = false;
};

QString value(const QString &section, const QString &key, const QString &defaultValue,
              const QString &fileName);

} // namespace ProfileReader
