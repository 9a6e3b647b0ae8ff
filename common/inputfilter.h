#pragma once

#include <QString>

class Keyboard;

namespace modDef
{

// The character code to keep for a key typed into a number field, 0 to cancel it.
// With `enterAsTab`, Enter is cancelled and a Tab is pressed through `keyboard` instead.
int FilterNumericKey(int keyAscii, bool allowSign, bool allowComma, bool allowPoint, bool keepEnter,
                     bool enterAsTab, Keyboard &keyboard);

// Presses the key that types the first character of `keyText`.
void SendKey(Keyboard &keyboard, const QString &keyText);

} // namespace modDef
