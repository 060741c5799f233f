#include "display/VrClockFaceGeometry.h"

#include "display/VrControls.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace display {

using framework::CheckedInt;

namespace {

// The LED font: digits 0 to 9, then the colon; 9 rows of 6 dots each, bit 5 the leftmost dot.
constexpr std::array<std::uint8_t, 99> kLedFont = {
    0x1E, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E,  // 0
    0x01, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01,  // 1
    0x1E, 0x01, 0x01, 0x01, 0x1E, 0x20, 0x20, 0x20, 0x1E,  // 2
    0x1E, 0x01, 0x01, 0x01, 0x1E, 0x01, 0x01, 0x01, 0x1E,  // 3
    0x21, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x01,  // 4
    0x1E, 0x20, 0x20, 0x20, 0x1E, 0x01, 0x01, 0x01, 0x1E,  // 5
    0x1E, 0x20, 0x20, 0x20, 0x1E, 0x21, 0x21, 0x21, 0x1E,  // 6
    0x1E, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01,  // 7
    0x1E, 0x21, 0x21, 0x21, 0x1E, 0x21, 0x21, 0x21, 0x1E,  // 8
    0x1E, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x1E,  // 9
    0x00, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00, 0x00, 0x00,  // :
};
constexpr int kGlyphRows = 9;
constexpr int kGlyphColumns = 6;

// Every part of the face is outlined with this pen width.
constexpr int kOutlineWidth = 1;

// 2 pi in extended precision; each angle is then held as a double, as the face was designed.
constexpr long double kTwoPi = 6.283185307179586477L;

// The centre of a point on a ring: (cx - rnd(cos a x r), cy - rnd(sin a x r)).
framework::TPoint OnRing(CheckedInt cx, CheckedInt cy, CheckedInt radius, long double steps, int perTurn)
{
    const auto angle = static_cast<long double>(static_cast<double>(steps * kTwoPi / perTurn));
    return {(cx - CheckedInt::Round(std::cos(angle) * radius.value())).value(),
        (cy - CheckedInt::Round(std::sin(angle) * radius.value())).value()};
}

// The corners of a round dot of the given radius around a centre.
framework::TRect DotCorners(framework::TPoint centre, CheckedInt radius)
{
    const CheckedInt x = centre.X;
    const CheckedInt y = centre.Y;
    return framework::Rect(
        (x - radius).value(), (y - radius).value(), (x + radius).value(), (y + radius).value());
}

// What drawing or erasing an ellipse with these corners changes on the screen, with a pixel to
// spare on every side: at a fractional device pixel ratio the window system rounds a region to
// whole device pixels, and may leave out one the ellipse's edge covers in part.
QRect ScreenReach(const framework::TRect& corners)
{
    const framework::TRect inked = framework::TCanvas::EllipseExtent(corners, kOutlineWidth);
    return {QPoint((CheckedInt(inked.Left) - 1).value(), (CheckedInt(inked.Top) - 1).value()),
        QPoint(inked.Right, inked.Bottom)};
}

}  // namespace

TVrClockFaceGeometry::TVrClockFaceGeometry(const Settings& settings, QSize size)
    : settings_(settings)
    , size_(size)
{
}

TVrClockFaceGeometry::Rings TVrClockFaceGeometry::RingGeometry() const
{
    const CheckedInt cx = size_.width() / 2;
    const CheckedInt cy = size_.height() / 2;
    const CheckedInt ring = 2 * CheckedInt(settings_.secWidth) + settings_.tickWidth;
    const CheckedInt hourRadius = std::min(cx, cy) - 10 - 2 * ring;
    return {cx, cy, hourRadius, hourRadius - ring};
}

framework::TRect TVrClockFaceGeometry::HourMarkCorners(const Rings& rings, int mark) const
{
    return DotCorners(OnRing(rings.cx, rings.cy, rings.hourRadius, mark + 9, 12), settings_.tickWidth);
}

framework::TRect TVrClockFaceGeometry::SecondDotCorners(const Rings& rings, int second) const
{
    return DotCorners(OnRing(rings.cx, rings.cy, rings.secondRadius, second + 15, 60), settings_.secWidth);
}

framework::TRect TVrClockFaceGeometry::LedCorners(int x, int y, int row, int column) const
{
    const CheckedInt ledSize = settings_.ledSize;
    const CheckedInt pitch = ledSize + 1;
    const int slant = SlantOffset((row * ledSize).value(), settings_.textAngle);
    const CheckedInt left = x - ledSize - pitch * column - slant;
    const CheckedInt top = y + pitch * row;
    return framework::Rect(left.value(), top.value(), (left + pitch).value(), (top + ledSize).value());
}

std::array<TVrClockFaceGeometry::PlacedChar, 5> TVrClockFaceGeometry::TimeLayout() const
{
    const CheckedInt ledSize = settings_.ledSize;
    const CheckedInt spacing = settings_.spacing;
    const CheckedInt pitch = ledSize + 1;
    const CheckedInt cellWidth = 5 * pitch;
    const CheckedInt cellHeight = 8 * pitch;
    const CheckedInt textWidth = (cellWidth + spacing - 1) * 5;
    CheckedInt x = (size_.width() - textWidth) / 2 + cellWidth + settings_.textOffsetX;
    const CheckedInt y = (size_.height() - cellHeight) / 2 + settings_.textOffsetY;

    const QString text = ShownTime();
    std::array<PlacedChar, 5> placed{};
    for (int i = 0; i < text.size(); ++i) {
        const bool colon = text[i] == QLatin1Char(':');
        placed.at(static_cast<std::size_t>(i))
            = {text[i], (colon ? x + cellWidth / 2 - ledSize : x).value(), y.value()};
        if (i + 1 < text.size())
            x += text[i + 1] == QLatin1Char(':') ? cellWidth / 2 : spacing + cellWidth;
    }
    return placed;
}

std::vector<framework::TRect> TVrClockFaceGeometry::LitLedCorners(const PlacedChar& placed) const
{
    std::vector<framework::TRect> lit;
    const int glyph = placed.character.unicode() - '0';
    for (int row = 0; row < kGlyphRows; ++row) {
        const std::uint8_t bits
            = kLedFont.at(static_cast<std::size_t>(glyph) * kGlyphRows + static_cast<std::size_t>(row));
        for (int column = 0; column < kGlyphColumns; ++column)
            if (bits & (1u << column))
                lit.push_back(LedCorners(placed.x, placed.y, row, column));
    }
    return lit;
}

QRect TVrClockFaceGeometry::SecondDotRect(int second) const
{
    return ScreenReach(SecondDotCorners(RingGeometry(), second));
}

QRect TVrClockFaceGeometry::TimeTextRect() const
{
    // Every dot a glyph may light, so that the region holds the old digits and the new.
    QRect text;
    for (const PlacedChar& placed : TimeLayout())
        for (int row = 0; row < kGlyphRows; ++row)
            for (int column = 0; column < kGlyphColumns; ++column)
                text |= ScreenReach(LedCorners(placed.x, placed.y, row, column));
    return text;
}

QRegion TVrClockFaceGeometry::ChangedSince(const QTime& shown) const
{
    const QRect control(QPoint(0, 0), size_);
    QRegion changed;
    try {
        if (settings_.hours != shown.hour() || settings_.minutes != shown.minute())
            changed += TimeTextRect();
        if (settings_.secondsIndicator) {
            // The dots after the smaller of the two seconds came or went; the ones up to it stay.
            const int seconds = settings_.seconds;
            for (int s = std::min(shown.second(), seconds) + 1; s <= std::max(shown.second(), seconds); ++s)
                changed += SecondDotRect(s);
        }
    } catch (const framework::Exception&) {
        // A face too large to place: the whole control, whose paint reports the error, and the
        // tick's events still follow.
        return control;
    }
    return changed & control;
}

QString TVrClockFaceGeometry::ShownTime() const
{
    const int hours = settings_.hours;
    const int hour = settings_.hourFormat == hfmt12h && hours > 12 ? hours - 12 : hours;
    return QStringLiteral("%1:%2")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(settings_.minutes, 2, 10, QLatin1Char('0'));
}

int TVrClockFaceGeometry::SlantOffset(int value, int angle)
{
    const long double shift = std::tan(static_cast<long double>(angle * kDegreesToRadians)) * value;
    if (!std::isfinite(shift) || shift >= 2147483647.5L || shift < -2147483648.5L)
        return 0;
    return CheckedInt::Round(shift).value();
}

}  // namespace display
