#include "fdfreader.h"

#include "pdfsyntax.h"
#include "platform/ansitext.h"

#include <QSet>
#include <QStringDecoder>

namespace
{

using Kind = PdfObject::Kind;

// Field trees deeper than this are cycles or mischief.
constexpr int maxFieldDepth = 32;

QString textString(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return AnsiText::decode(bytes);
}

// A file name is bytes of the file system (UTF-8 here), or Windows-1252 where it was written
// so; a file dictionary (/Type /Filespec) may carry a Unicode name.
QString fileName(const PdfBody &body, const PdfObject &entry)
{
    const PdfObject &f = body.resolve(entry);
    if (f.is(Kind::String))
        return AnsiText::decodeAuto(f.bytes);
    if (!f.is(Kind::Dictionary))
        return QString();
    const PdfObject &unicode = body.resolve(f["UF"]);
    if (unicode.is(Kind::String))
        return textString(unicode.bytes);
    const PdfObject &plain = body.resolve(f["F"]);
    return plain.is(Kind::String) ? AnsiText::decodeAuto(plain.bytes) : QString();
}

// Each object is visited once: a field that names itself or another twice among its kids
// would otherwise take the reader round without end.
void collect(const PdfBody &body, const PdfObject &fields, const QString &prefix,
             Fdf::FormData &data, int depth, QSet<int> &visited)
{
    const PdfObject &list = body.resolve(fields);
    if (!list.is(Kind::Array) || depth > maxFieldDepth)
        return;
    for (const PdfObject &item : list.items) {
        if (item.is(Kind::Reference)) {
            if (visited.contains(item.objectNumber))
                continue;
            visited.insert(item.objectNumber);
        }
        const PdfObject &field = body.resolve(item);
        if (!field.is(Kind::Dictionary))
            continue;
        QString name = prefix;
        const PdfObject &partial = body.resolve(field["T"]);
        if (partial.is(Kind::String))
            name +=
                (prefix.isEmpty() ? QString() : QStringLiteral(".")) + textString(partial.bytes);
        const PdfObject &value = body.resolve(field["V"]);
        if (value.is(Kind::String))
            data.fields.append({name, textString(value.bytes)});
        collect(body, field["Kids"], name, data, depth + 1, visited);
    }
}

} // namespace

namespace Fdf
{

std::optional<FormData> read(const QByteArray &fdf)
{
    if (!fdf.startsWith("%FDF-"))
        return std::nullopt;
    const std::optional<PdfBody> body = PdfBody::parse(fdf);
    if (!body)
        return std::nullopt;
    // Without a trailer naming the root, the first object that carries form data serves.
    const PdfObject *root = &body->resolve(body->trailer["Root"]);
    for (auto it = body->objects.cbegin();
         !body->resolve((*root)["FDF"]).is(Kind::Dictionary) && it != body->objects.cend(); ++it)
        root = &it->second;
    const PdfObject &fdfDictionary = body->resolve((*root)["FDF"]);
    if (!fdfDictionary.is(Kind::Dictionary))
        return std::nullopt;
    FormData data;
    data.file = fileName(*body, fdfDictionary["F"]);
    QSet<int> visited;
    collect(*body, fdfDictionary["Fields"], QString(), data, 0, visited);
    return data;
}

} // namespace Fdf
