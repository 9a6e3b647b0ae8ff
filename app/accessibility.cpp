#include "accessibility.h"

#include "clicklabel.h"

#include <QAccessibleWidget>

namespace
{

// Announced by its role; a screen reader can press it as the mouse does. A picture without
// a name is decoration and stays out of its way.
class ClickLabelAccessible : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(ClickLabel *label) : QAccessibleWidget(label) {}

    // Asked anew each time: the role may be set after the screen reader first met the label.
    QAccessible::Role role() const override { return label()->accessibleRole(); }

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

    // After the screen reader's call has returned, as a button's press is: the click may open
    // a message box, whose event loop would keep the answer from the screen reader.
    void doAction(const QString &action) override
    {
        if (action == pressAction() && role() != QAccessible::Graphic)
            QMetaObject::invokeMethod(label(), &ClickLabel::clicked, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        const QKeySequence key = label()->shortcut();
        if (action != pressAction() || key.isEmpty())
            return {};
        return {key.toString(QKeySequence::NativeText)};
    }

private:
    ClickLabel *label() const { return static_cast<ClickLabel *>(widget()); }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickLabel"))
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    // Plain widgets would be nameless panes: the window is a frame, a page a document.
    if (className == QLatin1String("frmMain"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("BrowserPane"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Document);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    [[maybe_unused]] static const bool installed =
        (QAccessible::installFactory(accessibleFor), true);
}
