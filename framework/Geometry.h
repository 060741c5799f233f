#pragma once

#include "framework/Export.h"

#include <QPoint>
#include <QRect>
#include <cstdint>

// Rectangles as (Left, Top, Right, Bottom) with the right and bottom edges excluded, so that
// Width = Right - Left; QRect counts its right edge in, which the conversions account for.
namespace framework {

struct STUDIOCLOCK_FRAMEWORK_EXPORT TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
    friend bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};

struct STUDIOCLOCK_FRAMEWORK_EXPORT TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t Width() const;   // Right - Left, raising on overflow
    std::int32_t Height() const;  // Bottom - Top, raising on overflow
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }

    friend bool operator==(const TRect& a, const TRect& b)
    {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
    }
    friend bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};

constexpr TPoint Point(std::int32_t x, std::int32_t y)
{
    return {x, y};
}
constexpr TRect Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    return {left, top, right, bottom};
}
// The rectangle at (left, top) of the given size; raises when the far edges overflow.
STUDIOCLOCK_FRAMEWORK_EXPORT TRect Bounds(
    std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

STUDIOCLOCK_FRAMEWORK_EXPORT TRect FromQRect(const QRect& rect);
STUDIOCLOCK_FRAMEWORK_EXPORT QRect ToQRect(const TRect& rect);
inline TPoint FromQPoint(const QPoint& point)
{
    return {point.x(), point.y()};
}
inline QPoint ToQPoint(const TPoint& point)
{
    return {point.X, point.Y};
}

}  // namespace framework
