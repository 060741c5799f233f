#pragma once

#include "framework/Export.h"

class QFont;

// A font's size in points, the unit the layouts and the resizer reason in, whether Qt keeps the
// font in points or (as the stored layouts do) in pixels.
namespace framework {

// A point is 1/72 inch.
constexpr int kPointsPerInch = 72;

// The screen's logical dots per inch, the scale between points and pixels; 96 without a screen.
STUDIOCLOCK_FRAMEWORK_EXPORT int PixelsPerInch();

// The size in whole points; a pixel-sized font converts at PixelsPerInch, rounded.
STUDIOCLOCK_FRAMEWORK_EXPORT int FontSize(const QFont& font);

// Sets the size in points and keeps the font's unit: a pixel-sized font gets the pixel height
// that many points take on this screen, at least one pixel.
STUDIOCLOCK_FRAMEWORK_EXPORT void SetFontSize(QFont& font, int points);

}  // namespace framework
