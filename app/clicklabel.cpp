#include "clicklabel.h"

#include <QApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

namespace
{

// A ring in the highlight colour, the same in every style. Screen readers pass over focus
// frames, as they should over this one.
class FocusRing : public QFocusFrame
{
public:
    using QFocusFrame::QFocusFrame;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

} // namespace

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent) {}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void ClickLabel::setPicture(const QPixmap &picture)
{
    setScaledContents(true);
    setPixmap(picture);
}

void ClickLabel::setShortcut(const QKeySequence &key)
{
    shortcut_ = key;
    auto *shortcut = new QShortcut(key, this);
    // A held key clicks once, as a held mouse button does.
    shortcut->setAutoRepeat(false);
    connect(shortcut, &QShortcut::activated, this, &ClickLabel::clicked);
    const QString keyText = key.toString(QKeySequence::NativeText);
    setToolTip(QStringLiteral("%1 (%2)").arg(accessibleName(), keyText));
    setAccessibleDescription(QStringLiteral("Tastenkürzel %1").arg(keyText));
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton && tripleClick_.hasExpired();
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

// The first click of a double-click has acted; its second click, and a third that follows as
// soon, add nothing.
void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    pressed_ = false;
    tripleClick_.setRemainingTime(QApplication::doubleClickInterval());
    event->accept();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    const bool press = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                       event->key() == Qt::Key_Space;
    if (!press || (event->modifiers() & ~Qt::KeypadModifier)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key clicks once. X11 does not mark all its repeats: a press that follows the
    // release of the same key at once is one too, as no finger is that quick.
    const bool repeat = event->isAutoRepeat() || (event->key() == releasedKey_ &&
                                                  released_.isValid() && released_.elapsed() < 30);
    if (!repeat)
        emit clicked();
}

void ClickLabel::keyReleaseEvent(QKeyEvent *event)
{
    releasedKey_ = event->key();
    released_.start();
    QLabel::keyReleaseEvent(event);
}

// The frame lies around the control, not on it: a mark is a picture of a few pixels.
void ClickLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    if (!focusFrame_)
        focusFrame_ = new FocusRing(parentWidget());
    focusFrame_->setGeometry(geometry().adjusted(-3, -3, 3, 3));
    focusFrame_->raise();
    focusFrame_->show();
}

void ClickLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    if (focusFrame_)
        focusFrame_->hide();
}
