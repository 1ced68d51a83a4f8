#include "ui/main/FollowingWindow.h"

void CFollowingWindow::refresh()
{
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    recomputeNow();
}

void CFollowingWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        recomputeNow();
}

void CFollowingWindow::recomputeNow()
{
    m_stale = false;
    recompute();
}
