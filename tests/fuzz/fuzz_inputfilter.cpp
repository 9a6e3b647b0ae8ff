// The key filter of the price fields: a key is kept as it is or cancelled, and only Enter
// presses a key of its own.
#include "common/inputfilter.h"
#include "fuzzinput.h"
#include "platform/keyboard.h"

namespace
{

class Keys : public Keyboard
{
public:
    void pressKey(QChar character) override { pressed += character; }
    QString pressed;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (size_t i = 0; i + 2 < size; i += 3) {
        const int key = int(int16_t(data[i] | data[i + 1] << 8));
        const uint8_t flags = data[i + 2];
        Keys keys;
        const int kept = modDef::FilterNumericKey(key, flags & 1, flags & 2, flags & 4, flags & 8,
                                                  flags & 16, keys);
        if ((kept != 0 && kept != key) || (!keys.pressed.isEmpty() && key != 13))
            qFatal("the filter changed a key");
    }
    return 0;
}
