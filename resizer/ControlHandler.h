#pragma once

#include "framework/Geometry.h"
#include "resizer/Export.h"
#include "resizer/PropertyHandler.h"

#include <QPointer>
#include <memory>

class QWidget;

namespace framework {
class Control;
}

namespace resizer {

// Keeps one control's position and size as fractions of its parent's client area, and drives the
// control's property handlers in step with it. The fractions are taken again only when the
// control was moved by somebody else or the reference size changed since the last apply, so a
// control brought back to a former size lands on its former pixels.
//
// A docked control keeps the fractions of its free place: it is scaled as it would stand free,
// and its dock then stretches it, as docking did. So what it shows depends on its parent's size
// alone, not on the size at which it was docked.
class STUDIOCLOCK_RESIZER_EXPORT TMRControlHandler {
public:
    explicit TMRControlHandler(QWidget* control);
    virtual ~TMRControlHandler();
    TMRControlHandler(const TMRControlHandler&) = delete;
    TMRControlHandler& operator=(const TMRControlHandler&) = delete;

    // Takes the fractions against a reference size, then the property handlers' ratios.
    void Capture(int width, int height);
    // Gives the control its bounds for the parent's current client size, as it would stand free,
    // then lets the property handlers scale and an auto-sized control take its natural size,
    // whether or not its font changed. Nothing while the handler holds no fractions.
    void Apply();
    // Has a docked control's dock place it, stretching what Apply scaled, as docking does.
    void Dock() const;
    // Notes where the control stands and its parent's client size, once docks have placed
    // everything: the next capture keeps the fractions unless somebody else moves it. Nothing
    // while the handler holds no fractions.
    void Settle();

    // The fractions of the control's free place are kept aside while it is docked, as somebody
    // else may move it there. Called as the control leaves that place.
    void KeepFreePlace();
    // Takes back the fractions kept as the control docked, for the next Apply to put it where it
    // would stand had it never been docked; false when none were kept (it was never captured).
    bool TakeBackFreePlace();

    // The control, or null once it is gone.
    QWidget* Control() const { return control_.data(); }
    TMRPropertyHandlerList& PropertyHandlers() { return propertyHandlers_; }
    const TMRPropertyHandlerList& PropertyHandlers() const { return propertyHandlers_; }

    // Whether fractions were taken; a capture against a zero size leaves the handler without.
    bool Captured() const { return leftRatio_ != kNotCaptured; }
    float LeftRatio() const { return leftRatio_; }
    float TopRatio() const { return topRatio_; }
    float WidthRatio() const { return widthRatio_; }
    float HeightRatio() const { return heightRatio_; }
    framework::TRect LastBounds() const { return lastBounds_; }
    int ParentWidth() const { return parentWidth_; }
    int ParentHeight() const { return parentHeight_; }

protected:
    virtual void CaptureBounds(int width, int height);
    virtual void CaptureProperties();
    // Sets and returns in `rect` the control's bounds scaled to its parent's client size.
    virtual void ApplyBounds(framework::TRect& rect);
    virtual void ApplyProperties();

    framework::TRect Bounds() const;
    void SetBounds(const framework::TRect& rect) const;

private:
    static constexpr float kNotCaptured = -1.0F;

    // The control as a framework control (AutoSize, Align), or null.
    framework::Control* FrameworkControl() const;

    struct Fractions {
        float left;
        float top;
        float width;
        float height;
    };

    QPointer<QWidget> control_;
    TMRPropertyHandlerList propertyHandlers_;
    float leftRatio_ = kNotCaptured;
    float topRatio_ = 0.0F;
    float widthRatio_ = 0.0F;
    float heightRatio_ = 0.0F;
    Fractions freePlace_{kNotCaptured, 0.0F, 0.0F, 0.0F};
    framework::TRect lastBounds_;
    int parentWidth_ = 0;
    int parentHeight_ = 0;
};

// The class a panel makes its control handlers of: a function standing in for a class reference.
using TMRControlHandlerClass = std::unique_ptr<TMRControlHandler> (*)(QWidget* control);

template <typename Handler> std::unique_ptr<TMRControlHandler> CreateControlHandler(QWidget* control)
{
    return std::make_unique<Handler>(control);
}

}  // namespace resizer
