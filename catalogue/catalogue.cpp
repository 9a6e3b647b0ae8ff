#include "catalogue.h"

#include "common/ini.h"
#include "platform/profilereader.h"

#include <cmath>
#include <limits>

namespace
{

constexpr int tabCount = 5;
// Sheet numbers are 16-bit in the window's arrays.
constexpr int maxSheets = std::numeric_limits<qint16>::max();

// The tab count as a 16-bit integer, rounded half to even; 0 when it does not convert.
int tabsFrom(const QString &text)
{
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').toDouble(&ok);
    if (!ok || !(value >= -32768.5 && value < 32767.5))
        return 0;
    return int(std::nearbyint(value));
}

} // namespace

int Catalogue::titlePicture() const
{
    static const QString letters[] = {"A", "B", "C", "D", "E", "F"};
    for (int j = 0; j < 6; ++j) {
        if (kind == letters[j])
            return j + 1;
    }
    return 0;
}

Catalogue Catalogue::read(const QString &iniFile)
{
    // One reading of the file for the whole catalogue: thousands of sheets stay quick.
    const ProfileReader::Profile ini(iniFile);
    Catalogue c;
    c.iniTooLarge = ini.tooLarge();
    c.tabs = tabsFrom(modDef::ReadIni(ini, "ANTRAG", "Tabs", "5"));
    for (int n = 1; n <= tabCount && n <= c.tabs; ++n) {
        const QString section = QStringLiteral("TAB%1").arg(n);
        for (int k = 1; c.sheets.size() < maxSheets; ++k) {
            const QString name =
                modDef::ReadIni(ini, section, QStringLiteral("Formblatt.%1").arg(k));
            if (name.isEmpty())
                break;
            c.sheets.append({n, k, name});
        }
    }
    c.kind = modDef::ReadIni(ini, "ANTRAG", "Antrag", "A").toUpper();
    return c;
}
