#include "ui/editors/OuterSize.h"

#include <QWidget>
#include <QWindow>

QSize FrameSize(const QWidget& window)
{
    // Asked of the platform window each time: the widget's own copy of the
    // frame is refreshed only when the window moves or changes size, and a
    // window manager may frame a window without moving its client area.
    if (const QWindow* handle = window.windowHandle()) {
        const QMargins margins = handle->frameMargins();
        return {margins.left() + margins.right(), margins.top() + margins.bottom()};
    }
    return window.frameGeometry().size() - window.geometry().size();
}

QSize ClientSizeForOuter(const QWidget& window, const QSize& outer)
{
    return outer - FrameSize(window);
}
