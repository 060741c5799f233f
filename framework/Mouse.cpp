#include "framework/Mouse.h"

#include <QMouseEvent>

namespace framework {

std::optional<TMouseButton> MouseButton(const QMouseEvent& event)
{
    switch (event.button()) {
    case Qt::LeftButton:
        return mbLeft;
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return std::nullopt;
    }
}

TShiftState ShiftState(const QMouseEvent& event)
{
    TShiftState shift;
    const Qt::KeyboardModifiers keys = event.modifiers();
    shift.setFlag(ssShift, keys.testFlag(Qt::ShiftModifier));
    shift.setFlag(ssAlt, keys.testFlag(Qt::AltModifier));
    shift.setFlag(ssCtrl, keys.testFlag(Qt::ControlModifier));
    const Qt::MouseButtons buttons = event.buttons();
    shift.setFlag(ssLeft, buttons.testFlag(Qt::LeftButton));
    shift.setFlag(ssRight, buttons.testFlag(Qt::RightButton));
    shift.setFlag(ssMiddle, buttons.testFlag(Qt::MiddleButton));
    shift.setFlag(ssDouble, event.type() == QEvent::MouseButtonDblClick);
    return shift;
}

void ClickTracker::Pressed(const QMouseEvent& event)
{
    down_ = event.button() == Qt::LeftButton;
}

bool ClickTracker::Released(const QMouseEvent& event, const QRect& area)
{
    if (event.button() != Qt::LeftButton)
        return false;
    const bool click = down_ && area.contains(event.position().toPoint());
    down_ = false;
    return click;
}

}  // namespace framework
