#pragma once

#include <QtGlobal>
#include <array>
#include <optional>

// How late the seconds of one measure (the hand-over of a new face to the window system, or its
// presentation on screen) came after their boundaries, for the last completed minute and the last
// 60 completed minutes. Pure arithmetic in a fixed amount of memory, however long the clock runs:
// one histogram per minute in a ring, each kept under the minute its seconds belong to, so minutes
// the clock did not tick through (a suspended machine) fall out of the hour by the time alone.
//
// Latencies are binned in 50 us steps below 10 ms, 1 ms steps below 100 ms, 10 ms steps below 1 s,
// and one bin above; the median and the 99th percentile are the upper edge of the bin they fall in
// (never past the worst), the worst is exact. A second is late when it came more than 20 ms after
// its boundary (a frame at 50 Hz), when it came before its boundary (the face then showed a time
// still to come), or when it was never shown (skipped: the next second shown is more than one
// after the last, also across a suspended machine's gap). Skipped seconds count among the seconds
// and the late ones but, having no latency, not in the percentiles. A second shown again is noted
// once.
class SecondTiming {
public:
    struct Summary {
        int seconds = 0;  // shown or skipped
        qint64 medianUs = 0;
        qint64 p99Us = 0;
        qint64 worstUs = 0;
        int late = 0;
    };

    static constexpr qint64 kLateUs = 20000;

    // The second that began `second` seconds after the epoch was shown `latencyUs` after its
    // boundary (negative: before it).
    void Note(qint64 second, qint64 latencyUs);

    // The minute before the one `nowSecond` (seconds since the epoch) falls in, and the 60 before it.
    Summary LastMinute(qint64 nowSecond) const;
    Summary LastHour(qint64 nowSecond) const;

private:
    static constexpr int kBins = 1 + 200 + 90 + 90 + 1;  // early, 50 us, 1 ms, 10 ms, overflow
    static constexpr int kHourMinutes = 60;
    static constexpr int kMinutes = kHourMinutes + 1;  // the hour and the minute in progress

    struct Minute {
        qint64 minute = -1;  // since the epoch; -1 while the slot holds none
        std::array<int, kBins> counts{};
        int shown = 0;
        int skipped = 0;
        int late = 0;
        qint64 earliestUs = 0;
        qint64 worstUs = 0;
    };

    static int BinOf(qint64 latencyUs);
    static qint64 UpperEdgeOf(int bin);
    Minute& SlotFor(qint64 second);
    void NoteSkipped(qint64 from, qint64 to);
    Summary Summarise(qint64 firstMinute, qint64 lastMinute) const;

    std::array<Minute, kMinutes> minutes_{};
    std::optional<qint64> lastSecond_;
};
