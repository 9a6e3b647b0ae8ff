// The profile reader and GetToken on any file and any delimiter.
#include "common/ini.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzBytes(data, size);
    const QString file = fuzzFile("vra.ini", input);
    for (const char *key : {"Tabs", "Antrag", "Stammdaten"})
        modDef::ReadIni(file, QStringLiteral("ANTRAG"), QString::fromLatin1(key), "d");
    modDef::ReadIni(file, QStringLiteral("TAB1"), QStringLiteral("Formblatt.1"));
    const QString text = QString::fromUtf8(input);
    const QString delimiter = text.left(2);
    for (int index = -1; index < 4; ++index)
        modDef::GetToken(text, index, delimiter, index % 2 == 0);
    return 0;
}
