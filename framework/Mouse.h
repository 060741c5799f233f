#pragma once

#include "Enums.h"

#include <optional>

class QMouseEvent;

// A Qt mouse event in the terms the controls' mouse events are published in.
namespace framework {

// The button of a press or release; none for a button the controls do not know (the extra ones).
std::optional<TMouseButton> MouseButton(const QMouseEvent& event);

// The modifier keys and the buttons held when the event happened: a press counts its own button,
// a release no longer does; the press that completes a double click adds ssDouble.
TShiftState ShiftState(const QMouseEvent& event);

}  // namespace framework
