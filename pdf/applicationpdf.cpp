#include "applicationpdf.h"

#include "boundedsink.h"
#include "formdocument.h"
#include "formfiller.h"
#include "pdfobjects.h"
#include "platform/atomicfile.h"
#include "readfailure.h"
#include "widgetappearance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QList>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

namespace
{

using Object = QPDFObjectHandle;
using PdfObject::isName;

Object unicode(const QString &text)
{
    return Object::newUnicodeString(text.toStdString());
}

// The page's links, taken off it: qpdf before 11.6 drops links where it flattens a page.
std::vector<Object> takeLinks(QPDFPageObjectHelper page)
{
    std::vector<Object> links;
    Object annotations = page.getObjectHandle().getKey("/Annots");
    if (!annotations.isArray())
        return links;
    Object others = Object::newArray();
    for (Object annotation : annotations.aitems()) {
        if (annotation.isDictionary() && isName(annotation.getKey("/Subtype"), "/Link"))
            links.push_back(annotation);
        else
            others.appendItem(annotation);
    }
    page.getObjectHandle().replaceKey("/Annots", others);
    return links;
}

// What remains of a page's annotations once its fields are part of it (flattening takes off
// every widget, hidden ones too), its links put back: nothing that runs when the page opens or
// a link is clicked.
void keepInert(QPDFPageObjectHelper page, const std::vector<Object> &links)
{
    Object dictionary = page.getObjectHandle();
    dictionary.removeKey("/AA");
    // The structure tree they point into stays behind with the sheet's catalog.
    dictionary.removeKey("/StructParents");
    Object annotations = dictionary.getKey("/Annots");
    std::vector<Object> all =
        annotations.isArray() ? annotations.getArrayAsVector() : std::vector<Object>();
    all.insert(all.end(), links.cbegin(), links.cend());
    Object kept = Object::newArray();
    for (Object annotation : all) {
        if (!annotation.isDictionary())
            continue;
        annotation.removeKey("/AA");
        // A link may go to a web address or a page, and do nothing more. One that would is
        // left out whole: a link that leads nowhere is of no use, and makes pdfinfo crash.
        Object action = annotation.getKey("/A");
        if (action.isDictionary() &&
            (!(isName(action.getKey("/S"), "/URI") || isName(action.getKey("/S"), "/GoTo")) ||
             action.hasKey("/Next"))) {
            if (isName(annotation.getKey("/Subtype"), "/Link"))
                continue;
            annotation.removeKey("/A");
        }
        kept.appendItem(annotation);
    }
    if (kept.getArrayNItems() > 0)
        dictionary.replaceKey("/Annots", kept);
    else
        dictionary.removeKey("/Annots");
}

// The copies of the sheets embed the fonts they need each, often the same ones: a font
// program or character map that is alike to one before is written only once.
void shareFontData(QPDF &pdf)
{
    QHash<QByteArray, Object> seen;
    const auto shared = [&seen](Object stream) {
        const std::shared_ptr<Buffer> data = stream.getRawStreamData();
        const QByteArray key =
            QCryptographicHash::hash(QByteArrayView(data->getBuffer(), qsizetype(data->getSize())),
                                     QCryptographicHash::Sha256) +
            QByteArray::fromStdString(stream.getDict().unparse());
        if (const auto found = seen.constFind(key); found != seen.cend())
            return *found;
        seen.insert(key, stream);
        return stream;
    };
    for (Object object : pdf.getAllObjects()) {
        for (const char *key : {"/FontFile", "/FontFile2", "/FontFile3", "/ToUnicode"}) {
            if (object.isDictionary() && object.getKey(key).isStream())
                object.replaceKey(key, shared(object.getKey(key)));
        }
    }
}

Object outlineItem(QPDF &pdf, const QString &title, Object page)
{
    Object item = pdf.makeIndirectObject(Object::newDictionary());
    item.replaceKey("/Title", unicode(title));
    item.replaceKey("/Dest", Object::newArray({page, Object::newName("/Fit")}));
    return item;
}

// Hangs `items` below `parent`, shown open; `count` is how many entries that shows.
void linkChildren(Object parent, const QList<Object> &items, int count)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        Object item = items[i];
        item.replaceKey("/Parent", parent);
        if (i > 0)
            item.replaceKey("/Prev", items[i - 1]);
        if (i + 1 < items.size())
            item.replaceKey("/Next", items[i + 1]);
    }
    parent.replaceKey("/First", items.front());
    parent.replaceKey("/Last", items.back());
    parent.replaceKey("/Count", Object::newInteger(count));
}

} // namespace

struct ApplicationPdf::Joined {
    struct Sheet {
        QString part;
        QString name;
        Object firstPage;
    };

    QPDF pdf;
    QList<Sheet> sheets;
    PDFVersion version{1, 4};
    QString title;
    QString author;

    void addOutline()
    {
        if (sheets.isEmpty())
            return;
        Object outlines = pdf.makeIndirectObject(Object::parse("<< /Type /Outlines >>"));
        QList<Object> parts;
        QList<Object> inPart;
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            const Sheet &sheet = sheets[i];
            if (i == 0 || sheet.part != sheets[i - 1].part)
                parts.append(outlineItem(pdf, sheet.part, sheet.firstPage));
            inPart.append(outlineItem(pdf, sheet.name, sheet.firstPage));
            if (i + 1 == sheets.size() || sheets[i + 1].part != sheet.part) {
                linkChildren(parts.back(), inPart, int(inPart.size()));
                inPart.clear();
            }
        }
        linkChildren(outlines, parts, int(parts.size() + sheets.size()));
        Object root = pdf.getRoot();
        root.replaceKey("/Outlines", outlines);
        root.replaceKey("/PageMode", Object::newName("/UseOutlines"));
    }

    void describe()
    {
        Object root = pdf.getRoot();
        // Numbered 1, 2, 3 … over the whole file, whatever labels the sheets had.
        root.replaceKey("/PageLabels", Object::parse("<< /Nums [ 0 << /S /D >> ] >>"));
        root.replaceKey("/ViewerPreferences", Object::parse("<< /DisplayDocTitle true >>"));
        root.replaceKey("/Lang", unicode(QStringLiteral("de")));
        Object info = pdf.makeIndirectObject(Object::newDictionary());
        info.replaceKey("/Title", unicode(title));
        if (!author.isEmpty())
            info.replaceKey("/Author", unicode(author));
        info.replaceKey("/Creator", unicode(QStringLiteral("Antragstellung - Versanta")));
        info.replaceKey("/CreationDate", Object::newString(QUtil::qpdf_time_to_pdf_time(
                                             QUtil::get_current_qpdf_time())));
        pdf.getTrailer().replaceKey("/Info", info);
    }
};

ApplicationPdf::ApplicationPdf(const QString &title, const QString &author)
    : joined_(std::make_unique<Joined>())
{
    joined_->pdf.emptyPDF();
    joined_->title = title;
    joined_->author = author;
}

ApplicationPdf::~ApplicationPdf() = default;

QString ApplicationPdf::add(const QString &part, const QString &sheet, const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return QStringLiteral("Die ausgefüllte Kopie des Formblatts „%1“ kann nicht gelesen "
                              "werden: %2: %3")
            .arg(sheet, file, input.errorString());
    // Copies a user kept as they were are read within the filler's bounds too.
    if (input.size() > FormFiller::maxFormSize)
        return QStringLiteral("Die ausgefüllte Kopie des Formblatts „%1“ ist größer als %2 MB: %3")
            .arg(sheet)
            .arg(FormFiller::maxFormSize >> 20)
            .arg(file);
    const QByteArray bytes = input.readAll();
    try {
        QPDF copy;
        copy.setSuppressWarnings(true);
        // The pages' data are copied at once, so the sheet's file is read no more.
        copy.setImmediateCopyFrom(true);
        const std::string description = QFile::encodeName(file).toStdString();
        copy.processMemoryFile(description.c_str(), bytes.constData(), size_t(bytes.size()));
        checkObjectStreams(copy, FormFiller::maxDecodedSize);
        // Fields that a viewer would draw anew, as the user's copy asks or as they have no
        // appearance, show what the viewer would have shown, as the filler draws them.
        AppearanceWriter writer(copy);
        FormDocument::drawLeftFields(copy, writer, {});
        writer.embedFonts();
        QPDFPageDocumentHelper pages(copy);
        pages.pushInheritedAttributesToPage();
        std::vector<std::vector<Object>> links;
        for (QPDFPageObjectHelper page : pages.getAllPages())
            links.push_back(takeLinks(page));
        pages.flattenAnnotations();
        QPDFPageDocumentHelper joinedPages(joined_->pdf);
        const size_t before = joinedPages.getAllPages().size();
        size_t index = 0;
        for (QPDFPageObjectHelper page : pages.getAllPages()) {
            keepInert(page, links[index++]);
            joinedPages.addPage(page, false);
        }
        const std::vector<QPDFPageObjectHelper> all = joinedPages.getAllPages();
        if (all.size() > before)
            joined_->sheets.append({part, sheet, all[before].getObjectHandle()});
        joined_->version.updateIfGreater(copy.getVersionAsPDFVersion());
    } catch (const std::exception &e) {
        switch (readFailure(e)) {
        case ReadFailure::TooLarge:
            return QStringLiteral("Die ausgefüllte Kopie des Formblatts „%1“ enthält Daten, die "
                                  "entpackt größer als %2 MB wären: %3")
                .arg(sheet)
                .arg(FormFiller::maxDecodedSize >> 20)
                .arg(file);
        case ReadFailure::Protected:
            return QStringLiteral("Die ausgefüllte Kopie des Formblatts „%1“ ist mit einem "
                                  "Kennwort geschützt: %2")
                .arg(sheet, file);
        case ReadFailure::Damaged:
            break;
        }
        return QStringLiteral("Die ausgefüllte Kopie des Formblatts „%1“ ist beschädigt: %2")
            .arg(sheet, QString::fromLocal8Bit(e.what()));
    }
    return QString();
}

QString ApplicationPdf::write(const QString &path)
{
    QByteArray bytes;
    try {
        shareFontData(joined_->pdf);
        joined_->addOutline();
        joined_->describe();
        QPDFWriter writer(joined_->pdf);
        writer.setOutputMemory();
        // The sheets' streams go in as they are; qpdf packs only those stored unpacked.
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setMinimumPDFVersion(joined_->version);
        writer.write();
        const auto buffer = writer.getBufferSharedPointer();
        bytes = QByteArray(reinterpret_cast<const char *>(buffer->getBuffer()),
                           qsizetype(buffer->getSize()));
    } catch (const std::exception &e) {
        return path + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
    }
    return AtomicFile::write(path, bytes);
}

QString ApplicationPdf::fileName(const QString &title, const QString &applicant)
{
    QString name = title.simplified();
    if (!applicant.simplified().isEmpty())
        name += QStringLiteral(" - ") + applicant.simplified();
    // What one desktop's file system or another refuses becomes "_".
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control || refused.contains(c))
            c = u'_';
    }
    // File systems take 255 bytes at most; Windows drops trailing dots and blanks.
    while (name.toUtf8().size() > 200)
        name.chop(name.back().isLowSurrogate() ? 2 : 1);
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
    return (name.isEmpty() ? QStringLiteral("Antrag") : name) + QStringLiteral(".pdf");
}
