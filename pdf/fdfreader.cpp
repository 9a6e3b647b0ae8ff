#include "fdfreader.h"

#include "pdfobjects.h"
#include "platform/ansitext.h"

#include <QStringDecoder>
#include <map>
#include <set>

#include <qpdf/BufferInputSource.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFTokenizer.hh>

namespace
{

using Object = QPDFObjectHandle;
using PdfObject::at;
using Token = QPDFTokenizer::Token;

// Field trees deeper than this are cycles or mischief.
constexpr int maxFieldDepth = 32;
// More objects than any form has fields; the data were written by no template.
constexpr size_t maxObjects = 1 << 16;

// The indirect objects and the trailer of FDF data, read in order from their start as FDF
// files are written, with qpdf's tokenizer and parser for the object syntax. Not qpdf's
// recovery of damaged files: it finds objects by searching for "obj", which a value may hold.
struct Body {
    QPDF context;                         // where references resolve
    std::map<QPDFObjGen, Object> objects; // the first of a number counts
    Object trailer = Object::newNull();   // null when the data end without one

    bool read(const QByteArray &fdf);

private:
    bool object(const Token &number, const std::shared_ptr<InputSource> &input,
                QPDFTokenizer &tokenizer);
};

bool Body::read(const QByteArray &fdf)
{
    const auto input = std::make_shared<BufferInputSource>("FDF", fdf.toStdString());
    QPDFTokenizer tokenizer;
    tokenizer.allowEOF();
    context.setSuppressWarnings(true);
    context.emptyPDF();
    for (;;) {
        const Token t = tokenizer.readToken(input, "FDF", true);
        if (t.getType() == QPDFTokenizer::tt_eof)
            return true;
        if (t.isWord("trailer")) {
            bool empty = false;
            trailer = Object::parse(input, "FDF trailer", tokenizer, empty, nullptr, &context);
            return !empty;
        }
        if (t.isWord("xref")) {
            // A cross-reference table has numbers and "f" and "n" up to the trailer.
            for (;;) {
                const qpdf_offset_t before = input->tell();
                const Token entry = tokenizer.readToken(input, "FDF", true);
                if (!entry.isInteger() && !entry.isWord("f") && !entry.isWord("n")) {
                    input->seek(before, SEEK_SET);
                    break;
                }
            }
        } else if (objects.size() >= maxObjects || !object(t, input, tokenizer)) {
            return false;
        }
    }
}

// "n g obj ... endobj"; stream data are skipped by their direct length, FDF data keep no
// values in them.
bool Body::object(const Token &number, const std::shared_ptr<InputSource> &input,
                  QPDFTokenizer &tokenizer)
{
    const Token generation = tokenizer.readToken(input, "FDF", true);
    const Token keyword = tokenizer.readToken(input, "FDF", true);
    bool numbered = false;
    bool generated = false;
    const int n = QByteArray::fromStdString(number.getValue()).toInt(&numbered);
    const int g = QByteArray::fromStdString(generation.getValue()).toInt(&generated);
    if (!number.isInteger() || !generation.isInteger() || !numbered || !generated || n < 0 ||
        g < 0 || !keyword.isWord("obj"))
        return false;
    bool empty = false;
    Object value = Object::parse(input, "FDF object", tokenizer, empty, nullptr, &context);
    Token end = tokenizer.readToken(input, "FDF", true);
    if (end.isWord("stream")) {
        Object length = value.isDictionary() ? value.getKey("/Length") : Object::newNull();
        // The data start after "\r\n", "\n" or "\r".
        char c = 0;
        if (input->read(&c, 1) == 1 && c != '\n' &&
            (c != '\r' || (input->read(&c, 1) == 1 && c != '\n')))
            input->unreadCh(c);
        const qpdf_offset_t start = input->tell();
        input->seek(0, SEEK_END);
        if (!length.isInteger() || length.getIntValue() < 0 ||
            length.getIntValue() > input->tell() - start)
            return false;
        input->seek(start + length.getIntValue(), SEEK_SET);
        if (!tokenizer.readToken(input, "FDF", true).isWord("endstream"))
            return false;
        end = tokenizer.readToken(input, "FDF", true);
    }
    if (empty || !end.isWord("endobj") || value.isIndirect())
        return false;
    if (objects.emplace(QPDFObjGen(n, g), value).second)
        context.replaceObject(QPDFObjGen(n, g), value);
    return true;
}

QString textString(Object string)
{
    const QByteArray bytes = QByteArray::fromStdString(string.getStringValue());
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return AnsiText::decode(bytes);
}

// A file name is bytes of the file system (UTF-8 here), or Windows-1252 where it was written
// so; a file dictionary (/Type /Filespec) may carry a Unicode name.
QString fileName(Object f)
{
    if (f.isString())
        return AnsiText::decodeAuto(QByteArray::fromStdString(f.getStringValue()));
    if (Object unicode = at(f, {"/UF"}); unicode.isString())
        return textString(unicode);
    Object plain = at(f, {"/F"});
    return plain.isString()
               ? AnsiText::decodeAuto(QByteArray::fromStdString(plain.getStringValue()))
               : QString();
}

// Each object is visited once: a field that names itself or another twice among its kids
// would otherwise take the reader round without end.
void collect(Object fields, const QString &prefix, Fdf::FormData &data, int depth,
             std::set<QPDFObjGen> &visited)
{
    if (!fields.isArray() || depth > maxFieldDepth)
        return;
    for (Object field : fields.aitems()) {
        if (field.isIndirect() && !visited.insert(field.getObjGen()).second)
            continue;
        if (!field.isDictionary())
            continue;
        QString name = prefix;
        if (field.getKey("/T").isString())
            name += (prefix.isEmpty() ? QString() : QStringLiteral(".")) +
                    textString(field.getKey("/T"));
        if (field.getKey("/V").isString())
            data.fields.append({name, textString(field.getKey("/V"))});
        collect(field.getKey("/Kids"), name, data, depth + 1, visited);
    }
}

} // namespace

namespace Fdf
{

std::optional<FormData> read(const QByteArray &fdf)
{
    if (!fdf.startsWith("%FDF-"))
        return std::nullopt;
    try {
        Body body;
        if (!body.read(fdf))
            return std::nullopt;
        // Without a trailer naming the root, the first object that carries form data serves.
        Object root = at(body.trailer, {"/Root"});
        for (auto it = body.objects.cbegin();
             !at(root, {"/FDF"}).isDictionary() && it != body.objects.cend(); ++it)
            root = it->second;
        Object fdfDictionary = at(root, {"/FDF"});
        if (!fdfDictionary.isDictionary())
            return std::nullopt;
        FormData data;
        data.file = fileName(fdfDictionary.getKey("/F"));
        std::set<QPDFObjGen> visited;
        collect(fdfDictionary.getKey("/Fields"), QString(), data, 0, visited);
        return data;
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

} // namespace Fdf
