#include "app/ClockTrustFollower.h"

#include "app/ClockFaceNotice.h"
#include "app/DateLine.h"
#include "display/vrLedClock.h"
#include "framework/LocaleId.h"
#include "framework/TimeSource.h"

ClockTrustFollower::ClockTrustFollower(display::TVrLedClock* clock)
    : QObject(clock)
    , clock_(clock)
    , notice_(new ClockFaceNotice(clock))
{
}

void ClockTrustFollower::Follow()
{
    const framework::ClockDiscipline kernel = framework::ReadClockDiscipline();
    if (corrections_.Note(kernel, framework::MSecsSinceEpoch()))
        emit KernelCorrected();
    Judge(kernel);
}

void ClockTrustFollower::TakeServiceReport(const std::optional<TimeServiceReport>& report)
{
    service_ = report;
    Judge(kernel_);
}

void ClockTrustFollower::Judge(const framework::ClockDiscipline& kernel)
{
    kernel_ = kernel;
    const qint64 now = framework::MSecsSinceEpoch();
    trust_ = JudgeClockTrust(kernel, service_, corrections_.LastSeenMs(), now);
    const ClockDisciplineText said = DescribeClockTrust(
        trust_, now, PortugueseDateLine(framework::ThreadLocale()), framework::ThreadQLocale());
    if (saidOnce_ && said == said_)
        return;
    notice_->Show(said.faceLine);
    clock_->setToolTip(said.toolTip);
    said_ = said;
    saidOnce_ = true;
    emit Changed();
}
