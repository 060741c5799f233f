#pragma once

#include "resizer/Export.h"

#include <vector>

class QWidget;

// Which widgets a container holds as controls, the way a stored layout sees them. Qt composes
// many widgets (a memo, a calendar, a spin box) of internal child widgets; those are the widget's
// own business and never count as controls.
namespace resizer {

// True for a container whose controls are placed by the layout: a plain widget, frame or group
// box, a framework form or panel, and the page containers (tab widget, tool box, stacked widget,
// scroll area).
STUDIOCLOCK_RESIZER_EXPORT bool AcceptsControls(const QWidget* container);

// A container's controls in the order a layout lists them: windowless ones (display-only widgets
// that take no focus and hold no controls) first, then the others, each in child order. A page
// container lists its pages, a scroll area the widget it scrolls.
STUDIOCLOCK_RESIZER_EXPORT std::vector<QWidget*> ChildControls(const QWidget* container);

}  // namespace resizer
