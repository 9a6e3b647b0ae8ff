// The FDF writer and the filler's reader: what the fields held is what is read back.
#include "common/amount.h"
#include "documents/fdf.h"
#include "pdf/fdfreader.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray templateBytes =
        readBytes(QStringLiteral(VRA_SOURCE_DIR "/program/antrag_.fdf"));
    const QByteArray input = fuzzBytes(data, size);
    Fdf::read(input);
    QStringList texts;
    for (const QByteArray &part : input.split('\x01'))
        texts << QString::fromUtf8(part);
    MasterData fields;
    fields.name = texts.value(0);
    for (int i = 0; i < 9; ++i)
        fields.packages[i] = {texts.value(1 + 3 * i), texts.value(2 + 3 * i),
                              texts.value(3 + 3 * i)};
    const QString docName = texts.value(28).remove(u'/') + QStringLiteral(".pdf");

    const std::optional<Fdf::FormData> read = Fdf::read(Fdf::fill(templateBytes, docName, fields));
    if (!read || read->file != docName || read->fields.size() != 28 ||
        read->fields[0].second != fields.name)
        qFatal("the form data do not read back as written");
    for (int i = 0; i < 9; ++i) {
        const MasterData::Package &p = fields.packages[i];
        if (read->fields[1 + 3 * i].second != p.menge ||
            read->fields[2 + 3 * i].second != p.mengenart ||
            read->fields[3 + 3 * i].second != modDef::getAcrobatNr(p.fap))
            qFatal("a package does not read back as written");
    }
    return 0;
}
