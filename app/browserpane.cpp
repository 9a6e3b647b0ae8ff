#include "browserpane.h"

#include <QFileInfo>
#include <QUrl>

void BrowserPane::Navigate(const QString &address)
{
    location_ = address;
    const QFileInfo page(address);
    if (page.isFile() && page.isReadable()) {
        setSource(QUrl::fromLocalFile(address));
        return;
    }
    setHtml(QStringLiteral("<p>Die Seite <b>%1</b> konnte nicht geladen werden.</p>")
                .arg(address.toHtmlEscaped()));
}
