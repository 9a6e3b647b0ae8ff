#include "widgetappearance.h"

#include "boundedsink.h"
#include "defaultappearance.h"
#include "fieldappearance.h"
#include "fieldformat.h"
#include "packedstream.h"
#include "pdfobjects.h"
#include "textshaping.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace
{

using Object = QPDFObjectHandle;
using PdfObject::at;

// A format script is a line or two; a larger one is not a standard call.
constexpr qint64 maxScriptSize = 64 << 10;
// A field shows a line or a few; the value itself stays whole.
constexpr qsizetype maxShownLength = 4096;

constexpr int flagMultiline = 1 << 12;
constexpr int flagPassword = 1 << 13;
constexpr int flagFileSelect = 1 << 20;
constexpr int flagComb = 1 << 24;
constexpr int flagCombo = 1 << 17;

std::string pdfName(const QByteArray &name)
{
    return ('/' + name).toStdString();
}

QString text(Object string)
{
    return string.isString() ? QString::fromStdString(string.getUTF8Value()) : QString();
}

// 0, 90, 180 or 270 for a quarter turn; other angles turn nothing, as in viewers.
int quarterTurns(Object angle)
{
    if (!angle.isNumber())
        return 0;
    const double degrees = std::fmod(std::fmod(angle.getNumericValue(), 360) + 360, 360);
    if (!std::isfinite(degrees))
        return 0;
    const long quarter = std::lround(degrees / 90);
    return std::abs(degrees - 90.0 * double(quarter)) < 0.01 ? int(quarter % 4) * 90 : 0;
}

double orZero(double value)
{
    return std::isfinite(value) ? value : 0;
}

// The JavaScript of the field's format action, from the field or its widget.
QString formatScript(Object field, Object widget)
{
    for (Object dictionary : {field, widget}) {
        Object js = at(dictionary, {"/AA", "/F", "/JS"});
        if (js.isString())
            return text(js);
        if (js.isStream()) {
            BoundedSink sink(maxScriptSize, true);
            js.pipeStreamData(&sink, 0, qpdf_dl_generalized, true);
            return sink.exceeded() ? QString() : QString::fromLatin1(sink.bytes);
        }
    }
    return QString();
}

// "0.5 g" for a gray, "1 0 0 rg" for RGB, "0 0 0 1 k" for CMYK; capitals to stroke.
QByteArray colour(Object components, bool stroke)
{
    if (!components.isArray())
        return QByteArray();
    QByteArray op;
    for (Object c : components.aitems()) {
        if (!c.isNumber())
            return QByteArray();
        op += FieldAppearance::number(std::clamp(orZero(c.getNumericValue()), 0.0, 1.0)) + ' ';
    }
    switch (components.getArrayNItems()) {
    case 1:
        return op + (stroke ? "G" : "g");
    case 3:
        return op + (stroke ? "RG" : "rg");
    case 4:
        return op + (stroke ? "K" : "k");
    default:
        return QByteArray();
    }
}

// At most `length` code units, never half a letter outside the Basic Multilingual Plane.
QString shortened(QString value, qsizetype length)
{
    if (value.size() > length) {
        value.truncate(length);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

QByteArray systemFontResource(int font)
{
    return "VraF" + QByteArray::number(font);
}

// The field's /MaxLen, which a comb field also divides into cells; 0 where it sets none.
int maxLength(QPDFFormFieldObjectHelper field)
{
    Object value = field.getInheritableFieldValue("/MaxLen");
    return value.isInteger() ? int(std::clamp<long long>(value.getIntValue(), 0, INT_MAX)) : 0;
}

} // namespace

struct AppearanceWriter::Setting {
    QByteArray resource; // the form's font, as the default appearance names it
    Object fontDictionary;
    DefaultAppearance da;
    FieldAppearance::Box box;
    int rotation = 0;
};

AppearanceWriter::AppearanceWriter(QPDF &pdf)
    : pdf_(pdf), fonts_(pdf), resources_(at(pdf.getRoot(), {"/AcroForm", "/DR"}))
{
    for (QPDFPageObjectHelper page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        const int rotation = quarterTurns(page.getAttribute("/Rotate", false));
        Object annotations = page.getObjectHandle().getKey("/Annots");
        if (!annotations.isArray())
            continue;
        for (Object annotation : annotations.aitems())
            pageRotation_[annotation.getObjGen()] = rotation;
    }
}

QString AppearanceWriter::withinMaxLength(QPDFFormFieldObjectHelper field, const QString &value)
{
    const int length = maxLength(field);
    return length == 0 ? value : letters(value).mid(0, length).join(QString());
}

AppearanceWriter::Setting AppearanceWriter::setting(QPDFFormFieldObjectHelper field,
                                                    QPDFAnnotationObjectHelper widget)
{
    Object dict = widget.getObjectHandle();
    Setting s;
    Object own = dict.getKey("/DA");
    s.da = DefaultAppearance::parse(QByteArray::fromStdString(
        own.isString() ? own.getStringValue() : field.getDefaultAppearance()));
    s.resource = s.da.font.isEmpty() ? QByteArrayLiteral("Helv") : s.da.font;
    // The font the default appearance names, in the form's resources or, as some tools
    // leave it, only in the widget's own appearance; standard Helvetica where there is none.
    s.fontDictionary = at(resources_, {"/Font", pdfName(s.resource).c_str()});
    if (!s.fontDictionary.isDictionary())
        s.fontDictionary =
            at(dict, {"/AP", "/N", "/Resources", "/Font", pdfName(s.resource).c_str()});
    if (!s.fontDictionary.isDictionary()) {
        if (!standardFont_.isInitialized())
            standardFont_ = pdf_.makeIndirectObject(Object::parse(
                "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding "
                ">>"));
        s.fontDictionary = standardFont_;
    }

    const Object::Rectangle rect = widget.getRect();
    const double width = std::abs(orZero(rect.urx - rect.llx));
    const double height = std::abs(orZero(rect.ury - rect.lly));
    // A widget turned on its page reads as its /MK /R says. On a turned page, one the form
    // left unturned is read with the page, as a person reads the page, where it is wide as
    // shown there.
    const auto found = pageRotation_.find(dict.getObjGen());
    const int pageTurn = found == pageRotation_.end() ? 0 : found->second;
    s.rotation = quarterTurns(at(dict, {"/MK", "/R"}));
    if (s.rotation == 0 && (pageTurn == 180 || (pageTurn != 0 && height > width)))
        s.rotation = pageTurn;
    FieldAppearance::Box &b = s.box;
    const bool sideways = s.rotation == 90 || s.rotation == 270;
    b.width = sideways ? height : width;
    b.height = sideways ? width : height;
    b.background = colour(at(dict, {"/MK", "/BG"}), false);
    b.borderColour = colour(at(dict, {"/MK", "/BC"}), true);
    Object borderWidth = at(dict, {"/BS", "/W"});
    b.border = b.borderColour.isEmpty() ? 0
               : borderWidth.isNumber() ? std::clamp(orZero(borderWidth.getNumericValue()), 0.0,
                                                     std::min(width, height) / 2)
                                        : 1;
    b.textColour = s.da.colour;
    Object q = dict.getKey("/Q");
    b.quadding = q.isInteger() ? q.getIntValueAsInt() : field.getQuadding();
    b.fontSize = s.da.size;
    return s;
}

FieldAppearance::Text AppearanceWriter::textSetting(const FormFont &font, TextShaper &shaper,
                                                    const Setting &s)
{
    return {[&shaper](const QString &line) { return shaper.shape(line); },
            [&s](int f) { return f == 0 ? s.resource : systemFontResource(f); }, font.ascent(),
            font.descent()};
}

FontFallback &AppearanceWriter::fallback(const QString &pdfFontName)
{
    std::unique_ptr<FontFallback> &f = fallbacks_[pdfFontName];
    if (!f)
        f = std::make_unique<FontFallback>(pdfFontName);
    return *f;
}

void AppearanceWriter::drawText(QPDFFormFieldObjectHelper field, QPDFAnnotationObjectHelper widget,
                                const QString &value)
{
    Setting s = setting(field, widget);
    const int flags = field.getFlags();
    const FieldFormat::Shown shown =
        FieldFormat::apply(formatScript(field.getObjectHandle(), widget.getObjectHandle()),
                           withinMaxLength(field, value));
    QString text = shortened(shown.text, maxShownLength);
    if (flags & flagPassword)
        text = QString(letters(text).size(), u'*');
    if (shown.red)
        s.box.textColour = "1 0 0 rg";
    s.box.multiline = flags & flagMultiline;
    if ((flags & flagComb) && !(flags & (flagMultiline | flagPassword | flagFileSelect)))
        s.box.combCells = maxLength(field);

    FontFallback &similar = fallback(FormFont::baseName(s.fontDictionary));
    const FormFont font(s.fontDictionary, similar);
    TextShaper shaper(font, similar, fonts_);
    const FieldAppearance::Text setText = textSetting(font, shaper, s);
    const FieldAppearance::Stream stream = FieldAppearance::text(s.box, setText, text);
    write(widget, s, stream.content, stream.fonts);
}

void AppearanceWriter::drawChoice(QPDFFormFieldObjectHelper field,
                                  QPDFAnnotationObjectHelper widget)
{
    Setting s = setting(field, widget);
    // Options are texts, or pairs of the value and the text shown for it.
    QStringList values;
    QStringList shown;
    Object options = field.getInheritableFieldValue("/Opt");
    if (options.isArray()) {
        for (Object option : options.aitems()) {
            const bool pair = option.isArray() && option.getArrayNItems() >= 2;
            values << text(pair ? option.getArrayItem(0) : option);
            shown << text(pair ? option.getArrayItem(1) : option);
        }
    }
    QStringList chosen;
    Object value = field.getInheritableFieldValue("/V");
    if (value.isArray()) {
        for (Object v : value.aitems())
            chosen << text(v);
    } else {
        chosen << text(value);
    }

    FontFallback &similar = fallback(FormFont::baseName(s.fontDictionary));
    const FormFont font(s.fontDictionary, similar);
    TextShaper shaper(font, similar, fonts_);
    const FieldAppearance::Text setText = textSetting(font, shaper, s);
    FieldAppearance::Stream stream;
    if (field.getFlags() & flagCombo) {
        const qsizetype index = values.indexOf(chosen.value(0));
        stream = FieldAppearance::text(
            s.box, setText, shortened(index >= 0 ? shown[index] : chosen.value(0), maxShownLength));
    } else {
        // Selected options by their numbers where the field keeps them, else by value.
        QList<int> selected;
        Object indices = field.getObjectHandle().getKey("/I");
        if (indices.isArray()) {
            for (Object i : indices.aitems()) {
                if (i.isInteger())
                    selected << i.getIntValueAsInt();
            }
        } else {
            for (int i = 0; i < values.size(); ++i) {
                if (chosen.contains(values[i]))
                    selected << i;
            }
        }
        Object top = field.getObjectHandle().getKey("/TI");
        stream = FieldAppearance::listBox(s.box, setText, shown, selected,
                                          top.isInteger() ? top.getIntValueAsInt() : 0);
    }
    write(widget, s, stream.content, stream.fonts);
}

void AppearanceWriter::write(QPDFAnnotationObjectHelper widget, const Setting &s,
                             const QByteArray &content, const QList<int> &fonts)
{
    Object fontResources = Object::newDictionary();
    for (int f : fonts) {
        if (f == 0)
            fontResources.replaceKey(pdfName(s.resource), s.fontDictionary);
        else
            fontResources.replaceKey(pdfName(systemFontResource(f)), fonts_.subset(f).font());
    }
    Object resources = Object::newDictionary();
    resources.replaceKey("/Font", fontResources);
    Object stream = packedStream(pdf_, content);
    Object dict = stream.getDict();
    dict.replaceKey("/Type", Object::newName("/XObject"));
    dict.replaceKey("/Subtype", Object::newName("/Form"));
    dict.replaceKey("/BBox", Object::newArray(Object::Rectangle(0, 0, s.box.width, s.box.height)));
    // Turned counterclockwise; viewers fit the turned box onto the widget's rectangle.
    if (s.rotation != 0) {
        QPDFMatrix turn;
        turn.rotatex90(s.rotation);
        dict.replaceKey("/Matrix", Object::newArray(turn));
    }
    dict.replaceKey("/Resources", resources);
    Object appearances = Object::newDictionary();
    appearances.replaceKey("/N", stream);
    widget.getObjectHandle().replaceKey("/AP", appearances);
}

void AppearanceWriter::embedFonts()
{
    fonts_.embed();
}
