#include "tabcontrol.h"

#include "twips.h"

#include <QShortcut>

TabControl::TabControl(const QStringList &captions, QWidget *parent)
    : QTabWidget(parent), tabs_(int(captions.size()))
{
    for (const QString &caption : captions)
        addTab(new QWidget, caption);
    connect(this, &QTabWidget::currentChanged, this,
            [this](int index) { emit Click(std::exchange(current_, index)); });
    // As in every tabbed dialog; only while the control shows.
    for (const auto &[key, step] :
         {std::pair(Qt::CTRL | Qt::Key_PageDown, 1), std::pair(Qt::CTRL | Qt::Key_PageUp, -1)})
        connect(new QShortcut(key, this), &QShortcut::activated, this,
                [this, step] { turnPage(step); });
}

void TabControl::turnPage(int step)
{
    const int n = count();
    for (int i = 1; i < n; ++i) {
        const int page = ((currentIndex() + step * i) % n + n) % n;
        if (isTabVisible(page) && isTabEnabled(page)) {
            setCurrentIndex(page);
            return;
        }
    }
}

void TabControl::setTabs(int count)
{
    tabs_ = count;
    for (int i = 0; i < QTabWidget::count(); ++i)
        setTabVisible(i, i < count);
}

namespace
{

// The twips geometry is kept on the member itself, so it lives and dies with it.
constexpr char twipsProperty[] = "twipsGeometry";

} // namespace

void TabControl::place(QWidget *member, int page, const QRectF &twips)
{
    member->setParent(page >= 0 ? widget(page) : this);
    setMemberGeometry(member, twips);
}

QRectF TabControl::memberGeometry(const QWidget *member) const
{
    return member->property(twipsProperty).toRectF();
}

void TabControl::setMemberGeometry(QWidget *member, const QRectF &twips)
{
    member->setProperty(twipsProperty, twips);
    apply(member);
}

int TabControl::pageOf(const QWidget *member) const
{
    if (!member->property(twipsProperty).isValid())
        return -1;
    return indexOf(member->parentWidget());
}

void TabControl::resizeEvent(QResizeEvent *event)
{
    QTabWidget::resizeEvent(event);
    applyAll();
}

void TabControl::showEvent(QShowEvent *event)
{
    QTabWidget::showEvent(event);
    applyAll();
}

void TabControl::applyAll()
{
    const auto children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->property(twipsProperty).isValid())
            apply(child);
    }
}

void TabControl::apply(QWidget *member) const
{
    const QRect pixels = Twips::toPixels(memberGeometry(member));
    const QWidget *container = member->parentWidget();
    const QPoint offset = container == this ? QPoint() : container->mapTo(this, QPoint());
    member->setGeometry(pixels.translated(-offset));
}
