#pragma once

#include "framework/Enums.h"
#include "framework/Export.h"

#include <optional>

class QMouseEvent;
class QRect;

// A Qt mouse event in the terms the controls' mouse events are published in.
namespace framework {

// The button of a press or release; none for a button the controls do not know (the extra ones).
STUDIOCLOCK_FRAMEWORK_EXPORT std::optional<TMouseButton> MouseButton(const QMouseEvent& event);

// The modifier keys and the buttons held when the event happened: a press counts its own button,
// a release no longer does; the press that completes a double click adds ssDouble.
STUDIOCLOCK_FRAMEWORK_EXPORT TShiftState ShiftState(const QMouseEvent& event);

// Tells the clicks among the presses and releases a control receives: the left button pressed on
// the control and released over it.
class STUDIOCLOCK_FRAMEWORK_EXPORT ClickTracker {
public:
    void Pressed(const QMouseEvent& event);
    // The press in progress makes no click (the second press of a double click).
    void Cancel() { down_ = false; }
    // True when the release completes a click within `area`.
    bool Released(const QMouseEvent& event, const QRect& area);

private:
    bool down_ = false;
};

}  // namespace framework
