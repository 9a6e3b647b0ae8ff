#include "clicklabel.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace
{

// Announced by its role; a screen reader can press it as the mouse does. A picture without
// a name is decoration and stays out of its way.
class ClickLabelAccessible : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(ClickLabel *label) : QAccessibleWidget(label) {}

    // Asked anew each time: the role may be set after the screen reader first met the label.
    QAccessible::Role role() const override
    {
        return static_cast<ClickLabel *>(widget())->accessibleRole();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible =
            s.invisible || (role() == QAccessible::Graphic && text(QAccessible::Name).isEmpty());
        return s;
    }

    QStringList actionNames() const override
    {
        return role() == QAccessible::Graphic ? QStringList() : QStringList{pressAction()};
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && role() != QAccessible::Graphic)
            emit static_cast<ClickLabel *>(widget())->clicked();
    }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickLabel"))
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    return nullptr;
}

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(installed);
}

} // namespace

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    installAccessibility();
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    installAccessibility();
}

void ClickLabel::setPicture(const QPixmap &picture)
{
    setScaledContents(true);
    setPixmap(picture);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
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
