#include "fieldappearance.h"

#include <QStringList>
#include <algorithm>

namespace
{

constexpr double largestAutoSize = 12;
constexpr double smallestAutoSize = 4;

// Greedy word wrap of every paragraph to `room` (thousandths of an em at size 1).
QStringList wrapped(const QString &text, double room, const FieldAppearance::Font &font)
{
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n')) {
        QString line;
        for (const QString &word : paragraph.split(u' ')) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && font.width(candidate) > room) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

} // namespace

namespace FieldAppearance
{

QByteArray number(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 3);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

QByteArray name(const QByteArray &bytes)
{
    return bytes.toPercentEncoding(QByteArray(), QByteArray(), '#');
}

QByteArray stream(const Box &box, const Font &font, const QString &text)
{
    const double w = box.width;
    const double h = box.height;
    const double b = box.border;
    const double pad = b + 2;
    const double room = std::max(w - 2 * pad, 1.0);
    const double lineHeight = std::max((font.ascent - font.descent) / 1000, 0.5);

    const QString single = QString(text).replace(u'\n', u' ').remove(u'\r');
    double size = box.fontSize;
    if (size <= 0) {
        size = std::min(largestAutoSize, (h - 2 * b - 2) / lineHeight);
        const double textWidth = font.width(single);
        if (!box.multiline && textWidth > 0)
            size = std::min(size, room * 1000 / textWidth);
        size = std::max(size, smallestAutoSize);
    }
    const QStringList lines = box.multiline
                                  ? wrapped(QString(text).remove(u'\r'), room * 1000 / size, font)
                                  : QStringList{single};

    QByteArray s;
    if (!box.background.isEmpty())
        s += "q " + box.background + " 0 0 " + number(w) + ' ' + number(h) + " re f Q\n";
    if (b > 0 && !box.borderColour.isEmpty())
        s += "q " + box.borderColour + ' ' + number(b) + " w " + number(b / 2) + ' ' +
             number(b / 2) + ' ' + number(w - b) + ' ' + number(h - b) + " re S Q\n";
    s += "/Tx BMC\nq\n" + number(b) + ' ' + number(b) + ' ' + number(w - 2 * b) + ' ' +
         number(h - 2 * b) + " re W n\nBT\n/" + name(font.resource) + ' ' + number(size) + " Tf\n" +
         box.textColour + '\n';
    // One line is centred vertically; several run down from the top.
    double baseline = box.multiline ? h - pad - size * font.ascent / 1000
                                    : (h - size * lineHeight) / 2 - size * font.descent / 1000;
    for (const QString &line : lines) {
        const double lineWidth = font.width(line) * size / 1000;
        const double x = box.quadding == 1   ? (w - lineWidth) / 2
                         : box.quadding == 2 ? w - pad - lineWidth
                                             : pad;
        s +=
            "1 0 0 1 " + number(x) + ' ' + number(baseline) + " Tm " + font.operand(line) + " Tj\n";
        baseline -= size * lineHeight;
    }
    s += "ET\nQ\nEMC\n";
    return s;
}

} // namespace FieldAppearance
