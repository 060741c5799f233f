// Measures the LED clock: the time to render and show a full face, and how promptly a running
// clock paints each new second after the wall clock's second boundary.
//   bench_clock frames            full-face frame times at 783 x 374 and 1920 x 1080
//   bench_clock seconds [s]       paint delay after each boundary over s seconds (default 120),
//                                 ticking as the clock does, just after each boundary
//   bench_clock seconds-fixed [s] the same with a plain 1000 ms tick, for comparison
//   bench_clock clocks [s] [n...] a form with n active clocks (1, 100, 1,000 and 10,000 by
//                                 default), each in a process of its own: the time to start
//                                 them, the CPU they use over s seconds (default 10), the time to
//                                 quit, how many ticked every second and how many fell back to
//                                 the event loop's timer
#include "bench/BenchStats.h"
#include "display/VrThreads.h"
#include "display/vrLedClock.h"
#include "framework/Application.h"

#include <QDateTime>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <vector>

using namespace display;

namespace {

void MakeStudioFace(TVrLedClock& clock)
{
    clock.setLedSize(6);
    clock.setSpacing(18);
    clock.setTextOffsetX(24);
    clock.setSecWidth(4);
    clock.setTickWidth(6);
    clock.setHoursColor(framework::clLime);
    clock.setHoursOutline(framework::clBlack);
    clock.setSecHandColor(framework::clLime);
    clock.setSecOutline(framework::clLime);
    clock.setTickColor(framework::clBlue);
    clock.setTickOutline(framework::clYellow);
}

void FrameTimes()
{
    for (const QSize size : {QSize(783, 374), QSize(1920, 1080)}) {
        TVrLedClock clock;
        MakeStudioFace(clock);
        clock.resize(size);
        clock.setSeconds(59);  // the whole ring
        clock.show();
        QCoreApplication::processEvents();
        std::vector<double> times(500);
        for (double& time : times)
            time = bench::MillisecondsOf([&] { clock.repaint(); });
        std::printf("full face %d x %d: median %.3f ms, p99 %.3f ms over %zu frames\n", size.width(),
            size.height(), bench::Percentile(times, 0.5), bench::Percentile(times, 0.99), times.size());
    }
}

// Notes, for each frame that shows a new second, how long after that second began it was painted.
class WatchedClock : public TVrLedClock {
public:
    std::vector<double> delays;
    int skipped = 0;
    int shown = -1;

protected:
    void Paint() override
    {
        TVrLedClock::Paint();
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (Seconds() == shown)
            return;
        if (shown >= 0 && Seconds() != (shown + 1) % 60)
            skipped += (Seconds() - shown + 60) % 60 - 1;
        shown = Seconds();
        qint64 boundary = now - now % 1000;
        while (QDateTime::fromMSecsSinceEpoch(boundary).time().second() != Seconds() && now - boundary < 5000)
            boundary -= 1000;
        delays.push_back(static_cast<double>(now - boundary));
    }
};

void SecondsPrecision(int seconds, bool fixedTick)
{
    WatchedClock clock;
    MakeStudioFace(clock);
    clock.resize(783, 374);
    clock.show();
    TVrTimer fixed;
    if (fixedTick) {
        QObject::connect(&fixed, &TVrTimer::OnTimer, &clock, &TVrLedClock::UpdateTime);
        fixed.setEnabled(false);
        fixed.setEnabled(true);
    } else {
        clock.setActive(true);
    }
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    clock.delays.erase(clock.delays.begin());  // the first frame was not a tick
    std::printf(
        "%s, %d s: %zu seconds shown, paint after the boundary: median %.1f ms, p99 %.1f ms, max %.1f ms; "
        "%d skipped\n",
        fixedTick ? "plain 1000 ms tick" : "boundary-locked tick", seconds, clock.delays.size(),
        bench::Percentile(clock.delays, 0.5), bench::Percentile(clock.delays, 0.99),
        bench::Percentile(clock.delays, 1.0), clock.skipped);
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::int64_t SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Each clock holds a descriptor for its boundary timer: as many as the hard limit allows, so that
// the clocks measured are the ones a raised limit gives; those left over fall back.
rlim_t RaiseDescriptorLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur;
}

// One row, in a process of its own: the form with `count` active clocks is made and shown, runs
// for `seconds`, and then the program quits as the real one does (the loop has ended, the form
// goes with its clocks, then the application object with whatever it still holds). The last line
// says when quitting began, on the steady clock every process shares.
void ManyClocksRow(int seconds, int count)
{
    constexpr int kSide = 32;
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(count))));
    std::vector<int> ticks(static_cast<std::size_t>(count));
    int fellBack = 0;
    auto form = std::make_unique<QWidget>();
    const double startMs = bench::MillisecondsOf([&] {
        form->resize(columns * kSide, (count + columns - 1) / columns * kSide);
        for (int i = 0; i < count; ++i) {
            auto* clock = new TVrLedClock(form.get());
            clock->SetBounds(i % columns * kSide, i / columns * kSide, kSide, kSide);
            QObject::connect(clock, &TVrLedClock::OnSecondsChanged, clock,
                [&ticks, i] { ++ticks[static_cast<std::size_t>(i)]; });
            clock->setActive(true);
            fellBack += clock->BoundaryTimer()->UsesKernelTimer() ? 0 : 1;
        }
        form->show();
        QCoreApplication::processEvents();
    });
    std::fill(ticks.begin(), ticks.end(), 0);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    loop.exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const auto ticked = std::count_if(ticks.begin(), ticks.end(), [&](int n) { return n >= seconds - 1; });
    std::printf("%6d clocks: start %8.1f ms, CPU %6.1f %% of one core over %d s, %6lld ticked every second, "
                "%6d fell back\n",
        count, startMs, 100.0 * cpu / wall, seconds, static_cast<long long>(ticked), fellBack);
    std::printf("quitting %lld\n", static_cast<long long>(SteadyNanoseconds()));
    std::fflush(stdout);
    framework::SetApplicationTerminated(true);
    form.reset();
}

void ManyClocks(int seconds, const std::vector<int>& counts)
{
    std::printf("descriptor limit %llu\n", static_cast<unsigned long long>(RaiseDescriptorLimit()));
    std::fflush(stdout);
    for (const int count : counts) {
        QProcess row;
        row.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        row.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("clocks-row"), QString::number(seconds), QString::number(count)});
        row.waitForFinished(-1);
        const std::int64_t ended = SteadyNanoseconds();
        const QList<QByteArray> lines = row.readAllStandardOutput().split('\n');
        if (row.exitCode() != 0 || lines.size() < 2 || !lines[1].startsWith("quitting ")) {
            std::printf("%6d clocks: the row failed (exit code %d)\n", count, row.exitCode());
            continue;
        }
        const double quitMs = static_cast<double>(ended - lines[1].mid(9).toLongLong()) / 1e6;
        std::printf("%s, quit %8.1f ms\n", lines[0].constData(), quitMs);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    framework::Application application(argc, argv);
    application.Initialize();
    const char* mode = argc > 1 ? argv[1] : "frames";
    const int seconds = argc > 2 ? std::max(5, std::atoi(argv[2])) : 120;
    if (std::strcmp(mode, "frames") == 0)
        FrameTimes();
    else if (std::strcmp(mode, "seconds") == 0)
        SecondsPrecision(seconds, false);
    else if (std::strcmp(mode, "seconds-fixed") == 0)
        SecondsPrecision(seconds, true);
    else if (std::strcmp(mode, "clocks") == 0 || std::strcmp(mode, "clocks-row") == 0) {
        std::vector<int> counts;
        for (int i = 3; i < argc; ++i)
            counts.push_back(std::max(1, std::atoi(argv[i])));
        if (counts.empty())
            counts = {1, 100, 1'000, 10'000};
        const int clockSeconds = argc > 2 ? std::max(3, std::atoi(argv[2])) : 10;
        if (std::strcmp(mode, "clocks") == 0)
            ManyClocks(clockSeconds, counts);
        else
            ManyClocksRow(clockSeconds, counts.front());
    } else {
        std::fprintf(
            stderr, "usage: bench_clock frames | seconds [s] | seconds-fixed [s] | clocks [s] [n...]\n");
        return 2;
    }
    return 0;
}
