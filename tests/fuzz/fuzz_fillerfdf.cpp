// The form filler with any FDF data, against the sample form with prices.
#include "pdf/formfiller.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool copied =
        QFile::copy(QStringLiteral(VRA_SOURCE_DIR "/program/5 Preisangaben.pdf"),
                    fuzzFolder().filePath(QStringLiteral("5 Preisangaben.pdf")));
    Q_UNUSED(copied);
    FormFiller::fill(fuzzBytes(data, size), fuzzFolder().path(), fuzzFolder().filePath("aus"));
    return 0;
}
