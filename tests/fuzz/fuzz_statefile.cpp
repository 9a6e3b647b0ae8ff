// The state file: any file loads, and what the fields hold, saved and loaded, comes back
// unchanged; prices come back in their display form, and stay so over another round.
#include "catalogue/statefile.h"
#include "common/amount.h"
#include "fuzzinput.h"

#include <QBuffer>

namespace
{

MasterData load(QByteArray bytes, QString &list)
{
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    MasterData data;
    StateFile::apply(StateFile::read(file), data, list);
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzBytes(data, size);
    QString list;
    load(input, list);
    // The values as typed: the input split at 0x01, without line ends.
    QStringList texts;
    for (const QByteArray &part : input.split('\x01'))
        texts << QString::fromUtf8(part).remove(u'\r').remove(u'\n');
    texts.resize(std::max(texts.size(), qsizetype(29)));
    MasterData typed;
    for (int i = 0; i < 9; ++i)
        typed.packages[i] = {texts[3 * i], texts[3 * i + 1], texts[3 * i + 2]};
    typed.name = texts[27];
    QString loadedList, againList;
    const MasterData loaded =
        load(StateFile::encode(StateFile::lines(typed, texts[28])), loadedList);
    const MasterData again =
        load(StateFile::encode(StateFile::lines(loaded, loadedList)), againList);
    if (loaded.name != typed.name || loadedList != texts[28])
        qFatal("the name or the completed list changed over a save and a load");
    for (int i = 0; i < 9; ++i) {
        const MasterData::Package &t = typed.packages[i];
        const MasterData::Package &l = loaded.packages[i];
        if (l.menge != t.menge || l.mengenart != t.mengenart ||
            (modDef::isAmount(t.fap) && l.fap != modDef::FormatAmount(t.fap, false, 2, false)) ||
            again.packages[i].fap != l.fap)
            qFatal("a package changed over a save and a load");
    }
    return 0;
}
