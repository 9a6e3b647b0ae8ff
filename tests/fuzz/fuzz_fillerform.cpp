// The form filler with any form, filled from the sample FDF data.
#include "pdf/formfiller.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray fdf =
        "%FDF-1.2\n1 0 obj\n<< /FDF << /F (form.pdf) /Fields [ << /T (Antragsteller) "
        "/V (\\376\\377\\001\\101\\000\\363) >> << /T (Menge 1) /V (10) >> << /T (Preis 1) "
        "/V (-1234.5) >> << /T (Einheitspreis 1) /V (7) >> ] >> >>\nendobj\ntrailer\n"
        "<< /Root 1 0 R >>\n%%EOF\n";
    fuzzFile("form.pdf", fuzzBytes(data, size));
    FormFiller::fill(fdf, fuzzFolder().path(), fuzzFolder().filePath("aus"));
    return 0;
}
