#include "app/ClockTrust.h"

#include <algorithm>

namespace {

using Sync = framework::ClockDiscipline::Sync;

}  // namespace

ClockTrust JudgeClockTrust(const framework::ClockDiscipline& kernel,
    const std::optional<TimeServiceReport>& service, qint64 kernelCorrectedMs, qint64 nowMs)
{
    ClockTrust trust;
    trust.kernel = kernel;
    trust.service = service;
    trust.holdoverAfterMs = kShortestHoldoverAfterMs;
    if (service && service->lastCorrectionMs > 0) {
        trust.lastCorrectionMs = service->lastCorrectionMs;
        trust.holdoverAfterMs = std::max(kShortestHoldoverAfterMs, 3 * service->pollIntervalMs);
    } else if (kernel.sync == Sync::Synchronised) {
        // The bound is at most 16 s, so this cannot overflow.
        trust.lastCorrectionMs = nowMs - kernel.maxErrorUs * 1000 / kKernelErrorGrowthUsPerSecond;
    }
    if (trust.lastCorrectionMs > 0 || kernelCorrectedMs > 0)
        trust.lastCorrectionMs = std::max(trust.lastCorrectionMs, kernelCorrectedMs);

    if (kernel.sync == Sync::NotSynchronised)
        trust.state = ClockTrust::State::NotSynchronised;
    else if (trust.lastCorrectionMs > 0 && nowMs - trust.lastCorrectionMs > trust.holdoverAfterMs)
        trust.state = ClockTrust::State::Holdover;
    else if (kernel.sync == Sync::Synchronised)
        trust.state = ClockTrust::State::Synchronised;
    else
        trust.state = ClockTrust::State::Unknown;
    return trust;
}

bool KernelCorrectionWatch::Note(const framework::ClockDiscipline& kernel, qint64 nowMs)
{
    if (kernel.sync == Sync::Unknown)
        return false;
    const bool corrected = lastBoundUs_ && kernel.maxErrorUs < *lastBoundUs_;
    lastBoundUs_ = kernel.maxErrorUs;
    if (corrected)
        lastSeenMs_ = nowMs;
    return corrected;
}
