#pragma once

#include "resizer/Export.h"

class QWidget;

namespace resizer {

// Lays a page container (QTabWidget, QStackedWidget, QToolBox) out at once, as Qt will once it is
// shown, and gives every page, the current one and the hidden ones alike, the room the container
// keeps for its pages; does nothing to any other widget. Qt lays such a container out only while
// it is visible and fits a page only when it becomes current, so without this its pages would be
// measured at whatever size they were made with.
STUDIOCLOCK_RESIZER_EXPORT void LayOutPages(QWidget* container);

}  // namespace resizer
