#include "ui/common/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// How long after a show a late frame from the window manager is still
// expected (it arrives with a move or a resize of the window).
constexpr int kSettleMs = 3000;

// Set on a window that took its remembered geometry.
constexpr char kRestored[] = "quorvelGeometryRestored";

// The gap between a window and the one it opens beside.
constexpr int kGap = 8;

// Window sizes live apart from the five remembered choices.
QSettings WindowSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"Quorvel"_s, u"windows"_s);
}

QMargins FrameMargins(const QWidget& window)
{
    if (const QWindow* handle = window.windowHandle()) {
        if (window.isVisible())
            return handle->frameMargins();
    }
    return {};
}

// Keeps one window on its screen: at each show, and at each move or resize
// while the window manager is still framing it after that show.
class ScreenKeeper final : public QObject
{
public:
    ScreenKeeper(QWidget& window, QString name)
        : QObject(&window), m_window(window), m_name(std::move(name))
    {
        m_settle.setSingleShot(true);
        m_settle.setInterval(kSettleMs);
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_window)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            if (!m_restored && !m_name.isEmpty())
                restore();
            m_restored = true;
            m_settle.start();
            fitLater();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_settle.isActive())
                fitLater();
            break;
        case QEvent::Hide:
            if (!m_name.isEmpty() && m_restored)
                save();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // After the event at hand, when the window has taken it in; one pass for
    // any number of events.
    void fitLater()
    {
        if (m_fitPending)
            return;
        m_fitPending = true;
        QTimer::singleShot(0, this, [this] {
            m_fitPending = false;
            WindowPlacement::FitOnScreen(m_window);
        });
        WindowPlacement::FitOnScreen(m_window);
    }

    void restore()
    {
        const QRect stored = WindowSettings().value(m_name + u"/geometry"_s).toRect();
        if (!stored.isValid())
            return;
        m_window.resize(stored.size().expandedTo(m_window.minimumSize()));
        m_window.move(stored.topLeft());
        m_window.setProperty(kRestored, true);
    }

    void save() const
    {
        WindowSettings().setValue(m_name + u"/geometry"_s, QRect(m_window.pos(), m_window.size()));
    }

    QWidget& m_window;
    QString m_name;
    QTimer m_settle;
    bool m_restored = false;
    bool m_fitPending = false;
};

} // namespace

namespace WindowPlacement {

QRect AvailableArea(const QWidget& window)
{
    const QScreen* screen = nullptr;
    if (window.isVisible() && window.windowHandle() != nullptr)
        screen = window.screen();
    if (screen == nullptr && window.parentWidget() != nullptr)
        screen = window.parentWidget()->window()->screen();
    if (screen == nullptr)
        screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

QRect FittedFrame(const QRect& frame, const QRect& area)
{
    if (!area.isValid())
        return frame;
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
    return fitted;
}

void FitOnScreen(QWidget& window)
{
    const QRect area = AvailableArea(window);
    const QMargins margins = FrameMargins(window);
    const QRect frame = window.geometry().marginsAdded(margins);
    const QRect fitted = FittedFrame(frame, area);
    if (fitted == frame)
        return;
    const QRect client = fitted.marginsRemoved(margins);
    if (client.size() != window.size()) {
        // The area wins over the window's own minimum (and over a fixed
        // size): a window that does not fit its screen has buttons out of reach.
        window.setMinimumSize(window.minimumSize().boundedTo(client.size()));
        window.setMaximumSize(window.maximumSize().expandedTo(client.size()));
        window.resize(client.size());
    }
    window.move(fitted.topLeft());
}

void KeepOnScreen(QWidget& window)
{
    new ScreenKeeper(window, QString());
}

void RememberGeometry(QWidget& window, const QString& name)
{
    new ScreenKeeper(window, name);
}

bool OpenedWhereLeft(const QWidget& window)
{
    return window.property(kRestored).toBool();
}

void PlaceBeside(QWidget& window, const QWidget& anchor)
{
    if (!OpenedWhereLeft(window)) {
        const QRect area = AvailableArea(anchor);
        const QRect beside = anchor.frameGeometry();
        const QMargins margins = FrameMargins(window);
        QRect frame = window.geometry().marginsAdded(margins);
        frame.moveTopLeft(QPoint(beside.right() + 1 + kGap, beside.top()));
        if (!area.contains(frame))
            frame.moveTopRight(QPoint(beside.left() - 1 - kGap, beside.top()));
        if (!area.contains(frame))
            frame.moveCenter(beside.center());
        window.move(frame.topLeft());
    }
    FitOnScreen(window);
}

} // namespace WindowPlacement
