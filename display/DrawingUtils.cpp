#include "display/DrawingUtils.h"

#include "framework/Arithmetic.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

namespace display {

using framework::CheckedInt;
using framework::TCanvas;
using framework::TColor;
using framework::TPoint;
using framework::TRect;

int LargerOf(int a, int b)
{
    return b >= a ? b : a;
}

int WidthOfRect(const TRect& rect)
{
    return rect.Width();
}

int HeightOfRect(const TRect& rect)
{
    return rect.Height();
}

bool RectsEqual(const TRect& a, const TRect& b)
{
    return a == b;
}

TRect BitmapRect(const QImage& bitmap)
{
    return framework::Rect(0, 0, bitmap.width(), bitmap.height());
}

void SetCanvasFontAngle(TCanvas& canvas, std::uint16_t angle)
{
    canvas.Font().Escapement = (CheckedInt(angle) * 10).value();  // tenths of a degree
}

namespace {

// The line as a mnemonic-aware measurement sees it: "&x" is "x", "&&" is "&".
QString WithoutMnemonics(const QString& line)
{
    QString result;
    result.reserve(line.size());
    for (int i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('&') && i + 1 < line.size())
            ++i;
        else if (line[i] == QLatin1Char('&'))
            continue;
        result.append(line[i]);
    }
    return result;
}

// The text drawn moved by (dx, dy).
void TextOutMoved(TCanvas& canvas, CheckedInt x, CheckedInt y, int dx, int dy, const QString& text)
{
    canvas.TextOut((x + dx).value(), (y + dy).value(), text);
}

}  // namespace

TPoint MeasureText(TCanvas& canvas, const QString& text)
{
    if (text.isEmpty())
        return {0, 0};
    const QFontMetrics metrics = canvas.FontMetrics();
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineBreak);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(WithoutMnemonics(line)));
    const CheckedInt lineHeight = metrics.height();
    return {width, (static_cast<int>(lines.size()) * lineHeight).value()};
}

void TextOut3D(TCanvas& canvas, int x, int y, const QString& text, TColor highlight, TColor shadow)
{
    const TColor face = canvas.Font().Color;
    canvas.Brush().Style = framework::bsClear;
    canvas.Font().Color = shadow;
    TextOutMoved(canvas, x, y, 1, 1, text);
    canvas.Font().Color = highlight;
    TextOutMoved(canvas, x, y, -1, -1, text);
    canvas.Font().Color = face;
    canvas.TextOut(x, y, text);
}

void TextOutShadow(TCanvas& canvas, int x, int y, const QString& text, TColor shadow, int dx, int dy)
{
    const TColor face = canvas.Font().Color;
    canvas.Brush().Style = framework::bsClear;
    canvas.Font().Color = shadow;
    TextOutMoved(canvas, x, y, dx, dy, text);
    canvas.Font().Color = face;
    canvas.TextOut(x, y, text);
}

void TextOutBitmap(TCanvas& canvas, const TRect& rect, int x, int y, const QString& text,
    const QImage& picture, std::uint16_t angle)
{
    const int width = WidthOfRect(rect);
    const int height = HeightOfRect(rect);
    if (width <= 0 || height <= 0 || picture.isNull() || !canvas.Device())
        return;
    const qreal ratio = canvas.Device()->devicePixelRatioF();
    const QSize deviceSize(
        CheckedInt::Trunc(width * ratio).value(), CheckedInt::Trunc(height * ratio).value());

    // The letters as an opaque shape on a transparent mask, drawn exactly as the caller draws them.
    QImage mask(deviceSize, QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(ratio);
    mask.fill(Qt::transparent);
    {
        TCanvas letters(&mask);
        letters.Font() = canvas.Font();
        letters.Font().Color = framework::clBlack;
        letters.Brush().Style = framework::bsClear;
        SetCanvasFontAngle(letters, angle);
        letters.TextOut(x, y, text);
    }

    // The picture stretched over the rectangle, kept only where the mask has letters.
    QImage filled = picture.scaled(deviceSize).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    filled.setDevicePixelRatio(ratio);
    {
        QPainter keep(&filled);
        keep.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        keep.drawImage(QPoint(0, 0), mask);
    }
    canvas.Draw(0, 0, filled);
}

}  // namespace display
