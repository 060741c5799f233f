#pragma once

#include "display/vrLedClock.h"
#include "framework/Color.h"
#include "tests/TestWidgets.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

// Reads what an LED clock face shows back from its pixels, in logical pixels at any density.

// Reads the LED glyph whose right reference is (x, y) back from the frame's pixels.
inline QChar ReadGlyph(const QImage& frame, const display::TVrLedClock& clock, int x, int y)
{
    static const QString kGlyphs = "0123456789:";
    static const std::array<std::array<std::uint8_t, 9>, 11> kRows = {{
        {0x1E, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E},
        {0x01, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01},
        {0x1E, 0x01, 0x01, 0x01, 0x1E, 0x20, 0x20, 0x20, 0x1E},
        {0x1E, 0x01, 0x01, 0x01, 0x1E, 0x01, 0x01, 0x01, 0x1E},
        {0x21, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x01},
        {0x1E, 0x20, 0x20, 0x20, 0x1E, 0x01, 0x01, 0x01, 0x1E},
        {0x1E, 0x20, 0x20, 0x20, 0x1E, 0x21, 0x21, 0x21, 0x1E},
        {0x1E, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01},
        {0x1E, 0x21, 0x21, 0x21, 0x1E, 0x21, 0x21, 0x21, 0x1E},
        {0x1E, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x1E},
        {0x00, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00, 0x00, 0x00},
    }};
    const int led = clock.LedSize();
    const int pitch = led + 1;
    std::array<std::uint8_t, 9> seen{};
    for (int row = 0; row < 9; ++row) {
        const int slant = display::TVrLedClock::SlantOffset(row * led, clock.TextAngle());
        for (int column = 0; column < 6; ++column) {
            const int left = x - led - pitch * column - slant;
            const QPoint centre(left + pitch / 2, y + pitch * row + led / 2);
            if (PixelAt(frame, centre) == framework::ToQColor(clock.HoursColor()))
                seen[row] |= static_cast<std::uint8_t>(1u << column);
        }
    }
    for (int g = 0; g < 11; ++g)
        if (seen == kRows[g])
            return kGlyphs[g];
    return QLatin1Char('?');
}

// The colon's cell overlaps its neighbours' dots, so only its own column is read: lit on rows 3
// and 4, dark elsewhere.
inline QChar ReadColon(const QImage& frame, const display::TVrLedClock& clock, int x, int y)
{
    const int led = clock.LedSize();
    const int pitch = led + 1;
    for (int row = 0; row < 9; ++row) {
        const int left
            = x - led - pitch * 2 - display::TVrLedClock::SlantOffset(row * led, clock.TextAngle());
        const bool lit = PixelAt(frame, left + pitch / 2, y + pitch * row + led / 2)
            == framework::ToQColor(clock.HoursColor());
        if (lit != (row == 3 || row == 4))
            return QLatin1Char('?');
    }
    return QLatin1Char(':');
}

// HH:MM as a 783 x 374 clock with LED dots of 6 and the default slant shows it (the worked
// example, and the main window's clock at the window's stored size).
inline QString ReadWorkedExampleTime(const QImage& frame, const display::TVrLedClock& clock)
{
    QString text;
    for (int x : {320, 373})
        text += ReadGlyph(frame, clock, x, 159);
    text += ReadColon(frame, clock, 401, 159);
    for (int x : {443, 496})
        text += ReadGlyph(frame, clock, x, 159);
    return text;
}

// How many second dots of the ring are lit, counted from 12 o'clock until the first dark one.
inline int LitSecondDots(const QImage& frame, const display::TVrLedClock& clock)
{
    const int cx = clock.width() / 2;
    const int cy = clock.height() / 2;
    const int ring = 2 * clock.SecWidth() + clock.TickWidth();
    const int radius = std::min(cx, cy) - 10 - 3 * ring;
    const QColor lit = framework::ToQColor(clock.SecHandColor());
    int count = 0;
    for (; count < 60; ++count) {
        const double angle = (count + 15) * 2 * M_PI / 60;
        const QPoint dot(cx - static_cast<int>(std::lround(std::cos(angle) * radius)),
            cy - static_cast<int>(std::lround(std::sin(angle) * radius)));
        if (PixelAt(frame, dot) != lit)
            break;
    }
    return count;
}
