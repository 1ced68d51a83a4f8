// Compares two renderings of one drawing the way the eye would, not bit for
// bit. Antialiased edges move by a fraction of a pixel between processors
// (Qt's and the C library's vector code paths), library patch levels and
// raster formats, so an edge pixel may take any value between the colours on
// either side of the edge. A pixel therefore matches when every channel is
// within a few levels of the other picture's, or, failing that, within the
// range that the other picture shows around it (its 3 × 3 neighbourhood) in
// both directions; and only a bounded share of pixels may need the second
// rule. A changed colour, a moved or added shape leaves pixels whose whole
// neighbourhood on the other side is unlike them, and fails.
#pragma once

#include <QImage>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace picture_comparison {

// Quantisation between raster paths: premultiplying, dithering of gradients.
constexpr int kChannelLevels = 4;
// Slack on the neighbourhood range: a twentieth of a pixel's shift moves the
// icon's colours up to 8 levels beyond it at its smaller sizes.
constexpr int kEdgeSlack = 12;
// At most this share of all pixels may differ by more than kChannelLevels. A
// 16-pixel icon is nearly all edge and gradient, so the share is generous; the
// neighbourhood rule is what catches a changed colour or shape, the share a
// change of tone over the whole picture.
constexpr double kMaxEdgeShare = 0.5;

inline std::array<int, 4> Channels(QRgb pixel)
{
    return {qAlpha(pixel), qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

// Whether each channel of `pixel` lies within the range of `picture` around
// (x, y), widened by the slack. Beyond the border of a picture with an alpha
// channel lies transparency: an edge along the border fades into it.
inline bool WithinNeighbourhood(QRgb pixel, const QImage& picture, int x, int y,
                                bool transparentOutside)
{
    std::array<int, 4> low{255, 255, 255, 255};
    std::array<int, 4> high{0, 0, 0, 0};
    const bool onBorder = x == 0 || y == 0 || x == picture.width() - 1 || y == picture.height() - 1;
    if (transparentOutside && onBorder)
        low = {0, 0, 0, 0};
    for (int ny = std::max(0, y - 1); ny <= std::min(picture.height() - 1, y + 1); ++ny) {
        for (int nx = std::max(0, x - 1); nx <= std::min(picture.width() - 1, x + 1); ++nx) {
            const std::array<int, 4> near = Channels(picture.pixel(nx, ny));
            for (std::size_t c = 0; c < 4; ++c) {
                low[c] = std::min(low[c], near[c]);
                high[c] = std::max(high[c], near[c]);
            }
        }
    }
    const std::array<int, 4> own = Channels(pixel);
    for (std::size_t c = 0; c < 4; ++c) {
        if (own[c] < low[c] - kEdgeSlack || own[c] > high[c] + kEdgeSlack)
            return false;
    }
    return true;
}

// Empty when `actual` shows the same picture as `expected`; otherwise why not,
// naming the first pixel that no edge explains.
inline QString PictureDifference(const QImage& expected, const QImage& actual)
{
    if (expected.isNull() || actual.isNull())
        return QStringLiteral("no picture");
    if (expected.size() != actual.size()) {
        return QStringLiteral("size %1×%2, expected %3×%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    if (expected.hasAlphaChannel() != actual.hasAlphaChannel())
        return QStringLiteral("one picture has an alpha channel, the other none");
    // Premultiplied: a transparent pixel's colour is no part of the picture.
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const bool alpha = expected.hasAlphaChannel();
    qsizetype edges = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const std::array<int, 4> pa = Channels(a.pixel(x, y));
            const std::array<int, 4> pb = Channels(b.pixel(x, y));
            int worst = 0;
            for (std::size_t c = 0; c < 4; ++c)
                worst = std::max(worst, std::abs(pa[c] - pb[c]));
            if (worst <= kChannelLevels)
                continue;
            if (!WithinNeighbourhood(b.pixel(x, y), a, x, y, alpha) ||
                !WithinNeighbourhood(a.pixel(x, y), b, x, y, alpha)) {
                return QStringLiteral("pixel (%1, %2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(b.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(a.pixel(x, y), 8, 16, QLatin1Char('0'));
            }
            ++edges;
        }
    }
    const qsizetype pixels = qsizetype(a.width()) * a.height();
    if (double(edges) > kMaxEdgeShare * double(pixels))
        return QStringLiteral("%1 of %2 edge pixels differ").arg(edges).arg(pixels);
    return {};
}

} // namespace picture_comparison
