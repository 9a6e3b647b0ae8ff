#pragma once

#include "shell.h"

#include <QList>
#include <QObject>

// Opens documents with the desktop's default application for their MIME type, as the
// freedesktop associations (mimeapps.list, desktop entries) name it. Prints them through CUPS
// with lp.
class DesktopShell : public Shell
{
public:
    ~DesktopShell() override;

    int open(const QString &path) override;
    bool canOpen(const QString &path) override;
    void print(const QString &path, std::function<void(const QString &failure)> done) override;

    // The MIME type by which a document is opened. FDF files go by their extension alone:
    // the MIME database has no FDF type and would otherwise take them for something else.
    static QString mimeTypeOf(const QString &path);

private:
    struct PrintJob {
        QString lp;
        QString path;
        std::function<void(const QString &failure)> done;
    };
    void startNextJob();

    QObject jobs_; // the lp process running
    QList<PrintJob> queue_;
    bool running_ = false;
};
