#pragma once

#include <QWidget>

// A window beside the main one that shows answers for the main window's
// current choices. It plans afresh whenever the main window changes, but only
// while it is shown: a hidden one just notes that it is out of date and plans
// when it is shown again.
class CFollowingWindow : public QWidget
{
public:
    // A window of its own, owned by the main window.
    explicit CFollowingWindow(QWidget& mainWindow) : QWidget(&mainWindow, Qt::Window) {}

    // The main window's choices or tables changed.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    // What is shown no longer answers the main window (plan when next shown).
    void markStale() { m_stale = true; }
    // Plans for the main window's current choices.
    virtual void recompute() = 0;

private:
    void recomputeNow();

    bool m_stale = true;
};
