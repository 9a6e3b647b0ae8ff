// The amount routines: any text; what is shown as an amount reads back as the same amount.
#include "common/amount.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    const int decimals = size > 0 ? data[0] % 8 : 2;
    modDef::ParseAmount(text);
    modDef::getAcrobatNr(text);
    for (bool flag : {false, true}) {
        const QString shown = modDef::FormatAmount(text, flag, decimals, !flag);
        if (modDef::isAmount(text) && !shown.isEmpty() &&
            modDef::FormatAmount(shown, false, decimals, false) != shown)
            qFatal("an amount shown does not read back as itself");
    }
    return 0;
}
