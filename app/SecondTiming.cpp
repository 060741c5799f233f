#include "app/SecondTiming.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

constexpr qint64 kSecondsPerMinute = 60;

// Where each run of equal bins begins: its first bin, its first latency and its step.
struct Run {
    int firstBin;
    qint64 fromUs;
    qint64 stepUs;
};
constexpr std::array<Run, 3> kRuns{{{1, 0, 50}, {201, 10000, 1000}, {291, 100000, 10000}}};
constexpr qint64 kOverflowFromUs = 1000000;

qint64 MinuteOf(qint64 second)
{
    return second >= 0 ? second / kSecondsPerMinute : (second + 1) / kSecondsPerMinute - 1;
}

bool IsLate(qint64 latencyUs)
{
    return latencyUs < 0 || latencyUs > SecondTiming::kLateUs;
}

}  // namespace

int SecondTiming::BinOf(qint64 latencyUs)
{
    if (latencyUs < 0)
        return 0;
    if (latencyUs >= kOverflowFromUs)
        return kBins - 1;
    const Run& run = *std::prev(std::upper_bound(
        kRuns.begin(), kRuns.end(), latencyUs, [](qint64 us, const Run& r) { return us < r.fromUs; }));
    return run.firstBin + static_cast<int>((latencyUs - run.fromUs) / run.stepUs);
}

qint64 SecondTiming::UpperEdgeOf(int bin)
{
    const Run& run = *std::prev(std::upper_bound(
        kRuns.begin(), kRuns.end(), bin, [](int b, const Run& r) { return b < r.firstBin; }));
    return run.fromUs + (bin - run.firstBin + 1) * run.stepUs;
}

SecondTiming::Minute& SecondTiming::SlotFor(qint64 second)
{
    const qint64 minute = MinuteOf(second);
    Minute& slot = minutes_[static_cast<std::size_t>(((minute % kMinutes) + kMinutes) % kMinutes)];
    if (slot.minute != minute)
        slot = Minute{minute};
    return slot;
}

void SecondTiming::Note(qint64 second, qint64 latencyUs)
{
    if (lastSecond_ && second == *lastSecond_)
        return;
    if (lastSecond_ && second > *lastSecond_ + 1)
        NoteSkipped(*lastSecond_ + 1, second);
    lastSecond_ = second;
    Minute& slot = SlotFor(second);
    ++slot.counts[static_cast<std::size_t>(BinOf(latencyUs))];
    slot.earliestUs = slot.shown == 0 ? latencyUs : std::min(slot.earliestUs, latencyUs);
    slot.worstUs = slot.shown == 0 ? latencyUs : std::max(slot.worstUs, latencyUs);
    ++slot.shown;
    if (IsLate(latencyUs))
        ++slot.late;
}

void SecondTiming::NoteSkipped(qint64 from, qint64 to)
{
    // Only the minutes the ring can still hold matter: a long gap costs no more than an hour.
    for (qint64 second = std::max(from, to - kMinutes * kSecondsPerMinute); second < to; ++second) {
        Minute& slot = SlotFor(second);
        ++slot.skipped;
        ++slot.late;
    }
}

SecondTiming::Summary SecondTiming::LastMinute(qint64 nowSecond) const
{
    const qint64 last = MinuteOf(nowSecond) - 1;
    return Summarise(last, last);
}

SecondTiming::Summary SecondTiming::LastHour(qint64 nowSecond) const
{
    const qint64 last = MinuteOf(nowSecond) - 1;
    return Summarise(last - (kHourMinutes - 1), last);
}

SecondTiming::Summary SecondTiming::Summarise(qint64 firstMinute, qint64 lastMinute) const
{
    Summary summary;
    std::array<int, kBins> counts{};
    int shown = 0;
    qint64 earliestUs = 0;
    for (const Minute& slot : minutes_) {
        if (slot.minute < firstMinute || slot.minute > lastMinute)
            continue;
        summary.seconds += slot.shown + slot.skipped;
        summary.late += slot.late;
        if (slot.shown == 0)
            continue;
        std::transform(counts.begin(), counts.end(), slot.counts.begin(), counts.begin(), std::plus<>());
        earliestUs = shown == 0 ? slot.earliestUs : std::min(earliestUs, slot.earliestUs);
        summary.worstUs = shown == 0 ? slot.worstUs : std::max(summary.worstUs, slot.worstUs);
        shown += slot.shown;
    }
    if (shown == 0)
        return summary;
    // The latency of the rank-th second in order (nearest rank), as its bin tells it.
    const auto atRank = [&](int rank) {
        int below = 0;
        int bin = 0;
        while (below + counts[static_cast<std::size_t>(bin)] < rank)
            below += counts[static_cast<std::size_t>(bin++)];
        if (bin == 0)
            return earliestUs;
        if (bin == kBins - 1)
            return summary.worstUs;
        return std::min(UpperEdgeOf(bin), summary.worstUs);
    };
    summary.medianUs = atRank((shown + 1) / 2);
    summary.p99Us = atRank((shown * 99 + 99) / 100);
    return summary;
}
