#pragma once

#include "framework/Export.h"

#include <QColor>
#include <cstdint>

// Colours as 32-bit values: 0x00BBGGRR for an ordinary colour, 0xFF0000nn for system colour nn.
namespace framework {

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColor(int index)
{
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}

constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);

constexpr bool IsSystemColor(TColor color)
{
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

// The colour as the screen shows it; system colours come from the application's palette, so a
// control drawn in them follows the desktop's theme.
STUDIOCLOCK_FRAMEWORK_EXPORT QColor ToQColor(TColor color);

// The ordinary colour for an RGB value (alpha is dropped).
STUDIOCLOCK_FRAMEWORK_EXPORT TColor FromQColor(const QColor& color);

}  // namespace framework
