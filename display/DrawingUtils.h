#pragma once

#include "display/Export.h"
#include "framework/Canvas.h"
#include "framework/Geometry.h"

#include <QImage>
#include <QString>
#include <cstdint>

// Drawing helpers the display controls share: rectangle arithmetic, rotated fonts, text
// measurement and three ways of drawing text with an effect. Integer arithmetic raises
// framework::EIntOverflow instead of wrapping.
namespace display {

// B when B >= A, else A.
STUDIOCLOCK_DISPLAY_EXPORT int LargerOf(int a, int b);
STUDIOCLOCK_DISPLAY_EXPORT int WidthOfRect(const framework::TRect& rect);
STUDIOCLOCK_DISPLAY_EXPORT int HeightOfRect(const framework::TRect& rect);
STUDIOCLOCK_DISPLAY_EXPORT bool RectsEqual(const framework::TRect& a, const framework::TRect& b);
// (0, 0, width, height) of a picture, in its own pixels.
STUDIOCLOCK_DISPLAY_EXPORT framework::TRect BitmapRect(const QImage& bitmap);

// Turns the line of text of the canvas font by `angle` degrees counter-clockwise; size, face,
// style and colour stay.
STUDIOCLOCK_DISPLAY_EXPORT void SetCanvasFontAngle(framework::TCanvas& canvas, std::uint16_t angle);

// Width of the widest line and the height of all lines, in the canvas font as it is (measure
// before rotating). Lines end at CR, LF or CR LF and never wrap; an ampersand marks a mnemonic and
// takes no room, a doubled one counts as one.
STUDIOCLOCK_DISPLAY_EXPORT framework::TPoint MeasureText(framework::TCanvas& canvas, const QString& text);

// The text with a one-pixel light edge up-left and a dark edge down-right; the face is drawn last.
// Leaves the font colour as it was and the brush clear.
STUDIOCLOCK_DISPLAY_EXPORT void TextOut3D(framework::TCanvas& canvas, int x, int y, const QString& text,
    framework::TColor highlight, framework::TColor shadow);

// The text over its shadow offset by (dx, dy). Leaves the brush clear.
STUDIOCLOCK_DISPLAY_EXPORT void TextOutShadow(
    framework::TCanvas& canvas, int x, int y, const QString& text, framework::TColor shadow, int dx, int dy);

// The text whose letters show `picture` stretched over a rectangle of the size of `rect` at the
// canvas origin, turned by `angle`; everything outside the letters keeps the canvas content.
STUDIOCLOCK_DISPLAY_EXPORT void TextOutBitmap(framework::TCanvas& canvas, const framework::TRect& rect, int x,
    int y, const QString& text, const QImage& picture, std::uint16_t angle);

}  // namespace display
