// vrLedClockPrivate: what a TVrLedClock holds, shared by the files that make up the clock and
// never installed, so that it can change without changing the clock's layout.
#pragma once

#include "display/VrClockFaceGeometry.h"
#include "display/VrFrameCache.h"
#include "display/vrLedClock.h"

#include <QImage>
#include <QString>
#include <cstdint>

namespace display {

class TVrSecondScheduler;

struct TVrLedClock::Private {
    TVrClockFaceGeometry::Settings face;
    bool active = false;
    bool hourMarks = true;
    QImage background;
    framework::TColor hoursColor = framework::clRed;
    framework::TColor hoursOutline = framework::clRed;
    framework::TColor secHandColor = framework::clRed;
    framework::TColor secOutline = framework::clRed;
    framework::TColor tickColor = framework::clRed;
    framework::TColor tickOutline = framework::clRed;
    bool onAir = false;
    framework::TColor onAirColor = framework::clRed;
    framework::TDateTime alarmTime = 0;
    bool enableAlarm = false;
    TVrSecondScheduler* scheduler = nullptr;  // a child: freed first by the destructor
    std::uint64_t faceState = 0;              // counts the changes of what the face is drawn from
    TVrFrameCache frames;
    QString announcedTime;  // the time screen readers were last told of
};

}  // namespace display
