#include "ui/common/FittedText.h"

#include <QFontMetricsF>
#include <QLabel>

QFont FontToFit(const QFont& base, const QString& text, int width)
{
    QFont font = base;
    double points = base.pointSizeF();
    // Fractional advances: a text a fraction of a pixel too wide is cut.
    while (QFontMetricsF(font).horizontalAdvance(text) > width && points > kSmallestPoints) {
        points -= 0.5;
        font.setPointSizeF(points);
    }
    return font;
}

void SetFittedText(QLabel* label, const QString& text)
{
    const QWidget* parent = label->parentWidget();
    const QFont base = parent != nullptr ? parent->font() : label->font();
    label->setFont(FontToFit(base, text, label->contentsRect().width()));
    label->setText(text);
}
