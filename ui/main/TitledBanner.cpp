#include "ui/main/TitledBanner.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

QString Tr(const char* source)
{
    return QCoreApplication::translate("TitledBanner", source);
}

// The title's size in pixels, smaller where a translation is longer than
// the room left of the gourd.
QFont FontFor(const QString& text, int pixels, bool bold, qreal room)
{
    QFont font(u"WenQuanYi Micro Hei"_s);
    font.setBold(bold);
    font.setPixelSize(pixels);
    while (pixels > 10 && QFontMetricsF(font).horizontalAdvance(text) > room)
        font.setPixelSize(--pixels);
    return font;
}

} // namespace

QPixmap TitledBanner()
{
    QPixmap banner(u":/quorvel/banner.png"_s);
    if (banner.isNull())
        return banner;
    const QString title = Tr(QT_TRANSLATE_NOOP("TitledBanner", "青梧药庐"));
    const QString subtitle = Tr(QT_TRANSLATE_NOOP("TitledBanner", "公会疫区 · 组队助手"));
    // From the leaf on the left to the gourd on the right.
    constexpr qreal kRoom = 320;
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(FontFor(title, 30, true, kRoom));
    // A soft shadow first, then the title over it.
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawText(QRectF(74, 8, kRoom, 40), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setPen(QColor(0xfb, 0xf7, 0xe4));
    painter.drawText(QRectF(72, 6, kRoom, 40), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(FontFor(subtitle, 16, false, kRoom));
    painter.setPen(QColor(0xe3, 0xf2, 0xd9));
    painter.drawText(QRectF(74, 46, kRoom, 24), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    return banner;
}
