#include "ui/common/UpDownCtrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace {
// Held arrows repeat like the platform's spin boxes: a pause, then steadily.
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;
} // namespace

CUpDownCtrl::CUpDownCtrl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void CUpDownCtrl::setRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

void CUpDownCtrl::setArrowKeys(bool on)
{
    m_arrowKeys = on;
    // Clicking the arrows then gives the spin the keyboard as well.
    setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
}

bool CUpDownCtrl::stepUp()
{
    return step(upDelta());
}

bool CUpDownCtrl::stepDown()
{
    return step(-upDelta());
}

bool CUpDownCtrl::step(int delta)
{
    if (!isEnabled())
        return false;
    bool accept = true;
    emit positionAboutToChange(m_position, delta, accept);
    if (!accept)
        return false;
    const auto [low, high] = std::minmax(m_lower, m_upper);
    m_position = std::clamp(m_position + delta, low, high);
    emit positionChanged(m_position);
    return true;
}

QSize CUpDownCtrl::sizeHint() const
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {extent, 2 * extent};
}

QRect CUpDownCtrl::arrowRect(Arrow arrow) const
{
    const int half = height() / 2;
    if (arrow == Arrow::Up)
        return {0, 0, width(), half};
    return {0, half, width(), height() - half};
}

CUpDownCtrl::Arrow CUpDownCtrl::arrowAt(const QPoint& point) const
{
    if (!rect().contains(point))
        return Arrow::None;
    return point.y() < height() / 2 ? Arrow::Up : Arrow::Down;
}

void CUpDownCtrl::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = arrowRect(arrow);
        if (m_pressed == arrow && m_overPressed)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        const int inset = std::max(2, std::min(option.rect.width(), option.rect.height()) / 5);
        option.rect.adjust(inset, inset, -inset, -inset);
        style()->drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp
                                                  : QStyle::PE_IndicatorArrowDown,
                               &option, &painter, this);
    }
}

void CUpDownCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = arrowAt(event->position().toPoint());
    if (m_pressed == Arrow::None)
        return;
    m_overPressed = true;
    update();
    m_repeating = false;
    m_repeat.start(kFirstRepeatMs, this);
    // Steps on the press, as the platform's arrows do; the step may run a
    // long search, so the timer is armed first and checked again afterwards.
    if (m_pressed == Arrow::Up)
        stepUp();
    else
        stepDown();
}

void CUpDownCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        stopRepeat();
    QWidget::mouseReleaseEvent(event);
}

void CUpDownCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed != Arrow::None) {
        const bool over = arrowAt(event->position().toPoint()) == m_pressed;
        if (over != m_overPressed) {
            m_overPressed = over;
            update();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CUpDownCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_repeat.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (!m_repeating) {
        m_repeating = true;
        m_repeat.start(kRepeatMs, this);
    }
    // Only while the pointer stays on the arrow that was pressed.
    if (m_pressed == Arrow::None || !m_overPressed)
        return;
    const bool accepted = m_pressed == Arrow::Up ? stepUp() : stepDown();
    if (!accepted)
        stopRepeat();
}

void CUpDownCtrl::keyPressEvent(QKeyEvent* event)
{
    if (m_arrowKeys && event->key() == Qt::Key_Up) {
        stepUp();
        return;
    }
    if (m_arrowKeys && event->key() == Qt::Key_Down) {
        stepDown();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CUpDownCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stopRepeat();
    QWidget::changeEvent(event);
}

void CUpDownCtrl::stopRepeat()
{
    m_repeat.stop();
    m_repeating = false;
    if (m_pressed != Arrow::None) {
        m_pressed = Arrow::None;
        update();
    }
}
