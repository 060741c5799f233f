#pragma once

#include "framework/Color.h"
#include "framework/Export.h"
#include "framework/Geometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;

// A drawing surface with the semantics the display controls are written for: text is placed by
// the top-left corner of its first character cell, an opaque brush fills the text cell, ellipses
// leave out their right and bottom edges, and the font carries a colour and a direction.
namespace framework {

enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psClear };

struct STUDIOCLOCK_FRAMEWORK_EXPORT TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct STUDIOCLOCK_FRAMEWORK_EXPORT TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

struct STUDIOCLOCK_FRAMEWORK_EXPORT TFont {
    QFont Font;
    TColor Color = clWindowText;
    int Escapement = 0;  // direction of the text line, tenths of a degree counter-clockwise
};

class STUDIOCLOCK_FRAMEWORK_EXPORT TCanvas {
public:
    explicit TCanvas(QPaintDevice* device = nullptr);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Attaches the canvas to a device (nullptr detaches); pending drawing is finished first.
    void SetDevice(QPaintDevice* device);
    QPaintDevice* Device() const { return device_; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    // Measures the font as it draws on the device. A device without a resolution yet (an empty
    // picture) measures at the screen's, the one a picture takes when it gets a size, so text can
    // be measured before anything is drawn.
    QFontMetrics FontMetrics() const;

    // The text in the font colour, its cell first filled with the brush colour when the brush is
    // solid; the cell turns about (x, y) by the font's escapement.
    void TextOut(int x, int y, const QString& text);
    void Ellipse(int left, int top, int right, int bottom);
    // The pixels Ellipse may touch with these corners (either way round) and a pen `penWidth` wide.
    static TRect EllipseExtent(const TRect& corners, int penWidth);
    void FillRect(const TRect& rect);  // with the brush colour, whatever its style
    // Replaces every pixel with a transparent one, for frames that show what lies beneath.
    void ClearToTransparent();
    void Draw(int x, int y, const QImage& image);
    // Stretches `source` of `image` over `dest`; pixels of exactly `key` are painted with the
    // brush colour when the brush is solid and left out when it is clear.
    void BrushCopy(const TRect& dest, const QImage& image, const TRect& source, TColor key);

    // The point of the drawing coordinates at the device's top left, (0, 0) unless set: a picture
    // of part of a larger area is drawn in the area's coordinates.
    TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin);

    // The part of the device being drawn, in the drawing coordinates (device-independent pixels).
    TRect ClipRect() const;
    void SetClipRect(const TRect& rect);
    // The whole device again.
    void ResetClip();

    // Ends the drawing in progress so that the device can be read or resized.
    void Flush();

private:
    QPainter& Painter();

    QPaintDevice* device_;
    std::unique_ptr<QPainter> painter_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint origin_;
    TRect clip_;
    bool clipped_ = false;
};

// An image the display controls draw their frames on, in device-independent pixels at the
// screen's density, with a canvas of its own.
class STUDIOCLOCK_FRAMEWORK_EXPORT TBitmap {
public:
    TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const;
    int Height() const;
    bool Empty() const { return image_.isNull(); }

    // Keeps the content when the size does not change; raises the range error for a negative
    // size or one too large to hold.
    void SetSize(int width, int height);
    void SetDevicePixelRatio(qreal ratio);

    // A copy of the picture (a null image when empty); assigning an empty image empties it.
    QImage Image();
    void Assign(const QImage& image);

    TCanvas& Canvas() { return canvas_; }

    // Called after the picture was replaced through Assign.
    std::function<void()> OnChange;

private:
    QImage image_;
    // As asked: at a fractional ratio the device size, rounded, does not always give it back.
    QSize size_{0, 0};
    qreal ratio_ = 1.0;
    TCanvas canvas_;
};

}  // namespace framework
