#include "framework/FontSize.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace framework {

namespace {

int ScaledRounded(int value, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

int PixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 0;
    return dpi > 0 ? dpi : 96;
}

int FontSize(const QFont& font)
{
    if (font.pixelSize() > 0)
        return ScaledRounded(font.pixelSize(), kPointsPerInch, PixelsPerInch());
    return static_cast<int>(std::lround(font.pointSizeF()));
}

void SetFontSize(QFont& font, int points)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, ScaledRounded(points, PixelsPerInch(), kPointsPerInch)));
    else
        font.setPointSize(std::max(1, points));
}

}  // namespace framework
