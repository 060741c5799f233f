#pragma once

#include "app/ClockFaceNotice.h"

#include <QColor>
#include <QImage>
#include <QRect>

// Where the clock is in the window at its stored size.
inline const QRect kClock(2, 1, 783, 374);

// The pixels of `area` in `colour`.
inline int PixelsOf(const QImage& image, const QColor& colour, const QRect& area)
{
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == wanted;
    return count;
}

// The pixels of the clock's face in the warning's colour.
inline int WarningPixels(const QImage& window)
{
    return PixelsOf(window, ClockFaceNotice::Colour(), kClock);
}
