// Measures the LED clock: the time to render and show a full face, and how promptly a running
// clock paints each new second after the wall clock's second boundary.
//   bench_clock frames            full-face frame times at 783 x 374 and 1920 x 1080
//   bench_clock seconds [s]       paint delay after each boundary over s seconds (default 120),
//                                 ticking as the clock does, just after each boundary
//   bench_clock seconds-fixed [s] the same with a plain 1000 ms tick, for comparison
#include "bench/BenchStats.h"
#include "display/VrThreads.h"
#include "display/vrLedClock.h"
#include "framework/Application.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
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
    else {
        std::fprintf(stderr, "usage: bench_clock frames | seconds [s] | seconds-fixed [s]\n");
        return 2;
    }
    return 0;
}
