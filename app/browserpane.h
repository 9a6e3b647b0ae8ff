#pragma once

#include <QTextBrowser>

// The pane that shows one of the program's HTML pages.
class BrowserPane : public QTextBrowser
{
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;

    // Shows the local file at `address`, or a short notice when it cannot be read.
    void Navigate(const QString &address);
    QString LocationURL() const { return location_; }

private:
    QString location_;
};
