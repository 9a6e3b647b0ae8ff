// Tab and Shift+Tab follow the window's tab order across the pages of the master data,
// bringing forward the page that holds the next field.
#include "frmmain.h"
#include "tabcontrol.h"

#include <QApplication>

namespace
{

bool takesTabFocus(QWidget *control)
{
    return control->isEnabled() && (control->focusPolicy() & Qt::TabFocus);
}

} // namespace

bool frmMain::focusNextPrevChild(bool next)
{
    QWidget *focus = QApplication::focusWidget();
    // Qt asks here when the page holding the focus is being hidden because the user chose
    // another page: that page takes the focus itself, and turning pages back would fight it.
    for (TabControl *tabs : {StammD, InhaltsV}) {
        if (focus && !focus->isVisible() && tabs->isVisible() && tabs->isAncestorOf(focus))
            return true;
    }
    qsizetype at = tabOrder_.size();
    for (QWidget *w = focus; w && at == tabOrder_.size(); w = w->parentWidget())
        at = tabOrder_.contains(w) ? tabOrder_.indexOf(w) : tabOrder_.size();
    if (at == tabOrder_.size())
        return QWidget::focusNextPrevChild(next);

    const qsizetype n = tabOrder_.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget *candidate = tabOrder_[(at + (next ? step : n - step)) % n];
        if (!takesTabFocus(candidate))
            continue;
        const int page = StammD->pageOf(candidate);
        if (page >= 0 && StammD->isVisibleTo(this) && !candidate->isHidden()) {
            // Hiding the page that holds the focus would move the focus on by itself.
            if (page != StammD->currentIndex()) {
                focus->clearFocus();
                StammD->setCurrentIndex(page);
            }
        } else if (!candidate->isVisibleTo(this)) {
            continue;
        }
        candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}
