// The key filter of the price fields: a key is kept as it is or cancelled, only the keys of an
// amount are kept, and only Enter presses a key of its own.
#include "common/inputfilter.h"
#include "fuzzinput.h"
#include "platform/keyboard.h"

struct Keys : Keyboard {
    void pressKey(QChar character) override { pressed += character; }
    QString pressed;
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (size_t i = 0; i + 2 < size; i += 3) {
        const int key = int(int16_t(data[i] | data[i + 1] << 8));
        const uint8_t f = data[i + 2];
        Keys keys;
        const int kept = modDef::FilterNumericKey(key, f & 1, f & 2, f & 4, f & 8, f & 16, keys);
        const bool amountKey = QStringView(u"0123456789+-,.\b\r").contains(QChar(char16_t(key)));
        if ((kept != 0 && (kept != key || !amountKey)) || (!keys.pressed.isEmpty() && key != 13))
            qFatal("the filter changed a key or kept one that is no part of an amount");
    }
    return 0;
}
