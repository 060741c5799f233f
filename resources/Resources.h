#pragma once

#include "resources/Export.h"

#include <QCursor>
#include <QIcon>
#include <QString>

namespace resources {

STUDIOCLOCK_RESOURCES_EXPORT QString ApplicationVersion();  // four-part, as the version record has it
STUDIOCLOCK_RESOURCES_EXPORT QIcon ApplicationIcon();
// The pointing hand: 32 x 32, monochrome, hot spot on the tip of the index finger (10, 5).
STUDIOCLOCK_RESOURCES_EXPORT QCursor HandPointCursor();

}  // namespace resources
