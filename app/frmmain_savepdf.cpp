// The application as one PDF file: every completed sheet as a print run would print it.
#include "clicklabel.h"
#include "documents/printreport.h"
#include "documents/sheetfile.h"
#include "frmmain.h"
#include "pdf/applicationpdf.h"
#include "pdf/formfiller.h"
#include "platform/dialogs.h"
#include "tabcontrol.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>

namespace
{

// The folder the last file went to, kept for the next time.
const QString folderKey = QStringLiteral("pdf/ordner");

} // namespace

void frmMain::Label15_Click()
{
    // Nor inside a print run, which would wait for the whole file.
    if (isPrinting)
        return;
    const int count = getCount();
    if (count == 0) {
        platform_.dialogs.information(title_, QStringLiteral("Es wurden noch keine Anträge "
                                                             "fertiggestellt!"));
        return;
    }
    if (!platform_.dialogs.question(
            title_,
            QStringLiteral("Sollen alle fertiggestellten Anträge (%1) in einer "
                           "PDF-Datei gespeichert werden?")
                .arg(count),
            Dialogs::Answer::Yes))
        return;

    QSettings settings(folders_.own(QStringLiteral("vra.conf")), QSettings::IniFormat);
    // The folder of the last file, else the documents, as far as it is there.
    QString folder = QDir::homePath();
    for (const QString &candidate :
         {settings.value(folderKey).toString(),
          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)}) {
        if (QFileInfo(candidate).isDir()) { // an empty name is none
            folder = candidate;
            break;
        }
    }
    const QString path = platform_.dialogs.saveFileName(
        QStringLiteral("Anträge als PDF speichern"),
        QDir(folder).filePath(ApplicationPdf::fileName(title_, applicantName())));
    if (path.isEmpty())
        return;
    if (isProgramFile(path)) {
        platform_.dialogs.warning(
            title_, QStringLiteral("Die Datei %1 gehört zum Programm und wird nicht "
                                   "überschrieben. Bitte wählen Sie einen anderen Namen.")
                        .arg(path));
        return;
    }

    setCursor(Qt::WaitCursor);
    QList<std::pair<QString, QString>> notices; // by caption
    const std::optional<QString> failure = saveApplication(path, notices);
    unsetCursor();
    if (!failure || unloaded_)
        return;
    if (!failure->isEmpty()) {
        platform_.dialogs.warning(
            title_, QStringLiteral("Die Anträge wurden nicht als PDF gespeichert.\n\n") + *failure);
        return;
    }
    settings.setValue(folderKey, QFileInfo(path).absolutePath());
    // What the file holds otherwise than the user may think, as a print run reports it.
    const QString hints =
        notices.isEmpty() ? QString() : QStringLiteral("\n\n") + PrintReport::notesText(notices);
    platform_.dialogs.information(
        title_,
        QStringLiteral("Die fertiggestellten Anträge sind gespeichert:\n\n%1").arg(path) + hints);
}

std::optional<QString> frmMain::saveApplication(const QString &path,
                                                QList<std::pair<QString, QString>> &notices)
{
    // The sheets as they stand at the click, in the order of the print run.
    QList<std::pair<QString, QString>> sheets; // part and caption
    for (int n = 1; n <= sheetCount; ++n) {
        if (isCompleted(n))
            sheets.append({InhaltsV->tabText(int(pic.indexOf(lblFormblatt[n]->parentWidget())) - 1),
                           lblFormblatt[n]->text()});
    }
    const QString name = applicantName();
    ApplicationPdf pdf(name.isEmpty() ? title_ : QStringLiteral("%1 – %2").arg(title_, name), name);
    const std::unique_ptr<Progress> progress =
        platform_.dialogs.progress(title_, int(sheets.size()) + 1);
    for (int i = 0; i < sheets.size(); ++i) {
        const auto &[part, caption] = sheets[i];
        // Cancelled, or the window closed by the system: no file.
        if (!progress->next(i, QStringLiteral("„%1“ wird hinzugefügt …").arg(caption)) || unloaded_)
            return std::nullopt;
        const FormFiller::Result filled = fillSheet(caption);
        if (filled.failure != FormFiller::Failure::None)
            return QStringLiteral("Das Formblatt „%1“ konnte nicht ausgefüllt werden: %2")
                .arg(caption, filled.error);
        if (!filled.notice.isEmpty())
            notices.append({caption, filled.notice});
        if (const QString failure = pdf.add(part, caption, filled.path); !failure.isEmpty())
            return failure;
    }
    if (!progress->next(int(sheets.size()), QStringLiteral("Die Datei wird geschrieben …")) ||
        unloaded_)
        return std::nullopt;
    return pdf.write(path);
}

QString frmMain::applicantName() const
{
    // The prompt the field starts with names nobody.
    const QString name = AName->text().simplified();
    return name == namePrompt ? QString() : name;
}

bool frmMain::isProgramFile(const QString &path) const
{
    // Where the path leads, through links to its folder, whether the file is there or not.
    const auto real = [](const QString &file) {
        const QFileInfo info(file);
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
    };
    const QString target = real(path);
    if (QFileInfo(target).absolutePath() == real(filledFolder()))
        return true;
    QStringList names = {QStringLiteral("vra.ini"), QStringLiteral("vra.prop"),
                         QStringLiteral("vra.conf"), QStringLiteral("antrag_.fdf"),
                         QStringLiteral("antrag.fdf")};
    for (int n = 1; n <= sheetCount; ++n)
        names << SheetFile::name(lblFormblatt[n]->text());
    const QString name = QFileInfo(target).fileName();
    return names.contains(name) &&
           (target == real(folders_.own(name)) || target == real(folders_.find(name)));
}
