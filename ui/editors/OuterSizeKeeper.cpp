#include "ui/editors/OuterSizeKeeper.h"

#include "ui/editors/OuterSize.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

OuterSizeKeeper::OuterSizeKeeper(QWidget& window, QSize opening, QSize minimum, Mode mode)
    : QObject(&window), m_window(window), m_opening(opening), m_minimum(minimum), m_mode(mode),
      m_timer(new QTimer(this))
{
    m_timer->setInterval(kFramePollMs);
    connect(m_timer, &QTimer::timeout, this, &OuterSizeKeeper::poll);
}

void OuterSizeKeeper::install(QWidget& window, QSize opening, QSize minimum, Mode mode)
{
    auto* keeper = new OuterSizeKeeper(window, opening, minimum, mode);
    window.installEventFilter(keeper);
    keeper->apply(); // no frame yet: the client takes the outer size
}

bool OuterSizeKeeper::apply()
{
    const QSize frame = FrameSize(m_window);
    const bool framed = frame.width() > 0 || frame.height() > 0;
    if (m_mode == Mode::Fixed) {
        m_window.setFixedSize(ClientSizeForOuter(m_window, m_opening));
    } else {
        m_window.setMinimumSize(ClientSizeForOuter(m_window, m_minimum));
        m_window.resize(ClientSizeForOuter(m_window, m_opening));
    }
    return framed;
}

void OuterSizeKeeper::poll()
{
    if (m_framed || ++m_polls > kFramePolls) {
        m_timer->stop();
        return;
    }
    m_framed = !FrameSize(m_window).isNull() && apply();
}

bool OuterSizeKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && !m_framed) {
        switch (event->type()) {
        case QEvent::Show:
            // Platforms that frame the window at creation (Windows) know the
            // frame now; a window manager on X11 frames it later.
            m_framed = apply();
            m_polls = 0;
            if (!m_framed)
                m_timer->start();
            break;
        case QEvent::Move:
        case QEvent::WindowActivate:
            // Framing a window moves its client area; the frame is known then.
            if (m_window.isVisible() && !FrameSize(m_window).isNull())
                m_framed = apply();
            break;
        default:
            break;
        }
        if (m_framed)
            m_timer->stop();
    }
    return QObject::eventFilter(watched, event);
}
