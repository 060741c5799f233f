// VrLabel: TVrLabel, the styled label.
#pragma once

#include "display/Export.h"
#include "display/VrControls.h"
#include "display/VrTypes.h"
#include "framework/Enums.h"

#include <QImage>
#include <memory>

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
    ~TVrLabel() override;

    framework::TAlignment Alignment() const;
    void setAlignment(framework::TAlignment value);
    framework::TTextLayout Layout() const;
    void setLayout(framework::TTextLayout value);
    framework::TColor ColorHighlight() const;
    void setColorHighlight(framework::TColor value);
    framework::TColor ColorShadow() const;
    void setColorShadow(framework::TColor value);
    TVrLabelStyle Style() const;
    void setStyle(TVrLabelStyle value);
    int ShadowDepth() const;
    void setShadowDepth(int value);
    // Always taken and redrawn, even the same picture; an empty one turns the fill off.
    QImage Bitmap() const;
    void setBitmap(const QImage& value);
    // 0..359 degrees counter-clockwise; anything else raises framework::ERangeError.
    int Angle() const;
    void setAngle(int value);
    double RadianAngle() const;
    int CaptionWidth() const;
    int CaptionHeight() const;

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

    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace display
