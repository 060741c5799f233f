#pragma once

#include "framework/Export.h"

#include <QEvent>

namespace framework {

// Sent to a control as it leaves its free place for a dock (Docking), once a dock has placed it
// (Docked, also after a move from one dock to another) and as it comes back from the dock
// (Freed). A container that keeps the controls under it in place by rules of its own (a resizer
// panel) watches for it. A watcher that puts a freed control where it belongs now marks the event
// placed, so the bounds the control had before docking are not restored.
class STUDIOCLOCK_FRAMEWORK_EXPORT DockEvent : public QEvent {
public:
    enum Change { Docking, Docked, Freed };

    explicit DockEvent(Change change);

    static QEvent::Type EventType();
    Change change() const { return change_; }
    bool Placed() const { return placed_; }
    void SetPlaced() { placed_ = true; }

private:
    Change change_;
    bool placed_ = false;
};

}  // namespace framework
