#pragma once

#include "app/ClockFaceNotice.h"

#include <QImage>
#include <QRect>

// Where the clock is in the window at its stored size.
inline const QRect kClock(2, 1, 783, 374);

// The pixels of the clock's face in the warning's colour.
inline int WarningPixels(const QImage& window)
{
    const QRgb warning = ClockFaceNotice::Colour().rgb();
    int count = 0;
    for (int y = kClock.top(); y <= kClock.bottom(); ++y)
        for (int x = kClock.left(); x <= kClock.right(); ++x)
            count += window.pixel(x, y) == warning;
    return count;
}
