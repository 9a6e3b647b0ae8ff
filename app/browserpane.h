#pragma once

#include <QWidget>

class QTextBrowser;

// The pane that shows one of the program's HTML pages, a document named by the page's title.
// The browser behind it is made when the pane is first shown, so panes of tabs never opened
// cost nothing; pages load after the current event, as navigation does.
class BrowserPane : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows the local file at `address`, or a short notice when it cannot be read.
    void Navigate(const QString &address);
    QString LocationURL() const { return location_; }
    // The browser, made now if the pane has not been shown yet; its page follows.
    QTextBrowser *browser();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void load();

    QTextBrowser *browser_ = nullptr;
    QString location_;
};
