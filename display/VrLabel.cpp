#include "display/VrLabel.h"

#include "display/DrawingUtils.h"
#include "framework/Arithmetic.h"

#include <cmath>

namespace display {

using framework::CheckedInt;

struct TVrLabel::Private {
    framework::TAlignment alignment = framework::taCenter;
    framework::TTextLayout layout = framework::tlCenter;
    framework::TColor colorHighlight = framework::clWhite;
    framework::TColor colorShadow = framework::clGray;
    TVrLabelStyle style = lsRaised;
    int shadowDepth = 2;
    QImage bitmap;
    int angle = 0;
    double radianAngle = 0.0;
    int captionWidth = 0;
    int captionHeight = 0;
};

TVrLabel::TVrLabel(QWidget* parent)
    : TVrGraphicImageControl(parent)
    , d(std::make_unique<Private>())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 100, 25);
    setColor(framework::clBtnFace);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(14);
    setFont(font);
    SetCaptionFollowsName();
}

TVrLabel::~TVrLabel() = default;

framework::TAlignment TVrLabel::Alignment() const
{
    return d->alignment;
}

void TVrLabel::setAlignment(framework::TAlignment value)
{
    ChangeAndUpdate(d->alignment, framework::CheckedEnum(value));
}

framework::TTextLayout TVrLabel::Layout() const
{
    return d->layout;
}

void TVrLabel::setLayout(framework::TTextLayout value)
{
    ChangeAndUpdate(d->layout, framework::CheckedEnum(value));
}

framework::TColor TVrLabel::ColorHighlight() const
{
    return d->colorHighlight;
}

void TVrLabel::setColorHighlight(framework::TColor value)
{
    ChangeAndUpdate(d->colorHighlight, value);
}

framework::TColor TVrLabel::ColorShadow() const
{
    return d->colorShadow;
}

void TVrLabel::setColorShadow(framework::TColor value)
{
    ChangeAndUpdate(d->colorShadow, value);
}

TVrLabelStyle TVrLabel::Style() const
{
    return d->style;
}

void TVrLabel::setStyle(TVrLabelStyle value)
{
    ChangeAndUpdate(d->style, framework::CheckedEnum(value));
}

int TVrLabel::ShadowDepth() const
{
    return d->shadowDepth;
}

void TVrLabel::setShadowDepth(int value)
{
    ChangeAndUpdate(d->shadowDepth, value);
}

QImage TVrLabel::Bitmap() const
{
    return d->bitmap;
}

int TVrLabel::Angle() const
{
    return d->angle;
}

double TVrLabel::RadianAngle() const
{
    return d->radianAngle;
}

int TVrLabel::CaptionWidth() const
{
    return d->captionWidth;
}

int TVrLabel::CaptionHeight() const
{
    return d->captionHeight;
}

void TVrLabel::setBitmap(const QImage& value)
{
    d->bitmap = value;
    UpdateControl();
}

void TVrLabel::setAngle(int value)
{
    if (!framework::SetIfChanged(d->angle, framework::RangeChecked(value, 0, 359)))
        return;
    d->radianAngle = value * kDegreesToRadians;
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
    const framework::TPoint p = TextPosition(
        d->captionWidth, d->captionHeight, width(), height(), d->angle, d->alignment, d->layout);
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
    d->captionWidth = extent.X;
    d->captionHeight = extent.Y;
}

bool TVrLabel::CanAutoSize(int& newWidth, int& newHeight)
{
    MeasureCaption();
    const long double absCos = std::fabs(std::cos(static_cast<long double>(d->radianAngle)));
    const long double absSin = std::fabs(std::sin(static_cast<long double>(d->radianAngle)));
    const framework::TAlign align = Align();
    if (align == framework::alNone || align == framework::alLeft || align == framework::alRight)
        newWidth = (CheckedInt::Trunc(absCos * d->captionWidth + absSin * d->captionHeight) + 4).value();
    if (align == framework::alNone || align == framework::alTop || align == framework::alBottom)
        newHeight = (CheckedInt::Trunc(absCos * d->captionHeight + absSin * d->captionWidth) + 4).value();
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
    SetCanvasFontAngle(canvas, static_cast<std::uint16_t>(d->angle));
    int x = 0;
    int y = 0;
    CalcTextPosition(x, y);
    switch (d->style) {
    case lsNone:
        canvas.Brush().Style = Transparent() ? framework::bsClear : framework::bsSolid;
        canvas.TextOut(x, y, Caption());
        break;
    case lsRaised:
        TextOut3D(canvas, x, y, Caption(), d->colorHighlight, d->colorShadow);
        break;
    case lsLowered:
        TextOut3D(canvas, x, y, Caption(), d->colorShadow, d->colorHighlight);
        break;
    case lsShadow:
        TextOutShadow(canvas, x, y, Caption(), d->colorShadow, d->shadowDepth, d->shadowDepth);
        break;
    }
    if (!d->bitmap.isNull())
        TextOutBitmap(canvas, framework::Rect(0, 0, width(), height()), x, y, Caption(), d->bitmap,
            static_cast<std::uint16_t>(d->angle));
    TVrGraphicImageControl::Paint();
}

}  // namespace display
