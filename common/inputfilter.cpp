#include "inputfilter.h"

#include "platform/keyboard.h"

namespace modDef
{

int FilterNumericKey(int keyAscii, bool allowSign, bool allowComma, bool allowPoint, bool keepEnter,
                     bool enterAsTab, Keyboard &keyboard)
{
    switch (keyAscii) {
    case 8:
        return 8;
    case '+':
    case '-':
        return allowSign ? keyAscii : 0;
    case ',':
        return allowComma ? keyAscii : 0;
    case '.':
        return allowPoint ? keyAscii : 0;
    case 13:
        if (enterAsTab) {
            SendKey(keyboard, QStringLiteral("\t"));
            return 0;
        }
        return keepEnter ? 13 : 0;
    default:
        return keyAscii >= '0' && keyAscii <= '9' ? keyAscii : 0;
    }
}

void SendKey(Keyboard &keyboard, const QString &keyText)
{
    if (!keyText.isEmpty())
        keyboard.pressKey(keyText.front());
}

} // namespace modDef
