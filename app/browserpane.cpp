#include "browserpane.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

void BrowserPane::Navigate(const QString &address)
{
    location_ = address;
    if (browser_)
        QMetaObject::invokeMethod(this, &BrowserPane::load, Qt::QueuedConnection);
}

QTextBrowser *BrowserPane::browser()
{
    if (!browser_) {
        browser_ = new QTextBrowser(this);
        browser_->setGeometry(rect());
        setFocusProxy(browser_);
        setFocusPolicy(browser_->focusPolicy());
        browser_->show();
        // Like any navigation, loading happens after the caller has returned: the window
        // does not wait for a page before it first shows.
        QMetaObject::invokeMethod(this, &BrowserPane::load, Qt::QueuedConnection);
    }
    return browser_;
}

void BrowserPane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    browser();
}

void BrowserPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (browser_)
        browser_->setGeometry(rect());
}

void BrowserPane::load()
{
    if (location_.isEmpty())
        return;
    const QFileInfo page(location_);
    if (page.isFile() && page.isReadable()) {
        browser_->setSource(QUrl::fromLocalFile(location_));
    } else {
        browser_->setHtml(QStringLiteral("<title>Seite nicht gefunden</title>"
                                         "<p>Die Seite <b>%1</b> konnte nicht geladen werden.</p>")
                              .arg(location_.toHtmlEscaped()));
    }
    // A screen reader names the page as its title does, or by its file without one; the text
    // that takes the focus too, so that Tab into the page says which it is.
    const QString title = browser_->documentTitle();
    setAccessibleName(title.isEmpty() ? page.fileName() : title);
    browser_->setAccessibleName(accessibleName());
}
