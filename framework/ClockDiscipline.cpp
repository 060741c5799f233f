#include "framework/ClockDiscipline.h"

#include <mutex>
#include <sys/timex.h>

namespace framework {

namespace {

KernelClockAnswer AskKernel()
{
    timex request{};  // no mode bits: a read
    KernelClockAnswer answer;
    answer.result = ::adjtimex(&request);
    answer.status = request.status;
    answer.maxErrorUs = request.maxerror;
    answer.estimatedErrorUs = request.esterror;
    return answer;
}

// The state tells once the kernel has taken the announcement in; the flags from the moment the
// time service sets them.
ClockDiscipline::Leap AnnouncedLeap(const KernelClockAnswer& answer)
{
    if (answer.result == TIME_INS || (answer.status & STA_INS) != 0)
        return ClockDiscipline::Leap::Insert;
    if (answer.result == TIME_DEL || (answer.status & STA_DEL) != 0)
        return ClockDiscipline::Leap::Delete;
    return ClockDiscipline::Leap::None;
}

std::mutex sourceMutex;

KernelClockSource& InstalledSource()
{
    static KernelClockSource source = AskKernel;
    return source;
}

}  // namespace

ClockDiscipline ClockDisciplineOf(const KernelClockAnswer& answer)
{
    ClockDiscipline discipline;
    if (answer.result < 0)
        return discipline;
    // timedatectl's "synchronized" is exactly this: no TIME_ERROR and no STA_UNSYNC.
    const bool synchronised = answer.result != TIME_ERROR && (answer.status & STA_UNSYNC) == 0;
    discipline.sync
        = synchronised ? ClockDiscipline::Sync::Synchronised : ClockDiscipline::Sync::NotSynchronised;
    // Once the leap is under way or done, flags the time service has not cleared yet announce nothing.
    if (answer.result != TIME_OOP && answer.result != TIME_WAIT)
        discipline.leap = AnnouncedLeap(answer);
    discipline.maxErrorUs = answer.maxErrorUs;
    discipline.estimatedErrorUs = answer.estimatedErrorUs;
    return discipline;
}

ClockDiscipline ReadClockDiscipline()
{
    KernelClockSource source;
    {
        const std::lock_guard lock(sourceMutex);
        source = InstalledSource();
    }
    return ClockDisciplineOf(source());
}

KernelClockSource SetKernelClockSource(KernelClockSource source)
{
    if (!source)
        source = AskKernel;
    const std::lock_guard lock(sourceMutex);
    std::swap(InstalledSource(), source);
    return source;
}

}  // namespace framework
