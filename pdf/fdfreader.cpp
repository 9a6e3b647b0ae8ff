#include "fdfreader.h"

#include "platform/ansitext.h"

#include <QStringDecoder>
#include <set>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace
{

using Object = QPDFObjectHandle;

// Field trees deeper than this are cycles or mischief.
constexpr int maxFieldDepth = 32;

// A dictionary's entry; null for anything else, which qpdf would warn about.
Object entry(Object object, const char *key)
{
    return object.isDictionary() ? object.getKey(key) : Object::newNull();
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
    if (!f.isDictionary())
        return QString();
    if (f.getKey("/UF").isString())
        return textString(f.getKey("/UF"));
    Object plain = f.getKey("/F");
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

std::optional<Fdf::FormData> formData(QPDF &body)
{
    Object root = entry(body.getTrailer(), "/Root");
    if (!entry(root, "/FDF").isDictionary()) {
        for (Object object : body.getAllObjects()) {
            if (entry(object, "/FDF").isDictionary()) {
                root = object;
                break;
            }
        }
    }
    Object fdfDictionary = entry(root, "/FDF");
    if (!fdfDictionary.isDictionary())
        return std::nullopt;
    Fdf::FormData data;
    data.file = fileName(fdfDictionary.getKey("/F"));
    std::set<QPDFObjGen> visited;
    collect(fdfDictionary.getKey("/Fields"), QString(), data, 0, visited);
    return data;
}

} // namespace

namespace Fdf
{

std::optional<FormData> read(const QByteArray &fdf)
{
    if (!fdf.startsWith("%FDF-"))
        return std::nullopt;
    // FDF files have no cross-reference table as a rule: qpdf finds the objects by reading
    // the file from its start, which takes a trailer; data that end without one get an empty
    // one, and then the first object that carries form data serves.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QByteArray data = attempt == 0 ? fdf : fdf + "\ntrailer\n<< >>\n";
        try {
            QPDF body;
            body.setSuppressWarnings(true);
            body.processMemoryFile("FDF", data.constData(), size_t(data.size()));
            return formData(body);
        } catch (const std::exception &) {
        }
    }
    return std::nullopt;
}

} // namespace Fdf
