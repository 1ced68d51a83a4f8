#include "tools/artwork/ArtworkDrawing.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

using namespace Qt::StringLiterals;

void DrawLeaf(QPainter& painter, QPointF centre, double size, double angle, const QColor& colour)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.scale(size / 100.0, size / 100.0);
    QPainterPath leaf;
    leaf.moveTo(0, 50);
    leaf.cubicTo(-55, 40, -60, -10, -30, -32);
    leaf.cubicTo(-18, -42, -6, -44, 0, -50);
    leaf.cubicTo(6, -44, 18, -42, 30, -32);
    leaf.cubicTo(60, -10, 55, 40, 0, 50);
    QLinearGradient fill(QPointF(-40, -40), QPointF(40, 50));
    fill.setColorAt(0, colour.lighter(135));
    fill.setColorAt(1, colour.darker(120));
    painter.setPen(QPen(colour.darker(160), 2.5));
    painter.setBrush(fill);
    painter.drawPath(leaf);
    // Veins: the midrib and three pairs fanning out from the stalk.
    painter.setPen(QPen(colour.darker(170), 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, 48), QPointF(0, -44));
    for (const double y : {30.0, 8.0, -14.0}) {
        painter.drawLine(QPointF(0, y + 8), QPointF(-30, y - 14));
        painter.drawLine(QPointF(0, y + 8), QPointF(30, y - 14));
    }
    painter.setPen(QPen(QColor(0x5a, 0x3b, 0x1e), 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, 50), QPointF(0, 66));
    painter.restore();
}

void DrawGourd(QPainter& painter, QPointF base, double height)
{
    painter.save();
    painter.translate(base);
    painter.scale(height / 100.0, height / 100.0);
    QPainterPath gourd;
    gourd.addEllipse(QPointF(0, -30), 30, 30);
    QPainterPath top;
    top.addEllipse(QPointF(0, -72), 18, 18);
    gourd = gourd.united(top);
    QPainterPath waist;
    waist.addRect(QRectF(-9, -64, 18, 14));
    gourd = gourd.united(waist);
    QRadialGradient fill(QPointF(-10, -45), 60);
    fill.setColorAt(0, QColor(0xf6, 0xd3, 0x6b));
    fill.setColorAt(1, QColor(0xc0, 0x82, 0x20));
    painter.setPen(QPen(QColor(0x7a, 0x4a, 0x10), 3.0));
    painter.setBrush(fill);
    painter.drawPath(gourd);
    // The cord round the waist and the stopper.
    painter.setPen(QPen(QColor(0xa8, 0x23, 0x1c), 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(-10, -57), QPointF(10, -57));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6b, 0x44, 0x1f));
    painter.drawRoundedRect(QRectF(-6, -98, 12, 10), 3, 3);
    painter.restore();
}

// The icon is drawn on a 96-pixel grid and scaled, so every size shows the
// same picture rather than a resampled bitmap.
void PaintIcon(QPainter& painter, int size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 96.0, size / 96.0);
    QLinearGradient back(QPointF(0, 0), QPointF(0, 96));
    back.setColorAt(0, QColor(0x2f, 0x8f, 0x7a));
    back.setColorAt(1, QColor(0x16, 0x4d, 0x45));
    painter.setPen(QPen(QColor(0x0e, 0x33, 0x2d), 2));
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(3, 3, 90, 90), 18, 18);
    DrawLeaf(painter, QPointF(33, 40), 48, -28, QColor(0x8c, 0xc6, 0x5a));
    DrawGourd(painter, QPointF(60, 86), 70);
    painter.restore();
}

QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintIcon(painter, size);
    return image;
}

QImage DrawBanner()
{
    QImage image(500, 80, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient back(QPointF(0, 0), QPointF(500, 80));
    back.setColorAt(0, QColor(0x12, 0x4a, 0x42));
    back.setColorAt(0.55, QColor(0x2a, 0x7f, 0x6c));
    back.setColorAt(1, QColor(0xcf, 0xe8, 0xc8));
    painter.fillRect(image.rect(), back);
    // Faint hills along the bottom.
    QPainterPath hills;
    hills.moveTo(0, 80);
    for (int x = 0; x <= 500; x += 10)
        hills.lineTo(x, 66 - 8 * std::sin(x / 45.0) - 4 * std::sin(x / 13.0));
    hills.lineTo(500, 80);
    painter.fillPath(hills, QColor(255, 255, 255, 38));

    DrawLeaf(painter, QPointF(34, 38), 52, -20, QColor(0x8c, 0xc6, 0x5a));
    DrawLeaf(painter, QPointF(462, 34), 40, 24, QColor(0x5f, 0xa8, 0x4a));
    DrawGourd(painter, QPointF(420, 74), 58);

    return image;
}
