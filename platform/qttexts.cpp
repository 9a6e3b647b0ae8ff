#include "qttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installGermanQtTexts(QCoreApplication &application)
{
    auto *texts = new QTranslator(&application);
    if (texts->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(texts))
        return true;
    delete texts;
    return false;
}
