#pragma once

#include "resources/Export.h"

#include <QIcon>
#include <QString>

namespace resources {

STUDIOCLOCK_RESOURCES_EXPORT QString ApplicationVersion();  // four-part, as the version record has it
STUDIOCLOCK_RESOURCES_EXPORT QIcon ApplicationIcon();

}  // namespace resources
