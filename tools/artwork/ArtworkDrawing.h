// The planner's pictures as drawing code: the icon on its 96-pixel grid, its
// two motifs and the banner. The artwork tool saves them; the tests draw them
// again to compare with the committed files.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

class QPainter;

// A paulownia leaf: a broad heart shape with a short tip, centred on `centre`,
// pointing at `angle` degrees (0 = up), `size` pixels long.
void DrawLeaf(QPainter& painter, QPointF centre, double size, double angle, const QColor& colour);

// A medicine gourd standing on `base`, `height` pixels tall.
void DrawGourd(QPainter& painter, QPointF base, double height);

// Paints the icon at `size` × `size` pixels onto a transparent surface that
// the painter already targets, antialiased.
void PaintIcon(QPainter& painter, int size);

// The icon drawn into a new premultiplied ARGB picture.
QImage DrawIcon(int size);

// The 500 × 80 banner, without words: the main window writes the guild's
// name on it in its own language (ui/main/TitledBanner).
QImage DrawBanner();
