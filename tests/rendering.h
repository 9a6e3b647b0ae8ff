#pragma once

// Pages as a person sees them: drawn by poppler in gray at low resolution and compared with
// the pictures and the text kept under tests/rendered/. VRA_UPDATE_RENDERS=1 writes those anew
// on purpose; what differs is written to the test's working folder for a person to look at.
#include "testfiles.h"

#include <QImage>
#include <QTemporaryDir>
#include <fontconfig/fontconfig.h>

// Fontconfig, in this process and the programs it starts, knows only fonts of the packages the
// set-up installs, so that the filler's letters and poppler's stand-ins for the forms' standard
// fonts are the same on every machine.
inline void usePackagedFontsOnly()
{
    static QTemporaryDir folder;
    for (const char *file :
         {"truetype/liberation/LiberationSans-Regular.ttf",
          "truetype/liberation/LiberationSans-Bold.ttf",
          "truetype/liberation/LiberationSerif-Regular.ttf",
          "truetype/liberation/LiberationMono-Regular.ttf", "truetype/dejavu/DejaVuSans.ttf",
          "opentype/noto/NotoSansCJK-Regular.ttc"})
        QFile::link(QStringLiteral("/usr/share/fonts/") + file,
                    folder.filePath(QFileInfo(file).fileName()));
    QString aliases;
    for (const char *alias : {"Helvetica|Liberation Sans", "Times|Liberation Serif",
                              "Times New Roman|Liberation Serif", "Courier|Liberation Mono"})
        aliases += QStringLiteral("<alias><family>%1</family><prefer><family>%2</family></prefer>"
                                  "</alias>\n")
                       .arg(QString(alias).section(u'|', 0, 0), QString(alias).section(u'|', 1));
    const QString config = writeBytes(
        folder.filePath("fonts.conf"),
        QStringLiteral("<fontconfig><dir>%1</dir><cachedir>%1</cachedir>\n%2</fontconfig>\n")
            .arg(folder.path(), aliases)
            .toUtf8());
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
    FcConfig *fonts = FcInitLoadConfigAndFonts();
    FcConfigSetCurrent(fonts);
    FcConfigDestroy(fonts);
}

// What differs between the pages of `pdf`, their text and `more` to approve, and the pictures
// and text kept as `name`: the files written for a person to look at, or nothing.
inline QStringList renderDifferences(const QString &pdf, const QString &name,
                                     const QString &more = {})
{
    const QString kept = QStringLiteral(VRA_SOURCE_DIR "/tests/rendered/") + name;
    const bool update = qEnvironmentVariableIsSet("VRA_UPDATE_RENDERS");
    QDir().mkpath(QStringLiteral("rendered"));
    QStringList differing;
    const QByteArray text = (run("pdftotext", {"-layout", pdf, "-"}) + more).toUtf8();
    if (update)
        writeBytes(kept + ".txt", text);
    if (readBytes(kept + ".txt") != text)
        differing << QDir::current().filePath(writeBytes("rendered/" + name + ".txt", text));
    QTemporaryDir dir;
    run("pdftoppm", {"-r", "50", "-gray", "-png", pdf, dir.filePath("page")});
    const QStringList pages = QDir(dir.path()).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString picture = QStringLiteral("-%1.png").arg(i + 1);
        const QImage page =
            QImage(dir.filePath(pages[i])).convertToFormat(QImage::Format_Grayscale8);
        if (update)
            page.save(kept + picture);
        // A shade or two less or more is how renderers round; a letter moved by a tenth of a
        // point changes its edges by more.
        const QImage expected(kept + picture);
        bool alike = expected.size() == page.size();
        for (int y = 0; alike && y < page.height(); ++y) {
            for (int x = 0; alike && x < page.width(); ++x)
                alike = qAbs(qGray(page.pixel(x, y)) - qGray(expected.pixel(x, y))) <= 8;
        }
        if (!alike) {
            page.save("rendered/" + name + picture);
            differing << QDir::current().filePath("rendered/" + name + picture);
        }
    }
    return differing;
}
