#include "ui/common/FittedText.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QVariant>

#include <cmath>

namespace {

// The label's own tooltip, kept while an elided text lends it the whole one.
constexpr char kOwnToolTip[] = "quorvelOwnToolTip";

} // namespace

QFont SmallestReadableFont(const QFont& base)
{
    QFont font = base;
    // Rounded up to whole half points, as FontToFit steps.
    font.setPointSizeF(std::ceil(base.pointSizeF() * kSmallestScale * 2.0) / 2.0);
    return font;
}

QFont FontToFit(const QFont& base, const QString& text, int width)
{
    QFont font = base;
    double points = base.pointSizeF();
    const double smallest = SmallestReadableFont(base).pointSizeF();
    // Fractional advances: a text a fraction of a pixel too wide is cut.
    while (QFontMetricsF(font).horizontalAdvance(text) > width && points - 0.5 >= smallest) {
        points -= 0.5;
        font.setPointSizeF(points);
    }
    return font;
}

QString ElidedToFit(const QFont& font, const QString& text, int width)
{
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    return metrics.elidedText(text, Qt::ElideRight, width);
}

void SetFittedText(QLabel* label, const QString& text)
{
    const QWidget* parent = label->parentWidget();
    const QFont base = parent != nullptr ? parent->font() : label->font();
    const int width = label->contentsRect().width();
    const QFont font = FontToFit(base, text, width);
    const QString shown = ElidedToFit(font, text, width);
    label->setFont(font);
    label->setText(shown);

    const QVariant own = label->property(kOwnToolTip);
    if (shown != text) {
        if (!own.isValid())
            label->setProperty(kOwnToolTip, label->toolTip());
        label->setToolTip(text);
    } else if (own.isValid()) {
        label->setToolTip(own.toString());
        label->setProperty(kOwnToolTip, QVariant());
    }
}
