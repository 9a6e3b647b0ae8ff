#pragma once

#include "textshaping.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// The appearance stream of a filled field, drawn as a viewer draws it: background and border
// from the field, the text in its fonts, size and colour, aligned as the field asks, one
// letter to a cell in comb fields, wrapped and shrunk to fit in multiline ones.
namespace FieldAppearance
{

// How a field's text is set.
struct Text {
    std::function<ShapedText(const QString &)> shape;
    std::function<QByteArray(int font)> resource; // a font's name in the stream's resources
    double ascent = 750;                          // of the form's font, thousandths of an em
    double descent = -250;
};

struct Box {
    double width = 0; // in the appearance's own space, where the text runs along the width
    double height = 0;
    double border = 1;       // border width; 0 for none
    QByteArray background;   // fill colour operator such as "1 g"; empty for none
    QByteArray borderColour; // stroke colour operator such as "0 0 1 RG"; empty for none
    QByteArray textColour = "0 g";
    int quadding = 0;    // 1 centred, 2 right, any other left
    double fontSize = 0; // 0: as large as fits, at most 12
    bool multiline = false;
    int combCells = 0; // a comb field's cells; 0 for other fields
};

struct Stream {
    QByteArray content;
    QList<int> fonts; // those it names, numbered as GlyphRun::font
};

Stream text(const Box &box, const Text &text, const QString &value);
// A list box showing its options from `top` on, the selected ones highlighted.
Stream listBox(const Box &box, const Text &text, const QStringList &options,
               const QList<int> &selected, int top);

// A number as content streams take it: fixed point, never with an exponent.
QByteArray number(double value);
// A name's bytes escaped as a content stream takes them, without the slash.
QByteArray name(const QByteArray &bytes);

} // namespace FieldAppearance
