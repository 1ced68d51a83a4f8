#include "ui/common/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The name this pass gave a control, as against one the window set.
constexpr char kFoundName[] = "quorvelFoundAccessibleName";

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
        // A text beside a list is no name of it (a status line, say).
        if (label->isHidden() || label->text().isEmpty() || label->buddy() != nullptr ||
            middle < area.top() || middle > area.bottom() || rect.right() > area.left() ||
            area.height() > 3 * rect.height())
            continue;
        const int gap = area.left() - rect.right();
        if (gap < nearestGap) {
            nearestGap = gap;
            nearest = label;
        }
    }
    return nearest != nullptr ? NameFromLabel(nearest->text()) : QString();
}

// The title of the group box around the widget: one of its parents, or, in
// a dialog template, a sibling whose frame encloses it.
QString GroupTitleAround(const QWidget& widget)
{
    for (const QWidget* up = widget.parentWidget(); up != nullptr && !up->isWindow();
         up = up->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(up);
            group && !group->title().isEmpty())
            return NameFromLabel(group->title());
    }
    if (const QWidget* parent = widget.parentWidget()) {
        for (const QGroupBox* group :
             parent->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
            if (group != &widget && group->geometry().contains(widget.geometry()) &&
                !group->title().isEmpty())
                return NameFromLabel(group->title());
        }
    }
    return {};
}

// The static text right above the widget (a list's heading), if the gap is
// no more than a line.
QString LabelAbove(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    if (parent == nullptr)
        return {};
    const QRect area = widget.geometry();
    const QLabel* nearest = nullptr;
    int nearestGap = widget.fontMetrics().height() + 1;
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect rect = label->geometry();
        // Only a heading that introduces the list, not a status line.
        const QString text = label->text().trimmed();
        if (label->isHidden() || !(text.endsWith(u':') || text.endsWith(u'：')) ||
            rect.bottom() > area.top() || rect.right() < area.left() || rect.left() > area.right())
            continue;
        const int gap = area.top() - rect.bottom();
        if (gap < nearestGap) {
            nearestGap = gap;
            nearest = label;
        }
    }
    return nearest != nullptr ? NameFromLabel(nearest->text()) : QString();
}

QString NameFor(const QWidget& widget)
{
    // The edit box inside a spin box or a combo box speaks for the box.
    if (const QWidget* parent = widget.parentWidget();
        parent != nullptr && !parent->isWindow() &&
        (parent->focusProxy() == &widget || qobject_cast<const QAbstractSpinBox*>(parent) ||
         qobject_cast<const QComboBox*>(parent))) {
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
        name = LabelAbove(widget);
    if (name.isEmpty())
        name = widget.toolTip();
    // A window's one list is what the window shows.
    if (name.isEmpty())
        name = widget.window()->windowTitle();
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
        // Once more when the layouts have placed the controls: the labels
        // beside and above them are found by their places.
        if (watched == &m_window && event->type() == QEvent::Show) {
            AccessibleNames::NameControls(m_window);
            QTimer::singleShot(0, this, [this] { AccessibleNames::NameControls(m_window); });
        }
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
        if (widget->window() != &window || widget->focusPolicy() == Qt::NoFocus)
            continue;
        // A name of the window's own making is kept; one found here is found
        // again, as the controls may have moved since.
        const QString found = widget->property(kFoundName).toString();
        if (!widget->accessibleName().isEmpty() && widget->accessibleName() != found)
            continue;
        const QString name = NameFor(*widget);
        widget->setAccessibleName(name);
        widget->setProperty(kFoundName, name);
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
