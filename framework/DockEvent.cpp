#include "framework/DockEvent.h"

namespace framework {

DockEvent::DockEvent(Change change)
    : QEvent(EventType())
    , change_(change)
{
}

QEvent::Type DockEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

}  // namespace framework
