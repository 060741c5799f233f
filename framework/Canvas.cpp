#include "framework/Canvas.h"

#include "framework/Arithmetic.h"
#include "framework/Exceptions.h"

#include <QPainter>
#include <cmath>

namespace framework {

namespace {

QPen ToQPen(const TPen& pen)
{
    if (pen.Style == psClear)
        return QPen(Qt::NoPen);
    QPen result(ToQColor(pen.Color));
    result.setWidth(std::max(1, pen.Width));
    return result;
}

// The device's size in the pixels drawing coordinates use (an image reports device pixels).
QSize LogicalSize(const QPaintDevice* device)
{
    if (const auto* image = dynamic_cast<const QImage*>(device))
        return image->deviceIndependentSize().toSize();
    return {device->width(), device->height()};
}

// The path of Ellipse's outline: through the centres of the outermost pixels, so that the shape
// covers exactly the pixels from (left, top) to (right - 1, bottom - 1).
QRectF EllipsePath(int left, int top, int right, int bottom)
{
    const qreal width = static_cast<qreal>((CheckedInt(right) - left).value()) - 1;
    const qreal height = static_cast<qreal>((CheckedInt(bottom) - top).value()) - 1;
    return {left + 0.5, top + 0.5, width, height};
}

}  // namespace

TCanvas::TCanvas(QPaintDevice* device)
    : device_(device)
{
}

TCanvas::~TCanvas()
{
    Flush();
}

void TCanvas::SetDevice(QPaintDevice* device)
{
    Flush();
    device_ = device;
    clipped_ = false;
}

QPainter& TCanvas::Painter()
{
    if (!device_)
        throw Exception(QStringLiteral("Canvas does not allow drawing"));
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(device_);
        painter_->setRenderHint(QPainter::Antialiasing);
        painter_->setRenderHint(QPainter::TextAntialiasing);
        painter_->translate(-ToQPoint(origin_));
        if (clipped_)
            painter_->setClipRect(ToQRect(clip_));
    }
    return *painter_;
}

void TCanvas::Flush()
{
    painter_.reset();
}

void TCanvas::SetOrigin(TPoint origin)
{
    if (origin == origin_)
        return;
    Flush();
    origin_ = origin;
}

QFontMetrics TCanvas::FontMetrics() const
{
    if (device_ && device_->logicalDpiY() > 0)
        return QFontMetrics(font_.Font, device_);
    return QFontMetrics(font_.Font);
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    QPainter& painter = Painter();
    painter.save();
    painter.setFont(font_.Font);
    painter.translate(x, y);
    painter.rotate(-font_.Escapement / 10.0);
    const QFontMetrics metrics = FontMetrics();
    if (brush_.Style == bsSolid)
        painter.fillRect(
            QRect(0, 0, metrics.horizontalAdvance(text), metrics.height()), ToQColor(brush_.Color));
    painter.setPen(ToQColor(font_.Color));
    painter.drawText(QPoint(0, metrics.ascent()), text);
    painter.restore();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    // One wholly outside the clip changes nothing: spared its path and its rasterising. A pixel to
    // spare for the edge's smoothing.
    if (clipped_) {
        const qreal spare = ToQPen(pen_).widthF() / 2 + 1;
        const QRectF reach
            = EllipsePath(left, top, right, bottom).normalized().adjusted(-spare, -spare, spare, spare);
        if (!reach.intersects(QRectF(ToQRect(clip_))))
            return;
    }
    QPainter& painter = Painter();
    painter.setPen(ToQPen(pen_));
    painter.setBrush(brush_.Style == bsSolid ? QBrush(ToQColor(brush_.Color)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(EllipsePath(left, top, right, bottom));
}

TRect TCanvas::EllipseExtent(const TRect& corners, int penWidth)
{
    // QPainter turns a path given right to left or bottom to top round; the pen reaches half its
    // width beyond the path.
    const qreal reach = ToQPen({clBlack, penWidth, psSolid}).widthF() / 2;
    const QRectF inked = EllipsePath(corners.Left, corners.Top, corners.Right, corners.Bottom)
                             .normalized()
                             .adjusted(-reach, -reach, reach, reach);
    const auto whole = [](qreal edge) { return CheckedInt::Trunc(edge).value(); };
    return Rect(whole(std::floor(inked.left())), whole(std::floor(inked.top())),
        whole(std::ceil(inked.right())), whole(std::ceil(inked.bottom())));
}

void TCanvas::FillRect(const TRect& rect)
{
    Painter().fillRect(ToQRect(rect), ToQColor(brush_.Color));
}

void TCanvas::ClearToTransparent()
{
    QPainter& painter = Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(ToQPoint(origin_), LogicalSize(device_)), Qt::transparent);
    painter.restore();
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    Painter().drawImage(QPoint(x, y), image);
}

void TCanvas::BrushCopy(const TRect& dest, const QImage& image, const TRect& source, TColor key)
{
    QImage part = image.copy(ToQRect(source)).convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = ToQColor(key).rgb();
    const QRgb replacement = brush_.Style == bsSolid ? ToQColor(brush_.Color).rgb() : qRgba(0, 0, 0, 0);
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] | 0xFF000000u) == keyRgb && qAlpha(line[x]) == 255)
                line[x] = replacement;
    }
    // Nearest-neighbour stretching: an LED picture keeps its hard edges and no colour is made up.
    QPainter& painter = Painter();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(ToQRect(dest), part);
    painter.restore();
}

TRect TCanvas::ClipRect() const
{
    if (clipped_)
        return clip_;
    if (!device_)
        return {};
    const QSize size = LogicalSize(device_);
    return Bounds(origin_.X, origin_.Y, size.width(), size.height());
}

void TCanvas::SetClipRect(const TRect& rect)
{
    clip_ = rect;
    clipped_ = true;
    if (painter_)
        painter_->setClipRect(ToQRect(rect));
}

void TCanvas::ResetClip()
{
    clipped_ = false;
    if (painter_)
        painter_->setClipping(false);
}

TBitmap::TBitmap()
    : canvas_(&image_)
{
}

int TBitmap::Width() const
{
    return size_.width();
}

int TBitmap::Height() const
{
    return size_.height();
}

void TBitmap::SetSize(int width, int height)
{
    if (width < 0 || height < 0)
        throw ERangeError();
    if (width == Width() && height == Height() && (width == 0 || image_.devicePixelRatio() == ratio_))
        return;
    canvas_.Flush();
    if (width == 0 || height == 0) {
        image_ = QImage();
        size_ = QSize(0, 0);
        return;
    }
    const auto deviceWidth = Round(width * static_cast<long double>(ratio_));
    const auto deviceHeight = Round(height * static_cast<long double>(ratio_));
    QImage image(
        RangeChecked<int>(deviceWidth), RangeChecked<int>(deviceHeight), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw EOutOfResources(
            QStringLiteral("Not enough memory for a %1 x %2 picture").arg(width).arg(height));
    image.setDevicePixelRatio(ratio_);
    image.fill(Qt::white);
    image_ = image;
    size_ = QSize(width, height);
}

void TBitmap::SetDevicePixelRatio(qreal ratio)
{
    ratio_ = ratio > 0 ? ratio : 1.0;
}

QImage TBitmap::Image()
{
    canvas_.Flush();
    return image_;
}

void TBitmap::Assign(const QImage& image)
{
    canvas_.Flush();
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSizeF size = image_.deviceIndependentSize();
    size_ = image_.isNull()
        ? QSize(0, 0)
        : QSize(CheckedInt::Trunc(size.width()).value(), CheckedInt::Trunc(size.height()).value());
    if (OnChange)
        OnChange();
}

}  // namespace framework
