// VrLabel: TVrLabel, the styled label.
#pragma once

#include "display/Export.h"
#include "display/VrControls.h"
#include "display/VrTypes.h"
#include "framework/Enums.h"

#include <QImage>

namespace display {

// One line of text at any angle from 0 to 359 degrees, raised, lowered, with a drop shadow or
// plain, optionally with letters filled by a picture, placed by alignment and layout inside a
// 2-pixel margin.
//
// Recorded defaults: Alignment taCenter, Layout tlCenter, ColorHighlight clWhite, ColorShadow
// clGray, Style lsRaised, ShadowDepth 2, Angle 0, Transparent and AutoSize False; Color clWindow
// (so the constructor's clBtnFace is always stored).
class STUDIOCLOCK_DISPLAY_EXPORT TVrLabel : public TVrGraphicImageControl {
    Q_OBJECT
    // The font comes before FontHeight: Designer writes a form's values in this order, and a font
    // in a form has no pixel size, so setting it after the height would lose the height.
    Q_PROPERTY(QFont font READ font WRITE setFont)
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(framework::TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(framework::TTextLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(framework::TColor ColorHighlight READ ColorHighlight WRITE setColorHighlight)
    Q_PROPERTY(framework::TColor ColorShadow READ ColorShadow WRITE setColorShadow)
    Q_PROPERTY(display::TVrLabelStyle Style READ Style WRITE setStyle)
    Q_PROPERTY(int ShadowDepth READ ShadowDepth WRITE setShadowDepth)
    Q_PROPERTY(QImage Bitmap READ Bitmap WRITE setBitmap)
    Q_PROPERTY(int Angle READ Angle WRITE setAngle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TVrLabel(QWidget* parent = nullptr);

    framework::TAlignment Alignment() const { return alignment_; }
    void setAlignment(framework::TAlignment value)
    {
        ChangeAndUpdate(alignment_, framework::CheckedEnum(value));
    }
    framework::TTextLayout Layout() const { return layout_; }
    void setLayout(framework::TTextLayout value) { ChangeAndUpdate(layout_, framework::CheckedEnum(value)); }
    framework::TColor ColorHighlight() const { return colorHighlight_; }
    void setColorHighlight(framework::TColor value) { ChangeAndUpdate(colorHighlight_, value); }
    framework::TColor ColorShadow() const { return colorShadow_; }
    void setColorShadow(framework::TColor value) { ChangeAndUpdate(colorShadow_, value); }
    TVrLabelStyle Style() const { return style_; }
    void setStyle(TVrLabelStyle value) { ChangeAndUpdate(style_, framework::CheckedEnum(value)); }
    int ShadowDepth() const { return shadowDepth_; }
    void setShadowDepth(int value) { ChangeAndUpdate(shadowDepth_, value); }
    // Always taken and redrawn, even the same picture; an empty one turns the fill off.
    QImage Bitmap() const { return bitmap_; }
    void setBitmap(const QImage& value);
    // 0..359 degrees counter-clockwise; anything else raises framework::ERangeError.
    int Angle() const { return angle_; }
    void setAngle(int value);
    double RadianAngle() const { return radianAngle_; }
    int CaptionWidth() const { return captionWidth_; }
    int CaptionHeight() const { return captionHeight_; }

    // Where text of extent w x h starts (its TextOut origin) in a client area of cw x ch.
    static framework::TPoint TextPosition(int w, int h, int cw, int ch, int angle,
        framework::TAlignment alignment, framework::TTextLayout layout);
    void CalcTextPosition(int& x, int& y) const;

    // To screen readers static text named by its caption.
    QAccessible::Role AccessibleRole() const override;
    QString AccessibleText() const override;

protected:
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void FontChanged() override;
    void TextChanged() override;
    void Paint() override;

private:
    // Gives the frame's canvas the label's font, unrotated, and measures the caption with it.
    void MeasureCaption();

    framework::TAlignment alignment_ = framework::taCenter;
    framework::TTextLayout layout_ = framework::tlCenter;
    framework::TColor colorHighlight_ = framework::clWhite;
    framework::TColor colorShadow_ = framework::clGray;
    TVrLabelStyle style_ = lsRaised;
    int shadowDepth_ = 2;
    QImage bitmap_;
    int angle_ = 0;
    double radianAngle_ = 0.0;
    int captionWidth_ = 0;
    int captionHeight_ = 0;
};

}  // namespace display
