#include "resizer/ControlHandler.h"

#include "framework/Control.h"
#include "resizer/ControlList.h"

#include <QWidget>

namespace resizer {

TMRControlHandler::TMRControlHandler(QWidget* control)
    : control_(control)
{
}

TMRControlHandler::~TMRControlHandler()
{
    // First to last, as they were made.
    for (auto& handler : propertyHandlers_)
        handler.reset();
}

framework::TRect TMRControlHandler::Bounds() const
{
    return framework::FromQRect(control_->geometry());
}

void TMRControlHandler::SetBounds(const framework::TRect& rect) const
{
    control_->setGeometry(framework::ToQRect(rect));
}

void TMRControlHandler::Capture(int width, int height)
{
    CaptureBounds(width, height);
    CaptureProperties();
}

void TMRControlHandler::CaptureBounds(int width, int height)
{
    const framework::TRect bounds = Bounds();
    if (width == parentWidth_ && height == parentHeight_ && bounds == lastBounds_)
        return;  // where the last apply put it, against the same reference: keep the fractions
    if (width == 0 || height == 0) {
        leftRatio_ = kNotCaptured;
        parentWidth_ = -1000;  // so the next capture cannot take the shortcut above
        return;
    }
    leftRatio_ = LengthRatio(bounds.Left, width);
    topRatio_ = LengthRatio(bounds.Top, height);
    widthRatio_ = LengthRatio(bounds.Width(), width);
    heightRatio_ = LengthRatio(bounds.Height(), height);
}

void TMRControlHandler::KeepFreePlace()
{
    freePlace_ = {leftRatio_, topRatio_, widthRatio_, heightRatio_};
}

bool TMRControlHandler::TakeBackFreePlace()
{
    if (freePlace_.left == kNotCaptured)
        return false;
    leftRatio_ = freePlace_.left;
    topRatio_ = freePlace_.top;
    widthRatio_ = freePlace_.width;
    heightRatio_ = freePlace_.height;
    return true;
}

void TMRControlHandler::CaptureProperties()
{
    for (auto& handler : propertyHandlers_)
        handler->CaptureRatios();
}

void TMRControlHandler::Apply()
{
    if (!Captured())
        return;
    framework::TRect rect;
    ApplyBounds(rect);
    ApplyProperties();
    // A container's natural size follows its contents, which are scaled only after it.
    if (framework::Control* control = FrameworkControl();
        control && control->AutoSize() && !AcceptsControls(control_))
        control->AdjustAutoSize();
    lastBounds_ = Bounds();
}

void TMRControlHandler::Dock() const
{
    if (const framework::Control* control = FrameworkControl();
        control && control->Align() != framework::alNone)
        framework::AlignControls(control_->parentWidget());
}

void TMRControlHandler::Settle()
{
    if (!Captured())
        return;  // the next capture takes fractions whatever it finds
    lastBounds_ = Bounds();
    const QSize client = framework::ClientSize(control_->parentWidget());
    parentWidth_ = client.width();
    parentHeight_ = client.height();
}

framework::Control* TMRControlHandler::FrameworkControl() const
{
    return dynamic_cast<framework::Control*>(control_.data());
}

void TMRControlHandler::ApplyBounds(framework::TRect& rect)
{
    const QSize client = framework::ClientSize(control_->parentWidget());
    parentWidth_ = client.width();
    parentHeight_ = client.height();
    const auto scaled
        = [](float ratio, int client) { return ScaledLength(ratio, client, Rounding::ToNearest); };
    rect = framework::Bounds(scaled(leftRatio_, parentWidth_), scaled(topRatio_, parentHeight_),
        scaled(widthRatio_, parentWidth_), scaled(heightRatio_, parentHeight_));
    SetBounds(rect);
}

void TMRControlHandler::ApplyProperties()
{
    for (auto& handler : propertyHandlers_)
        handler->ApplyRatios();
}

}  // namespace resizer
