#pragma once

#include "shell.h"

// Opens documents with the desktop's default application for their MIME type, as the
// freedesktop associations (mimeapps.list, desktop entries) name it.
class DesktopShell : public Shell
{
public:
    int open(const QString &path) override;

    // The MIME type by which a document is opened. FDF files go by their extension alone:
    // the MIME database has no FDF type and would otherwise take them for something else.
    static QString mimeTypeOf(const QString &path);
};
