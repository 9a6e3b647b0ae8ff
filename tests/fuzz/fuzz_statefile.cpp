// The state file: any file loads, and what the fields hold, saved and loaded, comes back
// unchanged (prices in their display form).
#include "catalogue/statefile.h"
#include "common/amount.h"
#include "fuzzinput.h"

#include <QBuffer>

namespace
{

QStringList roundTrip(const MasterData &data, const QString &list, MasterData &loaded,
                      QString &loadedList)
{
    QByteArray bytes = StateFile::encode(StateFile::lines(data, list));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const QStringList lines = StateFile::read(file);
    StateFile::apply(lines, loaded, loadedList);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input = fuzzBytes(data, size);
    QBuffer file(&input);
    file.open(QIODevice::ReadOnly);
    MasterData any;
    QString anyList;
    StateFile::apply(StateFile::read(file), any, anyList);

    const QStringList texts = fuzzTexts(input, 29);
    MasterData typed;
    for (int i = 0; i < 9; ++i)
        typed.packages[i] = {texts[3 * i], texts[3 * i + 1], texts[3 * i + 2]};
    typed.name = texts[27];
    MasterData loaded;
    QString loadedList;
    roundTrip(typed, texts[28], loaded, loadedList);
    for (int i = 0; i < 9; ++i) {
        const MasterData::Package &t = typed.packages[i];
        const MasterData::Package &l = loaded.packages[i];
        if (l.menge != t.menge || l.mengenart != t.mengenart)
            qFatal("a package changed over a save and a load");
        if (modDef::isAmount(t.fap) && l.fap != modDef::FormatAmount(t.fap, false, 2, false))
            qFatal("a price changed over a save and a load");
    }
    if (loaded.name != typed.name || loadedList != texts[28])
        qFatal("the name or the completed list changed over a save and a load");

    MasterData again;
    QString againList;
    roundTrip(loaded, loadedList, again, againList);
    for (int i = 0; i < 9; ++i) {
        if (again.packages[i].fap != loaded.packages[i].fap)
            qFatal("a loaded price changed over another save and load");
    }
    return 0;
}
