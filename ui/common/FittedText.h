#pragma once

#include <QFont>
#include <QString>

class QLabel;

// Where a figure can grow past its control (stats up to 65535, totals of six
// of them, an index of a dozen digits) and the window has no more room, the
// control keeps its size and that one text is drawn smaller instead of being
// cut. kSmallestPoints bounds how far.
inline constexpr double kSmallestPoints = 5.0;

// `base`, or the largest smaller size of it (in half points) at which `text`
// is at most `width` pixels wide.
QFont FontToFit(const QFont& base, const QString& text, int width);

// Sets a label's text in the label's parent font, or smaller where it would
// not fit the label's width.
void SetFittedText(QLabel* label, const QString& text);
