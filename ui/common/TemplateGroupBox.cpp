#include "ui/common/TemplateGroupBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

CTemplateGroupBox::CTemplateGroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
}

int CTemplateGroupBox::frameTop() const
{
    return fontMetrics().height() / 2;
}

QRect CTemplateGroupBox::captionRect() const
{
    const QFontMetrics metrics = fontMetrics();
    // Windows indents the caption by about one average character.
    const int inset = metrics.averageCharWidth();
    const int width = std::min(metrics.horizontalAdvance(title()), this->width() - 2 * inset);
    return {inset, 0, std::max(0, width), metrics.height()};
}

void CTemplateGroupBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    // A small gap either side of the caption, where the line stops.
    const int gap = fontMetrics().averageCharWidth() / 2;
    painter.save();
    if (!title().isEmpty())
        painter.setClipRegion(QRegion(rect()) - caption.adjusted(-gap, 0, gap, 0));
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, frameTop(), 0, 0);
    frame.frameShape = QFrame::Box;
    frame.lineWidth = 1;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    painter.restore();
    if (!title().isEmpty()) {
        style()->drawItemText(&painter, caption,
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
}
