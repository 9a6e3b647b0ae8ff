// The catalogue from any vra.ini: sheets numbered in order, within the tabs offered.
#include "catalogue/catalogue.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Catalogue c = Catalogue::read(fuzzFile("vra.ini", fuzzBytes(data, size)));
    int tab = 1;
    for (const Catalogue::Sheet &sheet : c.sheets) {
        if (sheet.tab < tab || sheet.tab > 5 || sheet.tab > c.tabs || sheet.name.isEmpty())
            qFatal("sheet out of place");
        tab = sheet.tab;
    }
    return 0;
}
