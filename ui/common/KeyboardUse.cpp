#include "ui/common/KeyboardUse.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class FocusFrameAtShow final : public QObject
{
public:
    explicit FocusFrameAtShow(QWidget& window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show)
            m_window.setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }

private:
    QWidget& m_window;
};

// An Escape that no control of the window took (an open editor or list
// takes its own) reaches the window and closes it, as in a dialog.
class EscapeCloses final : public QObject
{
public:
    explicit EscapeCloses(QWidget& window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                m_window.close();
                return true;
            }
        }
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

namespace KeyboardUse {

void FrameFocusFromTheStart(QWidget& window)
{
    window.setAttribute(Qt::WA_KeyboardFocusChange);
    new FocusFrameAtShow(window);
}

void CloseOnEscape(QWidget& window)
{
    new EscapeCloses(window);
}

} // namespace KeyboardUse
