#pragma once

#include "app/TimeServiceReport.h"
#include "framework/ClockDiscipline.h"

#include <optional>

// How far the system clock can be trusted, from what the kernel and the time service say. Beside
// synchronised and not synchronised, holdover: the kernel still counts the clock as disciplined,
// but no correction has come for longer than a healthy service lets pass, so the clock runs alone
// and drifts. The kernel learns that late: after the last correction it only grows its bound on
// the error, by 500 us each second, and gives up at 16 s, about 8.9 hours on.
struct ClockTrust {
    enum class State { Synchronised, Holdover, NotSynchronised, Unknown };

    State state = State::Unknown;
    framework::ClockDiscipline kernel;
    std::optional<TimeServiceReport> service;  // the service's last report, when one answered
    qint64 lastCorrectionMs = 0;               // the best known moment of the last correction; 0: unknown
    qint64 holdoverAfterMs = 0;                // how long without a correction is still healthy
};

// The kernel's bound on its error grows by this much each second without a correction.
constexpr qint64 kKernelErrorGrowthUsPerSecond = 500;
// No healthy service leaves the clock alone longer than this, whatever its polling.
constexpr qint64 kShortestHoldoverAfterMs = 3600LL * 1000;

// The trust at `nowMs`. The last correction is the service's when it reports one, else the
// earliest the kernel's bound allows (exact for a service that resets the bound to 0, an upper
// bound on the age where the service sets an estimate of its own), and never earlier than a
// correction seen in the kernel's bound itself (`kernelCorrectedMs`, 0 for none). Holdover
// begins three polling intervals after it, never sooner than an hour; a clock that is not
// synchronised is that, whatever the service says.
ClockTrust JudgeClockTrust(const framework::ClockDiscipline& kernel,
    const std::optional<TimeServiceReport>& service, qint64 kernelCorrectedMs, qint64 nowMs);

// Follows the kernel's bound from one reading to the next: the bound only grows between
// corrections, so a smaller one tells that a correction came in between.
class KernelCorrectionWatch {
public:
    // Takes a reading made at `nowMs`; true when it shows a correction since the last one.
    bool Note(const framework::ClockDiscipline& kernel, qint64 nowMs);
    // When a correction was last seen, 0 for none.
    qint64 LastSeenMs() const { return lastSeenMs_; }

private:
    std::optional<qint64> lastBoundUs_;
    qint64 lastSeenMs_ = 0;
};
