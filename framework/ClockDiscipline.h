#pragma once

#include "framework/Export.h"

#include <QtGlobal>
#include <functional>

// What the kernel knows of its own clock, asked without privileges (adjtimex with no mode bits,
// so nothing is ever written): whether a time service keeps it disciplined, how far off it may
// be, and a leap second announced for the coming midnight UTC.
namespace framework {

struct STUDIOCLOCK_FRAMEWORK_EXPORT ClockDiscipline {
    enum class Sync { Synchronised, NotSynchronised, Unknown };
    enum class Leap { None, Insert, Delete };

    Sync sync = Sync::Unknown;
    Leap leap = Leap::None;
    qint64 maxErrorUs = 0;        // the kernel's bound on its error, grown between updates
    qint64 estimatedErrorUs = 0;  // the time service's estimate
};

// The fields of adjtimex's answer the discipline is read from: its result (the clock state, or
// -1 when the call failed), the status flags and the two errors in microseconds.
struct KernelClockAnswer {
    int result = -1;
    int status = 0;
    qint64 maxErrorUs = 0;
    qint64 estimatedErrorUs = 0;
};

using KernelClockSource = std::function<KernelClockAnswer()>;

// The discipline an answer describes; a failed call is Unknown.
STUDIOCLOCK_FRAMEWORK_EXPORT ClockDiscipline ClockDisciplineOf(const KernelClockAnswer& answer);

// Asks the installed source (the kernel unless replaced). Cheap: one system call.
STUDIOCLOCK_FRAMEWORK_EXPORT ClockDiscipline ReadClockDiscipline();

// Installs a source for the whole program (an empty one restores the kernel) and returns the one
// it replaced, so that tests never depend on the state of the machine they run on.
STUDIOCLOCK_FRAMEWORK_EXPORT KernelClockSource SetKernelClockSource(KernelClockSource source);

}  // namespace framework
