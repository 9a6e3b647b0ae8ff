#include "formfiller.h"

#include "fdfreader.h"
#include "fieldappearance.h"
#include "fieldformat.h"
#include "platform/ansitext.h"
#include "platform/asidefile.h"
#include "platform/atomicfile.h"
#include "systemfont.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <stdexcept>

// Build against the std::shared_ptr API of qpdf, without the old PointerHolder.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace
{

using Object = QPDFObjectHandle;

// A format script is a line or two; a larger one is not a standard call.
constexpr qint64 maxScriptSize = 64 << 10;
constexpr qsizetype textFieldMultiline = 1 << 12;
constexpr qsizetype maxShownLength = 4096;

struct TooLarge : std::runtime_error {
    TooLarge() : std::runtime_error("decoded data too large") {}
};

// Takes decoded stream data, keeping it when asked, and stops the decoding past `limit`, so
// that data packed many times over never unpacks whole.
class BoundedSink : public Pipeline
{
public:
    BoundedSink(qint64 limit, bool keep) : Pipeline("bounded", nullptr), limit_(limit), keep_(keep)
    {
    }
    void write(const unsigned char *data, size_t length) override
    {
        size_ += qint64(length);
        // qpdf takes what a pipeline throws for a warning; exceeded() tells afterwards.
        if (size_ > limit_)
            throw TooLarge();
        if (keep_)
            bytes.append(reinterpret_cast<const char *>(data), qsizetype(length));
    }
    void finish() override {}
    bool exceeded() const { return size_ > limit_; }

    QByteArray bytes;

private:
    qint64 limit_;
    bool keep_;
    qint64 size_ = 0;
};

// Objects inside compressed object streams are unpacked by qpdf whole: each is tried first
// within the bound.
void checkObjectStreams(QPDF &pdf)
{
    QSet<int> streams;
    for (const auto &[id, entry] : pdf.getXRefTable()) {
        if (entry.getType() == 2)
            streams.insert(entry.getObjStreamNumber());
    }
    for (int number : std::as_const(streams)) {
        Object stream = pdf.getObjectByID(number, 0);
        BoundedSink sink(FormFiller::maxDecodedSize, false);
        if (stream.isStream())
            stream.pipeStreamData(&sink, 0, qpdf_dl_generalized, true);
        if (sink.exceeded())
            throw TooLarge();
    }
}

// The value at a path of dictionary keys; null where a step is missing or no dictionary.
Object at(Object object, std::initializer_list<const char *> keys)
{
    for (const char *key : keys)
        object = object.isDictionary() ? object.getKey(key) : Object::newNull();
    return object;
}

// A PDF name, "/" and the name's bytes.
std::string pdfName(const QByteArray &name)
{
    return ('/' + name).toStdString();
}

QString text(Object string)
{
    return QString::fromStdString(string.getUTF8Value());
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
        op += FieldAppearance::number(c.getNumericValue()) + ' ';
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

// The font resource, size and colour that a default appearance string such as
// "/Helv 10 Tf 0 g" sets.
struct DefaultAppearance {
    QByteArray font;
    double size = 0;
    QByteArray colour = "0 g";
};

DefaultAppearance parseDefaultAppearance(const QByteArray &da)
{
    DefaultAppearance result;
    const QList<QByteArray> tokens = da.simplified().split(' ');
    const auto numbers = [&tokens](qsizetype from, qsizetype count) {
        bool all = from >= 0;
        for (qsizetype i = from; all && i < from + count; ++i)
            tokens[i].toDouble(&all);
        return all;
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == "Tf" && i >= 2 && tokens[i - 2].startsWith('/') && numbers(i - 1, 1)) {
            result.font = tokens[i - 2].mid(1).percentDecoded('#');
            result.size = std::max(tokens[i - 1].toDouble(), 0.0);
        }
        const int operands = tokens[i] == "g"    ? 1
                             : tokens[i] == "rg" ? 3
                             : tokens[i] == "k"  ? 4
                                                 : 0;
        if (operands > 0 && numbers(i - operands, operands))
            result.colour = tokens.mid(i - operands, operands + 1).join(' ');
    }
    return result;
}

// A font of the form's resources, as far as the filler can draw with it.
class FormFont
{
public:
    FormFont(Object dictionary, const QString &text) : dict_(dictionary)
    {
        Object subtype = dict_.getKey("/Subtype");
        simple_ = dict_.isDictionary() && subtype.isName() &&
                  (subtype.getName() == "/Type1" || subtype.getName() == "/TrueType");
        Object encoding = dict_.getKey("/Encoding");
        winAnsi_ = (encoding.isName() && encoding.getName() == "/WinAnsiEncoding") ||
                   (encoding.isDictionary() && !encoding.hasKey("/Differences") &&
                    encoding.getKey("/BaseEncoding").isName() &&
                    encoding.getKey("/BaseEncoding").getName() == "/WinAnsiEncoding");
        Object widths = dict_.getKey("/Widths");
        if (widths.isArray() && dict_.getKey("/FirstChar").isInteger()) {
            const int first = dict_.getKey("/FirstChar").getIntValueAsInt();
            int code = first;
            for (Object w : widths.aitems())
                widths_.insert(code++, w.isNumber() ? w.getNumericValue() : 0);
        }
        // A font the form embeds may hold only the letters the form was made with.
        Object descriptor = at(dict_, {"/FontDescriptor"});
        embedded_ = descriptor.isDictionary() &&
                    (descriptor.hasKey("/FontFile") || descriptor.hasKey("/FontFile2") ||
                     descriptor.hasKey("/FontFile3"));
        if (simple_)
            metrics_ = SystemFont::find(baseName(), text, false);
    }

    QString baseName() const
    {
        Object name = dict_.getKey("/BaseFont");
        return name.isName() ? QString::fromStdString(name.getName().substr(1))
                             : QStringLiteral("Helvetica");
    }

    // Whether every character of `text` has a code in the font's encoding.
    bool canShow(const QString &text) const
    {
        if (!simple_)
            return false;
        bool lossless = false;
        const QByteArray codes = AnsiText::encode(text, &lossless);
        return lossless && std::all_of(codes.cbegin(), codes.cend(), [this](char c) {
                   const auto code = static_cast<unsigned char>(c);
                   return (winAnsi_ || (code >= 0x20 && code < 0x7F)) &&
                          (!embedded_ || widths_.value(code) > 0);
               });
    }

    FieldAppearance::Font drawing(const QByteArray &resource) const
    {
        FieldAppearance::Font font;
        font.resource = resource;
        font.operand = [](const QString &line) {
            return '<' + AnsiText::encode(line).toHex() + '>';
        };
        font.width = [this](const QString &line) {
            if (widths_.isEmpty())
                return metrics_ ? metrics_->width(line) : 500.0 * line.size();
            double total = 0;
            for (char code : AnsiText::encode(line))
                total += widths_.value(static_cast<unsigned char>(code));
            return total;
        };
        if (metrics_) {
            font.ascent = metrics_->ascent;
            font.descent = metrics_->descent;
        }
        return font;
    }

private:
    mutable Object dict_; // qpdf's handles change nothing when read, but are not const
    bool simple_ = false;
    bool winAnsi_ = false;
    bool embedded_ = false;
    QHash<int, double> widths_;
    std::optional<SystemFont> metrics_;
};

// A font of the system that has the letters the form's fonts lack, embedded whole in the
// filled copy and addressed by glyph number.
struct EmbeddedFont {
    SystemFont font;
    Object dictionary;

    static std::optional<EmbeddedFont> make(QPDF &pdf, const QString &family,
                                            const QString &characters)
    {
        std::optional<SystemFont> font = SystemFont::find(family, characters, true);
        QFile file(font ? font->file : QString());
        if (!font || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray data = file.readAll();
        // qCompress puts the length in front of a zlib stream: what /FlateDecode reads.
        const QByteArray packed = qCompress(data).mid(4);
        Object program = pdf.newStream(packed.toStdString());
        program.replaceStreamData(packed.toStdString(), Object::newName("/FlateDecode"),
                                  Object::newNull());
        program.getDict().replaceKey("/Length1", Object::newInteger(data.size()));

        const std::string name = pdfName(font->postscriptName);
        const auto number = [](double v) {
            return Object::newReal(v, 0);
        };
        Object descriptor = pdf.makeIndirectObject(
            Object::parse("<< /Type /FontDescriptor /StemV 80 /ItalicAngle 0 >>"));
        descriptor.replaceKey("/FontName", Object::newName(name));
        descriptor.replaceKey("/Flags", Object::newInteger(font->fixedPitch ? 33 : 32));
        descriptor.replaceKey("/FontBBox",
                              Object::newArray({number(font->bbox[0]), number(font->bbox[1]),
                                                number(font->bbox[2]), number(font->bbox[3])}));
        descriptor.replaceKey("/Ascent", number(font->ascent));
        descriptor.replaceKey("/Descent", number(font->descent));
        descriptor.replaceKey("/CapHeight", number(font->capHeight));
        descriptor.replaceKey("/FontFile2", program);

        Object widths = Object::newArray();
        for (uint glyph : font->advances.keys()) {
            widths.appendItem(Object::newInteger(glyph));
            widths.appendItem(Object::newArray({number(font->advances.value(glyph))}));
        }
        Object cidFont = pdf.makeIndirectObject(Object::parse(
            "<< /Type /Font /Subtype /CIDFontType2 /CIDToGIDMap /Identity /DW 1000 "
            "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> >>"));
        cidFont.replaceKey("/BaseFont", Object::newName(name));
        cidFont.replaceKey("/FontDescriptor", descriptor);
        cidFont.replaceKey("/W", widths);

        Object type0 = pdf.makeIndirectObject(
            Object::parse("<< /Type /Font /Subtype /Type0 /Encoding /Identity-H >>"));
        type0.replaceKey("/BaseFont", Object::newName(name));
        type0.replaceKey("/DescendantFonts", Object::newArray({cidFont}));
        type0.replaceKey("/ToUnicode", pdf.newStream(unicodeMap(*font).toStdString()));
        return EmbeddedFont{std::move(*font), type0};
    }

    // So that text copied or searched in the filled form reads as what was typed.
    static QByteArray unicodeMap(const SystemFont &font)
    {
        QByteArray map = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                         "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> "
                         "def\n/CMapName /Adobe-Identity-UCS def /CMapType 2 def\n"
                         "1 begincodespacerange <0000> <FFFF> endcodespacerange\n";
        QList<std::pair<uint, char32_t>> pairs;
        for (auto it = font.glyphs.cbegin(); it != font.glyphs.cend(); ++it) {
            if (it.value() != 0)
                pairs.append({it.value(), it.key()});
        }
        std::sort(pairs.begin(), pairs.end());
        for (qsizetype start = 0; start < pairs.size(); start += 100) {
            const qsizetype count = std::min<qsizetype>(100, pairs.size() - start);
            map += QByteArray::number(count) + " beginbfchar\n";
            for (qsizetype i = start; i < start + count; ++i) {
                QByteArray utf16;
                for (QChar unit : QString::fromUcs4(&pairs[i].second, 1))
                    utf16 += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0');
                map += '<' + QByteArray::number(pairs[i].first, 16).rightJustified(4, '0') + "> <" +
                       utf16 + ">\n";
            }
            map += "endbfchar\n";
        }
        return map + "endcmap CMapName currentdict /CMap defineresource pop end end\n";
    }

    FieldAppearance::Font drawing(const QByteArray &resource) const
    {
        FieldAppearance::Font drawn;
        drawn.resource = resource;
        drawn.operand = [this](const QString &line) {
            QByteArray hex = "<";
            for (char32_t c : line.toUcs4())
                hex += QByteArray::number(font.glyphs.value(c), 16).rightJustified(4, '0');
            return hex + '>';
        };
        drawn.width = [this](const QString &line) {
            return font.width(line);
        };
        drawn.ascent = font.ascent;
        drawn.descent = font.descent;
        return drawn;
    }
};

// One widget of a field to fill, with what it shows.
struct Widget {
    QPDFFormFieldObjectHelper field;
    Object annotation;
    FieldFormat::Shown shown;
    DefaultAppearance da;
};

// The font dictionary that /DA names; standard Helvetica where the form has none.
Object formFontDictionary(QPDF &pdf, Object resources, const QByteArray &name, Object &standard)
{
    Object font = at(resources, {"/Font", pdfName(name).c_str()});
    if (font.isDictionary())
        return font;
    if (standard.isNull())
        standard = pdf.makeIndirectObject(Object::parse(
            "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
    return standard;
}

FieldAppearance::Box box(QPDFAnnotationObjectHelper annotation, Widget w)
{
    Object dict = annotation.getObjectHandle();
    const Object::Rectangle rect = annotation.getRect();
    FieldAppearance::Box b;
    b.width = std::abs(rect.urx - rect.llx);
    b.height = std::abs(rect.ury - rect.lly);
    b.background = colour(at(dict, {"/MK", "/BG"}), false);
    b.borderColour = colour(at(dict, {"/MK", "/BC"}), true);
    Object width = at(dict, {"/BS", "/W"});
    b.border = b.borderColour.isEmpty() ? 0 : width.isNumber() ? width.getNumericValue() : 1;
    b.textColour = w.shown.red ? QByteArray("1 0 0 rg") : w.da.colour;
    Object q = dict.getKey("/Q");
    b.quadding = q.isInteger() ? q.getIntValueAsInt() : w.field.getQuadding();
    b.fontSize = w.da.size;
    b.multiline = w.field.getFlags() & textFieldMultiline;
    return b;
}

void setAppearance(QPDF &pdf, Widget w, const FieldAppearance::Font &font, Object fontObject)
{
    QPDFAnnotationObjectHelper annotation(w.annotation);
    const FieldAppearance::Box b = box(annotation, w);
    Object resources = Object::parse("<< /Font << >> >>");
    resources.getKey("/Font").replaceKey(pdfName(font.resource), fontObject);
    Object stream = pdf.newStream(FieldAppearance::stream(b, font, w.shown.text).toStdString());
    Object dict = stream.getDict();
    dict.replaceKey("/Type", Object::newName("/XObject"));
    dict.replaceKey("/Subtype", Object::newName("/Form"));
    dict.replaceKey("/BBox", Object::newArray(Object::Rectangle(0, 0, b.width, b.height)));
    dict.replaceKey("/Resources", resources);
    Object appearances = Object::newDictionary();
    appearances.replaceKey("/N", stream);
    w.annotation.replaceKey("/AP", appearances);
}

// Fills the text fields that `values` name; how many there were.
int fillFields(QPDF &pdf, const QHash<QString, QString> &values)
{
    QPDFAcroFormDocumentHelper acroForm(pdf);
    QList<Widget> widgets;
    QHash<QByteArray, QString> textsByFont;
    int filled = 0;
    for (QPDFFormFieldObjectHelper field : acroForm.getFormFields()) {
        const QString name = QString::fromStdString(field.getFullyQualifiedName());
        const auto value = values.constFind(name);
        if (value == values.cend() || field.getFieldType() != "/Tx")
            continue;
        ++filled;
        // The value stays what the data give; only what is shown is formatted.
        field.setV(Object::newUnicodeString(value->toStdString()), false);
        for (QPDFAnnotationObjectHelper annotation : acroForm.getAnnotationsForField(field)) {
            Object own = annotation.getObjectHandle().getKey("/DA");
            const std::string da =
                own.isString() ? own.getStringValue() : field.getDefaultAppearance();
            Widget w{
                field, annotation.getObjectHandle(),
                FieldFormat::apply(
                    formatScript(field.getObjectHandle(), annotation.getObjectHandle()), *value),
                parseDefaultAppearance(QByteArray::fromStdString(da))};
            if (w.da.font.isEmpty())
                w.da.font = "Helv";
            // A field shows a line or a few; the value itself stays whole.
            w.shown.text.truncate(maxShownLength);
            textsByFont[w.da.font] += w.shown.text;
            widgets.append(w);
        }
    }
    if (widgets.isEmpty())
        return filled;

    // The form's default resources, which every field shares.
    const Object resources = at(pdf.getRoot(), {"/AcroForm", "/DR"});
    Object standard = Object::newNull();
    QHash<QByteArray, std::pair<Object, std::shared_ptr<FormFont>>> fonts;
    for (auto it = textsByFont.cbegin(); it != textsByFont.cend(); ++it) {
        Object dictionary = formFontDictionary(pdf, resources, it.key(), standard);
        fonts.insert(it.key(), {dictionary, std::make_shared<FormFont>(dictionary, it.value())});
    }
    QString beyond;
    QString family;
    for (const Widget &w : std::as_const(widgets)) {
        const FormFont &font = *fonts.value(w.da.font).second;
        if (!font.canShow(w.shown.text)) {
            beyond += w.shown.text;
            family = family.isEmpty() ? font.baseName() : family;
        }
    }
    const std::optional<EmbeddedFont> embedded =
        beyond.isEmpty() ? std::nullopt : EmbeddedFont::make(pdf, family, beyond);

    for (const Widget &w : std::as_const(widgets)) {
        const auto &[dictionary, font] = fonts.value(w.da.font);
        if (embedded && !font->canShow(w.shown.text))
            setAppearance(pdf, w, embedded->drawing("VraUnicode"), embedded->dictionary);
        else
            setAppearance(pdf, w, font->drawing(w.da.font), dictionary);
    }
    return filled;
}

std::string written(QPDF &pdf)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // Streams the filler did not make are copied as they are, never unpacked.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(false);
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize());
}

// A signature covers the bytes it signed: filling the copy would break it.
bool isSigned(QPDF &pdf)
{
    QPDFAcroFormDocumentHelper acroForm(pdf);
    for (QPDFFormFieldObjectHelper field : acroForm.getFormFields()) {
        if (field.getFieldType() == "/Sig" && field.getValue().isDictionary())
            return true;
    }
    return at(pdf.getRoot(), {"/Perms", "/DocMDP"}).isDictionary();
}

// The form read whole, its object streams first tried within the bound.
void open(QPDF &pdf, const QString &file)
{
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(file).constData());
    checkObjectStreams(pdf);
}

// Why a form cannot be read, for the user.
std::pair<FormFiller::Failure, QString> unreadable(const std::exception &e, const QString &form)
{
    using FormFiller::Failure;
    if (dynamic_cast<const TooLarge *>(&e))
        return {Failure::FormTooLarge,
                QStringLiteral("Das Formular %1 enthält Daten, die entpackt größer als %2 MB "
                               "wären.")
                    .arg(form)
                    .arg(FormFiller::maxDecodedSize >> 20)};
    const auto *qpdfError = dynamic_cast<const QPDFExc *>(&e);
    if (qpdfError && qpdfError->getErrorCode() == qpdf_e_password)
        return {Failure::FormProtected,
                QStringLiteral("Das Formular %1 ist mit einem Kennwort geschützt.").arg(form)};
    return {Failure::FormDamaged, QStringLiteral("Das Formular %1 ist beschädigt (%2).")
                                      .arg(form, QString::fromLocal8Bit(e.what()))};
}

FormFiller::Result writeCopy(const QString &copy, const std::string &bytes, const QString &sheet,
                             const QString &notice = {})
{
    const QString error = AtomicFile::write(copy, QByteArray::fromStdString(bytes));
    if (!error.isEmpty())
        return {FormFiller::Failure::NotWritable, {}, sheet, error, notice};
    return {FormFiller::Failure::None, copy, sheet, {}, notice};
}

// The copy the user may have worked on since: filled anew where the master data go, left as
// it is where that would break a signature or the user protected it. Nothing when it cannot
// be read: the caller moves it aside.
std::optional<FormFiller::Result> refilled(const QString &copy, const QString &sheet,
                                           const QHash<QString, QString> &values)
{
    using FormFiller::Failure;
    const QFileInfo info(copy);
    if (info.size() > FormFiller::maxFormSize)
        return FormFiller::Result{Failure::FormTooLarge,
                                  {},
                                  sheet,
                                  QStringLiteral("Die ausgefüllte Kopie %1 ist größer als %2 MB.")
                                      .arg(copy)
                                      .arg(FormFiller::maxFormSize >> 20),
                                  {}};
    try {
        QPDF pdf;
        open(pdf, copy);
        if (isSigned(pdf))
            return FormFiller::Result{
                Failure::None,
                copy,
                sheet,
                {},
                QStringLiteral("Die ausgefüllte Kopie %1 ist digital unterschrieben. Sie wird "
                               "unverändert verwendet: Die Stammdaten werden nicht eingetragen, "
                               "damit die Unterschrift gültig bleibt.")
                    .arg(copy)};
        // As the owner set it, which even an administrator respects here.
        if (!(info.permissions() & QFileDevice::WriteOwner))
            return FormFiller::Result{
                Failure::None,
                copy,
                sheet,
                {},
                QStringLiteral("Die ausgefüllte Kopie %1 ist schreibgeschützt. Sie wird "
                               "unverändert verwendet; die Stammdaten werden nicht eingetragen.")
                    .arg(copy)};
        if (fillFields(pdf, values) == 0 && !values.isEmpty())
            return FormFiller::Result{
                Failure::None,
                copy,
                sheet,
                {},
                QStringLiteral("In der ausgefüllten Kopie %1 gibt es keines der Felder für die "
                               "Stammdaten mehr; vielleicht hat ein Programm sie umbenannt. Die "
                               "Kopie bleibt, wie sie ist. Um das Formblatt neu zu beginnen, "
                               "wählen Sie im Kontextmenü des Formblatts „Formblatt neu "
                               "beginnen …“.")
                    .arg(copy)};
        return writeCopy(copy, written(pdf), sheet);
    } catch (const TooLarge &e) {
        return FormFiller::Result{Failure::FormTooLarge, {}, sheet, unreadable(e, copy).second, {}};
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

// Where the filled copy of `file` goes, and why it cannot go there; the copy itself where a
// link inside the folder points to it.
std::pair<QString, QString> copyPath(const QString &file, const QString &outputFolder)
{
    const QString copy = QDir(outputFolder).filePath(QFileInfo(file).fileName());
    const QFileInfo info(copy);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        if (QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath() !=
            QDir(outputFolder).canonicalPath())
            return {copy, QStringLiteral("Die ausgefüllte Kopie %1 ist eine Verknüpfung auf %2 "
                                         "außerhalb des Ordners %3. Sie bleibt unverändert.")
                              .arg(copy, target, outputFolder)};
        return {target, {}};
    }
    if (info.isDir())
        return {copy, QStringLiteral("An der Stelle der ausgefüllten Kopie %1 steht ein Ordner. "
                                     "Er bleibt unverändert.")
                          .arg(copy)};
    return {copy, {}};
}

} // namespace

namespace FormFiller
{

Result fill(const QByteArray &fdf, const QString &fdfFolder, const QString &outputFolder)
{
    if (fdf.size() > maxFdfSize)
        return {Failure::DataTooLarge,
                {},
                {},
                QStringLiteral("Die Formulardaten sind größer als %1 MB.").arg(maxFdfSize >> 20),
                {}};
    const std::optional<Fdf::FormData> data = Fdf::read(fdf);
    if (!data || data->file.isEmpty())
        return {Failure::DataUnreadable,
                {},
                {},
                QStringLiteral("Die Formulardaten sind nicht lesbar."),
                {}};
    const QString sheet = QFileInfo(data->file).completeBaseName();
    QHash<QString, QString> values;
    for (const auto &[name, value] : data->fields)
        values.insert(name, value);

    // The copy goes into the output folder whatever path /F gives.
    if (!QDir().mkpath(outputFolder))
        return {Failure::NotWritable,
                {},
                sheet,
                QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(outputFolder),
                {}};
    const auto [copy, inTheWay] = copyPath(data->file, outputFolder);
    if (!inTheWay.isEmpty())
        return {Failure::NotWritable, {}, sheet, inTheWay, {}};
    QString notice;
    if (QFileInfo::exists(copy)) {
        if (std::optional<Result> result = refilled(copy, sheet, values))
            return *result;
        // Never overwritten: what the user did with it stays at hand.
        const QString aside = AsideFile::move(copy, QStringLiteral("unlesbar"));
        if (aside.isEmpty())
            return {Failure::NotWritable,
                    {},
                    sheet,
                    QStringLiteral("Die ausgefüllte Kopie %1 kann nicht gelesen und nicht "
                                   "beiseitegelegt werden.")
                        .arg(copy),
                    {}};
        notice = QStringLiteral("Die ausgefüllte Kopie konnte nicht gelesen werden. Sie liegt "
                                "jetzt unter\n%1\n\nDas Formblatt wurde neu aus dem leeren "
                                "Formular ausgefüllt.")
                     .arg(aside);
    }

    const QString form = QDir(fdfFolder).filePath(data->file);
    const QFileInfo info(form);
    if (!info.isFile())
        return {Failure::FormMissing,
                {},
                sheet,
                QStringLiteral("Das Formular %1 fehlt.").arg(form),
                notice};
    if (info.size() > maxFormSize)
        return {Failure::FormTooLarge,
                {},
                sheet,
                QStringLiteral("Das Formular %1 ist größer als %2 MB.")
                    .arg(form)
                    .arg(maxFormSize >> 20),
                notice};
    try {
        QPDF pdf;
        open(pdf, form);
        fillFields(pdf, values);
        return writeCopy(copy, written(pdf), sheet, notice);
    } catch (const std::exception &e) {
        const auto [failure, error] = unreadable(e, form);
        return {failure, {}, sheet, error, notice};
    }
}

} // namespace FormFiller
