#pragma once

#include <QRect>
#include <QRectF>
#include <cmath>

// Positions and sizes of the window description are in twips: 15 twips are one logical pixel.
namespace Twips
{

constexpr double perPixel = 15.0;

inline int toPixels(double twips)
{
    return int(std::lround(twips / perPixel));
}

inline double fromPixels(int pixels)
{
    return pixels * perPixel;
}

inline QRect toPixels(const QRectF &twips)
{
    return QRect(toPixels(twips.left()), toPixels(twips.top()), toPixels(twips.width()),
                 toPixels(twips.height()));
}

inline QRectF fromPixels(const QRect &pixels)
{
    return QRectF(fromPixels(pixels.x()), fromPixels(pixels.y()), fromPixels(pixels.width()),
                  fromPixels(pixels.height()));
}

} // namespace Twips
