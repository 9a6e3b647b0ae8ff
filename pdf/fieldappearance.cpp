#include "fieldappearance.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace
{

using namespace FieldAppearance;

constexpr double largestAutoSize = 12;
constexpr double smallestAutoSize = 4;
constexpr double autoSizeStep = 0.5;
// Highlight of selected options, as Acrobat and pdf.js draw it.
constexpr const char *selectedBackground = "0.6 0.75 0.85 rg";

// Writes the text part of a stream, switching fonts only where they change.
class Painter
{
public:
    Painter(const Text &text, double size) : text_(text), size_(size) {}

    void line(const ShapedText &shaped, double x, double y)
    {
        for (const GlyphRun &run : shaped.runs) {
            if (run.glyphs.isEmpty())
                continue;
            if (run.font != font_) {
                font_ = run.font;
                if (!stream.fonts.contains(font_))
                    stream.fonts << font_;
                stream.content += '/' + name(text_.resource(font_)) + ' ' + number(size_) + " Tf\n";
            }
            stream.content +=
                "1 0 0 1 " + number(x) + ' ' + number(y) + " Tm " + showRun(run, size_) + '\n';
            x += run.advance() * size_ / 1000;
        }
    }

    Stream stream;

private:
    const Text &text_;
    double size_;
    int font_ = -1;
};

// The widths of words, each shaped once however often a wrap measures it.
class Measure
{
public:
    explicit Measure(const Text &text) : text_(text) {}
    double operator()(const QString &word)
    {
        auto it = widths_.constFind(word);
        if (it == widths_.cend())
            it = widths_.insert(word, text_.shape(word).advance);
        return *it;
    }

private:
    const Text &text_;
    QHash<QString, double> widths_;
};

// Greedy wrap of every paragraph to `room` (thousandths of an em); a word longer than a line
// is broken between letters.
QStringList wrapped(const QString &text, double room, Measure &measure)
{
    QStringList lines;
    const double space = measure(QStringLiteral(" "));
    for (const QString &paragraph : text.split(u'\n')) {
        QString line;
        double width = 0;
        for (const QString &word : paragraph.split(u' ')) {
            double wordWidth = measure(word);
            if (!line.isEmpty() && width + space + wordWidth > room) {
                lines << line;
                line.clear();
            }
            if (line.isEmpty() && wordWidth > room) {
                QString piece;
                double pieceWidth = 0;
                for (const QString &letter : letters(word)) {
                    const double w = measure(letter);
                    if (!piece.isEmpty() && pieceWidth + w > room) {
                        lines << piece;
                        piece.clear();
                        pieceWidth = 0;
                    }
                    piece += letter;
                    pieceWidth += w;
                }
                line = piece;
                width = pieceWidth;
                continue;
            }
            width = line.isEmpty() ? wordWidth : width + space + wordWidth;
            line = line.isEmpty() ? word : line + u' ' + word;
        }
        lines << line;
    }
    return lines;
}

QByteArray frame(const Box &box)
{
    const double w = box.width;
    const double h = box.height;
    const double b = box.border;
    QByteArray s;
    if (!box.background.isEmpty())
        s += "q " + box.background + " 0 0 " + number(w) + ' ' + number(h) + " re f Q\n";
    if (b > 0 && !box.borderColour.isEmpty()) {
        s += "q " + box.borderColour + ' ' + number(b) + " w " + number(b / 2) + ' ' +
             number(b / 2) + ' ' + number(w - b) + ' ' + number(h - b) + " re S";
        // The cell dividers of a comb field, where they can be told apart.
        const double cell = box.combCells > 0 ? w / box.combCells : 0;
        if (cell >= 2 * b && cell >= 1) {
            for (int i = 1; i < box.combCells; ++i)
                s += ' ' + number(i * cell) + ' ' + number(b) + " m " + number(i * cell) + ' ' +
                     number(h - b) + " l";
            s += " S";
        }
        s += " Q\n";
    }
    return s;
}

QByteArray textStart(const Box &box)
{
    const double b = box.border;
    return "/Tx BMC\nq\n" + number(b) + ' ' + number(b) + ' ' + number(box.width - 2 * b) + ' ' +
           number(box.height - 2 * b) + " re W n\nBT\n" + box.textColour + '\n';
}

const QByteArray textEnd = "ET\nQ\nEMC\n";

double lineHeight(const Text &text)
{
    return std::max((text.ascent - text.descent) / 1000, 0.5);
}

// The baseline of one line centred vertically.
double centredBaseline(const Box &box, const Text &text, double size)
{
    return (box.height - size * lineHeight(text)) / 2 - size * text.descent / 1000;
}

// As large as one line fits the height, at most 12 points.
double heightFit(const Box &box, const Text &text)
{
    return std::min(largestAutoSize, (box.height - 2 * box.border - 2) / lineHeight(text));
}

Stream comb(const Box &box, const Text &text, const QString &value)
{
    const QStringList cells = letters(value).mid(0, box.combCells);
    const double cell = box.width / box.combCells;
    QList<ShapedText> shaped;
    double widest = 0;
    for (const QString &letter : cells) {
        shaped << text.shape(letter);
        widest = std::max(widest, shaped.last().advance);
    }
    double size = box.fontSize;
    if (size <= 0) {
        size = heightFit(box, text);
        if (widest > 0)
            size = std::min(size, (cell - box.border) * 1000 / widest);
        size = std::max(size, smallestAutoSize);
    }
    // Fewer letters than cells fill the cells at the side the field is aligned to.
    const qsizetype spare = box.combCells - cells.size();
    const qsizetype first = box.quadding == 2 ? spare : box.quadding == 1 ? spare / 2 : 0;
    Painter painter(text, size);
    const double baseline = centredBaseline(box, text, size);
    for (qsizetype i = 0; i < shaped.size(); ++i) {
        const double x = (first + i) * cell + (cell - shaped[i].advance * size / 1000) / 2;
        painter.line(shaped[i], x, baseline);
    }
    painter.stream.content = frame(box) + textStart(box) + painter.stream.content + textEnd;
    return painter.stream;
}

} // namespace

namespace FieldAppearance
{

QByteArray number(double value)
{
    if (!std::isfinite(value))
        return "0";
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

Stream text(const Box &box, const Text &text, const QString &value)
{
    if (box.combCells > 0)
        return comb(box, text, value);
    const double w = box.width;
    const double h = box.height;
    const double pad = box.border + 2;
    const double room = std::max(w - 2 * pad, 1.0);

    const QString plain = QString(value).remove(u'\r');
    QList<std::pair<ShapedText, double>> lines; // with their baselines
    double size = box.fontSize;
    if (box.multiline) {
        // Shrunk step by step until every line fits the height.
        Measure measure(text);
        const bool fits = size > 0;
        size = fits ? size : largestAutoSize;
        QStringList wrappedLines = wrapped(plain, room * 1000 / size, measure);
        while (!fits && size > smallestAutoSize &&
               wrappedLines.size() * size * lineHeight(text) > h - 2 * pad) {
            size -= autoSizeStep;
            wrappedLines = wrapped(plain, room * 1000 / size, measure);
        }
        double baseline = h - pad - size * text.ascent / 1000;
        for (const QString &line : std::as_const(wrappedLines)) {
            lines << std::pair{text.shape(line), baseline};
            baseline -= size * lineHeight(text);
        }
    } else {
        ShapedText single = text.shape(QString(plain).replace(u'\n', u' '));
        if (size <= 0) {
            size = heightFit(box, text);
            if (single.advance > 0)
                size = std::min(size, room * 1000 / single.advance);
            size = std::max(size, smallestAutoSize);
        }
        lines << std::pair{single, centredBaseline(box, text, size)};
    }

    Painter painter(text, size);
    for (const auto &[line, baseline] : std::as_const(lines)) {
        const double lineWidth = line.advance * size / 1000;
        const double x = box.quadding == 1   ? (w - lineWidth) / 2
                         : box.quadding == 2 ? w - pad - lineWidth
                                             : pad;
        painter.line(line, x, baseline);
    }
    painter.stream.content = frame(box) + textStart(box) + painter.stream.content + textEnd;
    return painter.stream;
}

Stream listBox(const Box &box, const Text &text, const QStringList &options,
               const QList<int> &selected, int top)
{
    const double size = box.fontSize > 0 ? box.fontSize : largestAutoSize;
    const double step = size * lineHeight(text);
    const double pad = box.border + 2;
    QByteArray highlights;
    Painter painter(text, size);
    double lineTop = box.height - box.border;
    for (int i = std::max(top, 0); i < options.size() && lineTop > box.border; ++i) {
        if (selected.contains(i))
            highlights += number(box.border) + ' ' + number(lineTop - step) + ' ' +
                          number(box.width - 2 * box.border) + ' ' + number(step) + " re f\n";
        painter.line(text.shape(options[i]), pad, lineTop - size * text.ascent / 1000);
        lineTop -= step;
    }
    if (!highlights.isEmpty())
        highlights = "q " + QByteArray(selectedBackground) + '\n' + highlights + "Q\n";
    painter.stream.content =
        frame(box) + highlights + textStart(box) + painter.stream.content + textEnd;
    return painter.stream;
}

} // namespace FieldAppearance
