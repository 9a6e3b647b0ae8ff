#pragma once

#include <QRectF>
#include <QTabWidget>

// A tab control whose member controls are placed in twips relative to the control itself,
// tab strip included, so that they land where the window description puts them.
class TabControl : public QTabWidget
{
    Q_OBJECT
public:
    TabControl(const QStringList &captions, QWidget *parent);

    int Tab() const { return currentIndex(); }
    // The number of tabs offered: tabs from `count` on are hidden; below 1 none is offered.
    void setTabs(int count);
    int Tabs() const { return tabs_; }

    // Places `member` on `page` (or on no page for -1) at `twips`.
    void place(QWidget *member, int page, const QRectF &twips);
    QRectF memberGeometry(const QWidget *member) const;
    void setMemberGeometry(QWidget *member, const QRectF &twips);
    // The page that holds `member`, -1 when it is on no page or not a member.
    int pageOf(const QWidget *member) const;

signals:
    // The selected tab changed, by the user or by the program; `previousTab` is the one
    // selected before.
    void Click(int previousTab);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // To the next offered page for 1, the previous for -1, round the end.
    void turnPage(int step);
    void applyAll();
    void apply(QWidget *member) const;

    int tabs_;
    int current_ = 0;
};
