#pragma once

#include "display/Export.h"

#include <QObject>

// Enumerations of the display components, registered so that they can be design-time properties.
namespace display {
Q_NAMESPACE_EXPORT(STUDIOCLOCK_DISPLAY_EXPORT)

// How a timer ticks: from a worker thread of its own, or from a timer of the GUI thread's loop.
enum TVrTimerType : int { ttThread, ttSystem };
Q_ENUM_NS(TVrTimerType)

// 24-hour digits, or 12-hour digits without a morning or afternoon sign.
enum TVrHourFormat : int { hfmt24h, hfmt12h };
Q_ENUM_NS(TVrHourFormat)

// The effect a styled label draws its text with.
enum TVrLabelStyle : int { lsNone, lsRaised, lsLowered, lsShadow };
Q_ENUM_NS(TVrLabelStyle)

}  // namespace display
