#include "resources/Resources.h"

#include "resources/Version.h"

#include <QBitmap>

namespace resources {

QString ApplicationVersion()
{
    return QStringLiteral(STUDIO_CLOCK_VERSION);
}

QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/studio-clock.png"));
}

QCursor HandPointCursor()
{
    const QBitmap shape(QStringLiteral(":/cursors/handpoint.xbm"));
    const QBitmap mask(QStringLiteral(":/cursors/handpoint_mask.xbm"));
    return QCursor(shape, mask, 10, 5);
}

}  // namespace resources
