// VrClockFaceGeometry: TVrClockFaceGeometry, where the LED clock's face puts each dot.
#pragma once

#include "display/Export.h"
#include "display/VrTypes.h"
#include "framework/Arithmetic.h"
#include "framework/Geometry.h"

#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QTime>
#include <array>
#include <vector>

namespace display {

// Every rectangle the clock's face is drawn in and a tick changes, worked out from the face's
// settings and the control's size alone: the paint draws these corners, and a tick copies these
// rectangles to the screen, so the two cannot disagree. Lengths are checked: a face no arithmetic
// can place raises framework::EIntOverflow.
class STUDIOCLOCK_DISPLAY_EXPORT TVrClockFaceGeometry {
public:
    // What the face is drawn from besides its colours.
    struct Settings {
        int secWidth = 2;
        int tickWidth = 2;
        int ledSize = 3;
        int spacing = 8;
        int textOffsetX = 0;
        int textOffsetY = 0;
        int textAngle = 10;
        TVrHourFormat hourFormat = hfmt24h;
        bool secondsIndicator = true;
        int hours = 0;
        int minutes = 0;
        int seconds = 0;
    };
    // The centre and the radii of the hour marks and the second dots.
    struct Rings {
        framework::CheckedInt cx, cy, hourRadius, secondRadius;
    };
    // A character of the time text with the right reference and top it is drawn at.
    struct PlacedChar {
        QChar character;
        int x, y;
    };

    TVrClockFaceGeometry(const Settings& settings, QSize size);

    Rings RingGeometry() const;
    // The corners of the ellipses the face draws: hour mark 0..11 (0 at the bottom, clockwise),
    // the dot of a second 0..59 (0 at 12 o'clock), and the LED dot at (row, column) of a glyph
    // whose right reference is (x, y), the columns counted leftwards.
    framework::TRect HourMarkCorners(const Rings& rings, int mark) const;
    framework::TRect SecondDotCorners(const Rings& rings, int second) const;
    framework::TRect LedCorners(int x, int y, int row, int column) const;
    std::array<PlacedChar, 5> TimeLayout() const;
    // The corners of the LED dots a placed character lights.
    std::vector<framework::TRect> LitLedCorners(const PlacedChar& placed) const;

    // What drawing or erasing a part of the face changes, in control pixels, with a pixel to
    // spare: the dot of a second, and every dot the HH:MM text may light.
    QRect SecondDotRect(int second) const;
    QRect TimeTextRect() const;
    // What a tick from the face shown at `shown` to this one changes: the second dots that came or
    // went, and the text when the hour or minute changed; the whole control when it cannot be placed.
    QRegion ChangedSince(const QTime& shown) const;

    // The time the face shows, HH:MM: under hfmt12h the afternoon's hours from 1 to 11.
    QString ShownTime() const;
    // The horizontal shift of a row of LED dots: rnd(tan(angle) x value), 0 when that fails.
    static int SlantOffset(int value, int angle);

private:
    Settings settings_;
    QSize size_;
};

}  // namespace display
