#pragma once

#include <QBasicTimer>
#include <QWidget>

// A spin without text: two arrows stacked, stepping a position inside a range.
// The range may be reversed (lower > upper); the up arrow always moves toward
// `upper`, so with a reversed range it makes the position smaller. Before a
// step takes effect the owner is asked through positionAboutToChange and may
// refuse it; an accepted step moves the position, kept inside the range.
class CUpDownCtrl final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CUpDownCtrl)

public:
    explicit CUpDownCtrl(QWidget* parent = nullptr);

    void setRange(int lower, int upper);
    int lower() const { return m_lower; }
    int upper() const { return m_upper; }

    // Not clamped: the owner may park the spin outside its range (for example
    // at -1 when the entry it follows has no selection).
    void setPosition(int position) { m_position = position; }
    int position() const { return m_position; }

    // With arrow keys on, Up and Down step the spin while it has the focus.
    void setArrowKeys(bool on);
    bool arrowKeys() const { return m_arrowKeys; }

    // What the arrows do; true when the step was accepted.
    bool stepUp();
    bool stepDown();

    QSize sizeHint() const override;

signals:
    // The position is about to move by delta (+1 or -1) from `position`;
    // clear `accept` to refuse the step. Connect directly.
    void positionAboutToChange(int position, int delta, bool& accept);
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Arrow
    {
        None,
        Up,
        Down
    };

    int upDelta() const { return m_upper >= m_lower ? 1 : -1; }
    bool step(int delta);
    Arrow arrowAt(const QPoint& point) const;
    QRect arrowRect(Arrow arrow) const;
    void stopRepeat();

    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    bool m_arrowKeys = false;
    Arrow m_pressed = Arrow::None;
    // Whether the pointer is still over the pressed arrow; only then it repeats.
    bool m_overPressed = false;
    QBasicTimer m_repeat;
    bool m_repeating = false;
};
