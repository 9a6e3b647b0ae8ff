#pragma once

#include <QList>
#include <QString>

// The application as vra.ini describes it: the tabs offered, the form sheets of each tab and
// the kind of application.
struct Catalogue {
    struct Sheet {
        int tab;      // 1 to 5
        int position; // within its tab, from 1
        QString name; // the label's caption and the base name of the sheet's PDF file
    };

    int tabs = 0;             // as configured: tabs 1 to `tabs` are offered
    QList<Sheet> sheets;      // sheet number i is sheets[i - 1]
    QString kind;             // upper case; "A" to "F" name a title picture
    bool iniTooLarge = false; // vra.ini was too large to be read: every value is its default

    // The title picture of the kind, 1 to 6, or 0 for none.
    int titlePicture() const;
    // The application title that every message box carries.
    QString title() const { return QStringLiteral("VRA - Antrag ") + kind; }

    static Catalogue read(const QString &iniFile);
};
