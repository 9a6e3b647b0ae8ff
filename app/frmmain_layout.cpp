// The fixed window size and the run-time arrangement.
#include "clicklabel.h"
#include "frmmain.h"
#include "tabcontrol.h"
#include "twips.h"

#include <QEvent>

namespace
{

// The working size of the client area: the outer 11850 x 9885 twips less a normal frame.
const QSize workingSize(Twips::toPixels(11610), Twips::toPixels(9195));

} // namespace

void frmMain::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    // A maximised window cannot take another size; it keeps its arrangement all the same.
    if (!(windowState() & Qt::WindowMaximized)) {
        if (minimumSize() != workingSize || maximumSize() != workingSize)
            setFixedSize(workingSize);
        // With its limits in place setFixedSize resizes nothing, and a window manager may
        // ignore them.
        if (size() != workingSize)
            resize(workingSize);
    }

    for (int i = 1; i <= 5; ++i)
        pic[i]->setVisible(i == InhaltsV->Tab() + 1);

    for (int j = 1; j <= 6; ++j) {
        const QRectF header = Twips::fromPixels(imgHeader->geometry());
        QRectF title = Twips::fromPixels(imgTitle[j]->geometry());
        title.moveTop(header.height() + header.top() + 120);
        title.moveLeft((header.width() - title.width()) / 2 + header.left());
        imgTitle[j]->setGeometry(Twips::toPixels(title));
    }
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}
