#include "resources/Resources.h"

#include "resources/Version.h"

namespace resources {

QString ApplicationVersion()
{
    return QStringLiteral(STUDIO_CLOCK_VERSION);
}

QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/studio-clock.png"));
}

}  // namespace resources
