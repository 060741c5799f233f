#include "framework/FontSize.h"

#include "framework/Arithmetic.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace framework {

namespace {

int ScaledRounded(int value, int numerator, int denominator)
{
    return CheckedInt::RoundHalfAway(static_cast<double>(value) * numerator / denominator).value();
}

}  // namespace

int PixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? CheckedInt::RoundHalfAway(screen->logicalDotsPerInchY()).value() : 0;
    return dpi > 0 ? dpi : 96;
}

int FontSize(const QFont& font)
{
    if (font.pixelSize() > 0)
        return ScaledRounded(font.pixelSize(), kPointsPerInch, PixelsPerInch());
    return CheckedInt::RoundHalfAway(font.pointSizeF()).value();
}

void SetFontSize(QFont& font, int points)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, ScaledRounded(points, PixelsPerInch(), kPointsPerInch)));
    else
        font.setPointSize(std::max(1, points));
}

}  // namespace framework
