#include "ui/main/SelectorComboBox.h"

#include "ui/common/FittedText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QWheelEvent>

namespace {

// Styles that open a drop-down list as a menu over the control (Fusion, the
// macOS style) ignore maxVisibleItems and size the list to its entries, up to
// the screen's height. This style asks for the plain list below the control,
// which keeps to maxVisibleItems; everything else is the application's style.
class ListPopupStyle final : public QProxyStyle
{
public:
    explicit ListPopupStyle(const QString& key) : QProxyStyle(key) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

CSelectorComboBox::CSelectorComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    auto* style = new ListPopupStyle(QApplication::style()->name());
    // The widget does not own its style; as a child it goes with the widget.
    style->setParent(this);
    setStyle(style);
    setMaxVisibleItems(kVisibleEntries);
}

void CSelectorComboBox::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        // Passed on to the window, as over any control that does not scroll.
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

QRect CSelectorComboBox::textRect() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The style draws the text one pixel in from either side of the field.
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
        .adjusted(1, 0, -1, 0);
}

QFont CSelectorComboBox::textFont() const
{
    return FontToFit(font(), currentText(), textRect().width());
}

void CSelectorComboBox::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QFont font = textFont();
    // Past the smallest readable size the entry is cut; its tooltip has it whole.
    option.currentText = ElidedToFit(font, option.currentText, textRect().width());
    setToolTip(option.currentText != currentText() ? currentText() : QString());
    painter.setFont(font);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void CSelectorComboBox::showPopup()
{
    QAbstractItemView* list = view();
    const int scrollBar = list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar);
    QComboBox::showPopup();
}
