#pragma once

#include <QFont>
#include <QString>

class QLabel;

// Where a figure can grow past its control (stats up to 65535, totals of six
// of them, an index of a dozen digits) and the window has no more room, the
// control keeps its size and that one text is drawn a little smaller. Never
// smaller than kSmallestScale of the normal size, which still reads at a
// glance; past that the text is cut with an ellipsis and the whole of it is
// the control's tooltip.
inline constexpr double kSmallestScale = 0.8;

// `base`, or the largest smaller size of it (in half points, down to
// kSmallestScale of it) at which `text` is at most `width` pixels wide.
QFont FontToFit(const QFont& base, const QString& text, int width);

// The smallest font FontToFit gives for `base`.
QFont SmallestReadableFont(const QFont& base);

// `text` as it fits `width` pixels in `font`: whole, or cut with an ellipsis.
QString ElidedToFit(const QFont& font, const QString& text, int width);

// Sets a label's text in the label's parent font, or smaller where it would
// not fit the label's width; a text that does not fit even then is cut with
// an ellipsis and shown whole in the label's tooltip.
void SetFittedText(QLabel* label, const QString& text);
