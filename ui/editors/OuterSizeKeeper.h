#pragma once

#include <QObject>
#include <QSize>

class QTimer;
class QWidget;

// Gives a top-level window an outer size, frame and caption included, while
// Qt sizes windows by their client area. The frame is only known once a
// window manager has framed the mapped window (on X11 that is some time after
// the show), so the keeper sizes the client to the outer size at the show and
// once more when the frame shows up; from then on the size is the user's.
class OuterSizeKeeper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OuterSizeKeeper)

public:
    enum class Mode
    {
        Resizable, // opens at `opening`, never smaller than `minimum`
        Fixed      // always `opening`
    };

    // Watches `window` for as long as it lives.
    static void install(QWidget& window, QSize opening, QSize minimum, Mode mode);

    // How long after the show a late frame is still waited for.
    static constexpr int kFramePollMs = 50;
    static constexpr int kFramePolls = 60;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OuterSizeKeeper(QWidget& window, QSize opening, QSize minimum, Mode mode);
    // Sizes the window for its current frame; returns whether it had one.
    bool apply();
    void poll();

    QWidget& m_window;
    QSize m_opening;
    QSize m_minimum;
    Mode m_mode;
    bool m_framed = false;
    int m_polls = 0;
    QTimer* m_timer = nullptr;
};
