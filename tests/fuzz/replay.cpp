// Runs a fuzz target over every file under the folders given, so that every input once found
// stays mended without libFuzzer; then over splices of those files, cut and joined at places a
// fixed seed draws: a property test over many inputs made of what the corpus holds.
#include <QDirIterator>
#include <QRandomGenerator>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// replay <splices> <folder>...
int main(int argc, char *argv[])
{
    const auto run = [](const QByteArray &input) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                               size_t(input.size()));
    };
    QList<QByteArray> inputs;
    for (int i = 2; i < argc; ++i) {
        QDirIterator files(QString::fromLocal8Bit(argv[i]), QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(file.fileName()));
            inputs << file.readAll();
            run(inputs.last());
        }
    }
    QRandomGenerator random(1);
    const int splices = inputs.isEmpty() ? 0 : std::atoi(argv[1]);
    for (int n = 0; n < splices; ++n) {
        QByteArray input;
        for (int parts = random.bounded(1, 8); parts > 0; --parts) {
            const QByteArray &from = inputs[random.bounded(int(inputs.size()))];
            const int start = random.bounded(int(from.size()) + 1);
            input += from.mid(start, random.bounded(int(from.size()) - start + 1));
        }
        run(input);
    }
    std::printf("%d inputs replayed, %d splices\n", int(inputs.size()), splices);
    return inputs.isEmpty() ? 1 : 0;
}
