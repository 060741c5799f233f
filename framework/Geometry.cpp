#include "framework/Geometry.h"

#include "framework/Arithmetic.h"

namespace framework {

std::int32_t TRect::Width() const
{
    return (CheckedInt(Right) - Left).value();
}

std::int32_t TRect::Height() const
{
    return (CheckedInt(Bottom) - Top).value();
}

TRect Bounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    return {left, top, (CheckedInt(left) + width).value(), (CheckedInt(top) + height).value()};
}

TRect FromQRect(const QRect& rect)
{
    return Bounds(rect.x(), rect.y(), rect.width(), rect.height());
}

QRect ToQRect(const TRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

}  // namespace framework
