#include "display/VrLabel.h"

#include "display/DrawingUtils.h"
#include "framework/Arithmetic.h"

#include <cmath>

namespace display {

using framework::CheckedInt;

TVrLabel::TVrLabel(QWidget* parent)
    : TVrGraphicImageControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 100, 25);
    setColor(framework::clBtnFace);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(14);
    setFont(font);
    SetCaptionFollowsName();
}

void TVrLabel::setBitmap(const QImage& value)
{
    bitmap_ = value;
    UpdateControl();
}

void TVrLabel::setAngle(int value)
{
    if (!framework::SetIfChanged(angle_, framework::RangeChecked(value, 0, 359)))
        return;
    radianAngle_ = value * kDegreesToRadians;
    AdjustAutoSize();
}

framework::TPoint TVrLabel::TextPosition(
    int w, int h, int cw, int ch, int angle, framework::TAlignment alignment, framework::TTextLayout layout)
{
    const long double a = angle * kDegreesToRadians;
    const long double cosA = std::cos(a);
    const long double sinA = std::sin(a);
    const long double absCos = std::fabs(cosA);
    const long double absSin = std::fabs(sinA);
    const bool leftHalf = 90 < angle && angle < 270;  // the text runs leftwards
    const bool lowerHalf = angle > 180;               // the text runs downwards
    const bool upperHalf = angle < 180;               // the text runs upwards

    auto leftPart = [&](CheckedInt x) {
        if (leftHalf)
            x += CheckedInt::Trunc(absCos * w);
        if (lowerHalf)
            x += CheckedInt::Trunc(absSin * h);
        return x;
    };
    auto topPart = [&](CheckedInt y) {
        if (upperHalf)
            y += CheckedInt::Trunc(absSin * w);
        if (leftHalf)
            y += CheckedInt::Trunc(absCos * h);
        return y;
    };

    const CheckedInt xl = leftPart(2);
    CheckedInt x = xl;
    if (alignment == framework::taRightJustify)
        x = leftPart(cw - (CheckedInt::Trunc(absCos * w + absSin * h) + 2));
    else if (alignment == framework::taCenter)
        x = CheckedInt::Trunc(cw * 0.5L - cosA * (w * 0.5L) - sinA * (h * 0.5L));
    x = LargerOf(xl.value(), x.value());  // wider than the control: from the left margin

    CheckedInt y = topPart(2);
    if (layout == framework::tlCenter)
        y = CheckedInt::Trunc(ch * 0.5L - cosA * (h * 0.5L) + sinA * (w * 0.5L));
    else if (layout == framework::tlBottom)
        y = topPart(ch - (CheckedInt::Trunc(absCos * h + absSin * w) + 2));
    return {x.value(), y.value()};
}

void TVrLabel::CalcTextPosition(int& x, int& y) const
{
    const framework::TPoint p
        = TextPosition(captionWidth_, captionHeight_, width(), height(), angle_, alignment_, layout_);
    x = p.X;
    y = p.Y;
}

QAccessible::Role TVrLabel::AccessibleRole() const
{
    return QAccessible::StaticText;
}

QString TVrLabel::AccessibleText() const
{
    return Caption();
}

void TVrLabel::MeasureCaption()
{
    framework::TCanvas& canvas = BitmapCanvas();
    canvas.Font() = {font(), FontColor(), 0};
    const framework::TPoint extent = MeasureText(canvas, Caption());
    captionWidth_ = extent.X;
    captionHeight_ = extent.Y;
}

bool TVrLabel::CanAutoSize(int& newWidth, int& newHeight)
{
    MeasureCaption();
    const long double absCos = std::fabs(std::cos(static_cast<long double>(radianAngle_)));
    const long double absSin = std::fabs(std::sin(static_cast<long double>(radianAngle_)));
    const framework::TAlign align = Align();
    if (align == framework::alNone || align == framework::alLeft || align == framework::alRight)
        newWidth = (CheckedInt::Trunc(absCos * captionWidth_ + absSin * captionHeight_) + 4).value();
    if (align == framework::alNone || align == framework::alTop || align == framework::alBottom)
        newHeight = (CheckedInt::Trunc(absCos * captionHeight_ + absSin * captionWidth_) + 4).value();
    return true;
}

void TVrLabel::FontChanged()
{
    AdjustAutoSize();
    TVrGraphicImageControl::FontChanged();
}

void TVrLabel::TextChanged()
{
    AdjustAutoSize();
    NotifyAccessible(this, QAccessible::NameChanged);  // the caption names the label
    TVrGraphicImageControl::TextChanged();
}

void TVrLabel::Paint()
{
    framework::TCanvas& canvas = BitmapCanvas();
    ClearBitmapCanvas();
    MeasureCaption();
    SetCanvasFontAngle(canvas, static_cast<std::uint16_t>(angle_));
    int x = 0;
    int y = 0;
    CalcTextPosition(x, y);
    switch (style_) {
    case lsNone:
        canvas.Brush().Style = Transparent() ? framework::bsClear : framework::bsSolid;
        canvas.TextOut(x, y, Caption());
        break;
    case lsRaised:
        TextOut3D(canvas, x, y, Caption(), colorHighlight_, colorShadow_);
        break;
    case lsLowered:
        TextOut3D(canvas, x, y, Caption(), colorShadow_, colorHighlight_);
        break;
    case lsShadow:
        TextOutShadow(canvas, x, y, Caption(), colorShadow_, shadowDepth_, shadowDepth_);
        break;
    }
    if (!bitmap_.isNull())
        TextOutBitmap(canvas, framework::Rect(0, 0, width(), height()), x, y, Caption(), bitmap_,
            static_cast<std::uint16_t>(angle_));
    TVrGraphicImageControl::Paint();
}

}  // namespace display
