#include "ui/common/AccessibleNames.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// A label's text as a name: without the mnemonic marks and the colon that
// introduces the control.
QString NameFromLabel(QString text)
{
    text.remove(u'&');
    text = text.trimmed();
    while (text.endsWith(u':') || text.endsWith(u'：'))
        text.chop(1);
    return text.trimmed();
}

bool TakesFocus(const QWidget& widget)
{
    return widget.focusPolicy() != Qt::NoFocus && widget.isEnabledTo(widget.window()) &&
           !widget.isHidden() && widget.focusProxy() == nullptr;
}

// The static text that names `widget`: its buddy, or the nearest label that
// ends left of it on the same line.
QString LabelFor(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    if (parent == nullptr)
        return {};
    const QList<QLabel*> labels = parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (const QLabel* label : labels) {
        if (label->buddy() == &widget && !label->text().isEmpty())
            return NameFromLabel(label->text());
    }
    const QRect area = widget.geometry();
    const QLabel* nearest = nullptr;
    int nearestGap = std::numeric_limits<int>::max();
    for (const QLabel* label : labels) {
        const QRect rect = label->geometry();
        const int middle = rect.center().y();
        if (label->isHidden() || label->text().isEmpty() || label->buddy() != nullptr ||
            middle < area.top() || middle > area.bottom() || rect.right() > area.left())
            continue;
        const int gap = area.left() - rect.right();
        if (gap < nearestGap) {
            nearestGap = gap;
            nearest = label;
        }
    }
    return nearest != nullptr ? NameFromLabel(nearest->text()) : QString();
}

QString GroupTitleAround(const QWidget& widget)
{
    for (const QWidget* up = widget.parentWidget(); up != nullptr && !up->isWindow();
         up = up->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(up);
            group && !group->title().isEmpty())
            return NameFromLabel(group->title());
    }
    return {};
}

QString NameFor(const QWidget& widget)
{
    // The edit box inside a spin box or a combo box speaks for the box.
    if (const QWidget* parent = widget.parentWidget();
        parent != nullptr && !parent->isWindow() && parent->focusProxy() == &widget) {
        if (!parent->accessibleName().isEmpty())
            return parent->accessibleName();
        return NameFor(*parent);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        const QString text = NameFromLabel(button->text());
        if (!text.isEmpty())
            return text;
    }
    QString name = LabelFor(widget);
    if (name.isEmpty())
        name = GroupTitleAround(widget);
    if (name.isEmpty())
        name = widget.toolTip();
    return name;
}

class NameOnShowFilter final : public QObject
{
public:
    explicit NameOnShowFilter(QWidget& window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show)
            AccessibleNames::NameControls(m_window);
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

namespace AccessibleNames {

void NameOnShow(QWidget& window)
{
    new NameOnShowFilter(window);
    NameControls(window);
}

void NameControls(QWidget& window)
{
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window || !widget->accessibleName().isEmpty() ||
            widget->focusPolicy() == Qt::NoFocus)
            continue;
        widget->setAccessibleName(NameFor(*widget));
    }
}

QList<QWidget*> Unnamed(const QWidget& window)
{
    QList<QWidget*> unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() == &window && TakesFocus(*widget) &&
            widget->accessibleName().trimmed().isEmpty())
            unnamed.append(widget);
    }
    return unnamed;
}

} // namespace AccessibleNames
