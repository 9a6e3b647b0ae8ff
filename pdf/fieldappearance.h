#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The appearance stream of a filled text field, drawn as a viewer draws it: background and
// border from the field, the text in its font, size and colour, aligned as the field asks.
namespace FieldAppearance
{

struct Font {
    QByteArray resource;                                // its name in the stream's resources
    std::function<QByteArray(const QString &)> operand; // the text as a string operand
    std::function<double(const QString &)> width;       // in thousandths of an em
    double ascent = 750;                                // thousandths of an em
    double descent = -250;
};

struct Box {
    double width = 0;
    double height = 0;
    double border = 1;       // border width; 0 for none
    QByteArray background;   // fill colour operator such as "1 g"; empty for none
    QByteArray borderColour; // stroke colour operator such as "0 0 1 RG"; empty for none
    QByteArray textColour = "0 g";
    int quadding = 0;    // 0 left, 1 centred, 2 right
    double fontSize = 0; // 0: as large as fits, at most 12
    bool multiline = false;
};

QByteArray stream(const Box &box, const Font &font, const QString &text);

// A number as content streams take it: fixed point, never with an exponent.
QByteArray number(double value);
// A name's bytes escaped as a content stream takes them, without the slash.
QByteArray name(const QByteArray &bytes);

} // namespace FieldAppearance
